#include "label/LabelCell.h"

#include "base/Saturate.h"
#include "label/KxMeasure.h"

// Sizes and counts read from a file may be anything: every step is made in 64 bits and saturates, so
// none wraps round into a plausible position.
TPoint LabelCellOrigin(const TKxMeasure& Measure, int32_t Col, int32_t Row) {
    const auto at = [](int32_t Margin, int32_t Index, int32_t Size, int32_t Gap) {
        return Saturate32(SatAdd(Margin, SatMul(int64_t{Index} - 1, int64_t{Size} + Gap)));
    };
    return {at(Measure.MarLeftLU(), Col, Measure.WidthLU(), Measure.DiHorLU()),
            at(Measure.MarTopLU(), Row, Measure.HeightLU(), Measure.DiVerLU())};
}

TRect LabelCellRect(const TKxMeasure& Measure, int32_t Col, int32_t Row) {
    const TPoint o = LabelCellOrigin(Measure, Col, Row);
    return {o.X, o.Y, Saturate32(int64_t{o.X} + Measure.WidthLU()),
            Saturate32(int64_t{o.Y} + Measure.HeightLU())};
}
