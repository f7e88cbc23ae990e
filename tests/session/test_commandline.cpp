#include "engine/DealText.h"
#include "history/mFile.h"
#include "scores/Players.h"
#include "session/CommandLine.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "support/SessionFixture.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    std::optional<int> code;
    QString out;
    QString err;
};

ToolRun run(const QStringList& args)
{
    ToolRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = RunCommandLineTool(QStringList{QStringLiteral("tablora")} + args, out, err);
    out.flush();
    err.flush();
    return r;
}

TEST(CommandLine, DealPrintsTheWholeTable)
{
    const ToolRun r = run({QStringLiteral("--deal"), QStringLiteral("Klondike"), QStringLiteral("1")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + 7 + 1 + 1 + 4);
    EXPECT_EQ(lines[0], QStringLiteral("Klondike - 1"));
    EXPECT_EQ(lines[1], QStringLiteral("suits: SHCD"));
    const QRegularExpression card(QStringLiteral(R"(^(\([A2-9TJQK][SHCD]\)|[A2-9TJQK][SHCD])$)"));
    int cards = 0;
    for (int i = 0; i < 7; ++i) {
        const QString prefix = QStringLiteral("home %1:").arg(i);
        ASSERT_TRUE(lines[2 + i].startsWith(prefix)) << lines[2 + i].toStdString();
        const QStringList words = lines[2 + i].mid(prefix.size() + 1).split(QLatin1Char(' '));
        ASSERT_EQ(words.size(), i + 1);
        for (int w = 0; w < words.size(); ++w) {
            EXPECT_TRUE(card.match(words[w]).hasMatch()) << words[w].toStdString();
            EXPECT_EQ(words[w].startsWith(QLatin1Char('(')), w < i) << "only the top card is face up";
        }
        cards += static_cast<int>(words.size());
    }
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("stock 0: (")));
    cards += static_cast<int>(lines[9].split(QLatin1Char(' ')).size()) - 2;
    EXPECT_EQ(lines[10], QStringLiteral("waste 0:")) << "an empty pile prints nothing after the colon";
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(lines[11 + f], QStringLiteral("foundation %1:").arg(f));
    EXPECT_EQ(cards, 52);
}

TEST(CommandLine, DealIsRepeatableAndLongNumbersPrintInFull)
{
    const QStringList args{QStringLiteral("--deal"), QStringLiteral("Spiderette"), QStringLiteral("999999999999999")};
    const ToolRun a = run(args);
    const ToolRun b = run(args);
    ASSERT_EQ(a.code, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_TRUE(a.out.startsWith(QStringLiteral("Spiderette - 999999999999999\n")));
    const ToolRun other = run({QStringLiteral("--deal"), QStringLiteral("Spiderette"), QStringLiteral("2")});
    EXPECT_NE(a.out.section(QLatin1Char('\n'), 1), other.out.section(QLatin1Char('\n'), 1));
}

TEST(CommandLine, BadArgumentsAreRefusedWithAMessage)
{
    const QList<QStringList> bad{
        {QStringLiteral("--deal"), QStringLiteral("Klondyke"), QStringLiteral("1")},
        {QStringLiteral("--deal"), QStringLiteral("klondike"), QStringLiteral("1")},
        {QStringLiteral("--deal"), QStringLiteral("Klondike")},
        {QStringLiteral("--deal")},
        {QStringLiteral("--deal"), QStringLiteral("Klondike"), QStringLiteral("twelve")},
        {QStringLiteral("--deal"), QStringLiteral("Klondike"), QStringLiteral("1"), QStringLiteral("2")},
        {QStringLiteral("--frobnicate")},
    };
    for (const QStringList& args : bad) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.code, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tablora: "))) << r.err.toStdString();
    }
    EXPECT_TRUE(run({QStringLiteral("--deal"), QStringLiteral("Klondyke"), QStringLiteral("1")})
                    .err.contains(QStringLiteral("Klondyke")));
}

TEST(CommandLine, HelpListsTheOptionsAndNoArgumentsStartsTheWindow)
{
    const ToolRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--deal NAME NUMBER")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--help")));
    EXPECT_FALSE(run({}).code.has_value());
    EXPECT_FALSE(run({QStringLiteral("/home/me/game.tb0")}).code.has_value());
}

