#include "KxExport.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryFile>
#include <vector>

#include "base/InvalidGraphic.h"
#include "base/KxError.h"
#include "label/KxLabel.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

namespace {

constexpr int RasterDpi = 300;

// A file being written under a temporary name beside its target, removed unless committed.
class TPendingFile {
public:
    explicit TPendingFile(const QString& Target)
        : FTarget(Target)
        , FTemp(QFileInfo(Target).dir().filePath(
              QStringLiteral(".%1-XXXXXX.part").arg(QFileInfo(Target).fileName()))) {
        if (!FTemp.open()) Fail();
        FTemp.close();
    }
    const QString& Target() const { return FTarget; }
    QString Temp() const { return FTemp.fileName(); }
    [[noreturn]] void Fail() const {
        throw EKxError(QStringLiteral("Cannot write \"%1\"").arg(QDir::toNativeSeparators(FTarget)));
    }
    void Commit() {
        // rename() replaces the target in one step: readers see the old file or the new one.
        if (std::rename(QFile::encodeName(Temp()).constData(), QFile::encodeName(FTarget).constData()) != 0)
            Fail();
        FTemp.setAutoRemove(false);
    }

private:
    QString FTarget;
    QTemporaryFile FTemp;
};

void SaveSheet(const TMetafile& Page, const TPendingFile& File, TKxExportKind Kind) {
    if (Kind == TKxExportKind::PNG) {
        const auto pixels = [](int32_t Hundredths) {
            return std::max(1, static_cast<int>(std::lround(Hundredths / 2540.0 * RasterDpi)));
        };
        QImage image = Page.Render(pixels(Page.MMWidth()), pixels(Page.MMHeight()));
        const int dotsPerMetre = static_cast<int>(std::lround(RasterDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        if (!image.save(File.Temp(), "PNG")) File.Fail();
        return;
    }
    try {
        Page.SaveToFile(File.Temp(),
                        Kind == TKxExportKind::SVG ? TMetafileFormat::Svg : TMetafileFormat::Emf);
    } catch (const EInvalidGraphic&) {
        File.Fail();
    }
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

QString KxSheetPath(const QString& Path, int64_t Number) {
    if (KxExportKindOf(Path) == TKxExportKind::PDF) return Path;
    const QFileInfo info(Path);
    return info.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(Number).arg(info.suffix()));
}

int64_t KxRunLabels(const TKxRunSettings& Settings, bool WithData) {
    const int64_t labels = WithData && Settings.UseData
                               ? (int64_t{Settings.LastLab} - Settings.FirstLab + 1) * Settings.Repetition
                               : Settings.Labs;
    return std::max<int64_t>(labels, 0);
}

QStringList KxExportRun(TKxLabel& Label, const TKxRunSettings& Settings, const QString& Path,
                        const TKxRunProgress& Progress) {
    const std::optional<TKxExportKind> kind = KxExportKindOf(Path);
    if (!kind)
        throw EKxError(
            QStringLiteral("Cannot export to \"%1\": the name must end in .pdf, .png, .svg or .emf")
                .arg(Path));
    TKxPrintRun run(Label, Settings);
    run.SetProgress(Progress);
    std::vector<std::unique_ptr<TPendingFile>> files;
    if (*kind == TKxExportKind::PDF) {
        files.push_back(std::make_unique<TPendingFile>(Path));
        TPrinter printer;
        printer.SetOutputFileName(files.back()->Temp());
        KxApplyPaper(printer, Label);
        run.Print(printer);
        // A run without labels sends no job, which would leave an empty file.
        if (run.GetLabels() == 0)
            throw EKxError(QStringLiteral("The run draws no label: there is nothing to export."));
    } else {
        run.Export([&](TMetafile& Page, int64_t Number) {
            files.push_back(std::make_unique<TPendingFile>(KxSheetPath(Path, Number)));
            SaveSheet(Page, *files.back(), *kind);
        });
    }
    QStringList written;
    for (const auto& file : files) {
        file->Commit();
        written << file->Target();
    }
    return written;
}
