// Random legal play of a two-deck game until the history holds 10,000 moves,
// then the whole history undone and redone.

#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "support/FakeSession.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int16_t kMoves = 10000;
const QString kGame = QStringLiteral("Double Klondike");

// Deals game `number` and plays it at random until the history holds kMoves
// moves, dealing the next game when one is stuck.
int64_t playTenThousandMoves(Shared& shared, int& number)
{
    int64_t made = 0;
    for (;;) {
        mKlondike::LoadGameDefinition(shared.games, kGame);
        shared.services.session().setRedealsComp(0);
        shared.play.ClearAll();
        shared.play.Init(GameNo(++number));
        shared.engine.ClearTRANS();
        RandomPlayer player(shared, static_cast<uint32_t>(number));
        while (shared.engine.GetTransTop() < kMoves && player.step()) {
        }
        made += shared.engine.GetTransTop();
        if (shared.engine.GetTransTop() >= kMoves)
            return made;
    }
}

void BM_RandomPlay(benchmark::State& state)
{
    // Ended games are recorded and auto-saved: into a home of its own.
    TempHome home;
    Shared shared;
    FakeSession session;
    shared.setSession(&session);
    int number = 0;
    int64_t moves = 0;
    for (auto _ : state)
        moves += playTenThousandMoves(shared, number);
    state.counters["moves_per_second"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}

void BM_UndoAllRedoAll(benchmark::State& state)
{
    TempHome home;
    Shared shared;
    FakeSession session;
    shared.setSession(&session);
    int number = 0;
    playTenThousandMoves(shared, number);
    const int16_t recorded = shared.engine.GetTransTop();
    int64_t moves = 0;
    for (auto _ : state) {
        shared.engine.UndoAll(0);
        shared.engine.RedoAll(0);
        moves += 2 * static_cast<int64_t>(recorded);
    }
    if (shared.engine.GetTransID() != recorded)
        state.SkipWithError("redo all did not bring the history back");
    state.counters["moves_per_second"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_RandomPlay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoAllRedoAll)->Unit(benchmark::kMillisecond)->UseRealTime();
