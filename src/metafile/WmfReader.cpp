#include "metafile/WmfReader.h"

#include <QPolygonF>
#include <vector>

#include "base/ByteReader.h"
#include "base/CodePage.h"
#include "base/InvalidGraphic.h"
#include "metafile/DibReader.h"
#include "metafile/GdiObjectReader.h"
#include "metafile/GdiPlayer.h"
#include "metafile/MetafileCanvas.h"

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr uint32_t ETO_OPAQUE = 2;
constexpr uint32_t ETO_CLIPPED = 4;

enum : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_ROUNDRECT = 0x061C,
    META_CREATEREGION = 0x06FF,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
};

QPolygonF ReadPoints(TByteReader& r, qsizetype count) {
    if (count < 0 || count > r.Remaining() / 4)
        r.Fail(QStringLiteral("%1 points do not fit the record").arg(count));
    QPolygonF points;
    points.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const double x = r.I16();
        points << QPointF(x, r.I16());
    }
    return points;
}

TColor ReadColor(TByteReader& r) {
    return static_cast<TColor>(r.U32() & 0xFFFFFF);
}

class TWmfPlayback {
public:
    TWmfPlayback(const QByteArray& data, const QString& source)
        : FData(data)
        , FSource(source) {}

    std::unique_ptr<TMetafile> Run();

private:
    void Record(uint16_t function, TByteReader& r);
    // Each group answers whether the record was one of its own.
    bool StateRecord(uint16_t function, TByteReader& r);
    bool ObjectRecord(uint16_t function, TByteReader& r);
    bool ShapeRecord(uint16_t function, TByteReader& r);
    void PolyPolygon(TByteReader& r);
    void ExtTextOut(TByteReader& r);
    void Bitmap(uint16_t function, TByteReader& r);
    // The records' parameters come in reverse order: the last coordinate first.
    QPointF Point(TByteReader& r) {
        const double y = r.I16();
        return {double(r.I16()), y};
    }
    // Bottom, right, top, left.
    std::pair<QPointF, QPointF> Box(TByteReader& r) {
        const QPointF br = Point(r);
        return {Point(r), br};
    }

    const QByteArray& FData;
    const QString& FSource;
    std::unique_ptr<TGdiPlayer> FPlayer;
};

std::unique_ptr<TMetafile> TWmfPlayback::Run() {
    TByteReader r(FData, FSource);
    if (!IsWmf(FData)) r.Fail(QStringLiteral("not a Windows metafile"));
    QRectF box;
    double unitsPerInch = 96;
    if (r.U32() == PlaceableKey) {
        r.U16();
        const double left = r.I16();
        const double top = r.I16();
        const double right = r.I16();
        const double bottom = r.I16();
        box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
        unitsPerInch = r.U16();
        if (unitsPerInch <= 0) r.Fail(QStringLiteral("placeable header without units"));
        r.Seek(22);
    } else {
        r.Seek(0);
    }
    const qsizetype headerStart = r.Pos();
    r.U16();
    const uint16_t headerWords = r.U16();
    if (headerWords != 9) r.Fail(QStringLiteral("metafile header of %1 words").arg(headerWords));
    const qsizetype first = headerStart + 18;

    // Without a placeable header the window the file sets is the picture.
    if (box.isEmpty()) {
        QPointF org, ext;
        for (qsizetype pos = first; pos + 6 <= FData.size();) {
            r.Seek(pos);
            const uint32_t words = r.U32();
            const uint16_t function = r.U16();
            if (words < 3 || words > (FData.size() - pos) / 2 || function == META_EOF) break;
            if (function == META_SETWINDOWORG) org = Point(r);
            if (function == META_SETWINDOWEXT && ext.isNull()) ext = Point(r);
            pos += qsizetype(words) * 2;
        }
        box = QRectF(org, QSizeF(ext.x(), ext.y())).normalized();
        if (box.isEmpty()) r.Fail(QStringLiteral("picture without a size"));
    }
    const double mmW = box.width() / unitsPerInch * 2540;
    const double mmH = box.height() / unitsPerInch * 2540;
    auto metafile =
        std::make_unique<TMetafile>(static_cast<int32_t>(mmW + 0.5), static_cast<int32_t>(mmH + 0.5));
    {
        TMetafileCanvas canvas(*metafile);
        MapGdiSubPixels(canvas);
        // The file's window is mapped onto the box; the box is in units of 1/unitsPerInch inch.
        const double scale = 96.0 / unitsPerInch * GdiSubPixels;
        FPlayer = std::make_unique<TGdiPlayer>(
            canvas, QTransform(scale, 0, 0, scale, -box.left() * scale, -box.top() * scale),
            unitsPerInch / 25.4);
        FPlayer->SetMapMode(MM_ANISOTROPIC);
        const QPointF size(box.width(), box.height());
        FPlayer->SetViewportOrg(box.topLeft());
        FPlayer->SetViewportExt(size);
        FPlayer->SetWindowOrg(box.topLeft());
        FPlayer->SetWindowExt(size);
        for (qsizetype pos = first; pos < FData.size();) {
            r.Seek(pos);
            const uint32_t words = r.U32();
            const uint16_t function = r.U16();
            if (words < 3 || words > (FData.size() - pos) / 2)
                r.Fail(QStringLiteral("record of %1 words").arg(words));
            if (function == META_EOF) break;
            TByteReader rec = r.Window(pos + 6, qsizetype(words) * 2 - 6);
            Record(function, rec);
            if (FPlayer->Operations() > GdiMaxOperations) r.Fail(QStringLiteral("too many drawing records"));
            pos += qsizetype(words) * 2;
        }
        FPlayer.reset();
    }
    return metafile;
}

