#include "KxStockOption.h"

#include <algorithm>
#include <vector>

#include "base/KxError.h"
#include "KxJobFailure.h"
#include "KxReport.h"
#include "label/KxApplyStock.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStockText.h"

namespace {

void Warn(const TKxStockCatalogue& Catalogue, TKxReport& Report) {
    for (const QString& warning : Catalogue.Warnings())
        Report.Warning(warning);
}

} // namespace

int KxListStocks(const TKxPrintOptions& Options, std::FILE* Out, std::FILE* Err) {
    TKxReport report(Err, Options.Quiet);
    const TKxStockCatalogue& catalogue = KxStocks();
    Warn(catalogue, report);
    const std::vector<const TKxStock*> found = catalogue.Search(Options.StockSearch);
    // Columns padded to their widest entry, so the list reads as a table.
    std::vector<QStringList> rows;
    std::vector<qsizetype> widths;
    for (const TKxStock* s : found) {
        const QString use =
            s->Available() ? QStringLiteral("yes") : QStringLiteral("no: ") + KxStockIssueText(*s);
        QStringList row{s->Maker, s->Part, s->Description, KxStockSizeText(*s), KxStockLayoutText(*s), use};
        for (qsizetype c = 0; c < row.size(); ++c) {
            row[c] = KxTerminalText(row[c]);
            widths.resize(std::max<size_t>(widths.size(), static_cast<size_t>(c) + 1));
            widths[c] = std::max(widths[c], row[c].size());
        }
        rows.push_back(std::move(row));
    }
    for (QStringList& row : rows) {
        for (qsizetype c = 0; c + 1 < row.size(); ++c)
            row[c] = row[c].leftJustified(widths[c]);
        std::fprintf(Out, "%s\n", row.join(QStringLiteral("  ")).toLocal8Bit().constData());
    }
    if (found.empty()) report.Warning(QStringLiteral("no stock matches \"%1\"").arg(Options.StockSearch));
    return ecDone;
}

void KxOverrideStock(TKxLabel& Label, const TKxPrintOptions& Options, TKxReport& Report) {
    if (Options.Stock.isEmpty()) return;
    const TKxStockCatalogue& catalogue = KxStocks();
    Warn(catalogue, Report);
    const std::vector<const TKxStock*> named = catalogue.Named(Options.Stock);
    if (named.empty())
        throw EKxJobFailure(ecUsage,
                            QStringLiteral("no label stock is named \"%1\"; kxprint --list-stocks %1 "
                                           "lists those whose name holds it")
                                .arg(Options.Stock));
    if (named.size() > 1) {
        QStringList names;
        for (const TKxStock* s : named)
            names.append(s->Name());
        throw EKxJobFailure(ecUsage,
                            QStringLiteral("\"%1\" names %2 stocks (%3): add the maker, as in --stock \"%4\"")
                                .arg(Options.Stock)
                                .arg(names.size())
                                .arg(names.join(QStringLiteral(", ")), names.first()));
    }
    try {
        KxApplyStock(Label, *named.front());
    } catch (const EKxError& e) {
        throw EKxJobFailure(ecUsage, e.Message());
    }
}
