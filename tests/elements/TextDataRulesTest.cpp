#include <gtest/gtest.h>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "common/TestOwner.h"
#include "common/TestSupport.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"
#include "TextKinds.h"

namespace {

// A real SQLite file with two products, opened through an alias of a private session.
class TextDataRules : public ::testing::TestWithParam<TKxEle> {
protected:
    void SetUp() override {
        const QString path = FDir.Path("shop.db");
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("textel-setup"));
            db.setDatabaseName(path);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec("CREATE TABLE products (id INTEGER PRIMARY KEY, name TEXT, price REAL)"));
            ASSERT_TRUE(q.exec("INSERT INTO products VALUES (1, 'Apple', 1.5), (2, 'Pear', 12)"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("textel-setup"));
        TDBAlias alias;
        alias.Name = "Shop";
        alias.Path = path;
        FSession.AddAlias(alias);
        FTable.SetDatabaseName("Shop");
        FTable.SetTableName("products");
        FTable.Open();
        Owner.Table = &FTable;
        Element = MakeTextKind(GetParam(), &Owner);
        Element->DataBase = true;
        Element->Field = "price";
    }

    // Everything the element wrote on a target, its lines joined.
    QString Written(TKxDrawType target) {
        QString all;
        for (const TRecordedOp& op : Owner.Texts(target))
            all += op.Text;
        Owner.ClearPage(target);
        return all;
    }

    TKxTempDir FDir;
    TSession FSession;
    TTable FTable{&FSession};
    TTestOwner Owner{2, 10, 20};
    std::unique_ptr<TKxDataText> Element;
};

std::string KindName(const ::testing::TestParamInfo<TKxEle>& info) {
    return KxEnumName(info.param).toStdString();
}

} // namespace

// Print and preview write the current record's value and leave the element as it was.
TEST_P(TextDataRules, PrintAndPreviewWriteTheRecordAndChangeNothing) {
    const QByteArray before = RecordOf(*Element);
    KxTestDraw(*Element, {}, tdPrint, true);
    EXPECT_EQ(Written(tdPrint), Composed(GetParam(), "1.5"));
    FTable.Next();
    KxTestDraw(*Element, {}, tdPreview, true);
    EXPECT_EQ(Written(tdPreview), Composed(GetParam(), "12"));
    KxTestDraw(*Element, {}, tdPrint, false);
    EXPECT_EQ(Written(tdPrint), Composed(GetParam(), "text"));
    EXPECT_EQ(Element->Text, "text");
    EXPECT_EQ(RecordOf(*Element), before);
}

// On the design surface the field's name replaces the text for good, so a later save writes it.
TEST_P(TextDataRules, DesignSurfaceWithDataKeepsTheFieldNameAsText) {
    KxTestDraw(*Element, {}, tdLab, false);
    EXPECT_EQ(Written(tdLab), Composed(GetParam(), "text"));
    EXPECT_EQ(Element->Text, "text");

    KxTestDraw(*Element, {}, tdLab, true);
    EXPECT_EQ(Written(tdLab), Composed(GetParam(), "price"));
    auto expected = MakeTextKind(GetParam(), &Owner);
    expected->DataBase = true;
    expected->Field = "price";
    expected->Text = "price";
    EXPECT_EQ(RecordOf(*Element), RecordOf(*expected));

    Element->DataBase = false;
    KxTestDraw(*Element, {}, tdPrint, true);
    EXPECT_EQ(Written(tdPrint), Composed(GetParam(), "price"));
}

TEST_P(TextDataRules, UnknownFieldRaisesTheDataLayerErrorAndKeepsTheText) {
    Element->Field = "colour";
    EXPECT_THROW(KxTestDraw(*Element, {}, tdPrint, true), EDBEngineError);
    EXPECT_EQ(Element->Text, "text");
    EXPECT_TRUE(Owner.Texts(tdPrint).empty());
}

INSTANTIATE_TEST_SUITE_P(AllKinds, TextDataRules, ::testing::Values(deText, dePoliText, deParagraph),
                         KindName);
