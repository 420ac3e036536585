#include "elements/KxShapeOwner.h"

#include <QBuffer>
#include <QDataStream>

#include "elements/KxRecordIO.h"

QByteArray SaveRecord(const TKxElement& e) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    e.SaveToStream(s);
    return bytes;
}

int LoadRecord(TKxElement& e, const QByteArray& bytes, int version) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QDataStream s(&buffer);
    s.setByteOrder(QDataStream::LittleEndian);
    ReadByte(s);
    e.LoadFromStream(s, version);
    return s.status();
}
