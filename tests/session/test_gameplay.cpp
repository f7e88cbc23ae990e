#include "engine/DealText.h"
#include "engine/ScratchTable.h"
#include "history/mFile.h"
#include "rules/RunTimeError.h"
#include "rules/mKlondike.h"
#include "scores/Players.h"
#include "scores/cScore.h"
#include "solver/SolutionPlay.h"
#include "support/SessionFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <set>

namespace {

class GamePlayTest : public ::testing::Test, public SessionFixture {};

TEST_F(GamePlayTest, TimeIsShownAsHoursMinutesAndSeconds)
{
    EXPECT_EQ(cGamePlay::TimeString(59), QStringLiteral("0:00:59"));
    EXPECT_EQ(cGamePlay::TimeString(65), QStringLiteral("0:01:05"));
    EXPECT_EQ(cGamePlay::TimeString(3600), QStringLiteral("1:00:00"));
    EXPECT_EQ(cGamePlay::TimeString(0), QStringLiteral("0:00:00"));
    EXPECT_EQ(cGamePlay::TimeString(61 * 3600 + 123), QStringLiteral("61:02:03")) << "hours in full";
}

TEST_F(GamePlayTest, ANewDealStartsRunningWithItsFiguresAndIsRemembered)
{
    EXPECT_EQ(session.TitleText(), QStringLiteral("Tablora 6.0")) << "no game, no figures";
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(1234));

    EXPECT_EQ(session.Game_Status(), cGamePlay::kInProgress);
    EXPECT_TRUE(session.Game_Running());
    EXPECT_TRUE(host.clock);
    EXPECT_EQ(session.LastGName(), QStringLiteral("Klondike"));
    EXPECT_EQ(shared.func.GetMRU(cFunc::kPlayedList)[1], QStringLiteral("Klondike - 1234"));
    EXPECT_EQ(shared.games.TotalCards(), 52);
    EXPECT_EQ(session.CardsLeft(), 52 - shared.engine.TotalGoalCards());

    // Score: ten per card home, less a third of the seconds and half the
    // moves, halves to even.
    session.setTime(3);
    const int16_t goal = shared.engine.TotalGoalCards();
    const int16_t moves = session.Moves();
    const double expected = goal * 10.0 - (1.0 + moves / 2.0);
    EXPECT_EQ(session.Score(), static_cast<int16_t>(std::nearbyint(expected)));
    EXPECT_EQ(session.Percentage(), static_cast<int16_t>(std::nearbyint(goal * 100.0 / 52)));
}

TEST_F(GamePlayTest, AutoPlaySendsCardsHomeRightAfterTheDeal)
{
    // Find a Klondike deal with an Ace showing on the table.
    for (int number = 1; number < 200; ++number) {
        session.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
        if (shared.engine.TotalGoalCards() > 0) {
            EXPECT_GT(shared.engine.GetTransTop(), 0) << "the automatic moves are recorded";
            return;
        }
    }
    FAIL() << "no deal put a card home at once";
}

TEST_F(GamePlayTest, TheTitleShowsExactlyTheChosenFigures)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(1234));
    session.setTime(65);
    const QString head = QStringLiteral("Tablora 6.0 [Klondike - 1234] [Player1]");
    const QStringList parts = {QStringLiteral("Time:0:01:05"), QStringLiteral("Score:%1").arg(session.Score()),
                               QStringLiteral("Moves:%1").arg(session.Moves()),
                               QStringLiteral("Cards Left:%1").arg(session.CardsLeft())};
    const NumberSetting flags[] = {settings::kShowTime, settings::kShowScore, settings::kShowMoves,
                                   settings::kShowCardsLeft};
    for (int mask = 0; mask < 16; ++mask) {
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            shared.services.settings().write(flags[i], (mask >> i) & 1);
            if ((mask >> i) & 1)
                shown << parts[i];
        }
        const QString expected = shown.isEmpty() ? head : head + QStringLiteral(" [") + shown.join(' ') + ']';
        EXPECT_EQ(session.TitleText(), expected) << "mask " << mask;
    }

    session.PauseGame(true);
    EXPECT_TRUE(host.paused);
    EXPECT_FALSE(host.clock);
    session.Update_Title();
    EXPECT_EQ(host.caption, head + QStringLiteral(" [Time:0:01:05 Score:%1 Moves:%2 Cards Left:%3] [Game Paused]")
                                       .arg(session.Score())
                                       .arg(session.Moves())
                                       .arg(session.CardsLeft()));
    session.PauseGame(false);
    EXPECT_TRUE(host.clock);
    EXPECT_FALSE(session.TitleText().contains(QStringLiteral("Paused")));
}

