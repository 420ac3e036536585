#pragma once

#include "platform/Canvas.h"
#include "platform/Metafile.h"

/// A page of 105 by 74 mm mapped as the preview maps a sheet: tenths of a millimetre, 96 reference
/// pixels per inch.
constexpr int32_t SamplePageWidth = 1050;
constexpr int32_t SamplePageHeight = 740;

/// Maps the canvas so that the sample page fills width by height device pixels.
inline void MapSamplePage(TCanvas& c, int width, int height) {
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(SamplePageWidth, SamplePageHeight);
    c.SetViewportExtEx(width, height);
}

/// One label's worth of operations at (x, y), in tenths of a millimetre: a red frame, a blue
/// ellipse, a green polygon, black text (plain and turned), bars, a line and a pixel.
inline void DrawSampleLabel(TCanvas& c, int32_t x, int32_t y) {
    c.Pen = {clRed, 5, psInsideFrame, pmCopy};
    c.Brush = {clWhite, bsClear};
    c.Rectangle(x, y, x + 450, y + 300);
    c.Pen = {clNavy, 0, psSolid, pmCopy};
    c.Brush = {clBlue, bsSolid};
    c.Ellipse(x + 300, y + 30, x + 420, y + 150);
    c.Brush = {clLime, bsSolid};
    const TPoint triangle[] = {{x + 30, y + 280}, {x + 130, y + 280}, {x + 80, y + 200}};
    c.Polygon(triangle);
    c.Font.SetName("Arial");
    c.Font.SetHeight(60);
    c.Font.SetColor(clBlack);
    c.Brush.Style = bsClear;
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(x + 30, y + 30, "Label 42");
    TLogFont turned = c.Font.GetLogFont();
    turned.lfEscapement = 900;
    c.Font.SetLogFont(turned);
    c.TextOut(x + 250, y + 280, "Up");
    c.Brush = {clBlack, bsSolid};
    for (int i = 0; i < 8; ++i)
        c.FillRect({x + 150 + i * 12, y + 200, x + 156 + i * 12, y + 280});
    c.Pen = {clMaroon, 3, psSolid, pmCopy};
    c.MoveTo(x + 30, y + 170);
    c.LineTo(x + 280, y + 170);
    c.SetPixels(x + 440, y + 290, clRed);
}

inline void DrawSamplePage(TCanvas& c) {
    DrawSampleLabel(c, 50, 50);
    DrawSampleLabel(c, 550, 400);
}
