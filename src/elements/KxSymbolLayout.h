#pragma once

#include <cstdint>

#include "barcode/KxSymbology.h"
#include "base/Geometry.h"
#include "elements/KxBarcodeShape.h"

/// Thickness of ITF-14's bearer bars above and below its bars, in module widths.
inline constexpr int32_t KxBearerModules = 5;

/// Lays out an encoded symbol of a linear kind (Code 128, GS1-128, ITF-14) or a two-dimensional one,
/// anchored at K and turned by Angle (0, 90, 180 or 270), into L's box, bars and text.
///
/// A module is Shape.Width wide; the quiet zone on each side is the symbology's, or the left margin when
/// that is larger (the top margin above and below for the two-dimensional kinds). Linear bars are
/// Shape.Height high, with the human-readable text centred under them; QR, Data Matrix and Aztec
/// modules are square; PDF417 rows are at least three modules high and share Shape.Height when it is
/// more. Dark modules that touch, in a row and from row to row, make one rectangle.
void LayoutEncodedSymbol(const TKxBarcodeShape& Shape, const TKxEncodedSymbol& E, const TPoint& K,
                         int32_t Angle, TKxBarcodeLayout& L);
