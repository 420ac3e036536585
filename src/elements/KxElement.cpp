#include "elements/KxElement.h"

#include <algorithm>
#include <limits>

#include "elements/KxRecordIO.h"
#include "types/UnitLength.h"

TKxElement::TKxElement(TKxOwner* AOwner)
    : Owner(AOwner) {}

TKxUnits TKxElement::Units() const {
    return Owner ? Owner->GetUnits() : unMM;
}

TPoint2D TKxElement::ToUnits(const TPoint& P) const {
    return {LabelToUnits(P.X, Units()), LabelToUnits(P.Y, Units())};
}

TPoint TKxElement::FromUnits(const TPoint2D& V) const {
    return {UnitsToLabel(V.X, Units()), UnitsToLabel(V.Y, Units())};
}

TCanvas* TKxElement::DrawCanvas(TKxDrawType DrawType) const {
    if (!Owner || (DrawType != tdLab && !Printable)) return nullptr;
    return Owner->GetCanvas(DrawType);
}

TPoint TKxElement::Placed(const TPoint& Origin, const TPoint& P) {
    const auto add = [](int64_t a, int64_t b) {
        return static_cast<int32_t>(std::clamp<int64_t>(a + b, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    };
    return {add(Origin.X, P.X), add(Origin.Y, P.Y)};
}

TRect TKxElement::WindowBox() const {
    if (!Owner) return {};
    return {Owner->WindowX(P1.X), Owner->WindowY(P1.Y), Owner->WindowX(P2.X), Owner->WindowY(P2.Y)};
}

bool TKxElement::PointInObject(const TPoint& P) const {
    return PtInRect(Bounds, P);
}

TPoint2D TKxElement::GetP1() const {
    return ToUnits(P1);
}

void TKxElement::SetP1(const TPoint2D& Value) {
    P1 = FromUnits(Value);
}

TPoint2D TKxElement::GetP2() const {
    return ToUnits(P2);
}

void TKxElement::SetP2(const TPoint2D& Value) {
    P2 = FromUnits(Value);
}

float TKxElement::GetPenWidth() const {
    return LabelToUnits(PenWidth, unMM);
}

void TKxElement::SetPenWidth(float Value) {
    PenWidth = UnitsToLabel(Value, unMM);
}

void TKxElement::SetID(const QString& Value) {
    if (ID != Value) ID = Value;
}

void TKxElement::Move(const TPoint2D& Delta) {
    const TPoint d = FromUnits(Delta);
    P1 = P1 + d;
    P2 = P2 + d;
}

void TKxElement::Align(TKxEleAlign Kind) {
    if (!Owner) return;
    TPoint d;
    if (Kind == eaLeft) d.X = Owner->GetGuideLeft() - P1.X;
    if (Kind == eaTop) d.Y = Owner->GetGuideTop() - P1.Y;
    P1 = P1 + d;
    P2 = P2 + d;
}

void TKxElement::SaveToStream(QDataStream& S) const {
    WriteI32(S, Color);
    WriteI32(S, BackColor);
    WriteI32(S, LineColor);
    WriteByte(S, PenStyle);
    WriteBool(S, Border);
    WriteBool(S, Transparent);
    WriteBool(S, Printable);
    WriteI32(S, PenWidth);
    WritePoint(S, P1);
    WritePoint(S, P2);
    WriteI32(S, Angle);
    WriteI32(S, CharSpace);
    WriteStr(S, ID);
}

void TKxElement::LoadFromStream(QDataStream& S, int Version) {
    const bool current = Version == KxFileVersion;
    Color = ReadI32(S);
    BackColor = ReadI32(S);
    LineColor = ReadI32(S);
    PenStyle = ReadByte(S);
    Border = ReadBool(S);
    Transparent = ReadBool(S);
    if (current) Printable = ReadBool(S);
    PenWidth = ReadI32(S);
    P1 = ReadPoint(S);
    P2 = ReadPoint(S);
    Angle = ReadI32(S);
    CharSpace = ReadI32(S);
    if (current) ID = ReadStr(S);
}
