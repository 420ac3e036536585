#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <set>

#include "base/Messages.h"
#include "common/PageRecording.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "designer/RecordOn.h"
#include "designer/RenderTestSupport.h"
#include "gdi/Bitmap.h"
#include "label/KxBackground.h"

using TOp = TMetaOp;

namespace {

// The default label at zm100 in a 400 x 300 control: corner at client pixel 28, 150 x 88 pixels,
// 112 label units from the bitmap's corner.
constexpr TRect LabelBox{28, 28, 178, 116};
constexpr int32_t Corner = 112;

std::vector<TOp> Ops(const TPageRecording& rec) {
    std::vector<TOp> ops;
    for (const auto& r : rec.Ops())
        ops.push_back(r.Kind);
    return ops;
}

// A recording canvas standing in for a preview page, so paper output can be read back.
struct TPaper {
    TPageRecording Rec;
    TCanvas Canvas{&Rec.Device()};
    explicit TPaper(TRecordingLab&) {}
    TKxDrawContext Context() { return {&Canvas, tdPreview}; }
};

} // namespace

TEST(KxLabCompose, LayersComeInOrderWithTheLabelMappingAroundFrameElementsAndGrid) {
    TShownLab s;
    s.Lab.GetFrame()->SetStyle(fsSingle);
    s.Lab.GetGrid()->SetShow(true);
    s.Lab.AddElement(std::make_unique<TSwatch>(s.Lab.Label(), TRect{100, 100, 200, 200}, clBlue));
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawAll(duNone);
    }
    std::vector<TOp> expected{TOp::FillRect, TOp::FillRect, TOp::RoundRect, TOp::FillRect};
    expected.insert(expected.end(), 35, TOp::Pixel);
    expected.insert(expected.end(), 3, TOp::Image);
    ASSERT_EQ(Ops(rec), expected);

    const auto r = rec.Ops();
    EXPECT_EQ(r[0].Rect, (TRect{0, 0, 400, 300}));
    EXPECT_EQ(r[0].State.Brush.Color, clGray);
    EXPECT_EQ(r[1].Rect, LabelBox);
    EXPECT_EQ(r[1].State.Mapping.Mode, MM_TEXT);
    for (size_t i = 2; i < 4 + 35; ++i) {
        EXPECT_EQ(r[i].State.Mapping.Mode, MM_ISOTROPIC);
        EXPECT_EQ(r[i].State.Mapping.WindowExt, (TSize{600, 350}));
        EXPECT_EQ(r[i].State.Mapping.ViewportExt, (TSize{150, 88}));
    }
    EXPECT_EQ(r[2].Rect, (TRect{Corner, Corner, Corner + 600, Corner + 350}));
    EXPECT_EQ(r[3].Rect, (TRect{Corner + 100, Corner + 100, Corner + 200, Corner + 200}));
    // Rulers pasted last, left strip, top strip, corner, in plain pixels.
    EXPECT_EQ(r[r.size() - 3].Rect, (TRect{0, 20, 20, 320}));
    EXPECT_EQ(r[r.size() - 2].Rect, (TRect{20, 0, 420, 20}));
    EXPECT_EQ(r[r.size() - 1].Rect, (TRect{0, 0, 20, 20}));
    EXPECT_EQ(r.back().State.Mapping.Mode, MM_TEXT);
    EXPECT_EQ(s.Surface().GetMapMode(), MM_TEXT);
}

TEST(KxLabCompose, ElementsAreDrawnFromTheLastIndexToTheFirst) {
    TShownLab s;
    std::vector<TDrawCall> log;
    for (int tag = 0; tag < 3; ++tag)
        s.Lab.AddElement(std::make_unique<TSwatch>(s.Lab.Label(), TRect{0, 0, 10, 10}, clBlue, &log, tag));
    s.Lab.SetHPosition(8);
    s.Lab.DrawAll(duNone);
    ASSERT_EQ(log.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(log[i].Tag, 2 - static_cast<int>(i));
        EXPECT_EQ(log[i].Origin, (TPoint{(28 - 8) * 4, Corner}));
        EXPECT_EQ(log[i].DrawType, tdLab);
        EXPECT_FALSE(log[i].WithData);
    }
}

