#include "common/DBTestDatabase.h"

#include "db/DBAlias.h"
#include "db/Field.h"
#include "db/Session.h"
#include "db/Table.h"

#include <atomic>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace {

int NextId() {
    static std::atomic<int> id{0};
    return ++id;
}

QString Env(const char* name) {
    return qEnvironmentVariable(name);
}

QString ServerAdminName() {
    return QStringLiteral("kxtest-server-admin");
}

// One administrator connection to the server's own test database, for CREATE and DROP DATABASE.
QSqlDatabase ServerAdmin() {
    if (QSqlDatabase::contains(ServerAdminName())) return QSqlDatabase::database(ServerAdminName());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), ServerAdminName());
    db.setHostName(Env("KXLAB_PG_HOST"));
    db.setPort(Env("KXLAB_PG_PORT").toInt());
    db.setDatabaseName(Env("KXLAB_PG_DB"));
    db.setUserName(Env("KXLAB_PG_USER"));
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    db.open();
    return db;
}

} // namespace

QString EngineName(TTestEngine engine) {
    return engine == TTestEngine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

bool TTestDatabase::Configured(TTestEngine engine, QString* reason) {
    if (engine == TTestEngine::SQLite) return true;
    if (Env("KXLAB_PG_HOST").isEmpty() || Env("KXLAB_PG_PORT").isEmpty() || Env("KXLAB_PG_DB").isEmpty()) {
        if (reason)
            *reason = QStringLiteral("KXLAB_PG_HOST, KXLAB_PG_PORT and KXLAB_PG_DB are not set: "
                                     "start a server with scripts/pg-server.sh to run the PostgreSQL tests");
        return false;
    }
    return true;
}

TTestDatabase::TTestDatabase(TTestEngine engine)
    : FEngine(engine)
    , FAlias(QStringLiteral("kxtest%1").arg(NextId()))
    , FAdminName(QStringLiteral("kxtest-admin-%1").arg(FAlias)) {
    TDBAlias alias;
    alias.Name = FAlias;
    QSqlDatabase admin;
    if (engine == TTestEngine::SQLite) {
        FDir = std::make_unique<TKxTempDir>();
        alias.Path = FDir->Path(QStringLiteral("test.db"));
        admin = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FAdminName);
        admin.setDatabaseName(alias.Path);
    } else {
        FServerDb = QStringLiteral("kxt_%1_%2").arg(QCoreApplication::applicationPid()).arg(NextId());
        QSqlDatabase server = ServerAdmin();
        if (!server.isOpen()) {
            ADD_FAILURE() << "the PostgreSQL test server is unreachable: "
                          << server.lastError().text().toStdString();
            return;
        }
        QSqlQuery create(server);
        if (!create.exec(QStringLiteral("CREATE DATABASE %1").arg(FServerDb))) {
            ADD_FAILURE() << create.lastError().text().toStdString();
            return;
        }
        alias.Driver = TDBDriver::PostgreSQL;
        alias.Host = Env("KXLAB_PG_HOST");
        alias.Port = Env("KXLAB_PG_PORT").toInt();
        alias.Database = FServerDb;
        alias.User = Env("KXLAB_PG_USER");
        admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), FAdminName);
        admin.setHostName(alias.Host);
        admin.setPort(alias.Port);
        admin.setDatabaseName(alias.Database);
        admin.setUserName(alias.User);
    }
    EXPECT_TRUE(admin.open()) << admin.lastError().text().toStdString();
    Session().AddAlias(alias);
}

TTestDatabase::~TTestDatabase() {
    Session().DeleteAlias(FAlias);
    {
        QSqlDatabase admin = QSqlDatabase::database(FAdminName, false);
        admin.close();
    }
    QSqlDatabase::removeDatabase(FAdminName);
    if (!FServerDb.isEmpty()) {
        QSqlQuery drop(ServerAdmin());
        EXPECT_TRUE(drop.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(FServerDb)))
            << drop.lastError().text().toStdString();
    }
}

bool TTestDatabase::Exec(const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(FAdminName, false));
    for (const QString& statement : sql.split(QStringLiteral(";\n"), Qt::SkipEmptyParts)) {
        if (statement.trimmed().isEmpty()) continue;
        if (!query.exec(statement)) {
            ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
            return false;
        }
    }
    return true;
}

