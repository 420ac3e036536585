#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "types/KxStock.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStockText.h"

namespace {

struct TLengthCase {
    const char* Text;
    double Mm;
};

class KxStockLength : public ::testing::TestWithParam<TLengthCase> {};

TEST_P(KxStockLength, ReadsNumbersInEveryUnitCataloguesWrite) {
    const std::optional<double> mm = KxParseStockLength(QString::fromUtf8(GetParam().Text));
    ASSERT_TRUE(mm.has_value()) << GetParam().Text;
    EXPECT_NEAR(*mm, GetParam().Mm, 1e-9) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Units, KxStockLength,
                         ::testing::Values(TLengthCase{"63.5mm", 63.5}, TLengthCase{"2.625in", 66.675},
                                           TLengthCase{"181.4", 181.4 * 25.4 / 72}, TLengthCase{"9pt", 3.175},
                                           TLengthCase{"0 pt", 0}, TLengthCase{"1.5cm", 15},
                                           TLengthCase{"1pc", 25.4 / 6}, TLengthCase{"  12 mm ", 12},
                                           TLengthCase{"3.93386e-16pt", 3.93386e-16 * 25.4 / 72},
                                           TLengthCase{"-1.5mm", -1.5}));

class KxStockBadLength : public ::testing::TestWithParam<const char*> {};

TEST_P(KxStockBadLength, RefusesWhatIsNotAFiniteLength) {
    EXPECT_FALSE(KxParseStockLength(QString::fromUtf8(GetParam())).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, KxStockBadLength,
                         ::testing::Values("", "mm", "12 furlongs", "twelve", "nan", "inf mm", "1e400mm",
                                           "12,5mm", "1.2.3in", "12mm3"));

TKxStock Plain() {
    TKxStock s;
    s.Maker = QStringLiteral("Test");
    s.Part = QStringLiteral("T1");
    s.PaperName = QStringLiteral("A4");
    s.PaperWidth = 210;
    s.PaperHeight = 297;
    s.Width = 63.5;
    s.Height = 38.1;
    s.Columns = 3;
    s.Rows = 7;
    s.Left = 7.21;
    s.Top = 15.15;
    s.PitchX = 66.04;
    s.PitchY = 38.1;
    return s;
}

struct TIssueCase {
    const char* Name;
    void (*Change)(TKxStock&);
    TKxStockIssue Issue;
};

class KxStockIssues : public ::testing::TestWithParam<TIssueCase> {};

TEST_P(KxStockIssues, TellWhyAStockCannotBeLaidOut) {
    TKxStock s = Plain();
    GetParam().Change(s);
    EXPECT_EQ(s.Issue(), GetParam().Issue);
    EXPECT_EQ(s.Available(), GetParam().Issue == TKxStockIssue::None);
    // Every reason can be shown; an available stock has none.
    EXPECT_EQ(KxStockIssueText(s).isEmpty(), s.Available());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxStockIssues,
    ::testing::Values(
        TIssueCase{"Rectangle", [](TKxStock&) {}, TKxStockIssue::None},
        TIssueCase{"Round", [](TKxStock& s) { s.Shape = TKxStockShape::Round, s.Width = s.Height = 38.1; },
                   TKxStockIssue::None},
        TIssueCase{"Ellipse", [](TKxStock& s) { s.Shape = TKxStockShape::Ellipse; }, TKxStockIssue::Shape},
        TIssueCase{"CutDisc", [](TKxStock& s) { s.Shape = TKxStockShape::CutDisc; }, TKxStockIssue::Shape},
        TIssueCase{"Path", [](TKxStock& s) { s.Shape = TKxStockShape::Other, s.ShapeName = "path"; },
                   TKxStockIssue::Shape},
        TIssueCase{"TwoLayouts", [](TKxStock& s) { s.Layouts = 2; }, TKxStockIssue::SeveralLayouts},
        TIssueCase{"NoOriginal", [](TKxStock& s) { s.Layouts = 0, s.Equivalent = "X"; },
                   TKxStockIssue::Original},
        TIssueCase{"Narrow", [](TKxStock& s) { s.Width = 9.9; }, TKxStockIssue::TooSmall},
        TIssueCase{"Low", [](TKxStock& s) { s.Height = 4.9; }, TKxStockIssue::TooSmall},
        TIssueCase{"OverlapAcross", [](TKxStock& s) { s.PitchX = s.Width - 0.6; }, TKxStockIssue::Overlap},
        TIssueCase{"OverlapDown", [](TKxStock& s) { s.PitchY = s.Height - 0.6; }, TKxStockIssue::Overlap},
        TIssueCase{"AHairOfOverlap", [](TKxStock& s) { s.PitchY = s.Height - 0.4; }, TKxStockIssue::None},
        TIssueCase{"OneColumnNoPitch", [](TKxStock& s) { s.Columns = 1, s.PitchX = 0; }, TKxStockIssue::None},
        TIssueCase{"UnknownPaper", [](TKxStock& s) { s.PaperWidth = 0; }, TKxStockIssue::Paper}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TNumbersCase {
    const char* Name;
    void (*Change)(TKxStock&);
};

class KxStockAbsurdNumbers : public ::testing::TestWithParam<TNumbersCase> {};

TEST_P(KxStockAbsurdNumbers, AreNamed) {
    TKxStock s = Plain();
    ASSERT_TRUE(KxStockNumbersError(s).isEmpty());
    GetParam().Change(s);
    const QString error = KxStockNumbersError(s);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("Test T1"))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxStockAbsurdNumbers,
    ::testing::Values(
        TNumbersCase{"ZeroWidth", [](TKxStock& s) { s.Width = 0; }},
        TNumbersCase{"NegativeLeft", [](TKxStock& s) { s.Left = -1; }},
        TNumbersCase{"NotANumber", [](TKxStock& s) { s.PitchX = std::nan(""); }},
        TNumbersCase{"Infinite", [](TKxStock& s) { s.Top = std::numeric_limits<double>::infinity(); }},
        TNumbersCase{"ElevenMetres", [](TKxStock& s) { s.Height = 11000; }},
        TNumbersCase{"NoColumns", [](TKxStock& s) { s.Columns = 0; }},
        TNumbersCase{"ThousandAndOneRows", [](TKxStock& s) { s.Rows = 1001; }},
        TNumbersCase{"BeyondTenMetres", [](TKxStock& s) { s.Rows = 1000, s.PitchY = 10.1; }},
        TNumbersCase{"HoleAsWide",
                     [](TKxStock& s) { s.Shape = TKxStockShape::Round, s.HoleRadius = 31.75; }}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(KxStockGeometry, CellOriginsFollowThePitch) {
    const TKxStock s = Plain();
    EXPECT_EQ(StockCellOrigin(s, 1, 1), QPointF(7.21, 15.15));
    const QPointF last = StockCellOrigin(s, 3, 7);
    EXPECT_NEAR(last.x(), 7.21 + 2 * 66.04, 1e-9);
    EXPECT_NEAR(last.y(), 15.15 + 6 * 38.1, 1e-9);
}

TEST(KxStockKeys, KeepLettersAndDigitsInLowerCase) {
    EXPECT_EQ(KxStockKey(u"Avery L-7160"), QStringLiteral("averyl7160"));
    EXPECT_EQ(KxStockKey(u" l 7160 "), QStringLiteral("l7160"));
    EXPECT_EQ(KxStockKey(u"DK-1201 (box)"), QStringLiteral("dk1201box"));
    EXPECT_EQ(KxStockKey(u"--"), QString());
}

TEST(KxStockTexts, SizeLayoutAndNumbers) {
    TKxStock s = Plain();
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("63.5 x 38.1 mm"));
    EXPECT_EQ(KxStockLayoutText(s), QStringLiteral("3 x 7, A4"));
    s.Shape = TKxStockShape::Round;
    s.Width = s.Height = 117;
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("117 mm round"));
    s.HoleRadius = 20.5;
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("117 mm round, hole 41 mm"));
    s.PaperName = QStringLiteral("Other");
    s.PaperWidth = 62;
    s.PaperHeight = 100.25;
    EXPECT_EQ(KxStockLayoutText(s), QStringLiteral("3 x 7, 62 x 100.25 mm"));
    EXPECT_EQ(KxStockMm(7.2099999), QStringLiteral("7.21"));
    EXPECT_EQ(KxStockMm(0.004), QStringLiteral("0"));
    EXPECT_EQ(KxStockMm(210), QStringLiteral("210"));
}

} // namespace
