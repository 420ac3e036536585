#include "label/KxApplyStock.h"

#include <algorithm>

#include "base/KxError.h"
#include "label/KxFrame.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "types/KxStepNames.h"
#include "types/KxStockLayout.h"
#include "types/KxStockText.h"
#include "types/UnitLength.h"

void KxApplyStock(TKxLabel& Label, const TKxStock& Stock) {
    if (!Stock.Available())
        throw EKxError(QStringLiteral("%1 cannot be used: %2").arg(Stock.Name(), KxStockIssueText(Stock)));
    const TKxStockLayout l = KxStockLayout(Stock);
    // Setters take the label's unit; a value in label units comes back to the same label units.
    const auto units = [&Label](int32_t Lu) { return LabelToUnits(Lu, Label.GetUnits()); };
    // Every setter below is one change of one undo step.
    const TKxUndoStep step(Label, KxStepName(TKxStep::Stock));
    TKxMeasure& m = *Label.GetMeasure();
    // The shape first: switching to a circle squares the label, which the sizes then set exactly.
    m.SetLabelType(l.LabelType);
    m.SetWidth(units(l.Width));
    m.SetHeight(units(l.Height));
    m.SetInnerCircle(units(l.InnerCircle));
    m.SetMarLeft(units(l.MarLeft));
    m.SetMarTop(units(l.MarTop));
    m.SetDiHor(units(l.DiHor));
    m.SetDiVer(units(l.DiVer));
    m.SetNuHor(l.NuHor);
    m.SetNuVer(l.NuVer);
    m.SetPaperWidth(units(l.PaperWidth));
    m.SetPaperHeight(units(l.PaperHeight));
    m.SetPaperName(Papers()[l.PaperIndex].Name);
    if (l.LabelType == ltRect && l.Radio) Label.GetFrame()->SetRadio(units(*l.Radio));
    TKxPrintInfo& p = *Label.GetPrintInfo();
    p.SetPaperSize(l.PaperSize);
    p.SetOrientation(0);
    p.SetFirstCol(std::clamp(p.GetFirstCol(), 1, l.NuVer));
    p.SetFirstRow(std::clamp(p.GetFirstRow(), 1, l.NuHor));
    Label.SetStock(Stock.Maker, Stock.Part);
}

bool KxSheetIsStock(const TKxLabel& Label, const TKxStock& Stock) {
    if (!Stock.Available()) return false;
    const TKxStockLayout l = KxStockLayout(Stock);
    const TKxMeasure& m = *Label.GetMeasure();
    return m.GetLabelType() == l.LabelType && m.WidthLU() == l.Width && m.HeightLU() == l.Height &&
           m.MarLeftLU() == l.MarLeft && m.MarTopLU() == l.MarTop && m.DiHorLU() == l.DiHor &&
           m.DiVerLU() == l.DiVer && m.GetNuHor() == l.NuHor && m.GetNuVer() == l.NuVer &&
           m.PaperWidthLU() == l.PaperWidth && m.PaperHeightLU() == l.PaperHeight &&
           (l.LabelType == ltRect || m.InnerCircleLU() == l.InnerCircle);
}
