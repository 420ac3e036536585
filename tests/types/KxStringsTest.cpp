#include "types/KxStrings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <QCoreApplication>
#include <QMetaEnum>
#include <QTranslator>
#include <set>

#include "types/Kxtypes.h"

namespace {

// Every test leaves the application in English, whatever it loaded.
class KxLanguage : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(KxLoadLanguage(QString())); }
};

TEST(KxStrings, EveryIdentifierHasItsSpellingAndAnEnglishText) {
    const QMetaEnum meta = QMetaEnum::fromType<TKxStringId>();
    ASSERT_EQ(meta.keyCount(), KxStringCount);
    EXPECT_EQ(KxStringCount, 103);
    std::set<QString> names;
    for (int i = 0; i < KxStringCount; ++i) {
        const auto id = static_cast<TKxStringId>(i);
        const QString name = KxEnumName(id);
        EXPECT_TRUE(name.startsWith(QLatin1String("Kx"))) << i;
        EXPECT_STRNE(KxStrEnglish(id), "") << name.toStdString();
        EXPECT_EQ(KxStr(id), QString::fromLatin1(KxStrEnglish(id))) << name.toStdString();
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(KxStringCount));
    EXPECT_STREQ(KxStrEnglish(static_cast<TKxStringId>(KxStringCount)), "");
}

struct TEnglishCase {
    TKxStringId Id;
    const char* Text;
};

void PrintTo(const TEnglishCase& c, std::ostream* os) {
    *os << KxEnumName(c.Id).toStdString();
}

class KxEnglishText : public ::testing::TestWithParam<TEnglishCase> {};

// Texts are used as they stand: captions followed by a value on the same line need their blank.
TEST_P(KxEnglishText, IsExact) {
    EXPECT_EQ(KxStr(GetParam().Id), QString::fromLatin1(GetParam().Text))
        << KxEnumName(GetParam().Id).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Samples, KxEnglishText,
                         ::testing::Values(TEnglishCase{KxLeft, "Left: "}, TEnglishCase{KxTop, "Top: "},
                                           TEnglishCase{KxInvalidFile, "Invalid filename: "},
                                           TEnglishCase{KxInvalidImageField, "Invalid Field Name "},
                                           TEnglishCase{KxBackStyle, "Back Style:"},
                                           TEnglishCase{KxBack, "Back"}, TEnglishCase{KxBack1, "Back"},
                                           TEnglishCase{KxSize, "Label Type"},
                                           TEnglishCase{KxLabelType, "Label Type"}));

TEST_F(KxLanguage, SpanishReplacesTheTextsAndEnglishComesBack) {
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    EXPECT_EQ(KxStr(KxLinePro), QStringLiteral("Propiedades de línea"));
    EXPECT_EQ(KxStr(KxInvalidImageField), QStringLiteral("Nombre de campo no válido "));
    EXPECT_EQ(KxStr(KxLeft), QStringLiteral("Izquierda: "));
    ASSERT_TRUE(KxLoadLanguage(QString()));
    EXPECT_EQ(KxStr(KxLinePro), QStringLiteral("Line Properties"));
}

TEST_F(KxLanguage, TheTwoBackEntriesTranslateApart) {
    ASSERT_EQ(KxStr(KxBack), KxStr(KxBack1));
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    EXPECT_EQ(KxStr(KxBack1), QStringLiteral("Fondo"));
    EXPECT_NE(KxStr(KxBack), KxStr(KxBack1));
    EXPECT_NE(KxStr(KxBack), QStringLiteral("Back"));
}

