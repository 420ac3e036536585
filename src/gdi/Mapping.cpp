#include "gdi/Mapping.h"

#include <algorithm>
#include <cmath>

namespace {

double Ratio(int32_t viewport, int32_t window) {
    return window == 0 ? 0.0 : static_cast<double>(viewport) / window;
}

// Half away from zero: device pixels are snapped the way the platform's integer mapping does.
int32_t Nearest(double v) {
    return static_cast<int32_t>(std::lround(v));
}

} // namespace

double TMapping::ScaleX() const {
    if (Mode == MM_ANISOTROPIC) return Ratio(ViewportExt.cx, WindowExt.cx);
    if (Mode != MM_ISOTROPIC) return 1.0;
    const double x = Ratio(ViewportExt.cx, WindowExt.cx);
    const double m = std::min(std::abs(x), std::abs(Ratio(ViewportExt.cy, WindowExt.cy)));
    return std::copysign(m, x);
}

double TMapping::ScaleY() const {
    if (Mode == MM_ANISOTROPIC) return Ratio(ViewportExt.cy, WindowExt.cy);
    if (Mode != MM_ISOTROPIC) return 1.0;
    const double y = Ratio(ViewportExt.cy, WindowExt.cy);
    const double m = std::min(std::abs(y), std::abs(Ratio(ViewportExt.cx, WindowExt.cx)));
    return std::copysign(m, y);
}

QPointF TMapping::ToDeviceF(const TPoint& P) const {
    return {(static_cast<double>(P.X) - WindowOrg.X) * ScaleX() + ViewportOrg.X,
            (static_cast<double>(P.Y) - WindowOrg.Y) * ScaleY() + ViewportOrg.Y};
}

TPoint TMapping::ToDevice(const TPoint& P) const {
    const QPointF d = ToDeviceF(P);
    return {Nearest(d.x()), Nearest(d.y())};
}

TPoint TMapping::ToLogical(const TPoint& P) const {
    const double sx = ScaleX();
    const double sy = ScaleY();
    if (sx == 0.0 || sy == 0.0) return WindowOrg;
    return {Nearest((P.X - ViewportOrg.X) / sx + WindowOrg.X),
            Nearest((P.Y - ViewportOrg.Y) / sy + WindowOrg.Y)};
}

TRect TMapping::ToDevice(const TRect& R) const {
    const TPoint a = ToDevice(R.TopLeft());
    const TPoint b = ToDevice(R.BottomRight());
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

QTransform TMapping::Transform() const {
    const double sx = ScaleX();
    const double sy = ScaleY();
    return QTransform(sx, 0, 0, sy, ViewportOrg.X - WindowOrg.X * sx, ViewportOrg.Y - WindowOrg.Y * sy);
}
