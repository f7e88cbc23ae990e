#include "DealFixture.h"
#include "engine/DealText.h"
#include "engine/ScratchTable.h"
#include "rules/RunTimeError.h"

#include <map>
#include <numeric>
#include <set>

namespace {

using Sizes = std::vector<int16_t>;

class DealTest : public ::testing::Test, public DealFixture {};

TEST_F(DealTest, SameNumberSameDealOtherNumberOtherDeal)
{
    for (const char* name : {"Klondike", "Gargantua", "Simple Simon", "Double Planet"}) {
        const QString game = QString::fromLatin1(name);
        deal(game, 4711);
        std::vector<int16_t> order;
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            order.push_back(shared.play.DeckOrder(j));
        const QString first = DealText(shared.games, shared.play, game, GameNo(4711));
        deal(QStringLiteral("Klondike"), 1); // something else in between
        deal(game, 4711);
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            EXPECT_EQ(shared.play.DeckOrder(j), order[static_cast<size_t>(j)]) << name;
        EXPECT_EQ(DealText(shared.games, shared.play, game, GameNo(4711)), first) << name;
        deal(game, 4712);
        EXPECT_NE(DealText(shared.games, shared.play, game, GameNo(4711)), first) << name;
    }
}

TEST_F(DealTest, DeckOrderIsAPermutationAndCardsFollowTheSuitType)
{
    struct Case {
        const char* name;
        int16_t suits;
        int copies; // of each rank and suit pair
    };
    for (const Case& c : {Case{"Klondike", 4, 1}, Case{"Eclipse", 1, 4}, Case{"Double Statue", 2, 4},
                          Case{"Double Klondike", 4, 2}, Case{"Stripped Klondike", 2, 1}}) {
        SCOPED_TRACE(c.name);
        deal(QString::fromLatin1(c.name), 99);
        const int16_t total = shared.games.TotalCards();
        std::set<int16_t> values;
        std::map<std::pair<int16_t, int16_t>, int> faces;
        for (int16_t j = 0; j < total; ++j) {
            values.insert(shared.play.DeckOrder(j));
            const int16_t e = shared.play.DeckOrder(j);
            EXPECT_EQ(shared.play.Num(j), e % 13);
            EXPECT_EQ(shared.play.SuitPile(j), e / 13);
            EXPECT_LT(shared.play.Suit(j), c.suits);
            EXPECT_EQ(shared.play.Color(j), shared.play.Suit(j) % 2 == 1);
            ++faces[{shared.play.Suit(j), shared.play.Num(j)}];
            EXPECT_EQ(surface.cards[j].face, shared.play.Suit(j) * 13 + shared.play.Num(j) + 1);
        }
        EXPECT_EQ(static_cast<int16_t>(values.size()), total);
        EXPECT_EQ(*values.rbegin(), total - 1);
        for (const auto& [face, count] : faces)
            EXPECT_EQ(count, c.copies) << face.first << "/" << face.second;
        EXPECT_EQ(static_cast<int>(faces.size()) * c.copies, total);
    }
}

TEST_F(DealTest, KlondikeDealsOneToSevenWithOnlyTheTopsUp)
{
    deal(QStringLiteral("Klondike"), 1);
    EXPECT_EQ(homeSizes(), (Sizes{1, 2, 3, 4, 5, 6, 7}));
    for (int16_t p = 0; p < 7; ++p) {
        for (int16_t pos = 0; pos <= p; ++pos)
            EXPECT_EQ(shared.play.FaceMode(shared.play.GetPicID(0, p, pos)), pos == p ? -1 : 0);
        EXPECT_EQ(shared.play.ClosedCards(p), p);
    }
    EXPECT_EQ(pileSize(1, 0), 24);
    EXPECT_EQ(pileSize(2, 0), 0);
    // Dealt in descending card-number order: the last card number placed on
    // the stock is dealt first, onto pile 0.
    EXPECT_EQ(shared.play.GetPicID(0, 0, 0), 51);
    EXPECT_EQ(shared.play.GetPicID(0, 1, 0), 50);
    EXPECT_EQ(shared.play.GetTopPicID(1, 0), 51 - 28);
    // Face-down cards packed 60 apart, face-up ones 250 below them.
    const int16_t top = 1640 + 200 + 360;
    for (int16_t pos = 0; pos <= 6; ++pos)
        EXPECT_EQ(surface.cards[shared.play.GetPicID(0, 6, pos)].at.y, top + pos * 60);
    EXPECT_EQ(shared.games.GetCordY(0, 6, 7), top + 6 * 60 + 250) << "the next card fans out";
}

TEST_F(DealTest, PatternEdgeCases)
{
    struct Case {
        const char* name;
        int32_t pattern;
        Sizes sizes;
    };
    const Case cases[] = {
        {"Fan Klondike", 1, {1, 2, 3, 4, 5, 6, 7, 8, 8, 8}},  // ten piles, stops at the empty stock
        {"Simple Simon", 7, {8, 8, 8, 7, 6, 5, 4, 3, 2, 1}},  // ten piles, 52 cards
        {"Stream", 14, {5, 4, 3, 2, 1, 2, 3, 4, 5}},          // g = 0
        {"Cone Klondike", 3, {2, 3, 4, 5, 6, 5, 4, 3, 2}},    // g = 1
        {"Gipsy", 13, {4, 4, 4, 4, 4, 3, 3, 3, 3}},           // 32 cards in turn
        {"Double Simon", 7, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}}, // stock not exhausted
    };
    for (const Case& c : cases) {
        deal(QString::fromLatin1(c.name), 5);
        ASSERT_EQ(shared.games.HomeType(), c.pattern) << c.name;
        EXPECT_EQ(homeSizes(), c.sizes) << c.name;
    }

