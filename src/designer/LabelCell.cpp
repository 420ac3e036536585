#include "designer/LabelCell.h"

#include <algorithm>
#include <limits>

#include "designer/KxMeasure.h"

namespace {
// Hostile counts read from a file must not wrap round into a plausible position.
int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
} // namespace

TPoint LabelCellOrigin(const TKxMeasure& Measure, int32_t Col, int32_t Row) {
    const int64_t x = Measure.MarLeftLU() + int64_t(Col - 1) * (Measure.WidthLU() + Measure.DiHorLU());
    const int64_t y = Measure.MarTopLU() + int64_t(Row - 1) * (Measure.HeightLU() + Measure.DiVerLU());
    return {Saturate(x), Saturate(y)};
}

TRect LabelCellRect(const TKxMeasure& Measure, int32_t Col, int32_t Row) {
    const TPoint o = LabelCellOrigin(Measure, Col, Row);
    return {o.X, o.Y, Saturate(int64_t(o.X) + Measure.WidthLU()),
            Saturate(int64_t(o.Y) + Measure.HeightLU())};
}
