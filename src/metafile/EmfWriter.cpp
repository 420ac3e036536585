#include "metafile/EmfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <QImage>

#include "base/Geometry.h"
#include "metafile/EmfRecords.h"
#include "metafile/Metafile.h"

using namespace Emf;

namespace {

// The reference device: 1920 by 1440 pixels on 508 by 381 mm, exactly 96 pixels per inch.
constexpr int32_t DevicePixelsX = 1920;
constexpr int32_t DevicePixelsY = 1440;
constexpr int32_t DeviceMMX = 508;
constexpr int32_t DeviceMMY = 381;
// Handle slots: 0 is the metafile itself, then two per object kind.
constexpr uint32_t HandleCount = 7;

// A text position in 32-bit logical units: the layout of a huge font from a picture file reaches
// past that range, where its advances stop.
int32_t Nearest(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::lround(std::clamp<double>(v, INT32_MIN, INT32_MAX)));
}

} // namespace

/// One record's body being assembled, little-endian.
class TEmfWriter::TRecord {
public:
    explicit TRecord(uint32_t type)
        : FType(type) {}
    TRecord& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            FBody.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        return *this;
    }
    TRecord& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    TRecord& U16(uint16_t v) {
        FBody.append(static_cast<char>(v & 0xFF));
        FBody.append(static_cast<char>(v >> 8));
        return *this;
    }
    TRecord& U8(uint8_t v) {
        FBody.append(static_cast<char>(v));
        return *this;
    }
    TRecord& F32(float v) {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return U32(bits);
    }
    TRecord& Rect(const TRect& r) { return I32(r.Left).I32(r.Top).I32(r.Right).I32(r.Bottom); }
    TRecord& Raw(const QByteArray& bytes) {
        FBody.append(bytes);
        return *this;
    }
    /// UTF-16 text in a field of count characters (0: just the text), zero-padded.
    TRecord& Utf16(const QString& text, int count = 0) {
        const int n = count > 0 ? std::min<int>(static_cast<int>(text.size()), count - 1)
                                : static_cast<int>(text.size());
        for (int i = 0; i < n; ++i)
            U16(text[i].unicode());
        for (int i = n; i < count; ++i)
            U16(0);
        return *this;
    }
    TRecord& Align4() {
        while (FBody.size() % 4)
            FBody.append('\0');
        return *this;
    }
    /// Offset from the start of the record of the next byte written.
    uint32_t Offset() const { return static_cast<uint32_t>(FBody.size() + 8); }
    uint32_t Type() const { return FType; }
    const QByteArray& Body() const { return FBody; }

private:
    uint32_t FType;
    QByteArray FBody;
};

TEmfWriter::TEmfWriter(const TMetafile& page)
    : FPage(page) {}

void TEmfWriter::Emit(const TRecord& record) {
    TRecord head(0);
    head.U32(record.Type()).U32(static_cast<uint32_t>(record.Body().size() + 8));
    FOut.append(head.Body());
    FOut.append(record.Body());
    ++FRecordCount;
}

