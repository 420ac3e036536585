#pragma once

#include <memory>
#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QString>

#include "elements/KxAddText.h"
#include "elements/KxParagraph.h"
#include "elements/KxText.h"

/// A new text element of the kind, with a box wide enough for one line when it is a paragraph.
inline std::unique_ptr<TKxDataText> MakeTextKind(TKxEle kind, TKxOwner* owner) {
    if (kind == dePoliText) return std::make_unique<TKxAddText>(owner);
    if (kind == deParagraph) {
        auto paragraph = std::make_unique<TKxParagraph>(owner);
        paragraph->P2 = {2000, 600};
        return paragraph;
    }
    return std::make_unique<TKxText>(owner);
}

/// What the kind writes for the content: the compound text adds its default Before and After.
inline QString Composed(TKxEle kind, const QString& content) {
    return kind == dePoliText ? "Pre" + content + "Post" : content;
}

/// The element's record as a label file holds it, tag included.
inline QByteArray RecordOf(const TKxElement& e) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    e.SaveToStream(s);
    return bytes;
}
