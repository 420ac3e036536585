#pragma once

#include <cstdint>
#include <optional>
#include <QString>
#include <QStringList>

#include "label/KxPrintRun.h"

class TKxLabel;

/// What an export writes, told by the file name's extension.
enum class TKxExportKind { PDF, PNG, SVG, EMF };

/// The kind of Path's extension (any letter case), or nothing for another extension.
std::optional<TKxExportKind> KxExportKindOf(const QString& Path);

/// The files an export of Sheets sheets to Path writes: Path itself for a PDF, one file per sheet
/// for the others (tags.png: tags-1.png, tags-2.png...).
QString KxSheetPath(const QString& Path, int64_t Number);

/// Labels the run will draw: the records times the copies with data, Labs without.
int64_t KxRunLabels(const TKxRunSettings& Settings, bool WithData);

/// Exports a whole run of Label to Path: a PDF of every sheet, or one PNG (300 dpi), SVG or EMF per
/// sheet. Every file is written beside its target under a temporary name and renamed over it only
/// when the whole run is done, so a run that fails or is cancelled through Progress (EKxRunCancelled)
/// leaves no file of its own behind and no earlier file changed. Answers the files written. Raises
/// EKxError naming the file that cannot be written, or whatever the run raised.
QStringList KxExportRun(TKxLabel& Label, const TKxRunSettings& Settings, const QString& Path,
                        const TKxRunProgress& Progress);
