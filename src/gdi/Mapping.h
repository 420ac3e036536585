#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

#include "base/Geometry.h"
#include "gdi/CanvasTypes.h"
#include "kxlab_export.h"

/// A canvas's logical-to-device mapping: mode, window and viewport origins and extents.
/// Device = (logical - window origin) * scale + viewport origin. In MM_TEXT the scale is 1; in
/// MM_ISOTROPIC it is viewport extent / window extent per axis, both reduced to the smaller of the
/// two magnitudes so a logical unit is equally long on both axes (the signs are kept); in
/// MM_ANISOTROPIC each axis keeps its own ratio.
struct KXLAB_EXPORT TMapping {
    int Mode = MM_TEXT;
    TPoint WindowOrg;
    TSize WindowExt{1, 1};
    TPoint ViewportOrg;
    TSize ViewportExt{1, 1};

    friend bool operator==(const TMapping&, const TMapping&) = default;

    /// Device pixels per logical unit along x (negative when the axis is flipped).
    double ScaleX() const;
    double ScaleY() const;
    /// The device point of a logical point, unrounded.
    QPointF ToDeviceF(const TPoint& P) const;
    /// The device point, each coordinate rounded to the nearest pixel.
    TPoint ToDevice(const TPoint& P) const;
    /// The logical point of a device point, rounded.
    TPoint ToLogical(const TPoint& P) const;
    /// The device rectangle of a logical one, corners rounded and ordered.
    TRect ToDevice(const TRect& R) const;
    /// Logical to device as a transform.
    QTransform Transform() const;
};
