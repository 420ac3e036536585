#include <gtest/gtest.h>
#include <memory>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QTranslator>
#include <QUndoStack>
#include <tuple>
#include <vector>

#include "DesignerTestSupport.h"
#include "elements/KxElementFactory.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "KxDesignSurface.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"
#include "types/KxStrings.h"

namespace {

// The application's window with a default label (60 x 35 mm) holding, front to back: 0 an opaque
// box (100, 100)-(160, 140); 1 an opaque box (300, 60)-(380, 120); 2 an opaque box (500, 200)-(580, 260);
// 3 a transparent frame (50, 40)-(200, 180) around box 0. Label units.
struct TArrangeWindow {
    TDesignerUser User;
    std::unique_ptr<TKxMainWindow> Window = ShownWindow();
    TKxDesignSurface& Lab = *Window->Lab();
    std::vector<TKxElement*> E;

    TArrangeWindow() {
        for (const auto& [a, b, opaque] : {std::tuple{TPoint{100, 100}, TPoint{160, 140}, true},
                                           std::tuple{TPoint{300, 60}, TPoint{380, 120}, true},
                                           std::tuple{TPoint{500, 200}, TPoint{580, 260}, true},
                                           std::tuple{TPoint{50, 40}, TPoint{200, 180}, false}}) {
            auto e = TKxElementFactory::Create(deRect, Lab.Label());
            e->P1 = a;
            e->P2 = b;
            e->Transparent = !opaque;
            E.push_back(e.get());
            Lab.AddElement(std::move(e));
        }
        Lab.SetSnap(snNone);
        Lab.PaintLabScreen(true);
        QApplication::setActiveWindow(Window.get());
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(Window.get());
        Lab.setFocus();
    }
    void Click(int X, int Y, Qt::KeyboardModifiers Mods = {}) {
        QTest::mouseClick(&Lab, Qt::LeftButton, Mods, At(Lab, X, Y));
    }
    void Drag(TPoint From, TPoint To) {
        QTest::mousePress(&Lab, Qt::LeftButton, {}, At(Lab, From.X, From.Y));
        QTest::mouseMove(&Lab, At(Lab, To.X, To.Y));
        QTest::mouseRelease(&Lab, Qt::LeftButton, {}, At(Lab, To.X, To.Y));
    }
    QAction* Action(const char* Name) const { return Window->findChild<QAction*>(QLatin1String(Name)); }
    QString Status() const { return Window->findChild<QLabel*>(QStringLiteral("selection"))->text(); }
};

struct TEnabledCase {
    const char* Name;
    int Selected;
    const char* Action;
    bool Enabled;
};

const TEnabledCase EnabledCases[] = {
    {"NothingSelectedCentresNothing", 0, "actionCentreOnLabel", false},
    {"OneCentres", 1, "actionCentreOnLabel", true},
    {"OneAlignsToNothing", 1, "actionAlignLefts", false},
    {"TwoAlign", 2, "actionAlignLefts", true},
    {"TwoTakeTheSameHeight", 2, "actionSameHeight", true},
    {"TwoDoNotDistribute", 2, "actionDistributeH", false},
    {"ThreeDistribute", 3, "actionDistributeV", true},
    {"NothingSelectedLocksNothing", 0, "actionLock", false},
    {"OneLocks", 1, "actionLock", true},
};

class KxArrangeEnabled : public ::testing::TestWithParam<TEnabledCase> {};

std::string EnabledName(const ::testing::TestParamInfo<TEnabledCase>& Info) {
    return Info.param.Name;
}

} // namespace

TEST_P(KxArrangeEnabled, TheCommandsAreOfferedOnlyWhereTheyApply) {
    TArrangeWindow w;
    const TEnabledCase& c = GetParam();
    const TPoint centres[] = {{130, 120}, {340, 90}, {540, 230}};
    for (int i = 0; i < c.Selected; ++i)
        w.Click(centres[i].X, centres[i].Y, i == 0 ? Qt::NoModifier : Qt::ShiftModifier);
    ASSERT_EQ(static_cast<int>(w.Lab.SelectedElements().size()), c.Selected);
    EXPECT_EQ(w.Action(c.Action)->isEnabled(), c.Enabled);
}

INSTANTIATE_TEST_SUITE_P(Selections, KxArrangeEnabled, ::testing::ValuesIn(EnabledCases), EnabledName);

TEST(KxArrangeCommands, CtrlASelectsEveryElementAndTheStatusBarCountsThem) {
    TArrangeWindow w;
    QTest::keyClick(&w.Lab, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.Lab.SelectedElements().size(), 4u);
    EXPECT_EQ(w.Status(), QStringLiteral("4 elements selected"));
}

TEST(KxArrangeCommands, ShiftClicksPickByDrawnShapeSoAFrameIsAddedOnlyByItsBorder) {
    TArrangeWindow w;
    w.Click(130, 120);
    w.Click(180, 60, Qt::ShiftModifier); // inside the transparent frame, on nothing
    EXPECT_EQ(w.Lab.SelectedElements(), (std::vector<TKxElement*>{w.E[0]}));
    w.Click(51, 100, Qt::ShiftModifier);
    EXPECT_EQ(w.Lab.SelectedElements(), (std::vector<TKxElement*>{w.E[0], w.E[3]}));
    EXPECT_EQ(w.Lab.GetSelected(), w.E[3]);
}

