#include "base/CodePage.h"

#include <gtest/gtest.h>

TEST(KxCodePage, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ToCodePage(FromCodePage(all)), all);
}

TEST(KxCodePage, HighRangeMapsToItsCharacters) {
    EXPECT_EQ(CodePageChar(0x80), QChar(0x20AC)); // euro
    EXPECT_EQ(CodePageChar(0x9F), QChar(0x0178));
    EXPECT_EQ(CodePageChar(0xE9), QChar(0x00E9));
    EXPECT_EQ(ToCodePage(QString::fromUtf8("Año €")), QByteArray("A\xF1o \x80"));
}

TEST(KxCodePage, CharacterWithoutCodeBecomesQuestionMark) {
    EXPECT_EQ(ToCodePage(QString::fromUtf8("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(CodePageByte(QChar(0x0101)), '?');
}
