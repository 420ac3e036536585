#include "metafile/Picture.h"

#include <algorithm>
#include <cmath>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include "base/InvalidGraphic.h"
#include "gdi/Canvas.h"
#include "metafile/EmfReader.h"
#include "metafile/Metafile.h"
#include "metafile/PictureFolder.h"
#include "metafile/SvgCheck.h"
#include "metafile/WmfReader.h"

namespace {

// An SVG drawn on a device is rasterised at the device size, at most this many pixels a side.
constexpr int MaxSvgRaster = 8192;

} // namespace

struct TPicture::TContent {
    TPictureKind Kind = TPictureKind::Empty;
    QImage Image;
    std::unique_ptr<TMetafile> Page;
    std::unique_ptr<QSvgRenderer> Svg;
};

TPicture::TPicture() = default;
TPicture::~TPicture() = default;
TPicture::TPicture(const TPicture& other) = default;
TPicture& TPicture::operator=(const TPicture& other) = default;

void TPicture::Clear() {
    FContent.reset();
}

TPictureKind TPicture::Kind() const {
    return FContent ? FContent->Kind : TPictureKind::Empty;
}

void TPicture::LoadFromFile(const QString& fileName) {
    const QString path = PicturePath(fileName);
    const QFileInfo info(path);
    if (!info.exists()) throw EInvalidGraphic(QStringLiteral("%1: the file does not exist").arg(fileName));
    if (!info.isFile()) throw EInvalidGraphic(QStringLiteral("%1: not a regular file").arg(fileName));
    if (info.size() > MaxBytes)
        throw EInvalidGraphic(QStringLiteral("%1: larger than %2 bytes").arg(fileName).arg(MaxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInvalidGraphic(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    // Read one byte past the limit, in case the file grew after it was measured.
    const QByteArray bytes = file.read(MaxBytes + 1);
    LoadFromBytes(bytes, fileName);
}

void TPicture::LoadFromBytes(const QByteArray& bytes, const QString& source) {
    if (bytes.isEmpty()) throw EInvalidGraphic(QStringLiteral("%1: no picture data").arg(source));
    if (bytes.size() > MaxBytes)
        throw EInvalidGraphic(QStringLiteral("%1: larger than %2 bytes").arg(source).arg(MaxBytes));
    auto content = std::make_shared<TContent>();
    if (IsEmf(bytes)) {
        content->Kind = TPictureKind::Metafile;
        content->Page = ReadEmf(bytes, source);
    } else if (IsWmf(bytes)) {
        content->Kind = TPictureKind::Metafile;
        content->Page = ReadWmf(bytes, source);
    } else if (const QByteArray format = QtImageFormat(bytes); LooksLikeSvg(bytes) || format == "svg") {
        // Qt's image readers take SVG too, and its renderer follows the links it finds by itself.
        CheckSvgSelfContained(bytes, source);
        content->Kind = TPictureKind::Svg;
        content->Svg = std::make_unique<QSvgRenderer>(bytes);
        if (!content->Svg->isValid() || content->Svg->defaultSize().isEmpty())
            throw EInvalidGraphic(QStringLiteral("%1: the SVG picture cannot be read").arg(source));
    } else if (format == "svgz") {
        throw EInvalidGraphic(
            QStringLiteral("%1: compressed SVG pictures are not read; save the picture as plain SVG")
                .arg(source));
    } else {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        // Qt refuses images over its allocation limit, so a small file cannot claim a huge bitmap.
        QImage image = reader.read();
        if (image.isNull())
            throw EInvalidGraphic(
                QStringLiteral("%1: not a picture that can be read (%2)").arg(source, reader.errorString()));
        content->Kind = TPictureKind::Bitmap;
        content->Image = std::move(image);
    }
    FContent = std::move(content);
}

QSize TPicture::Size() const {
    if (!FContent) return {};
    switch (FContent->Kind) {
    case TPictureKind::Bitmap: return FContent->Image.size();
    case TPictureKind::Metafile: return {FContent->Page->Width(), FContent->Page->Height()};
    case TPictureKind::Svg: return FContent->Svg->defaultSize();
    default: return {};
    }
}

int TPicture::Width() const {
    return Size().width();
}

int TPicture::Height() const {
    return Size().height();
}

QImage TPicture::Bitmap() const {
    return Kind() == TPictureKind::Bitmap ? FContent->Image : QImage();
}

const TMetafile* TPicture::Metafile() const {
    return Kind() == TPictureKind::Metafile ? FContent->Page.get() : nullptr;
}

void TPicture::Draw(TCanvas& canvas, const TRect& r) const {
    if (!FContent) return;
    switch (FContent->Kind) {
    case TPictureKind::Bitmap: canvas.StretchDraw(r, FContent->Image); break;
    case TPictureKind::Metafile: FContent->Page->Draw(canvas, r); break;
    case TPictureKind::Svg: {
        // Rendered at the size it takes on the device, so it stays sharp on a printer.
        const TRect device = canvas.Mapping().ToDevice(r);
        const int w = std::clamp(device.Width(), 1, MaxSvgRaster);
        const int h = std::clamp(device.Height(), 1, MaxSvgRaster);
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        FContent->Svg->render(&painter, QRectF(0, 0, w, h));
        painter.end();
        canvas.StretchDraw(r, image);
        break;
    }
    default: break;
    }
}
