#include <gtest/gtest.h>
#include <QDataStream>

#include "base/Rounding.h"
#include "common/PixelProbe.h"
#include "common/TestOwner.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxRecordIO.h"
#include "gdi/Bitmap.h"
#include "TextKinds.h"

namespace {

// The extent of a string in 5 mm Arial, measured on a canvas set up by hand.
TSize ArialExtent(const QString& text) {
    TCanvas probe;
    probe.Font.SetName("Arial");
    probe.Font.SetHeight(50);
    return probe.TextExtent(text);
}

} // namespace

TEST(KxAdjustCanvas, SetsFontStylesEscapementBrushAndSpacing) {
    TTestOwner owner{2, 10, 20};
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
    TTestOwner owner{2, 10, 20};
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

// Where the quarter turns put a w x h box anchored at pixel (x, y).
TRect Turned(int angle, int32_t x, int32_t y, int32_t w, int32_t h) {
    switch (angle) {
    case 90: return {x, y - w, x + h, y};
    case 180: return {x - w, y - h, x, y};
    case 270: return {x - h, y, x, y + w};
    default: return {x, y, x + w, y + h};
    }
}

class KxTextBounds : public ::testing::TestWithParam<int> {};

// Bounds take P1 as the unturned top-left corner whatever Align says, and ignore Origin.
TEST_P(KxTextBounds, FollowTheAngleFromTheAnchor) {
    TTestOwner owner{2, 10, 20};
    TKxAddText t(&owner);
    t.P1 = {100, 60};
    t.Align = taRiBa;
    t.Angle = GetParam();
    KxTestDraw(t, {500, 500}, tdLab, false);
    const TSize extent = ArialExtent("PretextPost");
    // Two label units a pixel, halves to even as on the control.
    const auto pixels = [](int32_t lu) { return static_cast<int32_t>(Round(Extended(lu) / 2)); };
    EXPECT_EQ(t.Bounds, Turned(GetParam(), 60, 50, pixels(extent.cx), pixels(extent.cy)));
    EXPECT_EQ(owner.Texts(tdLab).at(0).State.Font.lfEscapement, GetParam() * 10);
}

INSTANTIATE_TEST_SUITE_P(Angles, KxTextBounds, ::testing::Values(0, 90, 180, 270),
                         [](const auto& info) { return "Angle" + std::to_string(info.param); });

// Any angle turns the glyphs, so the bounds follow them too: the mouse finds a slanted text where it
// is drawn, never in a rectangle left from an earlier drawing.
TEST(KxTextBounds, TurnedTextLiesInItsBounds) {
    for (int angle : {90, 180, 270, 45, -30, 1000}) {
        TTestOwner owner;
        owner.DrawOnBitmaps();
        TKxText t(&owner);
        t.P1 = {200, 150};
        t.Text = "Wy";
        t.Angle = angle;
        t.Bounds = {1, 2, 3, 4};
        KxTestDraw(t, {}, tdLab, false);
        const QRect ink = InkBox(owner.Image(tdLab));
        ASSERT_FALSE(ink.isEmpty()) << angle;
        EXPECT_TRUE(t.Bounds.ToQRect().contains(ink)) << angle;
        // Not much larger than the ink either: the cell's corners are the only slack.
        EXPECT_LT(t.Bounds.Width() * t.Bounds.Height(), 3 * ink.width() * ink.height()) << angle;
    }
}

// Spacing is in logical units, so 1 mm after every character on paper, preview and the surface.
TEST(KxTextSpacing, CharSpaceWidensEveryCharacterOnEveryTarget) {
    TTestOwner owner{2, 10, 20};
    TKxAddText t(&owner);
    t.CharSpace = 10;
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        KxTestDraw(t, {}, target, false);
        EXPECT_NEAR(owner.Texts(target).at(0).Width, ArialExtent("PretextPost").cx + 11 * 10, 1)
            << KxEnumName(target).toStdString();
    }
    EXPECT_NEAR(t.Bounds.Width(), (ArialExtent("PretextPost").cx + 110) / 2, 1);
}

// The text cell hangs from the anchor; only an opaque text fills it with the back colour.
TEST(KxTextPixels, OpaqueTextFillsItsCellAtTheAnchor) {
    for (bool transparent : {false, true}) {
        TBitmap bitmap(400, 300);
        bitmap.Canvas().Brush = {clAqua, bsSolid};
        bitmap.Canvas().FillRect({0, 0, 400, 300});
        TTestOwner owner{2, 10, 20};
        owner.Canvases[tdLab] = &bitmap.Canvas();
        TKxText t(&owner);
        t.P1 = {100, 100};
        t.Transparent = transparent;
        t.BackColor = clYellow;
        KxTestDraw(t, {}, tdLab, false);
        const QRect cell(QPoint(100, 100), QSize(ArialExtent("text").cx, 50));
        EXPECT_EQ(ColourBox(bitmap.Image(), clYellow), transparent ? QRect() : cell);
        EXPECT_TRUE(cell.contains(InkBox(bitmap.Image())));
    }
}

TEST(KxTextRecords, CompoundTextAppendsBeforeAndAfterToTheTextBlock) {
    TTestOwner owner{2, 10, 20};
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
    TTestOwner owner{2, 10, 20};
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
        EXPECT_EQ(LoadRecord(*back, first), QDataStream::Ok);
        EXPECT_EQ(RecordOf(*back), first) << KxEnumName(kind).toStdString();
    }
}
