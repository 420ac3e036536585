#pragma once

#include <cstdint>

#include "base/ByteReader.h"
#include "metafile/GdiPlayer.h"

/// Reads the pens, brushes and fonts of both metafile formats, which lay out the same fields in two
/// widths: EMF in 32-bit integers with a face name of UTF-16 characters, WMF in 16-bit integers with
/// a face name of 8-bit characters in the code page. Each call reads one object's fields from the
/// reader's position (after the object's slot number, which the EMF records carry first).
class TGdiObjectReader {
public:
    enum class TFormat { Emf, Wmf };

    explicit TGdiObjectReader(TFormat format)
        : FFormat(format) {}

    /// A logical pen: style, width (the x of a point whose y is unused) and colour.
    TGdiObject Pen(TByteReader& r) const;
    /// An EMF extended pen: drawn in its colour, its pattern bitmap ignored.
    TGdiObject ExtPen(TByteReader& r) const;
    /// A logical brush: solid or clear, hatched and pattern brushes drawn solid in their colour.
    TGdiObject Brush(TByteReader& r) const;
    /// A logical font: heights, angles and weight, style bytes, face name of at most 32 characters.
    TGdiObject Font(TByteReader& r) const;

private:
    int32_t Int(TByteReader& r) const { return FFormat == TFormat::Emf ? r.I32() : r.I16(); }
    uint32_t Unsigned(TByteReader& r) const { return FFormat == TFormat::Emf ? r.U32() : r.U16(); }
    QString FaceName(TByteReader& r) const;

    TFormat FFormat;
};
