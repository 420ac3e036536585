#pragma once

#include <QByteArray>

#include "types/Kxtypes.h"

/// The editor's one-element clipboard: the record of the last copied element, tag byte first.
/// One per process, shared by every designer control, so an element copied in one designer can be
/// pasted into another. Reached through KxClipboard().
class TKxClipboard {
public:
    bool IsEmpty() const { return FRecord.isEmpty(); }
    /// Replaces the content with Record, the stream record of an element of kind Kind.
    void Store(const QByteArray& Record, TKxEle Kind);
    const QByteArray& Record() const { return FRecord; }
    TKxEle Kind() const { return FKind; }
    /// Frees the content; the clipboard is empty until the next Store.
    void Clear();

private:
    QByteArray FRecord;
    TKxEle FKind = dePoint;
};

/// The process-wide clipboard.
TKxClipboard& KxClipboard();
