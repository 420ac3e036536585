#include "metafile/GdiPlayer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>

#include "base/ByteReader.h"
#include "base/InvalidGraphic.h"
#include "common/PixelProbe.h"
#include "gdi/Bitmap.h"
#include "metafile/DibReader.h"
#include "metafile/Picture.h"

namespace {

TGdiObject Brush(TColor colour) {
    return {TGdiObject::TKind::Brush, 0, 0, colour, {}};
}

TGdiObject Pen(TColor colour, int32_t width) {
    return {TGdiObject::TKind::Pen, 0, width, colour, {}};
}

// A player drawing on a 100 by 100 bitmap, one device unit per pixel, 10 pixels per millimetre.
struct TPlayerBench {
    TBitmap Bitmap{100, 100};
    TGdiPlayer Player{Bitmap.Canvas(), QTransform(), 10.0};
};

void Le16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void Le32(QByteArray& b, uint32_t v) {
    Le16(b, int(v & 0xFFFF));
    Le16(b, int(v >> 16));
}

} // namespace

TEST(KxGdiPlayerMapping, MetricModesCountUpwardsFromTheViewportOrigin) {
    TPlayerBench b;
    b.Player.SetObject(1, Brush(clRed));
    b.Player.SelectObject(1);
    b.Player.SelectStock(8); // null pen
    b.Player.SetMapMode(2);  // tenths of a millimetre: one pixel here
    b.Player.SetViewportOrg({0, 100});
    b.Player.Rectangle({10, 80}, {50, 40});
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clRed), QRect(QPoint(10, 20), QPoint(49, 59)));
}

TEST(KxGdiPlayerMapping, IsotropicKeepsTheSmallerScaleAndStateRestores) {
    TPlayerBench b;
    b.Player.SetObject(0, Brush(clBlue));
    b.Player.SelectObject(0);
    b.Player.SelectStock(8);
    b.Player.SaveDC();
    b.Player.SetMapMode(7);
    b.Player.SetWindowExt({100, 100});
    b.Player.SetViewportExt({50, 200}); // x halves, y would double: both halve
    b.Player.Rectangle({20, 20}, {60, 100});
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clBlue), QRect(QPoint(10, 10), QPoint(29, 49)));
    b.Player.RestoreDC(-1);
    b.Player.SetObject(0, Brush(clLime));
    b.Player.SelectObject(0);
    b.Player.Rectangle({60, 60}, {70, 70}); // back in device units
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clLime), QRect(QPoint(60, 60), QPoint(69, 69)));
}

TEST(KxGdiPlayerPaths, AFilledPathLeavesItsHoleEmptyAndStrokesItsFigures) {
    TPlayerBench b;
    b.Player.SetObject(0, Brush(clRed));
    b.Player.SelectObject(0);
    b.Player.SetObject(1, Pen(clBlue, 1));
    b.Player.SelectObject(1);
    b.Player.BeginPath();
    b.Player.Rectangle({10, 10}, {90, 90});
    b.Player.MoveTo({30, 30});
    b.Player.PolylineTo(QPolygonF{QPointF(70, 30), QPointF(70, 70), QPointF(30, 70)});
    b.Player.CloseFigure();
    b.Player.EndPath();
    b.Player.StrokeAndFillPath();
    const QImage& image = b.Bitmap.Image();
    EXPECT_EQ(image.pixel(20, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(50, 30), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(10, 50), qRgb(0, 0, 255));
}

TEST(KxGdiPlayerPaths, CurvesReachTheirEndPointsAndTheCurrentPositionMoves) {
    TPlayerBench b;
    b.Player.SetObject(0, Pen(clBlack, 1));
    b.Player.SelectObject(0);
    b.Player.MoveTo({10, 50});
    b.Player.PolyBezier(QPolygonF{QPointF(10, 10), QPointF(90, 10), QPointF(90, 50)}, true);
    b.Player.LineTo({90, 90});
    const QRect ink = ColourBox(b.Bitmap.Image(), clBlack);
    // The curve's top is at 3/4 of the way to its control points.
    EXPECT_NEAR(ink.top(), 20, 1);
    EXPECT_EQ(ink.left(), 10);
    EXPECT_EQ(ink.right(), 90);
    EXPECT_EQ(ink.bottom(), 89);
}

TEST(KxGdiPlayerObjects, ObjectsTakeTheLowestFreeSlotAndStockPensDrawNothing) {
    TPlayerBench b;
    b.Player.AddObject(Pen(clRed, 1)); // slot 0
    b.Player.AddObject(Brush(clLime)); // slot 1
    b.Player.DeleteObject(0);
    b.Player.AddObject(Pen(clBlue, 1)); // slot 0 again
    b.Player.SelectObject(0);
    b.Player.SelectObject(1);
    b.Player.Rectangle({10, 10}, {30, 30});
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clBlue), QRect(QPoint(10, 10), QPoint(29, 29)));
    EXPECT_EQ(CountColour(b.Bitmap.Image(), clRed), 0);
    b.Player.SelectStock(8);
    b.Player.Rectangle({50, 50}, {70, 70});
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clLime),
              QRect(QPoint(11, 11), QPoint(28, 28)) | QRect(QPoint(50, 50), QPoint(69, 69)));
}

