// Writes the seed corpus of the filter fuzz target: filters over the target's table that reach every
// rule of the grammar and every field type, and a few that fail in each way a user's text can.
#include "CorpusMain.h"

namespace {

const char* const Filters[] = {
    "([Name] = 'O''Hara') AND ([Price] <= 1.5)",
    "name <> 'x' or not qty > 3 and [InStock] = true",
    "[Two Words] >= -1.25e3 AND [Cost] < +.5",
    "3 < [Qty] OR 'abc' = Note",
    "[Name] IS NULL OR [Note] is not null",
    "[Qty] = NULL AND [Price] <> NULL AND [Made] = ''",
    "([Qty] = ) AND ([Stamp] = '')",
    "[Made] = '2024-02-29' AND [At] >= '08:30:00' AND [Stamp] < '2024-02-29 23:59:59.5'",
    "[Stamp] = '2024-03-01' OR [Stamp] = '2024-03-01T10:00:00'",
    "[InStock] = 'yes' OR [InStock] <> 0 OR InStock = FALSE",
    "[Qty] = 2.5 OR [Qty] = TRUE OR [Price] = '1,5'",
    "[Name] = TRUE AND [Name] = ''",
    "[Say \"Hi\"] = 'hello' AND [Pic] IS NOT NULL AND [Raw] = NULL",
    "((((NOT (Qty = 1)))))",
    "[Name] = 'unclosed",
    "[Name = 'a'",
    "[] = 1",
    "[Nobody] = 1",
    "Qty(1) = 1",
    "[Qty] = 'many'",
    "[Pic] = 'bytes'",
    "[Qty] < NULL",
    "[Qty] IS 1",
    "[Qty] = 1 [Price]",
    "[Qty] # 1",
    "",
};

bool WriteFilters(const QDir& dir) {
    int n = 0;
    bool ok = true;
    for (const char* filter : Filters)
        ok &= WriteCorpusFile(dir, QStringLiteral("filter-%1.txt").arg(++n, 2, 10, QLatin1Char('0')), filter);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "", [](const QDir& dir, int, char**) { return WriteFilters(dir); });
}
