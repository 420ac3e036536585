#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"

#include <array>
#include <gtest/gtest.h>
#include <QImage>

#include "common/PixelProbe.h"

TEST(KxCanvasEdges, FiguresLeaveOutRightAndBottomEdges) {
    TBitmap bmp(60, 60);
    TCanvas& c = bmp.Canvas();
    c.Brush.Color = clRed;
    c.FillRect({10, 10, 20, 30});
    EXPECT_EQ(ColourBox(bmp.Image(), clRed), QRect(QPoint(10, 10), QPoint(19, 29)));

    bmp.SetSize(0, 0);
    bmp.SetSize(60, 60);
    c.Pen = {clBlue, 1, psSolid, pmCopy};
    c.Brush.Color = clLime;
    c.Rectangle(10, 10, 20, 30);
    EXPECT_EQ(ColourBox(bmp.Image(), clBlue), QRect(QPoint(10, 10), QPoint(19, 29)));
    EXPECT_EQ(ColourBox(bmp.Image(), clLime), QRect(QPoint(11, 11), QPoint(18, 28)));

    // Corners given in the other order describe the same box.
    bmp.SetSize(0, 0);
    bmp.SetSize(60, 60);
    c.Ellipse(40, 50, 10, 10);
    EXPECT_EQ(ColourBox(bmp.Image(), clBlue), QRect(QPoint(10, 10), QPoint(39, 49)));
}

TEST(KxCanvasEdges, LineToLeavesOutItsEndPointAndMovesThePen) {
    TBitmap bmp(40, 40);
    TCanvas& c = bmp.Canvas();
    c.Pen = {clBlack, 0, psSolid, pmCopy};
    c.MoveTo(5, 5);
    c.LineTo(15, 5);
    c.LineTo(15, 20);
    EXPECT_EQ(c.PenPos(), Point(15, 20));
    EXPECT_EQ(c.Pixels(5, 5), clBlack);
    EXPECT_EQ(c.Pixels(14, 5), clBlack);
    EXPECT_EQ(c.Pixels(15, 19), clBlack);
    EXPECT_EQ(c.Pixels(15, 20), clWhite);
    EXPECT_EQ(CountColour(bmp.Image(), clBlack), 10 + 15);

    // Backwards and diagonal lines stop one pixel short as well.
    c.MoveTo(30, 30);
    c.LineTo(20, 30);
    EXPECT_EQ(c.Pixels(21, 30), clBlack);
    EXPECT_EQ(c.Pixels(20, 30), clWhite);
    c.MoveTo(2, 20);
    c.LineTo(12, 30);
    EXPECT_EQ(c.Pixels(11, 29), clBlack);
    EXPECT_EQ(c.Pixels(12, 30), clWhite);
}

TEST(KxCanvasPen, InsideFrameKeepsTheStrokeInsideTheBox) {
    for (const TPenStyle style : {psInsideFrame, psSolid}) {
        TBitmap bmp(80, 80);
        TCanvas& c = bmp.Canvas();
        c.Pen = {clBlue, 5, style, pmCopy};
        c.Brush = {clLime, bsSolid};
        c.Rectangle(20, 20, 60, 50);
        const QRect stroke = ColourBox(bmp.Image(), clBlue);
        if (style == psInsideFrame) {
            EXPECT_EQ(stroke, QRect(QPoint(20, 20), QPoint(59, 49)));
            EXPECT_EQ(ColourBox(bmp.Image(), clLime), QRect(QPoint(25, 25), QPoint(54, 44)));
        } else {
            // A centred pen straddles the edge, so it reaches outside the box.
            EXPECT_LT(stroke.left(), 20);
            EXPECT_GT(stroke.bottom(), 49);
        }
    }
    for (const bool circle : {false, true}) {
        TBitmap bmp(80, 80);
        TCanvas& c = bmp.Canvas();
        c.Pen = {clRed, 4, psInsideFrame, pmCopy};
        c.Brush.Style = bsClear;
        if (circle)
            c.Ellipse(10, 10, 70, 50);
        else
            c.RoundRect(10, 10, 70, 50, 20, 20);
        EXPECT_EQ(ColourBox(bmp.Image(), clRed), QRect(QPoint(10, 10), QPoint(69, 49)));
        EXPECT_EQ(c.Pixels(40, 30), clWhite); // clear brush: the inside stays
        // The rounded corner leaves the box's corner pixel empty.
        EXPECT_EQ(c.Pixels(10, 10), clWhite);
    }
}

TEST(KxCanvasPen, WidthZeroIsOnePixelAndOtherWidthsScale) {
    TBitmap bmp(100, 100);
    TCanvas& c = bmp.Canvas();
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(1000, 1000);
    c.SetViewportExtEx(100, 100); // ten logical units per pixel
    c.Brush.Style = bsClear;
    c.Pen = {clBlack, 0, psInsideFrame, pmCopy};
    c.Rectangle(100, 100, 500, 500);
    EXPECT_EQ(c.Pixels(100, 300), clBlack);
    EXPECT_EQ(c.Pixels(110, 300), clWhite);
    c.Pen = {clRed, 30, psInsideFrame, pmCopy};
    c.Rectangle(600, 100, 900, 500);
    EXPECT_EQ(c.Pixels(600, 300), clRed);
    EXPECT_EQ(c.Pixels(620, 300), clRed);
    EXPECT_EQ(c.Pixels(630, 300), clWhite);
}

