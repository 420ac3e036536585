#include "metafile/GdiPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Object slots a file may use; more is a damaged or hostile file.
constexpr uint32_t MaxObjects = 16384;
// Saved states kept; deeper nesting drops the oldest.
constexpr size_t MaxSaved = 256;
constexpr int BezierSteps = 16;
constexpr int EllipseSteps = 48;
constexpr uint32_t TA_UPDATECP = 1;
constexpr uint32_t PS_NULL = 5;
constexpr uint32_t BS_NULL = 1;
constexpr uint32_t R2_NOTXORPEN = 10;

// Every canvas coordinate is made here from a file's values: one beyond any page is held at a
// billion, and one that a degenerate transform left without a value (infinity times zero) is 0.
int32_t Nearest(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp<double>(std::round(v), -1e9, 1e9));
}

TGdiObject StockPen(TColor color, uint32_t style) {
    return {TGdiObject::TKind::Pen, style, 0, color, {}};
}

TGdiObject StockBrush(TColor color, uint32_t style) {
    return {TGdiObject::TKind::Brush, style, 0, color, {}};
}

TGdiObject StockFont(bool fixed) {
    TGdiObject font{TGdiObject::TKind::Font, 0, 0, clBlack, {}};
    font.Font.lfHeight = -12;
    font.Font.lfFaceName = fixed ? QStringLiteral("Courier New") : QStringLiteral("Arial");
    return font;
}

TPenStyle PenStyle(uint32_t style) {
    switch (style & 0xF) {
    case 1: return psDash;
    case 2: return psDot;
    case 3: return psDashDot;
    case 4: return psDashDotDot;
    case 5: return psClear;
    case 6: return psInsideFrame;
    default: return psSolid;
    }
}

QRectF Normalised(QPointF a, QPointF b) {
    return QRectF(a, b).normalized();
}

} // namespace

void MapGdiSubPixels(TCanvas& canvas) {
    canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowExtEx(GdiSubPixels, GdiSubPixels);
    canvas.SetViewportExtEx(1, 1);
}

TGdiPlayer::TGdiPlayer(TCanvas& canvas, const QTransform& deviceToCanvas, double pixelsPerMM)
    : FCanvas(canvas)
    , FDeviceToCanvas(deviceToCanvas)
    , FPixelsPerMM(pixelsPerMM > 0 ? pixelsPerMM : 96 / 25.4) {
    FState.Pen = StockPen(clBlack, 0);
    FState.Brush = StockBrush(clWhite, 0);
    FState.Font = StockFont(false);
}

void TGdiPlayer::SetObject(uint32_t index, const TGdiObject& object) {
    if (index >= MaxObjects) return;
    if (index >= FObjects.size()) FObjects.resize(index + 1);
    FObjects[index] = object;
}

void TGdiPlayer::AddObject(const TGdiObject& object) {
    const auto free = std::find_if(FObjects.begin(), FObjects.end(),
                                   [](const TGdiObject& o) { return o.Kind == TGdiObject::TKind::None; });
    if (free != FObjects.end())
        *free = object;
    else if (FObjects.size() < MaxObjects)
        FObjects.push_back(object);
}

void TGdiPlayer::SelectObject(uint32_t index) {
    if (index & 0x80000000u) {
        SelectStock(index & 0x7FFFFFFFu);
        return;
    }
    if (index >= FObjects.size()) return;
    const TGdiObject& o = FObjects[index];
    switch (o.Kind) {
    case TGdiObject::TKind::Pen: FState.Pen = o; break;
    case TGdiObject::TKind::Brush: FState.Brush = o; break;
    case TGdiObject::TKind::Font: FState.Font = o; break;
    default: break;
    }
}

void TGdiPlayer::DeleteObject(uint32_t index) {
    if (index < FObjects.size()) FObjects[index] = {};
}

