#include "KxMainWindow.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QUndoStack>

#include "base/Messages.h"
#include "controls/SpinEditFloat.h"
#include "DesignerTestSupport.h"
#include "dialogs/DialogTestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "KxDesignSurface.h"
#include "label/KxGrid.h"

namespace {

const QString Greeting = QStringLiteral("Hello Designer");
const QString Ean = QStringLiteral("4006381333931");

// Replaces a line edit's text as a user types it.
void TypeLine(QWidget& Dialog, const char* Name, const QString& Text) {
    auto* edit = Dialog.findChild<QLineEdit*>(QLatin1String(Name));
    ASSERT_NE(edit, nullptr) << Name;
    edit->selectAll();
    QTest::keyClicks(edit, Text);
}

// Draws with the tool as a user does: a click for the tools that open their dialog, a drag for the
// rubber-band tools.
void DrawText(TKxMainWindow& W, int X, int Y) {
    Trigger(W, "tool_dwText");
    WhenModal("TPropText", [](QWidget& D) { TypeLine(D, "EdText", Greeting); });
    QTest::mouseClick(W.Lab(), Qt::LeftButton, {}, At(*W.Lab(), X, Y));
}

void DrawBarCode(TKxMainWindow& W, int X, int Y) {
    Trigger(W, "tool_dwBarCode");
    WhenModal("TPropCoBar", [](QWidget& D) { TypeLine(D, "EdNum", Ean); });
    QTest::mouseClick(W.Lab(), Qt::LeftButton, {}, At(*W.Lab(), X, Y));
}

void Drag(TKxLab& Lab, QPoint From, QPoint To) {
    QTest::mousePress(&Lab, Qt::LeftButton, {}, From);
    QTest::mouseMove(&Lab, (From + To) / 2);
    QTest::mouseMove(&Lab, To);
    QTest::mouseRelease(&Lab, Qt::LeftButton, {}, To);
}

void DrawRect(TKxMainWindow& W, int X1, int Y1, int X2, int Y2) {
    Trigger(W, "tool_dwRect");
    Drag(*W.Lab(), At(*W.Lab(), X1, Y1), At(*W.Lab(), X2, Y2));
}

void Select(TKxMainWindow& W, int X, int Y) {
    Trigger(W, "tool_dwSelection");
    QTest::mouseClick(W.Lab(), Qt::LeftButton, {}, At(*W.Lab(), X, Y));
}

// The pen of the rectangle, in millimetres, set in its property dialog.
void SetRectPen(TKxMainWindow& W, const QString& Millimetres) {
    WhenModal("TProRect",
              [&](QWidget& D) { TypeInto(D.findChild<TSpinEditFloat*>("SpEdFloatPen"), Millimetres); });
    Trigger(W, "actionProperties");
}

// Answers the next message box with Button.
void Answer(QMessageBox::StandardButton Button) {
    WhenModal("QMessageBox", [Button](QWidget& B) { static_cast<QMessageBox&>(B).button(Button)->click(); });
}

QStringList Scan(const QString& Png) {
    const TResult r = Exec("zbarimg", {"--nodbus", "--quiet", "--raw", Png});
    return r.Out.split('\n', Qt::SkipEmptyParts);
}

// A window with the label the flow test draws: a text, a rectangle with a 0.5 mm pen and a barcode.
struct TDrawn {
    TDesignerUser User;
    TMessageCapture Messages;
    std::unique_ptr<TKxMainWindow> W = ShownWindow();
    TDrawn() {
        DrawText(*W, 40, 40);
        DrawRect(*W, 60, 180, 260, 320);
        DrawBarCode(*W, 300, 40);
        Select(*W, 60, 250);
        SetRectPen(*W, "0.5");
    }
    TKxLab& Lab() { return *W->Lab(); }
};

} // namespace

