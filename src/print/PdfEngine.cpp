#include "print/PdfEngine.h"

#include <cmath>
#include <QCryptographicHash>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

namespace {

// Everything TPainterDevice asks of an engine; without these QPainter would flatten curves or
// transform figures itself.
constexpr QPaintEngine::PaintEngineFeatures Features =
    QPaintEngine::PrimitiveTransform | QPaintEngine::PatternTransform | QPaintEngine::PixmapTransform |
    QPaintEngine::PainterPaths;

void AppendColor(std::string& out, QRgb c, const char* op) {
    AppendPdfNumber(out, qRed(c) / 255.0);
    out += ' ';
    AppendPdfNumber(out, qGreen(c) / 255.0);
    out += ' ';
    AppendPdfNumber(out, qBlue(c) / 255.0);
    out += op;
}

// How much the transform scales lengths: what a pen of device pixels is in its units.
double Scale(const QTransform& t) {
    const double det = std::abs(t.determinant());
    return det > 0 ? std::sqrt(det) : 1;
}

} // namespace

TPdfEngine::TPdfEngine(const TPdfSettings& settings)
    : QPaintEngine(Features)
    , FSettings(settings) {}

TPdfEngine::~TPdfEngine() = default;

bool TPdfEngine::begin(QPaintDevice* /*device*/) {
    if (FFile) return true;
    // A finished document is closed: a second one after it would make the file unreadable.
    if (FFinished) return false;
    QIODevice* device = FSettings.Device;
    if (!device || !device->isWritable()) return false;
    FFile = std::make_unique<TPdfFile>(device);
    FCatalog = FFile->Reserve();
    FPages = FFile->Reserve();
    FResources = FFile->Reserve();
    FGState = FFile->Reserve();
    FInfo = FFile->Reserve();
    StartPage();
    return true;
}

bool TPdfEngine::end() {
    if (!FFile) return false;
    EndPage();
    for (size_t i = 0; i < FFonts.size(); ++i)
        FFonts[i]->Write(*FFile, static_cast<int>(i));
    std::string resources = "<</ExtGState<</GSa " + std::to_string(FGState) + " 0 R>>/Font<<";
    for (size_t i = 0; i < FFonts.size(); ++i)
        resources += "/F" + std::to_string(i) + ' ' + std::to_string(FFonts[i]->ObjectNumber()) + " 0 R";
    resources += ">>/XObject<<";
    for (size_t i = 0; i < FImageObjects.size(); ++i)
        resources += "/Im" + std::to_string(i) + ' ' + std::to_string(FImageObjects[i]) + " 0 R";
    FFile->Object(FResources, resources + ">>>>");
    // Stroke adjustment keeps thin rules whole on any raster, as viewers expect of print output.
    FFile->Object(FGState, "<</Type/ExtGState/SA true/SM 0.02/ca 1/CA 1/AIS false/SMask/None>>");
    FFile->BeginObject(FPages);
    std::string kids = "<</Type/Pages/Count " + std::to_string(FPageObjects.size()) + "/Kids[";
    for (int page : FPageObjects) {
        kids += std::to_string(page) + " 0 R ";
        if (kids.size() > (1 << 16)) {
            FFile->Write(kids);
            kids.clear();
        }
    }
    FFile->Write(kids + "]>>");
    FFile->EndObject();
    FFile->Object(FCatalog, "<</Type/Catalog/Pages " + std::to_string(FPages) + " 0 R>>");
    FFile->Object(
        FInfo, "<</Title" + TPdfFile::Text(FSettings.Title) + "/Creator" + TPdfFile::Text(FSettings.Creator) +
                   "/Producer" + TPdfFile::Text(QStringLiteral("KxLab")) + "/CreationDate(D:" +
                   QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() +
                   "Z)>>");
    FFile->Finish(FCatalog, FInfo);
    FFile.reset();
    FFinished = true;
    return true;
}

void TPdfEngine::NewPage() {
    if (!FFile) return;
    EndPage();
    StartPage();
}

void TPdfEngine::StartPage() {
    FPage.clear();
    FPage.reserve(1 << 16);
    FInFrame = false;
    FFrameTransform = QTransform();
    FFrameClip.reset();
    FState = TGState{};
    // Device pixels, y down, from the printable area's corner.
    const QPageLayout& layout = FSettings.Layout;
    const double s = 72.0 / FSettings.Resolution;
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    const double height = layout.fullRectPoints().height();
    FPage += "/GSa gs\n";
    for (double v : {s, 0.0, 0.0, -s, paint.left(), height - paint.top()}) {
        AppendPdfNumber(FPage, v);
        FPage += ' ';
    }
    FPage += "cm\n";
    FPageOpen = true;
}

