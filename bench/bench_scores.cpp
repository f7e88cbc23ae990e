// The statistics of a long-played program: 100,000 score records of 20
// players over all the games and two years. Loading them all and working out
// what the statistics windows show (totals, every player, every game, thirty
// days, both rankings), and writing the report from the command line, process
// start included.

#include "ScoreSet.h"

#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

void BM_LoadAndWorkOutTheStatistics(benchmark::State& state)
{
    home();
    cRegistry registry(cRegistry::defaultFilePath());
    RegistrySettingsStore store(registry);
    Shared shared;
    shared.services.setSettings(&store);
    const Players players(store);
    int64_t played = 0;
    for (auto _ : state) {
        cScore& score = shared.score;
        score.OpenAllScore();
        played += score.StatAll().Played;
        for (int16_t p = 1; p <= players.PlayerCount(); ++p)
            played += score.StatPlayer(players.PlayerName(p)).Played;
        for (int16_t id = 1; id <= shared.data.TotalGames(); ++id)
            played += score.StatGame(shared.data.GetGName(id)).Played;
        for (int day = 0; day < 30; ++day)
            played += score.StatPeriod(QDate(2026, 4, 1).addDays(day), QStringLiteral("d")).Played;
        score.Sort(QString(), QString(), false);
        score.FinSort(true, false);
        benchmark::DoNotOptimize(score.GetTopEntry(1));
        score.CloseScore();
    }
    state.counters["records"] = kRecords;
    benchmark::DoNotOptimize(played);
    shared.services.setSettings(nullptr);
}
BENCHMARK(BM_LoadAndWorkOutTheStatistics)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportStatsFromTheCommandLine(benchmark::State& state)
{
    home();
    const QString report = home().path(QStringLiteral("report.txt"));
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(TABLORA_PROGRAM), {QStringLiteral("--export-stats"), report});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("tablora --export-stats failed");
            return;
        }
    }
    state.counters["records"] = kRecords;
}
BENCHMARK(BM_ExportStatsFromTheCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
