#include "KxExport.h"

#include <cmath>
#include <memory>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <vector>

#include "base/InvalidGraphic.h"
#include "base/KxError.h"
#include "base/OutputSet.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxRunLimits.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

namespace {

constexpr int RasterDpi = 300;

// One sheet in its format, empty when the format's writer fails; encoded in memory, so the output
// file's own checks report a failed write.
QByteArray EncodeSheet(const TMetafile& Page, TKxExportKind Kind) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool done = Kind == TKxExportKind::PNG
                          ? Page.RenderAt(RasterDpi).save(&buffer, "PNG")
                          : Page.SaveToDevice(buffer, Kind == TKxExportKind::SVG ? TMetafileFormat::Svg
                                                                                 : TMetafileFormat::Emf);
    return done ? bytes : QByteArray();
}

} // namespace

std::optional<TKxExportKind> KxExportKindOf(const QString& Path) {
    const QString suffix = QFileInfo(Path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return TKxExportKind::PDF;
    if (suffix == QLatin1String("png")) return TKxExportKind::PNG;
    if (suffix == QLatin1String("svg")) return TKxExportKind::SVG;
    if (suffix == QLatin1String("emf")) return TKxExportKind::EMF;
    return std::nullopt;
}

QStringList KxExportRun(TKxLabel& Label, const TKxRunSettings& Settings, const QString& Path,
                        const TKxRunProgress& Progress) {
    const std::optional<TKxExportKind> kind = KxExportKindOf(Path);
    if (!kind)
        throw EKxError(
            QStringLiteral("Cannot export to \"%1\": the name must end in .pdf, .png, .svg or .emf")
                .arg(Path));
    // The fullest sheet is counted from the records' quantities, when the run has them.
    TKxRunSettings loaded = Settings;
    KxLoadQuantities(Label, loaded);
    // The limits kxprint keeps: a run the library would spend unbounded time or memory on is refused.
    QString problem = KxRunLimitProblem(Label, *kind == TKxExportKind::PNG ? RasterDpi : 0);
    if (problem.isEmpty() && *kind != TKxExportKind::PDF) {
        const TKxRunPlan plan = TKxRunPlan::Of(loaded, *Label.GetMeasure(), loaded.UseData);
        problem = KxSheetDrawingProblem(Label, KxFullestSheet(plan, *Label.GetMeasure()),
                                        *kind == TKxExportKind::SVG);
    }
    if (!problem.isEmpty()) throw EKxError(QStringLiteral("Cannot export to \"%1\": %2").arg(Path, problem));
    TKxPrintRun run(Label, loaded);
    run.SetProgress(Progress);
    TKxOutputSet outputs;
    QStringList written;
    try {
        if (*kind == TKxExportKind::PDF) {
            TKxOutputFile& pdf = outputs.Add(Path);
            TPrinter printer;
            printer.SetOutputDevice(&pdf);
            const QString name = Label.GetMeasure()->GetLabelName();
            printer.Device().setDocName(name.isEmpty() ? QFileInfo(Path).completeBaseName() : name);
            printer.Device().setCreator(QCoreApplication::applicationName());
            KxApplyPaper(printer, Label);
            run.Print(printer);
            // A run without labels sends no job, which would leave an empty file.
            if (run.GetLabels() == 0)
                throw EKxError(QStringLiteral("The run draws no label: there is nothing to export."));
            outputs.Finish(pdf);
            written << Path;
        } else {
            run.Export([&](TMetafile& Page, int64_t Number) {
                TKxOutputFile& file = outputs.Add(KxSheetPath(Path, Number));
                const QByteArray bytes = EncodeSheet(Page, *kind);
                if (bytes.isEmpty())
                    throw EKxOutputError(file.Target(), QStringLiteral("the sheet cannot be encoded"));
                file.write(bytes);
                outputs.Finish(file);
                written << file.Target();
            });
        }
        outputs.Commit();
    } catch (const EKxOutputError& e) {
        throw EKxError(e.Message());
    }
    return written;
}
