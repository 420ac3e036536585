#pragma once

#include <cstdint>

#include "kxlab_export.h"

/// The platform's extended floating-point type (80-bit on x86-64).
using Extended = long double;

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
KXLAB_EXPORT int64_t Round(Extended x);
/// Drops the fraction, towards zero.
KXLAB_EXPORT int64_t Trunc(Extended x);
/// The fraction of x, with the sign of x.
KXLAB_EXPORT Extended Frac(Extended x);
/// a * b / c with a 64-bit intermediate, rounded to nearest with halves away from zero.
/// Answers -1 when c is 0 or the result does not fit in 32 bits.
KXLAB_EXPORT int32_t MulDiv(int32_t a, int32_t b, int32_t c);
