#include "db/Table.h"
#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/FilterExpr.h"
#include "db/Session.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class TableTest : public ::testing::TestWithParam<TTestEngine> {
protected:
    void SetUp() override {
        QString reason;
        if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
        FDb = std::make_unique<TTestDatabase>(GetParam());
        ASSERT_FALSE(HasFailure());
    }

    // Opens the products table with a filter; an empty filter means unfiltered.
    void OpenProducts(const QString& filter = {}) {
        ASSERT_TRUE(FDb->CreateProducts());
        Bind(QStringLiteral("products"), filter);
        FTable.Open();
    }

    void Bind(const QString& table, const QString& filter = {}) {
        FTable.SetDatabaseName(FDb->Alias());
        FTable.SetTableName(table);
        FTable.SetFilter(filter);
        FTable.SetFiltered(!filter.isEmpty());
    }

    // The ids of the records read from the current one on with Next.
    std::vector<int> ReadIds() {
        std::vector<int> ids;
        while (FTable.RecNo() > 0 && ids.size() < 10000) {
            ids.push_back(FTable.FieldByName(QStringLiteral("id")).AsString().toInt());
            FTable.Next();
            if (FTable.Eof()) break;
        }
        return ids;
    }

    std::unique_ptr<TTestDatabase> FDb;
    TTable FTable;
};

TEST_P(TableTest, ReadsRecordsInKeyOrderWithNamedFields) {
    OpenProducts();
    EXPECT_TRUE(FTable.Active());
    ASSERT_EQ(FTable.FieldCount(), 11);
    EXPECT_EQ(FTable.Fields(1).FieldName(), "name");
    EXPECT_EQ(FTable.Fields(1).DisplayLabel(), "name");
    EXPECT_EQ(FTable.Fields(1).DataSet(), &FTable);
    EXPECT_EQ(&FTable.FieldByName(QStringLiteral("PRICE")), &FTable.Fields(2));
    EXPECT_EQ(ReadIds(), (std::vector<int>{2, 4, 5, 7, 9}));
    EXPECT_EQ(FTable.OrderColumns(), QStringList{"\"id\""});
    EXPECT_EQ(FTable.RecordCount(), 5);
}

TEST_P(TableTest, MapsColumnTypes) {
    OpenProducts();
    const std::vector<TFieldType> expected = {TFieldType::Integer, TFieldType::String,   TFieldType::Float,
                                              TFieldType::Integer, TFieldType::Boolean,  TFieldType::Date,
                                              TFieldType::Time,    TFieldType::DateTime, TFieldType::String,
                                              TFieldType::BCD,     TFieldType::Graphic};
    for (int i = 0; i < FTable.FieldCount(); ++i)
        EXPECT_EQ(FTable.Fields(i).DataType(), expected[i]) << FTable.Fields(i).FieldName().toStdString();
}

struct TStringCase {
    int Id;
    QStringList Values; // name, price, qty, instock, made, at, stamp, note, cost
};

TEST_P(TableTest, AsStringGivesPortableTextPerType) {
    OpenProducts();
    const std::vector<TStringCase> cases = {
        {2,
         {"O'Hara", "0.30000000000000004", "-3", "False", "2023-12-31", "23:59:59", "2023-12-31 23:59:59",
          "it's", "0.1"}},
        {4, {"", "", "", "", "", "", "", "", ""}},
        {5, {"Apple", "1.5", "10", "True", "2024-03-01", "08:30:00", "2024-03-01 08:30:00", "crisp", "12.5"}},
        {7,
         {"apple", "2.25", "3", "False", "2024-02-29", "12:15:30", "2024-01-15 07:05:09", "a\nb", "-2.75"}},
        {9, {"Zoë", "100000", "0", "True", "2000-01-01", "00:00:00", "2024-02-29 12:00:00.250", "", "7"}},
    };
    for (const TStringCase& c : cases) {
        SCOPED_TRACE(c.Id);
        ASSERT_EQ(FTable.Fields(0).AsString().toInt(), c.Id);
        for (int i = 0; i < c.Values.size(); ++i)
            EXPECT_EQ(FTable.Fields(i + 1).AsString(), c.Values[i])
                << FTable.Fields(i + 1).FieldName().toStdString();
        EXPECT_EQ(FTable.Fields(10).AsString(), "");
        FTable.Next();
    }
}

