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
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Deals the solver settles at once: a Klondike deal with a winning line
// (on which a fresh search after every move would lead the player round in
// a circle) and one every line of which fails.
constexpr double kWinnableDeal = 1;
constexpr double kLostDeal = 28;

// A search stopped by positions alone, so that its answer does not hang on
// the machine's speed.
solver::Limits inPositions(uint64_t positions)
{
    solver::Limits limits;
    limits.positions = positions;
    limits.time = std::chrono::milliseconds{0};
    return limits;
}

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
        openWindow();
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

    // The window, its searches stopped by positions: a first check that
    // settles the deals above, and a longer search that settles more.
    void openWindow()
    {
        window = std::make_unique<frmMain>(shared, pictures);
        window->advisor().setSearchLimits(inPositions(300'000), inPositions(1'000'000));
        QObject::connect(&window->advisor(), &PlayAdvisor::verdictShown,
                         [this](const QString& text) { verdictsShown << text; });
        window->show();
    }
    // Lets the window take in the table once a move or an undo is over.
    void lookAtTable()
    {
        ASSERT_TRUE(waitFor([&] { return !shared.services.busy && !shared.play.drag().active; }));
        QTest::qWait(10);
        window->advisor().tableChanged();
    }
    // The move hinted at, made as the player makes it; false when the table
    // refuses it.
    bool tableTakes(const solver::Move& move)
    {
        if (move.kind == solver::Move::Kind::Drag) {
            int16_t carried = -1;
            if (!shared.play.CanPickUp(move.card, carried) || carried != move.carried ||
                !shared.play.CanDrop(move.card, carried, move.toCell, move.toPile))
                return false;
        }
        return solver::playOnTable(shared.play, shared.games, shared.gamePlay, move);
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
    // Every text the status bar's verdict showed, in order.
    QStringList verdictsShown;
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

    // Undo goes back to the deal, whose answer is known: it shows at once.
    const uint64_t beforeUndo = window->advisor().searchNumber();
    verdictsShown.clear();
    window->RunCommand(QStringLiteral("Undo"));
    lookAtTable();
    EXPECT_EQ(indicator().text(), QStringLiteral("Not winnable"));
    EXPECT_EQ(window->advisor().searchNumber(), beforeUndo) << "no search for a table already settled";
    EXPECT_FALSE(window->advisor().searching());
    EXPECT_FALSE(verdictsShown.contains(QStringLiteral("Checking\u2026")));

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

    openWindow();
    deal("Klondike", kWinnableDeal);
    ASSERT_TRUE(waitFor([&] { return !indicator().isHidden() && indicator().text() == QStringLiteral("Winnable"); }));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

// An undo, a redo, or a way back to a table already searched: its answer
// shows at once, with no new search, and the hint follows the line found
// for it, a move the table takes.
TEST_F(AdvisorTest, AKnownTableShowsItsAnswerAndItsLineAtOnce)
{
    deal("Klondike", kWinnableDeal);
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() > 0 && !checking(); }));
    ASSERT_EQ(indicator().text(), QStringLiteral("Winnable"));
    askHint();
    ASSERT_TRUE(window->advisor().lastHint().has_value());
    const solver::Move first = *window->advisor().lastHint();
    const uint64_t searched = window->advisor().searchNumber();

    // Off the line: the new table is searched.
    const solver::Table dealt = solver::Table::of(shared.games, shared.play, shared.gamePlay.RedealsComp(), true);
    std::optional<solver::Move> other;
    for (const solver::Move& move : dealt.moves())
        if (!(move == first))
            other = move;
    ASSERT_TRUE(other.has_value());
    ASSERT_TRUE(tableTakes(*other));
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return !window->advisor().searching(); }));
    const uint64_t offLine = window->advisor().searchNumber();
    EXPECT_GT(offLine, searched);

    // Back to the deal: its answer and its line, without a search.
    window->RunCommand(QStringLiteral("Undo"));
    lookAtTable();
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    EXPECT_FALSE(window->advisor().searching());
    askHint();
    ASSERT_TRUE(window->advisor().lastHint().has_value());
    EXPECT_EQ(*window->advisor().lastHint(), first);
    ASSERT_TRUE(tableTakes(first)) << said().toStdString();
    lookAtTable();
    askHint();
    ASSERT_TRUE(window->advisor().lastHint().has_value());
    const solver::Move second = *window->advisor().lastHint();

    // Undo and redo along the line: each table's answer is known, and each
    // hint is the line's next move.
    window->RunCommand(QStringLiteral("Undo"));
    lookAtTable();
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    window->RunCommand(QStringLiteral("Redo"));
    lookAtTable();
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    askHint();
    ASSERT_TRUE(window->advisor().lastHint().has_value());
    EXPECT_EQ(*window->advisor().lastHint(), second);
    EXPECT_TRUE(tableTakes(second)) << said().toStdString();
    lookAtTable();
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    EXPECT_EQ(window->advisor().searchNumber(), offLine) << "every table since was known";

    // With automatic play switched over, the same cards are another table.
    shared.services.settings().write(settings::kAutoPlay, 0);
    window->RunCommand(QStringLiteral("Undo"));
    lookAtTable();
    EXPECT_EQ(window->advisor().searchNumber(), offLine + 1);
    ASSERT_TRUE(waitFor([&] { return !checking(); }));

    // Games alike in their piles deal alike, yet play apart: the same cards
    // in another game are another table.
    shared.services.settings().write(settings::kAutoPlay, 1);
    deal("Klondike", kWinnableDeal);
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return !checking(); }));
    const solver::Table klondike = solver::Table::of(shared.games, shared.play, 0, true);
    const uint64_t beforeExcel = window->advisor().searchNumber();
    deal("Excel", kWinnableDeal);
    ASSERT_TRUE(solver::Table::of(shared.games, shared.play, 0, true).sameLayout(klondike));
    lookAtTable();
    EXPECT_GT(window->advisor().searchNumber(), beforeExcel);
    ASSERT_TRUE(waitFor([&] { return !window->advisor().searching(); }));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

