#include "base/Saturate.h"
#include "gdi/Canvas.h"
#include "label/KxBackPainter.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"

void TKxLabel::DrawBackSurf(int32_t X, int32_t Y, const TKxDrawContext& C) const {
    TCanvas* canvas = C.Canvas;
    if (!canvas || C.Target == tdLab || !FBackSurf->GetPrint()) return;
    const int32_t w = FMeasure->WidthLU();
    const int32_t h = FMeasure->HeightLU();
    TKxBackArea area;
    area.Box = {X, Y, Saturate32(int64_t{X} + w), Saturate32(int64_t{Y} + h)};
    area.Width = w;
    area.Height = h;
    area.HoleRadius = FMeasure->InnerCircleLU();
    area.HoleBoxWidth = w;
    KxDrawBackground(*canvas, *FBackSurf, FMeasure->GetLabelType(), FMeasure->InnerCircleLU() > 0, area);
}

void TKxLabel::DrawFrame(int32_t X, int32_t Y, const TKxDrawContext& C) const {
    TCanvas* canvas = C.Canvas;
    if (!canvas) return;
    const int32_t labW = FMeasure->WidthLU();
    const int32_t labH = FMeasure->HeightLU();
    const TKxBackSurf& back = *FBackSurf;
    if (C.Target == tdLab && back.GetShowAlign()) {
        canvas->Pen = TPen{.Color = back.GetAlignColor(), .Width = 0, .Style = psSolid, .Mode = pmCopy};
        const int32_t gx = Saturate32(int64_t{X} + back.AlignLeftLU());
        const int32_t gy = Saturate32(int64_t{Y} + back.AlignTopLU());
        canvas->MoveTo(gx, Y);
        canvas->LineTo(gx, Saturate32(int64_t{Y} + labH));
        canvas->MoveTo(X, gy);
        canvas->LineTo(Saturate32(int64_t{X} + labW), gy);
    }
    const TKxFrame& frame = *FFrame;
    if (frame.GetStyle() == fsNone) return;
    canvas->Pen =
        TPen{.Color = frame.GetColor(), .Width = frame.PenWidthLU(), .Style = psInsideFrame, .Mode = pmCopy};
    canvas->Brush.Style = bsClear;
    // Sizes and distances from a file may be anything.
    TRect f{X, Y, Saturate32(int64_t{X} + labW), Saturate32(int64_t{Y} + labH)};
    InsetRect(f, frame.Dist1LU(), frame.Dist1LU());
    const auto shape = [&] {
        if (FMeasure->GetLabelType() == ltCircle)
            canvas->Ellipse(f);
        else
            canvas->RoundRect(f.Left, f.Top, f.Right, f.Bottom, frame.RadioLU(), frame.RadioLU());
    };
    shape();
    if (frame.GetStyle() != fsDoble) return;
    InsetRect(f, frame.Dist2LU(), frame.Dist2LU());
    shape();
}
