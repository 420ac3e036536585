#include "common/TestSupport.h"

#include <gtest/gtest.h>
#include <QProcess>

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

TResult Exec(const QString& Program, const QStringList& Args) {
    QProcess p;
    p.start(Program, Args);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
