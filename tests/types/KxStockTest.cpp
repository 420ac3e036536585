#include <gtest/gtest.h>

#include <cmath>

#include "types/KxStock.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStockText.h"

namespace {

struct TLengthCase {
    const char* Text;
    double Mm; // NAN: not a length
};

class KxStockLength : public ::testing::TestWithParam<TLengthCase> {};

TEST_P(KxStockLength, IsANumberInAUnitCataloguesWritePointsWhenNone) {
    const std::optional<double> mm = KxParseStockLength(QString::fromUtf8(GetParam().Text));
    ASSERT_EQ(mm.has_value(), !std::isnan(GetParam().Mm)) << GetParam().Text;
    if (mm) {
        EXPECT_NEAR(*mm, GetParam().Mm, 1e-9) << GetParam().Text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, KxStockLength,
                         ::testing::Values(TLengthCase{"63.5mm", 63.5}, TLengthCase{"2.625in", 66.675},
                                           TLengthCase{"181.4", 181.4 * 25.4 / 72}, TLengthCase{"0 pt", 0},
                                           TLengthCase{"1.5cm", 15}, TLengthCase{"1pc", 25.4 / 6},
                                           TLengthCase{"  12 mm ", 12},
                                           TLengthCase{"3.9e-16pt", 3.9e-16 * 25.4 / 72},
                                           TLengthCase{"", NAN}, TLengthCase{"mm", NAN},
                                           TLengthCase{"12 furlongs", NAN}, TLengthCase{"nan", NAN},
                                           TLengthCase{"inf mm", NAN}, TLengthCase{"1e400mm", NAN},
                                           TLengthCase{"12,5mm", NAN}, TLengthCase{"12mm3", NAN}));

TKxStock Plain() {
    TKxStock s;
    s.Maker = QStringLiteral("Test");
    s.Part = QStringLiteral("T1");
    s.PaperName = QStringLiteral("A4");
    s.PaperWidth = 210, s.PaperHeight = 297, s.Width = 63.5, s.Height = 38.1;
    s.Columns = 3, s.Rows = 7, s.Left = 7.21, s.Top = 15.15, s.PitchX = 66.04, s.PitchY = 38.1;
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
    // Every reason can be shown; an available stock has none.
    EXPECT_EQ(KxStockIssueText(s).isEmpty(), s.Available());
}

using enum TKxStockIssue;
using enum TKxStockShape;
INSTANTIATE_TEST_SUITE_P(
    Cases, KxStockIssues,
    ::testing::Values(
        TIssueCase{"Rectangle", [](TKxStock&) {}, None},
        TIssueCase{"Round", [](TKxStock& s) { s.Shape = Round, s.Width = s.Height = 38.1; }, None},
        TIssueCase{"Ellipse", [](TKxStock& s) { s.Shape = Ellipse; }, Shape},
        TIssueCase{"CutDisc", [](TKxStock& s) { s.Shape = CutDisc; }, Shape},
        TIssueCase{"Path", [](TKxStock& s) { s.Shape = Other, s.ShapeName = "path"; }, Shape},
        TIssueCase{"TwoLayouts", [](TKxStock& s) { s.Layouts = 2; }, SeveralLayouts},
        TIssueCase{"NoOriginal", [](TKxStock& s) { s.Layouts = 0, s.Equivalent = "X"; }, Original},
        TIssueCase{"Narrow", [](TKxStock& s) { s.Width = 9.9; }, TooSmall},
        TIssueCase{"Low", [](TKxStock& s) { s.Height = 4.9; }, TooSmall},
        TIssueCase{"Overlap", [](TKxStock& s) { s.PitchY = s.Height - 0.6; }, Overlap},
        TIssueCase{"AHairOfOverlap", [](TKxStock& s) { s.PitchX = s.Width - 0.4; }, None},
        TIssueCase{"OneColumn", [](TKxStock& s) { s.Columns = 1, s.PitchX = 0; }, None},
        TIssueCase{"UnknownPaper", [](TKxStock& s) { s.PaperWidth = 0; }, Paper}),
    [](const auto& Info) { return std::string(Info.param.Name); });

class KxStockAbsurdNumbers : public ::testing::TestWithParam<void (*)(TKxStock&)> {};

TEST_P(KxStockAbsurdNumbers, AreNamedWithTheStock) {
    TKxStock s = Plain();
    ASSERT_TRUE(KxStockNumbersError(s).isEmpty());
    GetParam()(s);
    EXPECT_TRUE(KxStockNumbersError(s).startsWith(QStringLiteral("Test T1")))
        << KxStockNumbersError(s).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxStockAbsurdNumbers,
    ::testing::Values([](TKxStock& s) { s.Width = 0; }, [](TKxStock& s) { s.Left = -1; },
                      [](TKxStock& s) { s.PitchX = NAN; }, [](TKxStock& s) { s.Top = INFINITY; },
                      [](TKxStock& s) { s.Height = 11000; }, [](TKxStock& s) { s.Columns = 0; },
                      [](TKxStock& s) { s.Rows = 1001; }, [](TKxStock& s) { s.Rows = 1000, s.PitchY = 10.1; },
                      [](TKxStock& s) { s.Shape = Round, s.HoleRadius = 31.75; }));

TEST(KxStockTexts, NameTheSizeTheLayoutAndTheKey) {
    TKxStock s = Plain();
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("63.5 x 38.1 mm"));
    EXPECT_EQ(KxStockLayoutText(s), QStringLiteral("3 x 7, A4"));
    s.Shape = Round, s.Width = s.Height = 117;
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("117 mm round"));
    s.HoleRadius = 20.5;
    EXPECT_EQ(KxStockSizeText(s), QStringLiteral("117 mm round, hole 41 mm"));
    s.PaperName = QStringLiteral("Other"), s.PaperWidth = 62, s.PaperHeight = 100.25;
    EXPECT_EQ(KxStockLayoutText(s), QStringLiteral("3 x 7, 62 x 100.25 mm"));
    EXPECT_EQ(KxStockMm(7.2099999), QStringLiteral("7.21"));
    EXPECT_EQ(KxStockMm(0.004), QStringLiteral("0"));
    EXPECT_EQ(KxStockKey(u"Avery L-7160"), QStringLiteral("averyl7160"));
    EXPECT_EQ(KxStockKey(u"--"), QString());
}

} // namespace
