#pragma once

#include <QString>
#include <QStringList>
#include <vector>

/// A file a run reads, with what it is to the run ("label file", "picture"...).
struct TKxInput {
    QString What;
    QString Path;
};

/// Raises EKxJobFailure with Code unless Path names a regular file (through symbolic links): a
/// folder, a pipe or a device would hang or mislead the run.
void KxRequireRegularFile(const QString& Path, const QString& What, int Code);

/// Raises EKxJobFailure (exit 2) when an output is the same file as an input (device and inode,
/// through links), before anything is written: an output replaces what it names.
void KxCheckOutputsApart(const std::vector<TKxInput>& Inputs, const QStringList& Outputs);
