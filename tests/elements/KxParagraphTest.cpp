#include <gtest/gtest.h>

#include "common/TestOwner.h"
#include "elements/KxParagraph.h"

namespace {

int32_t ArialWidth(const QString& text) {
    TCanvas probe;
    probe.Font.SetName("Arial");
    probe.Font.SetHeight(50);
    return probe.TextWidth(text);
}

// A paragraph at (100, 100) whose inset box (PenWidth 1 + 5 inside) is width by height units.
void SetInsetBox(TKxParagraph& p, int32_t width, int32_t height) {
    p.P1 = {100, 100};
    p.P2 = {100 + width + 12, 100 + height + 12};
}

} // namespace

TEST(KxParagraphBox, FillThenInsideFrameThenTextInsetByPenWidthPlusFive) {
    for (bool framed : {true, false}) {
        TTestOwner owner{2, 10, 20};
        TKxParagraph p(&owner);
        p.P1 = {100, 100};
        p.P2 = {500, 300};
        p.PenWidth = 3;
        p.Border = framed;
        p.Transparent = false;
        p.BackColor = clYellow;
        p.LineColor = clGreen;
        KxTestDraw(p, {10, 20}, tdPrint, false);
        const auto ops = owner.Ops(tdPrint);
        ASSERT_EQ(ops.size(), framed ? 3u : 2u);
        EXPECT_EQ(ops[0].Kind, TMetaOp::FillRect);
        EXPECT_EQ(ops[0].Rect, (TRect{110, 120, 510, 320}));
        EXPECT_EQ(ops[0].State.Brush, (TBrush{clYellow, bsSolid}));
        if (framed) {
            EXPECT_EQ(ops[1].Kind, TMetaOp::Rectangle);
            EXPECT_EQ(ops[1].Rect, ops[0].Rect);
            EXPECT_EQ(ops[1].State.Pen.Color, clGreen);
            EXPECT_EQ(ops[1].State.Pen.Width, 3);
            EXPECT_EQ(ops[1].State.Pen.Style, psInsideFrame);
        }
        EXPECT_EQ(ops.back().Kind, TMetaOp::Text);
        EXPECT_EQ(ops.back().At, (TPoint{118, 128}));
        EXPECT_EQ(ops.back().Rect, (TRect{118, 128, 502, 312}));
    }
}

TEST(KxParagraphBox, TransparentBoxDrawsNoBackground) {
    TTestOwner owner{2, 10, 20};
    TKxParagraph p(&owner);
    p.P2 = {400, 200};
    p.BackColor = clYellow;
    KxTestDraw(p, {}, tdPrint, false);
    const auto ops = owner.Ops(tdPrint);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Kind, TMetaOp::Text);
    EXPECT_EQ(ops[0].State.Brush.Style, bsClear);
}

TEST(KxParagraphBox, DesignSurfaceBoundsAreTheBoxInClientPixels) {
    TTestOwner owner{2, 10, 20};
    TKxParagraph p(&owner);
    p.P1 = {100, 60};
    p.P2 = {300, 160};
    KxTestDraw(p, {50, 50}, tdLab, false);
    EXPECT_EQ(p.Bounds, (TRect{60, 50, 160, 100}));
}

TEST(KxParagraphFormats, RightAndCentreAlignEachWrappedLineInTheInsetBox) {
    const int32_t width = ArialWidth("alpha beta") + 10;
    for (TTextFormat format : {tfLeft, tfRight, tfCenter}) {
        TTestOwner owner{2, 10, 20};
        TKxParagraph p(&owner);
        SetInsetBox(p, width, 400);
        p.Format = format;
        p.Text = "alpha beta gamma";
        KxTestDraw(p, {}, tdPrint, false);
        const auto texts = owner.Texts(tdPrint);
        ASSERT_EQ(texts.size(), 2u);
        for (const TRecordedOp& line : texts) {
            const int32_t w = ArialWidth(line.Text);
            const int32_t expected = format == tfLeft    ? 106
                                     : format == tfRight ? 106 + width - w
                                                         : 106 + (width - w) / 2;
            EXPECT_EQ(line.At.X, expected) << line.Text.toStdString();
            EXPECT_TRUE(line.Clipped);
        }
        EXPECT_EQ(texts[0].Text, "alpha beta");
        EXPECT_EQ(texts[1].At.Y - texts[0].At.Y, 50);
    }
}

