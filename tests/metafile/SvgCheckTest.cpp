#include "metafile/SvgCheck.h"

#include <gtest/gtest.h>
#include <QImage>
#include <sys/stat.h>

#include "base/InvalidGraphic.h"
#include "common/PictureSamples.h"
#include "common/TestSupport.h"
#include "gdi/Bitmap.h"
#include "metafile/Picture.h"

namespace {

QByteArray Png(QRgb Colour) {
    return PlainPng(8, 8, Colour);
}

// A 40 by 40 picture, white, whose body is Body; Head comes before the <svg> element.
QByteArray Svg(const QByteArray& Body, const QByteArray& Head = {}) {
    return Head +
           R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
           R"(width="40" height="40"><rect width="40" height="40" fill="#ffffff"/>)" +
           Body + "</svg>";
}

QByteArray ImageOf(const QByteArray& Href, const char* Attribute = "xlink:href") {
    return QByteArray("<image x=\"0\" y=\"0\" width=\"40\" height=\"40\" ") + Attribute + "=\"" + Href +
           "\"/>";
}

QString Refusal(const QByteArray& Bytes) {
    try {
        TPicture picture;
        picture.LoadFromBytes(Bytes, QStringLiteral("tag.svg"));
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return {};
}

// The colour at the middle of the picture drawn 40 by 40.
QRgb Middle(const TPicture& Picture) {
    TBitmap bitmap(40, 40);
    bitmap.Canvas().StretchDraw({0, 0, 40, 40}, Picture);
    return bitmap.Image().pixel(20, 20) & 0xFFFFFF;
}

// A red picture file in a folder of the test's own, named by its absolute path.
class KxSvgOutside : public ::testing::Test {
protected:
    void SetUp() override {
        QFile file(FDir.Path(QStringLiteral("red.png")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Png(qRgb(255, 0, 0)));
    }
    QByteArray Red() const { return FDir.Path(QStringLiteral("red.png")).toUtf8(); }
    TKxTempDir FDir;
};

struct TRefusedSvg {
    const char* Name;
    QByteArray (*Make)(const QByteArray& RedFile);
    const char* Says;
};

const TRefusedSvg RefusedSvgs[] = {
    {"ImageFile", [](const QByteArray& red) { return Svg(ImageOf(red)); }, "<image> refers to"},
    {"ImageFileUrl", [](const QByteArray& red) { return Svg(ImageOf("file://" + red)); },
     "<image> refers to"},
    {"ImageWithPlainHref", [](const QByteArray& red) { return Svg(ImageOf(red, "href")); }, "refers to"},
    {"ImageWithAnotherPrefix",
     [](const QByteArray& red) {
         return Svg(R"(<g xmlns:x="http://www.w3.org/1999/xlink">)" + ImageOf(red, "x:href") + "</g>");
     },
     "refers to"},
    {"ImageNamingAFragment", [](const QByteArray&) { return Svg(ImageOf("#pic")); }, "<image> refers to"},
    {"ImageWithUpperCaseData",
     [](const QByteArray&) { return Svg(ImageOf(DataUrl("image/png", Png(0)).replace("data:", "DATA:"))); },
     "refers to"},
    {"UseOfAnotherFile", [](const QByteArray&) { return Svg(R"(<use xlink:href="other.svg#a"/>)"); },
     "<use> refers to"},
    {"StyleImport", [](const QByteArray&) { return Svg("<style>@import url(tag.css);</style>"); }, "imports"},
    {"StyleUrlToAFile",
     [](const QByteArray& red) { return Svg(R"x(<rect width="9" style="fill:url()x" + red + R"x()"/>)x"); },
     "style refers to"},
    {"FillUrlToAnotherFile",
     [](const QByteArray&) { return Svg(R"x(<rect width="9" height="9" fill="url('other.svg#g')"/>)x"); },
     "style refers to \"other.svg#g"},
    {"StyleSheetInstruction",
     [](const QByteArray&) { return Svg({}, R"(<?xml-stylesheet type="text/css" href="tag.css"?>)"); },
     "outside style sheet"},
    {"ExternalEntity",
     [](const QByteArray& red) {
         return Svg("<text>&e;</text>", "<!DOCTYPE svg [<!ENTITY e SYSTEM \"" + red + "\">]>");
     },
     "entity \"e\" is declared outside"},
    {"EmbeddedSvgNamingAFile",
     [](const QByteArray& red) { return Svg(ImageOf(DataUrl("image/svg+xml", Svg(ImageOf(red))))); },
     "<image> refers to"},
    {"EmbeddedCompressedSvg",
     [](const QByteArray&) {
         return Svg(ImageOf(DataUrl("image/svg+xml", QByteArray("\x1f\x8b\x08\x00", 4))));
     },
     "compressed"},
    {"NestedTooDeep",
     [](const QByteArray&) {
         QByteArray svg = Svg({});
         for (int i = 0; i < 6; ++i)
             svg = Svg(ImageOf(DataUrl("image/svg+xml", svg)));
         return svg;
     },
     "nest more than"},
    {"NotWellFormed", [](const QByteArray&) { return Svg("<g><rect/>"); }, "not well-formed"},
};

class KxSvgRefused : public KxSvgOutside, public ::testing::WithParamInterface<TRefusedSvg> {};

} // namespace

TEST_P(KxSvgRefused, NamesTheSourceAndWhatItFound) {
    const QString says = Refusal(GetParam().Make(Red()));
    EXPECT_TRUE(says.startsWith(QLatin1String("tag.svg: the SVG picture is refused"))) << says.toStdString();
    EXPECT_TRUE(says.contains(QLatin1String(GetParam().Says))) << says.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, KxSvgRefused, ::testing::ValuesIn(RefusedSvgs),
                         [](const auto& info) { return std::string(info.param.Name); });

namespace {

struct TAcceptedSvg {
    const char* Name;
    QByteArray Bytes;
    QRgb Middle;
};

const TAcceptedSvg AcceptedSvgs[] = {
    {"Shapes", Svg(R"(<rect x="10" y="10" width="20" height="20" fill="#0000ff"/>)"), qRgb(0, 0, 255)},
    {"GradientAndUseById",
     Svg(R"(<defs><linearGradient id="g"><stop offset="0" stop-color="#00ff00"/></linearGradient>)"
         R"(<linearGradient id="h" xlink:href="#g"/><rect id="r" width="40" height="40"/></defs>)"
         R"x(<use xlink:href="#r" fill="url(#h)"/>)x"),
     qRgb(0, 255, 0)},
    {"EmbeddedPng", Svg(ImageOf(DataUrl("image/png", Png(qRgb(0, 0, 255))))), qRgb(0, 0, 255)},
    {"EmbeddedSelfContainedSvg",
     Svg(ImageOf(DataUrl("image/svg+xml", Svg(R"(<rect width="40" height="40" fill="#00ff00"/>)")))),
     qRgb(0, 255, 0)},
    {"DocumentTypeOfTheStandard",
     Svg(R"(<rect width="40" height="40" fill="#0000ff"/>)",
         R"(<!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 1.1//EN" "http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd">)"),
     qRgb(0, 0, 255)},
    {"InternalEntity",
     Svg(R"(<rect width="40" height="40" fill="&blue;"/>)", R"(<!DOCTYPE svg [<!ENTITY blue "#0000ff">]>)"),
     qRgb(0, 0, 255)},
};

class KxSvgAccepted : public ::testing::TestWithParam<TAcceptedSvg> {};

} // namespace

TEST_P(KxSvgAccepted, LoadsAndDraws) {
    TPicture picture;
    ASSERT_NO_THROW(picture.LoadFromBytes(GetParam().Bytes, QStringLiteral("tag.svg")));
    EXPECT_EQ(picture.Kind(), TPictureKind::Svg);
    EXPECT_EQ(Middle(picture), GetParam().Middle & 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(Cases, KxSvgAccepted, ::testing::ValuesIn(AcceptedSvgs),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KxSvgOutside, APipeNamedByAPictureIsNeverOpened) {
    const QString fifo = FDir.Path(QStringLiteral("fifo.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opened, the pipe would block the reader for good.
    EXPECT_TRUE(Refusal(Svg(ImageOf(fifo.toUtf8()))).contains(QLatin1String("refers to")));
}

TEST_F(KxSvgOutside, SvgAfterALongPreambleIsCheckedToo) {
    // Qt's image readers take this for SVG though it does not start like one.
    const QByteArray svg =
        "<?xml version=\"1.0\"?><!--" + QByteArray(5000, ' ') + "-->" + Svg(ImageOf(Red()));
    EXPECT_TRUE(Refusal(svg).contains(QLatin1String("refers to")));
}

TEST(KxSvgCompressed, IsRefusedWithAReason) {
    // Qt's SVG reader takes gzip's signature for compressed SVG.
    const QString says =
        Refusal(QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + QByteArray(40, 'x'));
    EXPECT_TRUE(says.contains(QLatin1String("compressed SVG"))) << says.toStdString();
}

TEST_F(KxSvgOutside, ABitmapFileOfSvgIsRefused) {
    const QString path = FDir.Path(QStringLiteral("tag.svg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Svg(ImageOf(Red())));
    file.close();
    TBitmap bitmap(4, 4);
    EXPECT_FALSE(bitmap.LoadFromFile(path));
}
