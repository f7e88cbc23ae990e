#include "session/CommandLine.h"

#include "data/cData.h"
#include "engine/DealText.h"
#include "engine/ScratchTable.h"
#include "history/mFile.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "solver/SolutionPlay.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <unistd.h>

namespace {

constexpr int kUsageError = 2;

// --solve without a budget: the time alone stops the search.
constexpr std::chrono::milliseconds kSolveTime{10'000};
constexpr uint64_t kNoPositionsCap = uint64_t{1} << 62;
// The most positions a search may be given: proving some lost Klondike
// deals takes well over a hundred million, and the memory allowed below
// stops a search long before this many in most games.
constexpr qulonglong kMostBudget = 1'000'000'000;
// The most memory a search with a budget of positions takes.
constexpr uint64_t kMostSolveMemory = uint64_t{16} << 30;

uint64_t physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
}

void printUsage(QTextStream& out)
{
    out << "Usage: tablora [options] [saved game]\n"
           "\n"
           "Starts Tablora; a saved game named on the command line is opened.\n"
           "\n"
           "Options:\n"
           "  --deal NAME NUMBER   print the table of game NAME with number NUMBER\n"
           "                       as it is dealt, then exit\n"
           "  --replay FILE        open the saved game FILE, make all its moves, print\n"
           "                       the table and the figures of the file, then exit\n"
           "  --solve NAME NUMBER [--budget POSITIONS] [--save FILE]\n"
           "                       look for a win in game NAME with number NUMBER for\n"
           "                       about 10 seconds, or until POSITIONS positions are\n"
           "                       tried when given (then with up to half the\n"
           "                       machine's memory); print the answer, then the\n"
           "                       positions tried and the time taken; with --save,\n"
           "                       write a winning line to FILE as a finished game\n"
           "  --export-stats FILE  write the statistics report of all players to FILE,\n"
           "                       then exit\n"
           "  --help               show this help and exit\n"
           "  --version            show the version and where the program's data is, and exit\n"
           "  --no-splash          start without the splash window\n"
           "  --quit-when-ready    exit as soon as the main window is ready (for timing)\n"
           "  --quit-when-splashed exit as soon as the splash window is shown (for timing)\n";
}

struct NamedGame {
    QString name;
    GameNo number;
};

// The game name and number that follow the option args[0]; a message on
// `err` and nothing when either is missing or wrong.
std::optional<NamedGame> readGame(const QStringList& args, QTextStream& err)
{
    const QString& option = args.at(0);
    if (args.size() < 3) {
        err << "tablora: " << option << " needs a game name and a game number, e.g. " << option << " \"Klondike\" 42\n";
        return std::nullopt;
    }
    const QString& name = args.at(1);
    if (!mKlondike::IsGameName(name)) {
        err << "tablora: there is no game called \"" << name << "\" (names are case-sensitive)\n";
        return std::nullopt;
    }
    const std::optional<GameNo> number = GameNo::fromText(args.at(2));
    if (!number) {
        err << "tablora: the game number \"" << args.at(2) << "\" is not a number\n";
        return std::nullopt;
    }
    return NamedGame{name, *number};
}

int printDeal(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() > 3) {
        err << "tablora: --deal takes a game name and a game number only; unexpected \"" << args.at(3) << "\"\n";
        return kUsageError;
    }
    const std::optional<NamedGame> game = readGame(args, err);
    if (!game)
        return kUsageError;
    const QString& name = game->name;
    const std::optional<GameNo> number = game->number;

    ScratchTable table(name);
    try {
        table.deal(*number);
    } catch (const RunTimeError& e) {
        err << "tablora: game \"" << name << "\" number " << args.at(2) << " cannot be dealt: " << e.description()
            << "\n";
        return 1;
    }
    out << DealText(table.games, table.play, name, *number);
    return 0;
}

int printReplay(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << "tablora: --replay needs the path of one saved game, e.g. --replay \"Klondike-42.tb0\"\n";
        return kUsageError;
    }
    const QString path = args.at(1);
    mFile::GameFile file;
    try {
        file = mFile::ReadGameFile(path);
    } catch (const RunTimeError& e) {
        err << "tablora: " << e.description() << "\n";
        return kUsageError;
    }
    const mFile::GameSummary& s = file.summary;
    ScratchTable table(s.gameName);
    cEngine engine(table.play, table.services);
    table.play.setRecorder(&engine);
    table.deal(s.gameNo);
    engine.loadRecords(file.records);
    engine.RedoAll(0);
    out << DealText(table.games, table.play, s.gameName, s.gameNo);
    out << "moves: " << s.moves << " time: " << s.time << " score: " << s.score << " percentage: " << s.percentage
        << "\n";
    return 0;
}