void TGdiPlayer::SelectStock(uint32_t number) {
    switch (number) {
    case 0: FState.Brush = StockBrush(clWhite, 0); break;
    case 1: FState.Brush = StockBrush(clSilver, 0); break;
    case 2: FState.Brush = StockBrush(clGray, 0); break;
    case 3: FState.Brush = StockBrush(RGB(64, 64, 64), 0); break;
    case 4: FState.Brush = StockBrush(clBlack, 0); break;
    case 5: FState.Brush = StockBrush(clWhite, BS_NULL); break;
    case 6: FState.Pen = StockPen(clWhite, 0); break;
    case 7: FState.Pen = StockPen(clBlack, 0); break;
    case 8: FState.Pen = StockPen(clBlack, PS_NULL); break;
    case 10:
    case 11:
    case 16: FState.Font = StockFont(true); break;
    case 12:
    case 13:
    case 14:
    case 17: FState.Font = StockFont(false); break;
    default: break;
    }
}

void TGdiPlayer::SetMapMode(int mode) {
    if (mode >= 1 && mode <= 8) FState.MapMode = mode;
}

void TGdiPlayer::SetWindowOrg(QPointF origin) {
    FState.WindowOrg = origin;
}

void TGdiPlayer::SetWindowExt(QPointF extent) {
    if (extent.x() != 0 && extent.y() != 0) FState.WindowExt = extent;
}

void TGdiPlayer::SetViewportOrg(QPointF origin) {
    FState.ViewportOrg = origin;
}

void TGdiPlayer::SetViewportExt(QPointF extent) {
    if (extent.x() != 0 && extent.y() != 0) FState.ViewportExt = extent;
}

void TGdiPlayer::ModifyWorldTransform(const QTransform& transform, uint32_t mode) {
    switch (mode) {
    case 1: FState.World = QTransform(); break;
    case 2: FState.World = transform * FState.World; break;
    case 3: FState.World = FState.World * transform; break;
    case 4: FState.World = transform; break;
    default: break;
    }
}

void TGdiPlayer::SetTextColor(TColor color) {
    FState.TextColor = color & 0xFFFFFF;
}

void TGdiPlayer::SetBkColor(TColor color) {
    FState.BkColor = color & 0xFFFFFF;
}

void TGdiPlayer::SetBkMode(uint32_t mode) {
    FState.Opaque = mode == 2;
}

void TGdiPlayer::SetTextAlign(uint32_t align) {
    FState.TextAlign = align;
}

void TGdiPlayer::SetRop2(uint32_t rop) {
    FState.Rop = rop;
}

void TGdiPlayer::SaveDC() {
    if (FSaved.size() >= MaxSaved) FSaved.erase(FSaved.begin());
    FSaved.push_back(FState);
}

void TGdiPlayer::RestoreDC(int32_t which) {
    const auto count = static_cast<int64_t>(FSaved.size());
    const int64_t index = which < 0 ? count + which : int64_t(which) - 1;
    if (index < 0 || index >= count) return;
    FState = FSaved[static_cast<size_t>(index)];
    FSaved.resize(static_cast<size_t>(index));
}

QTransform TGdiPlayer::Total() const {
    const TState& s = FState;
    double sx = 1;
    double sy = 1;
    switch (s.MapMode) {
    case 2: sx = FPixelsPerMM * 0.1; break;
    case 3: sx = FPixelsPerMM * 0.01; break;
    case 4: sx = FPixelsPerMM * 0.254; break;
    case 5: sx = FPixelsPerMM * 0.0254; break;
    case 6: sx = FPixelsPerMM * 25.4 / 1440; break;
    case 7:
    case 8:
        sx = s.ViewportExt.x() / s.WindowExt.x();
        sy = s.ViewportExt.y() / s.WindowExt.y();
        if (s.MapMode == 7) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    default: break;
    }
    // The metric modes count y upwards.
    if (s.MapMode >= 2 && s.MapMode <= 6) sy = -sx;
    const QTransform page(sx, 0, 0, sy, s.ViewportOrg.x() - s.WindowOrg.x() * sx,
                          s.ViewportOrg.y() - s.WindowOrg.y() * sy);
    return s.World * page * FDeviceToCanvas;
}

TPoint TGdiPlayer::OutPoint(QPointF p) const {
    const QPointF o = Out(p);
    return {Nearest(o.x()), Nearest(o.y())};
}

