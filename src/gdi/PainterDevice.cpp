#include "gdi/PainterDevice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygon>
#include <QVarLengthArray>

#include "base/Saturate.h"
#include "gdi/FontFace.h"
#include "gdi/GlyphSink.h"

namespace {

// The glyphs that go to Qt's glyph rendering: an em between these sizes in device pixels, stretched
// along x at most this much either way (preview and print mappings round a little apart). Qt's glyph
// cache crashed on glyphs a pixel tall stretched a thousandfold, and a huge em would render at that
// size; all else is filled as outlines scaled from the reference size.
constexpr double MinGlyphRunPixels = 1;
constexpr double MaxGlyphRunPixels = 16384;
constexpr double MaxGlyphRunStretch = 2;

// The glyphs of a layout and their device positions, its reference point at At, appended to the lists.
void AppendGlyphs(const TTextLayout& Layout, double Scale, QPointF At, QList<quint32>& Glyphs,
                  QList<QPointF>& Positions) {
    Glyphs.append(QList<quint32>(Layout.Glyphs.begin(), Layout.Glyphs.end()));
    for (double x : Layout.X)
        Positions.append(QPointF((Layout.Start.x() + x) * Scale, Layout.Start.y() * Scale) + At);
}

QPainterPath ShapePath(const QRectF& r, int shape, double radiusX, double radiusY) {
    QPainterPath path;
    if (r.width() <= 0 || r.height() <= 0) return path;
    switch (shape) {
    case 1:
        if (radiusX > 0 && radiusY > 0)
            path.addRoundedRect(r, std::min(radiusX, r.width() / 2), std::min(radiusY, r.height() / 2));
        else
            path.addRect(r);
        break;
    case 2: path.addEllipse(r); break;
    default: path.addRect(r); break;
    }
    return path;
}

// The platform's cosmetic dash patterns, in pixels.
QList<qreal> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool IsDashed(TPenStyle style) {
    return style == psDash || style == psDot || style == psDashDot || style == psDashDotDot;
}

// A vector engine writes every pen or brush the painter is given into the page, equal or not (a
// brush is compared by identity), so these give the painter only what differs from what it has.
void UsePen(QPainter& p, const QPen& pen) {
    if (p.pen() != pen) p.setPen(pen);
}

void UseNoPen(QPainter& p) {
    if (p.pen().style() != Qt::NoPen) p.setPen(Qt::NoPen);
}

void UseBrush(QPainter& p, const QColor& color) {
    const QBrush& b = p.brush();
    if (b.style() != Qt::SolidPattern || b.color() != color || !b.transform().isIdentity()) p.setBrush(color);
}

void UseNoBrush(QPainter& p) {
    if (p.brush().style() != Qt::NoBrush) p.setBrush(Qt::NoBrush);
}

// One colour over a rectangle or a path, without an outline. Raster engines take the colour with the
// call and keep their state; a vector engine is given the brush once and draws with it. A rectangle
// on whole pixels goes as a rectangle (a PDF writes it as one operator); any other as its path, which
// raster engines fill to the same pixels.
void Fill(QPainter& p, const QRectF& r, const QColor& color) {
    if (p.paintEngine()->isExtended()) {
        p.fillRect(r, color);
        return;
    }
    UseNoPen(p);
    UseBrush(p, color);
    p.drawRect(r);
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& color) {
    if (p.paintEngine()->isExtended()) {
        p.fillPath(path, color);
        return;
    }
    UseNoPen(p);
    UseBrush(p, color);
    p.drawPath(path);
}

// A rectangle on whole pixels: what a fill of its path and of the rectangle itself give the same
// pixels for. Tested without converting to int, which figures from a file may not fit.
bool IsPixelRect(const QRectF& r) {
    const auto whole = [](double v) { return v == std::floor(v); };
    return whole(r.left()) && whole(r.top()) && whole(r.width()) && whole(r.height());
}

// A ring between two pixel rectangles as the four bands around the inner one, in one call: a vector
// page writes them as one fill, relative to its anchor, where the ring's path would be written whole.
void FillBands(QPainter& p, const QRectF& outer, const QRectF& inner, const QColor& color) {
    const std::array<QRectF, 4> bands{
        QRectF(outer.left(), outer.top(), outer.width(), inner.top() - outer.top()),
        QRectF(outer.left(), inner.bottom(), outer.width(), outer.bottom() - inner.bottom()),
        QRectF(outer.left(), inner.top(), inner.left() - outer.left(), inner.height()),
        QRectF(inner.right(), inner.top(), outer.right() - inner.right(), inner.height())};
    UseNoPen(p);
    UseBrush(p, color);
    p.drawRects(bands.data(), static_cast<int>(bands.size()));
}

// Inside and outline of one colour, or an inside alone, are one shape: the same pixels, half the output.
bool IsOneFill(const TDrawState& state) {
    if (state.Brush.Style != bsSolid) return false;
    return state.Pen.Style == psClear ||
           (!IsDashed(state.Pen.Style) && ColorToRGB(state.Pen.Color) == ColorToRGB(state.Brush.Color));
}

} // namespace

