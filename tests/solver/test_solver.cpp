#include "engine/cPlay.h"
#include "history/cEngine.h"
#include "rules/cGames.h"
#include "rules/mKlondike.h"
#include "solver/Position.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"
#include "support/TableMoves.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <random>
#include <thread>
#include <tuple>

using solver::Move;
using solver::PlayedTable;
using solver::Verdict;

namespace {

auto key(const Move& m) { return std::tie(m.kind, m.card, m.carried, m.fromCell, m.fromPile, m.toCell, m.toPile); }

std::vector<Move> sorted(std::vector<Move> moves)
{
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) { return key(a) < key(b); });
    return moves;
}

// Lays the cards out as `piles` says (home pile i gets piles[i], first card
// lowest, face up) with stock, waste and foundations empty. Moves are made
// as the history makes them: not recorded, no automatic play.
void arrange(PlayedTable& t, const std::vector<std::vector<int16_t>>& piles)
{
    cPlay& play = t.cards();
    const cGames& games = t.games();
    auto moveTop = [&](int16_t cell, int16_t pile, int16_t toCell, int16_t toPile) {
        putOnTop(play, play.GetTopPicID(cell, pile), toCell, toPile);
    };
    // Everything to the waste first.
    for (int16_t cell : {int16_t{0}, int16_t{1}, int16_t{3}, int16_t{4}})
        for (int16_t pile = 0; pile < games.Piles(cell); ++pile)
            while (play.GetTop(cell, pile) >= 0)
                moveTop(cell, pile, 2, 0);
    // Then card by card to its place, with stock and waste holding the rest.
    for (size_t i = 0; i < piles.size(); ++i)
        for (const int16_t card : piles[i]) {
            const int16_t from = play.Cell(card);
            const int16_t other = from == 2 ? 1 : 2;
            while (play.GetTopPicID(from, 0) != card)
                moveTop(from, 0, other, 0);
            moveTop(from, 0, 0, static_cast<int16_t>(i));
        }
    ASSERT_EQ(play.GetTop(1, 0), -1);
    ASSERT_EQ(play.GetTop(2, 0), -1);
}

// The card of a suit (0 spades, 1 hearts, 2 clubs, 3 diamonds) and rank
// (0 Ace .. 12 King).
int16_t cardOf(const cPlay& play, int suit, int rank)
{
    for (int16_t j = 0; j < play.CardCount(); ++j)
        if (play.Suit(j) == suit && play.Num(j) == rank)
            return j;
    return -1;
}

std::vector<int16_t> run(const cPlay& play, int suit, int from, int to)
{
    std::vector<int16_t> cards;
    for (int rank = from; rank <= to; ++rank)
        cards.push_back(cardOf(play, suit, rank));
    return cards;
}

// Swaps the cards of home piles a and b, each card keeping its face.
void swapPiles(PlayedTable& t, int16_t a, int16_t b)
{
    cPlay& play = t.cards();
    std::vector<std::pair<int16_t, int16_t>> faces;
    for (int16_t j = 0; j < play.CardCount(); ++j)
        faces.emplace_back(j, play.FaceMode(j));
    auto moveAll = [&](int16_t fromCell, int16_t fromPile, int16_t toCell, int16_t toPile) {
        while (play.GetTop(fromCell, fromPile) >= 0)
            putOnTop(play, play.GetTopPicID(fromCell, fromPile), toCell, toPile);
    };
    // Through two spare places, so that each pile keeps its order.
    moveAll(0, a, 2, 0);
    moveAll(0, b, 4, 0);
    moveAll(2, 0, 0, b);
    moveAll(4, 0, 0, a);
    for (const auto& [card, face] : faces)
        play.ChangeFaceMode(card, face);
}

} // namespace

// Home piles count in any order where they play alike, and only there: in
// a game whose stock deals a card to each pile in turn, which pile holds
// what matters while the stock lasts.
TEST(Solver, HomePilesCountInAnyOrderOnlyWhereTheyPlayAlike)
{
    for (const char* name : {"Klondike", "Spiderette"}) {
        SCOPED_TRACE(name);
        PlayedTable t(QLatin1String(name), false);
        t.deal(GameNo(5.0));
        const solver::Table before = t.table();
        swapPiles(t, 1, 4);
        const solver::Table after = t.table();
        ASSERT_FALSE(after.sameLayout(before));
        const bool alike = after.position().hash() == before.position().hash();
        EXPECT_EQ(alike, QLatin1String(name) == QLatin1String("Klondike"));
        swapPiles(t, 1, 4);
        EXPECT_TRUE(t.table().sameLayout(before));
        EXPECT_EQ(t.table().position().hash(), before.position().hash());
    }
}

