#pragma once

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <set>
#include <vector>

/// What a document needs of a TrueType face: its metrics and a copy holding only the glyphs used.
class TTrueTypeFace {
public:
    /// Reads the face's tables through table (a tag such as "glyf" to its bytes, empty when absent).
    /// Usable() is false for faces without TrueType outlines or with tables that do not add up.
    explicit TTrueTypeFace(const std::function<QByteArray(const char* tag)>& table);

    bool Usable() const { return FUsable; }
    int GlyphCount() const { return FGlyphCount; }
    /// The advance of a glyph in thousandths of the em.
    double Advance(uint32_t glyph) const;
    /// The face's box, ascent and descent in thousandths of the em.
    double BoxLeft() const { return Scaled(FBox[0]); }
    double BoxBottom() const { return Scaled(FBox[1]); }
    double BoxRight() const { return Scaled(FBox[2]); }
    double BoxTop() const { return Scaled(FBox[3]); }
    double Ascent() const { return Scaled(FAscent); }
    double Descent() const { return Scaled(FDescent); }

    /// A TrueType font of the same glyph count in which only these glyphs, the glyphs they are built
    /// of and glyph 0 keep their outlines and advances: glyph indexes stay valid, the rest is empty.
    QByteArray Subset(const std::set<uint32_t>& glyphs) const;

private:
    double Scaled(int v) const { return v * 1000.0 / FUnitsPerEm; }
    /// The bytes of a glyph's outline in glyf (empty for a glyph without outline).
    QByteArray Outline(uint32_t glyph) const;

    QByteArray FHead, FHhea, FMaxp, FGlyf, FHmtx, FCvt, FFpgm, FPrep;
    std::vector<uint32_t> FLoca;
    int FGlyphCount = 0;
    int FHMetrics = 0;
    int FUnitsPerEm = 1000;
    int FBox[4] = {0, 0, 0, 0};
    int FAscent = 0;
    int FDescent = 0;
    bool FUsable = false;
};
