#pragma once

#include <memory>
#include <QPainter>
#include <QPainterPath>

#include "gdi/CanvasDevice.h"
#include "kxlab_export.h"

class QPaintDevice;
class TFontFace;
class TGlyphSink;

/// Renders canvas operations through QPainter on any QPaintDevice: a QImage, the printer, a PDF
/// writer, an SVG generator. Figures are placed on whole device pixels (corners rounded after
/// mapping) and drawn without antialiasing, so a raster device gets the platform's exact edges.
/// Operations while no painter is active are ignored.
class KXLAB_EXPORT TPainterDevice : public TCanvasDevice {
public:
    explicit TPainterDevice(QPaintDevice* target = nullptr);
    ~TPainterDevice() override;
    TPainterDevice(const TPainterDevice&) = delete;
    TPainterDevice& operator=(const TPainterDevice&) = delete;

    /// Starts painting on the target (or a new target); false when the device refuses.
    bool Begin(QPaintDevice* target = nullptr);
    void End();
    bool IsActive() const;
    QPainter* Painter() { return FPainter.get(); }

    void Line(const TDrawState& state, const TPoint& a, const TPoint& b) override;
    void Rectangle(const TDrawState& state, const TRect& r) override;
    void RoundRect(const TDrawState& state, const TRect& r, int32_t cornerWidth,
                   int32_t cornerHeight) override;
    void Ellipse(const TDrawState& state, const TRect& r) override;
    void Polygon(const TDrawState& state, std::span<const TPoint> points) override;
    void FillRect(const TDrawState& state, const TRect& r) override;
    void SetPixel(const TDrawState& state, const TPoint& p, TColor color) override;
    TColor GetPixel(const TDrawState& state, const TPoint& p) const override;
    void TextOut(const TDrawState& state, const TPoint& p, const QString& text, const TTextLayout& layout,
                 const TRect* clip) override;
    /// Upright texts of one font, without a text cell or lines, are one glyph run: one text object.
    void TextOuts(const TDrawState& state, std::span<const TTextPiece> pieces) override;
    void StretchImage(const TDrawState& state, const TRect& r, const QImage& image) override;
    QImage GrabImage(const TDrawState& state, const TRect& r) const override;
    /// On a vector engine, output is written relative to the anchor's device pixel (whole pixels, so
    /// every position stays exact); raster engines ignore it.
    void Anchor(const TMapping& mapping, const TPoint* p) override;

private:
    enum class TShape { Rect, RoundRect, Ellipse };
    void Figure(const TDrawState& state, const TRect& r, TShape shape, double cornerWidth,
                double cornerHeight);
    /// Readies the painter for one operation: the anchor's translation (none for an operation
    /// placed on the device), the clip given (device pixels) or none, the state's mode. Pen and brush
    /// are left as they are; each operation sets its own.
    void Prepare(const TDrawState& state, const QRect* clip = nullptr, bool onDevice = false);
    int PenPixels(const TDrawState& state) const;
    /// A glyph run of the face with an em of pixelSize: to the engine's glyph sink when it has one
    /// (the outlines when the sink cannot take the face), else through the painter.
    void DrawGlyphs(const TFontFace& face, double pixelSize, const QList<quint32>& glyphs,
                    const QList<QPointF>& positions, const QString& text, const QColor& color,
                    const QRect* clip);
    /// How far a figure's outline reaches outside its box, in device pixels.
    double Growth(const TDrawState& state) const;
    /// Device pixels as the prepared operation writes them: relative to the anchor, or as they are.
    QPointF Shift() const { return FShift; }
    QRectF Local(const TRect& box) const;
    QPointF Local(const TPoint& d) const;
    QImage* Image() const;

    QPaintDevice* FTarget = nullptr;
    /// The painter's engine when it takes glyph runs as glyphs.
    TGlyphSink* FSink = nullptr;
    std::unique_ptr<QPainter> FPainter;
    QPoint FAnchor;
    QPointF FShift;
};
