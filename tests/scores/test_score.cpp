#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "scores/cScore.h"
#include "session/Shared.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

// A record as a score file holds it.
ScoreRec rec(const QString& game, int32_t score, int16_t won, int32_t time = 60, int32_t moves = 10,
             const QString& date = QStringLiteral("2026-12-08 10:00:00"))
{
    ScoreRec r;
    r.Date = date;
    r.GameName = game;
    r.gameNo = GameNo(7);
    r.Time = time;
    r.Moves = moves;
    r.Score = score;
    r.Won = won;
    return r;
}

class ScoreTest : public ::testing::Test {
protected:
    ScoreTest()
    {
        QLocale::setDefault(QLocale::c());
        shared.services.setClock(&clock);
        shared.services.setPrompts(&prompts);
        players.AddPlayer(QStringLiteral("Ann"));
        players.AddPlayer(QStringLiteral("Bob"));
        players.SetCurrentPlayer(QStringLiteral("Ann"));
    }
    ~ScoreTest() override
    {
        shared.services.setClock(nullptr);
        shared.services.setPrompts(nullptr);
        QLocale::setDefault(QLocale::system());
    }
    QString fileOf(const QString& player) const { return Players::ScoreFile(shared.data, player); }
    void writeFile(const QString& player, const std::vector<ScoreRec>& records, const QByteArray& extra = {})
    {
        QByteArray bytes;
        for (const ScoreRec& r : records)
            bytes += (cScore::formatLine(r) + QLatin1String("\r\n")).toUtf8();
        bytes += extra;
        QFile file(fileOf(player));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::vector<QString> topGames() const
    {
        std::vector<QString> names;
        for (int16_t slot = 1; slot <= cScore::kTopSlots; ++slot)
            if (!score.GetTopEntry(slot).isEmpty())
                names.push_back(score.GetTopEntry(slot).GameName);
        return names;
    }

    TempHome home;
    FakeClock clock;
    FakePrompts prompts;
    Shared shared;
    cScore& score = shared.score;
    Players players{shared.services.settings()};
};

TEST_F(ScoreTest, RecordsSurviveTheFileWithTheirKindsAndOddCharacters)
{
    // Played games, recorded from the session as the program records them.
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(1234));
    shared.gamePlay.setTime(65);
    score.AddScore(0);
    clock.advance(90);
    // Replacing the game records it too.
    shared.gamePlay.PlayString(QStringLiteral("Spiderette - 0042"));
    score.AddScore(1);

    QFile file(fileOf(QStringLiteral("Ann")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\"2026-12-08 10:00:00\",\"Klondike\",1234,65,"));
    EXPECT_TRUE(bytes.contains("\r\n\"2026-12-08 10:01:30\",\"Spiderette\",\"0042\",0,"));
    EXPECT_TRUE(bytes.endsWith(",1\r\n"));

    score.OpenScore(QStringLiteral("Ann"));
    ASSERT_EQ(score.ScoreTop(), 3);
    const ScoreRec& first = score.GetScore(1);
    EXPECT_EQ(first.GameName, QStringLiteral("Klondike"));
    EXPECT_FALSE(first.gameNo.isText());
    EXPECT_EQ(first.gameNo.toString(), QStringLiteral("1234"));
    EXPECT_EQ(first.Time, 65);
    EXPECT_EQ(first.Player, QStringLiteral("Ann"));
    EXPECT_EQ(first.day, QDate(2026, 12, 8));
    EXPECT_EQ(score.GetScore(2).GameName, QStringLiteral("Klondike"));
    EXPECT_EQ(score.GetScore(2).Won, 0);
    EXPECT_TRUE(score.GetScore(3).gameNo.isText()) << "a text game number stays a text";
    EXPECT_EQ(score.GetScore(3).gameNo.toString(), QStringLiteral("0042"));
    EXPECT_EQ(score.GetScore(3).Won, 1);
    EXPECT_THROW(score.GetScore(4), RunTimeError);

    // Negative scores, commas and quotes go through a line unchanged.
    ScoreRec odd = rec(QStringLiteral("Odd, \"Quoted\" Game"), -321, 0);
    odd.Date = QStringLiteral("a \"date\", with a comma");
    const std::optional<ScoreRec> back = cScore::parseLine(cScore::formatLine(odd));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->GameName, odd.GameName);
    EXPECT_EQ(back->Date, odd.Date);
    EXPECT_EQ(back->Score, -321);
    EXPECT_FALSE(back->day.isValid());
}

