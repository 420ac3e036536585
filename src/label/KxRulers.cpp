#include "label/KxRulers.h"

#include "label/KxSettingsOwner.h"

TKxRulers::TKxRulers(TKxSettingsOwner* AOwner)
    : TKxSettings(AOwner) {
    FFont.SetName(QStringLiteral("Tahoma"));
    FFont.SetHeight(-9);
}

void TKxRulers::Assign(const QObject* Source) {
    const auto* src = qobject_cast<const TKxRulers*>(Source);
    if (!src) return;
    FFont = src->FFont;
    FColor = src->FColor;
    FTickColor = src->FTickColor;
    FMarkColor = src->FMarkColor;
    FBorder = src->FBorder;
    FVisible = src->FVisible;
}

void TKxRulers::SetFont(const TFont* Value) {
    if (!Value) return;
    FFont = *Value;
    OwnerFlip(duBoth);
}

QFont TKxRulers::GetQFont() const {
    QFont f(FFont.Name());
    if (FFont.Height() != 0) f.setPixelSize(qAbs(FFont.Height()));
    const TFontStyles style = FFont.Style();
    f.setBold(style.testFlag(fsBold));
    f.setItalic(style.testFlag(fsItalic));
    f.setUnderline(style.testFlag(fsUnderline));
    f.setStrikeOut(style.testFlag(fsStrikeOut));
    return f;
}

void TKxRulers::SetQFont(const QFont& Value) {
    TFont font = FFont;
    font.SetName(Value.family());
    // A point size from an editor becomes pixels at the 96 dpi reference of the surface.
    const int pixels = Value.pixelSize() > 0 ? Value.pixelSize() : qRound(Value.pointSizeF() * 96.0 / 72.0);
    font.SetHeight(-pixels);
    TFontStyles style;
    style.setFlag(fsBold, Value.bold());
    style.setFlag(fsItalic, Value.italic());
    style.setFlag(fsUnderline, Value.underline());
    style.setFlag(fsStrikeOut, Value.strikeOut());
    font.SetStyle(style);
    SetFont(&font);
}

void TKxRulers::SetFontColor(TColor Value) {
    if (Value == FFont.Color()) return;
    FFont.SetColor(Value);
    OwnerFlip(duBoth);
}

void TKxRulers::StoreAndFlip(TColor& Field, TColor Value) {
    if (Store(Field, Value)) OwnerFlip(duBoth);
}

void TKxRulers::SetColor(TColor Value) {
    StoreAndFlip(FColor, Value);
}

void TKxRulers::SetTickColor(TColor Value) {
    StoreAndFlip(FTickColor, Value);
}

void TKxRulers::SetMarkColor(TColor Value) {
    FMarkColor = Value;
}

void TKxRulers::SetBorder(bool Value) {
    if (Store(FBorder, Value)) OwnerFlip(duBoth);
}

void TKxRulers::SetVisible(bool Value) {
    if (!Store(FVisible, Value)) return;
    if (TKxSettingsOwner* owner = GetOwner()) owner->RulersShown(FVisible);
    OwnerFlip(duBoth);
}
