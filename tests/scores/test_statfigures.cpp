#include "scores/Players.h"
#include "scores/StatFigures.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>
#include <utility>

namespace {

using namespace statFigures;

ScoreRec dated(const QString& when, const QString& player = QStringLiteral("Ann"),
               const QString& game = QStringLiteral("Klondike"))
{
    ScoreRec r;
    r.Date = when;
    r.day = cScore::readDate(when);
    r.Player = player;
    r.GameName = game;
    return r;
}

TEST(StatFiguresTest, RatesRoundAsEachListDoes)
{
    EXPECT_EQ(winningPercentage(2, 3), QStringLiteral("66.67%"));
    EXPECT_EQ(playerPercentage(2, 3), QStringLiteral("67%")) << "rounded as a ratio first";
    EXPECT_EQ(winningPercentage(1, 8), QStringLiteral("12.5%"));
    EXPECT_EQ(playerPercentage(1, 8), QStringLiteral("12%")) << "0.125 rounds to even, 0.12";
    EXPECT_EQ(winningPercentage(0, 0), QStringLiteral("0%"));
    EXPECT_EQ(playerPercentage(0, 0), QStringLiteral("0%"));
    EXPECT_EQ(winningPercentage(5, 5), QStringLiteral("100%"));
}

TEST(StatFiguresTest, GeneralLinesTruncateAndTakeNothingAsOne)
{
    const auto values = [](const StatRec& s) {
        QStringList texts;
        for (const Line& line : generalLines(s))
            texts << line.label + line.value;
        return texts;
    };
    EXPECT_EQ(values(StatRec{}), (QStringList{"Games Played : 0", "Games Won : 0", "Games Lost : 0", "Total Moves : 0",
                                              "Total Score : 0", "Total Time : 0:00:00", "Moves Per Game : 0",
                                              "Score Per Game : 0", "Time Per Game : 0:00:00", "Games Per Hour : 0",
                                              "Moves Per Hour : 0", "Score Per Hour : 0", "Winning Percentage : 0%"}));

    StatRec s;
    s.Played = 3;
    s.Won = 2;
    s.Lost = 1;
    s.Moves = 100;
    s.Score = -250;
    s.Time = 3601;
    const QStringList lines = values(s);
    EXPECT_EQ(lines[6], QStringLiteral("Moves Per Game : 33"));
    EXPECT_EQ(lines[7], QStringLiteral("Score Per Game : -83")) << "cut towards zero";
    EXPECT_EQ(lines[8], QStringLiteral("Time Per Game : 0:20:00"));
    EXPECT_EQ(lines[9], QStringLiteral("Games Per Hour : 2"));
    EXPECT_EQ(lines[10], QStringLiteral("Moves Per Hour : 99"));
    EXPECT_EQ(lines[11], QStringLiteral("Score Per Hour : -249"));
    EXPECT_EQ(lines[12], QStringLiteral("Winning Percentage : 66.67%"));

    // Seconds per game to the nearest second, halves to even.
    s.Played = 2;
    s.Time = 5;
    EXPECT_EQ(values(s)[8], QStringLiteral("Time Per Game : 0:00:02"));
    s.Time = 7;
    EXPECT_EQ(values(s)[8], QStringLiteral("Time Per Game : 0:00:04"));
    s.Time = 61 * 3600 * 2;
    EXPECT_EQ(values(s)[5], QStringLiteral("Total Time : 122:00:00"));
}

TEST(StatFiguresTest, PeriodsRunOldestFirstWithZerosBeforeTheFirstRecord)
{
    QLocale::setDefault(QLocale::c());
    TempHome home;
    Shared shared;
    Players players(shared.services.settings());
    players.AddPlayer(QStringLiteral("Ann"));
    QFile file(Players::ScoreFile(shared.data, QStringLiteral("Ann")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const char* day : {"2026-12-07 23:59:59", "2026-12-08 00:00:00", "2026-12-08 09:00:00", "2026-11-30 10:00:00",
                            "2026-12-09 08:00:00" /* a clock set back */})
        file.write(QByteArray("\"") + day + "\",\"Klondike\",1,60,10,5,1\r\n");
    file.close();
    cScore& score = shared.score;
    score.OpenAllScore();
    const QDate today(2026, 12, 8);

    const std::vector<PeriodStatRec> days = periodRows(score, today, kPeriodChoices[0]);
    ASSERT_EQ(days.size(), 5U);
    QStringList labels;
    QList<int> played;
    for (const PeriodStatRec& p : days) {
        labels << p.Label;
        played << p.Played;
    }
    EXPECT_EQ(labels, (QStringList{"Dec 04", "Dec 05", "Dec 06", "Dec 07", "Dec 08"}));
    EXPECT_EQ(played, (QList<int>{0, 0, 0, 1, 2})) << "the future-dated record is in no period";

    const std::vector<PeriodStatRec> months = periodRows(score, today, kPeriodChoices[3]);
    ASSERT_EQ(months.size(), 5U);
    EXPECT_EQ(months[3].Label, QStringLiteral("Nov 26"));
    EXPECT_EQ(months[3].Played, 1);
    EXPECT_EQ(months[4].Played, 4);
    EXPECT_EQ(months[0].Played, 0);
    const std::vector<PeriodStatRec> years = periodRows(score, today, kPeriodChoices[5]);
    EXPECT_EQ(years.front().Label, QStringLiteral("2022"));
    EXPECT_EQ(years.back().Time, 5 * 60);
    QLocale::setDefault(QLocale::system());
}

TEST(StatFiguresTest, TheLogCountsCalendarDaysAndMonthsBack)
{
    const QDate today(2026, 12, 8);
    const auto shows = [&](const ScoreRec& r, const char* key) {
        return logShows(r, QString(), QString(), QLatin1String(key), today);
    };
    const ScoreRec lateYesterday = dated(QStringLiteral("2026-12-07 23:59:59"));
    const ScoreRec earlyToday = dated(QStringLiteral("2026-12-08 00:00:01"));
    EXPECT_TRUE(shows(earlyToday, "t"));
    EXPECT_FALSE(shows(lateYesterday, "t")) << "a calendar day, not 24 hours";
    EXPECT_TRUE(shows(dated(QStringLiteral("2026-12-05 00:00:00")), "3d"));
    EXPECT_FALSE(shows(dated(QStringLiteral("2026-12-04 23:59:59")), "3d"));
    EXPECT_TRUE(shows(dated(QStringLiteral("2026-12-04 10:00:00")), "7d"));
    EXPECT_TRUE(shows(dated(QStringLiteral("2026-09-01 00:00:00")), "3m"));
    EXPECT_FALSE(shows(dated(QStringLiteral("2026-08-31 23:59:59")), "3m"));
    EXPECT_TRUE(shows(dated(QStringLiteral("2026-07-01 00:00:00")), "5m"));

    const ScoreRec future = dated(QStringLiteral("2026-12-09 00:00:00"));
    const ScoreRec unreadable = dated(QStringLiteral("someday"));
    for (const char* key : {"t", "3d", "7d", "30d", "3m", "5m"}) {
        EXPECT_FALSE(shows(future, key)) << key;
        EXPECT_FALSE(shows(unreadable, key)) << key;
    }
    EXPECT_TRUE(shows(future, ""));
    EXPECT_TRUE(shows(unreadable, ""));

    EXPECT_TRUE(logShows(earlyToday, QStringLiteral("Ann"), QStringLiteral("Klondike"), QString(), today));
    EXPECT_FALSE(logShows(earlyToday, QStringLiteral("Bob"), QString(), QString(), today));
    EXPECT_FALSE(logShows(earlyToday, QString(), QStringLiteral("Raglan"), QString(), today));
}

// Streaks from real score files: each player's file in its own order, a
// lost game ending a run, a damaged line in between leaving it running, and
// no run reaching from the end of one player's file into the next.
TEST(StatFiguresTest, WinningStreaksRunThroughEachPlayersFileInOrder)
{
    TempHome home;
    Shared shared;
    Players players(shared.services.settings());
    for (const char* name : {"Ann", "Bob", "Cid"})
        players.AddPlayer(QLatin1String(name));
    const auto write = [&](const char* player, std::initializer_list<const char*> lines) {
        QFile file(Players::ScoreFile(shared.data, QLatin1String(player)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const char* line : lines)
            file.write(QByteArray(line) + "\r\n");
    };
    // Ann: K W, K W, R W, K L, K W, damaged, R W, K W  -> runs 3, then 3 still running.
    write("Ann",
          {"\"2026-12-01 10:00:00\",\"Klondike\",1,60,10,5,1", "\"2026-12-01 11:00:00\",\"Klondike\",2,60,10,5,1",
           "\"2026-12-02 10:00:00\",\"Raglan\",3,60,10,5,1", "\"2026-12-02 11:00:00\",\"Klondike\",4,60,10,-5,0",
           "\"2026-12-03 10:00:00\",\"Klondike\",5,60,10,5,1", "\"2026-12-03 11:00:00\",\"Klondike\",6,60",
           "\"2026-12-04 10:00:00\",\"Raglan\",\"7\",60,10,5,1", "\"2026-12-04 11:00:00\",\"Klondike\",8,60,10,5,1"});
    // Bob: K W, K W, K W, K W, then lost: longest 4, current 0.
    write("Bob",
          {"\"2026-12-01 10:00:00\",\"Klondike\",1,60,10,5,1", "\"2026-12-01 11:00:00\",\"Klondike\",2,60,10,5,1",
           "\"2026-12-01 12:00:00\",\"Klondike\",3,60,10,5,1", "\"2026-12-01 13:00:00\",\"Klondike\",4,60,10,5,1",
           "\"2026-12-01 14:00:00\",\"Raglan\",5,60,10,0,0"});
    // Cid: one Raglan won, which must not join Bob's last Raglan (lost) or
    // Ann's Raglan wins into one run.
    write("Cid", {"\"2026-12-05 10:00:00\",\"Raglan\",9,60,10,5,1"});
    cScore& score = shared.score;
    score.OpenAllScore();
    ASSERT_EQ(score.skippedLines(), 1);

    const auto pair = [](const Streak& s) { return std::pair{s.current, s.longest}; };
    EXPECT_EQ(pair(playerStreak(score, QStringLiteral("Ann"))), std::pair(3, 3));
    EXPECT_EQ(pair(playerStreak(score, QStringLiteral("Bob"))), std::pair(0, 4)) << "the last game was lost";
    EXPECT_EQ(pair(playerStreak(score, QStringLiteral("Cid"))), std::pair(1, 1));
    EXPECT_EQ(pair(playerStreak(score, QStringLiteral("Dan"))), std::pair(0, 0)) << "no file";

    // Klondike: Ann W W L W W (runs 2, 2 running), Bob W W W W (4 running).
    EXPECT_EQ(pair(gameStreak(score, QStringLiteral("Klondike"))), std::pair(4, 4));
    // Raglan: Ann W W (running 2), Bob L, Cid W: never 3 across files.
    EXPECT_EQ(pair(gameStreak(score, QStringLiteral("Raglan"))), std::pair(2, 2));
    EXPECT_EQ(pair(gameStreak(score, QStringLiteral("Canister"))), std::pair(0, 0));

    // A loss in another game ends the player's run, not the game's.
    write("Ann",
          {"\"2026-12-06 10:00:00\",\"Raglan\",1,60,10,5,1", "\"2026-12-06 11:00:00\",\"Klondike\",2,60,10,5,0"});
    score.CloseScore();
    score.OpenAllScore();
    EXPECT_EQ(pair(playerStreak(score, QStringLiteral("Ann"))), std::pair(0, 1));
    EXPECT_EQ(pair(gameStreak(score, QStringLiteral("Raglan"))), std::pair(1, 1));
}

} // namespace
