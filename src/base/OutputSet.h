#pragma once

#include <memory>
#include <QString>
#include <vector>

#include "base/OutputFile.h"
#include "kxlab_export.h"

/// The files of one run's output: none replaces its target until Commit replaces them all, so a run
/// that fails or is interrupted leaves every previous output as it was, and a commit that fails
/// part-way puts back every file it had replaced. Commits into one folder take turns, so two runs to
/// the same names leave all the files of one of them.
class KXLAB_EXPORT TKxOutputSet {
public:
    /// Files that wait unnamed; past this many, finished files take a temporary name, so that a run
    /// of any number of sheets holds a bounded number of descriptors.
    static constexpr int MaxUnnamed = 32;

    /// A new file for Target, open for writing; raises EKxOutputError.
    TKxOutputFile& Add(const QString& Target);
    /// Checks a written file whole (TKxOutputFile::Finish); raises EKxOutputError.
    void Finish(TKxOutputFile& File);
    /// Replaces every target by its file, with the cleanup signals held off meanwhile; raises
    /// EKxOutputError, with every target as it was before, when one cannot be replaced.
    void Commit();
    int Count() const { return static_cast<int>(FFiles.size()); }

private:
    std::vector<std::unique_ptr<TKxOutputFile>> FFiles;
    int FUnnamed = 0;
};
