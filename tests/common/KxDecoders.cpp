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
