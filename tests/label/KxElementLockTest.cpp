#include <gtest/gtest.h>
#include <QDataStream>

#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "elements/KxExtension.h"
#include "elements/KxRecordIO.h"
#include "elements/KxRect.h"
#include "label/KxLabel.h"

TEST(KxElementLock, ALabelThatLocksNothingWritesNoExtensionAndUnlockingGivesItsBytesBack) {
    TKxLabel label;
    KxAddEveryKind(label);
    const QByteArray before = KxSaveToBytes(label);
    for (int i = 0; i < label.ElementCount(); ++i)
        EXPECT_EQ(static_cast<uint8_t>(TKxElementFactory::Record(*label.Element(i))[0]),
                  label.Element(i)->ElementType())
            << i;
    label.Element(2)->Locked = true;
    EXPECT_NE(KxSaveToBytes(label), before);
    label.Element(2)->Locked = false;
    EXPECT_EQ(KxSaveToBytes(label), before);
}

TEST(KxElementLock, LockedElementsOfEveryKindReloadLockedAndSaveTheSameBytes) {
    TKxLabel label;
    KxAddEveryKind(label);
    for (int i = 0; i < label.ElementCount(); i += 2)
        label.Element(i)->Locked = true;
    const QByteArray bytes = KxSaveToBytes(label);
    TKxLabel read;
    KxLoadFromBytes(read, bytes);
    ASSERT_EQ(read.ElementCount(), label.ElementCount());
    for (int i = 0; i < read.ElementCount(); ++i)
        EXPECT_EQ(read.Element(i)->Locked, i % 2 == 0) << i;
    EXPECT_EQ(KxSaveToBytes(read), bytes);
}

TEST(KxElementLock, AReaderThatDoesNotKnowTheLockRefusesTheFile) {
    TKxRect rect(nullptr);
    rect.Locked = true;
    const QByteArray record = TKxElementFactory::Record(rect);
    // Readers from before extension records meet a kind they do not know and refuse the file.
    ASSERT_EQ(static_cast<uint8_t>(record[0]), KxExtensionTag);
    // Behind the extension the element's own record reads as it always did.
    EXPECT_TRUE(record.endsWith(TKxElementFactory::Record(TKxRect(nullptr))));

    QDataStream S(record);
    S.setByteOrder(QDataStream::LittleEndian);
    ReadByte(S);
    TKxExtension::TScope scope{};
    const TKxExtension extension = TKxExtension::Read(S, scope);
    ASSERT_EQ(S.status(), QDataStream::Ok);
    EXPECT_EQ(scope, TKxExtension::TScope::NextElement);
    // A reader with extension records but without the lock takes nothing out of it, and refuses.
    try {
        extension.RequireAllTaken();
        FAIL() << "the lock was passed over";
    } catch (const EStreamError& e) {
        EXPECT_NE(QString::fromStdString(e.what()).indexOf(QStringLiteral("element.locked")), -1) << e.what();
    }
}