bool TGdiPlayer::AxisAligned() const {
    const QTransform t = Total();
    return t.m12() == 0 && t.m21() == 0;
}

void TGdiPlayer::UsePen() {
    const TGdiObject& pen = FState.Pen;
    const double scale = std::sqrt(std::abs(Total().determinant()));
    const int32_t width = pen.Width <= 0 ? 0 : std::max(1, Nearest(pen.Width * scale));
    FCanvas.Pen = {pen.Color, width, PenStyle(pen.Style), FState.Rop == R2_NOTXORPEN ? pmNotXor : pmCopy};
}

void TGdiPlayer::NoPen() {
    FCanvas.Pen.Style = psClear;
}

void TGdiPlayer::UseBrush() {
    FCanvas.Brush = {FState.Brush.Color, FState.Brush.Style == BS_NULL ? bsClear : bsSolid};
}

void TGdiPlayer::Shape(const QPolygonF& logical) {
    std::vector<TPoint> points;
    points.reserve(static_cast<size_t>(logical.size()));
    for (const QPointF& p : logical)
        points.push_back(OutPoint(p));
    FCanvas.Polygon(points);
}

void TGdiPlayer::AddToPath(const QPolygonF& canvasPoints, bool continues) {
    if (!continues || FPath.empty() || FPath.back().Closed) {
        FPath.push_back({});
        if (continues) FPath.back().Points << Out(FState.Position);
    }
    FPath.back().Points << canvasPoints;
}

void TGdiPlayer::MoveTo(QPointF p) {
    FState.Position = p;
    if (FPathOpen) FPath.push_back({QPolygonF{Out(p)}, false});
}

void TGdiPlayer::LineTo(QPointF p) {
    if (FPathOpen) {
        AddToPath(QPolygonF{Out(p)}, true);
    } else {
        Count();
        UsePen();
        const TPoint a = OutPoint(FState.Position);
        const TPoint b = OutPoint(p);
        FCanvas.MoveTo(a.X, a.Y);
        FCanvas.LineTo(b.X, b.Y);
    }
    FState.Position = p;
}