QByteArray TEmfWriter::Bytes() {
    FOut.clear();
    FRecordCount = 0;
    const int32_t w = std::max(FPage.Width(), 1);
    const int32_t h = std::max(FPage.Height(), 1);
    TRecord header(EMR_HEADER);
    header.Rect({0, 0, w - 1, h - 1})
        .Rect({0, 0, std::max(FPage.MMWidth() - 1, 0), std::max(FPage.MMHeight() - 1, 0)})
        .U32(Signature)
        .U32(0x10000)
        .U32(0) // total size, filled in at the end
        .U32(0) // record count, likewise
        .U16(HandleCount)
        .U16(0)
        .U32(0) // no description
        .U32(0)
        .U32(0) // no palette
        .I32(DevicePixelsX)
        .I32(DevicePixelsY)
        .I32(DeviceMMX)
        .I32(DeviceMMY)
        .U32(0) // no pixel format
        .U32(0)
        .U32(0) // not OpenGL
        .I32(DeviceMMX * 1000)
        .I32(DeviceMMY * 1000);
    Emit(header);
    Emit(TRecord(EMR_SETMAPMODE).U32(MM_ANISOTROPIC));
    Emit(TRecord(EMR_SETPOLYFILLMODE).U32(1)); // alternate

    for (const TMetaRecord& record : FPage.Records())
        Operation(record, FPage.States()[record.State]);

    // Leave no object of ours selected or alive at the end.
    if (FPenSlot) Select(NULL_PEN, FPenSlot);
    if (FBrushSlot) Select(NULL_BRUSH, FBrushSlot);
    if (FFontSlot) Select(SYSTEM_FONT, FFontSlot);
    Emit(TRecord(EMR_EOF).U32(0).U32(16).U32(20));

    const auto size = static_cast<uint32_t>(FOut.size());
    for (int i = 0; i < 4; ++i) {
        FOut[48 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        FOut[52 + i] = static_cast<char>((FRecordCount >> (8 * i)) & 0xFF);
    }
    return FOut;
}

void TEmfWriter::Mapping(const TMapping& mapping) {
    if (FMapping && *FMapping == mapping) return;
    FMapping = mapping;
    // Written as anisotropic extents with the scale the canvas uses, so that every reader agrees.
    TSize window{1, 1};
    TSize viewport{1, 1};
    if (mapping.Mode == MM_ANISOTROPIC) {
        window = mapping.WindowExt;
        viewport = mapping.ViewportExt;
    } else if (mapping.Mode == MM_ISOTROPIC) {
        const TSize& we = mapping.WindowExt;
        const TSize& ve = mapping.ViewportExt;
        // The smaller of the two ratios, as a fraction of whole numbers.
        const bool byX = std::abs(double(ve.cx) / we.cx) <= std::abs(double(ve.cy) / we.cy);
        const int32_t num = std::abs(byX ? ve.cx : ve.cy);
        const int32_t den = std::abs(byX ? we.cx : we.cy);
        window = {we.cx < 0 ? -den : den, we.cy < 0 ? -den : den};
        viewport = {ve.cx < 0 ? -num : num, ve.cy < 0 ? -num : num};
    }
    Emit(TRecord(EMR_SETWINDOWORGEX).I32(mapping.WindowOrg.X).I32(mapping.WindowOrg.Y));
    Emit(TRecord(EMR_SETWINDOWEXTEX).I32(window.cx).I32(window.cy));
    Emit(TRecord(EMR_SETVIEWPORTORGEX).I32(mapping.ViewportOrg.X).I32(mapping.ViewportOrg.Y));
    Emit(TRecord(EMR_SETVIEWPORTEXTEX).I32(viewport.cx).I32(viewport.cy));
}

void TEmfWriter::Select(uint32_t object, uint32_t& current) {
    Emit(TRecord(EMR_SELECTOBJECT).U32(object));
    if (current) Emit(TRecord(EMR_DELETEOBJECT).U32(current));
    current = (object & StockObject) ? 0 : object;
}

void TEmfWriter::Pen(const TPen& pen) {
    if (FPen && *FPen == pen) return;
    FPen = pen;
    if (pen.Style == psClear) {
        Select(NULL_PEN, FPenSlot);
        return;
    }
    const uint32_t slot = FPenSlot == 1 ? 2 : 1;
    // Our pen styles have the platform's ordinals.
    Emit(TRecord(EMR_CREATEPEN)
             .U32(slot)
             .U32(static_cast<uint32_t>(pen.Style))
             .I32(std::max(pen.Width, 0))
             .I32(0)
             .U32(static_cast<uint32_t>(pen.Color) & 0xFFFFFF));
    Select(slot, FPenSlot);
}

void TEmfWriter::Brush(const TBrush& brush) {
    if (FBrush && *FBrush == brush) return;
    FBrush = brush;
    if (brush.Style == bsClear) {
        Select(NULL_BRUSH, FBrushSlot);
        return;
    }
    const uint32_t slot = FBrushSlot == 3 ? 4 : 3;
    Emit(TRecord(EMR_CREATEBRUSHINDIRECT)
             .U32(slot)
             .U32(0)
             .U32(static_cast<uint32_t>(brush.Color) & 0xFFFFFF)
             .U32(0));
    Select(slot, FBrushSlot);
}

void TEmfWriter::Font(const TLogFont& font) {
    if (FFont && *FFont == font) return;
    FFont = font;
    const uint32_t slot = FFontSlot == 5 ? 6 : 5;
    TRecord r(EMR_EXTCREATEFONTINDIRECTW);
    r.U32(slot)
        .I32(font.lfHeight)
        .I32(font.lfWidth)
        .I32(font.lfEscapement)
        .I32(font.lfEscapement) // orientation follows the escapement, as the canvas draws it
        .I32(font.lfWeight)
        .U8(font.lfItalic)
        .U8(font.lfUnderline)
        .U8(font.lfStrikeOut)
        .U8(font.lfCharSet)
        .U8(0) // out precision
        .U8(0) // clip precision
        .U8(4) // antialiased quality
        .U8(0) // pitch and family
        .Utf16(font.lfFaceName, 32)
        .Utf16(QString(), 64) // full name
        .Utf16(QString(), 32) // style
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)                    // version, style size, match, reserved, vendor, culture
        .Raw(QByteArray(10, '\0')) // panose
        .Align4();
    Emit(r);
    Select(slot, FFontSlot);
}

