#include "base/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include "base/TempNames.h"

namespace {

constexpr qsizetype BufferSize = 1 << 16;

QString Reason(int Error) {
    return QString::fromLocal8Bit(std::strerror(Error));
}

// The file a target names: a symbolic link is written through, as an editor saving it would.
QString Resolved(const QString& Target) {
    const QFileInfo info(Target);
    if (!info.isSymLink()) return info.absoluteFilePath();
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

} // namespace

EKxOutputError::EKxOutputError(const QString& File, const QString& Reason)
    : std::runtime_error(QStringLiteral("cannot write \"%1\": %2").arg(File, Reason).toStdString())
    , FMessage(QStringLiteral("cannot write \"%1\": %2").arg(File, Reason)) {}

TKxOutputFile::TKxOutputFile(const QString& Target)
    : FTarget(Target) {
    const QString path = Resolved(Target);
    FPath = QFile::encodeName(path);
    FFolder = QFile::encodeName(QFileInfo(path).absolutePath());
    FFd = ::open(FFolder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (FFd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: a named one, removed on every way out.
        do {
            FTempName = KxNextTempName(FFolder);
            FFd = ::open(FTempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (FFd < 0 && errno == EEXIST);
        if (FFd < 0) FTempName.clear();
    }
    if (FFd < 0) Raise(errno);
    // A file replaced keeps the permissions it had.
    struct stat old {};
    if (::stat(FPath.constData(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(FFd, old.st_mode & 07777);
    FBuffer.reserve(BufferSize);
    QIODevice::open(QIODevice::WriteOnly);
}

TKxOutputFile::~TKxOutputFile() {
    if (FFd >= 0) ::close(FFd);
    if (!FTempName.isEmpty()) ::unlink(FTempName.constData());
}

void TKxOutputFile::Raise(int Error) const {
    throw EKxOutputError(FTarget, Reason(Error));
}

qint64 TKxOutputFile::readData(char*, qint64) {
    return -1;
}

qint64 TKxOutputFile::writeData(const char* Data, qint64 Size) {
    if (FError != 0) return -1;
    FBuffer.append(Data, Size);
    FWritten += Size;
    if (FBuffer.size() >= BufferSize && !FlushBuffer()) return -1;
    return Size;
}

bool TKxOutputFile::FlushBuffer() {
    const char* p = FBuffer.constData();
    qsizetype left = FBuffer.size();
    while (left > 0 && FError == 0) {
        const ssize_t n = ::write(FFd, p, static_cast<size_t>(left));
        if (n > 0) {
            p += n;
            left -= n;
        } else if (n < 0 && errno != EINTR) {
            FError = errno;
        } else if (n == 0) {
            FError = EIO;
        }
    }
    FBuffer.clear();
    return FError == 0;
}

bool TKxOutputFile::seek(qint64 Pos) {
    if (Pos == FWritten) return QIODevice::seek(Pos);
    // A writer that goes back would need the bytes it wrote; none of ours does.
    if (FError == 0) FError = ESPIPE;
    return false;
}

void TKxOutputFile::close() {
    FlushBuffer();
    QIODevice::close();
}

void TKxOutputFile::Finish() {
    FlushBuffer();
    if (FError == 0 && ::fsync(FFd) != 0) FError = errno;
    if (FError != 0) Raise(FError);
}

void TKxOutputFile::Name() {
    if (FTempName.isEmpty()) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(FFd);
        for (;;) {
            QByteArray name = KxNextTempName(FFolder);
            int linked = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
            // Without /proc, linking by descriptor needs a privilege.
            if (linked != 0 && errno == ENOENT)
                linked = ::linkat(FFd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
            if (linked == 0) {
                FTempName = std::move(name);
                break;
            }
            if (errno != EEXIST) Raise(errno);
        }
    }
    if (FFd >= 0) {
        const int closed = ::close(FFd);
        FFd = -1;
        if (closed != 0) Raise(errno);
    }
}

void TKxOutputFile::Commit() {
    Name();
    if (::rename(FTempName.constData(), FPath.constData()) != 0) Raise(errno);
    FTempName.clear();
}
