#include "solver/Shorten.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

using solver::Move;
using solver::PlayedTable;
using solver::Verdict;

namespace {

PlayedTable* dealt(PlayedTable& t, int number)
{
    t.deal(GameNo(static_cast<double>(number)));
    return &t;
}

std::vector<Move> solved(const QString& name, bool autoPlay, int number, uint64_t budget)
{
    PlayedTable t(name, autoPlay);
    dealt(t, number);
    solver::Solver search;
    solver::Limits limits;
    limits.positions = budget;
    // The line as the search found it.
    limits.shorten = false;
    const solver::Result r = search.solve(t.table(), limits);
    return r.verdict == Verdict::Winnable ? r.moves : std::vector<Move>{};
}

// Plays the line on a fresh deal as a player would; the first move the
// table refuses, or the line's length when all are taken.
size_t playedUpTo(const QString& name, bool autoPlay, int number, const std::vector<Move>& line, bool& won)
{
    PlayedTable t(name, autoPlay);
    dealt(t, number);
    for (size_t i = 0; i < line.size(); ++i)
        if (!t.play(line[i])) {
            won = false;
            return i;
        }
    won = t.won();
    return line.size();
}

// The reverse of a drag, when the table takes it right after.
std::optional<Move> reverseOf(const Move& m)
{
    if (m.kind != Move::Kind::Drag)
        return std::nullopt;
    return Move{Move::Kind::Drag, m.card, m.carried, m.toCell, m.toPile, m.fromCell, m.fromPile};
}

} // namespace

// Lines the solver finds in games of different kinds (a stock dealt to the
// waste with and without automatic play, a stock dealt to the piles with
// runs cleared, free cells, a limited redeal), once shortened, are taken
// move by move by the play table from a fresh deal, win, and are never
// longer; most come back shorter.
TEST(Shorten, ShortenedLinesWinOnThePlayTableAndAreNeverLonger)
{
    struct Game {
        const char* name;
        bool autoPlay;
        // Deals tried, and how many of them the solver wins on its budget.
        int deals;
        int wins;
        uint64_t budget;
    };
    int lines = 0;
    int shorter = 0;
    for (const Game game : {Game{"Klondike", false, 10, 8, 100000}, Game{"Klondike", true, 10, 8, 100000},
                            Game{"Spiderette", false, 20, 1, 400000}, Game{"Klondike Freecell", false, 10, 5, 100000},
                            Game{"Blind Alleys", false, 10, 2, 100000}}) {
        const QString name = QLatin1String(game.name);
        int won = 0;
        for (int number = 1; number <= game.deals; ++number) {
            SCOPED_TRACE(std::string(game.name) + (game.autoPlay ? " with automatic play" : "") + ", deal " +
                         std::to_string(number));
            const std::vector<Move> line = solved(name, game.autoPlay, number, game.budget);
            if (line.empty())
                continue;
            PlayedTable t(name, game.autoPlay);
            dealt(t, number);
            const std::vector<Move> s = solver::shortenLine(t.table(), line, 40000);
            EXPECT_LE(s.size(), line.size());
            bool wins = false;
            EXPECT_EQ(playedUpTo(name, game.autoPlay, number, s, wins), s.size());
            EXPECT_TRUE(wins);
            ++won;
            shorter += s.size() < line.size() ? 1 : 0;
        }
        EXPECT_GE(won, game.wins) << game.name;
        lines += won;
    }
    EXPECT_GE(shorter * 2, lines);
}

