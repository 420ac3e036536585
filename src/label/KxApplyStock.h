#pragma once

#include "kxlab_export.h"
#include "types/KxStock.h"

class TKxLabel;

/// Lays the label's sheet out as Stock, as one undo step ("Label Stock"): label size and shape (frame corner rounding of a rectangle when
/// the stock gives one, or a circle and its hole), margins, gaps, rows, columns and paper (the paper
/// catalogue's row when the stock's paper is one of them, else "User" with the stock's page size, in
/// portrait), all through the settings objects' setters; the first cell of a run moves back inside the new
/// sheet. The label keeps the stock's maker and part number. Raises EKxError with the reason when the stock
/// is not Available(). The values are KxStockLayout's, in label units.
KXLAB_EXPORT void KxApplyStock(TKxLabel& Label, const TKxStock& Stock);

/// True when the label's sheet (label size and shape, margins, gaps, rows, columns, paper size) is
/// exactly what KxApplyStock makes of Stock; false too when the stock cannot be laid out.
KXLAB_EXPORT bool KxSheetIsStock(const TKxLabel& Label, const TKxStock& Stock);
