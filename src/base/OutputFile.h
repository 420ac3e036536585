#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <stdexcept>

#include "kxlab_export.h"

/// An output that cannot be written whole; the message names the file and the system's reason.
class KXLAB_EXPORT EKxOutputError : public std::runtime_error {
public:
    EKxOutputError(const QString& File, const QString& Reason);
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

/// One output file being written. The bytes go to a temporary file in the target's folder and the
/// target is replaced only by Commit, so a failed or interrupted run leaves the previous file whole.
/// The temporary file has no name where the file system offers that, so nothing is left behind
/// even after SIGKILL; otherwise, or once Name gives it one, it is named by KxNextTempName and
/// removed by the cleanup signals or the destructor. Writes are buffered and append only; the first
/// failure is kept with the system's reason, and every later write fails.
class KXLAB_EXPORT TKxOutputFile : public QIODevice {
public:
    /// Opens the temporary file, open for writing; raises EKxOutputError.
    explicit TKxOutputFile(const QString& Target);
    ~TKxOutputFile() override;
    TKxOutputFile(const TKxOutputFile&) = delete;
    TKxOutputFile& operator=(const TKxOutputFile&) = delete;

    const QString& Target() const { return FTarget; }
    /// A write has failed: what follows cannot make the file whole.
    bool Failed() const { return FError != 0; }
    /// Writes what is buffered and syncs the file to disk; raises EKxOutputError with the first
    /// failure of any write.
    void Finish();
    /// Gives an unnamed file its temporary name and lets its descriptor go (a run of many sheets
    /// cannot hold one for each); raises EKxOutputError.
    void Name();
    /// Renames the finished file over its target; raises EKxOutputError.
    void Commit();
    /// The file the target names (through a symbolic link) and its folder, in the file system's
    /// encoding.
    const QByteArray& Path() const { return FPath; }
    const QByteArray& Folder() const { return FFolder; }

    qint64 size() const override { return FWritten; }
    /// Only to the end: the file is written front to back.
    bool seek(qint64 Pos) override;
    void close() override;

protected:
    qint64 readData(char* Data, qint64 MaxSize) override;
    qint64 writeData(const char* Data, qint64 Size) override;

private:
    bool FlushBuffer();
    [[noreturn]] void Raise(int Error) const;

    QString FTarget;
    /// The file the target names (through a symbolic link), in the file system's encoding.
    QByteArray FPath;
    QByteArray FFolder;
    /// Empty while the temporary file has no name.
    QByteArray FTempName;
    int FFd = -1;
    int FError = 0;
    QByteArray FBuffer;
    qint64 FWritten = 0;
};
