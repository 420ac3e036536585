#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "elements/KxBarcodeGeometry.h"
#include "gdi/CanvasTypes.h"

// Expected patterns were built by hand from the number sets of the EAN/UPC standard; markers:
// '3' long bars follow, '4' normal bars follow.

namespace {

const TPoint K{1000, 2000};

TKxBarcodeShape ShapeOf(TKxBar type, const QString& code, int32_t angle = 0) {
    TKxBarcodeShape s;
    s.BarType = type;
    s.Code = code;
    s.Angle = angle;
    return s;
}

// Module numbers (from 1) of the bars of an unturned layout with quiet zone x0 and module width w. A bar
// covers whole modules and never touches the next one.
std::set<int> Modules(const TKxBarcodeLayout& L, int x0, int w, bool longOnly, int longBottom) {
    std::set<int> out;
    for (size_t i = 0; i < L.Bars.size(); ++i) {
        const TRect& r = L.Bars[i];
        EXPECT_EQ(r.Width() % w, 0);
        EXPECT_EQ((r.Left - x0) % w, 0);
        if (i > 0) {
            EXPECT_GT(r.Left, L.Bars[i - 1].Right);
        }
        if (longOnly && r.Bottom != longBottom) continue;
        for (int x = r.Left; x < r.Right; x += w)
            out.insert((x - x0) / w);
    }
    return out;
}

// A pattern written in groups for the reader.
QString Joined(const char* groups) {
    return QString::fromLatin1(groups).remove(QLatin1Char(' '));
}

} // namespace

TEST(KxBarcodeValid, DigitSymbologiesNeedTheirLengthWithOrWithoutTheCheckDigit) {
    EXPECT_TRUE(BarcodeCodeValid(baEAN13, "8410894000109"));
    EXPECT_TRUE(BarcodeCodeValid(baEAN13, "841089400010"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN13, "84108940001"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN13, "84108940001090"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN13, "84108940001O9"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN13, QString::fromUtf8("841089400010\u0663"))); // an Arabic-Indic three
    EXPECT_TRUE(BarcodeCodeValid(baEAN8, "96385074"));
    EXPECT_TRUE(BarcodeCodeValid(baEAN8, "9638507"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN8, "963850"));
    EXPECT_FALSE(BarcodeCodeValid(baEAN8, " 9638507"));
    EXPECT_TRUE(BarcodeCodeValid(baUPCA, "036000291452"));
    EXPECT_FALSE(BarcodeCodeValid(baUPCA, "0036000291452"));
    EXPECT_FALSE(BarcodeCodeValid(baUPCA, ""));
}

