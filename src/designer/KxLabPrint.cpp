#include <algorithm>
#include <limits>

#include "base/KxError.h"
#include "base/Messages.h"
#include "base/Rounding.h"
#include "base/Saturate.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/LabelCell.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"
#include "print/Printer.h"

void TKxLab::SetPaperSize(int16_t Code) {
    // A user size (code 256) takes the label's paper width and height.
    if (!Printer().SetPaperSize(Code, FMeasure->PaperWidthLU(), FMeasure->PaperHeightLU()))
        ShowMessage(QStringLiteral("Ha entrado en  if not Assigned(DevMode) ..."));
}

void TKxLab::AdjustPrint() {
    SetPaperSize(static_cast<int16_t>(FPrintInfo->GetPaperSize()));
    Printer().SetOrientation(FPrintInfo->GetOrientation() == 1 ? poLandscape : poPortrait);
}

namespace {

// Closes the run's table on every way out of a run, an exception included.
class TTableCloser {
public:
    explicit TTableCloser(TTable* Table)
        : FTable(Table) {}
    ~TTableCloser() {
        if (FTable) FTable->Close();
    }
    TTableCloser(const TTableCloser&) = delete;
    TTableCloser& operator=(const TTableCloser&) = delete;

private:
    TTable* FTable;
};

// Ends a print job that an exception interrupts, so no job is left half open.
class TJobGuard {
public:
    explicit TJobGuard(TPrinter& P)
        : FPrinter(P) {
        FPrinter.BeginDoc();
    }
    ~TJobGuard() {
        if (FPrinter.Printing()) FPrinter.Abort();
    }
    TJobGuard(const TJobGuard&) = delete;
    TJobGuard& operator=(const TJobGuard&) = delete;

private:
    TPrinter& FPrinter;
};

int32_t ClampToInt32(int64_t v) {
    return std::max(Saturate32(v), 1);
}

} // namespace

bool TKxLab::StartRun(TKxRunState& State) {
    FRunLabels = 0;
    FRunSheets = 0;
    const TKxPrintInfo& p = *FPrintInfo;
    State.Row = p.GetFirstRow();
    State.Col = p.GetFirstCol();
    State.Rep = p.GetRepetition();
    const bool withData = ValidData();
    if (withData) {
        State.Count = (int64_t(p.GetLastLab()) - p.GetFirstLab() + 1) * p.GetRepetition();
    } else {
        State.Rep = 1;
        State.Count = p.GetLabs();
    }
    return withData;
}

void TKxLab::PositionTable() {
    FTable->First();
    // A first record below 1 from a file starts at the first record, never before it.
    FTable->MoveBy(std::max(FPrintInfo->GetFirstLab() - 1, 0));
}

void TKxLab::WalkCells(TKxRunState& State, bool WithData, TKxDrawType DrawType, const TPoint& Margins,
                       const std::function<void()>& NewPage) {
    TKxCellWalk walk(FMeasure->GetNuHor(), FMeasure->GetNuVer(), FPrintInfo->GetRepetition(), WithData,
                     State);
    for (;;) {
        const TKxWalkStep step = walk.Next();
        if (step.Kind == TKxWalkStep::wkEnd) return;
        if (step.Kind == TKxWalkStep::wkNewPage) {
            NewPage();
            ++FRunSheets;
            continue;
        }
        const TPoint cell = LabelCellOrigin(*FMeasure, step.Col, step.Row);
        const int32_t x = cell.X - Margins.X;
        const int32_t y = cell.Y - Margins.Y;
        DrawBackSurf(x, y, DrawType, TRect{});
        DrawElements(TPoint{x, y}, DrawType, WithData);
        // On paper the frame lies over the elements.
        DrawFrame(x, y, DrawType);
        if (step.NextRecord) FTable->Next();
        ++FRunLabels;
        if (OnPrintProgress) OnPrintProgress(FRunLabels, FRunSheets);
    }
}

void TKxLab::Print() {
    AdjustPrint();
    TKxRunState state;
    const bool withData = StartRun(state);
    const TTableCloser closer(withData ? FTable.get() : nullptr);
    // An empty job would still feed the printer a blank sheet.
    if (state.Count <= 0) return;
    if (withData) PositionTable();
    TJobGuard job(Printer());
    PrintLab(state, true, withData);
    Printer().EndDoc();
}

