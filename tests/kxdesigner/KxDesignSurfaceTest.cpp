#include "KxDesignSurface.h"

#include <gtest/gtest.h>
#include <memory>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <vector>

#include "DesignerTestSupport.h"
#include "dialogs/DialogTestSupport.h"
#include "elements/KxElementFactory.h"
#include "elements/KxLine.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "label/KxGrid.h"

namespace {

// A designer of the application's, 60 x 35 mm, shown offscreen, in front to back order:
// 0 a text at (100, 100); 1 a transparent frame from (50, 50) to (400, 300) around it; 2 a line
// inside the frame from (150, 250) to (350, 250); 3 an opaque rectangle from (450, 50) to (580, 300);
// 4 a text at (470, 100) beneath it. Label units.
struct TStacked {
    TKxDesignSurface Lab;
    TStacked() {
        Lab.resize(400, 300);
        Add(deText, {100, 100}, {});
        Add(deRect, {50, 50}, {400, 300});
        Add(deLine, {150, 250}, {350, 250});
        Add(deRect, {450, 50}, {580, 300})->Transparent = false;
        Add(deText, {470, 100}, {});
        Lab.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Lab);
        Lab.AdjustHandle();
    }
    TKxElement* Add(int Kind, TPoint P1, TPoint P2) {
        auto e = TKxElementFactory::Create(Kind, Lab.Label());
        e->P1 = P1;
        e->P2 = P2;
        if (auto* text = dynamic_cast<TKxText*>(e.get())) text->Text = QStringLiteral("Hi");
        TKxElement* raw = e.get();
        Lab.AddElement(std::move(e));
        return raw;
    }
    int Selected() const { return Lab.Label()->IndexOf(Lab.GetSelected()); }
    void Click(Qt::MouseButton Button, TPoint P) { QTest::mouseClick(&Lab, Button, {}, At(Lab, P.X, P.Y)); }
};

struct TPickCase {
    const char* Name;
    TPoint At;
    int Picked;
};

// Each press starts with the frame selected: a selected frame must not swallow presses inside it.
const TPickCase PickCases[] = {
    {"LineInsideTheFrame", {250, 250}, 2},
    {"TextInsideTheFrame", {110, 110}, 0},
    {"FrameOnItsBorder", {51, 200}, 1},
    {"EmptyInsideOfTheFrame", {300, 150}, -1},
    {"EmptyLabel", {420, 320}, -1},
    {"OpaqueRectangleOverAText", {480, 110}, 3},
    {"OpaqueRectangleAnywhereInside", {560, 280}, 3},
};

class KxSurfacePick : public ::testing::TestWithParam<TPickCase> {
protected:
    TDesignerUser User;
    TStacked S;
};

std::string PickName(const ::testing::TestParamInfo<TPickCase>& Info) {
    return Info.param.Name;
}

} // namespace

TEST_P(KxSurfacePick, ALeftClickPicksTheFrontMostDrawnShapeOrNothing) {
    S.Lab.SelectElement(S.Lab.Label()->Element(1));
    QSignalSpy changed(&S.Lab, &TKxDesignSurface::SelectionChanged);
    S.Click(Qt::LeftButton, GetParam().At);
    EXPECT_EQ(S.Selected(), GetParam().Picked);
    EXPECT_EQ(changed.count(), GetParam().Picked == 1 ? 0 : 1);
    if (GetParam().Picked < 0) {
        EXPECT_TRUE(S.Lab.GetMarks().SelRect.IsEmpty()) << "no marks stay behind";
    }
}

TEST_P(KxSurfacePick, ARightClickSelectsWhatIsUnderItBeforeTheMenu) {
    S.Lab.SelectElement(S.Lab.Label()->Element(1));
    QSignalSpy menu(&S.Lab, &TKxLab::RightMouse);
    S.Click(Qt::RightButton, GetParam().At);
    EXPECT_EQ(S.Selected(), GetParam().Picked);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(1).toBool(), GetParam().Picked >= 0) << "the element's menu, else the label's";
}

INSTANTIATE_TEST_SUITE_P(Presses, KxSurfacePick, ::testing::ValuesIn(PickCases), PickName);

TEST(KxSurfaceSelection, EscapeDropsTheSelectionAndAClickOnTheSelectedElementKeepsIt) {
    TDesignerUser user;
    TStacked s;
    s.Click(Qt::LeftButton, {250, 250});
    ASSERT_EQ(s.Selected(), 2);
    s.Click(Qt::LeftButton, {200, 250});
    EXPECT_EQ(s.Selected(), 2);
    QTest::keyClick(&s.Lab, Qt::Key_Escape);
    EXPECT_EQ(s.Selected(), -1);
    EXPECT_EQ(s.Lab.GetMarks().DragState, drNone);
}

TEST(KxSurfaceSelection, ADoubleClickOpensThePropertiesOfTheElementUnderIt) {
    TDesignerUser user;
    TStacked s;
    bool shown = false;
    WhenModal("TProLin", [&](QWidget&) { shown = true; });
    QTest::mouseDClick(&s.Lab, Qt::LeftButton, {}, At(s.Lab, 250, 250));
    EXPECT_TRUE(shown);
    EXPECT_EQ(s.Selected(), 2);
}

