#pragma once

#include "db/DBAlias.h"

#include <memory>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;
class TEngineHooks;

/// What the engine said about an error, on its own (no driver prefix), or "unknown engine error".
QString EngineText(const QSqlError& error);

/// One open connection to an alias, under a connection name of its own; closing and removing the Qt
/// connection when it goes. Raises EDBEngineError, naming the alias, when the connection cannot open.
/// Every call into the engine through Exec and Next is held to the alias's Timeout, and a server
/// connection keeps itself alive with TCP keepalives, so neither a slow statement nor a silent
/// server blocks the caller for good.
class TDBConnection {
public:
    explicit TDBConnection(const TDBAlias& alias);
    ~TDBConnection();
    TDBConnection(const TDBConnection&) = delete;
    TDBConnection& operator=(const TDBConnection&) = delete;

    const TDBAlias& Alias() const { return FAlias; }
    TDBDriver Driver() const { return FAlias.Driver; }
    QSqlDatabase Database() const;
    /// A table name as an SQL identifier; on PostgreSQL a dotted name is schema-qualified.
    QString QuoteTable(const QString& name) const;
    /// A column name as an SQL identifier.
    QString QuoteField(const QString& name) const;
    /// Double-quotes one identifier, doubling embedded quotes. Unlike the drivers' own escaping, which
    /// passes text that already looks quoted through untouched, this is safe for names from a label file.
    static QString QuoteIdentifier(const QString& name);

    /// Prepares and runs a statement with bound values; raises EDBEngineError with the engine's text and
    /// the given context ("reading table ...") when the engine refuses it.
    void Exec(QSqlQuery& query, const QString& sql, const QVariantList& params, const QString& context) const;
    /// Prepares and runs a statement with bound values; false when the engine refuses it or does not
    /// answer in time (FailureText says why).
    bool Run(QSqlQuery& query, const QString& sql, const QVariantList& params) const;
    /// The query's next row; false at the end or on a failure (the query's error is set then).
    bool Next(QSqlQuery& query) const;
    /// Frees a query, which may wait for the rest of its result.
    void Release(std::unique_ptr<QSqlQuery>& query) const;
    /// Why the last call on query failed, in words for a user: the engine's, or that it did not answer
    /// within the time limit, or that the server closed the connection.
    QString FailureText(const QSqlQuery& query) const;
    /// The connection to the server is broken.
    bool Lost() const;

private:
    TDBAlias FAlias;
    QString FConnectionName;
    std::unique_ptr<TEngineHooks> FHooks;
};
