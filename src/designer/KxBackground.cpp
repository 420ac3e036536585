#include "designer/KxBackground.h"

#include <algorithm>
#include <cmath>

#include "platform/Rounding.h"

TColor KxGradientColor(TColor From, TColor To, int32_t I, int32_t N) {
    if (N <= 1) return From;
    const auto step = [&](int c0, int c1) { return std::clamp(c0 + MulDiv(I, c1 - c0, N - 1), 0, 255); };
    return RGB(step(GetRValue(From), GetRValue(To)), step(GetGValue(From), GetGValue(To)),
               step(GetBValue(From), GetBValue(To)));
}

TRect KxHoleRect(const TRect& B, int32_t Radius, int32_t BoxWidth) {
    const int32_t inset =
        static_cast<int32_t>((static_cast<int64_t>(BoxWidth) - 2 * static_cast<int64_t>(Radius)) / 2);
    TRect h = B;
    InflateRect(h, -inset, -inset);
    return h;
}

namespace {

TRect Shrunk(const TRect& B, int32_t I) {
    TRect r = B;
    InflateRect(r, -I, -I);
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

} // namespace

TKxStepRange KxVisibleCircleSteps(const TRect& B, int32_t N, const TRect& Visible) {
    if (N <= 0) return {};
    // Both tests are monotonic in the step, since every ellipse lies inside the one before it.
    int32_t lo = 0;
    int32_t hi = N - 1;
    int32_t first = 0;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (Covers(Shrunk(B, mid), Visible)) {
            first = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    lo = first;
    hi = N - 1;
    int32_t last = first - 1;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (Intersects(Shrunk(B, mid), Visible)) {
            last = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return {first, last};
}
