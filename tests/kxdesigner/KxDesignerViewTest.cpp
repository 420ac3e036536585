#include "KxMainWindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <QWheelEvent>
#include <tuple>

#include "DesignerTestSupport.h"
#include "elements/KxElementFactory.h"
#include "KxDesignSurface.h"

namespace {

struct TZoomCase {
    const char* Name;
    std::vector<QKeyCombination> Keys;
    TKxZoom Zoom;
};

const TZoomCase ZoomCases[] = {
    {"CtrlEqualsZoomsIn", {Qt::CTRL | Qt::Key_Equal}, zm200},
    {"CtrlPlusZoomsIn", {Qt::CTRL | Qt::Key_Plus}, zm200},
    {"CtrlMinusZoomsOut", {Qt::CTRL | Qt::Key_Minus}, zm75},
    {"ZoomingInStopsAtTheLastStep",
     {Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Equal},
     zm400},
    {"ZoomingOutStopsAtTheFirstStep",
     {Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus},
     zm50},
    {"CtrlZeroGoesBackToActualSize", {Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_0}, zm100},
};

class KxDesignerZoomKeys : public ::testing::TestWithParam<TZoomCase> {};

std::string ZoomName(const ::testing::TestParamInfo<TZoomCase>& Info) {
    return Info.param.Name;
}

// Ctrl and the wheel, one notch, over Lab at Pos.
void CtrlWheel(TKxLab& Lab, QPoint Pos, int Notches) {
    QWheelEvent wheel(Pos, Lab.mapToGlobal(Pos), {}, {0, 120 * Notches}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Lab, &wheel);
}

} // namespace

TEST_P(KxDesignerZoomKeys, TheKeysStepThroughTheZoomAndTheToolBarFollows) {
    TDesignerUser user;
    auto w = ShownWindow();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_EQ(w->Lab()->GetZoom(), zm100);
    w->Lab()->setFocus();
    for (const QKeyCombination key : GetParam().Keys)
        QTest::keyClick(w->Lab(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(w->Lab()->GetZoom(), GetParam().Zoom);
    EXPECT_EQ(w->findChild<QComboBox*>("zoom")->currentIndex(), static_cast<int>(GetParam().Zoom));
}

INSTANTIATE_TEST_SUITE_P(Keys, KxDesignerZoomKeys, ::testing::ValuesIn(ZoomCases), ZoomName);

TEST(KxDesignerZoomWheel, CtrlAndTheWheelZoomAboutThePointer) {
    TDesignerUser user;
    auto w = ShownWindow();
    TKxLab& lab = *w->Lab();
    // A label larger than the window at the next step, so that there is room to keep the point.
    lab.GetMeasure()->SetWidth(200);
    lab.GetMeasure()->SetHeight(150);
    const QPoint pointer = At(lab, 300, 200);
    CtrlWheel(lab, pointer, 1);
    EXPECT_EQ(lab.GetZoom(), zm200);
    EXPECT_EQ(w->findChild<QComboBox*>("zoom")->currentIndex(), static_cast<int>(zm200));
    // The label point under the pointer stays under it, to the pixel.
    EXPECT_NEAR(lab.WindowX(300), pointer.x(), 1);
    EXPECT_NEAR(lab.WindowY(200), pointer.y(), 1);
    CtrlWheel(lab, pointer, -1);
    EXPECT_EQ(lab.GetZoom(), zm100);
    EXPECT_NEAR(lab.WindowX(300), pointer.x(), 1);
}

TEST(KxDesignerZoomWheel, ALabelThatFitsTheWindowStaysWholeInView) {
    TDesignerUser user;
    auto w = ShownWindow();
    TKxLab& lab = *w->Lab();
    CtrlWheel(lab, At(lab, 500, 300), 1);
    ASSERT_EQ(lab.GetZoom(), zm200);
    ASSERT_LE(lab.GetMaxRight(), lab.width());
    EXPECT_EQ(lab.View().H.Pos, 0);
    EXPECT_EQ(lab.View().V.Pos, 0);
}

TEST(KxDesignerZoomWheel, TheWheelWithoutCtrlDoesNotZoom) {
    TDesignerUser user;
    auto w = ShownWindow();
    TKxLab& lab = *w->Lab();
    QWheelEvent wheel(QPointF(50, 50), lab.mapToGlobal(QPointF(50, 50)), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&lab, &wheel);
    EXPECT_EQ(lab.GetZoom(), zm100);
}

TEST(KxDesignerClipboard, PasteIsEnabledExactlyWhenAnElementWasCopied) {
    TDesignerUser user;
    // A designer that goes frees the clipboard: the test starts with nothing to paste.
    std::make_unique<TKxLab>().reset();
    auto w = ShownWindow();
    auto* paste = w->findChild<QAction*>("actionPaste");
    EXPECT_FALSE(paste->isEnabled());
    TKxLab& lab = *w->Lab();
    auto e = TKxElementFactory::Create(deRect, lab.Label());
    e->P1 = {50, 50};
    e->P2 = {150, 150};
    lab.AddElement(std::move(e));
    lab.PaintLabScreen(true);
    QTest::mouseClick(&lab, Qt::LeftButton, {}, At(lab, 50, 100));
    Trigger(*w, "actionCopy");
    EXPECT_TRUE(paste->isEnabled());
    Trigger(*w, "actionPaste");
    EXPECT_EQ(lab.Label()->ElementCount(), 2);
}

TEST(KxDesignerClipboard, RedoShowsCtrlYAsTheReadmeSaysAndThePlatformsKeyWorksToo) {
    TDesignerUser user;
    auto w = ShownWindow();
    auto* redo = w->findChild<QAction*>("actionRedo");
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        EXPECT_TRUE(redo->shortcuts().contains(key)) << key.toString().toStdString();
    QFile readme(QStringLiteral(KXLAB_TEST_DATA_DIR "/../../README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readme.readAll().contains("Ctrl+Z, " + redo->shortcut().toString().toUtf8()));
}

TEST(KxDesignerView, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    TDesignerUser user;
    auto w = ShownWindow();
    w->resize(900, 600);
    TKxLab& lab = *w->Lab();
    // A frame around a line: the line, inside the frame, is picked by a click on it.
    for (const auto& [kind, a, b] : {std::tuple{deRect, TPoint{50, 50}, TPoint{400, 300}},
                                     std::tuple{deLine, TPoint{150, 250}, TPoint{350, 250}}}) {
        auto e = TKxElementFactory::Create(kind, lab.Label());
        e->P1 = a;
        e->P2 = b;
        lab.AddElement(std::move(e));
    }
    lab.PaintLabScreen(true);
    QTest::mouseClick(&lab, Qt::LeftButton, {}, At(lab, 250, 250));
    CtrlWheel(lab, At(lab, 250, 250), 1);
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(folder + "/kxdesigner-line-in-frame.png"));
}
