#include "label/KxPrintInfo.h"

#include <algorithm>

#include "base/Rounding.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "print/Printer.h"

TKxPrintInfo::TKxPrintInfo(TKxLab* AOwner)
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
}

void TKxPrintInfo::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    if (GetOwner() && GetOwner()->GetShowMargins()) GetOwner()->Paint();
}

void TKxPrintInfo::StoreAtLeastOne(int32_t& Field, int Value) {
    if (Value != Field) Field = std::max(Value, 1);
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

TKxPrinterMetrics TKxPrintInfo::LiveMetrics() const {
    TKxPrinterMetrics m;
    m.DpiH = GetDpiH();
    m.DpiV = GetDpiV();
    m.Width = GetWidth();
    m.Height = GetHeight();
    m.MaLeft = GetMaLeft();
    m.MaTop = GetMaTop();
    m.MaRight = GetMaRight();
    m.MaBottom = GetMaBottom();
    return m;
}

int32_t TKxPrintInfo::GetDpiH() const {
    return Printer().Dpi();
}

int32_t TKxPrintInfo::GetDpiV() const {
    return Printer().Dpi();
}

// Printable sizes are kept to the tenth of a millimetre, not whole millimetres: the print mapping
// scales by them, and a truncated size would stretch every label by up to a millimetre a page.
int32_t TKxPrintInfo::GetWidth() const {
    return static_cast<int32_t>(Round(static_cast<Extended>(Printer().PrintableWidthMM()) * 10));
}

int32_t TKxPrintInfo::GetHeight() const {
    return static_cast<int32_t>(Round(static_cast<Extended>(Printer().PrintableHeightMM()) * 10));
}

namespace {
// A physical offset in printer pixels as label units: 254 of them to the inch.
int32_t OffsetToLabel(int pixels, int32_t dpi) {
    return dpi > 0 ? static_cast<int32_t>(Round(static_cast<Extended>(pixels) * 254 / dpi)) : 0;
}
} // namespace

int32_t TKxPrintInfo::GetMaLeft() const {
    return OffsetToLabel(Printer().PhysicalOffsetX(), GetDpiH());
}

int32_t TKxPrintInfo::GetMaTop() const {
    return OffsetToLabel(Printer().PhysicalOffsetY(), GetDpiV());
}

int32_t TKxPrintInfo::GetMaRight() const {
    const int32_t paper = GetOwner() ? GetOwner()->GetMeasure()->PaperWidthLU() : 0;
    return paper - GetMaLeft() - GetWidth();
}

int32_t TKxPrintInfo::GetMaBottom() const {
    const int32_t paper = GetOwner() ? GetOwner()->GetMeasure()->PaperHeightLU() : 0;
    return paper - GetMaTop() - GetHeight();
}
