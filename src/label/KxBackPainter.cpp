#include "label/KxBackPainter.h"

#include <algorithm>
#include <utility>

#include "base/Saturate.h"
#include "gdi/Canvas.h"
#include "label/KxBackground.h"
#include "label/KxBackSurf.h"

namespace {

// Paper and preview draw a gradient step by step up to this many steps, more than any real label
// has; a larger count (a size from a file) is drawn as this many bands, so it cannot cost billions
// of figures. The screen draws only what its bitmap can show anyway.
constexpr int64_t KxMaxPaperSteps = 10000;

int64_t PaperStride(bool Screen, int64_t Steps) {
    return Screen ? 1 : std::max<int64_t>(1, (Steps + KxMaxPaperSteps - 1) / KxMaxPaperSteps);
}

TRect HoleRect(const TKxBackArea& A) {
    return KxHoleRect(A.Box, A.HoleRadius, A.HoleBoxWidth);
}

// The plain colour fills the box of a rectangle; a circle is an ellipse, its hole drawn after.
bool DrawPlain(TCanvas& Canvas, const TKxBackSurf& Back, TKxLabelType Shape, const TKxBackArea& A) {
    Canvas.Brush = TBrush{.Color = Back.GetColor(), .Style = bsSolid};
    if (Shape != ltCircle) {
        Canvas.FillRect(A.Box);
        return false;
    }
    Canvas.Pen.Style = psClear;
    Canvas.Ellipse(A.Box);
    return true;
}

void DrawLinearGradient(TCanvas& Canvas, const TKxBackSurf& Back, const TKxBackArea& A) {
    const TColor from = ColorToRGB(Back.GetColor());
    const TColor to = ColorToRGB(Back.GetToColor());
    const TRect& box = A.Box;
    const bool rows = Back.GetStyle() == biGradHor;
    const int32_t n = rows ? A.Height : A.Width;
    Canvas.Pen = TPen{.Color = from, .Width = 0, .Style = psSolid, .Mode = pmCopy};
    // On screen only rows and columns inside the bitmap can show; paper gets every one.
    const int32_t first = rows ? box.Top : box.Left;
    const int32_t pixels = rows ? A.Visible.Height() : A.Visible.Width();
    const int64_t lo = A.Screen ? std::max<int64_t>(0, -static_cast<int64_t>(first)) : 0;
    const int64_t hi = A.Screen ? std::min<int64_t>(n, static_cast<int64_t>(pixels) - first) : n;
    const int64_t stride = PaperStride(A.Screen, hi - lo);
    const auto at = [](int32_t edge, int64_t offset) { return Saturate32(edge + offset); };
    for (int64_t i = lo; i < hi; i += stride) {
        Canvas.Pen.Color = KxGradientColor(from, to, static_cast<int32_t>(i), n);
        if (stride > 1) {
            // A band of steps in the colour of its first.
            const int64_t end = std::min(i + stride, hi);
            Canvas.Brush = TBrush{.Color = Canvas.Pen.Color, .Style = bsSolid};
            Canvas.FillRect(rows ? TRect{box.Left, at(box.Top, i), at(box.Left, A.Width), at(box.Top, end)}
                                 : TRect{at(box.Left, i), box.Top, at(box.Left, end), at(box.Top, A.Height)});
        } else if (rows) {
            Canvas.MoveTo(box.Left, at(box.Top, i));
            Canvas.LineTo(at(box.Left, A.Width), at(box.Top, i));
        } else {
            Canvas.MoveTo(at(box.Left, i), box.Top);
            Canvas.LineTo(at(box.Left, i), at(box.Top, A.Height));
        }
    }
}

void DrawCircleGradient(TCanvas& Canvas, const TKxBackSurf& Back, bool Hole, const TKxBackArea& A) {
    const TColor from = ColorToRGB(Back.GetColor());
    const TColor to = ColorToRGB(Back.GetToColor());
    const int32_t inset = Hole ? Saturate32(int64_t{HoleRect(A).Left} - A.Box.Left) : 0;
    const int32_t n = Saturate32((int64_t{A.Width} - inset) / 2);
    Canvas.Pen = TPen{.Color = from, .Width = 0, .Style = psClear, .Mode = pmCopy};
    Canvas.Brush.Style = bsSolid;
    TKxStepRange steps{0, Saturate32(int64_t{n} - 1)};
    if (A.Screen) steps = KxVisibleCircleSteps(A.Box, n, A.Visible);
    const int64_t stride = PaperStride(A.Screen, int64_t{steps.Last} - steps.First + 1);
    for (int64_t i = steps.First; i <= steps.Last; i += stride) {
        TRect e = A.Box;
        InsetRect(e, i, i);
        Canvas.Brush.Color = KxGradientColor(from, to, static_cast<int32_t>(i), n);
        Canvas.Ellipse(e);
    }
}

void DrawHole(TCanvas& Canvas, const TKxBackArea& A) {
    Canvas.Brush = TBrush{.Color = clWhite, .Style = bsSolid};
    Canvas.Pen = TPen{.Color = clGray, .Width = 1, .Style = A.Screen ? psDot : psClear, .Mode = pmCopy};
    Canvas.Ellipse(HoleRect(A));
}

} // namespace

void KxDrawBackground(TCanvas& Canvas, const TKxBackSurf& Back, TKxLabelType Shape, bool Hole,
                      const TKxBackArea& Area) {
    Canvas.Pen.Mode = pmCopy;
    bool withHole = false;
    switch (Back.GetStyle()) {
    case biNone: withHole = DrawPlain(Canvas, Back, Shape, Area); break;
    // The picture is read when the file name is set; until one is, there is nothing to stretch.
    case biImage: Canvas.StretchDraw(Area.Box, Back.GetImage()); break;
    case biGradHor:
    case biGradVer: DrawLinearGradient(Canvas, Back, Area); break;
    case biGraCircle:
        DrawCircleGradient(Canvas, Back, Hole, Area);
        withHole = true;
        break;
    }
    // The hole is left out when there is none: a zero radius would only leave a stray centre dot.
    if (withHole && Hole) DrawHole(Canvas, Area);
}
