#include "gdi/PainterDevice.h"

#include <gtest/gtest.h>
#include <QPaintEngine>
#include <vector>

#include "gdi/Canvas.h"

// What the painter device tells a vector engine: every pen, brush, transform or clip it is given is
// written into the page, so a device that repeats them writes pages several times the size.
namespace {

// Counts the state changes and drawing calls that reach the engine, as a PDF engine receives them.
class TCountingEngine : public QPaintEngine {
public:
    TCountingEngine()
        : QPaintEngine(QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) &
                       ~QPaintEngine::RasterOpModes) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags f = state.state();
        Pens += (f & DirtyPen) != 0;
        Brushes += (f & DirtyBrush) != 0;
        Transforms += (f & DirtyTransform) != 0;
        Clips += (f & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) != 0;
        if (f & DirtyBrush) Brush = state.brush();
        if (f & DirtyTransform) Transform = state.transform();
    }
    void drawRects(const QRectF* rects, int count) override {
        ++RectCalls;
        for (int i = 0; i < count; ++i)
            Rects.push_back(rects[i]);
        RectTransforms.insert(RectTransforms.end(), count, Transform);
        RectColors.insert(RectColors.end(), count, Brush.color());
    }
    void drawPath(const QPainterPath&) override { ++Paths; }
    void drawTextItem(const QPointF&, const QTextItem&) override { TextTransforms.push_back(Transform); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void Reset() {
        Pens = Brushes = Transforms = Clips = Paths = RectCalls = 0;
        Rects.clear(), RectColors.clear(), RectTransforms.clear();
    }
    /// The rectangles where they land on the device.
    std::vector<QRectF> DeviceRects() const {
        std::vector<QRectF> out;
        for (size_t i = 0; i < Rects.size(); ++i)
            out.push_back(RectTransforms[i].mapRect(Rects[i]));
        return out;
    }

    int Pens = 0, Brushes = 0, Transforms = 0, Clips = 0, Paths = 0, RectCalls = 0;
    std::vector<QRectF> Rects;
    std::vector<QTransform> RectTransforms;
    std::vector<QColor> RectColors;
    std::vector<QTransform> TextTransforms;

private:
    QBrush Brush;
    QTransform Transform;
};

class TCountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &FEngine; }
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight: return 4000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 1200;
        case PdmDepth: return 32;
        default: return QPaintDevice::metric(m);
        }
    }
    TCountingEngine& Engine() const { return FEngine; }

private:
    mutable TCountingEngine FEngine;
};

class KxPainterDeviceState : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FPainter.Begin());
        FCanvas.Font.SetName(QStringLiteral("Arial"));
        FCanvas.Font.SetHeight(40);
        FCanvas.Brush = {clBlack, bsSolid};
        FCanvas.Pen = {clBlack, 0, psInsideFrame, pmCopy};
    }
    // A barcode's bars: figures whose fill and outline are one colour.
    void Bars(int Count, int Left = 100) {
        for (int i = 0; i < Count; ++i)
            FCanvas.Rectangle(Left + i * 14, 100, Left + i * 14 + 4 + i % 3 * 4, 250);
    }

    TCountingDevice FDevice;
    TCountingEngine& FEngine = FDevice.Engine();
    TPainterDevice FPainter{&FDevice};
    TCanvas FCanvas{&FPainter};
};

TEST_F(KxPainterDeviceState, BarsOfOneColourGoAsRectanglesWithOneBrush) {
    Bars(1);
    FEngine.Reset();
    Bars(29, 114);
    EXPECT_EQ(FEngine.Rects.size(), 29u);
    EXPECT_EQ(FEngine.Rects.front(), QRectF(114, 100, 4, 150));
    EXPECT_EQ(FEngine.Paths, 0);
    EXPECT_EQ(FEngine.Brushes, 0);
    EXPECT_EQ(FEngine.Pens, 0);
    EXPECT_EQ(FEngine.Transforms, 0);
}

TEST_F(KxPainterDeviceState, AnotherColourSetsTheBrushAgain) {
    Bars(1);
    FEngine.Reset();
    FCanvas.Brush.Color = clRed;
    FCanvas.Pen.Color = clRed;
    Bars(2);
    EXPECT_EQ(FEngine.Brushes, 1);
    EXPECT_EQ(FEngine.RectColors, (std::vector<QColor>{Qt::red, Qt::red}));
}

TEST_F(KxPainterDeviceState, ABorderWiderThanHalfTheBoxFillsNoInside) {
    FCanvas.Brush = {clRed, bsSolid};
    FCanvas.Pen = {clBlue, 6, psInsideFrame, pmCopy};
    FEngine.Reset();
    FCanvas.Rectangle(100, 100, 110, 110);
    EXPECT_TRUE(FEngine.Rects.empty());
    EXPECT_EQ(FEngine.Paths, 1);
}

