#include <algorithm>
#include <QPaintEvent>
#include <utility>
#include <vector>

#include "base/Rounding.h"
#include "base/Saturate.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "label/KxBackground.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "print/Printer.h"

namespace {

// Paper and preview draw a gradient step by step up to this many steps, more than any real label
// has; a larger count (a size from a file) is drawn as this many bands, so it cannot cost billions
// of figures. The screen draws only what its bitmap can show anyway.
constexpr int64_t KxMaxPaperSteps = 10000;

int64_t PaperStride(bool Screen, int64_t Steps) {
    return Screen ? 1 : std::max<int64_t>(1, (Steps + KxMaxPaperSteps - 1) / KxMaxPaperSteps);
}

// The indices 0..Count whose coordinate Base + i * Step falls on a distinct device pixel inside
// [0, Pixels): dots outside the bitmap cannot show and dots on the same pixel are one dot, so a
// hostile step or label size costs at most one dot per pixel.
std::vector<int32_t> VisibleSteps(const TCanvas& Canvas, bool Horizontal, int32_t Base, int32_t Step,
                                  int64_t Count, int32_t Pixels) {
    std::vector<int32_t> steps;
    const auto logical = [&](int32_t device) {
        const TPoint p = Canvas.DPtoLP(Horizontal ? TPoint{device, 0} : TPoint{0, device});
        return static_cast<int64_t>(Horizontal ? p.X : p.Y);
    };
    const int64_t from = std::max<int64_t>(0, (logical(-1) - Base) / Step - 1);
    const int64_t to = std::min<int64_t>(Count, (logical(Pixels + 1) - Base) / Step + 1);
    int32_t previous = -1;
    for (int64_t i = from; i <= to; ++i) {
        const auto pos = static_cast<int32_t>(Base + i * Step);
        const TPoint d = Canvas.LPtoDP(Horizontal ? TPoint{pos, 0} : TPoint{0, pos});
        const int32_t px = Horizontal ? d.X : d.Y;
        if (px < 0 || px >= Pixels || px == previous) continue;
        previous = px;
        steps.push_back(static_cast<int32_t>(i));
    }
    return steps;
}

} // namespace

void TKxLab::FlipLabScreen(TKxDrawRuler Which) {
    if (IsLoading()) return;
    DrawAll(Which);
    Paint();
    AdjustAligns();
}

void TKxLab::PaintLabScreen(bool Repaint) {
    if (IsLoading()) return;
    DrawAll(duNone);
    if (Repaint) Paint();
}

void TKxLab::DrawAll(TKxDrawRuler Which) {
    TCanvas& canvas = FLabScreen->Canvas();
    canvas.Brush = TBrush{.Color = FColor, .Style = bsSolid};
    canvas.FillRect(TRect{0, 0, width(), height()});
    DrawLabScreen();
    DrawRulers(Which);
}

void TKxLab::DrawLabScreen() {
    const int32_t ox = -CoordX(0);
    const int32_t oy = -CoordY(0);
    DrawBackSurf(0, 0, tdLab, LabelRect());

    TCanvas& canvas = FLabScreen->Canvas();
    const int previous = canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowOrgEx(0, 0);
    canvas.SetViewportOrgEx(0, 0);
    if (FMeasure->WidthLU() > 0 && FMeasure->HeightLU() > 0 && FLabWidth > 0 && FLabHeight > 0) {
        canvas.SetWindowExtEx(FMeasure->WidthLU(), FMeasure->HeightLU());
        canvas.SetViewportExtEx(FLabWidth, FLabHeight);
    } else {
        // A label of no size (from a file) has no ratio of its own: keep the zoom's scale.
        canvas.SetWindowExtEx(FScale, FScale);
        canvas.SetViewportExtEx(1, 1);
    }
    DrawFrame(ox, oy, tdLab);
    if (!FDesigning) DrawElements({ox, oy}, tdLab, FDataValid);
    DrawGrid(ox, oy);
    canvas.SetMapMode(previous);
}

