#include <gtest/gtest.h>
#include <QStandardPaths>

#include "DesignerTestSupport.h"

// The built program on a real X server: it opens the label named on its command line in a window
// titled with the file's name, and quits cleanly on Ctrl+Q.
TEST(KxDesignerSmoke, OpensTheLabelOnTheCommandLineUnderX) {
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        FAIL() << "xvfb-run and xdotool are needed (scripts/setup.sh installs them)";
    TDesignerUser user;
    const QByteArray oldAsan = qgetenv("ASAN_OPTIONS");
    // Qt's X11 plugin keeps allocations to process exit that the leak checker would report.
    qputenv("ASAN_OPTIONS", "detect_leaks=0");
    const TResult r = Exec("xvfb-run", {"-a", "-s", "-screen 0 1280x900x24", "bash", KXDESIGNER_SMOKE,
                                        KXDESIGNER_EXE, KXLAB_SAMPLE_DIR "/showcase.kxl"});
    qputenv("ASAN_OPTIONS", oldAsan);
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("title: showcase.kxl - KxLab Designer")) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains("exit 0")) << r.Out.toStdString();
}
