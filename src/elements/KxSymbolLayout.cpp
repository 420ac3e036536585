#include "elements/KxSymbolLayout.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "elements/KxBarcodeTurn.h"
#include "gdi/CanvasTypes.h"

namespace {

// An unturned rectangle in label units, 64 bits wide.
struct TSpan {
    int64_t Left, Top, Right, Bottom;
};

// The dark modules as rectangles: a run of a row goes on down while the rows below repeat it exactly.
std::vector<TSpan> DarkSpans(const TKxEncodedSymbol& E, int64_t x0, int64_t y0, int64_t w, int64_t rowH) {
    std::vector<TSpan> spans;
    std::map<std::pair<int, int>, size_t> open; // run's first and end column, to its span
    for (int r = 0; r < E.Rows; ++r) {
        std::map<std::pair<int, int>, size_t> next;
        const int64_t top = y0 + r * rowH;
        for (int c = 0; c < E.Columns;) {
            if (!E.Dark(r, c)) {
                ++c;
                continue;
            }
            const int first = c;
            while (c < E.Columns && E.Dark(r, c))
                ++c;
            const std::pair<int, int> run{first, c};
            if (const auto it = open.find(run); it != open.end()) {
                spans[it->second].Bottom = top + rowH;
                next.emplace(run, it->second);
            } else {
                next.emplace(run, spans.size());
                spans.push_back({x0 + first * w, top, x0 + c * w, top + rowH});
            }
        }
        open = std::move(next);
    }
    return spans;
}

} // namespace

void LayoutEncodedSymbol(const TKxBarcodeShape& S, const TKxEncodedSymbol& E, const TPoint& K, int32_t Angle,
                         TKxBarcodeLayout& L) {
    const int64_t w = S.Width;
    const bool matrix = KxMatrixKind(S.BarType);
    const int64_t quiet = KxQuietModules(S.BarType) * w;
    const int64_t qx = std::max<int64_t>(S.LeftMargin, quiet);
    const int64_t qy = matrix ? std::max<int64_t>(S.TopMargin, quiet) : S.TopMargin;
    const int64_t bearer = S.BarType == baITF14 ? KxBearerModules * w : 0;
    int64_t rowH = S.Height;
    if (S.BarType == baPDF417)
        rowH = std::max<int64_t>(3 * w, S.Height / std::max(E.Rows, 1));
    else if (matrix)
        rowH = w;
    const int64_t width = 2 * qx + E.Columns * w;
    const int64_t x0 = int64_t{K.X} + qx;
    const int64_t barsTop = int64_t{K.Y} + qy + bearer;
    const int64_t barsBottom = barsTop + rowH * E.Rows;
    const bool text = !matrix && S.ShowNumber && !E.Text.isEmpty();
    L.FontHeight = S.FontHeight;
    L.CharSpace = S.CharSpace;
    L.Box = BarcodeTurnedRect(K.X, K.Y, int64_t{K.X} + width,
                              barsBottom + bearer + qy + (text ? S.FontHeight : 0), K, Angle);

    for (const TSpan& s : DarkSpans(E, x0, barsTop, w, rowH))
        L.Bars.push_back(BarcodeTurnedRect(s.Left, s.Top, s.Right, s.Bottom, K, Angle));
    if (bearer) {
        // Across the quiet zones too, so a slanted scan line cannot leave the symbol through its edge.
        L.Bars.push_back(BarcodeTurnedRect(K.X, barsTop - bearer, int64_t{K.X} + width, barsTop, K, Angle));
        L.Bars.push_back(
            BarcodeTurnedRect(K.X, barsBottom, int64_t{K.X} + width, barsBottom + bearer, K, Angle));
    }
    if (!text) return;
    L.TextAlign = TA_CENTER | TA_TOP;
    L.Texts.push_back({BarcodeTurned(int64_t{K.X} + width / 2, barsBottom + bearer, K, Angle), E.Text});
}