void TKxLab::DrawBackSurf(int32_t X, int32_t Y, TKxDrawType DrawType, const TRect& R) {
    TCanvas* canvas = GetCanvas(DrawType);
    if (!canvas) return;
    const TKxBackSurf& back = *FBackSurf;
    const bool screen = DrawType == tdLab;
    if (!screen && !back.FPrint) return;
    const int32_t labW = FMeasure->WidthLU();
    const int32_t labH = FMeasure->HeightLU();
    const TRect box = screen ? R : TRect{X, Y, Saturate32(int64_t{X} + labW), Saturate32(int64_t{Y} + labH)};
    const TColor from = ColorToRGB(back.FColor);
    const TColor to = ColorToRGB(back.FToColor);
    const bool circle = FMeasure->FLabelType == ltCircle;
    const bool hole = FMeasure->FInnerCircle > 0;
    canvas->Pen.Mode = pmCopy;

    // On screen only rows and columns inside the bitmap can show; paper gets every one.
    const auto visible = [&](int32_t first, int32_t n, int32_t pixels) {
        const int64_t lo = screen ? std::max<int64_t>(0, -static_cast<int64_t>(first)) : 0;
        const int64_t hi = screen ? std::min<int64_t>(n, static_cast<int64_t>(pixels) - first) : n;
        return std::pair<int64_t, int64_t>{lo, hi};
    };
    const int32_t lineW = screen ? FLabWidth : labW;
    const int32_t lineH = screen ? FLabHeight : labH;

    switch (back.FStyle) {
    case biNone:
        canvas->Brush = TBrush{.Color = back.FColor, .Style = bsSolid};
        if (!circle) {
            canvas->FillRect(box);
            return;
        }
        canvas->Pen.Style = psClear;
        canvas->Ellipse(box);
        break;
    case biImage:
        // The picture is read when the file name is set; until one is, there is nothing to stretch.
        canvas->StretchDraw(box, back.FImage);
        return;
    case biGradHor:
    case biGradVer: {
        const bool rows = back.FStyle == biGradHor;
        const int32_t n = rows ? lineH : lineW;
        canvas->Pen = TPen{.Color = from, .Width = 0, .Style = psSolid, .Mode = pmCopy};
        const auto [lo, hi] =
            rows ? visible(box.Top, n, FLabScreen->Height()) : visible(box.Left, n, FLabScreen->Width());
        const int64_t stride = PaperStride(screen, hi - lo);
        const auto at = [](int32_t edge, int64_t offset) { return Saturate32(edge + offset); };
        for (int64_t i = lo; i < hi; i += stride) {
            const auto step = static_cast<int32_t>(i);
            canvas->Pen.Color = KxGradientColor(from, to, step, n);
            if (stride > 1) {
                // A band of steps in the colour of its first.
                const int64_t end = std::min(i + stride, hi);
                canvas->Brush = TBrush{.Color = canvas->Pen.Color, .Style = bsSolid};
                canvas->FillRect(
                    rows ? TRect{box.Left, at(box.Top, i), at(box.Left, lineW), at(box.Top, end)}
                         : TRect{at(box.Left, i), box.Top, at(box.Left, end), at(box.Top, lineH)});
            } else if (rows) {
                canvas->MoveTo(box.Left, at(box.Top, i));
                canvas->LineTo(at(box.Left, lineW), at(box.Top, i));
            } else {
                canvas->MoveTo(at(box.Left, i), box.Top);
                canvas->LineTo(at(box.Left, i), at(box.Top, lineH));
            }
        }
        return;
    }
    case biGraCircle: {
        const int32_t inset = hole ? Saturate32(int64_t{HoleRect(box, DrawType).Left} - box.Left) : 0;
        const int32_t n = Saturate32((int64_t{lineW} - inset) / 2);
        canvas->Pen = TPen{.Color = from, .Width = 0, .Style = psClear, .Mode = pmCopy};
        canvas->Brush.Style = bsSolid;
        TKxStepRange steps{0, Saturate32(int64_t{n} - 1)};
        if (screen) steps = KxVisibleCircleSteps(box, n, {0, 0, FLabScreen->Width(), FLabScreen->Height()});
        const int64_t stride = PaperStride(screen, int64_t{steps.Last} - steps.First + 1);
        for (int64_t i = steps.First; i <= steps.Last; i += stride) {
            TRect e = box;
            InsetRect(e, i, i);
            canvas->Brush.Color = KxGradientColor(from, to, static_cast<int32_t>(i), n);
            canvas->Ellipse(e);
        }
        break;
    }
    }
    // The hole is left out when there is none: a zero radius would only leave a stray centre dot.
    if (!hole) return;
    canvas->Brush = TBrush{.Color = clWhite, .Style = bsSolid};
    canvas->Pen = TPen{.Color = clGray, .Width = 1, .Style = screen ? psDot : psClear, .Mode = pmCopy};
    canvas->Ellipse(HoleRect(box, DrawType));
}

TRect TKxLab::HoleRect(const TRect& Box, TKxDrawType DrawType) const {
    const int32_t inner = FMeasure->FInnerCircle;
    const int32_t width = FMeasure->WidthLU();
    if (DrawType == tdLab)
        return KxHoleRect(Box, Saturate32(int64_t{WindowX(inner)} - WindowX(0)),
                          Saturate32(int64_t{WindowX(width)} - WindowX(0)));
    return KxHoleRect(Box, inner, width);
}

