#pragma once

#include <QString>

#include "kxlab_export.h"

/// The engines an alias can name.
enum class TDBDriver {
    SQLite,    ///< a database file, the embedded default
    PostgreSQL ///< a server, for shared and large data
};

/// One named connection of the session. Credentials never travel in a label file: a PostgreSQL password
/// is the one typed for this process (SessionPassword), else comes from the environment variable named
/// by PasswordEnv, else from libpq's own PGPASSWORD and password file.
struct KXLAB_EXPORT TDBAlias {
    QString Name;
    TDBDriver Driver = TDBDriver::SQLite;
    QString Path;        ///< SQLite: the database file (absolute once added to a session)
    QString Host;        ///< PostgreSQL: host name or address; empty means the local socket
    int Port = 5432;     ///< PostgreSQL: TCP port, 1 to 65535
    QString Database;    ///< PostgreSQL: database name
    QString User;        ///< PostgreSQL: role name; empty means libpq's default
    QString PasswordEnv; ///< PostgreSQL: name of the environment variable holding the password
    /// PostgreSQL: a password typed for this process only: kept in memory, never written to a file
    /// and never put in the environment, where programs started later would find it.
    QString SessionPassword;
    /// Seconds the engine may take over one call (running a statement, handing over a row) before
    /// the call is broken off with an error; 0 for no limit.
    int Timeout = DefaultTimeout;

    static constexpr int DefaultTimeout = 60;
};
