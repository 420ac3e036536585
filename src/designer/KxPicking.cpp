#include "designer/KxPicking.h"

#include <algorithm>

#include "elements/KxElement.h"
#include "elements/KxRect.h"
#include "label/KxLabel.h"

namespace {

bool InBox(const TRect& R, const TPoint& P, int32_t Grow) {
    return P.X >= R.Left - Grow && P.X < R.Right + Grow && P.Y >= R.Top - Grow && P.Y < R.Bottom + Grow;
}

// Where P lies against the ellipse inscribed in R grown by Grow on each side: below 1 inside.
double EllipseLevel(const TRect& R, const TPoint& P, double Grow) {
    const double rx = (R.Right - R.Left) / 2.0 + Grow, ry = (R.Bottom - R.Top) / 2.0 + Grow;
    if (rx <= 0 || ry <= 0) return 2.0;
    const double dx = (P.X - (R.Left + R.Right) / 2.0) / rx, dy = (P.Y - (R.Top + R.Bottom) / 2.0) / ry;
    return dx * dx + dy * dy;
}

bool RectHit(const TKxRect& E, const TPoint& P, const TKxScreenMap& Screen) {
    const TRect& r = E.Bounds;
    // The border is drawn inside the box; a thin one is still taken a few pixels either side.
    const int32_t pen = (E.PenWidth + Screen.Scale - 1) / std::max(Screen.Scale, 1);
    const int32_t band = std::max(KxBorderTolerance, pen);
    if (E.Circle) {
        if (!E.Transparent) return EllipseLevel(r, P, 0) < 1.0;
        return EllipseLevel(r, P, KxBorderTolerance) < 1.0 && EllipseLevel(r, P, -band) >= 1.0;
    }
    if (!InBox(r, P, E.Transparent ? KxBorderTolerance : 0)) return false;
    if (!E.Transparent) return true;
    return !InBox({r.Left + band, r.Top + band, r.Right - band, r.Bottom - band}, P, 0);
}

} // namespace

bool KxShapeHit(const TKxElement& E, const TPoint& P, const TKxScreenMap& Screen) {
    if (E.ElementType() == deRect) return RectHit(static_cast<const TKxRect&>(E), P, Screen);
    return E.PointInObject(P, Screen);
}

TKxElement* KxElementUnder(const TKxLabel& Label, const TPoint& P, const TKxScreenMap& Screen) {
    for (int i = 0; i < Label.ElementCount(); ++i)
        if (TKxElement* e = Label.Element(i); KxShapeHit(*e, P, Screen)) return e;
    return nullptr;
}
