#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "gdi/FontFace.h"
#include "gdi/TextLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "common/PixelProbe.h"

namespace {

// "Arial" (Liberation Sans) with a 50-unit cell: em 44.75, ascent 40.5, descent 9.5.
void ArialCell50(TCanvas& c) {
    c.Font.SetName("Arial");
    c.Font.SetHeight(50);
    c.Font.SetColor(clBlack);
}

constexpr double Ascent50 = 50 * 0.905 / (0.905 + 0.212);

} // namespace

TEST(KxFontHeight, PositiveIsTheCellAndNegativeTheEm) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    EXPECT_EQ(c.TextExtent("Hg").cy, 50);
    const TFontFace& face = TFontFace::For(c.Font.GetLogFont());
    EXPECT_NEAR(face.Ascent(), 0.905, 0.001);
    EXPECT_NEAR(face.Descent(), 0.212, 0.001);
    EXPECT_NEAR(face.EmFor(50), 44.75, 0.02);
    c.Font.SetHeight(-100);
    EXPECT_EQ(c.TextHeight("x"), 112); // 100 x 1.117
    // Widths scale with the em: Arial's "H" advances 0.722 em.
    EXPECT_EQ(c.TextWidth("HHHHHHHHHH"), 722);
}

// A file may name any number of fonts that do not exist: they all fall back to one family and must
// share its face rather than each keep a font engine of its own.
TEST(KxFontFace, NamesThatResolveAlikeShareOneFace) {
    const auto face = [](const char* name, bool bold = false) {
        TLogFont log;
        log.lfFaceName = QString::fromLatin1(name);
        log.lfWeight = bold ? 700 : 400;
        return &TFontFace::For(log);
    };
    EXPECT_EQ(face("No such font 1"), face("No such font 2"));
    EXPECT_EQ(face("Arial"), face("Liberation Sans"));
    EXPECT_NE(face("Arial"), face("Arial", true));
    EXPECT_NE(face("Arial"), face("DejaVu Serif"));
    EXPECT_EQ(face("Arial"), face("Arial"));
}

TEST(KxFontHandle, LogFontCarriesTheEscapementUntilAPropertyRebuildsTheFont) {
    TFont font;
    font.SetName("Arial");
    font.SetStyle(fsBold | fsUnderline);
    TLogFont log = font.GetLogFont();
    EXPECT_EQ(log.lfWeight, FW_BOLD);
    EXPECT_EQ(log.lfUnderline, 1);
    log.lfEscapement = 900;
    font.SetLogFont(log);
    EXPECT_EQ(font.Escapement(), 900);
    EXPECT_EQ(font.Style(), fsBold | fsUnderline);
    font.SetColor(clRed);
    EXPECT_EQ(font.Escapement(), 900);
    font.SetHeight(30);
    EXPECT_EQ(font.Escapement(), 0);
}

struct TAlignCase {
    uint32_t Flags;
    int Horizontal; // -1 left edge at the point, 0 centred, 1 right edge
    int Vertical;   // -1 top, 0 baseline, 1 bottom
};

class KxTextAlign : public ::testing::TestWithParam<TAlignCase> {};

TEST_P(KxTextAlign, PlacesTheCellWhereTheFlagsSay) {
    const TAlignCase a = GetParam();
    TBitmap bmp(400, 300);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    c.Brush = {clAqua, bsSolid};
    c.SetTextAlign(a.Flags);
    const int w = c.TextWidth("Hxg");
    c.TextOut(200, 150, "Hxg");
    const QRect cell = ColourBox(bmp.Image(), clAqua) | InkBox(bmp.Image());
    const int left = a.Horizontal < 0 ? 200 : a.Horizontal == 0 ? 200 - w / 2 : 200 - w;
    const double top = a.Vertical < 0 ? 150 : a.Vertical == 0 ? 150 - Ascent50 : 100;
    EXPECT_NEAR(cell.left(), left, 1);
    EXPECT_NEAR(cell.width(), w, 1);
    EXPECT_NEAR(cell.top(), top, 1);
    EXPECT_NEAR(cell.height(), 50, 1);
}

INSTANTIATE_TEST_SUITE_P(
    AllNine, KxTextAlign,
    ::testing::Values(TAlignCase{TA_LEFT | TA_BASELINE, -1, 0}, TAlignCase{TA_CENTER | TA_BASELINE, 0, 0},
                      TAlignCase{TA_RIGHT | TA_BASELINE, 1, 0}, TAlignCase{TA_LEFT | TA_BOTTOM, -1, 1},
                      TAlignCase{TA_CENTER | TA_BOTTOM, 0, 1}, TAlignCase{TA_RIGHT | TA_BOTTOM, 1, 1},
                      TAlignCase{TA_LEFT | TA_TOP, -1, -1}, TAlignCase{TA_CENTER | TA_TOP, 0, -1},
                      TAlignCase{TA_RIGHT | TA_TOP, 1, -1}),
    [](const auto& info) { return "Flags" + std::to_string(info.param.Flags); });

