#include "DealFixture.h"

namespace {

class MoveRulesTest : public ::testing::Test, public DealFixture {
protected:
    // Card number of the n-th card with that rank and suit.
    int16_t find(int16_t num, int16_t suit, int nth = 0) const
    {
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            if (shared.play.Num(j) == num && shared.play.Suit(j) == suit && nth-- == 0)
                return j;
        ADD_FAILURE() << "no card " << num << "/" << suit;
        return 0;
    }
    // Empties a home pile onto the stock, then lays the cards on it face up,
    // bottom first, as the history would (no rules, no recording).
    void arrange(int16_t pile, const std::vector<int16_t>& cards)
    {
        cPlay& play = shared.play;
        while (play.GetTop(0, pile) >= 0)
            park(play.GetTopPicID(0, pile), 1);
        for (int16_t id : cards)
            play.MoveCard(id, 0, pile, static_cast<int16_t>(play.GetTop(0, pile) + 1), cPlay::kMoveHistory, 0, 0,
                          cPlay::kFaceUp);
    }
    void park(int16_t id, int16_t cell)
    {
        shared.play.MoveCard(id, cell, 0, static_cast<int16_t>(shared.play.GetTop(cell, 0) + 1), cPlay::kMoveHistory, 0,
                             0, cPlay::kFaceDown);
    }
    // Uncovers a card wherever it lies, parking what lies on it on the stock
    // (or on the waste place when the card itself is in the stock).
    int16_t free(int16_t id)
    {
        cPlay& play = shared.play;
        while (play.GetTopPicID(play.Cell(id), play.Pile(id)) != id)
            park(play.GetTopPicID(play.Cell(id), play.Pile(id)), play.Cell(id) == 1 ? 2 : 1);
        return id;
    }
    std::vector<int16_t> freed(std::initializer_list<std::pair<int16_t, int16_t>> faces)
    {
        std::vector<int16_t> ids;
        for (auto [num, suit] : faces)
            ids.push_back(find(num, suit));
        return ids;
    }
};

using suits_t = int16_t;
constexpr suits_t S = 0, H = 1, C = 2, D = 3;

TEST_F(MoveRulesTest, BuildOrderCodes)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 1);
    const int16_t black7 = find(6, S), red6 = find(5, H), black6 = find(5, C), red5 = find(4, D);
    EXPECT_TRUE(play.CanBuild(black7, red6, 4, false));
    EXPECT_FALSE(play.CanBuild(black7, black6, 4, false)) << "same colour";
    EXPECT_FALSE(play.CanBuild(black7, red5, 4, false)) << "two ranks down";
    EXPECT_TRUE(play.CanBuild(black7, black6, 16, false));
    EXPECT_TRUE(play.CanBuild(black7, black6, 15, false)) << "spades and clubs are other suits";
    EXPECT_FALSE(play.CanBuild(black7, find(5, S), 15, false));
    EXPECT_TRUE(play.CanBuild(black7, find(5, S), 1, false));
    EXPECT_TRUE(play.CanBuild(red6, black7, 5, false));
    EXPECT_TRUE(play.CanBuild(red6, black7, 12, false));
    EXPECT_TRUE(play.CanBuild(black7, red6, 12, false));
    EXPECT_TRUE(play.CanBuild(red5, red6, 18, false));
    EXPECT_TRUE(play.CanBuild(red5, find(5, D), 3, false));
    EXPECT_TRUE(play.CanBuild(red5, find(4, H), 10, false));
    EXPECT_FALSE(play.CanBuild(red5, red6, 10, false));

    const int16_t kingS = find(12, S), aceS = find(0, S);
    EXPECT_TRUE(play.CanBuild(aceS, kingS, 1, true)) << "King on Ace, wrapping";
    EXPECT_FALSE(play.CanBuild(aceS, kingS, 1, false));
    EXPECT_TRUE(play.CanBuild(kingS, aceS, 2, true)) << "Ace on King, wrapping";
    EXPECT_FALSE(play.CanBuild(kingS, aceS, 2, false));

    for (int32_t code : {0, 11, 13, 14, 20, -1})
        for (int16_t placed : {red6, black6, red5, kingS, aceS})
            EXPECT_FALSE(play.CanBuild(black7, placed, code, true)) << "code " << code;
    EXPECT_TRUE(play.CanBuild(black7, kingS, 9, false));
}

TEST_F(MoveRulesTest, RunsNeedMultiMoveAndOrder)
{
    cPlay& play = deal(QStringLiteral("British Canister"), 1); // MultiMove 0, every card up
    const std::vector<int16_t> run = freed({{9, S}, {8, H}, {7, C}});
    for (int16_t id : run)
        free(id);
    arrange(0, run);
    int16_t k = -1;
    EXPECT_FALSE(play.CanPickUp(run[0], k));
    EXPECT_TRUE(play.CanPickUp(run[2], k));
    EXPECT_EQ(k, 0);

    deal(QStringLiteral("Canister"), 1); // MultiMove 1, run order 6
    const std::vector<int16_t> ordered = freed({{9, S}, {8, H}, {7, C}});
    for (int16_t id : ordered)
        free(id);
    arrange(0, ordered);
    EXPECT_TRUE(play.RunInOrder(ordered[0], 2));
    EXPECT_TRUE(play.CanPickUp(ordered[0], k));
    EXPECT_EQ(k, 2);
    const std::vector<int16_t> broken = freed({{9, C}, {9, D}, {8, C}});
    for (int16_t id : broken)
        free(id);
    arrange(1, broken);
    EXPECT_FALSE(play.RunInOrder(broken[0], 2));
    EXPECT_FALSE(play.CanPickUp(broken[0], k));
    EXPECT_TRUE(play.CanPickUp(broken[1], k)) << "the top pair is in order";
}

