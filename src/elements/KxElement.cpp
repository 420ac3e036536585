#include "elements/KxElement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "base/Saturate.h"
#include "elements/KxExtension.h"
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

namespace {

int32_t Saturated(double v) {
    return static_cast<int32_t>(
        std::clamp<double>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

TCanvas* TKxElement::DrawCanvas(const TKxDrawContext& C) const {
    switch (C.Target) {
    case tdLab: return C.Canvas;
    case tdPrint:
    case tdPreview: return Printable ? C.Canvas : nullptr;
    }
    return nullptr;
}

TPoint TKxElement::Placed(const TPoint& Origin, const TPoint& P) {
    return {Saturate32(int64_t{Origin.X} + P.X), Saturate32(int64_t{Origin.Y} + P.Y)};
}

TRect TKxElement::PlacedBox(const TPoint& Origin) const {
    const TPoint a = Placed(Origin, P1), b = Placed(Origin, P2);
    return {a.X, a.Y, b.X, b.Y};
}

TRect TKxElement::TurnedBounds(int32_t Angle, int32_t X, int32_t Y, int32_t W, int32_t H) {
    const int angle = (Angle % 360 + 360) % 360;
    TRect r;
    if (angle % 90 == 0) {
        RotateBorder(r, angle, X, Y, W, H);
        return r;
    }
    const double t = angle * std::numbers::pi / 180.0, c = std::cos(t), s = std::sin(t);
    // A point (u, v) of the cell lands at (X + u cos t + v sin t, Y - u sin t + v cos t).
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const auto& [u, v] : {std::pair<double, double>{W, 0}, {0, H}, {W, H}}) {
        const double px = u * c + v * s, py = -u * s + v * c;
        minX = std::min(minX, px);
        maxX = std::max(maxX, px);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    }
    return {Saturated(X + std::floor(minX)), Saturated(Y + std::floor(minY)), Saturated(X + std::ceil(maxX)),
            Saturated(Y + std::ceil(maxY))};
}

TRect TKxElement::WindowBox(const TKxScreenMap& Screen) const {
    return {Screen.X(P1.X), Screen.Y(P1.Y), Screen.X(P2.X), Screen.Y(P2.Y)};
}

TRect TKxElement::CellBounds(const TSize& Extent, int32_t Angle, const TPoint& P1,
                             const TKxScreenMap& Screen) {
    const int64_t x0 = Screen.X(0), y0 = Screen.Y(0);
    const int32_t w = Saturate32(Screen.X(Extent.cx) - x0), h = Saturate32(Screen.Y(Extent.cy) - y0);
    return TurnedBounds(Angle, Screen.X(P1.X), Screen.Y(P1.Y), w, h);
}

bool TKxElement::PointInObject(const TPoint& P, const TKxScreenMap&) const {
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

namespace {
const QString LockedKey = QStringLiteral("element.locked");
} // namespace

void TKxElement::SaveExtension(TKxExtension& X) const {
    // A reader that predates locking refuses the file instead of unlocking the element unnoticed.
    if (Locked) X.SetBool(LockedKey, true);
}

void TKxElement::LoadExtension(TKxExtension& X) {
    Locked = X.TakeBool(LockedKey).value_or(false);
}

void TKxElement::SaveNotes(TKxExtension&) const {}

void TKxElement::LoadNotes(TKxExtension&) {}
