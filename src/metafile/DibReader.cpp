#include "metafile/DibReader.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr int32_t MaxSide = 32768;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_JPEG = 4;
constexpr uint32_t BI_PNG = 5;

struct TDibHeader {
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t ImageSize = 0;
    std::vector<QRgb> Palette;
};

TDibHeader ReadHeader(TByteReader& info) {
    TDibHeader h;
    const qsizetype start = info.Pos();
    const uint32_t size = info.U32();
    uint32_t colours = 0;
    bool core = false;
    if (size == 12) {
        core = true;
        h.Width = info.I16();
        h.Height = info.I16();
        info.U16();
        h.BitCount = info.U16();
    } else if (size >= 40) {
        h.Width = info.I32();
        h.Height = info.I32();
        info.U16();
        h.BitCount = info.U16();
        h.Compression = info.U32();
        h.ImageSize = info.U32();
        info.Skip(8);
        colours = info.U32();
        info.Skip(4);
        info.Seek(start + size);
    } else {
        info.Fail(QStringLiteral("unknown bitmap header of %1 bytes").arg(size));
    }
    if (h.Compression == BI_JPEG || h.Compression == BI_PNG) return h;
    if (h.Width <= 0 || h.Width > MaxSide || h.Height == 0 || std::abs(h.Height) > MaxSide)
        info.Fail(QStringLiteral("bitmap of %1 by %2 pixels").arg(h.Width).arg(h.Height));
    if (h.Compression == BI_BITFIELDS)
        info.Skip(12); // standard masks assumed
    else if (h.Compression != BI_RGB)
        info.Fail(QStringLiteral("compressed bitmap (method %1)").arg(h.Compression));
    // Only the depths the rows are decoded in: another would read them as 32-bit pixels.
    if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
        h.BitCount != 32)
        info.Fail(QStringLiteral("bitmap of %1 bits per pixel").arg(h.BitCount));
    if (h.BitCount <= 8) {
        const uint32_t max = 1u << h.BitCount;
        if (colours == 0 || colours > max) colours = max;
        const qsizetype entry = core ? 3 : 4;
        // A short colour table leaves the remaining entries black rather than failing.
        for (uint32_t i = 0; i < colours && info.Remaining() >= entry; ++i) {
            const uint8_t b = info.U8();
            const uint8_t g = info.U8();
            const uint8_t r = info.U8();
            if (!core) info.U8();
            h.Palette.push_back(qRgb(r, g, b));
        }
        h.Palette.resize(max, qRgb(0, 0, 0));
    }
    return h;
}

QImage ReadRows(const TDibHeader& h, TByteReader& bits) {
    const int w = h.Width;
    const int rows = std::abs(h.Height);
    const qsizetype stride = (static_cast<qsizetype>(w) * h.BitCount + 31) / 32 * 4;
    if (stride * rows > bits.Remaining())
        bits.Fail(
            QStringLiteral("bitmap rows need %1 bytes, %2 present").arg(stride * rows).arg(bits.Remaining()));
    QImage image(w, rows, QImage::Format_RGB32);
    if (image.isNull()) bits.Fail(QStringLiteral("bitmap too large"));
    const QByteArray data = bits.Bytes(stride * rows);
    const auto* base = reinterpret_cast<const uint8_t*>(data.constData());
    for (int y = 0; y < rows; ++y) {
        // Positive heights are stored bottom-up.
        const uint8_t* row = base + stride * (h.Height > 0 ? rows - 1 - y : y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (h.BitCount) {
            case 1: out[x] = h.Palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: out[x] = h.Palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
            case 8: out[x] = h.Palette[row[x]]; break;
            case 16: {
                const int v = row[2 * x] | (row[2 * x + 1] << 8);
                out[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                break;
            }
            case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: out[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
    return image;
}

// Clips the inclusive span from at to at + size - 1 (from at + size - 1 to at when size is negative)
// to [0, limit); false when nothing is left. Worked out in 64 bits, as file values may be any size.
bool ClipSpan(int64_t at, int64_t size, int64_t limit, int& low, int& high) {
    int64_t lo = at;
    int64_t hi = at + size - 1;
    if (size < 0) std::swap(lo, hi);
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, limit - 1);
    if (lo > hi) return false;
    low = static_cast<int>(lo);
    high = static_cast<int>(hi);
    return true;
}

} // namespace

QImage ReadDib(TByteReader info, TByteReader bits) {
    const TDibHeader h = ReadHeader(info);
    if (h.Compression == BI_JPEG || h.Compression == BI_PNG) {
        const QImage image =
            QImage::fromData(bits.Bytes(bits.Remaining()), h.Compression == BI_PNG ? "PNG" : "JPEG");
        if (image.isNull()) bits.Fail(QStringLiteral("embedded picture cannot be decoded"));
        return image;
    }
    return ReadRows(h, bits);
}

QImage ReadPackedDib(TByteReader dib) {
    TByteReader info = dib;
    const TDibHeader h = ReadHeader(info);
    TByteReader bits = dib.Window(info.Pos(), info.End() - info.Pos());
    if (h.Compression == BI_JPEG || h.Compression == BI_PNG) return ReadDib(dib, bits);
    return ReadRows(h, bits);
}

QImage DibSourcePart(const QImage& image, const TDibSource& source) {
    int left = 0, right = 0, top = 0, bottom = 0;
    // A source of no width and no height is no rectangle at all.
    if ((source.Width == 0 && source.Height == 0) ||
        !ClipSpan(source.X, source.Width, image.width(), left, right) ||
        !ClipSpan(source.Y, source.Height, image.height(), top, bottom))
        return image;
    const QRect part(QPoint(left, top), QPoint(right, bottom));
    return part == image.rect() ? image : image.copy(part);
}
