#include "metafile/Picture.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include "base/InvalidGraphic.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "gdi/Bitmap.h"
#include "metafile/EmfReader.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"
#include "metafile/WmfReader.h"

namespace {

// 40 by 30 pixels: red left half, blue right half.
QImage TwoColours() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

// Qt reads GIF but does not write it: a minimal GIF of a red and blue image, its codes kept at
// three bits by a clear code before every pair of pixels.
QByteArray RedBlueGif(const QImage& image) {
    QByteArray gif("GIF89a");
    auto u16 = [&](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char(v >> 8));
    };
    u16(image.width());
    u16(image.height());
    gif.append(char(0x91)).append('\0').append('\0');
    gif.append(QByteArray::fromHex("ff00000000ff000000ffffff")); // red, blue, black, white
    gif.append(char(0x2C));
    u16(0);
    u16(0);
    u16(image.width());
    u16(image.height());
    gif.append('\0').append(char(2));
    QByteArray codes;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= uint32_t(code) << count;
        count += 3;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int pixel = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x, ++pixel) {
            if (pixel % 2 == 0) put(4);
            put(qBlue(image.pixel(x, y)) > 128 ? 1 : 0);
        }
    put(5);
    if (count > 0) codes.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append('\0').append(char(0x3B));
    return gif;
}

