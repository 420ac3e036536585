#include <gtest/gtest.h>
#include <memory>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include "base/Messages.h"
#include "base/StreamError.h"
#include "common/TestSupport.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxText.h"
#include "label/KxBackSurf.h"
#include "label/KxLabel.h"
#include "metafile/Picture.h"

namespace {

// A label holding a picture element that names Picture, then a text element behind it.
QByteArray LabelWithPicture(const QString& Picture) {
    TKxLabel label;
    auto image = std::make_unique<TKxImage>(&label);
    image->FileImage = Picture;
    label.AddElement(std::move(image));
    label.AddElement(std::make_unique<TKxText>(&label));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    label.SaveToStream(buffer);
    return bytes;
}

void Load(TKxLabel& Label, QByteArray Bytes) {
    QBuffer buffer(&Bytes);
    buffer.open(QIODevice::ReadOnly);
    Label.LoadFromStream(buffer);
}

} // namespace

TEST(KxLabelPictures, AFileThatFailsToReadShowsNothingBeforeItsError) {
    TMessageCapture messages;
    const QByteArray whole = LabelWithPicture(QStringLiteral("/nonexistent/picture.png"));
    // Cut inside the text element's record: the picture's record before it is complete.
    TKxLabel label;
    EXPECT_THROW(Load(label, whole.left(whole.size() - 3)), EStreamError);
    EXPECT_TRUE(messages.Messages.isEmpty()) << messages.Messages.join(u'\n').toStdString();
    EXPECT_EQ(label.ElementCount(), 0);
}

TEST(KxLabelPictures, PicturesOpenOnceTheWholeFileIsRead) {
    TKxTempDir dir;
    const QString png = dir.Path(QStringLiteral("p.png"));
    ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(png));
    TMessageCapture messages;
    TKxLabel label;
    Load(label, LabelWithPicture(png));
    ASSERT_EQ(label.ElementCount(), 2);
    const auto* image = dynamic_cast<TKxImage*>(label.Element(0));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->ImageLoaded);
    EXPECT_TRUE(messages.Messages.isEmpty());

    // A missing picture in a file read whole is reported once, after the read.
    TKxLabel missing;
    Load(missing, LabelWithPicture(dir.Path(QStringLiteral("gone.png"))));
    EXPECT_EQ(missing.ElementCount(), 2);
    EXPECT_EQ(messages.Messages, QStringList{"Invalid filename: " + dir.Path(QStringLiteral("gone.png"))});
}

TEST(KxLabelPictures, APastedPictureOpensAtOnce) {
    TKxTempDir dir;
    const QString png = dir.Path(QStringLiteral("p.png"));
    ASSERT_TRUE(QImage(5, 2, QImage::Format_RGB32).save(png));
    TKxLabel label;
    TKxImage source(&label);
    source.FileImage = png;
    const std::unique_ptr<TKxElement> pasted =
        TKxElementFactory::FromRecord(TKxElementFactory::Record(source), &label);
    const auto* image = dynamic_cast<TKxImage*>(pasted.get());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->ImageLoaded);
    EXPECT_EQ(image->Picture->Width(), 5);
}

namespace {

// A label file in its own folder naming its picture by a relative name, the picture beside it, and
// the working folder somewhere else for the test's length.
class KxLabelPictureBeside : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(FLabels.Path("pics")));
        ASSERT_TRUE(QImage(6, 4, QImage::Format_RGB32).save(FLabels.Path("pics/logo.png")));
        QFile file(LabelFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(LabelWithPicture(QStringLiteral("pics/logo.png")));
        file.close();
        FWorking = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(FElsewhere.Path()));
    }
    void TearDown() override { QDir::setCurrent(FWorking); }
    QString LabelFile() const { return FLabels.Path(QStringLiteral("tag.kxl")); }
    const TKxImage& Picture(const TKxLabel& Label) const {
        return *dynamic_cast<TKxImage*>(Label.Element(0));
    }

    TKxTempDir FLabels;
    TKxTempDir FElsewhere;
    QString FWorking;
};

} // namespace

TEST_F(KxLabelPictureBeside, IsFoundFromAnyWorkingFolderAndKeepsItsName) {
    TMessageCapture messages;
    TKxLabel label;
    label.LoadFromFile(LabelFile());
    EXPECT_TRUE(Picture(label).ImageLoaded);
    EXPECT_EQ(Picture(label).Picture->Width(), 6);
    EXPECT_EQ(Picture(label).FileImage, "pics/logo.png");
    EXPECT_TRUE(messages.Messages.isEmpty()) << messages.Messages.join(u'\n').toStdString();
    // Saved back, the label is the file it was.
    QByteArray saved;
    QBuffer buffer(&saved);
    buffer.open(QIODevice::WriteOnly);
    label.SaveToStream(buffer);
    QFile original(LabelFile());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved, original.readAll());
}

TEST_F(KxLabelPictureBeside, TheWorkingFolderComesFirst) {
    ASSERT_TRUE(QDir().mkpath(FElsewhere.Path("pics")));
    ASSERT_TRUE(QImage(9, 9, QImage::Format_RGB32).save(FElsewhere.Path("pics/logo.png")));
    TKxLabel label;
    label.ReplaceFromFile(LabelFile());
    EXPECT_EQ(Picture(label).Picture->Width(), 9);
}

TEST(KxLabelBackground, AnSvgNamingAnotherFileIsRefused) {
    TKxTempDir dir;
    ASSERT_TRUE(QImage(6, 4, QImage::Format_RGB32).save(dir.Path("red.png")));
    QFile svg(dir.Path("back.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write(
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="6" )"
        R"(height="4"><image width="6" height="4" xlink:href=")" +
        dir.Path("red.png").toUtf8() + R"("/></svg>)");
    svg.close();
    TMessageCapture messages;
    TKxLabel label;
    label.GetBackSurf()->SetFileName(svg.fileName());
    EXPECT_TRUE(label.GetBackSurf()->GetImage().Empty());
    EXPECT_EQ(messages.Messages, QStringList{"No se puede abrir el archivo: " + svg.fileName()});
}
