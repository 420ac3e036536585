#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "designer/KxClipboard.h"
#include "designer/RenderTestSupport.h"
#include "elements/KxLine.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"

// The default label at zm100 in a 400 x 300 control: corner at client pixel 28, 150 x 88 pixels
// (600 x 350 label units), 4 label units per pixel. Both guides sit at the label's corner.

namespace {

using TEditingLab = TRecordingLab;

// What TRecordingLab logs for one PaintLabScreen.
QStringList Recomposed(bool Repaint) {
    return {Repaint ? "paint:1" : "paint:0", "draw:duNone"};
}

TRect Frame(const TKxOverlay::TFigure& F) {
    return {F.P[0].X, F.P[0].Y, F.P[1].X, F.P[1].Y};
}

} // namespace

class KxLabEdit : public ::testing::Test {
protected:
    TFakeDialogs Dialogs;
    TShownLabOf<TEditingLab> S;
    TEditingLab& Lab = S.Lab;

    void Press(TPoint P, Qt::MouseButton B = Qt::LeftButton) { QTest::mousePress(&Lab, B, {}, {P.X, P.Y}); }
    void Release(TPoint P, Qt::MouseButton B = Qt::LeftButton) {
        QTest::mouseRelease(&Lab, B, {}, {P.X, P.Y});
    }
    void Move(TPoint P) { QTest::mouseMove(&Lab, {P.X, P.Y}); }
    void Click(TPoint P, Qt::MouseButton B = Qt::LeftButton) {
        Press(P, B);
        Release(P, B);
    }
    void Drag(TPoint From, TPoint To) {
        Press(From);
        Move(To);
        Release(To);
    }
    template <class T>
    T* Add(TPoint P1, TPoint P2 = {}) {
        auto e = std::make_unique<T>(Lab.Label());
        e->P1 = P1;
        e->P2 = P2;
        T* raw = e.get();
        Lab.AddElement(std::move(e));
        Lab.PaintLabScreen(true); // Bounds are those of the last composition.
        return raw;
    }
    /// Label units (100, 100) to (300, 200): pixels (53, 53) to (103, 78).
    TKxRect* AddBox() { return Add<TKxRect>({100, 100}, {300, 200}); }
    const TKxMarks& Marks() const { return Lab.GetMarks(); }
};

TEST_F(KxLabEdit, APressSelectsTheFrontElementHitAndShowsMarksByKind) {
    QSignalSpy selects(&Lab, &TKxLab::Select);
    TKxRect* box = AddBox();
    TKxLine* line = Add<TKxLine>({100, 240}, {300, 320});
    Add<TKxRect>({200, 150}, {400, 300});
    Click({90, 70}); // inside both rectangles
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(Marks().DragState, drSizes);
    EXPECT_EQ(Marks().SelRect, (TRect{53, 53, 103, 78}));
    EXPECT_EQ(Marks().HandleLeft, (TRect{47, 62, 53, 69}));
    EXPECT_EQ(Lab.GetOverlay().ShownState(), drSizes);
    EXPECT_EQ(box->P1, (TPoint{100, 100}));

    Click({170, 110}); // no element there: the selection and its marks stay
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(Marks().SelRect, (TRect{53, 53, 103, 78}));
    EXPECT_EQ(selects.count(), 1);

    Click({78, 98});
    EXPECT_EQ(Lab.GetSelected(), line);
    EXPECT_EQ(Marks().DragState, drLine);
    EXPECT_EQ(Marks().LineHandle1, TKxMarks::LineHandleAround({53, 88}));
    EXPECT_EQ(Marks().LineHandle2, TKxMarks::LineHandleAround({103, 108}));
    EXPECT_TRUE(Marks().SelRect.IsEmpty());

    TKxText* text = Add<TKxText>({400, 100});
    Click(text->Bounds.TopLeft() + TPoint{2, 2});
    EXPECT_EQ(Marks().DragState, drObject);
    EXPECT_EQ(Marks().SelRect, text->Bounds);
    EXPECT_EQ(selects.count(), 3);
}

