#pragma once

#include <QString>
#include <QStringList>

class QSettings;

/// The label files opened or saved last, newest first, kept in the application's settings.
class TKxRecentFiles {
public:
    static constexpr int MaxFiles = 8;

    /// The list as stored (at most MaxFiles, no duplicates).
    static QStringList Files(const QSettings& Settings);
    /// Puts Path (made absolute) at the head of the list, dropping its older place and the oldest
    /// beyond MaxFiles.
    static void Add(QSettings& Settings, const QString& Path);
    /// Drops Path (a file that could not be opened).
    static void Remove(QSettings& Settings, const QString& Path);
};
