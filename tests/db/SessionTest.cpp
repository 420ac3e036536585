#include "db/Session.h"
#include "common/DBTestDatabase.h"
#include "common/TestSupport.h"
#include "db/DBEngineError.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <sys/stat.h>

namespace {

TDBAlias LiteAlias(const QString& name, const QString& path) {
    TDBAlias alias;
    alias.Name = name;
    alias.Path = path;
    return alias;
}

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Error text of loading an aliases file; empty when it loaded.
QString LoadError(TSession& session, const QString& path) {
    try {
        session.LoadAliasFile(path);
    } catch (const EDBEngineError& e) {
        return e.Message();
    }
    return {};
}

TEST(SessionAliases, KeepsOrderAndFindsNamesIgnoringCase) {
    TSession session;
    session.AddAlias(LiteAlias(QStringLiteral("Beta"), QStringLiteral("b.db")));
    session.AddAlias(LiteAlias(QStringLiteral("alpha"), QStringLiteral("/x/a.db")));
    QStringList names{QStringLiteral("stale")};
    session.GetAliasNames(names);
    EXPECT_EQ(names, (QStringList{"Beta", "alpha"}));
    ASSERT_TRUE(session.IsAlias(QStringLiteral("BETA")));
    EXPECT_EQ(session.FindAlias(QStringLiteral("beta"))->Path, QDir::current().absoluteFilePath("b.db"));
    EXPECT_THROW(session.AddAlias(LiteAlias(QStringLiteral("ALPHA"), QStringLiteral("c.db"))),
                 EDBEngineError);
    session.DeleteAlias(QStringLiteral("BETA"));
    session.GetAliasNames(names);
    EXPECT_EQ(names, QStringList{"alpha"});
}

TEST(SessionAliases, RefusesIncompleteAliases) {
    TSession session;
    EXPECT_THROW(session.AddAlias(LiteAlias(QStringLiteral(" "), QStringLiteral("a.db"))), EDBEngineError);
    EXPECT_THROW(session.AddAlias(LiteAlias(QStringLiteral("NoPath"), {})), EDBEngineError);
    EXPECT_THROW(session.AddAlias(LiteAlias(QStringLiteral("Br[a]cket"), QStringLiteral("a.db"))),
                 EDBEngineError);
    TDBAlias server;
    server.Name = QStringLiteral("Server");
    server.Driver = TDBDriver::PostgreSQL;
    EXPECT_THROW(session.AddAlias(server), EDBEngineError);
    server.Database = QStringLiteral("db");
    server.Port = 70000;
    EXPECT_THROW(session.AddAlias(server), EDBEngineError);
    server.Port = 5433;
    EXPECT_NO_THROW(session.AddAlias(server));
}

TEST(SessionAliasFile, ReadsBothDriversAndResolvesPathsAgainstItsFolder) {
    TKxTempDir dir;
    WriteFile(dir.Path("aliases.ini"), "; sample\n"
                                       "[Products]\n"
                                       "Driver = SQLite\n"
                                       "path=data/products.db\n"
                                       "\n"
                                       "# a server\n"
                                       "[Shared]\n"
                                       "Driver=PostgreSQL\n"
                                       "Host=db.example.org\n"
                                       "Port=5433\n"
                                       "Database=labels\n"
                                       "User=labeller\n"
                                       "PasswordEnv=LABELS_PG_PASS\n"
                                       "[Absolute]\n"
                                       "Path=/srv/x.db\n");
    TSession session;
    session.LoadAliasFile(dir.Path("aliases.ini"));
    QStringList names;
    session.GetAliasNames(names);
    EXPECT_EQ(names, (QStringList{"Products", "Shared", "Absolute"}));
    const TDBAlias* products = session.FindAlias(QStringLiteral("products"));
    EXPECT_EQ(products->Driver, TDBDriver::SQLite);
    EXPECT_EQ(products->Path, dir.Path("data/products.db"));
    const TDBAlias* shared = session.FindAlias(QStringLiteral("Shared"));
    EXPECT_EQ(shared->Driver, TDBDriver::PostgreSQL);
    EXPECT_EQ(shared->Host, "db.example.org");
    EXPECT_EQ(shared->Port, 5433);
    EXPECT_EQ(shared->Database, "labels");
    EXPECT_EQ(shared->User, "labeller");
    EXPECT_EQ(shared->PasswordEnv, "LABELS_PG_PASS");
    EXPECT_EQ(session.FindAlias(QStringLiteral("Absolute"))->Path, "/srv/x.db");
}

struct TBadFile {
    const char* Text;
    const char* Error;
};

class SessionAliasFileErrors : public ::testing::TestWithParam<TBadFile> {};

TEST_P(SessionAliasFileErrors, NameFileAndLineAndAddNothing) {
    TKxTempDir dir;
    WriteFile(dir.Path("bad.ini"), GetParam().Text);
    TSession session;
    session.AddAlias(LiteAlias(QStringLiteral("Existing"), QStringLiteral("e.db")));
    const QString error = LoadError(session, dir.Path("bad.ini"));
    EXPECT_TRUE(error.contains(dir.Path("bad.ini"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromLatin1(GetParam().Error))) << error.toStdString();
    QStringList names;
    session.GetAliasNames(names);
    EXPECT_EQ(names, QStringList{"Existing"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, SessionAliasFileErrors,
    ::testing::Values(TBadFile{"[A]\nPath=a.db\n[B]\nDriver=Oracle\n", "line 4: unknown driver"},
                      TBadFile{"[A]\nPath=a.db\nColour=red\n", "line 3: unknown key"},
                      TBadFile{"Path=a.db\n", "line 1: a key before"}, TBadFile{"[A\n", "line 1: a section"},
                      TBadFile{"[A]\njust words\n", "line 2: expected"},
                      TBadFile{"[A]\nPath=a.db\n[a]\nPath=b.db\n", "line 3: the alias \"a\" already exists"},
                      TBadFile{"[existing]\nPath=a.db\n", "line 1: the alias"},
                      TBadFile{"[S]\nDriver=PostgreSQL\nPort=x\n", "line 3: port"},
                      TBadFile{"[S]\nDriver=PostgreSQL\n",
                               "line 1: the PostgreSQL alias \"S\" needs a Database"}));

TEST(SessionAliasFile, MissingOrHugeFileIsAnError) {
    TKxTempDir dir;
    TSession session;
    EXPECT_FALSE(LoadError(session, dir.Path("none.ini")).isEmpty());
    WriteFile(dir.Path("huge.ini"), QByteArray(2 << 20, ';'));
    EXPECT_TRUE(LoadError(session, dir.Path("huge.ini")).contains("larger than"));
}

// Reading a pipe would wait for a writer for ever; a folder is no aliases file either.
TEST(SessionAliasFile, AnythingButARegularFileIsRefusedWithoutWaiting) {
    TKxTempDir dir;
    TSession session;
    const QString fifo = dir.Path("aliases.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(LoadError(session, fifo).contains("not a regular file"))
        << LoadError(session, fifo).toStdString();
    EXPECT_TRUE(LoadError(session, dir.Path()).contains("not a regular file"));
}

TEST(SessionAliasFile, DefaultSessionReadsTheFileFromTheEnvironment) {
    // A fresh process: the default session reads its file once, on first use.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TKxTempDir dir;
    WriteFile(dir.Path("env.ini"), "[FromEnv]\nPath=x.db\n");
    qputenv(TSession::AliasFileVariable(), dir.Path("env.ini").toLocal8Bit());
    EXPECT_EXIT(
        {
            QStringList names;
            Session().GetAliasNames(names);
            std::exit(names.contains(QStringLiteral("FromEnv")) ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
    qunsetenv(TSession::AliasFileVariable());
}

class SessionTables : public ::testing::TestWithParam<TTestEngine> {};

TEST_P(SessionTables, ListsTablesAndViewsByPattern) {
    QString reason;
    if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(GetParam());
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE customers (id INTEGER PRIMARY KEY);\n"
                                       "CREATE TABLE \"Products\" (id INTEGER PRIMARY KEY);\n"
                                       "CREATE TABLE orders (n INTEGER);\n"
                                       "CREATE VIEW cheap AS SELECT id FROM \"Products\"")));
    QStringList tables{QStringLiteral("stale")};
    Session().GetTableNames(db.Alias(), {}, true, false, tables);
    EXPECT_EQ(tables, (QStringList{"cheap", "customers", "orders", "Products"}));
    Session().GetTableNames(db.Alias(), QStringLiteral("*ERS"), true, false, tables);
    EXPECT_EQ(tables, (QStringList{"customers", "orders"}));
    Session().GetTableNames(db.Alias(), {}, true, true, tables);
    EXPECT_GT(tables.size(), 4);
    EXPECT_THROW(Session().GetTableNames(QStringLiteral("NoSuchAlias"), {}, true, false, tables),
                 EDBEngineError);
}

INSTANTIATE_TEST_SUITE_P(Engines, SessionTables,
                         ::testing::Values(TTestEngine::SQLite, TTestEngine::PostgreSQL),
                         [](const auto& info) { return EngineName(info.param).toStdString(); });

TEST(SessionConnect, MissingFileOrServerIsAnErrorNamingTheAlias) {
    TSession session;
    session.AddAlias(LiteAlias(QStringLiteral("Gone"), QStringLiteral("/nonexistent/x.db")));
    TDBAlias server;
    server.Name = QStringLiteral("Down");
    server.Driver = TDBDriver::PostgreSQL;
    server.Host = QStringLiteral("127.0.0.1");
    server.Port = 1; // nothing listens there
    server.Database = QStringLiteral("x");
    session.AddAlias(server);
    QStringList tables;
    for (const char* alias : {"Gone", "Down"}) {
        try {
            session.GetTableNames(QString::fromLatin1(alias), {}, true, false, tables);
            ADD_FAILURE() << alias << " listed";
        } catch (const EDBEngineError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(alias))))
                << e.what();
        }
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/x.db")));
}

} // namespace
