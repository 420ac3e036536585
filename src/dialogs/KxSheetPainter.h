#pragma once

#include <QColor>

class QPainter;
class TKxSheetPicture;

/// Paints the sheet picture: the paper in Paper, then every label cell that begins on the sheet, white,
/// as rectangles or (Circle) as the circles inscribed in them.
void KxPaintSheet(QPainter& Painter, const TKxSheetPicture& Picture, bool Circle, const QColor& Paper);
/// Paints the cell of column Col and row Row (from 1) in Fill, as KxPaintSheet paints every cell.
void KxPaintSheetCell(QPainter& Painter, const TKxSheetPicture& Picture, bool Circle, int Col, int Row,
                      const QColor& Fill);
