// Writes the seed corpus of the picture fuzz target: a page from our EMF writer, EMF and WMF files
// built record by record with what our writer never emits (16-bit points, curves, paths, world
// transforms, saved states, 8-bit text, block transfers, pattern brushes) and bitmaps in every depth
// and header the DIB reader knows, one BMP and one PNG for Qt's decoders, and copies of the files
// named after the folder (third-party metafiles).
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <QBuffer>
#include <QImage>

#include "CorpusMain.h"
#include "metafile/EmfRecords.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"

using namespace Emf;

namespace {

// Little-endian fields appended to a byte array.
struct TLe {
    QByteArray B;

    TLe& U8(int v) {
        B.append(static_cast<char>(v & 0xFF));
        return *this;
    }
    TLe& U16(int v) { return U8(v).U8(v >> 8); }
    TLe& U32(uint32_t v) { return U16(static_cast<int>(v & 0xFFFF)).U16(static_cast<int>(v >> 16)); }
    TLe& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    TLe& F32(float v) { return U32(std::bit_cast<uint32_t>(v)); }
    TLe& Words(std::initializer_list<int> values) {
        for (const int v : values)
            U16(v);
        return *this;
    }
    TLe& Longs(std::initializer_list<int32_t> values) {
        for (const int32_t v : values)
            I32(v);
        return *this;
    }
    TLe& Raw(const QByteArray& bytes) {
        B.append(bytes);
        return *this;
    }
};

// A packed bitmap of 5 by 3 pixels: info header (or the 12-byte core header), colour table, rows.
QByteArray PackedDib(int bits, bool core = false, uint32_t compression = 0) {
    constexpr int w = 5;
    constexpr int h = 3;
    TLe d;
    if (core)
        d.U32(12).Words({w, h, 1, bits});
    else
        d.U32(40).Longs({w, bits == 32 ? -h : h}).Words({1, bits}).U32(compression).Longs({0, 0, 0, 0, 0});
    if (compression == 3) d.Longs({0x7C00, 0x03E0, 0x001F});
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i) {
            d.U8(i * 40).U8(255 - i * 16).U8(i * 90);
            if (!core) d.U8(0);
        }
    const int stride = (w * bits + 31) / 32 * 4;
    for (int i = 0; i < stride * h; ++i)
        d.U8(i * 37 + 11);
    return d.B;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage SmallImage() {
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, 200));
    return image;
}

// A page drawn with every operation our EMF writer records.
QByteArray WrittenEmf() {
    TMetafile page(2000, 1500);
    {
        TMetafileCanvas c(page);
        c.Pen = {clRed, 3, psInsideFrame, pmCopy};
        c.Brush = {clYellow, bsSolid};
        c.Rectangle(5, 5, 60, 40);
        c.RoundRect(65, 5, 120, 40, 10, 8);
        c.Pen = {clNavy, 0, psDash, pmNotXor};
        c.Brush = {clBlue, bsClear};
        c.Ellipse(5, 45, 60, 70);
        const TPoint triangle[] = {{70, 70}, {110, 70}, {90, 45}};
        c.Polygon(triangle);
        c.MoveTo(0, 0);
        c.LineTo(120, 75);
        c.FillRect({100, 50, 110, 60});
        c.SetPixels(3, 3, clGreen);
        c.Font.SetName("Arial");
        c.Font.SetHeight(12);
        c.SetTextAlign(TA_LEFT | TA_BASELINE);
        c.TextOut(10, 30, QStringLiteral("Kx Ñ"));
        TLogFont turned = c.Font.GetLogFont();
        turned.lfEscapement = 900;
        c.Font.SetLogFont(turned);
        c.TextOut(115, 70, QStringLiteral("Up"));
        c.StretchDraw({20, 50, 44, 66}, SmallImage());
    }
    return page.SaveToEmf();
}

