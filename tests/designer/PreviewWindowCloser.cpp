// Preview shows its window modally once the pages are recorded. The designer's tests look at the
// recorded pages only; the window has its own tests with the dialogs.
#include <gtest/gtest.h>
#include <memory>

#include "common/ModalCloser.h"

namespace {

class TCloseModalWindows : public ::testing::Environment {
public:
    void SetUp() override { FCloser = std::make_unique<TKxModalCloser>(); }
    void TearDown() override { FCloser.reset(); }

private:
    std::unique_ptr<TKxModalCloser> FCloser;
};

// The environment is created before main makes the application, and set up after.
[[maybe_unused]] ::testing::Environment* const CloseModalWindows =
    ::testing::AddGlobalTestEnvironment(new TCloseModalWindows);

} // namespace
