// The set-up every label fuzz target shares: an application on the offscreen platform, and messages
// (a missing picture file, an unknown alias) dropped rather than shown or kept.
#include <QApplication>

#include "base/Messages.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application lives until the process ends: destroyed among the static destructors, after
    // parts of the platform it uses are gone, it crashes once a window has been shown.
    static QApplication* const app = new QApplication(*argc, *argv);
    (void)app;
    SetMessageHook({[](const QString&) {}, [](unsigned) {}, [](bool) {}});
    return 0;
}
