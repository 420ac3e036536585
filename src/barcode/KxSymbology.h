#pragma once

#include <cstdint>
#include <QByteArray>
#include <QString>

#include "kxlab_export.h"
#include "types/Kxtypes.h"

// The kinds after the four retail ones, encoded by libzint into rows of modules. Pure data: nothing
// here draws; the barcode element lays the modules out in label units.

/// Error correction level of a QR code.
enum class TKxQrLevel : uint8_t { L = 1, M, Q, H };

/// What the data of a QR code or a Data Matrix holds.
enum class TKxDataMode : uint8_t {
    /// Any text, UTF-8 in the symbol.
    Text,
    /// GS1 element strings, "(01)09501101530003(17)270101": AIs checked, FNC1 placed.
    GS1,
    /// A GS1 Digital Link URL, "https://id.example.com/01/09501101530003/10/AB-12" (QR only).
    DigitalLink
};

/// The options of the kinds that have them; every other kind ignores them.
struct TKxSymbolOptions {
    TKxQrLevel QrLevel = TKxQrLevel::M;
    TKxDataMode QrMode = TKxDataMode::Text;
    bool DmRectangular = false;
    bool DmGS1 = false;
    /// Code 39 appends its modulo 43 check character.
    bool Code39Check = false;

    friend bool operator==(const TKxSymbolOptions&, const TKxSymbolOptions&) = default;
};

/// An encoded symbol: rows of dark and light modules and the human-readable text.
struct TKxEncodedSymbol {
    /// Empty when the data was encoded; else what is wrong with it, for the user.
    QString Problem;
    int Columns = 0;
    int Rows = 0;
    /// Rows x Columns bytes, row by row: 1 a dark module, 0 a light one.
    QByteArray Modules;
    /// Human-readable text: GS1 element strings in parentheses, numbers with their check digit, an
    /// add-on after a '+'. Empty for the two-dimensional kinds.
    QString Text;

    bool Ok() const { return Problem.isEmpty() && Rows > 0 && Columns > 0; }
    bool Dark(int Row, int Column) const { return Modules[Row * Columns + Column] != 0; }
};

/// The longest data handed to the encoder, in characters: more than any kind holds, so longer data is
/// refused before any work.
inline constexpr qsizetype KxMaxSymbolData = 8000;

/// Whether Kind is one of the kinds this encoder serves (every kind after the four retail ones).
KXLAB_EXPORT bool KxEncodedKind(TKxBar Kind);
/// QR, Data Matrix and Aztec: square modules in a grid; PDF417 is stacked rows.
KXLAB_EXPORT bool KxMatrixKind(TKxBar Kind);
/// The kinds with the retail guard bars and grouped digits: UPC-E and the two kinds with an add-on.
KXLAB_EXPORT bool KxRetailKind(TKxBar Kind);
/// The quiet zone the symbology demands on each side, in module widths.
KXLAB_EXPORT int KxQuietModules(TKxBar Kind);
/// The kind's name as the barcode dialog lists it ("CODE 128", "QR"); empty outside the enumeration.
KXLAB_EXPORT QString KxKindName(TKxBar Kind);
/// Data in a kind's own words that the dialog can show as an example.
KXLAB_EXPORT QString KxKindSample(TKxBar Kind);

/// Encodes Data as Kind. Data that the kind cannot hold (a letter in a number, a wrong check digit, a
/// malformed AI, too long for the QR level) yields a Problem and no modules, never an exception.
KXLAB_EXPORT TKxEncodedSymbol KxEncodeSymbol(TKxBar Kind, const QString& Data,
                                             const TKxSymbolOptions& Options);
