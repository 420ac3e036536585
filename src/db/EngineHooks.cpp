#include "db/EngineHooks.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <libpq-fe.h>
#include <mutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>
#include <sys/socket.h>
#include <thread>
#include <vector>

#include "base/Notices.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr TClock::time_point Never = TClock::time_point::max();

// The engine's own handle behind Qt's driver, or nullptr when the driver hands out another kind. Qt
// names a handle's type by the typedef or by the structure behind it.
template <typename THandle>
THandle* NativeHandle(const QSqlDatabase& Db, const char* TypeName, const char* StructName) {
    const QVariant handle = Db.driver() ? Db.driver()->handle() : QVariant();
    if (!handle.isValid() ||
        (std::strcmp(handle.typeName(), TypeName) != 0 && std::strcmp(handle.typeName(), StructName) != 0))
        return nullptr;
    return *static_cast<THandle* const*>(handle.constData());
}

// A server connection the watchdog may break off: its socket, the key to cancel what it runs, and
// the moment its current call ends, if it is still waiting then.
struct TWatch {
    int Socket = -1;
    PGcancel* Cancel = nullptr;
    TClock::time_point Deadline = Never;
    bool Fired = false;

    ~TWatch() {
        if (Cancel) PQfreeCancel(Cancel);
    }
};

// One thread for every server connection of the process. Arming is a lock and a store: the thread is
// woken only when a deadline comes before the one it waits for, so a run that fetches a row at a time
// does not wake it for each row.
class TWatchdog {
public:
    static TWatchdog& Instance() {
        // Never destroyed: its thread may still wait when the process ends.
        static TWatchdog* const dog = new TWatchdog;
        return *dog;
    }

    void Add(const std::shared_ptr<TWatch>& Watch) {
        const std::lock_guard lock(FMutex);
        FWatches.push_back(Watch);
    }
    void Remove(const TWatch* Watch) {
        const std::lock_guard lock(FMutex);
        std::erase_if(FWatches, [&](const std::shared_ptr<TWatch>& w) { return w.get() == Watch; });
    }
    void Arm(TWatch& Watch, TClock::time_point Deadline) {
        const std::lock_guard lock(FMutex);
        Watch.Deadline = Deadline;
        if (Deadline < FWaitingUntil) FWake.notify_one();
    }
    void Disarm(TWatch& Watch) {
        const std::lock_guard lock(FMutex);
        Watch.Deadline = Never;
    }
    bool Fired(const TWatch& Watch) {
        const std::lock_guard lock(FMutex);
        return Watch.Fired;
    }

private:
    TWatchdog() {
        std::thread([this] { Loop(); }).detach();
    }

    void Loop() {
        std::unique_lock lock(FMutex);
        for (;;) {
            const TClock::time_point now = TClock::now();
            std::shared_ptr<TWatch> due;
            FWaitingUntil = Never;
            for (const auto& w : FWatches) {
                if (w->Deadline <= now)
                    due = w;
                else
                    FWaitingUntil = std::min(FWaitingUntil, w->Deadline);
            }
            if (due) {
                due->Deadline = Never;
                due->Fired = true;
                // The caller's poll returns at once; the socket is closed only by the connection,
                // after it has left the watch, so it is still this connection's here.
                ::shutdown(due->Socket, SHUT_RDWR);
                // A server that still runs stops the statement; one that is suspended does when it
                // wakes. The request may take a while to connect: not under the lock.
                lock.unlock();
                char error[256];
                if (due->Cancel) PQcancel(due->Cancel, error, sizeof error);
                lock.lock();
                continue;
            }
            if (FWaitingUntil == Never)
                FWake.wait(lock);
            else
                FWake.wait_until(lock, FWaitingUntil);
        }
    }

    std::mutex FMutex;
    std::condition_variable FWake;
    std::vector<std::shared_ptr<TWatch>> FWatches;
    TClock::time_point FWaitingUntil = Never;
};

} // namespace

