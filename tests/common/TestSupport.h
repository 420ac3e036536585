#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/// How a program run ended: exit code (-1 when it crashed or was killed after 5 minutes) and output.
struct TResult {
    int Code = -1;
    QString Out;
    QString Err;
};

TResult Exec(const QString& Program, const QStringList& Args);

/// Folder of the checked-in test inputs (tests/data).
QString KxTestDataDir();

/// A temporary folder that removes itself; fails the current test when it cannot be made.
class TKxTempDir {
public:
    TKxTempDir();
    QString Path(const QString& name = {}) const;

private:
    QTemporaryDir FDir;
};
