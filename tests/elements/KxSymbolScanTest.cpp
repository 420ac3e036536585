#include <algorithm>
#include <gtest/gtest.h>
#include <QImage>

#include "common/KxDecoders.h"
#include "common/TestOwner.h"
#include "common/TestSupport.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxBarcodeGeometry.h"
#include "gdi/Bitmap.h"

// Every kind that libzint encodes, drawn by the element through the print mapping onto a 300 dpi
// bitmap at each angle, and read back by zxing-cpp and by zbarimg where it reads the kind: the text
// must be exactly the data, GS1 AIs and FNC1 included.

namespace {

constexpr int Dpi = 300;

struct TSymbolCase {
    const char* Name;
    TKxBar Kind;
    const char* Data;
    /// What zxing-cpp reports; GS1 data with a GS (\x1d) after each variable-length field but the last.
    const char* ZXing;
    /// What zbarimg reports; nullptr when it does not read the kind.
    const char* Zbar;
    TKxSymbolOptions Options{};
};

class KxSymbolScan : public ::testing::TestWithParam<TSymbolCase> {};

TEST_P(KxSymbolScan, BothReadersReadExactlyTheData) {
    const TSymbolCase& c = GetParam();
    TKxTempDir dir;
    TTestOwner owner;
    TKxBarCode bar(&owner);
    bar.BarType = c.Kind;
    bar.Code = QString::fromUtf8(c.Data);
    bar.Options = c.Options;
    // Two-dimensional symbols take half-millimetre modules, which a 203 dpi printer still makes square.
    if (KxMatrixKind(c.Kind)) bar.Width = 5;
    ASSERT_EQ(bar.DataProblem(bar.Code), QString());
    for (const int32_t angle : {0, 90, 180, 270}) {
        SCOPED_TRACE(angle);
        bar.Angle = angle;
        const TPrintedBarcode printed = PrintBarcode(owner, bar, Dpi);
        const QImage symbol = printed.Page.copy(printed.Symbol);
        const QString png = dir.Path(QStringLiteral("%1.png").arg(angle));
        ASSERT_TRUE(symbol.save(png));
        EXPECT_EQ(ZXingRead(symbol, c.Kind).join(u'|').toStdString(), c.ZXing);
        if (c.Zbar) {
            EXPECT_EQ(ZbarRead(png, c.Kind).join(u'|').toStdString(), c.Zbar);
        }
    }
}

TKxSymbolOptions Qr(TKxQrLevel Level, TKxDataMode Mode = TKxDataMode::Text) {
    TKxSymbolOptions o;
    o.QrLevel = Level;
    o.QrMode = Mode;
    return o;
}

TKxSymbolOptions Matrix(bool Rectangular, bool GS1) {
    TKxSymbolOptions o;
    o.DmRectangular = Rectangular;
    o.DmGS1 = GS1;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, KxSymbolScan,
    ::testing::Values(
        TSymbolCase{"Code128", baCode128, "KxLab 128-abc", "KxLab 128-abc", "KxLab 128-abc"},
        TSymbolCase{"Code128Digits", baCode128, "0123456789012345", "0123456789012345", "0123456789012345"},
        TSymbolCase{"GS1128", baGS1128, "(01)09501101530003(17)270101(10)AB-12",
                    "01095011015300031727010110AB-12", "01095011015300031727010110AB-12"},
        TSymbolCase{"GS1128WithFNC1Separator", baGS1128, "(01)09501101530003(10)AB-12(21)S123",
                    "010950110153000310AB-12\x1d"
                    "21S123",
                    "010950110153000310AB-12\x1d"
                    "21S123"},
        TSymbolCase{"ITF14", baITF14, "15400141288763", "15400141288763", "15400141288763"},
        TSymbolCase{"UPCE", baUPCE, "01234565", "01234565", "01234565"},
        TSymbolCase{"EAN13AddOn2", baEAN13AddOn, "9501101530003+12", "9501101530003 12", "12|9501101530003"},
        TSymbolCase{"UPCAAddOn5", baUPCAAddOn, "036000291452+12345", "036000291452 12345",
                    "036000291452|12345"},
        TSymbolCase{"QRText", baQR, "Grüße ✓ KxLab", "Grüße ✓ KxLab", "Grüße ✓ KxLab", Qr(TKxQrLevel::H)},
        TSymbolCase{"QRGS1", baQR, "(01)09501101530003(10)AB-12", "010950110153000310AB-12",
                    "010950110153000310AB-12", Qr(TKxQrLevel::M, TKxDataMode::GS1)},
        TSymbolCase{"QRDigitalLink", baQR, "https://id.example.com/01/09501101530003/10/AB-12",
                    "https://id.example.com/01/09501101530003/10/AB-12",
                    "https://id.example.com/01/09501101530003/10/AB-12",
                    Qr(TKxQrLevel::Q, TKxDataMode::DigitalLink)},
        TSymbolCase{"DataMatrixSquare", baDataMatrix, "KxLab Data Matrix 0123456789",
                    "KxLab Data Matrix 0123456789", nullptr},
        TSymbolCase{"DataMatrixRectangularGS1", baDataMatrix, "(01)09501101530003(17)270101(10)AB-12",
                    "01095011015300031727010110AB-12", nullptr, Matrix(true, true)},
        TSymbolCase{"PDF417", baPDF417, "KxLab PDF417 text, 0123456789", "KxLab PDF417 text, 0123456789",
                    nullptr},
        TSymbolCase{"Aztec", baAztec, "KxLab Aztec ✓", "KxLab Aztec ✓", nullptr}),
    [](const ::testing::TestParamInfo<TSymbolCase>& info) { return info.param.Name; });

} // namespace
