#pragma once

#include "db/DBAlias.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

/// What the engine said about an error, on its own (no driver prefix), or "unknown engine error".
QString EngineText(const QSqlError& error);

/// One open connection to an alias, under a connection name of its own; closing and removing the Qt
/// connection when it goes. Raises EDBEngineError, naming the alias, when the connection cannot open.
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

private:
    TDBAlias FAlias;
    QString FConnectionName;
};
