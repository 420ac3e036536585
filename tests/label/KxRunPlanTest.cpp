#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "label/KxMeasure.h"
#include "label/KxPrintRun.h"
#include "label/KxRunPlan.h"

namespace {

struct TPlanCase {
    const char* Name;
    TKxRunSettings Settings;
    bool WithData;
    int64_t Labels;
    int64_t Sheets;
    bool OffSheet;
};

TKxRunSettings Settings(int32_t FirstRow, int32_t FirstCol, int32_t Labs, int32_t FirstLab, int32_t LastLab,
                        int32_t Repetition) {
    TKxRunSettings s;
    s.FirstRow = FirstRow;
    s.FirstCol = FirstCol;
    s.Labs = Labs;
    s.FirstLab = FirstLab;
    s.LastLab = LastLab;
    s.Repetition = Repetition;
    return s;
}

} // namespace

// The default sheet: 7 rows of 3 labels.
TEST(KxRunPlan, CountsLabelsAndSheetsBeforeAnythingIsDrawn) {
    const std::vector<TPlanCase> cases{
        {"labs without data", Settings(1, 1, 22, 1, 1, 1), false, 22, 2, false},
        {"records times copies", Settings(1, 1, 7, 3, 5, 2), true, 6, 1, false},
        {"copies ignored without data", Settings(1, 1, 7, 3, 5, 2), false, 7, 1, false},
        {"a last record before the first", Settings(1, 1, 1, 5, 1, 1), true, 0, 1, false},
        {"no labels", Settings(1, 1, 0, 1, 1, 1), false, 0, 1, false},
        {"the last cell of the first sheet", Settings(7, 3, 2, 1, 1, 1), false, 2, 2, false},
        {"a row below the sheet", Settings(8, 1, 1, 1, 1, 1), false, 1, 2, true},
        {"a column beside the sheet", Settings(1, 4, 1, 1, 1, 1), false, 1, 1, true},
    };
    const TKxMeasure measure;
    for (const TPlanCase& c : cases) {
        const TKxRunPlan p = TKxRunPlan::Of(c.Settings, measure, c.WithData);
        EXPECT_EQ(p.Labels, c.Labels) << c.Name;
        EXPECT_EQ(p.Sheets, c.Sheets) << c.Name;
        EXPECT_EQ(p.StartsOffSheet, c.OffSheet) << c.Name;
        EXPECT_EQ(p.OffSheetReason(measure).isEmpty(), !c.OffSheet) << c.Name;
    }
    EXPECT_EQ(TKxRunPlan::Of(Settings(8, 1, 1, 1, 1, 1), measure, false).OffSheetReason(measure),
              "the first cell is in row 8 of a sheet of 7 rows");
}

// A first record below 1 from a file starts at the first record; the run still draws its 14 labels, so it
// reads up to record 14.
TEST(KxRunPlan, ReadsFromTheFirstRecordUpToTheLastItDraws) {
    const TKxMeasure measure;
    const TKxRunPlan p = TKxRunPlan::Of(Settings(1, 1, 1, -4, 9, 1), measure, true);
    EXPECT_EQ(p.FirstRecord, 1);
    EXPECT_EQ(p.LastRecord, 14);
    EXPECT_EQ(TKxRunPlan::Of(Settings(1, 1, 1, 3, 9, 2), measure, true).LastRecord, 9);
    EXPECT_EQ(TKxRunPlan::Of(Settings(1, 1, 1, 2, 9, 1), measure, false).LastRecord, 0);
}

TEST(KxSheetPath, NumbersTheSheetAndCopiesTheNameAsItIs) {
    const std::vector<std::pair<QString, QString>> cases{
        {"/x/tags.png", "/x/tags-3.png"},     {"/x/my.tags.svg", "/x/my.tags-3.svg"},
        {"tags.emf", "tags-3.emf"},           {"./out/r%1.svg", "./out/r%1-3.svg"},
        {"/x/%3%2%1.png", "/x/%3%2%1-3.png"}, {"/x/100%.bmp", "/x/100%-3.bmp"},
    };
    for (const auto& [output, sheet] : cases)
        EXPECT_EQ(KxSheetPath(output, 3), sheet) << output.toStdString();
}

