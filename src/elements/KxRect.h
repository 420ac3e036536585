#pragma once

#include <cstdint>

#include "elements/KxElement.h"
#include "kxlab_export.h"

/// A rectangle, a rectangle with rounded corners or an ellipse in the box from P1 to P2: border in
/// LineColor inside the box, PenWidth wide, filled with BackColor unless Transparent.
class KXLAB_EXPORT TKxRect : public TKxElement {
public:
    using TKxElement::TKxElement;

    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;
    TKxEle ElementType() const override { return deRect; }

    /// Corner ellipse width and height in the owner's unit.
    float GetRadio() const;
    void SetRadio(float Value);

    /// Width and height of the ellipse that rounds each corner, label units; 0 gives square corners.
    int32_t Radio = 0;
    /// Draw the ellipse inscribed in the box; Radio is then ignored.
    bool Circle = false;
};
