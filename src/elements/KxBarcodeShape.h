#pragma once

#include <cstdint>
#include <QString>
#include <vector>

#include "barcode/KxSymbology.h"
#include "base/Geometry.h"
#include "types/Kxtypes.h"

// What a barcode's layout takes and gives: the element's values, and the symbol placed on the page.

/// What shapes one symbol; lengths in label units.
struct TKxBarcodeShape {
    TKxBar BarType = baEAN13;
    /// The text to encode; the retail kinds may leave out their check digit.
    QString Code;
    /// Module width: one EAN/UPC module, one narrow Code 39 element (wide is three).
    int32_t Width = 3;
    /// Height of the normal bars.
    int32_t Height = 100;
    /// Cell height of the human-readable line.
    int32_t FontHeight = 30;
    /// Quiet zone left of the symbol (the box repeats it on the right).
    int32_t LeftMargin = 30;
    /// Space above the bars.
    int32_t TopMargin = 0;
    bool ShowNumber = true;
    /// Degrees counter-clockwise on the page.
    int32_t Angle = 0;
    /// Extra space after each character of the human-readable line.
    int32_t CharSpace = 0;
    TKxSymbolOptions Options;
};

/// One piece of the human-readable line: its reference point and text.
struct TKxBarcodeText {
    TPoint Ref;
    QString Text;

    friend bool operator==(const TKxBarcodeText&, const TKxBarcodeText&) = default;
};

/// A symbol placed on the page, everything already turned about the anchor. Rectangles have their
/// edges ordered (Left <= Right, Top <= Bottom); right and bottom edges lie outside.
struct TKxBarcodeLayout {
    /// False when the code cannot be drawn as its kind: the element draws the invalid mark instead.
    bool Valid = false;
    /// The background box, quiet zones included.
    TRect Box;
    std::vector<TRect> Bars;
    std::vector<TKxBarcodeText> Texts;
    /// TA_ flags of the human-readable line.
    uint32_t TextAlign = 0;
    /// Turn of the human-readable line, tenths of a degree counter-clockwise.
    int32_t Escapement = 0;
    /// Cell height and extra character space of the human-readable line: the shape's, made smaller
    /// where the digits of a retail symbol would otherwise reach a guard bar.
    int32_t FontHeight = 0;
    int32_t CharSpace = 0;
};
