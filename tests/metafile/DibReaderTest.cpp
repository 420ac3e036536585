#include "metafile/DibReader.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

#include "base/InvalidGraphic.h"

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

TEST(KxDibHeader, DepthsWithoutARowDecoderAreRefused) {
    for (const int bits : {0, 1, 2, 7, 12, 32}) {
        // 4 by 2 pixels, a colour table of 256 entries and rows of 32 bits per pixel: enough bytes for
        // any depth, so only the depth decides.
        QByteArray dib;
        for (const uint32_t v : {40u, 4u, 2u, 1u | uint32_t(bits) << 16, 0u, 0u, 0u, 0u, 0u, 0u})
            for (int i = 0; i < 4; ++i)
                dib.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        dib.append(QByteArray(256 * 4 + 4 * 2 * 4, '\x40'));
        if (bits == 1 || bits == 32)
            EXPECT_EQ(ReadPackedDib(TByteReader(dib, "dib")).size(), QSize(4, 2)) << bits;
        else
            EXPECT_THROW(ReadPackedDib(TByteReader(dib, "dib")), EInvalidGraphic) << bits;
    }
}
