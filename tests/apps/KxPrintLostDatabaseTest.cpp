#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "common/DBTestDatabase.h"
#include "db/Session.h"
#include "db/Table.h"
#include "label/KxLabel.h"

// The server ends kxprint's connection in the middle of a long run (an administrator's
// pg_terminate_backend on the suite's own server; the server itself keeps running): the run stops
// with exit 5, names the alias, the table and the record reached with the engine's words, shows none of
// Qt's driver warnings, and yesterday's PDF keeps its bytes.
TEST(KxPrintLostDatabase, IsExitFiveNamingWhereItStoppedAndKeepsThePreviousPdf) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    // Wide records, so the rows already on their way when the connection ends are few.
    ASSERT_TRUE(
        db.Exec(QStringLiteral("CREATE TABLE items (id integer PRIMARY KEY, name text, price real, "
                               "ean text, instock boolean, note text);\n"
                               "INSERT INTO items SELECT g, 'Item ' || g, g / 100.0, '8410894000109', "
                               "g % 2 = 0, repeat('x', 4000) FROM generate_series(1, 20000) g")));
    const TDBAlias* alias = Session().FindAlias(db.Alias());
    ASSERT_NE(alias, nullptr);
    TKxTempDir dir;
    WriteBytes(dir.Path(QStringLiteral("aliases.ini")),
               QStringLiteral("[PG]\nDriver=PostgreSQL\nHost=%1\nPort=%2\nDatabase=%3\nUser=%4\n")
                   .arg(alias->Host)
                   .arg(alias->Port)
                   .arg(alias->Database, alias->User)
                   .toUtf8());
    const QString label = SaveLabel(dir.Path(QStringLiteral("items.kxl")), [](TKxLabel& L) {
        L.GetTable()->SetDatabaseName(QStringLiteral("PG"));
        L.GetTable()->SetTableName(QStringLiteral("items"));
    });
    const QString pdf = dir.Path(QStringLiteral("items.pdf"));
    WriteBytes(pdf, "yesterday's items");
    const QStringList before = FolderEntries(dir.Path());

    TKxPrintProcess run(
        {label, "--aliases", dir.Path(QStringLiteral("aliases.ini")), "--to", "20000", "-o", pdf});
    // A few sheets drawn: the records are streaming.
    ASSERT_TRUE(run.WaitForBytes(dir.Path(), 200000)) << run.Err().toStdString();
    ASSERT_TRUE(db.Exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                       "datname = current_database() AND pid <> pg_backend_pid()")));
    EXPECT_EQ(run.Finish(), 5) << run.Err().toStdString();
    const QString err = run.Err();
    EXPECT_TRUE(
        err.startsWith(QStringLiteral("kxprint: Table \"items\" of alias \"PG\": the connection to the "
                                      "database was lost after record ")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("terminating connection due to administrator command")) ||
                err.contains(QStringLiteral("server closed the connection unexpectedly")))
        << err.toStdString();
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_EQ(FileBytes(pdf), "yesterday's items");
    EXPECT_EQ(FolderEntries(dir.Path()), before);
}
