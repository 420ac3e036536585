#include <gtest/gtest.h>
#include <QBuffer>
#include <QDataStream>

#include "elements/KxRecordIO.h"
#include "platform/Bitmap.h"
#include "platform/PixelProbe.h"
#include "RecordingOwner.h"
#include "TextKinds.h"

namespace {

// The extent of a string in 5 mm Arial, measured on a canvas set up by hand.
TSize ArialExtent(const QString& text) {
    TCanvas probe;
    probe.Font.SetName("Arial");
    probe.Font.SetHeight(50);
    return probe.TextExtent(text);
}

// A 400 x 300 pixel bitmap, one label unit per pixel, painted aqua so a fill shows.
struct TAquaBitmap {
    TBitmap Bitmap{400, 300};
    TAquaBitmap() {
        Bitmap.Canvas().Brush = {clAqua, bsSolid};
        Bitmap.Canvas().FillRect({0, 0, 400, 300});
    }
};

void LoadRecord(TKxElement& e, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream s(&buffer);
    s.setByteOrder(QDataStream::LittleEndian);
    ReadByte(s);
    e.LoadFromStream(s, KxFileVersion);
    EXPECT_EQ(s.status(), QDataStream::Ok);
    EXPECT_TRUE(buffer.atEnd());
}

} // namespace

