#pragma once

#include <QString>
#include <vector>

#include "db/DBAlias.h"
#include "kxlab_export.h"

class TSession;

/// The per-user aliases file, read by the applications when no other aliases file is named:
/// kxlab/aliases.ini under the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
KXLAB_EXPORT QString KxUserAliasFile();

/// The aliases of an aliases file, in file order, checked as TSession::LoadAliasFile checks them.
/// Raises EDBEngineError naming the file (and the line).
KXLAB_EXPORT std::vector<TDBAlias> KxReadAliasFile(const QString& Path);

/// Writes Aliases as an aliases file, atomically and durably: a temporary file beside Path, on disk,
/// is renamed over it only once complete, and the folder is flushed after, so a failed write leaves
/// the previous file whole; a missing folder is made. Rewriting keeps what the file said: its
/// comments where they were, an alias that did not change as it was written, the comments of one
/// that changed; an alias that goes takes the comments right above it along. New aliases come last,
/// their SQLite paths written absolute. No password is ever written. Raises EDBEngineError naming
/// the file, or the alias whose name or values cannot be written (a line break, a bracket in a
/// name), before anything is written.
KXLAB_EXPORT void KxSaveAliasFile(const QString& Path, const std::vector<TDBAlias>& Aliases);

/// Loads the per-user aliases file into Session when the environment names no other aliases file
/// (KXLAB_ALIASES) and the file exists; true when it was loaded. Raises EDBEngineError when it
/// cannot be read, adding nothing.
KXLAB_EXPORT bool KxLoadUserAliases(TSession& Session);
