#pragma once

#include <cstdint>
#include <QImage>

#include "base/ByteReader.h"

/// Decodes a device-independent bitmap: its header (the 40-byte info header or the 12-byte core
/// header) with colour table from info, the pixel rows from bits. Uncompressed 1, 4, 8, 16, 24 and
/// 32 bits per pixel, and embedded JPEG or PNG. Sizes are checked against the bytes present, so a
/// lying header cannot make a large allocation. Throws EInvalidGraphic for what it cannot read.
QImage ReadDib(TByteReader info, TByteReader bits);

/// As ReadDib, for a bitmap whose rows follow its header and colour table in one block.
QImage ReadPackedDib(TByteReader dib);

/// The source rectangle of a bitmap record, in pixels of its bitmap: any 32-bit values a file holds.
struct TDibSource {
    int64_t X = 0;
    int64_t Y = 0;
    int64_t Width = 0;
    int64_t Height = 0;
};

/// The part of image that source covers, as the platform's rectangles intersect (a negative size
/// reaches back from the edge); the whole image when source covers none of it or all of it.
QImage DibSourcePart(const QImage& image, const TDibSource& source);
