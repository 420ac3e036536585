#include "base/OutputSet.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/TempNames.h"

namespace {

// An exclusive lock on each folder a commit writes into, taken in one order so two runs never wait
// on each other; released when the descriptors close.
class TFolderLocks {
public:
    explicit TFolderLocks(const std::set<QByteArray>& Folders) {
        for (const QByteArray& folder : Folders) {
            const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) continue; // a folder that cannot be opened fails at the rename, with its reason
            FDescriptors.push_back(fd);
            while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~TFolderLocks() {
        for (const int fd : FDescriptors)
            ::close(fd);
    }
    TFolderLocks(const TFolderLocks&) = delete;
    TFolderLocks& operator=(const TFolderLocks&) = delete;

private:
    std::vector<int> FDescriptors;
};

// What a commit did to one target, so that it can be undone: the previous file under a second name
// (a hard link, or moved aside where the file system has none), or nothing when there was none.
struct TReplaced {
    const TKxOutputFile* File = nullptr;
    QByteArray Previous;
    bool MovedAside = false;
    bool Replaced = false;
};

// Sets Step.Previous to a second name of the target's file; raises when there is none to be had,
// before the target is touched.
void KeepPrevious(TReplaced& Step) {
    const TKxOutputFile& file = *Step.File;
    struct stat old {};
    if (::lstat(file.Path().constData(), &old) != 0) return;
    Step.Previous = KxNextTempName(file.Folder());
    if (::link(file.Path().constData(), Step.Previous.constData()) == 0) return;
    if (::rename(file.Path().constData(), Step.Previous.constData()) == 0) {
        Step.MovedAside = true;
        return;
    }
    const int error = errno;
    Step.Previous.clear();
    throw EKxOutputError(file.Target(), QString::fromLocal8Bit(std::strerror(error)));
}

// Puts back every target a failed commit touched; a previous file that cannot be put back keeps its
// temporary name rather than being lost.
void Undo(std::vector<TReplaced>& Steps) {
    for (auto it = Steps.rbegin(); it != Steps.rend(); ++it) {
        if (!it->Replaced && !it->MovedAside) continue;
        const QByteArray& path = it->File->Path();
        if (it->Previous.isEmpty())
            ::unlink(path.constData());
        else if (::rename(it->Previous.constData(), path.constData()) == 0)
            it->Previous.clear();
    }
}

} // namespace

TKxOutputFile& TKxOutputSet::Add(const QString& Target) {
    FFiles.push_back(std::make_unique<TKxOutputFile>(Target));
    return *FFiles.back();
}

void TKxOutputSet::Finish(TKxOutputFile& File) {
    File.Finish();
    if (++FUnnamed > MaxUnnamed) File.Name();
}

void TKxOutputSet::Commit() {
    const TKxSignalBlock block;
    std::set<QByteArray> folders;
    for (const auto& file : FFiles) {
        file->Name();
        folders.insert(file->Folder());
    }
    const TFolderLocks locks(folders);
    // One file is replaced in one step: nothing to undo.
    if (FFiles.size() == 1) {
        FFiles.front()->Commit();
        return;
    }
    std::vector<TReplaced> steps;
    steps.reserve(FFiles.size());
    try {
        for (const auto& file : FFiles) {
            TReplaced& step = steps.emplace_back(TReplaced{file.get(), {}, false, false});
            KeepPrevious(step);
            file->Commit();
            step.Replaced = true;
        }
    } catch (...) {
        Undo(steps);
        // Only a second name of a file its target still holds may go.
        for (const TReplaced& step : steps)
            if (!step.Previous.isEmpty() && !step.Replaced && !step.MovedAside)
                ::unlink(step.Previous.constData());
        throw;
    }
    for (const TReplaced& step : steps)
        if (!step.Previous.isEmpty()) ::unlink(step.Previous.constData());
}
