#pragma once

#include <cstdint>
#include <QImage>
#include <QString>
#include <span>
#include <utility>

#include "base/Geometry.h"
#include "gdi/CanvasDevice.h"
#include "gdi/CanvasTypes.h"
#include "gdi/Font.h"
#include "gdi/Mapping.h"
#include "gdi/TextLayout.h"
#include "kxlab_export.h"

class TGraphic;

/// The GDI-style drawing surface that elements, the designer and the print engine draw on.
///
/// Coordinates are 32-bit logical units; the mapping (SetMapMode and the window and viewport
/// origins and extents) turns them into device pixels. The canvas holds pen, brush, font and text
/// state and forwards every operation, with a snapshot of that state, to its device (see
/// TCanvasDevice). It does not own the device; the owner of both (TBitmap, TPrinter, a metafile
/// recorder) keeps the device alive as long as the canvas.
class KXLAB_EXPORT TCanvas {
public:
    explicit TCanvas(TCanvasDevice* device = nullptr)
        : FDevice(device) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TCanvasDevice* Device() const { return FDevice; }
    void SetDevice(TCanvasDevice* device) { FDevice = device; }

    TPen Pen;
    TBrush Brush;
    TFont Font;

    /// MM_TEXT, MM_ISOTROPIC or MM_ANISOTROPIC (anything else counts as MM_TEXT); answers the previous mode.
    int SetMapMode(int mode);
    int GetMapMode() const { return FMapping.Mode; }
    bool SetWindowOrgEx(int32_t x, int32_t y, TPoint* previous = nullptr);
    bool SetWindowExtEx(int32_t cx, int32_t cy, TSize* previous = nullptr);
    bool SetViewportOrgEx(int32_t x, int32_t y, TPoint* previous = nullptr);
    bool SetViewportExtEx(int32_t cx, int32_t cy, TSize* previous = nullptr);
    const TMapping& Mapping() const { return FMapping; }
    void SetMapping(const TMapping& mapping) { FMapping = mapping; }
    /// Logical to device pixels and back, rounded.
    TPoint LPtoDP(const TPoint& p) const { return FMapping.ToDevice(p); }
    TPoint DPtoLP(const TPoint& p) const { return FMapping.ToLogical(p); }

    /// TA_ flags for later text output; answers the previous flags.
    uint32_t SetTextAlign(uint32_t flags);
    uint32_t GetTextAlign() const { return FTextAlign; }
    /// Extra logical units after every character of later text, counted in extents; answers the old value.
    int32_t SetTextCharacterExtra(int32_t extra);
    int32_t GetTextCharacterExtra() const { return FCharExtra; }
    /// Spreads extra logical units over breaks space characters of later text output and extents
    /// (the remainder one unit each to the first spaces) until reset with (0, 0).
    bool SetTextJustification(int32_t extra, int32_t breaks);

    /// Writes the text at its reference point (SetTextAlign), turned by the font's escapement.
    /// A solid brush fills the text cell first; a clear brush leaves the background.
    void TextOut(int32_t x, int32_t y, const QString& text);
    /// Texts at their reference points, each as TextOut draws it; the device may write them as one.
    void TextOuts(std::span<const std::pair<TPoint, QString>> texts);
    /// Width and cell height of the text in logical units, character extra and justification included.
    TSize TextExtent(const QString& text) const;
    int32_t TextWidth(const QString& text) const { return TextExtent(text).cx; }
    int32_t TextHeight(const QString& text) const { return TextExtent(text).cy; }
    /// An empty running measure in the current font and character extra, without justification:
    /// appending pieces gives the TextWidth of the pieces joined while justification is reset.
    TTextMeasure TextMeasure() const { return {Font.GetLogFont(), FCharExtra}; }
    /// Writes text into R by DT_ flags: breaks at CR/LF (and at spaces with DT_WORDBREAK, never
    /// inside a word), keeps empty lines, steps by the cell height, aligns each line by DT_LEFT,
    /// DT_CENTER or DT_RIGHT and clips to R unless DT_NOCLIP. The text alignment and escapement are
    /// not used. Without DT_NOPREFIX a single '&' is dropped and "&&" gives '&'. DT_CALCRECT only
    /// measures, setting R's right and bottom. Answers the height of the text.
    int32_t DrawText(const QString& text, TRect& r, uint32_t flags);

    void MoveTo(int32_t x, int32_t y) { FPenPos = {x, y}; }
    /// A line from the current position to (x, y), which is left out and becomes the current position.
    void LineTo(int32_t x, int32_t y);
    TPoint PenPos() const { return FPenPos; }
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    /// Rounded corners: an ellipse of cornerWidth by cornerHeight logical units at each corner.
    void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth, int32_t cornerHeight);
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(std::span<const TPoint> points);
    /// Fills R with the brush, without outline.
    void FillRect(const TRect& r);
    /// The colour at a logical point, or clNone where the device keeps no pixels.
    TColor Pixels(int32_t x, int32_t y) const;
    void SetPixels(int32_t x, int32_t y, TColor color);

    /// The graphic at its natural size: one graphic pixel per logical unit, top-left at (x, y).
    void Draw(int32_t x, int32_t y, const TGraphic& graphic);
    /// The graphic scaled into R.
    void StretchDraw(const TRect& r, const TGraphic& graphic);
    /// An image scaled into R (what a bitmap graphic draws with).
    void StretchDraw(const TRect& r, const QImage& image);
    /// Copies the source canvas's pixels under sourceRect into dest (logical units of each canvas).
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

    /// Marks (x, y) as the point what follows is drawn around, for devices that write output relative
    /// to it (see TCanvasDevice::Anchor); Unanchor ends that.
    void Anchor(int32_t x, int32_t y);
    void Unanchor();

    /// The state a device receives with the next operation.
    TDrawState State() const;

private:
    TTextLayout Layout(const QString& text, uint32_t align) const;

    TCanvasDevice* FDevice = nullptr;
    TMapping FMapping;
    TPoint FPenPos;
    uint32_t FTextAlign = TA_LEFT | TA_TOP;
    int32_t FCharExtra = 0;
    int32_t FJustifyExtra = 0;
    int32_t FJustifyBreaks = 0;
};

/// Copies a w by h block from (sx, sy) of the source canvas to (x, y) of the destination (source copy).
KXLAB_EXPORT bool BitBlt(TCanvas& dest, int32_t x, int32_t y, int32_t w, int32_t h, const TCanvas& source,
                         int32_t sx, int32_t sy);
