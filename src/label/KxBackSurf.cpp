#include "label/KxBackSurf.h"

#include <algorithm>
#include <limits>

#include "base/InvalidGraphic.h"
#include "base/Notices.h"
#include "label/KxMeasure.h"
#include "label/KxSettingsOwner.h"
#include "types/KxMessages.h"

TKxBackSurf::TKxBackSurf(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {}

void TKxBackSurf::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxBackSurf*>(Source);
    if (!src) return;
    FColor = src->FColor;
    FStyle = src->FStyle;
    FImage = src->FImage;
    FAlignColor = src->FAlignColor;
    FToColor = src->FToColor;
    FFileName = src->FFileName;
    FAlignLeft = src->FAlignLeft;
    FAlignTop = src->FAlignTop;
    FShowAlign = src->FShowAlign;
    FPrint = src->FPrint;
}

void TKxBackSurf::SetImage(const TPicture& Picture) {
    FImage = Picture;
    OwnerPaint(true);
}

void TKxBackSurf::SetStyle(TKxBackStyle Value) {
    if (!Store(FStyle, Value)) return;
    const TKxLabelType shape = GetOwner() ? GetOwner()->GetMeasure()->GetLabelType() : ltRect;
    if (FStyle == biImage && FFileName.isEmpty()) FStyle = biNone;
    if (FStyle == biGraCircle && shape == ltRect) FStyle = biNone;
    if ((FStyle == biGradHor || FStyle == biGradVer) && shape == ltCircle) FStyle = biNone;
    OwnerPaint(true);
}

void TKxBackSurf::FitStyleToShape(TKxLabelType Shape) {
    if (Shape == ltCircle ? FStyle != biGraCircle : FStyle == biGraCircle || FStyle == biImage)
        FStyle = biNone;
}

void TKxBackSurf::StoreColor(TColor& Field, TColor Value) {
    if (Store(Field, Value)) OwnerPaint(true);
}

void TKxBackSurf::SetColor(TColor Value) {
    StoreColor(FColor, Value);
}

void TKxBackSurf::SetToColor(TColor Value) {
    StoreColor(FToColor, Value);
}

void TKxBackSurf::SetAlignColor(TColor Value) {
    StoreColor(FAlignColor, Value);
}

void TKxBackSurf::SetFileName(const QString& Value) {
    if (!Store(FFileName, Value)) return;
    // Clearing the name is not a failed load: nothing to read, nothing to report. A failed load
    // keeps the picture shown so far.
    if (!FFileName.isEmpty()) {
        try {
            FImage.LoadFromFile(FFileName);
        } catch (const EInvalidGraphic& e) {
            KxNote(TNoticeKind::PictureFile, FFileName, e.Message(),
                   QString::fromUtf8(KxCannotOpenFile) + FFileName);
        }
    }
    OwnerPaint(true);
}

void TKxBackSurf::SetAlignLeft(float Value) {
    TKxSettingsOwner* owner = GetOwner();
    const int32_t limit = owner ? owner->GetMeasure()->WidthLU() : std::numeric_limits<int32_t>::max();
    FAlignLeft = std::min(std::max(FromUnits(Value), 0), limit);
    OwnerFlip(duTop);
    if (owner) owner->AdjustAligns();
}

void TKxBackSurf::SetAlignTop(float Value) {
    TKxSettingsOwner* owner = GetOwner();
    const int32_t limit = owner ? owner->GetMeasure()->HeightLU() : std::numeric_limits<int32_t>::max();
    FAlignTop = std::min(std::max(FromUnits(Value), 0), limit);
    OwnerFlip(duLeft);
    if (owner) owner->AdjustAligns();
}

void TKxBackSurf::SetShowAlign(bool Value) {
    if (Store(FShowAlign, Value)) OwnerPaint(true);
}

void TKxBackSurf::SetPrint(bool Value) {
    FPrint = Value;
}
