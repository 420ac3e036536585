#pragma once

#include <QImage>

#include "base/ByteReader.h"

/// Decodes a device-independent bitmap: its header (the 40-byte info header or the 12-byte core
/// header) with colour table from info, the pixel rows from bits. Uncompressed 1, 4, 8, 16, 24 and
/// 32 bits per pixel, and embedded JPEG or PNG. Sizes are checked against the bytes present, so a
/// lying header cannot make a large allocation. Throws EInvalidGraphic for what it cannot read.
QImage ReadDib(TByteReader info, TByteReader bits);

/// As ReadDib, for a bitmap whose rows follow its header and colour table in one block.
QImage ReadPackedDib(TByteReader dib);
