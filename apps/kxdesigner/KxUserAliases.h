#pragma once

#include <QString>

#include "db/DBAlias.h"

class TSession;

/// Adds Alias to Session and to the per-user aliases file (written atomically), so that kxdesigner
/// and kxprint find it from now on. SessionPassword, when not empty, is kept in this process's memory
/// only (the session's alias holds it) and is never written nor put in the environment: the file's
/// copy of the alias then relies on libpq's own files. Raises EDBEngineError,
/// adding nothing, for an alias the session refuses (a taken name, incomplete data) or a file that
/// cannot be written.
void KxAddUserAlias(TSession& Session, TDBAlias Alias, const QString& SessionPassword = {});

/// Removes the alias from the per-user aliases file and from Session. Raises EDBEngineError when
/// the file cannot be written, changing nothing.
void KxRemoveUserAlias(TSession& Session, const QString& Name);

/// The per-user aliases file holds an alias of that name (ignoring letter case).
bool KxIsUserAlias(const QString& Name);
