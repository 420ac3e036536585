#include "db/FilterExpr.h"
#include "db/DBEngineError.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<TFilterField> Fields() {
    return {{"Name", TFieldType::String},   {"City", TFieldType::String},     {"Price", TFieldType::Float},
            {"Qty", TFieldType::Integer},   {"InStock", TFieldType::Boolean}, {"Made", TFieldType::Date},
            {"At", TFieldType::Time},       {"Stamp", TFieldType::DateTime},  {"Pic", TFieldType::Graphic},
            {"Two Words", TFieldType::BCD}, {"Note", TFieldType::Memo}};
}

struct TParseCase {
    const char* Filter;
    const char* Tree;
};

class FilterParse : public ::testing::TestWithParam<TParseCase> {};

TEST_P(FilterParse, BuildsTheTree) {
    const TFilterExpr expr(QString::fromUtf8(GetParam().Filter), Fields());
    EXPECT_EQ(expr.Dump().toStdString(), GetParam().Tree);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterParse,
    ::testing::Values(
        TParseCase{"([City] = 'O''Hara') AND ([Price] <= 1.5)", "(AND (= [City] 'O'Hara') (<= [Price] 1.5))"},
        TParseCase{"city <> 'x' or not qty > 3 and [InStock] = true",
                   "(OR (<> [City] 'x') (AND (NOT (> [Qty] 3)) (= [InStock] true)))"},
        TParseCase{"[Two Words] >= -1.25e3", "(>= [Two Words] -1.25e3)"},
        TParseCase{"3 < [Qty]", "(> [Qty] 3)"},
        TParseCase{"[Name] IS NULL OR [Name] is not null", "(OR (ISNULL [Name]) (NOTNULL [Name]))"},
        TParseCase{"[Qty] = NULL AND [Price] <> NULL", "(AND (ISNULL [Qty]) (NOTNULL [Price]))"},
        TParseCase{"([Qty] = ) AND ([Made] = '')", "(AND (ISNULL [Qty]) (ISNULL [Made]))"},
        TParseCase{"[Made] = '2024-02-29'", "(= [Made] '2024-02-29')"},
        TParseCase{"[ Name ] = 'a'", "(= [Name] 'a')"}, TParseCase{"((((Qty = 1))))", "(= [Qty] 1)"},
        TParseCase{"", ""}, TParseCase{" \t\r\n", ""}));

TEST(FilterParse, ParenthesisedFieldIsNotAFunction) {
    EXPECT_THROW(TFilterExpr(QStringLiteral("(Qty) = 1"), Fields()), EDBEngineError);
}

struct TRenderCase {
    const char* Filter;
    const char* LocalSql;
    QVariantList LocalParams;
    const char* ServerSql;
    QStringList ServerParams;
};

class FilterRender : public ::testing::TestWithParam<TRenderCase> {};

