// kxprint: prints a label file, filled from its database table, without a window.
#include <cstdio>
#include <new>
#include <QGuiApplication>

#include "base/Notices.h"
#include "KxNoticeReport.h"
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

// The run, then what it noted, once each, when it succeeded.
int Run(const TKxPrintOptions& Options) {
    TNoticeTally notices;
    if (Options.Strict) notices.OnFirst = KxRefuseNotice;
    const int code = TKxPrintJob(Options, stderr).Run();
    if (code == ecDone) {
        TKxReport report(stderr, Options.Quiet);
        for (const QString& line : KxNoticeLines(notices))
            report.Warning(line);
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    KxInstallSignalCleanup();
    qInstallMessageHandler(KeepQtOffTheTerminal);
    // kxprint never needs a display, and one that is named but gone would abort Qt's start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TKxPrintOptions options;
    try {
        options = ParsePrintOptions(app.arguments().mid(1));
    } catch (const EUsage& e) {
        std::fprintf(stderr, "kxprint: %s\nTry 'kxprint --help' for more information.\n",
                     KxTerminalText(QString::fromStdString(e.what())).toLocal8Bit().constData());
        return ecUsage;
    }
    if (options.Help) {
        std::fputs(qPrintable(PrintUsage()), stdout);
        return ecDone;
    }
    if (options.ListStocks) return KxListStocks(options, stdout, stderr);
    TakeAliasesFromEnvironment(options);
    try {
        return Run(options);
    } catch (const std::bad_alloc&) {
        return KxOutOfMemory();
    }
}
