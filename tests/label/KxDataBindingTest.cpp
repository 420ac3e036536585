#include "label/KxDataBinding.h"

#include <gtest/gtest.h>
#include <memory>

#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/Field.h"
#include "db/Session.h"
#include "db/Table.h"
#include "label/KxAlias.h"

using namespace KxBinding;

namespace {

TKxAliasItem* AddAlias(TKxAlias& Alias, const QString& Name) {
    TKxAliasItem* item = Alias.Add();
    item->SetName(Name);
    return item;
}

void AddTable(TKxAliasItem& Item, const QString& Name, const QString& Caption = {}) {
    TKxTableItem* table = Item.GetTables()->Add();
    table->SetName(Name);
    if (!Caption.isEmpty()) table->SetCaption(Caption);
}

} // namespace

// Filtering and lookups on plain lists: no database needed.
TEST(KxAliasFilter, KeepsNamedAliasesInTheGivenOrderIgnoringCase) {
    TKxAlias alias;
    QStringList names{"A", "B", "C"};
    FilterAliasNames(names, alias);
    EXPECT_EQ(names, (QStringList{"A", "B", "C"}));
    AddAlias(alias, "b");
    AddAlias(alias, "A");
    AddAlias(alias, "Missing");
    FilterAliasNames(names, alias);
    EXPECT_EQ(names, (QStringList{"A", "B"}));
    QStringList none{"C", "D", "E"};
    FilterAliasNames(none, alias);
    EXPECT_TRUE(none.isEmpty());
}

TEST(KxAliasFilter, HasTablesIsCaseSensitiveNeedsTablesAndTakesTheLast) {
    TKxAlias alias;
    AddTable(*AddAlias(alias, "Shop"), "t1");
    AddAlias(alias, "Stock");
    AddTable(*AddAlias(alias, "Shop"), "t2");
    EXPECT_EQ(HasTables(alias, "Shop"), 2);
    EXPECT_EQ(HasTables(alias, "shop"), -1);
    EXPECT_EQ(HasTables(alias, "Stock"), -1);
    EXPECT_EQ(HasTables(alias, "Other"), -1);
}

TEST(KxAliasFilter, FindTableTakesTheLastExactNameElseZero) {
    TKxAlias alias;
    TKxAliasItem* item = AddAlias(alias, "Shop");
    AddTable(*item, "cust.db", "Customers");
    AddTable(*item, "orders");
    AddTable(*item, "cust.db", "Clients");
    EXPECT_EQ(FindTable(alias, 0, "cust.db"), 2);
    EXPECT_EQ(FindTable(alias, 0, "orders"), 1);
    EXPECT_EQ(FindTable(alias, 0, "ORDERS"), 0);
    EXPECT_EQ(FindTable(alias, 0, ""), 0);
    AddAlias(alias, "Empty");
    EXPECT_EQ(FindTable(alias, 1, "orders"), 0);
}

TEST(KxAliasFilter, ChooseTextIgnoresCase) {
    EXPECT_EQ(ChooseText({"alpha", "Beta", "beta"}, "BETA"), 1);
    EXPECT_EQ(ChooseText({"alpha", "Beta"}, "gamma"), 0);
    EXPECT_EQ(ChooseText({}, "gamma"), -1);
}

TEST(KxFilterMenu, OperatorsAndEntryStates) {
    EXPECT_EQ(FilterOperator(TFilterOp::AtMost), "<=");
    EXPECT_EQ(FilterOperator(TFilterOp::AtLeast), ">=");
    TTable table;
    table.SetFilter("([Name] = 'Ann')");
    TFilterMenuState state = FilterMenuState(table);
    EXPECT_FALSE(state.ExecuteChecked);
    EXPECT_TRUE(state.ExecuteEnabled && state.DeleteEnabled);
    table.SetFiltered(true);
    EXPECT_TRUE(FilterMenuState(table).ExecuteChecked);
}