TEST(KxBarcodeValid, Code39TakesItsAlphabetCaseSensitively) {
    EXPECT_TRUE(BarcodeCodeValid(baCode39, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%"));
    EXPECT_TRUE(BarcodeCodeValid(baCode39, ""));
    EXPECT_TRUE(BarcodeCodeValid(baCode39, "A*B"));
    EXPECT_FALSE(BarcodeCodeValid(baCode39, "Ab"));
    EXPECT_FALSE(BarcodeCodeValid(baCode39, "A#"));
    EXPECT_FALSE(BarcodeCodeValid(baCode39, QString(QChar(0))));
}

TEST(KxBarcodeValid, AnUnknownSymbologyPassesAndLaysOutNothing) {
    const auto other = static_cast<TKxBar>(200);
    EXPECT_TRUE(BarcodeCodeValid(other, "anything"));
    EXPECT_TRUE(BarcodePattern(other, "123").isEmpty());
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(other, "123"), K);
    EXPECT_TRUE(L.Bars.empty());
    EXPECT_TRUE(L.Texts.empty());
    EXPECT_TRUE(L.Box.IsEmpty());
}

TEST(KxBarcodePattern, Ean13CarriesTheLeadingDigitInTheNumberSets) {
    EXPECT_EQ(BarcodePattern(baEAN13, "8410894000109"),
              Joined("31014 0100011 0110011 0001101 0001001 0010111 0100011 3010104 "
                     "1110010 1110010 1110010 1100110 1110010 1110100 31014"));
    // Leading 0 uses set A throughout, as UPC-A does.
    EXPECT_EQ(BarcodePattern(baEAN13, "0036000291452").mid(5, 42),
              Joined("0001101 0111101 0101111 0001101 0001101 0001101"));
}

TEST(KxBarcodePattern, Ean8AndUpcA) {
    EXPECT_EQ(BarcodePattern(baEAN8, "96385074"),
              Joined("31014 0001011 0101111 0111101 0110111 3010104 1001110 1110010 1000100 1011100 31014"));
    // Guards and the bars of the first and last digit are long.
    EXPECT_EQ(BarcodePattern(baUPCA, "036000291452"),
              Joined("3101 0001101 4 0111101 0101111 0001101 0001101 0001101 3010104 "
                     "1101100 1110100 1100110 1011100 1001110 3 1101100 1014"));
}

TEST(KxBarcodePattern, AMissingCheckDigitIsComputedAndAWrongOneDrawsNothing) {
    for (const auto& [type, full] :
         {std::pair{baEAN13, QStringLiteral("8410894000109")}, std::pair{baEAN8, QStringLiteral("96385074")},
          std::pair{baUPCA, QStringLiteral("036000291452")}}) {
        SCOPED_TRACE(full.toStdString());
        EXPECT_EQ(BarcodePattern(type, full.chopped(1)), BarcodePattern(type, full));
        EXPECT_EQ(BarcodeFullCode(type, full.chopped(1)), full);
        QString wrong = full;
        wrong.back() = QChar(u'0' + (wrong.back().unicode() - u'0' + 1) % 10);
        EXPECT_TRUE(BarcodePattern(type, wrong).isEmpty());
        EXPECT_FALSE(BarcodeLayout(ShapeOf(type, wrong), K).Valid);
    }
}

TEST(KxBarcodePattern, NothingForCode39OrAnInvalidCode) {
    EXPECT_TRUE(BarcodePattern(baCode39, "AB").isEmpty());
    EXPECT_TRUE(BarcodePattern(baEAN13, "123").isEmpty());
}

TEST(KxBarcodeLayout, DefaultEan13Spans34_8By13MillimetresFromTheAnchor) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baEAN13, "8410894000109"), K);
    EXPECT_EQ(L.Box, Rect(1000, 2000, 1348, 2130));
    // 30 bars: 2 per digit and 6 in the guards.
    ASSERT_EQ(L.Bars.size(), 30u);
    EXPECT_EQ(L.Bars.front().Left - K.X, 33); // 3.3 mm
    EXPECT_EQ(Modules(L, 1030, 3, false, 0).size(), 49u);
    // The guards reach 1.5 mm below the other bars.
    EXPECT_EQ(Modules(L, 1030, 3, true, 2115), (std::set<int>{1, 3, 47, 49, 93, 95}));
    for (const TRect& r : L.Bars) {
        EXPECT_EQ(r.Top, 2000);
        EXPECT_TRUE(r.Bottom == 2100 || r.Bottom == 2115);
    }
    EXPECT_EQ(L.TextAlign, TA_LEFT | TA_TOP);
    EXPECT_EQ(L.Escapement, 0);
    EXPECT_EQ(L.Texts, (std::vector<TKxBarcodeText>{
                           {{1005, 2100}, "8"}, {{1045, 2100}, "410894"}, {{1186, 2100}, "000109"}}));
}

TEST(KxBarcodeLayout, UpcALongBarsAndFourTextGroups) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baUPCA, "036000291452"), K);
    EXPECT_EQ(L.Bars.size(), 30u);
    EXPECT_EQ(Modules(L, 1030, 3, false, 0).size(), 52u);
    EXPECT_EQ(Modules(L, 1030, 3, true, 2115),
              (std::set<int>{1, 3, 7, 8, 10, 47, 49, 86, 87, 89, 90, 93, 95}));
    EXPECT_EQ(
        L.Texts,
        (std::vector<TKxBarcodeText>{
            {{1010, 2100}, "0"}, {{1063, 2100}, "36000"}, {{1183, 2100}, "29145"}, {{1324, 2100}, "2"}}));
}

