#include "KxPrintJob.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>

#include "base/InvalidGraphic.h"
#include "base/KxError.h"
#include "base/OutputSet.h"
#include "db/AliasFile.h"
#include "db/DBAlias.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"
#include "elements/KxElement.h"
#include "elements/KxElementFacts.h"
#include "KxLimits.h"
#include "KxSheetFiles.h"
#include "KxStockOption.h"
#include "label/KxBackSurf.h"
#include "label/KxCellWalk.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintRun.h"
#include "label/KxQuantities.h"
#include "label/KxRoll.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

namespace {

// One sheet in its format, empty when the format's writer fails. Raster sheets are Dpi pixels per
// inch. Encoded in memory, so the encoders never meet a failed write: the file's own checks report it.
QByteArray EncodePage(const TMetafile& Page, TKxOutputKind Kind, int Dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool done = false;
    if (Kind == TKxOutputKind::okPng || Kind == TKxOutputKind::okBmp) {
        done = Page.RenderAt(Dpi).save(&buffer, Kind == TKxOutputKind::okPng ? "PNG" : "BMP");
    } else {
        done = Page.SaveToDevice(buffer,
                                 Kind == TKxOutputKind::okSvg ? TMetafileFormat::Svg : TMetafileFormat::Emf);
    }
    return done ? bytes : QByteArray();
}

bool PerSheet(TKxOutputKind Kind) {
    return Kind != TKxOutputKind::okPdf && Kind != TKxOutputKind::okPrinter;
}

} // namespace

TKxPrintJob::TKxPrintJob(const TKxPrintOptions& Options, std::FILE* Err)
    : FOptions(Options)
    , FReport(Err, Options.Quiet) {}

void TKxPrintJob::DefineAliases() {
    try {
        if (!FOptions.AliasesFile.isEmpty()) {
            KxRequireRegularFile(FOptions.AliasesFile, QStringLiteral("aliases file"), ecDatabase);
            Session().LoadAliasFile(FOptions.AliasesFile);
        } else if (KxLoadUserAliases(Session())) {
            FUserAliasesFile = KxUserAliasFile();
        }
        for (const auto& [name, path] : FOptions.Aliases) {
            KxRequireRegularFile(path, QStringLiteral("database file of alias \"%1\"").arg(name), ecDatabase);
            // The command line wins over an aliases file.
            Session().DeleteAlias(name);
            TDBAlias alias;
            alias.Name = name;
            alias.Driver = TDBDriver::SQLite;
            alias.Path = path;
            Session().AddAlias(alias);
        }
    } catch (const EDBEngineError& e) {
        throw EKxJobFailure(ecDatabase, e.Message());
    }
}

void TKxPrintJob::LoadLabel(TKxLabel& Label) {
    KxRequireRegularFile(FOptions.Label, QStringLiteral("label file"), ecLabel);
    try {
        Label.LoadFromFile(FOptions.Label);
    } catch (const std::exception& e) {
        throw EKxJobFailure(ecLabel, QStringLiteral("cannot read the label file \"%1\": %2")
                                         .arg(FOptions.Label, QString::fromStdString(e.what())));
    }
}

TKxRunSettings TKxPrintJob::RunSettings(const TKxLabel& Label) const {
    TKxRunSettings s = TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
    if (FOptions.Labs) s.Labs = *FOptions.Labs;
    if (FOptions.From) s.FirstLab = *FOptions.From;
    if (FOptions.To) s.LastLab = *FOptions.To;
    if (FOptions.Repeat) s.Repetition = *FOptions.Repeat;
    if (FOptions.FirstRow) s.FirstRow = *FOptions.FirstRow;
    if (FOptions.FirstCol) s.FirstCol = *FOptions.FirstCol;
    if (FOptions.QuantityField) s.QuantityField = *FOptions.QuantityField;
    s.UseData = !FOptions.NoData && Label.GetDaBa();
    // A printer is corrected by its own profile; a PDF only when a profile is named.
    const QString profile = FOptions.Calibration.isEmpty() ? FOptions.PrinterName : FOptions.Calibration;
    if (profile.isEmpty()) return s;
    try {
        const std::optional<TKxCalibration> found = KxFindCalibration(profile);
        if (!found && !FOptions.Calibration.isEmpty())
            throw EKxJobFailure(ecUsage, QStringLiteral("no calibration \"%1\" in \"%2\"")
                                             .arg(FOptions.Calibration, KxCalibrationFile()));
        if (found) s.Calibration = *found;
    } catch (const EKxError& e) {
        throw EKxJobFailure(ecUsage, e.Message());
    }
    return s;
}