TEST_F(GamePlayTest, StartingAGameRecordsTheAbandonedOneFirst)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    play(10);
    QString recordedName;
    int16_t recordedMoves = -1;
    host.onAddScore = [&] {
        recordedName = session.GameName();
        recordedMoves = session.Moves();
    };
    const int16_t moves = session.Moves();
    host.calls.clear();

    session.PlayNumber(QStringLiteral("Easthaven"), GameNo(6));

    EXPECT_EQ(recordedName, QStringLiteral("Klondike")) << "recorded before the new deal";
    EXPECT_EQ(recordedMoves, moves);
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("AddScore"), QStringLiteral("AddSesGame"),
                                       QStringLiteral("AutoSaveGame 0"), QStringLiteral("changeBackground")}));
    EXPECT_EQ(session.GameName(), QStringLiteral("Easthaven"));
}

TEST_F(GamePlayTest, RestartDealsTheSameNumberAfresh)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(77));
    const QString dealt = table();
    const int16_t initial = shared.engine.GetTransTop();
    play(15);
    session.setTime(120);

    session.Restart();

    EXPECT_EQ(session.gameNo().toString(), QStringLiteral("77"));
    EXPECT_EQ(session.Time(), 0);
    EXPECT_EQ(shared.engine.GetTransTop(), initial) << "only the automatic moves of the deal";
    EXPECT_EQ(table(), dealt);
}

TEST_F(GamePlayTest, NameAndNumberTextsAndRandomNumbers)
{
    session.PlayString(QStringLiteral("Double Klondike - 00042"));
    EXPECT_EQ(session.GameName(), QStringLiteral("Double Klondike"));
    EXPECT_TRUE(session.gameNo().isText());
    EXPECT_EQ(session.gameNo().toString(), QStringLiteral("00042"));
    EXPECT_EQ(session.gameNo().toNumber(), 42);
    EXPECT_THROW(session.PlayString(QStringLiteral("Klondike 42")), RunTimeError);

    shared.services.settings().write(settings::kRangeIndex, 2);
    for (int i = 0; i < 200; ++i) {
        const double n = session.RandomGameNo().toNumber();
        ASSERT_TRUE(n >= 1 && n <= 99 && n == std::trunc(n)) << n;
    }
    shared.services.settings().write(settings::kRangeIndex, 0);
    EXPECT_EQ(session.RandomGameNo().toNumber(), 1);

    // The numbers come from the services' generator: seeded alike, two
    // sessions draw the same numbers.
    Shared other;
    for (Shared* each : {&shared, &other}) {
        each->services.settings().write(settings::kRangeIndex, 6);
        each->services.seedRandom(2026);
    }
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(session.RandomGameNo().toNumber(), other.gamePlay.RandomGameNo().toNumber()) << i;

    session.PlayRandom();
    EXPECT_EQ(session.GameName(), QStringLiteral("Double Klondike")) << "the last game played";
}

