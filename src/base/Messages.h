#pragma once

#include <functional>
#include <QString>
#include <QStringList>

#include "kxlab_export.h"

/// How messages, beeps and the busy cursor reach the user. One hook per process.
struct KXLAB_EXPORT TMessageHook {
    std::function<void(const QString&)> Show;
    std::function<void(unsigned)> Beep;
    std::function<void(bool)> Busy;
    /// Errors; without it an installed Show receives them.
    std::function<void(const QString&)> Error = {};
};

/// Shows a message to the user: a modal box in a GUI application with a display, standard error
/// otherwise, or whatever hook the application or a test installed. Never blocks a headless run.
KXLAB_EXPORT void ShowMessage(const QString& text);
/// Shows an error: as ShowMessage, but a box with the critical icon.
KXLAB_EXPORT void ShowError(const QString& text);
/// The system's alert sound (type as the platform's MessageBeep: 0 is the default sound).
KXLAB_EXPORT void MessageBeep(unsigned type = 0);
/// Shows or hides the busy (hourglass) cursor.
KXLAB_EXPORT void SetBusyCursor(bool busy);

/// Replaces the process-wide hook; answers the previous one. An empty function falls back to the default.
KXLAB_EXPORT TMessageHook SetMessageHook(TMessageHook hook);

/// Sets the busy cursor for its lifetime, restoring the default cursor on every way out.
class KXLAB_EXPORT TBusyCursor {
public:
    TBusyCursor() { SetBusyCursor(true); }
    ~TBusyCursor() { SetBusyCursor(false); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

/// Captures messages and beeps while it lives (tests, batch runs), restoring the previous hook after.
class KXLAB_EXPORT TMessageCapture {
public:
    TMessageCapture();
    ~TMessageCapture();
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;

    /// Messages and errors alike, in order.
    QStringList Messages;
    /// The errors among them.
    QStringList Errors;
    int Beeps = 0;
    int BusyDepth = 0;

private:
    TMessageHook FPrevious;
};
