#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "solver/SolutionPlay.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/MainMenus.h"
#include "windows/frmMain.h"
#include "windows/table/BackgroundSolver.h"
#include "windows/table/PlayAdvisor.h"
#include "windows/table/TableView.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Deals the solver settles at once: a Klondike deal with a winning line
// (on which a fresh search after every move would lead the player round in
// a circle) and one every line of which fails.
constexpr double kWinnableDeal = 1;
constexpr double kLostDeal = 28;

// How a player names a card: "7♥".
QString nameOf(const cPlay& play, int16_t card)
{
    const QStringList ranks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const QString suits = QStringLiteral("\u2660\u2665\u2663\u2666");
    return ranks.at(play.Num(card)) + suits.at(play.Suit(card));
}

// The real main window, offscreen, its questions answered by a script.
class AdvisorTest : public ::testing::Test {
protected:
    AdvisorTest()
    {
        shared.services.setPrompts(&prompts);
        window = std::make_unique<frmMain>(shared, pictures);
        window->show();
        // The game-end dialog, when a test wins, is closed as it comes up.
        closer.setInterval(20);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (modal->objectName() == QLatin1String("frmFinish"))
                    verdictsAtEnd << indicator().text();
                modal->close();
            }
        });
        closer.start();
    }
    ~AdvisorTest() override
    {
        closer.stop();
        window.reset();
        shared.services.setPrompts(nullptr);
    }

    // Lets the window work until `done` holds; false when it never did.
    static bool waitFor(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(30000);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(5);
        }
        return true;
    }
    void deal(const char* game, double number)
    {
        shared.gamePlay.PlayNumber(QLatin1String(game), GameNo(number));
        ASSERT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
    }
    QLabel& indicator() const { return *window->findChild<QLabel*>(QStringLiteral("lblWinnable")); }
    bool checking() const { return indicator().text() == PlayAdvisor::kChecking; }
    QString said() const { return window->statusBar()->currentMessage(); }
    // Presses Hint and waits for its answer.
    void askHint()
    {
        const int given = window->advisor().hintsGiven();
        window->RunCommand(QStringLiteral("Hint"));
        ASSERT_TRUE(waitFor([&] { return window->advisor().hintsGiven() > given; }));
    }
    // The middle of a card as the table shows it, in twips.
    QPointF middleOf(int16_t card) const { return window->table().shownPosition(card) + QPointF(530, 720); }

    TempHome home;
    Shared shared;
    CardPictures pictures;
    FakePrompts prompts;
    std::unique_ptr<frmMain> window;
    QTimer closer;
    // What the status bar said while the game-end dialog was up.
    QStringList verdictsAtEnd;
};