// The session's aliases: three real databases A, B and C of the engine.
class KxAliasChoice : public TEngineTest {
protected:
    void SetUp() override {
        TEngineTest::SetUp();
        if (IsSkipped() || HasFailure()) return;
        FB = std::make_unique<TTestDatabase>(GetParam());
        FC = std::make_unique<TTestDatabase>(GetParam());
        // cust.db: a quoted table name on SQLite; on the server a dotted name is schema.table.
        const QString cust = GetParam() == TTestEngine::SQLite ? "\"cust.db\"" : "cust.db";
        for (TTestDatabase* db : {FDb.get(), FB.get(), FC.get()})
            ASSERT_TRUE(db->Exec((GetParam() == TTestEngine::SQLite ? "" : "CREATE SCHEMA cust;\n") +
                                 QString("CREATE TABLE orders (id integer PRIMARY KEY, item varchar(20));\n"
                                         "CREATE TABLE %1 (id integer PRIMARY KEY, name varchar(20));\n"
                                         "INSERT INTO %1 VALUES (1, 'Ann');\n"
                                         "INSERT INTO orders VALUES (7, 'pen')")
                                     .arg(cust)));
    }

    QStringList SessionTables(const QString& AliasName) {
        QStringList tables;
        Session().GetTableNames(AliasName, {}, true, false, tables);
        return tables;
    }

    std::unique_ptr<TTestDatabase> FB;
    std::unique_ptr<TTestDatabase> FC;
    TKxAlias FAlias;
};

TEST_P(KxAliasChoice, EmptyCatalogueOffersEverythingTheSessionHas) {
    QStringList session;
    Session().GetAliasNames(session);
    EXPECT_EQ(AliasNames(FAlias, Session()), session);
    const TTableList list = TableList(FAlias, Session(), FB->Alias(), "ORDERS");
    EXPECT_EQ(list.Items, SessionTables(FB->Alias()));
    EXPECT_EQ(list.Items, (QStringList{"cust.db", "orders"}));
    EXPECT_EQ(list.AliasIndex, -1);
    EXPECT_EQ(list.ItemIndex, 1);
    EXPECT_EQ(TableList(FAlias, Session(), FB->Alias(), "gone").ItemIndex, 0);
}

TEST_P(KxAliasChoice, CatalogueOfAAndBOffersThemInSessionOrder) {
    AddAlias(FAlias, FB->Alias().toUpper());
    AddAlias(FAlias, FDb->Alias());
    EXPECT_EQ(AliasNames(FAlias, Session()), (QStringList{FDb->Alias(), FB->Alias()}));
}

TEST_P(KxAliasChoice, CaptionedTableIsOfferedAndBoundByName) {
    AddTable(*AddAlias(FAlias, FDb->Alias()), "cust.db", "Customers");
    const TTableList list = TableList(FAlias, Session(), FDb->Alias(), "orders");
    EXPECT_EQ(list.Items, QStringList{"Customers"});
    EXPECT_EQ(list.AliasIndex, 0);
    EXPECT_EQ(list.ItemIndex, 0);

    TTable table;
    ASSERT_TRUE(SelectTable(table, FAlias, FDb->Alias(), list.AliasIndex, list.Items[0], list.ItemIndex));
    EXPECT_EQ(table.DatabaseName(), FDb->Alias());
    EXPECT_EQ(table.TableName(), "cust.db");
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(ReadFieldTexts(table, "name"), QStringList{"Ann"});
}

TEST_P(KxAliasChoice, CatalogueNameInOtherCaseFiltersButKeepsSessionTables) {
    AddTable(*AddAlias(FAlias, FDb->Alias().toUpper()), "cust.db", "Customers");
    EXPECT_EQ(AliasNames(FAlias, Session()), QStringList{FDb->Alias()});
    const TTableList list = TableList(FAlias, Session(), FDb->Alias(), "orders");
    EXPECT_EQ(list.AliasIndex, -1);
    EXPECT_EQ(list.Items, (QStringList{"cust.db", "orders"}));
    EXPECT_EQ(list.ItemIndex, 1);
}

