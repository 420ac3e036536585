#include "label/KxRoll.h"

#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "print/Printer.h"
#include "types/KxStepNames.h"
#include "types/Kxtypes.h"
#include "types/UnitLength.h"

TKxRollLayout TKxRollLayout::Of(const TKxMeasure& Measure) {
    // Values from a file skip the setters' clamps: a negative gap adds nothing.
    const int32_t across = std::max(Measure.DiHorLU(), 0);
    const int32_t along = std::max(Measure.DiVerLU(), 0);
    return {std::max(Measure.WidthLU(), 1) + across, std::max(Measure.HeightLU(), 1) + along, across / 2,
            along / 2};
}

void KxApplyRoll(TKxLabel& Label) {
    const auto units = [&Label](int32_t Lu) { return LabelToUnits(Lu, Label.GetUnits()); };
    TKxMeasure& m = *Label.GetMeasure();
    const TKxRollLayout l = TKxRollLayout::Of(m);
    const TKxUndoStep step(Label, KxStepName(TKxStep::Roll));
    m.SetNuHor(1);
    m.SetNuVer(1);
    m.SetMarLeft(units(l.MarLeft));
    m.SetMarTop(units(l.MarTop));
    m.SetPaperWidth(units(l.PaperWidth));
    m.SetPaperHeight(units(l.PaperHeight));
    m.SetPaperName(Papers()[UserPaperIndex].Name);
    TKxPrintInfo& p = *Label.GetPrintInfo();
    p.SetPaperSize(DMPAPER_USER);
    p.SetOrientation(0);
    p.SetFirstRow(1);
    p.SetFirstCol(1);
}

bool KxSheetIsRoll(const TKxLabel& Label) {
    const TKxMeasure& m = *Label.GetMeasure();
    const TKxRollLayout l = TKxRollLayout::Of(m);
    return m.GetNuHor() == 1 && m.GetNuVer() == 1 && m.MarLeftLU() == l.MarLeft && m.MarTopLU() == l.MarTop &&
           m.PaperWidthLU() == l.PaperWidth && m.PaperHeightLU() == l.PaperHeight &&
           Label.GetPrintInfo()->GetPaperSize() == DMPAPER_USER;
}
