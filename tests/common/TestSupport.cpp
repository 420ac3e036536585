#include "common/TestSupport.h"

#include <gtest/gtest.h>

QString KxTestDataDir() {
    const QString fromEnv = qEnvironmentVariable("KXLAB_TEST_DATA");
    return fromEnv.isEmpty() ? QStringLiteral(KXLAB_TEST_DATA_DIR) : fromEnv;
}

TKxTempDir::TKxTempDir() {
    EXPECT_TRUE(FDir.isValid()) << "cannot create a temporary folder";
}

QString TKxTempDir::Path(const QString& name) const {
    return name.isEmpty() ? FDir.path() : FDir.filePath(name);
}
