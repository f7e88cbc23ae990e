// The solver over many deals: for Klondike its speed and the share of deals
// it wins, proves lost or leaves open under a large budget; for every game
// the same shares under a smaller budget, with the median and 95th
// percentile time per deal. A plain program that prints tables; two worker
// threads share the deals.
//
//   bench_solver [--deals N] [--games-budget POSITIONS] [--klondike-budget POSITIONS] [--only NAME]

#include "rules/mKlondike.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Tally {
    int won = 0;
    int lost = 0;
    int open = 0;
    uint64_t positions = 0;
    uint64_t movements = 0;
    double seconds = 0;
    std::vector<double> millis;
};

Tally solveDeals(const QString& name, int deals, uint64_t budget, bool autoPlay, int threads)
{
    Tally tally;
    std::mutex lock;
    std::atomic<int> next{1};
    auto work = [&] {
        solver::Solver search;
        solver::PlayedTable table(name, autoPlay);
        for (int number = next++; number <= deals; number = next++) {
            table.deal(GameNo(static_cast<double>(number)));
            const solver::Table t = table.table();
            solver::Limits limits;
            limits.positions = budget;
            const auto start = std::chrono::steady_clock::now();
            const solver::Result r = search.solve(t, limits);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const std::lock_guard<std::mutex> hold(lock);
            tally.won += r.verdict == solver::Verdict::Winnable ? 1 : 0;
            tally.lost += r.verdict == solver::Verdict::NotWinnable ? 1 : 0;
            tally.open += r.verdict == solver::Verdict::Unknown ? 1 : 0;
            tally.positions += r.positions;
            tally.movements += r.movesMade;
            tally.seconds += seconds;
            tally.millis.push_back(seconds * 1000);
        }
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back(work);
    for (std::thread& w : workers)
        w.join();
    std::sort(tally.millis.begin(), tally.millis.end());
    return tally;
}

double percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty())
        return 0;
    const auto i = static_cast<size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(i, sorted.size() - 1)];
}

void printRow(const QString& name, const Tally& t, int deals)
{
    const double n = deals;
    std::printf("| %-26s | %5.1f %% | %5.1f %% | %5.1f %% | %8.1f | %8.1f |\n", qPrintable(name), 100.0 * t.won / n,
                100.0 * t.lost / n, 100.0 * t.open / n, percentile(t.millis, 0.5), percentile(t.millis, 0.95));
    std::fflush(stdout);
}

void printHead()
{
    std::printf("| %-26s | %7s | %7s | %7s | %8s | %8s |\n", "game", "winnable", "lost", "unknown", "median ms",
                "p95 ms");
    std::printf("|%s|---------|---------|---------|----------|----------|\n", std::string(28, '-').c_str());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TempHome home;
    int deals = 1000;
    uint64_t gamesBudget = 50'000;
    uint64_t klondikeBudget = 1'000'000;
    QString only;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--deals"))
            deals = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--games-budget"))
            gamesBudget = std::max<qulonglong>(1, args[i + 1].toULongLong());
        else if (args[i] == QLatin1String("--klondike-budget"))
            klondikeBudget = std::max<qulonglong>(1, args[i + 1].toULongLong());
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1];
    }

    if (only.isEmpty() || only == QLatin1String("Klondike")) {
        // One thread, so that the speed is a single thread's.
        std::printf("Klondike, %d deals, budget %llu positions, one thread\n\n", deals,
                    static_cast<unsigned long long>(klondikeBudget));
        printHead();
        for (const bool autoPlay : {false, true}) {
            const Tally t = solveDeals(QStringLiteral("Klondike"), deals, klondikeBudget, autoPlay, 1);
            printRow(autoPlay ? QStringLiteral("Klondike, automatic play") : QStringLiteral("Klondike"), t, deals);
            std::printf("|   %.0f positions/s, %.0f moves/s |\n", static_cast<double>(t.positions) / t.seconds,
                        static_cast<double>(t.movements) / t.seconds);
            std::fflush(stdout);
        }
        std::printf("\n");
    }

    std::printf("Every game, %d deals each, budget %llu positions, automatic play on, two threads\n\n", deals,
                static_cast<unsigned long long>(gamesBudget));
    printHead();
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        if (!only.isEmpty() && game.gName != only)
            continue;
        printRow(game.gName, solveDeals(game.gName, deals, gamesBudget, true, 2), deals);
    }
    return 0;
}
