#include "common/KxDecoders.h"

#define ZX_USE_UTF8 1
#include <QProcess>
#include <ZXing/ReadBarcode.h>

namespace {

ZXing::BarcodeFormats FormatOf(TKxBar Kind) {
    using ZXing::BarcodeFormat;
    switch (Kind) {
    case baEAN13:
    case baEAN13AddOn: return BarcodeFormat::EAN13;
    case baEAN8: return BarcodeFormat::EAN8;
    case baCode39: return BarcodeFormat::Code39;
    case baUPCA:
    case baUPCAAddOn: return BarcodeFormat::UPCA;
    case baCode128:
    case baGS1128: return BarcodeFormat::Code128;
    case baITF14: return BarcodeFormat::ITF;
    case baUPCE: return BarcodeFormat::UPCE;
    case baQR: return BarcodeFormat::QRCode;
    case baDataMatrix: return BarcodeFormat::DataMatrix;
    case baPDF417: return BarcodeFormat::PDF417;
    case baAztec: return BarcodeFormat::Aztec;
    }
    return BarcodeFormat::Any;
}

} // namespace

QStringList ZXingRead(const QImage& Image, TKxBar Kind) {
    const QImage grey = Image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(FormatOf(Kind)).setTryHarder(true).setTryRotate(true);
    if (Kind == baEAN13AddOn || Kind == baUPCAAddOn) hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
    // One symbol per image: ReadBarcodes of zxing-cpp 1.4 asserts when it merges two reads of a linear code.
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    return r.isValid() ? QStringList(QString::fromStdString(r.text())) : QStringList();
}

bool ZbarReads(TKxBar Kind) {
    return Kind != baDataMatrix && Kind != baPDF417 && Kind != baAztec;
}

QStringList ZbarRead(const QString& Png, TKxBar Kind) {
    QStringList args{"--nodbus", "--quiet", "--raw"};
    if (Kind == baUPCA || Kind == baUPCAAddOn)
        args << "-Sean13.enable"
             << "-Supca.enable";
    if (Kind == baUPCE) args << "-Supce.enable";
    if (Kind == baEAN13AddOn || Kind == baUPCAAddOn)
        args << "-Sean2.enable"
             << "-Sean5.enable";
    args << Png;
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), args);
    if (!zbar.waitForFinished(60000)) return {QStringLiteral("<zbarimg did not finish>")};
    QStringList lines = QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n');
    lines.removeAll(QString());
    // zbarimg reports an add-on as a symbol of its own, in no fixed order.
    lines.sort();
    return lines;
}

std::vector<TKxScanSample> KxScanSamples() {
    TKxSymbolOptions checked;
    checked.Code39Check = true;
    TKxSymbolOptions qr;
    qr.QrLevel = TKxQrLevel::Q;
    TKxSymbolOptions qrGS1;
    qrGS1.QrMode = TKxDataMode::GS1;
    TKxSymbolOptions matrixGS1;
    matrixGS1.DmGS1 = true;
    const QString gs1 = QStringLiteral("(01)09501101530003(10)AB-12(17)270101");
    const QString gs1Read = QStringLiteral("010950110153000310AB-12\x1d"
                                           "17270101");
    return {
        {"EAN13", baEAN13, "841089400010", {}, "8410894000109", "8410894000109"},
        {"EAN8", baEAN8, "9638507", {}, "96385074", "96385074"},
        {"Code39", baCode39, "KXLAB-42", {}, "KXLAB-42", "KXLAB-42"},
        // K 20, X 33, - 36, 3, 9: 101 modulo 43 is 15, F.
        {"Code39Checked", baCode39, "KX-39", checked, "KX-39F", "KX-39F"},
        {"UPCA", baUPCA, "03600029145", {}, "036000291452", "036000291452"},
        {"Code128", baCode128, "KxLab 128", {}, "KxLab 128", "KxLab 128"},
        // GS1's logistic labels take modules of half a millimetre at least.
        {"GS1128", baGS1128, gs1, {}, gs1Read, gs1Read, 5},
        {"ITF14", baITF14, "1540014128876", {}, "15400141288763", "15400141288763", 5},
        {"UPCE", baUPCE, "0123456", {}, "01234565", "01234565"},
        {"EAN13AddOn", baEAN13AddOn, "950110153000+12", {}, "9501101530003 12", "12|9501101530003"},
        {"UPCAAddOn", baUPCAAddOn, "036000291452+12345", {}, "036000291452 12345", "036000291452|12345"},
        {"QR", baQR, "Grüße ✓ KxLab", qr, "Grüße ✓ KxLab", "Grüße ✓ KxLab", 5},
        {"QRGS1", baQR, gs1, qrGS1, gs1Read, gs1Read, 5},
        {"DataMatrixGS1", baDataMatrix, gs1, matrixGS1, gs1Read, {}, 5},
        {"PDF417", baPDF417, "KxLab PDF417 0123456789", {}, "KxLab PDF417 0123456789", {}, 5},
        // zxing-cpp finds a turned Aztec bullseye of 4-pixel modules (203 dpi) only now and then.
        {"Aztec", baAztec, "KxLab Aztec ✓", {}, "KxLab Aztec ✓", {}, 6},
    };
}
