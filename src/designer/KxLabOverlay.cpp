#include "designer/KxLab.h"
#include "label/KxRulers.h"

// Rubber bands and marks change only the overlay and repaint the pixels they touch: the
// composed surface is never redrawn for them, so a drag costs two outlines per mouse move.

void TKxLab::ToggleFigure(TKxOverlay::TKind Kind, std::array<TPoint, 3> Points, TColor Color) {
    update(FOverlay.Toggle({Kind, Points, Color}));
}

void TKxLab::DrawShape(const TPoint& P1, const TPoint& P2) {
    switch (FDrawTool) {
    case dwLine: ToggleFigure(TKxOverlay::TKind::Line, {P1, P2}, GetSelColor()); break;
    case dwRect:
    case dwImage:
    case dwParagraph: ToggleFigure(TKxOverlay::TKind::Frame, {P1, P2}, GetSelColor()); break;
    default: break;
    }
}

void TKxLab::DrawDrag(const TPoint& P1, const TPoint& P2, bool IsRect) {
    if (!IsRect) {
        ToggleFigure(TKxOverlay::TKind::Line, {P1, P2}, GetSelColor());
        return;
    }
    if (FMarks.DragState == drSizes) {
        FMarks.PlaceSizeHandles(P1, P2);
        for (const TRect& h : {FMarks.HandleLeft, FMarks.HandleRight, FMarks.HandleTop, FMarks.HandleBottom})
            ToggleFigure(TKxOverlay::TKind::Frame, {h.TopLeft(), h.BottomRight()}, GetSelColor());
    }
    ToggleFigure(TKxOverlay::TKind::Frame, {P1, P2}, GetSelColor());
}

void TKxLab::DrawMarks(const TPoint& P) {
    if (P.X < 20 || P.Y < 20) return;
    if (P.X < GetMinLeft() || P.X > GetMaxRight() || P.Y < GetMinTop() || P.Y > GetMaxBottom()) return;
    update(FOverlay.AddRulerMarks(P, GetRulers()->GetMarkColor()));
}

void TKxLab::DrawAligns(const TPoint& P) {
    const TColor color = GetRulers()->GetTickColor();
    if (FMarks.DragType == dtAlignLeft) {
        ToggleFigure(TKxOverlay::TKind::Triangle, {{{P.X - 4, 10}, {P.X, 19}, {P.X + 4, 10}}}, color);
        ToggleFigure(TKxOverlay::TKind::Line, {TPoint{P.X, 4}, TPoint{P.X, height()}}, color);
    } else if (FMarks.DragType == dtAlignTop) {
        ToggleFigure(TKxOverlay::TKind::Triangle, {{{10, P.Y - 4}, {19, P.Y}, {10, P.Y + 4}}}, color);
        ToggleFigure(TKxOverlay::TKind::Line, {TPoint{4, P.Y}, TPoint{width(), P.Y}}, color);
    }
}
