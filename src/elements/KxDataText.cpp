#include "elements/KxDataText.h"

#include <array>

#include "db/Table.h"
#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"

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
    PrepareText(Canvas, Bold, Italic, Underline);
    Canvas.SetTextAlign(AlignFlags.at(Align));
    Canvas.SetTextCharacterExtra(CharSpace);
}

QString TKxDataText::Content(const TKxDrawContext& C) {
    if (!DataBase || !C.WithData) return Text;
    if (C.Target == tdLab) {
        Text = Field;
        return Text;
    }
    // No table means no record to take a value from.
    return C.Record ? KxFieldText(*C.Record, Field) : Text;
}

void TKxDataText::DrawLine(const TPoint& Origin, const TKxDrawContext& C, const QString& Before,
                           const QString& After) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    AdjustCanvas(*canvas);
    const QString line = Before + Content(C) + After;
    const TPoint at = Placed(Origin, P1);
    canvas->TextOut(at.X, at.Y, line);
    if (C.Target != tdLab) return;
    Bounds = CellBounds(canvas->TextExtent(line), C.Screen);
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