TEST(KxDesignerFlow, DrawEditUndoSaveReopenAndExport) {
    TDrawn d;
    TKxLab& lab = d.Lab();
    ASSERT_EQ(lab.Label()->ElementCount(), 3);
    // Text, rectangle, barcode, and the pen change: four steps; selecting changed nothing.
    EXPECT_EQ(d.W->History().index(), 4);
    auto* rect = dynamic_cast<TKxRect*>(lab.Label()->Element(1));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->PenWidth, 5);

    const int selected = lab.Label()->IndexOf(lab.GetSelected());
    Trigger(*d.W, "actionUndo");
    EXPECT_EQ(dynamic_cast<TKxRect*>(lab.Label()->Element(1))->PenWidth, 1);
    // The element the user worked on stays selected.
    EXPECT_EQ(lab.Label()->IndexOf(lab.GetSelected()), selected);
    Trigger(*d.W, "actionRedo");
    EXPECT_EQ(dynamic_cast<TKxRect*>(lab.Label()->Element(1))->PenWidth, 5);
    EXPECT_TRUE(d.W->IsModified());

    const QString file = d.User.Path("drawn.kxl");
    ASSERT_TRUE(d.W->SaveFile(file));
    EXPECT_FALSE(d.W->IsModified());
    EXPECT_EQ(d.W->windowTitle(), "drawn.kxl[*] - KxLab Designer");

    auto reopened = ShownWindow();
    ASSERT_TRUE(reopened->OpenFile(file));
    TKxLab& again = *reopened->Lab();
    ASSERT_EQ(again.Label()->ElementCount(), 3);
    EXPECT_EQ(again.Label()->Element(0)->ElementType(), deText);
    EXPECT_EQ(again.Label()->Element(1)->ElementType(), deRect);
    EXPECT_EQ(again.Label()->Element(2)->ElementType(), deBar);
    EXPECT_EQ(static_cast<TKxText*>(again.Label()->Element(0))->Text, Greeting);
    EXPECT_EQ(again.Label()->Element(1)->PenWidth, 5);
    EXPECT_EQ(static_cast<TKxBarCode*>(again.Label()->Element(2))->Code, Ean);
    ASSERT_TRUE(reopened->SaveFile(d.User.Path("again.kxl")));
    EXPECT_EQ(FileBytes(d.User.Path("again.kxl")), FileBytes(file));

    const QString pdf = d.User.Path("drawn.pdf");
    ASSERT_TRUE(reopened->ExportFile(pdf));
    EXPECT_TRUE(Exec("pdftotext", {pdf, "-"}).Out.contains(Greeting));
    Exec("pdftoppm", {"-r", "300", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, d.User.Path("page")});
    EXPECT_EQ(Scan(d.User.Path("page.png")), QStringList{Ean});
    EXPECT_TRUE(d.Messages.Messages.isEmpty()) << d.Messages.Messages.join('\n').toStdString();
}

TEST(KxDesignerFlow, EveryUndoneStepRestoresTheRecordOfItsTime) {
    TDrawn d;
    std::vector<QByteArray> records{d.Lab().Label()->Record()};
    while (d.W->History().canUndo()) {
        Trigger(*d.W, "actionUndo");
        records.push_back(d.Lab().Label()->Record());
    }
    EXPECT_EQ(d.Lab().Label()->ElementCount(), 0);
    EXPECT_FALSE(d.W->IsModified());
    for (auto it = records.rbegin() + 1; it != records.rend(); ++it) {
        Trigger(*d.W, "actionRedo");
        TKxTempDir dir;
        d.Lab().SaveToFile(dir.Path("now.kxl"));
        EXPECT_EQ(FileBytes(dir.Path("now.kxl")), *it);
    }
}

