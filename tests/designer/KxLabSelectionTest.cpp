#include <gtest/gtest.h>
#include <memory>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <vector>

#include "designer/KxClipboard.h"
#include "designer/RenderTestSupport.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "gdi/PainterDevice.h"
#include "label/KxBackSurf.h"

// The default label at zm100 in a 400 x 300 control: corner at client pixel 28, 4 label units per
// pixel, 600 x 350 label units. Three boxes: A (40, 40)-(120, 80), B (200, 40)-(280, 80) and
// C (360, 200)-(480, 280), at pixels (38, 38)-(58, 48), (78, 38)-(98, 48), (118, 78)-(148, 98).

class KxLabSelection : public ::testing::Test {
protected:
    TFakeDialogs Dialogs;
    TShownLabOf<TRecordingLab> S;
    TRecordingLab& Lab = S.Lab;
    TKxRect* A = Box({40, 40}, {120, 80});
    TKxRect* B = Box({200, 40}, {280, 80});
    TKxRect* C = Box({360, 200}, {480, 280});

    KxLabSelection() {
        Lab.SetSnap(snNone);
        Lab.PaintLabScreen(true);
    }
    TKxRect* Box(TPoint P1, TPoint P2) {
        auto e = std::make_unique<TKxRect>(Lab.Label());
        e->P1 = P1;
        e->P2 = P2;
        TKxRect* raw = e.get();
        Lab.AddElement(std::move(e));
        return raw;
    }
    void Click(QPoint P, Qt::KeyboardModifiers Mods = {}) {
        QTest::mouseClick(&Lab, Qt::LeftButton, Mods, P);
    }
    void Drag(QPoint From, QPoint To, Qt::KeyboardModifiers Mods = {}) {
        QTest::mousePress(&Lab, Qt::LeftButton, Mods, From);
        QTest::mouseMove(&Lab, To);
        QTest::mouseRelease(&Lab, Qt::LeftButton, Mods, To);
    }
    std::vector<TKxElement*> Selected() const { return Lab.SelectedElements(); }
    using TSet = std::vector<TKxElement*>;
    QUndoStack& History() { return *Lab.Label()->UndoStack(); }
    /// A and C selected by clicks, C current.
    void SelectAandC() {
        Click({48, 43});
        Click({128, 88}, Qt::ShiftModifier);
    }
};

TEST_F(KxLabSelection, ShiftClickAddsAndCtrlClickTakesOutTheLastClickedStayingCurrent) {
    QSignalSpy selects(&Lab, &TKxLab::Select);
    Click({48, 43});
    Click({88, 43}, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (TSet{A, B}));
    EXPECT_EQ(Lab.GetSelected(), B);
    EXPECT_EQ(selects.count(), 2);

    Click({128, 88}, Qt::ControlModifier);
    EXPECT_EQ(Selected(), (TSet{A, B, C}));
    Click({128, 88}, Qt::ControlModifier);
    EXPECT_EQ(Selected(), (TSet{A, B}));
    // The one selected last before the current one takes over.
    Click({88, 43}, Qt::ControlModifier);
    EXPECT_EQ(Selected(), (TSet{A}));
    EXPECT_EQ(Lab.GetSelected(), A);
    Click({48, 43}, Qt::ControlModifier);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Lab.GetSelected(), nullptr);
}

