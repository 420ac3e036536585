#pragma once

#include "KxPrintOptions.h"

class TKxLabel;
struct TKxRunPlan;

/// Refuses a run of Plan the library's run limits refuse for this output (EKxJobFailure, exit 3, naming
/// the limit; label/KxRunLimits.h).
void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options, const TKxRunPlan& Plan);