TEST_P(TableTest, AsBooleanAndPictureBytes) {
    OpenProducts();
    std::vector<bool> inStock;
    std::vector<QByteArray> pictures;
    for (FTable.First(); !FTable.Eof(); FTable.Next()) {
        inStock.push_back(FTable.FieldByName(QStringLiteral("instock")).AsBoolean());
        pictures.push_back(FTable.FieldByName(QStringLiteral("pic")).AsBytes());
    }
    EXPECT_EQ(inStock, (std::vector<bool>{false, false, true, false, true}));
    EXPECT_EQ(pictures, (std::vector<QByteArray>{{}, {}, TestPicture(1), TestPicture(3), TestPicture(2)}));
    FTable.First();
    EXPECT_TRUE(FTable.FieldByName(QStringLiteral("pic")).IsNull());
}

// A condition built from a field's text, the way the label dialog builds it, finds the record again.
TEST_P(TableTest, ConditionFromAsStringMatchesItsRecord) {
    OpenProducts();
    struct TCondition {
        QString Filter;
        int Id;
    };
    std::vector<TCondition> conditions;
    for (FTable.First(); !FTable.Eof(); FTable.Next()) {
        for (int i = 0; i < FTable.FieldCount(); ++i) {
            const TField& f = FTable.Fields(i);
            if (f.DataType() == TFieldType::Graphic) continue;
            QString value = f.AsString();
            if (IsQuotedFieldType(f.DataType())) value = "'" + value.replace("'", "''") + "'";
            conditions.push_back({QStringLiteral("([%1] = %2)").arg(f.FieldName(), value),
                                  f.DataSet()->Fields(0).AsString().toInt()});
        }
    }
    FTable.Close();
    for (const TCondition& c : conditions) {
        SCOPED_TRACE(c.Filter.toStdString());
        FTable.SetFilter(c.Filter);
        FTable.SetFiltered(true);
        ASSERT_NO_THROW(FTable.Open());
        EXPECT_GE(FTable.RecordCount(), 1);
        bool found = false;
        for (; !FTable.Eof(); FTable.Next())
            found = found || FTable.Fields(0).AsString().toInt() == c.Id;
        EXPECT_TRUE(found);
        FTable.Close();
    }
}

struct TFilterCase {
    const char* Filter;
    std::vector<int> Ids;
};

TEST_P(TableTest, FiltersCountAndMoveTogether) {
    const std::vector<TFilterCase> cases = {
        {"([name] = 'O''Hara')", {2}},
        {"([price] <= 1.5)", {2, 5}},
        {"[price] >= '1,5' AND instock = TRUE", {5, 9}},
        {"([instock] = 'False')", {2, 7}},
        {"([made] >= '2024-01-01') AND ([made] < '2024-03-01')", {7}},
        {"[stamp] > '2024-02-29 12:00:00'", {5, 9}},
        {"[at] = '08:30'", {5}},
        {"NOT ([qty] > 0) OR [name] IS NULL", {2, 4, 9}},
        {"[qty] = 2.5 OR [qty] < -2.5", {2}},
        {"[name] = ''", {4}},
        {"[note] = ''", {4, 9}},
        {"[cost] <> ", {2, 5, 7, 9}},
        {"[pic] IS NOT NULL AND [cost] < 0", {7}},
        {"5 < [qty]", {5}},
        {"   ", {2, 4, 5, 7, 9}},
    };
    ASSERT_TRUE(FDb->CreateProducts());
    Bind(QStringLiteral("products"));
    for (const TFilterCase& c : cases) {
        SCOPED_TRACE(c.Filter);
        FTable.SetFilter(QString::fromUtf8(c.Filter));
        FTable.SetFiltered(true);
        FTable.Open();
        EXPECT_EQ(FTable.RecordCount(), static_cast<int>(c.Ids.size()));
        EXPECT_EQ(ReadIds(), c.Ids);
        FTable.Close();
    }
}

TEST_P(TableTest, UnfilteredIgnoresTheFilterText) {
    OpenProducts(QStringLiteral("[qty] > 0"));
    EXPECT_EQ(FTable.RecordCount(), 2);
    FTable.SetFiltered(false);
    EXPECT_EQ(FTable.RecordCount(), 5);
    EXPECT_EQ(FTable.RecNo(), 1);
    FTable.SetFilter(QStringLiteral("[qty] >= 10"));
    EXPECT_EQ(FTable.RecordCount(), 5);
    FTable.SetFiltered(true);
    EXPECT_EQ(FTable.RecordCount(), 1);
    EXPECT_EQ(ReadIds(), std::vector<int>{5});
}

