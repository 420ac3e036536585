#pragma once

#include <QImage>
#include <QRect>

#include "platform/Color.h"

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
