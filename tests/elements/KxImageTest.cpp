#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>

#include "base/Messages.h"
#include "common/PixelProbe.h"
#include "common/TestOwner.h"
#include "common/TestSupport.h"
#include "db/Table.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxImage.h"
#include "metafile/Picture.h"

namespace {

const TColor clPicture = 0x00C000;

QByteArray PngBytes(int w, int h, TColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ToQColor(colour));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Box of the clearly red pixels (text antialiasing included) inside r.
QRect RedBox(const QImage& image, const QRect& r) {
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 120) box |= QRect(x, y, 1, 1);
    return box;
}

// A picture element over the box (20, 10)-(420, 410), 40 mm square, drawn one unit per pixel.
class KxImageTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        Owner.DrawOnBitmaps(500, 500);
        Image.P1 = {20, 10};
        Image.P2 = {420, 410};
    }

    void LoadPicture(int w, int h) {
        const QString name = Dir.Path("pic.png");
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(PngBytes(w, h, clPicture));
        file.close();
        Image.SetFileImage(name);
        ASSERT_TRUE(Image.ImageLoaded);
    }

    QRect Drawn(TKxDrawType target, bool withData = false, TColor colour = clPicture) {
        Owner.DrawOnBitmaps(500, 500);
        KxTestDraw(Image, {}, target, withData);
        return ColourBox(Owner.Image(target), colour);
    }

    TKxTempDir Dir;
    TMessageCapture Messages;
    TTestOwner Owner;
    TKxImage Image{&Owner};
};

using KxImageDraw = KxImageTestBase;

struct TFitCase {
    const char* Name;
    int PictureW, PictureH;
    TPoint P2;
    bool AspectRatio, AutoSize;
    int PenWidth; // with a border; 0 without
    QRect Expected;
};

std::ostream& operator<<(std::ostream& os, const TFitCase& c) {
    return os << c.Name;
}

class KxImageFit : public KxImageTestBase, public ::testing::WithParamInterface<TFitCase> {};

const TFitCase FitCases[] = {
    {"WideInSquareCentresVertically", 200, 100, {420, 410}, true, false, 0, {20, 110, 400, 200}},
    {"TallInSquareCentresHorizontally", 100, 200, {420, 410}, true, false, 0, {120, 10, 200, 400}},
    {"WiderBoxFillsTheHeight", 200, 100, {420, 110}, true, false, 0, {120, 10, 200, 100}},
    {"OddMarginTruncates", 200, 100, {421, 110}, true, false, 0, {120, 10, 201, 100}},
    {"StretchedWithoutAspect", 200, 100, {420, 410}, false, false, 0, {20, 10, 400, 400}},
    {"BorderTakesPenWidthInside", 200, 100, {420, 410}, false, false, 5, {25, 15, 390, 390}},
    {"NaturalSizeFromP1", 200, 100, {60, 30}, true, true, 0, {20, 10, 200, 100}},
};

} // namespace

TEST_P(KxImageFit, PictureLandsInItsBox) {
    const TFitCase& c = GetParam();
    LoadPicture(c.PictureW, c.PictureH);
    Image.P2 = c.P2;
    Image.AspectRatio = c.AspectRatio;
    Image.AutoSize = c.AutoSize;
    Image.Border = c.PenWidth > 0;
    Image.PenWidth = std::max(c.PenWidth, 1);
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview})
        EXPECT_EQ(Drawn(target), c.Expected) << KxEnumName(target).toStdString();
    if (c.PenWidth > 0) {
        EXPECT_EQ(ColourBox(Owner.Image(tdPreview), clRed), QRect(20, 10, 400, 400));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KxImageFit, ::testing::ValuesIn(FitCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KxImageDraw, MissingFileShowsAMessageAndThePlaceholder) {
    const QString name = Dir.Path("no such picture with a long name.png");
    Image.SetFileImage(name);
    EXPECT_FALSE(Image.ImageLoaded);
    EXPECT_EQ(Image.FileImage, name);
    ASSERT_EQ(Messages.Messages, QStringList{"Invalid filename: " + name});
    Image.P2 = {220, 410};
    Image.LineColor = clBlue;
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        // A frame even without Border, and the red text inside it, 1.5 mm in, wrapped.
        EXPECT_EQ(Drawn(target, false, clBlue), QRect(20, 10, 200, 400)) << KxEnumName(target).toStdString();
        const QRect text = RedBox(Owner.Image(target), QRect(21, 11, 198, 398));
        ASSERT_FALSE(text.isEmpty());
        EXPECT_GE(text.left(), 35);
        EXPECT_GE(text.top(), 25);
        EXPECT_LE(text.right(), 204);
        EXPECT_GT(text.height(), 60) << "the name takes several lines";
    }
    EXPECT_EQ(Image.Bounds, Rect(20, 10, 220, 410));
}

