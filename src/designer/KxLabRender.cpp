#include <algorithm>
#include <QPaintEvent>
#include <vector>

#include "base/Rounding.h"
#include "base/Saturate.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "label/KxBackPainter.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "print/Printer.h"

namespace {

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
    FSurfaceStale = false;
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
    const TKxMeasure& measure = *GetMeasure();
    if (measure.WidthLU() > 0 && measure.HeightLU() > 0 && FLabWidth > 0 && FLabHeight > 0) {
        canvas.SetWindowExtEx(measure.WidthLU(), measure.HeightLU());
        canvas.SetViewportExtEx(FLabWidth, FLabHeight);
    } else {
        // A label of no size (from a file) has no ratio of its own: keep the zoom's scale.
        canvas.SetWindowExtEx(FScale, FScale);
        canvas.SetViewportExtEx(1, 1);
    }
    DrawFrame(ox, oy, tdLab);
    if (!FDesigning) DrawElements({ox, oy});
    DrawGrid(ox, oy);
    canvas.SetMapMode(previous);
}

void TKxLab::DrawBackSurf(int32_t X, int32_t Y, TKxDrawType DrawType, const TRect& R) {
    if (DrawType != tdLab) {
        // Paper outside a run: the application's printer, as a host drawing on it expects.
        FLabel->DrawBackSurf(X, Y, {&Printer().Canvas(), DrawType});
        return;
    }
    const TKxMeasure& measure = *GetMeasure();
    TKxBackArea area;
    area.Box = R;
    area.Width = FLabWidth;
    area.Height = FLabHeight;
    area.HoleRadius = Saturate32(int64_t{WindowX(measure.InnerCircleLU())} - WindowX(0));
    area.HoleBoxWidth = Saturate32(int64_t{WindowX(measure.WidthLU())} - WindowX(0));
    area.Screen = true;
    area.Visible = {0, 0, FLabScreen->Width(), FLabScreen->Height()};
    KxDrawBackground(FLabScreen->Canvas(), *GetBackSurf(), measure.GetLabelType(),
                     measure.InnerCircleLU() > 0, area);
}

void TKxLab::DrawFrame(int32_t X, int32_t Y, TKxDrawType DrawType) {
    TKxDrawContext c = SurfaceContext();
    if (DrawType != tdLab) c = {&Printer().Canvas(), DrawType};
    FLabel->DrawFrame(X, Y, c);
}

void TKxLab::DrawGrid(int32_t X, int32_t Y) {
    const TKxGrid& grid = *GetGrid();
    if (!grid.GetShow()) return;
    TCanvas& canvas = FLabScreen->Canvas();
    const int32_t incX = grid.StepX();
    const int32_t incY = grid.StepY();
    const int64_t nx = Round(static_cast<Extended>(GetMeasure()->WidthLU()) / incX);
    const int64_t ny = Round(static_cast<Extended>(GetMeasure()->HeightLU()) / incY);
    const std::vector<int32_t> columns = VisibleSteps(canvas, true, X, incX, nx, FLabScreen->Width());
    const std::vector<int32_t> rows = VisibleSteps(canvas, false, Y, incY, ny, FLabScreen->Height());
    for (const int32_t i : columns)
        for (const int32_t j : rows)
            canvas.SetPixels(X + i * incX, Y + j * incY, grid.GetColor());
}

void TKxLab::DrawElements(const TPoint& Origin) {
    FLabel->DrawElements(Origin, SurfaceContext());
}

TKxDrawContext TKxLab::SurfaceContext() {
    return {&FLabScreen->Canvas(), tdLab, GetDataValid(), nullptr, ScreenMap()};
}

TKxScreenMap TKxLab::ScreenMap() const {
    return {FScale, FOrigin - FH.Pos, FOrigin - FV.Pos};
}

void TKxLab::Paint() {
    // The window shows a fresh copy of the surface: rubber bands and ruler marks drawn on the old
    // copy are gone, and the marks are drawn as they stand now.
    FOverlay.Reset(FMarks, GetSelColor());
    update();
}

void TKxLab::paintEvent(QPaintEvent* event) {
    if (FSurfaceStale && !IsLoading()) {
        DrawAll(duNone);
        FOverlay.Reset(FMarks, GetSelColor());
    }
    TPainterDevice device;
    if (!device.Begin(this)) return;
    device.Painter()->drawImage(event->rect(), FLabScreen->Image(), event->rect());
    TCanvas canvas(&device);
    FOverlay.Draw(canvas);
    // The single-line window border goes over the outermost pixels rather than around a smaller
    // client: client coordinates are the same with and without it.
    if (FBorderStyle == bsSingle) {
        canvas.Pen = TPen{};
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(0, 0, width(), height());
    }
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
