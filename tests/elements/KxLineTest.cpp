#include <gtest/gtest.h>

#include "common/PixelProbe.h"
#include "common/TestOwner.h"
#include "elements/KxLine.h"

namespace {

struct THitCase {
    const char* Name;
    TPoint P1, P2; // label units, drawn at 100 % (4 label units per pixel)
    TPoint Probe;  // client pixels
    bool Hit;
};

std::ostream& operator<<(std::ostream& os, const THitCase& c) {
    return os << c.Name;
}

// The flat line runs from pixel (25, 25) to (125, 25), the steep one from (25, 25) to (35, 125).
const THitCase HitCases[] = {
    {"FlatMiddleOnLine", {100, 100}, {500, 100}, {75, 25}, true},
    {"FlatTwoAbove", {100, 100}, {500, 100}, {75, 23}, true},
    {"FlatTwoBelow", {100, 100}, {500, 100}, {75, 27}, true},
    {"FlatThreeAbove", {100, 100}, {500, 100}, {75, 22}, false},
    {"FlatThreeBelow", {100, 100}, {500, 100}, {75, 28}, false},
    {"FlatFirstEnd", {100, 100}, {500, 100}, {25, 25}, true},
    {"FlatLastEnd", {100, 100}, {500, 100}, {125, 26}, true},
    {"FlatBeforeFirstEnd", {100, 100}, {500, 100}, {24, 25}, false},
    {"FlatBeyondLastEnd", {100, 100}, {500, 100}, {126, 25}, false},
    {"FlatDrawnBackwards", {500, 100}, {100, 100}, {30, 27}, true},
    {"SteepOnLine", {100, 100}, {140, 500}, {30, 75}, true},
    {"SteepTwoRight", {100, 100}, {140, 500}, {32, 75}, true},
    {"SteepThreeLeft", {100, 100}, {140, 500}, {27, 75}, false},
    {"SteepBelowLastEnd", {100, 100}, {140, 500}, {35, 126}, false},

    {"DiagonalOnLine", {0, 0}, {400, 400}, {50, 50}, true},
    {"DiagonalOffLine", {0, 0}, {400, 400}, {50, 54}, false},
    {"EndsOnOnePixel", {100, 100}, {101, 101}, {25, 25}, false},

};

class KxLineHit : public ::testing::TestWithParam<THitCase> {};

} // namespace

TEST_P(KxLineHit, FollowsTheSegmentWithinTwoPixels) {
    const THitCase& c = GetParam();
    TTestOwner owner(4);
    owner.DrawOnBitmaps();
    TKxLine line(&owner);
    line.P1 = c.P1;
    line.P2 = c.P2;
    EXPECT_EQ(KxTestHit(line, c.Probe), c.Hit);
}

INSTANTIATE_TEST_SUITE_P(Cases, KxLineHit, ::testing::ValuesIn(HitCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(KxLineHitRange, FarLineDoesNotWrapIntoAHit) {
    // 2^29 pixels long and 8 pixels off: the cross product is 2^32, which in 32 bits would be 0.
    TTestOwner owner(1);
    owner.DrawOnBitmaps();
    TKxLine line(&owner);
    line.P2 = {1 << 29, 0};
    EXPECT_FALSE(KxTestHit(line, {0, 8}));
    EXPECT_TRUE(KxTestHit(line, {1 << 28, 2}));
    line.P1 = {INT32_MIN, INT32_MIN};
    line.P2 = {INT32_MAX, INT32_MAX};
    EXPECT_TRUE(KxTestHit(line, {0, 0}));
    EXPECT_FALSE(KxTestHit(line, {0, 3}));
}

TEST(KxLineDraw, EveryTargetDrawsTheSegmentWithOrigin) {
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        TTestOwner owner;
        owner.DrawOnBitmaps();
        TKxLine line(&owner);
        line.P1 = {10, 20};
        line.P2 = {110, 20};
        line.Color = clBlue;
        KxTestDraw(line, {5, 30}, target, false);
        // The last point is left out, as the platform's LineTo does.
        EXPECT_EQ(ColourBox(owner.Image(target), clBlue), QRect(QPoint(15, 50), QPoint(114, 50)))
            << KxEnumName(target).toStdString();
        line.PenWidth = 3;
        KxTestDraw(line, {5, 60}, target, false);
        EXPECT_EQ(ColourBox(owner.Image(target).copy(0, 70, 400, 30), clBlue).height(), 3);
        EXPECT_TRUE(line.Bounds.IsEmpty());
    }
}

TEST(KxLineDraw, PenStyleFromTheRecordOrdinal) {
    TTestOwner owner;
    owner.DrawOnBitmaps();
    TKxLine line(&owner);
    line.P1 = {0, 10};
    line.P2 = {300, 10};
    KxTestDraw(line, {}, tdPrint, false);
    const int solid = CountColour(owner.Image(tdPrint), clBlack);
    line.PenStyle = 2; // dotted
    KxTestDraw(line, {0, 20}, tdPrint, false);
    const int both = CountColour(owner.Image(tdPrint), clBlack);
    EXPECT_GT(both - solid, 0);
    EXPECT_LT(both - solid, solid * 3 / 4);
    line.PenStyle = 200; // no such style: solid
    KxTestDraw(line, {0, 40}, tdPrint, false);
    EXPECT_EQ(CountColour(owner.Image(tdPrint), clBlack) - both, solid);
}
