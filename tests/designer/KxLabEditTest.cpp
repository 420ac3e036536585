#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <QSignalSpy>
#include <QTest>

#include "designer/KxClipboard.h"
#include "designer/RenderTestSupport.h"
#include "elements/KxLine.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"

// The default label at zm100 in a 400 x 300 control: corner at client pixel 28, 150 x 88 pixels
// (600 x 350 label units), 4 label units per pixel. Both guides sit at the label's corner.

namespace {

/// A designer that logs the property dialogs it is asked to open.
class TEditingLab : public TRecordingLab {
public:
    using TRecordingLab::TRecordingLab;
    QStringList Dialogs;
    void PropTxt() override { Dialogs << "Txt"; }
    void PropAdTxt() override { Dialogs << "AdTxt"; }
    void PropPar() override { Dialogs << "Par"; }
    void PropBar() override { Dialogs << "Bar"; }
    void PropSymbol() override { Dialogs << "Symbol"; }
    void PropLin() override { Dialogs << "Lin"; }
    void PropRect() override { Dialogs << "Rect"; }
    void PropImage(bool IsNew) override { Dialogs << (IsNew ? "Image:new" : "Image"); }
};

constexpr TRect LabelPixels{28, 28, 178, 116};

int Px(int32_t lu) {
    return 28 + lu / 4;
}

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
    TShownLabOf<TEditingLab> S;
    TEditingLab& Lab = S.Lab;

    void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(&Lab, b, {}, {x, y}); }
    void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(&Lab, b, {}, {x, y});
    }
    void Move(int x, int y) { QTest::mouseMove(&Lab, {x, y}); }
    void Click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        Press(x, y, b);
        Release(x, y, b);
    }
    /// Press at From, move through the points, release at the last one.
    void Drag(TPoint From, std::initializer_list<TPoint> Through) {
        Press(From.X, From.Y);
        TPoint last = From;
        for (const TPoint& p : Through) {
            Move(p.X, p.Y);
            last = p;
        }
        Release(last.X, last.Y);
    }

    template <class T>
    T* Add(TPoint P1, TPoint P2 = {}) {
        auto e = std::make_unique<T>(&Lab);
        e->P1 = P1;
        e->P2 = P2;
        T* raw = e.get();
        Lab.AddElement(std::move(e));
        // Bounds are those of the last composition.
        Lab.PaintLabScreen(true);
        return raw;
    }
    /// A rectangle from (100, 100) to (300, 200) label units: pixels (53, 53) to (103, 78).
    TKxRect* AddBox() { return Add<TKxRect>({100, 100}, {300, 200}); }

    const TKxMarks& Marks() const { return Lab.GetMarks(); }
    Qt::CursorShape Cursor() const { return Lab.cursor().shape(); }
};

TEST_F(KxLabEdit, PressOnAnElementSelectsItFiresOnSelectAndShowsItsMarks) {
    QSignalSpy selects(&Lab, &TKxLab::Select);
    TKxRect* box = AddBox();
    Click(60, 60);
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(selects.count(), 1);
    EXPECT_EQ(Marks().DragState, drSizes);
    EXPECT_EQ(Marks().SelRect, (TRect{53, 53, 103, 78}));
    EXPECT_EQ(Marks().HandleLeft, (TRect{47, 62, 53, 69}));
    EXPECT_EQ(Lab.GetOverlay().ShownState(), drSizes);
    EXPECT_FALSE(Marks().Pressed);
    // The selecting click moves nothing.
    EXPECT_EQ(box->P1, (TPoint{100, 100}));

    TKxLine* line = Add<TKxLine>({100, 240}, {300, 320});
    Click(78, 98);
    EXPECT_EQ(Lab.GetSelected(), line);
    EXPECT_EQ(Marks().DragState, drLine);
    EXPECT_EQ(Marks().LineHandle1, TKxMarks::LineHandleAround({53, 88}));
    EXPECT_EQ(Marks().LineHandle2, TKxMarks::LineHandleAround({103, 108}));
    EXPECT_TRUE(Marks().SelRect.IsEmpty());

    TKxText* text = Add<TKxText>({400, 100});
    Click(text->Bounds.Left + 2, text->Bounds.Top + 2);
    EXPECT_EQ(Lab.GetSelected(), text);
    EXPECT_EQ(Marks().DragState, drObject);
    EXPECT_EQ(Marks().SelRect, text->Bounds);
    EXPECT_EQ(selects.count(), 3);
}

