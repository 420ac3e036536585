#pragma once

#include <csignal>
#include <QByteArray>

#include "kxlab_export.h"

/// A new name for a temporary file in Folder (an absolute path in the file system's encoding):
/// Folder/.kxprint-HOST-PID-N.tmp. From now on KxRemoveTemporaries removes it, whether or not it
/// exists. The first name in a folder also removes the temporary files that runs of this machine
/// which no longer exist left there (a run ended by SIGKILL).
KXLAB_EXPORT QByteArray KxNextTempName(const QByteArray& Folder);

/// Removes every file KxNextTempName named. Async-signal-safe: a signal handler may call it.
KXLAB_EXPORT void KxRemoveTemporaries();

/// Holds off SIGTERM, SIGINT and SIGHUP while it lives, so the outputs of a run are replaced all
/// together; a signal that arrived meanwhile is handled when it ends.
class KXLAB_EXPORT TKxSignalBlock {
public:
    TKxSignalBlock();
    ~TKxSignalBlock();
    TKxSignalBlock(const TKxSignalBlock&) = delete;
    TKxSignalBlock& operator=(const TKxSignalBlock&) = delete;

    /// The signals a block holds off: those a batch run removes its temporary files on.
    static sigset_t Signals();

private:
    sigset_t FPrevious;
};
