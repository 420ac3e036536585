#include <QMouseEvent>

#include "designer/KxLab.h"
#include "elements/KxElement.h"

void TKxLab::ShowElementProp() {
    if (FSelected) FSelected->Properties();
}

void TKxLab::DoRightMouse(bool select, int X, int Y) {
    if (OnRightMouse) OnRightMouse(this, select, X, Y);
    emit RightMouse(this, select, X, Y);
}

void TKxLab::DoSelect() {
    if (OnSelect) OnSelect(this);
    emit Select(this);
}

void TKxLab::DoMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Buttons, Shift, X, Y);
    emit MouseMove(this, Buttons, Shift, X, Y);
}

void TKxLab::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    DoMouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}