QByteArray Encoded(const QImage& image, const char* format) {
    if (QByteArray(format) == "gif") return RedBlueGif(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The picture drawn at its natural size on white.
QImage Drawn(const TPicture& picture, int scale = 1) {
    TBitmap bmp(picture.Width() * scale, picture.Height() * scale);
    bmp.Canvas().StretchDraw({0, 0, bmp.Width(), bmp.Height()}, picture);
    return bmp.Image().copy();
}

QString EmfMessage(const QByteArray& bytes) {
    try {
        TPicture p;
        p.LoadFromBytes(bytes, "hostile.emf");
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return {};
}

void PutU32(QByteArray& b, qsizetype at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

class KxPictureFormats : public ::testing::TestWithParam<const char*> {};

TEST_P(KxPictureFormats, LoadsFromFileAndBytesWithItsSize) {
    TKxTempDir dir;
    const QString path = dir.Path(QString("picture.") + GetParam());
    const QByteArray bytes = Encoded(TwoColours(), GetParam());
    ASSERT_FALSE(bytes.isEmpty());
    WriteFile(path, bytes);
    TPicture fromFile;
    fromFile.LoadFromFile(path);
    TPicture fromField;
    fromField.LoadFromBytes(bytes, "Photo");
    for (const TPicture* p : {&fromFile, &fromField}) {
        EXPECT_EQ(p->Kind(), TPictureKind::Bitmap);
        EXPECT_EQ(p->Width(), 40);
        EXPECT_EQ(p->Height(), 30);
        const QImage drawn = Drawn(*p);
        EXPECT_LT(qBlue(drawn.pixel(5, 15)), 60);
        EXPECT_GT(qRed(drawn.pixel(5, 15)), 200);
        EXPECT_GT(qBlue(drawn.pixel(35, 15)), 200);
    }
}

INSTANTIATE_TEST_SUITE_P(Qt, KxPictureFormats, ::testing::Values("bmp", "png", "jpg", "gif", "ico"));

TEST(KxPictureSvg, LoadsWithItsDefaultSizeAndDrawsStretched) {
    const QByteArray svg = R"(<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" width="80" height="40"><rect x="0" y="0" width="40" height="40" fill="#ff0000"/></svg>)";
    TPicture p;
    p.LoadFromBytes(svg, "logo.svg");
    EXPECT_EQ(p.Kind(), TPictureKind::Svg);
    EXPECT_EQ(p.Width(), 80);
    EXPECT_EQ(p.Height(), 40);
    // Stretched to twice the size, the red square covers the left half.
    TBitmap bmp(200, 100);
    bmp.Canvas().StretchDraw({20, 10, 180, 90}, p);
    EXPECT_TRUE(NearBox(ColourBox(bmp.Image(), clRed), QRect(QPoint(20, 10), QPoint(99, 89)), 1));
}

TEST(KxPictureMetafile, OurOwnPageLoadsBackAsAMetafilePicture) {
    TMetafile page(5000, 2500);
    {
        TMetafileCanvas c(page);
        c.Brush = {clRed, bsSolid};
        c.FillRect({0, 0, 94, 47});
    }
    TPicture p;
    p.LoadFromBytes(page.SaveToEmf(), "page.emf");
    EXPECT_EQ(p.Kind(), TPictureKind::Metafile);
    ASSERT_NE(p.Metafile(), nullptr);
    EXPECT_EQ(p.Width(), page.Width());
    EXPECT_EQ(p.Height(), page.Height());
    EXPECT_TRUE(NearBox(ColourBox(Drawn(p), clRed), QRect(0, 0, 94, 47), 1));
}

class KxPictureThirdParty : public ::testing::TestWithParam<const char*> {};

// shapes.svg, 200 by 100: red rectangle (10,10)-(70,50), blue circle at (150,30) radius 20, green
// triangle (10,70)-(60,70)-(35,95), "KxLab" in black from (100,90); written as EMF and WMF by inkscape.
TEST_P(KxPictureThirdParty, InkscapeFileDrawsShapesAndTextWhereTheyBelong) {
    TPicture p;
    p.LoadFromFile(KxTestDataDir() + "/shapes." + GetParam());
    EXPECT_EQ(p.Kind(), TPictureKind::Metafile);
    EXPECT_NEAR(p.Width(), 200, 2);
    EXPECT_NEAR(p.Height(), 100, 2);
    // Twice the natural size: the writer rounds the frame to whole millimetres, so this keeps scale.
    const QImage image = Drawn(p, 2);
    EXPECT_TRUE(NearBox(NearColourBox(image, clRed), QRect(QPoint(20, 20), QPoint(139, 99)), 3));
    EXPECT_TRUE(NearBox(NearColourBox(image, clBlue), QRect(QPoint(260, 20), QPoint(339, 99)), 3));
    const QRect green = NearColourBox(image, clLime);
    EXPECT_TRUE(NearBox(green, QRect(QPoint(20, 140), QPoint(119, 189)), 3))
        << green.left() << "," << green.top() << " " << green.right() << "," << green.bottom();
    const QRect ink = InkBox(image.copy(180, 120, 220, 80));
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), 20, 6);
    EXPECT_NEAR(ink.bottom(), 60, 6); // baseline at y 180
    EXPECT_GT(ink.width(), 80);
}

INSTANTIATE_TEST_SUITE_P(Files, KxPictureThirdParty, ::testing::Values("emf", "wmf"));

TEST(KxPictureErrors, FilesThatCannotBeReadNameThemselves) {
    TKxTempDir dir;
    WriteFile(dir.Path("text.png"), "this is not a picture");
    QFile big(dir.Path("big.bmp"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(TPicture::MaxBytes + 1)); // sparse: no disk used
    big.close();
    const struct {
        QString Path;
        const char* Reason;
    } cases[] = {
        {dir.Path("absent.png"), "does not exist"}, {dir.Path(), "not a regular file"},
        {"/dev/zero", "not a regular file"},        {dir.Path("big.bmp"), "larger than"},
        {dir.Path("text.png"), "not a picture"},
    };
    for (const auto& c : cases) {
        TPicture p;
        p.LoadFromBytes(Encoded(TwoColours(), "png"), "previous");
        try {
            p.LoadFromFile(c.Path);
            ADD_FAILURE() << "loaded " << c.Path.toStdString();
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().contains(c.Path)) << e.what();
            EXPECT_TRUE(e.Message().contains(c.Reason)) << e.what();
        }
        // A failed load keeps what the picture had.
        EXPECT_EQ(p.Width(), 40);
    }
}

TEST(KxPictureErrors, EveryTruncationOfAMetafileFailsCleanlyOrLoads) {
    for (const char* name : {"shapes.emf", "shapes.wmf"}) {
        const QByteArray whole = FileBytes(KxTestDataDir() + "/" + name);
        ASSERT_FALSE(whole.isEmpty());
        int failed = 0;
        for (qsizetype cut = 1; cut < whole.size(); cut += 3) {
            TPicture p;
            try {
                p.LoadFromBytes(whole.left(cut), name);
            } catch (const EInvalidGraphic& e) {
                ++failed;
                EXPECT_TRUE(e.Message().startsWith(name)) << e.what();
            }
        }
        // Cut inside the header or a record, most cuts are reported.
        EXPECT_GT(failed, whole.size() / 3 / 2) << name;
    }
}

TEST(KxPictureErrors, HostileMetafileFieldsAreRefused) {
    TMetafile page(1000, 1000);
    {
        TMetafileCanvas c(page);
        const TPoint points[] = {{1, 1}, {50, 1}, {20, 30}};
        c.Polygon(points);
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::green);
        c.StretchDraw({0, 0, 10, 10}, image);
    }
    const QByteArray emf = page.SaveToEmf();
    auto find = [&](uint32_t type) {
        for (qsizetype pos = 0; pos < emf.size();) {
            const auto* b = reinterpret_cast<const uint8_t*>(emf.constData() + pos);
            const uint32_t t = b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
            if (t == type) return pos;
            pos += b[4] | b[5] << 8 | b[6] << 16 | uint32_t(b[7]) << 24;
        }
        return qsizetype(-1);
    };
    const qsizetype polygon = find(3);
    const qsizetype dib = find(81);
    ASSERT_GT(polygon, 0);
    ASSERT_GT(dib, 0);

    QByteArray manyPoints = emf;
    PutU32(manyPoints, polygon + 24, 0x7FFFFFFF);
    EXPECT_TRUE(EmfMessage(manyPoints).contains("points do not fit")) << EmfMessage(manyPoints).toStdString();

    QByteArray longRecord = emf;
    PutU32(longRecord, polygon + 4, 0x7FFFFFF0);
    EXPECT_TRUE(EmfMessage(longRecord).contains("record of")) << EmfMessage(longRecord).toStdString();

    QByteArray shortRecord = emf;
    PutU32(shortRecord, polygon + 4, 4);
    EXPECT_FALSE(EmfMessage(shortRecord).isEmpty());

    // A bitmap claiming 30000 by 30000 pixels with four bytes of rows.
    QByteArray hugeBitmap = emf;
    PutU32(hugeBitmap, dib + 80 + 4, 30000);
    PutU32(hugeBitmap, dib + 80 + 8, 30000);
    EXPECT_TRUE(EmfMessage(hugeBitmap).contains("bitmap rows need")) << EmfMessage(hugeBitmap).toStdString();

    QByteArray offsets = emf;
    PutU32(offsets, dib + 48, 0xFFFFFF00); // bitmap info far outside the record
    EXPECT_TRUE(EmfMessage(offsets).contains("outside the record")) << EmfMessage(offsets).toStdString();

    QByteArray wmf = FileBytes(KxTestDataDir() + "/shapes.wmf");
    ASSERT_GT(wmf.size(), 40);
    PutU32(wmf, 22 + 18, 0x7FFFFFFF); // the first record's size in words
    TPicture p;
    EXPECT_THROW(p.LoadFromBytes(wmf, "hostile.wmf"), EInvalidGraphic);
}

TEST(KxPictureCopies, ShareTheLoadedGraphicAndClearIndependently) {
    TPicture a;
    a.LoadFromBytes(Encoded(TwoColours(), "png"), "a");
    TPicture b;
    b.Assign(a);
    EXPECT_EQ(b.Width(), 40);
    EXPECT_EQ(b.Bitmap().cacheKey(), a.Bitmap().cacheKey());
    a.Clear();
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Kind(), TPictureKind::Empty);
    EXPECT_EQ(b.Height(), 30);
}
