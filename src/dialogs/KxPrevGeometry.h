#pragma once

#include <QRect>

/// Zoom range and step of the preview window, in percent of a page's natural size.
inline constexpr int KxPrevMinZoom = 20;
inline constexpr int KxPrevMaxZoom = 400;
inline constexpr int KxPrevZoomStep = 10;

/// Z limited to the zoom range.
int KxLimitZoom(int Z);

/// The sheet panel fitted whole into an area of W by H pixels, for a page whose natural size is PW by
/// PH pixels (both at least 1): the page's proportions are kept within the area less 10 pixels, the
/// panel then lies 4 pixels in from that box's top-left corner. Sizes below 0 count as 0.
QRect KxFitPaper(int W, int H, int PW, int PH);

/// The sheet panel at Zoom percent of the page's natural size PW by PH, in a client area of CW by CH
/// pixels: centred along each axis on which the sheet fits, else from the corner; 16 pixels narrower
/// and lower than the zoomed page. Sizes are bounded by what a widget can take.
QRect KxZoomPaper(int Zoom, int PW, int PH, int CW, int CH);

/// The zoom at which a page of natural width PW (at least 1) is as wide as an area W pixels wide.
int KxWidthZoom(int W, int PW);
