#include <gtest/gtest.h>
#include <ostream>
#include <vector>

#include "designer/KxArrange.h"

// Failures show rectangles as their edges.
void PrintTo(const TRect& R, std::ostream* S) {
    *S << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

namespace {

const TRect Reference{100, 100, 200, 140};
const TRect Label{0, 0, 600, 400};

struct TArrangeCase {
    const char* Name;
    TKxArrange Kind;
    std::vector<TRect> Boxes;
    std::vector<TRect> Expected;
};

void PrintTo(const TArrangeCase& C, std::ostream* S) {
    *S << C.Name;
}

class KxArrangeTable : public ::testing::TestWithParam<TArrangeCase> {};

} // namespace

TEST_P(KxArrangeTable, PutsEveryBoxWhereTheCommandSays) {
    const TArrangeCase& c = GetParam();
    EXPECT_EQ(KxArrangeBoxes(c.Kind, c.Boxes, Reference, Label), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KxArrangeTable,
    ::testing::Values(
        TArrangeCase{"LeftEdgesOnTheReference",
                     TKxArrange::AlignLeft,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{100, 10, 140, 30}, {100, 200, 120, 260}}},
        TArrangeCase{"RightEdgesOnTheReference",
                     TKxArrange::AlignRight,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{160, 10, 200, 30}, {180, 200, 200, 260}}},
        TArrangeCase{"CentresOnTheReferenceRoundedDown",
                     TKxArrange::AlignCentre,
                     {{0, 0, 40, 10}, {0, 0, 41, 10}, {0, 0, 140, 10}},
                     {{130, 0, 170, 10}, {129, 0, 170, 10}, {80, 0, 220, 10}}},
        TArrangeCase{"TopEdgesOnTheReference",
                     TKxArrange::AlignTop,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{10, 100, 50, 120}, {300, 100, 320, 160}}},
        TArrangeCase{"MiddlesOnTheReference",
                     TKxArrange::AlignMiddle,
                     {{10, 10, 50, 30}, {300, 200, 320, 261}},
                     {{10, 110, 50, 130}, {300, 89, 320, 150}}},
        TArrangeCase{"BottomEdgesOnTheReference",
                     TKxArrange::AlignBottom,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{10, 120, 50, 140}, {300, 80, 320, 140}}},
        TArrangeCase{"EqualGapsBetweenTheOutermostInLeftOrder",
                     TKxArrange::DistributeHorizontally,
                     {{200, 0, 230, 10}, {0, 5, 20, 15}, {290, 0, 300, 10}, {50, 0, 60, 10}},
                     // 300 wide, 70 of boxes: gaps of 76, 77 and 77, the remainder to the later ones.
                     {{183, 0, 213, 10}, {0, 5, 20, 15}, {290, 0, 300, 10}, {96, 0, 106, 10}}},
        TArrangeCase{"EqualGapsVertically",
                     TKxArrange::DistributeVertically,
                     {{0, 0, 10, 10}, {0, 15, 10, 25}, {0, 90, 10, 100}},
                     {{0, 0, 10, 10}, {0, 45, 10, 55}, {0, 90, 10, 100}}},
        TArrangeCase{"FewerThanThreeStayPut",
                     TKxArrange::DistributeHorizontally,
                     {{0, 0, 10, 10}, {50, 0, 90, 10}},
                     {{0, 0, 10, 10}, {50, 0, 90, 10}}},
        TArrangeCase{"WidthOfTheReferenceFromTheLeftEdge",
                     TKxArrange::SameWidth,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{10, 10, 110, 30}, {300, 200, 400, 260}}},
        TArrangeCase{"HeightOfTheReferenceFromTheTopEdge",
                     TKxArrange::SameHeight,
                     {{10, 10, 50, 30}, {300, 200, 320, 260}},
                     {{10, 10, 50, 50}, {300, 200, 320, 240}}},
        TArrangeCase{
            "OneBoxCentredOnTheLabel", TKxArrange::CentreOnLabel, {{10, 10, 51, 31}}, {{279, 189, 320, 210}}},
        TArrangeCase{"SeveralCentredTogetherKeepingTheirPlaces",
                     TKxArrange::CentreOnLabel,
                     {{0, 0, 100, 50}, {200, 150, 300, 200}},
                     {{150, 100, 250, 150}, {350, 250, 450, 300}}}));

struct TWithinCase {
    const char* Name;
    TPoint Delta;
    TRect Extent;
    TPoint Expected;
};

void PrintTo(const TWithinCase& C, std::ostream* S) {
    *S << C.Name;
}

class KxMoveWithinTable : public ::testing::TestWithParam<TWithinCase> {};

TEST_P(KxMoveWithinTable, NeverTakesTheExtentPastAnEdge) {
    const TWithinCase& c = GetParam();
    const TPoint d = KxMoveWithin(c.Delta, c.Extent, Label);
    EXPECT_EQ(d.X, c.Expected.X);
    EXPECT_EQ(d.Y, c.Expected.Y);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KxMoveWithinTable,
    ::testing::Values(TWithinCase{"InsideMovesWhole", {5, -5}, {100, 100, 200, 200}, {5, -5}},
                      TWithinCase{"StopsAtTheRightEdge", {500, 0}, {100, 100, 550, 200}, {50, 0}},
                      TWithinCase{"StopsAtTheTopEdge", {0, -500}, {100, 30, 200, 200}, {0, -30}},
                      TWithinCase{"OutsideAlreadyMovesNoFurtherOut", {-10, 0}, {-20, 0, 50, 10}, {0, 0}},
                      TWithinCase{"OutsideAlreadyMayComeBackIn", {15, 0}, {-20, 0, 50, 10}, {15, 0}},
                      TWithinCase{"WiderThanTheLabelStaysPut", {10, 0}, {-10, 0, 610, 10}, {0, 0}}));

TEST(KxArrange, DistributingNeedsThreeTheOthersOne) {
    EXPECT_EQ(KxArrangeMinimum(TKxArrange::DistributeHorizontally), 3);
    EXPECT_EQ(KxArrangeMinimum(TKxArrange::DistributeVertically), 3);
    EXPECT_EQ(KxArrangeMinimum(TKxArrange::AlignLeft), 1);
    EXPECT_EQ(KxArrangeMinimum(TKxArrange::CentreOnLabel), 1);
}

TEST(KxArrange, TheBoxAroundHoldsThemAll) {
    EXPECT_EQ(KxBoxAround({}), TRect{});
    EXPECT_EQ(KxBoxAround({{10, 20, 30, 40}, {-5, 25, 15, 60}}), (TRect{-5, 20, 30, 60}));
}
