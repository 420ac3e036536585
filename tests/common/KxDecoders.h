#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include "types/Kxtypes.h"

// Two independent barcode readers for the tests: zxing-cpp in-process and the zbarimg program.

/// The symbol of Kind that zxing-cpp finds in Image, as text (UTF-8 decoded; GS1 data as the
/// element strings with a GS character after each variable-length field; an add-on after a space).
QStringList ZXingRead(const QImage& Image, TKxBar Kind);

/// Whether zbarimg reads Kind at all (it has no Data Matrix, PDF417 or Aztec reader).
bool ZbarReads(TKxBar Kind);

/// Every symbol that zbarimg finds in the PNG file, as its raw text, one entry per symbol (an add-on
/// is one of its own), sorted.
QStringList ZbarRead(const QString& Png, TKxBar Kind);
