#pragma once

#include <cstdint>

#include "KxPrintOptions.h"

class TKxLabel;

/// The most bytes one sheet image (.png, .bmp) may take in memory at the chosen resolution, four a
/// pixel: A4 at 1200 dpi (557 MB) is refused, A3 at 600 dpi (279 MB) is not.
constexpr int64_t KxMaxSheetImageBytes = int64_t{512} << 20;
/// The most characters the texts of one element (text, before and after, code) may hold together.
constexpr int64_t KxMaxElementText = 65536;
/// The most elements a label may hold.
constexpr int KxMaxElements = 10000;

/// The bytes a sheet image of the label's paper takes at Dpi pixels per inch.
int64_t KxSheetImageBytes(const TKxLabel& Label, int Dpi);

/// Refuses a label that asks for unbounded work or has no paper (EKxJobFailure, exit 3, naming the
/// limit): a paper side of 0 or less for every output, more than KxMaxElements elements, an element
/// with more than KxMaxElementText characters, a sheet image above KxMaxSheetImageBytes.
void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options);
