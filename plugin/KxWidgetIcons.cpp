#include "KxWidgetIcons.h"

#include <functional>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int IconSize = 32;

QIcon DrawIcon(const std::function<void(QPainter&)>& Draw) {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Draw(painter);
    return QIcon(pixmap);
}

// A white edit box with a dark outline across the middle of the icon.
void EditBox(QPainter& P) {
    P.setPen(QColor(64, 64, 64));
    P.setBrush(Qt::white);
    P.drawRect(1, 9, IconSize - 3, 13);
}

} // namespace

QIcon KxLabIcon() {
    return DrawIcon([](QPainter& P) {
        // A label on the grey surface, with both rulers and a barcode on it.
        P.fillRect(0, 0, IconSize, IconSize, QColor(128, 128, 128));
        P.fillRect(0, 0, IconSize, 6, QColor(255, 255, 225));
        P.fillRect(0, 0, 6, IconSize, QColor(255, 255, 225));
        P.setPen(Qt::black);
        P.setBrush(Qt::white);
        P.drawRect(9, 9, 20, 19);
        for (int x : {12, 13, 15, 18, 19, 21, 24, 26})
            P.drawLine(x, 13, x, 22);
        P.setPen(QColor(255, 0, 0));
        P.drawLine(11, 25, 27, 25);
    });
}

QIcon KxSpinEditIcon() {
    return DrawIcon([](QPainter& P) {
        EditBox(P);
        P.setPen(Qt::black);
        P.drawLine(5, 18, 5, 12);
        P.drawPoint(8, 18);
        P.drawLine(11, 12, 14, 12);
        P.drawLine(11, 12, 11, 15);
        P.drawLine(11, 15, 14, 15);
        P.drawLine(14, 15, 14, 18);
        P.drawLine(14, 18, 11, 18);
        // The two arrows at the right edge.
        P.setPen(Qt::NoPen);
        P.setBrush(Qt::black);
        P.drawPolygon(QPolygon({QPoint(21, 15), QPoint(27, 15), QPoint(24, 11)}));
        P.drawPolygon(QPolygon({QPoint(21, 17), QPoint(27, 17), QPoint(24, 21)}));
    });
}

QIcon KxAlignEditIcon() {
    return DrawIcon([](QPainter& P) {
        EditBox(P);
        // Centred text lines.
        P.setPen(Qt::black);
        P.drawLine(9, 13, 22, 13);
        P.drawLine(6, 16, 25, 16);
        P.drawLine(11, 19, 20, 19);
    });
}
