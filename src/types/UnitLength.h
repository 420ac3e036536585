#pragma once

#include <cstdint>

#include "types/Kxtypes.h"

/// A length in label units (tenths of a millimetre) as a public value in Units:
/// millimetres, or inches through MMTOINCH.
float LabelToUnits(int32_t lu, TKxUnits Units);
/// A public value in Units back to label units: through INCHTOMM for inches, then Coord.
/// Not an exact inverse for inches: the value is held to 0.1 mm.
int32_t UnitsToLabel(float value, TKxUnits Units);