TEST_P(FilterRender, QuotesNamesAndBindsEveryLiteral) {
    const TRenderCase& c = GetParam();
    const TFilterExpr expr(QString::fromUtf8(c.Filter), Fields());
    const TFilterSql local = expr.Render(TDBDriver::SQLite);
    EXPECT_EQ(local.Where.toStdString(), c.LocalSql);
    EXPECT_EQ(local.Params, c.LocalParams);
    const TFilterSql server = expr.Render(TDBDriver::PostgreSQL);
    EXPECT_EQ(server.Where.toStdString(), c.ServerSql);
    QStringList serverParams;
    for (const QVariant& v : server.Params)
        serverParams << v.toString();
    EXPECT_EQ(serverParams, c.ServerParams);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterRender,
    ::testing::Values(
        TRenderCase{"([City] = 'O''Hara') AND ([Price] <= 1.5)",
                    "(\"City\" = ? AND \"Price\" <= ?)",
                    {QString("O'Hara"), 1.5},
                    "(\"City\" = ? AND \"Price\" <= ?)",
                    {"O'Hara", "1.5"}},
        TRenderCase{"[Qty] > 2.5", "\"Qty\" > ?", {2.5}, "CAST(\"Qty\" AS numeric) > ?", {"2.5"}},
        TRenderCase{"[Qty] = TRUE OR [Qty] = '7'",
                    "(\"Qty\" = ? OR \"Qty\" = ?)",
                    {qlonglong(1), qlonglong(7)},
                    "(\"Qty\" = ? OR \"Qty\" = ?)",
                    {"1", "7"}},
        TRenderCase{"[InStock] = 'T' AND [InStock] <> 0",
                    "(\"InStock\" = ? AND \"InStock\" <> ?)",
                    {qlonglong(1), qlonglong(0)},
                    "(\"InStock\" = ? AND \"InStock\" <> ?)",
                    {"true", "false"}},
        TRenderCase{"[Made] < '2024-03-01'",
                    "date(\"Made\") < ?",
                    {QString("2024-03-01")},
                    "\"Made\" < ?",
                    {"2024-03-01"}},
        TRenderCase{"[At] >= '08:30'",
                    "strftime('%H:%M:%f', \"At\") >= ?",
                    {QString("08:30:00.000")},
                    "\"At\" >= ?",
                    {"08:30:00.000"}},
        TRenderCase{"[Stamp] = '2024-03-01T08:30:05.5'",
                    "strftime('%Y-%m-%d %H:%M:%f', \"Stamp\") = ?",
                    {QString("2024-03-01 08:30:05.500")},
                    "\"Stamp\" = ?",
                    {"2024-03-01 08:30:05.500"}},
        TRenderCase{"[Name] = ''",
                    "(\"Name\" = ? OR \"Name\" IS NULL)",
                    {QString("")},
                    "(\"Name\" = ? OR \"Name\" IS NULL)",
                    {""}},
        TRenderCase{"NOT [Pic] IS NULL", "(NOT \"Pic\" IS NULL)", {}, "(NOT \"Pic\" IS NULL)", {}},
        TRenderCase{"[Two Words] = '3,75'", "\"Two Words\" = ?", {3.75}, "\"Two Words\" = ?", {"3.75"}},
        TRenderCase{"[Note] = 5", "\"Note\" = ?", {QString("5")}, "\"Note\" = ?", {"5"}},
        TRenderCase{"[Qty] = 1 OR [Qty] = 2 OR ([Qty] = 3 OR [Qty] = 4)",
                    "(\"Qty\" = ? OR \"Qty\" = ? OR \"Qty\" = ? OR \"Qty\" = ?)",
                    {qlonglong(1), qlonglong(2), qlonglong(3), qlonglong(4)},
                    "(\"Qty\" = ? OR \"Qty\" = ? OR \"Qty\" = ? OR \"Qty\" = ?)",
                    {"1", "2", "3", "4"}},
        TRenderCase{"[Qty] = 1 OR [Qty] = 2 AND NOT [Qty] = 3 AND [Qty] = 4 OR [Qty] = 5",
                    "(\"Qty\" = ? OR (\"Qty\" = ? AND (NOT \"Qty\" = ?) AND \"Qty\" = ?) OR \"Qty\" = ?)",
                    {qlonglong(1), qlonglong(2), qlonglong(3), qlonglong(4), qlonglong(5)},
                    "(\"Qty\" = ? OR (\"Qty\" = ? AND (NOT \"Qty\" = ?) AND \"Qty\" = ?) OR \"Qty\" = ?)",
                    {"1", "2", "3", "4", "5"}}));

// Deepest nesting of brackets in Sql.
int BracketDepth(const QString& Sql) {
    int depth = 0;
    int deepest = 0;
    for (const QChar c : Sql) {
        if (c == u'(') deepest = std::max(deepest, ++depth);
        if (c == u')') --depth;
    }
    return deepest;
}

TEST(FilterRenderChain, ALongChainNestsInFewFlatGroupsInOrder) {
    QStringList conditions;
    for (int i = 0; i < TFilterExpr::MaxConditions; ++i)
        conditions << QStringLiteral("[Qty] = %1").arg(i);
    const TFilterSql sql = TFilterExpr(conditions.join(" OR "), Fields()).Render(TDBDriver::SQLite);
    EXPECT_EQ(BracketDepth(sql.Where), 2);
    ASSERT_EQ(sql.Params.size(), TFilterExpr::MaxConditions);
    for (int i = 0; i < TFilterExpr::MaxConditions; ++i)
        EXPECT_EQ(sql.Params[i], qlonglong(i));
    // No flat run longer than 64 conditions.
    for (const QString& group : sql.Where.split(u'('))
        EXPECT_LE(group.count(QStringLiteral(" OR ")), 64);
}

struct TRejectCase {
    const char* Filter;
    int Position;
};

class FilterReject : public ::testing::TestWithParam<TRejectCase> {};

