#include "KxDesignSurface.h"

#include <algorithm>
#include <cmath>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "designer/KxPicking.h"
#include "elements/KxElement.h"
#include "label/KxGrid.h"
#include "types/KxStepNames.h"

namespace {

TPoint PressPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

// The next grid line from Pos in direction Dir, or the one after when Pos lies on one.
int32_t NextGridLine(int32_t Pos, int32_t Step, int Dir) {
    const auto n = static_cast<int64_t>(std::floor(static_cast<double>(Pos) / Step));
    const int64_t line = Dir > 0 ? (n + 1) * Step : (Pos % Step == 0 ? n - 1 : n) * Step;
    return static_cast<int32_t>(line - Pos);
}

// A move of D along an axis on which the element spans Low..High and the label 0..Size: never past
// an edge, and never further out when the element stands outside already.
int32_t Inside(int32_t D, int32_t Low, int32_t High, int32_t Size) {
    return std::clamp(D, std::min(0, -Low), std::max(0, Size - High));
}

} // namespace

TKxDesignSurface::TKxDesignSurface(QWidget* parent)
    : TKxLab(parent) {}

TRect TKxDesignSurface::SelectedExtent() const {
    const TKxElement* e = GetSelected();
    switch (e->ElementType()) {
    case deLine:
    case deRect:
    case deImage:
    case deParagraph:
        return {std::min(e->P1.X, e->P2.X), std::min(e->P1.Y, e->P2.Y), std::max(e->P1.X, e->P2.X),
                std::max(e->P1.Y, e->P2.Y)};
    default:
        // Texts, barcodes and symbols take the size they are drawn at.
        return {CoordX(e->Bounds.Left), CoordY(e->Bounds.Top), CoordX(e->Bounds.Right),
                CoordY(e->Bounds.Bottom)};
    }
}

int32_t TKxDesignSurface::NudgeStep(int Dir, bool Grid, int32_t Pos, int32_t Step) const {
    if (Dir == 0) return 0;
    if (GetSnap() == snGrid) return NextGridLine(Pos, Step, Dir);
    if (Grid) return Dir * Step;
    // One hundredth of an inch is 2.54 label units; the nearest whole unit is what a label can hold.
    return Dir * (GetUnits() == unINCH ? 3 : 1);
}

void TKxDesignSurface::Nudge(int DirX, int DirY, bool Grid) {
    TKxElement* selected = GetSelected();
    if (!selected) return;
    const TRect box = SelectedExtent();
    const TKxMeasure& m = *GetMeasure();
    const TPoint d{
        Inside(NudgeStep(DirX, Grid, selected->P1.X, GetGrid()->StepX()), box.Left, box.Right, m.WidthLU()),
        Inside(NudgeStep(DirY, Grid, selected->P1.Y, GetGrid()->StepY()), box.Top, box.Bottom, m.HeightLU())};
    if (d == TPoint{}) return;
    {
        const TKxUndoStep step(*Label(), KxStepName(TKxStep::Move));
        selected->P1 = selected->P1 + d;
        selected->P2 = selected->P2 + d;
        Label()->NotifyElement(selected);
    }
    AdjustHandle();
}

TKxElement* TKxDesignSurface::SelectUnder(const TPoint& P, bool Left) {
    TKxElement* under = KxElementUnder(*Label(), P, ScreenMap());
    if (under != GetSelected()) {
        SelectElement(under);
        if (under && Left) DoSelect();
        emit SelectionChanged();
    }
    return under;
}

bool TKxDesignSurface::Pick(const QMouseEvent* event) {
    const TPoint p = PressPoint(event);
    const bool left = event->button() == Qt::LeftButton;
    if (left) {
        // Guide markers and the handles of the selection keep their grab.
        const TKxMarks& m = GetMarks();
        for (const TRect* mark : {&m.AlignLeftMark, &m.AlignTopMark, &m.HandleLeft, &m.HandleRight,
                                  &m.HandleTop, &m.HandleBottom, &m.LineHandle1, &m.LineHandle2})
            if (PtInRect(*mark, p)) return true;
    }
    const TKxElement* under = SelectUnder(p, left);
    // A left press goes on only to grab the outline of what it picked: elsewhere the control would
    // pick by outline again, and a frame would swallow presses inside it.
    return !left || (under && PtInRect(GetMarks().SelRect, p));
}

void TKxDesignSurface::mousePressEvent(QMouseEvent* event) {
    const TKxDrawTool tool = GetDrawTool();
    const bool picks = GetAllowEdit() && (event->button() == Qt::RightButton ||
                                          (event->button() == Qt::LeftButton && tool == dwSelection));
    if (picks && !Pick(event)) return;
    TKxLab::mousePressEvent(event);
    if (GetDrawTool() != tool) emit ToolChanged();
}

void TKxDesignSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first press of the pair has picked already; picking again costs nothing.
    if (GetAllowEdit() && event->button() == Qt::LeftButton && GetDrawTool() == dwSelection &&
        SelectUnder(PressPoint(event), true)) {
        ShowElementProp();
        emit SelectionChanged();
        return;
    }
    TKxLab::mouseDoubleClickEvent(event);
}

void TKxDesignSurface::keyPressEvent(QKeyEvent* event) {
    const bool grid = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left: Nudge(-1, 0, grid); break;
    case Qt::Key_Right: Nudge(1, 0, grid); break;
    case Qt::Key_Up: Nudge(0, -1, grid); break;
    case Qt::Key_Down: Nudge(0, 1, grid); break;
    case Qt::Key_Escape:
        if (GetDrawTool() != dwSelection) {
            SetDrawTool(dwSelection);
            emit ToolChanged();
        } else if (GetSelected()) {
            SelectElement(nullptr);
            emit SelectionChanged();
        } else {
            TKxLab::keyPressEvent(event);
        }
        return;
    default: return TKxLab::keyPressEvent(event);
    }
}

void TKxDesignSurface::ZoomBy(int Steps, const QPoint& About) {
    const int next =
        std::clamp(static_cast<int>(GetZoom()) + Steps, static_cast<int>(zm50), static_cast<int>(zm400));
    if (next == GetZoom()) return;
    const int32_t x = CoordX(About.x()), y = CoordY(About.y());
    SetZoom(static_cast<TKxZoom>(next));
    // Scrolled as the bars scroll, so the rulers follow; never further than the label reaches past
    // the window, so a label that fits stays whole in view.
    const TKxViewState v = View();
    const auto keep = [](int32_t Pos, int32_t Shift, int32_t RangeEnd, int32_t Client) {
        return std::clamp(Pos + Shift, 0, std::max(0, RangeEnd - Client));
    };
    HScrollRequest(TKxScrollCode::ThumbPosition, keep(v.H.Pos, WindowX(x) - About.x(), v.HRangeEnd, width()));
    HScrollRequest(TKxScrollCode::EndScroll);
    VScrollRequest(TKxScrollCode::ThumbPosition,
                   keep(v.V.Pos, WindowY(y) - About.y(), v.VRangeEnd, height()));
    VScrollRequest(TKxScrollCode::EndScroll);
    // Zooming clears the marks; the selection shows them again at the new size.
    if (GetSelected()) AdjustHandle();
}

void TKxDesignSurface::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier) || delta == 0) return TKxLab::wheelEvent(event);
    ZoomBy(delta > 0 ? 1 : -1, event->position().toPoint());
    emit Zoomed();
    event->accept();
}
