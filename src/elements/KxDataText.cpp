#include "elements/KxDataText.h"

#include <array>

#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "platform/Canvas.h"

namespace {

// SetTextAlign flags by TTextAlign ordinal.
constexpr std::array<uint32_t, 9> AlignFlags{
    TA_LEFT | TA_BASELINE, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BASELINE,
    TA_LEFT | TA_BOTTOM,   TA_CENTER | TA_BOTTOM,   TA_RIGHT | TA_BOTTOM,
    TA_LEFT | TA_TOP,      TA_CENTER | TA_TOP,      TA_RIGHT | TA_TOP};

} // namespace

TKxDataText::TKxDataText(TKxOwner* AOwner)
    : TKxData(AOwner) {}

void TKxDataText::AdjustCanvas(TCanvas& Canvas) const {
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
    // Escapement is only reachable through the logical-font record.
    TLogFont log = font.GetLogFont();
    log.lfEscapement = Angle * 10;
    font.SetLogFont(log);
    Canvas.SetTextAlign(AlignFlags.at(Align));
    Canvas.Brush.Color = BackColor;
    Canvas.Brush.Style = Transparent ? bsClear : bsSolid;
    Canvas.SetTextCharacterExtra(CharSpace);
}

TCanvas* TKxDataText::TargetCanvas(TKxDrawType DrawType) const {
    if (!Owner) return nullptr;
    switch (DrawType) {
    case tdLab: return Owner->GetCanvas(tdLab);
    case tdPrint:
    case tdPreview: return Printable ? Owner->GetCanvas(DrawType) : nullptr;
    }
    return nullptr;
}

QString TKxDataText::Content(TKxDrawType DrawType, bool WithData) {
    if (!DataBase || !WithData) return Text;
    if (DrawType == tdLab) {
        Text = Field;
        return Text;
    }
    return KxFieldText(*Owner->GetTable(), Field);
}

void TKxDataText::DrawLine(const TPoint& Origin, TKxDrawType DrawType, bool WithData, const QString& Before,
                           const QString& After) {
    TCanvas* canvas = TargetCanvas(DrawType);
    if (!canvas) return;
    AdjustCanvas(*canvas);
    const QString line = Before + Content(DrawType, WithData) + After;
    canvas->TextOut(Origin.X + P1.X, Origin.Y + P1.Y, line);
    if (DrawType != tdLab) return;
    const TSize extent = canvas->TextExtent(line);
    const int32_t w = Owner->WindowX(extent.cx) - Owner->WindowX(0);
    const int32_t h = Owner->WindowY(extent.cy) - Owner->WindowY(0);
    RotateBorder(Bounds, Angle, Owner->WindowX(P1.X), Owner->WindowY(P1.Y), w, h);
}

void TKxDataText::SaveToStream(QDataStream& S) const {
    TKxData::SaveToStream(S);
    WriteStr(S, Text);
    WriteByte(S, Align);
    WriteBool(S, Bold);
    WriteBool(S, Italic);
    WriteBool(S, Underline);
}

void TKxDataText::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    Text = ReadStr(S);
    // An ordinal outside the type would be an undefined enumeration value; keep the default then.
    const uint8_t align = ReadByte(S);
    if (align <= taRiTo) Align = static_cast<TTextAlign>(align);
    Bold = ReadBool(S);
    Italic = ReadBool(S);
    Underline = ReadBool(S);
}
