#pragma once

#include <cstdint>

#include "base/Color.h"
#include "base/Geometry.h"

/// Step I of N of a gradient from From to To (plain RGB colours): each component moves by
/// MulDiv(I, difference, N - 1), rounded to nearest, so step 0 is From and step N - 1 is To.
/// A gradient of one step (or none) is From: there is no second colour to move towards.
TColor KxGradientColor(TColor From, TColor To, int32_t I, int32_t N);

/// The hole of a circular label inside its box B: B shrunk on every side by
/// (BoxWidth - 2 Radius) div 2. Radius and BoxWidth are in the units of B.
TRect KxHoleRect(const TRect& B, int32_t Radius, int32_t BoxWidth);

/// The steps of a circular gradient that can show on a raster of the given visible rectangle:
/// step I fills the ellipse in B shrunk by I. Steps before First are painted over whole by step
/// First; steps from Last + 1 on lie outside the visible rectangle. Last < First when nothing shows.
struct TKxStepRange {
    int32_t First = 0;
    int32_t Last = -1;
};
TKxStepRange KxVisibleCircleSteps(const TRect& B, int32_t N, const TRect& Visible);
