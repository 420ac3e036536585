#include "metafile/Metafile.h"

#include <algorithm>
#include <cmath>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <set>

#include "base/InvalidGraphic.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "metafile/EmfWriter.h"

namespace {

// Reference screen: 96 pixels per inch, 2540 hundredths of a millimetre per inch.
constexpr double RefPixelsPerMM100 = 96.0 / 2540.0;
// States looked back on before a new one is stored: labels alternate between a few pens and fonts.
constexpr size_t StateLookBack = 8;

int32_t NearestInt(double v) {
    return static_cast<int32_t>(std::clamp(std::lround(v), -0x7FFFFFFFL, 0x7FFFFFFFL));
}

// A scale as viewport extent / window extent with as many significant bits as 32-bit extents allow.
void ScaleAsExtents(double scale, int32_t& window, int32_t& viewport) {
    window = 1 << 20;
    while (window > 1 && std::abs(scale) * window >= double(1 << 30))
        window >>= 1;
    viewport = NearestInt(scale * window);
    if (viewport == 0) viewport = scale < 0 ? -1 : 1;
}

// The recorded mapping followed by device = reference * scale + offset, as one mapping.
TMapping Compose(const TMapping& recorded, double scaleX, double scaleY, double offsetX, double offsetY) {
    TMapping m;
    m.Mode = MM_ANISOTROPIC;
    m.WindowOrg = recorded.WindowOrg;
    ScaleAsExtents(recorded.ScaleX() * scaleX, m.WindowExt.cx, m.ViewportExt.cx);
    ScaleAsExtents(recorded.ScaleY() * scaleY, m.WindowExt.cy, m.ViewportExt.cy);
    m.ViewportOrg = {NearestInt(recorded.ViewportOrg.X * scaleX + offsetX),
                     NearestInt(recorded.ViewportOrg.Y * scaleY + offsetY)};
    return m;
}

} // namespace

TMetafile::TMetafile(int32_t mmWidth, int32_t mmHeight) {
    SetMMWidth(mmWidth);
    SetMMHeight(mmHeight);
}

void TMetafile::SetMMWidth(int32_t value) {
    FMMWidth = std::max(value, 0);
}

void TMetafile::SetMMHeight(int32_t value) {
    FMMHeight = std::max(value, 0);
}

int TMetafile::Width() const {
    return NearestInt(FMMWidth * RefPixelsPerMM100);
}

int TMetafile::Height() const {
    return NearestInt(FMMHeight * RefPixelsPerMM100);
}

bool TMetafile::Empty() const {
    return FMMWidth <= 0 || FMMHeight <= 0;
}

void TMetafile::Clear() {
    FRecords.clear();
    FStates.clear();
    FPoints.clear();
    FTexts.clear();
    FClips.clear();
    FImages.clear();
}

void TMetafile::Append(const TDrawState& state, TMetaRecord record) {
    const size_t first = FStates.size() > StateLookBack ? FStates.size() - StateLookBack : 0;
    size_t index = FStates.size();
    for (size_t i = FStates.size(); i > first; --i)
        if (FStates[i - 1] == state) {
            index = i - 1;
            break;
        }
    if (index == FStates.size()) FStates.push_back(state);
    record.State = static_cast<uint32_t>(index);
    FRecords.push_back(record);
}

int32_t TMetafile::AddPoints(std::span<const TPoint> points) {
    const auto first = static_cast<int32_t>(FPoints.size());
    FPoints.insert(FPoints.end(), points.begin(), points.end());
    return first;
}

int32_t TMetafile::AddText(const QString& text) {
    FTexts.push_back(text);
    return static_cast<int32_t>(FTexts.size() - 1);
}

int32_t TMetafile::AddClip(const TRect& clip) {
    if (FClips.empty() || !(FClips.back() == clip)) FClips.push_back(clip);
    return static_cast<int32_t>(FClips.size() - 1);
}

int32_t TMetafile::AddImage(const QImage& image) {
    // The same picture drawn in every label of a sheet is kept once.
    for (size_t i = 0; i < FImages.size(); ++i)
        if (FImages[i].cacheKey() == image.cacheKey()) return static_cast<int32_t>(i);
    FImages.push_back(image);
    return static_cast<int32_t>(FImages.size() - 1);
}

void TMetafile::Squeeze() {
    FRecords.shrink_to_fit();
    FStates.shrink_to_fit();
    FPoints.shrink_to_fit();
    FTexts.shrink_to_fit();
    FClips.shrink_to_fit();
    FImages.shrink_to_fit();
}

TTextLayout TMetafile::TextLayout(const TMetaRecord& record) const {
    const TDrawState& s = FStates.at(record.State);
    return LayoutText(s.Font, FTexts.at(record.A), s.CharExtra, s.JustifyExtra, s.JustifyBreaks, s.TextAlign);
}

size_t TMetafile::ByteSize() const {
    size_t bytes = sizeof(*this) + FRecords.capacity() * sizeof(TMetaRecord) +
                   FStates.capacity() * sizeof(TDrawState) + FPoints.capacity() * sizeof(TPoint) +
                   FTexts.capacity() * sizeof(QString) + FClips.capacity() * sizeof(TRect) +
                   FImages.capacity() * sizeof(QImage);
    std::set<const void*> faces;
    for (const TDrawState& s : FStates)
        if (faces.insert(s.Font.lfFaceName.constData()).second) bytes += s.Font.lfFaceName.capacity() * 2;
    for (const QString& t : FTexts)
        bytes += static_cast<size_t>(t.capacity()) * 2;
    for (const QImage& image : FImages)
        bytes += static_cast<size_t>(image.sizeInBytes());
    return bytes;
}