void TPdfEngine::EndPage() {
    if (!FPageOpen) return;
    if (FInFrame) FPage += "Q\n";
    FInFrame = false;
    const int content = FFile->Reserve();
    FFile->Stream(content, "", FPage);
    const int page = FFile->Reserve();
    const QRect full = FSettings.Layout.fullRectPoints();
    FFile->Object(page, "<</Type/Page/Parent " + std::to_string(FPages) + " 0 R/MediaBox[0 0 " +
                            std::to_string(full.width()) + ' ' + std::to_string(full.height()) +
                            "]/Resources " + std::to_string(FResources) + " 0 R/Contents " +
                            std::to_string(content) + " 0 R>>");
    FPageObjects.push_back(page);
    FPageOpen = false;
}

void TPdfEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen) FPen = state.pen();
    if (flags & DirtyBrush) FBrush = state.brush();
    if (flags & DirtyTransform) FTransform = state.transform();
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform)) {
        // The painter's clip in device pixels: TPainterDevice clips only to rectangles on the device.
        const QPainter* p = painter();
        if (p && p->hasClipping())
            FClip = p->combinedTransform().map(p->clipPath()).boundingRect();
        else
            FClip.reset();
    }
}

void TPdfEngine::Frame(const QTransform& transform, const std::optional<QRectF>& clip) {
    const bool plain = transform.isIdentity() && !clip;
    if (FInFrame ? (transform == FFrameTransform && clip == FFrameClip) : plain) return;
    if (FInFrame) {
        FPage += "Q\n";
        FState = FSaved;
        FInFrame = false;
    }
    FFrameTransform = transform;
    FFrameClip = clip;
    if (plain) return;
    FPage += "q\n";
    FSaved = FState;
    FInFrame = true;
    if (clip) {
        for (double v : {clip->left(), clip->top(), clip->width(), clip->height()}) {
            AppendPdfNumber(FPage, v);
            FPage += ' ';
        }
        FPage += "re W n\n";
    }
    if (!transform.isIdentity()) {
        for (double v : {transform.m11(), transform.m12(), transform.m21(), transform.m22(), transform.dx(),
                         transform.dy()}) {
            AppendPdfNumber(FPage, v);
            FPage += ' ';
        }
        FPage += "cm\n";
    }
}

void TPdfEngine::UseFill(QRgb color) {
    color |= 0xFF000000u;
    if (FState.Fill == color) return;
    FState.Fill = color;
    AppendColor(FPage, color, " rg\n");
}

void TPdfEngine::UseStroke(const QPen& pen) {
    const QRgb color = pen.color().rgb() | 0xFF000000u;
    if (FState.Stroke != color) {
        FState.Stroke = color;
        AppendColor(FPage, color, " RG\n");
    }
    // A cosmetic pen is device pixels wide whatever the transform; zero means one.
    double width = pen.widthF();
    if (pen.isCosmetic() || width <= 0) width = std::max(width, 1.0) / Scale(FFrameTransform);
    std::string line;
    AppendPdfNumber(line, width);
    line += " w ";
    line += pen.capStyle() == Qt::FlatCap ? '0' : pen.capStyle() == Qt::RoundCap ? '1' : '2';
    line += " J ";
    const Qt::PenJoinStyle join = pen.joinStyle();
    line += join == Qt::RoundJoin ? '1' : join == Qt::BevelJoin ? '2' : '0';
    line += " j ";
    if (join == Qt::MiterJoin || join == Qt::SvgMiterJoin) {
        AppendPdfNumber(line, pen.miterLimit());
        line += " M ";
    }
    line += '[';
    if (pen.style() != Qt::SolidLine)
        for (double d : pen.dashPattern()) {
            AppendPdfNumber(line, d * width);
            line += ' ';
        }
    line += "]";
    AppendPdfNumber(line, pen.style() != Qt::SolidLine ? pen.dashOffset() * width : 0);
    line += " d\n";
    if (FState.Line == line) return;
    FState.Line = line;
    FPage += line;
}

const char* TPdfEngine::PaintOperator(bool evenOdd) {
    const bool fill = FBrush.style() != Qt::NoBrush;
    const bool stroke = FPen.style() != Qt::NoPen;
    if (fill) UseFill(FBrush.color().rgb());
    if (stroke) UseStroke(FPen);
    if (fill && stroke) return evenOdd ? "B*\n" : "B\n";
    if (fill) return evenOdd ? "f*\n" : "f\n";
    return stroke ? "S\n" : nullptr;
}

void TPdfEngine::Point(double x, double y) {
    AppendPdfNumber(FPage, x);
    FPage += ' ';
    AppendPdfNumber(FPage, y);
    FPage += ' ';
}

