#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QMouseEvent>

#include "BenchLab.h"
#include "designer/KxLab.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"

namespace {

constexpr int MovesPerSession = 1000;

// The bench designer at zm200 with 60 rectangles and texts, the first rectangle selected.
std::unique_ptr<TKxLab> MakeLab() {
    auto lab = MakeBenchLab();
    lab->SetZoom(zm200);
    for (int i = 0; i < 60; ++i) {
        const TPoint at{(i % 10) * 88, (i / 10) * 98};
        std::unique_ptr<TKxElement> e;
        if (i % 2 == 0)
            e = std::make_unique<TKxRect>(lab->Label());
        else
            e = std::make_unique<TKxText>(lab->Label());
        e->P1 = at;
        e->P2 = at + TPoint{80, 50};
        e->ID = QString::number(i);
        lab->AddElement(std::move(e));
    }
    lab->ElementByID("0");
    lab->AdjustHandle();
    return lab;
}

void Send(TKxLab& Lab, QEvent::Type Type, QPoint P, Qt::MouseButtons Held) {
    const Qt::MouseButton button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(Type, P, Lab.mapToGlobal(P), button, Held, Qt::NoModifier);
    QApplication::sendEvent(&Lab, &event);
}

// One drag session: press on the selected outline, MovesPerSession moves along a zigzag across
// the label (timed), release. With Repaint the window paints the touched pixels after every move,
// as an event loop would.
void BM_DragSession(benchmark::State& state) {
    const bool repaint = state.range(0) != 0;
    const auto snap = static_cast<TKxSnap>(state.range(1));
    auto lab = MakeLab();
    lab->SetSnap(snap);
    const TRect sel = lab->GetMarks().SelRect;
    const QPoint grab(sel.Left + 3, sel.Top + 3);
    for (auto _ : state) {
        state.PauseTiming();
        Send(*lab, QEvent::MouseButtonPress, grab, Qt::LeftButton);
        state.ResumeTiming();
        for (int i = 0; i < MovesPerSession; ++i) {
            const QPoint p = grab + QPoint(i % 400, (i * 7) % 250);
            Send(*lab, QEvent::MouseMove, p, Qt::LeftButton);
            if (repaint) QApplication::processEvents();
        }
        state.PauseTiming();
        Send(*lab, QEvent::MouseButtonRelease, grab, Qt::NoButton);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["per_move"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * MovesPerSession,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(QString("%1 %2").arg(repaint ? "painted" : "events", KxEnumName(snap)).toStdString());
}

} // namespace

BENCHMARK(BM_DragSession)
    ->ArgsProduct({{0, 1}, {snNone, snGrid}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
