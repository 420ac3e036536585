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
#include "db/DBAlias.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

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
        if (!FOptions.AliasesFile.isEmpty()) Session().LoadAliasFile(FOptions.AliasesFile);
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

// The engine's own rule prints a bound label without data when its table cannot be opened; a batch
// user would take that for success, so here it is an error.
int TKxPrintJob::CheckData(TKxLab& Lab) {
    if (FOptions.NoData) {
        Lab.SetDaBa(false);
        return ecDone;
    }
    if (!Lab.GetDaBa()) return ecDone;
    TTable& table = *Lab.GetTable();
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
    const TKxPrintInfo& p = *Lab.GetPrintInfo();
    const int64_t first = p.GetFirstLab();
    const int64_t last = p.GetLastLab();
    if (last >= first && last > records) {
        const int64_t repeatedRecords = last - std::max(first - 1, records);
        FRepeated = repeatedRecords * p.GetRepetition();
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

int TKxPrintJob::Output(TKxLab& Lab) {
    int64_t labels = 0;
    int64_t sheets = 0;
    Lab.OnPrintProgress = [&](int64_t Labels, int64_t Sheets) {
        labels = Labels;
        sheets = Sheets;
        ShowProgress(Labels, Sheets, false);
    };
    FStarted = Clock();
    try {
        switch (FOptions.Kind) {
        case TKxOutputKind::okPrinter: Printer().SetPrinterName(FOptions.PrinterName); break;
        case TKxOutputKind::okPdf: Printer().SetOutputFileName(FOptions.Output); break;
        default: break;
        }
    } catch (const EPrinter& e) {
        return Fail(ecOutput, QString::fromStdString(e.what()));
    }
    try {
        if (FOptions.Kind == TKxOutputKind::okPdf || FOptions.Kind == TKxOutputKind::okPrinter) {
            Lab.Print();
        } else {
            QString failed;
            Lab.ExportPages([&](TMetafile& Page, int64_t Number) {
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
    ShowProgress(labels, sheets, true);
    return ecDone;
}

int TKxPrintJob::Run() {
    if (const int code = DefineAliases()) return code;
    if (!QFileInfo(FOptions.Label).isFile())
        return Fail(ecLabel, QStringLiteral("no label file \"%1\"").arg(FOptions.Label));
    TKxLab lab;
    try {
        lab.LoadFromFile(FOptions.Label);
    } catch (const std::exception& e) {
        return Fail(ecLabel, QStringLiteral("cannot read the label file \"%1\": %2")
                                 .arg(FOptions.Label, QString::fromStdString(e.what())));
    }
    TKxPrintInfo& p = *lab.GetPrintInfo();
    if (FOptions.Labs) p.SetLabs(*FOptions.Labs);
    if (FOptions.From) p.SetFirstLab(*FOptions.From);
    if (FOptions.To) p.SetLastLab(*FOptions.To);
    if (FOptions.Repeat) p.SetRepetition(*FOptions.Repeat);
    if (FOptions.FirstRow) p.SetFirstRow(*FOptions.FirstRow);
    if (FOptions.FirstCol) p.SetFirstCol(*FOptions.FirstCol);
    if (const int code = CheckData(lab)) return code;
    if (lab.GetDaBa() && p.GetLastLab() < p.GetFirstLab())
        return Fail(ecRun, QStringLiteral("no labels to print: the records run from %1 to %2")
                               .arg(p.GetFirstLab())
                               .arg(p.GetLastLab()));
    if (const int code = Output(lab)) return code;
    if (FRepeated > 0)
        Warn(QStringLiteral("the data ends before record %1: %2 labels repeat the last record")
                 .arg(p.GetLastLab())
                 .arg(FRepeated));
    return ecDone;
}