TEST_F(MoveRulesTest, FreecellRunsAreLimitedByEmptyPiles)
{
    cPlay& play = deal(QStringLiteral("Klondike Freecell"), 1);
    ASSERT_EQ(shared.games.Piles(4), 2);
    const std::vector<int16_t> run = freed({{12, S}, {11, H}, {10, C}, {9, D}, {8, S}, {7, H}, {6, C}});
    for (int16_t id : run)
        free(id);
    arrange(0, run);
    for (int16_t p = 1; p < shared.games.Piles(0); ++p)
        if (play.GetTop(0, p) < 0)
            arrange(p, {free(play.GetTopPicID(1, 0))});
    int16_t k = 0;
    // Two empty reserve piles, no empty home pile: up to three cards.
    EXPECT_TRUE(play.CanPickUp(run[4], k));
    EXPECT_EQ(k, 2);
    EXPECT_FALSE(play.CanPickUp(run[3], k));
    // One empty home pile as well: up to six cards.
    arrange(7, {});
    EXPECT_TRUE(play.CanPickUp(run[1], k));
    EXPECT_EQ(k, 5);
    EXPECT_FALSE(play.CanPickUp(run[0], k));
}

TEST_F(MoveRulesTest, WhereCardsMayLand)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 1);
    const int16_t king = free(find(12, H));
    const int16_t queen = free(find(11, S));
    const int16_t jack = free(find(10, D));
    arrange(0, {});
    EXPECT_TRUE(play.CanDrop(king, 0, 0, 0)) << "an empty pile takes a King";
    EXPECT_FALSE(play.CanDrop(queen, 0, 0, 0)) << "and nothing else";
    arrange(0, {king});
    EXPECT_TRUE(play.CanDrop(queen, 0, 0, 0));
    EXPECT_FALSE(play.CanDrop(jack, 0, 0, 0));
    arrange(1, {queen, jack});
    EXPECT_FALSE(play.CanDrop(jack, 0, 0, 1)) << "not back onto its own pile";

    // Foundations: base rank first, then up in suit, single cards only.
    const int16_t ace = free(find(0, D));
    const int16_t two = free(find(1, D));
    EXPECT_FALSE(play.CanDrop(two, 0, 3, 0));
    EXPECT_TRUE(play.CanDrop(ace, 0, 3, 0));
    EXPECT_FALSE(play.CanDrop(ace, 1, 3, 0)) << "a card carrying a run";
    play.MoveCard(ace, 3, 0, 0, cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_TRUE(play.CanDrop(two, 0, 3, 0));
    EXPECT_TRUE(play.CanGoToFoundation(two, 0));
    EXPECT_FALSE(play.CanGoToFoundation(two, 1));

    // Reserve piles: empty, single card, and only where ResNum is -1.
    deal(QStringLiteral("Klondike Freecell"), 1);
    const int16_t card = play.GetTopPicID(0, 3);
    EXPECT_TRUE(play.CanDrop(card, 0, 4, 0));
    EXPECT_FALSE(play.CanDrop(card, 1, 4, 0));
    play.MoveCard(card, 4, 0, 0, cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_FALSE(play.CanDrop(play.GetTopPicID(0, 4), 0, 4, 0)) << "an occupied reserve pile";
    deal(QStringLiteral("King Albert"), 1);
    arrange(0, {});
    EXPECT_FALSE(play.CanDrop(play.GetTopPicID(0, 2), 0, 4, 0)) << "ResNum -5 reserves take nothing";

    // A "Spider" foundation never takes a dropped card.
    deal(QStringLiteral("Spiderette"), 1);
    for (int16_t j = 0; j < play.CardCount(); ++j)
        if (play.Num(j) == 0 && play.Cell(j) == 0 && play.GetTopPicID(0, play.Pile(j)) == j) {
            EXPECT_FALSE(play.CanDrop(j, 0, 3, 0));
        }
    EXPECT_FALSE(play.CanDrop(free(find(0, S)), 0, 3, 0));
}

TEST_F(MoveRulesTest, PickUpByGroup)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 1);
    int16_t k = 0;
    EXPECT_FALSE(play.CanPickUp(play.GetTopPicID(1, 0), k)) << "a stock press is a click";
    EXPECT_FALSE(play.CanPickUp(play.GetPicID(0, 6, 0), k)) << "face down";
    EXPECT_TRUE(play.CanPickUp(play.GetTopPicID(0, 6), k));
    deal(QStringLiteral("Open Klondike"), 1); // StockType 1
    EXPECT_TRUE(play.CanPickUp(play.GetTopPicID(1, 0), k));
    EXPECT_FALSE(play.CanPickUp(play.GetPicID(1, 0, 0), k));
}

} // namespace
