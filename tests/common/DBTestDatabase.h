#pragma once

#include "common/TestSupport.h"
#include "db/Table.h"

#include <gtest/gtest.h>
#include <memory>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

enum class TTestEngine { SQLite, PostgreSQL };

QString EngineName(TTestEngine engine);

/// A throw-away database registered as an alias of the default session: a SQLite file in a temporary
/// folder, or a fresh database on the PostgreSQL server named by KXLAB_PG_HOST, KXLAB_PG_PORT, KXLAB_PG_DB
/// and KXLAB_PG_USER. Setting it up writes through an administrator connection of its own.
class TTestDatabase {
public:
    explicit TTestDatabase(TTestEngine engine);
    ~TTestDatabase();

    /// False when the engine is PostgreSQL and the variables are absent (Reason says so).
    static bool Configured(TTestEngine engine, QString* reason = nullptr);

    /// Runs statements separated by ";" lines; fails the test on an engine error.
    bool Exec(const QString& sql);
    /// Inserts rows of values; Booleans become 1/0 on SQLite.
    bool Insert(const QString& table, const QStringList& columns, const std::vector<QVariantList>& rows);
    qint64 Count(const QString& table);

    TTestEngine Engine() const { return FEngine; }
    const QString& Alias() const { return FAlias; }
    /// Creates the products table shared by the behaviour tests and fills it with TestProducts().
    bool CreateProducts();

private:
    TTestEngine FEngine;
    QString FAlias;
    QString FAdminName;
    QString FServerDb;
    std::unique_ptr<TKxTempDir> FDir;
};

/// The rows CreateProducts inserts: id, name, price, qty, instock, made, at, stamp, note, cost, pic.
const std::vector<QVariantList>& TestProducts();
QByteArray TestPicture(int seed);

/// The text of one field in every record from the first on, read with First and Next (at most
/// 10,000, so a table that never ends fails instead of hanging).
QStringList ReadFieldTexts(TTable& Table, const QString& Field);

/// A test run once per engine: FDb is a fresh database of the engine, PostgreSQL tests are skipped
/// when no server is configured. Instantiate with KXLAB_INSTANTIATE_ENGINES(Suite).
class TEngineTest : public ::testing::TestWithParam<TTestEngine> {
protected:
    void SetUp() override;
    std::unique_ptr<TTestDatabase> FDb;
};

/// A TEngineTest whose database holds the products table, with FTable open on it at the first record.
class TProductsTest : public TEngineTest {
protected:
    void SetUp() override;
    /// Binds Table to the products table, filtered by Filter when it is not empty.
    void BindProducts(TTable& Table, const QString& Filter = {});
    TTable FTable;
};

#define KXLAB_INSTANTIATE_ENGINES(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite,                                                                 \
                             ::testing::Values(TTestEngine::SQLite, TTestEngine::PostgreSQL),                \
                             [](const auto& info) { return EngineName(info.param).toStdString(); })
