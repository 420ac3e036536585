#include "elements/KxLine.h"

#include <cmath>
#include <cstdlib>

#include "base/Rounding.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"

namespace {

// The record holds the platform's pen style ordinal; an unknown one draws solid.
TPenStyle PenStyleOf(uint8_t ordinal) {
    return ordinal <= static_cast<uint8_t>(psInsideFrame) ? static_cast<TPenStyle>(ordinal) : psSolid;
}

// Along is the coordinate on the segment's longer axis, Across the other one; the point is
// (pAlong, pAcross) from the first end, the segment (dAlong, dAcross). Differences of 32-bit pixels
// need 33 bits and their products 66, so the test runs on the 64-bit mantissa of Extended: products
// are exact, and their difference is exact whenever it is small enough to matter. Lines far off
// screen therefore never wrap into a false hit.
bool NearSegment(Extended dAlong, Extended dAcross, Extended pAlong, Extended pAcross) {
    return dAlong * pAlong >= 0 && std::fabs(pAlong) <= std::fabs(dAlong) &&
           std::fabs(dAcross * pAlong - dAlong * pAcross) <= std::fabs(TKxLine::HitTolerance * dAlong);
}

} // namespace

bool TKxLine::PointInObject(const TPoint& P, const TKxScreenMap& Screen) const {
    const int64_t x1 = Screen.X(P1.X), y1 = Screen.Y(P1.Y);
    const int64_t dx = Screen.X(P2.X) - x1, dy = Screen.Y(P2.Y) - y1;
    const int64_t px = P.X - x1, py = P.Y - y1;
    if (dx != 0 && std::llabs(dx) > std::llabs(dy)) return NearSegment(dx, dy, px, py);
    if (dy != 0) return NearSegment(dy, dx, py, px);
    return false;
}

void TKxLine::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    canvas->Pen.Color = Color;
    canvas->Pen.Style = PenStyleOf(PenStyle);
    canvas->Pen.Width = PenWidth;
    const TPoint a = Placed(Origin, P1), b = Placed(Origin, P2);
    canvas->MoveTo(a.X, a.Y);
    canvas->LineTo(b.X, b.Y);
}

void TKxLine::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxElement::SaveToStream(S);
}