TKxRunPlan TKxPrintJob::Plan(const TKxLabel& Label, const TKxRunSettings& Settings) const {
    const TKxMeasure& measure = *Label.GetMeasure();
    const TKxRunPlan plan = TKxRunPlan::Of(Settings, measure, Settings.UseData);
    // The engine would leave the first sheet empty and go on: a batch user would take that for success.
    if (plan.StartsOffSheet) {
        const bool asked = FOptions.FirstRow || FOptions.FirstCol;
        throw EKxJobFailure(asked ? ecUsage : ecLabel,
                            QStringLiteral("%1; %2").arg(plan.OffSheetReason(measure),
                                                         asked
                                                             ? QStringLiteral("choose one on the sheet")
                                                             : QStringLiteral("choose one with --first-row R "
                                                                              "--first-col C")));
    }
    if (plan.Labels > 0) return plan;
    if (Settings.Quantities)
        throw EKxJobFailure(ecDatabase,
                            QStringLiteral("no labels to print: the quantity field \"%1\" is 0 in "
                                           "every record from %2 to %3")
                                .arg(Settings.QuantityField)
                                .arg(Settings.FirstLab)
                                .arg(Settings.LastLab));
    if (!Settings.UseData)
        // --labs takes 1 or more: only the label file can ask for none.
        throw EKxJobFailure(ecLabel, QStringLiteral("no labels to print: the label file asks for %1 labels "
                                                    "without data; give the number with --labs N")
                                         .arg(Settings.Labs));
    if (FOptions.From || FOptions.To)
        throw EKxJobFailure(ecUsage,
                            QStringLiteral("no labels to print: --from and --to with the label's print "
                                           "settings choose the records from %1 to %2")
                                .arg(Settings.FirstLab)
                                .arg(Settings.LastLab));
    throw EKxJobFailure(ecLabel,
                        QStringLiteral("no labels to print: the label file chooses the records from %1 "
                                       "to %2; choose them with --from N --to M")
                            .arg(Settings.FirstLab)
                            .arg(Settings.LastLab));
}

TKxRunSettings TKxPrintJob::Part(const TKxLabel& Label, const TKxRunSettings& Settings,
                                 const TKxRunPlan& Whole) const {
    const std::optional<TKxRunSettings> part = TKxRunPlan::Part(
        Settings, *Label.GetMeasure(), Settings.UseData, FOptions.ShardPart, FOptions.ShardParts);
    if (!part)
        throw EKxJobFailure(ecUsage, QStringLiteral("part %1 of %2 holds no sheet: the run takes %3 sheet(s)")
                                         .arg(FOptions.ShardPart)
                                         .arg(FOptions.ShardParts)
                                         .arg(Whole.Sheets));
    return *part;
}

std::vector<TKxInput> TKxPrintJob::Inputs(const TKxLabel& Label, const TKxRunSettings& Settings) const {
    std::vector<TKxInput> inputs{{QStringLiteral("label file"), FOptions.Label}};
    // The per-user file is an input too when it was read in place of a named one.
    const QString aliases = FOptions.AliasesFile.isEmpty() ? FUserAliasesFile : FOptions.AliasesFile;
    if (!aliases.isEmpty()) inputs.push_back({QStringLiteral("aliases file"), aliases});
    if (Settings.UseData) {
        const QString name = Label.GetTable()->DatabaseName();
        const TDBAlias* alias = Session().FindAlias(name);
        if (alias && alias->Driver == TDBDriver::SQLite) {
            const QString what = QStringLiteral("database file of alias \"%1\"").arg(name);
            KxRequireRegularFile(alias->Path, what, ecDatabase);
            inputs.push_back({what, alias->Path});
        }
    }
    QStringList pictures{Label.GetBackSurf()->GetFileName()};
    for (int i = 0; i < Label.ElementCount(); ++i)
        if (const QString file = KxPictureFile(*Label.Element(i)); !file.isEmpty()) pictures.append(file);
    // A missing picture is drawn as a placeholder, as the designer draws it; anything but a file is refused.
    for (const QString& picture : pictures)
        if (!picture.isEmpty() && QFileInfo::exists(picture)) {
            KxRequireRegularFile(picture, QStringLiteral("picture"), ecLabel);
            inputs.push_back({QStringLiteral("picture"), picture});
        }
    return inputs;
}

void TKxPrintJob::CheckOutputs(const TKxLabel& Label, const TKxRunSettings& Settings,
                               const TKxRunPlan& Plan) const {
    if (FOptions.Kind == TKxOutputKind::okPrinter) return;
    QStringList outputs{FOptions.Output};
    if (PerSheet(FOptions.Kind)) {
        outputs.clear();
        for (const auto& [number, path] : KxExistingSheets(FOptions.Output))
            if (number <= Plan.Sheets) outputs.append(path);
    }
    for (const QString& output : outputs) {
        const QFileInfo info(output);
        if (info.exists() && !info.isFile())
            throw EKxJobFailure(ecOutput,
                                QStringLiteral("cannot write \"%1\": it is not a regular file").arg(output));
    }
    KxCheckOutputsApart(Inputs(Label, Settings), outputs);
}

