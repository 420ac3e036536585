#pragma once

#include <cstdint>
#include <map>
#include <QRawFont>
#include <QString>
#include <string>

#include "print/TrueTypeSubset.h"

class TPdfFile;

/// One face embedded in a PDF as a composite font: glyph indexes are the character codes, the face
/// is a TrueType subset written once at the end, and a map from glyphs to characters keeps the
/// text searchable and copyable.
class TPdfFont {
public:
    TPdfFont(const QRawFont& font, int object);

    bool Usable() const { return FFace.Usable(); }
    int ObjectNumber() const { return FObject; }
    /// The glyph's advance in thousandths of the em, as the font's widths tell a reader.
    double Advance(uint32_t glyph);
    /// Records a glyph as used, with the character it shows (0 when unknown).
    void Use(uint32_t glyph, char32_t character);
    bool Knows(uint32_t glyph) const { return FUsed.count(glyph) > 0; }
    /// Writes the font's objects, the one reserved first included.
    void Write(TPdfFile& file, int index) const;

private:
    std::string ToUnicode() const;
    std::string Widths() const;

    TTrueTypeFace FFace;
    QString FName;
    int FObject;
    std::map<uint32_t, char32_t> FUsed;
};
