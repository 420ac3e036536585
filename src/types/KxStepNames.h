#pragma once

#include <QString>

#include "kxlab_export.h"

/// The undo steps the library names itself; dialogs name theirs by their title.
enum class TKxStep {
    Add,
    Delete,
    Cut,
    Paste,
    Move,
    Resize,
    Change,
    Order,
    Align,
    Transparent,
    Settings,
    Database,
    Insert,
    Stock,
    Lock,
    Unlock,
    Roll
};

/// A step's name in the application's current language (context "KxSteps").
KXLAB_EXPORT QString KxStepName(TKxStep Step);