// An EMF made record by record: a header with a frame of 50 by 30 mm, then what Record adds.
class TEmfBuilder {
public:
    TEmfBuilder() {
        TLe h;
        h.U32(EMR_HEADER).U32(108).Longs({0, 0, 189, 113}).Longs({0, 0, 4999, 2999});
        h.U32(Signature).U32(0x10000).U32(0).U32(0).Words({4, 0}).Longs({0, 0, 0});
        h.Longs({1024, 768, 271, 203}).Longs({0, 0, 0}).Longs({270933, 203200});
        FOut = h.B;
    }
    void Record(uint32_t type, const TLe& params) {
        const qsizetype padded = (params.B.size() + 3) / 4 * 4;
        TLe r;
        r.U32(type)
            .U32(static_cast<uint32_t>(8 + padded))
            .Raw(params.B)
            .Raw(QByteArray(padded - params.B.size(), 0));
        FOut.append(r.B);
    }
    QByteArray Finish() {
        Record(EMR_EOF, TLe().Longs({0, 16, 20}));
        return FOut;
    }

private:
    QByteArray FOut;
};

TLe Xform(float m11, float m12, float m21, float m22, float dx, float dy) {
    TLe t;
    t.F32(m11).F32(m12).F32(m21).F32(m22).F32(dx).F32(dy);
    return t;
}