TEST(KxParagraphFormats, FlushLeftKeepsAnEmptyLineThatJustifiedTextDrops) {
    for (TTextFormat format : {tfLeft, taJustify}) {
        TTestOwner owner{2, 10, 20};
        TKxParagraph p(&owner);
        SetInsetBox(p, 1000, 400);
        p.Format = format;
        p.Text = "aaa bbb\r\n\r\nccc ddd";
        KxTestDraw(p, {}, tdPrint, false);
        const auto texts = owner.Texts(tdPrint);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts.back().Text, "ccc ddd");
        EXPECT_EQ(texts.back().At.Y - texts[0].At.Y, format == tfLeft ? 100 : 50);
    }
}

namespace {

struct TWalkLine {
    QString Text;
    int Row;
    bool Justified;
};

struct TWalkCase {
    const char* Name;
    QString Text;
    // The longest run that must fit on a line; the inset box is 5 units wider than it.
    QString Fits;
    int Rows; // lines the box is tall, less a little, so the last row starts inside it
    std::vector<TWalkLine> Lines;
};

void PrintTo(const TWalkCase& c, std::ostream* os) {
    *os << c.Name;
}

class KxJustifyWalk : public ::testing::TestWithParam<TWalkCase> {};

} // namespace

TEST_P(KxJustifyWalk, WritesTheExpectedLines) {
    const TWalkCase& c = GetParam();
    const int32_t width = ArialWidth(c.Fits) + 5;
    TTestOwner owner{2, 10, 20};
    TKxParagraph p(&owner);
    SetInsetBox(p, width, c.Rows * 50 - 10);
    p.Format = taJustify;
    p.Text = c.Text;
    KxTestDraw(p, {}, tdPreview, false);
    const auto texts = owner.Texts(tdPreview);
    ASSERT_EQ(texts.size(), c.Lines.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const TWalkLine& want = c.Lines[i];
        const TRecordedOp& got = texts[i];
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.At, (TPoint{106, 106 + want.Row * 50})) << want.Text.toStdString();
        EXPECT_FALSE(got.Clipped);
        const int32_t gaps = static_cast<int32_t>(want.Text.count(u' '));
        EXPECT_EQ(got.State.JustifyBreaks, want.Justified ? gaps : 0);
        EXPECT_EQ(got.State.JustifyExtra, want.Justified ? width - ArialWidth(want.Text) : 0);
        // A justified line is stretched exactly to the inset width.
        if (want.Justified) {
            EXPECT_NEAR(got.Width, width, 0.5);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxJustifyWalk,
    ::testing::Values(
        TWalkCase{"ThirdWordWrapsFlushLeft",
                  "aaa bbb ccc",
                  "aaa bbb",
                  9,
                  {{"aaa bbb", 0, true}, {"ccc", 1, false}}},
        TWalkCase{"LastWordAloneOnTheNextLine",
                  "aaa bbb ccc ddd",
                  "aaa bbb ccc",
                  9,
                  {{"aaa bbb ccc", 0, true}, {"ddd", 1, false}}},
        TWalkCase{"BreakEndsAParagraphFlushLeft",
                  "aaa\r\nbbb ccc ddd",
                  "aaa bbb ccc",
                  9,
                  {{"aaa", 0, false}, {"bbb ccc ddd", 1, false}}},
        TWalkCase{"SpaceBeforeABreakHidesIt", "aaa \r\nbbb", "aaa bbb ccc", 9, {{"aaa bbb", 0, false}}},
        TWalkCase{"RunOfSeparatorsIsOne",
                  "aaa\r\n \r\n  bbb",
                  "aaa bbb ccc",
                  9,
                  {{"aaa", 0, false}, {"bbb", 1, false}}},
        TWalkCase{"WordWiderThanTheBoxStartsOneLineLower", "aaaaaaaa", "aaa", 9, {{"aaaaaaaa", 1, false}}},
        TWalkCase{"LinesStartingBelowTheBoxAreSkipped",
                  "aaa bbb ccc ddd aaa",
                  "aaa bbb",
                  2,
                  {{"aaa bbb", 0, true}, {"ccc ddd", 1, true}}},
        TWalkCase{"NothingButSeparatorsWritesNothing", " \r\n ", "aaa", 9, {}}),
    [](const auto& info) { return std::string(info.param.Name); });
