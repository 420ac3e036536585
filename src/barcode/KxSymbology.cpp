#include "barcode/KxSymbology.h"

#include <memory>
#include <QCoreApplication>
#include <QRegularExpression>
#include <zint.h>

#include "barcode/KxCheckDigits.h"
#include "barcode/KxDigitalLink.h"

namespace {

QString Tr(const char* Text) {
    return QCoreApplication::translate("KxBarcode", Text);
}

struct TZintDeleter {
    void operator()(zint_symbol* Symbol) const { ZBarcode_Delete(Symbol); }
};
using TZintSymbol = std::unique_ptr<zint_symbol, TZintDeleter>;

// What one call of the encoder gets.
struct TZintRequest {
    int Symbology = 0;
    int InputMode = UNICODE_MODE;
    QByteArray Data;
    int Option1 = 0;
    int Option2 = 0;
    int Option3 = 0;
    bool SetOption1 = false;
};

constexpr int GS1Input = GS1_MODE | GS1PARENS_MODE;

// zint's reason without its "Error 123: " prefix.
QString ZintReason(const zint_symbol& Symbol) {
    static const QRegularExpression prefix(QStringLiteral("^(Error|Warning) \\d+: "));
    return QString::fromUtf8(Symbol.errtxt).remove(prefix);
}

TKxEncodedSymbol Failed(const QString& Problem) {
    TKxEncodedSymbol e;
    e.Problem = Problem;
    return e;
}

QString LevelName(TKxQrLevel Level) {
    return QStringLiteral("LMQH").mid(static_cast<int>(Level) - 1, 1);
}

QString TooLong(TKxBar Kind, const TKxSymbolOptions& Options) {
    if (Kind == baQR)
        return Tr("The data is too long for a QR code at level %1").arg(LevelName(Options.QrLevel));
    return Tr("The data is too long for %1").arg(KxKindName(Kind));
}

TKxEncodedSymbol Encode(TKxBar Kind, const TZintRequest& R, const TKxSymbolOptions& Options) {
    const TZintSymbol symbol(ZBarcode_Create());
    if (!symbol) return Failed(Tr("Out of memory"));
    zint_symbol& s = *symbol;
    s.symbology = R.Symbology;
    s.input_mode = R.InputMode;
    if (R.SetOption1) s.option_1 = R.Option1;
    if (R.Option2) s.option_2 = R.Option2;
    if (R.Option3) s.option_3 = R.Option3;
    const int result = ZBarcode_Encode(&s, reinterpret_cast<const unsigned char*>(R.Data.constData()),
                                       static_cast<int>(R.Data.size()));
    // Data that breaks the standard (a GS1 check digit, a month 13) is refused, not drawn: a scanner
    // would read it, and the goods would carry a wrong number.
    if (result == ZINT_ERROR_TOO_LONG) return Failed(TooLong(Kind, Options));
    if (result >= ZINT_ERROR || result == ZINT_WARN_NONCOMPLIANT)
        return Failed(Tr("%1 cannot encode this data: %2").arg(KxKindName(Kind), ZintReason(s)));
    if (s.rows <= 0 || s.width <= 0) return Failed(Tr("%1 cannot encode this data").arg(KxKindName(Kind)));

    TKxEncodedSymbol e;
    e.Rows = s.rows;
    e.Columns = s.width;
    e.Modules.resize(static_cast<qsizetype>(e.Rows) * e.Columns);
    for (int r = 0; r < e.Rows; ++r)
        for (int c = 0; c < e.Columns; ++c)
            e.Modules[r * e.Columns + c] = static_cast<char>((s.encoded_data[r][c >> 3] >> (c & 7)) & 1);
    if (!KxMatrixKind(Kind)) e.Text = QString::fromUtf8(reinterpret_cast<const char*>(s.text));
    return e;
}

// A Data Matrix in the smallest rectangular size that holds the data.
TKxEncodedSymbol RectangularMatrix(TZintRequest R, const TKxSymbolOptions& Options) {
    // zint's sizes 25 to 30 are the six rectangles, smallest first.
    TKxEncodedSymbol e;
    for (int size = 25; size <= 30; ++size) {
        R.Option2 = size;
        e = Encode(baDataMatrix, R, Options);
        if (e.Ok()) return e;
    }
    return e;
}

// EAN-13 or UPC-A with a 2- or 5-digit add-on after a '+'.
TKxEncodedSymbol WithAddOn(TKxBar Kind, const QString& Data, const TKxSymbolOptions& Options) {
    const qsizetype plus = Data.indexOf(u'+');
    const QString main = plus < 0 ? Data : Data.left(plus);
    const QString addOn = plus < 0 ? QString() : Data.mid(plus + 1);
    const int length = Kind == baEAN13AddOn ? 13 : 12;
    const TKxCheckedNumber number = KxCheckedNumber(main, length, KxKindName(Kind));
    if (!number.Problem.isEmpty()) return Failed(number.Problem);
    if (!KxAllDigits(addOn) || (addOn.size() != 2 && addOn.size() != 5))
        return Failed(Tr("The add-on takes 2 or 5 digits after a '+', as in %1").arg(KxKindSample(Kind)));
    // zint computes the check digit again from the digits before it; it is the one verified above.
    TZintRequest r{Kind == baEAN13AddOn ? BARCODE_EANX : BARCODE_UPCA, UNICODE_MODE,
                   (number.Digits.left(length - 1) + u'+' + addOn).toLatin1()};
    return Encode(Kind, r, Options);
}

TKxEncodedSymbol UpcE(const QString& Data, const TKxSymbolOptions& Options) {
    if (!KxAllDigits(Data) || (Data.size() != 7 && Data.size() != 8) || (Data[0] != u'0' && Data[0] != u'1'))
        return Failed(
            Tr("%1 takes 7 digits starting with 0 or 1, or 8 with its check digit").arg(KxKindName(baUPCE)));
    // The check digit is that of the UPC-A number the code stands for: zint expands and computes it.
    TKxEncodedSymbol e = Encode(baUPCE, {BARCODE_UPCE, UNICODE_MODE, Data.left(7).toLatin1()}, Options);
    if (e.Ok() && Data.size() == 8 && e.Text.size() == 8 && e.Text.back() != Data.back())
        return Failed(KxWrongCheckDigit(Data.back(), e.Text.back()));
    return e;
}

} // namespace

