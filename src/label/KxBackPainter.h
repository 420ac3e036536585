#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "types/Kxtypes.h"

class TCanvas;
class TKxBackSurf;

/// Where a label background is drawn. On paper every unit is a label unit and every gradient step
/// is drawn (in at most 10,000 bands); on the surface the box is in device pixels and only the
/// rows, columns and rings that fall inside Visible are drawn.
struct TKxBackArea {
    /// The label's box in the canvas's units.
    TRect Box;
    /// The label's width and height in the same units: the number of steps of a linear gradient.
    int32_t Width = 0;
    int32_t Height = 0;
    /// Radius of the hole of a circular label and the box width it is centred in, in the same units.
    int32_t HoleRadius = 0;
    int32_t HoleBoxWidth = 0;
    bool Screen = false;
    /// The device rectangle that can show, on the surface.
    TRect Visible;
};

/// Draws Back's style over Area, then the hole of a circular label when it has one.
void KxDrawBackground(TCanvas& Canvas, const TKxBackSurf& Back, TKxLabelType Shape, bool Hole,
                      const TKxBackArea& Area);
