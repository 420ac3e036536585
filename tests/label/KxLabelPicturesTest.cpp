#include <gtest/gtest.h>
#include <memory>
#include <QBuffer>
#include <QFile>
#include <QImage>

#include "base/Messages.h"
#include "base/StreamError.h"
#include "common/TestSupport.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxText.h"
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
