#include "elements/KxBarCode.h"

#include "elements/KxBarcodeGeometry.h"
#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "types/UnitLength.h"

TKxBarCode::TKxBarCode(TKxOwner* AOwner)
    : TKxData(AOwner) {
    Height = 100;
}

float TKxBarCode::GetWidth() const {
    return LabelToUnits(Width, unMM);
}

void TKxBarCode::SetWidth(float Value) {
    Width = UnitsToLabel(Value, unMM);
}

float TKxBarCode::GetDistance() const {
    return LabelToUnits(Distance, unMM);
}

void TKxBarCode::SetDistance(float Value) {
    Distance = UnitsToLabel(Value, unMM);
}

float TKxBarCode::GetFontHeight() const {
    return LabelToUnits(FontHeight, Units());
}

void TKxBarCode::SetFontHeight(float Value) {
    FontHeight = UnitsToLabel(Value, Units());
}

float TKxBarCode::GetLeftMargin() const {
    return LabelToUnits(LeftMargin, Units());
}

void TKxBarCode::SetLeftMargin(float Value) {
    LeftMargin = UnitsToLabel(Value, Units());
}

float TKxBarCode::GetTopMargin() const {
    return LabelToUnits(TopMargin, Units());
}

void TKxBarCode::SetTopMargin(float Value) {
    TopMargin = UnitsToLabel(Value, Units());
}

bool TKxBarCode::ValidCode() const {
    return BarcodeCodeValid(BarType, Code);
}

void TKxBarCode::Properties() {
    if (Owner) Owner->PropBar();
}

TKxBarcodeShape TKxBarCode::Shape(const QString& Text) const {
    return {BarType, Text, Width, Height, FontHeight, LeftMargin, TopMargin, ShowNumber, Angle};
}

QString TKxBarCode::DrawnText(TKxDrawType DrawType, bool WithData) const {
    if (!DataBase || !WithData || DrawType == tdLab || !Owner || !Owner->GetTable()) return Code;
    return KxFieldText(*Owner->GetTable(), Field);
}

void TKxBarCode::Draw(const TPoint& Origin, TKxDrawType DrawType, bool WithData) {
    if (DrawType != tdLab && !Printable) return;
    // A record's value is drawn, never stored: a print run must not change the designed label.
    const QString text = DrawnText(DrawType, WithData);
    if (BarcodeCodeValid(BarType, text))
        DrawSymbol(text, Origin, DrawType);
    else
        DrawInvalidMark(Origin, DrawType);
}

void TKxBarCode::DrawCode(const TPoint& Origin, TKxDrawType DrawType) {
    DrawSymbol(Code, Origin, DrawType);
}

void TKxBarCode::DrawSymbol(const QString& Text, const TPoint& Origin, TKxDrawType DrawType) {
    TCanvas* canvas = DrawCanvas(DrawType);
    if (!canvas) return;
    const TKxBarcodeLayout L = BarcodeLayout(Shape(Text), Placed(Origin, P1));
    if (L.Bars.empty() && L.Texts.empty()) return;

    TCanvas& c = *canvas;
    if (!Transparent) {
        c.Pen.Style = psClear;
        c.Brush = {BackColor, bsSolid};
        c.Rectangle(L.Box);
    }
    c.Brush = {Color, bsSolid};
    c.Pen.Color = Color;
    c.Pen.Width = 0;
    c.Pen.Style = psInsideFrame;
    for (const TRect& bar : L.Bars)
        c.Rectangle(bar);

    if (!L.Texts.empty()) {
        c.Font.SetCharset(DEFAULT_CHARSET);
        c.Font.SetStyle({});
        c.Font.SetColor(Color);
        c.Font.SetHeight(FontHeight);
        c.Font.SetName(QStringLiteral("Arial"));
        c.Brush.Style = bsClear;
        // The digits turn with the bars.
        TLogFont log = c.Font.GetLogFont();
        log.lfEscapement = L.Escapement;
        c.Font.SetLogFont(log);
        c.SetTextAlign(L.TextAlign);
        c.SetTextCharacterExtra(CharSpace);
        for (const TKxBarcodeText& t : L.Texts)
            c.TextOut(t.Ref.X, t.Ref.Y, t.Text);
    }

    if (DrawType == tdLab) {
        Bounds = {Owner->WindowX(L.Box.Left) - Owner->WindowX(0),
                  Owner->WindowY(L.Box.Top) - Owner->WindowY(0),
                  Owner->WindowX(L.Box.Right) - Owner->WindowX(0),
                  Owner->WindowY(L.Box.Bottom) - Owner->WindowY(0)};
    }
}

void TKxBarCode::DrawInvalidMark(const TPoint& Origin, TKxDrawType DrawType) {
    // Angle is kept: the dialog writes Code at every keystroke and one bad record may come in a run,
    // so the mark turns with the element instead of unturning it for good.
    if (TCanvas* c = DrawCanvas(DrawType)) {
        const TKxInvalidMark M = InvalidMarkLayout(Placed(Origin, P1), Height, Angle);
        c->Pen = {clRed, 0, psSolid, pmCopy};
        c->Brush = {clWhite, bsSolid};
        c->FillRect(M.Box);
        c->MoveTo(M.Diagonal1[0].X, M.Diagonal1[0].Y);
        c->LineTo(M.Diagonal1[1].X, M.Diagonal1[1].Y);
        c->MoveTo(M.Diagonal2[0].X, M.Diagonal2[0].Y);
        c->LineTo(M.Diagonal2[1].X, M.Diagonal2[1].Y);
    }
    if (!Owner) return;
    const int32_t x = Owner->WindowX(P1.X);
    const int32_t y = Owner->WindowY(P1.Y);
    RotateBorder(Bounds, BarcodeDrawAngle(Angle), x, y,
                 Owner->WindowX(KxInvalidMarkWidth) - Owner->WindowX(0),
                 Owner->WindowY(Height) - Owner->WindowY(0));
}

void TKxBarCode::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxData::SaveToStream(S);
    WriteStr(S, Code);
    WriteByte(S, BarType);
    WriteI32(S, Width);
    WriteI32(S, Distance);
    WriteI32(S, FontHeight);
    WriteBool(S, ShowNumber);
    WriteI32(S, LeftMargin);
    WriteI32(S, TopMargin);
}

void TKxBarCode::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    Code = ReadStr(S);
    BarType = static_cast<TKxBar>(ReadByte(S));
    Width = ReadI32(S);
    Distance = ReadI32(S);
    FontHeight = ReadI32(S);
    ShowNumber = ReadBool(S);
    LeftMargin = ReadI32(S);
    TopMargin = ReadI32(S);
}
