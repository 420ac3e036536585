#include "elements/KxFieldValues.h"

#include <gtest/gtest.h>

#include "base/Notices.h"
#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "elements/ElementTestSupport.h"

using KxFieldValues = TProductsTest;

TEST_P(KxFieldValues, FollowTheCurrentRecord) {
    // Records in key order: 2 O'Hara, 4 all NULL, 5 Apple.
    EXPECT_EQ(KxFieldText(FTable, "name"), "O'Hara");
    EXPECT_EQ(KxFieldText(FTable, "made"), "2023-12-31");
    EXPECT_FALSE(KxFieldBoolean(FTable, "instock"));
    EXPECT_TRUE(KxFieldPicture(FTable, "pic").isEmpty());
    FTable.Next();
    EXPECT_EQ(KxFieldText(FTable, "name"), "");
    EXPECT_FALSE(KxFieldBoolean(FTable, "instock"));
    FTable.Next();
    EXPECT_EQ(KxFieldText(FTable, "NAME"), "Apple");
    EXPECT_EQ(KxFieldText(FTable, "price"), "1.5");
    EXPECT_TRUE(KxFieldBoolean(FTable, "instock"));
    EXPECT_TRUE(KxFieldBoolean(FTable, "qty"));
    EXPECT_EQ(KxFieldPicture(FTable, "pic"), TestPicture(1));
}

TEST_P(KxFieldValues, UnknownNameRaisesTheLayerError) {
    for (const auto& read :
         {+[](TTable& t) { KxFieldText(t, "colour"); }, +[](TTable& t) { KxFieldBoolean(t, "colour"); },
          +[](TTable& t) { KxFieldPicture(t, "colour"); }}) {
        try {
            read(FTable);
            ADD_FAILURE() << "no error for an unknown field";
        } catch (const EDBEngineError& e) {
            EXPECT_TRUE(e.Message().contains("colour")) << e.what();
        }
    }
}

KXLAB_INSTANTIATE_ENGINES(KxFieldValues);

namespace {

struct TLongText {
    const char* Name;
    QString Text;
    qsizetype Kept;
};

// A note of one table whose one record's text is Text, then a second record of the same text.
class KxFieldTextBound : public ::testing::TestWithParam<TLongText> {
protected:
    TSqliteTable FData{
        "notes", "id INTEGER PRIMARY KEY, body TEXT", {{1, GetParam().Text}, {2, GetParam().Text}}};
};

const QString Long = QString(KxMaxFieldText + 10, u'x');
const QString AtTheBound = QString(KxMaxFieldText, u'y');
// A character beyond the first plane straddles the bound: it goes whole.
const QString Straddling = QString(KxMaxFieldText - 1, u'z') + QString::fromUcs4(U"\U0001F600") + "tail";

const TLongText LongTexts[] = {
    {"LongerIsCut", Long, KxMaxFieldText},
    {"AtTheBoundStays", AtTheBound, KxMaxFieldText},
    {"NoHalfCharacter", Straddling, KxMaxFieldText - 1},
};

} // namespace

TEST_P(KxFieldTextBound, KeepsAtMostTheBoundAndNotesEachCutOnce) {
    TNoticeTally tally;
    FData.Table.First();
    const QString first = KxFieldText(FData.Table, "body");
    EXPECT_EQ(first.size(), GetParam().Kept);
    EXPECT_EQ(first, GetParam().Text.left(GetParam().Kept));
    FData.Table.Next();
    KxFieldText(FData.Table, "body");
    if (GetParam().Kept == GetParam().Text.size()) {
        EXPECT_TRUE(tally.Notices().empty());
        return;
    }
    ASSERT_EQ(tally.Notices().size(), 1u);
    EXPECT_EQ(tally.Notices()[0].Kind, TNoticeKind::LongText);
    EXPECT_EQ(tally.Notices()[0].Subject, "body");
    EXPECT_EQ(tally.Notices()[0].Count, 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, KxFieldTextBound, ::testing::ValuesIn(LongTexts),
                         [](const auto& info) { return std::string(info.param.Name); });
