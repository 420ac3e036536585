#include "KxDesignSurface.h"

#include <algorithm>
#include <cmath>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "designer/KxPicking.h"
#include "elements/KxDataText.h"
#include "elements/KxElement.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
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

} // namespace

TKxDesignSurface::TKxDesignSurface(QWidget* parent)
    : TKxLab(parent) {}

void TKxDesignSurface::DrawnDefaults(TKxElement& E) const {
    // The library's default text is English; a user working in another language gets a word of it.
    if (auto* text = dynamic_cast<TKxDataText*>(&E)) text->Text = tr("text");
}

QByteArray TKxDesignSurface::NewLabelRecord() {
    TKxLabel label;
    label.GetMeasure()->SetLabelName(tr("My Label"));
    return label.Record();
}

bool TKxDesignSurface::Picks(const TKxElement& E, const TPoint& P) const {
    return KxShapeHit(E, P, ScreenMap());
}

int32_t TKxDesignSurface::NudgeStep(int Dir, bool Grid, int32_t Pos, int32_t Step) const {
    if (Dir == 0) return 0;
    if (GetSnap() == snGrid) return NextGridLine(Pos, Step, Dir);
    if (Grid) return Dir * Step;
    // One hundredth of an inch is 2.54 label units; the nearest whole unit is what a label can hold.
    return Dir * (GetUnits() == unINCH ? 3 : 1);
}

void TKxDesignSurface::Nudge(int DirX, int DirY, bool Grid) {
    const TKxElement* anchor = GetSelected();
    if (anchor && anchor->Locked) {
        const std::vector<TKxElement*> selected = SelectedElements();
        const auto free =
            std::find_if(selected.begin(), selected.end(), [](const TKxElement* E) { return !E->Locked; });
        anchor = free == selected.end() ? nullptr : *free;
    }
    if (!anchor) return;
    // Cut back as a group, so the elements keep their places among themselves.
    MoveSelection({NudgeStep(DirX, Grid, anchor->P1.X, GetGrid()->StepX()),
                   NudgeStep(DirY, Grid, anchor->P1.Y, GetGrid()->StepY())});
}

TKxElement* TKxDesignSurface::SelectUnder(const TPoint& P, bool Left) {
    TKxElement* under = ElementAt(P);
    if (under && IsSelected(under)) {
        // The right button on any element of the selection keeps it whole for the menu.
        if (under != GetSelected()) SelectElements(SelectedElements(), under);
        return under;
    }
    if (under != GetSelected() || SelectedElements().size() > 1) {
        // The control says so itself.
        SelectElement(under);
        if (under && Left) DoSelect();
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
        // The control adds or removes with a modifier, cycles with Alt, and drags a selection of
        // several together.
        if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return true;
        if (SelectedElements().size() > 1 && IsSelected(ElementAt(p))) return true;
    }
    const TKxElement* under = SelectUnder(p, left);
    // A left press goes on to grab the outline of what it picked, or to start a band on nothing.
    return !left || !under || PtInRect(GetMarks().SelRect, p);
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
        // The dialog may have changed what the host shows of the selection.
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
