#include "elements/KxElementFactory.h"

#include <QIODevice>

#include "base/StreamError.h"
#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxImage.h"
#include "elements/KxLine.h"
#include "elements/KxParagraph.h"
#include "elements/KxRecordIO.h"
#include "elements/KxRect.h"
#include "elements/KxSymbol.h"
#include "elements/KxText.h"

std::unique_ptr<TKxElement> TKxElementFactory::Create(int Tag, TKxOwner* Owner) {
    switch (Tag) {
    case deLine: return std::make_unique<TKxLine>(Owner);
    case deText: return std::make_unique<TKxText>(Owner);
    case deBar: return std::make_unique<TKxBarCode>(Owner);
    case deRect: return std::make_unique<TKxRect>(Owner);
    case deSymbol: return std::make_unique<TKxSymbol>(Owner);
    case dePoliText: return std::make_unique<TKxAddText>(Owner);
    case deImage: return std::make_unique<TKxImage>(Owner);
    case deParagraph: return std::make_unique<TKxParagraph>(Owner);
    default: return nullptr;
    }
}

std::unique_ptr<TKxElement> TKxElementFactory::Read(QDataStream& S, int Version, TKxOwner* Owner,
                                                    TKxExtension* LabelExtension) {
    qint64 at = S.device() ? S.device()->pos() : 0;
    uint8_t tag = ReadByte(S);
    if (S.status() != QDataStream::Ok)
        throw EStreamError(QStringLiteral("Element record expected at byte %1: the data ends there").arg(at));
    TKxExtension extension;
    if (tag == KxExtensionTag) {
        TKxExtension::TScope scope = TKxExtension::TScope::Label;
        extension = TKxExtension::Read(S, scope);
        if (S.status() != QDataStream::Ok || (scope == TKxExtension::TScope::Label && !LabelExtension))
            throw EStreamError(QStringLiteral("The extension record at byte %1 is short or corrupt").arg(at));
        if (scope == TKxExtension::TScope::Label) {
            *LabelExtension = std::move(extension);
            return nullptr;
        }
        at = S.device() ? S.device()->pos() : 0;
        tag = ReadByte(S);
        if (S.status() != QDataStream::Ok || tag == KxExtensionTag)
            throw EStreamError(
                QStringLiteral("Element record expected at byte %1 behind its extension").arg(at));
    }
    std::unique_ptr<TKxElement> e = Create(tag, Owner);
    if (!e) throw EStreamError(QStringLiteral("Unknown element kind %1 at byte %2").arg(tag).arg(at));
    e->LoadFromStream(S, Version);
    if (S.status() != QDataStream::Ok)
        throw EStreamError(
            QStringLiteral("The element record at byte %1 (kind %2) is short or corrupt").arg(at).arg(tag));
    e->LoadExtension(extension);
    extension.RequireAllTaken();
    return e;
}

void TKxElementFactory::Write(QDataStream& S, const TKxElement& E) {
    TKxExtension extension;
    E.SaveExtension(extension);
    extension.Write(S, TKxExtension::TScope::NextElement);
    E.SaveToStream(S);
}

int TKxElementFactory::RecordCount(const TKxElement& E) {
    TKxExtension extension;
    E.SaveExtension(extension);
    return extension.IsEmpty() ? 1 : 2;
}

QByteArray TKxElementFactory::Record(const TKxElement& E) {
    QByteArray bytes;
    QDataStream S(&bytes, QIODevice::WriteOnly);
    S.setByteOrder(QDataStream::LittleEndian);
    Write(S, E);
    return bytes;
}

std::unique_ptr<TKxElement> TKxElementFactory::FromRecord(const QByteArray& Record, TKxOwner* Owner) {
    QDataStream S(Record);
    S.setByteOrder(QDataStream::LittleEndian);
    // The clipboard is filled by the running code, never by an older file.
    std::unique_ptr<TKxElement> e = Read(S, KxFileVersion, Owner);
    e->Loaded();
    return e;
}
