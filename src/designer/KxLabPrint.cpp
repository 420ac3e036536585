#include "designer/KxLab.h"
#include "designer/KxMeasure.h"
#include "designer/KxPrintInfo.h"
#include "platform/Messages.h"
#include "platform/Printer.h"

void TKxLab::SetPaperSize(int16_t Code) {
    // A user size (code 256) takes the label's paper width and height.
    if (!Printer().SetPaperSize(Code, FMeasure->PaperWidthLU(), FMeasure->PaperHeightLU()))
        ShowMessage(QStringLiteral("Ha entrado en  if not Assigned(DevMode) ..."));
}

void TKxLab::AdjustPrint() {
    SetPaperSize(static_cast<int16_t>(FPrintInfo->GetPaperSize()));
    Printer().SetOrientation(FPrintInfo->GetOrientation() == 1 ? poLandscape : poPortrait);
}
