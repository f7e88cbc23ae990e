// The most memory the program holds, and the time it takes, to write the
// statistics report from the command line over files far larger than any
// the program writes: a score file of 1 GiB on one line (records whose line
// ends were lost) and a settings file with 85 MiB on one line, beside a
// home folder with small files. Each run is one process in a temporary home
// folder; the large files are removed at the end. Another build of the
// program to measure may be named as the argument.

#include "ProgramRun.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr qint64 kHugeScoreBytes = qint64{1} << 30;
constexpr qint64 kHugeSettingsBytes = qint64{85} << 20;

// Writes `size` bytes to `path`: `head`, then `filler` over and over, then
// `tail`.
bool writeLarge(const QString& path, const QByteArray& head, const QByteArray& filler, const QByteArray& tail,
                qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return false;
    QByteArray block;
    while (block.size() < (1 << 20))
        block += filler;
    for (qint64 left = size - head.size() - tail.size(); left > 0; left -= block.size())
        if (file.write(block.constData(), std::min<qint64>(left, block.size())) < 0)
            return false;
    return file.write(tail) == tail.size() && file.flush();
}

bool writeSmall(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

void print(const char* what, const ProgramRun& run)
{
    if (run.megabytes < 0)
        std::printf("%-56s failed\n", what);
    else
        std::printf("%-56s %8.1f MB resident %7.2f s\n", what, run.megabytes, run.seconds);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray program = argc > 1 ? QByteArray(argv[1]) : QByteArrayLiteral(TABLORA_PROGRAM);
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // One player with two games, as the program keeps them.
    QString scoreFile;
    const QString settingsFile = cRegistry::defaultFilePath();
    {
        cRegistry registry(settingsFile);
        RegistrySettingsStore store(registry);
        Shared shared;
        Players players(store);
        players.AddPlayer(QStringLiteral("Player1"));
        players.SetCurrentPlayer(QStringLiteral("Player1"));
        scoreFile = Players::ScoreFile(shared.data, QStringLiteral("Player1"));
    }
    const QByteArray records = "\"2026-12-08 10:00:00\",\"Klondike\",7,60,10,5,1\r\n"
                               "\"2026-12-08 10:05:00\",\"Raglan\",8,90,20,15,0\r\n";
    QFile settings(settingsFile);
    if (!settings.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray settingsText = settings.readAll();
    settings.close();
    const QStringList exportStats{QStringLiteral("--export-stats"), home.filePath(QStringLiteral("report.txt"))};

    if (!writeSmall(scoreFile, records))
        return 1;
    const ProgramRun small = runProgram(program, exportStats, QProcessEnvironment::systemEnvironment());
    print("--export-stats, small files:", small);

    if (!writeLarge(scoreFile, {}, "\"2026-12-08 10:00:00\",\"Klondike\",7,60,10,5,1", {}, kHugeScoreBytes))
        return 1;
    const ProgramRun hugeScores = runProgram(program, exportStats, QProcessEnvironment::systemEnvironment());
    print("--export-stats, a score file of 1 GiB on one line:", hugeScores);
    if (!writeSmall(scoreFile, records))
        return 1;

    const QByteArray general = "\n[HKEY_LOCAL_MACHINE\\Software\\Quellix Technologies\\Tablora 6.0\\6.0\\General]\n"
                               "\"LastGName\"=\"";
    if (!writeLarge(settingsFile, settingsText + general, "Klondike ", "\"\n", kHugeSettingsBytes))
        return 1;
    const ProgramRun hugeSettings = runProgram(program, exportStats, QProcessEnvironment::systemEnvironment());
    print("--export-stats, a settings file with 85 MiB on a line:", hugeSettings);
    QFile::remove(settingsFile);
    QFile::remove(scoreFile);
    return small.megabytes < 0 || hugeScores.megabytes < 0 || hugeSettings.megabytes < 0 ? 1 : 0;
}