TEST_F(KxLabEdit, OverlapSelectsTheFrontElementAndEmptyAreaKeepsTheSelection) {
    TKxRect* front = AddBox();
    Add<TKxRect>({200, 150}, {400, 300});
    Click(90, 70); // inside both
    EXPECT_EQ(Lab.GetSelected(), front);
    const TKxMarks before = Marks();

    QSignalSpy selects(&Lab, &TKxLab::Select);
    Click(170, 110); // on the label, on no element
    EXPECT_EQ(Lab.GetSelected(), front);
    EXPECT_EQ(Marks().SelRect, before.SelRect);
    EXPECT_EQ(Marks().DragState, drSizes);
    EXPECT_EQ(selects.count(), 0);
}

TEST_F(KxLabEdit, MovingAnOutlineWritesTheElementOnReleaseOnly) {
    TKxRect* box = AddBox();
    Click(60, 60);
    Press(60, 60);
    EXPECT_TRUE(Marks().Pressed);
    EXPECT_EQ(Marks().DragType, dtMove);
    EXPECT_EQ(Marks().GrabOffset, (TPoint{7, 7}));
    Move(70, 65);
    EXPECT_EQ(Marks().SelRect, (TRect{63, 58, 113, 83}));
    EXPECT_EQ(box->P1, (TPoint{100, 100}));
    Release(70, 65);
    EXPECT_EQ(box->P1, (TPoint{140, 120}));
    EXPECT_EQ(box->P2, (TPoint{340, 220}));
    EXPECT_FALSE(Marks().Pressed);
    // Marks recomputed from the element's new place.
    EXPECT_EQ(Marks().SelRect, (TRect{63, 58, 113, 83}));
}

TEST_F(KxLabEdit, ADragOnlyTogglesOutlinesAndRecomposesOnceOnRelease) {
    AddBox();
    Click(60, 60);
    Press(60, 60);
    Lab.Calls.clear();
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    for (int i = 1; i <= 20; ++i)
        Move(60 + i, 60 + i / 2);
    EXPECT_TRUE(Lab.Calls.isEmpty()) << Lab.Calls.join(' ').toStdString();
    EXPECT_EQ(moves.count(), 20);
    // Each move erased the outline it drew before: what remains is the first toggle over the
    // marks and the last outline, each with its four handles.
    const auto& figures = Lab.GetOverlay().Figures();
    ASSERT_EQ(figures.size(), 10u);
    EXPECT_EQ(Frame(figures[4]), (TRect{53, 53, 103, 78}));
    EXPECT_EQ(Frame(figures.back()), (TRect{73, 63, 123, 88}));
    EXPECT_EQ(figures.back().Color, Lab.GetSelColor());
    EXPECT_EQ(Lab.GetOverlay().PenMode(), pmNotXor);
    Release(80, 70);
    EXPECT_EQ(Lab.Calls, Recomposed(false));
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());
}

TEST_F(KxLabEdit, ResizingPastTheOppositeEdgeFlipsTheBox) {
    TKxRect* box = AddBox();
    Click(60, 60);
    Press(50, 65); // left handle
    EXPECT_EQ(Marks().DragType, dtLeft);
    EXPECT_EQ(Marks().GrabOffset.X, -3);
    Move(120, 65);
    EXPECT_EQ(Marks().SelRect, (TRect{123, 53, 103, 78}));
    // Handles follow the outline while it is dragged.
    EXPECT_EQ(Marks().HandleLeft.Left, 117);
    Release(120, 65);
    EXPECT_EQ(box->P1, (TPoint{300, 100}));
    EXPECT_EQ(box->P2, (TPoint{380, 200}));

    Press(Marks().SelRect.Left + 12, Marks().SelRect.Bottom + 2); // bottom handle
    EXPECT_EQ(Marks().DragType, dtBottom);
    Move(90, 100);
    Release(90, 100);
    EXPECT_EQ(box->P2.Y, (100 - 2 - 28) * 4);
}

