#include "label/KxLabelHistory.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

namespace {

class TStepCommand : public QUndoCommand {
public:
    TStepCommand(TKxLabelHistory& History, const QString& Name, QByteArray Before, QByteArray After)
        : QUndoCommand(Name)
        , FHistory(History)
        , FBefore(std::move(Before))
        , FAfter(std::move(After)) {}

    void undo() override { FHistory.Restore(FBefore); }
    void redo() override {
        // Pushing a step runs redo; the label already holds what the step did.
        if (FDone) FHistory.Restore(FAfter);
        FDone = true;
    }

private:
    TKxLabelHistory& FHistory;
    QByteArray FBefore;
    QByteArray FAfter;
    bool FDone = false;
};

} // namespace

TKxLabelHistory::TKxLabelHistory(QUndoStack& Stack, std::function<QByteArray()> Record,
                                 std::function<void(const QByteArray&)> Apply)
    : FStack(Stack)
    , FRecord(std::move(Record))
    , FApply(std::move(Apply)) {}

void TKxLabelHistory::Reset() {
    FStack.clear();
    FCommitted = FRecord();
}

void TKxLabelHistory::Commit(const QString& Name) {
    QByteArray after = FRecord();
    if (after == FCommitted) return;
    // The boundary shares its bytes with the step's after record.
    QByteArray before = std::exchange(FCommitted, after);
    FStack.push(new TStepCommand(*this, Name, std::move(before), std::move(after)));
}

void TKxLabelHistory::Revert() {
    if (FRecord() != FCommitted) Restore(FCommitted);
}

void TKxLabelHistory::Restore(const QByteArray& Record) {
    ++FRestoring;
    try {
        FApply(Record);
    } catch (...) {
        --FRestoring;
        throw;
    }
    --FRestoring;
    FCommitted = Record;
}
