#include "label/KxPreviewPages.h"

#include <algorithm>

#include "db/Table.h"
#include "label/KxLabel.h"
#include "metafile/Metafile.h"

TKxPreviewPages::TKxPreviewPages(TKxLabel& Label, const TKxRunSettings& Settings, TKxRunProgress Progress)
    : FSettings(Settings)
    , FProgress(std::move(Progress)) {
    FSettings.SkipLabels = 0;
    FSettings.TakeLabels = -1;
    // Whether the run reads the table is settled once: a later sheet that cannot reach it is an error,
    // never a sheet drawn without its data.
    FSettings.UseData = FSettings.UseData && Label.ValidData();
    // Read once for the whole preview: every sheet's run shares them.
    KxLoadQuantities(Label, FSettings);
    if (FSettings.UseData) Label.GetTable()->Close();
    FLabel = Label.Copy();
    FPlan = TKxRunPlan::Of(FSettings, *FLabel->GetMeasure(), FSettings.UseData);
    Page(1);
}

TKxPreviewPages::~TKxPreviewPages() = default;

TMetafile* TKxPreviewPages::Page(int64_t N) {
    return Shared(N).get();
}

std::shared_ptr<TMetafile> TKxPreviewPages::Shared(int64_t N) {
    if (N < 1 || N > Count()) return nullptr;
    const auto kept = std::find_if(FKept.begin(), FKept.end(), [N](const auto& K) { return K.first == N; });
    if (kept != FKept.end()) {
        std::rotate(FKept.begin(), kept, kept + 1);
    } else {
        FKept.emplace_front(N, Draw(N));
        if (FKept.size() > Kept) FKept.pop_back();
    }
    return FKept.front().second;
}

std::unique_ptr<TMetafile> TKxPreviewPages::Draw(int64_t N) const {
    TKxPrintRun run(*FLabel,
                    TKxRunPlan::SheetRun(FSettings, *FLabel->GetMeasure(), FSettings.UseData, N - 1, N));
    run.SetProgress(FProgress);
    std::unique_ptr<TMetafile> page;
    run.Record([&](std::unique_ptr<TMetafile> P) { page = std::move(P); });
    if (run.Plan().WithData != FSettings.UseData)
        throw EKxError(QStringLiteral("Sheet %1 was not drawn: the table \"%2\" could not be opened.")
                           .arg(N)
                           .arg(FLabel->GetTable()->TableName()));
    return page;
}