class KxTextEscapement : public ::testing::TestWithParam<int> {};

TEST_P(KxTextEscapement, TurnsTheCellCounterClockwiseAboutTheReferencePoint) {
    const int angle = GetParam();
    TBitmap bmp(400, 400);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    TLogFont log = c.Font.GetLogFont();
    log.lfEscapement = angle * 10;
    c.Font.SetLogFont(log);
    c.Brush = {clAqua, bsSolid};
    const int w = c.TextWidth("HHHH");
    c.TextOut(200, 200, "HHHH");
    const QRect cell = ColourBox(bmp.Image(), clAqua) | InkBox(bmp.Image());
    // The same boxes as the rotated bounds of a text element.
    QRect expected;
    switch (angle) {
    case 0: expected = QRect(200, 200, w, 50); break;
    case 90: expected = QRect(200, 200 - w, 50, w); break;
    case 180: expected = QRect(200 - w, 150, w, 50); break;
    default: expected = QRect(150, 200, 50, w); break;
    }
    EXPECT_NEAR(cell.left(), expected.left(), 1);
    EXPECT_NEAR(cell.top(), expected.top(), 1);
    EXPECT_NEAR(cell.width(), expected.width(), 1);
    EXPECT_NEAR(cell.height(), expected.height(), 1);
    // The first letter sits at the reference point's end: for 90 degrees, at the bottom.
    const QRect firstHalf = angle == 90 ? QRect(200, 200 - w / 2, 50, w / 2) : expected;
    EXPECT_TRUE(firstHalf.intersects(InkBox(bmp.Image())));
}

INSTANTIATE_TEST_SUITE_P(QuarterTurns, KxTextEscapement, ::testing::Values(0, 90, 180, 270));

TEST(KxTextSpacing, CharacterExtraCountsAfterEveryCharacter) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    const int plain = c.TextWidth("abc");
    EXPECT_EQ(c.SetTextCharacterExtra(10), 0);
    EXPECT_EQ(c.TextWidth("abc"), plain + 30);
    EXPECT_EQ(c.TextExtent("").cx, 0);
}

TEST(KxTextSpacing, JustificationSpreadsOverTheSpacesUntilReset) {
    TBitmap bmp(600, 100);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    const int plain = c.TextWidth("a b c");
    c.SetTextJustification(11, 2);
    EXPECT_EQ(c.TextWidth("a b c"), plain + 11);
    const TTextLayout layout = LayoutText(c.Font.GetLogFont(), "a b c", 0, 11, 2, 0);
    const TTextLayout base = LayoutText(c.Font.GetLogFont(), "a b c", 0, 0, 0, 0);
    // 11 over 2 breaks: 6 after the first space, 5 after the second.
    EXPECT_NEAR(layout.X[2] - base.X[2], 6, 1e-9);
    EXPECT_NEAR(layout.X[4] - base.X[4], 11, 1e-9);
    c.SetTextJustification(0, 0);
    EXPECT_EQ(c.TextWidth("a b c"), plain);

    // The written line really is that wide.
    c.SetTextJustification(200, 2);
    c.TextOut(10, 10, "a b c");
    const QRect ink = InkBox(bmp.Image());
    EXPECT_GT(ink.right() - ink.left(), plain + 200 - 40);
}

// Word wrapping adds each word to the measured line; the result must be exactly the width of the joined
// text, whatever the font, size, spacing and split.
TEST(KxTextMeasure, PiecesAddUpToTheWidthOfTheJoinedText) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    const QStringList words{"Lorem", " ipsum", " d\u00f6lor", "  sit", " \u20ac12,50", " amet.", "W", "iiii"};
    for (const char* name : {"Arial", "DejaVu Serif"}) {
        for (const int32_t height : {7, 50, -333}) {
            for (const int32_t extra : {0, 3, -1}) {
                c.Font.SetName(name);
                c.Font.SetHeight(height);
                c.SetTextCharacterExtra(extra);
                TTextMeasure m = c.TextMeasure();
                QString joined;
                for (const QString& w : words) {
                    m.Append(w);
                    joined += w;
                    SCOPED_TRACE(testing::Message() << name << " " << height << " " << extra << " '"
                                                    << joined.toStdString() << "'");
                    EXPECT_EQ(m.Rounded(), c.TextWidth(joined));
                    EXPECT_EQ(m.Width(), LayoutText(c.Font.GetLogFont(), joined, extra, 0, 0, TA_LEFT).Width);
                }
                m.Clear();
                EXPECT_EQ(m.Rounded(), 0);
            }
        }
    }
}

