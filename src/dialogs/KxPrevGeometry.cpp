#include "dialogs/KxPrevGeometry.h"

#include <algorithm>
#include <cstdint>
#include <QWidget>

#include "base/Rounding.h"

namespace {

int WidgetSize(int64_t Size) {
    return static_cast<int>(std::clamp<int64_t>(Size, 0, QWIDGETSIZE_MAX));
}

// Where a sheet of Size starts in an area of Area along one axis.
int ZoomStart(int64_t Size, int Area) {
    return Size <= Area ? static_cast<int>((Area - Size) / 2) : 0;
}

} // namespace

int KxLimitZoom(int Z) {
    return std::clamp(Z, KxPrevMinZoom, KxPrevMaxZoom);
}

QRect KxFitPaper(int W, int H, int PW, int PH) {
    PW = std::max(PW, 1);
    PH = std::max(PH, 1);
    int left = 0, top = 0, right = W - 10, bottom = H - 10;
    // Compared as products, W / H > PW / PH stays exact. The shrunk side's page extent never exceeds
    // the area's, so MulDiv cannot overflow.
    if (int64_t{W} * PH > int64_t{PW} * H) {
        const int d = (W - MulDiv(H, PW, PH)) / 2;
        left += d;
        right -= d;
    } else {
        const int d = (H - MulDiv(W, PH, PW)) / 2;
        top += d;
        bottom -= d;
    }
    return {left + 4, top + 4, WidgetSize(int64_t{right} - left - 4), WidgetSize(int64_t{bottom} - top - 4)};
}

QRect KxZoomPaper(int Zoom, int PW, int PH, int CW, int CH) {
    const int64_t sw = int64_t{PW} * Zoom / 100;
    const int64_t sh = int64_t{PH} * Zoom / 100;
    return {ZoomStart(sw, CW), ZoomStart(sh, CH), WidgetSize(sw - 16), WidgetSize(sh - 16)};
}

int KxWidthZoom(int W, int PW) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{W} * 100 / std::max(PW, 1), INT32_MIN, INT32_MAX));
}