// Random play through every game. At each step the solver must see exactly
// the moves the play table takes, and whatever it plays (its own search
// moves, clicks through the stock included, or any move at random) must be
// taken by the play table and leave both tables alike.
TEST(Solver, SeesAndMakesTheMovesThePlayTableTakesInEveryGame)
{
    std::mt19937 random(20261209);
    int compared = 0;
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        for (const bool autoPlay : {false, true}) {
            SCOPED_TRACE(game.gName.toStdString() + (autoPlay ? " with automatic play" : ""));
            PlayedTable t(game.gName, autoPlay);
            t.deal(GameNo(static_cast<double>(random() % 100000 + 1)));
            solver::Table mine = t.table();
            ASSERT_FALSE(mine.unsupported());
            for (int step = 0; step < 40; ++step) {
                const std::vector<Move> expected = sorted(tableMoves(t));
                ASSERT_EQ(sorted(mine.moves()), expected) << "step " << step;
                ++compared;
                std::vector<Move> line;
                const std::vector<std::vector<Move>> lines = mine.searchLines(step % 3 == 0);
                if (step % 2 == 0 && !lines.empty())
                    line = lines[random() % lines.size()];
                else if (!expected.empty())
                    line = {expected[random() % expected.size()]};
                if (line.empty())
                    break;
                for (const Move& m : line) {
                    ASSERT_TRUE(t.play(m)) << "step " << step;
                    ASSERT_TRUE(mine.play(m)) << "step " << step;
                }
                ASSERT_TRUE(mine.sameLayout(t.table())) << "step " << step;
            }
        }
    }
    EXPECT_GT(compared, 62 * 2 * 20);
}

namespace {

// Whatever the solver calls a win is one: its line, played on the play
// table from the deal, leaves every card home. Over every other game of
// the list from `first` on (two tests, so that each stays well within the
// time a test may take under the sanitizers).
void expectWinningLinesWin(size_t first)
{
    solver::Solver search;
    int games = 0;
    int wins = 0;
    const auto& list = mKlondike::GameList();
    for (size_t g = first; g < list.size(); g += 2) {
        const mKlondike::GameListEntry& game = list[g];
        SCOPED_TRACE(game.gName.toStdString());
        bool won = false;
        for (int number = 1; number <= 3; ++number) {
            const bool autoPlay = number != 2;
            PlayedTable t(game.gName, autoPlay);
            t.deal(GameNo(static_cast<double>(number)));
            // The lines as the search found them; the shortened ones are
            // played through by the property tests.
            solver::Limits limits;
            limits.positions = 20000;
            limits.shorten = false;
            const solver::Result r = search.solve(t.table(), limits);
            if (r.verdict != Verdict::Winnable)
                continue;
            // Every table on the way can be won, so none may be called
            // lost: some 20 of them checked along the line, and more near
            // its end.
            const size_t every = std::max<size_t>(30, r.moves.size() / 20);
            for (size_t i = 0; i < r.moves.size(); ++i) {
                if (number <= 2 && (i % every == 10 || (i + 40 > r.moves.size() && i % 8 == 0))) {
                    solver::Limits few;
                    few.positions = 5000;
                    few.shorten = false;
                    ASSERT_NE(search.solve(t.table(), few).verdict, Verdict::NotWinnable) << "move " << i;
                }
                ASSERT_TRUE(t.play(r.moves[i])) << "deal " << number << ", move " << i;
            }
            ASSERT_TRUE(t.won()) << "deal " << number;
            ASSERT_EQ(r.bestMove, r.moves.front());
            won = true;
            ++wins;
        }
        games += won ? 1 : 0;
    }
    // Most games give up a win in a few deals on a small budget.
    EXPECT_GE(games, 20);
    EXPECT_GE(wins, 45);
}

} // namespace

TEST(Solver, EveryWinningLineWinsOnThePlayTableInHalfTheGames) { expectWinningLinesWin(0); }

