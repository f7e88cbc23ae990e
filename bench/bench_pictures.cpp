// Drawing a full set of card pictures (52 faces, every deck's back and the
// 17 markers) from an empty cache, at the card size of a 96 dpi screen and
// of a 192 dpi one.

#include "pictures/CardPictures.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void drawFullSet(benchmark::State& state, QSize size)
{
    CardPictures pictures;
    for (auto _ : state) {
        pictures.clearCache();
        for (int16_t n = 1; n <= CardPictures::kFaces; ++n)
            benchmark::DoNotOptimize(pictures.face(n, size));
        for (int16_t d = 1; d <= pictures.deckCount(); ++d)
            benchmark::DoNotOptimize(pictures.back(d, size));
        for (int16_t m = 0; m < CardPictures::kMarkers; ++m)
            benchmark::DoNotOptimize(pictures.marker(m, size));
    }
    state.counters["pictures"] = CardPictures::kFaces + pictures.deckCount() + CardPictures::kMarkers;
}

void BM_FullSet96dpi(benchmark::State& state) { drawFullSet(state, QSize(71, 96)); }
void BM_FullSet192dpi(benchmark::State& state) { drawFullSet(state, QSize(142, 192)); }

BENCHMARK(BM_FullSet96dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSet192dpi)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
