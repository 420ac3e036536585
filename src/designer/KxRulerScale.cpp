#include "designer/KxRulerScale.h"

#include <algorithm>

TKxRulerScale KxRulerScale(TKxUnits Units) {
    if (Units == unINCH) return {.Step = 127, .Divisor = 254, .LongAt = 127, .Increment = 127, .Wrap = 253};
    return {};
}

std::vector<TKxRulerTick> KxRulerTicks(TKxUnits Units, int32_t Length, int32_t From, int32_t To) {
    const TKxRulerScale s = KxRulerScale(Units);
    std::vector<TKxRulerTick> ticks;
    const int64_t last = std::min<int64_t>(Length, To);
    // First tick index at or after From; the counter of tick k is (k * Increment) mod (Wrap + 1),
    // which is what stepping and wrapping from 0 gives for both scales (Increment divides Wrap + 1).
    int64_t k = From > 0 ? (static_cast<int64_t>(From) + s.Step - 1) / s.Step : 0;
    for (int64_t pos = k * s.Step; pos <= last; ++k, pos += s.Step) {
        const int64_t counter = (k * s.Increment) % (s.Wrap + 1);
        TKxRulerTick tick;
        tick.Pos = static_cast<int32_t>(pos);
        if (counter == 0) {
            tick.Long = true;
            tick.Number = QString::asprintf("%.*f", 0, static_cast<double>(pos) / s.Divisor);
        } else {
            tick.Long = counter == s.LongAt;
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}
