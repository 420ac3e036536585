#pragma once

#include <cstdint>
#include <cstdio>
#include <QString>
#include <vector>

#include "KxInputFiles.h"
#include "KxJobFailure.h"
#include "KxPrintOptions.h"
#include "KxReport.h"

class TKxLabel;
class TKxOutputFile;
class TKxOutputSet;
class TKxPrintRun;
struct TKxRunPlan;
struct TKxRunSettings;

/// One kxprint run: resolves the aliases, loads the label, applies the overrides, checks the label,
/// its files and its data, then prints or exports. An output file is whole or absent: it is written
/// aside and replaces the previous one only when the whole run has succeeded.
class TKxPrintJob {
public:
    TKxPrintJob(const TKxPrintOptions& Options, std::FILE* Err);
    /// Answers the exit status; every failure has been reported on Err.
    int Run();

private:
    void DefineAliases();
    void LoadLabel(TKxLabel& Label);
    /// The run the label's print settings describe, with the command line's overrides.
    TKxRunSettings RunSettings(const TKxLabel& Label) const;
    /// What the run prints; a run of none, or one that starts off the sheet, is refused.
    TKxRunPlan Plan(const TKxLabel& Label, const TKxRunSettings& Settings) const;
    /// The settings of --shard's part of the run Whole plans; a part without sheets is refused.
    TKxRunSettings Part(const TKxLabel& Label, const TKxRunSettings& Settings, const TKxRunPlan& Whole) const;
    /// The files the run reads, each checked to be a regular file.
    std::vector<TKxInput> Inputs(const TKxLabel& Label, const TKxRunSettings& Settings) const;
    /// Refuses outputs that are inputs, or that exist and are not regular files.
    void CheckOutputs(const TKxLabel& Label, const TKxRunSettings& Settings, const TKxRunPlan& Plan) const;
    void CheckData(TKxLabel& Label, const TKxRunSettings& Settings);
    /// Reads each record's quantity when the run has a quantity field, before anything is printed.
    void ReadQuantities(TKxLabel& Label, TKxRunSettings& Settings);
    void Output(TKxLabel& Label, const TKxRunSettings& Settings);
    void Print(TKxPrintRun& Run, TKxLabel& Label, TKxOutputFile* Pdf);
    void Export(TKxPrintRun& Run, TKxOutputSet& Outputs);
    void ReportEarlierSheets(int64_t Written);

    const TKxPrintOptions& FOptions;
    TKxReport FReport;
    /// The per-user aliases file, when it was read.
    QString FUserAliasesFile;
    /// The PDF being written, watched while the run draws.
    TKxOutputFile* FPdf = nullptr;
    int64_t FRepeated = 0;
};
