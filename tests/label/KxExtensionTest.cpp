#include <gtest/gtest.h>

#include <QBuffer>

#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "elements/KxBarCode.h"
#include "elements/KxElementFactory.h"
#include "elements/KxExtension.h"
#include "elements/KxRect.h"
#include "label/KxLabel.h"

namespace {

// A rectangle that stores one value of a newer feature, as a future element kind would.
class TNewerRect : public TKxRect {
public:
    using TKxRect::TKxRect;
    void SaveExtension(TKxExtension& X) const override { X.SetText(QStringLiteral("test.note"), Note); }
    void LoadExtension(TKxExtension& X) override {
        Note = X.TakeText(QStringLiteral("test.note")).value_or(QString());
    }
    QString Note = QStringLiteral("größe ✓");
};

// A little-endian stream over a copy of Bytes.
struct TReader : QDataStream {
    explicit TReader(const QByteArray& Bytes)
        : QDataStream(Bytes) {
        setByteOrder(QDataStream::LittleEndian);
    }
};

QByteArray LabelBytes(const TKxLabel& Label) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Label.SaveToStream(buffer);
    return bytes;
}

} // namespace

TEST(KxExtension, ValuesRoundTripThroughTheRecord) {
    TKxExtension x;
    x.SetInt(QStringLiteral("a.int"), -7);
    x.SetBool(QStringLiteral("a.flag"), true);
    x.SetText(QStringLiteral("a.text"), QStringLiteral("(01)09501101530003 ✓"));
    QByteArray bytes;
    {
        QDataStream S(&bytes, QIODevice::WriteOnly);
        S.setByteOrder(QDataStream::LittleEndian);
        x.Write(S, TKxExtension::TScope::NextElement);
    }
    ASSERT_EQ(static_cast<uint8_t>(bytes[0]), KxExtensionTag);
    TReader S(bytes.mid(1));
    TKxExtension::TScope scope = TKxExtension::TScope::Label;
    TKxExtension y = TKxExtension::Read(S, scope);
    ASSERT_EQ(S.status(), QDataStream::Ok);
    EXPECT_EQ(scope, TKxExtension::TScope::NextElement);
    EXPECT_EQ(y.TakeInt(QStringLiteral("a.int")), -7);
    EXPECT_EQ(y.TakeBool(QStringLiteral("a.flag")), true);
    EXPECT_EQ(y.TakeText(QStringLiteral("a.text")), QStringLiteral("(01)09501101530003 ✓"));
    EXPECT_FALSE(y.TakeInt(QStringLiteral("a.int")).has_value());
    EXPECT_NO_THROW(y.RequireAllTaken());
}

TEST(KxExtension, ATruncatedOrPaddedRecordIsCorrupt) {
    TKxExtension x;
    x.SetInt(QStringLiteral("k"), 1);
    QByteArray bytes;
    {
        QDataStream S(&bytes, QIODevice::WriteOnly);
        S.setByteOrder(QDataStream::LittleEndian);
        x.Write(S, TKxExtension::TScope::Label);
    }
    const QByteArray body = bytes.mid(1);
    for (int cut = 1; cut < body.size(); ++cut) {
        TReader S(body.left(cut));
        TKxExtension::TScope scope{};
        EXPECT_TRUE(TKxExtension::Read(S, scope).IsEmpty());
        EXPECT_NE(S.status(), QDataStream::Ok) << cut;
    }
    QByteArray bad = body;
    bad[0] = 9; // no such scope
    TReader S(bad);
    TKxExtension::TScope scope{};
    TKxExtension::Read(S, scope);
    EXPECT_NE(S.status(), QDataStream::Ok);
}

TEST(KxExtension, TheElementGetsItsValuesBackAndAReaderThatDoesNotKnowThemRefuses) {
    TNewerRect rect(nullptr);
    rect.Note = QStringLiteral("über");
    const QByteArray record = TKxElementFactory::Record(rect);
    EXPECT_EQ(static_cast<uint8_t>(record[0]), KxExtensionTag);
    EXPECT_EQ(TKxElementFactory::RecordCount(rect), 2);

    // The element record behind the extension is the element's own, as an older reader would meet it
    // once past the tag it does not know.
    EXPECT_TRUE(record.endsWith(TKxElementFactory::Record(TKxRect(nullptr))));
    TReader S(record);
    // A plain rectangle takes no "test.note": the file is refused, not read without it.
    try {
        TKxElementFactory::Read(S, KxFileVersion, nullptr);
        FAIL() << "an unknown key was accepted";
    } catch (const EStreamError& e) {
        EXPECT_NE(QString::fromStdString(e.what()).indexOf(QStringLiteral("test.note")), -1) << e.what();
    }
}

TEST(KxExtension, AnElementWithoutNewerValuesWritesNoExtension) {
    const TKxRect rect(nullptr);
    EXPECT_EQ(TKxElementFactory::RecordCount(rect), 1);
    EXPECT_EQ(static_cast<uint8_t>(TKxElementFactory::Record(rect)[0]), deRect);
}

