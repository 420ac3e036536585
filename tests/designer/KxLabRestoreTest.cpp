#include <gtest/gtest.h>
#include <memory>
#include <QFile>

#include "base/Messages.h"
#include "base/StreamError.h"
#include "common/DBTestDatabase.h"
#include "common/LabelSamples.h"
#include "common/TestSupport.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxText.h"
#include "label/KxBackSurf.h"
#include "label/KxMeasure.h"
#include "metafile/Picture.h"

namespace {

TKxText* AddText(TKxLab& Lab, const QString& Text) {
    auto e = TKxElementFactory::Create(deText, Lab.Label());
    auto* text = static_cast<TKxText*>(e.get());
    text->Text = Text;
    Lab.AddElement(std::move(e));
    return text;
}

TKxImage* AddImage(TKxLab& Lab, const QString& File) {
    auto e = TKxElementFactory::Create(deImage, Lab.Label());
    auto* image = static_cast<TKxImage*>(e.get());
    image->P2 = {300, 200};
    image->SetFileImage(File);
    Lab.AddElement(std::move(e));
    return image;
}

} // namespace

TEST(KxLabRestore, TakesTheRecordsSettingsAndElementsInPlaceOfTheCurrentOnes) {
    TKxLab lab;
    lab.resize(400, 300);
    AddText(lab, "before");
    const QByteArray before = KxSaveToBytes(lab);
    lab.GetMeasure()->SetWidth(80);
    AddText(lab, "after");
    lab.FindElement({lab.WindowX(5), lab.WindowY(5)});
    ASSERT_NE(KxSaveToBytes(lab), before);

    lab.Label()->RestoreRecord(before);
    EXPECT_EQ(KxSaveToBytes(lab), before);
    ASSERT_EQ(lab.ElementCount(), 1);
    EXPECT_EQ(static_cast<TKxText*>(lab.Element(0))->Text, "before");
    // The element restored where the selected one stood is selected.
    EXPECT_EQ(lab.GetSelected(), lab.Element(0));
    EXPECT_EQ(lab.GetLabWidth(), 150);
}

TEST(KxLabRestore, BadRecordChangesNothing) {
    TKxLab lab;
    AddText(lab, "kept");
    const QByteArray bytes = KxSaveToBytes(lab);
    for (const QByteArray& bad : {QByteArray(), bytes.left(bytes.size() - 3), QByteArray(64, '\xff')}) {
        EXPECT_THROW(lab.Label()->RestoreRecord(bad), EStreamError);
        EXPECT_EQ(KxSaveToBytes(lab), bytes);
    }
}

TEST(KxLabRestore, KeepsAnUnchangedBindingOpenAndNeverOpensOrReportsAnother) {
    TTestDatabase db(TTestEngine::SQLite);
    ASSERT_TRUE(db.CreateProducts());
    TMessageCapture capture;
    TKxLab lab;
    lab.SetDaBa(true);
    lab.GetTable()->SetDatabaseName(db.Alias());
    lab.GetTable()->SetTableName("products");
    ASSERT_TRUE(lab.ValidData());
    const QByteArray bound = KxSaveToBytes(lab);
    // An undo that leaves the binding as it is leaves the fields the dialogs offer.
    lab.Label()->RestoreRecord(bound);
    EXPECT_TRUE(lab.GetTable()->Active());
    EXPECT_TRUE(lab.GetDataValid());
    lab.Label()->CloseData();
    lab.GetTable()->SetTableName("other");
    const QByteArray other = KxSaveToBytes(lab);
    lab.GetTable()->SetTableName("products");
    ASSERT_TRUE(lab.ValidData());
    lab.Label()->RestoreRecord(other);
    EXPECT_FALSE(lab.GetTable()->Active());
    EXPECT_FALSE(lab.GetDataValid());

    // Loading the file reports an alias that is gone; restoring the same record says nothing.
    lab.GetTable()->SetDatabaseName("no-such-alias");
    const QByteArray dead = KxSaveToBytes(lab);
    lab.Label()->RestoreRecord(dead);
    EXPECT_TRUE(capture.Messages.isEmpty()) << capture.Messages.join('\n').toStdString();
    TKxTempDir dir;
    lab.SaveToFile(dir.Path("dead.kxl"));
    lab.LoadLab(dir.Path("dead.kxl"));
    EXPECT_EQ(capture.Messages.size(), 1);
}

TEST(KxLabRestore, KeepsThePicturesShownWithoutReadingOrReportingThemAgain) {
    TKxTempDir dir;
    const QString file = dir.Path("shapes.svg");
    ASSERT_TRUE(QFile::copy(KxTestDataDir() + "/shapes.svg", file));
    TMessageCapture capture;
    TKxLab lab;
    AddImage(lab, file);
    AddImage(lab, dir.Path("missing.png"));
    ASSERT_EQ(capture.Messages.size(), 1);
    const QByteArray record = KxSaveToBytes(lab);
    // The file is gone: only the picture held in memory can still show it.
    ASSERT_TRUE(QFile::remove(file));

    lab.Label()->RestoreRecord(record);
    EXPECT_EQ(capture.Messages.size(), 1);
    ASSERT_EQ(lab.ElementCount(), 2);
    const auto* shown = static_cast<TKxImage*>(lab.Element(0));
    EXPECT_TRUE(shown->ImageLoaded);
    EXPECT_EQ(shown->Picture->Kind(), TPictureKind::Svg);
    EXPECT_FALSE(static_cast<TKxImage*>(lab.Element(1))->ImageLoaded);
    EXPECT_EQ(KxSaveToBytes(lab), record);
}
