#include <gtest/gtest.h>
#include <string>

#include "designer/KxMapping.h"

namespace {

struct TZoomCase {
    TKxZoom Zoom;
    int32_t Scale;
    float Factor;
    int32_t DefaultWidth;  // the 600 lu default label, pixels
    int32_t DefaultHeight; // the 350 lu default label, pixels
};

class KxZoomTable : public ::testing::TestWithParam<TZoomCase> {};

} // namespace

TEST_P(KxZoomTable, StepAndDefaultLabelSize) {
    const TZoomCase c = GetParam();
    const TKxZoomStep step = ZoomStep(c.Zoom);
    EXPECT_EQ(step.Scale, c.Scale);
    EXPECT_EQ(step.Factor, c.Factor);
    EXPECT_EQ(LabelPixels(600, step.Factor), c.DefaultWidth);
    EXPECT_EQ(LabelPixels(350, step.Factor), c.DefaultHeight);
    // Whole pixels map back exactly; label units at multiples of the scale round-trip.
    for (int32_t px : {28, 29, 53, 200}) {
        const int32_t lu = PixelToLabel(px, step.Scale, 28, 0);
        EXPECT_EQ(LabelToPixel(lu, step.Scale, 28, 0), px);
    }
}

INSTANTIATE_TEST_SUITE_P(AllZooms, KxZoomTable,
                         ::testing::Values(TZoomCase{zm50, 8, 0.125f, 75, 44},  // 43.75
                                           TZoomCase{zm75, 5, 0.2f, 120, 70},   // 0.2f is 0.2000000030
                                           TZoomCase{zm100, 4, 0.25f, 150, 88}, // 87.5 to the even 88
                                           TZoomCase{zm200, 2, 0.5f, 300, 175},
                                           TZoomCase{zm400, 1, 1.0f, 600, 350}),
                         [](const auto& info) { return KxEnumName(info.param.Zoom).toStdString(); });

TEST(KxMapping, LabelToPixelRoundsHalvesToEven) {
    EXPECT_EQ(LabelToPixel(0, 4, 28, 0), 28);
    EXPECT_EQ(LabelToPixel(100, 4, 28, 0), 53);
    EXPECT_EQ(LabelToPixel(2, 4, 28, 0), 28);  // 0.5 -> 0
    EXPECT_EQ(LabelToPixel(6, 4, 28, 0), 30);  // 1.5 -> 2
    EXPECT_EQ(LabelToPixel(10, 4, 28, 0), 30); // 2.5 -> 2
    EXPECT_EQ(LabelToPixel(-6, 4, 28, 0), 26); // -1.5 -> -2
    EXPECT_EQ(LabelToPixel(4, 8, 28, 0), 28);  // zm50: 0.5 -> 0
    EXPECT_EQ(LabelToPixel(12, 8, 28, 0), 30); // zm50: 1.5 -> 2
    EXPECT_EQ(LabelToPixel(100, 4, 28, 15), 38);
}

TEST(KxMapping, PixelToLabelIsTheIntegerInverse) {
    EXPECT_EQ(PixelToLabel(28, 4, 28, 0), 0);
    EXPECT_EQ(PixelToLabel(53, 4, 28, 0), 100);
    EXPECT_EQ(PixelToLabel(29, 5, 28, 0), 5);
    EXPECT_EQ(PixelToLabel(20, 4, 28, 0), -32);
    EXPECT_EQ(PixelToLabel(28, 4, 28, 12), 48);
}

TEST(KxMapping, LabelPixelsAtZm75UsesTheSingleFactor) {
    EXPECT_EQ(LabelPixels(2, 0.2f), 0);      // 0.4
    EXPECT_EQ(LabelPixels(13, 0.2f), 3);     // 2.6
    EXPECT_EQ(LabelPixels(125, 0.2f), 25);   // 25.0000004
    EXPECT_EQ(LabelPixels(350, 0.125f), 44); // 43.75
    EXPECT_EQ(LabelPixels(20, 0.125f), 2);   // 2.5 -> 2
    EXPECT_EQ(LabelPixels(28, 0.125f), 4);   // 3.5 -> 4
}

TEST(KxMapping, PixelToWorldIsProportionalToTheLabel) {
    EXPECT_FLOAT_EQ(PixelToWorld(28, 28, 0, 60.0f, 150), 0.0f);
    EXPECT_FLOAT_EQ(PixelToWorld(178, 28, 0, 60.0f, 150), 60.0f);
    EXPECT_FLOAT_EQ(PixelToWorld(53, 28, 0, 60.0f, 150), 10.0f);
    EXPECT_FLOAT_EQ(PixelToWorld(43, 28, 10, 60.0f, 150), 10.0f);
}

namespace {

struct TScrollCase {
    TKxScrollCode Code;
    int32_t From;
    int32_t Thumb;
    int32_t Expected;
};

class KxScrollTarget : public ::testing::TestWithParam<TScrollCase> {};

} // namespace

TEST_P(KxScrollTarget, RequestGivesClampedPosition) {
    const TScrollCase c = GetParam();
    TKxScrollAxis axis;
    axis.Min = 0;
    axis.Max = 188;
    axis.Pos = c.From;
    EXPECT_EQ(ScrollTarget(axis, c.Code, c.Thumb), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, KxScrollTarget,
    ::testing::Values(
        TScrollCase{TKxScrollCode::LineDown, 5, 0, 6}, TScrollCase{TKxScrollCode::LineUp, 5, 0, 4},
        TScrollCase{TKxScrollCode::LineUp, 0, 0, 0}, TScrollCase{TKxScrollCode::PageDown, 5, 0, 15},
        TScrollCase{TKxScrollCode::PageDown, 185, 0, 188}, TScrollCase{TKxScrollCode::PageUp, 5, 0, 0},
        TScrollCase{TKxScrollCode::PageUp, 25, 0, 15}, TScrollCase{TKxScrollCode::ThumbTrack, 5, 100, 100},
        TScrollCase{TKxScrollCode::ThumbTrack, 5, 500, 188},
        TScrollCase{TKxScrollCode::ThumbPosition, 5, -3, 0}, TScrollCase{TKxScrollCode::Top, 50, 0, 0},
        TScrollCase{TKxScrollCode::Bottom, 50, 0, 188}, TScrollCase{TKxScrollCode::EndScroll, 50, 99, 50}));
