// What the complete search leaves out must never lose a win: over tables of
// every game reached by random play, a plain exhaustive search over the
// moves the complete search is offered gives the same verdict with the
// cards waiting (a card put down from the talon or a foundation waits for
// what it was put there for) and the cards that can go home for good sent
// there alone, as without either, wherever both settle.

#include "engine/cPlay.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"
#include "rules/mKlondike.h"
#include "solver/Position.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"
#include "support/TableMoves.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>

using solver::Move;
using solver::PlayedTable;
using solver::Position;
using solver::Step;

namespace {

std::string keyOf(const Position& p)
{
    std::vector<uint8_t> key;
    p.key(key);
    return {key.begin(), key.end()};
}

enum class Settled { Won, Lost, Unknown };

struct Exhausted {
    Settled verdict = Settled::Unknown;
    uint64_t positions = 0;
    // Positions where a card waited.
    uint64_t waited = 0;
};

// Depth first through every move searchSteps() offers, each key once,
// until a win, the end, or the budget; without the waiting cards, also
// without a card that can go home for good being the one move offered.
Exhausted exhaust(const Position& root, bool deferring, uint64_t budget)
{
    struct Frame {
        std::vector<Step> steps;
        size_t next = 0;
        size_t mark = 0;
    };
    Exhausted out;
    Position pos = root;
    pos.forget();
    pos.setDeferring(deferring);
    pos.setForcing(deferring);
    std::set<std::string> seen{keyOf(pos)};
    std::vector<Frame> frames(1);
    pos.searchSteps(frames.back().steps, false);
    while (!frames.empty()) {
        Frame& f = frames.back();
        if (f.next == f.steps.size()) {
            pos.undo(f.mark);
            frames.pop_back();
            continue;
        }
        const Step s = f.steps[f.next++];
        const size_t mark = pos.make(s);
        if (pos.won()) {
            out.verdict = Settled::Won;
            return out;
        }
        if (!seen.insert(keyOf(pos)).second) {
            pos.undo(mark);
            continue;
        }
        out.waited += pos.waitingPile() != 0 ? 1 : 0;
        if (++out.positions >= budget)
            return out;
        Frame next;
        next.mark = mark;
        pos.searchSteps(next.steps, false);
        frames.push_back(std::move(next));
    }
    out.verdict = Settled::Lost;
    return out;
}

// What one run of the check below found.
struct WaitingCheck {
    int compared = 0, lost = 0, won = 0, withWaiting = 0, smaller = 0, solverLost = 0;
    // The same tables with automatic play on, gone through and solved.
    int autoCompared = 0, autoLost = 0;
};

// The games of one check: Klondike alone, or every other one of the rest.
// The games other than Klondike in four parts, by their place in the list.
enum class Games { Klondike, Others0, Others1, Others2, Others3 };

// Tables from random play in `games` (no Spider game): each searched
// through without and with the waiting cards, and by the solver.
WaitingCheck checkWaiting(Games games, uint32_t seed)
{
    std::mt19937 random(seed);
    WaitingCheck c;
    solver::Solver search;
    const auto& list = mKlondike::GameList();
    for (size_t g = 0; g < list.size(); ++g) {
        const mKlondike::GameListEntry& game = list[g];
        const bool klondike = game.gName == QLatin1String("Klondike");
        if (klondike != (games == Games::Klondike) ||
            (!klondike && static_cast<int>(g % 4) != static_cast<int>(games) - static_cast<int>(Games::Others0)))
            continue;
        PlayedTable t(game.gName, false);
        if (t.games().spiderRules())
            continue;
        // Klondike, where the talon's cards wait, more than the others.
        const int deals = klondike ? 40 : 2;
        for (int d = 0; d < deals; ++d) {
            const double number = static_cast<double>(random() % 1000000 + 1);
            SCOPED_TRACE(game.gName.toStdString() + " deal " + std::to_string(static_cast<long>(number)));
            t.deal(GameNo(number));
            // Random play that sends cards home whenever it can, so that
            // the tables become small enough to be gone through.
            for (int i = 1; i <= 90; ++i) {
                const std::vector<std::vector<Move>> lines = t.table().searchLines(false);
                if (lines.empty() || t.won())
                    break;
                const std::vector<Move>& line = random() % 3 != 0 ? lines.front() : lines[random() % lines.size()];
                for (const Move& m : line)
                    if (!t.play(m)) {
                        ADD_FAILURE() << "the table refused a move it offered";
                        return c;
                    }
                if (i % 15 != 0)
                    continue;
                const solver::Table table = t.table();
                if (table.unsupported() || table.won())
                    continue;
                constexpr uint64_t kBudget = 6000;
                // The solver never contradicts a search that went through
                // everything.
                auto solverAgrees = [&](const solver::Table& of, Settled settled, const char* how) {
                    solver::Limits limits;
                    limits.positions = 20000;
                    limits.shorten = false;
                    const solver::Verdict v = search.solve(of, limits).verdict;
                    EXPECT_NE(v, settled == Settled::Won ? solver::Verdict::NotWinnable : solver::Verdict::Winnable)
                        << "after " << i << " moves" << how;
                    return v;
                };
                const Exhausted plain = exhaust(table.position(), false, kBudget);
                if (plain.verdict != Settled::Unknown) {
                    // The solver also passes over positions whose cards
                    // were seen with nothing waiting.
                    const solver::Verdict v = solverAgrees(table, plain.verdict, "");
                    c.solverLost += v == solver::Verdict::NotWinnable ? 1 : 0;
                }
                // With automatic play on, where the solver also looks for
                // the loss with it off.
                const solver::Table on = solver::Table::of(t.games(), t.cards(), t.redealsMade(), true);
                if (!on.unsupported() && !on.won()) {
                    const Exhausted plainOn = exhaust(on.position(), false, kBudget);
                    if (plainOn.verdict != Settled::Unknown) {
                        solverAgrees(on, plainOn.verdict, ", with automatic play");
                        ++c.autoCompared;
                        c.autoLost += plainOn.verdict == Settled::Lost ? 1 : 0;
                    }
                }
                const Exhausted waiting = exhaust(table.position(), true, kBudget);
                c.withWaiting += waiting.waited > 0 ? 1 : 0;
                if (plain.verdict == Settled::Unknown || waiting.verdict == Settled::Unknown)
                    continue;
                EXPECT_EQ(plain.verdict, waiting.verdict)
                    << "after " << i << " moves, " << plain.positions << " positions without waiting, "
                    << waiting.positions << " with";
                ++c.compared;
                (plain.verdict == Settled::Won ? c.won : c.lost) += 1;
                c.smaller += plain.verdict == Settled::Lost && waiting.positions < plain.positions ? 1 : 0;
            }
        }
    }
    std::printf("compared %d (won %d, lost %d), cards waited in %d, smaller %d, solver lost %d; with automatic play "
                "%d (lost %d)\n",
                c.compared, c.won, c.lost, c.withWaiting, c.smaller, c.solverLost, c.autoCompared, c.autoLost);
    return c;
}

} // namespace