TEST_F(KxLabEdit, ADragOnlyTogglesOutlinesAndRecomposesOnceOnRelease) {
    TKxRect* box = AddBox();
    Click({60, 60});
    Press({60, 60});
    EXPECT_EQ(Marks().GrabOffset, (TPoint{7, 7}));
    Lab.Calls.clear();
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    for (int i = 1; i <= 20; ++i)
        Move({60 + i, 60 + i / 2});
    EXPECT_TRUE(Lab.Calls.isEmpty()) << Lab.Calls.join(' ').toStdString();
    EXPECT_EQ(moves.count(), 20);
    EXPECT_EQ(box->P1, (TPoint{100, 100}));
    // Every move erased the outline it drew before: the first toggle over the marks and the last
    // outline remain, each with its four handles.
    const auto& figures = Lab.GetOverlay().Figures();
    ASSERT_EQ(figures.size(), 10u);
    EXPECT_EQ(Frame(figures[4]), (TRect{53, 53, 103, 78}));
    EXPECT_EQ(Frame(figures.back()), (TRect{73, 63, 123, 88}));
    Release({80, 70});
    EXPECT_EQ(Lab.Calls, Recomposed(false));
    EXPECT_EQ(box->P1, (TPoint{180, 140}));
    EXPECT_EQ(Marks().SelRect, (TRect{73, 63, 123, 88}));
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());
}

struct TDragCase {
    const char* Name;
    bool Line;
    TKxSnap Snap;
    TPoint From, To;
    TPoint P1, P2;
};

void PrintTo(const TDragCase& c, std::ostream* os) {
    *os << c.Name;
}

class KxLabEditDrag : public KxLabEdit, public ::testing::WithParamInterface<TDragCase> {};