    deal(QStringLiteral("Fan Klondike"), 5);
    EXPECT_EQ(pileSize(1, 0), 0);
    // Pattern 14 deals face up; pattern 13 only piles 0, 4 and 8 and the tops.
    deal(QStringLiteral("Stream"), 5);
    for (int16_t p = 0; p < 9; ++p)
        EXPECT_EQ(shared.play.ClosedCards(p), 0);
    deal(QStringLiteral("Gipsy"), 5);
    const Sizes closedGipsy{0, 3, 3, 3, 0, 2, 2, 2, 0};
    for (int16_t p = 0; p < 9; ++p)
        EXPECT_EQ(shared.play.ClosedCards(p), closedGipsy[static_cast<size_t>(p)]) << "pile " << p;
}

// Home pile sizes a definition implies, worked out from the pattern alone.
Sizes expectedHomeSizes(const cGames& g, int16_t stockBeforeHome)
{
    const int16_t piles = g.Piles(0);
    Sizes sizes(static_cast<size_t>(piles), 0);
    auto inTurn = [&](int16_t count) {
        for (int16_t i = 0; i < count; ++i)
            ++sizes[static_cast<size_t>(i % piles)];
    };
    auto rows = [&](bool fromLeft) {
        int16_t left = stockBeforeHome;
        for (int16_t r = 0; r < piles; ++r)
            for (int16_t k = 0; k < piles - r && left > 0; ++k, --left)
                ++sizes[static_cast<size_t>(fromLeft ? k : r + k)];
    };
    auto shape = [&](int16_t g0, const Sizes& add) {
        for (size_t i = 0; i < 9; ++i)
            sizes[i] = static_cast<int16_t>(std::min(g0 + add[i], 7) + 1);
    };
    switch (g.HomeType()) {
    case 0:
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: inTurn(g.Cards(0)); break;
    case 1: rows(false); break;
    case 7: rows(true); break;
    case 3:
    case 4: shape(g.StockMove() != 0 ? 1 : 3, {0, 1, 2, 3, 4, 3, 2, 1, 0}); break;
    case 14:
    case 15: shape(g.StockMove() == 0 ? 3 : 0, {4, 3, 2, 1, 0, 1, 2, 3, 4}); break;
    default: ADD_FAILURE() << "pattern " << g.HomeType() << " not expected in the catalogue";
    }
    return sizes;
}

class EveryGame : public ::testing::TestWithParam<mKlondike::GameListEntry>, public DealFixture {};

