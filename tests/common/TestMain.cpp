#include <cstdlib>
#include <gtest/gtest.h>
#ifdef KXLAB_TEST_HEADLESS
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#else
#include <QApplication>
using TTestApplication = QApplication;
#endif
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

// Shared by every layer's test executable: a real QApplication on the offscreen platform, or only a
// QGuiApplication for the tests that prove the label prints without widgets.
int main(int argc, char** argv) {
    // Test discovery runs the binary without ctest's environment, so decide here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::tempPath() + "/kxlab-runtime-" + QString::number(getuid());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    TTestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
