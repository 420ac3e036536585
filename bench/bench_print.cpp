// Print and preview runs of the example price tag without data, on its 21-up A4 sheet.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

#include "BenchData.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "label/KxLabel.h"
#include "label/KxPreviewPages.h"
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

// A label of two texts bound to fields of the generated table of Records records and a rectangle, run
// over every record.
TKxRunSettings RowsRun(TKxLabel& Label, long Records) {
    Label.GetTable()->SetDatabaseName(LocalAlias(Records));
    Label.GetTable()->SetTableName(QStringLiteral("rows"));
    Label.SetDaBa(true);
    int32_t y = 20;
    for (const char* field : {"name", "price"}) {
        auto text = std::make_unique<TKxText>(&Label);
        text->P1 = {20, y};
        text->P2 = {500, y + 60};
        text->Field = QString::fromLatin1(field);
        text->DataBase = true;
        Label.AddElement(std::move(text));
        y += 80;
    }
    auto rect = std::make_unique<TKxRect>(&Label);
    rect->P2 = {600, 350};
    Label.AddElement(std::move(rect));
    TKxRunSettings run = TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
    run.LastLab = static_cast<int32_t>(Records);
    return run;
}

// Opening a preview on its first sheet, then the last sheet, over a table of 10^3 to 10^6 records: the
// time to each and the memory the preview holds do not grow with the run.
void BM_PreviewOpenAndLast(benchmark::State& state) {
    TKxLabel label;
    const TKxRunSettings run = RowsRun(label, state.range(0));
    int64_t sheets = 0;
    double firstMs = 0, lastMs = 0;
    long growth = 0;
    for (auto _ : state) {
        const long before = ResidentKb();
        QElapsedTimer timer;
        timer.start();
        TKxPreviewPages pages(label, run);
        firstMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        sheets = pages.Count();
        benchmark::DoNotOptimize(pages.Page(sheets));
        lastMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        for (int64_t n = sheets; n > sheets - 20 && n > 0; --n)
            benchmark::DoNotOptimize(pages.Page(n));
        growth = std::max(growth, ResidentKb() - before);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["sheets"] = static_cast<double>(sheets);
    state.counters["first_ms"] = firstMs / n;
    state.counters["last_ms"] = lastMs / n;
    state.counters["rss_growth_kB"] = static_cast<double>(growth);
}
// From the designer's Preview to its window shown with the first sheet painted, over a table of 10^3 to
// 10^6 records.
void BM_PreviewWindowOpen(benchmark::State& state) {
    TKxLab lab;
    RowsRun(*lab.Label(), state.range(0));
    lab.GetPrintInfo()->SetLastLab(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        double shownMs = 0;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (window) window->repaint();
            shownMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            if (window) window->close();
        });
        lab.Preview();
        state.SetIterationTime(shownMs / 1000);
    }
    state.counters["sheets"] = static_cast<double>(lab.GetTotalPages());
}
BENCHMARK(BM_PreviewWindowOpen)
    ->Arg(1000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_PreviewOpenAndLast)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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
