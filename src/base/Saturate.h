#pragma once

#include <cstdint>

#include "base/Geometry.h"

// Arithmetic on values a file may hold (any 32-bit size, position or count): worked out in 64 bits
// and saturated at the limits instead of wrapping round into a plausible coordinate.

// Saturate32 itself is in platform/Geometry.h, where coordinates are summed.
/// a + b and a * b, the nearest 64-bit limit when the result does not fit.
int64_t SatAdd(int64_t a, int64_t b);
int64_t SatMul(int64_t a, int64_t b);
/// R moved in by DX on the left and right and DY at the top and bottom (out for negative values),
/// each edge saturated to the 32-bit range.
void InsetRect(TRect& R, int64_t DX, int64_t DY);
