#pragma once

#include <QByteArray>
#include <QList>

/// The editor's clipboard: the stream records of the last copied elements, in stacking order, front
/// first. One per process, shared by every designer control, so elements copied in one designer can
/// be pasted into another. Reached through KxClipboard().
class TKxClipboard {
public:
    bool IsEmpty() const { return FRecords.isEmpty(); }
    /// Replaces the content with the records of one or more elements.
    void Store(const QList<QByteArray>& Records) { FRecords = Records; }
    const QList<QByteArray>& Records() const { return FRecords; }
    /// Frees the content; the clipboard is empty until the next Store.
    void Clear() { FRecords.clear(); }

private:
    QList<QByteArray> FRecords;
};

/// The process-wide clipboard.
TKxClipboard& KxClipboard();
