#pragma once

#include <memory>
#include <QString>
#include <vector>

#include "KxOutputFile.h"

/// The files of one run's output: none replaces its target until Commit replaces them all, so a run
/// that fails or is interrupted leaves every previous output as it was.
class TKxOutputSet {
public:
    /// Files that wait unnamed; past this many, finished files take a temporary name, so that a run
    /// of any number of sheets holds a bounded number of descriptors.
    static constexpr int MaxUnnamed = 256;

    /// A new file for Target, open for writing; raises EKxOutputError.
    TKxOutputFile& Add(const QString& Target);
    /// Checks a written file whole (TKxOutputFile::Finish); raises EKxOutputError.
    void Finish(TKxOutputFile& File);
    /// Replaces every target by its file, with the cleanup signals held off meanwhile; raises
    /// EKxOutputError, having replaced nothing, when a file cannot be given its name.
    void Commit();
    int Count() const { return static_cast<int>(FFiles.size()); }

private:
    std::vector<std::unique_ptr<TKxOutputFile>> FFiles;
    int FUnnamed = 0;
};
