#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>

#include "kxlab_export.h"
#include "label/KxPrintRun.h"

class TKxLabel;
class TMetafile;

/// The sheets of a preview, drawn when they are asked for: a run of any length shows its first sheet at
/// once, knows its sheet count from the run plan without drawing, and holds only the last few sheets
/// asked for. Each sheet is a run of its own, reading only its records, over a copy of the label taken
/// when the preview started: later changes to the label do not reach its pages.
class KXLAB_EXPORT TKxPreviewPages {
public:
    /// Sheets held at most: the one shown and those around it.
    static constexpr size_t Kept = 4;

    /// Decides with the label's ValidData whether the run reads the table, as a run does, and closes it;
    /// then draws the first sheet, so that what stops the run (its table, a sheet too large to hold)
    /// raises EKxError here, before anything is shown.
    TKxPreviewPages(TKxLabel& Label, const TKxRunSettings& Settings, TKxRunProgress Progress = {});
    ~TKxPreviewPages();
    TKxPreviewPages(const TKxPreviewPages&) = delete;
    TKxPreviewPages& operator=(const TKxPreviewPages&) = delete;

    /// The run's sheets.
    int64_t Count() const { return FPlan.Sheets; }
    /// Sheet N (from 1), null outside 1 to Count. It stays valid while it is among the last Kept sheets
    /// asked for. Raises EKxError, keeping nothing, when the sheet cannot be drawn: its table failed, or
    /// its records are gone.
    TMetafile* Page(int64_t N);
    /// Page N shared: it stays with whoever holds it, however many sheets are asked for later.
    std::shared_ptr<TMetafile> Shared(int64_t N);

private:
    std::unique_ptr<TMetafile> Draw(int64_t N) const;

    std::unique_ptr<TKxLabel> FLabel;
    /// The whole run's settings; UseData says whether it reads the table, as found when it started.
    TKxRunSettings FSettings;
    TKxRunProgress FProgress;
    TKxRunPlan FPlan;
    /// The sheets held, the latest asked for first.
    std::deque<std::pair<int64_t, std::shared_ptr<TMetafile>>> FKept;
};
