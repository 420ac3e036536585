// The set-up every label fuzz target shares: an application on the offscreen platform, messages
// (a missing picture file, an unknown alias) dropped rather than shown or kept, and modal windows (the
// preview's) closed as soon as they show.
#include <QApplication>

#include "base/Messages.h"
#include "common/ModalCloser.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application lives until the process ends: destroyed among the static destructors, after
    // parts of the platform it uses are gone, it crashes once a window has been shown.
    static QApplication* const app = new QApplication(*argc, *argv);
    (void)app;
    SetMessageHook({[](const QString&) {}, [](unsigned) {}, [](bool) {}});
    static const TKxModalCloser closer;
    return 0;
}
