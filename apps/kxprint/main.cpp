// kxprint: prints a label file, filled from its database table, without a window.
#include <cstdio>
#include <QGuiApplication>

#include "KxPrintJob.h"
#include "KxPrintOptions.h"
#include "KxReport.h"
#include "KxSignals.h"
#include "KxStockOption.h"

namespace {

// Qt's own notes (the runtime folder it had to choose, a driver's complaint) are not for a batch
// user: kxprint's errors say what went wrong. Only a fatal one, which ends the process, is shown.
void KeepQtOffTheTerminal(QtMsgType Type, const QMessageLogContext&, const QString& Text) {
    if (Type == QtFatalMsg)
        std::fprintf(stderr, "kxprint: %s\n", KxTerminalText(Text).toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    KxInstallSignalCleanup();
    qInstallMessageHandler(KeepQtOffTheTerminal);
    // No display needed: without one, Qt draws on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TKxPrintOptions options;
    try {
        options = ParsePrintOptions(app.arguments().mid(1));
    } catch (const EUsage& e) {
        std::fprintf(stderr, "kxprint: %s\n\n%s",
                     KxTerminalText(QString::fromStdString(e.what())).toLocal8Bit().constData(),
                     qPrintable(PrintUsage()));
        return ecUsage;
    }
    if (options.Help) {
        std::fputs(qPrintable(PrintUsage()), stdout);
        return ecDone;
    }
    if (options.ListStocks) return KxListStocks(options, stdout, stderr);
    return TKxPrintJob(options, stderr).Run();
}
