// Deals every game of the catalogue for 1,000 game numbers each.

#include "rules/mKlondike.h"
#include "session/Shared.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DealAllGames(benchmark::State& state)
{
    Shared shared;
    const auto games = mKlondike::GameList();
    int64_t deals = 0;
    for (auto _ : state) {
        for (const mKlondike::GameListEntry& game : games) {
            mKlondike::LoadGameDefinition(shared.games, game.gName);
            for (int number = 1; number <= 1000; ++number) {
                shared.play.ClearAll();
                shared.play.Init(GameNo(number));
                benchmark::DoNotOptimize(shared.play.GetTop(1, 0));
            }
            deals += 1000;
        }
    }
    state.counters["deals_per_second"] = benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_DealAllGames)->Unit(benchmark::kMillisecond)->UseRealTime();
