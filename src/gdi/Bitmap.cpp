#include "gdi/Bitmap.h"

#include <algorithm>
#include <QImageReader>

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    FDevice.End();
}

void TBitmap::Restart() {
    // QPainter refuses a null image, so an empty bitmap simply has no active painter.
    if (!FImage.isNull()) FDevice.Begin(&FImage);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FImage.width() && height == FImage.height()) return;
    FDevice.End();
    FImage = width > 0 && height > 0 ? QImage(width, height, QImage::Format_RGB32) : QImage();
    FImage.fill(Qt::white);
    Restart();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) const {
    canvas.StretchDraw(r, FImage);
}

bool TBitmap::LoadFromFile(const QString& fileName) {
    QImageReader reader(fileName);
    if (reader.format().startsWith("svg")) return false;
    QImage loaded = reader.read();
    if (loaded.isNull()) return false;
    FDevice.End();
    FImage = loaded.convertToFormat(QImage::Format_RGB32);
    Restart();
    return true;
}

bool TBitmap::SaveToFile(const QString& fileName) const {
    return !FImage.isNull() && FImage.save(fileName);
}
