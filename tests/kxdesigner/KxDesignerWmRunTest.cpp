#include <functional>
#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include "DesignerTestSupport.h"
#include "elements/KxElement.h"
#include "KxDesignSurface.h"
#include "KxMainWindow.h"

// The designer under a window manager on a real X server, driven as a user drives it: xdotool's
// pointer and keys go through the server and the manager to the window. Every step waits for what it
// must change, polling with a time limit, never for a fixed time.

namespace {

constexpr int Patience = 10000;

// Runs xdotool, the window's events flowing meanwhile.
void XDo(const QStringList& Args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), Args);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, Patience))
        << "xdotool hung";
    EXPECT_EQ(p.exitCode(), 0) << Args.join(' ').toStdString() << ": "
                               << p.readAllStandardError().toStdString();
}

QStringList MoveTo(QPoint Global) {
    return {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(Global.x()),
            QString::number(Global.y())};
}

struct TWmWindow {
    TDesignerUser User;
    std::unique_ptr<TKxMainWindow> Window = ShownWindow();
    TKxDesignSurface& Lab = *Window->Lab();

    TWmWindow() {
        Lab.SetZoom(zm200);
        Window->resize(1100, 800);
        // Framed by the manager: the frame then lies outside the client area.
        EXPECT_TRUE(QTest::qWaitFor([&] { return Window->frameGeometry() != Window->geometry(); }, Patience))
            << "no window manager framed the window";
        XDo({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(Window->winId())});
        EXPECT_TRUE(QTest::qWaitFor([&] { return Window->isActiveWindow(); }, Patience));
    }
    // A label point (label units) on the screen.
    QPoint Screen(int X, int Y) const { return Lab.mapToGlobal(At(Lab, X, Y)); }
    QPoint Centre(const QWidget* W) const { return W->mapToGlobal(W->rect().center()); }
    QWidget* Button(const char* Action) const {
        const auto* action = Window->findChild<QAction*>(QLatin1String(Action));
        for (const QToolBar* bar : Window->findChildren<QToolBar*>())
            if (QWidget* w = bar->widgetForAction(const_cast<QAction*>(action))) return w;
        return nullptr;
    }
    void ClickButton(const char* Action) {
        QWidget* b = Button(Action);
        ASSERT_NE(b, nullptr) << Action;
        XDo(MoveTo(Centre(b)) << QStringLiteral("click") << QStringLiteral("1"));
    }
    // Draws with a band tool from A to B, label units.
    void Draw(const char* Tool, QPoint A, QPoint B) {
        ClickButton(Tool);
        const int before = Lab.Label()->ElementCount();
        const QPoint a = Screen(A.x(), A.y());
        const QPoint b = Screen(B.x(), B.y());
        XDo(MoveTo(a) << QStringLiteral("mousedown") << QStringLiteral("1") << MoveTo((a + b) / 2)
                      << MoveTo(b) << QStringLiteral("mouseup") << QStringLiteral("1"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Lab.Label()->ElementCount() == before + 1; }, Patience))
            << Tool;
    }
    // Clicks a label point, with Shift when Add; waits until Expected is the current element.
    void Pick(QPoint P, const TKxElement* Expected, bool Add = false) {
        QStringList args = MoveTo(Screen(P.x(), P.y()));
        if (Add) args << QStringLiteral("keydown") << QStringLiteral("shift");
        args << QStringLiteral("click") << QStringLiteral("1");
        if (Add) args << QStringLiteral("keyup") << QStringLiteral("shift");
        XDo(args);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Lab.GetSelected() == Expected; }, Patience))
            << "at " << P.x() << ", " << P.y();
    }
    QString Status() const { return Window->findChild<QLabel*>(QStringLiteral("selection"))->text(); }
};

} // namespace