TEST_P(KxAliasChoice, RebindingKeepsTheFilterAndFiltersOnlyWithOne) {
    TTable table;
    ASSERT_TRUE(SelectTable(table, FAlias, FDb->Alias(), -1, "orders", 0));
    EXPECT_FALSE(table.Filtered());
    table.Close();
    table.SetFilter("([name] = 'Ann')");
    ASSERT_TRUE(SelectTable(table, FAlias, FB->Alias(), -1, "cust.db", 0));
    EXPECT_EQ(table.DatabaseName(), FB->Alias());
    EXPECT_EQ(table.Filter(), "([name] = 'Ann')");
    EXPECT_TRUE(table.Filtered());
    EXPECT_EQ(table.RecordCount(), 1);
    // A filter that names a field the new table lacks: the layer's error, the binding as just set.
    EXPECT_THROW(SelectTable(table, FAlias, FC->Alias(), -1, "orders", 0), EDBEngineError);
    EXPECT_EQ(table.DatabaseName(), FC->Alias());
    EXPECT_EQ(table.TableName(), "orders");
    EXPECT_FALSE(table.Active());
}

TEST_P(KxAliasChoice, NothingOfferedLeavesTheTableAlone) {
    AddAlias(FAlias, "nowhere");
    EXPECT_TRUE(AliasNames(FAlias, Session()).isEmpty());
    const TTableList list = TableList(FAlias, Session(), QString(), "orders");
    EXPECT_TRUE(list.Items.isEmpty());
    EXPECT_EQ(list.ItemIndex, -1);
    TTable table;
    table.SetDatabaseName(FDb->Alias());
    EXPECT_FALSE(SelectTable(table, FAlias, QString(), list.AliasIndex, QString(), list.ItemIndex));
    EXPECT_EQ(table.DatabaseName(), FDb->Alias());
    EXPECT_FALSE(table.Active());
}

KXLAB_INSTANTIATE_ENGINES(KxAliasChoice);

// Conditions from the products table, whose first record (id 2) is O'Hara's and second (id 4) all NULL.
class KxConditions : public TProductsTest {
protected:
    // The ids of the records that Condition(field, Op) on the current record lets through.
    QStringList Matching(const QString& Condition) {
        TTable check;
        BindProducts(check, Condition);
        check.Open();
        return ReadFieldTexts(check, "id");
    }
};

struct TConditionCase {
    const char* Field;
    const char* Op;
    const char* Condition;
    const char* Ids;
};

class KxConditionOfType : public KxConditions {
public:
    static const std::vector<TConditionCase>& Cases() {
        static const std::vector<TConditionCase> cases = {
            {"name", "=", "([name] = 'O''Hara')", "2"},
            {"price", "=", "([price] = 0.30000000000000004)", "2"},
            {"qty", "<=", "([qty] <= -3)", "2"},
            {"instock", "=", "([instock] = False)", "2,7"},
            {"made", ">=", "([made] >= '2023-12-31')", "2,5,7"},
            {"at", "<>", "([at] <> '23:59:59')", "5,7,9"},
            {"stamp", "=", "([stamp] = '2023-12-31 23:59:59')", "2"},
            {"note", "=", "([note] = 'it''s')", "2"},
            {"cost", "<=", "([cost] <= 0.1)", "2,7"},
        };
        return cases;
    }
};

TEST_P(KxConditionOfType, QuotesOrNotByTypeAndOpensWithTheRightRecords) {
    for (const TConditionCase& c : Cases()) {
        SCOPED_TRACE(c.Field);
        FTable.First();
        const QString condition = Condition(FTable.FieldByName(c.Field), c.Op);
        EXPECT_EQ(condition, c.Condition);
        EXPECT_EQ(Matching(condition).join(','), c.Ids);
    }
}

KXLAB_INSTANTIATE_ENGINES(KxConditionOfType);

TEST_P(KxConditions, NullCellsGiveIsNull) {
    FTable.Next();
    ASSERT_TRUE(FTable.FieldByName("id").AsString() == "4");
    for (const char* field : {"name", "qty", "price", "made", "instock", "note"}) {
        SCOPED_TRACE(field);
        const QString isNull = Condition(FTable.FieldByName(field), "=");
        EXPECT_EQ(isNull, QString("([%1] IS NULL)").arg(field));
        EXPECT_EQ(Matching(isNull), QStringList{"4"});
        EXPECT_EQ(Condition(FTable.FieldByName(field), ">="), isNull);
        const QString notNull = Condition(FTable.FieldByName(field), "<>");
        EXPECT_EQ(notNull, QString("([%1] IS NOT NULL)").arg(field));
        EXPECT_FALSE(Matching(notNull).contains("4"));
    }
}