// Many numbers deal the same cards: a random number does not deal what the
// player met on the table or in their last 1,000 games of that game, as long
// as the range has another deal to give.
TEST_F(GamePlayTest, RandomNumbersAvoidTheDealsOfThePlayersLastGames)
{
    shared.services.settings().write(settings::kRangeIndex, 1);
    std::set<QString> deals;
    for (int n = 1; n <= 9; ++n) {
        ScratchTable table(QStringLiteral("Klondike"));
        table.deal(GameNo(n));
        deals.insert(DealText(table.games, table.play, QString(), GameNo(0)));
    }
    ASSERT_EQ(deals.size(), 9u) << "the numbers 1 to 9 deal nine different Klondike deals";

    const QString path = Players::ScoreFile(shared.data, QStringLiteral("Player1"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    const auto record = [&](const char* game, const std::vector<int>& numbers) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        for (const int n : numbers) {
            ScoreRec played;
            played.Date = QStringLiteral("2026-12-01 10:00:00");
            played.GameName = QLatin1String(game);
            played.gameNo = GameNo(n);
            played.Time = 60;
            played.Moves = 10;
            file.write((cScore::formatLine(played) + QStringLiteral("\r\n")).toUtf8());
        }
    };
    // 9 long ago; the last thousand games dealt 1 to 6, and 7 to 9 of
    // another game.
    record("Klondike", {9});
    std::vector<int> lately;
    for (int i = 0; i < 997; ++i)
        lately.push_back(1 + i % 6);
    record("Klondike", lately);
    record("Spiderette", {7, 8, 9});
    shared.services.seedRandom(2026);
    const auto drawn = [&] {
        std::set<double> numbers;
        for (int i = 0; i < 60; ++i)
            numbers.insert(session.RandomGameNo().toNumber());
        return numbers;
    };
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(8));
    EXPECT_EQ(drawn(), (std::set<double>{7, 9})) << "neither a deal met lately nor the one on the table";
    session.ClearArea();
    EXPECT_EQ(drawn(), (std::set<double>{7, 8, 9})) << "the last game played, once the table is empty";

    // Every deal of the range met: a number is still drawn.
    record("Klondike", {7, 8, 9});
    for (const double n : drawn())
        EXPECT_TRUE(n >= 1 && n <= 9) << n;
}

// A won game is recorded by the game-end dialog, once: nothing ends it a
// second time, and a finished game replaying itself is not won again.
TEST_F(GamePlayTest, AWonGameIsRecordedOnlyWhenItIsWon)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(11));
    play(5);
    session.GameWon();
    EXPECT_EQ(host.wins, 1);
    session.markWonRecorded();
    session.GameWon();
    EXPECT_EQ(host.wins, 1) << "recorded already";
    host.calls.clear();
    shared.services.settings().write(settings::kGameSave, 1);
    session.Unload();
    EXPECT_EQ(shared.services.settings().read(settings::kUnFin), 0) << "a won game is not kept to be continued";
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(12));
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("changeBackground")});

    const QString finished = file(QStringLiteral("done") + shared.data.FinExt());
    shared.engine.SavetoFile(finished);
    session.PlayFile(finished, false);
    ASSERT_EQ(session.Game_Status(), cGamePlay::kFinishedOnShow);
    session.GameWon();
    EXPECT_EQ(host.wins, 1) << "a replay is not a win";
    host.calls.clear();
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(13));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("AddScore"))) << "nor is it recorded when replaced";
    EXPECT_FALSE(host.calls.contains(QStringLiteral("AutoSaveGame 0")));
}

// A score file that cannot be written loses neither the auto-saved copy
// nor the next game.
TEST_F(GamePlayTest, EndingAGameTakesEveryStepWhenOneFails)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    host.onAddScore = [] { throw RunTimeError(RunTimeError::kPathFileAccess, QStringLiteral("disk full")); };
    host.calls.clear();
    EXPECT_THROW(session.PlayNumber(QStringLiteral("Raglan"), GameNo(6)), RunTimeError);
    EXPECT_TRUE(host.calls.contains(QStringLiteral("AutoSaveGame 0")));
    EXPECT_EQ(session.GameName(), QStringLiteral("Raglan"));
    EXPECT_EQ(session.Game_Status(), cGamePlay::kInProgress) << "the new game was dealt";
}

