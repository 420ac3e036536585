#include "KxSignals.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <signal.h>
#include <unistd.h>

#include "base/TempNames.h"
#include "KxJobFailure.h"

namespace {

void RemoveTemporariesAndEnd(int Signal) {
    KxRemoveTemporaries();
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
    KxRemoveTemporaries();
    SayOutOfMemory();
    _exit(ecRun);
}

} // namespace

void KxInstallSignalCleanup() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_mask = TKxSignalBlock::Signals();
    for (const int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &action, nullptr);
    signal(SIGXFSZ, SIG_IGN);
    PreviousTerminate = std::set_terminate(EndUncaught);
}

int KxOutOfMemory() {
    SayOutOfMemory();
    return ecRun;
}
