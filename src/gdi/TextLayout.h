#pragma once

#include <cstdint>
#include <QPointF>
#include <QString>
#include <vector>

#include "gdi/Font.h"
#include "kxlab_export.h"

class TFontFace;

/// One line of text laid out in logical units, in the text's own (unturned) frame: x along the
/// baseline, y downwards, the reference point of TextOut at (0, 0).
struct KXLAB_EXPORT TTextLayout {
    /// One glyph per code point of the text.
    std::vector<quint32> Glyphs;
    /// Pen position of each glyph from the start of the text.
    std::vector<double> X;
    /// Advances plus character extra plus justification: the cell width.
    double Width = 0;
    /// The em height and the cell above and below the baseline.
    double Em = 0;
    double Ascent = 0;
    double Descent = 0;
    /// Where the baseline starts, from the reference point, after the alignment flags.
    QPointF Start;
    /// Counter-clockwise turn of the frame on the page, in tenths of a degree.
    int32_t Escapement = 0;

    /// The text cell (what a solid brush fills) in the text's frame.
    double CellLeft() const { return Start.x(); }
    double CellTop() const { return Start.y() - Ascent; }
    double CellHeight() const { return Ascent + Descent; }
};

/// Lays out one line. charExtra is added after every character, the last one included; justExtra
/// is spread over the spaces of the text, justExtra / justBreaks each, the remainder one unit each
/// to the first spaces (no effect when justBreaks is 0). align takes TA_ flags.
KXLAB_EXPORT TTextLayout LayoutText(const TLogFont& font, const QString& text, int32_t charExtra,
                                    int32_t justExtra, int32_t justBreaks, uint32_t align);

/// The width of a line measured piece by piece, as LayoutText measures the pieces joined without
/// justification: each piece continues the same running sum, so the result is the same to the last
/// bit. Word wrapping tries each next word against the line so far without measuring the line again.
class KXLAB_EXPORT TTextMeasure {
public:
    TTextMeasure(const TLogFont& font, int32_t charExtra);
    /// Adds the advances (and character extra) of text to the width.
    void Append(const QString& text);
    void Clear() { FWidth = 0; }
    /// The width in logical units, and rounded to the nearest unit as TextWidth gives it.
    double Width() const { return FWidth; }
    int32_t Rounded() const;

private:
    const TFontFace* FFace;
    double FEm;
    int32_t FExtra;
    double FWidth = 0;
};