// The message is written in plain 3 mm Arial whatever a text drawn before left on the canvas.
TEST_F(KxImageDraw, PlaceholderIgnoresStylesAndSpacingLeftOnTheCanvas) {
    Image.SetFileImage(Dir.Path("gone.png"));
    const QRect inside(21, 11, 398, 398);
    Drawn(tdPrint);
    const QImage plain = Owner.Image(tdPrint).copy();
    Owner.DrawOnBitmaps(500, 500);
    Owner.Bitmap(tdPrint).Canvas().Font.SetStyle(fsBold | fsItalic | fsUnderline);
    Owner.Bitmap(tdPrint).Canvas().SetTextCharacterExtra(40);
    KxTestDraw(Image, {}, tdPrint, false);
    EXPECT_FALSE(RedBox(plain, inside).isEmpty());
    EXPECT_EQ(Owner.Image(tdPrint), plain);
}

TEST_F(KxImageDraw, BoundsAtNaturalSizeFollowTheScale) {
    LoadPicture(200, 100);
    Owner.Scale = 4;
    Owner.OriginX = 3;
    KxTestDraw(Image, {}, tdLab, false);
    EXPECT_EQ(Image.Bounds, Rect(8, 2, 108, 102)); // 10 / 4 rounds half to even
    Image.AutoSize = true;
    KxTestDraw(Image, {}, tdLab, false);
    EXPECT_EQ(Image.Bounds, Rect(8, 2, 8 + 50, 2 + 25));
}

TEST_F(KxImageDraw, SetFileImageIgnoredWhileBound) {
    Image.DataBase = true;
    Image.SetFileImage(Dir.Path("x.png"));
    EXPECT_TRUE(Image.FileImage.isEmpty());
    EXPECT_TRUE(Messages.Messages.isEmpty());
}

TEST_F(KxImageDraw, RecordReloadsThePictureFromItsFile) {
    LoadPicture(200, 100);
    Image.AutoSize = true;
    TKxImage copy(&Owner);
    EXPECT_EQ(LoadRecord(copy, SaveRecord(Image)), 0);
    // The record alone opens nothing; the picture loads once the reader has read everything.
    EXPECT_FALSE(copy.ImageLoaded);
    copy.Loaded();
    EXPECT_TRUE(copy.ImageLoaded);
    EXPECT_TRUE(copy.AutoSize);
    EXPECT_EQ(copy.Picture->Width(), 200);
    EXPECT_TRUE(Messages.Messages.isEmpty());
    // A bound picture keeps its file name for the next save without loading it.
    Image.DataBase = true;
    Image.FileImage = "kept.png";
    EXPECT_EQ(LoadRecord(copy, SaveRecord(Image)), 0);
    copy.Loaded();
    EXPECT_EQ(copy.FileImage, "kept.png");
    EXPECT_TRUE(Messages.Messages.isEmpty());
}

