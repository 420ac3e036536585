#pragma once

#include "kxlab_export.h"
#include "types/Kxtypes.h"

class TKxMeasure;

/// The repaints a change of the label's settings asks for. A view that shows the label answers them;
/// a label without a view lets them pass.
class KXLAB_EXPORT TKxRepaintRequests {
public:
    virtual ~TKxRepaintRequests() = default;

    /// The label's size or shape changed: scale, pixel size and scroll ranges follow.
    virtual void AdjustScroll() = 0;
    /// Recompose the surface with the named rulers and show it.
    virtual void FlipLabScreen(TKxDrawRuler Which) = 0;
    /// Recompose the surface without the rulers; show it when Repaint.
    virtual void PaintLabScreen(bool Repaint) = 0;
    /// The alignment guides moved: their markers follow.
    virtual void AdjustAligns() = 0;
    /// The colour of the printer-margin lines changed.
    virtual void MarginColorChanged() = 0;
    /// The rulers were shown or hidden: the label's corner moves.
    virtual void RulersShown(bool Visible) = 0;

protected:
    TKxRepaintRequests() = default;
    TKxRepaintRequests(const TKxRepaintRequests&) = default;
    TKxRepaintRequests& operator=(const TKxRepaintRequests&) = default;
};

/// What a settings object may ask of the label it belongs to: the unit of its public lengths, the
/// label size its clamps read, the correction of sibling settings when the shape changes, and the
/// repaints its setters request. The label document implements it.
class KXLAB_EXPORT TKxSettingsOwner : public TKxRepaintRequests {
public:
    virtual TKxUnits GetUnits() const = 0;
    virtual TKxMeasure* GetMeasure() const = 0;
    /// The label's shape changed: settings that depend on it follow, without a repaint.
    virtual void ShapeChanged(TKxLabelType Shape) = 0;
};
