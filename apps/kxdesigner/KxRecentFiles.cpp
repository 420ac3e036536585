#include "KxRecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("recentFiles");

} // namespace

QStringList TKxRecentFiles::Files(const QSettings& Settings) {
    QStringList files = Settings.value(Key).toStringList();
    files.removeDuplicates();
    return files.mid(0, MaxFiles);
}

void TKxRecentFiles::Add(QSettings& Settings, const QString& Path) {
    const QString path = QFileInfo(Path).absoluteFilePath();
    QStringList files = Files(Settings);
    files.removeAll(path);
    files.prepend(path);
    Settings.setValue(Key, files.mid(0, MaxFiles));
}

void TKxRecentFiles::Remove(QSettings& Settings, const QString& Path) {
    QStringList files = Files(Settings);
    files.removeAll(QFileInfo(Path).absoluteFilePath());
    Settings.setValue(Key, files);
}
