#include "KxUndoHistory.h"

#include <algorithm>

TKxUndoHistory::TKxUndoHistory(size_t Limit)
    : FLimit(std::max<size_t>(Limit, 1)) {}

void TKxUndoHistory::Reset(const QByteArray& Record) {
    FSteps.clear();
    FDone = 0;
    FCurrent = Record;
}

bool TKxUndoHistory::Commit(const QByteArray& Record) {
    if (Record == FCurrent) return false;
    FSteps.erase(FSteps.begin() + static_cast<std::ptrdiff_t>(FDone), FSteps.end());
    FSteps.push_back({FCurrent, Record});
    if (FSteps.size() > FLimit) FSteps.pop_front();
    FDone = FSteps.size();
    FCurrent = Record;
    return true;
}

std::optional<QByteArray> TKxUndoHistory::Undo() {
    if (!CanUndo()) return std::nullopt;
    FCurrent = FSteps[--FDone].Before;
    return FCurrent;
}

std::optional<QByteArray> TKxUndoHistory::Redo() {
    if (!CanRedo()) return std::nullopt;
    FCurrent = FSteps[FDone++].After;
    return FCurrent;
}