void TWmfPlayback::Record(uint16_t function, TByteReader& r) {
    if (StateRecord(function, r) || ObjectRecord(function, r) || ShapeRecord(function, r)) return;
    switch (function) {
    case META_TEXTOUT: {
        const uint16_t length = r.U16();
        const QString text = FromCodePage(r.Bytes(length));
        r.Skip(length % 2);
        FPlayer->Text(Point(r), text, {}, nullptr);
        break;
    }
    case META_EXTTEXTOUT: ExtTextOut(r); break;
    case META_STRETCHDIB:
    case META_DIBSTRETCHBLT:
    case META_DIBBITBLT: Bitmap(function, r); break;
    default: break; // escapes, palettes, clipping and the rest draw nothing of ours
    }
}

bool TWmfPlayback::StateRecord(uint16_t function, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    switch (function) {
    case META_SETMAPMODE: p.SetMapMode(r.U16()); break;
    case META_SETWINDOWORG: p.SetWindowOrg(Point(r)); break;
    case META_SETWINDOWEXT: p.SetWindowExt(Point(r)); break;
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT: break; // the box is the viewport
    case META_SAVEDC: p.SaveDC(); break;
    case META_RESTOREDC: p.RestoreDC(r.I16()); break;
    case META_SETBKCOLOR: p.SetBkColor(ReadColor(r)); break;
    case META_SETTEXTCOLOR: p.SetTextColor(ReadColor(r)); break;
    case META_SETBKMODE: p.SetBkMode(r.U16()); break;
    case META_SETTEXTALIGN: p.SetTextAlign(r.U16()); break;
    case META_SETROP2: p.SetRop2(r.U16()); break;
    default: return false;
    }
    return true;
}

bool TWmfPlayback::ObjectRecord(uint16_t function, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    const TGdiObjectReader objects(TGdiObjectReader::TFormat::Wmf);
    switch (function) {
    case META_CREATEPENINDIRECT: p.AddObject(objects.Pen(r)); break;
    case META_CREATEBRUSHINDIRECT: p.AddObject(objects.Brush(r)); break;
    case META_CREATEFONTINDIRECT: p.AddObject(objects.Font(r)); break;
    case META_CREATEPALETTE:
    case META_CREATEPATTERNBRUSH:
    case META_CREATEREGION: p.AddObject({TGdiObject::TKind::Other, 0, 0, clBlack, {}}); break;
    case META_DIBCREATEPATTERNBRUSH: p.AddObject({TGdiObject::TKind::Brush, 0, 0, clGray, {}}); break;
    case META_SELECTOBJECT: p.SelectObject(r.U16()); break;
    case META_DELETEOBJECT: p.DeleteObject(r.U16()); break;
    default: return false;
    }
    return true;
}

