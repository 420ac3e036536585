// The set-up every label fuzz target shares: an application on the offscreen platform, and messages
// (a missing picture file, an unknown alias) dropped rather than shown or kept.
#include <QApplication>

#include "platform/Messages.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    SetMessageHook({[](const QString&) {}, [](unsigned) {}, [](bool) {}});
    return 0;
}
