#pragma once

#include <cstdint>

#include "base/Geometry.h"

class TKxMeasure;

/// Top-left corner, in label units from the paper's top-left corner, of the label cell in
/// column Col (1 to NuVer, from the left) and row Row (1 to NuHor, from the top). Nothing checks
/// that the cell fits on the paper or that Col and Row are in range.
TPoint LabelCellOrigin(const TKxMeasure& Measure, int32_t Col, int32_t Row);

/// The cell's rectangle: its origin and the label's width and height.
TRect LabelCellRect(const TKxMeasure& Measure, int32_t Col, int32_t Row);
