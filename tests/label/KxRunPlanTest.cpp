#include <gtest/gtest.h>
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

TEST(KxRunPlan, ReadsNoRecordBeforeTheFirstOrAfterTheLast) {
    const TKxMeasure measure;
    const TKxRunPlan p = TKxRunPlan::Of(Settings(1, 1, 1, -4, 9, 1), measure, true);
    EXPECT_EQ(p.FirstRecord, 1);
    EXPECT_EQ(p.LastRecord, 9);
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
