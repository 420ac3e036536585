#include <gtest/gtest.h>
#include <limits>

#include "designer/KxLabTestSupport.h"
#include "label/KxMeasure.h"
#include "label/LabelCell.h"

TEST(LabelCell, DefaultSheetCells) {
    const TKxMeasure m;
    EXPECT_EQ(LabelCellOrigin(m, 1, 1), Point(50, 100));
    EXPECT_EQ(LabelCellOrigin(m, 2, 3), Point(690, 880));
    EXPECT_EQ(LabelCellOrigin(m, 3, 2), Point(1330, 490));
    EXPECT_EQ(LabelCellRect(m, 3, 2), Rect(1330, 490, 1930, 840));
}

TEST(LabelCell, FollowsMarginsGapsAndSize) {
    TKxMeasure m;
    m.SetWidth(20);
    m.SetHeight(10);
    m.SetMarLeft(0);
    m.SetMarTop(1.5f);
    m.SetDiHor(2);
    m.SetDiVer(0);
    EXPECT_EQ(LabelCellOrigin(m, 4, 5), Point(3 * 220, 15 + 4 * 100));
}

TEST(LabelCell, HostileIndexSaturatesInsteadOfWrapping) {
    const TKxMeasure m;
    EXPECT_EQ(LabelCellOrigin(m, 2'000'000'000, 1).X, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(LabelCellOrigin(m, 1, -2'000'000'000).Y, std::numeric_limits<int32_t>::min());
}

// A size and a gap from a file, each near the 32-bit limit, at the far end of the cell indices.
TEST(LabelCell, HostileSizesAndGapsSaturateToo) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    TRecordingLab lab;
    lab.GetMeasure()->SetRawSize(hi, lo);
    TKxMeasure& m = *lab.GetMeasure();
    m.SetDiHor(1000);
    EXPECT_EQ(LabelCellOrigin(m, 2, 1).X, hi);
    EXPECT_EQ(LabelCellOrigin(m, lo, 1).X, lo);
    EXPECT_EQ(LabelCellOrigin(m, 1, 3).Y, lo);
    EXPECT_EQ(LabelCellOrigin(m, 1, lo).Y, hi);
    EXPECT_EQ(LabelCellRect(m, 1, 1).Right, hi);
}
