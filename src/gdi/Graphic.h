#pragma once

#include "base/Geometry.h"
#include "kxlab_export.h"

class TCanvas;

/// Something that can be drawn on a canvas at its natural size or stretched: a bitmap, a recorded
/// page, a loaded picture.
class KXLAB_EXPORT TGraphic {
public:
    virtual ~TGraphic() = default;

    /// Natural size in pixels (one pixel per logical unit when drawn with TCanvas::Draw).
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
    /// Draws the whole graphic scaled into R (logical units of the canvas).
    virtual void Draw(TCanvas& canvas, const TRect& r) const = 0;
};
