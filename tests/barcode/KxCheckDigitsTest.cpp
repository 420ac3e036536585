#include <gtest/gtest.h>

#include "barcode/KxCheckDigits.h"

TEST(KxCheckDigits, Gs1CheckDigitsOfKnownNumbers) {
    EXPECT_EQ(KxGS1CheckDigit(u"841089400010"), 9);
    EXPECT_EQ(KxGS1CheckDigit(u"9638507"), 4);
    EXPECT_EQ(KxGS1CheckDigit(u"03600029145"), 2);
    EXPECT_EQ(KxGS1CheckDigit(u"0950110153000"), 3);
    EXPECT_EQ(KxGS1CheckDigit(u"1540014128876"), 3);
    EXPECT_EQ(KxGS1CheckDigit(u"00000000000"), 0);
}

struct TNumberCase {
    const char* Name;
    const char* Code;
    int Length;
    /// The completed number, or nullptr when the code is refused.
    const char* Digits;
    /// A piece of the message of a refused code.
    const char* Says;
};

class KxCheckedNumbers : public ::testing::TestWithParam<TNumberCase> {};

TEST_P(KxCheckedNumbers, CompleteVerifyOrRefuse) {
    const TNumberCase& c = GetParam();
    const TKxCheckedNumber n =
        KxCheckedNumber(QString::fromLatin1(c.Code), c.Length, QStringLiteral("EAN 13"));
    if (c.Digits) {
        EXPECT_EQ(n.Digits, QString::fromLatin1(c.Digits));
        EXPECT_TRUE(n.Problem.isEmpty()) << n.Problem.toStdString();
    } else {
        EXPECT_TRUE(n.Digits.isEmpty());
        EXPECT_NE(n.Problem.indexOf(QString::fromLatin1(c.Says)), -1) << n.Problem.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, KxCheckedNumbers,
    ::testing::Values(TNumberCase{"Computed", "841089400010", 13, "8410894000109", nullptr},
                      TNumberCase{"Verified", "8410894000109", 13, "8410894000109", nullptr},
                      TNumberCase{"WrongSaysTheExpectedDigit", "8410894000108", 13, nullptr, "is 9"},
                      TNumberCase{"WrongSaysTheGivenDigit", "8410894000108", 13, nullptr, "ends in 8"},
                      TNumberCase{"TooShort", "84108940001", 13, nullptr, "12 digits, or 13"},
                      TNumberCase{"TooLong", "84108940001090", 13, nullptr, "EAN 13"},
                      TNumberCase{"Letter", "84108940001O9", 13, nullptr, "EAN 13"},
                      TNumberCase{"Empty", "", 13, nullptr, "EAN 13"},
                      TNumberCase{"Ean8", "9638507", 8, "96385074", nullptr},
                      TNumberCase{"Itf14", "1540014128876", 14, "15400141288763", nullptr}),
    [](const ::testing::TestParamInfo<TNumberCase>& info) { return info.param.Name; });

TEST(KxCheckDigits, DigitsOtherThanAsciiAreNotDigits) {
    EXPECT_FALSE(KxAllDigits(QString::fromUtf8("12\u0663")));
    EXPECT_FALSE(KxAllDigits(u""));
    EXPECT_TRUE(KxAllDigits(u"0123456789"));
}

TEST(KxCheckDigits, Code39Modulo43) {
    // C 12, O 24, D 13, E 14, 3, 9: 75, less 43 is 32, the value of W.
    EXPECT_EQ(KxCode39CheckChar(u"CODE39"), u'W');
    // The space is worth 38: 113 modulo 43 is 27, R.
    EXPECT_EQ(KxCode39CheckChar(u"CODE 39"), u'R');
    EXPECT_EQ(KxCode39CheckChar(u"%"), u'%');
    EXPECT_EQ(KxCode39CheckChar(u""), u'0');
}