void TEmfWriter::Rop(TPenMode mode) {
    Value(EMR_SETROP2, mode == pmNotXor ? R2_NOTXORPEN : R2_COPYPEN, FRop);
}

void TEmfWriter::Value(uint32_t type, uint32_t value, std::optional<uint32_t>& last) {
    if (last && *last == value) return;
    last = value;
    Emit(TRecord(type).U32(value));
}

void TEmfWriter::Operation(const TMetaRecord& record, const TDrawState& state) {
    Mapping(state.Mapping);
    const TRect& box = record.Box;
    switch (record.Op) {
    case TMetaOp::Line:
        Pen(state.Pen);
        Rop(state.Pen.Mode);
        Emit(TRecord(EMR_MOVETOEX).I32(box.Left).I32(box.Top));
        Emit(TRecord(EMR_LINETO).I32(box.Right).I32(box.Bottom));
        break;
    case TMetaOp::Rectangle:
    case TMetaOp::Ellipse:
    case TMetaOp::RoundRect:
        Pen(state.Pen);
        Brush(state.Brush);
        Rop(state.Pen.Mode);
        if (record.Op == TMetaOp::RoundRect)
            Emit(TRecord(EMR_ROUNDRECT).Rect(box).I32(record.A).I32(record.B));
        else
            Emit(TRecord(record.Op == TMetaOp::Ellipse ? EMR_ELLIPSE : EMR_RECTANGLE).Rect(box));
        break;
    case TMetaOp::Polygon: {
        Pen(state.Pen);
        Brush(state.Brush);
        Rop(state.Pen.Mode);
        const auto points = std::span<const TPoint>(FPage.Points()).subspan(record.A, record.B);
        TRect bounds{points[0].X, points[0].Y, points[0].X, points[0].Y};
        for (const TPoint& p : points)
            bounds = {std::min(bounds.Left, p.X), std::min(bounds.Top, p.Y), std::max(bounds.Right, p.X),
                      std::max(bounds.Bottom, p.Y)};
        TRecord r(EMR_POLYGON);
        r.Rect(bounds).U32(static_cast<uint32_t>(points.size()));
        for (const TPoint& p : points)
            r.I32(p.X).I32(p.Y);
        Emit(r);
        break;
    }
    case TMetaOp::FillRect:
        // The platform records a brush fill as a rectangle without outline.
        Pen({clBlack, 0, psClear, pmCopy});
        Brush({state.Brush.Color, bsSolid});
        Rop(pmCopy);
        Emit(TRecord(EMR_RECTANGLE).Rect(box));
        break;
    case TMetaOp::Pixel:
        Emit(TRecord(EMR_SETPIXELV)
                 .I32(box.Left)
                 .I32(box.Top)
                 .U32(static_cast<uint32_t>(record.A) & 0xFFFFFF));
        break;
    case TMetaOp::Text: Text(record, state); break;
    case TMetaOp::Image: Image(record); break;
    }
}

