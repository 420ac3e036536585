#pragma once

#include <cstdint>

#include "gdi/Canvas.h"

/// Every kind of canvas output (lines plain, wide and dashed, figures, a polygon, fills, a pixel,
/// bars, text with a cell, a clipped paragraph, turned text, a picture), around (X, Y) in tenths of
/// a millimetre.
void DrawCanvasCell(TCanvas& C, int32_t X, int32_t Y);
