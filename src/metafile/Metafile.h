#pragma once

#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <span>
#include <vector>

#include "gdi/CanvasDevice.h"
#include "gdi/Graphic.h"
#include "kxlab_export.h"

class QIODevice;

/// The kinds of recorded operation, one per TCanvasDevice drawing call.
enum class TMetaOp : uint8_t { Line, Rectangle, RoundRect, Ellipse, Polygon, FillRect, Pixel, Text, Image };

/// One recorded operation in the logical units of its state's mapping.
/// Box: the rectangle; for Line the end points are TopLeft and BottomRight; for Pixel and Text the
/// point is TopLeft. A and B: corner width and height (RoundRect); colour (Pixel); first point and
/// count (Polygon, in Points()); text index and clip index or -1 (Text); image index (Image).
struct KXLAB_EXPORT TMetaRecord {
    TMetaOp Op = TMetaOp::Line;
    uint32_t State = 0;
    TRect Box;
    int32_t A = 0;
    int32_t B = 0;
};

/// File formats a recorded page saves as.
enum class TMetafileFormat { Emf, Bmp, Png, Svg, Pdf };

/// A page of recorded canvas operations (a preview sheet, or a picture read from an EMF or WMF file).
///
/// Its size is MMWidth by MMHeight hundredths of a millimetre; its natural size in pixels is that
/// size on the 96-per-inch reference screen. Operations keep their logical coordinates and the
/// canvas state in force (states are shared between consecutive operations), so a page costs a few
/// dozen bytes per operation, not pixels. Drawing replays the operations on any canvas, the page's
/// frame stretched into the target rectangle; replaying only reads the page.
class KXLAB_EXPORT TMetafile : public TGraphic {
public:
    TMetafile() = default;
    TMetafile(int32_t mmWidth, int32_t mmHeight);

    /// Size in hundredths of a millimetre (negative values count as 0).
    int32_t MMWidth() const { return FMMWidth; }
    int32_t MMHeight() const { return FMMHeight; }
    void SetMMWidth(int32_t value);
    void SetMMHeight(int32_t value);
    /// Natural size in reference pixels (96 per inch), rounded.
    int Width() const override;
    int Height() const override;
    bool Empty() const override;
    /// Replays the page with its frame stretched into R (logical units of the canvas).
    void Draw(TCanvas& canvas, const TRect& r) const override;
    /// Replays onto a device: frame point (x, y) in reference pixels lands on device point
    /// (x * scaleX + offsetX, y * scaleY + offsetY).
    void Play(TCanvasDevice& device, double scaleX, double scaleY, double offsetX, double offsetY) const;

    /// Drops every operation; the size stays.
    void Clear();
    /// Appends one operation with the state it was made in (what a recording device does).
    void Append(const TDrawState& state, TMetaRecord record);
    /// Stores side data of an operation and answers its index for TMetaRecord::A or B.
    int32_t AddPoints(std::span<const TPoint> points);
    int32_t AddText(const QString& text);
    int32_t AddClip(const TRect& clip);
    int32_t AddImage(const QImage& image);
    /// Releases spare capacity once recording is over.
    void Squeeze();

    const std::vector<TMetaRecord>& Records() const { return FRecords; }
    const std::vector<TDrawState>& States() const { return FStates; }
    const std::vector<TPoint>& Points() const { return FPoints; }
    const std::vector<QString>& Texts() const { return FTexts; }
    const std::vector<TRect>& Clips() const { return FClips; }
    const std::vector<QImage>& Images() const { return FImages; }
    /// The layout of a recorded text, as the canvas made it.
    TTextLayout TextLayout(const TMetaRecord& record) const;

    /// Bytes of memory the page holds (records, states, side data, image pixels once per image).
    size_t ByteSize() const;

    /// The page as an Enhanced Metafile.
    QByteArray SaveToEmf() const;
    /// Writes the page to a file (a temporary file renamed over the target, so a failure leaves the
    /// old file). Bitmaps are on white, at bitmapDpi pixels per inch, or the natural size when 0; SVG
    /// and PDF are vector pages of the page's size. Throws EInvalidGraphic naming the file when it
    /// cannot be written.
    void SaveToFile(const QString& fileName, TMetafileFormat format, int bitmapDpi = 0) const;
    /// Writes the page in format on device, open for writing; false when the format's writer fails.
    /// The device's own write errors are the caller's to check.
    bool SaveToDevice(QIODevice& device, TMetafileFormat format, int bitmapDpi = 0) const;
    /// The page rendered on white at width by height pixels.
    QImage Render(int width, int height) const;
    /// The page rendered on white at dpi pixels per inch (at least one pixel a side), its resolution
    /// set, as an exported sheet picture holds it.
    QImage RenderAt(int dpi) const;

private:
    int32_t FMMWidth = 0;
    int32_t FMMHeight = 0;
    std::vector<TMetaRecord> FRecords;
    std::vector<TDrawState> FStates;
    std::vector<TPoint> FPoints;
    std::vector<QString> FTexts;
    std::vector<TRect> FClips;
    std::vector<QImage> FImages;
};