// The engine's own rule prints a bound label without data when its table cannot be opened, or has no
// record; a batch user would take that for success, so here both are errors.
void TKxPrintJob::CheckData(TKxLabel& Label, const TKxRunSettings& Settings) {
    if (!Settings.UseData) return;
    TTable& table = *Label.GetTable();
    const QString alias = table.DatabaseName();
    if (alias.isEmpty() || table.TableName().isEmpty())
        throw EKxJobFailure(ecDatabase, QStringLiteral("the label uses data but names no alias or table; use "
                                                       "--no-data to print it without"));
    if (!Session().IsAlias(alias))
        throw EKxJobFailure(ecAlias, QStringLiteral("unknown alias \"%1\": define it with --aliases FILE or "
                                                    "--alias %1=sqlite:PATH")
                                         .arg(alias));
    int64_t records = 0;
    try {
        table.Close();
        table.SetFiltered(true);
        // Counting stops at the last record the run prints: a view without end is counted too.
        table.SetReadLimit(std::max(Settings.LastLab, 1));
        table.Open();
        records = table.RecordCount();
        table.Close();
    } catch (const EDBEngineError& e) {
        throw EKxJobFailure(ecDatabase, e.Message());
    }
    if (records == 0)
        throw EKxJobFailure(
            ecDatabase, QStringLiteral("no record matches: alias \"%1\", table \"%2\", %3; use --no-data to "
                                       "print the label without data")
                            .arg(alias, table.TableName(),
                                 table.Filter().trimmed().isEmpty()
                                     ? QStringLiteral("no filter")
                                     : QStringLiteral("filter \"%1\"").arg(table.Filter())));
    const int64_t first = Settings.FirstLab;
    const int64_t last = Settings.LastLab;
    if (last <= records) return;
    // Repeating the last record is the label's own rule for the range it stores; records asked for on
    // the command line that do not exist are an error.
    if (FOptions.From || FOptions.To)
        throw EKxJobFailure(ecDatabase,
                            QStringLiteral("the data ends at record %1: records %2 to %3 were asked "
                                           "for (alias \"%4\", table \"%5\")")
                                .arg(records)
                                .arg(first)
                                .arg(last)
                                .arg(alias, table.TableName()));
    // Records past the data's end have no quantity, and print nothing.
    if (!Settings.QuantityField.isEmpty()) return;
    // The labels of this run (a part of it too) whose record lies past the data's end.
    const int64_t copies = std::max(Settings.Repetition, 1);
    const int64_t all = (last - first + 1) * copies;
    const int64_t end =
        Settings.TakeLabels >= 0 ? std::min(all, Settings.SkipLabels + Settings.TakeLabels) : all;
    const int64_t past = std::max<int64_t>(records - first + 1, 0) * copies;
    FRepeated = std::max<int64_t>(end - std::max(Settings.SkipLabels, past), 0);
}

void TKxPrintJob::ReadQuantities(TKxLabel& Label, TKxRunSettings& Settings) {
    if (!Settings.UseData || Settings.QuantityField.isEmpty()) return;
    // The table's own errors first, as a run without quantities reports them.
    CheckData(Label, Settings);
    try {
        KxLoadQuantities(Label, Settings);
    } catch (const EKxQuantityError& e) {
        throw EKxJobFailure(!e.UnknownField()        ? ecDatabase
                            : FOptions.QuantityField ? ecUsage
                                                     : ecLabel,
                            e.Message());
    } catch (const EDBEngineError& e) {
        throw EKxJobFailure(ecDatabase, e.Message());
    }
    Label.CloseData();
}

void TKxPrintJob::Print(TKxPrintRun& Run, TKxLabel& Label, TKxOutputFile* Pdf) {
    TPrinter printer;
    if (Pdf)
        printer.SetOutputDevice(Pdf);
    else
        printer.SetPrinterName(FOptions.PrinterName);
    const QString name = Label.GetMeasure()->GetLabelName();
    printer.Device().setDocName(name.isEmpty() ? QFileInfo(FOptions.Label).fileName() : name);
    printer.Device().setCreator(QStringLiteral("kxprint " KXPRINT_VERSION));
    // A paper code the printer does not know takes the label's own paper size, as the picture
    // formats do, so every output of a label has the same page.
    if (!KxApplyPaper(printer, Label)) {
        const TKxMeasure& m = *Label.GetMeasure();
        printer.SetPaperSize(DMPAPER_USER, m.PaperWidthLU(), m.PaperHeightLU());
    }
    Run.Print(printer);
}