void TGdiPlayer::Rectangle(QPointF a, QPointF b) {
    const QRectF r = Normalised(a, b);
    const QPolygonF corners{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    if (FPathOpen) {
        FPath.push_back({Total().map(corners), true});
        return;
    }
    Count();
    UsePen();
    UseBrush();
    if (!AxisAligned()) {
        Shape(corners);
        return;
    }
    const TPoint p = OutPoint(a);
    const TPoint q = OutPoint(b);
    FCanvas.Rectangle(p.X, p.Y, q.X, q.Y);
}

void TGdiPlayer::RoundRect(QPointF a, QPointF b, double cornerWidth, double cornerHeight) {
    if (FPathOpen || !AxisAligned()) {
        Rectangle(a, b);
        return;
    }
    Count();
    UsePen();
    UseBrush();
    const QTransform t = Total();
    const TPoint p = OutPoint(a);
    const TPoint q = OutPoint(b);
    FCanvas.RoundRect(p.X, p.Y, q.X, q.Y, Nearest(std::abs(cornerWidth * t.m11())),
                      Nearest(std::abs(cornerHeight * t.m22())));
}

void TGdiPlayer::Ellipse(QPointF a, QPointF b) {
    const QRectF r = Normalised(a, b);
    if (FPathOpen || !AxisAligned()) {
        QPolygonF outline;
        for (int i = 0; i < EllipseSteps; ++i) {
            const double t = 2 * std::numbers::pi * i / EllipseSteps;
            outline << QPointF(r.center().x() + r.width() / 2 * std::cos(t),
                               r.center().y() + r.height() / 2 * std::sin(t));
        }
        if (FPathOpen) {
            FPath.push_back({Total().map(outline), true});
            return;
        }
        Count();
        UsePen();
        UseBrush();
        Shape(outline);
        return;
    }
    Count();
    UsePen();
    UseBrush();
    const TPoint p = OutPoint(a);
    const TPoint q = OutPoint(b);
    FCanvas.Ellipse(p.X, p.Y, q.X, q.Y);
}

void TGdiPlayer::Polygon(const QPolygonF& points) {
    if (points.size() < 2) return;
    if (FPathOpen) {
        FPath.push_back({Total().map(points), true});
        return;
    }
    Count();
    UsePen();
    UseBrush();
    Shape(points);
}

void TGdiPlayer::Polyline(const QPolygonF& points) {
    if (points.size() < 2) return;
    if (FPathOpen) {
        FPath.push_back({Total().map(points), false});
        return;
    }
    Count();
    Stroke(Total().map(points), false);
}

void TGdiPlayer::PolylineTo(const QPolygonF& points) {
    if (points.isEmpty()) return;
    if (FPathOpen) {
        AddToPath(Total().map(points), true);
    } else {
        Count();
        Stroke(Total().map(QPolygonF{FState.Position} << points), false);
    }
    FState.Position = points.back();
}

QPolygonF TGdiPlayer::Flatten(QPointF start, std::span<const QPointF> controls) const {
    QPolygonF out;
    QPointF p0 = start;
    for (size_t i = 0; i + 3 <= controls.size(); i += 3) {
        const QPointF p1 = controls[i];
        const QPointF p2 = controls[i + 1];
        const QPointF p3 = controls[i + 2];
        for (int k = 1; k <= BezierSteps; ++k) {
            const double t = double(k) / BezierSteps;
            const double u = 1 - t;
            out << u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
        }
        p0 = p3;
    }
    return out;
}

void TGdiPlayer::PolyBezier(const QPolygonF& points, bool fromCurrent) {
    if (fromCurrent) {
        const std::span<const QPointF> controls(points.constData(), static_cast<size_t>(points.size()));
        PolylineTo(Flatten(FState.Position, controls));
        return;
    }
    if (points.size() < 4) return;
    const std::span<const QPointF> controls(points.constData() + 1, static_cast<size_t>(points.size() - 1));
    Polyline(QPolygonF{points.front()} << Flatten(points.front(), controls));
}

void TGdiPlayer::PolyPolygon(const std::vector<QPolygonF>& polygons) {
    std::vector<QPolygonF> figures;
    for (const QPolygonF& p : polygons)
        if (p.size() >= 2) figures.push_back(Total().map(p));
    if (figures.empty()) return;
    if (FPathOpen) {
        for (QPolygonF& f : figures)
            FPath.push_back({f, true});
        return;
    }
    Count();
    Fill(figures);
    for (const QPolygonF& f : figures)
        Stroke(f, true);
}

void TGdiPlayer::Fill(const std::vector<QPolygonF>& figures) {
    if (figures.empty() || FState.Brush.Style == BS_NULL) return;
    // One polygon: every further figure is joined to the first point and back along the same
    // edge, and under alternate filling those edges cancel out.
    std::vector<TPoint> points;
    auto add = [&](QPointF p) { points.push_back({Nearest(p.x()), Nearest(p.y())}); };
    for (const QPointF& p : figures[0])
        add(p);
    const QPointF anchor = figures[0].front();
    for (size_t i = 1; i < figures.size(); ++i) {
        add(anchor);
        for (const QPointF& p : figures[i])
            add(p);
        add(figures[i].front());
    }
    if (figures.size() > 1) add(anchor);
    NoPen();
    UseBrush();
    FCanvas.Polygon(points);
}

void TGdiPlayer::Stroke(const QPolygonF& points, bool closed) {
    if (points.size() < 2 || (FState.Pen.Style & 0xF) == PS_NULL) return;
    UsePen();
    auto at = [](QPointF p) { return TPoint{Nearest(p.x()), Nearest(p.y())}; };
    const TPoint first = at(points.front());
    FCanvas.MoveTo(first.X, first.Y);
    for (qsizetype i = 1; i < points.size(); ++i) {
        const TPoint p = at(points[i]);
        FCanvas.LineTo(p.X, p.Y);
    }
    if (closed) FCanvas.LineTo(first.X, first.Y);
}

void TGdiPlayer::SetPixel(QPointF p, TColor color) {
    Count();
    const TPoint o = OutPoint(p);
    FCanvas.SetPixels(o.X, o.Y, color & 0xFFFFFF);
}

void TGdiPlayer::Text(QPointF p, const QString& text, std::span<const int32_t> dx, const QRectF* opaque) {
    const QTransform t = Total();
    if (opaque && !opaque->isEmpty()) {
        Count();
        const TPoint a = OutPoint(opaque->topLeft());
        const TPoint b = OutPoint(opaque->bottomRight());
        FCanvas.Brush = {FState.BkColor, bsSolid};
        FCanvas.FillRect({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
    }
    if (text.isEmpty()) return;
    Count();
    if (FState.TextAlign & TA_UPDATECP) p = FState.Position;
    TLogFont font = FState.Font.Font;
    if (font.lfFaceName.isEmpty()) font.lfFaceName = QStringLiteral("Arial");
    const double scaleY = std::hypot(t.m21(), t.m22());
    const int32_t height = font.lfHeight == 0 ? -12 : font.lfHeight;
    font.lfHeight = std::max(1, Nearest(std::abs(height) * scaleY)) * (height < 0 ? -1 : 1);
    font.lfWidth = 0;
    FCanvas.Font.SetLogFont(font);
    FCanvas.Font.SetColor(FState.TextColor);
    FCanvas.Brush = {FState.BkColor, FState.Opaque ? bsSolid : bsClear};
    FCanvas.SetTextAlign(FState.TextAlign & (TA_CENTER | TA_BASELINE));
    // The file's advances become the even character extra that spreads them over the text.
    double advance = 0;
    for (int32_t d : dx)
        advance += d;
    const double scaleX = std::hypot(t.m11(), t.m12());
    FCanvas.SetTextCharacterExtra(0);
    const auto characters = static_cast<int32_t>(text.toUcs4().size());
    if (!dx.empty() && characters > 0)
        FCanvas.SetTextCharacterExtra(Nearest((advance * scaleX - FCanvas.TextWidth(text)) / characters));
    const TPoint o = OutPoint(p);
    FCanvas.TextOut(o.X, o.Y, text);
    if (FState.TextAlign & TA_UPDATECP)
        FState.Position.rx() += dx.empty() ? FCanvas.TextWidth(text) / std::max(scaleX, 1e-9) : advance;
    FCanvas.SetTextCharacterExtra(0);
}

void TGdiPlayer::Image(QPointF a, QPointF b, const QImage& image) {
    if (image.isNull()) return;
    Count();
    const QPointF p = Out(a);
    const QPointF q = Out(b);
    const QImage oriented = image.mirrored(p.x() > q.x(), p.y() > q.y());
    const QRectF r = Normalised(p, q);
    FCanvas.StretchDraw({Nearest(r.left()), Nearest(r.top()), Nearest(r.right()), Nearest(r.bottom())},
                        oriented);
}

void TGdiPlayer::PatternFill(QPointF a, QPointF b) {
    if (FState.Brush.Style == BS_NULL) return;
    Count();
    const QRectF r = Normalised(Out(a), Out(b));
    FCanvas.Brush = {FState.Brush.Color, bsSolid};
    FCanvas.FillRect({Nearest(r.left()), Nearest(r.top()), Nearest(r.right()), Nearest(r.bottom())});
}

void TGdiPlayer::BeginPath() {
    FPath.clear();
    FPathOpen = true;
}

void TGdiPlayer::AbortPath() {
    FPath.clear();
    FPathOpen = false;
}

void TGdiPlayer::CloseFigure() {
    if (!FPath.empty()) FPath.back().Closed = true;
}

void TGdiPlayer::FillPath() {
    std::vector<QPolygonF> figures;
    for (const TFigure& f : FPath)
        if (f.Points.size() >= 2) figures.push_back(f.Points);
    if (!figures.empty()) Count();
    Fill(figures);
    FPath.clear();
    FPathOpen = false;
}

void TGdiPlayer::StrokePath() {
    for (const TFigure& f : FPath) {
        Count();
        Stroke(f.Points, f.Closed);
    }
    FPath.clear();
    FPathOpen = false;
}

void TGdiPlayer::StrokeAndFillPath() {
    const std::vector<TFigure> path = FPath;
    FillPath();
    FPath = path;
    StrokePath();
}
