// Print and preview runs of the example price tag without data, on its 21-up A4 sheet.
#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "common/ModalCloser.h"
#include "designer/KxLab.h"
#include "label/KxPrintInfo.h"
#include "metafile/Metafile.h"
#include "PriceTag.h"
#include "print/Printer.h"

namespace {

// The example price tag without its data: bound texts show their own text, the barcode its own code.
void MakeTag(TKxLab& Lab, int Labels) {
    MakePriceTag(Lab, 1);
    Lab.SetDaBa(false);
    Lab.GetPrintInfo()->SetLabs(Labels);
}

// Recording 1,000 sheets into preview pages; reports the memory one page holds.
void BM_Preview1000Sheets(benchmark::State& state) {
    // The recording is measured; the window it ends in is closed at once.
    const TKxModalCloser closer;
    TKxLab lab;
    MakeTag(lab, 21 * 1000);
    for (auto _ : state) {
        lab.Preview();
        benchmark::DoNotOptimize(lab.GetTotalPages());
    }
    size_t bytes = 0;
    for (int64_t n = 1; n <= lab.GetTotalPages(); ++n)
        bytes += lab.GetPages(n)->ByteSize();
    state.counters["pages"] = static_cast<double>(lab.GetTotalPages());
    state.counters["bytes_per_page"] = static_cast<double>(bytes) / static_cast<double>(lab.GetTotalPages());
    state.counters["labels_per_s"] =
        benchmark::Counter(21.0 * 1000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Preview1000Sheets)->Unit(benchmark::kMillisecond)->Iterations(3);

// Printing 10,000 labels into a PDF file.
void BM_PrintPdf10000(benchmark::State& state) {
    QTemporaryDir dir;
    Printer().SetOutputFileName(dir.filePath(QStringLiteral("run.pdf")));
    TKxLab lab;
    MakeTag(lab, 10000);
    for (auto _ : state)
        lab.Print();
    state.counters["labels_per_s"] = benchmark::Counter(10000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PrintPdf10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
