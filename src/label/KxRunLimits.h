#pragma once

#include <cstdint>
#include <QString>

#include "kxlab_export.h"

class TKxLabel;
class TKxMeasure;
struct TKxRunPlan;

/// The most bytes one sheet image (.png, .bmp) may take in memory at its resolution, four a pixel:
/// A4 at 1200 dpi (557 MB) is refused, A3 at 600 dpi (279 MB) is not.
constexpr int64_t KxMaxSheetImageBytes = int64_t{512} << 20;
/// The most characters the texts of one element (text, before and after, code) may hold together.
constexpr int64_t KxMaxElementText = 65536;
/// The most elements a label may hold.
constexpr int KxMaxElements = 10000;

/// The most drawings (each element of each label on the sheet, and each label's background and frame)
/// one sheet written whole may hold. An SVG document stays in memory until it is complete, about 10 KB
/// a drawing; the other sheets written whole (EMF, PNG, BMP) are recorded first, about 50 bytes a
/// drawing. Printers and PDF take the sheet as it is drawn and keep no such bound.
constexpr int64_t KxMaxSvgSheetDrawings = 100000;
constexpr int64_t KxMaxSheetDrawings = 2000000;

/// The bytes a sheet image of the label's paper takes at Dpi pixels per inch.
KXLAB_EXPORT int64_t KxSheetImageBytes(const TKxLabel& Label, int Dpi);

/// Why a run of Label would ask for unbounded work or has no paper, naming the limit; empty when it
/// keeps to them all: a paper side of 0 or less, more than KxMaxElements elements, an element with
/// more than KxMaxElementText characters, and, for sheet images at RasterDpi (0 for vector output),
/// an image above KxMaxSheetImageBytes.
KXLAB_EXPORT QString KxRunLimitProblem(const TKxLabel& Label, int RasterDpi);

/// The labels the fullest sheet of a run holds.
KXLAB_EXPORT int64_t KxFullestSheet(const TKxRunPlan& Plan, const TKxMeasure& Measure);
/// Why one sheet of SheetLabels labels of Label, written whole as SVG (Svg) or as another recorded
/// format, would take more memory than its limit allows, naming the limit; empty when it keeps to it.
KXLAB_EXPORT QString KxSheetDrawingProblem(const TKxLabel& Label, int64_t SheetLabels, bool Svg);
