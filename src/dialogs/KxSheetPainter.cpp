#include "dialogs/KxSheetPainter.h"

#include <QPainter>

#include "dialogs/KxSheetPicture.h"

void KxPaintSheetCell(QPainter& Painter, const TKxSheetPicture& Picture, bool Circle, int Col, int Row,
                      const QColor& Fill) {
    // The cell covers its left and top edge, not its right and bottom one.
    const QRect r = Picture.CellRect(Col, Row).adjusted(0, 0, -1, -1);
    Painter.setPen(QPen(Qt::black, 0));
    Painter.setBrush(Fill);
    Circle ? Painter.drawEllipse(r) : Painter.drawRect(r);
}

void KxPaintSheet(QPainter& Painter, const TKxSheetPicture& Picture, bool Circle, const QColor& Paper) {
    Painter.fillRect(QRect(QPoint(0, 0), Picture.Size()), Paper);
    const QSize cells = Picture.VisibleCells();
    for (int row = 1; row <= cells.height(); ++row)
        for (int col = 1; col <= cells.width(); ++col)
            KxPaintSheetCell(Painter, Picture, Circle, col, row, Qt::white);
}
