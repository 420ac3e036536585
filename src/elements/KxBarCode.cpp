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

TKxBarcodeShape TKxBarCode::Shape(const QString& Text) const {
    return {BarType, Text, Width, Height, FontHeight, LeftMargin, TopMargin, ShowNumber, Angle};
}

QString TKxBarCode::DrawnText(const TKxDrawContext& C) const {
    if (!DataBase || !C.WithData || C.Target == tdLab || !C.Record) return Code;
    return KxFieldText(*C.Record, Field);
}

void TKxBarCode::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    if (C.Target != tdLab && !Printable) return;
    // A record's value is drawn, never stored: a print run must not change the designed label.
    const QString text = DrawnText(C);
    if (BarcodeCodeValid(BarType, text))
        DrawSymbol(text, Origin, C);
    else
        DrawInvalidMark(Origin, C);
}

void TKxBarCode::DrawSymbol(const QString& Text, const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
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

    if (C.Target == tdLab) {
        const TKxScreenMap& s = C.Screen;
        Bounds = {s.X(L.Box.Left) - s.X(0), s.Y(L.Box.Top) - s.Y(0), s.X(L.Box.Right) - s.X(0),
                  s.Y(L.Box.Bottom) - s.Y(0)};
    }
}

void TKxBarCode::DrawInvalidMark(const TPoint& Origin, const TKxDrawContext& C) {
    // Angle is kept: the dialog writes Code at every keystroke and one bad record may come in a run,
    // so the mark turns with the element instead of unturning it for good.
    if (TCanvas* c = DrawCanvas(C)) {
        const TKxInvalidMark M = InvalidMarkLayout(Placed(Origin, P1), Height, Angle);
        c->Pen = {clRed, 0, psSolid, pmCopy};
        c->Brush = {clWhite, bsSolid};
        c->FillRect(M.Box);
        c->MoveTo(M.Diagonal1[0].X, M.Diagonal1[0].Y);
        c->LineTo(M.Diagonal1[1].X, M.Diagonal1[1].Y);
        c->MoveTo(M.Diagonal2[0].X, M.Diagonal2[0].Y);
        c->LineTo(M.Diagonal2[1].X, M.Diagonal2[1].Y);
    }
    if (C.Target != tdLab) return;
    const TKxScreenMap& s = C.Screen;
    RotateBorder(Bounds, BarcodeDrawAngle(Angle), s.X(P1.X), s.Y(P1.Y), s.X(KxInvalidMarkWidth) - s.X(0),
                 s.Y(Height) - s.Y(0));
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
