#include "KxLimits.h"

#include "KxJobFailure.h"
#include "label/KxLabel.h"
#include "label/KxRunLimits.h"

void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options, const TKxRunPlan& Plan) {
    const bool raster = Options.Kind == TKxOutputKind::okPng || Options.Kind == TKxOutputKind::okBmp;
    const bool wholeSheets =
        raster || Options.Kind == TKxOutputKind::okSvg || Options.Kind == TKxOutputKind::okEmf;
    QString problem = KxRunLimitProblem(Label, raster ? Options.Dpi : 0);
    if (problem.isEmpty() && wholeSheets)
        problem = KxSheetDrawingProblem(Label, KxFullestSheet(Plan, *Label.GetMeasure()),
                                        Options.Kind == TKxOutputKind::okSvg);
    if (problem.isEmpty()) return;
    throw EKxJobFailure(ecLabel, problem + (problem.endsWith(u"(sheet image limit)")
                                                ? QStringLiteral(": lower --dpi or print to PDF")
                                                : QString()));
}