TEST_P(TableTest, BadFilterOnOpenTableKeepsTheRecords) {
    OpenProducts(QStringLiteral("[qty] > 0"));
    FTable.Next();
    EXPECT_THROW(FTable.SetFilter(QStringLiteral("[qty] > 0 AND [nope] = 1")), EDBEngineError);
    EXPECT_EQ(FTable.Filter(), "[qty] > 0");
    EXPECT_EQ(FTable.RecNo(), 2);
    EXPECT_EQ(FTable.RecordCount(), 2);
}

TEST_P(TableTest, UnknownFieldInFilterSaysWhereAndStaysClosed) {
    ASSERT_TRUE(FDb->CreateProducts());
    Bind(QStringLiteral("products"), QStringLiteral("([name] = 'x') AND ([Prize] <= 1.5)"));
    try {
        FTable.Open();
        FAIL() << "opened";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.Message().contains("position 21")) << e.what();
        EXPECT_TRUE(e.Message().contains("Prize")) << e.what();
        EXPECT_TRUE(e.Message().contains(FDb->Alias())) << e.what();
    }
    EXPECT_FALSE(FTable.Active());
    EXPECT_EQ(FTable.FieldCount(), 0);
}

TEST_P(TableTest, NextPastTheLastRecordStaysOnIt) {
    OpenProducts();
    EXPECT_TRUE(FTable.Bof());
    EXPECT_EQ(FTable.MoveBy(3), 3);
    EXPECT_EQ(FTable.RecNo(), 4);
    EXPECT_EQ(FTable.MoveBy(10), 1);
    EXPECT_TRUE(FTable.Eof());
    EXPECT_EQ(FTable.RecNo(), 5);
    EXPECT_EQ(FTable.Fields(0).AsString(), "9");
    FTable.Next();
    EXPECT_EQ(FTable.Fields(1).AsString(), "Zoë");
    FTable.First();
    EXPECT_FALSE(FTable.Eof());
    EXPECT_EQ(FTable.Fields(0).AsString(), "2");
}

// The engine skips the records before the first asked for: a run that starts far into a table reads
// only from there, within its read limit.
TEST_P(TableTest, FirstFromStreamsFromARecordReadingNoneBefore) {
    OpenProducts();
    const std::vector<int> all = ReadIds();
    ASSERT_EQ(all.size(), 5u);
    const qint64 fetched = FTable.RowsFetched();
    FTable.FirstFrom(4);
    EXPECT_EQ(FTable.RecNo(), 4);
    EXPECT_EQ(ReadIds(), std::vector<int>(all.begin() + 3, all.end()));
    EXPECT_EQ(FTable.RowsFetched() - fetched, 2);
    FTable.SetReadLimit(4);
    FTable.FirstFrom(2);
    EXPECT_EQ(ReadIds(), std::vector<int>(all.begin() + 1, all.begin() + 4));
    for (const qint64 limit : {4, 0}) {
        FTable.SetReadLimit(limit);
        FTable.FirstFrom(6);
        EXPECT_TRUE(FTable.Eof()) << limit;
        EXPECT_EQ(FTable.RecNo(), 0) << limit;
    }
}

TEST_P(TableTest, EmptyResultIsAtBothEnds) {
    OpenProducts(QStringLiteral("[qty] > 1000"));
    EXPECT_TRUE(FTable.Eof());
    EXPECT_TRUE(FTable.Bof());
    EXPECT_EQ(FTable.RecNo(), 0);
    EXPECT_EQ(FTable.MoveBy(2), 0);
    FTable.Last();
    EXPECT_EQ(FTable.RecNo(), 0);
    EXPECT_EQ(FTable.FieldByName(QStringLiteral("name")).AsString(), "");
    EXPECT_EQ(FTable.RecordCount(), 0);
}