TEST_F(KxLabEdit, ABoxDraggedOffTheLabelIsShiftedBackKeepingItsSize) {
    TKxRect* box = AddBox();
    Click(60, 60);
    Drag({60, 60}, {{160, 60}, {160, 200}});
    // The label's 87.5 pixels of height show as 88: its bottom pixel edge is 352 units down.
    EXPECT_EQ(box->P1, (TPoint{400, 252}));
    EXPECT_EQ(box->P2, (TPoint{600, 352}));
    EXPECT_EQ(Marks().SelRect, (TRect{128, 91, 178, 116}));
}

TEST_F(KxLabEdit, ARotatedTextMovedByItsOutlineKeepsItsFirstPointOnTheTurnedCorner) {
    for (int angle : {90, 180, 270}) {
        SCOPED_TRACE(angle);
        Lab.Clear();
        TKxText* text = Add<TKxText>({300, 200});
        text->Angle = angle;
        Lab.PaintLabScreen(true);
        const TRect b = text->Bounds;
        ASSERT_FALSE(b.IsEmpty());
        Click(b.Left + 1, b.Top + 1);
        ASSERT_EQ(Lab.GetSelected(), text);
        Drag({b.Left + 1, b.Top + 1}, {{b.Left + 11, b.Top - 4}});
        // Moved by (10, -5) pixels: the anchor moves with the outline.
        EXPECT_EQ(text->P1, (TPoint{340, 180}));
    }
}

TEST_F(KxLabEdit, GridSnapsMovesButNotNewShapes) {
    Lab.GetGrid()->SetIncX(10);
    Lab.GetGrid()->SetIncY(10);
    Lab.SetSnap(snGrid);
    TKxText* text = Add<TKxText>({130, 70});
    ASSERT_EQ(text->Bounds.TopLeft(), (TPoint{60, 46}));
    Click(62, 48);
    Drag({62, 48}, {{90, 70}});
    EXPECT_EQ(text->P1, (TPoint{200, 200}));

    Lab.SetDrawTool(dwRect);
    Drag({33, 33}, {{71, 59}});
    TKxElement* box = Lab.Element(1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->P1, (TPoint{20, 20}));
    EXPECT_EQ(box->P2, (TPoint{172, 124}));

    // The new box is selected, under the text's outline as it stood: drop it, pick the text.
    Lab.SetDrawTool(dwSelection);
    Lab.SetSnap(snPoint);
    Click(170, 110, Qt::RightButton);
    Click(80, 80);
    ASSERT_EQ(Lab.GetSelected(), text);
    ASSERT_EQ(Marks().DragState, drObject);
    Drag({80, 80}, {{88, 78}});
    EXPECT_EQ(text->P1, (TPoint{232, 192}));
}

TEST_F(KxLabEdit, ASnappedDragStandsStillWhileThePointerIsOnAGridPoint) {
    Lab.GetGrid()->SetIncX(10);
    Lab.GetGrid()->SetIncY(10);
    Lab.SetSnap(snGrid);
    Add<TKxText>({130, 70});
    Click(62, 48);
    Press(62, 48);
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    Move(78, 78); // less the grab offset (2, 2), it snaps back to (78, 78)
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(Marks().SelRect.TopLeft(), (TPoint{60, 46}));
    Move(90, 70);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(Marks().SelRect.TopLeft(), (TPoint{78, 78}));
    Release(90, 70);
}

TEST_F(KxLabEdit, GridAdjustFindsTheNearestGridPointFromTheLabelCorner) {
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
}

