#pragma once

#include <array>
#include <cstdint>
#include <QString>
#include <vector>

#include "barcode/KxSymbology.h"
#include "base/Geometry.h"
#include "elements/KxBarcodeShape.h"
#include "types/Kxtypes.h"

// The arithmetic of a barcode element: which codes draw, the module pattern, and where every bar,
// the background box and the human-readable text lie, in label units (tenths of a millimetre).
// Drawing only walks these results onto a canvas.

/// The placeholder of a code that cannot be drawn: a 20 mm wide box of the bar height crossed by
/// its diagonals, turned about the anchor with the element.
struct TKxInvalidMark {
    TRect Box;
    std::array<TPoint, 2> Diagonal1;
    std::array<TPoint, 2> Diagonal2;
};

/// Width of the invalid mark before it is turned: 20 mm whatever the symbology.
inline constexpr int32_t KxInvalidMarkWidth = 200;
/// How far long bars (guards, UPC-A's outer digits) reach below the others: 1.5 mm.
inline constexpr int32_t KxLongBarExtension = 15;
/// The advance of one digit of the human-readable line per label unit of its cell height: Arial's
/// 0.498, a little more so that a font size rounded up on a device never reaches a bar.
inline constexpr double KxDigitAdvance = 0.52;

/// What keeps Code from being drawn as BarType, for the user; empty when it can be drawn. EAN-13,
/// EAN-8 and UPC-A take 12, 7 and 11 digits (the check digit is computed) or 13, 8 and 12 with the
/// right check digit; Code 39 takes any string of its alphabet (case-sensitive; '*' and the empty
/// string pass), and with its check character every character but '*'; the later kinds take what
/// their encoder takes. An ordinal outside the enumeration passes and draws nothing.
QString BarcodeProblem(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options = {});
/// Whether BarcodeProblem finds nothing.
bool BarcodeCodeValid(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options = {});
/// The code a valid EAN-13, EAN-8 or UPC-A code stands for, its check digit appended when missing;
/// Code 39's text with its check character when the options ask for it; any other code as it is.
QString BarcodeFullCode(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options = {});

/// The module pattern of a valid EAN-13, EAN-8 or UPC-A code: '1' a bar module, '0' a space module,
/// '3' the bars that follow are long, '4' they are normal, '5' the add-on's bars follow, lowered under
/// its digits (these three take no module). Empty for Code 39 and for any other ordinal.
QString BarcodePattern(TKxBar BarType, const QString& Code);

/// The angle a barcode is drawn at: 0, 90, 180 and 270 as they are; no geometry exists for any other
/// value, so it draws as at 0.
int32_t BarcodeDrawAngle(int32_t Angle);

/// The symbol of a code anchored at K (the element's first point plus the drawing origin). An invalid
/// code gives an empty layout that is not Valid; a symbology outside the enumeration an empty one that is.
TKxBarcodeLayout BarcodeLayout(const TKxBarcodeShape& Shape, const TPoint& K);

/// The invalid mark anchored at K for a bar height and an element angle.
TKxInvalidMark InvalidMarkLayout(const TPoint& K, int32_t Height, int32_t Angle);
