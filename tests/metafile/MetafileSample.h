#pragma once

#include <cmath>
#include <memory>

#include "gdi/Canvas.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"

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

/// Maps a recording canvas of the sample page: tenths of a millimetre at 0.378 reference pixels.
inline void MapSampleRecording(TCanvas& c) {
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(SamplePageWidth, SamplePageHeight);
    c.SetViewportExtEx(std::lround(SamplePageWidth * 0.378), std::lround(SamplePageHeight * 0.378));
}

/// The sample page recorded as the preview records a sheet: 96 reference pixels per inch.
inline std::unique_ptr<TMetafile> RecordSamplePage() {
    auto page = std::make_unique<TMetafile>(SamplePageWidth * 10, SamplePageHeight * 10);
    TMetafileCanvas canvas(*page);
    MapSampleRecording(canvas);
    DrawSamplePage(canvas);
    return page;
}