TEST(KxTextBackground, SolidBrushFillsTheCellClearBrushDoesNot) {
    TBitmap bmp(300, 100);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    c.Brush = {clYellow, bsClear};
    c.TextOut(10, 10, "Ti");
    EXPECT_TRUE(ColourBox(bmp.Image(), clYellow).isEmpty());
    c.Brush.Style = bsSolid;
    c.Font.SetStyle(fsUnderline);
    c.TextOut(150, 10, "Ti");
    EXPECT_EQ(ColourBox(bmp.Image(), clYellow).top(), 10);
    // The underline runs under the whole cell, below the baseline.
    const int underlineRow = 10 + static_cast<int>(std::lround(Ascent50)) + 2;
    EXPECT_LT(qGray(bmp.Image().pixel(150 + c.TextWidth("Ti") - 2, underlineRow)), 100);
}

TEST(KxDrawText, WrapsAtSpacesKeepsEmptyLinesAndNeverSplitsAWord) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    const int one = c.TextWidth("one two");
    TRect r{0, 0, one + 5, 1000};
    EXPECT_EQ(c.DrawText("one two three", r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT), 100);
    r = {0, 0, one + 5, 1000};
    EXPECT_EQ(c.DrawText("one two\r\n\r\nthree", r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT), 150);
    r = {0, 0, 10, 1000};
    EXPECT_EQ(c.DrawText("unbreakable word", r, DT_WORDBREAK | DT_CALCRECT), 100);
    EXPECT_EQ(r.Right, c.TextWidth("unbreakable"));
    r = {0, 0, 10, 1000};
    EXPECT_EQ(c.DrawText("a\nb\rc", r, DT_CALCRECT), 150);
    r = {0, 0, 10, 1000};
    EXPECT_EQ(c.DrawText("a b c", r, DT_SINGLELINE | DT_CALCRECT), 50);
}

TEST(KxDrawText, AlignsEachLineAndClipsToTheRectangle) {
    for (const uint32_t align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
        TBitmap bmp(400, 200);
        TCanvas& c = bmp.Canvas();
        ArialCell50(c);
        c.Brush = {clAqua, bsSolid};
        TRect r{50, 20, 350, 95}; // room for one and a half lines
        c.DrawText("wide line\r\nx", r, DT_WORDBREAK | DT_NOPREFIX | align);
        const QRect cells = ColourBox(bmp.Image(), clAqua) | InkBox(bmp.Image());
        EXPECT_GE(cells.left(), 50);
        EXPECT_LE(cells.right(), 349);
        EXPECT_EQ(cells.top(), 20);
        EXPECT_EQ(cells.bottom(), 94); // the second line is cut at the bottom edge
        const QRect second = ColourBox(bmp.Image().copy(0, 70, 400, 25), clAqua);
        const int w = c.TextWidth("x");
        const int expected = align == DT_LEFT ? 50 : align == DT_RIGHT ? 350 - w : 50 + (300 - w) / 2;
        EXPECT_NEAR(second.left(), expected, 1);
    }
}

TEST(KxDrawText, PrefixesAreDroppedUnlessNoPrefix) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    ArialCell50(c);
    TRect r{0, 0, 1000, 100};
    c.DrawText("&Save && go", r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Right, c.TextWidth("Save & go"));
    r = {0, 0, 1000, 100};
    c.DrawText("&Save", r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Right, c.TextWidth("&Save"));
}

TEST(KxTextGlyphs, OutlinesCoverWhatTheGlyphsDo) {
    TBitmap drawn(200, 100);
    TCanvas& c = drawn.Canvas();
    ArialCell50(c);
    c.TextOut(10, 10, "H");
    const TFontFace& face = TFontFace::For(c.Font.GetLogFont());
    const QList<quint32> glyphs{face.Glyphs("H").front()};
    const QList<QPointF> at{QPointF(10, 10 + Ascent50)};
    QImage filled(200, 100, QImage::Format_RGB32);
    filled.fill(Qt::white);
    QPainter painter(&filled);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(face.Outlines(glyphs, at, face.EmFor(50)), Qt::black);
    painter.end();
    const QRect ink = InkBox(drawn.Image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(NearBox(InkBox(filled), ink, 1))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
}

// Glyphs a pixel tall or less, stretched a thousandfold along x, crashed Qt's glyph cache: they are
// filled as outlines, inside the rows of their cell.
TEST(KxTextGlyphs, TextAPixelTallStretchedAThousandfoldDrawsAsOutlines) {
    for (const auto& [viewportX, em] : {std::pair{9210, 115}, {1494, 10915}}) {
        TBitmap bmp(300, 60);
        TCanvas& c = bmp.Canvas();
        c.SetMapMode(MM_ANISOTROPIC);
        c.SetWindowExtEx(10000, 10000);
        c.SetViewportExtEx(viewportX, 1);
        c.Font.SetName("Arial");
        c.Font.SetHeight(-em);
        c.TextOut(0, 0, "Kx");
        EXPECT_LE(InkBox(bmp.Image()).bottom(), 1) << em;
    }
}