TEST(KxLabCompose, TheFrontElementCoversTheOnesBehindItOnScreen) {
    TShownLab s;
    s.Lab.AddElement(std::make_unique<TSwatch>(s.Lab.Label(), TRect{100, 100, 300, 300}, clBlue));
    s.Lab.AddElement(std::make_unique<TSwatch>(s.Lab.Label(), TRect{200, 200, 400, 340}, clLime));
    s.Lab.PaintLabScreen(true);
    EXPECT_EQ(s.At(90, 90), Rgb(clBlue));  // (248, 248) units: both boxes, the front one shows
    EXPECT_EQ(s.At(118, 90), Rgb(clLime)); // (360, 248): only the back box
    EXPECT_EQ(s.At(40, 40), Rgb(clWhite));
}

TEST(KxLabCompose, WhileDesigningBackgroundFrameAndGridShowButElementsDoNot) {
    TShownLab s;
    std::vector<TDrawCall> log;
    s.Lab.AddElement(std::make_unique<TSwatch>(s.Lab.Label(), TRect{0, 0, 600, 350}, clBlue, &log));
    s.Lab.GetFrame()->SetStyle(fsSingle);
    s.Lab.GetGrid()->SetShow(true);
    s.Lab.SetDesigning(true);
    log.clear();
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawAll(duNone);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(rec.Ops(TOp::RoundRect).size(), 1u);
    EXPECT_EQ(rec.Ops(TOp::Pixel).size(), 35u);
    EXPECT_EQ(rec.Ops(TOp::FillRect).size(), 2u); // surround and background, no element
    s.Lab.SetDesigning(false);
    EXPECT_EQ(log.size(), 1u);
}

TEST(KxLabCompose, HiddenRulersLeaveTheControlColourThere) {
    TShownLab s;
    s.Lab.SetColor(clTeal);
    s.Lab.GetRulers()->SetVisible(false);
    EXPECT_EQ(s.At(5, 5), Rgb(clTeal));
    EXPECT_EQ(s.At(100, 5), Rgb(clTeal));
    EXPECT_EQ(s.At(5, 100), Rgb(clTeal));
    s.Lab.GetRulers()->SetVisible(true);
    EXPECT_EQ(s.At(5, 5), Rgb(clSilver));
}

TEST(KxLabBackground, PlainColourFillsTheLabelsPixelRectangle) {
    TShownLab s;
    s.Lab.GetBackSurf()->SetColor(clYellow);
    EXPECT_EQ(ColourBox(s.Lab.GetLabScreen().Image(), clYellow), LabelBox.ToQRect());
}

// A picture background of any format the picture reads is stretched over the label: the drawing of
// tests/data/shapes.* (200 x 100) on the 150 x 88 pixels of the label.
class KxLabPictureBackground : public ::testing::TestWithParam<const char*> {};

TEST_P(KxLabPictureBackground, IsStretchedOverTheLabel) {
    TShownLab s;
    TMessageCapture capture;
    s.Lab.GetBackSurf()->SetFileName(KxTestDataDir() + "/" + GetParam());
    s.Lab.GetBackSurf()->SetStyle(biImage);
    EXPECT_TRUE(capture.Messages.isEmpty()) << capture.Messages.join(u'\n').toStdString();
    const auto near = [&](int x, int y, QColor want) {
        const QColor got = QColor::fromRgb(s.At(x, y));
        return std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                   std::abs(got.blue() - want.blue()) <
               60;
    };
    EXPECT_TRUE(near(28 + 30, 28 + 26, Qt::red));   // the square's middle
    EXPECT_TRUE(near(28 + 112, 28 + 26, Qt::blue)); // the circle's centre
    EXPECT_TRUE(near(28 + 140, 28 + 5, Qt::white)); // the page between them
}

INSTANTIATE_TEST_SUITE_P(Formats, KxLabPictureBackground,
                         ::testing::Values("shapes.svg", "shapes.emf", "shapes.wmf"));

