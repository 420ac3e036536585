#include "metafile/EmfReader.h"

#include <QPolygonF>
#include <vector>

#include "base/ByteReader.h"
#include "base/CodePage.h"
#include "base/InvalidGraphic.h"
#include "metafile/DibReader.h"
#include "metafile/EmfRecords.h"
#include "metafile/GdiObjectReader.h"
#include "metafile/GdiPlayer.h"
#include "metafile/MetafileCanvas.h"

using namespace Emf;

namespace {

// A page may be at most 10 m on a side.
constexpr int64_t MaxHundredthsMM = 1000000;

QRectF ReadRectL(TByteReader& r) {
    const double left = r.I32();
    const double top = r.I32();
    const double right = r.I32();
    const double bottom = r.I32();
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPointF ReadPointL(TByteReader& r) {
    const double x = r.I32();
    return {x, double(r.I32())};
}

QPointF ReadPointS(TByteReader& r) {
    const double x = r.I16();
    return {x, double(r.I16())};
}

QPolygonF ReadPoints(TByteReader& r, uint32_t count, bool small) {
    if (count > r.Remaining() / (small ? 4 : 8))
        r.Fail(QStringLiteral("%1 points do not fit the record").arg(count));
    QPolygonF points;
    points.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        points << (small ? ReadPointS(r) : ReadPointL(r));
    return points;
}

QTransform ReadXForm(TByteReader& r) {
    const double m11 = r.F32();
    const double m12 = r.F32();
    const double m21 = r.F32();
    const double m22 = r.F32();
    const double dx = r.F32();
    const double dy = r.F32();
    return QTransform(m11, m12, m21, m22, dx, dy);
}

// Where a bitmap record keeps its bitmap: info and bits at offsets from the record's start.
struct TDibPlace {
    uint32_t InfoOffset = 0;
    uint32_t InfoBytes = 0;
    uint32_t BitsOffset = 0;
    uint32_t BitsBytes = 0;
};

TDibPlace ReadDibPlace(TByteReader& r) {
    TDibPlace place;
    place.InfoOffset = r.U32();
    place.InfoBytes = r.U32();
    place.BitsOffset = r.U32();
    place.BitsBytes = r.U32();
    return place;
}

// Draws the bitmap of a bitmap record, the part source of it stretched from a to b.
void DibRecord(TGdiPlayer& player, const TByteReader& rec, qsizetype start, const TDibPlace& dib, QPointF a,
               QPointF b, const TDibSource& source) {
    const QImage image = ReadDib(rec.Window(start + dib.InfoOffset, dib.InfoBytes),
                                 rec.Window(start + dib.BitsOffset, dib.BitsBytes));
    player.Image(a, b, DibSourcePart(image, source));
}

class TEmfPlayback {
public:
    TEmfPlayback(const QByteArray& data, const QString& source)
        : FData(data)
        , FSource(source) {}

    std::unique_ptr<TMetafile> Run();

private:
    void Record(uint32_t type, TByteReader& r, qsizetype start);
    // Each group answers whether the record was one of its own.
    bool StateRecord(uint32_t type, TByteReader& r);
    bool ObjectRecord(uint32_t type, TByteReader& r);
    bool ShapeRecord(uint32_t type, TByteReader& r);
    void Poly(uint32_t type, TByteReader& r);
    void PolyPoly(uint32_t type, TByteReader& r);
    void Text(bool wide, TByteReader& r, qsizetype start);
    void StretchDibits(TByteReader& r, qsizetype start);
    void BlockTransfer(bool stretch, TByteReader& r, qsizetype start);

    const QByteArray& FData;
    const QString& FSource;
    std::unique_ptr<TGdiPlayer> FPlayer;
};

std::unique_ptr<TMetafile> TEmfPlayback::Run() {
    TByteReader r(FData, FSource);
    if (!IsEmf(FData)) r.Fail(QStringLiteral("not an enhanced metafile"));
    r.U32();
    const uint32_t headerSize = r.U32();
    const QRectF bounds = ReadRectL(r);
    const QRectF frame = ReadRectL(r);
    r.Seek(72);
    const double devX = r.I32();
    const double devY = r.I32();
    double mmX = r.I32();
    double mmY = r.I32();
    if (headerSize >= 108) {
        r.Seek(100);
        const double umX = r.I32();
        const double umY = r.I32();
        if (umX > 0 && umY > 0) {
            mmX = umX / 1000;
            mmY = umY / 1000;
        }
    }
    const double pixelsPerMM = devX > 0 && mmX > 0 ? devX / mmX : 96 / 25.4;
    const double pixelsPerMMY = devY > 0 && mmY > 0 ? devY / mmY : pixelsPerMM;

    // The frame (hundredths of a millimetre, both edges inside) is the page; without one, the
    // bounds in device pixels.
    QRectF page(frame.left() / 100 * pixelsPerMM, frame.top() / 100 * pixelsPerMMY,
                (frame.width() + 1) / 100 * pixelsPerMM, (frame.height() + 1) / 100 * pixelsPerMMY);
    if (frame.width() <= 0 || frame.height() <= 0) page = bounds;
    if (page.width() <= 0 || page.height() <= 0) r.Fail(QStringLiteral("empty picture frame"));
    const double mmW = page.width() / pixelsPerMM * 100;
    const double mmH = page.height() / pixelsPerMMY * 100;
    if (mmW > MaxHundredthsMM || mmH > MaxHundredthsMM) r.Fail(QStringLiteral("picture frame too large"));

    auto metafile =
        std::make_unique<TMetafile>(static_cast<int32_t>(mmW + 0.5), static_cast<int32_t>(mmH + 0.5));
    {
        TMetafileCanvas canvas(*metafile);
        MapGdiSubPixels(canvas);
        const double toCanvasX = 96 / 25.4 / pixelsPerMM * GdiSubPixels;
        const double toCanvasY = 96 / 25.4 / pixelsPerMMY * GdiSubPixels;
        FPlayer = std::make_unique<TGdiPlayer>(
            canvas, QTransform(toCanvasX, 0, 0, toCanvasY, -page.left() * toCanvasX, -page.top() * toCanvasY),
            pixelsPerMM);
        qsizetype pos = 0;
        while (pos < FData.size()) {
            r.Seek(pos);
            const uint32_t type = r.U32();
            const uint32_t size = r.U32();
            if (size < 8 || size > FData.size() - pos) r.Fail(QStringLiteral("record of %1 bytes").arg(size));
            if (type == EMR_EOF) break;
            TByteReader rec = r.Window(pos + 8, size - 8);
            Record(type, rec, pos);
            if (FPlayer->Operations() > GdiMaxOperations) r.Fail(QStringLiteral("too many drawing records"));
            pos += size;
        }
        FPlayer.reset();
    }
    return metafile;
}

void TEmfPlayback::Record(uint32_t type, TByteReader& r, qsizetype start) {
    if (StateRecord(type, r) || ObjectRecord(type, r) || ShapeRecord(type, r)) return;
    switch (type) {
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIER16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16: Poly(type, r); break;
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16: PolyPoly(type, r); break;
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA: Text(type == EMR_EXTTEXTOUTW, r, start); break;
    case EMR_STRETCHDIBITS: StretchDibits(r, start); break;
    case EMR_BITBLT:
    case EMR_STRETCHBLT: BlockTransfer(type == EMR_STRETCHBLT, r, start); break;
    default: break; // records without drawing of ours (palettes, clipping, comments...)
    }
}

bool TEmfPlayback::StateRecord(uint32_t type, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    switch (type) {
    case EMR_SETMAPMODE: p.SetMapMode(r.I32()); break;
    case EMR_SETWINDOWEXTEX: p.SetWindowExt(ReadPointL(r)); break;
    case EMR_SETWINDOWORGEX: p.SetWindowOrg(ReadPointL(r)); break;
    case EMR_SETVIEWPORTEXTEX: p.SetViewportExt(ReadPointL(r)); break;
    case EMR_SETVIEWPORTORGEX: p.SetViewportOrg(ReadPointL(r)); break;
    case EMR_SETWORLDTRANSFORM: p.ModifyWorldTransform(ReadXForm(r), 4); break;
    case EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t = ReadXForm(r);
        p.ModifyWorldTransform(t, r.U32());
        break;
    }
    case EMR_SAVEDC: p.SaveDC(); break;
    case EMR_RESTOREDC: p.RestoreDC(r.I32()); break;
    case EMR_SETTEXTCOLOR: p.SetTextColor(r.I32()); break;
    case EMR_SETBKCOLOR: p.SetBkColor(r.I32()); break;
    case EMR_SETBKMODE: p.SetBkMode(r.U32()); break;
    case EMR_SETTEXTALIGN: p.SetTextAlign(r.U32()); break;
    case EMR_SETROP2: p.SetRop2(r.U32()); break;
    default: return false;
    }
    return true;
}

bool TEmfPlayback::ObjectRecord(uint32_t type, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    const TGdiObjectReader objects(TGdiObjectReader::TFormat::Emf);
    switch (type) {
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW: {
        const uint32_t index = r.U32();
        p.SetObject(index, type == EMR_CREATEPEN             ? objects.Pen(r)
                           : type == EMR_EXTCREATEPEN        ? objects.ExtPen(r)
                           : type == EMR_CREATEBRUSHINDIRECT ? objects.Brush(r)
                                                             : objects.Font(r));
        break;
    }
    case EMR_SELECTOBJECT: p.SelectObject(r.U32()); break;
    case EMR_DELETEOBJECT: p.DeleteObject(r.U32()); break;
    default: return false;
    }
    return true;
}

bool TEmfPlayback::ShapeRecord(uint32_t type, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    switch (type) {
    case EMR_MOVETOEX: p.MoveTo(ReadPointL(r)); break;
    case EMR_LINETO: p.LineTo(ReadPointL(r)); break;
    case EMR_RECTANGLE:
    case EMR_ELLIPSE: {
        const QRectF b = ReadRectL(r);
        if (type == EMR_RECTANGLE)
            p.Rectangle(b.topLeft(), b.bottomRight());
        else
            p.Ellipse(b.topLeft(), b.bottomRight());
        break;
    }
    case EMR_ROUNDRECT: {
        const QRectF b = ReadRectL(r);
        const QPointF corner = ReadPointL(r);
        p.RoundRect(b.topLeft(), b.bottomRight(), corner.x(), corner.y());
        break;
    }
    case EMR_SETPIXELV: {
        const QPointF at = ReadPointL(r);
        p.SetPixel(at, r.I32());
        break;
    }
    case EMR_BEGINPATH: p.BeginPath(); break;
    case EMR_ENDPATH: p.EndPath(); break;
    case EMR_ABORTPATH: p.AbortPath(); break;
    case EMR_CLOSEFIGURE: p.CloseFigure(); break;
    case EMR_FILLPATH: p.FillPath(); break;
    case EMR_STROKEPATH: p.StrokePath(); break;
    case EMR_STROKEANDFILLPATH: p.StrokeAndFillPath(); break;
    default: return false;
    }
    return true;
}

void TEmfPlayback::Poly(uint32_t type, TByteReader& r) {
    TGdiPlayer& p = *FPlayer;
    r.Skip(16);
    const bool small = type >= EMR_POLYBEZIER16;
    const QPolygonF points = ReadPoints(r, r.U32(), small);
    switch (small ? type - EMR_POLYBEZIER16 + EMR_POLYBEZIER : type) {
    case EMR_POLYGON: p.Polygon(points); break;
    case EMR_POLYLINE: p.Polyline(points); break;
    case EMR_POLYBEZIER: p.PolyBezier(points, false); break;
    case EMR_POLYBEZIERTO: p.PolyBezier(points, true); break;
    default: p.PolylineTo(points); break;
    }
}

void TEmfPlayback::PolyPoly(uint32_t type, TByteReader& r) {
    r.Skip(16);
    const uint32_t polygons = r.U32();
    const uint32_t total = r.U32();
    if (polygons > r.Remaining() / 4)
        r.Fail(QStringLiteral("%1 polygons do not fit the record").arg(polygons));
    std::vector<uint32_t> counts(polygons);
    for (uint32_t& c : counts)
        c = r.U32();
    const bool small = type == EMR_POLYPOLYGON16 || type == EMR_POLYPOLYLINE16;
    const QPolygonF all = ReadPoints(r, total, small);
    std::vector<QPolygonF> figures;
    qsizetype at = 0;
    for (uint32_t c : counts) {
        if (c > all.size() - at) r.Fail(QStringLiteral("polygon counts exceed the points"));
        figures.push_back(all.mid(at, c));
        at += c;
    }
    if (type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16)
        FPlayer->PolyPolygon(figures);
    else
        for (const QPolygonF& f : figures)
            FPlayer->Polyline(f);
}

void TEmfPlayback::Text(bool wide, TByteReader& r, qsizetype start) {
    r.Skip(16 + 12);
    const QPointF at = ReadPointL(r);
    const uint32_t chars = r.U32();
    const uint32_t offString = r.U32();
    const uint32_t options = r.U32();
    const QRectF rect = ReadRectL(r);
    const uint32_t offDx = r.U32();
    TByteReader str = r.Window(start + offString, static_cast<qsizetype>(chars) * (wide ? 2 : 1));
    QString text;
    if (wide) {
        text.reserve(chars);
        for (uint32_t i = 0; i < chars; ++i)
            text += QChar(str.U16());
    } else {
        text = FromCodePage(str.Bytes(chars));
    }
    std::vector<int32_t> dx;
    if (offDx != 0) {
        TByteReader d = r.Window(start + offDx, static_cast<qsizetype>(chars) * 4);
        dx.resize(chars);
        for (int32_t& v : dx)
            v = d.I32();
    }
    FPlayer->Text(at, text, dx, (options & ETO_OPAQUE) ? &rect : nullptr);
}

void TEmfPlayback::StretchDibits(TByteReader& r, qsizetype start) {
    r.Skip(16);
    const double x = r.I32();
    const double y = r.I32();
    TDibSource source;
    source.X = r.I32();
    source.Y = r.I32();
    source.Width = r.I32();
    source.Height = r.I32();
    const TDibPlace dib = ReadDibPlace(r);
    r.Skip(8);
    const double cx = r.I32();
    const double cy = r.I32();
    if (dib.InfoBytes == 0) return;
    DibRecord(*FPlayer, r, start, dib, {x, y}, {x + cx, y + cy}, source);
}

void TEmfPlayback::BlockTransfer(bool stretch, TByteReader& r, qsizetype start) {
    r.Skip(16);
    const double x = r.I32();
    const double y = r.I32();
    const double cx = r.I32();
    const double cy = r.I32();
    r.U32(); // raster operation: copies and pattern fills are what files use
    TDibSource source;
    source.X = r.I32();
    source.Y = r.I32();
    source.Width = static_cast<int64_t>(cx);
    source.Height = static_cast<int64_t>(cy);
    r.Skip(24 + 8);
    const TDibPlace dib = ReadDibPlace(r);
    if (stretch) {
        source.Width = r.I32();
        source.Height = r.I32();
    }
    if (dib.InfoBytes == 0)
        FPlayer->PatternFill({x, y}, {x + cx, y + cy});
    else
        DibRecord(*FPlayer, r, start, dib, {x, y}, {x + cx, y + cy}, source);
}

} // namespace

bool IsEmf(const QByteArray& data) {
    if (data.size() < 88) return false;
    const auto* b = reinterpret_cast<const uint8_t*>(data.constData());
    auto u32 = [b](int at) {
        return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
               uint32_t(b[at + 3]) << 24;
    };
    return u32(0) == EMR_HEADER && u32(40) == Signature;
}

std::unique_ptr<TMetafile> ReadEmf(const QByteArray& data, const QString& source) {
    return TEmfPlayback(data, source).Run();
}
