#include <gtest/gtest.h>
#include <memory>

#include <limits>
#include <QBuffer>
#include <QImage>

#include "base/Messages.h"
#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "common/TestOwner.h"
#include "elements/KxBarCode.h"
#include "elements/KxData.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxParagraph.h"
#include "elements/KxRecordIO.h"
#include "elements/KxRect.h"
#include "metafile/Picture.h"

namespace {

QByteArray Record(const TKxElement& e) {
    return TKxElementFactory::Record(e);
}

std::unique_ptr<TKxElement> ReadAs(const QByteArray& bytes, int version) {
    QDataStream S(bytes);
    S.setByteOrder(QDataStream::LittleEndian);
    return TKxElementFactory::Read(S, version, nullptr);
}

// Offsets in a record, tag included: the Printable flag and the ID string of the base block.
constexpr int PrintableAt = 16;
constexpr int IdAt = 45;

} // namespace

class KxElementFactoryKind : public ::testing::TestWithParam<int> {
protected:
    TMessageCapture FMessages;
};

TEST_P(KxElementFactoryKind, CreatesTheClassOfTheTagWithItsDefaults) {
    const std::unique_ptr<TKxElement> e = TKxElementFactory::Create(GetParam(), nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->ElementType(), GetParam());
    EXPECT_TRUE(e->Printable);
    EXPECT_TRUE(e->ID.isEmpty());
    const QByteArray record = Record(*e);
    EXPECT_EQ(static_cast<uint8_t>(record[0]), GetParam());
}

TEST_P(KxElementFactoryKind, RecordRoundTripsEveryFieldByteForByte) {
    const std::unique_ptr<TKxElement> sample = KxSampleElement(GetParam(), nullptr);
    ASSERT_NE(sample, nullptr);
    const QByteArray record = Record(*sample);
    EXPECT_NE(record, Record(*TKxElementFactory::Create(GetParam(), nullptr)));
    const std::unique_ptr<TKxElement> copy = TKxElementFactory::FromRecord(record, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ElementType(), GetParam());
    EXPECT_EQ(Record(*copy), record);
}

TEST_P(KxElementFactoryKind, OlderRecordLacksPrintableAndID) {
    const std::unique_ptr<TKxElement> sample = KxSampleElement(GetParam(), nullptr);
    ASSERT_NE(sample, nullptr);
    const QByteArray current = Record(*sample);
    const int idBytes = 4 + static_cast<int>(sample->ID.size());
    QByteArray older = current;
    // A picture's record ends with AutoSize, which the older format lacks too.
    if (GetParam() == deImage) older.chop(1);
    older.remove(IdAt, idBytes).remove(PrintableAt, 1);
    const std::unique_ptr<TKxElement> e = ReadAs(older, 13);
    EXPECT_TRUE(e->Printable);
    EXPECT_TRUE(e->ID.isEmpty());
    // Everything else came through.
    e->Printable = sample->Printable;
    e->ID = sample->ID;
    if (auto* picture = dynamic_cast<TKxImage*>(e.get())) {
        EXPECT_FALSE(picture->AutoSize);
        picture->AutoSize = true;
    }
    EXPECT_EQ(Record(*e), current);
}

TEST_P(KxElementFactoryKind, EveryTruncatedRecordIsRefused) {
    const std::unique_ptr<TKxElement> sample = KxSampleElement(GetParam(), nullptr);
    ASSERT_NE(sample, nullptr);
    const QByteArray record = Record(*sample);
    for (int size = 0; size < record.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(ReadAs(record.left(size), KxFileVersion), EStreamError);
    }
}

// A file may hold any 32-bit value in any length, angle or spacing; drawing such an element on every
// target must neither overflow (the sanitizers abort on that) nor fail.
TEST_P(KxElementFactoryKind, ExtremeValuesFromAFileDrawWithoutFault) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(3, 2, QImage::Format_RGB32).save(&buffer, "PNG");
    for (const int32_t v : {hi, lo}) {
        for (const bool picture : {false, true}) {
            SCOPED_TRACE(testing::Message() << v << (picture ? " with a picture" : ""));
            TTestOwner owner{2, 10, 20};
            const std::unique_ptr<TKxElement> e = TKxElementFactory::Create(GetParam(), &owner);
            e->P1 = {v, -(v + 1)};
            e->P2 = {-(v + 1), v};
            e->PenWidth = v;
            e->Angle = v;
            e->CharSpace = v;
            e->Transparent = false;
            e->Border = true;
            if (auto* d = dynamic_cast<TKxData*>(e.get())) d->Height = v;
            if (auto* p = dynamic_cast<TKxParagraph*>(e.get())) p->Format = taJustify;
            if (auto* r = dynamic_cast<TKxRect*>(e.get())) r->Radio = v;
            if (auto* b = dynamic_cast<TKxBarCode*>(e.get())) {
                b->Width = b->Distance = b->FontHeight = b->LeftMargin = b->TopMargin = v;
                b->Code = "8410894000109";
            }
            if (auto* i = dynamic_cast<TKxImage*>(e.get())) {
                i->Picture->LoadFromBytes(png, "png");
                i->ImageLoaded = picture;
                i->AutoSize = v == lo;
            }
            for (const TPoint origin : {TPoint{v, v}, TPoint{}})
                for (const TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
                    KxTestDraw(*e, origin, target, false);
                    // A barcode's invalid mark has geometry of its own.
                    if (auto* b = dynamic_cast<TKxBarCode*>(e.get())) {
                        b->Code = "1";
                        KxTestDraw(*e, origin, target, false);
                        b->Code = "8410894000109";
                    }
                }
            EXPECT_FALSE(owner.Ops(tdPrint).empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KxElementFactoryKind, ::testing::Range(1, 9),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return KxEnumName(static_cast<TKxEle>(info.param)).toStdString();
                         });

TEST(KxElementFactory, TagsWithoutAClassCreateNothing) {
    for (int tag : {0, 9, 200, 255, -1})
        EXPECT_EQ(TKxElementFactory::Create(tag, nullptr), nullptr) << tag;
}

TEST(KxElementFactory, ReadingAnUnknownTagNamesItAndItsOffset) {
    QByteArray bytes("xx\x09", 3);
    bytes.append(QByteArray(60, '\0'));
    QDataStream S(bytes);
    S.setByteOrder(QDataStream::LittleEndian);
    S.skipRawData(2);
    try {
        TKxElementFactory::Read(S, KxFileVersion, nullptr);
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unknown element kind 9 at byte 2"));
    }
}