TEST(KxLabBackground, CircularLabelIsADiscWithAWhiteHoleOutlinedInGreyDots) {
    TShownLab s;
    s.Lab.SetColor(clTeal);
    s.Lab.GetBackSurf()->SetColor(clYellow);
    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.GetMeasure()->SetInnerCircle(10.0f);
    const TRect box{28, 28, 178, 178};
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawBackSurf(0, 0, tdLab, box);
    }
    const auto e = rec.Ops(TOp::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Rect, box);
    EXPECT_EQ(e[0].State.Pen.Style, psClear);
    EXPECT_EQ(e[0].State.Brush.Color, clYellow);
    // Radius 25 pixels in a 150-pixel box: inset (150 - 50) div 2.
    EXPECT_EQ(e[1].Rect, (TRect{78, 78, 128, 128}));
    EXPECT_EQ(e[1].State.Pen.Style, psDot);
    EXPECT_EQ(e[1].State.Pen.Color, clGray);
    EXPECT_EQ(e[1].State.Brush, (TBrush{clWhite, bsSolid}));

    s.Lab.PaintLabScreen(true);
    EXPECT_EQ(s.At(103, 103), Rgb(clWhite));
    EXPECT_EQ(s.At(50, 103), Rgb(clYellow));
    EXPECT_EQ(s.At(30, 30), Rgb(clTeal));
    const QRect hole(78, 78, 50, 50);
    const int grey = CountColour(s.Lab.GetLabScreen().Image().copy(hole), clGray);
    EXPECT_GT(grey, 20);
    EXPECT_LT(grey, 120); // dotted: far fewer than the whole circumference of about 157 pixels
}

TEST(KxLabBackground, PaperGetsTheHoleWithoutOutlineAndOnlyWhenThePrintFlagIsSet) {
    TShownLab s;
    TPaper paper(s.Lab);
    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.GetMeasure()->SetInnerCircle(10.0f);
    s.Lab.Label()->DrawBackSurf(1000, 2000, paper.Context());
    EXPECT_TRUE(paper.Rec.Empty());

    s.Lab.GetBackSurf()->SetPrint(true);
    s.Lab.Label()->DrawBackSurf(1000, 2000, paper.Context());
    const auto e = paper.Rec.Ops(TOp::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Rect, (TRect{1000, 2000, 1600, 2600}));
    EXPECT_EQ(e[1].Rect, (TRect{1200, 2200, 1400, 2400}));
    EXPECT_EQ(e[1].State.Pen.Style, psClear);
}

TEST(KxLabBackground, HorizontalGradientIsOneLinePerPixelRowFromColorToToColor) {
    TShownLab s;
    s.Lab.GetBackSurf()->SetColor(clRed);
    s.Lab.GetBackSurf()->SetToColor(clBlue);
    s.Lab.GetBackSurf()->SetStyle(biGradHor);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawBackSurf(0, 0, tdLab, LabelBox);
    }
    const auto lines = rec.Ops(TOp::Line);
    ASSERT_EQ(lines.size(), 88u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int32_t y = 28 + static_cast<int32_t>(i);
        EXPECT_EQ(lines[i].Points, (std::vector<TPoint>{{28, y}, {178, y}}));
        EXPECT_EQ(lines[i].State.Pen.Width, 0);
        if (i > 0) {
            EXPECT_LE(GetRValue(lines[i].State.Pen.Color), GetRValue(lines[i - 1].State.Pen.Color));
        }
    }
    EXPECT_EQ(lines.front().State.Pen.Color, clRed);
    EXPECT_EQ(lines.back().State.Pen.Color, clBlue);

    s.Lab.PaintLabScreen(true);
    EXPECT_EQ(s.At(100, 28), Rgb(clRed));
    EXPECT_EQ(s.At(100, 115), Rgb(clBlue));
    EXPECT_EQ(s.At(178, 60), Rgb(clGray));
}

TEST(KxLabBackground, VerticalGradientOnPaperIsOneLinePerTenthOfAMillimetre) {
    TShownLab s;
    TPaper paper(s.Lab);
    s.Lab.GetBackSurf()->SetColor(clBlack);
    s.Lab.GetBackSurf()->SetToColor(clWhite);
    s.Lab.GetBackSurf()->SetStyle(biGradVer);
    s.Lab.GetBackSurf()->SetPrint(true);
    s.Lab.Label()->DrawBackSurf(10, 20, paper.Context());
    const auto lines = paper.Rec.Ops(TOp::Line);
    ASSERT_EQ(lines.size(), 600u);
    EXPECT_EQ(lines[7].Points, (std::vector<TPoint>{{17, 20}, {17, 370}}));
    EXPECT_EQ(lines.front().State.Pen.Color, clBlack);
    EXPECT_EQ(lines.back().State.Pen.Color, clWhite);
    // Halfway: 299 * 255 / 599 = 127.3, rounded to 127.
    EXPECT_EQ(lines[299].State.Pen.Color, RGB(127, 127, 127));
}

