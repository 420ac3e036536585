#include <gtest/gtest.h>

#include "barcode/KxDigitalLink.h"

class KxDigitalLinkGood : public ::testing::TestWithParam<const char*> {};

TEST_P(KxDigitalLinkGood, IsAccepted) {
    EXPECT_EQ(KxDigitalLinkProblem(QString::fromLatin1(GetParam())), QString());
}

INSTANTIATE_TEST_SUITE_P(Urls, KxDigitalLinkGood,
                         ::testing::Values("https://id.gs1.org/01/09501101530003",
                                           "https://id.example.com/01/09501101530003/10/AB-12?17=270101",
                                           "http://example.com/shop/01/9501101530003/21/S1",
                                           "https://example.com/00/106141411234567897",
                                           "https://example.com/414/9501101530003"));

class KxDigitalLinkBad : public ::testing::TestWithParam<const char*> {};

TEST_P(KxDigitalLinkBad, IsRefusedWithAnExample) {
    const QString problem = KxDigitalLinkProblem(QString::fromUtf8(GetParam()));
    EXPECT_NE(problem.indexOf(QStringLiteral("/01/09501101530003")), -1) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Urls, KxDigitalLinkBad,
    ::testing::Values("", "KxLab", "ftp://example.com/01/09501101530003", "https:///01/09501101530003",
                      "https://example.com/01/09501101530004", "https://example.com/01/0950110153000",
                      "https://example.com/01/", "https://example.com/10/AB-12",
                      "https://example.com/01/0950110153000X", "https://exa mple.com/01/09501101530003"));