TEST_F(KxLabEdit, LineEndsAreDraggedOneAtATimeAndNotClamped) {
    TKxLine* line = Add<TKxLine>({100, 100}, {300, 200});
    Click(78, 65);
    ASSERT_EQ(Marks().DragState, drLine);
    Press(103, 78); // centre of the second end's handle
    EXPECT_EQ(Marks().DragType, dtPoint2);
    EXPECT_EQ(Marks().GrabOffset, (TPoint{3, 3}));
    EXPECT_EQ(Marks().ShapeStart, (TPoint{53, 53}));
    Move(190, 120);
    EXPECT_EQ(Marks().ShapeEnd, (TPoint{187, 117}));
    Release(190, 120);
    EXPECT_EQ(line->P1, (TPoint{100, 100}));
    EXPECT_EQ(line->P2, (TPoint{(187 - 28) * 4, (117 - 28) * 4}));
    EXPECT_EQ(Marks().LineHandle2, TKxMarks::LineHandleAround({187, 117}));

    // The end lands where the grabbed corner of its handle went, less the handle's half size.
    Drag({53, 53}, {{20, 25}});
    EXPECT_EQ(line->P1, (TPoint{(17 - 28) * 4, (22 - 28) * 4}));
}

TEST_F(KxLabEdit, GuidesFollowTheMouseAndStoreTheReleasePosition) {
    QSignalSpy moves(&Lab, &TKxLab::MouseMove);
    Press(28, 15);
    EXPECT_EQ(Marks().DragState, drAligns);
    EXPECT_EQ(Marks().DragType, dtAlignLeft);
    Move(60, 15);
    Move(78, 15);
    EXPECT_EQ(moves.count(), 0);
    // The guide's marker and line at the pointer, drawn not-xor.
    const auto& figures = Lab.GetOverlay().Figures();
    ASSERT_FALSE(figures.empty());
    EXPECT_EQ(figures.back().P[0], (TPoint{78, 4}));
    Release(78, 15);
    EXPECT_EQ(Lab.GetBackSurf()->AlignLeftLU(), 200);
    EXPECT_EQ(Marks().AlignLeftMark, (TRect{74, 10, 82, 19}));
    // Nothing selected: the drag state stays as it was.
    EXPECT_EQ(Marks().DragState, drAligns);
    EXPECT_FALSE(Marks().Pressed);

    AddBox();
    Click(60, 60);
    Drag({15, 28}, {{15, 48}});
    EXPECT_EQ(Lab.GetBackSurf()->AlignTopLU(), 80); // 20 of 88 pixels of 35 mm
    EXPECT_EQ(Marks().DragState, drSizes);
    EXPECT_EQ(Marks().SelRect, (TRect{53, 53, 103, 78}));
}

TEST_F(KxLabEdit, HoverCursorsFollowTheMarks) {
    AddBox();
    Click(60, 60);
    struct TCase {
        TPoint P;
        Qt::CursorShape Shape;
    };
    for (const TCase& c : {TCase{{60, 60}, Qt::PointingHandCursor}, TCase{{50, 65}, Qt::SizeHorCursor},
                           TCase{{105, 65}, Qt::SizeHorCursor}, TCase{{78, 50}, Qt::SizeVerCursor},
                           TCase{{78, 80}, Qt::SizeVerCursor}, TCase{{28, 15}, Qt::SizeHorCursor},
                           TCase{{15, 28}, Qt::SizeVerCursor}, TCase{{150, 100}, Qt::ArrowCursor}}) {
        Move(c.P.X, c.P.Y);
        EXPECT_EQ(Cursor(), c.Shape) << c.P.X << "," << c.P.Y;
    }
    // A drag in progress shows the default cursor over every mark.
    Press(60, 60);
    Move(61, 61);
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Release(61, 61);

    Lab.Clear();
    Add<TKxLine>({100, 100}, {300, 200});
    Click(78, 65);
    Move(103, 78);
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
}

TEST_F(KxLabEdit, WithoutEditingMovesStillSetCursorsAndRulerMarksButPressesDoNothing) {
    TKxRect* box = AddBox();
    Click(60, 60);
    Lab.SetAllowEdit(false);
    QSignalSpy rights(&Lab, &TKxLab::RightMouse);
    Move(50, 65);
    EXPECT_EQ(Cursor(), Qt::SizeHorCursor);
    EXPECT_EQ(Lab.GetOverlay().RulerMarkCount(), 1);
    Drag({60, 60}, {{100, 100}});
    Click(170, 110, Qt::RightButton);
    EXPECT_EQ(box->P1, (TPoint{100, 100}));
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(rights.count(), 0);
    Lab.SetDrawTool(dwRect);
    Drag({40, 40}, {{60, 60}});
    EXPECT_EQ(Lab.ElementCount(), 1);
    EXPECT_FALSE(Marks().Pressed || Marks().ShapeActive);
}