// A whole deal played by following the hints: each one frames a card the
// play table lets the player pick up and a pile that takes it, says so in
// the status bar, and the game ends won.
TEST_F(AdvisorTest, FollowingTheHintsWinsTheDeal)
{
    QAction* command = window->menus().item(QStringLiteral("mGame"), 13);
    ASSERT_EQ(command->data().toString(), QStringLiteral("Hint"));
    window->menus().refreshCommandStates(false);
    EXPECT_FALSE(command->isEnabled()) << "no game, no hint";
    EXPECT_FALSE(window->menus().button(QStringLiteral("Hint"))->isEnabled());

    deal("Klondike", kWinnableDeal);
    window->menus().refreshCommandStates(false);
    EXPECT_TRUE(command->isEnabled());
    EXPECT_TRUE(window->menus().button(QStringLiteral("Hint"))->isEnabled());

    // The first hint by its key.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_H);
    ASSERT_TRUE(waitFor([&] { return window->advisor().hintsGiven() == 1; }));

    cPlay& play = shared.play;
    const cGames& games = shared.games;
    int played = 0;
    int drags = 0;
    int deals = 0;
    while (play.GoalCards() < play.CardCount()) {
        ASSERT_LT(played, 500) << "the hints go round in a circle";
        if (played > 0)
            askHint();
        SCOPED_TRACE(played);
        const std::optional<solver::Move> hint = window->advisor().lastHint();
        ASSERT_TRUE(hint.has_value()) << said().toStdString();
        const QList<QRectF> frames = window->table().hintFrames();
        if (hint->kind == solver::Move::Kind::Drag) {
            ++drags;
            int16_t carried = -1;
            ASSERT_TRUE(play.CanPickUp(hint->card, carried));
            EXPECT_EQ(carried, hint->carried);
            ASSERT_TRUE(play.CanDrop(hint->card, carried, hint->toCell, hint->toPile));
            ASSERT_EQ(frames.size(), 2);
            // The card and the cards on it are framed, and the place they go.
            const int16_t from = play.Cell(hint->card);
            const int16_t pile = play.Pile(hint->card);
            for (int16_t pos = play.Pos(hint->card); pos <= play.GetTop(from, pile); ++pos)
                EXPECT_TRUE(frames[0].contains(middleOf(play.GetPicID(from, pile, pos))));
            const int16_t top = play.GetTop(hint->toCell, hint->toPile);
            const QPointF place = top >= 0 ? middleOf(play.GetTopPicID(hint->toCell, hint->toPile))
                                           : QPointF(games.GetCordX(hint->toCell, hint->toPile, 0) + 530,
                                                     games.GetCordY(hint->toCell, hint->toPile, 0) + 720);
            EXPECT_TRUE(frames[1].contains(place));
            EXPECT_FALSE(frames[1].contains(middleOf(hint->card)));
            EXPECT_TRUE(said().startsWith(QStringLiteral("Hint: move ") + nameOf(play, hint->card)))
                << said().toStdString();
            if (hint->toCell == 3) {
                EXPECT_TRUE(said().endsWith(QStringLiteral(" to a foundation"))) << said().toStdString();
            } else if (top >= 0) {
                const QString under = nameOf(play, play.GetTopPicID(hint->toCell, hint->toPile));
                EXPECT_TRUE(said().endsWith(QStringLiteral(" onto ") + under)) << said().toStdString();
            }
        } else {
            ++deals;
            // A click on the stock: its place is framed.
            ASSERT_EQ(frames.size(), 1);
            EXPECT_TRUE(frames[0].contains(QPointF(games.GetCordX(1, 0, 0) + 530, games.GetCordY(1, 0, 0) + 720)));
            EXPECT_EQ(said(), hint->kind == solver::Move::Kind::Deal
                                  ? QStringLiteral("Hint: deal from the stock")
                                  : QStringLiteral("Hint: turn the waste back into the stock"));
        }
        ASSERT_TRUE(solver::playOnTable(play, games, shared.gamePlay, *hint));
        EXPECT_TRUE(window->table().hintFrames().isEmpty()) << "the hint goes with the move";
        ++played;
    }
    EXPECT_GT(drags, 20);
    EXPECT_GT(deals, 5);
    // The game ends won, and the status bar says so rather than that it
    // can be won.
    ASSERT_TRUE(waitFor([&] { return !verdictsAtEnd.isEmpty(); }));
    EXPECT_EQ(verdictsAtEnd, QStringList{QStringLiteral("Won")});
    EXPECT_TRUE(waitFor([&] { return indicator().isHidden(); })) << "no verdict once the table is cleared";
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

// The solver's first look at a deal waits for the window's first frame, so
// as not to take a core from drawing it; then it comes by itself.
TEST_F(AdvisorTest, TheFirstSearchWaitsForTheFirstFrame)
{
    struct FirstPaint final : QObject {
        std::function<void()> seen;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && seen)
                std::exchange(seen, {})();
            return false;
        }
    } firstPaint;
    const uint64_t before = window->advisor().searchNumber();
    std::optional<uint64_t> atFirstPaint;
    firstPaint.seen = [&] { atFirstPaint = window->advisor().searchNumber(); };
    window->table().viewport()->installEventFilter(&firstPaint);
    // Dealt before the window has had a chance to draw itself.
    deal("Klondike", kWinnableDeal);
    ASSERT_TRUE(waitFor([&] { return atFirstPaint.has_value() && window->advisor().searchNumber() != before; }));
    EXPECT_EQ(*atFirstPaint, before) << "no search before the first frame";
    ASSERT_TRUE(waitFor([&] { return !checking(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    window->table().viewport()->removeEventFilter(&firstPaint);
}

// The status bar says whether the deal can still be won: while it is
// worked out, then the answer, again after each change, and nothing
// without a game.
TEST_F(AdvisorTest, TheIndicatorTellsWhetherTheDealCanStillBeWon)
{
    EXPECT_TRUE(indicator().isHidden()) << "no game on the table";

    deal("Klondike", kWinnableDeal);
    // At once, rather than when the window gets to it.
    window->advisor().tableChanged();
    EXPECT_FALSE(indicator().isHidden());
    EXPECT_EQ(indicator().text(), QStringLiteral("Checking\u2026"));
    ASSERT_TRUE(waitFor([&] { return !checking(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    EXPECT_TRUE(indicator().isVisibleTo(window.get()));

    // A deal that cannot be won, found out by itself: the window learns of
    // the new deal from the table.
    const uint64_t before = window->advisor().searchNumber();
    deal("Klondike", kLostDeal);
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() > before && !checking(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Not winnable"));

    // A passing remark covers the figures for a while, never the answer.
    window->showStatusMessage(QStringLiteral("Dealt after 3 tries"));
    EXPECT_EQ(said(), QStringLiteral("Dealt after 3 tries"));
    EXPECT_TRUE(indicator().isVisibleTo(window.get()));

    // A click on the stock is a change like any other.
    const uint64_t beforeClick = window->advisor().searchNumber();
    shared.play.StockClick();
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() > beforeClick && !checking(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Not winnable"));

    // Undo goes back to the deal: checked again, still lost.
    const uint64_t beforeUndo = window->advisor().searchNumber();
    window->RunCommand(QStringLiteral("Undo"));
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() > beforeUndo && !checking(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Not winnable"));

    window->RunCommand(QStringLiteral("Close"));
    ASSERT_TRUE(waitFor([&] { return indicator().isHidden(); }));
    EXPECT_FALSE(window->advisor().searching());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

// A table on which nothing can be played: the hint says so, in the status
// bar or, with the status bar hidden, in a message.
TEST_F(AdvisorTest, WithNoMoveLeftTheHintSaysSo)
{
    // Every card dealt, and none goes anywhere.
    deal("Canister", 6);
    ASSERT_FALSE(RandomPlayer(shared, 1).step());
    askHint();
    EXPECT_FALSE(window->advisor().lastHint().has_value());
    EXPECT_EQ(said(), QStringLiteral("No moves left."));
    EXPECT_TRUE(window->table().hintFrames().isEmpty());
    EXPECT_EQ(indicator().text(), QStringLiteral("Not winnable"));
    EXPECT_TRUE(prompts.messages.isEmpty());

    shared.services.settings().write(settings::kShowStatusBar, 0);
    askHint();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("No moves left.")});
}

// The window closes in the middle of a search without waiting for its
// budget to run out, and the session goes on for a window opened after it.
TEST_F(AdvisorTest, ClosingTheWindowCancelsTheSearch)
{
    // A deal the search spends its whole budget on.
    deal("Klondike", 12);
    window->advisor().tableChanged();
    ASSERT_TRUE(window->advisor().searching());
    window->close();
    window.reset();
    QTest::qWait(20);

    window = std::make_unique<frmMain>(shared, pictures);
    window->show();
    deal("Klondike", kWinnableDeal);
    ASSERT_TRUE(waitFor([&] { return !indicator().isHidden() && indicator().text() == QStringLiteral("Winnable"); }));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

} // namespace

// A search started after another makes the first one's answer stale: only
// the latest table's answer comes back, however the two searches end.
TEST(BackgroundSolverTest, OnlyTheLatestSearchIsAnswered)
{
    Shared shared;
    std::vector<uint64_t> answered;
    solver::Result last;
    BackgroundSolver searches(shared.services, [&](uint64_t number, const solver::Result& r) {
        answered.push_back(number);
        last = r;
    });
    solver::PlayedTable slow(QStringLiteral("Spiderette"), true);
    slow.deal(GameNo(1.0));
    solver::PlayedTable quick(QStringLiteral("Klondike"), true);
    quick.deal(GameNo(kWinnableDeal));
    solver::Limits limits;
    limits.positions = 2'000'000;
    searches.start(slow.table(), limits);
    // Long enough for the worker to take the first search up, so that it
    // is cut short and answers.
    QTest::qWait(100);
    const uint64_t latest = searches.start(quick.table(), limits);
    QTRY_VERIFY_WITH_TIMEOUT(!searches.searching(), 30000);
    // Time for a stray answer to the first search to arrive, were it sent.
    QTest::qWait(200);
    ASSERT_EQ(answered, std::vector<uint64_t>{latest});
    EXPECT_EQ(last.verdict, solver::Verdict::Winnable);
}
