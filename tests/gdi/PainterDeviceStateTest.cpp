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
        for (int i = 0; i < count; ++i)
            Rects.push_back(rects[i]);
        RectColors.insert(RectColors.end(), count, Brush.color());
    }
    void drawPath(const QPainterPath&) override { ++Paths; }
    void drawTextItem(const QPointF&, const QTextItem&) override { TextTransforms.push_back(Transform); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void Reset() { Pens = Brushes = Transforms = Clips = Paths = 0, Rects.clear(), RectColors.clear(); }

    int Pens = 0, Brushes = 0, Transforms = 0, Clips = 0, Paths = 0;
    std::vector<QRectF> Rects;
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

} // namespace