void TMetafile::Draw(TCanvas& canvas, const TRect& r) const {
    if (!canvas.Device() || Empty()) return;
    const TMapping& dest = canvas.Mapping();
    const double sx = r.Width() / (FMMWidth * RefPixelsPerMM100) * dest.ScaleX();
    const double sy = r.Height() / (FMMHeight * RefPixelsPerMM100) * dest.ScaleY();
    Play(*canvas.Device(), sx, sy, (r.Left - dest.WindowOrg.X) * dest.ScaleX() + dest.ViewportOrg.X,
         (r.Top - dest.WindowOrg.Y) * dest.ScaleY() + dest.ViewportOrg.Y);
}

void TMetafile::Play(TCanvasDevice& device, double scaleX, double scaleY, double offsetX,
                     double offsetY) const {
    if (FRecords.empty() || scaleX == 0 || scaleY == 0) return;
    std::vector<TDrawState> states = FStates;
    for (TDrawState& s : states)
        s.Mapping = Compose(s.Mapping, scaleX, scaleY, offsetX, offsetY);
    for (const TMetaRecord& rec : FRecords) {
        const TDrawState& state = states[rec.State];
        const TRect& box = rec.Box;
        switch (rec.Op) {
        case TMetaOp::Line: device.Line(state, box.TopLeft(), box.BottomRight()); break;
        case TMetaOp::Rectangle: device.Rectangle(state, box); break;
        case TMetaOp::RoundRect: device.RoundRect(state, box, rec.A, rec.B); break;
        case TMetaOp::Ellipse: device.Ellipse(state, box); break;
        case TMetaOp::Polygon:
            device.Polygon(state, std::span<const TPoint>(FPoints).subspan(rec.A, rec.B));
            break;
        case TMetaOp::FillRect: device.FillRect(state, box); break;
        case TMetaOp::Pixel: device.SetPixel(state, box.TopLeft(), rec.A); break;
        case TMetaOp::Text:
            device.TextOut(state, box.TopLeft(), FTexts[rec.A], TextLayout(rec),
                           rec.B >= 0 ? &FClips[rec.B] : nullptr);
            break;
        case TMetaOp::Image: device.StretchImage(state, box, FImages[rec.A]); break;
        }
    }
}

QImage TMetafile::RenderAt(int dpi) const {
    const auto pixels = [dpi](int32_t hundredths) {
        return std::max(1, static_cast<int>(std::lround(hundredths / 2540.0 * dpi)));
    };
    QImage image = Render(pixels(FMMWidth), pixels(FMMHeight));
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

QImage TMetafile::Render(int width, int height) const {
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (Empty()) return image;
    TPainterDevice device(&image);
    if (!device.Begin()) return image;
    Play(device, width / (FMMWidth * RefPixelsPerMM100), height / (FMMHeight * RefPixelsPerMM100), 0, 0);
    device.End();
    return image;
}

QByteArray TMetafile::SaveToEmf() const {
    return TEmfWriter(*this).Bytes();
}

bool TMetafile::SaveToDevice(QIODevice& device, TMetafileFormat format, int bitmapDpi) const {
    const int w = std::max(Width(), 1);
    const int h = std::max(Height(), 1);
    switch (format) {
    case TMetafileFormat::Emf: return device.write(SaveToEmf()) >= 0;
    case TMetafileFormat::Bmp:
    case TMetafileFormat::Png:
        return (bitmapDpi > 0 ? RenderAt(bitmapDpi) : Render(w, h))
            .save(&device, format == TMetafileFormat::Bmp ? "BMP" : "PNG");
    case TMetafileFormat::Svg: {
        // Coordinates are written as whole units: at 96 per inch a 0.3 mm barcode module would round
        // to one or two of them. Ten times finer units keep the drawing true to a fortieth of a millimetre.
        constexpr int Fine = 10;
        QSvgGenerator svg;
        svg.setOutputDevice(&device);
        svg.setSize(QSize(w * Fine, h * Fine));
        svg.setViewBox(QRect(0, 0, w * Fine, h * Fine));
        svg.setResolution(96 * Fine);
        TPainterDevice painter(&svg);
        if (!painter.Begin()) return false;
        Play(painter, Fine * w / (FMMWidth * RefPixelsPerMM100), Fine * h / (FMMHeight * RefPixelsPerMM100),
             0, 0);
        painter.End();
        return true;
    }
    case TMetafileFormat::Pdf: {
        constexpr int Resolution = 1200;
        QPdfWriter pdf(&device);
        pdf.setResolution(Resolution);
        pdf.setPageSize(QPageSize(QSizeF(std::max(FMMWidth, 1) / 100.0, std::max(FMMHeight, 1) / 100.0),
                                  QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        TPainterDevice painter(&pdf);
        if (!painter.Begin()) return false;
        const double scale = Resolution / 96.0;
        Play(painter, scale, scale, 0, 0);
        painter.End();
        return true;
    }
    }
    return false;
}

void TMetafile::SaveToFile(const QString& fileName, TMetafileFormat format, int bitmapDpi) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !SaveToDevice(file, format, bitmapDpi) || !file.commit())
        throw EInvalidGraphic(QStringLiteral("%1: cannot be written (%2)").arg(fileName, file.errorString()));
}
