#pragma once

#include <cstdint>

#include "kxlab_export.h"

/// Label units to a client pixel: Round(lu / Scale) + Origin - Pos, halves to even.
KXLAB_EXPORT int32_t LabelToPixel(int32_t lu, int32_t Scale, int32_t Origin, int32_t Pos);
/// Client pixel to label units: (px - Origin + Pos) * Scale. Inverse of LabelToPixel only at
/// multiples of Scale.
KXLAB_EXPORT int32_t PixelToLabel(int32_t px, int32_t Scale, int32_t Origin, int32_t Pos);

/// How the design surface shows label units: Scale label units per client pixel (1 or more), the
/// label's corner at Left, Top (client pixels, scrolling included).
struct KXLAB_EXPORT TKxScreenMap {
    int32_t Scale = 1;
    int32_t Left = 0;
    int32_t Top = 0;

    /// A label x or y (label units) as a client pixel column or row.
    int32_t X(int32_t lu) const { return LabelToPixel(lu, Scale, Left, 0); }
    int32_t Y(int32_t lu) const { return LabelToPixel(lu, Scale, Top, 0); }
    /// A client pixel column or row as a label x or y.
    int32_t LabelX(int32_t px) const { return PixelToLabel(px, Scale, Left, 0); }
    int32_t LabelY(int32_t px) const { return PixelToLabel(px, Scale, Top, 0); }
};
