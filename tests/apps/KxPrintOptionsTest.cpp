#include <gtest/gtest.h>
#include <string>

#include "KxPrintOptions.h"

namespace {
QStringList Args(const char* Line) {
    return QString::fromLatin1(Line).split(u' ', Qt::SkipEmptyParts);
}
} // namespace

TEST(KxPrintOptions, EveryOverrideIsRead) {
    const TKxPrintOptions o =
        ParsePrintOptions(Args("tag.kxl -o out.PNG --dpi 150 --aliases a.ini --alias Shop=sqlite:/x/shop.db "
                               "--labs 7 --from 3 --to 9 --repeat 2 --first-row 4 --first-col 2 -q"));
    EXPECT_EQ(o.Label, "tag.kxl");
    EXPECT_EQ(o.Output, "out.PNG");
    EXPECT_EQ(o.Kind, TKxOutputKind::okPng);
    EXPECT_EQ(o.Dpi, 150);
    EXPECT_EQ(o.AliasesFile, "a.ini");
    ASSERT_EQ(o.Aliases.size(), 1u);
    EXPECT_EQ(o.Aliases[0].first, "Shop");
    EXPECT_EQ(o.Aliases[0].second, "/x/shop.db");
    EXPECT_EQ(o.Labs, 7);
    EXPECT_EQ(o.From, 3);
    EXPECT_EQ(o.To, 9);
    EXPECT_EQ(o.Repeat, 2);
    EXPECT_EQ(o.FirstRow, 4);
    EXPECT_EQ(o.FirstCol, 2);
    EXPECT_TRUE(o.Quiet);
    EXPECT_FALSE(o.NoData);
}

TEST(KxPrintOptions, AQuantityFieldIsReadAndAnEmptyOneTurnsTheLabelsOff) {
    EXPECT_FALSE(ParsePrintOptions(Args("l.kxl -o a.pdf")).QuantityField);
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.pdf --quantity-field Qty")).QuantityField, "Qty");
    EXPECT_EQ(ParsePrintOptions({"l.kxl", "-o", "a.pdf", "--quantity-field", ""}).QuantityField, "");
}

TEST(KxPrintOptions, AliasesOfDifferentNamesMayRepeat) {
    const TKxPrintOptions o =
        ParsePrintOptions(Args("l.kxl -o a.pdf --alias A=sqlite:a.db --alias B=sqlite:b.db"));
    ASSERT_EQ(o.Aliases.size(), 2u);
    EXPECT_EQ(o.Aliases[1].first, "B");
}

TEST(KxPrintOptions, AStockOverridesTheLayoutAndListingTakesTheWordsToLookFor) {
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.pdf --stock L7160")).Stock, "L7160");
    const TKxPrintOptions all = ParsePrintOptions(Args("--list-stocks"));
    EXPECT_TRUE(all.ListStocks && all.StockSearch.isEmpty() && all.Label.isEmpty());
    const TKxPrintOptions some = ParsePrintOptions(Args("--list-stocks avery l7160 -q"));
    EXPECT_EQ(some.StockSearch, "avery l7160");
    EXPECT_TRUE(some.Quiet);
}

TEST(KxPrintOptions, OutputKindFollowsTheTarget) {
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.pdf")).Kind, TKxOutputKind::okPdf);
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.bmp")).Kind, TKxOutputKind::okBmp);
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.svg")).Kind, TKxOutputKind::okSvg);
    EXPECT_EQ(ParsePrintOptions(Args("l.kxl -o a.emf")).Kind, TKxOutputKind::okEmf);
    const TKxPrintOptions p = ParsePrintOptions(Args("l.kxl --printer KXPDF --no-data"));
    EXPECT_EQ(p.Kind, TKxOutputKind::okPrinter);
    EXPECT_EQ(p.PrinterName, "KXPDF");
    EXPECT_TRUE(p.NoData);
    EXPECT_TRUE(ParsePrintOptions(Args("--help")).Help);
}

struct TBadLine {
    const char* Name;
    const char* Line;
    const char* Says;
};

class KxPrintOptionsBad : public ::testing::TestWithParam<TBadLine> {};

TEST_P(KxPrintOptionsBad, IsAUsageErrorThatSaysWhy) {
    try {
        ParsePrintOptions(Args(GetParam().Line));
        FAIL() << "accepted";
    } catch (const EUsage& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().Says), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KxPrintOptionsBad,
    ::testing::Values(TBadLine{"NoLabel", "-o a.pdf", "no label file"},
                      TBadLine{"NoOutput", "l.kxl", "either -o"},
                      TBadLine{"BothOutputs", "l.kxl -o a.pdf --printer P", "either -o"},
                      TBadLine{"UnknownFormat", "l.kxl -o a.txt", "output format"},
                      TBadLine{"UnknownOption", "l.kxl -o a.pdf --colour", "unknown option --colour"},
                      TBadLine{"MissingValue", "l.kxl -o a.pdf --labs", "--labs needs a value"},
                      TBadLine{"ZeroLabels", "l.kxl -o a.pdf --labs 0", "--labs needs a whole number"},
                      TBadLine{"NotANumber", "l.kxl -o a.pdf --repeat two", "--repeat needs a whole number"},
                      TBadLine{"DpiTooHigh", "l.kxl -o a.png --dpi 100000", "--dpi"},
                      TBadLine{"RangeBackwards", "l.kxl -o a.pdf --from 9 --to 3", "--to 3 comes before"},
                      TBadLine{"RangeWithoutData", "l.kxl -o a.pdf --no-data --to 3", "--no-data"},
                      TBadLine{"AliasNotSqlite", "l.kxl -o a.pdf --alias P=pg:x", "NAME=sqlite:PATH"},
                      TBadLine{"AliasNoName", "l.kxl -o a.pdf --alias =sqlite:x", "NAME=sqlite:PATH"},
                      TBadLine{"TwoLabels", "l.kxl m.kxl -o a.pdf", "one too many"},
                      TBadLine{"SecondOutput", "l.kxl -o a.pdf --output b.pdf", "--output is given twice"},
                      TBadLine{"SecondDpi", "l.kxl -o a.png --dpi 100 --dpi 200", "--dpi is given twice"},
                      TBadLine{"QuietTwice", "l.kxl -o a.pdf -q --quiet", "--quiet is given twice"},
                      TBadLine{"SameAliasTwice", "l.kxl -o a.pdf --alias P=sqlite:x --alias p=sqlite:y",
                               "--alias P is given twice"},
                      TBadLine{"StockWithoutName", "l.kxl -o a.pdf --stock", "--stock needs a value"},
                      TBadLine{"StockTwice", "l.kxl -o a.pdf --stock A --stock B", "--stock is given twice"},
                      TBadLine{"ListAndOutput", "--list-stocks -o a.pdf", "not --output"},
                      TBadLine{"ListAndStock", "--list-stocks --stock L7160", "not --stock"},
                      TBadLine{"ListAndAlias", "--list-stocks --alias A=sqlite:a.db", "not --alias"},
                      TBadLine{"QuantityNoData", "l.kxl -o a.pdf --no-data --quantity-field q", "--no-data"},
                      TBadLine{"QuantityNoName", "l.kxl -o a.pdf --quantity-field", "needs a value"}),
    [](const auto& info) { return std::string(info.param.Name); });
