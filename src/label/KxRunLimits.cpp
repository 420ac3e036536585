#include "label/KxRunLimits.h"

#include <algorithm>
#include <cmath>

#include "elements/KxElementFacts.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxRunPlan.h"

namespace {

// Pixels of a page edge of the given label units at Dpi, as TMetafile::RenderAt renders the sheet.
int64_t Pixels(int32_t LabelUnits, int Dpi) {
    return std::max<int64_t>(1, std::llround(std::max<int64_t>(int64_t{LabelUnits} * 10, 1) / 2540.0 * Dpi));
}

} // namespace

int64_t KxSheetImageBytes(const TKxLabel& Label, int Dpi) {
    const TKxMeasure& m = *Label.GetMeasure();
    return Pixels(m.PaperWidthLU(), Dpi) * Pixels(m.PaperHeightLU(), Dpi) * 4;
}

QString KxRunLimitProblem(const TKxLabel& Label, int RasterDpi) {
    const TKxMeasure& m = *Label.GetMeasure();
    if (m.PaperWidthLU() <= 0 || m.PaperHeightLU() <= 0)
        return QStringLiteral("the label's paper is %1 x %2 mm: both sides must be more than 0")
            .arg(m.PaperWidthLU() / 10.0)
            .arg(m.PaperHeightLU() / 10.0);
    if (Label.ElementCount() > KxMaxElements)
        return QStringLiteral("the label holds %1 elements; at most %2 are printed (element count limit)")
            .arg(Label.ElementCount())
            .arg(KxMaxElements);
    for (int i = 0; i < Label.ElementCount(); ++i) {
        const int64_t length = KxTextLength(*Label.Element(i));
        if (length > KxMaxElementText)
            return QStringLiteral(
                       "element %1 of the label holds %2 characters of text; at most %3 are printed "
                       "(text length limit)")
                .arg(i + 1)
                .arg(length)
                .arg(KxMaxElementText);
    }
    if (RasterDpi > 0) {
        const int64_t bytes = KxSheetImageBytes(Label, RasterDpi);
        if (bytes > KxMaxSheetImageBytes)
            return QStringLiteral(
                       "a sheet of %1 x %2 mm at %3 dpi takes %4 MB; a sheet image may take at most "
                       "%5 MB (sheet image limit)")
                .arg(m.PaperWidthLU() / 10.0)
                .arg(m.PaperHeightLU() / 10.0)
                .arg(RasterDpi)
                .arg(bytes >> 20)
                .arg(KxMaxSheetImageBytes >> 20);
    }
    return {};
}

int64_t KxFullestSheet(const TKxRunPlan& Plan, const TKxMeasure& Measure) {
    const int64_t cells = int64_t{std::max(Measure.GetNuHor(), 1)} * std::max(Measure.GetNuVer(), 1);
    return std::min(Plan.Labels, cells);
}

QString KxSheetDrawingProblem(const TKxLabel& Label, int64_t SheetLabels, bool Svg) {
    const int64_t drawings = SheetLabels * (int64_t{Label.ElementCount()} + 2);
    const int64_t most = Svg ? KxMaxSvgSheetDrawings : KxMaxSheetDrawings;
    if (drawings <= most) return {};
    return QStringLiteral(
               "a sheet of %1 labels of %2 elements makes %3 drawings; a sheet written whole%4 may "
               "hold at most %5 (sheet drawing limit): put fewer labels on a sheet, or print to PDF")
        .arg(SheetLabels)
        .arg(Label.ElementCount())
        .arg(drawings)
        .arg(Svg ? QStringLiteral(" as SVG") : QString())
        .arg(most);
}
