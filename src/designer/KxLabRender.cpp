#include <QPainter>
#include <QPaintEvent>

#include "designer/KxBackSurf.h"
#include "designer/KxLab.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"

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

void TKxLab::DrawAll(TKxDrawRuler /*Which*/) {
    TCanvas& canvas = FLabScreen->Canvas();
    canvas.Brush.Color = FColor;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(TRect{0, 0, width(), height()});
}

void TKxLab::Paint() {
    update();
}

void TKxLab::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), FLabScreen->Image(), event->rect());
}

void TKxLab::AdjustAligns() {
    const int32_t gx = GetXLeft();
    const int32_t gy = GetYTop();
    FMarks.AlignLeftMark = {gx - 4, 10, gx + 4, 19};
    FMarks.AlignTopMark = {10, gy - 4, 19, gy + 4};
}

void TKxLab::ClearSelection() {
    if (IsLoading()) return;
    FMarks.ClearHandles();
}

TCanvas* TKxLab::GetCanvas(TKxDrawType DrawType) {
    switch (DrawType) {
    case tdLab: return &FLabScreen->Canvas();
    case tdPrint: return &Printer().Canvas();
    case tdPreview: return FPreviewCanvas;
    }
    return nullptr;
}
