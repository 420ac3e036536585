#include "base/KxError.h"
#include "base/Messages.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "label/KxPreviewPages.h"
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

TKxRunProgress TKxLab::RunProgress() {
    return [this](int64_t Labels, int64_t Sheets) {
        if (OnPrintProgress) OnPrintProgress(Labels, Sheets);
        return true;
    };
}

void TKxLab::Print() {
    if (!Printer().HasTarget() && !Printer().UseDefaultPrinter())
        throw EKxError(QString::fromUtf8(KxNoPrinter));
    AdjustPrint();
    TKxPrintRun run(*FLabel, TKxRunSettings::FromPrintInfo(*GetPrintInfo()));
    run.SetProgress(RunProgress());
    run.Print(Printer());
}

void TKxLab::Preview() {
    ClearPages();
    AdjustPrint();
    FPreview = std::make_unique<TKxPreviewPages>(*FLabel, TKxRunSettings::FromPrintInfo(*GetPrintInfo()),
                                                 RunProgress());
    ShowPreviewWindow();
}

void TKxLab::ClearPages() {
    FPreview.reset();
}

int64_t TKxLab::GetTotalPages() const {
    return FPreview ? FPreview->Count() : 0;
}

TMetafile* TKxLab::GetPages(int64_t N) const {
    return SharedPage(N).get();
}

std::shared_ptr<TMetafile> TKxLab::SharedPage(int64_t N) const {
    return FPreview ? FPreview->Shared(N) : nullptr;
}
