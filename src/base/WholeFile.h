#pragma once

#include <QByteArray>
#include <QString>

#include "kxlab_export.h"

class QFileDevice;

/// Replaces Path with Bytes whole: written to a temporary file beside it, flushed to disk, renamed
/// over Path, and the folder flushed after the rename, so after any crash Path is the old file or
/// the new one, and after a power loss the new one stays. Answers empty on success, else the
/// system's reason, Path left as it was.
KXLAB_EXPORT QString KxReplaceFile(const QString& Path, const QByteArray& Bytes);

/// Flushes an open file's data to disk. Answers empty on success, else the system's reason.
KXLAB_EXPORT QString KxSyncFile(const QFileDevice& File);

/// Flushes a folder's entries to disk, so a file just renamed into it stays after a power loss.
/// Answers empty on success, else the system's reason.
KXLAB_EXPORT QString KxSyncFolder(const QString& Folder);