TEST(KxAdjustCanvas, SetsFontStylesEscapementBrushAndSpacing) {
    TRecordingOwner owner;
    TKxText t(&owner);
    t.FontName = "Liberation Serif";
    t.Height = 80;
    t.Color = clBlue;
    t.Italic = t.Underline = true;
    t.Angle = 90;
    t.Transparent = false;
    t.BackColor = clYellow;
    t.CharSpace = 7;
    TCanvas canvas;
    canvas.Font.SetCharset(SYMBOL_CHARSET);
    canvas.Font.SetStyle(fsBold | fsStrikeOut);
    t.AdjustCanvas(canvas);
    const TLogFont log = canvas.Font.GetLogFont();
    EXPECT_EQ(log.lfFaceName, "Liberation Serif");
    EXPECT_EQ(log.lfHeight, 80);
    EXPECT_EQ(log.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(canvas.Font.Color(), clBlue);
    // Bold removed, italic and underline added, strike-out left as the canvas had it.
    EXPECT_EQ(canvas.Font.Style(), fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(log.lfEscapement, 900);
    EXPECT_EQ(canvas.Brush, (TBrush{clYellow, bsSolid}));
    EXPECT_EQ(canvas.GetTextCharacterExtra(), 7);
}

class KxTextAnchor : public ::testing::TestWithParam<std::pair<TTextAlign, uint32_t>> {};

TEST_P(KxTextAnchor, AlignSetsItsTextAlignFlags) {
    TRecordingOwner owner;
    TKxText t(&owner);
    t.Align = GetParam().first;
    TCanvas canvas;
    t.AdjustCanvas(canvas);
    EXPECT_EQ(canvas.GetTextAlign(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(AllAnchors, KxTextAnchor,
                         ::testing::Values(std::pair{taLeBa, 24u}, std::pair{taCeBa, 30u},
                                           std::pair{taRiBa, 26u}, std::pair{taLeBo, 8u},
                                           std::pair{taCeBo, 14u}, std::pair{taRiBo, 10u},
                                           std::pair{taLeTo, 0u}, std::pair{taCeTo, 6u},
                                           std::pair{taRiTo, 2u}),
                         [](const auto& info) { return KxEnumName(info.param.first).toStdString(); });

struct TBoundsCase {
    int Angle;
    // Expected Bounds from the anchor's pixel (x, y) and the pixel extent (w, h).
    TRect (*Expected)(int32_t x, int32_t y, int32_t w, int32_t h);
};

class KxTextBounds : public ::testing::TestWithParam<TBoundsCase> {};

// Bounds take P1 as the unturned top-left corner whatever Align says, and ignore Origin.
TEST_P(KxTextBounds, FollowTheAngleFromTheAnchor) {
    TRecordingOwner owner;
    TKxAddText t(&owner);
    t.P1 = {100, 60};
    t.Align = taRiBa;
    t.Angle = GetParam().Angle;
    t.Bounds = {1, 2, 3, 4};
    t.Draw({500, 500}, tdLab, false);
    const TSize extent = ArialExtent("PretextPost");
    EXPECT_EQ(t.Bounds, GetParam().Expected(60, 50, extent.cx / 2, extent.cy / 2));
    EXPECT_EQ(owner.Texts(tdLab).at(0).State.Font.lfEscapement, GetParam().Angle * 10);
}

INSTANTIATE_TEST_SUITE_P(Angles, KxTextBounds,
                         ::testing::Values(TBoundsCase{0,
                                                       [](int32_t x, int32_t y, int32_t w, int32_t h) {
                                                           return TRect{x, y, x + w, y + h};
                                                       }},
                                           TBoundsCase{90,
                                                       [](int32_t x, int32_t y, int32_t w, int32_t h) {
                                                           return TRect{x, y - w, x + h, y};
                                                       }},
                                           TBoundsCase{180,
                                                       [](int32_t x, int32_t y, int32_t w, int32_t h) {
                                                           return TRect{x - w, y - h, x, y};
                                                       }},
                                           TBoundsCase{270,
                                                       [](int32_t x, int32_t y, int32_t w, int32_t h) {
                                                           return TRect{x - h, y, x, y + w};
                                                       }},
                                           // Other angles still turn the font but leave Bounds as they were.
                                           TBoundsCase{45,
                                                       [](int32_t, int32_t, int32_t, int32_t) {
                                                           return TRect{1, 2, 3, 4};
                                                       }}),
                         [](const auto& info) { return "Angle" + std::to_string(info.param.Angle); });

TEST(KxTextPixels, DefaultTextHangsFromItsAnchorOnAClearBackground) {
    TAquaBitmap b;
    TRecordingOwner owner;
    owner.Canvases[tdLab] = &b.Bitmap.Canvas();
    TKxText t(&owner);
    t.P1 = {100, 100};
    t.Draw({}, tdLab, false);
    const QRect ink = InkBox(b.Bitmap.Image());
    const TSize extent = ArialExtent("text");
    EXPECT_NEAR(ink.left(), 100, 3);
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.right(), 100 + extent.cx);
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_EQ(CountColour(b.Bitmap.Image(), clWhite), 0);
}

TEST(KxTextPixels, OpaqueTextFillsItsCellWithTheBackColour) {
    TAquaBitmap b;
    TRecordingOwner owner;
    owner.Canvases[tdLab] = &b.Bitmap.Canvas();
    TKxText t(&owner);
    t.P1 = {100, 100};
    t.Transparent = false;
    t.BackColor = clYellow;
    t.Draw({}, tdLab, false);
    const QRect cell = ColourBox(b.Bitmap.Image(), clYellow);
    EXPECT_EQ(cell, QRect(QPoint(100, 100), QSize(ArialExtent("text").cx, 50)));
}

TEST(KxTextPixels, QuarterTurnWritesUpwardsFromTheAnchor) {
    TAquaBitmap b;
    TRecordingOwner owner;
    owner.Canvases[tdLab] = &b.Bitmap.Canvas();
    TKxText t(&owner);
    t.P1 = {100, 200};
    t.Angle = 90;
    t.Draw({}, tdLab, false);
    const QRect ink = InkBox(b.Bitmap.Image());
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 150);
    EXPECT_LE(ink.bottom(), 200);
    EXPECT_GE(ink.top(), 200 - ArialExtent("text").cx);
    EXPECT_GT(ink.height(), ink.width());
}

// Spacing is in logical units, so it widens every character by the same amount on every target.
TEST(KxTextSpacing, CharSpaceWidensEveryCharacterOnEveryTarget) {
    TRecordingOwner owner;
    TKxText t(&owner);
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        t.CharSpace = 0;
        t.Draw({}, target, false);
        t.CharSpace = 10;
        t.Draw({}, target, false);
        const auto texts = owner.Texts(target);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_DOUBLE_EQ(texts[1].Width - texts[0].Width, 40);
        EXPECT_EQ(texts[1].State.CharExtra, 10);
    }
}

TEST(KxTextRecords, CompoundTextAppendsBeforeAndAfterToTheTextBlock) {
    TRecordingOwner owner;
    TKxText plain(&owner);
    TKxAddText compound(&owner);
    const QByteArray p = RecordOf(plain);
    const QByteArray c = RecordOf(compound);
    // Tag, 48-byte base block, "Arial", field, height and switch, "text", align and three styles.
    EXPECT_EQ(p.size(), 79);
    EXPECT_EQ(p.at(0), deText);
    EXPECT_EQ(c.at(0), dePoliText);
    EXPECT_EQ(c.mid(1, 78), p.mid(1));
    EXPECT_EQ(c.mid(79), QByteArray("\x03\0\0\0Pre\x04\0\0\0Post", 15));
}

TEST(KxTextRecords, EveryKindReadsBackWhatItWrote) {
    TRecordingOwner owner;
    for (TKxEle kind : {deText, dePoliText, deParagraph}) {
        auto e = MakeTextKind(kind, &owner);
        e->Text = "Caf\u00e9\r\nline two";
        e->Align = taCeBo;
        e->Bold = e->Underline = true;
        e->Angle = 270;
        e->Field = "name";
        if (auto* a = dynamic_cast<TKxAddText*>(e.get())) a->After = "kg";
        if (auto* p = dynamic_cast<TKxParagraph*>(e.get())) p->Format = taJustify;
        const QByteArray first = RecordOf(*e);
        auto back = MakeTextKind(kind, &owner);
        LoadRecord(*back, first);
        EXPECT_EQ(RecordOf(*back), first) << KxEnumName(kind).toStdString();
    }
}

TEST(KxTextRecords, ParagraphFormatOutsideTheTypeKeepsTheDefault) {
    TRecordingOwner owner;
    TKxParagraph p(&owner);
    p.Format = tfCenter;
    QByteArray bytes = RecordOf(p);
    EXPECT_EQ(bytes.back(), tfCenter);
    bytes.back() = 9;
    TKxParagraph back(&owner);
    LoadRecord(back, bytes);
    EXPECT_EQ(back.Format, tfLeft);
}