void TPdfEngine::drawRects(const QRect* rects, int count) {
    for (int i = 0; i < count; ++i) {
        const QRectF r(rects[i]);
        drawRects(&r, 1);
    }
}

void TPdfEngine::drawRects(const QRectF* rects, int count) {
    if (!FPageOpen) return;
    Frame(FTransform, FClip);
    const char* op = PaintOperator(false);
    if (!op) return;
    // The rectangles of one call are one paint: viewers widen a lone rectangle to every pixel it
    // touches, and not those of a path of several, so each bar of a barcode comes in a call of its own.
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i];
        Point(r.x(), r.y());
        Point(r.width(), r.height());
        FPage += "re\n";
    }
    FPage += op;
}

void TPdfEngine::drawLines(const QLine* lines, int count) {
    for (int i = 0; i < count; ++i) {
        const QLineF l(lines[i]);
        drawLines(&l, 1);
    }
}

void TPdfEngine::drawLines(const QLineF* lines, int count) {
    if (!FPageOpen || FPen.style() == Qt::NoPen) return;
    Frame(FTransform, FClip);
    UseStroke(FPen);
    for (int i = 0; i < count; ++i) {
        Point(lines[i].x1(), lines[i].y1());
        FPage += "m ";
        Point(lines[i].x2(), lines[i].y2());
        FPage += "l S\n";
    }
}

void TPdfEngine::Path(const QPainterPath& path) {
    int start = -1;
    const int n = path.elementCount();
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (start >= 0 && QPointF(path.elementAt(i - 1)) == QPointF(path.elementAt(start)))
                FPage += "h\n";
            start = i;
            Point(e.x, e.y);
            FPage += "m\n";
            break;
        case QPainterPath::LineToElement:
            Point(e.x, e.y);
            FPage += "l\n";
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 >= n) return;
            Point(e.x, e.y);
            Point(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
            Point(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
            FPage += "c\n";
            i += 2;
            break;
        default: break;
        }
    }
    // A subpath that ends where it began is closed: its stroke joins there instead of ending twice.
    if (start >= 0 && n > 1 && QPointF(path.elementAt(n - 1)) == QPointF(path.elementAt(start)))
        FPage += "h\n";
}

void TPdfEngine::drawPath(const QPainterPath& path) {
    if (!FPageOpen || path.isEmpty()) return;
    Frame(FTransform, FClip);
    const char* op = PaintOperator(path.fillRule() == Qt::OddEvenFill);
    if (!op) return;
    Path(path);
    FPage += op;
}

void TPdfEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) {
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPointF(points[i]);
    drawPolygon(polygon.constData(), count, mode);
}

void TPdfEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (!FPageOpen || count < 2) return;
    Frame(FTransform, FClip);
    const char* op = nullptr;
    if (mode == PolylineMode) {
        if (FPen.style() == Qt::NoPen) return;
        UseStroke(FPen);
        op = "S\n";
    } else {
        op = PaintOperator(mode == OddEvenMode);
        if (!op) return;
    }
    for (int i = 0; i < count; ++i) {
        Point(points[i].x(), points[i].y());
        FPage += i == 0 ? "m\n" : "l\n";
    }
    if (mode != PolylineMode) FPage += "h\n";
    FPage += op;
}

void TPdfEngine::drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) {
    drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
}

void TPdfEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                           Qt::ImageConversionFlags /*flags*/) {
    if (!FPageOpen || image.isNull() || r.isEmpty()) return;
    const QRect part = source.toAlignedRect().intersected(image.rect());
    if (part.isEmpty()) return;
    const int object = part == image.rect() ? ImageObject(image) : ImageObject(image.copy(part));
    if (object < 0) return;
    Frame(FTransform, FClip);
    FPage += "q ";
    for (double v : {r.width(), 0.0, 0.0, -r.height(), r.x(), r.y() + r.height()}) {
        AppendPdfNumber(FPage, v);
        FPage += ' ';
    }
    FPage += "cm /Im" + std::to_string(object) + " Do Q\n";
}

