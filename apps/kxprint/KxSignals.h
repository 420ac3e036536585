#pragma once

#include <csignal>
#include <QByteArray>

/// Makes SIGTERM, SIGINT and SIGHUP remove every named temporary file the run made (KxNextTempName)
/// and then end the process as the signal would; ignores SIGXFSZ, so a file-size limit makes a
/// write fail with its reason instead of killing the run. Unnamed temporary files need no help:
/// they vanish with the process, whatever ends it.
void KxInstallSignalCleanup();

/// A new name for a temporary file in Folder (an absolute path in the file system's encoding):
/// Folder/.kxprint-PID-N.tmp. From now on the cleanup handler removes it, whether or not it exists.
QByteArray KxNextTempName(const QByteArray& Folder);

/// Holds off SIGTERM, SIGINT and SIGHUP while it lives, so the outputs of a run are replaced all
/// together; a signal that arrived meanwhile is handled when it ends.
class TKxSignalBlock {
public:
    TKxSignalBlock();
    ~TKxSignalBlock();
    TKxSignalBlock(const TKxSignalBlock&) = delete;
    TKxSignalBlock& operator=(const TKxSignalBlock&) = delete;

private:
    sigset_t FPrevious;
};
