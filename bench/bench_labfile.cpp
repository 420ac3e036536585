// Label file speed: saving and loading a label of 10,000 elements, every kind in turn.
#include <benchmark/benchmark.h>
#include <QByteArray>

#include "base/Messages.h"
#include "common/LabelSamples.h"
#include "elements/KxElementFactory.h"
#include "label/KxLabel.h"

namespace {

constexpr int Elements = 10000;

void Fill(TKxLabel& Lab) {
    for (int i = 0; i < Elements; ++i) {
        // Every kind that has a class, in turn.
        for (int tag = 1 + i % 8, tried = 0; tried < 8; tag = tag % 8 + 1, ++tried) {
            if (auto e = TKxElementFactory::Create(tag, &Lab)) {
                e->P1 = {i % 500, i % 300};
                e->P2 = {i % 500 + 100, i % 300 + 50};
                Lab.AddElement(std::move(e));
                break;
            }
        }
    }
}

void BM_SaveLabel(benchmark::State& state) {
    TKxLabel lab;
    Fill(lab);
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes = KxSaveToBytes(lab);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.counters["elements"] = lab.ElementCount();
    state.counters["bytes"] = static_cast<double>(size);
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_SaveLabel)->Unit(benchmark::kMillisecond);

void BM_LoadLabel(benchmark::State& state) {
    const TMessageCapture quiet;
    QByteArray bytes;
    {
        TKxLabel source;
        Fill(source);
        bytes = KxSaveToBytes(source);
    }
    for (auto _ : state) {
        TKxLabel lab;
        KxLoadFromBytes(lab, bytes);
        benchmark::DoNotOptimize(lab.ElementCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadLabel)->Unit(benchmark::kMillisecond);

} // namespace
