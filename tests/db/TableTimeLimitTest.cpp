#include <csignal>
#include <gtest/gtest.h>
#include <QElapsedTimer>

#include "common/DBTestDatabase.h"
#include "db/DBAlias.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"

namespace {

// An alias of its own on the database of Db, with a time limit of Seconds.
class TLimitedAlias {
public:
    TLimitedAlias(const TTestDatabase& Db, int Seconds)
        : FName(Db.Alias() + QStringLiteral("-limited")) {
        TDBAlias alias = *Session().FindAlias(Db.Alias());
        alias.Name = FName;
        alias.Timeout = Seconds;
        Session().AddAlias(alias);
    }
    ~TLimitedAlias() { Session().DeleteAlias(FName); }
    const QString& Name() const { return FName; }

private:
    QString FName;
};

// The message of the EDBEngineError that Call raises, and how long it took to come.
struct TFailure {
    QString Message;
    qint64 Milliseconds = 0;
};

template <typename TCall>
TFailure FailureOf(TCall Call) {
    QElapsedTimer timer;
    timer.start();
    try {
        Call();
    } catch (const EDBEngineError& e) {
        return {e.Message(), timer.elapsed()};
    }
    return {QString(), timer.elapsed()};
}

// A suspended server process, resumed on every way out of the test.
class TSuspended {
public:
    explicit TSuspended(int Pid)
        : FPid(Pid)
        , FStopped(::kill(Pid, SIGSTOP) == 0) {}
    ~TSuspended() {
        if (FStopped) ::kill(FPid, SIGCONT);
    }
    bool Stopped() const { return FStopped; }

private:
    int FPid;
    bool FStopped;
};

} // namespace

// A view whose rows never end: counting it, or reading it in its stable order, never finishes.
TEST(TableTimeLimit, AnEndlessSqliteViewIsBrokenOffAtTheAliasesLimit) {
    TTestDatabase db(TTestEngine::SQLite);
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE VIEW endless AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
                                       "SELECT x + 1 FROM c) SELECT x FROM c")));
    const TLimitedAlias limited(db, 1);
    TTable table;
    table.SetDatabaseName(limited.Name());
    table.SetTableName(QStringLiteral("endless"));
    const TFailure opening = FailureOf([&] { table.Open(); });
    EXPECT_TRUE(opening.Message.contains(QStringLiteral("did not answer within 1 s")))
        << opening.Message.toStdString();
    EXPECT_TRUE(opening.Message.contains(QStringLiteral("\"endless\""))) << opening.Message.toStdString();
    EXPECT_LT(opening.Milliseconds, 20000);
    EXPECT_FALSE(table.Active());
}

TEST(TableTimeLimit, ASuspendedServerIsBrokenOffAtTheAliasesLimit) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    // The table shows the process of the server that reads it.
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE VIEW whoami AS SELECT pg_backend_pid() AS pid")));
    const TLimitedAlias limited(db, 2);
    TTable table;
    table.SetDatabaseName(limited.Name());
    table.SetTableName(QStringLiteral("whoami"));
    table.Open();
    const TSuspended suspended(table.FieldByName(QStringLiteral("pid")).AsString().toInt());
    if (!suspended.Stopped()) GTEST_SKIP() << "the server's process cannot be suspended from here";
    const TFailure reading = FailureOf([&] { table.First(); });
    EXPECT_TRUE(reading.Message.contains(QStringLiteral("did not answer within 2 s")))
        << reading.Message.toStdString();
    EXPECT_TRUE(reading.Message.contains(QStringLiteral("\"whoami\""))) << reading.Message.toStdString();
    EXPECT_TRUE(reading.Message.contains(QStringLiteral("\"%1\"").arg(limited.Name())))
        << reading.Message.toStdString();
    EXPECT_LT(reading.Milliseconds, 20000);
}

// The server ends the connection between a forward read and a read back: the reader names the
// record it had reached, whatever the driver says.
TEST(TableTimeLimit, AConnectionLostBeforeAReadBackNamesTheRecord) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE items (id integer PRIMARY KEY);\n"
                                       "INSERT INTO items SELECT generate_series(1, 20)")));
    TTable table;
    table.SetDatabaseName(db.Alias());
    table.SetTableName(QStringLiteral("items"));
    table.Open();
    table.MoveBy(30);
    ASSERT_EQ(table.RecNo(), 20);
    ASSERT_TRUE(db.Exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                       "datname = current_database() AND pid <> pg_backend_pid()")));
    const TFailure back = FailureOf([&] { table.MoveBy(-5); });
    EXPECT_TRUE(back.Message.contains(QStringLiteral("connection to the database was lost after record 20")))
        << back.Message.toStdString();
    EXPECT_TRUE(back.Message.contains(QStringLiteral("\"items\""))) << back.Message.toStdString();
    EXPECT_FALSE(back.Message.contains(QStringLiteral("unknown engine error"))) << back.Message.toStdString();
}
