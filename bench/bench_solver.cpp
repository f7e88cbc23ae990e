// The solver over many deals, each searched as the window and --solve
// search it: by time. For every game (or the one named) it prints the share
// of deals settled (winnable, not winnable) within the short time and within
// the whole time, the median and 95th percentile time per deal, the
// positions tried per second and the median length of the winning lines in
// player's moves. A deal settled within the short time in the long run
// counts as settled at the short time too: the search goes the same way
// whatever its time.
//
//   bench_solver [--deals N] [--first N] [--seconds S] [--short S] [--positions N] [--threads N]
//                [--auto on|off|both] [--only NAME] [--every-game yes|no] [--shorten yes|no] [--lines FILE]
//                [--memory MB]
//
// --positions caps the positions per deal (0: none, the time alone stops
// it); --memory the memory a search may take for the positions it has seen
// (1024 MB unless given); --shorten no gives the winning lines as the
// search found them, and the time as the search alone took it; --lines
// writes one line per deal: game, number, automatic play, verdict,
// milliseconds, positions, line length.

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

struct Options {
    int first = 1;
    int deals = 100;
    double seconds = 10;
    double shortSeconds = 2;
    uint64_t positions = 0;
    uint64_t memoryMB = 0;
    int threads = 1;
    QString only;
    bool everyGame = true;
    bool shorten = true;
    std::FILE* lines = nullptr;
};

struct Deal {
    int number = 0;
    solver::Verdict verdict = solver::Verdict::Unknown;
    double millis = 0;
    uint64_t positions = 0;
    size_t length = 0;
};

std::vector<Deal> solveDeals(const QString& name, bool autoPlay, const Options& o)
{
    std::vector<Deal> deals(static_cast<size_t>(o.deals));
    std::atomic<int> next{0};
    std::mutex lock;
    auto work = [&] {
        solver::Solver search;
        solver::PlayedTable table(name, autoPlay);
        for (int i = next++; i < o.deals; i = next++) {
            Deal& d = deals[static_cast<size_t>(i)];
            d.number = o.first + i;
            table.deal(GameNo(static_cast<double>(d.number)));
            const solver::Table t = table.table();
            solver::Limits limits;
            limits.positions = o.positions == 0 ? uint64_t{1} << 62 : o.positions;
            limits.time = std::chrono::milliseconds(static_cast<int64_t>(o.seconds * 1000));
            limits.shorten = o.shorten;
            if (o.memoryMB > 0)
                limits.memory = o.memoryMB << 20;
            const auto start = std::chrono::steady_clock::now();
            const solver::Result r = search.solve(t, limits);
            d.millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            d.verdict = r.verdict;
            d.positions = r.positions;
            d.length = r.moves.size();
            if (o.lines != nullptr) {
                const std::lock_guard<std::mutex> hold(lock);
                static const char* const names[] = {"winnable", "not-winnable", "unknown"};
                std::fprintf(o.lines, "%s\t%d\t%s\t%s\t%.1f\t%llu\t%zu\n", qPrintable(name), d.number,
                             autoPlay ? "auto" : "manual", names[static_cast<int>(r.verdict)], d.millis,
                             static_cast<unsigned long long>(r.positions), d.length);
                std::fflush(o.lines);
            }
        }
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < o.threads; ++i)
        workers.emplace_back(work);
    for (std::thread& w : workers)
        w.join();
    return deals;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto i = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(i, values.size() - 1)];
}

void printHead(const Options& o)
{
    std::printf("| %-30s | %-19s | %-19s | %9s | %9s | %10s | %6s |\n", "game",
                qPrintable(QStringLiteral("at %1 s: won/lost/?").arg(o.shortSeconds)),
                qPrintable(QStringLiteral("at %1 s: won/lost/?").arg(o.seconds)), "median ms", "p95 ms", "positions/s",
                "line");
    std::printf("|%s|---------------------|---------------------|-----------|-----------|-------------|--------|\n",
                std::string(32, '-').c_str());
}

