#pragma once

#include <optional>
#include <QString>
#include <QStringList>

#include "metafile/Metafile.h"

/// The formats a preview page is saved in, in the order the save dialog lists them: the enhanced
/// metafile and the bitmap first, then PDF, PNG and SVG.
struct TKxSaveFormat {
    TMetafileFormat Format;
    /// Without the dot, lower case.
    const char* Extension;
};
inline constexpr TKxSaveFormat KxSaveFormats[] = {{TMetafileFormat::Emf, "emf"},
                                                  {TMetafileFormat::Bmp, "bmp"},
                                                  {TMetafileFormat::Pdf, "pdf"},
                                                  {TMetafileFormat::Png, "png"},
                                                  {TMetafileFormat::Svg, "svg"}};

/// The save dialog's filters, one per format in KxSaveFormats' order, in the current language
/// ("Enhanced metafile (*.emf)").
QStringList KxSaveFilters();

/// The format that FileName's extension names, in any letter case; none for another extension.
std::optional<TMetafileFormat> KxSaveFormatOf(const QString& FileName);

/// FileName, with the extension of format FilterIndex (of KxSaveFormats) appended when it has none.
QString KxWithSaveExtension(const QString& FileName, int FilterIndex);

/// Pixels per inch of a saved bitmap of Page: 300, fine enough for its thinnest rules, less for a page so
/// large that 300 would pass 100 million pixels (never less than the 96 of its natural size).
int KxSavedPageDpi(const TMetafile& Page);
