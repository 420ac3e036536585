#pragma once

#include <QtGlobal>

/// Keeps the Qt SQL drivers' own warnings off the terminal while it lives: a driver talks on its own
/// when a connection is lost ("Unable to free statement: no connection to the server"), and the
/// database layer's error already says what happened. They go to the logging category
/// "kxlab.db.driver" as debug messages (off unless QT_LOGGING_RULES enables them). Scopes nest.
class TDriverWarnings {
public:
    TDriverWarnings();
    ~TDriverWarnings();
    TDriverWarnings(const TDriverWarnings&) = delete;
    TDriverWarnings& operator=(const TDriverWarnings&) = delete;
};
