#pragma once

#include <algorithm>
#include <cstdint>

#include "base/Geometry.h"
#include "base/Saturate.h"

// Points and rectangles of an unturned symbol, turned about its anchor. Lengths come from files and
// dialogs as any 32-bit value: callers walk in 64 bits and these clamp to the 32-bit coordinate range.

/// A point of the unturned symbol, turned about K by Angle degrees counter-clockwise.
inline TPoint BarcodeTurned(int64_t x, int64_t y, const TPoint& K, int32_t Angle) {
    TPoint P{Saturate32(x), Saturate32(y)};
    Rotate(P, K, Angle);
    return P;
}

/// The rectangle between two corners of the unturned symbol, turned about K, edges ordered.
inline TRect BarcodeTurnedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const TPoint& K,
                               int32_t Angle) {
    const TPoint a = BarcodeTurned(x1, y1, K, Angle);
    const TPoint b = BarcodeTurned(x2, y2, K, Angle);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}
