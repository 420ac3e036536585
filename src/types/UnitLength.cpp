#include "types/UnitLength.h"

float LabelToUnits(int32_t lu, TKxUnits Units) {
    // The millimetre value is narrowed to single first, as the public interface carries singles.
    const float mm = static_cast<float>(InCoord(lu));
    return Units == unINCH ? MMTOINCH(mm) : mm;
}

int32_t UnitsToLabel(float value, TKxUnits Units) {
    return Coord(Units == unINCH ? INCHTOMM(value) : value);
}
