#include "KxPrintJob.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <unistd.h>

#include "base/InvalidGraphic.h"
#include "base/Messages.h"
#include "db/AliasFile.h"
#include "db/DBAlias.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"
#include "types/KxMessages.h"

namespace {

// Milliseconds since the first call.
int64_t Clock() {
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return timer.elapsed();
}

// out.png -> out-7.png: one file per sheet.
QString SheetPath(const QString& Output, int64_t Number) {
    const QFileInfo info(Output);
    return info.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(Number).arg(info.suffix()));
}

// Writes one sheet; false when the file cannot be written. Raster sheets are Dpi pixels per inch.
bool SavePage(const TMetafile& Page, const QString& Path, TKxOutputKind Kind, int Dpi) {
    if (Kind == TKxOutputKind::okPng || Kind == TKxOutputKind::okBmp) {
        const auto pixels = [Dpi](int32_t hundredths) {
            return std::max(1, static_cast<int>(std::lround(hundredths / 2540.0 * Dpi)));
        };
        QImage image = Page.Render(pixels(Page.MMWidth()), pixels(Page.MMHeight()));
        const int dotsPerMetre = static_cast<int>(std::lround(Dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image.save(Path, Kind == TKxOutputKind::okPng ? "PNG" : "BMP");
    }
    try {
        Page.SaveToFile(Path, Kind == TKxOutputKind::okSvg ? TMetafileFormat::Svg : TMetafileFormat::Emf);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    return true;
}

} // namespace

TKxPrintJob::TKxPrintJob(const TKxPrintOptions& Options, std::FILE* Err)
    : FOptions(Options)
    , FErr(Err)
    , FProgress(!Options.Quiet && isatty(fileno(Err))) {}

int TKxPrintJob::Fail(int Code, const QString& Text) const {
    std::fprintf(FErr, "%skxprint: %s\n", FProgress ? "\n" : "", qPrintable(Text));
    return Code;
}

void TKxPrintJob::Warn(const QString& Text) const {
    if (!FOptions.Quiet) std::fprintf(FErr, "kxprint: warning: %s\n", qPrintable(Text));
}

int TKxPrintJob::DefineAliases() {
    try {
        if (!FOptions.AliasesFile.isEmpty())
            Session().LoadAliasFile(FOptions.AliasesFile);
        else
            KxLoadUserAliases(Session());
        for (const auto& [name, path] : FOptions.Aliases) {
            if (!QFileInfo(path).isFile())
                return Fail(ecDatabase, QStringLiteral("alias %1: no database file \"%2\"").arg(name, path));
            // The command line wins over an aliases file.
            Session().DeleteAlias(name);
            TDBAlias alias;
            alias.Name = name;
            alias.Driver = TDBDriver::SQLite;
            alias.Path = path;
            Session().AddAlias(alias);
        }
    } catch (const EDBEngineError& e) {
        return Fail(ecDatabase, QString::fromStdString(e.what()));
    }
    return ecDone;
}

TKxRunSettings TKxPrintJob::RunSettings(const TKxLabel& Label) const {
    TKxRunSettings s = TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
    if (FOptions.Labs) s.Labs = *FOptions.Labs;
    if (FOptions.From) s.FirstLab = *FOptions.From;
    if (FOptions.To) s.LastLab = *FOptions.To;
    if (FOptions.Repeat) s.Repetition = *FOptions.Repeat;
    if (FOptions.FirstRow) s.FirstRow = *FOptions.FirstRow;
    if (FOptions.FirstCol) s.FirstCol = *FOptions.FirstCol;
    s.UseData = !FOptions.NoData && Label.GetDaBa();
    return s;
}

// The engine's own rule prints a bound label without data when its table cannot be opened; a batch
// user would take that for success, so here it is an error.
int TKxPrintJob::CheckData(TKxLabel& Label, const TKxRunSettings& Settings) {
    if (!Settings.UseData) return ecDone;
    TTable& table = *Label.GetTable();
    const QString alias = table.DatabaseName();
    if (alias.isEmpty() || table.TableName().isEmpty())
        return Fail(ecDatabase,
                    QStringLiteral("the label uses data but names no alias or table; use --no-data "
                                   "to print it without"));
    if (!Session().IsAlias(alias))
        return Fail(ecAlias, QStringLiteral("unknown alias \"%1\": define it with --aliases FILE or "
                                            "--alias %1=sqlite:PATH")
                                 .arg(alias));
    int64_t records = 0;
    try {
        table.Close();
        table.SetFiltered(true);
        table.Open();
        records = table.RecordCount();
        table.Close();
    } catch (const EDBEngineError& e) {
        return Fail(ecDatabase, QString::fromStdString(e.what()));
    }
    const int64_t first = Settings.FirstLab;
    const int64_t last = Settings.LastLab;
    if (last >= first && last > records) {
        const int64_t repeatedRecords = last - std::max(first - 1, records);
        FRepeated = repeatedRecords * Settings.Repetition;
    }
    return ecDone;
}

void TKxPrintJob::ShowProgress(int64_t Labels, int64_t Sheets, bool Final) {
    if (!FProgress) return;
    const int64_t now = Clock();
    if (!Final && FLastShown >= 0 && now - FLastShown < 100) return;
    FLastShown = now;
    const double seconds = std::max<int64_t>(now - FStarted, 1) / 1000.0;
    std::fprintf(FErr, "\r%12lld labels  %9lld sheets  %8.0f labels/s%s", static_cast<long long>(Labels),
                 static_cast<long long>(Sheets), Labels / seconds, Final ? "\n" : "");
    std::fflush(FErr);
}

int TKxPrintJob::Output(TKxLabel& Label, const TKxRunSettings& Settings) {
    TKxPrintRun run(Label, Settings);
    run.SetProgress([this](int64_t Labels, int64_t Sheets) {
        ShowProgress(Labels, Sheets, false);
        return true;
    });
    FStarted = Clock();
    try {
        if (FOptions.Kind == TKxOutputKind::okPdf || FOptions.Kind == TKxOutputKind::okPrinter) {
            TPrinter printer;
            if (FOptions.Kind == TKxOutputKind::okPrinter)
                printer.SetPrinterName(FOptions.PrinterName);
            else
                printer.SetOutputFileName(FOptions.Output);
            if (!KxApplyPaper(printer, Label)) ShowMessage(QString::fromUtf8(KxUnknownPaper));
            run.Print(printer);
        } else {
            QString failed;
            run.Export([&](TMetafile& Page, int64_t Number) {
                if (!failed.isEmpty()) return;
                const QString path = SheetPath(FOptions.Output, Number);
                if (!SavePage(Page, path, FOptions.Kind, FOptions.Dpi)) failed = path;
            });
            if (!failed.isEmpty()) return Fail(ecOutput, QStringLiteral("cannot write \"%1\"").arg(failed));
        }
    } catch (const EPrinter& e) {
        return Fail(ecOutput, QString::fromStdString(e.what()));
    } catch (const EDBEngineError& e) {
        return Fail(ecDatabase, QString::fromStdString(e.what()));
    } catch (const std::exception& e) {
        return Fail(ecRun, QString::fromStdString(e.what()));
    }
    ShowProgress(run.GetLabels(), run.GetSheets(), true);
    return ecDone;
}

int TKxPrintJob::Run() {
    if (const int code = DefineAliases()) return code;
    if (!QFileInfo(FOptions.Label).isFile())
        return Fail(ecLabel, QStringLiteral("no label file \"%1\"").arg(FOptions.Label));
    TKxLabel label;
    try {
        label.LoadFromFile(FOptions.Label);
    } catch (const std::exception& e) {
        return Fail(ecLabel, QStringLiteral("cannot read the label file \"%1\": %2")
                                 .arg(FOptions.Label, QString::fromStdString(e.what())));
    }
    const TKxRunSettings settings = RunSettings(label);
    if (const int code = CheckData(label, settings)) return code;
    if (settings.UseData && settings.LastLab < settings.FirstLab)
        return Fail(ecRun, QStringLiteral("no labels to print: the records run from %1 to %2")
                               .arg(settings.FirstLab)
                               .arg(settings.LastLab));
    if (const int code = Output(label, settings)) return code;
    if (FRepeated > 0)
        Warn(QStringLiteral("the data ends before record %1: %2 labels repeat the last record")
                 .arg(settings.LastLab)
                 .arg(FRepeated));
    return ecDone;
}
