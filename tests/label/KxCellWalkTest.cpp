#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "label/KxCellWalk.h"

namespace {

using TCell = std::pair<int32_t, int32_t>; // row, column

// A whole run as sheets of cells, with the record each cell was filled from (1 = the first).
struct TWalked {
    std::vector<std::vector<TCell>> Sheets;
    std::vector<int> Records;
    int64_t Steps = 0;
};

TWalked Walk(int32_t Rows, int32_t Cols, TKxRunState State, int32_t Repetition = 1, bool WithData = false) {
    TWalked w;
    w.Sheets.emplace_back();
    int record = 1;
    TKxCellWalk walk(Rows, Cols, Repetition, WithData, State);
    for (;;) {
        const TKxWalkStep s = walk.Next();
        ++w.Steps;
        if (s.Kind == TKxWalkStep::wkEnd) break;
        if (s.Kind == TKxWalkStep::wkNewPage) {
            w.Sheets.emplace_back();
            continue;
        }
        w.Sheets.back().push_back({s.Row, s.Col});
        w.Records.push_back(record);
        if (s.NextRecord) ++record;
    }
    return w;
}

TKxRunState State(int64_t Count, int32_t Row = 1, int32_t Col = 1, int32_t Rep = 1) {
    return {Row, Col, Count, Rep};
}

} // namespace

TEST(KxCellWalk, TwentyFiveLabelsOnTheDefaultSheetTakeTwoSheets) {
    const TWalked w = Walk(7, 3, State(25));
    ASSERT_EQ(w.Sheets.size(), 2u);
    ASSERT_EQ(w.Sheets[0].size(), 21u);
    EXPECT_EQ(w.Sheets[0][0], TCell(1, 1));
    EXPECT_EQ(w.Sheets[0][1], TCell(1, 2));
    EXPECT_EQ(w.Sheets[0][3], TCell(2, 1));
    EXPECT_EQ(w.Sheets[0][20], TCell(7, 3));
    EXPECT_EQ(w.Sheets[1], (std::vector<TCell>{{1, 1}, {1, 2}, {1, 3}, {2, 1}}));
}

TEST(KxCellWalk, StartAtLastCellContinuesOnTheNextSheet) {
    const TWalked w = Walk(7, 3, State(2, 7, 3));
    ASSERT_EQ(w.Sheets.size(), 2u);
    EXPECT_EQ(w.Sheets[0], std::vector<TCell>{TCell(7, 3)});
    EXPECT_EQ(w.Sheets[1], std::vector<TCell>{TCell(1, 1)});
}

