// The XML stock catalogue reader under fuzzing: any bytes either read, or raise the stream error. What
// reads keeps the reader's promises: every stock with a layout of its own has numbers a sheet can
// have, and every stock KxLab can lay out is laid out on a label, its first and last cell as near the
// stock's as label units allow. Anything else (a crash, a sanitizer report, another exception, a
// promise broken) is a finding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <QByteArray>

#include "base/StreamError.h"
#include "label/KxApplyStock.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/LabelCell.h"
#include "types/KxStockLayout.h"
#include "types/KxStockText.h"
#include "types/KxStockXml.h"

namespace {

void Check(const TKxStock& S) {
    if (S.Layouts == 0) return;
    if (!KxStockNumbersError(S).isEmpty()) std::abort();
    (void)KxStockSizeText(S);
    (void)KxStockLayoutText(S);
    if (KxStockIssueText(S).isEmpty() != S.Available()) std::abort();
    if (!S.Available()) return;
    TKxLabel label;
    KxApplyStock(label, S);
    if (!KxSheetIsStock(label, S)) std::abort();
    const TKxMeasure& m = *label.GetMeasure();
    const double bound = 0.05 + 0.025 * (std::max(S.Columns, S.Rows) - 1) + 1e-9;
    for (const auto& [col, row] : {std::pair{1, 1}, std::pair{S.Columns, S.Rows}}) {
        const TPoint at = LabelCellOrigin(m, col, row);
        const QPointF want = StockCellOrigin(S, col, row);
        if (std::abs(at.X / 10.0 - want.x()) > bound || std::abs(at.Y / 10.0 - want.y()) > bound)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    TKxStockXmlFile file;
    try {
        file = TKxStockXml::Read(bytes, QStringLiteral("fuzz-templates.xml"));
    } catch (const EStreamError&) {
        return 0;
    }
    for (const TKxStock& s : file.Stocks)
        Check(s);
    for (const TKxStockPaper& p : file.Papers)
        if (!(p.Width > 0 && p.Height > 0)) std::abort();
    return 0;
}