TEST_F(ScoreTest, DamagedLinesAreSkippedCountedAndTheFileLeftAsItWas)
{
    writeFile(QStringLiteral("Bob"), {rec(QStringLiteral("Klondike"), 10, 1), rec(QStringLiteral("Canister"), 5, 0)},
              "\"2026-12-08 11:00:00\",\"Klond\r\n"              // cut off mid-append
              "garbage\r\n"                                      // edited by hand
              "\"x\",\"Klondike\",7,1,2,three,0\r\n"             // a word for a number
              "\n"                                               // blank: not a record, not damage
              "\"2026-12-09 08:00:00\",\"Raglan\",9,30,4,50,1"); // last line without its ending
    QFile file(fileOf(QStringLiteral("Bob")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(score.skippedLines(), 3);
    EXPECT_EQ(score.GetScore(3).GameName, QStringLiteral("Raglan"));
    EXPECT_EQ(score.StatPlayer(QStringLiteral("Ann")).Played, 0) << "Ann has no file";

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before) << "the file is never rewritten";
    score.CloseScore();
    EXPECT_EQ(score.ScoreTop(), 0);
    EXPECT_EQ(score.skippedLines(), 0);
}

TEST_F(ScoreTest, TotalsCountEveryRecordAndOverflowIsAnError)
{
    writeFile(QStringLiteral("Ann"),
              {rec(QStringLiteral("Klondike"), 10, 1, 100, 20), rec(QStringLiteral("Klondike"), -4, 0, 50, 5),
               rec(QStringLiteral("Raglan"), 7, 2)});
    writeFile(QStringLiteral("Bob"), {rec(QStringLiteral("Klondike"), 3, 1, 10, 1)});
    score.OpenAllScore();
    const StatRec all = score.StatAll();
    EXPECT_EQ(all.Played, 4);
    EXPECT_EQ(all.Won, 2) << "only a won flag of exactly 1 counts";
    EXPECT_EQ(all.Lost, 2);
    EXPECT_EQ(all.Score, 16);
    EXPECT_EQ(all.Time, 220);
    const StatRec klondike = score.StatGame(QStringLiteral("Klondike"));
    EXPECT_EQ(klondike.Played, 3);
    EXPECT_EQ(klondike.Moves, 26);
    EXPECT_EQ(score.StatGame(QStringLiteral("klondike")).Played, 0) << "names compare exactly";
    EXPECT_EQ(score.StatPlayer(QStringLiteral("Bob")).Score, 3);
    EXPECT_EQ(score.GetGameScore(QStringLiteral("Klondike"), 3).Player, QStringLiteral("Bob"));
    EXPECT_TRUE(score.GetGameScore(QStringLiteral("Klondike"), 4).isEmpty());

    // Sums past 32 bits are still an error, even of figures a game can have.
    score.CloseScore();
    writeFile(QStringLiteral("Ann"),
              std::vector<ScoreRec>(68, rec(QStringLiteral("Klondike"), 1, 1, cScore::kLongestTime)));
    score.OpenAllScore();
    EXPECT_EQ(score.skippedLines(), 0);
    EXPECT_THROW(score.StatAll(), RunTimeError);
}

// A line no record can fill (line ends lost, junk written over the file) is
// damage like any other and the records after it are read; so are files
// whose lines end with a CR alone.
TEST_F(ScoreTest, AnOverlongLineIsDamageAndCrOnlyFilesAreRead)
{
    // Without a limit this would read as a record with a name of a megabyte.
    const QByteArray overlong = "\"2026-12-08 11:00:00\",\"" + QByteArray(1 << 20, 'K') + "\",7,60,10,5,1\r\n";
    writeFile(QStringLiteral("Ann"), {rec(QStringLiteral("Klondike"), 10, 1)},
              overlong + (cScore::formatLine(rec(QStringLiteral("Raglan"), 4, 0)) + QLatin1String("\r\n")).toUtf8());
    QByteArray crOnly;
    for (const char* game : {"Canister", "Easthaven"})
        crOnly += (cScore::formatLine(rec(QLatin1String(game), 2, 1)) + QLatin1Char('\r')).toUtf8();
    crOnly += "garbage\r" + cScore::formatLine(rec(QStringLiteral("Gargantua"), 3, 1)).toUtf8();
    QFile bob(fileOf(QStringLiteral("Bob")));
    ASSERT_TRUE(bob.open(QIODevice::WriteOnly));
    bob.write(crOnly);
    bob.close();

    score.OpenAllScore();
    EXPECT_EQ(score.skippedLines(), 2);
    std::vector<QString> games;
    for (int32_t p = 1; p <= score.ScoreTop(); ++p)
        games.push_back(score.GetScore(p).GameName + QLatin1Char('/') + score.GetScore(p).Player);
    EXPECT_EQ(games, (std::vector<QString>{QStringLiteral("Klondike/Ann"), QStringLiteral("Raglan/Ann"),
                                           QStringLiteral("Canister/Bob"), QStringLiteral("Easthaven/Bob"),
                                           QStringLiteral("Gargantua/Bob")}));
}

// Figures no game can have (a clock run for years, more moves or points
// than a game counts) make a line damaged, so that one such line cannot
// spoil every total; figures a game can have are read to their ends.
TEST_F(ScoreTest, AbsurdFiguresAreDamage)
{
    const QByteArray absurd = "\"2026-12-08 11:00:00\",\"Klondike\",7,99999999999,10,5,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,2147483647,10,5,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,-1,10,5,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,60,32768,5,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,60,-1,5,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,60,10,32768,1\r\n"
                              "\"2026-12-08 11:00:00\",\"Klondike\",7,60,10,-32769,1\r\n";
    writeFile(QStringLiteral("Ann"),
              {rec(QStringLiteral("Klondike"), 32767, 1, cScore::kLongestTime, 32767),
               rec(QStringLiteral("Klondike"), -32768, 0, 0, 0)},
              absurd +
                  (cScore::formatLine(rec(QStringLiteral("Raglan"), 5, 1, 30, 4)) + QLatin1String("\r\n")).toUtf8());
    score.OpenAllScore();
    EXPECT_EQ(score.skippedLines(), 7);
    ASSERT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(score.GetScore(3).GameName, QStringLiteral("Raglan")) << "read on after the damage";
    const StatRec all = score.StatAll();
    EXPECT_EQ(all.Time, cScore::kLongestTime + 30);
    EXPECT_EQ(all.Moves, 32767 + 4);
    EXPECT_EQ(all.Score, 4);
}

TEST_F(ScoreTest, RankingByScoreKeepsTwentyLaterRecordsFirstAndHonoursTheFilters)
{
    std::vector<ScoreRec> records;
    // Twenty-two games scoring 1 .. 22, then a tie with the top, a game that
    // scores nothing won, and a lost game scoring well.
    for (int i = 1; i <= 22; ++i)
        records.push_back(rec(QStringLiteral("G%1").arg(i), i, 1));
    records.push_back(rec(QStringLiteral("Tie"), 22, 1));
    records.push_back(rec(QStringLiteral("Zero"), 0, 1));
    records.push_back(rec(QStringLiteral("LostWell"), 15, 0));
    writeFile(QStringLiteral("Ann"), records);
    writeFile(QStringLiteral("Bob"), {rec(QStringLiteral("G5"), 100, 1)});
    score.OpenAllScore();

    score.Sort(QString(), QStringLiteral("Ann"), true);
    std::vector<QString> expected{QStringLiteral("Tie")};
    for (int i = 22; i >= 4; --i)
        expected.push_back(QStringLiteral("G%1").arg(i));
    EXPECT_EQ(topGames(), expected) << "a later equal score ranks first; the twenty-first is pushed out";
    EXPECT_TRUE(score.GetTopEntry(0).isEmpty());

    score.Sort(QString(), QStringLiteral("Ann"), false);
    const std::vector<QString> all = topGames();
    ASSERT_EQ(all.size(), 20U);
    EXPECT_EQ(all[8], QStringLiteral("LostWell")) << "a lost game counts when not won-only, after G15";
    EXPECT_EQ(std::count(all.begin(), all.end(), QStringLiteral("Zero")), 0);

    score.Sort(QStringLiteral("G5"), QString(), true);
    ASSERT_EQ(topGames().size(), 2U);
    EXPECT_EQ(score.GetTopEntry(1).Player, QStringLiteral("Bob"));
}

TEST_F(ScoreTest, RankingByTimeOrMovesTakesWonGamesLeastFirst)
{
    // E, won in no time at all, comes first, while every slot is empty.
    writeFile(QStringLiteral("Ann"), {rec(QStringLiteral("E"), 1, 1, 0, 50), rec(QStringLiteral("A"), 1, 1, 300, 40),
                                      rec(QStringLiteral("B"), 1, 1, 100, 90), rec(QStringLiteral("C"), 1, 0, 5, 5),
                                      rec(QStringLiteral("D"), 1, 1, 100, 10)});
    score.OpenAllScore();
    score.FinSort(true, false);
    EXPECT_EQ(topGames(), (std::vector<QString>{QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("A")}))
        << "lost games never, equal times later first, a time of 0 never into an empty slot";
    score.FinSort(true, true);
    EXPECT_EQ(topGames(), (std::vector<QString>{QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("E"),
                                                QStringLiteral("B")}))
        << "both flags rank by moves";
    score.FinSort(false, false);
    EXPECT_TRUE(topGames().empty());
}

TEST_F(ScoreTest, PeriodsFollowCalendarDaysMonthsAndYears)
{
    writeFile(QStringLiteral("Ann"),
              {rec(QStringLiteral("A"), 1, 1, 60, 1, QStringLiteral("2026-01-31 23:59:59")),
               rec(QStringLiteral("A"), 2, 1, 60, 1, QStringLiteral("2026-02-01 00:00:00")),
               rec(QStringLiteral("A"), 4, 0, 60, 1, QStringLiteral("2025-12-31 23:59:59")),
               // Written by an older program in the system's own form.
               rec(QStringLiteral("A"), 8, 1, 60, 1,
                   QLocale::c().toString(QDateTime(QDate(2026, 2, 1), QTime(9, 30)), QLocale::ShortFormat)),
               rec(QStringLiteral("A"), 16, 1, 60, 1, QStringLiteral("not a date"))});
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 5) << "a record whose date cannot be read is kept";

    const PeriodStatRec day = score.StatPeriod(QDate(2026, 2, 1), QStringLiteral("d"));
    EXPECT_EQ(day.Score, 2 + 8);
    EXPECT_EQ(day.Label, QStringLiteral("Feb 01"));
    EXPECT_EQ(score.StatPeriod(QDate(2026, 1, 31), QStringLiteral("d")).Score, 1);
    const PeriodStatRec month = score.StatPeriod(QDate(2026, 1, 1), QStringLiteral("m"));
    EXPECT_EQ(month.Score, 1);
    EXPECT_EQ(month.Label, QStringLiteral("Jan 26"));
    const PeriodStatRec year = score.StatPeriod(QDate(2026, 6, 15), QStringLiteral("yyyy"));
    EXPECT_EQ(year.Played, 3);
    EXPECT_EQ(year.Lost, 0);
    EXPECT_EQ(year.Label, QStringLiteral("2026"));
    EXPECT_EQ(score.StatPeriod(QDate(2025, 12, 31), QStringLiteral("yyyy")).Lost, 1);
    const PeriodStatRec other = score.StatPeriod(QDate(2026, 2, 1), QStringLiteral("w"));
    EXPECT_EQ(other.Played, 0);
    EXPECT_TRUE(other.Label.isEmpty());
}

