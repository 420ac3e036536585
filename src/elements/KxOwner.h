#pragma once

#include <cstdint>

#include "kxlab_export.h"
#include "types/Kxtypes.h"

class TCanvas;
class TTable;

/// What an element may ask of the designer control that owns it: the unit of public lengths,
/// the mapping from label units to client pixels, the canvas of a drawing target, the bound
/// table, the alignment guides and the property dialog launchers. The control implements it;
/// elements never see the widget itself.
class KXLAB_EXPORT TKxOwner {
public:
    virtual ~TKxOwner() = default;

    /// Unit in which element lengths cross the public interface.
    virtual TKxUnits GetUnits() const = 0;
    /// Label x (tenths of a millimetre) to a client pixel column at the current zoom and scroll.
    virtual int32_t WindowX(int32_t x) const = 0;
    /// Label y (tenths of a millimetre) to a client pixel row at the current zoom and scroll.
    virtual int32_t WindowY(int32_t y) const = 0;
    /// Label units per screen pixel at the current zoom: 8, 5, 4, 2 or 1.
    virtual int32_t GetScale() const = 0;
    /// The canvas that a drawing target names: the off-screen surface, the printer or the page
    /// being recorded. May be null when the target is not available (no page being recorded).
    virtual TCanvas* GetCanvas(TKxDrawType DrawType) = 0;
    /// The bound database table; never null.
    virtual TTable* GetTable() = 0;
    /// The left alignment guide, in label units from the label's left edge.
    virtual int32_t GetGuideLeft() const = 0;
    /// The top alignment guide, in label units from the label's top edge.
    virtual int32_t GetGuideTop() const = 0;

    /// Property dialogs of the selected element, one per element kind.
    virtual void PropTxt() = 0;
    virtual void PropAdTxt() = 0;
    virtual void PropPar() = 0;
    virtual void PropBar() = 0;
    virtual void PropSymbol() = 0;
    virtual void PropLin() = 0;
    virtual void PropRect() = 0;
    /// IsNew is true right after the picture element was drawn with the picture tool.
    virtual void PropImage(bool IsNew) = 0;

protected:
    TKxOwner() = default;
    TKxOwner(const TKxOwner&) = default;
    TKxOwner& operator=(const TKxOwner&) = default;
};
