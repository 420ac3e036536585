#include "base/TempNames.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <signal.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr int CleanupSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler rebuilds every name handed out from a folder's prefix and a count, so it needs no
// allocation and no lock: Folder/.kxprint-HOST-PID- then N, then .tmp.
struct TTempFolder {
    char Prefix[4200];
    volatile sig_atomic_t Count;
};
constexpr int MaxFolders = 16;
TTempFolder Folders[MaxFolders];
volatile sig_atomic_t FolderCount = 0;

// Prefix, N and the suffix into Out, with async-signal-safe means only.
void FormatName(char* Out, const char* Prefix, long N) {
    const size_t len = std::strlen(Prefix);
    std::memcpy(Out, Prefix, len);
    char digits[24];
    int d = 0;
    do {
        digits[d++] = static_cast<char>('0' + N % 10);
        N /= 10;
    } while (N > 0);
    char* p = Out + len;
    while (d > 0)
        *p++ = digits[--d];
    std::memcpy(p, ".tmp", 5);
}

QByteArray HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == 0) return QByteArrayLiteral("localhost");
    return QByteArray(name);
}

// Temporary files of runs on this machine that ended where nothing could remove them (SIGKILL, a
// crash): their process is gone. A run of another machine sharing the folder names its own.
void RemoveStaleTemporaries(const QByteArray& Folder, const QByteArray& Host) {
    const QDir dir(QFile::decodeName(Folder));
    const QRegularExpression pattern(QStringLiteral("^\\.kxprint-%1-([0-9]{1,9})-[0-9]+\\.tmp$")
                                         .arg(QRegularExpression::escape(QString::fromLocal8Bit(Host))));
    for (const QString& name :
         dir.entryList({QStringLiteral(".kxprint-*")}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (!m.hasMatch()) continue;
        const pid_t pid = static_cast<pid_t>(m.captured(1).toInt());
        if (pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
            unlink(QFile::encodeName(dir.filePath(name)).constData());
    }
}

} // namespace

void KxRemoveTemporaries() {
    char name[sizeof(TTempFolder::Prefix) + 32];
    for (int f = 0; f < FolderCount; ++f)
        for (long n = 1; n <= Folders[f].Count; ++n) {
            FormatName(name, Folders[f].Prefix, n);
            unlink(name);
        }
}

QByteArray KxNextTempName(const QByteArray& Folder) {
    static const QByteArray host = HostName();
    const QByteArray prefix = Folder + "/.kxprint-" + host + '-' + QByteArray::number(getpid()) + '-';
    if (prefix.size() >= static_cast<qsizetype>(sizeof(TTempFolder::Prefix)))
        throw std::length_error("temporary file folder name too long");
    int f = 0;
    while (f < FolderCount && prefix != Folders[f].Prefix)
        ++f;
    if (f == FolderCount) {
        if (f == MaxFolders) throw std::length_error("too many temporary file folders");
        RemoveStaleTemporaries(Folder, host);
        std::memcpy(Folders[f].Prefix, prefix.constData(), prefix.size() + 1);
        Folders[f].Count = 0;
        // The handler may look at the new folder only once its prefix is whole.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        FolderCount = f + 1;
    }
    const long n = Folders[f].Count + 1;
    // Counted before the file exists: removing a name that was never made does no harm.
    Folders[f].Count = n;
    char name[sizeof(TTempFolder::Prefix) + 32];
    FormatName(name, Folders[f].Prefix, n);
    return QByteArray(name);
}

sigset_t TKxSignalBlock::Signals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : CleanupSignals)
        sigaddset(&set, s);
    return set;
}

TKxSignalBlock::TKxSignalBlock() {
    const sigset_t set = Signals();
    sigprocmask(SIG_BLOCK, &set, &FPrevious);
}

TKxSignalBlock::~TKxSignalBlock() {
    sigprocmask(SIG_SETMASK, &FPrevious, nullptr);
}