// Objects, state, mapping and transforms, 16-bit figures, curves, paths and text.
QByteArray RecordsEmf() {
    TEmfBuilder e;
    const TLe bounds = TLe().Longs({0, 0, 100, 100});
    e.Record(EMR_SETMAPMODE, TLe().U32(8));
    e.Record(EMR_SETWINDOWEXTEX, TLe().Longs({1000, 600}));
    e.Record(EMR_SETVIEWPORTEXTEX, TLe().Longs({189, 113}));
    e.Record(EMR_SAVEDC, {});
    e.Record(EMR_SETWORLDTRANSFORM, Xform(1, 0.2f, -0.2f, 1, 5, 5));
    e.Record(EMR_MODIFYWORLDTRANSFORM, Xform(0.9f, 0, 0, 0.9f, 0, 0).U32(2));
    e.Record(EMR_EXTCREATEPEN, TLe().U32(1).Longs({0, 0, 0, 0}).Longs({0x2201, 12, 0, 0x0000FF, 0, 0}));
    e.Record(EMR_CREATEBRUSHINDIRECT, TLe().Longs({2, 2, 0x00FF00, 3}));
    e.Record(EMR_SELECTOBJECT, TLe().U32(1));
    e.Record(EMR_SELECTOBJECT, TLe().U32(2));
    e.Record(EMR_POLYGON16, TLe().Raw(bounds.B).U32(3).Words({10, 10, 300, 20, 150, 200}));
    e.Record(EMR_POLYBEZIER16, TLe().Raw(bounds.B).U32(4).Words({0, 0, 100, 400, 300, 400, 400, 0}));
    e.Record(EMR_POLYLINETO16, TLe().Raw(bounds.B).U32(2).Words({500, 500, 600, 100}));
    e.Record(EMR_POLYBEZIERTO, TLe().Raw(bounds.B).U32(3).Longs({650, 0, 700, 300, 800, 100}));
    e.Record(EMR_POLYPOLYGON16, TLe().Raw(bounds.B).U32(2).U32(7).U32(3).U32(4).Words(
                                    {10, 300, 90, 300, 50, 380, 100, 300, 200, 300, 200, 400, 100, 400}));
    e.Record(EMR_POLYPOLYLINE,
             TLe().Raw(bounds.B).U32(2).U32(4).U32(2).U32(2).Longs({600, 300, 700, 350, 600, 400, 700, 450}));
    e.Record(EMR_RESTOREDC, TLe().I32(-1));
    e.Record(EMR_BEGINPATH, {});
    e.Record(EMR_MOVETOEX, TLe().Longs({20, 20}));
    e.Record(EMR_LINETO, TLe().Longs({80, 20}));
    e.Record(EMR_POLYLINETO, TLe().Raw(bounds.B).U32(2).Longs({80, 80, 20, 80}));
    e.Record(EMR_CLOSEFIGURE, {});
    e.Record(EMR_ENDPATH, {});
    e.Record(EMR_STROKEANDFILLPATH, bounds);
    e.Record(EMR_BEGINPATH, {});
    e.Record(EMR_ELLIPSE, TLe().Longs({100, 10, 160, 50}));
    e.Record(EMR_ENDPATH, {});
    e.Record(EMR_FILLPATH, bounds);
    e.Record(EMR_BEGINPATH, {});
    e.Record(EMR_ABORTPATH, {});
    e.Record(EMR_CREATEPEN, TLe().Longs({3, 1, 2, 0, 0x800000}));
    e.Record(EMR_SELECTOBJECT, TLe().U32(3));
    e.Record(EMR_POLYBEZIER, TLe().Raw(bounds.B).U32(4).Longs({0, 500, 100, 450, 200, 550, 300, 500}));
    e.Record(EMR_POLYLINE16, TLe().Raw(bounds.B).U32(3).Words({0, 590, 50, 560, 100, 590}));
    e.Record(EMR_DELETEOBJECT, TLe().U32(3));
    e.Record(EMR_SELECTOBJECT, TLe().U32(NULL_PEN));
    e.Record(EMR_SETPIXELV, TLe().Longs({5, 5, 0x0000FF}));
    e.Record(EMR_SETROP2, TLe().U32(R2_NOTXORPEN));
    e.Record(EMR_ROUNDRECT, TLe().Longs({200, 10, 300, 60, 20, 20}));
    e.Record(EMR_SETROP2, TLe().U32(R2_COPYPEN));
    TLe font;
    font.U32(4).Longs({-40, 0, 450, 450, 700}).U8(1).U8(1).U8(1).U8(0).U32(0);
    for (const QChar c : QStringLiteral("Liberation Serif"))
        font.U16(c.unicode());
    font.Raw(QByteArray(64 - 2 * 16, '\0'));
    e.Record(EMR_EXTCREATEFONTINDIRECTW, font);
    e.Record(EMR_SELECTOBJECT, TLe().U32(4));
    e.Record(EMR_SETTEXTALIGN, TLe().U32(6 | 24));
    e.Record(EMR_SETTEXTCOLOR, TLe().U32(0x336699));
    e.Record(EMR_SETBKCOLOR, TLe().U32(0xEEEEEE));
    e.Record(EMR_SETBKMODE, TLe().U32(OPAQUE));
    // 8-bit text with its advances and an opaque box: the string at 76, the advances after it.
    TLe text;
    text.Raw(bounds.B).Longs({1, 0, 0}).Longs({400, 500}).U32(5).U32(76).U32(ETO_OPAQUE);
    text.Longs({390, 460, 560, 510})
        .U32(84)
        .Raw("Kx\xd1"
             "ab")
        .U8(0)
        .U8(0)
        .U8(0);
    text.Longs({12, 12, 14, 10, 10});
    e.Record(EMR_EXTTEXTOUTA, text);
    return e.Finish();
}