TEST(KxGdiPlayerMapping, ATransformWithoutValuesDrawsNothingAndTheNextOneDrawsAgain) {
    TPlayerBench b;
    b.Player.SetObject(0, Brush(clRed));
    b.Player.SelectObject(0);
    b.Player.SelectStock(8);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    b.Player.ModifyWorldTransform(QTransform(nan, 0, 0, 1, 0, 0), 4);
    b.Player.Rectangle({10, 10}, {50, 50});
    b.Player.Ellipse({10, 10}, {50, 50});
    EXPECT_EQ(CountColour(b.Bitmap.Image(), clRed), 0);
    b.Player.ModifyWorldTransform(QTransform(), 1);
    b.Player.Rectangle({10, 10}, {50, 50});
    EXPECT_EQ(ColourBox(b.Bitmap.Image(), clRed), QRect(QPoint(10, 10), QPoint(49, 49)));
}

class KxDibDepths : public ::testing::TestWithParam<int> {};

// A 3 by 2 bitmap, top row red green blue, bottom row white black red, in each depth.
TEST_P(KxDibDepths, DecodesEveryPixelInBothRowOrders) {
    const int bits = GetParam();
    const QRgb pixels[2][3] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                               {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0)}};
    const QRgb palette[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                            qRgb(0, 0, 0)};
    auto index = [&](QRgb c) {
        return int(std::find(std::begin(palette), std::end(palette), c) - std::begin(palette));
    };
    for (const bool topDown : {false, true}) {
        QByteArray dib;
        Le32(dib, 40);
        Le32(dib, 3);
        Le32(dib, uint32_t(topDown ? -2 : 2));
        Le16(dib, 1);
        Le16(dib, bits);
        for (int i = 0; i < 6; ++i)
            Le32(dib, 0);
        if (bits <= 8)
            for (int i = 0; i < (1 << bits); ++i) {
                const QRgb c = i < 5 ? palette[i] : 0;
                dib.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
            }
        for (int row = 0; row < 2; ++row) {
            const int y = topDown ? row : 1 - row;
            QByteArray line((3 * bits + 7) / 8, '\0');
            for (int x = 0; x < 3; ++x) {
                const QRgb c = pixels[y][x];
                if (bits == 4)
                    line[x / 2] = char(line[x / 2] | index(c) << (x % 2 ? 0 : 4));
                else if (bits == 8)
                    line[x] = char(index(c));
                else if (bits == 16) {
                    const int v = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3;
                    line[2 * x] = char(v & 0xFF);
                    line[2 * x + 1] = char(v >> 8);
                } else {
                    const int at = x * bits / 8;
                    line[at] = char(qBlue(c));
                    line[at + 1] = char(qGreen(c));
                    line[at + 2] = char(qRed(c));
                }
            }
            while (line.size() % 4)
                line.append('\0');
            dib.append(line);
        }
        const QImage image = ReadPackedDib(TByteReader(dib, "dib"));
        ASSERT_EQ(image.size(), QSize(3, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(image.pixel(x, y), pixels[y][x])
                    << bits << " bits, " << x << "," << y << (topDown ? " top-down" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(Bits, KxDibDepths, ::testing::Values(4, 8, 16, 24, 32));

TEST(KxWmfReader, PlaceableFileDrawsItsRecordsInTheBox) {
    // Placeable header: box 0,0 to 1440,720 in 1440 units per inch (1 by 0.5 inch).
    QByteArray wmf;
    Le32(wmf, 0x9AC6CDD7);
    for (int v : {0, 0, 0, 1440, 720, 1440})
        Le16(wmf, v);
    Le32(wmf, 0);
    Le16(wmf, 0);
    for (int v : {1, 9, 0x300})
        Le16(wmf, v);
    Le32(wmf, 0);
    Le16(wmf, 2);
    Le32(wmf, 0);
    Le16(wmf, 0);
    auto record = [&](int function, std::initializer_list<int> words, const QByteArray& tail = {}) {
        Le32(wmf, uint32_t(3 + words.size() + tail.size() / 2));
        Le16(wmf, function);
        for (int w : words)
            Le16(wmf, w);
        wmf.append(tail);
    };
    record(0x02FC, {0, 0x00FF, 0x0000, 0}); // solid brush, colour 0x0000FF (red)
    record(0x012D, {0});                    // select it
    record(0x02FA, {5, 0, 0, 0, 0});        // null pen
    record(0x012D, {1});
    record(0x02FB, {-240 & 0xFFFF, 0, 0, 0, 400, 0, 0x0100, 0, 0}, QByteArray("Arial", 6)); // em of 16 pixels
    record(0x012D, {2});
    record(0x041B, {360, 720, 0, 0}); // rectangle: bottom, right, top, left
    record(0x0521, {2}, QByteArray("Kx").append(QByteArray::fromHex("00020000"))); // "Kx" at (0, 512)
    record(0x0000, {});
    TPicture p;
    p.LoadFromBytes(wmf, "made.wmf");
    EXPECT_EQ(p.Width(), 96);
    EXPECT_EQ(p.Height(), 48);
    TBitmap bmp(96, 48);
    bmp.Canvas().Draw(0, 0, p);
    EXPECT_TRUE(NearBox(ColourBox(bmp.Image(), clRed), QRect(0, 0, 48, 24), 1));
    // The text's cell starts at (0, 512) units: x 0, y 34 pixels, below the rectangle.
    const QRect ink = InkBox(bmp.Image().copy(0, 24, 96, 24)).translated(0, 24);
    EXPECT_NEAR(ink.left(), 1, 2);
    EXPECT_GE(ink.top(), 34);
    EXPECT_LE(ink.top(), 38);
    EXPECT_GT(ink.height(), 8);
}