TEST(KxCellWalk, RecordsRepeatThenAdvance) {
    TKxRunState s = State(6, 1, 1, 2);
    const TWalked w = Walk(7, 3, s, 2, true);
    EXPECT_EQ(w.Records, (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST(KxCellWalk, WithoutDataNeverAdvancesTheRecord) {
    const TWalked w = Walk(7, 3, State(5), 3, false);
    EXPECT_EQ(w.Records, std::vector<int>(5, 1));
}

TEST(KxCellWalk, NoLabelsMeansOnlyTheFirstSheet) {
    for (const int64_t count : {0LL, -4LL}) {
        const TWalked w = Walk(7, 3, State(count));
        EXPECT_EQ(w.Sheets.size(), 1u);
        EXPECT_TRUE(w.Sheets[0].empty());
        EXPECT_EQ(TKxCellWalk::PagesNeeded(7, 3, State(count)), 1);
    }
}

TEST(KxCellWalk, StartBelowTheLastRowBeginsWithAnEmptySheet) {
    const TWalked w = Walk(7, 3, State(1, 8, 1));
    ASSERT_EQ(w.Sheets.size(), 2u);
    EXPECT_TRUE(w.Sheets[0].empty());
    EXPECT_EQ(w.Sheets[1], std::vector<TCell>{TCell(1, 1)});
    // The starting column carries over to the next sheet.
    EXPECT_EQ(Walk(7, 3, State(2, 8, 2)).Sheets[1], (std::vector<TCell>{{1, 2}, {1, 3}}));
}

TEST(KxCellWalk, StartPastTheLastColumnBeginsOnTheNextRow) {
    const TWalked w = Walk(7, 3, State(1, 2, 4));
    EXPECT_EQ(w.Sheets[0], std::vector<TCell>{TCell(3, 1)});
}

TEST(KxCellWalk, StateEndsWhereTheRunStopped) {
    TKxRunState s = State(4, 1, 1, 2);
    TKxCellWalk walk(7, 3, 2, true, s);
    while (walk.Next().Kind != TKxWalkStep::wkEnd) {
    }
    EXPECT_EQ(s.Count, 0);
    EXPECT_EQ(s.Row, 2);
    EXPECT_EQ(s.Col, 2);
    EXPECT_EQ(s.Rep, 2);
    EXPECT_EQ(walk.Next().Kind, TKxWalkStep::wkEnd);
}

// Values straight from a file: zero or negative counts must neither hang the walk nor draw off the sheet.
struct THostileCase {
    const char* Name;
    int32_t Rows, Cols, Rep, Row, Col;
};

class KxCellWalkHostile : public ::testing::TestWithParam<THostileCase> {};

TEST_P(KxCellWalkHostile, EndsAndDrawsOnlyOnTheSheet) {
    const THostileCase& c = GetParam();
    const int64_t count = 50;
    const TWalked w = Walk(c.Rows, c.Cols, State(count, c.Row, c.Col, c.Rep), c.Rep, true);
    EXPECT_LE(w.Steps, 3 * count + 2);
    int64_t drawn = 0;
    for (const auto& sheet : w.Sheets)
        for (const TCell& cell : sheet) {
            ++drawn;
            EXPECT_GE(cell.first, 1);
            EXPECT_LE(cell.first, std::max(c.Rows, 1));
            EXPECT_GE(cell.second, 1);
            EXPECT_LE(cell.second, std::max(c.Cols, 1));
        }
    EXPECT_EQ(drawn, count);
    EXPECT_EQ(static_cast<int64_t>(w.Sheets.size()),
              TKxCellWalk::PagesNeeded(c.Rows, c.Cols, State(count, c.Row, c.Col, c.Rep)));
}

INSTANTIATE_TEST_SUITE_P(Values, KxCellWalkHostile,
                         ::testing::Values(THostileCase{"ZeroRows", 0, 3, 1, 1, 1},
                                           THostileCase{"NegativeColumns", 7, -5, 1, 1, 1},
                                           THostileCase{"BothZero", 0, 0, 0, 1, 1},
                                           THostileCase{"NegativeRepetition", 2, 2, -3, 1, 1},
                                           THostileCase{"NegativeStart", 7, 3, 1, -100, -7},
                                           THostileCase{"HugeStart", 7, 3, 1, 2'147'483'647, 2'147'483'647}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(KxCellWalk, PagesNeededForHugeRunsWithoutWalking) {
    // A one-cell sheet: every label its own page, found by arithmetic without walking.
    EXPECT_EQ(TKxCellWalk::PagesNeeded(1, 1, State(5'000'000)), 5'000'000);
    EXPECT_EQ(TKxCellWalk::PagesNeeded(7, 3, State(1'000'000'000LL * 21)), 1'000'000'000LL);
}

// The page count a preview checks before recording must agree with what the walk really does.
TEST(KxCellWalk, PagesNeededAgreesWithTheWalk) {
    for (int32_t rows = 1; rows <= 4; ++rows)
        for (int32_t cols = 1; cols <= 3; ++cols)
            for (int32_t row = 1; row <= rows + 1; ++row)
                for (int32_t col = 1; col <= cols + 1; ++col)
                    for (int64_t count = 0; count <= 2 * rows * cols + 1; ++count) {
                        const TKxRunState s = State(count, row, col);
                        const TWalked w = Walk(rows, cols, s);
                        ASSERT_EQ(static_cast<int64_t>(w.Sheets.size()),
                                  TKxCellWalk::PagesNeeded(rows, cols, s))
                            << rows << "x" << cols << " from " << row << "," << col << " count " << count;
                    }
}