// The check bites: many tables settled both ways, lost ones among them,
// and what waits cuts most searches of a lost table down (the runs split
// off their sequence for nothing above all). (Five tests, so that each
// stays well within the time a test may take under the sanitizers.)
TEST(SolverReductions, CardsWaitingLoseNoWinInKlondike)
{
    const WaitingCheck c = checkWaiting(Games::Klondike, 9101);
    EXPECT_GT(c.compared, 150);
    EXPECT_GT(c.lost, 60);
    EXPECT_GT(c.won, 80);
    EXPECT_GT(c.withWaiting, 60);
    EXPECT_GT(c.smaller, 60);
    EXPECT_GT(c.solverLost, 60);
    EXPECT_GT(c.autoCompared, 150);
    EXPECT_GT(c.autoLost, 80);
}

// A quarter of the games other than Klondike, two deals each.
void expectQuarterChecked(const WaitingCheck& c)
{
    EXPECT_GT(c.compared, 50);
    EXPECT_GT(c.lost, 20);
    EXPECT_GT(c.won, 25);
    EXPECT_GT(c.solverLost, 20);
    EXPECT_GT(c.autoCompared, 40);
    EXPECT_GT(c.autoLost, 25);
}

TEST(SolverReductions, CardsWaitingLoseNoWinInTheFirstQuarterOfTheOtherGames)
{
    expectQuarterChecked(checkWaiting(Games::Others0, 9102));
}

