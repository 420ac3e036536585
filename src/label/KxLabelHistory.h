#pragma once

#include <functional>
#include <QByteArray>
#include <QString>

class QUndoStack;

/// A label's undo history: the label's record at the last step boundary, and the steps, each holding
/// the records before and after it. Undoing or redoing a step restores a record without recording
/// anything, so what undo brings back is exactly what a save would have written.
class TKxLabelHistory {
public:
    /// Record answers the label's record now; Apply replaces the label with a record.
    TKxLabelHistory(QUndoStack& Stack, std::function<QByteArray()> Record,
                    std::function<void(const QByteArray&)> Apply);

    /// The label as it is now is where the history starts: no steps.
    void Reset();
    /// Records the label's change since the last boundary as a step named Name; nothing when its record
    /// has not changed.
    void Commit(const QString& Name);
    /// Puts the label back to the last boundary.
    void Revert();
    /// Restores Record as the label's state and the new boundary, without recording.
    void Restore(const QByteArray& Record);
    /// True while a restore is under way: what it changes is not a change of the user's.
    bool Restoring() const { return FRestoring > 0; }

private:
    QUndoStack& FStack;
    std::function<QByteArray()> FRecord;
    std::function<void(const QByteArray&)> FApply;
    QByteArray FCommitted;
    int FRestoring = 0;
};
