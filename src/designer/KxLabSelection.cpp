#include <algorithm>
#include <cstdlib>
#include <vector>

#include "designer/KxArrange.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "label/KxMeasure.h"
#include "types/KxStepNames.h"

// The selection of several elements and what works on all of them at once.

namespace {

// Pixels a band must span before it selects: a click on empty surface keeps the selection.
constexpr int32_t BandThreshold = 3;

bool Sizable(const TKxElement& E) {
    const TKxEle kind = E.ElementType();
    return kind == deRect || kind == deImage || kind == deParagraph;
}

bool FollowsCurrent(TKxArrange Kind) {
    return Kind != TKxArrange::DistributeHorizontally && Kind != TKxArrange::DistributeVertically &&
           Kind != TKxArrange::CentreOnLabel;
}

bool Resizes(TKxArrange Kind) {
    return Kind == TKxArrange::SameWidth || Kind == TKxArrange::SameHeight;
}

bool Encloses(const TRect& Outer, const TRect& Inner) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

} // namespace

std::vector<TKxElement*> TKxLab::SelectedElements() const {
    std::vector<TKxElement*> out;
    for (int i = 0; i < FLabel->ElementCount(); ++i)
        if (TKxElement* e = FLabel->Element(i); IsSelected(e)) out.push_back(e);
    return out;
}

bool TKxLab::IsSelected(const TKxElement* E) const {
    return E && std::find(FSelection.begin(), FSelection.end(), E) != FSelection.end();
}

void TKxLab::SetSelection(std::vector<TKxElement*> Set, TKxElement* Current) {
    std::erase(Set, nullptr);
    if (std::find(Set.begin(), Set.end(), Current) == Set.end()) Current = Set.empty() ? nullptr : Set.back();
    if (Set == FSelection && Current == FSelected) return;
    FSelection = std::move(Set);
    FSelected = Current;
    emit SelectionChanged();
}

void TKxLab::ToggleSelected(TKxElement* E) {
    if (!E || FLabel->IndexOf(E) < 0) return;
    std::vector<TKxElement*> set = FSelection;
    if (IsSelected(E)) {
        std::erase(set, E);
        SetSelection(set, E == FSelected ? nullptr : FSelected);
    } else {
        set.push_back(E);
        SetSelection(set, E);
    }
    ClearSelection();
    if (!FSelected) FMarks.DragState = drNone;
    AdjustHandle();
}

void TKxLab::SelectElements(const std::vector<TKxElement*>& Elements, TKxElement* Current) {
    std::vector<TKxElement*> set;
    for (TKxElement* e : Elements)
        if (e && FLabel->IndexOf(e) >= 0 && std::find(set.begin(), set.end(), e) == set.end())
            set.push_back(e);
    SetSelection(set, Current);
    ClearSelection();
    if (!FSelected) FMarks.DragState = drNone;
    AdjustHandle();
}

void TKxLab::SelectAll() {
    std::vector<TKxElement*> all;
    for (int i = 0; i < FLabel->ElementCount(); ++i)
        all.push_back(FLabel->Element(i));
    SelectElements(all, FSelected ? FSelected : FLabel->Element(0));
}

TRect TKxLab::ElementExtent(const TKxElement& E) const {
    switch (E.ElementType()) {
    case deLine:
    case deRect:
    case deImage:
    case deParagraph:
        return {std::min(E.P1.X, E.P2.X), std::min(E.P1.Y, E.P2.Y), std::max(E.P1.X, E.P2.X),
                std::max(E.P1.Y, E.P2.Y)};
    default:
        // Texts, barcodes and symbols take the size they are drawn at.
        return {CoordX(E.Bounds.Left), CoordY(E.Bounds.Top), CoordX(E.Bounds.Right), CoordY(E.Bounds.Bottom)};
    }
}

TRect TKxLab::ElementBox(const TKxElement& E) const {
    if (E.ElementType() != deLine) return E.Bounds;
    const TRect r = ElementExtent(E);
    return {WindowX(r.Left), WindowY(r.Top), WindowX(r.Right) + 1, WindowY(r.Bottom) + 1};
}

std::vector<TKxElement*> TKxLab::Movable() const {
    std::vector<TKxElement*> out = SelectedElements();
    std::erase_if(out, [](const TKxElement* E) { return E->Locked; });
    return out;
}

bool TKxLab::MoveSelection(const TPoint& Delta) {
    const std::vector<TKxElement*> movers = Movable();
    std::vector<TRect> boxes;
    for (const TKxElement* e : movers)
        boxes.push_back(ElementExtent(*e));
    const TRect label{0, 0, GetMeasure()->WidthLU(), GetMeasure()->HeightLU()};
    const TPoint d = KxMoveWithin(Delta, KxBoxAround(boxes), label);
    if (movers.empty() || d == TPoint{}) return false;
    {
        const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Move));
        for (TKxElement* e : movers) {
            e->P1 = e->P1 + d;
            e->P2 = e->P2 + d;
            FLabel->NotifyElement(e);
        }
    }
    AdjustHandle();
    return true;
}