bool TWmfPlayback::ShapeRecord(uint16_t function, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    switch (function) {
    case META_MOVETO: p.MoveTo(Point(r)); break;
    case META_LINETO: p.LineTo(Point(r)); break;
    case META_RECTANGLE:
    case META_ELLIPSE: {
        const auto [a, b] = Box(r);
        if (function == META_RECTANGLE)
            p.Rectangle(a, b);
        else
            p.Ellipse(a, b);
        break;
    }
    case META_ROUNDRECT: {
        const double h = r.I16();
        const double w = r.I16();
        const auto [a, b] = Box(r);
        p.RoundRect(a, b, w, h);
        break;
    }
    case META_SETPIXEL: {
        const TColor c = ReadColor(r);
        p.SetPixel(Point(r), c);
        break;
    }
    case META_POLYGON: p.Polygon(ReadPoints(r, r.I16())); break;
    case META_POLYLINE: p.Polyline(ReadPoints(r, r.I16())); break;
    case META_POLYPOLYGON: PolyPolygon(r); break;
    default: return false;
    }
    return true;
}

void TWmfPlayback::PolyPolygon(TByteReader& r) {
    const uint16_t polygons = r.U16();
    if (polygons > r.Remaining() / 2)
        r.Fail(QStringLiteral("%1 polygons do not fit the record").arg(polygons));
    std::vector<uint16_t> counts(polygons);
    for (uint16_t& c : counts)
        c = r.U16();
    std::vector<QPolygonF> figures;
    for (uint16_t c : counts)
        figures.push_back(ReadPoints(r, c));
    FPlayer->PolyPolygon(figures);
}

void TWmfPlayback::ExtTextOut(TByteReader& r) {
    const QPointF at = Point(r);
    const uint16_t length = r.U16();
    const uint16_t options = r.U16();
    QRectF rect;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        const double left = r.I16();
        const double top = r.I16();
        const double right = r.I16();
        rect = QRectF(QPointF(left, top), QPointF(right, r.I16()));
    }
    const QString text = FromCodePage(r.Bytes(length));
    r.Skip(std::min<qsizetype>(length % 2, r.Remaining()));
    std::vector<int32_t> dx;
    if (r.Remaining() >= qsizetype(length) * 2)
        for (uint16_t i = 0; i < length; ++i)
            dx.push_back(r.I16());
    FPlayer->Text(at, text, dx, (options & ETO_OPAQUE) ? &rect : nullptr);
}

void TWmfPlayback::Bitmap(uint16_t function, TByteReader& r) {
    r.U32();                                  // raster operation
    if (function == META_STRETCHDIB) r.U16(); // colour usage
    TDibSource source;
    if (function != META_DIBBITBLT) {
        source.Height = r.I16();
        source.Width = r.I16();
        source.Y = r.I16();
        source.X = r.I16();
    }
    const int ySrc = function == META_DIBBITBLT ? r.I16() : 0;
    const int xSrc = function == META_DIBBITBLT ? r.I16() : 0;
    const double h = r.I16();
    const double w = r.I16();
    const QPointF at = Point(r);
    if (function == META_DIBBITBLT) source = {xSrc, ySrc, static_cast<int64_t>(w), static_cast<int64_t>(h)};
    if (r.Remaining() < 12) {
        FPlayer->PatternFill(at, at + QPointF(w, h));
        return;
    }
    FPlayer->Image(at, at + QPointF(w, h),
                   DibSourcePart(ReadPackedDib(r.Window(r.Pos(), r.Remaining())), source));
}

} // namespace

bool IsWmf(const QByteArray& data) {
    if (data.size() < 18) return false;
    const auto* b = reinterpret_cast<const uint8_t*>(data.constData());
    const uint32_t key = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    if (key == PlaceableKey) return data.size() >= 22 + 18;
    const uint16_t type = uint16_t(b[0] | b[1] << 8);
    const uint16_t words = uint16_t(b[2] | b[3] << 8);
    return (type == 1 || type == 2) && words == 9;
}

std::unique_ptr<TMetafile> ReadWmf(const QByteArray& data, const QString& source) {
    return TWmfPlayback(data, source).Run();
}