TEST_F(KxLabEdit, RightClicksReportWhetherTheSelectedElementWasHit) {
    QList<QVariantList> reports;
    Lab.OnRightMouse = [&](QObject* sender, bool select, int x, int y) {
        EXPECT_EQ(sender, &Lab);
        reports.append({select, x, y});
    };
    TKxRect* box = AddBox();
    Click(60, 60);
    Lab.SetDrawTool(dwRect);
    Lab.Marks().DragState = drSizes;
    Click(61, 62, Qt::RightButton);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], (QVariantList{true, 61, 62}));
    EXPECT_EQ(Lab.GetSelected(), box);
    EXPECT_EQ(Lab.GetDrawTool(), dwRect);

    Lab.Calls.clear();
    Click(170, 110, Qt::RightButton);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1], (QVariantList{false, 170, 110}));
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Lab.GetDrawTool(), dwSelection);
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_TRUE(Marks().SelRect.IsEmpty());
    EXPECT_TRUE(Lab.Calls.contains("paint:1"));

    // Without a selection nothing changes but the report.
    Lab.SetDrawTool(dwLine);
    Click(61, 62, Qt::RightButton);
    EXPECT_EQ(reports.size(), 3);
    EXPECT_EQ(Lab.GetDrawTool(), dwLine);
    Click(61, 62, Qt::MiddleButton);
    EXPECT_EQ(reports.size(), 3);
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

