#include "designer/KxOverlay.h"

#include <algorithm>
#include <initializer_list>

#include "gdi/Canvas.h"

namespace {

constexpr int32_t RulerMarkLength = 18;

QRect Box(std::initializer_list<TPoint> Points) {
    int32_t l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, b = INT32_MIN;
    for (const TPoint& p : Points) {
        l = std::min(l, p.X);
        t = std::min(t, p.Y);
        r = std::max(r, p.X);
        b = std::max(b, p.Y);
    }
    // One pixel of slack on every side: outlines sit on the edge pixels.
    return QRect(QPoint(l - 1, t - 1), QPoint(r + 1, b + 1));
}

void Outline(TCanvas& Canvas, const TRect& R) {
    Canvas.Rectangle(R);
}

} // namespace

void TKxOverlay::Reset(const TKxMarks& Marks, TColor Color) {
    FShown = Marks;
    FShownColor = Color;
    FFigures.clear();
    FRuler.clear();
    FPenMode = pmCopy;
}

QRegion TKxOverlay::Region(const TFigure& F) {
    const TPoint a = F.P[0];
    const TPoint b = F.P[1];
    switch (F.Kind) {
    case TKind::Line: return QRegion(Box({a, b}));
    case TKind::Frame:
    case TKind::DottedFrame: {
        // Only the four edges change: a large band must not repaint its inside.
        const int32_t l = std::min(a.X, b.X), r = std::max(a.X, b.X);
        const int32_t t = std::min(a.Y, b.Y), btm = std::max(a.Y, b.Y);
        QRegion region(Box({{l, t}, {r, t}}));
        region += Box({{l, btm - 1}, {r, btm - 1}});
        region += Box({{l, t}, {l, btm}});
        region += Box({{r - 1, t}, {r - 1, btm}});
        return region;
    }
    case TKind::Triangle: return QRegion(Box({a, b, F.P[2]}));
    }
    return {};
}

QRegion TKxOverlay::Toggle(const TFigure& F) {
    FPenMode = pmNotXor;
    const auto it = std::find(FFigures.begin(), FFigures.end(), F);
    if (it != FFigures.end())
        FFigures.erase(it);
    else
        FFigures.push_back(F);
    return Region(F);
}

QRegion TKxOverlay::RulerRegion(const TPoint& P) {
    return QRegion(P.X, 0, 1, RulerMarkLength) + QRegion(0, P.Y, RulerMarkLength, 1);
}

QRegion TKxOverlay::AddRulerMarks(const TPoint& P, TColor Color) {
    FRuler.push_back({P, Color, FPenMode});
    return RulerRegion(P);
}

QRegion TKxOverlay::ClearRulerMarks() {
    QRegion region;
    for (const TRulerMarks& m : FRuler)
        region += RulerRegion(m.P);
    FRuler.clear();
    return region;
}

void TKxOverlay::Draw(TCanvas& Canvas) const {
    Canvas.Pen = TPen{.Color = FShownColor, .Width = 1, .Style = psSolid, .Mode = pmCopy};
    Canvas.Brush.Style = bsClear;
    switch (FShown.DragState) {
    case drLine:
        Outline(Canvas, FShown.LineHandle1);
        Outline(Canvas, FShown.LineHandle2);
        break;
    case drObject: Outline(Canvas, FShown.SelRect); break;
    case drSizes:
        for (const TRect& r :
             {FShown.SelRect, FShown.HandleLeft, FShown.HandleRight, FShown.HandleTop, FShown.HandleBottom})
            Outline(Canvas, r);
        break;
    case drNone:
    case drAligns: break;
    }
    Canvas.Pen.Style = psDot;
    for (const TRect& r : FShown.GroupMarks)
        Outline(Canvas, r);

    for (const TFigure& f : FFigures) {
        Canvas.Pen = TPen{.Color = f.Color, .Width = 1, .Style = psSolid, .Mode = pmNotXor};
        switch (f.Kind) {
        case TKind::Line:
            Canvas.MoveTo(f.P[0].X, f.P[0].Y);
            Canvas.LineTo(f.P[1].X, f.P[1].Y);
            break;
        case TKind::Frame:
        case TKind::DottedFrame:
            if (f.Kind == TKind::DottedFrame) Canvas.Pen.Style = psDot;
            Canvas.Brush.Style = bsClear;
            Canvas.Rectangle(f.P[0].X, f.P[0].Y, f.P[1].X, f.P[1].Y);
            break;
        case TKind::Triangle:
            Canvas.Brush = TBrush{.Color = f.Color, .Style = bsSolid};
            Canvas.Polygon(f.P);
            break;
        }
    }

    for (const TRulerMarks& m : FRuler) {
        Canvas.Pen = TPen{.Color = m.Color, .Width = 0, .Style = psSolid, .Mode = m.Mode};
        Canvas.MoveTo(m.P.X, 0);
        Canvas.LineTo(m.P.X, RulerMarkLength);
        Canvas.MoveTo(0, m.P.Y);
        Canvas.LineTo(RulerMarkLength, m.P.Y);
    }
}
