#pragma once

#include <cstdint>
#include <QString>

#include "kxlab_export.h"

class TKxLabel;

/// The most bytes one sheet image (.png, .bmp) may take in memory at its resolution, four a pixel:
/// A4 at 1200 dpi (557 MB) is refused, A3 at 600 dpi (279 MB) is not.
constexpr int64_t KxMaxSheetImageBytes = int64_t{512} << 20;
/// The most characters the texts of one element (text, before and after, code) may hold together.
constexpr int64_t KxMaxElementText = 65536;
/// The most elements a label may hold.
constexpr int KxMaxElements = 10000;

/// The bytes a sheet image of the label's paper takes at Dpi pixels per inch.
KXLAB_EXPORT int64_t KxSheetImageBytes(const TKxLabel& Label, int Dpi);

/// Why a run of Label would ask for unbounded work or has no paper, naming the limit; empty when it
/// keeps to them all: a paper side of 0 or less, more than KxMaxElements elements, an element with
/// more than KxMaxElementText characters, and, for sheet images at RasterDpi (0 for vector output),
/// an image above KxMaxSheetImageBytes.
KXLAB_EXPORT QString KxRunLimitProblem(const TKxLabel& Label, int RasterDpi);
