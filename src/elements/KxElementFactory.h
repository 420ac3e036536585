#pragma once

#include <memory>
#include <QByteArray>
#include <QDataStream>

#include "elements/KxElement.h"
#include "elements/KxExtension.h"
#include "elements/KxOwner.h"

/// Makes elements by kind: the label file reader and the clipboard choose the class by the tag
/// byte in front of each element record (1 line ... 8 paragraph).
class TKxElementFactory {
public:
    /// The fewest bytes an element record can take: a tag and a line's base block in the
    /// previous format. An element count that needs more than the bytes left is corrupt.
    static constexpr int MinRecordBytes = 44;
    /// The fewest bytes any record of the list can take: an extension record with no body.
    static constexpr int MinListRecordBytes = 6;

    /// A new element of kind Tag with its defaults, for Owner, not yet added to it; null for a tag
    /// without a class (0, above 8).
    static std::unique_ptr<TKxElement> Create(int Tag, TKxOwner* Owner);
    /// Reads one record, tag first, as the label file of format Version holds it. A tag without a
    /// class, a short record or a corrupt field raises EStreamError naming the record's byte
    /// offset; no element escapes half read. The stream must be little-endian. The element has not
    /// opened what its record names (Loaded).
    ///
    /// An extension record in front of the element is read with it and handed to the element; a key
    /// the element does not take refuses the record. A label's own extension record is stored in
    /// LabelExtension and the answer is null then; without LabelExtension it is refused.
    static std::unique_ptr<TKxElement> Read(QDataStream& S, int Version, TKxOwner* Owner,
                                            TKxExtension* LabelExtension = nullptr);
    /// Writes E's record, tag first, behind its extension record when it has one.
    static void Write(QDataStream& S, const TKxElement& E);
    /// The records Write makes for E: 1, or 2 with an extension record.
    static int RecordCount(const TKxElement& E);

    /// E's record, tag first, as the clipboard keeps it: always the current format.
    static QByteArray Record(const TKxElement& E);
    /// A new element for Owner from a record made by Record, its picture loaded; raises EStreamError
    /// on a bad record.
    static std::unique_ptr<TKxElement> FromRecord(const QByteArray& Record, TKxOwner* Owner);
};
