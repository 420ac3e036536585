#include <gtest/gtest.h>
#include <limits>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPixmap>

#include "common/PageRecording.h"
#include "designer/KxOverlay.h"
#include "designer/RecordOn.h"
#include "designer/RenderTestSupport.h"

using TOp = TMetaOp;
using TKind = TKxOverlay::TKind;

namespace {

// Collects the region of every paint event a widget receives.
class TPaintSpy : public QObject {
public:
    explicit TPaintSpy(QWidget& w) { w.installEventFilter(this); }
    std::vector<QRegion> Regions;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) Regions.push_back(static_cast<QPaintEvent*>(e)->region());
        return false;
    }
};

int Area(const QRegion& r) {
    int a = 0;
    for (const QRect& rect : r)
        a += rect.width() * rect.height();
    return a;
}

// Not-xor of a pen colour over a pixel, per channel.
QRgb NotXor(TColor pen, QRgb below) {
    return (~(Rgb(pen) ^ below) & 0xFFFFFFu) | 0xFF000000u;
}

std::vector<TRecordedOp> Drawn(const TKxOverlay& overlay) {
    TPageRecording rec;
    TCanvas canvas(&rec.Device());
    overlay.Draw(canvas);
    return rec.Ops();
}

} // namespace

TEST(KxMarksGeometry, ResizeHandlesSitOutsideTheOutlineCentredOnItsSides) {
    TKxMarks m;
    m.PlaceSizeHandles({10, 20}, {31, 41});
    EXPECT_EQ(m.HandleLeft, (TRect{4, 27, 10, 34}));
    EXPECT_EQ(m.HandleRight, (TRect{31, 27, 37, 34}));
    EXPECT_EQ(m.HandleTop, (TRect{17, 14, 24, 20}));
    EXPECT_EQ(m.HandleBottom, (TRect{17, 41, 24, 47}));
    // Corners given the other way round: the half width truncates towards zero, not down.
    m.PlaceSizeHandles({31, 41}, {10, 20});
    EXPECT_EQ(m.HandleTop, (TRect{18, 35, 25, 41}));
    EXPECT_EQ(m.HandleLeft, (TRect{25, 28, 31, 35}));
    EXPECT_EQ(TKxMarks::LineHandleAround({50, 60}), (TRect{47, 57, 54, 64}));
}

TEST(KxMarksGeometry, MarksAtThe32BitLimitsStopThere) {
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    TKxMarks m;
    m.PlaceAlignMarks(hi, lo);
    EXPECT_EQ(m.AlignLeftMark, (TRect{hi - 4, 10, hi, 19}));
    EXPECT_EQ(m.AlignTopMark, (TRect{10, lo, 19, lo + 4}));
    m.PlaceSizeHandles({lo, lo}, {hi, hi});
    EXPECT_EQ(m.HandleLeft, (TRect{lo, -4, lo, 3}));
    EXPECT_EQ(m.HandleBottom, (TRect{-4, hi, 3, hi}));
    EXPECT_EQ(TKxMarks::LineHandleAround({hi, lo}), (TRect{hi - 3, lo, hi, lo + 4}));
}

TEST(KxMarksGeometry, GuideMarkersFollowTheGuidesAndSurviveClearSelection) {
    TShownLab s;
    s.Lab.GetBackSurf()->SetAlignLeft(10.0f);
    s.Lab.GetBackSurf()->SetAlignTop(5.0f);
    EXPECT_EQ(s.Lab.GetMarks().AlignLeftMark, (TRect{49, 10, 57, 19}));
    EXPECT_EQ(s.Lab.GetMarks().AlignTopMark, (TRect{10, 36, 19, 44})); // 50 / 4 = 12.5 -> 12
    s.Lab.SetZoom(zm200);
    EXPECT_EQ(s.Lab.GetMarks().AlignLeftMark, (TRect{74, 10, 82, 19}));

    s.Lab.Marks().PlaceSizeHandles({40, 40}, {80, 80});
    s.Lab.Marks().SelRect = {40, 40, 80, 80};
    {
        TKxLab::TLoadGuard loading(s.Lab);
        s.Lab.ClearSelection();
        EXPECT_EQ(s.Lab.GetMarks().SelRect, (TRect{40, 40, 80, 80}));
    }
    s.Lab.ClearSelection();
    EXPECT_EQ(s.Lab.GetMarks().SelRect, TRect{});
    EXPECT_EQ(s.Lab.GetMarks().HandleLeft, TRect{});
    EXPECT_EQ(s.Lab.GetMarks().AlignLeftMark, (TRect{74, 10, 82, 19}));
}