TPainterDevice::TPainterDevice(QPaintDevice* target)
    : FTarget(target) {}

TPainterDevice::~TPainterDevice() {
    End();
}

bool TPainterDevice::Begin(QPaintDevice* target) {
    End();
    if (target) FTarget = target;
    if (!FTarget) return false;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(FTarget)) return false;
    FPainter = std::move(painter);
    FSink = dynamic_cast<TGlyphSink*>(FPainter->paintEngine());
    return true;
}

void TPainterDevice::End() {
    if (FPainter && FPainter->isActive()) FPainter->end();
    FPainter.reset();
    FSink = nullptr;
    FAnchor = {};
    FShift = {};
}

void TPainterDevice::Anchor(const TMapping& mapping, const TPoint* p) {
    FAnchor = {};
    if (!p || !IsActive() || FPainter->paintEngine()->isExtended()) return;
    const TPoint d = mapping.ToDevice(*p);
    FAnchor = QPoint(d.X, d.Y);
}

// Positions are worked out on the device, as without an anchor, and shifted last: the engine's shift
// back then gives the very numbers it would have written.
QRectF TPainterDevice::Local(const TRect& box) const {
    return QRectF(box.Left, box.Top, box.Width(), box.Height()).translated(Shift());
}

QPointF TPainterDevice::Local(const TPoint& d) const {
    return QPointF(d.X, d.Y) + Shift();
}

bool TPainterDevice::IsActive() const {
    return FPainter && FPainter->isActive();
}

QImage* TPainterDevice::Image() const {
    return FTarget && FTarget->devType() == QInternal::Image ? static_cast<QImage*>(FTarget) : nullptr;
}

void TPainterDevice::Prepare(const TDrawState& state, const QRect* clip, bool onDevice) {
    QPainter& p = *FPainter;
    // Each change of transform or clip costs a vector engine a restore of its whole graphics state.
    // A lone rectangle is written on the device, as it costs a PDF a save, a transform and a restore
    // of its own; the rest of a cell is written relative to the anchor.
    const QPoint anchor = onDevice ? QPoint() : FAnchor;
    FShift = QPointF(-anchor.x(), -anchor.y());
    const QTransform transform = QTransform::fromTranslate(anchor.x(), anchor.y());
    if (p.worldTransform() != transform) p.setWorldTransform(transform);
    const QRectF local = clip ? QRectF(*clip).translated(FShift) : QRectF();
    if (!clip) {
        if (p.hasClipping()) p.setClipping(false);
    } else if (!p.hasClipping() || p.clipBoundingRect() != local) {
        p.setClipRect(local);
    }
    if (p.testRenderHint(QPainter::Antialiasing)) p.setRenderHint(QPainter::Antialiasing, false);
    // Raster operations exist only on raster engines; vector output draws not-xor as copy.
    const bool notXor =
        state.Pen.Mode == pmNotXor && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    const QPainter::CompositionMode mode =
        notXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
    if (p.compositionMode() != mode) p.setCompositionMode(mode);
}