TEST_F(GamePlayTest, AtExitTheGameIsKeptOrRecorded)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(9));
    play(5);
    shared.services.settings().write(settings::kGameSave, 1);
    session.Unload();
    EXPECT_EQ(shared.services.settings().read(settings::kUnFin), 1);
    EXPECT_TRUE(QFileInfo::exists(shared.data.UnFinFile()));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("AddScore")));

    SessionFixture other;
    other.session.PlayNumber(QStringLiteral("Klondike"), GameNo(9));
    other.session.Unload();
    EXPECT_EQ(other.shared.services.settings().read(settings::kUnFin), 0);
    EXPECT_EQ(other.host.calls.filter(QStringLiteral("AddScore")).size(), 1) << "recorded as ended";
    EXPECT_FALSE(other.host.calls.contains(QStringLiteral("AddSesGame")));
    EXPECT_EQ(other.session.Game_Status(), cGamePlay::kInProgress) << "the table is left as it is";
}

} // namespace

namespace {

// Every game that limits its redeals: a game saved after using them and
// opened again has none left, exactly as before the save.
TEST_F(GamePlayTest, AReopenedGameKeepsTheRedealsItUsed)
{
    int limited = 0;
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList()) {
        session.PlayNumber(entry.gName, GameNo(5));
        const cGames& games = shared.games;
        cPlay& play = shared.play;
        if (games.Redeals() <= 0)
            continue;
        ++limited;
        const std::string name = entry.gName.toStdString();
        // Deal the stock out and turn the waste back until no redeal is left.
        for (int clicks = 0; games.StockNum() == 2 && clicks < 1000; ++clicks) {
            if (play.GetTop(1, 0) >= 0)
                play.StockClick();
            else
                play.EmptyStockClick();
        }
        ASSERT_EQ(session.RedealsComp(), games.Redeals()) << name;
        play.StockClick();
        const QString path = file(entry.gName + QStringLiteral(".tb0"));
        shared.engine.SavetoFile(path);
        const QString before = table();

        session.PlayFile(path, false);
        EXPECT_EQ(table(), before) << name;
        EXPECT_EQ(session.RedealsComp(), games.Redeals()) << name;
        EXPECT_EQ(games.StockNum(), 1) << name << ": the stock place takes no more redeals";
        while (play.GetTop(1, 0) >= 0)
            play.StockClick();
        const int16_t waste = play.GetTop(2, 0);
        play.EmptyStockClick();
        EXPECT_EQ(play.GetTop(2, 0), waste) << name << ": no redeal after the reopening";
    }
    EXPECT_EQ(limited, 3) << "Blind Alleys, Gargantua and Steps allow one redeal";
}

} // namespace

// With the option on, a random deal is one the solver wins; where none is
// found in time, the last number drawn is dealt and the player is told.
TEST_F(GamePlayTest, RandomDealsCanBeLimitedToWinnableOnes)
{
    shared.services.settings().write(settings::kWinnableDeals, 1);
    shared.services.seedRandom(11);
    // Each number drawn is searched in a fixed number of positions; the time
    // is made long enough that a loaded machine draws the same numbers.
    session.setWinnableSearchTime(std::chrono::minutes(10));
    for (int i = 0; i < 3; ++i) {
        session.PlayRandom(QStringLiteral("Klondike"));
        solver::PlayedTable again(QStringLiteral("Klondike"), true);
        again.deal(session.gameNo());
        solver::Solver search;
        solver::Limits limits;
        limits.positions = 300'000;
        EXPECT_EQ(search.solve(again.table(), limits).verdict, solver::Verdict::Winnable)
            << session.gameNo().toString().toStdString();
    }
    EXPECT_FALSE(host.calls.join(QLatin1Char('\n')).contains(QStringLiteral("status ")));

    // No deal of this game can be proved in a millisecond: the last one
    // drawn is kept.
    int drawn = 0;
    const solver::WinnableDraw draw = solver::drawWinnable(
        QStringLiteral("Double Klondike"), [&] { return GameNo(static_cast<double>(++drawn)); }, true,
        std::chrono::milliseconds(0), 5);
    EXPECT_FALSE(draw.proven);
    EXPECT_EQ(draw.drawn, drawn);
    EXPECT_EQ(draw.number.toNumber(), drawn);
}
