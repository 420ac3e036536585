#include "db/DBConnection.h"

#include "db/DBEngineError.h"
#include "db/DriverWarnings.h"
#include "db/EngineHooks.h"

#include <atomic>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

constexpr char UnknownEngineError[] = "unknown engine error";

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("kxlab-db-%1").arg(++counter);
}

// libpq's options: a server that stops answering is noticed by TCP itself (probes after 30 s idle,
// every 10 s, given up after 3; data unacknowledged for Timeout seconds), and the session may only
// read.
QString ServerOptions(const TDBAlias& Alias) {
    QString options =
        QStringLiteral("connect_timeout=10;keepalives=1;keepalives_idle=30;keepalives_interval=10;"
                       "keepalives_count=3;options=-cdefault_transaction_read_only=on;"
                       "application_name=kxlab");
    if (Alias.Timeout > 0)
        options += QStringLiteral(";tcp_user_timeout=%1").arg(qint64{Alias.Timeout} * 1000);
    return options;
}

// Holds one call into the engine to the connection's time limit.
class TCall {
public:
    explicit TCall(TEngineHooks& Hooks)
        : FHooks(Hooks) {
        FHooks.Arm();
    }
    ~TCall() { FHooks.Disarm(); }
    TCall(const TCall&) = delete;
    TCall& operator=(const TCall&) = delete;

private:
    TEngineHooks& FHooks;
};

} // namespace

QString EngineText(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    // The server driver appends the error's SQL state in brackets, empty for errors of the client.
    if (text.endsWith(QLatin1String("()"))) text = text.chopped(2).trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    return text.isEmpty() ? QString::fromLatin1(UnknownEngineError) : text;
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
        if (!alias.SessionPassword.isEmpty())
            db.setPassword(alias.SessionPassword);
        else if (!alias.PasswordEnv.isEmpty())
            db.setPassword(qEnvironmentVariable(alias.PasswordEnv.toLocal8Bit()));
        db.setConnectOptions(ServerOptions(alias));
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
    FHooks = std::make_unique<TEngineHooks>(db, alias);
}

TDBConnection::~TDBConnection() {
    const TDriverWarnings quiet;
    // The hooks leave the engine's handle before it closes.
    FHooks.reset();
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
    if (!Run(query, sql, params))
        throw EDBEngineError(
            QStringLiteral("Error %1 of alias \"%2\": %3").arg(context, FAlias.Name, FailureText(query)));
}

bool TDBConnection::Run(QSqlQuery& query, const QString& sql, const QVariantList& params) const {
    const TDriverWarnings quiet;
    const TCall call(*FHooks);
    if (!query.prepare(sql)) return false;
    for (const QVariant& value : params)
        query.addBindValue(value);
    return query.exec();
}

bool TDBConnection::Next(QSqlQuery& query) const {
    const TDriverWarnings quiet;
    const TCall call(*FHooks);
    return query.next();
}

void TDBConnection::Release(std::unique_ptr<QSqlQuery>& query) const {
    // A result whose connection is gone makes the driver complain as it is freed.
    const TDriverWarnings quiet;
    const TCall call(*FHooks);
    query.reset();
}

QString TDBConnection::FailureText(const QSqlQuery& query) const {
    if (FHooks->TimedOut())
        return QStringLiteral("the database did not answer within %1 s (the alias's Timeout)")
            .arg(FHooks->Timeout());
    const QString words = EngineText(query.lastError()).simplified();
    if (Lost() && words == QLatin1String(UnknownEngineError))
        return QStringLiteral("the server closed the connection");
    return words;
}

bool TDBConnection::Lost() const {
    return FHooks->Lost() || !Database().isOpen();
}
