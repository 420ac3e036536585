#include "label/KxSettings.h"

#include "label/KxSettingsOwner.h"
#include "types/UnitLength.h"

TKxSettings::TKxSettings(TKxSettingsOwner* AOwner)
    : FOwner(AOwner) {}

TKxUnits TKxSettings::Units() const {
    return FOwner ? FOwner->GetUnits() : unMM;
}

float TKxSettings::ToUnits(int32_t lu) const {
    return LabelToUnits(lu, Units());
}

int32_t TKxSettings::FromUnits(float value) const {
    return UnitsToLabel(value, Units());
}

void TKxSettings::OwnerAdjustScroll() const {
    if (FOwner) FOwner->AdjustScroll();
}

void TKxSettings::OwnerFlip(TKxDrawRuler Which) const {
    if (FOwner) FOwner->FlipLabScreen(Which);
}

void TKxSettings::OwnerPaint(bool Repaint) const {
    if (FOwner) FOwner->PaintLabScreen(Repaint);
}
