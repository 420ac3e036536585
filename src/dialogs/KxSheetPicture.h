#pragma once

#include <cstdint>
#include <QPoint>
#include <QRect>
#include <QSize>

class TKxMeasure;
struct TKxPrinterMetrics;

/// The label dialog's small picture of the sheet, as numbers: its size for the sheet's aspect, the
/// mapping of lengths to its pixels, the label cells a print run fills and the cell a click falls in.
/// Lengths are label units (tenths of a millimetre), so the picture shows exactly the cells of
/// LabelCellRect. A sheet whose oriented width or height is not positive has no picture: its size is
/// empty and it maps and hits nothing.
class TKxSheetPicture {
public:
    /// A tall sheet is this high, a wide one this wide.
    static constexpr int TallHeight = 276;
    static constexpr int WideWidth = 192;

    /// Orientation: 0 portrait, 1 landscape (the sheet's width and height swap).
    TKxSheetPicture(const TKxMeasure& Measure, int Orientation);

    bool Valid() const { return FSheetW > 0 && FSheetH > 0; }
    /// Below a width-to-height ratio of 0.7 the picture is TallHeight high, otherwise WideWidth wide.
    QSize Size() const { return FSize; }
    /// A length along the sheet's width (height) in pixels of the picture, rounded.
    int MapW2Sx(int64_t Length) const;
    int MapW2Sy(int64_t Length) const;
    /// The cell of column Col and row Row (from 1) in pixels: from its left and top edge up to, not
    /// including, its right and bottom edge.
    QRect CellRect(int32_t Col, int32_t Row) const;
    /// How many columns and rows of cells begin on the sheet (at most NuVer and NuHor); those beyond
    /// its edge would not show.
    QSize VisibleCells() const;
    /// The printable area: the printer's unprintable margins inside the paper's width and height, in
    /// pixels.
    QRect PrintableRect(const TKxPrinterMetrics& Printer) const;
    /// The column and row (x, y; from 1, within NuVer and NuHor) a click at Pixel makes the first
    /// label; Current when the label has no width or height or a cell's pitch maps to no pixel.
    QPoint FirstCellAt(const QPoint& Pixel, const QPoint& Current) const;

private:
    static QRect Span(int Left, int Top, int Right, int Bottom);

    const TKxMeasure& FMeasure;
    int64_t FSheetW = 0;
    int64_t FSheetH = 0;
    QSize FSize{0, 0};
};
