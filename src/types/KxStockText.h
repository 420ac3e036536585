#pragma once

#include <QString>

#include "kxlab_export.h"
#include "types/KxStock.h"

// A stock as lists show it, in the application's language (context "TKxStock").

/// The label's size: "63.5 x 38.1 mm", "40 mm round", "117 mm round, hole 41 mm".
KXLAB_EXPORT QString KxStockSizeText(const TKxStock& Stock);
/// Columns by rows and the paper: "3 x 7, A4".
KXLAB_EXPORT QString KxStockLayoutText(const TKxStock& Stock);
/// Why KxLab cannot lay the stock out ("an ellipse"...); empty when it can.
KXLAB_EXPORT QString KxStockIssueText(const TKxStock& Stock);
/// A length in millimetres with at most two decimals: "63.5", "7.21".
KXLAB_EXPORT QString KxStockMm(double Mm);