TEST(KxSurfaceSelection, ADragOnAnUnselectedElementMovesIt) {
    TDesignerUser user;
    TStacked s;
    const QPoint from = At(s.Lab, 110, 110);
    QTest::mousePress(&s.Lab, Qt::LeftButton, {}, from);
    QTest::mouseMove(&s.Lab, from + QPoint(10, 0));
    QTest::mouseMove(&s.Lab, from + QPoint(20, 0));
    QTest::mouseRelease(&s.Lab, Qt::LeftButton, {}, from + QPoint(20, 0));
    EXPECT_EQ(s.Selected(), 0);
    EXPECT_GT(s.Lab.Label()->Element(0)->P1.X, 100);
}

namespace {

struct TNudgeCase {
    const char* Name;
    TKxUnits Units;
    bool Snap;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int32_t StartX;
    int32_t MovedX;
};

// A rectangle 100 label units wide; the grid steps 5 mm (50 units); the label is 600 units wide.
const TNudgeCase NudgeCases[] = {
    {"RightByATenthOfAMillimetre", unMM, false, Qt::Key_Right, {}, 120, 121},
    {"LeftByATenthOfAMillimetre", unMM, false, Qt::Key_Left, {}, 120, 119},
    {"RightByAHundredthOfAnInch", unINCH, false, Qt::Key_Right, {}, 120, 123},
    {"ShiftByAGridStep", unMM, false, Qt::Key_Right, Qt::ShiftModifier, 120, 170},
    {"SnapToTheNextGridPointRight", unMM, true, Qt::Key_Right, {}, 120, 150},
    {"SnapToTheNextGridPointLeft", unMM, true, Qt::Key_Left, {}, 120, 100},
    {"SnapFromAGridPointToTheNext", unMM, true, Qt::Key_Left, {}, 100, 50},
    {"StopsAtTheLeftEdge", unMM, false, Qt::Key_Left, Qt::ShiftModifier, 30, 0},
    {"StopsAtTheRightEdge", unMM, false, Qt::Key_Right, Qt::ShiftModifier, 480, 500},
    {"StaysAtTheEdge", unMM, false, Qt::Key_Left, {}, 0, 0},
    {"SnapStopsAtTheEdge", unMM, true, Qt::Key_Right, {}, 490, 500},
};

class KxSurfaceNudge : public ::testing::TestWithParam<TNudgeCase> {};

std::string NudgeName(const ::testing::TestParamInfo<TNudgeCase>& Info) {
    return Info.param.Name;
}

} // namespace

TEST_P(KxSurfaceNudge, ArrowKeysMoveBySmallStepsAndNeverPastTheLabelsEdge) {
    TDesignerUser user;
    TStacked s;
    const TNudgeCase& c = GetParam();
    s.Lab.GetGrid()->SetIncX(c.Units == unMM ? 5.0f : 5.0f / 25.4f);
    s.Lab.SetUnits(c.Units);
    s.Lab.GetGrid()->SetIncX(c.Units == unMM ? 5.0f : 5.0f / 25.4f);
    s.Lab.SetSnap(c.Snap ? snGrid : snNone);
    TKxElement* e = s.Lab.Label()->Element(3);
    e->P1 = {c.StartX, 100};
    e->P2 = {c.StartX + 100, 200};
    s.Lab.SelectElement(e);
    QUndoStack& history = *s.Lab.Label()->UndoStack();
    const int steps = history.count();
    QTest::keyClick(&s.Lab, c.Key, c.Modifiers);
    e = s.Lab.GetSelected();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->P1, (TPoint{c.MovedX, 100}));
    EXPECT_EQ(e->P2, (TPoint{c.MovedX + 100, 200})) << "the element keeps its size";
    EXPECT_EQ(history.count(), steps + (c.MovedX != c.StartX ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Keys, KxSurfaceNudge, ::testing::ValuesIn(NudgeCases), NudgeName);

TEST(KxSurfaceNudge, ATextStopsWhereItsDrawnOutlineMeetsTheEdge) {
    TDesignerUser user;
    TStacked s;
    s.Lab.SelectElement(s.Lab.Label()->Element(0));
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&s.Lab, Qt::Key_Up, Qt::ShiftModifier);
    const TKxElement* e = s.Lab.GetSelected();
    EXPECT_GE(e->P1.Y, 0);
    EXPECT_LE(e->P1.Y, 4) << "within a pixel of the top edge";
}

TEST(KxSurfaceSelection, AltAndAClickReachEachElementDrawnUnderThePointerInTurn) {
    TStacked s;
    const QPoint onText = At(s.Lab, 480, 110);
    std::vector<int> picked;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(&s.Lab, Qt::LeftButton, Qt::AltModifier, onText);
        picked.push_back(s.Selected());
    }
    // The text lies beneath the opaque rectangle: Alt reaches it, then comes round to the front again.
    EXPECT_EQ(picked, (std::vector<int>{3, 4, 3}));
}
