#include "label/KxMeasure.h"

#include <algorithm>

#include "label/KxSettingsOwner.h"

TKxMeasure::TKxMeasure(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {}

void TKxMeasure::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxMeasure*>(Source);
    if (!src) return;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    FMarLeft = src->FMarLeft;
    FMarTop = src->FMarTop;
    FDiHor = src->FDiHor;
    FDiVer = src->FDiVer;
    FNuHor = src->FNuHor;
    FNuVer = src->FNuVer;
    FPaperHeight = src->FPaperHeight;
    FPaperWidth = src->FPaperWidth;
    FPaperName = src->FPaperName;
    FLabelName = src->FLabelName;
}

void TKxMeasure::SetHeight(float Value) {
    FHeight = std::max(FromUnits(Value), 50);
    if (FLabelType == ltCircle) FWidth = FHeight;
    OwnerAdjustScroll();
    OwnerFlip(duLeft);
}

void TKxMeasure::SetWidth(float Value) {
    FWidth = std::max(FromUnits(Value), 100);
    if (FLabelType == ltCircle) FHeight = FWidth;
    OwnerAdjustScroll();
    OwnerFlip(duTop);
}

void TKxMeasure::SetMarLeft(float Value) {
    FMarLeft = std::max(FromUnits(Value), 0);
}

void TKxMeasure::SetMarTop(float Value) {
    FMarTop = std::max(FromUnits(Value), 0);
}

void TKxMeasure::SetDiHor(float Value) {
    FDiHor = std::max(FromUnits(Value), 0);
}

void TKxMeasure::SetDiVer(float Value) {
    FDiVer = std::max(FromUnits(Value), 0);
}

void TKxMeasure::SetNuHor(int Value) {
    Store(FNuHor, std::max(Value, 1));
}

void TKxMeasure::SetNuVer(int Value) {
    Store(FNuVer, std::max(Value, 1));
}

void TKxMeasure::SetPaperHeight(float Value) {
    FPaperHeight = FromUnits(Value);
}

void TKxMeasure::SetPaperWidth(float Value) {
    FPaperWidth = FromUnits(Value);
}

void TKxMeasure::SetPaperName(const QString& Value) {
    Store(FPaperName, Value);
}

void TKxMeasure::SetLabelName(const QString& Value) {
    Store(FLabelName, Value);
}

void TKxMeasure::SetInnerCircle(float Value) {
    FInnerCircle = std::max(FromUnits(Value), 0);
    OwnerAdjustScroll();
    OwnerPaint(true);
}

void TKxMeasure::SetLabelType(TKxLabelType Value) {
    if (Value == FLabelType) return;
    FLabelType = Value;
    if (FLabelType == ltCircle) FHeight = FWidth;
    if (TKxSettingsOwner* owner = GetOwner()) owner->ShapeChanged(FLabelType);
    OwnerAdjustScroll();
    OwnerFlip(duLeft);
}