TEST_P(EveryGame, DealsEveryCardOnceWithThePilesItsPatternImplies)
{
    const QString name = GetParam().gName;
    for (double number : {1.0, 777.0, 999999.0}) {
        SCOPED_TRACE(number);
        deal(name, number);
        const cGames& g = shared.games;
        const int16_t total = g.TotalCards();
        ASSERT_EQ(shared.play.CardCount(), total);

        // Every card lies in exactly one slot, and its record says where.
        std::vector<int> seen(static_cast<size_t>(total), 0);
        int placed = 0;
        for (int16_t cell = 0; cell < 5; ++cell) {
            for (int16_t pile = 0; pile < 21; ++pile) {
                const int16_t top = shared.play.GetTop(cell, pile);
                if (pile >= g.Piles(cell)) {
                    EXPECT_EQ(top, -1) << "cell " << cell << " pile " << pile;
                    continue;
                }
                for (int16_t pos = 0; pos <= top; ++pos) {
                    const int16_t id = shared.play.GetPicID(cell, pile, pos);
                    ASSERT_GE(id, 0);
                    ++seen[static_cast<size_t>(id)];
                    ++placed;
                    EXPECT_EQ(shared.play.Cell(id), cell);
                    EXPECT_EQ(shared.play.Pile(id), pile);
                    EXPECT_EQ(shared.play.Pos(id), pos);
                    EXPECT_TRUE(surface.cards[id].visible);
                    EXPECT_EQ(surface.cards[id].faceUp, shared.play.FaceMode(id) == -1);
                    // Home cards keep the place they were dealt to while the
                    // face-down count of their pile changes; elsewhere the
                    // place is the layout's.
                    const CardSurface::Point at = surface.cards[id].at;
                    if (cell != 0 || g.HomePileOrder() != 2) {
                        EXPECT_EQ(at.x, g.GetCordX(cell, pile, pos)) << cell << "/" << pile << "/" << pos;
                    }
                    if (cell != 0) {
                        EXPECT_EQ(at.y, g.GetCordY(cell, pile, pos)) << cell << "/" << pile << "/" << pos;
                    }
                }
            }
        }
        EXPECT_EQ(placed, total);
        EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));

        // Foundations, waste and reserve as the definition says.
        int16_t onFoundations = 0;
        for (int16_t f = 0; f < g.Piles(3); ++f)
            onFoundations = static_cast<int16_t>(onFoundations + pileSize(3, f));
        const int16_t goalCards = g.Cards(3);
        switch (g.GoalType()) {
        case 0:
        case 1:
        case 12:
        case 14:
        case 16: EXPECT_EQ(onFoundations, goalCards); break;
        default: EXPECT_EQ(onFoundations, 0);
        }
        for (int16_t w = 0; w < g.Piles(2); ++w)
            EXPECT_EQ(pileSize(2, w), w < g.Cards(2) ? 1 : 0);
        int16_t onReserve = 0;
        for (int16_t r = 0; r < g.Piles(4); ++r)
            onReserve = static_cast<int16_t>(onReserve + pileSize(4, r));
        EXPECT_EQ(onReserve, g.Cards(4));

        const Sizes home = homeSizes();
        const int16_t onHome = static_cast<int16_t>(std::accumulate(home.begin(), home.end(), 0));
        EXPECT_EQ(home, expectedHomeSizes(g, static_cast<int16_t>(total - onFoundations - onReserve)));
        EXPECT_EQ(pileSize(1, 0), total - onFoundations - onReserve - onHome);

        // Every dealt home pile shows its top card.
        for (int16_t p = 0; p < g.Piles(0); ++p)
            if (shared.play.GetTop(0, p) >= 0) {
                EXPECT_EQ(shared.play.FaceMode(shared.play.GetTopPicID(0, p)), -1) << "home " << p;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryGame,
                         ::testing::ValuesIn(mKlondike::GameList().begin(), mKlondike::GameList().end()),
                         [](const auto& info) {
                             QString n = info.param.gName;
                             return n.remove(QLatin1Char(' ')).toStdString();
                         });

TEST_F(DealTest, FoundationsStartByTheirCode)
{
    deal(QStringLiteral("Klondike AK"), 3);
    for (int16_t f = 0; f < 4; ++f) {
        ASSERT_EQ(pileSize(3, f), 1);
        const int16_t id = shared.play.GetTopPicID(3, f);
        EXPECT_EQ(shared.play.Num(id), f < 2 ? 0 : 12) << "Aces below, Kings above";
        EXPECT_EQ(shared.play.SuitPile(id), f);
        EXPECT_EQ((surface.markers[{CardSurface::Marker::Right, f}].number), f < 2 ? 0 : 12);
    }

    deal(QStringLiteral("Klondike Reversed"), 3);
    EXPECT_EQ(shared.play.BaseRank(), 12);
    for (int16_t f = 0; f < 4; ++f) {
        EXPECT_EQ(shared.play.Num(shared.play.GetTopPicID(3, f)), 12);
        EXPECT_EQ((surface.markers[{CardSurface::Marker::Right, f}].number), 12);
    }

    for (double number : {3.0, 8.0, 12345.0}) {
        deal(QStringLiteral("Double Planet"), number);
        EXPECT_EQ(shared.play.GetPicID(3, 0, 0), 0) << "card number 0 starts foundation 0";
        EXPECT_EQ(shared.play.BaseRank(), shared.play.Num(0));
        for (int16_t f = 1; f < 8; ++f) {
            EXPECT_EQ(pileSize(3, f), 0);
            EXPECT_EQ((surface.markers[{CardSurface::Marker::Right, f}].number), shared.play.BaseRank());
        }
    }

    deal(QStringLiteral("Spiderette"), 3);
    for (int16_t f = 0; f < 4; ++f)
        EXPECT_EQ((surface.markers[{CardSurface::Marker::Right, f}].number), 13);
}

