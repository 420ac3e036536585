#pragma once

#include <memory>
#include <QString>

#include "db/DBAlias.h"

class QSqlDatabase;

/// What a connection takes from the engine's own client library beyond Qt's driver: a time limit on
/// each call into the engine, the server's notes routed as notices rather than printed, and whether a
/// server connection broke.
///
/// The limit holds however the engine fails to answer. SQLite breaks off a statement that runs past
/// it; for PostgreSQL a watchdog thread asks the server to cancel and closes the connection's socket,
/// so even a server that has stopped (a suspended process, a lost network) cannot block the caller.
class TEngineHooks {
public:
    /// Hooks into Db, an open connection of Alias.
    TEngineHooks(const QSqlDatabase& Db, const TDBAlias& Alias);
    ~TEngineHooks();
    TEngineHooks(const TEngineHooks&) = delete;
    TEngineHooks& operator=(const TEngineHooks&) = delete;

    /// Starts the time limit of one call; Disarm ends it.
    void Arm();
    void Disarm();
    /// The last call was broken off at the time limit; for a server, any call was, since a connection
    /// broken off stays broken.
    bool TimedOut() const;
    /// The connection to the server is broken (never for SQLite).
    bool Lost() const;
    /// The alias's time limit, in seconds; 0 for none.
    int Timeout() const { return FTimeout; }

    struct TEngine;

private:
    int FTimeout;
    std::unique_ptr<TEngine> FEngine;
};
