#include "KxLimits.h"

#include "KxJobFailure.h"
#include "label/KxRunLimits.h"

void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options) {
    const bool raster = Options.Kind == TKxOutputKind::okPng || Options.Kind == TKxOutputKind::okBmp;
    const QString problem = KxRunLimitProblem(Label, raster ? Options.Dpi : 0);
    if (problem.isEmpty()) return;
    throw EKxJobFailure(ecLabel, problem + (problem.endsWith(u"(sheet image limit)")
                                                ? QStringLiteral(": lower --dpi or print to PDF")
                                                : QString()));
}
