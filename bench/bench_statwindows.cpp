// The statistics windows over 100,000 score records: each window built,
// filled and painted for the first time, offscreen; and a chooser changed
// and the window painted again.

#include "OffscreenMain.h"
#include "ScoreSet.h"
#include "windows/frmGameStat.h"
#include "windows/frmHighScore.h"
#include "windows/frmLogStat.h"
#include "windows/frmSesStat.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

// The program's objects over the score set, with a game on the table.
struct Program {
    Program()
    {
        shared.services.setSettings(&store);
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(1));
    }
    ~Program() { shared.services.setSettings(nullptr); }

    // The score set's home first: the settings file is found there.
    ScoreHome& scores = home();
    cRegistry registry{cRegistry::defaultFilePath()};
    RegistrySettingsStore store{registry};
    Shared shared;
};

template <typename Window> void BM_OpenWindow(benchmark::State& state)
{
    Program program;
    for (auto _ : state) {
        Window window(program.shared);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["records"] = kRecords;
}
BENCHMARK_TEMPLATE(BM_OpenWindow, frmHighScore)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_OpenWindow, frmGameStat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_OpenWindow, frmSesStat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_OpenWindow, frmLogStat)->Unit(benchmark::kMillisecond)->UseRealTime();

// One chooser of the window, turned to its next entry and back in turn.
template <typename Window> void changeChooser(benchmark::State& state, const char* chooser)
{
    Program program;
    Window window(program.shared);
    window.show();
    window.grab();
    auto* box = window.template findChild<QComboBox*>(QLatin1String(chooser));
    int next = 1;
    for (auto _ : state) {
        box->setCurrentIndex(next);
        benchmark::DoNotOptimize(window.grab());
        next = next == 1 ? 2 : 1;
    }
}
void BM_HighScoreGameChosen(benchmark::State& state) { changeChooser<frmHighScore>(state, "imcGames"); }
void BM_GameStatGameChosen(benchmark::State& state) { changeChooser<frmGameStat>(state, "imcGames"); }
void BM_GameStatPeriodChosen(benchmark::State& state) { changeChooser<frmGameStat>(state, "imcDate"); }
void BM_LogPlayerChosen(benchmark::State& state) { changeChooser<frmLogStat>(state, "imcPlayer"); }
BENCHMARK(BM_HighScoreGameChosen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GameStatGameChosen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GameStatPeriodChosen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LogPlayerChosen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

TABLORA_OFFSCREEN_BENCHMARK_MAIN()