TEST(SolverReductions, CardsWaitingLoseNoWinInTheSecondQuarter)
{
    expectQuarterChecked(checkWaiting(Games::Others1, 9103));
}

TEST(SolverReductions, CardsWaitingLoseNoWinInTheThirdQuarter)
{
    expectQuarterChecked(checkWaiting(Games::Others2, 9104));
}

TEST(SolverReductions, CardsWaitingLoseNoWinInTheFourthQuarter)
{
    expectQuarterChecked(checkWaiting(Games::Others3, 9105));
}

// Made and taken back, a step of the complete search leaves the position
// as it was, whether a card waited before it, after it or both: the cards,
// the key and the steps offered.
TEST(SolverReductions, WaitingIsTakenBackWithTheStep)
{
    std::mt19937 random(9102);
    int checked = 0, waitedAfter = 0, waitedBefore = 0;
    for (const char* name : {"Klondike", "Double Klondike", "Whitehead", "Klondike Freecell", "Athena"}) {
        PlayedTable t(QLatin1String(name), false);
        for (int d = 0; d < 12; ++d) {
            t.deal(GameNo(static_cast<double>(random() % 1000000 + 1)));
            Position pos = t.table().position();
            ASSERT_FALSE(pos.rules().unsupported) << name;
            pos.forget();
            pos.setDeferring(true);
            for (int i = 0; i < 300; ++i) {
                std::vector<Step> steps;
                pos.searchSteps(steps, false);
                if (steps.empty() || pos.won())
                    break;
                const Position before = pos;
                const std::string key = keyOf(pos);
                for (const Step& s : steps) {
                    const size_t mark = pos.make(s);
                    waitedAfter += pos.waitingPile() != 0 ? 1 : 0;
                    waitedBefore += before.waitingPile() != 0 ? 1 : 0;
                    pos.undo(mark);
                    ASSERT_TRUE(pos.sameLayout(before)) << name;
                    ASSERT_EQ(pos.waitingPile(), before.waitingPile()) << name;
                    ASSERT_EQ(keyOf(pos), key) << name;
                    std::vector<Step> again;
                    pos.searchSteps(again, false);
                    ASSERT_EQ(again.size(), steps.size()) << name;
                    ++checked;
                }
                pos.make(steps[random() % steps.size()]);
            }
        }
    }
    EXPECT_GT(checked, 5000);
    EXPECT_GT(waitedAfter, 500);
    EXPECT_GT(waitedBefore, 100);
}