TEST_P(KxConditions, PicturesCannotBeCompared) {
    FTable.First();
    FTable.Next();
    FTable.Next();
    try {
        Condition(FTable.FieldByName("pic"), "=");
        FAIL() << "a picture value was compared";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.Message().contains("\"pic\"")) << e.what();
    }
}

TEST_P(KxConditions, AddFilterAppendsWithAndAndReopens) {
    FTable.Close(); // an open reader would hold SQLite's lock against the set-up's writes
    ASSERT_TRUE(
        FDb->Exec("CREATE TABLE people (id integer PRIMARY KEY, name varchar(20), price double precision);\n"
                  "INSERT INTO people VALUES (1, 'Ann', 1.5);\n"
                  "INSERT INTO people VALUES (2, 'Bob', 1.0);\n"
                  "INSERT INTO people VALUES (3, 'Ann', 2.5);\n"
                  "INSERT INTO people VALUES (4, 'Ann', 0.5)"));
    TTable people;
    people.SetDatabaseName(FDb->Alias());
    people.SetTableName("people");
    people.Open();
    AddFilter(people.FieldByName("name"), FilterOperator(TFilterOp::Equal));
    EXPECT_EQ(people.Filter(), "([name] = 'Ann')");
    EXPECT_TRUE(people.Filtered());
    EXPECT_TRUE(people.Active());
    EXPECT_EQ(people.RecordCount(), 3);

    AddFilter(people.FieldByName("price"), FilterOperator(TFilterOp::AtMost));
    EXPECT_EQ(people.Filter(), "([name] = 'Ann') AND ([price] <= 1.5)");
    EXPECT_EQ(ReadFieldTexts(people, "id"), (QStringList{"1", "4"}));

    people.SetFiltered(false);
    ExecuteFilter(people);
    EXPECT_TRUE(people.Filtered());
    EXPECT_EQ(people.RecordCount(), 2);

    DeleteFilter(people);
    EXPECT_EQ(people.Filter(), "");
    EXPECT_FALSE(people.Filtered());
    EXPECT_EQ(people.RecordCount(), 4);
    const TFilterMenuState state = FilterMenuState(people);
    EXPECT_FALSE(state.ExecuteChecked || state.ExecuteEnabled || state.DeleteEnabled);
}

TEST_P(KxConditions, FieldListsByKindOpenAndCloseTheTable) {
    EXPECT_EQ(
        FieldLabels(FTable, TFieldChoice::All),
        (QStringList{"id", "name", "price", "qty", "instock", "made", "at", "stamp", "note", "cost", "pic"}));
    EXPECT_FALSE(FTable.Active());
    EXPECT_EQ(FieldLabels(FTable, TFieldChoice::Boolean), QStringList{"instock"});
    EXPECT_EQ(FieldLabels(FTable, TFieldChoice::Graphic), QStringList{"pic"});
    EXPECT_FALSE(FTable.Active());
    FTable.SetTableName("absent");
    EXPECT_THROW(FieldLabels(FTable, TFieldChoice::All), EDBEngineError);
}

KXLAB_INSTANTIATE_ENGINES(KxConditions);

// SQLite keeps a decimal typed with a comma as text; the condition still gets a point.
TEST(KxConditionComma, DecimalTextWithACommaGetsAPoint) {
    TTestDatabase db(TTestEngine::SQLite);
    ASSERT_TRUE(db.Exec("CREATE TABLE prices (id INTEGER PRIMARY KEY, cost DECIMAL(10,2), fee MONEY);\n"
                        "INSERT INTO prices VALUES (1, '1,5', '2,25')"));
    TTable table;
    table.SetDatabaseName(db.Alias());
    table.SetTableName("prices");
    table.Open();
    ASSERT_EQ(table.FieldByName("cost").AsString(), "1,5");
    EXPECT_EQ(Condition(table.FieldByName("cost"), "<="), "([cost] <= 1.5)");
    EXPECT_EQ(Condition(table.FieldByName("fee"), ">="), "([fee] >= 2.25)");
    AddFilter(table.FieldByName("cost"), "<=");
    EXPECT_TRUE(table.Active());
}