// The element from (100, 100) to (300, 200) is selected, then dragged From a mark To a point.
TEST_P(KxLabEditDrag, WritesTheReleasedMarkIntoTheElement) {
    const TDragCase& c = GetParam();
    Lab.GetGrid()->SetIncX(10);
    Lab.GetGrid()->SetIncY(10);
    Lab.SetSnap(c.Snap);
    TKxElement* e = c.Line ? static_cast<TKxElement*>(Add<TKxLine>({100, 100}, {300, 200})) : AddBox();
    Click({78, 65});
    ASSERT_EQ(Lab.GetSelected(), e);
    Drag(c.From, c.To);
    EXPECT_EQ(e->P1, c.P1);
    EXPECT_EQ(e->P2, c.P2);
    EXPECT_FALSE(Marks().Pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, KxLabEditDrag,
    ::testing::Values(
        TDragCase{"Move", false, snNone, {60, 60}, {70, 65}, {140, 120}, {340, 220}},
        TDragCase{
            "LeftHandlePastTheRightEdgeFlips", false, snNone, {50, 65}, {120, 65}, {300, 100}, {380, 200}},
        TDragCase{"BottomHandle", false, snNone, {78, 80}, {90, 100}, {100, 100}, {300, 280}},
        // The label's 87.5 pixels of height show as 88: its bottom edge is 352 units down.
        TDragCase{"OffTheLabelShiftsBackKeepingTheSize",
                  false,
                  snNone,
                  {60, 60},
                  {160, 200},
                  {400, 252},
                  {600, 352}},
        TDragCase{"GridSnapsTheMove", false, snGrid, {60, 60}, {90, 70}, {200, 100}, {400, 200}},
        TDragCase{"PointSnapDoesNot", false, snPoint, {60, 60}, {90, 70}, {220, 140}, {420, 240}},
        // A line end lands where the grabbed corner of its handle went, and may leave the label.
        TDragCase{"LineEndTwo", true, snNone, {103, 78}, {190, 120}, {100, 100}, {636, 356}},
        TDragCase{"LineEndOne", true, snNone, {53, 53}, {20, 25}, {-44, -24}, {300, 200}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Ends between pixels: a position written back from the marks would round them to the screen.
TEST_F(KxLabEdit, AClickOnAMarkMovesNothing) {
    Lab.SetSnap(snGrid);
    TKxRect* box = Add<TKxRect>({101, 103}, {302, 199});
    TKxLine* line = Add<TKxLine>({401, 103}, {602, 199});
    for (TKxElement* e : {static_cast<TKxElement*>(box), static_cast<TKxElement*>(line)}) {
        Click({(Lab.WindowX(e->P1.X) + Lab.WindowX(e->P2.X)) / 2,
               (Lab.WindowY(e->P1.Y) + Lab.WindowY(e->P2.Y)) / 2});
        ASSERT_EQ(Lab.GetSelected(), e);
        const TRect marks[] = {Marks().SelRect, Marks().HandleLeft, Marks().LineHandle1, Marks().LineHandle2};
        for (const TRect& mark : marks) {
            if (mark.Right <= mark.Left) continue;
            Click({(mark.Left + mark.Right) / 2, (mark.Top + mark.Bottom) / 2});
            EXPECT_EQ(e->P1, e == box ? TPoint(101, 103) : TPoint(401, 103));
            EXPECT_EQ(e->P2, e == box ? TPoint(302, 199) : TPoint(602, 199));
        }
    }
}

TEST_F(KxLabEdit, ATurnedTextMovedByItsOutlineKeepsItsFirstPointOnTheTurnedCorner) {
    for (int angle : {0, 90, 180, 270}) {
        SCOPED_TRACE(angle);
        Lab.Clear();
        TKxText* text = Add<TKxText>({300, 200});
        text->Angle = angle;
        Lab.PaintLabScreen(true);
        const TPoint at = text->Bounds.TopLeft() + TPoint{1, 1};
        Click(at);
        ASSERT_EQ(Lab.GetSelected(), text);
        Drag(at, at + TPoint{10, -5});
        EXPECT_EQ(text->P1, (TPoint{340, 180}));
    }
}

TEST_F(KxLabEdit, GridAdjustSnapsToTheNearestGridPointAndASnappedDragCanStandStill) {
    Lab.GetGrid()->SetIncX(10);
    Lab.GetGrid()->SetIncY(5);
    EXPECT_EQ(Lab.GridAdjust({41, 41}), (TPoint{41, 41}));
    Lab.SetSnap(snGrid);
    EXPECT_EQ(Lab.GridAdjust({41, 41}), (TPoint{53, 40}));
    EXPECT_EQ(Lab.GridAdjust({20, 10}), (TPoint{28, 16}));
    Lab.SetHPosition(10);
    EXPECT_EQ(Lab.GridAdjust({41, 41}), (TPoint{43, 40}));
    // A step below a unit, which only a file holds, snaps as the grid draws: every millimetre.
    Lab.SetRawGridSteps(0, -4);
    EXPECT_EQ(Lab.GridAdjust({31, 31}), (TPoint{30, 30}));

    // An outline that can only move (not a box) stands still while the pointer is on a grid point.
    Lab.SetHPosition(0);
    Lab.SetRawGridSteps(100, 100);
    TKxText* text = Add<TKxText>({130, 70});
    ASSERT_EQ(text->Bounds.TopLeft(), (TPoint{60, 46}));
    Click({62, 48});
    Press({62, 48});
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    Move({78, 78}); // less the grab offset (2, 2) it snaps back to the pointer itself
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(Marks().SelRect.TopLeft(), (TPoint{60, 46}));
    Move({90, 70});
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(Marks().SelRect.TopLeft(), (TPoint{78, 78}));
    Release({90, 70});
    EXPECT_EQ(text->P1, (TPoint{200, 200}));
}

TEST_F(KxLabEdit, GuidesFollowTheMouseAndStoreTheReleasePosition) {
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    Press({28, 15});
    EXPECT_EQ(Marks().DragType, dtAlignLeft);
    Move({60, 15});
    Move({78, 15});
    EXPECT_EQ(moves.count(), 0);
    ASSERT_FALSE(Lab.GetOverlay().Figures().empty());
    EXPECT_EQ(Lab.GetOverlay().Figures().back().P[0], (TPoint{78, 4}));
    Release({78, 15});
    EXPECT_EQ(Lab.GetBackSurf()->AlignLeftLU(), 200);
    EXPECT_EQ(Marks().AlignLeftMark, (TRect{74, 10, 82, 19}));
    // Nothing selected: the drag state stays as it was.
    EXPECT_EQ(Marks().DragState, drAligns);

    AddBox();
    Click({60, 60});
    Drag({15, 28}, {15, 48});
    EXPECT_EQ(Lab.GetBackSurf()->AlignTopLU(), 80); // 20 of 88 pixels of 35 mm
    EXPECT_EQ(Marks().DragState, drSizes);
}

TEST_F(KxLabEdit, HoverCursorsFollowTheMarksEvenWithoutEditing) {
    TKxRect* box = AddBox();
    Click({60, 60});
    Lab.SetAllowEdit(false);
    const std::pair<TPoint, Qt::CursorShape> cases[] = {
        {{60, 60}, Qt::PointingHandCursor}, {{50, 65}, Qt::SizeHorCursor}, {{105, 65}, Qt::SizeHorCursor},
        {{78, 50}, Qt::SizeVerCursor},      {{78, 80}, Qt::SizeVerCursor}, {{28, 15}, Qt::SizeHorCursor},
        {{15, 28}, Qt::SizeVerCursor},      {{150, 100}, Qt::ArrowCursor}};
    for (const auto& [p, shape] : cases) {
        Move(p);
        EXPECT_EQ(Lab.cursor().shape(), shape) << p.X << "," << p.Y;
    }
    EXPECT_EQ(Lab.GetOverlay().RulerMarkCount(), 1);
    // Presses and releases are ignored.
    QSignalSpy rights(&Lab, &TKxLab::RightMouse);
    Drag({60, 60}, {100, 100});
    Click({170, 110}, Qt::RightButton);
    Lab.SetDrawTool(dwRect);
    Drag({40, 40}, {60, 60});
    EXPECT_EQ(box->P1, (TPoint{100, 100}));
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(Lab.ElementCount(), 1);
    EXPECT_EQ(rights.count(), 0);

    // While dragging, the default cursor; over a line's handle, the hand.
    Lab.SetAllowEdit(true);
    Lab.SetDrawTool(dwSelection);
    Lab.Clear();
    Add<TKxLine>({100, 100}, {300, 200});
    Click({78, 65});
    Press({103, 78});
    Move({104, 78});
    EXPECT_EQ(Lab.cursor().shape(), Qt::ArrowCursor);
    Release({104, 78});
    Move({100, 74});
    EXPECT_EQ(Lab.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(KxLabEdit, RightClicksReportWhetherTheSelectedElementWasHit) {
    QList<QVariantList> reports;
    Lab.OnRightMouse = [&](QObject*, bool select, int x, int y) { reports.append({select, x, y}); };
    TKxRect* box = AddBox();
    Click({60, 60});
    Lab.SetDrawTool(dwRect);
    Click({61, 62}, Qt::RightButton);
    EXPECT_EQ(reports.value(0), (QVariantList{true, 61, 62}));
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(Lab.GetDrawTool(), dwRect);

    Lab.Marks().DragState = drSizes;
    Lab.Calls.clear();
    Click({170, 110}, Qt::RightButton);
    EXPECT_EQ(reports.value(1), (QVariantList{false, 170, 110}));
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Lab.GetDrawTool(), dwSelection);
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_TRUE(Marks().SelRect.IsEmpty());
    EXPECT_EQ(Lab.Calls, Recomposed(true));

    // Without a selection only the report; other buttons do nothing.
    Lab.SetDrawTool(dwLine);
    Click({61, 62}, Qt::RightButton);
    Click({61, 62}, Qt::MiddleButton);
    EXPECT_EQ(reports.size(), 3);
    EXPECT_EQ(Lab.GetDrawTool(), dwLine);
}

struct TToolCase {
    TKxDrawTool Tool;
    TKxEle Kind;
    const char* Dialog;
    bool Band;
};

void PrintTo(const TToolCase& c, std::ostream* os) {
    *os << KxEnumName(c.Tool).toStdString();
}

class KxLabEditTool : public KxLabEdit, public ::testing::WithParamInterface<TToolCase> {};

TEST_P(KxLabEditTool, CreatesItsKindUnsnappedBehindTheOthersSelectedWithItsDialog) {
    const TToolCase c = GetParam();
    TKxRect* first = AddBox();
    Lab.SetDrawTool(c.Tool);
    Lab.SetSnap(snGrid);
    if (c.Band) {
        Press({150, 100});
        Move({120, 90});
        Move({41, 33});
        Release({41, 33});
    } else {
        Click({41, 33});
    }
    ASSERT_EQ(Lab.ElementCount(), 2);
    EXPECT_EQ(Lab.Element(0), first);
    TKxElement* e = Lab.Element(1);
    EXPECT_EQ(e->ElementType(), c.Kind);
    EXPECT_EQ(Lab.GetSelected(), e);
    EXPECT_EQ(Dialogs.Shown, *c.Dialog ? QStringList{c.Dialog} : QStringList{});
    EXPECT_EQ(Lab.GetDrawTool(), c.Tool);
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_FALSE(Marks().ShapeActive);
    // A line keeps its direction: from the press to the release.
    const TPoint press{488, 288}, release{52, 20};
    const bool backwards = c.Kind == deLine;
    EXPECT_EQ(e->P1, backwards ? press : release);
    if (c.Band) {
        EXPECT_EQ(e->P2, backwards ? release : press);
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, KxLabEditTool,
                         ::testing::Values(TToolCase{dwText, deText, "Txt:new", false},
                                           TToolCase{dwBarCode, deBar, "Bar:new", false},
                                           TToolCase{dwSymbol, deSymbol, "Symbol:new", false},
                                           TToolCase{dwAddText, dePoliText, "AdTxt:new", false},
                                           TToolCase{dwLine, deLine, "", true},
                                           TToolCase{dwRect, deRect, "", true},
                                           TToolCase{dwImage, deImage, "Image:new", true},
                                           TToolCase{dwParagraph, deParagraph, "Par:new", true}),
                         [](const auto& info) { return KxEnumName(info.param.Tool).toStdString(); });

TEST_F(KxLabEdit, RubberBandsFollowTheMouseAndBoxesGetTheirMinimumSizeInsideTheLabel) {
    Lab.SetDrawTool(dwRect);
    Press({40, 40});
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());
    Move({60, 71});
    Move({43, 43});
    const auto& figures = Lab.GetOverlay().Figures();
    ASSERT_FALSE(figures.empty());
    EXPECT_EQ(Frame(figures.back()), (TRect{40, 40, 43, 43}));
    for (const auto& f : figures)
        EXPECT_NE(Frame(f), (TRect{40, 40, 60, 71}));
    Release({43, 43});
    EXPECT_EQ(Lab.Element(0)->P1, (TPoint{48, 48}));
    EXPECT_EQ(Lab.Element(0)->P2, (TPoint{80, 80}));
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());

    Drag({170, 110}, {190, 130});
    EXPECT_EQ(Lab.Element(1)->P1, (TPoint{520, 272}));
    EXPECT_EQ(Lab.Element(1)->P2, (TPoint{600, 352}));
    Lab.SetDrawTool(dwLine);
    Drag({60, 60}, {61, 60});
    EXPECT_EQ(Lab.Element(2)->P2.X - Lab.Element(2)->P1.X, 4);
}

TEST_F(KxLabEdit, FrontAndBackExchangeWithTheEnds) {
    TKxRect* a = Add<TKxRect>({0, 0}, {40, 40});
    TKxRect* b = Add<TKxRect>({100, 0}, {140, 40});
    TKxRect* c = Add<TKxRect>({200, 0}, {240, 40});
    Click({83, 33});
    ASSERT_EQ(Lab.GetSelected(), c);
    Lab.Calls.clear();
    Lab.Front();
    EXPECT_EQ((std::vector{Lab.Element(0), Lab.Element(1), Lab.Element(2)}),
              (std::vector<TKxElement*>{c, b, a}));
    EXPECT_EQ(Lab.Calls, Recomposed(true));
    Click({58, 33});
    Lab.Back();
    EXPECT_EQ((std::vector{Lab.Element(0), Lab.Element(1), Lab.Element(2)}),
              (std::vector<TKxElement*>{c, a, b}));
}

TEST_F(KxLabEdit, PasteAddsAnOffsetCopyInTheCurrentUnitAgainAndAgain) {
    KxClipboard().Clear();
    TKxRect* box = AddBox();
    box->Radio = 30;
    Lab.PasteElement();
    EXPECT_EQ(Lab.ElementCount(), 1);

    Click({60, 60});
    Lab.CopyElement();
    Lab.Calls.clear();
    Lab.PasteElement();
    ASSERT_EQ(Lab.ElementCount(), 2);
    const auto* copy = dynamic_cast<TKxRect*>(Lab.Element(1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Lab.GetSelected(), copy);
    EXPECT_EQ(copy->P1, (TPoint{120, 120}));
    EXPECT_EQ(copy->Radio, 30);
    EXPECT_EQ(Lab.Calls, Recomposed(true));

    Lab.SetUnits(unINCH);
    Lab.PasteElement();
    Lab.PasteElement();
    // A tenth of an inch is 2.54 mm, 25 label units once rounded.
    for (int i : {2, 3}) {
        EXPECT_EQ(Lab.Element(i)->P1, (TPoint{125, 125}));
        EXPECT_EQ(Lab.Element(i)->P2, (TPoint{325, 225}));
    }
}

TEST_F(KxLabEdit, TheClipboardIsSharedButMarksBelongToEachDesigner) {
    TShownLabOf<TEditingLab> other;
    TKxLine* line = Add<TKxLine>({10, 20}, {30, 40});
    line->ID = "L1";
    AddBox();
    Click({60, 60});
    // The same press on the other designer finds no outline of its own there.
    QTest::mouseClick(&other.Lab, Qt::LeftButton, {}, {60, 60});
    EXPECT_EQ(other.Lab.GetMarks().DragState, drNone);
    EXPECT_EQ(Marks().DragState, drSizes);

    Lab.ElementByID("L1");
    Lab.CutElement();
    EXPECT_EQ(Lab.ElementCount(), 1);
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Marks().DragState, drNone);
    other.Lab.PasteElement();
    ASSERT_EQ(other.Lab.ElementCount(), 1);
    TKxElement* pasted = other.Lab.Element(0);
    EXPECT_EQ(pasted->ElementType(), deLine);
    EXPECT_EQ(pasted->Owner, other.Lab.Label());
    EXPECT_EQ(pasted->ID, "L1");
    EXPECT_EQ(pasted->P1, (TPoint{30, 40}));
}

TEST_F(KxLabEdit, CommandsActOnTheSelectionOnly) {
    TKxRect* box = AddBox();
    Lab.Calls.clear();
    Lab.CopyElement();
    Lab.CutElement();
    Lab.DeleteElement();
    Lab.AlignLeft();
    Lab.AlignTop();
    Lab.Front();
    Lab.Back();
    Lab.ShowElementProp();
    EXPECT_EQ(Lab.ElementCount(), 1);
    EXPECT_TRUE(Lab.Calls.isEmpty());
    EXPECT_TRUE(Dialogs.Shown.isEmpty());
    Lab.Transparent(); // repaints in any case
    EXPECT_EQ(Lab.Calls, Recomposed(true));
    EXPECT_TRUE(box->Transparent);

    Click({60, 60});
    Lab.Transparent();
    EXPECT_FALSE(box->Transparent);
    Lab.ShowElementProp();
    EXPECT_EQ(Dialogs.Shown, QStringList{"Rect"});
    Lab.GetBackSurf()->SetAlignLeft(5);
    Lab.GetBackSurf()->SetAlignTop(2.5f);
    Lab.AlignLeft();
    Lab.AlignTop();
    EXPECT_EQ(box->P1, (TPoint{50, 25}));
    EXPECT_EQ(box->P2, (TPoint{250, 125}));
    EXPECT_EQ(Marks().SelRect, (TRect{40, 34, 90, 59}));
    Lab.DeleteElement();
    EXPECT_EQ(Lab.ElementCount(), 0);
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_TRUE(Marks().SelRect.IsEmpty());
}

TEST_F(KxLabEdit, AdjustHandleWithoutASelectionOnlyRepaints) {
    AddBox();
    Click({60, 60});
    Lab.RemoveElement(Lab.GetSelected());
    Lab.Calls.clear();
    Lab.AdjustHandle();
    EXPECT_EQ(Lab.Calls, Recomposed(false));
    EXPECT_EQ(Marks().DragState, drSizes);
    // A press on the stale outline grabs it; its release writes into no element.
    Drag({60, 60}, {70, 70});
    EXPECT_FALSE(Marks().Pressed);
    EXPECT_EQ(Lab.ElementCount(), 0);
}
