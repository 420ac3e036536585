#pragma once

#include <map>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <unordered_map>
#include <vector>

#include "gdi/Font.h"

/// The design metrics of one face (family, weight, italic), resolved through fontconfig ("Arial" is
/// Liberation Sans) and measured once, unhinted, so that widths scale linearly with the em and do not
/// depend on the device. Faces are cached per process; use them on the GUI thread only.
class TFontFace {
public:
    /// The face a logical font names (its height and escapement play no part).
    static const TFontFace& For(const TLogFont& log);

    /// Ascent and descent as fractions of the em.
    double Ascent() const { return FAscent; }
    double Descent() const { return FDescent; }
    /// Underline offset below the baseline, line thickness and strike-out height, fractions of the em.
    double UnderlinePosition() const { return FUnderline; }
    double LineThickness() const { return FThickness; }
    double StrikeOutPosition() const { return FStrikeOut; }
    /// The em height in logical units for a font height (positive: the cell; negative: the em).
    double EmFor(int32_t height) const;
    /// One glyph index per code point of the text (0 where the face has no glyph).
    std::vector<quint32> Glyphs(const QString& text) const;
    /// The advance of each glyph as a fraction of the em.
    std::vector<double> Advances(const std::vector<quint32>& glyphs) const;
    /// The face at a pixel size, for rendering. The faces of the last sizes asked for are kept, so
    /// that redrawing reuses their rendered glyphs.
    QRawFont RawFont(double pixelSize) const;
    /// The outlines of glyphs with their baseline origins at positions (pixels), for an em of
    /// pixelSize pixels: scaled from the reference size, so any size or stretch is safe to fill.
    QPainterPath Outlines(const QList<quint32>& glyphs, const QList<QPointF>& positions,
                          double pixelSize) const;

private:
    explicit TFontFace(const QRawFont& font);

    QRawFont FFont;
    double FAscent = 0.905;
    double FDescent = 0.212;
    double FUnderline = 0.1;
    double FThickness = 0.07;
    double FStrikeOut = 0.26;
    mutable std::map<double, QRawFont> FSized;
    // Advance per glyph index, fraction of the em; bounded by the face's glyph count.
    mutable std::unordered_map<quint32, double> FAdvances;
};
