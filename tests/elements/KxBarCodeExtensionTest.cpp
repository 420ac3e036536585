#include <gtest/gtest.h>
#include <QDataStream>

#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "common/TestOwner.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxElementFactory.h"
#include "elements/KxExtension.h"
#include "elements/KxRecordIO.h"

// A barcode of a kind after the four, or with an option older readers do not know, travels in an
// extension record in front of its own record, which those readers refuse; every other barcode saves
// exactly as before.

namespace {

QByteArray FactoryRecord(const TKxBarCode& Bar) {
    return TKxElementFactory::Record(Bar);
}

std::unique_ptr<TKxBarCode> ReadBack(const QByteArray& Record, TKxOwner* Owner) {
    QDataStream s(Record);
    s.setByteOrder(QDataStream::LittleEndian);
    std::unique_ptr<TKxElement> e = TKxElementFactory::Read(s, KxFileVersion, Owner);
    return std::unique_ptr<TKxBarCode>(dynamic_cast<TKxBarCode*>(e.release()));
}

class KxBarCodeRetailRecord : public ::testing::TestWithParam<TKxBar> {};

TEST_P(KxBarCodeRetailRecord, TheFourKindsWriteTheirRecordAlone) {
    TTestOwner owner;
    TKxBarCode bar(&owner);
    bar.BarType = GetParam();
    bar.Code = QStringLiteral("Grüße ✓"); // a code a retail kind cannot draw, with a character 1252 lacks
    bar.Options.QrLevel = TKxQrLevel::H;  // options of other kinds are not saved with these
    bar.Options.DmGS1 = true;
    EXPECT_EQ(TKxElementFactory::RecordCount(bar), 1);
    EXPECT_EQ(FactoryRecord(bar), SaveRecord(bar));
    EXPECT_EQ(static_cast<uint8_t>(FactoryRecord(bar)[0]), deBar);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxBarCodeRetailRecord, ::testing::Values(baEAN13, baEAN8, baCode39, baUPCA));

struct TNewKindCase {
    const char* Name;
    TKxBar Kind;
    const char* Code;
    TKxSymbolOptions Options;
    /// The kind the base record names for it.
    TKxBar StandIn;
};

class KxBarCodeNewKindRecord : public ::testing::TestWithParam<TNewKindCase> {};

TEST_P(KxBarCodeNewKindRecord, AnExtensionRecordGoesFirstAndTheBarcodeComesBackWhole) {
    const TNewKindCase& c = GetParam();
    TTestOwner owner;
    TKxBarCode bar(&owner);
    bar.BarType = c.Kind;
    bar.Code = QString::fromUtf8(c.Code);
    bar.Options = c.Options;
    bar.Angle = 270;
    const QByteArray record = FactoryRecord(bar);

    // Today's reader meets tag 64 first, which names no element kind, and stops there.
    EXPECT_EQ(static_cast<uint8_t>(record[0]), KxExtensionTag);
    EXPECT_EQ(TKxElementFactory::Create(KxExtensionTag, &owner), nullptr);
    // Behind it, the element's own record in today's layout, naming one of the four kinds.
    const QByteArray own = SaveRecord(bar);
    ASSERT_TRUE(record.endsWith(own));
    TKxBarCode base(&owner);
    ASSERT_EQ(LoadRecord(base, own), QDataStream::Ok);
    EXPECT_EQ(base.BarType, c.StandIn);

    const std::unique_ptr<TKxBarCode> back = ReadBack(record, &owner);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->BarType, c.Kind);
    EXPECT_EQ(back->Code, bar.Code);
    EXPECT_EQ(back->Options, c.Options);
    EXPECT_EQ(back->Angle, 270);
    EXPECT_EQ(FactoryRecord(*back), record);
}

TKxSymbolOptions QrOptions() {
    TKxSymbolOptions o;
    o.QrLevel = TKxQrLevel::H;
    o.QrMode = TKxDataMode::DigitalLink;
    return o;
}

TKxSymbolOptions MatrixOptions() {
    TKxSymbolOptions o;
    o.DmRectangular = true;
    o.DmGS1 = true;
    return o;
}

TKxSymbolOptions Checked() {
    TKxSymbolOptions o;
    o.Code39Check = true;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KxBarCodeNewKindRecord,
    ::testing::Values(TNewKindCase{"Code128", baCode128, "KxLab", {}, baCode39},
                      TNewKindCase{"GS1128", baGS1128, "(01)09501101530003(10)AB-12", {}, baCode39},
                      TNewKindCase{"ITF14", baITF14, "15400141288763", {}, baCode39},
                      TNewKindCase{"UPCE", baUPCE, "01234565", {}, baUPCA},
                      TNewKindCase{"EAN13AddOn", baEAN13AddOn, "9501101530003+12", {}, baEAN13},
                      TNewKindCase{"UPCAAddOn", baUPCAAddOn, "036000291452+12345", {}, baUPCA},
                      TNewKindCase{"QRWithTextBeyond1252", baQR, "Grüße ✓ 東京", QrOptions(), baCode39},
                      TNewKindCase{"DataMatrix", baDataMatrix, "(01)09501101530003", MatrixOptions(),
                                   baCode39},
                      TNewKindCase{"PDF417", baPDF417, "KxLab", {}, baCode39},
                      TNewKindCase{"Aztec", baAztec, "KxLab", {}, baCode39},
                      TNewKindCase{"Code39WithCheckCharacter", baCode39, "KX-39", Checked(), baCode39}),
    [](const ::testing::TestParamInfo<TNewKindCase>& info) { return info.param.Name; });

// An extension record naming the barcode's values, as a writer (or a hostile file) may make it.
QByteArray WithExtension(const TKxExtension& X, const TKxBarCode& Bar) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    X.Write(s, TKxExtension::TScope::NextElement);
    Bar.SaveToStream(s);
    return bytes;
}

TEST(KxBarCodeExtensionValues, OutOfRangeValuesAreACorruptFileNotAGuess) {
    TTestOwner owner;
    const TKxBarCode bar(&owner);
    for (const auto& [key, value] :
         {std::pair{"bar.kind", 3}, std::pair{"bar.kind", 14}, std::pair{"bar.kind", -1},
          std::pair{"bar.qr.ecc", 0}, std::pair{"bar.qr.ecc", 5}, std::pair{"bar.qr.mode", 3},
          std::pair{"bar.dm.shape", 2}, std::pair{"bar.c39.check", 2}}) {
        SCOPED_TRACE(key);
        TKxExtension x;
        x.SetInt(QString::fromLatin1(key), value);
        EXPECT_THROW(ReadBack(WithExtension(x, bar), &owner), EStreamError);
    }
}

TEST(KxBarCodeExtensionValues, AKeyOfANewerBarcodeFeatureIsRefused) {
    TTestOwner owner;
    const TKxBarCode bar(&owner);
    TKxExtension x;
    x.SetInt(QStringLiteral("bar.kind"), baQR);
    x.SetInt(QStringLiteral("bar.qr.version"), 7);
    EXPECT_THROW(ReadBack(WithExtension(x, bar), &owner), EStreamError);
}

TEST(KxBarCodeExtensionValues, ABarcodeReadIntoAgainForgetsTheOptionsItHad) {
    TTestOwner owner;
    TKxBarCode plain(&owner);
    TKxBarCode reused(&owner);
    reused.Options = QrOptions();
    ASSERT_EQ(LoadRecord(reused, SaveRecord(plain)), QDataStream::Ok);
    EXPECT_EQ(reused.Options, TKxSymbolOptions{});
}

} // namespace
