#include <gtest/gtest.h>
#include <limits>

#include "designer/KxMeasure.h"
#include "designer/LabelCell.h"

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
