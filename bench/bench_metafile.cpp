#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"

namespace {

constexpr int Pages = 1000;
constexpr int32_t PaperWidth = 2100; // A4 in tenths of a millimetre
constexpr int32_t PaperHeight = 2970;

// Resident memory of the process in bytes.
double ResidentBytes() {
    std::ifstream status("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    status >> pages >> resident;
    return double(resident) * 4096;
}

// A sheet of 7 rows by 3 columns of 60 x 35 mm labels, each with a frame, two texts, a barcode's
// bars, a line and a rounded box, as the print engine draws it.
void DrawSheet(TCanvas& c, int sheet) {
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 3; ++col) {
            const int32_t x = 50 + col * 640;
            const int32_t y = 100 + row * 390;
            c.Pen = {clBlack, 0, psSolid, pmCopy};
            c.Brush = {clWhite, bsClear};
            c.RoundRect(x + 20, y + 20, x + 580, y + 330, 40, 40);
            c.Font.SetName("Arial");
            c.Font.SetHeight(40);
            c.Font.SetColor(clBlack);
            c.SetTextAlign(TA_LEFT | TA_TOP);
            c.TextOut(x + 40, y + 40, "Product " + QString::number(sheet * 21 + row * 3 + col));
            c.Font.SetHeight(30);
            c.TextOut(x + 40, y + 100, "8410894000109  1.50 EUR");
            c.Brush = {clBlack, bsSolid};
            for (int bar = 0; bar < 30; ++bar)
                c.FillRect({x + 40 + bar * 12, y + 160, x + 40 + bar * 12 + (bar % 3 + 1) * 3, y + 280});
            c.Pen = {clRed, 5, psInsideFrame, pmCopy};
            c.Brush.Style = bsClear;
            c.Rectangle(x, y, x + 600, y + 350);
            c.MoveTo(x + 420, y + 160);
            c.LineTo(x + 560, y + 280);
        }
}

std::unique_ptr<TMetafile> RecordSheet(int sheet) {
    auto page = std::make_unique<TMetafile>(PaperWidth * 10, PaperHeight * 10);
    TMetafileCanvas c(*page);
    // As a preview page: paper in hundredths of a millimetre, 0.378 reference pixels per tenth.
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(PaperWidth * 10, PaperHeight * 10);
    c.SetViewportExtEx(std::lround(PaperWidth * 10 * 0.378), std::lround(PaperHeight * 10 * 0.378));
    DrawSheet(c, sheet);
    return page;
}

void BM_RecordSheets(benchmark::State& state) {
    double bytes = 0;
    double resident = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        std::vector<std::unique_ptr<TMetafile>> pages;
        pages.reserve(Pages);
        for (int i = 0; i < Pages; ++i)
            pages.push_back(RecordSheet(i));
        // The first round shows the growth; later rounds reuse the memory freed before them.
        resident = std::max(resident, (ResidentBytes() - before) / Pages);
        bytes = 0;
        for (const auto& p : pages)
            bytes += double(p->ByteSize());
        bytes /= Pages;
        benchmark::DoNotOptimize(pages.data());
    }
    state.SetItemsProcessed(state.iterations() * Pages);
    state.counters["bytes_per_page"] = bytes;
    state.counters["resident_per_page"] = resident;
}
BENCHMARK(BM_RecordSheets)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplaySheets(benchmark::State& state) {
    std::vector<std::unique_ptr<TMetafile>> pages;
    for (int i = 0; i < Pages; ++i)
        pages.push_back(RecordSheet(i));
    TBitmap bmp(pages[0]->Width(), pages[0]->Height()); // A4 at 96 dpi, the preview's natural size
    for (auto _ : state) {
        for (const auto& p : pages)
            bmp.Canvas().StretchDraw({0, 0, bmp.Width(), bmp.Height()}, *p);
        benchmark::DoNotOptimize(bmp.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * Pages);
}
BENCHMARK(BM_ReplaySheets)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SaveSheetAsEmf(benchmark::State& state) {
    const auto page = RecordSheet(0);
    size_t size = 0;
    for (auto _ : state) {
        const QByteArray emf = page->SaveToEmf();
        size = size_t(emf.size());
        benchmark::DoNotOptimize(emf.constData());
    }
    state.counters["emf_bytes"] = double(size);
}
BENCHMARK(BM_SaveSheetAsEmf)->Unit(benchmark::kMillisecond);

} // namespace
