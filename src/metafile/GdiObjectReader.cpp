#include "metafile/GdiObjectReader.h"

#include <algorithm>

#include "base/CodePage.h"

namespace {

// A colour reference's high byte flags a palette entry; the colour is its low three bytes.
TColor ReadColorRef(TByteReader& r) {
    return static_cast<TColor>(r.U32() & 0xFFFFFF);
}

} // namespace

TGdiObject TGdiObjectReader::Pen(TByteReader& r) const {
    const uint32_t style = Unsigned(r);
    const int32_t width = Int(r);
    Int(r);
    return {TGdiObject::TKind::Pen, style, width, ReadColorRef(r), {}};
}

TGdiObject TGdiObjectReader::ExtPen(TByteReader& r) const {
    r.Skip(16); // the optional pattern bitmap is not drawn
    const uint32_t style = r.U32();
    const int32_t width = r.I32();
    r.U32();
    return {TGdiObject::TKind::Pen, style, width, ReadColorRef(r), {}};
}

TGdiObject TGdiObjectReader::Brush(TByteReader& r) const {
    const uint32_t style = Unsigned(r);
    return {TGdiObject::TKind::Brush, style == 1 ? 1u : 0u, 0, ReadColorRef(r), {}};
}

TGdiObject TGdiObjectReader::Font(TByteReader& r) const {
    TGdiObject font{TGdiObject::TKind::Font, 0, 0, clBlack, {}};
    TLogFont& f = font.Font;
    f.lfHeight = Int(r);
    f.lfWidth = Int(r);
    f.lfEscapement = Int(r);
    f.lfOrientation = Int(r);
    f.lfWeight = Int(r);
    f.lfItalic = r.U8();
    f.lfUnderline = r.U8();
    f.lfStrikeOut = r.U8();
    f.lfCharSet = r.U8();
    r.Skip(4);
    f.lfFaceName = FaceName(r);
    return font;
}

// The name ends at its first NUL or after 32 characters; a record cut short ends it too.
QString TGdiObjectReader::FaceName(TByteReader& r) const {
    if (FFormat == TFormat::Wmf) {
        QByteArray name = r.Bytes(std::min<qsizetype>(32, r.Remaining()));
        name.truncate(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'));
        return FromCodePage(name);
    }
    QString name;
    for (int i = 0; i < 32 && r.Remaining() >= 2; ++i) {
        const uint16_t c = r.U16();
        if (c == 0) break;
        name += QChar(c);
    }
    return name;
}
