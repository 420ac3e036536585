#pragma once

#include "types/Kxtypes.h"

class TKxBackSurf;
class TKxMeasure;

/// What a settings object may ask of the label it belongs to: the unit of its public lengths, the
/// sibling settings its clamps and corrections read, and the repaints its setters request. The label
/// document implements it and passes the repaints on to the view that shows it, if there is one.
class TKxSettingsOwner {
public:
    virtual ~TKxSettingsOwner() = default;

    virtual TKxUnits GetUnits() const = 0;
    virtual TKxMeasure* GetMeasure() const = 0;
    virtual TKxBackSurf* GetBackSurf() const = 0;

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
    TKxSettingsOwner() = default;
    TKxSettingsOwner(const TKxSettingsOwner&) = default;
    TKxSettingsOwner& operator=(const TKxSettingsOwner&) = default;
};