// A table read part-way through may have a card of the stock face up or
// one of the waste face down. A talon card played past such a card makes
// what the play table makes, and taken back leaves every card lying as it
// lay, whichever way up.
TEST(SolverReductions, TalonCardsPlayedPastCardsTheOtherWayUpComeBackAsTheyLay)
{
    PlayedTable t(QStringLiteral("Klondike"), false);
    auto layOut = [&](int number) {
        t.deal(GameNo(static_cast<double>(number)));
        cPlay& play = t.cards();
        // Waste from the bottom: two face up, one face down, four face up;
        // on odd deals also the stock's top card face up.
        for (int i = 0; i < 2; ++i)
            putOnTop(play, play.GetTopPicID(1, 0), 2, 0, cPlay::kFaceUp);
        putOnTop(play, play.GetTopPicID(1, 0), 2, 0, cPlay::kFaceDown);
        for (int i = 0; i < 4; ++i)
            putOnTop(play, play.GetTopPicID(1, 0), 2, 0, cPlay::kFaceUp);
        if (number % 2 == 1) {
            putOnTop(play, play.GetTopPicID(1, 0), 2, 0, cPlay::kFaceUp);
            putOnTop(play, play.GetTopPicID(2, 0), 1, 0, cPlay::kFaceUp);
        }
    };
    int below = 0, beyond = 0;
    for (int number = 1; number <= 40; ++number) {
        layOut(number);
        Position base = t.table().position();
        base.forget();
        // Every talon card's steps, not only an Ace's going home alone.
        base.setForcing(false);
        const int w = base.length(base.rules().waste);
        std::vector<Step> steps;
        base.searchSteps(steps, false);
        for (const Step& s : steps) {
            if (s.kind != Step::Talon)
                continue;
            SCOPED_TRACE("deal " + std::to_string(number) + ", talon card " + std::to_string(s.from));
            // Past the waste's face-down card, or past the stock's face-up
            // top.
            below += s.from > 2 && s.from < w - 1 ? 1 : 0;
            beyond += number % 2 == 1 && s.from > w ? 1 : 0;
            Position p = base;
            const size_t mark = p.make(s);
            std::vector<Move> moves;
            base.appendMoves(s, moves);
            for (const Move& m : moves)
                ASSERT_TRUE(t.play(m));
            ASSERT_TRUE(p.sameLayout(t.table().position())) << "the step makes another table than the play table";
            p.undo(mark);
            ASSERT_TRUE(p.sameLayout(base));
            layOut(number);
        }
    }
    EXPECT_GT(below, 10);
    EXPECT_GT(beyond, 10);
}

// Of empty home piles that play alike only the first takes cards in the
// complete search. Where the stock still deals a card onto every pile they
// do not play alike (each is dealt other cards later), and each empty one
// is offered what the others are; once the stock is dealt out, only one is.
TEST(SolverReductions, EmptyPilesTheStockStillDealsOntoAreEachOffered)
{
    int games = 0, whileDealing = 0, dealtOut = 0;
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        PlayedTable t(game.gName, false);
        if (t.games().spiderRules() || t.games().StockMove() != StockMove::DealToHome)
            continue;
        SCOPED_TRACE(game.gName.toStdString());
        ++games;
        for (int number = 1; number <= 8; ++number) {
            t.deal(GameNo(static_cast<double>(number)));
            cPlay& play = t.cards();
            auto moveAll = [&](int16_t fromCell, int16_t fromPile, int16_t toCell, int16_t toPile, int16_t face) {
                while (play.GetTop(fromCell, fromPile) >= 0)
                    putOnTop(play, play.GetTopPicID(fromCell, fromPile), toCell, toPile, face);
            };
            // The first two home piles emptied into the stock.
            moveAll(0, 0, 1, 0, cPlay::kFaceDown);
            moveAll(0, 1, 1, 0, cPlay::kFaceDown);
            // The moves onto each of the two, by where they come from.
            auto offered = [&]() {
                Position pos = t.table().position();
                pos.forget();
                pos.setDeferring(true);
                const int a = pos.rules().homeBegin, b = a + 1;
                EXPECT_EQ(pos.length(a), 0);
                EXPECT_EQ(pos.length(b), 0);
                std::vector<Step> steps;
                pos.searchSteps(steps, false);
                std::array<std::set<std::pair<int, int>>, 2> onto;
                for (const Step& s : steps)
                    if (s.kind == Step::Drag && (s.to == a || s.to == b))
                        onto[s.to - a].emplace(s.from, s.count);
                return onto;
            };
            const auto dealing = offered();
            EXPECT_EQ(dealing[0], dealing[1]) << "deal " << number << ", the stock still dealing";
            whileDealing += dealing[0].empty() ? 0 : 1;
            // The stock dealt out onto a third pile.
            moveAll(1, 0, 0, 2, cPlay::kFaceUp);
            const auto out = offered();
            if (!out[0].empty() || !out[1].empty()) {
                EXPECT_TRUE(out[0].empty() || out[1].empty()) << "deal " << number << ", the stock dealt out";
                ++dealtOut;
            }
        }
    }
    EXPECT_GE(games, 3);
    EXPECT_GT(whileDealing, 10);
    EXPECT_GT(dealtOut, 10);
}

