// The moves manager and the game history over a game of 30,000 moves, in
// the real main window offscreen: each window opened and painted, and a jump
// from one end of the game to the other with the window painted again.

#include "LongGame.h"
#include "OffscreenMain.h"
#include "pictures/CardPictures.h"
#include "windows/frmHistory.h"
#include "windows/frmMain.h"
#include "windows/frmQuickMove.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The program with the long game on its table.
struct Program {
    Program()
    {
        window = std::make_unique<frmMain>(shared, pictures);
        playLongGame(shared);
        window->table().finishAnimations();
    }

    // Before the program's objects: nothing of theirs in the real home.
    TempHome home;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

Program& program()
{
    static Program made;
    return made;
}

void BM_OpenMovesManager(benchmark::State& state)
{
    Program& p = program();
    for (auto _ : state) {
        frmQuickMove manager(p.shared, *p.window);
        manager.toggleMore();
        manager.show();
        benchmark::DoNotOptimize(manager.grab());
    }
    state.counters["moves"] = p.shared.engine.GetTransTop();
}
BENCHMARK(BM_OpenMovesManager)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenHistory(benchmark::State& state)
{
    Program& p = program();
    for (auto _ : state) {
        frmHistory history(p.shared);
        history.show();
        benchmark::DoNotOptimize(history.grab());
    }
    state.counters["moves"] = p.shared.engine.GetTransTop();
}
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

// To the deal and back to the last move, each a jump across the game.
void BM_JumpAcrossTheGame(benchmark::State& state)
{
    Program& p = program();
    frmQuickMove manager(p.shared, *p.window);
    manager.toggleMore();
    manager.show();
    const int16_t top = p.shared.engine.GetTransTop();
    bool toStart = true;
    for (auto _ : state) {
        manager.jumpTo(toStart ? 0 : top);
        benchmark::DoNotOptimize(manager.grab());
        toStart = !toStart;
    }
    manager.jumpTo(top);
}
BENCHMARK(BM_JumpAcrossTheGame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

TABLORA_OFFSCREEN_BENCHMARK_MAIN()
