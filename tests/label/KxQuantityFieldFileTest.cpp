#include <gtest/gtest.h>
#include <QDataStream>

#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "elements/KxExtension.h"
#include "elements/KxRecordIO.h"
#include "label/KxLabel.h"
#include "label/KxPrintInfo.h"

namespace {

class KxQuantityFieldFile : public ::testing::TestWithParam<const char*> {};

QString FieldName(const char* Utf8) {
    return QString::fromUtf8(Utf8);
}

} // namespace

TEST_P(KxQuantityFieldFile, TheFieldReadsBackAndSavesTheSameBytes) {
    TKxLabel label;
    KxAddEveryKind(label);
    label.GetPrintInfo()->SetQuantityField(FieldName(GetParam()));
    const QByteArray bytes = KxSaveToBytes(label);
    TKxLabel read;
    KxLoadFromBytes(read, bytes);
    EXPECT_EQ(read.GetPrintInfo()->GetQuantityField(), FieldName(GetParam()));
    EXPECT_EQ(KxSaveToBytes(read), bytes);
}

TEST_P(KxQuantityFieldFile, ALabelWithoutTheFieldSavesAsBeforeAndAReaderThatDoesNotKnowItRefuses) {
    TKxLabel label;
    KxAddEveryKind(label);
    const QByteArray without = KxSaveToBytes(label);
    label.GetPrintInfo()->SetQuantityField(FieldName(GetParam()));
    const QByteArray with = KxSaveToBytes(label);
    label.GetPrintInfo()->SetQuantityField(QString());
    EXPECT_EQ(KxSaveToBytes(label), without);

    // The list counts one record more, of the same size, and the label's own extension record follows
    // the last element: a reader without extension records meets an element kind it does not know.
    ASSERT_GT(with.size(), without.size());
    QDataStream S(with.mid(without.size()));
    S.setByteOrder(QDataStream::LittleEndian);
    ASSERT_EQ(ReadByte(S), KxExtensionTag);
    TKxExtension::TScope scope{};
    const TKxExtension extension = TKxExtension::Read(S, scope);
    ASSERT_EQ(S.status(), QDataStream::Ok);
    EXPECT_TRUE(S.atEnd());
    EXPECT_EQ(scope, TKxExtension::TScope::Label);
    // A reader with extension records but without quantities takes nothing out of it, and refuses.
    try {
        extension.RequireAllTaken();
        FAIL() << "the quantity field was passed over";
    } catch (const EStreamError& e) {
        EXPECT_NE(QString::fromStdString(e.what()).indexOf(QStringLiteral("print.quantityField")), -1)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Names, KxQuantityFieldFile,
                         ::testing::Values("Qty", "Cantidad ñ ✓", "two words", "q"));

TEST(KxQuantityFieldFile, AFileWithoutTheFieldClearsTheOneTheLabelHeld) {
    TKxLabel plain;
    const QByteArray bytes = KxSaveToBytes(plain);
    TKxLabel label;
    label.GetPrintInfo()->SetQuantityField(QStringLiteral("Qty"));
    KxLoadFromBytes(label, bytes);
    EXPECT_TRUE(label.GetPrintInfo()->GetQuantityField().isEmpty());
    EXPECT_EQ(KxSaveToBytes(label), bytes);
}

TEST(KxQuantityFieldFile, TheCopyOfALabelAndItsPrintSettingsKeepTheField) {
    TKxLabel label;
    label.GetPrintInfo()->SetQuantityField(QStringLiteral("Qty"));
    EXPECT_EQ(label.Copy()->GetPrintInfo()->GetQuantityField(), QStringLiteral("Qty"));
    TKxPrintInfo info;
    info.Assign(label.GetPrintInfo());
    EXPECT_EQ(info.GetQuantityField(), QStringLiteral("Qty"));
}