TEST_F(ScoreTest, TheReportPlacesItsItemsInPrintZones)
{
    writeFile(QStringLiteral("Ann"),
              {rec(QStringLiteral("Klondike"), 120, 1, 65, 30), rec(QStringLiteral("Klondike"), -7, 0, 220000, 5)});
    // Game numbers of both kinds: a text stands as it was typed, a number
    // is written as every number of the report.
    ScoreRec typed = rec(QStringLiteral("Double Klondike by Threes"), 9, 1, 3600, 12);
    typed.gameNo = *GameNo::fromText(QStringLiteral("0042"));
    ScoreRec below = rec(QStringLiteral("Raglan"), 3, 1, 5, 2);
    below.gameNo = GameNo(-3.5);
    writeFile(QStringLiteral("Bob"), {typed, below});
    score.OpenAllScore();
    const QStringList lines = score.reportText().split(QStringLiteral("\r\n"));
    score.CloseScore();

    EXPECT_EQ(lines[0], QStringLiteral("Tablora 6.0 Score Board"));
    EXPECT_EQ(lines[1], QStringLiteral(" "));
    EXPECT_EQ(lines[2], QString(25, QLatin1Char('*')));
    EXPECT_EQ(lines[4], QStringLiteral("Created By    Ann"));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Created Date  ")));
    EXPECT_EQ(lines[11], QStringLiteral("Played        Won           Lost          Time          Moves         Score"));
    EXPECT_EQ(lines[12], QStringLiteral(" 4             3             1            62:07:50       49            125 "))
        << "hours in full; each number between a sign place and a blank";
    EXPECT_EQ(lines[13], QStringLiteral(" "));
    EXPECT_EQ(lines[14], QStringLiteral(" "));
    EXPECT_EQ(lines[18], QStringLiteral("Ann            2             1             1            61:07:45       35     "
                                        "       113 "));
    EXPECT_EQ(lines[19], QStringLiteral("Bob            2             2             0            1:00:05        14     "
                                        "       12 "));
    EXPECT_EQ(lines[24], QStringLiteral("Game                     Played           Won           Time          Moves   "
                                        "      Score"));
    const qsizetype full = lines.indexOf(QStringLiteral("Full Statistics"));
    EXPECT_EQ(full - 2 - 25, shared.data.TotalGames()) << "every game, played or not";
    EXPECT_TRUE(lines.contains(QStringLiteral("Klondike                  2                1            61:07:45    "
                                              "   35            113 ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Raglan                    1                1            0:00:05     "
                                              "   2             3 ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Canister                  0                0            0:00:00     "
                                              "   0             0 ")));
    EXPECT_EQ(lines[full + 2], QStringLiteral("Date          Game          Player        Status        Score         "
                                              "Moves         Time          Game No"));
    EXPECT_EQ(lines[full + 4],
              QStringLiteral("8 Dec 2026    Klondike      Ann           Lost          -7             5 "
                             "           61:06:40      7 "))
        << "the game number between a sign place and a blank, as the games' figures";
    EXPECT_EQ(lines[full + 5], QStringLiteral("8 Dec 2026    Double Klond  Bob           Won            9            "
                                              " 12           1:00:00     0042"))
        << "names cut to twelve characters; a typed number as it stands";
    EXPECT_TRUE(lines[full + 6].endsWith(QStringLiteral("0:00:05     -3.5 "))) << lines[full + 6].toStdString();
    EXPECT_EQ(lines.last(), QString()) << "the last line is ended too";
}

