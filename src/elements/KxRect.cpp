#include "elements/KxRect.h"

#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "types/UnitLength.h"

void TKxRect::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    canvas->Pen.Color = LineColor;
    canvas->Pen.Style = psInsideFrame;
    canvas->Pen.Width = PenWidth;
    canvas->Brush.Color = BackColor;
    canvas->Brush.Style = Transparent ? bsClear : bsSolid;
    const TPoint a = Placed(Origin, P1), b = Placed(Origin, P2);
    if (Circle)
        canvas->Ellipse(a.X, a.Y, b.X, b.Y);
    else
        canvas->RoundRect(a.X, a.Y, b.X, b.Y, Radio, Radio);
    if (C.Target == tdLab) Bounds = WindowBox(C.Screen);
}

float TKxRect::GetRadio() const {
    return LabelToUnits(Radio, Units());
}

void TKxRect::SetRadio(float Value) {
    Radio = UnitsToLabel(Value, Units());
}

void TKxRect::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxElement::SaveToStream(S);
    WriteI32(S, Radio);
    WriteBool(S, Circle);
}

void TKxRect::LoadFromStream(QDataStream& S, int Version) {
    TKxElement::LoadFromStream(S, Version);
    Radio = ReadI32(S);
    Circle = ReadBool(S);
}
