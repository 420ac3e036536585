#include "db/DBConnection.h"

#include "db/DBEngineError.h"
#include "db/DriverWarnings.h"

#include <atomic>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("kxlab-db-%1").arg(++counter);
}

} // namespace

QString EngineText(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    // The server driver appends the error's SQL state in brackets, empty for errors of the client.
    if (text.endsWith(QLatin1String("()"))) text = text.chopped(2).trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown engine error") : text;
}

TDBConnection::TDBConnection(const TDBAlias& alias)
    : FAlias(alias)
    , FConnectionName(NextConnectionName()) {
    const bool sqlite = alias.Driver == TDBDriver::SQLite;
    // The SQLite driver would silently create a missing file; a wrong path must be an error instead.
    if (sqlite && !QFileInfo(alias.Path).isFile())
        throw EDBEngineError(
            QStringLiteral("Cannot open alias \"%1\": the database file \"%2\" does not exist.")
                .arg(alias.Name, alias.Path));
    QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
                                                FConnectionName);
    if (sqlite) {
        db.setDatabaseName(alias.Path);
        // Labels only read data; read-only also keeps any statement from changing it.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db.setHostName(alias.Host);
        db.setPort(alias.Port);
        db.setDatabaseName(alias.Database);
        db.setUserName(alias.User);
        if (!alias.PasswordEnv.isEmpty())
            db.setPassword(qEnvironmentVariable(alias.PasswordEnv.toLocal8Bit()));
        db.setConnectOptions(QStringLiteral(
            "connect_timeout=10;options=-cdefault_transaction_read_only=on;application_name=kxlab"));
    }
    if (!db.open()) {
        const QString where = sqlite ? QStringLiteral("file \"%1\"").arg(alias.Path)
                                     : QStringLiteral("server %1:%2, database \"%3\"")
                                           .arg(alias.Host.isEmpty() ? QStringLiteral("(local)") : alias.Host)
                                           .arg(alias.Port)
                                           .arg(alias.Database);
        const QString text = EngineText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(FConnectionName);
        throw EDBEngineError(
            QStringLiteral("Cannot open alias \"%1\" (%2): %3").arg(alias.Name, where, text));
    }
}

TDBConnection::~TDBConnection() {
    const TDriverWarnings quiet;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
}

QSqlDatabase TDBConnection::Database() const {
    return QSqlDatabase::database(FConnectionName, false);
}

QString TDBConnection::QuoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString TDBConnection::QuoteTable(const QString& name) const {
    if (FAlias.Driver == TDBDriver::SQLite) return QuoteIdentifier(name);
    // The server lists tables outside the search path as schema.table.
    QStringList parts = name.split(QLatin1Char('.'));
    for (QString& part : parts)
        part = QuoteIdentifier(part);
    return parts.join(QLatin1Char('.'));
}

QString TDBConnection::QuoteField(const QString& name) const {
    return QuoteIdentifier(name);
}

void TDBConnection::Exec(QSqlQuery& query, const QString& sql, const QVariantList& params,
                         const QString& context) const {
    const auto fail = [&] {
        throw EDBEngineError(QStringLiteral("Error %1 of alias \"%2\": %3")
                                 .arg(context, FAlias.Name, EngineText(query.lastError())));
    };
    const TDriverWarnings quiet;
    if (!query.prepare(sql)) fail();
    for (const QVariant& value : params)
        query.addBindValue(value);
    if (!query.exec()) fail();
}
