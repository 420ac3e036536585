#pragma once

#include <cstdint>
#include <QString>
#include <vector>

#include "types/Kxtypes.h"

/// The tick pattern of a ruler in one unit, in label units (tenths of a millimetre).
struct TKxRulerScale {
    /// Distance between ticks.
    int32_t Step = 10;
    /// Number shown = position / Divisor.
    int32_t Divisor = 10;
    /// The counter value that gives a long tick.
    int32_t LongAt = 5;
    /// Added to the counter after each tick.
    int32_t Increment = 1;
    /// A counter above this value starts again at 0, which writes a number.
    int32_t Wrap = 9;
};

/// Millimetres: a tick every millimetre, long at the half centimetre, a number every centimetre.
/// Inches: a long tick every half inch (127), a number every inch.
TKxRulerScale KxRulerScale(TKxUnits Units);

/// One tick of a ruler.
struct TKxRulerTick {
    /// Position along the label, label units.
    int32_t Pos = 0;
    bool Long = false;
    /// The number written at the tick; empty for ticks without one.
    QString Number;

    friend bool operator==(const TKxRulerTick&, const TKxRulerTick&) = default;
};

/// The ticks at 0, Step, 2 Step... up to Length inclusive, restricted to positions in [From, To]
/// so a caller draws only what it can show (a huge label costs no more than its visible part).
/// A counter starting at 0 picks the kind of each tick; a tick with counter 0 carries the number
/// "%.0f" of Pos / Divisor and is long.
std::vector<TKxRulerTick> KxRulerTicks(TKxUnits Units, int32_t Length, int32_t From, int32_t To);
