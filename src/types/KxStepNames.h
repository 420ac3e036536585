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
    // The arrange commands, in the order of TKxArrange.
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignTop,
    AlignMiddle,
    AlignBottom,
    DistributeHorizontally,
    DistributeVertically,
    SameWidth,
    SameHeight,
    CentreOnLabel,
    Lock,
    Unlock
};

/// A step's name in the application's current language (context "KxSteps").
KXLAB_EXPORT QString KxStepName(TKxStep Step);
