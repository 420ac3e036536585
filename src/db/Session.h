#pragma once

#include "db/DBAlias.h"
#include "kxlab_export.h"

#include <map>
#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

class TDBConnection;

/// The named aliases of the database layer and a shared catalogue connection per alias (table lists,
/// metadata, record counts). Tables open connections of their own, so a streaming read never shares one.
///
/// The aliases file is an INI file read by LoadAliasFile; the default session reads the file named by the
/// environment variable KXLAB_ALIASES when it is first used. One section per alias, its name the section
/// name (unique ignoring letter case); lines starting with ; or # are comments:
///
///     [Products]
///     Driver=SQLite
///     Path=data/products.db
///
///     [Shared]
///     Driver=PostgreSQL
///     Host=db.example.org
///     Port=5432
///     Database=labels
///     User=labeller
///     PasswordEnv=LABELS_PG_PASS
///
/// Driver is SQLite (the default) or PostgreSQL. SQLite needs Path, relative to the aliases file's folder.
/// PostgreSQL needs Database; Host empty means the local socket, Port defaults to 5432, User empty means
/// libpq's default, and PasswordEnv names the environment variable holding the password (empty: libpq's
/// PGPASSWORD or password file). Timeout (either driver) is the seconds the engine may take over one
/// call, 60 by default, 0 for no limit. Keys ignore letter case; an unknown key or driver is an error
/// reported with the file name and line.
class KXLAB_EXPORT TSession {
public:
    TSession();
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    /// Adds an alias. Raises EDBEngineError when the name is empty or taken (ignoring case) or the
    /// connection data is incomplete. A relative SQLite path resolves against the current folder.
    void AddAlias(TDBAlias alias);
    /// Removes an alias; unknown names are ignored.
    void DeleteAlias(const QString& name);
    bool IsAlias(const QString& name) const;
    /// The alias of that name (ignoring case), or nullptr.
    const TDBAlias* FindAlias(const QString& name) const;

    /// Replaces the list's contents with the alias names, in the order they were added.
    void GetAliasNames(QStringList& list) const;
    /// Replaces the list's contents with the tables and views of the alias whose names match the
    /// wildcard pattern (empty: all), sorted ignoring case. SQL tables have no file extension, so
    /// `extensions` changes nothing; `systemTables` adds the engine's own catalogue tables.
    void GetTableNames(const QString& aliasName, const QString& pattern, bool extensions, bool systemTables,
                       QStringList& list);

    /// Reads aliases from an INI file (format above). All or nothing: on an error nothing is added and
    /// EDBEngineError names the file and line.
    void LoadAliasFile(const QString& path);
    /// Name of the environment variable the default session takes its aliases file from.
    static const char* AliasFileVariable() { return "KXLAB_ALIASES"; }

    /// The alias's shared catalogue connection, opened on first use. Raises EDBEngineError for an
    /// unknown alias or a connection that cannot open.
    TDBConnection& CatalogueConnection(const QString& aliasName);
    /// A new private connection to the alias, for one table's reading.
    std::unique_ptr<TDBConnection> Connect(const QString& aliasName) const;
    /// Closes the catalogue connections (they reopen on next use); the aliases stay.
    void CloseConnections();

private:
    const TDBAlias& RequireAlias(const QString& name) const;
    void CheckNewAlias(TDBAlias& alias, const QString& where) const;

    std::vector<TDBAlias> FAliases;
    std::map<QString, std::unique_ptr<TDBConnection>> FCatalogue; // by lower-case alias name
};

/// The process's default session, made on first use; it reads the aliases file that KXLAB_ALIASES names
/// (a file that cannot be read is reported through ShowMessage, and the session starts without it).
KXLAB_EXPORT TSession& Session();