TEST(KxArrangeCommands, ABandStartedInsideAFrameSelectsWhatItEnclosesAndNotTheFrame) {
    TArrangeWindow w;
    w.Drag({70, 60}, {400, 170});
    EXPECT_EQ(w.Lab.SelectedElements(), (std::vector<TKxElement*>{w.E[0], w.E[1]}));
    EXPECT_EQ(w.Status(), QStringLiteral("2 elements selected"));
}

TEST(KxArrangeCommands, AnAlignmentFromTheMenuIsOneStepThatTheUndoCommandNames) {
    TArrangeWindow w;
    w.Click(130, 120);
    w.Click(340, 90, Qt::ShiftModifier);
    Trigger(*w.Window, "actionAlignTops");
    EXPECT_EQ(w.E[0]->P1.Y, 60);
    EXPECT_EQ(w.E[1]->P1.Y, 60);
    EXPECT_EQ(w.Action("actionUndo")->text(), QStringLiteral("&Undo Align Top"));
    Trigger(*w.Window, "actionUndo");
    EXPECT_EQ(w.Lab.Label()->Element(0)->P1.Y, 100);
}

TEST(KxArrangeCommands, LockIsCheckedForALockedElementWhichTheArrowKeysLeaveWhereItIs) {
    TArrangeWindow w;
    w.Click(130, 120);
    QAction* lock = w.Action("actionLock");
    EXPECT_TRUE(w.Window->ElementMenu()->actions().contains(lock));
    EXPECT_FALSE(lock->isChecked());
    lock->trigger();
    EXPECT_TRUE(w.E[0]->Locked);
    EXPECT_TRUE(lock->isChecked());
    QTest::keyClick(&w.Lab, Qt::Key_Right);
    EXPECT_EQ(w.E[0]->P1.X, 100);
    lock->trigger();
    EXPECT_FALSE(w.E[0]->Locked);
    QTest::keyClick(&w.Lab, Qt::Key_Right);
    EXPECT_EQ(w.E[0]->P1.X, 101);
}

TEST(KxArrangeCommands, ArrowKeysNudgeTheWholeSelectionStoppingAtTheLabelsEdge) {
    TArrangeWindow w;
    w.Click(340, 90);
    w.Click(540, 230, Qt::ShiftModifier);
    const int steps = w.Window->History().count();
    // A grid step is 10 mm; box 2 ends 20 units short of the right edge.
    QTest::keyClick(&w.Lab, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(w.E[1]->P1.X, 320);
    EXPECT_EQ(w.E[2]->P2.X, 600);
    EXPECT_EQ(w.Window->History().count(), steps + 1);
    QTest::keyClick(&w.Lab, Qt::Key_Right);
    EXPECT_EQ(w.E[1]->P1.X, 320);
}

// Opt-in: the window with three elements selected (the barcode locked), the Arrange menu open and the
// Elements dock, in English and Spanish.
TEST(KxArrangeCommands, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    for (const bool spanish : {false, true}) {
        const auto translators = spanish ? KxInstallLanguage(QLocale(QLocale::Spanish, QLocale::Spain))
                                         : decltype(KxInstallLanguage({})){};
        QCoreApplication::sendPostedEvents();
        TDesignerUser user;
        auto window = ShownWindow();
        TKxDesignSurface& lab = *window->Lab();
        // At 400 % the label's right half, where the elements stand, lies clear of the open menu.
        lab.SetZoom(zm400);
        for (const auto& [kind, a, b] :
             {std::tuple{deText, TPoint{260, 30}, TPoint{}}, std::tuple{deBar, TPoint{250, 150}, TPoint{}},
              std::tuple{deRect, TPoint{500, 30}, TPoint{590, 120}}}) {
            auto e = TKxElementFactory::Create(kind, lab.Label());
            e->P1 = a;
            e->P2 = b;
            if (auto* text = dynamic_cast<TKxText*>(e.get())) text->Text = QStringLiteral("Precio 1,50");
            lab.AddElement(std::move(e));
        }
        window->resize(1100, 700);
        lab.PaintLabScreen(true);
        lab.SetLocked({lab.Label()->Element(1)}, true);
        lab.SelectAll();
        lab.SelectElements(lab.SelectedElements(), lab.Label()->Element(2));
        QCoreApplication::processEvents();
        QPixmap shot = window->grab();
        QMenu* menu = window->ArrangeMenu();
        QMenuBar* bar = window->menuBar();
        menu->popup(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        {
            QPainter painter(&shot);
            painter.drawPixmap(window->mapFromGlobal(menu->pos()), menu->grab());
        }
        menu->close();
        EXPECT_TRUE(
            shot.save(folder + (spanish ? "/kxdesigner-arrange-es.png" : "/kxdesigner-arrange-en.png")));
    }
    KxLoadLanguage({});
    QCoreApplication::sendPostedEvents();
}