// The window's options may come first, last or between: a tool is found
// wherever it stands and runs as it would alone; what is not a tool still
// starts the window with its saved game.
TEST(CommandLine, ToolsAreFoundAfterTheWindowsOptions)
{
    const QStringList deal{QStringLiteral("--deal"), QStringLiteral("Klondike"), QStringLiteral("42")};
    const ToolRun alone = run(deal);
    ASSERT_EQ(alone.code, 0) << alone.err.toStdString();
    for (const QStringList& args :
         {QStringList{QStringLiteral("--no-splash")} + deal, deal + QStringList{QStringLiteral("--no-splash")},
          QStringList{QStringLiteral("--quit-when-ready"), QStringLiteral("--no-splash")} + deal}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.code, 0) << args.join(QLatin1Char(' ')).toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, alone.out) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(run({QStringLiteral("--no-splash"), QStringLiteral("--version")}).code, 0);
    EXPECT_TRUE(run({QStringLiteral("--no-splash"), QStringLiteral("--help")}).out.contains(QStringLiteral("--deal")));
    // The tool's own arguments are still checked.
    EXPECT_EQ(
        run({QStringLiteral("--no-splash"), QStringLiteral("--deal"), QStringLiteral("Klondyke"), QStringLiteral("1")})
            .code,
        2);

    // A saved game and a tool together are refused rather than one ignored.
    const ToolRun both = run(QStringList{QStringLiteral("/home/me/game.tb0")} + deal);
    EXPECT_EQ(both.code, 2);
    EXPECT_TRUE(both.out.isEmpty());
    EXPECT_TRUE(both.err.contains(QStringLiteral("/home/me/game.tb0"))) << both.err.toStdString();
    // An unknown option is told wherever it stands.
    EXPECT_EQ(run({QStringLiteral("--no-splash"), QStringLiteral("--frobnicate")}).code, 2);

    const QStringList window{QStringLiteral("tablora"), QStringLiteral("--no-splash"), QStringLiteral("/home/me/my"),
                             QStringLiteral("game.tb0")};
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    EXPECT_FALSE(RunCommandLineTool(window, o, e).has_value());
    const WindowOptions options = ReadWindowOptions(window);
    EXPECT_TRUE(options.noSplash);
    EXPECT_EQ(options.savedGame, QStringLiteral("/home/me/my game.tb0"));
}

} // namespace

namespace {

// A saved game replays to the table it was saved from, and prints the
// figures of its header.
TEST(CommandLine, ReplayPrintsTheSavedTableAndFigures)
{
    SessionFixture fixture;
    fixture.session.PlayNumber(QStringLiteral("Klondike"), GameNo(99));
    fixture.play(30);
    fixture.session.setTime(71);
    const QString path = fixture.file(QStringLiteral("replay me.tb0"));
    fixture.shared.engine.SavetoFile(path);
    const mFile::GameSummary s = mFile::ReadGameSummary(path);
    const QString expectedTable =
        DealText(fixture.shared.games, fixture.shared.play, QStringLiteral("Klondike"), fixture.session.gameNo());

    const ToolRun r = run({QStringLiteral("--replay"), path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expectedTable + QStringLiteral("moves: %1 time: 71 score: %2 percentage: %3\n")
                                         .arg(s.moves)
                                         .arg(s.score)
                                         .arg(s.percentage));

    QFile damaged(fixture.file(QStringLiteral("bad.tb1")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Klondike\r\n 1 \r\n");
    damaged.close();
    const ToolRun bad = run({QStringLiteral("--replay"), damaged.fileName()});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains(QStringLiteral("bad.tb1"))) << bad.err.toStdString();

    const ToolRun missing = run({QStringLiteral("--replay"), fixture.file(QStringLiteral("none.tb0"))});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("was not found")));

    const ToolRun endless = run({QStringLiteral("--replay"), QStringLiteral("/dev/zero")});
    EXPECT_EQ(endless.code, 2);
    EXPECT_TRUE(endless.err.contains(QStringLiteral("not an ordinary file"))) << endless.err.toStdString();
}

} // namespace