// A line with a move and its reverse put in, and a drag that a later drag
// takes back a few moves on, comes back without them: no longer than the
// line they were put into.
TEST(Shorten, CyclesAndDetoursPutIntoALineAreCutOut)
{
    const QString name = QStringLiteral("Klondike");
    const std::vector<Move> line = solved(name, false, 3, 100000);
    ASSERT_FALSE(line.empty());

    // Finds, from `at` on, a drag the table would take back right after:
    // the line with the drag and its reverse put in after `*where` moves.
    auto withCycle = [&](const std::vector<Move>& base, size_t at, size_t& where) -> std::vector<Move> {
        PlayedTable t(name, false);
        dealt(t, 3);
        for (size_t i = 0; i < base.size(); ++i) {
            if (i >= at) {
                for (const Move& m : t.table().moves()) {
                    const std::optional<Move> back = reverseOf(m);
                    if (!back)
                        continue;
                    solver::Table probe = t.table();
                    if (!probe.play(m) || !probe.play(*back) || !probe.sameLayout(t.table()))
                        continue;
                    std::vector<Move> out(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(i));
                    out.push_back(m);
                    out.push_back(*back);
                    out.insert(out.end(), base.begin() + static_cast<std::ptrdiff_t>(i), base.end());
                    where = i;
                    return out;
                }
            }
            if (!t.play(base[i]))
                return {};
        }
        return {};
    };
    size_t first = 0;
    std::vector<Move> padded = withCycle(line, line.size() / 4, first);
    ASSERT_FALSE(padded.empty());
    // A detour: one more drag and its reverse, with a move of the line
    // between them where the table takes that.
    size_t second = 0;
    padded = withCycle(padded, line.size() / 2 + 2, second);
    ASSERT_FALSE(padded.empty());
    std::vector<Move> detour = padded;
    std::swap(detour[second + 1], detour[second + 2]);
    bool wins = false;
    if (playedUpTo(name, false, 3, detour, wins) == detour.size() && wins)
        padded = detour;
    ASSERT_EQ(playedUpTo(name, false, 3, padded, wins), padded.size());
    ASSERT_TRUE(wins);

    PlayedTable t(name, false);
    dealt(t, 3);
    // Even with no budget for searching, a table the line comes back to is
    // found.
    const std::vector<Move> cut = solver::shortenLine(t.table(), padded, 0);
    EXPECT_LE(cut.size(), padded.size() - 2);
    EXPECT_EQ(playedUpTo(name, false, 3, cut, wins), cut.size());
    EXPECT_TRUE(wins);
    const std::vector<Move> s = solver::shortenLine(t.table(), padded, 20000);
    EXPECT_LE(s.size(), line.size());
    EXPECT_LE(s.size(), cut.size());
    EXPECT_EQ(playedUpTo(name, false, 3, s, wins), s.size());
    EXPECT_TRUE(wins);
}

// A line that does not win, or that the table does not take, comes back as
// it was.
TEST(Shorten, ALineThatDoesNotWinComesBackAsItWas)
{
    const QString name = QStringLiteral("Klondike");
    const std::vector<Move> line = solved(name, false, 3, 100000);
    ASSERT_GT(line.size(), 10u);
    PlayedTable t(name, false);
    dealt(t, 3);
    const std::vector<Move> part(line.begin(), line.end() - 3);
    EXPECT_EQ(solver::shortenLine(t.table(), part, 20000), part);
    // A card dropped where no pile is (a drag: a click on the stock has
    // no pile to go to).
    std::vector<Move> wrong = line;
    auto drag = std::find_if(wrong.begin() + static_cast<std::ptrdiff_t>(line.size() / 2), wrong.end(),
                             [](const Move& m) { return m.kind == Move::Kind::Drag; });
    ASSERT_NE(drag, wrong.end());
    drag->toPile = 99;
    EXPECT_EQ(solver::shortenLine(t.table(), wrong, 20000), wrong);
    EXPECT_EQ(solver::shortenLine(t.table(), {}, 20000), std::vector<Move>{});
}

// Where the stock turns one card at a time without limit (Klondike without
// automatic play), the searches of their own bring lines down to what a
// person would play: over a dozen deals each shortened line is taken by the
// play table and wins, is never longer than the search's line, and all
// together lose more than a quarter of their length; with room for the
// searches along the line they come out shorter in all than with a budget
// that leaves only the sweeps.
TEST(Shorten, KlondikeLinesComeOutFarShorterWithRoomForTheSearches)
{
    const QString name = QStringLiteral("Klondike");
    size_t found = 0, small = 0, large = 0;
    int won = 0;
    for (int number = 1; number <= 12; ++number) {
        SCOPED_TRACE("deal " + std::to_string(number));
        const std::vector<Move> line = solved(name, false, number, 100000);
        if (line.empty())
            continue;
        PlayedTable t(name, false);
        dealt(t, number);
        const std::vector<Move> sweeps = solver::shortenLine(t.table(), line, 20000);
        const std::vector<Move> searched = solver::shortenLine(t.table(), line, 400000);
        for (const std::vector<Move>* s : {&sweeps, &searched}) {
            EXPECT_LE(s->size(), line.size());
            bool wins = false;
            EXPECT_EQ(playedUpTo(name, false, number, *s, wins), s->size());
            EXPECT_TRUE(wins);
        }
        found += line.size();
        small += sweeps.size();
        large += searched.size();
        ++won;
    }
    EXPECT_GE(won, 9);
    EXPECT_LT(large * 4, found * 3) << small;
    EXPECT_LT(large, small);
}
