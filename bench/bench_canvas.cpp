#include <array>
#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "print/Printer.h"

namespace {

// 2,000 operations of the kinds a label draws: texts, frames, bars, lines, a paragraph, pixels.
void MixedOperations(TCanvas& c) {
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(2100, 2970);
    c.Font.SetName("Arial");
    for (int i = 0; i < 250; ++i) {
        const int x = (i % 10) * 200;
        const int y = (i / 10) * 110;
        c.Font.SetHeight(30 + i % 20);
        TLogFont log = c.Font.GetLogFont();
        log.lfEscapement = (i % 4) * 900;
        c.Font.SetLogFont(log);
        c.SetTextAlign(i % 2 ? TA_LEFT | TA_TOP : TA_CENTER | TA_BASELINE);
        c.Brush.Style = i % 3 ? bsClear : bsSolid;
        c.TextOut(x + 50, y + 50, "Label 8410894000109");
        c.Pen = {clRed, 3, psInsideFrame, pmCopy};
        c.RoundRect(x, y, x + 190, y + 100, 20, 20);
        c.Brush = {clBlack, bsSolid};
        c.Pen.Width = 0;
        c.Rectangle(x + 10, y + 60, x + 13, y + 95);
        c.FillRect({x + 20, y + 60, x + 23, y + 95});
        c.MoveTo(x, y + 100);
        c.LineTo(x + 190, y);
        c.Ellipse(x + 150, y + 10, x + 180, y + 40);
        TRect r{x + 5, y + 5, x + 185, y + 95};
        c.DrawText("two short words", r, DT_WORDBREAK | DT_NOPREFIX | DT_CENTER);
        c.SetPixels(x + 1, y + 1, clBlue);
    }
}

void BM_CanvasBitmap(benchmark::State& state) {
    TBitmap bmp(794, 1123); // A4 at 96 dpi
    for (auto _ : state) {
        TCanvas& c = bmp.Canvas();
        c.SetViewportExtEx(794, 1123);
        MixedOperations(c);
        benchmark::DoNotOptimize(bmp.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_CanvasBitmap)->Unit(benchmark::kMillisecond);

void BM_CanvasPdfPage(benchmark::State& state) {
    QTemporaryDir dir;
    TPrinter printer;
    printer.SetOutputFileName(dir.filePath("bench.pdf"));
    printer.SetPaperSize(DMPAPER_A4);
    for (auto _ : state) {
        printer.BeginDoc();
        TCanvas& c = printer.Canvas();
        c.SetViewportExtEx(printer.PageWidth(), printer.PageHeight());
        MixedOperations(c);
        printer.EndDoc();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_CanvasPdfPage)->Unit(benchmark::kMillisecond);

} // namespace

// Word wrapping a long text in a box as wide as a label file allows: the cost grows with the text's
// length, not with its square.
void BM_WrapLongText(benchmark::State& state) {
    QString text;
    for (int i = 0; i < state.range(0); ++i)
        text += QStringLiteral("word%1 ").arg(i % 100);
    TBitmap bmp(100, 100);
    TCanvas& c = bmp.Canvas();
    c.Font.SetName("Arial");
    c.Font.SetHeight(30);
    for (auto _ : state) {
        TRect r{0, 0, 2'000'000'000, 100};
        benchmark::DoNotOptimize(c.DrawText(text, r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT));
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WrapLongText)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