void TKxLab::PrintLab(TKxRunState& State, bool First, bool WithData) {
    TPrinter& printer = Printer();
    TCanvas& canvas = printer.Canvas();
    // Logical (0, 0) is the corner of the printable area; one logical unit a tenth of a millimetre.
    const int32_t width = FPrintInfo->GetWidth();
    const int32_t height = FPrintInfo->GetHeight();
    const TPoint margins{FPrintInfo->GetMaLeft(), FPrintInfo->GetMaTop()};
    int previousMode = canvas.GetMapMode();
    const auto map = [&] {
        previousMode = canvas.SetMapMode(MM_ISOTROPIC);
        canvas.SetWindowExtEx(std::max(width, 1), std::max(height, 1));
        canvas.SetViewportExtEx(printer.PageWidth(), printer.PageHeight());
    };
    if (First) {
        FRunSheets = std::max<int64_t>(FRunSheets, 1);
        map();
    }
    WalkCells(State, WithData, tdPrint, margins, [&] {
        canvas.SetMapMode(previousMode);
        printer.NewPage();
        map();
    });
}

void TKxLab::Preview() {
    ClearPages();
    AdjustPrint();
    {
        TKxRunState state;
        const bool withData = StartRun(state);
        const TTableCloser closer(withData ? FTable.get() : nullptr);
        const int64_t pages = TKxCellWalk::PagesNeeded(FMeasure->GetNuHor(), FMeasure->GetNuVer(), state);
        const auto refuse = [](int64_t Need, int64_t Most, const char* What) {
            throw EKxError(QStringLiteral("The preview would need %1 %3; at most %2 can be previewed. "
                                          "Preview fewer labels, or print the run.")
                               .arg(Need)
                               .arg(Most)
                               .arg(QLatin1String(What)));
        };
        if (pages > KxMaxPreviewPages) refuse(pages, KxMaxPreviewPages, "sheets");
        if (state.Count > KxMaxPreviewLabels) refuse(state.Count, KxMaxPreviewLabels, "labels");
        if (withData) PositionTable();
        PreviewLab(state, true, withData);
    }
    // The run is over, its table closed, before the window opens: printing from the window starts a
    // run of its own.
    ShowPreviewWindow();
}

void TKxLab::PreviewLab(TKxRunState& State, bool First, bool WithData) {
    RecordPages(State, First, WithData,
                [this](std::unique_ptr<TMetafile> Page) { FPages.push_back(std::move(Page)); });
}

void TKxLab::ExportPages(const TKxPageSink& Sink) {
    AdjustPrint();
    TKxRunState state;
    const bool withData = StartRun(state);
    const TTableCloser closer(withData ? FTable.get() : nullptr);
    if (withData && state.Count > 0) PositionTable();
    int64_t number = 0;
    RecordPages(state, true, withData, [&](std::unique_ptr<TMetafile> Page) { Sink(*Page, ++number); });
}

void TKxLab::RecordPages(TKxRunState& State, bool First, bool WithData, const TPageDone& Done) {
    if (First) {
        OpenPreviewPage();
        FRunSheets = std::max<int64_t>(FRunSheets, 1);
    }
    const TPoint margins{FPrintInfo->Snapshot().MaLeft, FPrintInfo->Snapshot().MaTop};
    try {
        WalkCells(State, WithData, tdPreview, margins, [&] {
            Done(ClosePreviewPage());
            OpenPreviewPage();
        });
    } catch (...) {
        ClosePreviewPage();
        throw;
    }
    Done(ClosePreviewPage());
}

void TKxLab::OpenPreviewPage() {
    // Hundredths of a millimetre; landscape sheets lie on their side. A size from a file that is not
    // positive still makes a (tiny) page rather than a broken mapping.
    int32_t pw = ClampToInt32(int64_t(FMeasure->PaperWidthLU()) * 10);
    int32_t ph = ClampToInt32(int64_t(FMeasure->PaperHeightLU()) * 10);
    if (FPrintInfo->GetOrientation() == 1) std::swap(pw, ph);
    FPreviewPage = std::make_unique<TMetafile>();
    FPreviewPage->SetMMWidth(pw);
    FPreviewPage->SetMMHeight(ph);
    FPreviewRecorder = std::make_unique<TMetafileCanvas>(*FPreviewPage);
    FPreviewCanvas = FPreviewRecorder.get();
    // 0.378 reference pixels per tenth of a millimetre: 96 per inch, (0, 0) the paper's corner.
    FPreviewCanvas->SetMapMode(MM_ISOTROPIC);
    FPreviewCanvas->SetWindowExtEx(pw, ph);
    FPreviewCanvas->SetViewportExtEx(static_cast<int32_t>(Round(static_cast<Extended>(pw) * 0.378L)),
                                     static_cast<int32_t>(Round(static_cast<Extended>(ph) * 0.378L)));
}

std::unique_ptr<TMetafile> TKxLab::ClosePreviewPage() {
    // Freeing the recorder finishes the page.
    FPreviewCanvas = nullptr;
    FPreviewRecorder.reset();
    return std::move(FPreviewPage);
}

void TKxLab::ClearPages() {
    FPages.clear();
}

TMetafile* TKxLab::GetPages(int64_t N) const {
    if (N < 1 || N > GetTotalPages()) return nullptr;
    return FPages[static_cast<size_t>(N - 1)].get();
}
