#include "dialogs/KxPrevSave.h"

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
