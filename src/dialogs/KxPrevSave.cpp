#include "dialogs/KxPrevSave.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <QCoreApplication>
#include <QFileInfo>

QStringList KxSaveFilters() {
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("TKxPrw", "Enhanced metafile (*.emf)"),
        QT_TRANSLATE_NOOP("TKxPrw", "Bitmap (*.bmp)"), QT_TRANSLATE_NOOP("TKxPrw", "PDF document (*.pdf)"),
        QT_TRANSLATE_NOOP("TKxPrw", "PNG image (*.png)"), QT_TRANSLATE_NOOP("TKxPrw", "SVG drawing (*.svg)")};
    static_assert(std::size(names) == std::size(KxSaveFormats));
    QStringList filters;
    for (const char* name : names)
        filters << QCoreApplication::translate("TKxPrw", name);
    return filters;
}

std::optional<TMetafileFormat> KxSaveFormatOf(const QString& FileName) {
    const QString suffix = QFileInfo(FileName).suffix();
    for (const TKxSaveFormat& f : KxSaveFormats)
        if (suffix.compare(QLatin1String(f.Extension), Qt::CaseInsensitive) == 0) return f.Format;
    return std::nullopt;
}

QString KxWithSaveExtension(const QString& FileName, int FilterIndex) {
    if (FilterIndex < 0 || FilterIndex >= static_cast<int>(std::size(KxSaveFormats))) return FileName;
    if (!QFileInfo(FileName).suffix().isEmpty()) return FileName;
    // "sheet." already holds the dot.
    const QString dot = FileName.endsWith(u'.') ? QString() : QStringLiteral(".");
    return FileName + dot + QLatin1String(KxSaveFormats[FilterIndex].Extension);
}

int KxSavedPageDpi(const TMetafile& Page) {
    constexpr double MostPixels = 100e6;
    constexpr int Fine = 300;
    const double inches = std::max(Page.MMWidth(), 1) / 2540.0 * (std::max(Page.MMHeight(), 1) / 2540.0);
    const double fits = std::sqrt(MostPixels / inches);
    return std::clamp(static_cast<int>(fits), 96, Fine);
}
