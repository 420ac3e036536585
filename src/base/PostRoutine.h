#pragma once

#include <QCoreApplication>

/// Runs a clean-up routine when the application object is destroyed, unless the registration ends
/// first. Made as a function-local static right after the static it cleans, it is destroyed before
/// that static, so an application object that is itself a static (destroyed after both) finds nothing
/// to run instead of a destroyed object.
class TPostRoutine {
public:
    explicit TPostRoutine(QtCleanUpFunction Routine)
        : FRoutine(Routine) {
        qAddPostRoutine(FRoutine);
    }
    ~TPostRoutine() { qRemovePostRoutine(FRoutine); }
    TPostRoutine(const TPostRoutine&) = delete;
    TPostRoutine& operator=(const TPostRoutine&) = delete;

private:
    QtCleanUpFunction FRoutine;
};
