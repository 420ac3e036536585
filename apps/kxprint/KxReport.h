#pragma once

#include <cstdint>
#include <cstdio>
#include <QString>
#include <QStringList>

#include "base/Messages.h"

/// Text for a terminal: control characters (and the marks that reorder text) shown as escapes, so a
/// name from a label or a database can neither move the cursor nor hide what follows it.
QString KxTerminalText(const QString& Text);

/// What kxprint tells its user on standard error: errors always; warnings, the library's messages
/// (a picture that cannot be read) and progress only without --quiet, progress only on a terminal.
/// While it lives, the library's message hook shows its messages as warnings. Warnings can be held
/// back while a run is being checked, and are dropped when the run fails before it starts.
class TKxReport {
public:
    TKxReport(std::FILE* Err, bool Quiet);
    ~TKxReport();
    TKxReport(const TKxReport&) = delete;
    TKxReport& operator=(const TKxReport&) = delete;

    /// Shows the error and answers Code.
    int Error(int Code, const QString& Text);
    void Warning(const QString& Text);
    /// What the run is about to do ("part 3 of 8: ..."); not with --quiet.
    void Note(const QString& Text);
    /// Holds warnings back from now on.
    void Hold();
    /// Shows the warnings held back, and later ones as they come.
    void Release();
    /// Labels drawn and sheets begun so far; at most ten times a second unless Final.
    void Progress(int64_t Labels, int64_t Sheets, bool Final);

private:
    std::FILE* FErr;
    bool FQuiet;
    bool FProgress;
    bool FHolding = false;
    bool FLineOpen = false;
    QStringList FHeld;
    int64_t FStarted = -1;
    int64_t FLastShown = -1;
    TMessageHook FPrevious;
};
