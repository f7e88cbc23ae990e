// How long the program takes to start: from the process start to the splash
// window being shown, and from the process start to the main window being
// ready with a saved Klondike game opened (no splash), then exiting (a warm
// start); the first start in a new home, to the window ready; beside
// it a bare Qt program that shows an empty main window and exits when idle,
// and the ratio of the two. Each time is the median of ten runs, in a
// temporary home folder. Last, the most memory the program holds with a
// Double Klondike game on the table.

#include "ProgramRun.h"
#include "session/Shared.h"
#include "support/RandomPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 10;

// The environment of one run: the same home each time, or a new one.
using Environment = std::function<QProcessEnvironment()>;

double medianRun(const QString& program, const QStringList& arguments, const Environment& environment)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment());
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::fprintf(stderr, "%s %s failed: %s\n", qPrintable(program), qPrintable(arguments.join(' ')),
                         process.readAllStandardError().constData());
            return -1;
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return (times[kRuns / 2 - 1] + times[kRuns / 2]) / 2;
}

double medianRun(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    return medianRun(program, arguments, [&] { return environment; });
}

// The peak resident memory of one run of the program, in megabytes.
double peakMegabytes(const QStringList& arguments, const QProcessEnvironment& environment)
{
    return runProgram(QByteArrayLiteral(TABLORA_PROGRAM), arguments, environment).megabytes;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    if (!environment.contains(QStringLiteral("DISPLAY")) && !environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    // A Klondike game with forty moves, and a Double Klondike game with as
    // many.
    const auto savedGame = [&](const QString& name, const QString& file) {
        const QString path = home.filePath(file);
        qputenv("HOME", home.path().toUtf8());
        Shared shared;
        shared.gamePlay.PlayNumber(name, GameNo(100));
        RandomPlayer player(shared, 100);
        for (int i = 0; i < 40 && player.step(); ++i) {
        }
        shared.engine.SavetoFile(path);
        return path;
    };
    const QString game = savedGame(QStringLiteral("Klondike"), QStringLiteral("Klondike-100.tb0"));
    const QString twoDecks = savedGame(QStringLiteral("Double Klondike"), QStringLiteral("Double Klondike-100.tb0"));

    const QString program = QStringLiteral(TABLORA_PROGRAM);
    // The first start in a new home: no settings, no kept pictures, the file
    // types not yet registered. Each run has a home of its own.
    std::vector<std::unique_ptr<QTemporaryDir>> newHomes;
    const auto newHome = [&] {
        newHomes.push_back(std::make_unique<QTemporaryDir>());
        const QString path = newHomes.back()->path();
        QProcessEnvironment fresh = environment;
        fresh.insert(QStringLiteral("HOME"), path);
        fresh.insert(QStringLiteral("XDG_CONFIG_HOME"), path + QStringLiteral("/config"));
        fresh.insert(QStringLiteral("XDG_DATA_HOME"), path + QStringLiteral("/data"));
        fresh.insert(QStringLiteral("XDG_CACHE_HOME"), path + QStringLiteral("/cache"));
        return fresh;
    };
    const double first =
        medianRun(program, {QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready")}, newHome);
    // The warm starts below begin with the home as a start left it.
    if (runProgram(QByteArrayLiteral(TABLORA_PROGRAM),
                   {QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready"), game}, environment)
            .seconds < 0)
        return 1;
    const double splash = medianRun(program, {QStringLiteral("--quit-when-splashed")}, environment);
    const double ready =
        medianRun(program, {QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready"), game}, environment);
    const double bare = medianRun(QStringLiteral(BARE_WINDOW_PROGRAM), {}, environment);
    const double memory =
        peakMegabytes({QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready"), twoDecks}, environment);
    std::printf("first start in a new home, ready, exit:      %6.1f ms (median of %d)\n", first, kRuns);
    std::printf("start to splash shown:                      %8.1f ms (median of %d)\n", splash, kRuns);
    std::printf("start to main window ready with a game, exit: %6.1f ms (median of %d)\n", ready, kRuns);
    std::printf("bare Qt main window, shown and idle, exit:    %6.1f ms (median of %d)\n", bare, kRuns);
    std::printf("ratio of the program to the bare window:      %6.2f\n", bare > 0 ? ready / bare : 0.0);
    std::printf("most memory held with Double Klondike:        %6.1f MB resident\n", memory);
    return first < 0 || splash < 0 || ready < 0 || bare < 0 || memory < 0 ? 1 : 0;
}
