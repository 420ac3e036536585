#pragma once

#include <cstdlib>
#include <QImage>
#include <QRect>

#include "base/Color.h"

/// Bounding box of the pixels of exactly one colour.
inline QRect ColourBox(const QImage& image, TColor colour) {
    const QRgb want = ToQColor(colour).rgb();
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == want) box |= QRect(x, y, 1, 1);
    return box;
}

/// Number of pixels of exactly one colour.
inline int CountColour(const QImage& image, TColor colour) {
    const QRgb want = ToQColor(colour).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == want;
    return n;
}

/// Bounding box of clearly dark pixels (ink), whatever the text antialiasing.
inline QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
    return box;
}

/// Share of pixels (0..1) whose colour differs from the other image's by more than tolerance in
/// any channel; 1 when the sizes differ.
inline double DifferingShare(const QImage& a, const QImage& b, int tolerance = 64) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > tolerance ||
                         std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                         std::abs(qBlue(p) - qBlue(q)) > tolerance;
        }
    return double(differing) / (qint64(a.width()) * a.height());
}

/// Bounding box of the pixels near one colour (each channel within tolerance).
inline QRect NearColourBox(const QImage& image, TColor colour, int tolerance = 60) {
    const QColor want = ToQColor(colour);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - want.red()) <= tolerance &&
                std::abs(qGreen(p) - want.green()) <= tolerance &&
                std::abs(qBlue(p) - want.blue()) <= tolerance)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

/// True when two boxes have each edge within slack pixels of the other's.
inline bool NearBox(const QRect& a, const QRect& b, int slack) {
    return std::abs(a.left() - b.left()) <= slack && std::abs(a.top() - b.top()) <= slack &&
           std::abs(a.right() - b.right()) <= slack && std::abs(a.bottom() - b.bottom()) <= slack;
}
