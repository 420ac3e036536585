// A 10,000-label print run into a PDF file with one QR code per label, beside the same run with
// today's EAN-13: labels per second and PDF bytes per label.
#include <benchmark/benchmark.h>
#include <QFileInfo>
#include <QTemporaryDir>

#include "elements/KxBarCode.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintRun.h"
#include "print/Printer.h"

namespace {

constexpr int Labels = 10000;

// A 64 x 38.1 mm label, 21 to an A4 sheet, holding one barcode.
TKxRunSettings OneBarcode(TKxLabel& Label, TKxBar Kind) {
    TKxMeasure& m = *Label.GetMeasure();
    m.SetWidth(64.0f);
    m.SetHeight(38.1f);
    m.SetMarLeft(7.5f);
    m.SetMarTop(15.5f);
    m.SetDiHor(2.0f);
    m.SetNuHor(7);
    m.SetNuVer(3);
    auto bar = std::make_unique<TKxBarCode>(&Label);
    bar->P1 = {30, 30};
    bar->BarType = Kind;
    if (Kind == baQR) {
        bar->Code = QStringLiteral("https://id.example.com/01/09501101530003/10/AB-12/21/0001234567");
        bar->Options.QrMode = TKxDataMode::DigitalLink;
        bar->Width = 5;
    }
    Label.AddElement(std::move(bar));
    TKxRunSettings run = TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
    run.UseData = false;
    run.Labs = Labels;
    return run;
}

void PrintRun(benchmark::State& state, TKxBar Kind) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
    TKxLabel label;
    const TKxRunSettings run = OneBarcode(label, Kind);
    for (auto _ : state) {
        TPrinter printer;
        printer.SetOutputFileName(pdf);
        KxApplyPaper(printer, label);
        TKxPrintRun(label, run).Print(printer);
    }
    state.counters["labels_per_s"] = benchmark::Counter(Labels, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes_per_label"] = static_cast<double>(QFileInfo(pdf).size()) / Labels;
}

void BM_QrPdf10000(benchmark::State& state) {
    PrintRun(state, baQR);
}
BENCHMARK(BM_QrPdf10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Ean13Pdf10000(benchmark::State& state) {
    PrintRun(state, baEAN13);
}
BENCHMARK(BM_Ean13Pdf10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