// A label size from a file can be anything: paper then gets at most 10,000 bands of a gradient, from
// Color to ToColor and covering the label, rather than billions of lines.
TEST(KxLabBackground, HugeLabelFromAFileGetsGradientBandsOnPaper) {
    constexpr int32_t huge = std::numeric_limits<int32_t>::max();
    TShownLab s;
    s.Lab.GetBackSurf()->SetColor(clBlack);
    s.Lab.GetBackSurf()->SetToColor(clWhite);
    s.Lab.GetBackSurf()->SetPrint(true);
    s.Lab.SetRawLabelSize(600, huge);
    s.Lab.GetBackSurf()->SetStyle(biGradHor);
    TPaper linear(s.Lab);
    s.Lab.Label()->DrawBackSurf(0, 20, linear.Context());
    const auto bands = linear.Rec.Ops(TOp::FillRect);
    ASSERT_GT(bands.size(), 9000u);
    ASSERT_LE(bands.size(), 10000u);
    EXPECT_TRUE(linear.Rec.Ops(TOp::Line).empty());
    EXPECT_EQ(bands.front().Rect.Top, 20);
    EXPECT_EQ(bands.back().Rect.Bottom, huge); // as far as coordinates go
    for (size_t i = 1; i < bands.size(); ++i)
        ASSERT_EQ(bands[i].Rect.Top, bands[i - 1].Rect.Bottom);
    EXPECT_EQ(bands.front().State.Brush.Color, clBlack);
    EXPECT_GE(GetRValue(bands.back().State.Brush.Color), 254);

    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.SetRawLabelSize(huge, huge);
    s.Lab.GetBackSurf()->SetStyle(biGraCircle);
    ASSERT_EQ(s.Lab.GetBackSurf()->GetStyle(), biGraCircle);
    TPaper circular(s.Lab);
    s.Lab.Label()->DrawBackSurf(0, 0, circular.Context());
    const size_t rings = circular.Rec.Ops(TOp::Ellipse).size();
    EXPECT_GT(rings, 9000u);
    EXPECT_LE(rings, 10000u);
}

TEST(KxLabBackground, CircularGradientOn150PixelsIs75EllipsesEndingInToColor) {
    TShownLab s;
    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.GetBackSurf()->SetColor(clWhite);
    s.Lab.GetBackSurf()->SetToColor(clNavy);
    s.Lab.GetBackSurf()->SetStyle(biGraCircle);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawBackSurf(0, 0, tdLab, {28, 28, 178, 178});
    }
    const auto e = rec.Ops(TOp::Ellipse);
    ASSERT_EQ(e.size(), 75u);
    for (size_t i = 0; i < e.size(); ++i) {
        const auto k = static_cast<int32_t>(i);
        EXPECT_EQ(e[i].Rect, (TRect{28 + k, 28 + k, 178 - k, 178 - k}));
        EXPECT_EQ(e[i].State.Pen.Style, psClear);
    }
    EXPECT_EQ(e.front().State.Brush.Color, clWhite);
    EXPECT_EQ(e.back().State.Brush.Color, clNavy);

    s.Lab.PaintLabScreen(true);
    const QRgb centre = s.At(103, 103);
    EXPECT_LT(qRed(centre), 10);
    EXPECT_NEAR(qBlue(centre), 128, 4);
}

TEST(KxLabBackground, CircularGradientStopsAtTheHoleAndDrawsIt) {
    TShownLab s;
    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.GetMeasure()->SetInnerCircle(10.0f);
    s.Lab.GetBackSurf()->SetStyle(biGraCircle);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawBackSurf(0, 0, tdLab, {28, 28, 178, 178});
    }
    const auto e = rec.Ops(TOp::Ellipse);
    ASSERT_EQ(e.size(), 50u + 1u); // (150 - 50) div 2 rings, then the hole
    EXPECT_EQ(e.back().Rect, (TRect{78, 78, 128, 128}));
    EXPECT_EQ(e.back().State.Pen.Style, psDot);
}

TEST(KxLabBackground, CircularStepsHiddenUnderALaterOneOrOffTheBitmapAreSkipped) {
    // Centre (200, 200), radius 1200 - I for step I: it covers the 400 x 300 bitmap, whose farthest
    // corner is 283 pixels away (2 of slack), up to step 915, and reaches it to the last step.
    const TKxStepRange zoomedIn = KxVisibleCircleSteps({-1000, -1000, 1400, 1400}, 1200, {0, 0, 400, 300});
    EXPECT_EQ(zoomedIn.First, 915);
    EXPECT_EQ(zoomedIn.Last, 1199);
    const TKxStepRange aside = KxVisibleCircleSteps({1000, 1000, 1600, 1600}, 300, {0, 0, 400, 300});
    EXPECT_LT(aside.Last, aside.First);
}