TEST_P(TableTest, BrowsesBackAndForthAcrossWindows) {
    ASSERT_TRUE(FDb->Exec(QStringLiteral("CREATE TABLE items (k INTEGER PRIMARY KEY, v INTEGER)")));
    std::vector<QVariantList> rows;
    const int count = TTable::PageSize * 3 + 17;
    for (int i = count; i >= 1; --i)
        rows.push_back({i * 10, i % 7});
    ASSERT_TRUE(FDb->Insert(QStringLiteral("items"), {"k", "v"}, rows));
    Bind(QStringLiteral("items"), QStringLiteral("[v] <> 3"));
    FTable.Open();
    const int passing = FTable.RecordCount();
    EXPECT_EQ(passing, count - count / 7 - (count % 7 >= 3 ? 1 : 0));

    // Record n of the filtered order, for comparison.
    std::vector<int> keys;
    for (int i = 1; i <= count; ++i)
        if (i % 7 != 3) keys.push_back(i * 10);
    const auto key = [&] { return FTable.Fields(0).AsString().toInt(); };

    FTable.Last();
    EXPECT_TRUE(FTable.Eof());
    EXPECT_EQ(FTable.RecNo(), passing);
    EXPECT_EQ(key(), keys.back());
    for (int n = passing - 1; n >= 1; --n) {
        FTable.Prior();
        ASSERT_EQ(FTable.RecNo(), n);
        ASSERT_EQ(key(), keys[n - 1]);
    }
    FTable.Prior();
    EXPECT_TRUE(FTable.Bof());
    EXPECT_EQ(FTable.RecNo(), 1);
    FTable.SetRecNo(TTable::PageSize + 5);
    EXPECT_EQ(key(), keys[TTable::PageSize + 4]);
    EXPECT_EQ(FTable.MoveBy(-TTable::PageSize), -TTable::PageSize);
    EXPECT_EQ(key(), keys[4]);
    EXPECT_EQ(FTable.MoveBy(-10), -4);
    EXPECT_TRUE(FTable.Bof());
    FTable.Next();
    EXPECT_EQ(key(), keys[1]);
    // Streaming forward then stepping back switches reading without losing the place.
    FTable.First();
    EXPECT_EQ(FTable.MoveBy(TTable::PageSize * 2), TTable::PageSize * 2);
    FTable.Prior();
    EXPECT_EQ(key(), keys[TTable::PageSize * 2 - 1]);
    FTable.Next();
    FTable.Next();
    EXPECT_EQ(key(), keys[TTable::PageSize * 2 + 1]);
    FTable.SetRecNo(passing + 100);
    EXPECT_EQ(FTable.RecNo(), passing);
}

TEST_P(TableTest, TableWithoutKeyKeepsAStableOrder) {
    ASSERT_TRUE(FDb->Exec(QStringLiteral("CREATE TABLE loose (b VARCHAR(10), a INTEGER)")));
    ASSERT_TRUE(FDb->Insert(QStringLiteral("loose"), {"b", "a"}, {{"y", 2}, {"x", 3}, {"y", 1}, {"x", 1}}));
    Bind(QStringLiteral("loose"));
    FTable.Open();
    QStringList seen;
    for (; !FTable.Eof(); FTable.Next())
        seen << FTable.Fields(0).AsString() + FTable.Fields(1).AsString();
    if (GetParam() == TTestEngine::SQLite) {
        EXPECT_EQ(FTable.OrderColumns(), QStringList{"rowid"});
        EXPECT_EQ(seen, (QStringList{"y2", "x3", "y1", "x1"}));
    } else {
        EXPECT_EQ(FTable.OrderColumns(), (QStringList{"\"b\"", "\"a\""}));
        EXPECT_EQ(seen, (QStringList{"x1", "x3", "y1", "y2"}));
    }
}

TEST_P(TableTest, BindingCannotChangeWhileOpen) {
    OpenProducts();
    EXPECT_THROW(FTable.SetTableName(QStringLiteral("other")), EDBEngineError);
    EXPECT_THROW(FTable.SetDatabaseName(QStringLiteral("other")), EDBEngineError);
    EXPECT_NO_THROW(FTable.SetTableName(QStringLiteral("products")));
    EXPECT_THROW(FTable.FieldByName(QStringLiteral("nope")), EDBEngineError);
    EXPECT_EQ(FTable.FindField(QStringLiteral("nope")), nullptr);
    EXPECT_THROW(FTable.Fields(11), EDBEngineError);
    FTable.SetActive(false);
    EXPECT_FALSE(FTable.Active());
    EXPECT_EQ(FTable.RecordCount(), 0);
    EXPECT_THROW(FTable.Next(), EDBEngineError);
    TTable copy;
    copy.Assign(FTable);
    EXPECT_EQ(copy.DatabaseName(), FDb->Alias());
    EXPECT_EQ(copy.TableName(), "products");
    copy.SetActive(true);
    EXPECT_EQ(copy.RecordCount(), 5);
}