TEST_F(ScoreTest, ClearingAsksFirstAndDeletesEveryPlayersFile)
{
    writeFile(QStringLiteral("Ann"), {rec(QStringLiteral("A"), 1, 1)});
    writeFile(QStringLiteral("Bob"), {rec(QStringLiteral("A"), 1, 1)});
    prompts.answers = {Prompts::Answer::No};
    score.ClearStat();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.titles[0], QStringLiteral("Tablora 6.0"));
    EXPECT_TRUE(QFile::exists(fileOf(QStringLiteral("Ann"))));

    prompts.answers = {Prompts::Answer::Yes};
    score.ClearStat();
    EXPECT_FALSE(QFile::exists(fileOf(QStringLiteral("Ann"))));
    EXPECT_FALSE(QFile::exists(fileOf(QStringLiteral("Bob"))));
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Statistics, High Score and Log have been Cleared."));
}

TEST_F(ScoreTest, ExportingWritesTheReportWhereThePlayerChose)
{
    writeFile(QStringLiteral("Ann"), {rec(QStringLiteral("Klondike"), 1, 1)}, "damaged\r\n");
    prompts.files = {std::nullopt};
    score.ExportStat();
    EXPECT_TRUE(prompts.messages.isEmpty()) << "cancelled: nothing said";
    ASSERT_EQ(prompts.dialogs.size(), 1U);
    EXPECT_EQ(prompts.dialogs[0].fileName, QStringLiteral("Scoreboard"));
    EXPECT_TRUE(prompts.dialogs[0].confirmOverwrite);

    const QString path = home.path(QStringLiteral("board.txt"));
    prompts.files = {path};
    score.ExportStat();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Tablora 6.0 Score Board\r\n"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Statistics Successfully Exported to ") + path));
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("1 damaged line"))) << "the skipped line is told";
    EXPECT_EQ(score.ScoreTop(), 0) << "nothing was loaded before";
    // A window that exports keeps what it has loaded.
    score.OpenScore(QStringLiteral("Ann"));
    score.Sort(QString(), QString(), false);
    prompts.files = {path};
    score.ExportStat();
    EXPECT_EQ(score.ScoreTop(), 1);
    EXPECT_EQ(score.skippedLines(), 1);
    EXPECT_EQ(score.GetTopEntry(1).GameName, QStringLiteral("Klondike"));

    prompts.files = {home.path(QStringLiteral("no such folder/board.txt"))};
    EXPECT_THROW(score.ExportStat(), RunTimeError) << "a file that cannot be written is not a success";
}

TEST(TimeTextTest, HoursAreWrittenInFull)
{
    EXPECT_EQ(timeText(0), QStringLiteral("0:00:00"));
    EXPECT_EQ(timeText(65), QStringLiteral("0:01:05"));
    EXPECT_EQ(timeText(61 * 3600 + 123), QStringLiteral("61:02:03"));
    EXPECT_EQ(timeText(30 * 86400), QStringLiteral("720:00:00"));
}

} // namespace