void TEmfWriter::Text(const TMetaRecord& record, const TDrawState& state) {
    const QString& text = FPage.Texts()[record.A];
    const TTextLayout layout = FPage.TextLayout(record);
    Font(state.Font);
    Rop(pmCopy);
    Value(EMR_SETTEXTCOLOR, static_cast<uint32_t>(state.FontColor) & 0xFFFFFF, FTextColor);
    Value(EMR_SETBKMODE, state.Brush.Style == bsSolid ? OPAQUE : TRANSPARENT, FBkMode);
    if (state.Brush.Style == bsSolid)
        Value(EMR_SETBKCOLOR, static_cast<uint32_t>(state.Brush.Color) & 0xFFFFFF, FBkColor);
    Value(EMR_SETTEXTALIGN, state.TextAlign, FTextAlign);

    // Advances per UTF-16 unit, rounded so that their running sum follows the layout exactly.
    std::vector<int32_t> dx(static_cast<size_t>(text.size()), 0);
    size_t glyph = 0;
    int32_t placed = Nearest(layout.X.empty() ? 0 : layout.X[0]);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate()) continue;
        const double next = glyph + 1 < layout.X.size() ? layout.X[glyph + 1] : layout.Width;
        dx[static_cast<size_t>(i)] = Saturate32(int64_t{Nearest(next)} - placed);
        placed = Nearest(next);
        ++glyph;
    }
    const TRect clip = record.B >= 0 ? FPage.Clips()[record.B] : TRect{};
    TRecord r(EMR_EXTTEXTOUTW);
    // Bounds not computed, compatible graphics mode, no scale.
    r.Rect({0, 0, -1, -1}).U32(1).F32(0).F32(0).I32(record.Box.Left).I32(record.Box.Top);
    // The fixed part continues with the count, the two offsets, the options and the rectangle.
    const uint32_t offString = r.Offset() + 4 + 4 + 4 + 16 + 4;
    const auto stringBytes = static_cast<uint32_t>((text.size() * 2 + 3) / 4 * 4);
    r.U32(static_cast<uint32_t>(text.size()))
        .U32(offString)
        .U32(record.B >= 0 ? ETO_CLIPPED : 0)
        .Rect(clip)
        .U32(offString + stringBytes)
        .Utf16(text)
        .Align4();
    for (int32_t d : dx)
        r.I32(d);
    Emit(r);
}

void TEmfWriter::Image(const TMetaRecord& record) {
    const QImage image = FPage.Images()[record.A].convertToFormat(QImage::Format_RGB888);
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) / 4 * 4;
    QByteArray bits(static_cast<qsizetype>(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        // Bottom-up rows of blue, green, red.
        const uchar* src = image.constScanLine(y);
        char* dst = bits.data() + static_cast<qsizetype>(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<char>(src[3 * x + 2]);
            dst[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
            dst[3 * x + 2] = static_cast<char>(src[3 * x]);
        }
    }
    const TRect& box = record.Box;
    constexpr uint32_t FixedSize = 80;
    constexpr uint32_t InfoSize = 40;
    TRecord r(EMR_STRETCHDIBITS);
    r.Rect({0, 0, -1, -1})
        .I32(box.Left)
        .I32(box.Top)
        .I32(0)
        .I32(0)
        .I32(w)
        .I32(h)
        .U32(FixedSize)
        .U32(InfoSize)
        .U32(FixedSize + InfoSize)
        .U32(static_cast<uint32_t>(bits.size()))
        .U32(0) // RGB colours
        .U32(SRCCOPY)
        .I32(box.Width())
        .I32(box.Height());
    r.U32(InfoSize)
        .I32(w)
        .I32(h)
        .U16(1)
        .U16(24)
        .U32(0)
        .U32(static_cast<uint32_t>(bits.size()))
        .I32(3780)
        .I32(3780)
        .U32(0)
        .U32(0);
    r.Raw(bits);
    Rop(pmCopy);
    Emit(r);
}