double TPainterDevice::Growth(const TDrawState& state) const {
    // A centred pen straddles the figure's edge pixels; inside-frame keeps it within the box.
    if (state.Pen.Style == psClear || state.Pen.Style == psInsideFrame) return 0;
    return (PenPixels(state) - 1) / 2;
}

int TPainterDevice::PenPixels(const TDrawState& state) const {
    if (state.Pen.Width <= 0) return 1;
    return std::max(1, static_cast<int>(std::lround(state.Pen.Width * std::abs(state.Mapping.ScaleX()))));
}

void TPainterDevice::Line(const TDrawState& state, const TPoint& a, const TPoint& b) {
    if (!IsActive() || state.Pen.Style == psClear) return;
    const TPoint pa = state.Mapping.ToDevice(a);
    const TPoint pb = state.Mapping.ToDevice(b);
    if (pa == pb) return;
    const QColor color = ToQColor(state.Pen.Color);
    const int width = PenPixels(state);
    const int64_t dx = int64_t{pb.X} - pa.X;
    const int64_t dy = int64_t{pb.Y} - pa.Y;
    // Thin straight lines are pixel runs, so the end point is left out exactly.
    const bool run = width <= 1 && !IsDashed(state.Pen.Style) && (dx == 0 || dy == 0);
    Prepare(state, nullptr, run);
    QPainter& p = *FPainter;
    if (width > 1) {
        QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (IsDashed(state.Pen.Style))
            pen.setStyle(static_cast<Qt::PenStyle>(static_cast<int>(state.Pen.Style) + 1));
        UsePen(p, pen);
        p.drawLine(Local(pa) + QPointF(0.5, 0.5), Local(pb) + QPointF(0.5, 0.5));
        return;
    }
    if (run) {
        // A run may be longer than a QRect holds (coordinates from a file): only its part on the
        // device is filled.
        const int64_t x0 = dx >= 0 ? pa.X : int64_t{pb.X} + 1;
        const int64_t y0 = dy >= 0 ? pa.Y : int64_t{pb.Y} + 1;
        const QPaintDevice& d = *p.device();
        const int64_t left = std::max<int64_t>(x0, -1), top = std::max<int64_t>(y0, -1);
        const int64_t right =
            std::min<int64_t>(x0 + std::max<int64_t>(std::abs(dx), 1), int64_t{d.width()} + 1);
        const int64_t bottom =
            std::min<int64_t>(y0 + std::max<int64_t>(std::abs(dy), 1), int64_t{d.height()} + 1);
        if (right > left && bottom > top)
            Fill(p,
                 QRectF(static_cast<double>(left), static_cast<double>(top),
                        static_cast<double>(right - left), static_cast<double>(bottom - top)),
                 color);
        return;
    }
    QPen pen(color, 1, Qt::SolidLine, Qt::FlatCap);
    pen.setCosmetic(true);
    if (IsDashed(state.Pen.Style)) pen.setDashPattern(DashPattern(state.Pen.Style));
    UsePen(p, pen);
    // The cosmetic stroker with a flat cap leaves out the last pixel, as the platform does.
    if (FShift.isNull())
        p.drawLine(QPoint(pa.X, pa.Y), QPoint(pb.X, pb.Y));
    else
        p.drawLine(Local(pa), Local(pb));
}

