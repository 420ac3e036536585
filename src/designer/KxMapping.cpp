#include "designer/KxMapping.h"

#include <algorithm>

#include "base/Rounding.h"

TKxZoomStep ZoomStep(TKxZoom Zoom) {
    switch (Zoom) {
    case zm50: return {8, 0.125f};
    case zm75: return {5, 0.2f};
    case zm100: return {4, 0.25f};
    case zm200: return {2, 0.5f};
    case zm400: return {1, 1.0f};
    }
    return {};
}

int32_t LabelPixels(int32_t lu, float Factor) {
    return static_cast<int32_t>(Round(static_cast<Extended>(lu) * static_cast<Extended>(Factor)));
}

float PixelToWorld(int32_t px, int32_t Origin, int32_t Pos, float Size, int32_t Pixels) {
    if (Pixels == 0) return 0.0f;
    return static_cast<float>(static_cast<Extended>(px - Origin + Pos) * Size / Pixels);
}

int32_t ScrollTarget(const TKxScrollAxis& Axis, TKxScrollCode Code, int32_t ThumbPos) {
    int64_t pos = Axis.Pos;
    switch (Code) {
    case TKxScrollCode::LineUp: pos -= Axis.SmallChange; break;
    case TKxScrollCode::LineDown: pos += Axis.SmallChange; break;
    case TKxScrollCode::PageUp: pos -= Axis.LargeChange; break;
    case TKxScrollCode::PageDown: pos += Axis.LargeChange; break;
    case TKxScrollCode::ThumbPosition:
    case TKxScrollCode::ThumbTrack: pos = ThumbPos; break;
    case TKxScrollCode::Top: pos = Axis.Min; break;
    case TKxScrollCode::Bottom: pos = Axis.Max; break;
    case TKxScrollCode::EndScroll: break;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(pos, Axis.Min, Axis.Max));
}