bool TTestDatabase::Insert(const QString& table, const QStringList& columns,
                           const std::vector<QVariantList>& rows) {
    QSqlDatabase db = QSqlDatabase::database(FAdminName, false);
    db.transaction();
    QSqlQuery query(db);
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    if (!query.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))))) {
        ADD_FAILURE() << query.lastError().text().toStdString();
        return false;
    }
    for (const QVariantList& row : rows) {
        for (const QVariant& value : row) {
            const bool flag = value.typeId() == QMetaType::Bool;
            query.addBindValue(flag && FEngine == TTestEngine::SQLite ? QVariant(value.toBool() ? 1 : 0)
                                                                      : value);
        }
        if (!query.exec()) {
            ADD_FAILURE() << query.lastError().text().toStdString();
            return false;
        }
    }
    return db.commit();
}

qint64 TTestDatabase::Count(const QString& table) {
    QSqlQuery query(QSqlDatabase::database(FAdminName, false));
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)) || !query.next()) return -1;
    return query.value(0).toLongLong();
}

bool TTestDatabase::CreateProducts() {
    const bool ok = FEngine == TTestEngine::SQLite
                        ? Exec(QStringLiteral(
                              "CREATE TABLE products (id INTEGER PRIMARY KEY, name VARCHAR(40), price REAL, "
                              "qty INTEGER, instock BOOLEAN, made DATE, at TIME, stamp DATETIME, note TEXT, "
                              "cost DECIMAL(10,2), pic GRAPHIC)"))
                        : Exec(QStringLiteral(
                              "CREATE DOMAIN graphic AS bytea;\n"
                              "CREATE TABLE products (id integer PRIMARY KEY, name varchar(40), price double "
                              "precision, qty integer, instock boolean, made date, at time, stamp timestamp, "
                              "note text, cost numeric, pic graphic)"));
    return ok &&
           Insert(QStringLiteral("products"),
                  {"id", "name", "price", "qty", "instock", "made", "at", "stamp", "note", "cost", "pic"},
                  TestProducts());
}

QByteArray TestPicture(int seed) {
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 64; ++i)
        bytes.append(static_cast<char>((seed * 31 + i * 7) & 0xff));
    return bytes;
}

const std::vector<QVariantList>& TestProducts() {
    const QVariant null;
    static const std::vector<QVariantList> rows = {
        {5, "Apple", 1.5, 10, true, "2024-03-01", "08:30:00", "2024-03-01 08:30:00", "crisp", 12.5,
         TestPicture(1)},
        {2, "O'Hara", 0.1 + 0.2, -3, false, "2023-12-31", "23:59:59", "2023-12-31 23:59:59", "it's", 0.1,
         null},
        {9, "Zoë", 100000.0, 0, true, "2000-01-01", "00:00:00", "2024-02-29 12:00:00.250", "", 7,
         TestPicture(2)},
        {4, null, null, null, null, null, null, null, null, null, null},
        {7, "apple", 2.25, 3, false, "2024-02-29", "12:15:30", "2024-01-15 07:05:09", "a\nb", -2.75,
         TestPicture(3)},
    };
    return rows;
}

QStringList ReadFieldTexts(TTable& Table, const QString& Field) {
    QStringList texts;
    Table.First();
    while (!Table.Eof() && Table.RecNo() > 0 && texts.size() < 10000) {
        texts << Table.FieldByName(Field).AsString();
        Table.Next();
    }
    return texts;
}

void TEngineTest::SetUp() {
    QString reason;
    if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
    FDb = std::make_unique<TTestDatabase>(GetParam());
    ASSERT_FALSE(HasFailure());
}

void TProductsTest::SetUp() {
    TEngineTest::SetUp();
    if (IsSkipped() || HasFailure()) return;
    ASSERT_TRUE(FDb->CreateProducts());
    BindProducts(FTable);
    FTable.Open();
}

void TProductsTest::BindProducts(TTable& Table, const QString& Filter) {
    Table.SetDatabaseName(FDb->Alias());
    Table.SetTableName(QStringLiteral("products"));
    Table.SetFilter(Filter);
    Table.SetFiltered(!Filter.isEmpty());
}
