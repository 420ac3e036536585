#pragma once

#include <cstdint>

#include "kxlab_export.h"

class TKxLabel;
class TKxMeasure;

/// A roll (thermal) printer takes one label per page: the page is the label plus the stock's gaps
/// (DiHor across, DiVer along the roll), the label in its middle, so the pitch of the pages is the
/// pitch of the labels on the roll. In label units.
struct KXLAB_EXPORT TKxRollLayout {
    int32_t PaperWidth = 0;
    int32_t PaperHeight = 0;
    int32_t MarLeft = 0;
    int32_t MarTop = 0;

    static TKxRollLayout Of(const TKxMeasure& Measure);
};

/// Lays the label's sheet out for a roll as one undo step ("Roll Layout"): one row, one column, the
/// "User" paper of TKxRollLayout in portrait, the first cell of a run on it. Label size, shape and gaps
/// stay; the file keeps only fields every reader knows, so any reader prints it the same.
KXLAB_EXPORT void KxApplyRoll(TKxLabel& Label);

/// True when the label's sheet is what KxApplyRoll makes of it.
KXLAB_EXPORT bool KxSheetIsRoll(const TKxLabel& Label);
