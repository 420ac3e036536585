#pragma once

#include <cstdint>

#include "kxlab_export.h"
#include "types/KxScreenMap.h"
#include "types/Kxtypes.h"

/// One zoom step: Scale label units per pixel for the mapping, Factor pixels per label unit
/// (single precision: zm75 is 0.2f, i.e. 0.2000000030) for the label's size in pixels.
struct KXLAB_EXPORT TKxZoomStep {
    int32_t Scale = 4;
    float Factor = 0.25f;
};

/// The step of a zoom value; zm100 for a value outside the type.
KXLAB_EXPORT TKxZoomStep ZoomStep(TKxZoom Zoom);

/// A label length in pixels at a zoom factor: Round(lu * Factor), halves to even.
KXLAB_EXPORT int32_t LabelPixels(int32_t lu, float Factor);
/// Client pixel to a position in the public unit, proportional to the label size:
/// (px - Origin + Pos) * Size / Pixels, where Size is the label's extent in that unit and
/// Pixels its extent on screen.
KXLAB_EXPORT float PixelToWorld(int32_t px, int32_t Origin, int32_t Pos, float Size, int32_t Pixels);

/// A scroll request from a scroll bar.
enum class TKxScrollCode : uint8_t {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    /// Thumb released at a position.
    ThumbPosition,
    /// Thumb dragged to a position.
    ThumbTrack,
    Top,
    Bottom,
    /// The end of a scroll action: keeps the position.
    EndScroll
};

/// Scroll bar state of one axis, in pixels.
struct KXLAB_EXPORT TKxScrollAxis {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Pos = 0;
    int32_t SmallChange = 1;
    int32_t LargeChange = 10;
};

/// The position a request leads to, clamped into [Min, Max]. ThumbPos is used by the two thumb
/// requests only.
KXLAB_EXPORT int32_t ScrollTarget(const TKxScrollAxis& Axis, TKxScrollCode Code, int32_t ThumbPos);
