#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <QByteArray>

/// The designer's undo and redo steps. A step is the label's file record before and after one
/// completed change, so undoing restores exactly what a save would have written. A change that leaves
/// the record's bytes equal is no step. The oldest steps are dropped beyond the limit.
class TKxUndoHistory {
public:
    /// One completed change: the label's file record before and after it.
    struct TStep {
        QByteArray Before;
        QByteArray After;
    };

    explicit TKxUndoHistory(size_t Limit = DefaultLimit);

    /// Starts afresh from Record (a new or opened label): no steps either way.
    void Reset(const QByteArray& Record);
    /// The label's record now; a step is recorded when it differs from the last one known. True then.
    /// A new step drops every step that could have been redone.
    bool Commit(const QByteArray& Record);
    /// The record to restore to undo the last step, or nothing when there is none.
    std::optional<QByteArray> Undo();
    /// The record to restore to redo the last undone step, or nothing when there is none.
    std::optional<QByteArray> Redo();

    bool CanUndo() const { return FDone > 0; }
    bool CanRedo() const { return FDone < FSteps.size(); }
    size_t UndoCount() const { return FDone; }
    size_t RedoCount() const { return FSteps.size() - FDone; }
    /// The record the label holds after the steps done so far.
    const QByteArray& Current() const { return FCurrent; }

    static constexpr size_t DefaultLimit = 200;

private:
    size_t FLimit;
    std::deque<TStep> FSteps;
    /// Steps done: FSteps[0, FDone) can be undone, the rest redone.
    size_t FDone = 0;
    QByteArray FCurrent;
};
