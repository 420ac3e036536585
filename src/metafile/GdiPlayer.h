#pragma once

#include <cstdint>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QTransform>
#include <span>
#include <vector>

#include "gdi/Canvas.h"

/// Canvas logical units per reference pixel of a page read from a metafile: enough to keep a file's
/// fine coordinates.
constexpr int GdiSubPixels = 16;
/// Maps a canvas recording a read page: GdiSubPixels logical units per reference pixel.
void MapGdiSubPixels(TCanvas& canvas);
/// Canvas operations one file may make; more is a damaged or hostile file.
constexpr size_t GdiMaxOperations = 2000000;

/// A pen, brush or font as a metafile defines it, in the file's logical units.
struct TGdiObject {
    enum class TKind : uint8_t { None, Pen, Brush, Font, Other };
    TKind Kind = TKind::None;
    /// Pens: the platform's pen style (low bits), width and colour. Brushes: solid or clear, colour.
    uint32_t Style = 0;
    int32_t Width = 0;
    TColor Color = clBlack;
    TLogFont Font;
};

/// Plays the device-context model of the platform's metafiles onto a canvas, for the EMF and WMF
/// readers: it keeps what the records change (object table, selected objects, mapping mode with
/// window and viewport, world transform, colours, background mode, text alignment, current
/// position, the path being built, saved states) and turns each drawing record into canvas
/// operations in the canvas's logical units.
///
/// Coordinates reach it in the file's logical units; logical to device follows the mapping mode,
/// device to canvas the transform given at construction. What the canvas cannot express is
/// approximated: rotated figures become polygons, curves are flattened, winding fill is drawn
/// alternate, text clipping is dropped.
class TGdiPlayer {
public:
    /// deviceToCanvas maps the file's device units to the canvas's logical units; pixelsPerMM is
    /// the device resolution, for the metric mapping modes.
    TGdiPlayer(TCanvas& canvas, const QTransform& deviceToCanvas, double pixelsPerMM);

    /// Object table: EMF records name the slot, WMF records take the lowest free one.
    void SetObject(uint32_t index, const TGdiObject& object);
    void AddObject(const TGdiObject& object);
    void SelectObject(uint32_t index);
    void DeleteObject(uint32_t index);
    /// A stock object by its number (white brush 0 ... null pen 8, fonts 10 and up).
    void SelectStock(uint32_t number);

    void SetMapMode(int mode);
    void SetWindowOrg(QPointF origin);
    /// Extents with a zero component are ignored.
    void SetWindowExt(QPointF extent);
    void SetViewportOrg(QPointF origin);
    void SetViewportExt(QPointF extent);
    /// Mode 1: identity, 2: left-multiply, 3: right-multiply, 4: set (the platform's values).
    void ModifyWorldTransform(const QTransform& transform, uint32_t mode);
    void SetTextColor(TColor color);
    void SetBkColor(TColor color);
    void SetBkMode(uint32_t mode);
    void SetTextAlign(uint32_t align);
    void SetRop2(uint32_t rop);
    void SaveDC();
    /// A negative number counts back from the latest saved state; a positive one is absolute.
    void RestoreDC(int32_t which);

    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Rectangle(QPointF a, QPointF b);
    void RoundRect(QPointF a, QPointF b, double cornerWidth, double cornerHeight);
    void Ellipse(QPointF a, QPointF b);
    void Polygon(const QPolygonF& points);
    void Polyline(const QPolygonF& points);
    /// Continues from the current position (the -To records); bezier points come in threes.
    void PolylineTo(const QPolygonF& points);
    void PolyBezier(const QPolygonF& points, bool fromCurrent);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    void SetPixel(QPointF p, TColor color);
    /// Text at p (or the current position when the alignment asks for it); dx, in logical units,
    /// may be empty; opaque fills the rectangle with the background colour first.
    void Text(QPointF p, const QString& text, std::span<const int32_t> dx, const QRectF* opaque);
    /// The image stretched into the logical rectangle from a to b.
    void Image(QPointF a, QPointF b, const QImage& image);
    /// Fills the logical rectangle with the selected brush (a pattern copy).
    void PatternFill(QPointF a, QPointF b);

    void BeginPath();
    void EndPath() { FPathOpen = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();

    /// Canvas operations made so far; readers stop a file that makes too many.
    size_t Operations() const { return FOperations; }

private:
    struct TState {
        int MapMode = 1;
        QPointF WindowOrg;
        QPointF WindowExt{1, 1};
        QPointF ViewportOrg;
        QPointF ViewportExt{1, 1};
        QTransform World;
        TGdiObject Pen;
        TGdiObject Brush;
        TGdiObject Font;
        TColor TextColor = clBlack;
        TColor BkColor = clWhite;
        bool Opaque = true;
        uint32_t TextAlign = 0;
        uint32_t Rop = 13;
        QPointF Position;
    };
    struct TFigure {
        QPolygonF Points;
        bool Closed = false;
    };

    QTransform Total() const;
    QPointF Out(QPointF p) const { return Total().map(p); }
    TPoint OutPoint(QPointF p) const;
    bool AxisAligned() const;
    void UsePen();
    void UseBrush();
    void NoPen();
    void Fill(const std::vector<QPolygonF>& figures);
    void Stroke(const QPolygonF& points, bool closed);
    void Shape(const QPolygonF& logical);
    void Count() { ++FOperations; }
    QPolygonF Flatten(QPointF start, std::span<const QPointF> controls) const;
    void AddToPath(const QPolygonF& canvasPoints, bool continues);

    TCanvas& FCanvas;
    QTransform FDeviceToCanvas;
    double FPixelsPerMM = 96 / 25.4;
    TState FState;
    std::vector<TState> FSaved;
    std::vector<TGdiObject> FObjects;
    bool FPathOpen = false;
    std::vector<TFigure> FPath;
    size_t FOperations = 0;
};