TEST_F(DealTest, SetUpShowsTheEmptyPlaceMarkers)
{
    deal(QStringLiteral("Klondike"), 10);
    std::map<CardSurface::Marker, int> kinds;
    for (const auto& [key, marker] : surface.markers)
        ++kinds[key.first];
    EXPECT_EQ(kinds[CardSurface::Marker::Home], 7);
    EXPECT_EQ(kinds[CardSurface::Marker::Right], 4);
    EXPECT_EQ(kinds[CardSurface::Marker::Waste], 1);
    EXPECT_EQ(kinds[CardSurface::Marker::Stock], 1);
    EXPECT_EQ(kinds[CardSurface::Marker::Res], 0);
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Home, 3}].number), 12) << "Kings only on empty piles";
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Stock, 0}].number), 16) << "redeal marker";
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Home, 3}].at), (surface.cards[shared.play.GetPicID(0, 3, 0)].at))
        << "the marker lies under the bottom card";
    EXPECT_EQ(surface.createdNotices, 1);
    EXPECT_EQ(surface.markerNotices, 1);

    deal(QStringLiteral("King Albert"), 10);
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Home, 0}].number), 14) << "any card: the plain marker";
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Res, 6}].number), 14);
    EXPECT_EQ(surface.markers.count({CardSurface::Marker::Stock, 0}), 0u) << "no marker for StockNum 0";
    EXPECT_EQ(surface.markers.count({CardSurface::Marker::Waste, 0}), 0u);
}

TEST_F(DealTest, DeckIndexComesFromTheSettingsAndIsClamped)
{
    const struct {
        int32_t stored;
        int16_t used;
    } cases[] = {{3, 3}, {12, 12}, {0, 7}, {13, 7}, {-1, 7}};
    MemorySettingsStore store;
    shared.services.setSettings(&store);
    for (const auto& c : cases) {
        store.write(settings::kDeckIndex, c.stored);
        deal(QStringLiteral("Klondike"), 1);
        EXPECT_EQ(shared.play.DeckIndex(), c.used) << c.stored;
        EXPECT_EQ(surface.cards[40].back, c.used);
    }
    shared.services.setSettings(nullptr);
}

TEST_F(DealTest, ClearAllEmptiesTheTable)
{
    deal(QStringLiteral("Gargantua"), 2);
    const int before = surface.cleared;
    shared.play.ClearAll();
    EXPECT_EQ(surface.cleared, before + 1);
    EXPECT_EQ(shared.play.CardCount(), 0);
    EXPECT_EQ(shared.play.BaseRank(), 0);
    for (int16_t cell = 0; cell < 5; ++cell)
        for (int16_t pile = 0; pile < 21; ++pile)
            EXPECT_EQ(shared.play.GetTop(cell, pile), -1);
    EXPECT_THROW(shared.play.Num(0), RunTimeError);
    EXPECT_THROW(shared.play.GetPicID(0, 0, 0), RunTimeError);
    EXPECT_THROW(shared.play.GetTop(5, 0), RunTimeError);
    EXPECT_THROW(shared.play.GetTop(0, 21), RunTimeError);
}

} // namespace

namespace {

// A table dealt on its own (previews, file checks, the command line) lays
// the cards out exactly where the program's table does, face-down fans
// included.
TEST_F(DealTest, AScratchTableLaysEveryGameOutAsTheProgramsTableDoes)
{
    for (const mKlondike::GameListEntry& game : mKlondike::GameList()) {
        cPlay& play = deal(game.gName, 17);
        ScratchTable scratch(game.gName);
        scratch.deal(GameNo(17));
        for (int16_t j = 0; j < play.CardCount(); ++j) {
            const int16_t cell = play.Cell(j), pile = play.Pile(j), pos = play.Pos(j);
            ASSERT_EQ(scratch.games.cord(cell, pile, pos), shared.games.cord(cell, pile, pos))
                << game.gName.toStdString() << " card " << j;
        }
    }
}

} // namespace
