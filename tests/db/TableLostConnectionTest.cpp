#include <gtest/gtest.h>
#include <QStringList>
#include <QtGlobal>

#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/Table.h"

namespace {

QStringList& QtMessages() {
    static QStringList messages;
    return messages;
}

// Every message Qt itself would print on the terminal while it is installed.
class TQtMessageTrap {
public:
    TQtMessageTrap() { FPrevious = qInstallMessageHandler(Trap); }
    ~TQtMessageTrap() { qInstallMessageHandler(FPrevious); }
    TQtMessageTrap(const TQtMessageTrap&) = delete;
    TQtMessageTrap& operator=(const TQtMessageTrap&) = delete;

private:
    static void Trap(QtMsgType Type, const QMessageLogContext&, const QString& Text) {
        if (Type != QtDebugMsg) QtMessages().append(Text);
    }
    QtMessageHandler FPrevious = nullptr;
};

} // namespace

// The server ends the table's connection in the middle of a forward read, as an administrator or a
// restart does: the reader says so, with the alias, the table, the last record read and the server's
// words, and Qt's own driver warnings stay off the terminal.
TEST(TableLostConnection, IsReportedWithTheRecordReachedAndTheServersWords) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    // Enough rows that the server is still sending when its connection ends.
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE items (id integer PRIMARY KEY, name text);\n"
                                       "INSERT INTO items SELECT g, repeat('x', 200) || g FROM "
                                       "generate_series(1, 200000) g")));
    QtMessages().clear();
    const TQtMessageTrap trap;
    TTable table;
    table.SetDatabaseName(db.Alias());
    table.SetTableName(QStringLiteral("items"));
    table.Open();
    for (int i = 0; i < 9; ++i)
        table.Next();
    ASSERT_EQ(table.RecNo(), 10);
    ASSERT_TRUE(db.Exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                       "datname = current_database() AND pid <> pg_backend_pid()")));
    QString message;
    int reached = 0;
    try {
        while (!table.Eof())
            table.Next();
        FAIL() << "the whole table was read after its connection ended";
    } catch (const EDBEngineError& e) {
        message = e.Message();
        reached = table.RecNo();
    }
    EXPECT_GE(reached, 10);
    EXPECT_TRUE(
        message.contains(QStringLiteral("connection to the database was lost after record %1").arg(reached)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("\"items\""))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("\"%1\"").arg(db.Alias()))) << message.toStdString();
    // The server says goodbye when its words arrive before the connection closes; the client library
    // says the connection closed when they do not.
    EXPECT_TRUE(message.contains(QStringLiteral("terminating connection due to administrator command")) ||
                message.contains(QStringLiteral("server closed the connection unexpectedly")))
        << message.toStdString();
    // The server's words come on one line.
    EXPECT_FALSE(message.contains(u'\n')) << message.toStdString();
    table.Close();
    EXPECT_TRUE(QtMessages().isEmpty()) << QtMessages().join(u'\n').toStdString();
}
