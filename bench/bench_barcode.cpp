#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "common/TestOwner.h"
#include "elements/KxBarCode.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "print/Printer.h"

namespace {

constexpr int Columns = 5;
constexpr int Rows = 20;

// One A4 sheet of 100 barcodes, the four symbologies and the four angles mixed.
void DrawSheet(TTestOwner& owner, TCanvas& c) {
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(2100, 2970);
    owner.DrawAllOn(&c);
    static const char* const codes[] = {"8410894000109", "96385074", "ABC-123 $/+%", "036000291452"};
    TKxBarCode bar(&owner);
    bar.Transparent = false;
    for (int i = 0; i < Columns * Rows; ++i) {
        bar.BarType = static_cast<TKxBar>(i % 4);
        bar.Code = codes[i % 4];
        bar.Angle = (i / 4 % 4) * 90;
        bar.P1 = {(i % Columns) * 420 + 210, (i / Columns) * 148 + 74};
        KxTestDraw(bar, {0, 0}, tdPrint, false);
    }
}

void BM_BarcodesBitmap300Dpi(benchmark::State& state) {
    TBitmap bmp(2480, 3508); // A4 at 300 dpi
    TTestOwner owner;
    for (auto _ : state) {
        TCanvas& c = bmp.Canvas();
        c.SetViewportExtEx(2480, 3508);
        DrawSheet(owner, c);
        benchmark::DoNotOptimize(bmp.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_BarcodesBitmap300Dpi)->Unit(benchmark::kMillisecond);

void BM_BarcodesPdf(benchmark::State& state) {
    QTemporaryDir dir;
    TPrinter printer;
    printer.SetOutputFileName(dir.filePath("bench.pdf"));
    printer.SetPaperSize(DMPAPER_A4);
    TTestOwner owner;
    for (auto _ : state) {
        printer.BeginDoc();
        TCanvas& c = printer.Canvas();
        c.SetViewportExtEx(printer.PageWidth(), printer.PageHeight());
        DrawSheet(owner, c);
        printer.EndDoc();
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_BarcodesPdf)->Unit(benchmark::kMillisecond);

} // namespace
