#pragma once

#include <cstdint>
#include <limits>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "kxlab_export.h"

/// v brought into the 32-bit range, the nearest end when it lies outside. Coordinates may come from
/// files holding any 32-bit value, so sums and differences of them saturate instead of wrapping
/// round into a plausible position.
constexpr int32_t Saturate32(int64_t v) {
    return v < std::numeric_limits<int32_t>::min()   ? std::numeric_limits<int32_t>::min()
           : v > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                     : static_cast<int32_t>(v);
}

/// A point in 32-bit integer coordinates (pixels or label units, as the caller says).
struct KXLAB_EXPORT TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
    TPoint operator+(const TPoint& o) const {
        return {Saturate32(int64_t{X} + o.X), Saturate32(int64_t{Y} + o.Y)};
    }
    TPoint operator-(const TPoint& o) const {
        return {Saturate32(int64_t{X} - o.X), Saturate32(int64_t{Y} - o.Y)};
    }
    QPoint ToQPoint() const { return {X, Y}; }
};

/// A width and a height in 32-bit integers.
struct KXLAB_EXPORT TSize {
    int32_t cx = 0;
    int32_t cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

/// A rectangle by its four edges. Left and Top are inside it, Right and Bottom outside
/// (the platform's point-in-rectangle rule), so Right - Left is the width.
struct KXLAB_EXPORT TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
    int32_t Width() const { return Saturate32(int64_t{Right} - Left); }
    int32_t Height() const { return Saturate32(int64_t{Bottom} - Top); }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    /// True when P lies inside: left and top edges included, right and bottom excluded.
    bool Contains(const TPoint& P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    /// True when the rectangle has no area (Right <= Left or Bottom <= Top).
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    /// The same area as a QRect (QRect's right edge is inclusive, so it is one less).
    QRect ToQRect() const { return QRect(QPoint(Left, Top), QPoint(Right - 1, Bottom - 1)); }
};

inline TPoint Point(int32_t X, int32_t Y) {
    return {X, Y};
}
inline TRect Rect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    return {Left, Top, Right, Bottom};
}
inline bool PtInRect(const TRect& R, const TPoint& P) {
    return R.Contains(P);
}
/// Grows R by dx on the left and right and by dy on the top and bottom (negative values shrink it).
inline void InflateRect(TRect& R, int32_t dx, int32_t dy) {
    R = {Saturate32(int64_t{R.Left} - dx), Saturate32(int64_t{R.Top} - dy), Saturate32(int64_t{R.Right} + dx),
         Saturate32(int64_t{R.Bottom} + dy)};
}
inline void OffsetRect(TRect& R, int32_t dx, int32_t dy) {
    R = {Saturate32(int64_t{R.Left} + dx), Saturate32(int64_t{R.Top} + dy), Saturate32(int64_t{R.Right} + dx),
         Saturate32(int64_t{R.Bottom} + dy)};
}
