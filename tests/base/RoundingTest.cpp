#include "base/Rounding.h"
#include "base/Saturate.h"

#include <gtest/gtest.h>
#include <limits>

TEST(KxRounding, RoundTakesHalvesToEven) {
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(-3.5L), -4);
    EXPECT_EQ(Round(2.5000001L), 3);
}

TEST(KxRounding, TruncAndFracKeepTheSign) {
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_NEAR(static_cast<double>(Frac(-2.75L)), -0.75, 1e-12);
}

TEST(KxRounding, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000); // needs the 64-bit product
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1); // does not fit
}

// Coordinates from a file may be anything: rectangle and point arithmetic stops at the 32-bit limits
// instead of wrapping round into a plausible position.
TEST(KxSaturation, RectangleAndPointArithmeticStopsAtTheLimits) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    TRect r{lo, -10, hi, 10};
    EXPECT_EQ(r.Width(), hi);
    InflateRect(r, 5, hi);
    EXPECT_EQ(r, (TRect{lo, lo, hi, hi}));
    OffsetRect(r, -1, 1);
    EXPECT_EQ(r, (TRect{lo, lo + 1, hi - 1, hi}));
    EXPECT_EQ((TPoint{hi, lo} + TPoint{1, -1}), (TPoint{hi, lo}));
    EXPECT_EQ((TPoint{lo, hi} - TPoint{1, -1}), (TPoint{lo, hi}));
    TRect box{0, 0, 100, 100};
    InsetRect(box, int64_t{hi} * 4, -int64_t{hi} * 4);
    EXPECT_EQ(box, (TRect{hi, lo, lo, hi}));
    EXPECT_EQ(SatMul(int64_t{1} << 40, int64_t{1} << 40), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(SatAdd(std::numeric_limits<int64_t>::min(), -1), std::numeric_limits<int64_t>::min());
}