TEST_P(FilterReject, SaysWhere) {
    try {
        TFilterExpr expr(QString::fromUtf8(GetParam().Filter), Fields());
        FAIL() << "accepted: " << expr.Dump().toStdString();
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Invalid filter at position %1:").arg(GetParam().Position)))
            << e.what();
    }
}

// Statement separators, comments, subqueries, functions, operators the grammar lacks, wrong types.
INSTANTIATE_TEST_SUITE_P(
    Hostile, FilterReject,
    ::testing::Values(
        TRejectCase{"[Name] = 'x'; DROP TABLE t", 13}, TRejectCase{"[Name] = 'x' -- c", 14},
        TRejectCase{"[Name] = 'x' /* c */", 14}, TRejectCase{"[Name] = 'x' # c", 14},
        TRejectCase{"[Name] = 'abc", 10}, TRejectCase{"[Name] = 'x'') OR 1=1 --", 10},
        TRejectCase{"[Name = 'x'", 1}, TRejectCase{"[] = 1", 1}, TRejectCase{"[Name] = (SELECT 1)", 10},
        TRejectCase{"EXISTS (SELECT 1)", 1}, TRejectCase{"lower(Name) = 'x'", 1},
        TRejectCase{"[Qty] IN (1,2)", 12}, TRejectCase{"[Name] LIKE 'a%'", 8}, TRejectCase{"[Nope] = 1", 1},
        TRejectCase{"Name = City", 8}, TRejectCase{"1 = 1", 5}, TRejectCase{"[Qty] = 1 +", 11},
        TRejectCase{"[Qty] == 1", 8}, TRejectCase{"[Qty] != 1", 7}, TRejectCase{"([Qty] = 1", 11},
        TRejectCase{"[Qty] = 1)", 10}, TRejectCase{"AND [Qty] = 1", 1}, TRejectCase{"[Qty] = 1 AND", 14},
        TRejectCase{"[Qty] = 'ten'", 9}, TRejectCase{"[Qty] = 1e999", 9}, TRejectCase{"[Price] = TRUE", 11},
        TRejectCase{"[InStock] = 'maybe'", 13}, TRejectCase{"[Made] = '2024-02-30'", 10},
        TRejectCase{"[Made] = 20240301", 10}, TRejectCase{"[At] = '25:00'", 8},
        TRejectCase{"[Pic] = 'abc'", 9}, TRejectCase{"[Qty] < NULL", 9}, TRejectCase{"[Qty] IS 1", 10},
        TRejectCase{"[Qty] = 0x1F", 10}, TRejectCase{"[Name] = 'a' || 'b'", 14},
        TRejectCase{"[Name] = \"a\"", 10}, TRejectCase{"[Qty] = 1\x01", 10}, TRejectCase{"Qty = 1 ; ", 9}));

TEST(FilterReject, HugeInputIsRefusedBeforeParsing) {
    const QString huge = QStringLiteral("[Qty] = 1 OR ").repeated(6000) + QStringLiteral("[Qty] = 1");
    EXPECT_THROW(TFilterExpr(huge, Fields()), EDBEngineError);
    const QString longText =
        QStringLiteral("[Name] = '") + QString(TFilterExpr::MaxLength, QLatin1Char('a')) + "'";
    EXPECT_THROW(TFilterExpr(longText, Fields()), EDBEngineError);
}

TEST(FilterReject, TooManyConditionsOrTooDeep) {
    QStringList parts;
    for (int i = 0; i <= TFilterExpr::MaxConditions; ++i)
        parts << QStringLiteral("[Qty]=1");
    EXPECT_THROW(TFilterExpr(parts.join(QStringLiteral(" AND ")), Fields()), EDBEngineError);
    parts.removeLast();
    EXPECT_NO_THROW(TFilterExpr(parts.join(QStringLiteral(" AND ")), Fields()));

    const int depth = TFilterExpr::MaxDepth + 1;
    EXPECT_THROW(TFilterExpr(QString(depth, '(') + "[Qty]=1" + QString(depth, ')'), Fields()),
                 EDBEngineError);
    EXPECT_THROW(TFilterExpr(QStringLiteral("NOT ").repeated(depth) + "[Qty]=1", Fields()), EDBEngineError);
    EXPECT_NO_THROW(TFilterExpr(QString(depth - 1, '(') + "[Qty]=1" + QString(depth - 1, ')'), Fields()));
}

} // namespace