TEST(KxLabBackground, OneLineGradientsDrawTheStartColour) {
    TShownLab s;
    TPaper paper(s.Lab);
    s.Lab.GetBackSurf()->SetColor(clRed);
    s.Lab.GetBackSurf()->SetToColor(clBlue);
    s.Lab.GetBackSurf()->SetStyle(biGradHor);
    s.Lab.GetBackSurf()->SetPrint(true);
    s.Lab.SetRawLabelSize(600, 1);
    s.Lab.Label()->DrawBackSurf(0, 0, paper.Context());
    const auto lines = paper.Rec.Ops(TOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].State.Pen.Color, clRed);

    s.Lab.SetRawLabelSize(600, 4); // one pixel high at zm100
    s.Lab.AdjustScroll();
    s.Lab.PaintLabScreen(true);
    EXPECT_EQ(s.At(100, 28), Rgb(clRed));
    EXPECT_EQ(s.At(100, 29), Rgb(clGray));
}

TEST(KxLabBackground, ALabelOfNoSizeComposesWithoutFailingInEveryStyle) {
    for (const TKxLabelType type : {ltRect, ltCircle}) {
        for (const TKxBackStyle style : {biNone, biGradHor, biGradVer, biGraCircle}) {
            SCOPED_TRACE(KxEnumName(style).toStdString());
            TShownLab s;
            s.Lab.GetMeasure()->SetLabelType(type);
            s.Lab.GetMeasure()->SetInnerCircle(5.0f);
            s.Lab.GetFrame()->SetStyle(fsDoble);
            s.Lab.GetGrid()->SetShow(true);
            s.Lab.GetBackSurf()->SetStyle(style);
            s.Lab.SetRawLabelSize(0, 0);
            s.Lab.AdjustScroll();
            TPageRecording rec;
            {
                TRecordOn on(s.Surface(), rec);
                s.Lab.DrawAll(duBoth);
            }
            const auto frames = rec.Ops(type == ltRect ? TOp::RoundRect : TOp::Ellipse);
            ASSERT_FALSE(frames.empty());
            // No ratio of its own: the zoom's four units per pixel.
            EXPECT_EQ(frames.back().State.Mapping.ScaleX(), 0.25);
            EXPECT_EQ(rec.Ops(TOp::Pixel).size(), 1u); // the grid's only dot, at the corner
        }
    }
}

TEST(KxLabFrame, SingleDoubleRoundedAndElliptic) {
    TShownLab s;
    TPaper paper(s.Lab);
    TKxFrame& frame = *s.Lab.GetFrame();
    frame.SetDist1(1.0f);
    frame.SetDist2(2.0f);
    frame.SetRadio(3.0f);
    frame.SetPenWidth(0.5f);
    frame.SetColor(clBlue);
    frame.SetStyle(fsSingle);
    s.Lab.Label()->DrawFrame(1000, 2000, paper.Context());
    auto rr = paper.Rec.Ops(TOp::RoundRect);
    ASSERT_EQ(rr.size(), 1u);
    EXPECT_EQ(rr[0].Rect, (TRect{1010, 2010, 1590, 2340}));
    EXPECT_EQ(rr[0].CornerW, 30);
    EXPECT_EQ(rr[0].CornerH, 30);
    EXPECT_EQ(rr[0].State.Pen, (TPen{clBlue, 5, psInsideFrame, pmCopy}));
    EXPECT_EQ(rr[0].State.Brush.Style, bsClear);

    paper.Rec.Clear();
    frame.SetStyle(fsDoble);
    s.Lab.Label()->DrawFrame(1000, 2000, paper.Context());
    rr = paper.Rec.Ops(TOp::RoundRect);
    ASSERT_EQ(rr.size(), 2u);
    EXPECT_EQ(rr[1].Rect, (TRect{1030, 2030, 1570, 2320}));
    EXPECT_EQ(rr[1].CornerW, 30);

    paper.Rec.Clear();
    s.Lab.GetMeasure()->SetLabelType(ltCircle);
    s.Lab.Label()->DrawFrame(0, 0, paper.Context());
    const auto e = paper.Rec.Ops(TOp::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Rect, (TRect{10, 10, 590, 590}));
    EXPECT_EQ(e[1].Rect, (TRect{30, 30, 570, 570}));
    EXPECT_TRUE(paper.Rec.Ops(TOp::RoundRect).empty());
}