// A first check cut short answers "Unknown"; the longer search after it
// settles the deal while the player thinks, and the hint then follows its
// line. An answer that stays unknown is not kept: the table is searched
// again when it comes back.
TEST_F(AdvisorTest, AnUnknownIsSettledByTheLongerSearch)
{
    window->advisor().setSearchLimits(inPositions(10), inPositions(500'000));
    deal("Klondike", kWinnableDeal);
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() == 2 && !window->advisor().searching(); }));
    EXPECT_EQ(verdictsShown,
              (QStringList{QStringLiteral("Checking\u2026"), QStringLiteral("Unknown"), QStringLiteral("Winnable")}));
    for (int move = 0; move < 3; ++move) {
        askHint();
        ASSERT_TRUE(window->advisor().lastHint().has_value()) << said().toStdString();
        ASSERT_TRUE(tableTakes(*window->advisor().lastHint())) << said().toStdString();
        lookAtTable();
        EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    }
    EXPECT_EQ(window->advisor().searchNumber(), 2u) << "the line is followed without a search";

    // Neither search settles this one.
    window->advisor().setSearchLimits(inPositions(10), inPositions(10));
    deal("Klondike", 12);
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() == 4 && !window->advisor().searching(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Unknown"));
    shared.play.StockClick();
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() == 6 && !window->advisor().searching(); }));
    window->RunCommand(QStringLiteral("Undo"));
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchNumber() == 8 && !window->advisor().searching(); }))
        << "the deal is searched again";
    EXPECT_EQ(indicator().text(), QStringLiteral("Unknown"));
}

// A move while the longer search runs cancels it, and the new table is
// checked; so does a new deal, whose answer no stale one replaces. A longer
// search, on the same thread, can only start once the cancelled one has
// stopped.
TEST_F(AdvisorTest, AChangeCancelsTheLongerSearch)
{
    // Longer searches that would run for minutes.
    window->advisor().setSearchLimits(inPositions(1000), inPositions(100'000'000));
    deal("Klondike", 12);
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return window->advisor().searchingDeeper(); }));
    EXPECT_EQ(indicator().text(), QStringLiteral("Unknown"));
    const uint64_t before = window->advisor().searchNumber();

    verdictsShown.clear();
    shared.play.StockClick();
    lookAtTable();
    ASSERT_TRUE(waitFor([&] {
        return window->advisor().searchNumber() == before + 2 && window->advisor().searchingDeeper();
    })) << "the new table is checked, then searched further";
    EXPECT_EQ(verdictsShown, (QStringList{QStringLiteral("Checking\u2026"), QStringLiteral("Unknown")}));

    // A new deal settled at once: nothing is left searching.
    window->advisor().setSearchLimits(inPositions(300'000), inPositions(1000));
    deal("Klondike", kWinnableDeal);
    lookAtTable();
    ASSERT_TRUE(waitFor([&] { return !window->advisor().searching(); })) << "the longer search was not cancelled";
    EXPECT_EQ(indicator().text(), QStringLiteral("Winnable"));
    EXPECT_EQ(window->advisor().searchNumber(), before + 3);

    // The next longer search answers: the cancelled one has really stopped.
    window->advisor().setSearchLimits(inPositions(1000), inPositions(1000));
    deal("Klondike", 12);
    lookAtTable();
    ASSERT_TRUE(waitFor([&] {
        return window->advisor().searchNumber() == before + 5 && !window->advisor().searching();
    })) << "the cancelled search ran on";
    EXPECT_EQ(indicator().text(), QStringLiteral("Unknown"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

} // namespace

// The longer search's thread runs at the lowest priority; the thread that
// started it, and the first check's thread, keep theirs.
TEST(BackgroundSolverTest, TheLongerSearchRunsAtLowPriority)
{
    Shared shared;
    BackgroundSolver check(shared.services, {});
    BackgroundSolver deeper(shared.services, {}, BackgroundSolver::Priority::Low);
    solver::PlayedTable table(QStringLiteral("Klondike"), true);
    table.deal(GameNo(12.0));
    // The threads stay, waiting for the next search.
    check.start(table.table(), inPositions(1000));
    deeper.start(table.table(), inPositions(1000));

    // Each thread is named once it has set itself up.
    auto niceOf = [](const char* name) -> std::optional<int> {
        for (const QFileInfo& task :
             QDir(QStringLiteral("/proc/self/task")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(task.filePath() + QStringLiteral("/comm"));
            if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name)
                continue;
            errno = 0;
            const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(task.fileName().toInt()));
            if (errno == 0)
                return nice;
        }
        return std::nullopt;
    };
    std::optional<int> low;
    std::optional<int> normal;
    QDeadlineTimer deadline(30000);
    while (!(low && normal) && !deadline.hasExpired()) {
        low = niceOf("tablora-idle");
        normal = niceOf("tablora-solver");
        QTest::qWait(5);
    }
    ASSERT_TRUE(low.has_value() && normal.has_value());
    EXPECT_EQ(*low, 19);
    EXPECT_EQ(*normal, getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())));
    EXPECT_LT(*normal, 19);
    check.stop();
    deeper.stop();
}

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