TEST(KxExtension, ALabelRefusesAnExtensionItDoesNotKnowAndStaysAsItWas) {
    TKxLabel label;
    label.AddElement(std::make_unique<TNewerRect>(&label));
    const QByteArray bytes = LabelBytes(label);

    TKxLabel other;
    other.AddElement(std::make_unique<TKxRect>(&other));
    const QByteArray before = LabelBytes(other);
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    EXPECT_THROW(other.LoadFromStream(in), EStreamError);
    EXPECT_EQ(LabelBytes(other), before);
}

TEST(KxExtension, AnExtensionRecordMustBeFollowedByItsElement) {
    TKxExtension x;
    x.SetInt(QStringLiteral("k"), 1);
    QByteArray bytes;
    {
        QDataStream S(&bytes, QIODevice::WriteOnly);
        S.setByteOrder(QDataStream::LittleEndian);
        x.Write(S, TKxExtension::TScope::NextElement);
        x.Write(S, TKxExtension::TScope::NextElement);
    }
    TReader S(bytes);
    EXPECT_THROW(TKxElementFactory::Read(S, KxFileVersion, nullptr), EStreamError);
    TReader T(bytes.left(bytes.size() / 2));
    EXPECT_THROW(TKxElementFactory::Read(T, KxFileVersion, nullptr), EStreamError);
}

namespace {

// A rectangle with a note the printed label does not depend on.
class TNotedRect : public TKxRect {
public:
    using TKxRect::TKxRect;
    void SaveNotes(TKxExtension& X) const override {
        if (Noted) X.SetBool(QStringLiteral("test.noted"), true);
    }
    void LoadNotes(TKxExtension& X) override {
        Noted = X.TakeBool(QStringLiteral("test.noted")).value_or(false);
    }
    bool Noted = false;
};

// A label of three rectangles, the middle one noted.
QByteArray NotedLabel(bool Noted) {
    TKxLabel label;
    label.AddElement(std::make_unique<TKxRect>(&label));
    auto noted = std::make_unique<TNotedRect>(&label);
    noted->Noted = Noted;
    label.AddElement(std::move(noted));
    label.AddElement(std::make_unique<TKxRect>(&label));
    return LabelBytes(label);
}

void Load(TKxLabel& Label, const QByteArray& Bytes) {
    QBuffer in;
    in.setData(Bytes);
    in.open(QIODevice::ReadOnly);
    Label.LoadFromStream(in);
}

} // namespace

TEST(KxLabelNotes, NotesFollowTheElementListWhichReadsAsBefore) {
    const QByteArray plain = NotedLabel(false);
    const QByteArray noted = NotedLabel(true);
    ASSERT_GT(noted.size(), plain.size());
    // Everything an older reader reads is the label without notes.
    EXPECT_EQ(noted.left(plain.size()), plain);
    EXPECT_EQ(noted.mid(plain.size(), 4), QByteArray("KXN1"));
}

TEST(KxLabelNotes, AReaderPassesOverNotesItDoesNotKnow) {
    TKxLabel label;
    Load(label, NotedLabel(true));
    ASSERT_EQ(label.ElementCount(), 3);
    // Read back as plain rectangles, which take no note: the label reads whole all the same.
    EXPECT_EQ(label.Element(1)->ElementType(), deRect);
    EXPECT_EQ(LabelBytes(label), NotedLabel(false));
}

TEST(KxLabelNotes, BytesBehindTheListWithoutTheMarkArePassedOverAndACorruptNoteIsRefused) {
    TKxLabel label;
    EXPECT_NO_THROW(Load(label, NotedLabel(false) + QByteArray("garbage")));
    const QByteArray noted = NotedLabel(true);
    // The notes name one body per element: here two for three elements.
    QByteArray miscounted = noted;
    miscounted[NotedLabel(false).size() + 16] = 2;
    for (const QByteArray& bad : {noted.left(noted.size() - 1), miscounted}) {
        TKxLabel other;
        EXPECT_THROW(Load(other, bad), EStreamError);
        EXPECT_EQ(other.ElementCount(), 0);
    }
}

// A regression: the reader took the count of records for a count of elements and ran past the end
// of a label that held a barcode of a new kind.
TEST(KxBarCodeExtensionLabel, ALabelWithNewKindsBetweenOthersReadsBackWhole) {
    TKxLabel label;
    for (const TKxBar kind : {baQR, baEAN13, baAztec}) {
        auto bar = std::make_unique<TKxBarCode>(&label);
        bar->BarType = kind;
        bar->Code = kind == baEAN13 ? QStringLiteral("841089400010") : QStringLiteral("Grüße ✓");
        label.AddElement(std::move(bar));
    }
    const QByteArray bytes = KxSaveToBytes(label);
    TKxLabel back;
    KxLoadFromBytes(back, bytes);
    ASSERT_EQ(back.ElementCount(), 3);
    EXPECT_EQ(dynamic_cast<TKxBarCode*>(back.Element(0))->BarType, baQR);
    EXPECT_EQ(dynamic_cast<TKxBarCode*>(back.Element(1))->BarType, baEAN13);
    EXPECT_EQ(dynamic_cast<TKxBarCode*>(back.Element(2))->Code, QStringLiteral("Grüße ✓"));
    EXPECT_EQ(KxSaveToBytes(back), bytes);
}