TEST_F(KxLanguage, ALoadThatFailsKeepsTheCurrentLanguage) {
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    for (const char* bad : {"fr", "../es", "es/../../x", "kxlab_es", ":/kxlab/i18n/kxlab_es", "e s"}) {
        EXPECT_FALSE(KxLoadLanguage(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(KxStr(KxClose), QStringLiteral("Cerrar")) << bad;
    }
    // A regional name falls back to its language.
    EXPECT_TRUE(KxLoadLanguage(QStringLiteral("es_ES")));
    EXPECT_EQ(KxStr(KxClose), QStringLiteral("Cerrar"));
}

TEST_F(KxLanguage, ReloadingReplacesRatherThanStacks) {
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    ASSERT_TRUE(KxLoadLanguage(QString()));
    EXPECT_EQ(KxStr(KxClose), QStringLiteral("Close")) << "an earlier translator was left installed";
}

// Reads the compiled translation directly, so a missing entry cannot hide behind the English text.
TEST(KxSpanishTranslation, CoversEveryIdentifierKeepingBlanksAndColons) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/kxlab/i18n/kxlab_es.qm")));
    for (int i = 0; i < KxStringCount; ++i) {
        const auto id = static_cast<TKxStringId>(i);
        const QByteArray name = KxEnumName(id).toLatin1();
        const QString english = QString::fromLatin1(KxStrEnglish(id));
        const QString spanish = translator.translate("KxStrings", KxStrEnglish(id), name.constData());
        EXPECT_FALSE(spanish.isEmpty()) << name.constData() << " has no Spanish text";
        EXPECT_EQ(spanish.endsWith(QLatin1Char(' ')), english.endsWith(QLatin1Char(' '))) << name.constData();
        EXPECT_EQ(spanish.trimmed().endsWith(QLatin1Char(':')), english.trimmed().endsWith(QLatin1Char(':')))
            << name.constData();
    }
}

// Rows named from the interface strings, with their identifiers.
const std::pair<int, TKxStringId> TranslatedPaperRows[] = {
    {12, KxEnDL}, {13, KxEnC5}, {14, KxEnC3}, {15, KxEnC4},  {16, KxEnC6}, {17, KxEnC65},
    {18, KxEnB4}, {19, KxEnB5}, {20, KxEnB6}, {25, KxEnInv}, {26, KxUser}};

bool IsTranslatedRow(int row) {
    for (const auto& [r, id] : TranslatedPaperRows)
        if (r == row) return true;
    return false;
}

TEST_F(KxLanguage, PaperNamesFollowTheLanguage) {
    const auto& papers = Papers();
    std::array<QString, PaperCount> english;
    for (int i = 0; i < PaperCount; ++i)
        english[i] = papers[i].Name;
    for (const auto& [row, id] : TranslatedPaperRows)
        EXPECT_EQ(english[row], QString::fromLatin1(KxStrEnglish(id))) << row;

    // The reference taken before the change sees the new names: the catalogue renames in place.
    ASSERT_TRUE(KxLoadLanguage(QStringLiteral("es")));
    EXPECT_EQ(papers[12].Name, QStringLiteral("Sobre DL"));
    EXPECT_EQ(papers[25].Name, QStringLiteral("Sobre de invitación"));
    EXPECT_EQ(papers[26].Name, QStringLiteral("Usuario"));
    for (int i = 0; i < PaperCount; ++i) {
        if (IsTranslatedRow(i))
            EXPECT_NE(papers[i].Name, english[i]) << i;
        else
            EXPECT_EQ(papers[i].Name, english[i]) << i;
    }

    ASSERT_TRUE(KxLoadLanguage(QString()));
    for (int i = 0; i < PaperCount; ++i)
        EXPECT_EQ(Papers()[i].Name, english[i]) << i;
}

TEST_F(KxLanguage, PaperNamesFollowATranslatorTheHostInstalls) {
    QTranslator host;
    ASSERT_TRUE(host.load(QStringLiteral(":/kxlab/i18n/kxlab_es.qm")));
    ASSERT_TRUE(QCoreApplication::installTranslator(&host));
    EXPECT_EQ(Papers()[UserPaperIndex].Name, QStringLiteral("Usuario"));
    QCoreApplication::removeTranslator(&host);
    EXPECT_EQ(Papers()[UserPaperIndex].Name, QStringLiteral("User"));
}

TEST(KxPapers, HasTwentySevenRowsEndingWithTheUserSize) {
    const auto& papers = Papers();
    ASSERT_EQ(papers.size(), 27u);
    EXPECT_EQ(papers[UserPaperIndex].PaperSize, 256);
    EXPECT_EQ(papers[UserPaperIndex].Name, KxStr(KxUser));
    EXPECT_EQ(UserPaperIndex, PaperCount - 1);
    std::set<int32_t> codes;
    for (const TPaperType& p : papers)
        codes.insert(p.PaperSize);
    EXPECT_EQ(codes.size(), papers.size()) << "each row has its own paper code";
    EXPECT_EQ(papers[0].Name, QStringLiteral("A4"));
    EXPECT_EQ(papers[0].PaperSize, 9);
}

// The inch columns are separate constants: each must be the millimetre size to three decimals, or,
// for sizes defined in inches, the millimetre column must be the inch size to a tenth of a millimetre.
TEST(KxPapers, InchAndMillimetreColumnsDescribeTheSameSize) {
    auto agrees = [](float mm, float inch) {
        return std::fabs(inch - mm / 25.4) <= 0.0005 + 1e-6 || std::fabs(mm - inch * 25.4) <= 0.05 + 1e-4;
    };
    for (int i = 0; i < PaperCount; ++i) {
        const TPaperType& p = Papers()[i];
        EXPECT_TRUE(agrees(p.MMWidth, p.InchWidth))
            << i << ": " << p.MMWidth << " mm vs " << p.InchWidth << " in";
        EXPECT_TRUE(agrees(p.MMHeight, p.InchHeight))
            << i << ": " << p.MMHeight << " mm vs " << p.InchHeight << " in";
        EXPECT_GT(p.MMWidth, 0);
        EXPECT_GT(p.MMHeight, 0);
    }
}

} // namespace