TEST_P(TableTest, OpeningFailuresNameAliasAndTable) {
    const auto message = [&](const QString& alias, const QString& table) {
        TTable t;
        t.SetDatabaseName(alias);
        t.SetTableName(table);
        try {
            t.Open();
        } catch (const EDBEngineError& e) {
            EXPECT_FALSE(t.Active());
            return e.Message();
        }
        return QStringLiteral("opened");
    };
    EXPECT_TRUE(message(FDb->Alias(), QStringLiteral("missing")).contains("\"missing\""));
    EXPECT_TRUE(message(FDb->Alias(), QStringLiteral("missing")).contains("does not exist"));
    EXPECT_TRUE(message(QStringLiteral("NoSuchAlias"), QStringLiteral("t")).contains("\"NoSuchAlias\""));
    EXPECT_TRUE(message(FDb->Alias(), {}).contains("no table name"));
    EXPECT_TRUE(message({}, QStringLiteral("t")).contains("no alias"));
    // A name shaped like a quoted identifier must not escape its quotes.
    EXPECT_TRUE(
        message(FDb->Alias(), QStringLiteral("\"x\"; DROP TABLE products; --")).contains("does not exist"));
}

TEST_P(TableTest, RefreshSeesNewRows) {
    OpenProducts(QStringLiteral("[qty] >= 0"));
    EXPECT_EQ(FTable.RecordCount(), 3);
    // A SQLite writer waits for a running forward read; the browse window holds no read open.
    FTable.Last();
    ASSERT_TRUE(FDb->Insert(QStringLiteral("products"), {"id", "qty"}, {{1, 50}}));
    FTable.Refresh();
    EXPECT_EQ(FTable.RecordCount(), 4);
    EXPECT_EQ(FTable.Fields(0).AsString(), "1");
}

TEST_P(TableTest, HostileFiltersAreRejectedAndChangeNothing) {
    ASSERT_TRUE(FDb->CreateProducts());
    const QStringList hostile = {
        "[name] = 'x'; DROP TABLE products",
        "[name] = 'x' -- comment",
        "[name] = 'x' /* c */",
        "[name] = 'x'') OR 1=1 --",
        "[name] = (SELECT name FROM products)",
        "upper([name]) = 'X'",
        "[products]; DELETE FROM products",
        "[qty] = 1 UNION SELECT 1",
        "[qty] = 1; UPDATE products SET qty = 0",
    };
    Bind(QStringLiteral("products"));
    for (const QString& filter : hostile) {
        SCOPED_TRACE(filter.toStdString());
        FTable.SetFilter(filter);
        FTable.SetFiltered(true);
        EXPECT_THROW(FTable.Open(), EDBEngineError);
        EXPECT_FALSE(FTable.Active());
    }
    EXPECT_EQ(FDb->Count(QStringLiteral("products")), 5);
    EXPECT_TRUE(FDb->Exec(QStringLiteral("SELECT qty FROM products WHERE qty = 0")));
}

TEST_P(TableTest, EachRecordIsReadOnceHoweverOftenItIsAskedFor) {
    OpenProducts();
    FTable.MoveBy(4);
    ASSERT_EQ(FTable.RecNo(), 5);
    const qint64 fetched = FTable.RowsFetched();
    // A run's labels past the last record, and its copies of one record, read it again and again.
    for (int i = 0; i < 1000; ++i) {
        FTable.Next();
        EXPECT_EQ(FTable.FieldByName(QStringLiteral("name")).AsString(), "Zoë");
    }
    EXPECT_TRUE(FTable.Eof());
    EXPECT_EQ(FTable.RecNo(), 5);
    EXPECT_EQ(FTable.RowsFetched(), fetched);
    // Moving back still browses.
    EXPECT_EQ(FTable.MoveBy(-2), -2);
    EXPECT_EQ(FTable.Fields(0).AsString(), "5");
}

