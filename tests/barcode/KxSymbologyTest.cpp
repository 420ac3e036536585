#include <gtest/gtest.h>

#include "barcode/KxSymbology.h"

// What the encoder makes of good data (the size and text a symbol must have), and that hostile data
// of every sort ends in a message, never in modules, an exception or a crash.

namespace {

TKxSymbolOptions QrAt(TKxQrLevel Level, TKxDataMode Mode = TKxDataMode::Text) {
    TKxSymbolOptions o;
    o.QrLevel = Level;
    o.QrMode = Mode;
    return o;
}

TKxSymbolOptions MatrixOf(bool Rectangular, bool GS1) {
    TKxSymbolOptions o;
    o.DmRectangular = Rectangular;
    o.DmGS1 = GS1;
    return o;
}

struct TGoodCase {
    const char* Name;
    TKxBar Kind;
    const char* Data;
    TKxSymbolOptions Options;
    int Rows;
    int Columns;
    const char* Text;
};

class KxSymbologyGood : public ::testing::TestWithParam<TGoodCase> {};

TEST_P(KxSymbologyGood, EncodesToTheSymbolsSizeAndText) {
    const TGoodCase& c = GetParam();
    const TKxEncodedSymbol e = KxEncodeSymbol(c.Kind, QString::fromUtf8(c.Data), c.Options);
    ASSERT_TRUE(e.Ok()) << e.Problem.toStdString();
    EXPECT_EQ(e.Rows, c.Rows);
    EXPECT_EQ(e.Columns, c.Columns);
    EXPECT_EQ(e.Modules.size(), qsizetype{e.Rows} * e.Columns);
    EXPECT_EQ(e.Text, QString::fromUtf8(c.Text));
    // The first row holds dark modules: a start character, a guard, a finder or a bullseye's ring.
    EXPECT_NE(e.Modules.left(e.Columns).count('\x01'), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KxSymbologyGood,
    ::testing::Values(
        // Start, 5 characters of subset B, check, stop: 11 modules each, the stop 13.
        TGoodCase{"Code128", baCode128, "KxLab", {}, 1, 90, "KxLab"},
        TGoodCase{"GS1128",
                  baGS1128,
                  "(01)09501101530003(17)270101(10)AB-12",
                  {},
                  1,
                  255,
                  "(01)09501101530003(17)270101(10)AB-12"},
        TGoodCase{"ITF14CheckComputed", baITF14, "1540014128876", {}, 1, 135, "15400141288763"},
        TGoodCase{"ITF14CheckGiven", baITF14, "15400141288763", {}, 1, 135, "15400141288763"},
        TGoodCase{"UPCE", baUPCE, "0123456", {}, 1, 51, "01234565"},
        TGoodCase{"UPCEChecked", baUPCE, "01234565", {}, 1, 51, "01234565"},
        TGoodCase{"EAN13AddOn2", baEAN13AddOn, "9501101530003+12", {}, 1, 122, "9501101530003+12"},
        TGoodCase{"EAN13AddOn5CheckComputed",
                  baEAN13AddOn,
                  "950110153000+12345",
                  {},
                  1,
                  149,
                  "9501101530003+12345"},
        TGoodCase{"UPCAAddOn2", baUPCAAddOn, "03600029145+12", {}, 1, 124, "036000291452+12"},
        TGoodCase{"QRVersion1", baQR, "KxLab", QrAt(TKxQrLevel::H), 21, 21, ""},
        TGoodCase{"QRUnicode", baQR, "Grüße ✓", QrAt(TKxQrLevel::M), 21, 21, ""},
        TGoodCase{"QRGS1", baQR, "(01)09501101530003", QrAt(TKxQrLevel::M, TKxDataMode::GS1), 21, 21, ""},
        TGoodCase{"DataMatrixSquare", baDataMatrix, "KxLab", MatrixOf(false, false), 12, 12, ""},
        TGoodCase{"DataMatrixRectangle", baDataMatrix, "KxLab", MatrixOf(true, false), 8, 18, ""},
        TGoodCase{"DataMatrixGS1", baDataMatrix, "(01)09501101530003", MatrixOf(false, true), 16, 16, ""},
        TGoodCase{"Aztec", baAztec, "Hello world", {}, 15, 15, ""}),
    [](const ::testing::TestParamInfo<TGoodCase>& info) { return info.param.Name; });

TEST(KxSymbology, AHigherQrLevelTakesALargerSymbol) {
    const QString data = QStringLiteral("https://id.example.com/01/09501101530003/10/AB-12");
    const int low = KxEncodeSymbol(baQR, data, QrAt(TKxQrLevel::L)).Rows;
    const int high = KxEncodeSymbol(baQR, data, QrAt(TKxQrLevel::H)).Rows;
    EXPECT_GT(high, low);
}

TEST(KxSymbology, TheRetailKindsAreNotEncodedHere) {
    for (const TKxBar kind : {baEAN13, baEAN8, baCode39, baUPCA}) {
        EXPECT_FALSE(KxEncodedKind(kind));
        EXPECT_FALSE(KxEncodeSymbol(kind, QStringLiteral("8410894000109"), {}).Ok());
    }
    EXPECT_FALSE(KxEncodedKind(static_cast<TKxBar>(200)));
}

// Data a kind cannot take, and what the message must say.
struct TBadCase {
    const char* Name;
    TKxBar Kind;
    QString Data;
    TKxSymbolOptions Options;
    const char* Says;
};

class KxSymbologyBad : public ::testing::TestWithParam<TBadCase> {};

TEST_P(KxSymbologyBad, IsRefusedWithAMessage) {
    const TBadCase& c = GetParam();
    const TKxEncodedSymbol e = KxEncodeSymbol(c.Kind, c.Data, c.Options);
    EXPECT_FALSE(e.Ok());
    EXPECT_TRUE(e.Modules.isEmpty());
    EXPECT_NE(e.Problem.indexOf(QString::fromUtf8(c.Says)), -1) << e.Problem.toStdString();
}

const QString TenMegabytes(10 * 1024 * 1024, u'7');
const QString Controls = QStringLiteral("\x01\x02\x1b[31m\x7f");
// What a reader makes of bytes that are not UTF-8: replacement characters.
const QString NotUtf8 = QString::fromUtf8("\xff\xfe\xc3\x28\xed\xa0\x80");

INSTANTIATE_TEST_SUITE_P(
    Hostile, KxSymbologyBad,
    ::testing::Values(
        TBadCase{"EmptyCode128", baCode128, {}, {}, "no data"}, TBadCase{"EmptyQR", baQR, {}, {}, "no data"},
        TBadCase{"EmptyAztec", baAztec, {}, {}, "no data"},
        TBadCase{"TenMegabytesQR", baQR, TenMegabytes, QrAt(TKxQrLevel::H), "QR code at level H"},
        TBadCase{"TenMegabytesPDF417", baPDF417, TenMegabytes, {}, "too long for PDF417"},
        TBadCase{"TenMegabytesCode128", baCode128, TenMegabytes, {}, "too long"},
        TBadCase{"TooLongForQrLevelH", baQR, QString(3000, u'A'), QrAt(TKxQrLevel::H), "QR code at level H"},
        TBadCase{"TooLongForARectangle", baDataMatrix, QString(200, u'A'), MatrixOf(true, false),
                 "DATA MATRIX"},
        TBadCase{"ControlsInGS1", baGS1128, QStringLiteral("(10)") + Controls, {}, "GS1-128"},
        TBadCase{"ControlsInITF14", baITF14, Controls, {}, "ITF-14"},
        TBadCase{"ControlsInUPCE", baUPCE, Controls, {}, "UPC E"},
        TBadCase{"NotUtf8InCode128", baCode128, NotUtf8, {}, "CODE 128"},
        TBadCase{"NotUtf8InGS1", baGS1128, QStringLiteral("(10)") + NotUtf8, {}, "GS1-128"},
        TBadCase{"NotUtf8InDigitalLink", baQR, NotUtf8, QrAt(TKxQrLevel::M, TKxDataMode::DigitalLink),
                 "GTIN"},
        TBadCase{"LoneSurrogate", baCode128, QString(QChar(0xD800)), {}, "not valid Unicode"},
        TBadCase{"LetterInITF14", baITF14, QStringLiteral("1540014128A76"), {}, "13 digits, or 14"},
        TBadCase{"WrongITF14Check", baITF14, QStringLiteral("15400141288764"), {}, "is 3"},
        TBadCase{"WrongUPCECheck", baUPCE, QStringLiteral("01234566"), {}, "is 5"},
        TBadCase{"UPCENumberSystem2", baUPCE, QStringLiteral("2123456"), {}, "0 or 1"},
        TBadCase{"AddOnMissing", baEAN13AddOn, QStringLiteral("9501101530003"), {}, "2 or 5 digits"},
        TBadCase{"AddOnOf3", baEAN13AddOn, QStringLiteral("9501101530003+123"), {}, "2 or 5 digits"},
        TBadCase{"AddOnMainWrongCheck", baUPCAAddOn, QStringLiteral("036000291453+12"), {}, "is 2"}),
    [](const ::testing::TestParamInfo<TBadCase>& info) { return info.param.Name; });

// Every way an element string can be malformed, in each kind that takes GS1 data.
class KxSymbologyMalformedAI : public ::testing::TestWithParam<const char*> {};

TEST_P(KxSymbologyMalformedAI, IsRefusedByEveryGS1Kind) {
    const QString data = QString::fromLatin1(GetParam());
    for (const auto& [kind, options] :
         {std::pair{baGS1128, TKxSymbolOptions{}}, std::pair{baQR, QrAt(TKxQrLevel::M, TKxDataMode::GS1)},
          std::pair{baDataMatrix, MatrixOf(false, true)}}) {
        const TKxEncodedSymbol e = KxEncodeSymbol(kind, data, options);
        EXPECT_FALSE(e.Ok()) << KxKindName(kind).toStdString();
        EXPECT_NE(e.Problem.indexOf(KxKindName(kind)), -1) << e.Problem.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Strings, KxSymbologyMalformedAI,
                         ::testing::Values("09501101530003", "(01)0950110153000", "(01)09501101530004",
                                           "(01)0950110153000X", "(17)271301", "(17)2701", "(10)", "()12",
                                           "(01", "(0)1", "(9999)1", "(01)09501101530003(99)",
                                           "(10)ABCDEFGHIJKLMNOPQRSTU", "(10)AB~12",
                                           "(01)09501101530003(01)"));

} // namespace