void printRow(const QString& name, const std::vector<Deal>& deals, const Options& o)
{
    int won = 0, lost = 0, wonShort = 0, lostShort = 0;
    double millis = 0;
    uint64_t positions = 0;
    std::vector<double> times, lengths;
    for (const Deal& d : deals) {
        const bool settled = d.verdict != solver::Verdict::Unknown;
        const bool inShort = settled && d.millis <= o.shortSeconds * 1000;
        won += d.verdict == solver::Verdict::Winnable ? 1 : 0;
        lost += d.verdict == solver::Verdict::NotWinnable ? 1 : 0;
        wonShort += inShort && d.verdict == solver::Verdict::Winnable ? 1 : 0;
        lostShort += inShort && d.verdict == solver::Verdict::NotWinnable ? 1 : 0;
        millis += d.millis;
        positions += d.positions;
        times.push_back(d.millis);
        if (d.verdict == solver::Verdict::Winnable)
            lengths.push_back(static_cast<double>(d.length));
    }
    const double n = static_cast<double>(deals.size());
    auto shares = [&](int w, int l) {
        return QStringLiteral("%1/%2/%3")
            .arg(100.0 * w / n, 0, 'f', 1)
            .arg(100.0 * l / n, 0, 'f', 1)
            .arg(100.0 * (n - w - l) / n, 0, 'f', 1);
    };
    std::printf("| %-30s | %-19s | %-19s | %9.1f | %9.1f | %11.0f | %6.0f |\n", qPrintable(name),
                qPrintable(shares(wonShort, lostShort)), qPrintable(shares(won, lost)), percentile(times, 0.5),
                percentile(times, 0.95), millis > 0 ? static_cast<double>(positions) / (millis / 1000) : 0.0,
                percentile(lengths, 0.5));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TempHome home;
    Options o;
    QString autoPlay = QStringLiteral("both");
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const QString& a = args[i];
        const QString& v = args[i + 1];
        if (a == QLatin1String("--deals"))
            o.deals = std::max(1, v.toInt());
        else if (a == QLatin1String("--first"))
            o.first = std::max(1, v.toInt());
        else if (a == QLatin1String("--seconds"))
            o.seconds = std::max(0.01, v.toDouble());
        else if (a == QLatin1String("--short"))
            o.shortSeconds = std::max(0.01, v.toDouble());
        else if (a == QLatin1String("--positions"))
            o.positions = v.toULongLong();
        else if (a == QLatin1String("--memory"))
            o.memoryMB = v.toULongLong();
        else if (a == QLatin1String("--threads"))
            o.threads = std::max(1, v.toInt());
        else if (a == QLatin1String("--auto"))
            autoPlay = v;
        else if (a == QLatin1String("--only"))
            o.only = v;
        else if (a == QLatin1String("--shorten"))
            o.shorten = v != QLatin1String("no");
        else if (a == QLatin1String("--every-game"))
            o.everyGame = v != QLatin1String("no");
        else if (a == QLatin1String("--lines"))
            o.lines = std::fopen(qPrintable(v), "a");
    }
    const bool off = autoPlay != QLatin1String("on");
    const bool on = autoPlay != QLatin1String("off");

    if (o.only.isEmpty() || o.only == QLatin1String("Klondike")) {
        std::printf("Klondike, deals %d to %d, %g s each, %d thread(s)\n\n", o.first, o.first + o.deals - 1, o.seconds,
                    o.threads);
        printHead(o);
        if (off)
            printRow(QStringLiteral("Klondike"), solveDeals(QStringLiteral("Klondike"), false, o), o);
        if (on)
            printRow(QStringLiteral("Klondike, automatic play"), solveDeals(QStringLiteral("Klondike"), true, o), o);
        std::printf("\n");
    }
    if (!o.everyGame || o.only == QLatin1String("Klondike"))
        return 0;

    std::printf("Every game, deals %d to %d, %g s each, %d thread(s)\n\n", o.first, o.first + o.deals - 1, o.seconds,
                o.threads);
    printHead(o);
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        if (!o.only.isEmpty() && game.gName != o.only)
            continue;
        if (game.gName == QLatin1String("Klondike") && o.only.isEmpty())
            continue;
        if (on)
            printRow(game.gName, solveDeals(game.gName, true, o), o);
        if (off)
            printRow(game.gName + QStringLiteral(", no automatic play"), solveDeals(game.gName, false, o), o);
    }
    if (o.lines != nullptr)
        std::fclose(o.lines);
    return 0;
}
