#include "label/KxCellWalk.h"

#include <algorithm>

#include "label/KxQuantities.h"

namespace {
int32_t AtLeastOne(int32_t v) {
    return std::max<int32_t>(v, 1);
}

// A column past the last one continues on the next row; a row already past the last stays there
// (the sheet break comes next), so a hostile start cannot overflow.
void WrapColumn(TKxRunState& S, int32_t Rows) {
    S.Col = 1;
    if (S.Row <= Rows) ++S.Row;
}
} // namespace

TKxCellWalk::TKxCellWalk(int32_t Rows, int32_t Cols, int32_t Repetition, bool WithData, TKxRunState& State,
                         const TKxQuantities* Quantities)
    : FRows(AtLeastOne(Rows))
    , FCols(AtLeastOne(Cols))
    , FRepetition(AtLeastOne(Repetition))
    , FWithData(WithData)
    , FState(State)
    , FQuantities(WithData ? Quantities : nullptr) {
    FState.Row = AtLeastOne(FState.Row);
    FState.Col = AtLeastOne(FState.Col);
}

TKxWalkStep TKxCellWalk::Next() {
    TKxRunState& s = FState;
    if (s.Count <= 0) return {};
    if (s.Col > FCols) WrapColumn(s, FRows);
    if (s.Row > FRows) {
        s.Row = 1;
        return {TKxWalkStep::wkNewPage};
    }
    TKxWalkStep step{TKxWalkStep::wkCell, s.Row, s.Col};
    if (FWithData && --s.Rep <= 0) {
        step.NextRecord = true;
        step.Records = 1;
        s.Rep = FRepetition;
        if (FQuantities) {
            const TKxQuantities::TPlace next = FQuantities->NextAfter(s.Record);
            // After the last record that prints there is nothing to move to.
            step.NextRecord = next.Record > 0;
            step.Records = step.NextRecord ? next.Record - s.Record : 0;
            s.Record = next.Record > 0 ? next.Record : s.Record;
            s.Rep = std::max<int64_t>(next.CopiesLeft, 1);
        }
    }
    ++s.Col;
    --s.Count;
    return step;
}

int64_t TKxCellWalk::PagesNeeded(int32_t Rows, int32_t Cols, const TKxRunState& State) {
    const int64_t rows = AtLeastOne(Rows);
    const int64_t cols = AtLeastOne(Cols);
    if (State.Count <= 0) return 1;
    TKxRunState s = State;
    s.Row = AtLeastOne(s.Row);
    s.Col = AtLeastOne(s.Col);
    if (s.Col > cols) WrapColumn(s, static_cast<int32_t>(rows));
    // Starting below the last row leaves the first sheet empty; the column carries over.
    if (s.Row > rows) {
        s.Row = 1;
        return 1 + PagesNeeded(Rows, Cols, s);
    }
    const int64_t firstSheet = (rows - s.Row) * cols + (cols - s.Col + 1);
    if (s.Count <= firstSheet) return 1;
    const int64_t perSheet = rows * cols;
    return 1 + (s.Count - firstSheet + perSheet - 1) / perSheet;
}