TEST(KxOverlayMarks, PaintOutlinesTheMarksOfTheDragStateInCopyMode) {
    TKxMarks m;
    m.SelRect = {40, 40, 80, 80};
    m.PlaceSizeHandles({40, 40}, {80, 80});
    m.LineHandle1 = TKxMarks::LineHandleAround({10, 10});
    m.LineHandle2 = TKxMarks::LineHandleAround({90, 30});
    const std::vector<std::pair<TKxDrag, std::vector<TRect>>> table{
        {drNone, {}},
        {drAligns, {}},
        {drObject, {m.SelRect}},
        {drLine, {m.LineHandle1, m.LineHandle2}},
        {drSizes, {m.SelRect, m.HandleLeft, m.HandleRight, m.HandleTop, m.HandleBottom}},
    };
    for (const auto& [state, rects] : table) {
        SCOPED_TRACE(KxEnumName(state).toStdString());
        m.DragState = state;
        TKxOverlay overlay;
        overlay.Reset(m, clBlue);
        const auto drawn = Drawn(overlay);
        ASSERT_EQ(drawn.size(), rects.size());
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(drawn[i].Kind, TOp::Rectangle);
            EXPECT_EQ(drawn[i].Rect, rects[i]);
            EXPECT_EQ(drawn[i].State.Pen.Mode, pmCopy);
            EXPECT_EQ(drawn[i].State.Pen.Color, clBlue);
            EXPECT_EQ(drawn[i].State.Brush.Style, bsClear);
        }
    }
}

TEST(KxOverlayMarks, ANotXorFigureDrawnTwiceIsGoneAndTouchesOnlyItsOutline) {
    TKxOverlay overlay;
    const TKxOverlay::TFigure band{TKind::Frame, {TPoint{10, 10}, TPoint{210, 110}}, clRed};
    const QRegion region = overlay.Toggle(band);
    EXPECT_EQ(overlay.PenMode(), pmNotXor);
    EXPECT_TRUE(region.contains(QPoint(10, 50)));
    EXPECT_TRUE(region.contains(QPoint(209, 109)));
    EXPECT_FALSE(region.contains(QPoint(100, 60)));
    EXPECT_LT(Area(region), 2000);
    overlay.Toggle({TKind::Line, {TPoint{0, 0}, TPoint{5, 5}}, clRed});
    overlay.Toggle(band);
    ASSERT_EQ(overlay.Figures().size(), 1u);
    EXPECT_EQ(overlay.Figures()[0].Kind, TKind::Line);
    overlay.Reset({}, clRed);
    EXPECT_TRUE(overlay.Figures().empty());
    EXPECT_EQ(overlay.PenMode(), pmCopy);
}