namespace {

struct TDrawn {
    int64_t Sheet;
    int32_t Row;
    int32_t Col;
    int64_t Record;
    bool operator==(const TDrawn&) const = default;
};

// Every label a run of Settings draws: the sheet of the whole run, the cell and the record.
std::vector<TDrawn> Walk(const TKxRunSettings& Settings, const TKxMeasure& Measure) {
    const TKxRunPlan plan = TKxRunPlan::Of(Settings, Measure, true);
    std::vector<TDrawn> drawn;
    TKxRunState state = plan.Start;
    TKxCellWalk walk(Measure.GetNuHor(), Measure.GetNuVer(), Settings.Repetition, true, state);
    int64_t sheet = plan.FirstSheet;
    int64_t record = plan.FirstRecord;
    for (TKxWalkStep step = walk.Next(); step.Kind != TKxWalkStep::wkEnd; step = walk.Next()) {
        if (step.Kind == TKxWalkStep::wkNewPage) {
            ++sheet;
            continue;
        }
        drawn.push_back({sheet, step.Row, step.Col, record});
        if (step.NextRecord) ++record;
    }
    EXPECT_EQ(drawn.empty() ? 0 : drawn.back().Record, drawn.empty() ? 0 : plan.LastRecord);
    return drawn;
}

} // namespace

// The parts of a run, walked one after the other, draw exactly the whole run's labels, each part from
// the first cell of a sheet of its own; a part without a sheet is none.
TEST(KxRunPlan, PartsCutAtSheetsAndTogetherAreTheWholeRun) {
    const TKxMeasure measure;                                // 7 rows of 3
    const TKxRunSettings run = Settings(2, 3, 1, 5, 104, 3); // 300 labels from the sixth cell: 15 sheets
    const std::vector<TDrawn> whole = Walk(run, measure);
    ASSERT_EQ(whole.size(), 300u);
    for (const int parts : {1, 2, 3, 8, 15}) {
        std::vector<TDrawn> joined;
        for (int part = 1; part <= parts; ++part) {
            const std::optional<TKxRunSettings> p = TKxRunPlan::Part(run, measure, true, part, parts);
            ASSERT_TRUE(p) << part << " of " << parts;
            const std::vector<TDrawn> drawn = Walk(*p, measure);
            ASSERT_FALSE(drawn.empty());
            if (part > 1) {
                EXPECT_EQ(std::make_pair(drawn.front().Row, drawn.front().Col), std::make_pair(1, 1));
            }
            joined.insert(joined.end(), drawn.begin(), drawn.end());
        }
        EXPECT_EQ(joined, whole) << parts << " parts";
    }
    EXPECT_FALSE(TKxRunPlan::Part(run, measure, true, 1, 16));
    EXPECT_TRUE(TKxRunPlan::Part(run, measure, true, 16, 16));
}

// A preview draws each sheet as a run of its own: it holds exactly the whole run's labels of that sheet
// on one page, whatever the first cell, off the sheet included.
TEST(KxRunPlan, EachSheetAloneDrawsTheWholeRunsLabelsOfThatSheet) {
    const TKxMeasure measure; // 7 rows of 3
    const auto cells = [](std::vector<TDrawn> Drawn) {
        for (TDrawn& d : Drawn)
            d.Sheet = 0;
        return Drawn;
    };
    for (const TKxRunSettings& run :
         {Settings(1, 1, 1, 1, 50, 1), Settings(3, 2, 1, 7, 60, 2), Settings(7, 4, 1, 1, 30, 3),
          Settings(8, 2, 1, 1, 25, 1), Settings(9, 9, 1, 2, 5, 1)}) {
        const std::vector<TDrawn> whole = Walk(run, measure);
        const int64_t sheets = TKxRunPlan::Of(run, measure, true).Sheets;
        ASSERT_EQ(whole.back().Sheet, sheets);
        for (int64_t k = 0; k < sheets; ++k) {
            std::vector<TDrawn> expected;
            std::copy_if(whole.begin(), whole.end(), std::back_inserter(expected),
                         [&](const TDrawn& D) { return D.Sheet == k + 1; });
            const std::vector<TDrawn> alone =
                Walk(TKxRunPlan::SheetRun(run, measure, true, k, k + 1), measure);
            EXPECT_EQ(cells(alone), cells(expected)) << run.FirstRow << "," << run.FirstCol << " sheet " << k;
            if (!alone.empty()) {
                EXPECT_EQ(alone.front().Sheet, alone.back().Sheet) << "one page";
            }
        }
    }
}
