#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QTemporaryDir>

#include "BenchLab.h"
#include "designer/KxLab.h"
#include "label/KxBackSurf.h"
#include "Showcase.h"

namespace {

// The showcase label (100 x 80 mm, one element of every kind: texts, compound text, paragraphs,
// lines, rectangles, ellipse, symbol, picture and the four barcodes) repeated Copies times, each copy
// shifted 1 mm, in a shown 1000 x 700 designer with a double frame and the grid.
std::unique_ptr<TKxLab> MakeLab(TKxZoom zoom, int copies, const QString& picture) {
    auto lab = MakeBenchLab();
    lab->GetMeasure()->SetWidth(KxShowcaseSize.cx / 10.0f);
    lab->GetMeasure()->SetHeight(KxShowcaseSize.cy / 10.0f);
    for (int i = 0; i < copies; ++i)
        AddEveryKind(*lab, picture, TPoint{10 * i, 10 * i});
    lab->SetZoom(zoom);
    return lab;
}

void BM_DrawAll(benchmark::State& state) {
    const auto zoom = static_cast<TKxZoom>(state.range(0));
    const auto copies = static_cast<int>(state.range(1));
    const auto style = static_cast<TKxBackStyle>(state.range(2));
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("card.png"));
    WriteShowcasePicture(picture);
    auto lab = MakeLab(zoom, copies, picture);
    lab->GetBackSurf()->SetColor(clWhite);
    lab->GetBackSurf()->SetToColor(clAqua);
    lab->GetBackSurf()->SetStyle(style);
    for (auto _ : state)
        lab->DrawAll(duBoth);
    state.SetLabel(QString("%1 %2 elements %3")
                       .arg(KxEnumName(zoom))
                       .arg(lab->Label()->ElementCount())
                       .arg(KxEnumName(style))
                       .toStdString());
}

} // namespace

BENCHMARK(BM_DrawAll)
    ->ArgsProduct({{zm100, zm400}, {1, 6, 63}, {biNone, biGradHor}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