TEST(KxCanvasPen, NotXorDrawnTwiceRestoresThePixels) {
    TBitmap bmp(120, 90);
    TCanvas& c = bmp.Canvas();
    // A busy background, so a wrong raster operation cannot hide behind white.
    for (int i = 0; i < 12; ++i) {
        c.Brush.Color = RGB(i * 20, 255 - i * 20, (i * 53) % 256);
        c.FillRect({i * 10, 0, i * 10 + 10, 90});
    }
    const QImage before = bmp.Image().copy();
    c.Pen = {RGB(40, 90, 200), 1, psSolid, pmNotXor};
    c.Brush.Style = bsClear;
    auto bands = [&] {
        c.Rectangle(5, 5, 80, 60);
        c.MoveTo(3, 80);
        c.LineTo(110, 7);
        const std::array<TPoint, 3> triangle{Point(60, 10), Point(70, 30), Point(80, 10)};
        c.Brush = {clYellow, bsSolid};
        c.Polygon(triangle);
        c.Ellipse(20, 20, 100, 85);
        c.Brush.Style = bsClear;
    };
    bands();
    EXPECT_NE(bmp.Image(), before);
    bands();
    EXPECT_EQ(bmp.Image(), before);
}

TEST(KxCanvasMapping, IsotropicUsesTheSmallerRatioOnBothAxes) {
    TBitmap bmp(300, 300);
    TCanvas& c = bmp.Canvas();
    EXPECT_EQ(c.SetMapMode(MM_ISOTROPIC), MM_TEXT);
    c.SetWindowExtEx(1000, 1000);
    c.SetViewportExtEx(200, 100); // 0.2 across, 0.1 down: both become 0.1
    c.SetWindowOrgEx(100, 0);
    c.SetViewportOrgEx(10, 20);
    EXPECT_EQ(c.LPtoDP(Point(100, 0)), Point(10, 20));
    EXPECT_EQ(c.LPtoDP(Point(600, 500)), Point(60, 70));
    EXPECT_EQ(c.DPtoLP(Point(60, 70)), Point(600, 500));
    c.Brush.Color = clRed;
    c.FillRect({100, 0, 1100, 1000});
    EXPECT_EQ(ColourBox(bmp.Image(), clRed), QRect(10, 20, 100, 100));
    EXPECT_EQ(c.SetMapMode(MM_TEXT), MM_ISOTROPIC);
    EXPECT_EQ(c.LPtoDP(Point(600, 500)), Point(600 - 100 + 10, 500 + 20)); // origins still apply

    // Flipped extents keep their signs and the uniform magnitude.
    TMapping m;
    m.Mode = MM_ISOTROPIC;
    m.WindowExt = {100, 100};
    m.ViewportExt = {-50, 400};
    EXPECT_DOUBLE_EQ(m.ScaleX(), -0.5);
    EXPECT_DOUBLE_EQ(m.ScaleY(), 0.5);
    EXPECT_FALSE(c.SetWindowExtEx(0, 10));
}

TEST(KxCanvasImages, DrawIsNaturalSizeAndCopyRectCopiesPixels) {
    TBitmap source(20, 10);
    source.Canvas().Brush.Color = clBlue;
    source.Canvas().FillRect({0, 0, 20, 10});
    source.Canvas().SetPixels(0, 0, clRed);
    EXPECT_EQ(source.Canvas().Pixels(0, 0), clRed);
    EXPECT_EQ(source.Canvas().Pixels(25, 0), clNone);

    TBitmap target(200, 200);
    TCanvas& c = target.Canvas();
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(100, 100);
    c.SetViewportExtEx(200, 200); // two pixels per logical unit
    c.Draw(10, 10, source);       // 20 x 10 logical units = 40 x 20 pixels
    EXPECT_EQ(ColourBox(target.Image(), clBlue) | ColourBox(target.Image(), clRed), QRect(20, 20, 40, 20));
    EXPECT_EQ(ColourBox(target.Image(), clRed), QRect(20, 20, 2, 2));

    c.StretchDraw({0, 50, 100, 100}, source);
    EXPECT_EQ(target.Canvas().Pixels(99, 99), clBlue);

    TBitmap copy(50, 50);
    EXPECT_TRUE(BitBlt(copy.Canvas(), 5, 5, 10, 10, target.Canvas(), 10, 10));
    EXPECT_EQ(ColourBox(copy.Image(), clRed), QRect(5, 5, 1, 1));
    EXPECT_EQ(copy.Canvas().Pixels(14, 9), clBlue);
    EXPECT_EQ(copy.Canvas().Pixels(15, 9), clWhite);
}

TEST(KxBitmap, ResizeKeepsTheCanvasStateAndEmptyBitmapsDrawNothing) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.Empty());
    bmp.Canvas().Rectangle(0, 0, 10, 10); // no pixels yet: ignored, no crash
    EXPECT_EQ(bmp.Canvas().Pixels(0, 0), clNone);
    bmp.Canvas().Brush.Color = clRed;
    bmp.SetSize(30, 20);
    EXPECT_EQ(bmp.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bmp.Canvas().Pixels(29, 19), clWhite);
    bmp.Canvas().FillRect({0, 0, 30, 20});
    EXPECT_EQ(bmp.Canvas().Pixels(29, 19), clRed);
    bmp.SetSize(-5, 10);
    EXPECT_TRUE(bmp.Empty());
}