TEST_P(KxLabEditTool, CreatesItsKindBehindTheOthersSelectedWithItsDialog) {
    const TToolCase c = GetParam();
    TKxRect* first = AddBox();
    Lab.SetDrawTool(c.Tool);
    Lab.SetSnap(snGrid);
    if (c.Band)
        Drag({150, 100}, {{120, 90}, {41, 33}});
    else
        Click(41, 33);
    ASSERT_EQ(Lab.ElementCount(), 2);
    EXPECT_EQ(Lab.Element(0), first);
    TKxElement* e = Lab.Element(1);
    EXPECT_EQ(e->ElementType(), c.Kind);
    EXPECT_EQ(Lab.GetSelected(), e);
    EXPECT_EQ(Lab.Dialogs, *c.Dialog ? QStringList{c.Dialog} : QStringList{});
    EXPECT_EQ(Lab.GetDrawTool(), c.Tool);
    // No marks for the new element, and no snapping.
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_FALSE(Marks().ShapeActive);
    if (!c.Band) {
        EXPECT_EQ(e->P1, (TPoint{52, 20}));
    } else if (c.Kind == deLine) {
        EXPECT_EQ(e->P1, (TPoint{488, 288}));
        EXPECT_EQ(e->P2, (TPoint{52, 20}));
    } else {
        EXPECT_EQ(e->P1, (TPoint{52, 20}));
        EXPECT_EQ(e->P2, (TPoint{488, 288}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, KxLabEditTool,
    ::testing::Values(TToolCase{dwText, deText, "Txt", false}, TToolCase{dwBarCode, deBar, "Bar", false},
                      TToolCase{dwSymbol, deSymbol, "Symbol", false},
                      TToolCase{dwAddText, dePoliText, "AdTxt", false}, TToolCase{dwLine, deLine, "", true},
                      TToolCase{dwRect, deRect, "", true}, TToolCase{dwImage, deImage, "Image:new", true},
                      TToolCase{dwParagraph, deParagraph, "Par", true}),
    [](const auto& info) { return KxEnumName(info.param.Tool).toStdString(); });

TEST_F(KxLabEdit, RubberBandsFollowTheMouseUnsnappedAndBoxesGetTheirMinimumSize) {
    Lab.SetDrawTool(dwRect);
    Lab.SetSnap(snGrid);
    Press(40, 40);
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());
    Move(60, 71);
    Move(45, 43);
    const auto& figures = Lab.GetOverlay().Figures();
    ASSERT_FALSE(figures.empty());
    EXPECT_EQ(Frame(figures.back()), (TRect{40, 40, 45, 43}));
    for (const auto& f : figures)
        EXPECT_NE(Frame(f), (TRect{40, 40, 60, 71}));
    Move(43, 43);
    Release(43, 43);
    TKxElement* box = Lab.Element(0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->P1, (TPoint{48, 48}));
    EXPECT_EQ(box->P2, (TPoint{80, 80}));
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());

    // Drawn partly off the label: shifted inside. A line keeps its ends and its direction.
    Drag({170, 110}, {{190, 130}});
    EXPECT_EQ(Lab.Element(1)->P1, (TPoint{(158 - 28) * 4, (96 - 28) * 4}));
    EXPECT_EQ(Lab.Element(1)->P2, (TPoint{600, 352}));
    Lab.SetDrawTool(dwLine);
    Drag({150, 100}, {{50, 40}, {51, 41}});
    EXPECT_EQ(Lab.Element(2)->P1, (TPoint{488, 288}));
    EXPECT_EQ(Lab.Element(2)->P2, (TPoint{92, 52}));
    Drag({60, 60}, {{61, 60}});
    EXPECT_EQ(Lab.Element(3)->P2.X - Lab.Element(3)->P1.X, 4);
}

TEST_F(KxLabEdit, FrontAndBackExchangeWithTheEnds) {
    TKxRect* a = Add<TKxRect>({0, 0}, {40, 40});
    TKxRect* b = Add<TKxRect>({100, 0}, {140, 40});
    TKxRect* c = Add<TKxRect>({200, 0}, {240, 40});
    Lab.Back();
    Lab.Front();
    EXPECT_EQ(Lab.Element(0), a);
    Click(Px(220), Px(20));
    ASSERT_EQ(Lab.GetSelected(), c);
    const TKxMarks marks = Marks();
    Lab.Calls.clear();
    Lab.Front();
    EXPECT_EQ(Lab.Element(0), c);
    EXPECT_EQ(Lab.Element(1), b);
    EXPECT_EQ(Lab.Element(2), a);
    EXPECT_EQ(Lab.Calls, Recomposed(true));
    EXPECT_EQ(Marks().SelRect, marks.SelRect);
    Click(Px(120), Px(20));
    Lab.Back();
    EXPECT_EQ(Lab.Element(0), c);
    EXPECT_EQ(Lab.Element(1), a);
    EXPECT_EQ(Lab.Element(2), b);
}

TEST_F(KxLabEdit, ARectangleDrawnOverATextLiesBehindUntilBroughtToTheFront) {
    TKxText* text = Add<TKxText>({100, 100});
    Lab.SetDrawTool(dwRect);
    Drag({40, 40}, {{120, 90}});
    Lab.SetDrawTool(dwSelection);
    Click(text->Bounds.Left + 2, text->Bounds.Top + 2);
    EXPECT_EQ(Lab.GetSelected(), text);
    TKxElement* box = Lab.Element(1);
    Click(110, 85);
    ASSERT_EQ(Lab.GetSelected(), box);
    Lab.Front();
    EXPECT_EQ(Lab.Element(0), box);
    Click(170, 110, Qt::RightButton);
    Click(text->Bounds.Left + 2, text->Bounds.Top + 2);
    EXPECT_EQ(Lab.GetSelected(), box);
}

TEST_F(KxLabEdit, PasteAddsAnOffsetCopyInTheCurrentUnitAgainAndAgain) {
    KxClipboard().Clear();
    TKxRect* box = AddBox();
    box->Radio = 30;
    Lab.PasteElement();
    EXPECT_EQ(Lab.ElementCount(), 1);

    Click(60, 60);
    Lab.CopyElement();
    EXPECT_EQ(KxClipboard().Kind(), deRect);
    Lab.Calls.clear();
    Lab.PasteElement();
    ASSERT_EQ(Lab.ElementCount(), 2);
    const auto* copy = dynamic_cast<TKxRect*>(Lab.Element(1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Lab.GetSelected(), copy);
    EXPECT_EQ(copy->P1, (TPoint{120, 120}));
    EXPECT_EQ(copy->P2, (TPoint{320, 220}));
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

TEST_F(KxLabEdit, TheClipboardIsSharedByEveryDesigner) {
    TShownLabOf<TEditingLab> other;
    TKxLine* line = Add<TKxLine>({10, 20}, {30, 40});
    line->ID = "L1";
    Lab.ElementByID("L1");
    Lab.CutElement();
    EXPECT_EQ(Lab.ElementCount(), 0);
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Marks().DragState, drNone);
    other.Lab.PasteElement();
    ASSERT_EQ(other.Lab.ElementCount(), 1);
    TKxElement* pasted = other.Lab.Element(0);
    EXPECT_EQ(pasted->ElementType(), deLine);
    EXPECT_EQ(pasted->Owner, &other.Lab);
    EXPECT_EQ(pasted->ID, "L1");
    EXPECT_EQ(pasted->P1, (TPoint{30, 40}));
}

TEST_F(KxLabEdit, MarksAndDragStateBelongToEachDesigner) {
    TShownLabOf<TEditingLab> other;
    AddBox();
    Click(60, 60);
    // The same press on the other designer finds no outline of its own there.
    QTest::mousePress(&other.Lab, Qt::LeftButton, {}, {60, 60});
    EXPECT_FALSE(other.Lab.GetMarks().Pressed);
    EXPECT_EQ(other.Lab.GetMarks().DragState, drNone);
    QTest::mouseRelease(&other.Lab, Qt::LeftButton, {}, {60, 60});
    EXPECT_EQ(Marks().DragState, drSizes);
}

TEST_F(KxLabEdit, CommandsActOnTheSelectionOnly) {
    TKxRect* box = AddBox();
    Lab.Calls.clear();
    for (auto command :
         {&TKxLab::CopyElement, &TKxLab::CutElement, &TKxLab::DeleteElement, &TKxLab::AlignLeft,
          &TKxLab::AlignTop, &TKxLab::Front, &TKxLab::Back, &TKxLab::ShowElementProp})
        (Lab.*command)();
    EXPECT_EQ(Lab.ElementCount(), 1);
    EXPECT_TRUE(Lab.Calls.isEmpty());
    EXPECT_TRUE(Lab.Dialogs.isEmpty());
    // Transparent repaints in any case.
    Lab.Transparent();
    EXPECT_EQ(Lab.Calls, Recomposed(true));
    EXPECT_TRUE(box->Transparent);

    Click(60, 60);
    Lab.Transparent();
    EXPECT_FALSE(box->Transparent);
    Lab.ShowElementProp();
    EXPECT_EQ(Lab.Dialogs, QStringList{"Rect"});

    Lab.GetBackSurf()->SetAlignLeft(5);
    Lab.GetBackSurf()->SetAlignTop(2.5f);
    Lab.AlignLeft();
    EXPECT_EQ(box->P1, (TPoint{50, 100}));
    EXPECT_EQ(box->P2, (TPoint{250, 200}));
    EXPECT_EQ(Marks().SelRect, (TRect{40, 53, 90, 78}));
    Lab.AlignTop();
    EXPECT_EQ(box->P1, (TPoint{50, 25}));
    EXPECT_EQ(Marks().SelRect.Top, 34);

    Lab.DeleteElement();
    EXPECT_EQ(Lab.ElementCount(), 0);
    EXPECT_EQ(Lab.GetSelected(), nullptr);
    EXPECT_EQ(Marks().DragState, drNone);
    EXPECT_TRUE(Marks().SelRect.IsEmpty());
}

TEST_F(KxLabEdit, AdjustHandleWithoutASelectionOnlyRepaints) {
    AddBox();
    Click(60, 60);
    Lab.RemoveElement(Lab.GetSelected());
    Lab.Calls.clear();
    Lab.AdjustHandle();
    EXPECT_EQ(Lab.Calls, Recomposed(false));
    EXPECT_EQ(Marks().DragState, drSizes);
    // A press on the stale outline grabs it; its release writes into no element.
    Drag({60, 60}, {{70, 70}});
    EXPECT_FALSE(Marks().Pressed);
    EXPECT_EQ(Lab.ElementCount(), 0);
}