int solveDeal(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const std::optional<NamedGame> game = readGame(args, err);
    if (!game)
        return kUsageError;
    const QString& name = game->name;
    const std::optional<GameNo> number = game->number;
    solver::Limits limits;
    limits.positions = kNoPositionsCap;
    limits.time = kSolveTime;
    QString savePath;
    for (qsizetype i = 3; i < args.size(); i += 2) {
        const QString& option = args.at(i);
        if (option != QLatin1String("--budget") && option != QLatin1String("--save")) {
            err << "tablora: --solve takes --budget and --save only; unexpected \"" << option << "\"\n";
            return kUsageError;
        }
        if (i + 1 >= args.size()) {
            err << "tablora: " << option << " needs a value\n";
            return kUsageError;
        }
        const QString& value = args.at(i + 1);
        if (option == QLatin1String("--save")) {
            savePath = value;
            continue;
        }
        bool ok = false;
        const qulonglong budget = value.toULongLong(&ok);
        if (!ok || budget == 0 || budget > kMostBudget) {
            err << "tablora: the budget \"" << value << "\" is not a number of positions from 1 to " << kMostBudget
                << "\n";
            return kUsageError;
        }
        limits.positions = budget;
        limits.time = std::chrono::milliseconds{0};
        // A long search asked for by name may take half the machine's
        // memory for the positions it has seen.
        limits.memory = std::max(limits.memory, std::min(physicalMemory() / 2, kMostSolveMemory));
    }

    // Played as the player has the game set: with or without automatic play.
    cRegistry registry(cRegistry::defaultFilePath());
    RegistrySettingsStore store(registry);
    const bool autoPlay = store.read(settings::kAutoPlay) != 0;
    try {
        solver::PlayedTable table(name, autoPlay);
        table.deal(*number);
        solver::Solver search;
        QElapsedTimer clock;
        clock.start();
        const solver::Result result = search.solve(table.table(), limits);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        switch (result.verdict) {
        case solver::Verdict::Winnable: out << "winnable in " << result.moves.size() << " moves\n"; break;
        case solver::Verdict::NotWinnable: out << "not winnable\n"; break;
        case solver::Verdict::Unknown:
            out << "unknown after " << result.positions << " positions";
            if (result.memoryFull)
                out << ", when the positions seen filled the " << limits.memory / (uint64_t{1} << 20)
                    << " MB the search may take";
            out << "\n";
            break;
        }
        out << "searched " << result.positions << " positions in " << QString::number(seconds, 'f', 2) << " s\n";
        if (!savePath.isEmpty() && result.verdict == solver::Verdict::Winnable)
            solver::saveSolution(name, *number, result.moves, autoPlay, savePath);
        else if (!savePath.isEmpty())
            err << "tablora: no winning line was found, so nothing was written to \"" << savePath << "\"\n";
    } catch (const RunTimeError& e) {
        err << "tablora: " << e.description() << "\n";
        return 1;
    }
    return 0;
}

int exportStats(const QStringList& args, QTextStream& err)
{
    if (args.size() != 2) {
        err << "tablora: --export-stats needs the path of the report to write, e.g. --export-stats scores.txt\n";
        return kUsageError;
    }
    // The program's own settings and score files.
    Shared shared;
    cRegistry registry(cRegistry::defaultFilePath());
    RegistrySettingsStore store(registry);
    shared.services.setSettings(&store);
    int code = 0;
    try {
        shared.score.writeReport(args.at(1));
        if (const int32_t skipped = shared.score.reportSkippedLines(); skipped > 0)
            err << "tablora: " << skipped
                << " damaged line(s) of the score files could not be read and are not in the report\n";
    } catch (const FileNotWritten& e) {
        err << "tablora: " << e.description() << "\n";
        code = kUsageError;
    } catch (const RunTimeError& e) {
        err << "tablora: the statistics could not be read: " << e.description() << "\n";
        code = 1;
    }
    shared.services.setSettings(nullptr);
    return code;
}

bool isWindowOption(const QString& argument)
{
    return argument == QLatin1String("--no-splash") || argument == QLatin1String("--quit-when-ready") ||
           argument == QLatin1String("--quit-when-splashed");
}

bool isToolOption(const QString& argument)
{
    for (const char* tool : {"--help", "-h", "--version", "--deal", "--replay", "--solve", "--export-stats"})
        if (argument == QLatin1String(tool))
            return true;
    return false;
}

// Runs the tool named by args[0] with the arguments that follow it.
int runTool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString& tool = args.first();
    if (tool == QLatin1String("--help") || tool == QLatin1String("-h")) {
        printUsage(out);
        return 0;
    }
    if (tool == QLatin1String("--version")) {
        out << "Tablora " << cData::kVersion << "\n"
            << "data: " << cData::ProgramFolder() << "\n";
        return 0;
    }
    if (tool == QLatin1String("--deal"))
        return printDeal(args, out, err);
    if (tool == QLatin1String("--replay"))
        return printReplay(args, out, err);
    if (tool == QLatin1String("--solve"))
        return solveDeal(args, out, err);
    return exportStats(args, err);
}

} // namespace

std::optional<int> RunCommandLineTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    // The window's own options may stand anywhere, before or after a tool:
    // "--no-splash --deal Klondike 42" runs the tool.
    QStringList args;
    for (const QString& a : arguments.mid(1))
        if (!isWindowOption(a))
            args << a;
    // Everything before the tool belongs to the window: a saved game,
    // perhaps in pieces where its path has blanks.
    QStringList before;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (isToolOption(a)) {
            if (!before.isEmpty()) {
                err << "tablora: " << a << " runs on its own; unexpected \"" << before.join(QLatin1Char(' '))
                    << "\" before it\n";
                return kUsageError;
            }
            return runTool(args.mid(i), out, err);
        }
        if (a.startsWith(QLatin1String("--"))) {
            err << "tablora: unknown option \"" << a << "\"; see tablora --help\n";
            return kUsageError;
        }
        before << a;
    }
    return std::nullopt;
}

WindowOptions ReadWindowOptions(const QStringList& arguments)
{
    WindowOptions options;
    QStringList rest;
    for (const QString& a : arguments.mid(1)) {
        if (a == QLatin1String("--no-splash"))
            options.noSplash = true;
        else if (a == QLatin1String("--quit-when-ready"))
            options.quitWhenReady = true;
        else if (a == QLatin1String("--quit-when-splashed"))
            options.quitWhenSplashed = true;
        else
            rest << a;
    }
    options.savedGame = rest.join(QLatin1Char(' ')).trimmed();
    return options;
}