TEST(Solver, EveryWinningLineWinsOnThePlayTableInTheOtherHalf) { expectWinningLinesWin(1); }

// With automatic play, a table where a card of the stock or waste can go
// home is no longer one sequence of talon cards: a card deep in the stock
// is played with the clicks that bring it up in one step, or each click
// would be a position of its own. Klondike deal 63 is won so in a few tens
// of thousands of positions (click by click it took millions), and its line,
// clicks and all, wins on the play table.
TEST(Solver, WithAutomaticPlayACardDeepInTheStockIsPlayedInOneStep)
{
    PlayedTable t(QStringLiteral("Klondike"), true);
    t.deal(GameNo(63));
    solver::Solver search;
    solver::Limits limits;
    limits.positions = 200'000;
    limits.shorten = false;
    const solver::Result r = search.solve(t.table(), limits);
    ASSERT_EQ(r.verdict, Verdict::Winnable) << r.positions << " positions";
    const auto clicks =
        std::count_if(r.moves.begin(), r.moves.end(), [](const Move& m) { return m.kind != Move::Kind::Drag; });
    EXPECT_GT(clicks, 20);
    for (size_t i = 0; i < r.moves.size(); ++i)
        ASSERT_TRUE(t.play(r.moves[i])) << "move " << i;
    EXPECT_TRUE(t.won());
}

// A winning line played as a player plays it, each card picked up and
// dropped on its pile through the table's one entry for a player's move,
// wins the deal with the same history as the line played out by the solver.
TEST(Solver, AWinningLineDroppedCardByCardWinsWithTheSameHistory)
{
    solver::Solver search;
    int played = 0;
    // The first few games of the catalogue that give up a win on a small
    // budget.
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        if (played == 4)
            break;
        const QString& name = game.gName;
        SCOPED_TRACE(name.toStdString());
        for (int number = 1; number <= 3; ++number) {
            PlayedTable line(name, true);
            line.deal(GameNo(static_cast<double>(number)));
            solver::Limits limits;
            limits.positions = 20000;
            const solver::Result r = search.solve(line.table(), limits);
            if (r.verdict != Verdict::Winnable)
                continue;
            PlayedTable dropped(name, true);
            dropped.deal(GameNo(static_cast<double>(number)));
            cPlay& play = dropped.cards();
            for (size_t i = 0; i < r.moves.size(); ++i) {
                const Move& m = r.moves[i];
                ASSERT_TRUE(line.play(m)) << "move " << i;
                if (m.kind != Move::Kind::Drag) {
                    ASSERT_TRUE(dropped.play(m)) << "move " << i;
                    continue;
                }
                play.MouseDown(m.card, 500, 700);
                ASSERT_TRUE(play.drag().active) << "move " << i;
                ASSERT_EQ(play.drag().k, m.carried) << "move " << i;
                ASSERT_TRUE(play.DropOn(m.toCell, m.toPile)) << "move " << i;
            }
            EXPECT_TRUE(line.won());
            EXPECT_TRUE(dropped.won()) << "deal " << number;
            const cEngine& a = line.history();
            const cEngine& b = dropped.history();
            ASSERT_EQ(a.GetTransTop(), b.GetTransTop());
            for (int16_t i = 1; i <= a.GetTransTop(); ++i)
                ASSERT_EQ(std::tie(a.Record(i).PicID, a.Record(i).DCell, a.Record(i).DPile, a.Record(i).DPos,
                                   a.Record(i).mCards, a.Record(i).tMod),
                          std::tie(b.Record(i).PicID, b.Record(i).DCell, b.Record(i).DPile, b.Record(i).DPos,
                                   b.Record(i).mCards, b.Record(i).tMod))
                    << "record " << i;
            ++played;
            break;
        }
    }
    EXPECT_EQ(played, 4) << "winnable deals found on the budget";
}

