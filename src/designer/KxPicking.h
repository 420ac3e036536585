#pragma once

#include "base/Geometry.h"
#include "kxlab_export.h"
#include "types/KxScreenMap.h"

class TKxElement;
class TKxLabel;

/// Picking by what the user sees. Widest distance, in client pixels, at which a press still takes a
/// rectangle's border.
constexpr int32_t KxBorderTolerance = 3;

/// True when P (client pixels) lies on what E draws on a surface mapped by Screen: a line near its
/// stroke; a transparent rectangle or circle on its border only, so its inside lets presses through;
/// every other element anywhere in its outline (Bounds, as last drawn).
KXLAB_EXPORT bool KxShapeHit(const TKxElement& E, const TPoint& P, const TKxScreenMap& Screen);

/// The front-most element of Label whose drawn shape lies under P, or null.
KXLAB_EXPORT TKxElement* KxElementUnder(const TKxLabel& Label, const TPoint& P, const TKxScreenMap& Screen);