// Sizes from a file may be anything: a pen this wide grows the box past what an int holds.
TEST_F(KxPainterDeviceState, AFigurePastTheIntRangeStillGoesAsOneRectangle) {
    FCanvas.Pen = {clBlack, 2000000001, psSolid, pmCopy};
    FEngine.Reset();
    FCanvas.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
    ASSERT_EQ(FEngine.Rects.size(), 1u);
    EXPECT_EQ(FEngine.Rects.front().left(), -3000000000.0);
}

TEST_F(KxPainterDeviceState, UprightTextIsPlacedWithoutATransform) {
    FCanvas.TextOut(100, 100, QStringLiteral("Price: 12.50 EUR"));
    FCanvas.TextOut(100, 200, QStringLiteral("4001234567890"));
    Bars(3);
    FCanvas.TextOut(100, 300, QStringLiteral("again"));
    ASSERT_EQ(FEngine.TextTransforms.size(), 3u);
    for (const QTransform& t : FEngine.TextTransforms)
        EXPECT_TRUE(t.isIdentity());
}

TEST_F(KxPainterDeviceState, TurnedTextStillTurnsAboutItsReferencePoint) {
    TLogFont log = FCanvas.Font.GetLogFont();
    log.lfEscapement = 900;
    FCanvas.Font.SetLogFont(log);
    FCanvas.TextOut(500, 600, QStringLiteral("turned"));
    ASSERT_EQ(FEngine.TextTransforms.size(), 1u);
    const QTransform& t = FEngine.TextTransforms.front();
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(500, 600));
    // A quarter turn counter-clockwise on the page: along x becomes up.
    EXPECT_NEAR(t.map(QPointF(10, 0)).y(), 590, 1e-9);
}

TEST_F(KxPainterDeviceState, TheLinesOfAParagraphShareOneClip) {
    TRect box{100, 100, 400, 400};
    FEngine.Reset();
    FCanvas.Brush.Style = bsClear;
    FCanvas.DrawText(QStringLiteral("one two three four five six seven eight nine ten"), box,
                     DT_WORDBREAK | DT_NOPREFIX);
    ASSERT_GT(FEngine.TextTransforms.size(), 2u);
    EXPECT_EQ(FEngine.Clips, 1);
    // Whatever follows unclipped takes the clip off once.
    Bars(2);
    EXPECT_EQ(FEngine.Clips, 2);
}

TEST_F(KxPainterDeviceState, ASquareBorderIsFourBandsAndARoundedOneAPath) {
    FCanvas.Brush.Style = bsClear;
    FCanvas.Pen = {clBlack, 4, psInsideFrame, pmCopy};
    FEngine.Reset();
    FCanvas.RoundRect(100, 100, 300, 200, 0, 0);
    EXPECT_EQ(FEngine.RectCalls, 1);
    EXPECT_EQ(FEngine.Paths, 0);
    EXPECT_EQ(
        FEngine.Rects,
        (std::vector<QRectF>{{100, 100, 200, 4}, {100, 196, 200, 4}, {100, 104, 4, 92}, {296, 104, 4, 92}}));
    FEngine.Reset();
    FCanvas.RoundRect(100, 100, 300, 200, 20, 20);
    EXPECT_EQ(FEngine.RectCalls, 0);
    EXPECT_EQ(FEngine.Paths, 1);
}

// A run's labels differ only in data: written relative to their cells they read alike, and every
// figure still lands where it did. A lone rectangle (a bar) stays on the device: a viewer snaps the
// edges of a fill of one rectangle to its pixels, which keeps bars even.
TEST_F(KxPainterDeviceState, ACellIsWrittenRelativeToItsAnchorButItsBarsOnTheDevice) {
    const auto cell = [&](int X, int Y) {
        FEngine.Reset();
        FCanvas.Anchor(X, Y);
        FCanvas.Rectangle(X + 20, Y + 30, X + 24, Y + 180);
        FCanvas.Brush.Style = bsClear;
        FCanvas.Pen.Width = 3;
        FCanvas.Rectangle(X, Y, X + 600, Y + 350);
        FCanvas.Brush.Style = bsSolid;
        FCanvas.Pen.Width = 0;
        return FEngine.Rects;
    };
    const std::vector<QRectF> first = cell(75, 155);
    const std::vector<QRectF> second = cell(3193, 536);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first.front(), QRectF(95, 185, 4, 150));
    EXPECT_EQ(second.front(), QRectF(3213, 566, 4, 150));
    EXPECT_TRUE(FEngine.RectTransforms.front().isIdentity());
    EXPECT_EQ(std::vector<QRectF>(first.begin() + 1, first.end()),
              std::vector<QRectF>(second.begin() + 1, second.end()));
    EXPECT_EQ(first.back(), QRectF(597, 3, 3, 344));
    EXPECT_EQ(FEngine.DeviceRects().back(), QRectF(3790, 539, 3, 344));
    FCanvas.Unanchor();
    FEngine.Reset();
    FCanvas.Brush.Style = bsClear;
    FCanvas.Pen.Width = 3;
    FCanvas.Rectangle(100, 100, 200, 200);
    EXPECT_EQ(FEngine.Rects.front(), QRectF(100, 100, 100, 3));
    EXPECT_TRUE(FEngine.RectTransforms.front().isIdentity());
}

} // namespace
