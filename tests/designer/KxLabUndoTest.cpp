#include <functional>
#include <gtest/gtest.h>
#include <QTest>
#include <QUndoStack>

#include "designer/RenderTestSupport.h"
#include "elements/KxRect.h"
#include "label/KxBackSurf.h"
#include "label/KxMeasure.h"

// The default label at zm100 in a 400 x 300 control: corner at client pixel 28, 4 label units a pixel.

namespace {

class KxLabUndo : public ::testing::Test {
protected:
    KxLabUndo() {
        auto rect = std::make_unique<TKxRect>(Lab.Label());
        rect->P1 = {100, 100};
        rect->P2 = {300, 200};
        Box = rect.get();
        Lab.AddElement(std::move(rect));
        Lab.GetBackSurf()->SetAlignLeft(3);
        Lab.PaintLabScreen(true);
        Lab.Label()->ResetHistory();
        History.setClean();
        Start = Lab.Label()->Record();
    }
    void Select() {
        QTest::mouseClick(&Lab, Qt::LeftButton, {}, {60, 60});
        ASSERT_EQ(Lab.GetSelected(), Box);
    }

    TFakeDialogs Dialogs;
    TShownLab S;
    TRecordingLab& Lab = S.Lab;
    QUndoStack& History = *Lab.Label()->UndoStack();
    TKxRect* Box = nullptr;
    QByteArray Start;
};

struct TCommandCase {
    const char* Name;
    std::function<void(TKxLab&)> Command;
    const char* Step;
};

void PrintTo(const TCommandCase& C, std::ostream* os) {
    *os << C.Name;
}

class KxLabUndoCommand : public KxLabUndo, public ::testing::WithParamInterface<TCommandCase> {};

} // namespace

TEST_F(KxLabUndo, WhatAFormSetsBeforeTheControlIsShownIsNoStep) {
    TKxLab lab;
    lab.setMeasureWidth(90);
    lab.AddElement(std::make_unique<TKxRect>(lab.Label()));
    EXPECT_EQ(lab.Label()->UndoStack()->count(), 0);
}

TEST_F(KxLabUndo, ADragIsOneMoveStepAndUndoPutsTheElementBack) {
    Select();
    QTest::mousePress(&Lab, Qt::LeftButton, {}, {60, 60});
    for (int x = 61; x <= 80; ++x)
        QTest::mouseMove(&Lab, {x, 70});
    QTest::mouseRelease(&Lab, Qt::LeftButton, {}, {80, 70});
    EXPECT_NE(Box->P1, (TPoint{100, 100}));
    ASSERT_EQ(History.count(), 1);
    EXPECT_EQ(History.undoText(), KxStepName(TKxStep::Move));
    History.undo();
    EXPECT_EQ(Lab.Label()->Record(), Start);
    EXPECT_TRUE(History.isClean());
    // A click that moves nothing is no step.
    QTest::mouseClick(&Lab, Qt::LeftButton, {}, {60, 60});
    QTest::mouseClick(&Lab, Qt::LeftButton, {}, {60, 60});
    EXPECT_EQ(History.index(), 0);
}

TEST_F(KxLabUndo, OneOpeningOfADialogIsOneStepNamedByIt) {
    Select();
    Dialogs.Edit = [this](TKxLab&) {
        // Every keystroke writes the element at once.
        for (int width = 2; width <= 6; ++width) {
            Box->PenWidth = width;
            Lab.Label()->NotifyElement(Box);
        }
    };
    Lab.ShowElementProp();
    ASSERT_EQ(History.count(), 1);
    EXPECT_EQ(History.undoText(), "Rect Properties");
    History.undo();
    EXPECT_EQ(Lab.Label()->Record(), Start);
}

TEST_F(KxLabUndo, ADialogClosedWithoutAChangeOrCancelledLeavesTheLabelUnmodified) {
    Select();
    Lab.ShowElementProp();
    Lab.ShowProp(0);
    Dialogs.Keep = false;
    Dialogs.Edit = [this](TKxLab& L) { L.GetMeasure()->SetWidth(99); };
    Lab.ShowProp(0);
    Lab.ShowElementProp();
    EXPECT_EQ(Dialogs.Shown, (QStringList{"Rect", "Label:0", "Label:0", "Rect"}));
    EXPECT_EQ(History.count(), 0);
    EXPECT_TRUE(History.isClean());
    EXPECT_EQ(Lab.Label()->Record(), Start);
}

TEST_F(KxLabUndo, ANewElementAndItsDialogAreOneStepAndCancellingTheDialogDropsIt) {
    Lab.SetDrawTool(dwText);
    QTest::mouseClick(&Lab, Qt::LeftButton, {}, {120, 100});
    ASSERT_EQ(Lab.ElementCount(), 2);
    ASSERT_EQ(History.count(), 1);
    EXPECT_EQ(History.undoText(), KxStepName(TKxStep::Add));
    Dialogs.Keep = false;
    QTest::mouseClick(&Lab, Qt::LeftButton, {}, {200, 100});
    EXPECT_EQ(Lab.ElementCount(), 2);
    EXPECT_EQ(History.count(), 1);
    EXPECT_EQ(Lab.GetSelected(), nullptr);
}

TEST_P(KxLabUndoCommand, IsOneNamedStepThatUndoesByteForByte) {
    Select();
    GetParam().Command(Lab);
    ASSERT_EQ(History.count(), 1);
    EXPECT_EQ(History.undoText(), GetParam().Step);
    History.undo();
    EXPECT_EQ(Lab.Label()->Record(), Start);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, KxLabUndoCommand,
    ::testing::Values(TCommandCase{"Delete", [](TKxLab& L) { L.DeleteElement(); }, "Delete"},
                      TCommandCase{"Cut", [](TKxLab& L) { L.CutElement(); }, "Cut"},
                      TCommandCase{"Paste",
                                   [](TKxLab& L) {
                                       L.CopyElement();
                                       L.PasteElement();
                                   },
                                   "Paste"},
                      TCommandCase{"Transparent", [](TKxLab& L) { L.Transparent(); }, "Transparent"},
                      TCommandCase{"AlignLeft", [](TKxLab& L) { L.AlignLeft(); }, "Align"}),
    [](const auto& Info) { return std::string(Info.param.Name); });