bool KxEncodedKind(TKxBar Kind) {
    return Kind >= baCode128 && Kind <= baAztec;
}

bool KxMatrixKind(TKxBar Kind) {
    return Kind == baQR || Kind == baDataMatrix || Kind == baPDF417 || Kind == baAztec;
}

bool KxRetailKind(TKxBar Kind) {
    return Kind == baUPCE || Kind == baEAN13AddOn || Kind == baUPCAAddOn;
}

int KxQuietModules(TKxBar Kind) {
    switch (Kind) {
    case baCode128:
    case baGS1128:
    case baITF14: return 10;
    case baQR: return 4;
    case baPDF417: return 2;
    case baDataMatrix: return 1;
    default: return 0;
    }
}

QString KxKindName(TKxBar Kind) {
    switch (Kind) {
    case baEAN13: return QStringLiteral("EAN 13");
    case baEAN8: return QStringLiteral("EAN 8");
    case baCode39: return QStringLiteral("CODE 39");
    case baUPCA: return QStringLiteral("UPC A");
    case baCode128: return QStringLiteral("CODE 128");
    case baGS1128: return QStringLiteral("GS1-128");
    case baITF14: return QStringLiteral("ITF-14");
    case baUPCE: return QStringLiteral("UPC E");
    case baEAN13AddOn: return QStringLiteral("EAN 13 + ADD-ON");
    case baUPCAAddOn: return QStringLiteral("UPC A + ADD-ON");
    case baQR: return QStringLiteral("QR");
    case baDataMatrix: return QStringLiteral("DATA MATRIX");
    case baPDF417: return QStringLiteral("PDF417");
    case baAztec: return QStringLiteral("AZTEC");
    }
    return {};
}

QString KxKindSample(TKxBar Kind) {
    switch (Kind) {
    case baGS1128: return QStringLiteral("(01)09501101530003(17)270101(10)AB-12");
    case baITF14: return QStringLiteral("15400141288763");
    case baUPCE: return QStringLiteral("01234565");
    case baEAN13AddOn: return QStringLiteral("9501101530003+12");
    case baUPCAAddOn: return QStringLiteral("036000291452+12345");
    case baEAN13: return QStringLiteral("8410894000109");
    case baEAN8: return QStringLiteral("96385074");
    case baUPCA: return QStringLiteral("036000291452");
    default: return QStringLiteral("KXLAB-42");
    }
}

TKxEncodedSymbol KxEncodeSymbol(TKxBar Kind, const QString& Data, const TKxSymbolOptions& Options) {
    if (!KxEncodedKind(Kind)) return Failed(Tr("This kind has no encoder of its own"));
    if (Data.isEmpty()) return Failed(Tr("There is no data to encode"));
    if (Data.size() > KxMaxSymbolData) return Failed(TooLong(Kind, Options));
    // A lone surrogate would reach the symbol as a '?' nobody typed.
    if (!Data.isValidUtf16()) return Failed(Tr("The data holds a character that is not valid Unicode"));
    const QByteArray utf8 = Data.toUtf8();
    switch (Kind) {
    case baCode128: return Encode(Kind, {BARCODE_CODE128, UNICODE_MODE, utf8}, Options);
    case baGS1128: return Encode(Kind, {BARCODE_GS1_128, GS1Input, utf8}, Options);
    case baITF14: {
        const TKxCheckedNumber number = KxCheckedNumber(Data, 14, KxKindName(Kind));
        if (!number.Problem.isEmpty()) return Failed(number.Problem);
        return Encode(Kind, {BARCODE_ITF14, UNICODE_MODE, number.Digits.left(13).toLatin1()}, Options);
    }
    case baUPCE: return UpcE(Data, Options);
    case baEAN13AddOn:
    case baUPCAAddOn: return WithAddOn(Kind, Data, Options);
    case baQR: {
        if (Options.QrMode == TKxDataMode::DigitalLink) {
            const QString problem = KxDigitalLinkProblem(Data);
            if (!problem.isEmpty()) return Failed(problem);
        }
        TZintRequest r{BARCODE_QRCODE, Options.QrMode == TKxDataMode::GS1 ? GS1Input : UNICODE_MODE, utf8};
        r.Option1 = static_cast<int>(Options.QrLevel);
        r.SetOption1 = true;
        return Encode(Kind, r, Options);
    }
    case baDataMatrix: {
        TZintRequest r{BARCODE_DATAMATRIX, Options.DmGS1 ? GS1Input : UNICODE_MODE, utf8};
        if (Options.DmRectangular) return RectangularMatrix(r, Options);
        r.Option3 = DM_SQUARE;
        return Encode(Kind, r, Options);
    }
    case baPDF417: return Encode(Kind, {BARCODE_PDF417, UNICODE_MODE, utf8}, Options);
    case baAztec: return Encode(Kind, {BARCODE_AZTEC, UNICODE_MODE, utf8}, Options);
    default: return Failed(Tr("This kind has no encoder of its own"));
    }
}