// Bitmap records: stretched device-independent bits, block transfers with and without a bitmap.
QByteArray BitmapsEmf() {
    TEmfBuilder e;
    const TLe bounds = TLe().Longs({0, 0, 100, 100});
    int x = 0;
    const auto stretch = [&](const QByteArray& dib, int headerSize) {
        TLe r;
        r.Raw(bounds.B).Longs({x, 10, 0, 0, 5, 3}).U32(80).U32(headerSize).U32(80 + headerSize);
        r.U32(dib.size() - headerSize).U32(0).U32(SRCCOPY).Longs({20, 12}).Raw(dib);
        e.Record(EMR_STRETCHDIBITS, r);
        x += 22;
    };
    for (const int bits : {1, 4, 8, 16, 24, 32}) {
        const QByteArray dib = PackedDib(bits);
        const int table = bits <= 8 ? 4 << bits : 0;
        stretch(dib, 40 + table);
    }
    stretch(PackedDib(16, false, 3), 52);
    const QByteArray png = Encoded(SmallImage(), "PNG");
    stretch(TLe().U32(40).Longs({6, 4}).Words({1, 0}).U32(5).U32(png.size()).Longs({0, 0, 0, 0}).Raw(png).B,
            40);
    const QByteArray core = PackedDib(8, true);
    TLe blt;
    blt.Raw(bounds.B).Longs({10, 40, 30, 20}).U32(SRCCOPY).Longs({1, 0}).Raw(Xform(1, 0, 0, 1, 0, 0).B);
    blt.U32(0).U32(0).U32(108).U32(12 + 3 * 256).U32(108 + 12 + 3 * 256).U32(core.size() - 12 - 3 * 256);
    blt.Longs({4, 3}).Raw(core);
    e.Record(EMR_STRETCHBLT, blt);
    e.Record(EMR_CREATEBRUSHINDIRECT, TLe().Longs({1, 0, 0xFF00FF, 0}));
    e.Record(EMR_SELECTOBJECT, TLe().U32(1));
    TLe pattern;
    pattern.Raw(bounds.B)
        .Longs({50, 40, 30, 20})
        .U32(0x00F00021)
        .Longs({0, 0})
        .Raw(Xform(1, 0, 0, 1, 0, 0).B);
    pattern.Longs({0, 0, 0, 0, 0, 0});
    e.Record(EMR_BITBLT, pattern);
    return e.Finish();
}

// A WMF made record by record, after a placeable header of 2 by 1 inches at 1440 units per inch
// (or without one, when its window records give the size).
class TWmfBuilder {
public:
    explicit TWmfBuilder(bool placeable) {
        if (placeable) FOut.U32(0x9AC6CDD7).Words({0, 0, 0, 2880, 1440, 1440}).U32(0).U16(0);
        FOut.Words({1, 9, 0x300}).U32(0).U16(8).U32(0).U16(0);
    }
    void Record(int function, const TLe& params) {
        FOut.U32(static_cast<uint32_t>(3 + (params.B.size() + 1) / 2)).U16(function).Raw(params.B);
        if (params.B.size() % 2) FOut.U8(0);
    }
    QByteArray Finish() {
        Record(0x0000, {});
        return FOut.B;
    }

private:
    TLe FOut;
};

