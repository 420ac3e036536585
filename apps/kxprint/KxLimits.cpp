#include "KxLimits.h"

#include <algorithm>
#include <cmath>

#include "elements/KxElement.h"
#include "elements/KxElementFacts.h"
#include "KxJobFailure.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"

namespace {

// Pixels of a page edge of the given label units at Dpi, as the sheet is rendered.
int64_t Pixels(int32_t LabelUnits, int Dpi) {
    return std::max<int64_t>(1, std::llround(std::max<int64_t>(int64_t{LabelUnits} * 10, 1) / 2540.0 * Dpi));
}

[[noreturn]] void Refuse(const QString& Text) {
    throw EKxJobFailure(ecLabel, Text);
}

} // namespace

int64_t KxSheetImageBytes(const TKxLabel& Label, int Dpi) {
    const TKxMeasure& m = *Label.GetMeasure();
    return Pixels(m.PaperWidthLU(), Dpi) * Pixels(m.PaperHeightLU(), Dpi) * 4;
}

void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options) {
    const TKxMeasure& m = *Label.GetMeasure();
    if (m.PaperWidthLU() <= 0 || m.PaperHeightLU() <= 0)
        Refuse(QStringLiteral("the label's paper is %1 x %2 mm: both sides must be more than 0")
                   .arg(m.PaperWidthLU() / 10.0)
                   .arg(m.PaperHeightLU() / 10.0));
    if (Label.ElementCount() > KxMaxElements)
        Refuse(QStringLiteral("the label holds %1 elements; at most %2 are printed (element count limit)")
                   .arg(Label.ElementCount())
                   .arg(KxMaxElements));
    for (int i = 0; i < Label.ElementCount(); ++i) {
        const int64_t length = KxTextLength(*Label.Element(i));
        if (length > KxMaxElementText)
            Refuse(
                QStringLiteral("element %1 of the label holds %2 characters of text; at most %3 are printed "
                               "(text length limit)")
                    .arg(i + 1)
                    .arg(length)
                    .arg(KxMaxElementText));
    }
    if (Options.Kind == TKxOutputKind::okPng || Options.Kind == TKxOutputKind::okBmp) {
        const int64_t bytes = KxSheetImageBytes(Label, Options.Dpi);
        if (bytes > KxMaxSheetImageBytes)
            Refuse(QStringLiteral(
                       "a sheet of %1 x %2 mm at %3 dpi takes %4 MB; a sheet image may take at most %5 MB "
                       "(sheet image limit): lower --dpi or print to PDF")
                       .arg(m.PaperWidthLU() / 10.0)
                       .arg(m.PaperHeightLU() / 10.0)
                       .arg(Options.Dpi)
                       .arg(bytes >> 20)
                       .arg(KxMaxSheetImageBytes >> 20));
    }
}
