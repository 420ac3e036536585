#include "label/KxPrintInfo.h"

#include <algorithm>

#include "base/Rounding.h"
#include "label/KxMeasure.h"
#include "label/KxSettingsOwner.h"
#include "print/Printer.h"

TKxPrintInfo::TKxPrintInfo(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {}

void TKxPrintInfo::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxPrintInfo*>(Source);
    if (!src) return;
    FSnapshot = src->LiveMetrics();
    FColor = src->FColor;
    FLabs = src->FLabs;
    FRepetition = src->FRepetition;
    FFirstRow = src->FFirstRow;
    FFirstCol = src->FFirstCol;
    FFirstLab = src->FFirstLab;
    FLastLab = src->FLastLab;
    FPaperSize = src->FPaperSize;
    FOrientation = src->FOrientation;
    FQuantityField = src->FQuantityField;
}

void TKxPrintInfo::SetColor(TColor Value) {
    if (!Store(FColor, Value)) return;
    if (TKxSettingsOwner* owner = GetOwner()) owner->MarginColorChanged();
}

void TKxPrintInfo::StoreAtLeastOne(int32_t& Field, int Value) {
    Store(Field, std::max(Value, 1));
}

void TKxPrintInfo::SetLabs(int Value) {
    StoreAtLeastOne(FLabs, Value);
}

void TKxPrintInfo::SetRepetition(int Value) {
    StoreAtLeastOne(FRepetition, Value);
}

void TKxPrintInfo::SetFirstRow(int Value) {
    FFirstRow = Value;
}

void TKxPrintInfo::SetFirstCol(int Value) {
    FFirstCol = Value;
}

void TKxPrintInfo::SetFirstLab(int Value) {
    FFirstLab = Value;
}

void TKxPrintInfo::SetLastLab(int Value) {
    FLastLab = Value;
}

namespace {
// A physical offset in printer pixels as label units: 254 of them to the inch.
int32_t OffsetToLabel(int pixels, int32_t dpi) {
    return dpi > 0 ? static_cast<int32_t>(Round(static_cast<Extended>(pixels) * 254 / dpi)) : 0;
}

// Printable sizes are kept to the tenth of a millimetre, not whole millimetres: the print mapping
// scales by them, and a truncated size would stretch every label by up to a millimetre a page.
int32_t MMToLabel(double mm) {
    return static_cast<int32_t>(Round(static_cast<Extended>(mm) * 10));
}

int32_t PaperWidthOf(const TKxSettingsOwner* Owner) {
    return Owner ? Owner->GetMeasure()->PaperWidthLU() : 0;
}

int32_t PaperHeightOf(const TKxSettingsOwner* Owner) {
    return Owner ? Owner->GetMeasure()->PaperHeightLU() : 0;
}
} // namespace

TKxPrinterMetrics KxPrinterMetrics(const TPrinter& P, int32_t PaperWidth, int32_t PaperHeight) {
    TKxPrinterMetrics m;
    m.DpiH = m.DpiV = P.Dpi();
    m.Width = MMToLabel(P.PrintableWidthMM());
    m.Height = MMToLabel(P.PrintableHeightMM());
    m.MaLeft = OffsetToLabel(P.PhysicalOffsetX(), m.DpiH);
    m.MaTop = OffsetToLabel(P.PhysicalOffsetY(), m.DpiV);
    m.MaRight = PaperWidth - m.MaLeft - m.Width;
    m.MaBottom = PaperHeight - m.MaTop - m.Height;
    return m;
}

TKxPrinterMetrics TKxPrintInfo::LiveMetrics() const {
    return KxPrinterMetrics(Printer(), PaperWidthOf(GetOwner()), PaperHeightOf(GetOwner()));
}

int32_t TKxPrintInfo::GetDpiH() const {
    return Printer().Dpi();
}

int32_t TKxPrintInfo::GetDpiV() const {
    return Printer().Dpi();
}

int32_t TKxPrintInfo::GetWidth() const {
    return MMToLabel(Printer().PrintableWidthMM());
}

int32_t TKxPrintInfo::GetHeight() const {
    return MMToLabel(Printer().PrintableHeightMM());
}

int32_t TKxPrintInfo::GetMaLeft() const {
    return OffsetToLabel(Printer().PhysicalOffsetX(), GetDpiH());
}

int32_t TKxPrintInfo::GetMaTop() const {
    return OffsetToLabel(Printer().PhysicalOffsetY(), GetDpiV());
}

int32_t TKxPrintInfo::GetMaRight() const {
    return PaperWidthOf(GetOwner()) - GetMaLeft() - GetWidth();
}

int32_t TKxPrintInfo::GetMaBottom() const {
    return PaperHeightOf(GetOwner()) - GetMaTop() - GetHeight();
}