TEST_F(KxLabSelection, EverySelectedElementShowsItsOutlineTheOthersDotted) {
    SelectAandC();
    EXPECT_EQ(Lab.GetMarks().SelRect, C->Bounds);
    EXPECT_EQ(Lab.GetOverlay().Shown().GroupMarks, (std::vector<TRect>{A->Bounds}));
    // Several are only moved together: no handle resizes one of them.
    EXPECT_EQ(Lab.GetMarks().HandleLeft, TRect{});

    const TRect a = A->Bounds;
    TPainterDevice device;
    QImage image(Lab.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(device.Begin(&image));
    TCanvas canvas(&device);
    Lab.GetOverlay().Draw(canvas);
    device.End();
    // A dotted outline leaves every other pixel of its edge blank.
    int marked = 0;
    for (int x = a.Left; x < a.Right; ++x)
        marked += image.pixel(x, a.Top) != qRgb(255, 255, 255);
    EXPECT_GT(marked, 0);
    EXPECT_LT(marked, a.Width());
}

TEST_F(KxLabSelection, ABandFromEmptySurfaceSelectsWhatItWhollyEnclosesDrawnDottedMeanwhile) {
    Click({128, 88});
    QTest::mousePress(&Lab, Qt::LeftButton, {}, {30, 30});
    QTest::mouseMove(&Lab, {130, 60});
    ASSERT_EQ(Lab.GetOverlay().Figures().size(), 1u);
    EXPECT_EQ(Lab.GetOverlay().Figures()[0].Kind, TKxOverlay::TKind::DottedFrame);
    // C is only partly inside the band.
    QTest::mouseMove(&Lab, {130, 90});
    QTest::mouseRelease(&Lab, Qt::LeftButton, {}, {130, 90});
    EXPECT_EQ(Selected(), (TSet{A, B}));
    EXPECT_EQ(Lab.GetSelected(), A);
    EXPECT_TRUE(Lab.GetOverlay().Figures().empty());
}

TEST_F(KxLabSelection, ABandWithShiftAddsAndAClickOnNothingKeepsTheSelection) {
    Click({128, 88});
    Drag({30, 30}, {100, 60}, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (TSet{A, B, C}));
    EXPECT_EQ(Lab.GetSelected(), C);
    Click({170, 30});
    EXPECT_EQ(Selected(), (TSet{A, B, C}));
}

TEST_F(KxLabSelection, DraggingOneMovesAllAsOneStepThatUndoesWhole) {
    SelectAandC();
    const int steps = History().count();
    Drag({48, 43}, {58, 48});
    EXPECT_EQ(A->P1, (TPoint{80, 60}));
    EXPECT_EQ(C->P1, (TPoint{400, 220}));
    EXPECT_EQ(B->P1, (TPoint{200, 40}));
    EXPECT_EQ(History().count(), steps + 1);
    EXPECT_EQ(History().undoText(), QStringLiteral("Move"));

    History().undo();
    EXPECT_EQ(Lab.Label()->Element(0)->P1, (TPoint{40, 40}));
    EXPECT_EQ(Lab.Label()->Element(2)->P1, (TPoint{360, 200}));
    // The restored label keeps the selection the user was working on, the element pressed current.
    EXPECT_EQ(Lab.SelectedElements(), (TSet{Lab.Label()->Element(0), Lab.Label()->Element(2)}));
    EXPECT_EQ(Lab.GetSelected(), Lab.Label()->Element(0));
}

TEST_F(KxLabSelection, AClickWithoutADragOnOneOfSeveralSelectsItAlone) {
    SelectAandC();
    const int steps = History().count();
    Click({48, 43});
    EXPECT_EQ(Selected(), (TSet{A}));
    EXPECT_EQ(Lab.GetMarks().DragState, drSizes);
    EXPECT_EQ(History().count(), steps);
}

TEST_F(KxLabSelection, AGroupMoveStopsWhereTheFirstElementMeetsTheEdge) {
    SelectAandC();
    EXPECT_TRUE(Lab.MoveSelection({1000, -1000}));
    // C meets the right edge (600) after 120, A the top edge after 40.
    EXPECT_EQ(A->P1, (TPoint{160, 0}));
    EXPECT_EQ(C->P2, (TPoint{600, 240}));
    EXPECT_FALSE(Lab.MoveSelection({1, -1}));
}

TEST_F(KxLabSelection, LockedElementsStayWhileTheOthersMoveAndAloneAreNeverGrabbed) {
    SelectAandC();
    Lab.SetSelectionLocked(true);
    EXPECT_TRUE(A->Locked);
    EXPECT_EQ(History().undoText(), QStringLiteral("Lock"));
    Click({128, 88}, Qt::ControlModifier);
    Click({88, 43}, Qt::ShiftModifier);
    Lab.SetSelectionLocked(false); // unlocks B and A, leaves C locked
    A->Locked = true;
    Drag({88, 43}, {98, 53});
    EXPECT_EQ(B->P1, (TPoint{240, 80}));
    EXPECT_EQ(A->P1, (TPoint{40, 40}));

    const int steps = History().count();
    Click({128, 88});
    Drag({128, 88}, {140, 95});
    EXPECT_EQ(C->P1, (TPoint{360, 200}));
    EXPECT_EQ(History().count(), steps);
    EXPECT_EQ(Lab.GetSelected(), C);
}

TEST_F(KxLabSelection, LockingIsAStepThatUndoes) {
    SelectAandC();
    Lab.SetSelectionLocked(true);
    History().undo();
    EXPECT_FALSE(Lab.Label()->Element(0)->Locked);
    EXPECT_FALSE(Lab.Label()->Element(2)->Locked);
    History().redo();
    EXPECT_TRUE(Lab.Label()->Element(0)->Locked);
    EXPECT_EQ(History().undoText(), QStringLiteral("Lock"));
}

TEST_F(KxLabSelection, DeleteRemovesEverySelectedElementAsOneStep) {
    SelectAandC();
    Lab.DeleteElement();
    ASSERT_EQ(Lab.Label()->ElementCount(), 1);
    EXPECT_EQ(Lab.Label()->Element(0), B);
    EXPECT_TRUE(Selected().empty());
    History().undo();
    EXPECT_EQ(Lab.Label()->ElementCount(), 3);
}

TEST_F(KxLabSelection, CopyAndPasteCarrySeveralWhichBecomeTheSelection) {
    SelectAandC();
    Lab.CopyElement();
    EXPECT_EQ(KxClipboard().Records().size(), 2);
    const int steps = History().count();
    Lab.PasteElement();
    ASSERT_EQ(Lab.Label()->ElementCount(), 5);
    TKxElement* a = Lab.Label()->Element(3);
    TKxElement* c = Lab.Label()->Element(4);
    // 2 mm down and right of the copied ones, stacked among themselves as they were.
    EXPECT_EQ(a->P1, (TPoint{60, 60}));
    EXPECT_EQ(c->P1, (TPoint{380, 220}));
    EXPECT_EQ(Selected(), (TSet{a, c}));
    EXPECT_EQ(History().count(), steps + 1);
    EXPECT_EQ(Lab.GetOverlay().Shown().GroupMarks.size(), 1u);
    KxClipboard().Clear();
}

TEST_F(KxLabSelection, RightPressOnAnySelectedElementKeepsTheSelectionForTheMenu) {
    SelectAandC();
    QSignalSpy right(&Lab, &TKxLab::RightMouse);
    QTest::mousePress(&Lab, Qt::RightButton, {}, {48, 43});
    ASSERT_EQ(right.count(), 1);
    EXPECT_TRUE(right[0][1].toBool());
    EXPECT_EQ(Selected(), (TSet{A, C}));
}

TEST_F(KxLabSelection, SelectAllKeepsTheCurrentElement) {
    Lab.SelectAll();
    EXPECT_EQ(Selected(), (TSet{A, B, C}));
    EXPECT_EQ(Lab.GetSelected(), A);
    Click({88, 43});
    Lab.SelectAll();
    EXPECT_EQ(Lab.GetSelected(), B);
}

TEST_F(KxLabSelection, AlignmentsFollowTheCurrentElementAsOneNamedStep) {
    SelectAandC();
    Lab.Arrange(TKxArrange::AlignLeft);
    EXPECT_EQ(A->P1, (TPoint{360, 40}));
    EXPECT_EQ(A->P2, (TPoint{440, 80}));
    EXPECT_EQ(C->P1, (TPoint{360, 200}));
    EXPECT_EQ(History().undoText(), QStringLiteral("Align Left"));
    Lab.Arrange(TKxArrange::SameWidth);
    EXPECT_EQ(A->P2, (TPoint{480, 80}));
    EXPECT_EQ(History().undoText(), QStringLiteral("Same Width"));
}

TEST_F(KxLabSelection, ArrangeCommandsApplyOnlyWithEnoughUnlockedElements) {
    EXPECT_FALSE(Lab.CanArrange(TKxArrange::CentreOnLabel));
    Click({48, 43});
    EXPECT_TRUE(Lab.CanArrange(TKxArrange::CentreOnLabel));
    EXPECT_FALSE(Lab.CanArrange(TKxArrange::AlignLeft));
    Lab.SelectAll();
    EXPECT_TRUE(Lab.CanArrange(TKxArrange::DistributeHorizontally));
    B->Locked = true;
    EXPECT_FALSE(Lab.CanArrange(TKxArrange::DistributeHorizontally));
    Lab.Arrange(TKxArrange::DistributeHorizontally);
    EXPECT_EQ(A->P1, (TPoint{40, 40}));
    // A text has no size of its own to set.
    auto text = std::make_unique<TKxText>(Lab.Label());
    TKxText* t = text.get();
    Lab.AddElement(std::move(text));
    Lab.SelectElements({t, A}, A);
    EXPECT_FALSE(Lab.CanArrange(TKxArrange::SameWidth));
    EXPECT_TRUE(Lab.CanArrange(TKxArrange::AlignTop));
}

TEST_F(KxLabSelection, ALockedElementIgnoresTheGuideAlignment) {
    Click({48, 43});
    A->Locked = true;
    Lab.GetBackSurf()->SetAlignLeft(30.0f);
    Lab.AlignLeft();
    EXPECT_EQ(A->P1, (TPoint{40, 40}));
}

TEST_F(KxLabSelection, AltAndAClickSelectEachElementUnderThePointerFrontToBackAndRound) {
    TKxRect* d = Box({60, 50}, {200, 100});
    Lab.PaintLabScreen(true);
    QSignalSpy selects(&Lab, &TKxLab::Select);
    std::vector<TKxElement*> picked;
    for (int i = 0; i < 3; ++i) {
        Click({50, 45}, Qt::AltModifier);
        picked.push_back(Lab.GetSelected());
    }
    EXPECT_EQ(picked, (TSet{A, d, A}));
    EXPECT_EQ(selects.count(), 3);
    EXPECT_EQ(Selected(), (TSet{A}));
    // Over a single element it stays selected; over nothing the selection stays too.
    Click({128, 88}, Qt::AltModifier);
    Click({128, 88}, Qt::AltModifier);
    EXPECT_EQ(Lab.GetSelected(), C);
    Click({170, 30}, Qt::AltModifier);
    EXPECT_EQ(Lab.GetSelected(), C);
}
