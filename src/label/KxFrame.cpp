#include "label/KxFrame.h"

TKxFrame::TKxFrame(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {}

void TKxFrame::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxFrame*>(Source);
    if (!src) return;
    FStyle = src->FStyle;
    FDist1 = src->FDist1;
    FDist2 = src->FDist2;
    FRadio = src->FRadio;
    FPenWidth = src->FPenWidth;
    FColor = src->FColor;
}

void TKxFrame::SetStyle(TKxFrameStyle Value) {
    if (Store(FStyle, Value)) OwnerPaint(true);
}

void TKxFrame::StoreLength(int32_t& Field, float Value) {
    Field = FromUnits(Value);
    OwnerPaint(true);
}

void TKxFrame::SetDist1(float Value) {
    StoreLength(FDist1, Value);
}

void TKxFrame::SetDist2(float Value) {
    StoreLength(FDist2, Value);
}

void TKxFrame::SetRadio(float Value) {
    StoreLength(FRadio, Value);
}

void TKxFrame::SetPenWidth(float Value) {
    StoreLength(FPenWidth, Value);
}

void TKxFrame::SetColor(TColor Value) {
    if (Store(FColor, Value)) OwnerPaint(true);
}
