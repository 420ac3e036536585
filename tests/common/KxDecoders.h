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

#include <vector>

#include "barcode/KxSymbology.h"

/// A barcode the readers check, and what each of them reports for it.
struct TKxScanSample {
    /// A name for test output.
    QString Name;
    TKxBar Kind;
    /// The data as a label or a record holds it (a retail number may leave out its check digit).
    QString Data;
    TKxSymbolOptions Options;
    /// What zxing-cpp reports.
    QString ZXing;
    /// What zbarimg reports, its symbols joined by '|'; empty when it does not read the kind.
    QString Zbar;
    /// Module width in label units: half a millimetre for the two-dimensional kinds.
    int32_t Width = 3;
};

/// One sample of every kind, with its check digit left out where it may be, GS1 data with an FNC1
/// between two fields, and text beyond Latin-1 where the kind takes it.
std::vector<TKxScanSample> KxScanSamples();