TEST(KxOverlayBands, DrawShapeFollowsTheTool) {
    const std::vector<std::pair<TKxDrawTool, int>> table{{dwLine, 1},      {dwRect, 1}, {dwImage, 1},
                                                         {dwParagraph, 1}, {dwText, 0}, {dwBarCode, 0},
                                                         {dwSelection, 0}};
    for (const auto& [tool, figures] : table) {
        TShownLab s;
        s.Lab.SetDrawTool(tool);
        s.Lab.DrawShape({30, 30}, {90, 70});
        ASSERT_EQ(static_cast<int>(s.Lab.GetOverlay().Figures().size()), figures)
            << KxEnumName(tool).toStdString();
        if (figures == 0) continue;
        EXPECT_EQ(s.Lab.GetOverlay().Figures()[0].Kind, tool == dwLine ? TKind::Line : TKind::Frame);
        s.Lab.DrawShape({30, 30}, {90, 70});
        EXPECT_TRUE(s.Lab.GetOverlay().Figures().empty());
    }
}

TEST(KxOverlayBands, DrawDragWhileSizingRecomputesTheHandlesAndOutlinesThem) {
    TShownLab s;
    s.Lab.Marks().DragState = drSizes;
    s.Lab.DrawDrag({40, 40}, {100, 80}, true);
    EXPECT_EQ(s.Lab.GetMarks().HandleRight, (TRect{100, 57, 106, 64}));
    const auto drawn = Drawn(s.Lab.GetOverlay());
    ASSERT_EQ(drawn.size(), 5u);
    for (const auto& r : drawn) {
        EXPECT_EQ(r.Kind, TOp::Rectangle);
        EXPECT_EQ(r.State.Pen.Mode, pmNotXor);
        EXPECT_EQ(r.State.Brush.Style, bsClear);
    }
    EXPECT_EQ(drawn.back().Rect, (TRect{40, 40, 100, 80}));
    s.Lab.DrawDrag({40, 40}, {100, 80}, true);
    EXPECT_TRUE(s.Lab.GetOverlay().Figures().empty());

    s.Lab.Marks().DragState = drObject;
    s.Lab.DrawDrag({40, 40}, {100, 80}, true);
    EXPECT_EQ(s.Lab.GetOverlay().Figures().size(), 1u);
    s.Lab.DrawDrag({1, 2}, {3, 4}, false);
    EXPECT_EQ(s.Lab.GetOverlay().Figures().back().Kind, TKind::Line);
}

TEST(KxOverlayBands, DrawAlignsDrawsTheDraggedGuideOnly) {
    TShownLab s;
    s.Lab.Marks().DragType = dtAlignLeft;
    s.Lab.DrawAligns({60, 200});
    auto drawn = Drawn(s.Lab.GetOverlay());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Points, (std::vector<TPoint>{{56, 10}, {60, 19}, {64, 10}}));
    EXPECT_EQ(drawn[1].Points, (std::vector<TPoint>{{60, 4}, {60, 300}}));
    EXPECT_EQ(drawn[1].State.Pen, (TPen{clBlack, 1, psSolid, pmNotXor}));
    s.Lab.DrawAligns({60, 200});
    s.Lab.Marks().DragType = dtAlignTop;
    s.Lab.DrawAligns({60, 200});
    drawn = Drawn(s.Lab.GetOverlay());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Points, (std::vector<TPoint>{{10, 196}, {19, 200}, {10, 204}}));
    EXPECT_EQ(drawn[1].Points, (std::vector<TPoint>{{4, 200}, {400, 200}}));
    s.Lab.DrawAligns({60, 200});
    s.Lab.Marks().DragType = dtMove;
    s.Lab.DrawAligns({60, 200});
    EXPECT_TRUE(s.Lab.GetOverlay().Figures().empty());
}

