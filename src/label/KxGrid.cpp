#include "label/KxGrid.h"

#include <algorithm>
#include <limits>

#include "label/KxMeasure.h"
#include "label/KxSettingsOwner.h"

TKxGrid::TKxGrid(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {}

void TKxGrid::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxGrid*>(Source);
    if (!src) return;
    FColor = src->FColor;
    FIncX = src->FIncX;
    FIncY = src->FIncY;
}

void TKxGrid::SetColor(TColor Value) {
    if (Store(FColor, Value)) OwnerPaint(true);
}

void TKxGrid::SetShow(bool Value) {
    if (Store(FShow, Value)) OwnerPaint(true);
}

void TKxGrid::StoreIncrement(int32_t& Field, float Value, int32_t Limit) {
    Field = std::max(std::min(FromUnits(Value), Limit), 10);
    OwnerPaint(true);
}

void TKxGrid::SetIncX(float Value) {
    const TKxSettingsOwner* owner = GetOwner();
    StoreIncrement(FIncX, Value,
                   owner ? owner->GetMeasure()->WidthLU() : std::numeric_limits<int32_t>::max());
}

void TKxGrid::SetIncY(float Value) {
    const TKxSettingsOwner* owner = GetOwner();
    StoreIncrement(FIncY, Value,
                   owner ? owner->GetMeasure()->HeightLU() : std::numeric_limits<int32_t>::max());
}
