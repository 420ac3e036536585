#include <gtest/gtest.h>
#include <QFontDatabase>

#include "common/PixelProbe.h"
#include "common/TestOwner.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxSymbol.h"

namespace {

// A cmap table header with the given (platform, encoding) records, offsets left at 0.
QByteArray CmapWith(std::initializer_list<std::pair<int, int>> encodings, int declared = -1) {
    QByteArray t;
    const auto put16 = [&t](int v) {
        t.append(char(v >> 8));
        t.append(char(v & 0xFF));
    };
    put16(0);
    put16(declared >= 0 ? declared : int(encodings.size()));
    for (const auto& [platform, encoding] : encodings) {
        put16(platform);
        put16(encoding);
        t.append(QByteArray(4, '\0'));
    }
    return t;
}

TLogFont Face(const char* name) {
    TLogFont log;
    log.lfFaceName = QString::fromLatin1(name);
    return log;
}

// A symbol at (100, 60) in Arial, 50 units high, drawn as 'A'.
struct TSymbolFixture : ::testing::Test {
    TTestOwner Owner;
    TKxSymbol Symbol{&Owner};

    void SetUp() override {
        Owner.DrawOnBitmaps();
        Symbol.P1 = {100, 60};
        Symbol.Symbol = 'A';
    }
    TRect LabBounds(int angle) {
        Symbol.Angle = angle;
        KxTestDraw(Symbol, {}, tdLab, false);
        return Symbol.Bounds;
    }
};

using KxSymbolDraw = TSymbolFixture;

} // namespace

TEST(KxSymbolChar, TextFontsGoThroughTheCodePage) {
    EXPECT_EQ(TKxSymbol::CharFor(128, Face("Arial")), QChar(0x20AC));
    EXPECT_EQ(TKxSymbol::CharFor(0x41, Face("Arial")), QChar('A'));
    EXPECT_EQ(TKxSymbol::CharFor(0x93, Face("DejaVu Sans")), QChar(0x201C));
}

TEST(KxSymbolChar, SymbolEncodingIsFoundAmongTheRecords) {
    EXPECT_TRUE(TKxSymbol::IsSymbolCharMap(CmapWith({{3, 0}})));
    EXPECT_TRUE(TKxSymbol::IsSymbolCharMap(CmapWith({{0, 3}, {1, 0}, {3, 0}})));
    EXPECT_FALSE(TKxSymbol::IsSymbolCharMap(CmapWith({{0, 3}, {3, 1}, {3, 10}})));
    EXPECT_FALSE(TKxSymbol::IsSymbolCharMap(CmapWith({{1, 0}})));
    // A table that declares more records than it holds is read as far as it goes.
    EXPECT_FALSE(TKxSymbol::IsSymbolCharMap(CmapWith({{3, 1}}, 3000)));
    EXPECT_FALSE(TKxSymbol::IsSymbolCharMap(CmapWith({{3, 1}, {3, 0}}).left(15)));
    EXPECT_FALSE(TKxSymbol::IsSymbolCharMap(QByteArray("\0", 1)));
}

// KxSymbolProbe (tests/data) maps only U+F041, through a symbol character map, to a square.
TEST_F(KxSymbolDraw, SymbolFontsShowTheirSymbols) {
    const int id = QFontDatabase::addApplicationFont(KxTestDataDir() + "/KxSymbolProbe.ttf");
    ASSERT_GE(id, 0);
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    ASSERT_EQ(family, "KxSymbolProbe");
    EXPECT_EQ(TKxSymbol::CharFor(0x41, Face("KxSymbolProbe")), QChar(0xF041));
    EXPECT_EQ(TKxSymbol::CharFor(0x80, Face("KxSymbolProbe")), QChar(0xF080));
    Symbol.FontName = family;
    KxTestDraw(Symbol, {}, tdPrint, false);
    // The square spans 0.1 to 0.9 em across and the 0.8 em ascent up from the baseline; em = cell = 50.
    const QRect ink = InkBox(Owner.Image(tdPrint));
    EXPECT_EQ(ink, QRect(105, 60, 40, 40));
    EXPECT_GT(CountColour(Owner.Image(tdPrint), clBlack), 38 * 38);
    Owner.DrawOnBitmaps();
    Symbol.Symbol = 'B'; // not in the font's map
    KxTestDraw(Symbol, {}, tdPrint, false);
    EXPECT_TRUE(InkBox(Owner.Image(tdPrint)).isEmpty());
    QFontDatabase::removeApplicationFont(id);
}