TEST(KxDesignerKeys, ArrowsNudgeByATenthOfAMillimetreAndShiftByAGridStep) {
    TDrawn d;
    TKxLab& lab = d.Lab();
    const TPoint start = lab.GetSelected()->P1;
    const int step = lab.GetGrid()->StepY();
    lab.setFocus();
    const int steps = d.W->History().index();
    QTest::keyClick(&lab, Qt::Key_Right);
    EXPECT_EQ(lab.GetSelected()->P1.X, start.X + 1);
    QTest::keyClick(&lab, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(lab.GetSelected()->P1.Y, start.Y - step);
    QTest::keyClick(&lab, Qt::Key_Left);
    QTest::keyClick(&lab, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(lab.GetSelected()->P1, start);
    EXPECT_EQ(d.W->History().index(), steps + 4);
}

TEST(KxDesignerKeys, ShortcutsReachTheCommands) {
    TDrawn d;
    TKxLab& lab = d.Lab();
    QApplication::setActiveWindow(d.W.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.W.get()));
    lab.setFocus();
    QTest::keyClick(&lab, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&lab, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(lab.Label()->ElementCount(), 4);
    QTest::keyClick(&lab, Qt::Key_Delete);
    EXPECT_EQ(lab.Label()->ElementCount(), 3);
    QTest::keyClick(&lab, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(lab.Label()->ElementCount(), 4);
    QTest::keyClick(&lab, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(lab.Label()->ElementCount(), 3);
    QTest::keyClick(&lab, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(lab.Label()->ElementCount(), 3) << "nothing is selected after the delete";
}

TEST(KxDesignerKeys, EscapeEndsADrawingTool) {
    TDesignerUser user;
    auto w = ShownWindow();
    Trigger(*w, "tool_dwRect");
    w->Lab()->setFocus();
    QTest::keyClick(w->Lab(), Qt::Key_Escape);
    EXPECT_EQ(w->Lab()->GetDrawTool(), dwSelection);
    EXPECT_TRUE(w->findChild<QAction*>("tool_dwSelection")->isChecked());
}

TEST(KxDesignerFile, UnsavedChangesAskBeforeNewAndCancelKeepsThem) {
    TDrawn d;
    EXPECT_EQ(d.W->windowTitle(), "Untitled[*] - KxLab Designer");
    EXPECT_TRUE(d.W->isWindowModified());
    Answer(QMessageBox::Cancel);
    Trigger(*d.W, "actionNew");
    EXPECT_EQ(d.Lab().Label()->ElementCount(), 3);
    Answer(QMessageBox::Discard);
    Trigger(*d.W, "actionNew");
    EXPECT_EQ(d.Lab().Label()->ElementCount(), 0);
    EXPECT_FALSE(d.W->IsModified());
    EXPECT_FALSE(d.W->History().canUndo());
}

TEST(KxDesignerFile, ClosingWithChangesAsksAndCancelKeepsTheWindow) {
    TDrawn d;
    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(d.W->close());
    EXPECT_TRUE(d.W->isVisible());
    Answer(QMessageBox::Discard);
    EXPECT_TRUE(d.W->close());
}

TEST(KxDesignerFile, ACorruptFileLeavesTheLabelAndSaysWhy) {
    TDrawn d;
    const QString bad = d.User.Path("bad.kxl");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a label");
    f.close();
    ASSERT_TRUE(d.W->SaveFile(d.User.Path("good.kxl")));
    EXPECT_FALSE(d.W->OpenFile(bad));
    EXPECT_EQ(d.Lab().Label()->ElementCount(), 3);
    EXPECT_EQ(d.W->FileName(), d.User.Path("good.kxl"));
    ASSERT_EQ(d.Messages.Messages.size(), 1);
    EXPECT_TRUE(d.Messages.Messages[0].startsWith("No se puede leer el archivo elegido"));
}

TEST(KxDesignerMenus, RightPressShowsTheElementsOrTheLabelsCommands) {
    TDrawn d;
    TKxLab& lab = d.Lab();
    QTest::mousePress(&lab, Qt::RightButton, {}, At(lab, 60, 250));
    EXPECT_TRUE(d.W->ElementMenu()->isVisible());
    d.W->ElementMenu()->close();
    // An element that is not selected is selected first, and its commands are shown.
    QTest::mousePress(&lab, Qt::RightButton, {}, At(lab, 50, 50));
    EXPECT_TRUE(d.W->ElementMenu()->isVisible());
    EXPECT_EQ(lab.GetSelected(), lab.Label()->Element(0));
    EXPECT_EQ(d.W->findChild<QLabel*>("selection")->text(), "Text at 4.00, 4.00 mm");
    d.W->ElementMenu()->close();
    QTest::mousePress(&lab, Qt::RightButton, {}, At(lab, 550, 330));
    EXPECT_TRUE(d.W->LabelMenu()->isVisible());
    EXPECT_EQ(lab.GetSelected(), nullptr);
    EXPECT_FALSE(d.W->findChild<QAction*>("actionDelete")->isEnabled());
    d.W->LabelMenu()->close();
}

TEST(KxDesignerMenus, StatusBarShowsThePositionAndTheSelection) {
    TDrawn d;
    TKxLab& lab = d.Lab();
    QTest::mouseMove(&lab, At(lab, 100, 200));
    EXPECT_EQ(d.W->findChild<QLabel*>("position")->text(), "x 10.00, y 19.89 mm");
    EXPECT_EQ(d.W->findChild<QLabel*>("selection")->text(), "Rectangle at 6.00, 18.00 mm");
}