TEST_P(TableTest, AThousandConditionsOfOneChainWork) {
    ASSERT_TRUE(FDb->CreateProducts());
    for (const char* op : {" OR ", " AND "}) {
        SCOPED_TRACE(op);
        // [id] = 0 OR ... OR [id] = 5: record 5 alone; [id] <> 0 AND ... AND [id] <> 5: 2, 4, 7 and 9.
        QStringList conditions;
        for (int i = 0; i < TFilterExpr::MaxConditions - 1; ++i)
            conditions << QStringLiteral("[id] %1 %2").arg(op[1] == 'O' ? "=" : "<>").arg(1000 + i);
        conditions << QStringLiteral("[id] %1 5").arg(op[1] == 'O' ? "=" : "<>");
        Bind(QStringLiteral("products"), conditions.join(QLatin1String(op)));
        FTable.Open();
        EXPECT_EQ(ReadIds(), op[1] == 'O' ? std::vector<int>{5} : (std::vector<int>{2, 4, 7, 9}));
        EXPECT_EQ(FTable.RecordCount(), op[1] == 'O' ? 1 : 4);
        FTable.Close();
    }
}

TEST_P(TableTest, AReadLimitStopsReadingAndCountingThere) {
    // A name that would pass for a placeholder if the statement were built in steps.
    ASSERT_TRUE(FDb->Exec(QStringLiteral("CREATE TABLE \"it%3\" (id INTEGER PRIMARY KEY)")));
    ASSERT_TRUE(FDb->Insert(QStringLiteral("\"it%3\""), {"id"}, {{1}, {2}, {3}, {4}, {5}}));
    Bind(QStringLiteral("it%3"), QStringLiteral("[id] > 1"));
    FTable.SetReadLimit(3);
    FTable.Open();
    EXPECT_EQ(FTable.RecordCount(), 3);
    EXPECT_EQ(ReadIds(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(FTable.RowsFetched(), 3);
    // Browsing keeps to it as well.
    FTable.SetRecNo(5);
    EXPECT_EQ(FTable.RecNo(), 3);
    FTable.SetReadLimit(0);
    FTable.First();
    EXPECT_EQ(ReadIds(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(FTable.RecordCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(Engines, TableTest, ::testing::Values(TTestEngine::SQLite, TTestEngine::PostgreSQL),
                         [](const auto& info) { return EngineName(info.param).toStdString(); });

// Server types that SQLite does not declare the same way.
TEST(TableServerTypes, MapsServerColumnTypes) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    ASSERT_FALSE(::testing::Test::HasFailure());
    ASSERT_TRUE(db.Exec(QStringLiteral(
        "CREATE TABLE t (a smallint, b bigint, c real, d money, e bytea, f json, g timestamptz, h char(3), "
        "i timetz, j uuid)")));
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO t VALUES (1, 9000000000, 1.1, 12.34, 'ab', '{}', NULL, 'ab', "
                               "NULL, '00000000-0000-0000-0000-000000000001')")));
    TTable table;
    table.SetDatabaseName(db.Alias());
    table.SetTableName(QStringLiteral("t"));
    table.Open();
    const std::vector<TFieldType> expected = {TFieldType::Integer,  TFieldType::Integer, TFieldType::Float,
                                              TFieldType::Currency, TFieldType::Blob,    TFieldType::Memo,
                                              TFieldType::DateTime, TFieldType::String,  TFieldType::Time,
                                              TFieldType::String};
    ASSERT_EQ(table.FieldCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(table.Fields(i).DataType(), expected[i]) << i;
    EXPECT_EQ(table.Fields(1).AsString(), "9000000000");
    EXPECT_EQ(table.Fields(2).AsString(), "1.1");
    EXPECT_EQ(table.Fields(3).AsString(), "12.34");
    EXPECT_EQ(table.Fields(4).AsBytes(), "ab");
    EXPECT_EQ(table.Fields(7).AsString(), "ab ");
    table.Close();
    // Each condition built from those texts finds the row again.
    for (const char* filter : {"[b] = 9000000000", "[c] = 1.1", "[d] = 12.34", "[h] = 'ab '", "[a] = 1.0"}) {
        table.SetFilter(QString::fromLatin1(filter));
        table.SetFiltered(true);
        table.Open();
        EXPECT_EQ(table.RecordCount(), 1) << filter;
        table.Close();
    }
}

} // namespace