TEST(KxOverlayBands, RulerMarksOnlyOverTheLabelAndGoneWithTheNextPaste) {
    TShownLab s;
    s.Lab.GetRulers()->SetMarkColor(clBlue);
    s.Lab.DrawMarks({19, 60});   // left of the strips' end
    s.Lab.DrawMarks({100, 117}); // below the label (28..116, edges included)
    EXPECT_EQ(s.Lab.GetOverlay().RulerMarkCount(), 0);
    s.Lab.DrawMarks({178, 116}); // the label's far edges count
    ASSERT_EQ(s.Lab.GetOverlay().RulerMarkCount(), 1);
    const auto drawn = Drawn(s.Lab.GetOverlay());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Points, (std::vector<TPoint>{{178, 0}, {178, 18}}));
    EXPECT_EQ(drawn[1].Points, (std::vector<TPoint>{{0, 116}, {18, 116}}));
    EXPECT_EQ(drawn[0].State.Pen, (TPen{clBlue, 0, psSolid, pmCopy}));
    s.Lab.PasteRulers1();
    EXPECT_EQ(s.Lab.GetOverlay().RulerMarkCount(), 0);
    // After a rubber band the window's pen is left in not-xor, and the marks take it.
    s.Lab.Marks().DragState = drObject;
    s.Lab.DrawDrag({40, 40}, {60, 60}, true);
    s.Lab.DrawMarks({50, 50});
    EXPECT_EQ(Drawn(s.Lab.GetOverlay()).back().State.Pen.Mode, pmNotXor);
}

TEST(KxOverlayWindow, DraggingRepaintsOnlyTheBandsAndNeverRecomposes) {
    TShownLab s;
    TPaintSpy spy(s.Lab);
    s.Lab.Calls.clear();
    s.Lab.Marks().DragState = drSizes;
    TPoint corner{40, 40};
    s.Lab.DrawDrag({30, 30}, corner, true);
    for (int i = 0; i < 30; ++i) {
        const TPoint next{corner.X + 5, corner.Y + 3};
        s.Lab.DrawDrag({30, 30}, corner, true); // erase
        s.Lab.DrawDrag({30, 30}, next, true);   // draw
        s.Lab.PasteRulers1();
        s.Lab.DrawMarks(next);
        corner = next;
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(s.Lab.Calls.isEmpty()) << s.Lab.Calls.join(' ').toStdString();
    ASSERT_FALSE(spy.Regions.empty());
    for (const QRegion& r : spy.Regions)
        EXPECT_LT(Area(r), 400 * 300 / 4);
    EXPECT_EQ(s.Lab.GetOverlay().Figures().size(), 5u);

    // What the window shows: the band inverted over the surface, not copied onto it.
    const QImage shown = s.Lab.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage surface = s.Lab.GetLabScreen().Image();
    // The band now runs from (30, 30) to (190, 130); the label ends at x = 178.
    EXPECT_EQ(shown.pixel(100, 30), NotXor(clRed, surface.pixel(100, 30))); // on the label
    EXPECT_EQ(shown.pixel(185, 30), NotXor(clRed, surface.pixel(185, 30))); // on the surround
    EXPECT_NE(shown.pixel(185, 30), Rgb(clRed));
    EXPECT_EQ(shown.pixel(100, 100), surface.pixel(100, 100));

    // A repaint of the surface shows the marks as they stand, in copy mode, and drops the bands.
    s.Lab.Marks().SelRect = {30, 30, 190, 130};
    s.Lab.Paint();
    EXPECT_TRUE(s.Lab.GetOverlay().Figures().empty());
    const QImage painted = s.Lab.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted.pixel(185, 30), Rgb(clRed));
    EXPECT_TRUE(s.Lab.Calls.isEmpty());
}

TEST(KxOverlayWindow, EachDesignerKeepsItsOwnMarks) {
    TShownLab a;
    TShownLab b;
    a.Lab.Marks().DragState = drSizes;
    a.Lab.DrawDrag({40, 40}, {100, 80}, true);
    a.Lab.Marks().SelRect = {40, 40, 100, 80};
    EXPECT_EQ(b.Lab.GetMarks().DragState, drNone);
    EXPECT_EQ(b.Lab.GetMarks().SelRect, TRect{});
    EXPECT_EQ(b.Lab.GetMarks().HandleRight, TRect{});
    EXPECT_TRUE(b.Lab.GetOverlay().Figures().empty());
}
