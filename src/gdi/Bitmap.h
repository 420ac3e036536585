#pragma once

#include <QImage>
#include <QString>

#include "gdi/Canvas.h"
#include "gdi/Graphic.h"
#include "gdi/PainterDevice.h"
#include "kxlab_export.h"

/// An off-screen bitmap with a canvas: 32-bit RGB pixels (a format on which not-xor drawing is
/// exact), white when created or resized. A widget shows it by drawing Image() in its paint event.
class KXLAB_EXPORT TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    /// Resizes to width by height pixels (negative sizes count as 0); the content is cleared to white
    /// and the canvas keeps its pen, brush, font and mapping.
    void SetSize(int width, int height);
    TCanvas& Canvas() { return FCanvas; }
    const TCanvas& Canvas() const { return FCanvas; }
    /// The pixels; valid until the next SetSize.
    const QImage& Image() const { return FImage; }
    void Draw(TCanvas& canvas, const TRect& r) const override;

    /// Replaces the content with an image file (any bitmap format Qt reads; SVG, which may name other
    /// files, is no bitmap); false when it cannot be read.
    bool LoadFromFile(const QString& fileName);
    /// Writes the pixels; the format follows the file suffix (".bmp", ".png"...).
    bool SaveToFile(const QString& fileName) const;

private:
    void Restart();

    QImage FImage;
    TPainterDevice FDevice;
    TCanvas FCanvas{&FDevice};
};
