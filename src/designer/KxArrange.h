#pragma once

#include <cstdint>
#include <QString>
#include <vector>

#include "base/Geometry.h"
#include "kxlab_export.h"

/// The commands that arrange several elements at once.
enum class TKxArrange : uint8_t {
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignTop,
    AlignMiddle,
    AlignBottom,
    DistributeHorizontally,
    DistributeVertically,
    SameWidth,
    SameHeight,
    CentreOnLabel
};

/// The undo step of Kind in the application's current language ("Align Left"; context "KxSteps").
KXLAB_EXPORT QString KxArrangeStepName(TKxArrange Kind);

/// Fewest boxes that Kind moves: the reference of an alignment or a size is not among them.
KXLAB_EXPORT int KxArrangeMinimum(TKxArrange Kind);

/// Where Boxes go under Kind, one result per box in the same order (label units, any rectangles with
/// Left <= Right and Top <= Bottom):
/// - the alignments put every box's edge or centre on Reference's, centres rounded down;
/// - the distributions keep the outermost edges of the boxes and make the gaps between neighbours
///   (ordered by their left or top edge) equal, what does not divide evenly going to the later gaps;
///   fewer than three boxes stay put;
/// - SameWidth and SameHeight keep each box's left and top and give it Reference's width or height;
/// - CentreOnLabel moves the boxes together so that the box around them all is centred on Label.
KXLAB_EXPORT std::vector<TRect> KxArrangeBoxes(TKxArrange Kind, const std::vector<TRect>& Boxes,
                                               const TRect& Reference, const TRect& Label);

/// The smallest box holding every one of Boxes; empty for none.
KXLAB_EXPORT TRect KxBoxAround(const std::vector<TRect>& Boxes);

/// Delta cut back so that Extent moved by it stays within Label on each axis; along an axis on which
/// Extent lies partly outside already, it moves no further out.
KXLAB_EXPORT TPoint KxMoveWithin(const TPoint& Delta, const TRect& Extent, const TRect& Label);
