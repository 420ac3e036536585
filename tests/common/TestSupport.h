#pragma once

#include <QString>
#include <QTemporaryDir>

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
