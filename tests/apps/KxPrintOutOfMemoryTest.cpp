#include <gtest/gtest.h>
#include <new>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/TempNames.h"
#include "common/TestSupport.h"
#include "KxJobFailure.h"
#include "KxSignals.h"

namespace {

template <typename TError>
[[noreturn]] void Raise() {
    throw TError();
}

// An error where nothing can catch it: in a function that may not throw, as a destructor that
// finishes a page and runs out of memory is.
template <typename TError>
void RaiseWhereNothingCatches() noexcept {
    Raise<TError>();
}

} // namespace

// Not a signal: exit 7 with a message, and the run's named temporary files gone.
TEST(KxPrintOutOfMemory, WhereNothingCatchesItIsExitSevenWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TKxTempDir dir;
    const QString folder = QFileInfo(dir.Path()).canonicalFilePath();
    EXPECT_EXIT(
        {
            KxInstallSignalCleanup();
            QFile temporary(QString::fromLocal8Bit(KxNextTempName(QFile::encodeName(folder))));
            if (!temporary.open(QIODevice::WriteOnly)) std::exit(1);
            RaiseWhereNothingCatches<std::bad_alloc>();
        },
        ::testing::ExitedWithCode(ecRun), "kxprint: out of memory");
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
