#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QUndoStack>
#include <QMouseEvent>

#include "BenchLab.h"
#include "designer/KxLab.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"

namespace {

constexpr int MovesPerSession = 1000;

// The bench designer at Zoom with Count rectangles and texts in a 10 x 6 grid, stacked where there are
// more, the first rectangle selected.
std::unique_ptr<TKxLab> MakeLab(int Count = 60, TKxZoom Zoom = zm200) {
    auto lab = MakeBenchLab();
    lab->SetZoom(Zoom);
    for (int i = 0; i < Count; ++i) {
        const TPoint at{(i % 10) * 88 + (i / 60) % 8, (i / 10) % 6 * 98 + (i / 60) % 8};
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
    auto lab = MakeLab(static_cast<int>(state.range(2)), static_cast<TKxZoom>(state.range(3)));
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
    state.SetLabel(QString("%1 %2 %3 elements %4")
                       .arg(repaint ? "painted" : "events", KxEnumName(snap))
                       .arg(state.range(2))
                       .arg(KxEnumName(static_cast<TKxZoom>(state.range(3))))
                       .toStdString());
}

// A whole drag of the selected element: press, ten moves, release and the repaint that shows the
// element at its new place, with 60 or 1,000 elements on the surface at 400 %.
void BM_DragAndDrop(benchmark::State& state) {
    auto lab = MakeLab(static_cast<int>(state.range(0)), zm400);
    const TRect sel = lab->GetMarks().SelRect;
    const QPoint grab(sel.Left + 3, sel.Top + 3);
    int step = 0;
    for (auto _ : state) {
        const QPoint to = grab + QPoint(10 + step % 2 * 20, 10);
        Send(*lab, QEvent::MouseButtonPress, grab, Qt::LeftButton);
        for (int i = 1; i <= 10; ++i) {
            Send(*lab, QEvent::MouseMove, grab + (to - grab) * i / 10, Qt::LeftButton);
            QApplication::processEvents();
        }
        Send(*lab, QEvent::MouseButtonRelease, to, Qt::NoButton);
        lab->repaint();
        // Back where it was, untimed, so every drag starts alike.
        state.PauseTiming();
        lab->Label()->UndoStack()->undo();
        lab->repaint();
        ++step;
        state.ResumeTiming();
    }
    state.SetLabel(QString("%1 elements").arg(state.range(0)).toStdString());
}

} // namespace

BENCHMARK(BM_DragAndDrop)->Arg(60)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(30);

BENCHMARK(BM_DragSession)
    ->ArgsProduct({{0, 1}, {snNone, snGrid}, {60}, {zm200}})
    ->Args({1, snNone, 1000, zm400})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
