#pragma once

#include <cstdint>

#include "base/Color.h"
#include "kxlab_export.h"

/// How a pen strokes. The dashed styles keep their pattern at any width.
enum class TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    /// Solid; for Rectangle, RoundRect and Ellipse the whole stroke lies inside the figure's box.
    psInsideFrame
};
using enum TPenStyle;

/// How pen and brush combine with what is already there.
enum class TPenMode : uint8_t {
    pmCopy,
    /// Inverted exclusive or: drawing the same figure twice restores the pixels (raster devices only).
    pmNotXor
};
using enum TPenMode;

enum class TBrushStyle : uint8_t { bsSolid, bsClear };
using enum TBrushStyle;

/// The outline of figures and lines.
struct KXLAB_EXPORT TPen {
    TColor Color = clBlack;
    /// In logical units; 0 is one device pixel at any scale.
    int32_t Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;

    friend bool operator==(const TPen&, const TPen&) = default;
};

/// The fill of figures, of FillRect and, when solid, of the text cell behind TextOut.
struct KXLAB_EXPORT TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;

    friend bool operator==(const TBrush&, const TBrush&) = default;
};

/// Mapping modes: one logical unit per device pixel, one uniform scale from window to viewport, or
/// a scale of its own per axis (what replaying a page stretched into any rectangle needs).
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

/// Text alignment flags: the reference point of TextOut within the text cell.
constexpr uint32_t TA_NOUPDATECP = 0;
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;

/// DrawText flags.
constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;

/// The answer of Pixels where the device keeps no pixels (printer, PDF, SVG) or outside the bitmap.
constexpr TColor clNone = static_cast<TColor>(0x1FFFFFFF);