namespace {

// What Kind changes among Movable: not the current element that the others follow, and for a size
// only the kinds that have one of their own.
std::vector<TKxElement*> Targets(std::vector<TKxElement*> Movable, const TKxElement* Current,
                                 TKxArrange Kind) {
    if (FollowsCurrent(Kind)) std::erase(Movable, Current);
    if (Resizes(Kind)) std::erase_if(Movable, [](const TKxElement* E) { return !Sizable(*E); });
    return Movable;
}

} // namespace

bool TKxLab::CanArrange(TKxArrange Kind) const {
    return FSelected &&
           static_cast<int>(Targets(Movable(), FSelected, Kind).size()) >= KxArrangeMinimum(Kind);
}

void TKxLab::Arrange(TKxArrange Kind) {
    if (!CanArrange(Kind)) return;
    const std::vector<TKxElement*> targets = Targets(Movable(), FSelected, Kind);
    std::vector<TRect> boxes;
    for (const TKxElement* e : targets)
        boxes.push_back(ElementExtent(*e));
    const TRect label{0, 0, GetMeasure()->WidthLU(), GetMeasure()->HeightLU()};
    const std::vector<TRect> placed = KxArrangeBoxes(Kind, boxes, ElementExtent(*FSelected), label);
    {
        const TKxUndoStep step(*FLabel, KxArrangeStepName(Kind));
        for (size_t i = 0; i < targets.size(); ++i) {
            TKxElement* e = targets[i];
            const TPoint d = placed[i].TopLeft() - boxes[i].TopLeft();
            e->P1 = e->P1 + d;
            e->P2 = e->P2 + d;
            // A size keeps the left and top edges: the far point takes the new one.
            if (Kind == TKxArrange::SameWidth) (e->P1.X > e->P2.X ? e->P1.X : e->P2.X) = placed[i].Right;
            if (Kind == TKxArrange::SameHeight) (e->P1.Y > e->P2.Y ? e->P1.Y : e->P2.Y) = placed[i].Bottom;
            FLabel->NotifyElement(e);
        }
    }
    AdjustHandle();
}

void TKxLab::SetSelectionLocked(bool Value) {
    SetLocked(SelectedElements(), Value);
}

void TKxLab::SetLocked(const std::vector<TKxElement*>& Elements, bool Value) {
    {
        const TKxUndoStep step(*FLabel, KxStepName(Value ? TKxStep::Lock : TKxStep::Unlock));
        for (TKxElement* e : Elements)
            if (FLabel->IndexOf(e) >= 0) {
                e->Locked = Value;
                FLabel->NotifyElement(e);
            }
    }
    AdjustHandle();
}

void TKxLab::StartBand(const TPoint& P, bool Adds) {
    TKxMarks& m = FMarks;
    m.Banding = true;
    m.BandAdds = Adds;
    m.BandStart = m.BandEnd = P;
    // Drawn from the start, so that each move removes the band it drew before.
    ToggleFigure(TKxOverlay::TKind::DottedFrame, {m.BandStart, m.BandEnd}, GetSelColor());
}

void TKxLab::FinishBand(const TPoint& P) {
    TKxMarks& m = FMarks;
    m.Banding = false;
    if (std::abs(P.X - m.BandStart.X) < BandThreshold && std::abs(P.Y - m.BandStart.Y) < BandThreshold) {
        Paint();
        return;
    }
    const TRect band{std::min(P.X, m.BandStart.X), std::min(P.Y, m.BandStart.Y),
                     std::max(P.X, m.BandStart.X) + 1, std::max(P.Y, m.BandStart.Y) + 1};
    std::vector<TKxElement*> set = m.BandAdds ? FSelection : std::vector<TKxElement*>{};
    TKxElement* current = m.BandAdds ? FSelected : nullptr;
    for (int i = 0; i < FLabel->ElementCount(); ++i) {
        TKxElement* e = FLabel->Element(i);
        if (!Encloses(band, ElementBox(*e)) || std::find(set.begin(), set.end(), e) != set.end()) continue;
        set.push_back(e);
        // Without a click to name one, the front-most enclosed element is current.
        if (!current) current = e;
    }
    SelectElements(set, current);
}

void TKxLab::StartGroupDrag(const TPoint& P) {
    BeginDragStep(TKxStep::Move);
    TKxMarks& m = FMarks;
    std::vector<TRect> boxes;
    for (const TKxElement* e : FSelection)
        boxes.push_back(ElementBox(*e));
    m.GroupDrag = true;
    m.Dragged = false;
    m.PressPoint = P;
    m.GroupRect = KxBoxAround(boxes);
    m.GroupStart = m.GroupRect.TopLeft();
    m.GrabOffset = P - m.GroupStart;
}

void TKxLab::FinishGroupDrag() {
    TKxMarks& m = FMarks;
    m.GroupDrag = false;
    if (!m.Dragged) {
        // A click that does not drag picks the one element out of the group.
        SelectElement(FSelected);
        return;
    }
    if (MoveSelection({CoordX(m.GroupRect.Left) - CoordX(m.GroupStart.X),
                       CoordY(m.GroupRect.Top) - CoordY(m.GroupStart.Y)}))
        return;
    // Nothing moved: the outline that followed the mouse goes.
    AdjustHandle();
}
