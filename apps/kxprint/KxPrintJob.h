#pragma once

#include <cstdint>
#include <cstdio>
#include <QString>

#include "KxPrintOptions.h"

class TKxLabel;
struct TKxRunSettings;

/// kxprint's exit statuses.
enum TKxExitCode : int {
    ecDone = 0,
    ecUsage = 2,
    ecLabel = 3,
    ecAlias = 4,
    ecDatabase = 5,
    ecOutput = 6,
    ecRun = 7,
};

/// One kxprint run: resolves the aliases, loads the label, applies the overrides, checks the data,
/// prints or exports, and reports on Err (progress only when Err is a terminal).
class TKxPrintJob {
public:
    TKxPrintJob(const TKxPrintOptions& Options, std::FILE* Err);
    /// Answers the exit status; every failure has been reported on Err.
    int Run();

private:
    int Fail(int Code, const QString& Text) const;
    void Warn(const QString& Text) const;
    int DefineAliases();
    /// The run the label's print settings describe, with the command line's overrides.
    TKxRunSettings RunSettings(const TKxLabel& Label) const;
    int CheckData(TKxLabel& Label, const TKxRunSettings& Settings);
    int Output(TKxLabel& Label, const TKxRunSettings& Settings);
    void ShowProgress(int64_t Labels, int64_t Sheets, bool Final);

    const TKxPrintOptions& FOptions;
    std::FILE* FErr;
    bool FProgress = false;
    int64_t FRepeated = 0;
    int64_t FLastShown = -1;
    int64_t FStarted = 0;
};