namespace {

// The statistics report from the command line is the one the program
// exports, from the same settings and score files.
TEST(CommandLine, ExportStatsWritesTheProgramsReport)
{
    TempHome home;
    {
        cRegistry registry(cRegistry::defaultFilePath());
        RegistrySettingsStore store(registry);
        Players players(store);
        players.AddPlayer(QStringLiteral("Ann"));
        players.AddPlayer(QStringLiteral("Bob"));
        players.SetCurrentPlayer(QStringLiteral("Bob"));
    }
    Shared shared;
    for (const char* name : {"Ann", "Bob"}) {
        QFile file(Players::ScoreFile(shared.data, QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\"2026-12-01 09:00:00\",\"Klondike\",5,100,20,31,1\r\nbroken\r\n");
    }
    {
        // A record no game can have is left out like the broken lines,
        // rather than spoiling every total.
        QFile file(Players::ScoreFile(shared.data, QStringLiteral("Ann")));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("\"2026-12-02 09:00:00\",\"Klondike\",6,2147483647,20,31,1\r\n");
    }

    const QString path = home.path(QStringLiteral("report.txt"));
    const ToolRun r = run({QStringLiteral("--export-stats"), path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("3 damaged line"))) << r.err.toStdString();
    QFile report(path);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(report.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[4], QStringLiteral("Created By    Bob"));
    EXPECT_TRUE(lines[12].startsWith(QStringLiteral(" 2             2             0"))) << lines[12].toStdString();
    for (const char* player : {"Ann", "Bob"})
        EXPECT_EQ(lines.filter(QStringLiteral("Klondike      ") + QLatin1String(player)).size(), 1)
            << player << "'s record listed in full";

    const ToolRun unwritable = run({QStringLiteral("--export-stats"), home.path(QStringLiteral("no/such/x.txt"))});
    EXPECT_EQ(unwritable.code, 2);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("x.txt"))) << unwritable.err.toStdString();
    EXPECT_EQ(run({QStringLiteral("--export-stats")}).code, 2);
}

} // namespace

// A winning line is found, written as a finished game, and replays to the
// end with every card home; a deal without one writes nothing. Under the
// answer stand the positions tried and the time taken.
TEST(CommandLine, SolveFindsAWinAndSavesAGameThatReplaysToTheEnd)
{
    TempHome home;
    const QString path = home.path(QStringLiteral("won.tb1"));
    const ToolRun r = run({QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("1"),
                           QStringLiteral("--budget"), QStringLiteral("500000"), QStringLiteral("--save"), path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_TRUE(QRegularExpression(QStringLiteral(R"(^winnable in [1-9]\d* moves\n)"
                                                  R"(searched [1-9]\d* positions in \d+\.\d\d s\n$)"))
                    .match(r.out)
                    .hasMatch())
        << r.out.toStdString();

    const ToolRun replay = run({QStringLiteral("--replay"), path});
    ASSERT_EQ(replay.code, 0) << replay.err.toStdString();
    const QStringList lines = replay.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int home0 = 0;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("foundation "))) {
            EXPECT_EQ(line.count(QLatin1Char(' ')), 1 + 13) << line.toStdString();
        } else if (line.startsWith(QStringLiteral("home ")) || line.startsWith(QStringLiteral("stock ")) ||
                   line.startsWith(QStringLiteral("waste "))) {
            EXPECT_TRUE(line.endsWith(QLatin1Char(':'))) << line.toStdString();
        }
        home0 += line.startsWith(QStringLiteral("home ")) ? 1 : 0;
    }
    EXPECT_EQ(home0, 7);

    // Too small a budget: no answer, and no file.
    const QString none = home.path(QStringLiteral("none.tb1"));
    const ToolRun small = run({QStringLiteral("--solve"), QStringLiteral("Double Klondike"), QStringLiteral("5"),
                               QStringLiteral("--budget"), QStringLiteral("10"), QStringLiteral("--save"), none});
    ASSERT_EQ(small.code, 0) << small.err.toStdString();
    const QRegularExpressionMatch unknown =
        QRegularExpression(
            QStringLiteral(R"(^unknown after (\d+) positions\nsearched (\d+) positions in \d+\.\d\d s\n$)"))
            .match(small.out);
    ASSERT_TRUE(unknown.hasMatch()) << small.out.toStdString();
    EXPECT_EQ(unknown.captured(1), unknown.captured(2));
    EXPECT_GE(unknown.captured(1).toInt(), 10) << "the budget is spent before the search gives up";
    EXPECT_FALSE(QFile::exists(none));

    const QList<QStringList> bad{
        {QStringLiteral("--solve"), QStringLiteral("Klondike")},
        {QStringLiteral("--solve"), QStringLiteral("Klondyke"), QStringLiteral("1")},
        {QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("x")},
        {QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("1"), QStringLiteral("--budget")},
        {QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("1"), QStringLiteral("--budget"),
         QStringLiteral("0")},
        {QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("1"), QStringLiteral("--budget"),
         QStringLiteral("1000000001")},
        {QStringLiteral("--solve"), QStringLiteral("Klondike"), QStringLiteral("1"), QStringLiteral("--fast")},
    };
    for (const QStringList& args : bad) {
        const ToolRun b = run(args);
        EXPECT_EQ(b.code, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(b.out.isEmpty());
        EXPECT_TRUE(b.err.startsWith(QStringLiteral("tablora: "))) << b.err.toStdString();
    }
}