// A card from the talon goes onto a home pile in the complete search only
// where a card that could be built on it can be moved there. In Klondike,
// 9♥ onto 10♠ with one black 8 buried face down and the other on its
// foundation's top is offered (the 8 can come down onto it); with that 8
// buried too it is not.
TEST(SolverReductions, ATalonCardGoesDownWhereAFoundationCardCouldComeOntoIt)
{
    PlayedTable t(QStringLiteral("Klondike"), false);
    t.deal(GameNo(1.0));
    cPlay& play = t.cards();
    // Suit 0 spades, 1 hearts, 2 clubs, 3 diamonds; rank 0 is the Ace.
    auto cardOf = [&](int suit, int rank) {
        for (int16_t j = 0; j < play.CardCount(); ++j)
            if (play.Suit(j) == suit && play.Num(j) == rank)
                return j;
        return int16_t{-1};
    };
    auto put = [&](int16_t card, int16_t cell, int16_t pile, int16_t face) { putOnTop(play, card, cell, pile, face); };
    // A card taken out of stock or waste alone: the cards on it go to the
    // other one first.
    auto take = [&](int16_t card, int16_t cell, int16_t pile, int16_t face) {
        const int16_t from = play.Cell(card);
        const int16_t other = from == 2 ? 1 : 2;
        while (play.GetTopPicID(from, 0) != card)
            put(play.GetTopPicID(from, 0), other, 0, cPlay::kFaceUp);
        put(card, cell, pile, face);
    };
    auto lay = [&](int spadesHome) {
        // Every card onto the waste, then the few that matter to their
        // places, the rest into the stock face down and 9♥ on the waste.
        for (int16_t cell : {int16_t{0}, int16_t{1}, int16_t{3}})
            for (int16_t pile = 0; pile < t.games().Piles(cell); ++pile)
                while (play.GetTop(cell, pile) >= 0)
                    put(play.GetTopPicID(cell, pile), 2, 0, cPlay::kFaceUp);
        for (int rank = 0; rank < spadesHome; ++rank)
            take(cardOf(0, rank), 3, 0, cPlay::kFaceUp);
        take(cardOf(0, 9), 0, 0, cPlay::kFaceUp);
        take(cardOf(2, 7), 0, 1, cPlay::kFaceDown);
        if (spadesHome < 8)
            take(cardOf(0, 7), 0, 1, cPlay::kFaceDown);
        take(cardOf(3, 12), 0, 1, cPlay::kFaceUp);
        const int16_t nine = cardOf(1, 8);
        take(nine, 0, 2, cPlay::kFaceUp);
        while (play.GetTop(1, 0) >= 0)
            put(play.GetTopPicID(1, 0), 2, 0, cPlay::kFaceUp);
        while (play.GetTop(2, 0) >= 0)
            put(play.GetTopPicID(2, 0), 1, 0, cPlay::kFaceDown);
        put(nine, 2, 0, cPlay::kFaceUp);
    };
    auto offered = [&]() {
        Position pos = t.table().position();
        EXPECT_GT(pos.length(pos.rules().stock), 20);
        EXPECT_EQ(pos.length(pos.rules().waste), 1);
        pos.forget();
        pos.setDeferring(true);
        // The Aces in the talon would go home first, alone.
        pos.setForcing(false);
        std::vector<Step> steps;
        pos.searchSteps(steps, false);
        std::vector<Move> moves;
        for (const Step& s : steps)
            pos.appendMoves(s, moves);
        return std::any_of(moves.begin(), moves.end(),
                           [&](const Move& m) { return m.card == cardOf(1, 8) && m.toCell == 0 && m.toPile == 0; });
    };
    lay(8);
    EXPECT_TRUE(offered()) << "8♠ on its foundation's top";
    lay(7);
    EXPECT_FALSE(offered()) << "both black 8s face down";
}
