#pragma once

#include "KxPrintOptions.h"

class TKxLabel;

/// Refuses a label the library's run limits refuse for this output (EKxJobFailure, exit 3, naming the
/// limit; label/KxRunLimits.h).
void KxCheckLimits(const TKxLabel& Label, const TKxPrintOptions& Options);