TEST_F(KxImageDraw, OlderRecordHasNoAutoSize) {
    Image.FileImage = "gone.png";
    QByteArray bytes = SaveRecord(Image);
    bytes.chop(1);                               // AutoSize
    bytes.remove(1 + 3 * 4 + 3, 1);              // Printable
    bytes.remove(bytes.indexOf("Arial") - 8, 4); // the empty ID's count
    TKxImage old(&Owner);
    old.AutoSize = true;
    EXPECT_EQ(LoadRecord(old, bytes, 13), 0);
    EXPECT_TRUE(old.AutoSize);
    EXPECT_EQ(old.FileImage, "gone.png");
    EXPECT_TRUE(Messages.Messages.isEmpty());
    old.Loaded();
    EXPECT_EQ(Messages.Messages, QStringList{"Invalid filename: gone.png"});
}

namespace {

// Pictures from a real SQLite table: a green PNG, bytes that are no picture, a blue PNG, NULL.
class KxImageData : public KxImageTestBase {
protected:
    void SetUp() override {
        KxImageTestBase::SetUp();
        Owner.Table = &FTable;
        Image.DataBase = true;
        Image.Field = "PIC";
        Image.AspectRatio = false;
    }

    TSqliteTable FData{"pics",
                       "id INTEGER PRIMARY KEY, pic GRAPHIC",
                       {{1, PngBytes(20, 10, clPicture)},
                        {2, QByteArray("not a picture")},
                        {3, PngBytes(10, 10, clBlue)},
                        {4, QVariant()}}};
    TTable& FTable = FData.Table;
};

} // namespace

TEST_F(KxImageData, EachRecordsPictureAndDrawingGoesOnAfterBadBytes) {
    const QRect box(20, 10, 400, 400);
    FTable.First();
    EXPECT_EQ(Drawn(tdPrint, true), box);
    EXPECT_TRUE(Image.ImageLoaded);
    FTable.Next(); // not a picture: the message, and the previous picture again
    EXPECT_EQ(Drawn(tdPreview, true), box);
    EXPECT_EQ(Messages.Messages, QStringList{"Invalid Field Name "});
    FTable.Next();
    EXPECT_EQ(Drawn(tdPrint, true, clBlue), box);
    FTable.Next(); // NULL: no picture, no message, nothing drawn
    Owner.DrawOnBitmaps(500, 500);
    KxTestDraw(Image, {}, tdPrint, true);
    EXPECT_EQ(CountColour(Owner.Image(tdPrint), clWhite), 500 * 500);
    EXPECT_EQ(Messages.Messages.size(), 1);
    // With nothing held the surface keeps the P1-P2 bounds, even at natural size.
    Image.AutoSize = true;
    KxTestDraw(Image, {}, tdLab, false);
    EXPECT_EQ(Image.Bounds, Rect(20, 10, 420, 410));
}

TEST_F(KxImageData, MissingFieldShowsAMessageOncePerDrawing) {
    Image.Field = "nosuch";
    FTable.First();
    KxTestDraw(Image, {}, tdPrint, true);
    KxTestDraw(Image, {}, tdPreview, true);
    EXPECT_EQ(Messages.Messages, QStringList({"Invalid Field Name ", "Invalid Field Name "}));
    EXPECT_EQ(CountColour(Owner.Image(tdPrint), clWhite), 500 * 500);
}

TEST_F(KxImageData, SurfaceShowsTheLastPictureOrTheFieldName) {
    FTable.First();
    KxTestDraw(Image, {}, tdPrint, true);
    EXPECT_EQ(Drawn(tdLab), QRect(20, 10, 400, 400)); // without data: the last record's picture
    EXPECT_TRUE(Drawn(tdLab, true).isEmpty());        // with data: the placeholder
    EXPECT_FALSE(Image.ImageLoaded);
    EXPECT_FALSE(RedBox(Owner.Image(tdLab), QRect(21, 11, 398, 398)).isEmpty());
    const QByteArray before = SaveRecord(Image);
    EXPECT_EQ(before.right(2 + 4).left(4), QByteArray(4, '\0')); // the file name stays empty
}
