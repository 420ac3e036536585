#include "KxSignals.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <unistd.h>

#include "KxJobFailure.h"

namespace {

constexpr int CleanupSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler rebuilds every name handed out from a folder's prefix and a count, so it needs no
// allocation and no lock: Folder/.kxprint-PID- then N, then .tmp.
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

void RemoveTemporaries() {
    char name[sizeof(TTempFolder::Prefix) + 32];
    for (int f = 0; f < FolderCount; ++f)
        for (long n = 1; n <= Folders[f].Count; ++n) {
            FormatName(name, Folders[f].Prefix, n);
            unlink(name);
        }
}

void RemoveTemporariesAndEnd(int Signal) {
    RemoveTemporaries();
    // Ended as the signal ends a process, so the caller sees which one it was.
    signal(Signal, SIG_DFL);
    raise(Signal);
}

// Written without allocating: there may be no memory left.
void SayOutOfMemory() {
    static const char text[] =
        "kxprint: out of memory: the run needs more memory than the process may take\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, sizeof text - 1);
}

std::terminate_handler PreviousTerminate = nullptr;

[[noreturn]] void EndUncaught() {
    bool outOfMemory = false;
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        } catch (...) {
        }
    }
    if (!outOfMemory) {
        if (PreviousTerminate) PreviousTerminate();
        std::abort();
    }
    RemoveTemporaries();
    SayOutOfMemory();
    _exit(ecRun);
}

sigset_t CleanupSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : CleanupSignals)
        sigaddset(&set, s);
    return set;
}

} // namespace

void KxInstallSignalCleanup() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_mask = CleanupSet();
    for (const int s : CleanupSignals)
        sigaction(s, &action, nullptr);
    signal(SIGXFSZ, SIG_IGN);
    PreviousTerminate = std::set_terminate(EndUncaught);
}

int KxOutOfMemory() {
    SayOutOfMemory();
    return ecRun;
}

QByteArray KxNextTempName(const QByteArray& Folder) {
    const QByteArray prefix = Folder + "/.kxprint-" + QByteArray::number(getpid()) + '-';
    if (prefix.size() >= static_cast<qsizetype>(sizeof(TTempFolder::Prefix)))
        throw std::length_error("temporary file folder name too long");
    int f = 0;
    while (f < FolderCount && prefix != Folders[f].Prefix)
        ++f;
    if (f == FolderCount) {
        if (f == MaxFolders) throw std::length_error("too many temporary file folders");
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

TKxSignalBlock::TKxSignalBlock() {
    const sigset_t set = CleanupSet();
    sigprocmask(SIG_BLOCK, &set, &FPrevious);
}

TKxSignalBlock::~TKxSignalBlock() {
    sigprocmask(SIG_SETMASK, &FPrevious, nullptr);
}
