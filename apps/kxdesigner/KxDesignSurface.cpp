#include "KxDesignSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "elements/KxElement.h"
#include "label/KxGrid.h"
#include "types/KxStepNames.h"

TKxDesignSurface::TKxDesignSurface(QWidget* parent)
    : TKxLab(parent) {}

void TKxDesignSurface::Nudge(int StepsX, int StepsY) {
    TKxElement* selected = GetSelected();
    if (!selected) return;
    {
        const TKxUndoStep step(*Label(), KxStepName(TKxStep::Move));
        selected->Move({StepsX * GetGrid()->GetIncX(), StepsY * GetGrid()->GetIncY()});
        Label()->NotifyElement(selected);
    }
    AdjustHandle();
}

void TKxDesignSurface::mousePressEvent(QMouseEvent* event) {
    const TKxDrawTool tool = GetDrawTool();
    TKxLab::mousePressEvent(event);
    if (GetDrawTool() != tool) emit ToolChanged();
}

void TKxDesignSurface::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left: Nudge(-step, 0); break;
    case Qt::Key_Right: Nudge(step, 0); break;
    case Qt::Key_Up: Nudge(0, -step); break;
    case Qt::Key_Down: Nudge(0, step); break;
    case Qt::Key_Escape:
        if (GetDrawTool() == dwSelection) return TKxLab::keyPressEvent(event);
        SetDrawTool(dwSelection);
        emit ToolChanged();
        return;
    default: return TKxLab::keyPressEvent(event);
    }
}
