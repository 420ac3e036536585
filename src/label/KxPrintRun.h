#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Geometry.h"
#include "base/KxError.h"
#include "kxlab_export.h"
#include "label/KxCellWalk.h"
#include "label/KxRunPlan.h"
#include "types/Kxtypes.h"

class TCanvas;
class TKxLabel;
class TKxPrintInfo;
class TMetafile;
class TMetafileCanvas;
class TPrinter;

/// Receives each sheet of an exported run as soon as it is complete; Number counts from 1.
using TKxPageSink = std::function<void(TMetafile& Page, int64_t Number)>;
/// Progress of a run: labels drawn and sheets begun so far. Answering false cancels the run.
using TKxRunProgress = std::function<bool(int64_t Labels, int64_t Sheets)>;
/// Keeps a recorded sheet.
using TKxPageKeeper = std::function<void(std::unique_ptr<TMetafile> Page)>;

/// Most sheets and labels a preview records; a larger run is refused before anything is recorded.
/// The label limit bounds the memory a sheet of any number of cells can take (about 2 KB a label).
constexpr int64_t KxMaxPreviewPages = 5000;
constexpr int64_t KxMaxPreviewLabels = 250000;

/// A run cancelled through its progress callback; raised out of the run after its job is ended and
/// its table closed.
class KXLAB_EXPORT EKxRunCancelled : public EKxError {
public:
    EKxRunCancelled();
};

/// Records the run counted when it started and then did not find: deleted while it ran. Printing on
/// would repeat the last record found in their place.
class KXLAB_EXPORT EKxRecordsVanished : public EKxError {
public:
    EKxRecordsVanished(const QString& Table, int64_t Found, int64_t Counted);
};

/// Gives Printer the label's paper and orientation; false when the printer does not know the paper
/// code (it keeps its paper then).
KXLAB_EXPORT bool KxApplyPaper(TPrinter& Printer, const TKxLabel& Label);

/// The print and preview engine: walks a run's cells over sheets and draws each label (background,
/// elements with the current record, frame) on a target: a printer job, pages recorded for a preview,
/// or pages handed to a sink one by one for export. It opens the label's table for the run when the
/// label uses data, moves it record by record and closes it at the end, on every way out.
class KXLAB_EXPORT TKxPrintRun {
public:
    TKxPrintRun(TKxLabel& Label, const TKxRunSettings& Settings);
    ~TKxPrintRun();
    TKxPrintRun(const TKxPrintRun&) = delete;
    TKxPrintRun& operator=(const TKxPrintRun&) = delete;

    /// Called after every label drawn.
    void SetProgress(TKxRunProgress Progress) { FProgress = std::move(Progress); }

    /// Prints the run on Printer as one job. A run without labels sends no job. An error of the
    /// table or the printer, or a cancel, ends the job (the sheets drawn so far are sent), closes the
    /// table and propagates.
    void Print(TPrinter& Printer);
    /// Records the run's sheets and hands each to Keep. Raises EKxError, recording nothing, for a run
    /// of more than KxMaxPreviewPages sheets or KxMaxPreviewLabels labels.
    void Record(const TKxPageKeeper& Keep);
    /// Records the run's sheets like Record but hands each one to Sink as soon as it is complete and
    /// keeps none, so a run of any length holds one sheet at a time.
    void Export(const TKxPageSink& Sink);

    /// Draws the run's cells on Printer's current job from State on; First sets up the page mapping.
    void PrintCells(TPrinter& Printer, TKxRunState& State, bool First, bool WithData);
    /// Draws the run's cells into recorded sheets from State on; First opens the first sheet.
    void RecordCells(TKxRunState& State, bool First, bool WithData, const TKxPageKeeper& Keep);

    /// What the run draws; set when it starts.
    const TKxRunPlan& Plan() const { return FPlan; }
    /// Labels drawn and sheets begun so far.
    int64_t GetLabels() const { return FLabels; }
    int64_t GetSheets() const { return FSheets; }

private:
    /// Sets up State from the settings and opens the table when the run uses data; true then.
    bool Start(TKxRunState& State);
    void PositionTable();
    void NextRecord();
    void WalkCells(TKxRunState& State, bool WithData, TKxDrawType DrawType, const TPoint& Margins,
                   const std::function<void()>& NewPage);
    void OpenPage();
    std::unique_ptr<TMetafile> ClosePage();

    TKxLabel& FLabel;
    TKxRunSettings FSettings;
    TKxRunPlan FPlan;
    /// Records of the run's range the table held when the run started.
    int64_t FAvailable = 0;
    TKxRunProgress FProgress;
    int64_t FLabels = 0;
    int64_t FSheets = 0;
    /// The sheet being recorded and its recorder.
    std::unique_ptr<TMetafile> FPage;
    std::unique_ptr<TMetafileCanvas> FRecorder;
    /// The canvas the cells are drawn on: the printer's, or the sheet being recorded.
    TCanvas* FCanvas = nullptr;
};
