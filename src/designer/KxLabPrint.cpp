#include "base/KxError.h"
#include "base/Messages.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"
#include "types/KxMessages.h"

void TKxLab::SetPaperSize(int16_t Code) {
    // A user size (code 256) takes the label's paper width and height.
    if (!Printer().SetPaperSize(Code, GetMeasure()->PaperWidthLU(), GetMeasure()->PaperHeightLU()))
        ShowMessage(QString::fromUtf8(KxUnknownPaper));
}

void TKxLab::AdjustPrint() {
    SetPaperSize(static_cast<int16_t>(GetPrintInfo()->GetPaperSize()));
    Printer().SetOrientation(GetPrintInfo()->GetOrientation() == 1 ? poLandscape : poPortrait);
}

TKxRunSettings TKxLab::RunSettings() const {
    return TKxRunSettings::FromPrintInfo(*GetPrintInfo());
}

std::unique_ptr<TKxPrintRun> TKxLab::NewRun() {
    auto run = std::make_unique<TKxPrintRun>(*FLabel, RunSettings());
    run->SetProgress([this](int64_t Labels, int64_t Sheets) {
        if (OnPrintProgress) OnPrintProgress(Labels, Sheets);
        return true;
    });
    return run;
}

void TKxLab::Print() {
    if (!Printer().HasTarget() && !Printer().UseDefaultPrinter())
        throw EKxError(QString::fromUtf8(KxNoPrinter));
    AdjustPrint();
    NewRun()->Print(Printer());
}

void TKxLab::Preview() {
    ClearPages();
    AdjustPrint();
    NewRun()->Record([this](std::unique_ptr<TMetafile> Page) { FPages.push_back(std::move(Page)); });
    // The run is over, its table closed, before the window opens: printing from the window starts a
    // run of its own.
    ShowPreviewWindow();
}

void TKxLab::ExportPages(const TKxPageSink& Sink) {
    AdjustPrint();
    NewRun()->Export(Sink);
}

void TKxLab::ClearPages() {
    FPages.clear();
}

TMetafile* TKxLab::GetPages(int64_t N) const {
    if (N < 1 || N > GetTotalPages()) return nullptr;
    return FPages[static_cast<size_t>(N - 1)].get();
}