TEST_F(KxSymbolDraw, EveryTargetWritesTheCharacterAtP1) {
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        KxTestDraw(Symbol, {20, 10}, target, false);
        const QRect ink = InkBox(Owner.Image(target));
        ASSERT_FALSE(ink.isEmpty()) << KxEnumName(target).toStdString();
        // 'A' stands on the baseline, 0.905 of the em below the cell's top, inside a 50-unit cell.
        EXPECT_GE(ink.left(), 120);
        EXPECT_LE(ink.right(), 150);
        EXPECT_GE(ink.top(), 70);
        EXPECT_NEAR(ink.bottom(), 70 + 40, 2);
    }
}

TEST_F(KxSymbolDraw, BoundsFromTheMeasuredCell) {
    EXPECT_EQ(LabBounds(0), Rect(100, 60, 130, 110)); // 'A' is 1366/2048 of a 44.8-unit em wide
    EXPECT_TRUE(KxTestHit(Symbol, {100, 60}));
    EXPECT_EQ(LabBounds(90), Rect(100, 30, 150, 60));
    EXPECT_EQ(LabBounds(180), Rect(70, 10, 100, 60));
    EXPECT_EQ(LabBounds(270), Rect(50, 60, 100, 90));
    Owner.Scale = 2;
    Owner.OriginX = 7;
    EXPECT_EQ(LabBounds(0), Rect(57, 30, 72, 55));
}

TEST_F(KxSymbolDraw, TurnedCharacterLiesInItsBounds) {
    for (int angle : {90, 180, 270}) {
        Owner.DrawOnBitmaps();
        const TRect bounds = LabBounds(angle);
        const QRect ink = InkBox(Owner.Image(tdLab));
        ASSERT_FALSE(ink.isEmpty()) << angle;
        EXPECT_TRUE(bounds.ToQRect().contains(ink)) << angle;
    }
}

TEST_F(KxSymbolDraw, AnglesOutsideTheFourStillTurnAndBound) {
    const TRect upright = LabBounds(0);
    EXPECT_EQ(LabBounds(-90), LabBounds(270));
    EXPECT_EQ(LabBounds(450), LabBounds(90));
    Owner.DrawOnBitmaps();
    const TRect slanted = LabBounds(45);
    const QRect ink = InkBox(Owner.Image(tdLab));
    EXPECT_NE(slanted, upright);
    EXPECT_TRUE(slanted.ToQRect().contains(ink));
    // The turned cell spans (w + h) / sqrt 2 both ways, from above P1 to right of it.
    EXPECT_NEAR(slanted.Width(), (30 + 50) / 1.41421, 2);
    EXPECT_EQ(slanted.Left, 100);
    EXPECT_EQ(slanted.Bottom, 60 + 36); // h cos 45 below P1
    // A rectangle far from the glyph is never kept from an earlier drawing.
    EXPECT_NE(LabBounds(1), upright);
}

TEST_F(KxSymbolDraw, BoldAndOpaqueCell) {
    KxTestDraw(Symbol, {}, tdPrint, false);
    const int regular = CountColour(Owner.Image(tdPrint), clBlack);
    Owner.DrawOnBitmaps();
    Symbol.Bold = true;
    KxTestDraw(Symbol, {}, tdPrint, false);
    EXPECT_GT(CountColour(Owner.Image(tdPrint), clBlack), regular * 5 / 4);
    Symbol.Bold = false;
    Symbol.Transparent = false;
    Symbol.BackColor = clBlue;
    KxTestDraw(Symbol, {}, tdPreview, false);
    EXPECT_EQ(ColourBox(Owner.Image(tdPreview), clBlue), QRect(100, 60, 30, 50));
}

