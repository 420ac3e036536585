#include "label/KxBackground.h"

#include <algorithm>
#include <cmath>

#include "base/Rounding.h"
#include "base/Saturate.h"

TColor KxGradientColor(TColor From, TColor To, int32_t I, int32_t N) {
    if (N <= 1) return From;
    const auto step = [&](int c0, int c1) { return std::clamp(c0 + MulDiv(I, c1 - c0, N - 1), 0, 255); };
    return RGB(step(GetRValue(From), GetRValue(To)), step(GetGValue(From), GetGValue(To)),
               step(GetBValue(From), GetBValue(To)));
}

TRect KxHoleRect(const TRect& B, int32_t Radius, int32_t BoxWidth) {
    const int64_t inset = (int64_t{BoxWidth} - 2 * int64_t{Radius}) / 2;
    TRect h = B;
    InsetRect(h, inset, inset);
    return h;
}

namespace {

TRect Shrunk(const TRect& B, int32_t I) {
    TRect r = B;
    InsetRect(r, I, I);
    return r;
}

bool Intersects(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// True when the ellipse in E covers every pixel of V, with two pixels of slack for the raster edge.
bool Covers(const TRect& E, const TRect& V) {
    const double a = E.Width() / 2.0 - 2;
    const double b = E.Height() / 2.0 - 2;
    if (a <= 0 || b <= 0) return false;
    const double cx = (static_cast<double>(E.Left) + E.Right) / 2;
    const double cy = (static_cast<double>(E.Top) + E.Bottom) / 2;
    for (const double x : {static_cast<double>(V.Left), static_cast<double>(V.Right)})
        for (const double y : {static_cast<double>(V.Top), static_cast<double>(V.Bottom)}) {
            const double u = (x - cx) / a;
            const double v = (y - cy) / b;
            if (u * u + v * v > 1) return false;
        }
    return true;
}

// The last index in [Lo, Hi] where Test holds, Test holding on a leading run; Lo - 1 when nowhere.
template <class TTest>
int32_t LastHolding(int32_t Lo, int32_t Hi, TTest Test) {
    int32_t found = Lo - 1;
    while (Lo <= Hi) {
        const int32_t mid = Lo + (Hi - Lo) / 2;
        if (Test(mid)) {
            found = mid;
            Lo = mid + 1;
        } else {
            Hi = mid - 1;
        }
    }
    return found;
}

} // namespace

TKxStepRange KxVisibleCircleSteps(const TRect& B, int32_t N, const TRect& Visible) {
    if (N <= 0) return {};
    // Both tests hold for a leading run of steps, since every ellipse lies inside the one before it.
    const int32_t first =
        std::max(0, LastHolding(0, N - 1, [&](int32_t i) { return Covers(Shrunk(B, i), Visible); }));
    const int32_t last =
        LastHolding(first, N - 1, [&](int32_t i) { return Intersects(Shrunk(B, i), Visible); });
    return {first, last};
}
