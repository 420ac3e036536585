#pragma once

/// Makes SIGTERM, SIGINT and SIGHUP remove every named temporary file the run made (KxNextTempName,
/// base/TempNames.h) and then end the process as the signal would; ignores SIGXFSZ, so a file-size limit
/// makes a write fail with its reason instead of killing the run; ends a run whose memory ran out where no
/// handler could catch it with exit status 7 (KxOutOfMemory). Unnamed temporary files need no help:
/// they vanish with the process, whatever ends it.
void KxInstallSignalCleanup();

/// Says on standard error that the run ran out of memory and answers exit status 7. For an
/// allocation that fails where nothing can catch it (a destructor, a function that may not throw),
/// KxInstallSignalCleanup also ends the process this way, after removing the named temporary files,
/// rather than by SIGABRT.
int KxOutOfMemory();
