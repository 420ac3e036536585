#pragma once

#include <cstdint>
#include <QImage>
#include <QString>
#include <span>

#include "base/Geometry.h"
#include "gdi/CanvasTypes.h"
#include "gdi/Font.h"
#include "gdi/Mapping.h"
#include "gdi/TextLayout.h"
#include "kxlab_export.h"

/// Everything a device needs to know about the canvas at the moment of one operation.
struct KXLAB_EXPORT TDrawState {
    TPen Pen;
    TBrush Brush;
    /// The font record (escapement included) and its colour.
    TLogFont Font;
    TColor FontColor = clBlack;
    uint32_t TextAlign = TA_LEFT | TA_TOP;
    int32_t CharExtra = 0;
    int32_t JustifyExtra = 0;
    int32_t JustifyBreaks = 0;
    TMapping Mapping;

    friend bool operator==(const TDrawState&, const TDrawState&) = default;
};

/// The seam between TCanvas and what it draws on.
///
/// TCanvas keeps the state (pen, brush, font, text settings, mapping, current position), works out
/// everything that does not depend on the device (text layout with character extra, justification and
/// alignment; DrawText's line breaking, placement and clip; Draw's natural size) and hands each
/// operation to its device together with a snapshot of the state. Coordinates reach the device in
/// logical units, as the caller gave them; the device maps them with State.Mapping.
///
/// A device therefore holds no canvas state of its own. A painter device renders each call at once;
/// a recording device appends each call, with its state, to a page, and replays a page by making the
/// same calls on another canvas after setting its own mapping (State.Mapping tells it the recorded
/// scale). The calls correspond one to one to the platform's metafile records: line, rectangle,
/// rounded rectangle, ellipse, polygon, fill, pixel, text output with clip and spacing, stretched
/// image. State changes are implicit in the snapshots; a recorder that writes state records emits
/// them where a snapshot differs from the previous one.
///
/// Semantics every device honours (raster devices to the pixel, vector devices geometrically):
/// - The right and bottom edges of Rectangle, FillRect, RoundRect and Ellipse are outside the figure,
///   and Line leaves out its end point.
/// - Pen width 0 is one device pixel; otherwise the width is in logical units, scaled by the mapping.
///   psInsideFrame keeps the whole stroke of a closed figure inside its box; psClear draws no outline.
/// - Figures are filled with the brush unless it is clear; Line and the outline use the pen only.
/// - pmNotXor applies the inverted exclusive or to pen and brush output, so a second identical call
///   restores the device (raster devices; vector devices draw as pmCopy).
/// One text of TCanvasDevice::TextOuts: its reference point, its characters and their layout.
struct TTextPiece {
    TPoint P;
    QString Text;
    TTextLayout Layout;
};

class KXLAB_EXPORT TCanvasDevice {
public:
    virtual ~TCanvasDevice() = default;

    /// A line from A to B with the pen; B itself is not drawn.
    virtual void Line(const TDrawState& state, const TPoint& a, const TPoint& b) = 0;
    /// The rectangle R (corners in any order) outlined with the pen and filled with the brush.
    virtual void Rectangle(const TDrawState& state, const TRect& r) = 0;
    /// As Rectangle, with corners rounded by an ellipse cornerWidth by cornerHeight logical units.
    virtual void RoundRect(const TDrawState& state, const TRect& r, int32_t cornerWidth,
                           int32_t cornerHeight) = 0;
    /// The ellipse inscribed in R, outlined and filled.
    virtual void Ellipse(const TDrawState& state, const TRect& r) = 0;
    /// The closed polygon through the points, outlined and filled (alternate filling).
    virtual void Polygon(const TDrawState& state, std::span<const TPoint> points) = 0;
    /// R filled with the brush colour (whatever the brush style); no outline.
    virtual void FillRect(const TDrawState& state, const TRect& r) = 0;
    /// One device pixel at P set to the colour.
    virtual void SetPixel(const TDrawState& state, const TPoint& p, TColor color) = 0;
    /// The colour of the device pixel at P, or clNone.
    virtual TColor GetPixel(const TDrawState& state, const TPoint& p) const = 0;
    /// One line of text at reference point P, laid out by the canvas (TTextLayout, in logical units
    /// relative to P, turned by its escapement). With a solid brush the text cell is first filled
    /// with the brush colour. clip, when given, limits the output to that logical rectangle.
    virtual void TextOut(const TDrawState& state, const TPoint& p, const QString& text,
                         const TTextLayout& layout, const TRect* clip) = 0;
    /// Texts in one state, each at its own reference point as TextOut draws it, without clip: a vector
    /// device may write them as one text object. By default one TextOut each.
    virtual void TextOuts(const TDrawState& state, std::span<const TTextPiece> pieces) {
        for (const TTextPiece& t : pieces)
            TextOut(state, t.P, t.Text, t.Layout, nullptr);
    }
    /// The image stretched into R (source copy, no smoothing).
    virtual void StretchImage(const TDrawState& state, const TRect& r, const QImage& image) = 0;
    /// A copy of the device pixels under the logical rectangle R, or a null image for devices that
    /// keep no pixels.
    virtual QImage GrabImage(const TDrawState& state, const TRect& r) const = 0;
    /// What follows is drawn around the logical point P, and much the same around the next anchor (a
    /// run's label cells): a vector device may write it relative to P, so repeats read alike and
    /// compress. Null clears the anchor. Nothing drawn changes place.
    virtual void Anchor(const TMapping& /*mapping*/, const TPoint* /*p*/) {}
};