TEST(Solver, TableInSequenceIsWonInOneMovePerCard)
{
    PlayedTable t(QStringLiteral("Klondike"), false);
    t.deal(GameNo(7.0));
    const cPlay& play = t.cards();
    // Each suit King to Ace, the Ace on top.
    std::vector<std::vector<int16_t>> piles;
    for (int suit = 0; suit < 4; ++suit) {
        std::vector<int16_t> pile = run(play, suit, 0, 12);
        std::reverse(pile.begin(), pile.end());
        piles.push_back(pile);
    }
    arrange(t, piles);
    solver::Solver search;
    const solver::Result r = search.solve(t.table(), solver::Limits{});
    ASSERT_EQ(r.verdict, Verdict::Winnable);
    ASSERT_EQ(r.moves.size(), 52u);
    for (const Move& m : r.moves)
        EXPECT_EQ(m.toCell, 3);
    for (const Move& m : r.moves)
        ASSERT_TRUE(t.play(m));
    EXPECT_TRUE(t.won());

    // With automatic play the first card sets all the others off.
    PlayedTable a(QStringLiteral("Klondike"), true);
    a.deal(GameNo(7.0));
    arrange(a, piles);
    const solver::Result r2 = search.solve(a.table(), solver::Limits{});
    ASSERT_EQ(r2.verdict, Verdict::Winnable);
    EXPECT_EQ(r2.moves.size(), 1u);
}

TEST(Solver, StuckTableCannotBeWonAndHasNoMoveToHint)
{
    PlayedTable t(QStringLiteral("Klondike"), false);
    t.deal(GameNo(7.0));
    const cPlay& play = t.cards();
    // Aces at the bottom under their own suits, no empty pile, and no top
    // card that builds on another.
    arrange(t, {run(play, 0, 0, 12), run(play, 1, 0, 12), run(play, 2, 0, 12), run(play, 3, 0, 5), run(play, 3, 6, 8),
                run(play, 3, 9, 10), run(play, 3, 11, 12)});
    solver::Solver search;
    const solver::Result r = search.solve(t.table(), solver::Limits{});
    EXPECT_EQ(r.verdict, Verdict::NotWinnable);
    EXPECT_TRUE(r.moves.empty());
    EXPECT_FALSE(r.bestMove.has_value());

    // One card out of place is enough to free everything: the Ace of
    // spades on top of the Queen of diamonds.
    std::vector<int16_t> spades = run(play, 0, 1, 12);
    std::vector<int16_t> diamonds = run(play, 3, 11, 12);
    diamonds.push_back(cardOf(play, 0, 0));
    arrange(t, {spades, run(play, 1, 0, 12), run(play, 2, 0, 12), run(play, 3, 0, 5), run(play, 3, 6, 8),
                run(play, 3, 9, 10), diamonds});
    const solver::Result r2 = search.solve(t.table(), solver::Limits{});
    EXPECT_NE(r2.verdict, Verdict::Winnable);
    ASSERT_TRUE(r2.bestMove.has_value());
    EXPECT_EQ(r2.bestMove->card, cardOf(play, 0, 0));
    EXPECT_EQ(r2.bestMove->toCell, 3);
}

// A deal no search of this size settles (Spiderette 1 is still open after
// two million positions): cancelled from another thread, the search stops
// at its next look at the flag and answers "unknown".
TEST(Solver, StopsWhenCancelledFromAnotherThreadOrOutOfBudget)
{
    PlayedTable t(QStringLiteral("Spiderette"), true);
    t.deal(GameNo(1.0));
    const solver::Table table = t.table();
    std::atomic<bool> cancel{true};
    solver::Result result;
    std::thread worker([&] {
        solver::Solver search;
        solver::Limits limits;
        limits.positions = 3'000'000;
        limits.cancel = &cancel;
        result = search.solve(table, limits);
    });
    worker.join();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.verdict, Verdict::Unknown);
    EXPECT_LE(result.positions, 4096u * 2);
    EXPECT_TRUE(result.bestMove.has_value());

    solver::Solver search;
    solver::Limits small;
    small.positions = 50;
    const solver::Result r = search.solve(table, small);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_FALSE(r.cancelled);
    EXPECT_LE(r.positions, 50u);
    EXPECT_FALSE(r.memoryFull);
    ASSERT_TRUE(r.bestMove.has_value());

    // The memory is looked at every few thousand positions; full, the
    // search stops and says so.
    solver::Limits tight;
    tight.memory = uint64_t{1} << 20;
    const solver::Result full = search.solve(table, tight);
    EXPECT_EQ(full.verdict, Verdict::Unknown);
    EXPECT_TRUE(full.memoryFull);
    EXPECT_LE(full.positions, 4096u * 2);
}
