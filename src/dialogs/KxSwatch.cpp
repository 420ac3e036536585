#include "dialogs/KxSwatch.h"

#include <QMouseEvent>
#include <QPainter>

TKxSwatch::TKxSwatch(QWidget* parent)
    : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void TKxSwatch::SetBrushColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    update();
}

void TKxSwatch::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), ToQColor(FColor));
    painter.end();
    QFrame::paintEvent(event);
}

void TKxSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit mouseDown();
}
