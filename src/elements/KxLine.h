#pragma once

#include <cstdint>

#include "elements/KxElement.h"
#include "kxlab_export.h"

/// A straight segment from P1 to P2 in Color, PenStyle and PenWidth. Its hit test follows the
/// segment instead of Bounds, which a line never sets.
class KXLAB_EXPORT TKxLine : public TKxElement {
public:
    /// How far from the segment, in client pixels, a point still hits it.
    static constexpr int32_t HitTolerance = 2;

    using TKxElement::TKxElement;

    /// True when P (client pixels) lies within the segment's span along its longer axis and at most
    /// HitTolerance pixels across it. A line whose ends fall on one pixel is never hit.
    bool PointInObject(const TPoint& P, const TKxScreenMap& Screen) const override;
    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    void SaveToStream(QDataStream& S) const override;
    TKxEle ElementType() const override { return deLine; }
};
