#include "metafile/GdiObjectReader.h"

#include <gtest/gtest.h>
#include <initializer_list>

#include "base/InvalidGraphic.h"

namespace {

using TFormat = TGdiObjectReader::TFormat;

// Fields of the given width in bytes, little-endian.
QByteArray Fields(int width, std::initializer_list<int64_t> values) {
    QByteArray b;
    for (const int64_t v : values)
        for (int i = 0; i < width; ++i)
            b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return b;
}

QByteArray Colour(uint32_t c) {
    return Fields(4, {c});
}

} // namespace

TEST(KxGdiObjectReader, PensOfBothFormatsReadStyleWidthAndTheColourWithoutItsFlagByte) {
    const QByteArray emf = Fields(4, {2, 7, 99}) + Colour(0x010000FF);
    TByteReader e(emf, "emf");
    const TGdiObject fromEmf = TGdiObjectReader(TFormat::Emf).Pen(e);
    const QByteArray wmf = Fields(2, {2, 7, 99}) + Colour(0x02FF0000);
    TByteReader w(wmf, "wmf");
    const TGdiObject fromWmf = TGdiObjectReader(TFormat::Wmf).Pen(w);
    for (const TGdiObject* pen : {&fromEmf, &fromWmf}) {
        EXPECT_EQ(pen->Kind, TGdiObject::TKind::Pen);
        EXPECT_EQ(pen->Style, 2u);
        EXPECT_EQ(pen->Width, 7);
    }
    EXPECT_EQ(fromEmf.Color, clRed);
    EXPECT_EQ(fromWmf.Color, clBlue);
    EXPECT_EQ(e.Remaining(), 0);
    EXPECT_EQ(w.Remaining(), 0);
}

TEST(KxGdiObjectReader, ExtendedPensSkipTheirBitmapAndBrushesDrawHatchesSolid) {
    const QByteArray pen = Fields(4, {1, 2, 3, 4, 0x2201, 12, 2}) + Colour(0x80000005);
    TByteReader p(pen, "pen");
    const TGdiObject ext = TGdiObjectReader(TFormat::Emf).ExtPen(p);
    EXPECT_EQ(ext.Style, 0x2201u);
    EXPECT_EQ(ext.Width, 12);
    EXPECT_EQ(ext.Color, 0x000005); // a colour reference, never the system window colour
    for (const auto& [style, drawn] : {std::pair{0, 0u}, {1, 1u}, {2, 0u}, {3, 0u}}) {
        const QByteArray brush = Fields(2, {style}) + Colour(0x00FF00) + Fields(2, {5});
        TByteReader b(brush, "brush");
        const TGdiObject o = TGdiObjectReader(TFormat::Wmf).Brush(b);
        EXPECT_EQ(o.Kind, TGdiObject::TKind::Brush);
        EXPECT_EQ(o.Style, drawn) << style;
        EXPECT_EQ(o.Color, clLime);
    }
}

TEST(KxGdiObjectReader, FontsReadTheirFieldsAndAFaceNameEndingAtNulOrTheRecord) {
    const QByteArray styles = QByteArray::fromHex("01000102") + Fields(4, {0});
    QByteArray emf = Fields(4, {-40, 0, 900, 900, 700}) + styles;
    for (const QChar c : QStringLiteral("Arial"))
        emf += Fields(2, {c.unicode()});
    emf += Fields(2, {0, 'X'});
    TByteReader e(emf, "emf");
    const TLogFont fe = TGdiObjectReader(TFormat::Emf).Font(e).Font;
    EXPECT_EQ(fe.lfHeight, -40);
    EXPECT_EQ(fe.lfEscapement, 900);
    EXPECT_EQ(fe.lfWeight, 700);
    EXPECT_EQ(fe.lfItalic, 1);
    EXPECT_EQ(fe.lfUnderline, 0);
    EXPECT_EQ(fe.lfStrikeOut, 1);
    EXPECT_EQ(fe.lfCharSet, 2);
    EXPECT_EQ(fe.lfFaceName, QStringLiteral("Arial"));

    // A WMF face in the code page, cut short by the record's end; 32 characters at most.
    const QByteArray wmf = Fields(2, {-12, 0, 0, 0, 400}) + styles + QByteArray("Tim\xe9s");
    TByteReader w(wmf, "wmf");
    EXPECT_EQ(TGdiObjectReader(TFormat::Wmf).Font(w).Font.lfFaceName, QStringLiteral("Timés"));
    const QByteArray longName = Fields(2, {0, 0, 0, 0, 0}) + styles + QByteArray(40, 'a');
    TByteReader l(longName, "wmf");
    EXPECT_EQ(TGdiObjectReader(TFormat::Wmf).Font(l).Font.lfFaceName, QString(32, QLatin1Char('a')));

    const QByteArray cut = Fields(4, {-40, 0, 900});
    TByteReader c(cut, "cut.emf");
    EXPECT_THROW(TGdiObjectReader(TFormat::Emf).Font(c), EInvalidGraphic);
}
