#include "platform/Rounding.h"

#include <gtest/gtest.h>

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
