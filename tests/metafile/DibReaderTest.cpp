#include "metafile/DibReader.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A 10 by 6 image whose every pixel tells its own position.
QImage Numbered() {
    QImage image(10, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    return image;
}

// The rectangle of the original that a part shows, from its corner pixels.
QRect Shown(const QImage& part) {
    const QRgb first = part.pixel(0, 0);
    return {qRed(first), qGreen(first), part.width(), part.height()};
}

} // namespace

TEST(KxDibSourcePart, CutsTheSourceRectangleAndKeepsTheWholeImageWhenItCoversNone) {
    const QImage image = Numbered();
    EXPECT_EQ(Shown(DibSourcePart(image, {2, 1, 3, 4})), QRect(2, 1, 3, 4));
    EXPECT_EQ(Shown(DibSourcePart(image, {8, 4, 5, 5})), QRect(8, 4, 2, 2));
    EXPECT_EQ(Shown(DibSourcePart(image, {-3, -3, 5, 5})), QRect(0, 0, 2, 2));
    // A negative size reaches back as the platform's rectangles normalise: from x + width - 1 to x.
    EXPECT_EQ(Shown(DibSourcePart(image, {5, 4, -2, -1})), QRect(2, 2, 4, 3));
    for (const TDibSource none : {TDibSource{0, 0, 0, 0}, {20, 0, 3, 3}, {0, 0, 4, 0}, {0, 0, 10, 6}})
        EXPECT_EQ(DibSourcePart(image, none).cacheKey(), image.cacheKey());
}

TEST(KxDibSourcePart, SourcesAtThe32BitLimitsAreClippedNotWrapped) {
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    const QImage image = Numbered();
    EXPECT_EQ(Shown(DibSourcePart(image, {-5, 2, hi, hi})), QRect(0, 2, 10, 4));
    EXPECT_EQ(Shown(DibSourcePart(image, {7, -1, hi, hi})), QRect(7, 0, 3, 6));
    EXPECT_EQ(Shown(DibSourcePart(image, {3, 3, lo, lo})), QRect(0, 0, 4, 4));
    EXPECT_EQ(DibSourcePart(image, {hi, hi, hi, hi}).cacheKey(), image.cacheKey());
    EXPECT_EQ(DibSourcePart(image, {-5, -5, lo, lo}).cacheKey(), image.cacheKey());
}