TEST(KxLabFrame, GuidesShowOnScreenOnlyAndTheFrameScalesWithZoom) {
    TShownLab s;
    s.Lab.GetBackSurf()->SetShowAlign(true);
    s.Lab.GetBackSurf()->SetAlignLeft(10.0f);
    s.Lab.GetBackSurf()->SetAlignTop(5.0f);
    s.Lab.GetBackSurf()->SetAlignColor(clLime);
    TPaper paper(s.Lab);
    s.Lab.Label()->DrawFrame(0, 0, paper.Context());
    EXPECT_TRUE(paper.Rec.Empty());

    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawFrame(Corner, Corner, tdLab);
    }
    const auto lines = rec.Ops(TOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{Corner + 100, Corner}, {Corner + 100, Corner + 350}}));
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{Corner, Corner + 50}, {Corner + 600, Corner + 50}}));
    EXPECT_EQ(lines[0].State.Pen.Color, clLime);

    // A 0.8 mm line is two pixels at zm100 and eight at zm400, inside the label's edge.
    s.Lab.GetBackSurf()->SetShowAlign(false);
    s.Lab.GetFrame()->SetPenWidth(0.8f);
    s.Lab.GetFrame()->SetStyle(fsSingle);
    EXPECT_EQ(ColourBox(s.Lab.GetLabScreen().Image().copy(20, 60, 100, 1), clBlack), QRect(8, 0, 2, 1));
    s.Lab.SetZoom(zm400);
    EXPECT_EQ(ColourBox(s.Lab.GetLabScreen().Image().copy(20, 100, 100, 1), clBlack), QRect(8, 0, 8, 1));
}

TEST(KxLabGrid, DotsSitOnEveryStepFromTheCornerBothEndsIncluded) {
    TShownLab s;
    s.Lab.GetGrid()->SetColor(clBlue);
    s.Lab.GetGrid()->SetShow(true);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawLabScreen();
    }
    std::set<std::pair<int, int>> dots;
    for (const auto& r : rec.Ops(TOp::Pixel)) {
        EXPECT_EQ(r.Color, clBlue);
        dots.insert({r.Points[0].X - Corner, r.Points[0].Y - Corner});
    }
    std::set<std::pair<int, int>> expected;
    for (int i = 0; i <= 6; ++i)
        for (int j = 0; j <= 4; ++j) // 350 / 100 = 3.5 rounds to 4: a row below the label
            expected.insert({i * 100, j * 100});
    EXPECT_EQ(dots, expected);

    EXPECT_EQ(s.At(28, 28), Rgb(clBlue));
    EXPECT_EQ(s.At(53, 53), Rgb(clBlue));
    EXPECT_EQ(s.At(54, 53), Rgb(clWhite));
    EXPECT_EQ(CountColour(s.Lab.GetLabScreen().Image(), clBlue), 35);
}

TEST(KxLabGrid, AStepThatDoesNotDivideTheLabelPutsTheLastColumnJustOutside) {
    TShownLab s;
    s.Lab.GetGrid()->SetShow(true);
    s.Lab.GetGrid()->SetIncX(7.0f);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawLabScreen();
    }
    std::set<int> columns;
    for (const auto& r : rec.Ops(TOp::Pixel))
        columns.insert(r.Points[0].X - Corner);
    // 600 / 70 = 8.57, rounded to 9: ten columns up to 630.
    EXPECT_EQ(columns.size(), 10u);
    EXPECT_EQ(*columns.rbegin(), 630);

    s.Lab.PaintLabScreen(true);
    EXPECT_EQ(s.At(186, 28), Rgb(clRed)); // 630 / 4 = 157.5 -> 158 pixels from the corner
}

TEST(KxLabGrid, AStepBelowOneUnitFromAFileDrawsAtTheSmallestStep) {
    TShownLab s;
    s.Lab.GetGrid()->SetShow(true);
    s.Lab.SetRawGridSteps(0, -5);
    TPageRecording rec;
    {
        TRecordOn on(s.Surface(), rec);
        s.Lab.DrawLabScreen();
    }
    const auto dots = rec.Ops(TOp::Pixel);
    EXPECT_EQ(dots.size(), 61u * 36u);
    EXPECT_EQ(dots[1].Points[0], (TPoint{Corner, Corner + 10}));
    EXPECT_EQ(dots.back().Points[0], (TPoint{Corner + 600, Corner + 350}));
}
