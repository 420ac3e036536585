// kxprint: prints a label file, filled from its database table, without a window.
#include <cstdio>
#include <QGuiApplication>

#include "KxPrintJob.h"
#include "KxPrintOptions.h"

int main(int argc, char** argv) {
    // No display needed: without one, Qt draws on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TKxPrintOptions options;
    try {
        options = ParsePrintOptions(app.arguments().mid(1));
    } catch (const EUsage& e) {
        std::fprintf(stderr, "kxprint: %s\n\n%s", e.what(), qPrintable(PrintUsage()));
        return ecUsage;
    }
    if (options.Help) {
        std::fputs(qPrintable(PrintUsage()), stdout);
        return ecDone;
    }
    return TKxPrintJob(options, stderr).Run();
}
