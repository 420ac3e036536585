#include "base/WholeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

QString KxReplaceFile(const QString& Path, const QByteArray& Bytes) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(Bytes) != Bytes.size() || !file.flush()) return file.errorString();
    if (const QString reason = KxSyncFile(file); !reason.isEmpty()) return reason;
    if (!file.commit()) return file.errorString();
    return KxSyncFolder(QFileInfo(Path).absolutePath());
}

QString KxSyncFile(const QFileDevice& File) {
    return ::fsync(File.handle()) == 0 ? QString() : QString::fromLocal8Bit(std::strerror(errno));
}

QString KxSyncFolder(const QString& Folder) {
    const int fd = ::open(QFile::encodeName(Folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return QString::fromLocal8Bit(std::strerror(errno));
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? QString() : QString::fromLocal8Bit(std::strerror(error));
}