// Whatever a text drawn before left on the canvas, the character keeps its own style (bold or not;
// italic and underline gone, strike-out untouched) and gets no extra spacing in its cell.
TEST_F(KxSymbolDraw, CanvasLeftoversDoNotReachTheCharacter) {
    Symbol.Transparent = false;
    Symbol.BackColor = clBlue;
    TCanvas& canvas = Owner.Bitmap(tdPrint).Canvas();
    for (bool bold : {false, true}) {
        Owner.DrawOnBitmaps();
        canvas.Font.SetStyle(fsItalic | fsUnderline | fsStrikeOut);
        canvas.SetTextCharacterExtra(100);
        Symbol.Bold = bold;
        KxTestDraw(Symbol, {}, tdPrint, false);
        EXPECT_EQ(canvas.Font.Style(), bold ? fsBold | fsStrikeOut : TFontStyles(fsStrikeOut));
        const QRect cell = ColourBox(Owner.Image(tdPrint), clBlue);
        EXPECT_EQ(cell.height(), 50);
        EXPECT_NEAR(cell.width(), 31, 2) << bold;
    }
}

namespace {

// A bound symbol over a real SQLite table of three records: marked, unmarked, marked.
class KxSymbolData : public TSymbolFixture {
protected:
    void SetUp() override {
        TSymbolFixture::SetUp();
        Owner.Table = &FTable;
        Symbol.DataBase = true;
        Symbol.Field = "MARK";
    }

    // Whether the symbol reaches the target for each record.
    std::vector<bool> DrawnPerRecord(TKxDrawType target, bool withData) {
        std::vector<bool> drawn;
        for (FTable.First(); !FTable.Eof(); FTable.Next()) {
            Owner.DrawOnBitmaps();
            KxTestDraw(Symbol, {}, target, withData);
            drawn.push_back(!InkBox(Owner.Image(target)).isEmpty());
        }
        return drawn;
    }

    TSqliteTable FData{"marks",
                       "id INTEGER PRIMARY KEY, mark BOOLEAN, name TEXT",
                       {{1, true, "a"}, {2, false, "b"}, {3, true, "c"}}};
    TTable& FTable = FData.Table;
};

} // namespace

TEST_F(KxSymbolData, PrintsOnlyForTrueRecordsAndNeverWithoutData) {
    const std::vector<bool> marked{true, false, true}, none(3, false), all(3, true);
    EXPECT_EQ(DrawnPerRecord(tdPrint, true), marked);
    EXPECT_EQ(DrawnPerRecord(tdPreview, true), marked);
    EXPECT_EQ(DrawnPerRecord(tdPrint, false), none);
    EXPECT_EQ(DrawnPerRecord(tdPreview, false), none);
    EXPECT_EQ(DrawnPerRecord(tdLab, true), all);
    EXPECT_EQ(DrawnPerRecord(tdLab, false), all);
    Symbol.DataBase = false;
    EXPECT_EQ(DrawnPerRecord(tdPrint, true), all);
}

TEST_F(KxSymbolData, MissingFieldRaisesTheTableError) {
    Symbol.Field = "nosuch";
    EXPECT_THROW(KxTestDraw(Symbol, {}, tdPrint, true), EDBEngineError);
    // Without data the field is never looked up.
    EXPECT_NO_THROW(KxTestDraw(Symbol, {}, tdPrint, false));
}

TEST_F(KxSymbolData, DrawingLeavesTheRecordAsSaved) {
    const QByteArray before = SaveRecord(Symbol);
    DrawnPerRecord(tdPrint, true);
    EXPECT_EQ(SaveRecord(Symbol), before);
}
