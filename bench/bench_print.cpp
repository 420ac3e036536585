// Print and preview runs of the example price tag without data, on its 21-up A4 sheet.
#include <benchmark/benchmark.h>
#include <memory>
#include <QTemporaryDir>
#include <vector>

#include "label/KxLabel.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"
#include "PriceTag.h"
#include "print/Printer.h"

namespace {

// The example price tag without its data: bound texts show their own text, the barcode its own code.
TKxRunSettings TagRun(TKxLabel& Label, int Labels) {
    MakePriceTag(Label, 1);
    TKxRunSettings run = TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
    run.UseData = false;
    run.Labs = Labels;
    return run;
}

// Recording 1,000 sheets into preview pages; reports the memory one page holds.
void BM_Preview1000Sheets(benchmark::State& state) {
    TKxLabel label;
    const TKxRunSettings run = TagRun(label, 21 * 1000);
    std::vector<std::unique_ptr<TMetafile>> pages;
    for (auto _ : state) {
        pages.clear();
        TKxPrintRun(label, run).Record([&](std::unique_ptr<TMetafile> Page) {
            pages.push_back(std::move(Page));
        });
        benchmark::DoNotOptimize(pages.size());
    }
    size_t bytes = 0;
    for (const auto& page : pages)
        bytes += page->ByteSize();
    state.counters["pages"] = static_cast<double>(pages.size());
    state.counters["bytes_per_page"] = static_cast<double>(bytes) / static_cast<double>(pages.size());
    state.counters["labels_per_s"] =
        benchmark::Counter(21.0 * 1000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Preview1000Sheets)->Unit(benchmark::kMillisecond)->Iterations(3);

// Printing 10,000 labels into a PDF file.
void BM_PrintPdf10000(benchmark::State& state) {
    QTemporaryDir dir;
    TPrinter printer;
    printer.SetOutputFileName(dir.filePath(QStringLiteral("run.pdf")));
    TKxLabel label;
    const TKxRunSettings run = TagRun(label, 10000);
    KxApplyPaper(printer, label);
    for (auto _ : state)
        TKxPrintRun(label, run).Print(printer);
    state.counters["labels_per_s"] = benchmark::Counter(10000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PrintPdf10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
