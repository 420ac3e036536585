#include "elements/KxData.h"

#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "types/UnitLength.h"

TKxData::TKxData(TKxOwner* AOwner)
    : TKxElement(AOwner) {}

float TKxData::GetHeight() const {
    return LabelToUnits(Height, Units());
}

void TKxData::SetHeight(float Value) {
    Height = UnitsToLabel(Value, Units());
}

void TKxData::SaveToStream(QDataStream& S) const {
    TKxElement::SaveToStream(S);
    WriteStr(S, FontName);
    WriteStr(S, Field);
    WriteI32(S, Height);
    WriteBool(S, DataBase);
}

void TKxData::LoadFromStream(QDataStream& S, int Version) {
    TKxElement::LoadFromStream(S, Version);
    FontName = ReadStr(S);
    Field = ReadStr(S);
    Height = ReadI32(S);
    DataBase = ReadBool(S);
}

void TKxData::PrepareText(TCanvas& Canvas, bool Bold, bool Italic, bool Underline) const {
    TFont& font = Canvas.Font;
    font.SetCharset(DEFAULT_CHARSET);
    font.SetColor(Color);
    font.SetName(FontName);
    font.SetHeight(Height);
    TFontStyles style = font.Style();
    style.setFlag(fsBold, Bold);
    style.setFlag(fsItalic, Italic);
    style.setFlag(fsUnderline, Underline);
    font.SetStyle(style);
    // Escapement is only reachable through the logical-font record. Only the angle modulo a full
    // turn matters, and that keeps tenths of a degree of any stored angle within range.
    TLogFont log = font.GetLogFont();
    log.lfEscapement = (Angle % 360) * 10;
    font.SetLogFont(log);
    Canvas.Brush.Color = BackColor;
    Canvas.Brush.Style = Transparent ? bsClear : bsSolid;
}