struct TEngineHooks::TEngine {
    virtual ~TEngine() = default;
    virtual void Arm(TClock::time_point Deadline) = 0;
    virtual void Disarm() = 0;
    virtual bool TimedOut() const = 0;
    virtual bool Lost() const = 0;
};

namespace {

// SQLite asks every thousand steps of a statement whether to go on.
class TSqliteEngine : public TEngineHooks::TEngine {
public:
    explicit TSqliteEngine(sqlite3* Db)
        : FDb(Db) {
        sqlite3_progress_handler(FDb, 1000, &TSqliteEngine::Progress, this);
    }
    ~TSqliteEngine() override { sqlite3_progress_handler(FDb, 0, nullptr, nullptr); }
    void Arm(TClock::time_point Deadline) override {
        FDeadline = Deadline;
        FFired = false;
    }
    void Disarm() override { FDeadline = Never; }
    bool TimedOut() const override { return FFired; }
    bool Lost() const override { return false; }

private:
    static int Progress(void* Self) {
        auto* engine = static_cast<TSqliteEngine*>(Self);
        if (engine->FDeadline == Never || TClock::now() < engine->FDeadline) return 0;
        engine->FFired = true;
        return 1;
    }

    sqlite3* FDb;
    TClock::time_point FDeadline = Never;
    bool FFired = false;
};

class TServerEngine : public TEngineHooks::TEngine {
public:
    TServerEngine(PGconn* Connection, const QString& Alias)
        : FConnection(Connection)
        , FAlias(Alias)
        , FWatch(std::make_shared<TWatch>()) {
        // libpq prints the server's notes on standard error as they come, escape sequences and all.
        PQsetNoticeProcessor(FConnection, &TServerEngine::Note, this);
        FWatch->Socket = PQsocket(FConnection);
        FWatch->Cancel = PQgetCancel(FConnection);
        TWatchdog::Instance().Add(FWatch);
    }
    ~TServerEngine() override {
        TWatchdog::Instance().Remove(FWatch.get());
        PQsetNoticeProcessor(FConnection, &TServerEngine::Drop, nullptr);
    }
    void Arm(TClock::time_point Deadline) override { TWatchdog::Instance().Arm(*FWatch, Deadline); }
    void Disarm() override { TWatchdog::Instance().Disarm(*FWatch); }
    bool TimedOut() const override { return TWatchdog::Instance().Fired(*FWatch); }
    bool Lost() const override { return PQstatus(FConnection) == CONNECTION_BAD; }

private:
    static void Note(void* Self, const char* Message) {
        KxNote(TNoticeKind::Server, static_cast<TServerEngine*>(Self)->FAlias,
               QString::fromUtf8(Message).trimmed());
    }
    static void Drop(void*, const char*) {}

    PGconn* FConnection;
    QString FAlias;
    std::shared_ptr<TWatch> FWatch;
};

} // namespace

TEngineHooks::TEngineHooks(const QSqlDatabase& Db, const TDBAlias& Alias)
    : FTimeout(Alias.Timeout) {
    if (auto* sqlite = NativeHandle<sqlite3>(Db, "sqlite3*", "sqlite3*"))
        FEngine = std::make_unique<TSqliteEngine>(sqlite);
    else if (auto* server = NativeHandle<PGconn>(Db, "PGconn*", "pg_conn*"))
        FEngine = std::make_unique<TServerEngine>(server, Alias.Name);
}

TEngineHooks::~TEngineHooks() = default;

void TEngineHooks::Arm() {
    if (FEngine && FTimeout > 0) FEngine->Arm(TClock::now() + std::chrono::seconds(FTimeout));
}

void TEngineHooks::Disarm() {
    if (FEngine) FEngine->Disarm();
}

bool TEngineHooks::TimedOut() const {
    return FEngine && FEngine->TimedOut();
}

bool TEngineHooks::Lost() const {
    return FEngine && FEngine->Lost();
}