// The outer run: the program again, under xvfb-run and a window manager, running the test below.
TEST(KxDesignerWmRun, DrawPickAlignUndoSaveAndReopenUnderAWindowManager) {
    if (qEnvironmentVariableIsSet("KXDESIGNER_WM_RUN")) GTEST_SKIP() << "this is the inner run";
    for (const char* tool : {"xvfb-run", "xdotool", "openbox"})
        ASSERT_FALSE(QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            << tool << " is needed (scripts/setup.sh installs it)";
    const QString script =
        QFileInfo(QStringLiteral(KXDESIGNER_SMOKE)).dir().filePath(QStringLiteral("smoke-wm.sh"));
    const QByteArray oldAsan = qgetenv("ASAN_OPTIONS");
    // Qt's X11 plugin keeps allocations to process exit that the leak checker would report.
    qputenv("ASAN_OPTIONS", "detect_leaks=0");
    const TResult r = Exec("xvfb-run", {"-a", "-s", "-screen 0 1280x900x24", "bash", script,
                                        QCoreApplication::applicationFilePath()});
    qputenv("ASAN_OPTIONS", oldAsan);
    EXPECT_EQ(r.Code, 0) << r.Out.toStdString() << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("[  PASSED  ] 1 test")) << r.Out.toStdString();
}

TEST(KxDesignerWmRun, Inner) {
    if (!qEnvironmentVariableIsSet("KXDESIGNER_WM_RUN")) GTEST_SKIP() << "run by the test above";
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    TWmWindow w;
    TKxLabel& label = *w.Lab.Label();
    // Two frames, the second over the first's lower right, and a line across both. Label units.
    w.Draw("tool_dwRect", {30, 30}, {250, 200});
    w.Draw("tool_dwRect", {150, 120}, {400, 300});
    w.Draw("tool_dwLine", {60, 160}, {380, 160});
    ASSERT_EQ(label.ElementCount(), 3);
    TKxElement* first = label.Element(0);
    TKxElement* second = label.Element(1);
    TKxElement* line = label.Element(2);
    ASSERT_EQ(first->P1.X, 30);
    ASSERT_EQ(second->P1.X, 150);
    w.ClickButton("tool_dwSelection");

    // Each by a click on what is drawn of it: a border, the line inside both frames.
    w.Pick({30, 100}, first);
    EXPECT_TRUE(w.Status().startsWith(QStringLiteral("Rectangle at 3.00, 3.00 mm")))
        << w.Status().toStdString();
    w.Pick({400, 250}, second);
    w.Pick({300, 160}, line);
    EXPECT_TRUE(w.Status().startsWith(QStringLiteral("Line at 6.00, 16.00 mm"))) << w.Status().toStdString();

    // The two frames together, aligned on their left edges, then the alignment undone.
    w.Pick({30, 100}, first);
    w.Pick({400, 250}, second, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Lab.SelectedElements().size() == 2; }, Patience));
    EXPECT_EQ(w.Status(), QStringLiteral("2 elements selected"));
    w.ClickButton("actionAlignLefts");
    // On the current element, the one clicked last.
    EXPECT_TRUE(QTest::qWaitFor([&] { return label.Element(0)->P1.X == 150; }, Patience)) << "aligned";
    EXPECT_EQ(label.Element(1)->P1.X, 150);
    XDo({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("ctrl+z")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return label.Element(0)->P1.X == 30; }, Patience)) << "undone";
    EXPECT_EQ(label.Element(1)->P1.X, 150);

    // Saved, read back: the same bytes when saved again, the same pixels on the surface.
    w.Lab.SelectElement(nullptr);
    QCoreApplication::processEvents();
    const QImage before = w.Lab.grab().toImage();
    ASSERT_TRUE(w.Window->SaveFile(w.User.Path("three.kxl")));
    ASSERT_TRUE(w.Window->OpenFile(w.User.Path("three.kxl")));
    ASSERT_EQ(label.ElementCount(), 3);
    EXPECT_EQ(label.Element(0)->P1.X, 30);
    ASSERT_TRUE(w.Window->SaveFile(w.User.Path("again.kxl")));
    EXPECT_EQ(FileBytes(w.User.Path("again.kxl")), FileBytes(w.User.Path("three.kxl")));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.Lab.grab().toImage(), before);
}
