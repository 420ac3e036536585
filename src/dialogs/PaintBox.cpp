#include "dialogs/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter painter(this);
    OnPaint(painter);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event->button(), event->position().toPoint());
}