int TPdfEngine::ImageObject(const QImage& image) {
    if (const auto known = FImagesByKey.constFind(image.cacheKey()); known != FImagesByKey.cend())
        return known.value();
    // A picture drawn anew for every label (a rendered vector picture) is still written once.
    const QImage pixels =
        image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < pixels.height(); ++y)
        hash.addData(
            QByteArrayView(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4));
    const QByteArray content =
        hash.result() + QByteArray::number(pixels.width()) + 'x' + QByteArray::number(pixels.height());
    if (const auto known = FImagesByContent.constFind(content); known != FImagesByContent.cend()) {
        FImagesByKey.insert(image.cacheKey(), known.value());
        return known.value();
    }

    const bool gray = pixels.allGray();
    const bool alpha = pixels.hasAlphaChannel();
    std::string colour, mask;
    colour.reserve(static_cast<size_t>(pixels.width()) * pixels.height() * (gray ? 1 : 3));
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb c = line[x];
            if (gray) {
                colour += static_cast<char>(qRed(c));
            } else {
                colour += static_cast<char>(qRed(c));
                colour += static_cast<char>(qGreen(c));
                colour += static_cast<char>(qBlue(c));
            }
            if (alpha) mask += static_cast<char>(qAlpha(c));
        }
    }
    const std::string size = "/Width " + std::to_string(pixels.width()) + "/Height " +
                             std::to_string(pixels.height()) + "/BitsPerComponent 8";
    std::string entries =
        "/Type/XObject/Subtype/Image" + size + (gray ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB");
    if (alpha) {
        const int smask = FFile->Reserve();
        FFile->Stream(smask, "/Type/XObject/Subtype/Image" + size + "/ColorSpace/DeviceGray", mask);
        entries += "/SMask " + std::to_string(smask) + " 0 R";
    }
    const int object = FFile->Reserve();
    FFile->Stream(object, entries, colour);
    const int index = static_cast<int>(FImageObjects.size());
    FImageObjects.push_back(object);
    FImagesByKey.insert(image.cacheKey(), index);
    FImagesByContent.insert(content, index);
    return index;
}

void TPdfEngine::drawTextItem(const QPointF& p, const QTextItem& item) {
    // Text that did not come as a glyph run is filled as outlines in the pen's colour.
    QPainterPath path;
    path.addText(p, item.font(), item.text());
    const QBrush brush = FBrush;
    const QPen pen = FPen;
    FBrush = QBrush(FPen.color());
    FPen = QPen(Qt::NoPen);
    drawPath(path);
    FBrush = brush;
    FPen = pen;
}

TPdfFont* TPdfEngine::FontFor(const TRun& run, int& index) {
    auto [at, added] = FFontIndex.try_emplace(run.Face, -1);
    if (added) {
        // A number taken for a face that cannot be embedded stays a free entry.
        auto font = std::make_unique<TPdfFont>(run.Font, FFile->Reserve());
        if (font->Usable()) {
            at->second = static_cast<int>(FFonts.size());
            FFonts.push_back(std::move(font));
        }
    }
    index = at->second;
    return index < 0 ? nullptr : FFonts[index].get();
}

bool TPdfEngine::DrawGlyphs(const TRun& run) {
    if (!FPageOpen) return false;
    int index = 0;
    TPdfFont* font = FontFor(run, index);
    if (!font) return false;
    if (run.Glyphs.isEmpty()) return true;
    Frame(run.Transform, run.Clip ? std::optional<QRectF>(QRectF(*run.Clip)) : std::nullopt);
    UseFill(run.Color.rgb());
    const double size = run.Font.pixelSize();
    if (size <= 0) return true;
    QList<uint> characters;
    FPage += "BT /F" + std::to_string(index) + ' ';
    AppendPdfNumber(FPage, size);
    FPage += " Tf\n";
    // One line of a text object per baseline; along it, each glyph's place is the previous
    // glyph's advance plus a correction in thousandths of the em.
    double x = 0, y = 0;
    bool open = false, inString = false;
    static const char* hex = "0123456789ABCDEF";
    for (qsizetype i = 0; i < run.Glyphs.size() && i < run.Positions.size(); ++i) {
        const uint32_t glyph = run.Glyphs[i];
        const QPointF at = run.Positions[i];
        if (!open || at.y() != y) {
            if (inString) FPage += '>';
            if (open) FPage += "]TJ\n";
            FPage += "1 0 0 -1 ";
            Point(at.x(), at.y());
            FPage += "Tm[";
            x = at.x();
            y = at.y();
            open = true;
            inString = false;
        } else {
            const double shift = std::round((x - at.x()) * 1000 / size * 100) / 100;
            if (shift != 0) {
                if (inString) FPage += '>';
                inString = false;
                AppendPdfNumber(FPage, shift);
                x -= shift * size / 1000;
            }
        }
        if (!inString) FPage += '<';
        inString = true;
        for (int s = 12; s >= 0; s -= 4)
            FPage += hex[(glyph >> s) & 0xF];
        x += font->Advance(glyph) * size / 1000;
        if (!font->Knows(glyph)) {
            if (characters.isEmpty()) characters = run.Text.toUcs4();
            font->Use(glyph, characters.size() == run.Glyphs.size() ? characters[i] : 0);
        }
    }
    if (inString) FPage += '>';
    if (open) FPage += "]TJ\n";
    FPage += "ET\n";
    return true;
}