void TPainterDevice::Figure(const TDrawState& state, const TRect& r, TShape shape, double cornerWidth,
                            double cornerHeight) {
    if (!IsActive()) return;
    const TRect box = state.Mapping.ToDevice(r);
    if (box.IsEmpty()) return;
    const double rx = std::abs(cornerWidth * state.Mapping.ScaleX()) / 2;
    const double ry = std::abs(cornerHeight * state.Mapping.ScaleY()) / 2;
    const bool outline = state.Pen.Style != psClear;
    const int width = outline ? PenPixels(state) : 0;

    const double grow = Growth(state);
    const QRectF device =
        QRectF(box.Left, box.Top, box.Width(), box.Height()).adjusted(-grow, -grow, grow, grow);
    const double outerRx = rx + (device.width() - box.Width()) / 2;
    const double outerRy = ry + (device.height() - box.Height()) / 2;
    // Corners without a radius are square, as the path would make them.
    const bool square =
        shape == TShape::Rect || (shape == TShape::RoundRect && !(outerRx > 0 && outerRy > 0));
    const int kind = square ? 0 : shape == TShape::RoundRect ? 1 : 2;
    // A barcode's bars, thousands on a PDF page, are each one rectangle.
    const bool oneFill = IsOneFill(state);
    Prepare(state, nullptr, kind == 0 && oneFill);
    QPainter& p = *FPainter;
    const QPointF shift = Shift();
    const QRectF outer = device.translated(shift);
    const QRectF inner = outer.adjusted(width, width, -width, -width);
    // Paths are made only where a figure needs them.
    const auto outerPath = [&] { return ShapePath(device, kind, outerRx, outerRy).translated(shift); };
    const auto innerPath = [&] {
        return ShapePath(device.adjusted(width, width, -width, -width), kind, std::max(0.0, outerRx - width),
                         std::max(0.0, outerRy - width))
            .translated(shift);
    };
    const auto fillShape = [&](const QRectF& rect, const auto& path, const QColor& color) {
        // A border wider than half the box leaves no inside.
        if (rect.width() <= 0 || rect.height() <= 0) return;
        if (kind == 0 && IsPixelRect(rect))
            Fill(p, rect, color);
        else
            Fill(p, path(), color);
    };

    if (oneFill) {
        fillShape(outer, outerPath, ToQColor(state.Brush.Color));
        return;
    }
    if (state.Brush.Style == bsSolid) fillShape(inner, innerPath, ToQColor(state.Brush.Color));
    if (!outline) return;
    const QColor penColor = ToQColor(state.Pen.Color);
    if (IsDashed(state.Pen.Style)) {
        QPen pen(penColor, width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setDashPattern(width == 1 ? DashPattern(state.Pen.Style) : QList<qreal>{3, 1});
        const double half = width / 2.0;
        p.strokePath(ShapePath(device.adjusted(half, half, -half, -half), kind, rx, ry).translated(shift),
                     pen);
        return;
    }
    if (kind == 0 && !p.paintEngine()->isExtended() && !inner.isEmpty() && IsPixelRect(outer)) {
        FillBands(p, outer, inner, penColor);
        return;
    }
    // A ring of circular corners on a vector page is its centre line stroked, the same shape: a page
    // writes the stroke relative to the anchor, where it writes the ring's path in page coordinates,
    // each label's own.
    if (kind == 1 && !p.paintEngine()->isExtended() && outerRx == outerRy && outerRx >= width &&
        !inner.isEmpty()) {
        const double half = width / 2.0;
        p.strokePath(
            ShapePath(device.adjusted(half, half, -half, -half), kind, outerRx - half, outerRy - half)
                .translated(shift),
            QPen(penColor, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        return;
    }
    QPainterPath ring = outerPath();
    ring.setFillRule(Qt::OddEvenFill);
    ring.addPath(innerPath());
    Fill(p, ring, penColor);
}

void TPainterDevice::Rectangle(const TDrawState& state, const TRect& r) {
    Figure(state, r, TShape::Rect, 0, 0);
}

void TPainterDevice::RoundRect(const TDrawState& state, const TRect& r, int32_t cornerWidth,
                               int32_t cornerHeight) {
    Figure(state, r, TShape::RoundRect, cornerWidth, cornerHeight);
}

void TPainterDevice::Ellipse(const TDrawState& state, const TRect& r) {
    Figure(state, r, TShape::Ellipse, 0, 0);
}

void TPainterDevice::Polygon(const TDrawState& state, std::span<const TPoint> points) {
    if (!IsActive() || points.empty()) return;
    Prepare(state);
    QPainter& p = *FPainter;
    QPolygon polygon;
    for (const TPoint& pt : points) {
        const TPoint d = state.Mapping.ToDevice(pt);
        polygon << QPoint(Saturate32(d.X + static_cast<int64_t>(FShift.x())),
                          Saturate32(d.Y + static_cast<int64_t>(FShift.y())));
    }
    if (state.Brush.Style == bsSolid)
        UseBrush(p, ToQColor(state.Brush.Color));
    else
        UseNoBrush(p);
    if (state.Pen.Style != psClear) {
        QPen pen(ToQColor(state.Pen.Color), PenPixels(state), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (pen.width() == 1) pen.setCosmetic(true);
        if (IsDashed(state.Pen.Style)) pen.setDashPattern(DashPattern(state.Pen.Style));
        UsePen(p, pen);
    } else {
        UseNoPen(p);
    }
    p.drawPolygon(polygon, Qt::OddEvenFill);
}

void TPainterDevice::FillRect(const TDrawState& state, const TRect& r) {
    if (!IsActive()) return;
    const TRect box = state.Mapping.ToDevice(r);
    if (box.IsEmpty()) return;
    TDrawState copy = state;
    copy.Pen.Mode = pmCopy; // the platform fills with a pattern copy, whatever the pen mode
    Prepare(copy, nullptr, true);
    Fill(*FPainter, Local(box), ToQColor(state.Brush.Color));
}

void TPainterDevice::SetPixel(const TDrawState& state, const TPoint& p, TColor color) {
    if (!IsActive()) return;
    TDrawState copy = state;
    copy.Pen.Mode = pmCopy;
    Prepare(copy, nullptr, true);
    Fill(*FPainter, QRectF(Local(state.Mapping.ToDevice(p)), QSizeF(1, 1)), ToQColor(color));
}

TColor TPainterDevice::GetPixel(const TDrawState& state, const TPoint& p) const {
    const QImage* image = Image();
    if (!image) return clNone;
    const TPoint d = state.Mapping.ToDevice(p);
    if (!image->valid(d.X, d.Y)) return clNone;
    return FromQColor(QColor::fromRgb(image->pixel(d.X, d.Y)));
}

void TPainterDevice::TextOut(const TDrawState& state, const TPoint& p, const QString& text,
                             const TTextLayout& layout, const TRect* clip) {
    if (!IsActive() || layout.Glyphs.empty()) return;
    TDrawState copy = state;
    copy.Pen.Mode = pmCopy;
    QRect deviceClip;
    if (clip) {
        const TRect c = state.Mapping.ToDevice(*clip);
        deviceClip = QRect(c.Left, c.Top, c.Width(), c.Height());
    }
    Prepare(copy, clip ? &deviceClip : nullptr);
    QPainter& painter = *FPainter;
    const double s = std::abs(state.Mapping.ScaleY());
    const TPoint origin = state.Mapping.ToDevice(p);
    // A page stretched out of proportion stretches its text along x too; glyphs are sized by y.
    const double sx = std::abs(state.Mapping.ScaleX());
    const bool stretched = s > 0 && sx != s;
    // Upright text is placed at its origin under no transform but the anchor's, which a vector engine
    // would write into the page twice (set, then restored for the next figure).
    QPointF at(origin.X, origin.Y);
    QPointF shift = Shift();
    if (stretched || layout.Escapement != 0) {
        painter.translate(at + shift);
        if (stretched) painter.scale(sx / s, 1.0);
        // The escapement turns counter-clockwise on the page; QPainter turns clockwise with y down.
        painter.rotate(-layout.Escapement / 10.0);
        at = shift = QPointF(0, 0);
    }

    if (state.Brush.Style == bsSolid)
        Fill(painter,
             QRectF(layout.CellLeft() * s, layout.CellTop() * s, layout.Width * s, layout.CellHeight() * s)
                 .translated(at)
                 .translated(shift),
             ToQColor(state.Brush.Color));

    const TFontFace& face = TFontFace::For(state.Font);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    AppendGlyphs(layout, s, at + shift, glyphs, positions);
    const QColor color = ToQColor(state.FontColor);
    const double height = layout.Em * s;
    const double stretch = s > 0 ? sx / s : 0;
    if (height >= MinGlyphRunPixels && height <= MaxGlyphRunPixels && stretch >= 1 / MaxGlyphRunStretch &&
        stretch <= MaxGlyphRunStretch) {
        DrawGlyphs(face, height, glyphs, positions, text, color, clip ? &deviceClip : nullptr);
    } else {
        Fill(painter, face.Outlines(glyphs, positions, height), color);
    }

    const double thickness = std::max(face.LineThickness() * layout.Em * s, 1.0);
    if (state.Font.lfUnderline)
        Fill(painter,
             QRectF(layout.Start.x() * s, (layout.Start.y() + face.UnderlinePosition() * layout.Em) * s,
                    layout.Width * s, thickness)
                 .translated(at)
                 .translated(shift),
             color);
    if (state.Font.lfStrikeOut)
        Fill(painter,
             QRectF(layout.Start.x() * s, (layout.Start.y() - face.StrikeOutPosition() * layout.Em) * s,
                    layout.Width * s, thickness)
                 .translated(at)
                 .translated(shift),
             color);
}

void TPainterDevice::TextOuts(const TDrawState& state, std::span<const TTextPiece> pieces) {
    const double s = std::abs(state.Mapping.ScaleY());
    const double height = pieces.empty() ? 0 : pieces.front().Layout.Em * s;
    const auto joins = [&pieces](const TTextPiece& t) {
        return t.Layout.Escapement == 0 && t.Layout.Em == pieces.front().Layout.Em;
    };
    if (!IsActive() || pieces.size() < 2 || s <= 0 || std::abs(state.Mapping.ScaleX()) != s ||
        state.Brush.Style == bsSolid || state.Font.lfUnderline || state.Font.lfStrikeOut ||
        height < MinGlyphRunPixels || height > MaxGlyphRunPixels ||
        !std::all_of(pieces.begin(), pieces.end(), joins)) {
        TCanvasDevice::TextOuts(state, pieces);
        return;
    }
    TDrawState copy = state;
    copy.Pen.Mode = pmCopy;
    Prepare(copy);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (const TTextPiece& t : pieces) {
        const TPoint origin = state.Mapping.ToDevice(t.P);
        AppendGlyphs(t.Layout, s, QPointF(origin.X, origin.Y) + Shift(), glyphs, positions);
    }
    if (glyphs.isEmpty()) return;
    QString text;
    for (const TTextPiece& t : pieces)
        text += t.Text;
    DrawGlyphs(TFontFace::For(state.Font), height, glyphs, positions, text, ToQColor(state.FontColor),
               nullptr);
}

void TPainterDevice::DrawGlyphs(const TFontFace& face, double pixelSize, const QList<quint32>& glyphs,
                                const QList<QPointF>& positions, const QString& text, const QColor& color,
                                const QRect* clip) {
    QPainter& painter = *FPainter;
    if (FSink) {
        const TGlyphSink::TRun run{&face, face.RawFont(pixelSize),  glyphs, positions, text,
                                   color, painter.worldTransform(), clip};
        if (FSink->DrawGlyphs(run)) return;
        Fill(painter, face.Outlines(glyphs, positions, pixelSize), color);
        return;
    }
    QGlyphRun run;
    run.setRawFont(face.RawFont(pixelSize));
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    UsePen(painter, QPen(color));
    painter.drawGlyphRun(QPointF(0, 0), run);
}

void TPainterDevice::StretchImage(const TDrawState& state, const TRect& r, const QImage& image) {
    if (!IsActive() || image.isNull()) return;
    const TRect box = state.Mapping.ToDevice(r);
    if (box.IsEmpty()) return;
    TDrawState copy = state;
    copy.Pen.Mode = pmCopy;
    Prepare(copy);
    if (FPainter->testRenderHint(QPainter::SmoothPixmapTransform))
        FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->drawImage(Local(box), image);
}

QImage TPainterDevice::GrabImage(const TDrawState& state, const TRect& r) const {
    const QImage* image = Image();
    if (!image) return {};
    const TRect box = state.Mapping.ToDevice(r);
    if (box.IsEmpty()) return {};
    return image->copy(box.Left, box.Top, box.Width(), box.Height());
}
