#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <QString>

#include "kxlab_export.h"
#include "label/KxCellWalk.h"
#include "print/Calibration.h"

class TKxLabel;
class TKxMeasure;
class TKxPrintInfo;
class TKxQuantities;

/// What a run prints: where it starts on the first sheet, how many labels without data or which
/// records with data, and how many copies of each. A run never changes the label it prints.
struct KXLAB_EXPORT TKxRunSettings {
    /// Row and column (from 1) of the first label on the first sheet.
    int32_t FirstRow = 1;
    int32_t FirstCol = 1;
    /// Labels of a run without data.
    int32_t Labs = 1;
    /// First and last record (from 1) of a run with data.
    int32_t FirstLab = 1;
    int32_t LastLab = 1;
    /// Copies of each label.
    int32_t Repetition = 1;
    /// With data: the field whose value in each record is the number of labels it prints (times
    /// Repetition); empty when every record prints Repetition labels.
    QString QuantityField;
    /// The quantities of the records FirstLab to LastLab, read once for the whole run and shared by its
    /// parts (KxLoadQuantities). A run with data and quantities counts its labels from them.
    std::shared_ptr<const TKxQuantities> Quantities;
    /// False: the label's table is ignored and Labs labels print without data.
    bool UseData = true;
    /// A part of the run: its labels from SkipLabels on (counted in run order from 0), at most TakeLabels
    /// of them (-1: all). The cells and records are those the whole run gives these labels.
    int64_t SkipLabels = 0;
    int64_t TakeLabels = -1;
    /// What a print job corrects for its printer; recorded pages are never corrected.
    TKxCalibration Calibration;

    /// The run a label's print settings describe.
    static TKxRunSettings FromPrintInfo(const TKxPrintInfo& Info);
};

/// What a run will draw, worked out from its settings and the sheet before anything is drawn: the one
/// place the run's arithmetic lives, for the print engine, the designer's export and kxprint alike.
struct KXLAB_EXPORT TKxRunPlan {
    /// The labels are filled from the label's table.
    bool WithData = false;
    /// Labels drawn, never negative: records times copies with data (the sum of the quantities times
    /// the copies, with quantities), Labs without.
    int64_t Labels = 0;
    /// Sheets the run takes, at least 1 (a run without labels still has its one empty page).
    int64_t Sheets = 1;
    /// With data: the first and last record (from 1) the run prints; records are read from the first up
    /// to LastRecord and no further. With quantities, the records of its first and last labels.
    int64_t FirstRecord = 0;
    int64_t LastRecord = 0;
    /// The sheet (from 1) of the whole run the first label drawn lies on.
    int64_t FirstSheet = 1;
    /// Where the walk of the cells starts.
    TKxRunState Start;
    /// The first cell lies beyond the sheet (row or column past the last), which leaves the first sheet
    /// empty.
    bool StartsOffSheet = false;

    /// The cell walk's rows and columns of Measure; counts from a file below 1 count as 1.
    static TKxRunPlan Of(const TKxRunSettings& Settings, const TKxMeasure& Measure, bool WithData);
    /// Part Part (from 1) of Parts of the run: its sheets from (Part - 1) x Sheets / Parts up to
    /// Part x Sheets / Parts, so the parts together are the whole run's sheets in order. Settings with
    /// SkipLabels and TakeLabels set; nothing when the part holds no sheet.
    static std::optional<TKxRunSettings> Part(const TKxRunSettings& Settings, const TKxMeasure& Measure,
                                              bool WithData, int Part, int Parts);
    /// The run's sheets First to Last - 1 (from 0) as a run of their own: Settings with SkipLabels and
    /// TakeLabels set, and a first cell off the sheet moved to where the whole run's walk puts it, so the
    /// run records exactly those sheets (one empty page for sheets without labels).
    static TKxRunSettings SheetRun(const TKxRunSettings& Settings, const TKxMeasure& Measure, bool WithData,
                                   int64_t First, int64_t Last);
    /// Says why the first cell is off the sheet ("row 8 of a sheet of 7 rows"), empty when it is on it.
    QString OffSheetReason(const TKxMeasure& Measure) const;
};

/// The file of sheet Number (from 1) of a per-sheet output: "tags.png" gives "tags-1.png", "tags-2.png"...
/// The folder is kept as written, so messages name the file as the user gave it; the name is copied,
/// never interpreted, so '%' or any other character in it stays as it is.
KXLAB_EXPORT QString KxSheetPath(const QString& Output, int64_t Number);

/// Gives Settings the quantities of its records when it names a quantity field, uses data and has none
/// yet, reading them from Label's table, which ValidData opens. A table that does not open leaves the
/// run without data, as the engine's rule is; a bad quantity raises EKxQuantityError with the table
/// closed.
KXLAB_EXPORT void KxLoadQuantities(TKxLabel& Label, TKxRunSettings& Settings);