TEST(KxBarcodeLayout, Ean8MarginsAndGroups) {
    TKxBarcodeShape s = ShapeOf(baEAN8, "96385074");
    s.TopMargin = 20;
    s.LeftMargin = 40;
    s.Width = 4;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    EXPECT_EQ(L.Box, Rect(1000, 2000, 1000 + 80 + 68 * 4, 2000 + 100 + 40 + 30));
    EXPECT_EQ(L.Bars.size(), 22u);
    EXPECT_EQ(Modules(L, 1040, 4, false, 0).size(), 38u);
    EXPECT_EQ(Modules(L, 1040, 4, true, 2135), (std::set<int>{1, 3, 33, 35, 65, 67}));
    EXPECT_EQ(L.Texts,
              (std::vector<TKxBarcodeText>{{{1060, 2120}, "9638"}, {{1040 + 38 * 4, 2120}, "5074"}}));
}

TEST(KxBarcodeLayout, WithoutNumberTheBoxLeavesRoomForTheLongBarsOnly) {
    TKxBarcodeShape s = ShapeOf(baEAN13, "8410894000109");
    s.ShowNumber = false;
    s.TopMargin = 10;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    EXPECT_EQ(L.Box.Height(), 100 + 2 * 10 + 15);
    EXPECT_TRUE(L.Texts.empty());
    s.BarType = baCode39;
    s.Code = "A";
    EXPECT_EQ(BarcodeLayout(s, K).Box.Height(), 100 + 10);
}

TEST(KxBarcodeLayout, Code39AbDrawsStartTwoLettersAndStop) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baCode39, "AB"), K);
    EXPECT_EQ(L.Box, Rect(1000, 2000, 1000 + 4 * 16 * 3 + 60, 2130));
    ASSERT_EQ(L.Bars.size(), 20u);
    // '*' is narrow, wide, narrow, narrow, wide, narrow, wide, narrow, narrow: its bars are n, n, W, W, n.
    const std::vector<TRect> start(L.Bars.begin(), L.Bars.begin() + 5);
    EXPECT_EQ(start, (std::vector<TRect>{Rect(1030, 2000, 1033, 2100), Rect(1042, 2000, 1045, 2100),
                                         Rect(1048, 2000, 1057, 2100), Rect(1060, 2000, 1069, 2100),
                                         Rect(1072, 2000, 1075, 2100)}));
    // 'A' (WNNNNWNNW) follows one narrow gap after the start character.
    EXPECT_EQ(L.Bars[5], Rect(1078, 2000, 1087, 2100));
    EXPECT_EQ(L.Bars.back(), Rect(1216, 2000, 1219, 2100));
    EXPECT_EQ(L.TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(L.Texts, (std::vector<TKxBarcodeText>{{{1126, 2100}, "*AB*"}}));
}

TEST(KxBarcodeLayout, Code39EmptyCodeDrawsStartAndStopOnly) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baCode39, ""), K);
    EXPECT_EQ(L.Bars.size(), 10u);
    EXPECT_EQ(L.Box.Width(), 2 * 16 * 3 + 60);
    EXPECT_EQ(L.Texts.front().Text, "**");
}

TEST(KxBarcodeLayout, InvalidCodeLaysOutNothing) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baCode39, "ab"), K);
    EXPECT_TRUE(L.Bars.empty());
    EXPECT_TRUE(L.Texts.empty());
}

TEST(KxBarcodeLayout, HugeLengthsSaturateInsteadOfWrapping) {
    TKxBarcodeShape s = ShapeOf(baCode39, QString(200, QLatin1Char('W')));
    s.Width = 0x7fffffff;
    s.LeftMargin = 0x7fffffff;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    EXPECT_EQ(L.Box.Right, 0x7fffffff);
    EXPECT_FALSE(L.Bars.empty());
    for (const TRect& r : L.Bars)
        EXPECT_LE(r.Left, r.Right);
    s.BarType = baEAN13;
    s.Code = "8410894000109";
    EXPECT_EQ(BarcodeLayout(s, K).Bars.back().Right, 0x7fffffff);
}

// The box, the first and last bars and the first text anchor of each symbology at each angle,
// turned counter-clockwise about the anchor (1000, 2000).
struct TTurnCase {
    const char* Name;
    TKxBar Type;
    const char* Code;
    int32_t Angle;
    TRect Box;
    TRect First;
    TRect Last;
    TPoint Text;
};

class KxBarcodeTurn : public ::testing::TestWithParam<TTurnCase> {};

