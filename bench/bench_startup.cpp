// How long the program takes to start: from the process start to the splash
// window being shown, and from the process start to the main window being
// ready with a saved Klondike game opened (no splash), then exiting. Each is
// the median of ten runs, in a temporary home folder.

#include "session/Shared.h"
#include "support/RandomPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 10;

double medianRun(const QStringList& arguments, const QProcessEnvironment& environment)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(TABLORA_PROGRAM), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::fprintf(stderr, "tablora %s failed: %s\n", qPrintable(arguments.join(' ')),
                         process.readAllStandardError().constData());
            return -1;
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return (times[kRuns / 2 - 1] + times[kRuns / 2]) / 2;
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

    // A Klondike game with forty moves.
    const QString game = home.filePath(QStringLiteral("Klondike-100.tb0"));
    {
        qputenv("HOME", home.path().toUtf8());
        Shared shared;
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(100));
        RandomPlayer player(shared, 100);
        for (int i = 0; i < 40 && player.step(); ++i) {
        }
        shared.engine.SavetoFile(game);
    }

    const double splash = medianRun({QStringLiteral("--quit-when-splashed")}, environment);
    const double ready =
        medianRun({QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready"), game}, environment);
    std::printf("start to splash shown:                      %8.1f ms (median of %d)\n", splash, kRuns);
    std::printf("start to main window ready with a game, exit: %6.1f ms (median of %d)\n", ready, kRuns);
    return splash < 0 || ready < 0 ? 1 : 0;
}