void TKxLab::DrawFrame(int32_t X, int32_t Y, TKxDrawType DrawType) {
    TCanvas* canvas = GetCanvas(DrawType);
    if (!canvas) return;
    const int32_t labW = FMeasure->WidthLU();
    const int32_t labH = FMeasure->HeightLU();
    if (DrawType == tdLab && FBackSurf->FShowAlign) {
        canvas->Pen = TPen{.Color = FBackSurf->FAlignColor, .Width = 0, .Style = psSolid, .Mode = pmCopy};
        const int32_t gx = Saturate32(int64_t{X} + FBackSurf->FAlignLeft);
        const int32_t gy = Saturate32(int64_t{Y} + FBackSurf->FAlignTop);
        canvas->MoveTo(gx, Y);
        canvas->LineTo(gx, Saturate32(int64_t{Y} + labH));
        canvas->MoveTo(X, gy);
        canvas->LineTo(Saturate32(int64_t{X} + labW), gy);
    }
    const TKxFrame& frame = *FFrame;
    if (frame.FStyle == fsNone) return;
    canvas->Pen =
        TPen{.Color = frame.FColor, .Width = frame.FPenWidth, .Style = psInsideFrame, .Mode = pmCopy};
    canvas->Brush.Style = bsClear;
    // Sizes and distances from a file may be anything.
    TRect f{X, Y, Saturate32(int64_t{X} + labW), Saturate32(int64_t{Y} + labH)};
    InsetRect(f, frame.FDist1, frame.FDist1);
    const auto shape = [&] {
        if (FMeasure->FLabelType == ltCircle)
            canvas->Ellipse(f);
        else
            canvas->RoundRect(f.Left, f.Top, f.Right, f.Bottom, frame.FRadio, frame.FRadio);
    };
    shape();
    if (frame.FStyle != fsDoble) return;
    InsetRect(f, frame.FDist2, frame.FDist2);
    shape();
}

void TKxLab::DrawGrid(int32_t X, int32_t Y) {
    const TKxGrid& grid = *FGrid;
    if (!grid.FShow) return;
    TCanvas& canvas = FLabScreen->Canvas();
    const int32_t incX = grid.StepX();
    const int32_t incY = grid.StepY();
    const int64_t nx = Round(static_cast<Extended>(FMeasure->WidthLU()) / incX);
    const int64_t ny = Round(static_cast<Extended>(FMeasure->HeightLU()) / incY);
    const std::vector<int32_t> columns = VisibleSteps(canvas, true, X, incX, nx, FLabScreen->Width());
    const std::vector<int32_t> rows = VisibleSteps(canvas, false, Y, incY, ny, FLabScreen->Height());
    for (const int32_t i : columns)
        for (const int32_t j : rows)
            canvas.SetPixels(X + i * incX, Y + j * incY, grid.FColor);
}

void TKxLab::DrawElements(const TPoint& Origin, TKxDrawType DrawType, bool WithData) {
    // Index 0 is the front-most element: painted last, over everything behind it.
    for (auto it = FElements.rbegin(); it != FElements.rend(); ++it)
        (*it)->Draw(Origin, DrawType, WithData);
}

void TKxLab::Paint() {
    // The window shows a fresh copy of the surface: rubber bands and ruler marks drawn on the old
    // copy are gone, and the marks are drawn as they stand now.
    FOverlay.Reset(FMarks, FSelColor);
    update();
}

void TKxLab::paintEvent(QPaintEvent* event) {
    TPainterDevice device;
    if (!device.Begin(this)) return;
    device.Painter()->drawImage(event->rect(), FLabScreen->Image(), event->rect());
    TCanvas canvas(&device);
    FOverlay.Draw(canvas);
}

void TKxLab::AdjustAligns() {
    FMarks.PlaceAlignMarks(GetXLeft(), GetYTop());
}

void TKxLab::ClearSelection() {
    if (IsLoading()) return;
    FMarks.ClearHandles();
}

void TKxLab::SetDesigning(bool Value) {
    if (Value == FDesigning) return;
    FDesigning = Value;
    PaintLabScreen(true);
}

TCanvas* TKxLab::GetCanvas(TKxDrawType DrawType) {
    switch (DrawType) {
    case tdLab: return &FLabScreen->Canvas();
    case tdPrint: return &Printer().Canvas();
    case tdPreview: return FPreviewCanvas;
    }
    return nullptr;
}