QByteArray RecordsWmf() {
    TWmfBuilder w(true);
    w.Record(0x0103, TLe().U16(8));                          // map mode
    w.Record(0x020C, TLe().Words({1440, 2880}));             // window extent
    w.Record(0x020B, TLe().Words({0, 0}));                   // window origin
    w.Record(0x02FC, TLe().U16(0).U32(0x00FFCC).U16(0));     // solid brush
    w.Record(0x02FA, TLe().Words({2, 20, 0}).U32(0x0000FF)); // dashed pen
    w.Record(0x012D, TLe().U16(0));
    w.Record(0x012D, TLe().U16(1));
    w.Record(0x001E, {});                                                 // save
    w.Record(0x041B, TLe().Words({700, 1200, 100, 100}));                 // rectangle
    w.Record(0x0418, TLe().Words({700, 2700, 100, 1300}));                // ellipse
    w.Record(0x061C, TLe().Words({80, 80, 1400, 1200, 800, 100}));        // rounded rectangle
    w.Record(0x0127, TLe().U16(0xFFFF));                                  // restore
    w.Record(0x0324, TLe().Words({3, 1500, 800, 2000, 800, 1750, 1300})); // polygon
    w.Record(0x0325, TLe().Words({3, 100, 1400, 500, 1300, 900, 1400}));  // polyline
    w.Record(0x0538,
             TLe().Words({2, 3, 3, 2000, 100, 2400, 100, 2200, 400, 2500, 500, 2800, 500, 2650, 700}));
    w.Record(0x0214, TLe().Words({10, 10}));               // move to
    w.Record(0x0213, TLe().Words({1430, 2870}));           // line to
    w.Record(0x041F, TLe().U32(0x00FF00).Words({20, 20})); // pixel
    w.Record(0x0104, TLe().U16(10));                       // not-xor
    w.Record(0x0104, TLe().U16(13));
    w.Record(0x02FB, TLe()
                         .Words({0xFFC0 /* -64 */, 0, 900, 900, 700})
                         .U8(1)
                         .U8(0)
                         .U8(0)
                         .U8(0)
                         .U32(0)
                         .Raw(QByteArray("Arial", 6)));
    w.Record(0x012D, TLe().U16(2));
    w.Record(0x0209, TLe().U32(0x112233));                                 // text colour
    w.Record(0x0201, TLe().U32(0xDDDDDD));                                 // background colour
    w.Record(0x0102, TLe().U16(2));                                        // opaque
    w.Record(0x012E, TLe().U16(24));                                       // baseline
    w.Record(0x0521, TLe().U16(3).Raw("Kx\xd1").U8(0).Words({1000, 200})); // text out
    w.Record(0x0A32, TLe().Words({1200, 300, 2, 6, 290, 1100, 600, 1250}).Raw("ab").Words({30, 30}));
    w.Record(0x01F0, TLe().U16(2));                          // delete the font
    w.Record(0x00F7, TLe().Words({0x300, 0}));               // palette
    w.Record(0x06FF, TLe().Words({0, 0, 0, 0, 0}));          // region
    w.Record(0x0142, TLe().Words({0, 0}).Raw(PackedDib(1))); // pattern brush
    w.Record(0x012D, TLe().U16(2));
    w.Record(0x0940, TLe().U32(0x00F00021).Words({0, 0, 100, 200, 1300, 2600})); // pattern fill
    w.Record(0x0940, TLe().U32(SRCCOPY).Words({0, 0, 3, 5, 1000, 100}).Raw(PackedDib(4)));
    w.Record(0x0B41, TLe().U32(SRCCOPY).Words({2, 4, 1, 1, 200, 300, 1000, 300}).Raw(PackedDib(8, true)));
    w.Record(0x0F43, TLe().U32(SRCCOPY).U16(0).Words({3, 5, 0, 0, 200, 300, 1000, 700}).Raw(PackedDib(24)));
    return w.Finish();
}

// Without a placeable header, sized by its window records.
QByteArray WindowWmf() {
    TWmfBuilder w(false);
    w.Record(0x020B, TLe().Words({-50, -100}));
    w.Record(0x020C, TLe().Words({300, 400}));
    w.Record(0x020E, TLe().Words({300, 400}));
    w.Record(0x020D, TLe().Words({0, 0}));
    w.Record(0x01F9, TLe().Words({0, 0}));
    w.Record(0x041B, TLe().Words({100, 200, -50, -100}));
    return w.Finish();
}

// The seeds, then copies of the files named.
bool WritePictures(const QDir& dir, int count, char** files) {
    bool ok = WriteCorpusFile(dir, QStringLiteral("written.emf"), WrittenEmf());
    ok &= WriteCorpusFile(dir, QStringLiteral("records.emf"), RecordsEmf());
    ok &= WriteCorpusFile(dir, QStringLiteral("bitmaps.emf"), BitmapsEmf());
    ok &= WriteCorpusFile(dir, QStringLiteral("records.wmf"), RecordsWmf());
    ok &= WriteCorpusFile(dir, QStringLiteral("window.wmf"), WindowWmf());
    ok &= WriteCorpusFile(dir, QStringLiteral("small.bmp"), Encoded(SmallImage(), "BMP"));
    ok &= WriteCorpusFile(dir, QStringLiteral("small.png"), Encoded(SmallImage(), "PNG"));
    return CopyCorpusFiles(dir, count, files) && ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "[files to copy...]", WritePictures);
}