void TKxPrintJob::Export(TKxPrintRun& Run, TKxOutputSet& Outputs) {
    Run.Export([&](TMetafile& Page, int64_t Number) {
        TKxOutputFile& file = Outputs.Add(KxSheetPath(FOptions.Output, Number));
        const QByteArray bytes = EncodePage(Page, FOptions.Kind, FOptions.Dpi);
        if (bytes.isEmpty())
            throw EKxOutputError(file.Target(), QStringLiteral("the sheet cannot be encoded"));
        file.write(bytes);
        Outputs.Finish(file);
    });
}

void TKxPrintJob::Output(TKxLabel& Label, const TKxRunSettings& Settings) {
    TKxPrintRun run(Label, Settings);
    run.SetProgress([this](int64_t Labels, int64_t Sheets) {
        FReport.Progress(Labels, Sheets, false);
        // A PDF that lost a write cannot be whole: no use drawing the rest.
        return !FPdf || !FPdf->Failed();
    });
    TKxOutputSet outputs;
    try {
        try {
            if (PerSheet(FOptions.Kind)) {
                Export(run, outputs);
            } else if (FOptions.Kind == TKxOutputKind::okPdf) {
                FPdf = &outputs.Add(FOptions.Output);
                Print(run, Label, FPdf);
                outputs.Finish(*FPdf);
            } else {
                Print(run, Label, nullptr);
            }
        } catch (const EKxRunCancelled&) {
            // Cancelled for a failed write: that failure is the error.
            if (FPdf) FPdf->Finish();
            throw;
        }
        outputs.Commit();
    } catch (const EKxOutputError& e) {
        throw EKxJobFailure(ecOutput, e.Message());
    } catch (const EPrinter& e) {
        throw EKxJobFailure(ecOutput, e.Message());
    } catch (const EDBEngineError& e) {
        throw EKxJobFailure(ecDatabase, e.Message());
    } catch (const EKxRecordsVanished& e) {
        throw EKxJobFailure(ecDatabase, e.Message());
    } catch (const std::exception& e) {
        throw EKxJobFailure(ecRun, QString::fromStdString(e.what()));
    }
    FPdf = nullptr;
    FReport.Progress(run.GetLabels(), run.GetSheets(), true);
    if (PerSheet(FOptions.Kind)) ReportEarlierSheets(outputs.Count());
}

void TKxPrintJob::ReportEarlierSheets(int64_t Written) {
    QStringList earlier;
    for (const auto& [number, path] : KxExistingSheets(FOptions.Output))
        if (number > Written) earlier.append(QFileInfo(path).fileName());
    if (earlier.isEmpty()) return;
    FReport.Warning(QStringLiteral("%1 sheet file(s) of an earlier, longer run remain beside the %2 written, "
                                   "left as they were: %3")
                        .arg(earlier.size())
                        .arg(Written)
                        .arg(earlier.size() <= 3
                                 ? earlier.join(QStringLiteral(", "))
                                 : earlier.first() + QStringLiteral(" ... ") + earlier.last()));
}

int TKxPrintJob::Run() {
    // Nothing but errors is shown until the run is known to start: a picture's warning would only
    // stand in front of them.
    FReport.Hold();
    try {
        DefineAliases();
        TKxLabel label;
        LoadLabel(label);
        KxOverrideStock(label, FOptions, FReport);
        if (FOptions.Roll) KxApplyRoll(label);
        TKxRunSettings settings = RunSettings(label);
        ReadQuantities(label, settings);
        TKxRunPlan plan = Plan(label, settings);
        const TKxRunPlan whole = plan;
        if (FOptions.ShardParts > 0) {
            settings = Part(label, settings, whole);
            plan = TKxRunPlan::Of(settings, *label.GetMeasure(), settings.UseData);
        }
        KxCheckLimits(label, FOptions, plan);
        CheckOutputs(label, settings, plan);
        CheckData(label, settings);
        FReport.Release();
        if (FOptions.ShardParts > 0) {
            const QString records =
                plan.WithData
                    ? QStringLiteral(", records %1 to %2").arg(plan.FirstRecord).arg(plan.LastRecord)
                    : QString();
            FReport.Note(QStringLiteral("part %1 of %2: sheets %3 to %4 of %5, %6 labels%7")
                             .arg(FOptions.ShardPart)
                             .arg(FOptions.ShardParts)
                             .arg(plan.FirstSheet)
                             .arg(plan.FirstSheet + plan.Sheets - 1)
                             .arg(whole.Sheets)
                             .arg(plan.Labels)
                             .arg(records));
        }
        Output(label, settings);
        if (FRepeated > 0)
            FReport.Warning(QStringLiteral("the data ends before record %1: %2 labels repeat the last record")
                                .arg(settings.LastLab)
                                .arg(FRepeated));
    } catch (const EKxJobFailure& f) {
        return FReport.Error(f.Code(), f.Text());
    }
    return ecDone;
}
