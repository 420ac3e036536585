#include "gdi/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/Saturate.h"
#include "gdi/Graphic.h"
#include "gdi/LineBreak.h"

namespace {

int32_t Nearest(double v) {
    return static_cast<int32_t>(std::lround(v));
}

// The '&' marks of a menu caption: "&&" is a literal ampersand, a single one is dropped.
QString StripPrefixes(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') out += u'&';
            ++i;
            if (i < text.size() && text[i] != u'&') out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace

int TCanvas::SetMapMode(int mode) {
    const int previous = FMapping.Mode;
    FMapping.Mode = mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC ? mode : MM_TEXT;
    return previous;
}

bool TCanvas::SetWindowOrgEx(int32_t x, int32_t y, TPoint* previous) {
    if (previous) *previous = FMapping.WindowOrg;
    FMapping.WindowOrg = {x, y};
    return true;
}

bool TCanvas::SetWindowExtEx(int32_t cx, int32_t cy, TSize* previous) {
    if (previous) *previous = FMapping.WindowExt;
    // An extent of zero would make the mapping singular; the platform refuses it too.
    if (cx == 0 || cy == 0) return false;
    FMapping.WindowExt = {cx, cy};
    return true;
}

bool TCanvas::SetViewportOrgEx(int32_t x, int32_t y, TPoint* previous) {
    if (previous) *previous = FMapping.ViewportOrg;
    FMapping.ViewportOrg = {x, y};
    return true;
}

bool TCanvas::SetViewportExtEx(int32_t cx, int32_t cy, TSize* previous) {
    if (previous) *previous = FMapping.ViewportExt;
    if (cx == 0 || cy == 0) return false;
    FMapping.ViewportExt = {cx, cy};
    return true;
}

uint32_t TCanvas::SetTextAlign(uint32_t flags) {
    const uint32_t previous = FTextAlign;
    FTextAlign = flags;
    return previous;
}

int32_t TCanvas::SetTextCharacterExtra(int32_t extra) {
    const int32_t previous = FCharExtra;
    FCharExtra = extra;
    return previous;
}

bool TCanvas::SetTextJustification(int32_t extra, int32_t breaks) {
    FJustifyExtra = breaks > 0 ? extra : 0;
    FJustifyBreaks = std::max(breaks, 0);
    return true;
}

TDrawState TCanvas::State() const {
    TDrawState state;
    state.Pen = Pen;
    state.Brush = Brush;
    state.Font = Font.GetLogFont();
    state.FontColor = Font.Color();
    state.TextAlign = FTextAlign;
    state.CharExtra = FCharExtra;
    state.JustifyExtra = FJustifyExtra;
    state.JustifyBreaks = FJustifyBreaks;
    state.Mapping = FMapping;
    return state;
}

TTextLayout TCanvas::Layout(const QString& text, uint32_t align) const {
    return LayoutText(Font.GetLogFont(), text, FCharExtra, FJustifyExtra, FJustifyBreaks, align);
}

void TCanvas::TextOut(int32_t x, int32_t y, const QString& text) {
    if (!FDevice) return;
    FDevice->TextOut(State(), {x, y}, text, Layout(text, FTextAlign), nullptr);
}

void TCanvas::TextOuts(std::span<const std::pair<TPoint, QString>> texts) {
    if (!FDevice) return;
    std::vector<TTextPiece> pieces;
    pieces.reserve(texts.size());
    for (const auto& [p, text] : texts)
        pieces.push_back({p, text, Layout(text, FTextAlign)});
    FDevice->TextOuts(State(), pieces);
}

TSize TCanvas::TextExtent(const QString& text) const {
    const TTextLayout layout = Layout(text, FTextAlign);
    return {Nearest(layout.Width), Nearest(layout.CellHeight())};
}

int32_t TCanvas::DrawText(const QString& source, TRect& r, uint32_t flags) {
    const QString text = (flags & DT_NOPREFIX) ? source : StripPrefixes(source);
    TLogFont font = Font.GetLogFont();
    // DrawText writes upright from the top-left of each line, whatever the alignment and escapement.
    font.lfEscapement = font.lfOrientation = 0;
    auto measure = [&](const QString& s) { return LayoutText(font, s, FCharExtra, 0, 0, TA_LEFT | TA_TOP); };

    // A rectangle may span the whole coordinate range, wider than 32 bits can count.
    const int64_t rectWidth = int64_t{r.Right} - r.Left;
    const std::vector<QString> lines =
        BreakTextLines(text, flags, font, FCharExtra, static_cast<double>(rectWidth));

    const int32_t lineHeight = Nearest(measure(QString()).CellHeight());
    const int32_t total = Saturate32(int64_t{lineHeight} * static_cast<int64_t>(lines.size()));
    if (flags & DT_CALCRECT) {
        double widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, measure(line).Width);
        if (!(flags & DT_WORDBREAK) || Nearest(widest) > rectWidth)
            r.Right = Saturate32(int64_t{r.Left} + Nearest(widest));
        r.Bottom = Saturate32(int64_t{r.Top} + total);
        return total;
    }
    if (!FDevice) return total;

    int64_t y = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_BOTTOM)
            y = int64_t{r.Bottom} - lineHeight;
        else if (flags & DT_VCENTER)
            y = r.Top + (int64_t{r.Bottom} - r.Top - lineHeight) / 2;
    }
    TDrawState state = State();
    state.Font = font;
    state.TextAlign = TA_LEFT | TA_TOP;
    state.JustifyExtra = state.JustifyBreaks = 0;
    const bool clip = !(flags & DT_NOCLIP);
    for (const QString& line : lines) {
        if (clip && y >= r.Bottom) break;
        const TTextLayout layout = measure(line);
        int64_t x = r.Left;
        if (flags & DT_RIGHT)
            x = int64_t{r.Right} - Nearest(layout.Width);
        else if (flags & DT_CENTER)
            x = r.Left + (rectWidth - Nearest(layout.Width)) / 2;
        if (y + lineHeight > r.Top || !clip)
            FDevice->TextOut(state, {Saturate32(x), Saturate32(y)}, line, layout, clip ? &r : nullptr);
        y += lineHeight;
    }
    return total;
}

