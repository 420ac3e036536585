#include "common/PictureSamples.h"

#include <QBuffer>
#include <QImage>

QByteArray PlainPng(int Width, int Height, QRgb Colour) {
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray DataUrl(const char* Type, const QByteArray& Bytes) {
    return QByteArray("data:") + Type + ";base64," + Bytes.toBase64();
}
