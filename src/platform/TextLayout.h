#pragma once

#include <cstdint>
#include <QPointF>
#include <QString>
#include <vector>

#include "platform/Font.h"

/// One line of text laid out in logical units, in the text's own (unturned) frame: x along the
/// baseline, y downwards, the reference point of TextOut at (0, 0).
struct TTextLayout {
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
TTextLayout LayoutText(const TLogFont& font, const QString& text, int32_t charExtra, int32_t justExtra,
                       int32_t justBreaks, uint32_t align);
