#pragma once

#include <cstdint>
#include <optional>
#include <QString>
#include <QStringList>

#include "label/KxPrintRun.h"
#include "label/KxRunPlan.h"

class TKxLabel;

/// What an export writes, told by the file name's extension.
enum class TKxExportKind { PDF, PNG, SVG, EMF };

/// The kind of Path's extension (any letter case), or nothing for another extension.
std::optional<TKxExportKind> KxExportKindOf(const QString& Path);

/// Exports a whole run of Label to Path: a PDF of every sheet, or one PNG (300 dpi), SVG or EMF per
/// sheet. Every file is written beside its target under a temporary name and renamed over it only
/// when the whole run is done, so a run that fails or is cancelled through Progress (EKxRunCancelled)
/// leaves no file of its own behind and no earlier file changed. Answers the files written. Raises
/// EKxError naming the file that cannot be written, or whatever the run raised.
QStringList KxExportRun(TKxLabel& Label, const TKxRunSettings& Settings, const QString& Path,
                        const TKxRunProgress& Progress);