TEST_P(KxBarcodeTurn, BoxBarsAndTextTurnAboutTheAnchor) {
    const TTurnCase& c = GetParam();
    TKxBarcodeShape s = ShapeOf(c.Type, c.Code, c.Angle);
    if (c.Type == baEAN8) s.TopMargin = 20;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    EXPECT_EQ(L.Box, c.Box);
    ASSERT_FALSE(L.Bars.empty());
    EXPECT_EQ(L.Bars.front(), c.First);
    EXPECT_EQ(L.Bars.back(), c.Last);
    ASSERT_FALSE(L.Texts.empty());
    EXPECT_EQ(L.Texts.front().Ref, c.Text);
    EXPECT_EQ(L.Escapement, c.Angle * 10);
    for (const TRect& r : L.Bars) {
        EXPECT_GE(r.Left, L.Box.Left);
        EXPECT_LE(r.Right, L.Box.Right);
        EXPECT_GE(r.Top, L.Box.Top);
        EXPECT_LE(r.Bottom, L.Box.Bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(AllAngles, KxBarcodeTurn,
                         ::testing::Values(TTurnCase{"Ean13_0",
                                                     baEAN13,
                                                     "8410894000109",
                                                     0,
                                                     {1000, 2000, 1348, 2130},
                                                     {1033, 2000, 1036, 2115},
                                                     {1315, 2000, 1318, 2115},
                                                     {1005, 2100}},
                                           TTurnCase{"Ean13_90",
                                                     baEAN13,
                                                     "8410894000109",
                                                     90,
                                                     {1000, 1652, 1130, 2000},
                                                     {1000, 1964, 1115, 1967},
                                                     {1000, 1682, 1115, 1685},
                                                     {1100, 1995}},
                                           TTurnCase{"Ean13_180",
                                                     baEAN13,
                                                     "8410894000109",
                                                     180,
                                                     {652, 1870, 1000, 2000},
                                                     {964, 1885, 967, 2000},
                                                     {682, 1885, 685, 2000},
                                                     {995, 1900}},
                                           TTurnCase{"Ean13_270",
                                                     baEAN13,
                                                     "8410894000109",
                                                     270,
                                                     {870, 2000, 1000, 2348},
                                                     {885, 2033, 1000, 2036},
                                                     {885, 2315, 1000, 2318},
                                                     {900, 2005}},
                                           TTurnCase{"Ean8_0",
                                                     baEAN8,
                                                     "96385074",
                                                     0,
                                                     {1000, 2000, 1264, 2170},
                                                     {1033, 2020, 1036, 2135},
                                                     {1231, 2020, 1234, 2135},
                                                     {1045, 2120}},
                                           TTurnCase{"Ean8_90",
                                                     baEAN8,
                                                     "96385074",
                                                     90,
                                                     {1000, 1736, 1170, 2000},
                                                     {1020, 1964, 1135, 1967},
                                                     {1020, 1766, 1135, 1769},
                                                     {1120, 1955}},
                                           TTurnCase{"Ean8_180",
                                                     baEAN8,
                                                     "96385074",
                                                     180,
                                                     {736, 1830, 1000, 2000},
                                                     {964, 1865, 967, 1980},
                                                     {766, 1865, 769, 1980},
                                                     {955, 1880}},
                                           TTurnCase{"Ean8_270",
                                                     baEAN8,
                                                     "96385074",
                                                     270,
                                                     {830, 2000, 1000, 2264},
                                                     {865, 2033, 980, 2036},
                                                     {865, 2231, 980, 2234},
                                                     {880, 2045}},
                                           TTurnCase{"UpcA_0",
                                                     baUPCA,
                                                     "036000291452",
                                                     0,
                                                     {1000, 2000, 1348, 2130},
                                                     {1033, 2000, 1036, 2115},
                                                     {1315, 2000, 1318, 2115},
                                                     {1010, 2100}},
                                           TTurnCase{"UpcA_90",
                                                     baUPCA,
                                                     "036000291452",
                                                     90,
                                                     {1000, 1652, 1130, 2000},
                                                     {1000, 1964, 1115, 1967},
                                                     {1000, 1682, 1115, 1685},
                                                     {1100, 1990}},
                                           TTurnCase{"UpcA_180",
                                                     baUPCA,
                                                     "036000291452",
                                                     180,
                                                     {652, 1870, 1000, 2000},
                                                     {964, 1885, 967, 2000},
                                                     {682, 1885, 685, 2000},
                                                     {990, 1900}},
                                           TTurnCase{"UpcA_270",
                                                     baUPCA,
                                                     "036000291452",
                                                     270,
                                                     {870, 2000, 1000, 2348},
                                                     {885, 2033, 1000, 2036},
                                                     {885, 2315, 1000, 2318},
                                                     {900, 2010}},
                                           TTurnCase{"Code39_0",
                                                     baCode39,
                                                     "AB",
                                                     0,
                                                     {1000, 2000, 1252, 2130},
                                                     {1030, 2000, 1033, 2100},
                                                     {1216, 2000, 1219, 2100},
                                                     {1126, 2100}},
                                           TTurnCase{"Code39_90",
                                                     baCode39,
                                                     "AB",
                                                     90,
                                                     {1000, 1748, 1130, 2000},
                                                     {1000, 1967, 1100, 1970},
                                                     {1000, 1781, 1100, 1784},
                                                     {1100, 1874}},
                                           TTurnCase{"Code39_180",
                                                     baCode39,
                                                     "AB",
                                                     180,
                                                     {748, 1870, 1000, 2000},
                                                     {967, 1900, 970, 2000},
                                                     {781, 1900, 784, 2000},
                                                     {874, 1900}},
                                           TTurnCase{"Code39_270",
                                                     baCode39,
                                                     "AB",
                                                     270,
                                                     {870, 2000, 1000, 2252},
                                                     {900, 2030, 1000, 2033},
                                                     {900, 2216, 1000, 2219},
                                                     {900, 2126}}),
                         [](const ::testing::TestParamInfo<TTurnCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(KxBarcodeLayout, OtherAnglesDrawAsAtZero) {
    const TKxBarcodeLayout zero = BarcodeLayout(ShapeOf(baCode39, "AB", 0), K);
    for (const int32_t angle : {45, -90, 360, 450}) {
        SCOPED_TRACE(angle);
        EXPECT_EQ(BarcodeDrawAngle(angle), 0);
        const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baCode39, "AB", angle), K);
        EXPECT_EQ(L.Box, zero.Box);
        EXPECT_EQ(L.Bars, zero.Bars);
        EXPECT_EQ(L.Texts, zero.Texts);
        EXPECT_EQ(L.Escapement, 0);
    }
}

struct TMarkCase {
    int32_t Angle;
    TRect Box;
    TPoint D1a, D1b, D2a, D2b;
};

class KxInvalidMarkTurn : public ::testing::TestWithParam<TMarkCase> {};

TEST_P(KxInvalidMarkTurn, TwentyMillimetresByTheBarHeightTurnedWithTheElement) {
    const TMarkCase& c = GetParam();
    const TKxInvalidMark M = InvalidMarkLayout(K, 100, c.Angle);
    EXPECT_EQ(M.Box, c.Box);
    EXPECT_EQ(M.Diagonal1[0], c.D1a);
    EXPECT_EQ(M.Diagonal1[1], c.D1b);
    EXPECT_EQ(M.Diagonal2[0], c.D2a);
    EXPECT_EQ(M.Diagonal2[1], c.D2b);
}

INSTANTIATE_TEST_SUITE_P(
    AllAngles, KxInvalidMarkTurn,
    ::testing::Values(
        TMarkCase{0, {1000, 2000, 1200, 2100}, {1000, 2000}, {1200, 2100}, {1000, 2100}, {1200, 2000}},
        TMarkCase{90, {1000, 1800, 1100, 2000}, {1000, 2000}, {1100, 1800}, {1100, 2000}, {1000, 1800}},
        TMarkCase{180, {800, 1900, 1000, 2000}, {1000, 2000}, {800, 1900}, {1000, 1900}, {800, 2000}},
        TMarkCase{270, {900, 2000, 1000, 2200}, {1000, 2000}, {900, 2200}, {900, 2000}, {1000, 2200}},
        TMarkCase{30, {1000, 2000, 1200, 2100}, {1000, 2000}, {1200, 2100}, {1000, 2100}, {1200, 2000}}),
    [](const ::testing::TestParamInfo<TMarkCase>& info) {
        return "Angle" + std::to_string(info.param.Angle);
    });