void TCanvas::LineTo(int32_t x, int32_t y) {
    if (FDevice) FDevice->Line(State(), FPenPos, {x, y});
    FPenPos = {x, y};
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (FDevice) FDevice->Rectangle(State(), {x1, y1, x2, y2});
}

void TCanvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                        int32_t cornerHeight) {
    if (FDevice) FDevice->RoundRect(State(), {x1, y1, x2, y2}, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (FDevice) FDevice->Ellipse(State(), {x1, y1, x2, y2});
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (FDevice && points.size() >= 2) FDevice->Polygon(State(), points);
}

void TCanvas::FillRect(const TRect& r) {
    if (FDevice) FDevice->FillRect(State(), r);
}

TColor TCanvas::Pixels(int32_t x, int32_t y) const {
    return FDevice ? FDevice->GetPixel(State(), {x, y}) : clNone;
}

void TCanvas::SetPixels(int32_t x, int32_t y, TColor color) {
    if (FDevice) FDevice->SetPixel(State(), {x, y}, color);
}

void TCanvas::Draw(int32_t x, int32_t y, const TGraphic& graphic) {
    if (graphic.Empty()) return;
    graphic.Draw(*this,
                 {x, y, Saturate32(int64_t{x} + graphic.Width()), Saturate32(int64_t{y} + graphic.Height())});
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
    if (!graphic.Empty()) graphic.Draw(*this, r);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image) {
    if (FDevice && !image.isNull()) FDevice->StretchImage(State(), r, image);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    if (!FDevice || !source.FDevice) return;
    StretchDraw(dest, source.FDevice->GrabImage(source.State(), sourceRect));
}

void TCanvas::Anchor(int32_t x, int32_t y) {
    const TPoint p{x, y};
    if (FDevice) FDevice->Anchor(FMapping, &p);
}

void TCanvas::Unanchor() {
    if (FDevice) FDevice->Anchor(FMapping, nullptr);
}

bool BitBlt(TCanvas& dest, int32_t x, int32_t y, int32_t w, int32_t h, const TCanvas& source, int32_t sx,
            int32_t sy) {
    if (!dest.Device() || !source.Device()) return false;
    dest.CopyRect({x, y, x + w, y + h}, source, {sx, sy, sx + w, sy + h});
    return true;
}
