// Saving and reopening a long game: 30,000 recorded moves of random legal
// play on a two-deck Spider game, written to a file, then read, checked and
// made again by opening it the way the player does.

#include "LongGame.h"
#include "history/mFile.h"
#include "session/Shared.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_SaveLongGame(benchmark::State& state)
{
    TempHome home;
    QTemporaryDir dir;
    Shared shared;
    playLongGame(shared);
    const QString path = dir.filePath(QStringLiteral("long.tb0"));
    for (auto _ : state)
        shared.engine.SavetoFile(path);
    state.counters["moves"] = shared.engine.GetTransID();
}

void BM_OpenLongGame(benchmark::State& state)
{
    // Ended games are recorded and auto-saved: into a home of its own.
    TempHome home;
    QTemporaryDir dir;
    Shared shared;
    playLongGame(shared);
    const QString path = dir.filePath(QStringLiteral("long.tb0"));
    shared.engine.SavetoFile(path);
    const int16_t moves = shared.engine.GetTransID();
    const bool replacing = state.range(0) == 1;
    for (auto _ : state) {
        if (!replacing) {
            state.PauseTiming();
            shared.gamePlay.ClearArea();
            state.ResumeTiming();
        }
        shared.gamePlay.PlayFile(path, false);
    }
    if (shared.engine.GetTransID() != moves)
        state.SkipWithError("the reopened game does not hold every move");
    state.counters["moves"] = moves;
}

} // namespace

BENCHMARK(BM_SaveLongGame)->Unit(benchmark::kMillisecond)->UseRealTime();
// Onto an empty table (0), and over a game in progress (1), which is then
// recorded and auto-saved as the player's would be.
BENCHMARK(BM_OpenLongGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
