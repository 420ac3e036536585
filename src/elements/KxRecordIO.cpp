#include "elements/KxRecordIO.h"

#include <QByteArray>
#include <QIODevice>

#include "base/CodePage.h"

void WriteI32(QDataStream& S, int32_t v) {
    S << static_cast<qint32>(v);
}

void WriteByte(QDataStream& S, uint8_t v) {
    S << static_cast<quint8>(v);
}

void WriteBool(QDataStream& S, bool v) {
    WriteByte(S, v ? 1 : 0);
}

void WriteStr(QDataStream& S, const QString& v) {
    const QByteArray bytes = ToCodePage(v);
    WriteI32(S, static_cast<int32_t>(bytes.size()));
    S.writeRawData(bytes.constData(), static_cast<int>(bytes.size()));
}

void WritePoint(QDataStream& S, const TPoint& P) {
    WriteI32(S, P.X);
    WriteI32(S, P.Y);
}

int32_t ReadI32(QDataStream& S) {
    qint32 v = 0;
    S >> v;
    return S.status() == QDataStream::Ok ? v : 0;
}

uint8_t ReadByte(QDataStream& S) {
    quint8 v = 0;
    S >> v;
    return S.status() == QDataStream::Ok ? v : 0;
}

bool ReadBool(QDataStream& S) {
    return ReadByte(S) != 0;
}

QByteArray ReadBytes(QDataStream& S) {
    const int32_t count = ReadI32(S);
    if (S.status() != QDataStream::Ok) return {};
    // The count is checked against what is left, so a hostile count never allocates.
    const QIODevice* device = S.device();
    const qint64 available = device ? device->bytesAvailable() : 0;
    if (count < 0 || count > available) {
        S.setStatus(QDataStream::ReadCorruptData);
        return {};
    }
    QByteArray bytes(count, Qt::Uninitialized);
    if (S.readRawData(bytes.data(), count) != count) {
        S.setStatus(QDataStream::ReadPastEnd);
        return {};
    }
    return bytes;
}

QString ReadStr(QDataStream& S) {
    const QByteArray bytes = ReadBytes(S);
    return S.status() == QDataStream::Ok ? FromCodePage(bytes) : QString();
}

TPoint ReadPoint(QDataStream& S) {
    TPoint P;
    P.X = ReadI32(S);
    P.Y = ReadI32(S);
    return P;
}
