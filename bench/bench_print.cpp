// Print and preview runs of a price tag without data: texts, compound text, EAN-13, a symbol and a
// frame on the 21-up A4 sheet.
#include <benchmark/benchmark.h>
#include <memory>
#include <QTemporaryDir>

#include "designer/KxFrame.h"
#include "designer/KxLab.h"
#include "designer/KxMeasure.h"
#include "designer/KxPrintInfo.h"
#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxSymbol.h"
#include "elements/KxText.h"
#include "platform/Metafile.h"
#include "platform/Printer.h"

namespace {

void MakeTag(TKxLab& Lab, int Labels) {
    TKxMeasure& m = *Lab.GetMeasure();
    m.SetWidth(64.0f);
    m.SetHeight(38.1f);
    m.SetMarLeft(7.5f);
    m.SetMarTop(15.5f);
    m.SetDiHor(2.0f);
    m.SetDiVer(0.0f);
    Lab.GetFrame()->SetStyle(fsSingle);
    Lab.GetFrame()->SetDist1(1.4f);
    auto name = std::make_unique<TKxText>(&Lab);
    name->P1 = {35, 25};
    name->Height = 45;
    name->Bold = true;
    name->Text = QStringLiteral("Premium Widget 000123");
    Lab.AddElement(std::move(name));
    auto price = std::make_unique<TKxAddText>(&Lab);
    price->P1 = {35, 80};
    price->Height = 40;
    price->Before = QStringLiteral("Price: ");
    price->Text = QStringLiteral("12.34");
    price->After = QStringLiteral(" EUR");
    Lab.AddElement(std::move(price));
    auto ean = std::make_unique<TKxBarCode>(&Lab);
    ean->P1 = {35, 135};
    ean->Height = 180;
    ean->FontHeight = 35;
    Lab.AddElement(std::move(ean));
    auto stock = std::make_unique<TKxSymbol>(&Lab);
    stock->P1 = {500, 180};
    stock->FontName = QStringLiteral("DejaVu Sans");
    stock->Symbol = 0x95;
    stock->Height = 120;
    Lab.AddElement(std::move(stock));
    Lab.GetPrintInfo()->SetLabs(Labels);
}

// Recording 1,000 sheets into preview pages; reports the memory one page holds.
void BM_Preview1000Sheets(benchmark::State& state) {
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
