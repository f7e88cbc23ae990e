#include "PlayFixture.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

// Every input makes a player's move through one entry: a drop where the
// picture lies (the mouse), a drop on a chosen pile (the keys and "click to
// move") and a move at once (a double click, a solution played out). Whatever
// input made it, the player must see the same table and the same history.

namespace {

class PlayerMoveTest : public ::testing::Test, public PlayFixture {
protected:
    using Point = CardSurface::Point;
    using Input = std::function<void(int16_t card, int16_t cell, int16_t pile)>;

    cPlay& play() { return shared.play; }
    // The groups' cards of one rank.
    int16_t card(int16_t group, int16_t num) const { return groupKingToAce(group)[static_cast<size_t>(12 - num)]; }
    Point place(int16_t cell, int16_t pile, int16_t pos) const
    {
        return {shared.games.GetCordX(cell, pile, pos), shared.games.GetCordY(cell, pile, pos)};
    }

    // The inputs, each given the move to make: the picture carried over the
    // pile's top card and let go; picked up and dropped on the pile; made at
    // once.
    std::vector<std::pair<std::string, Input>> inputs()
    {
        cPlay& play = shared.play;
        return {
            {"drag",
             [&](int16_t c, int16_t cell, int16_t pile) {
                 const Point at = surface.cardPosition(c);
                 const int16_t top = cell == 0 ? std::max<int16_t>(play.GetTop(cell, pile), 0) : int16_t{0};
                 const Point to = place(cell, pile, top);
                 play.MouseDown(c, 300, 300);
                 // Two steps, as the pointer passes events on.
                 play.MouseMove(300 + (to.x - at.x) / 2.0, 300 + (to.y - at.y) / 2.0);
                 play.MouseMove(300 + (to.x - at.x) / 2.0, 300 + (to.y - at.y) / 2.0 + 200);
                 play.MouseUp();
             }},
            {"drop on a pile",
             [&](int16_t c, int16_t cell, int16_t pile) {
                 play.MouseDown(c, 532, 720);
                 play.DropOn(cell, pile);
             }},
            {"at once", [&](int16_t c, int16_t cell, int16_t pile) { play.PlayerMove(c, cell, pile); }},
        };
    }

    // Spiderette with a Queen and Jack of one suit on pile 1, a King of
    // another on pile 2 and a Five on pile 3.
    void setUpTable()
    {
        start(QStringLiteral("Spiderette"), 3);
        stack(1, {card(0, 11), card(0, 10)}, 6);
        stack(2, {card(1, 12)}, 6);
        stack(3, {card(2, 4)}, 6);
        engine().ClearTRANS();
    }

    using Record = std::tuple<int16_t, int16_t, int16_t, int16_t, int16_t, int16_t, int16_t, int16_t, int32_t>;
    std::vector<Record> history()
    {
        std::vector<Record> records;
        for (int16_t i = 1; i <= engine().GetTransTop(); ++i) {
            const cEngine::Transaction& r = engine().Record(i);
            records.emplace_back(r.PicID, r.SCell, r.SPile, r.SPos, r.DCell, r.DPile, r.DPos, r.mCards, r.tMod);
        }
        return records;
    }
    std::vector<Point> pictures()
    {
        std::vector<Point> at;
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            at.push_back(surface.cardPosition(j));
        return at;
    }
};

TEST_F(PlayerMoveTest, EveryInputMakesTheSameMoveWithTheSameHistory)
{
    std::optional<std::vector<Place>> firstTable;
    std::optional<std::vector<Record>> firstHistory;
    std::optional<std::vector<Point>> firstPictures;
    for (const auto& [name, input] : inputs()) {
        SCOPED_TRACE(name);
        setUpTable();
        const int16_t queen = card(0, 11);
        const int16_t jack = card(0, 10);
        input(queen, 0, 2);

        EXPECT_EQ((std::array{play().Pile(queen), play().Pos(queen), play().Pile(jack), play().Pos(jack)}),
                  (std::array<int16_t, 4>{2, 1, 2, 2}))
            << "the Queen and the Jack on her, onto the King";
        EXPECT_EQ(surface.cardPosition(jack), place(0, 2, 2)) << "the run laid out on its new pile";
        EXPECT_FALSE(play().drag().active);
        EXPECT_FALSE(shared.services.busy);
        ASSERT_EQ(engine().GetTransTop(), 1);
        EXPECT_EQ(engine().mCards(1), 1);
        if (!firstTable) {
            firstTable = table();
            firstHistory = history();
            firstPictures = pictures();
            continue;
        }
        EXPECT_EQ(table(), *firstTable);
        EXPECT_EQ(history(), *firstHistory);
        EXPECT_EQ(pictures(), *firstPictures) << "every picture where the first input left it";
    }
}

TEST_F(PlayerMoveTest, ARefusedMoveChangesNothingThroughAnyInput)
{
    for (const auto& [name, input] : inputs()) {
        SCOPED_TRACE(name);
        setUpTable();
        const std::vector<Place> before = table();
        const std::vector<Point> shown = pictures();
        // The Queen on a Five; the Queen back on her own pile; a face-down
        // card.
        input(card(0, 11), 0, 3);
        input(card(0, 11), 0, 1);
        const int16_t faceDown = play().GetPicID(0, 6, 0);
        ASSERT_EQ(play().FaceMode(faceDown), cPlay::kFaceDown);
        input(faceDown, 0, 2);

        EXPECT_EQ(table(), before);
        EXPECT_EQ(pictures(), shown) << "every picture back where it was";
        EXPECT_EQ(engine().GetTransTop(), 0) << "nothing recorded";
        EXPECT_FALSE(play().drag().active);
        EXPECT_EQ(play().drag().card, -1);
        EXPECT_FALSE(shared.services.busy);
        EXPECT_EQ(surface.cards[card(0, 11)].height, 1440) << "the grabbed picture at its size again";
    }
}

// Moves no input can make: onto a pile the game does not have, onto the
// stock or the waste, a card from the stock a click deals, a card that is
// not there.
TEST_F(PlayerMoveTest, MovesOutsideTheGameAreRefused)
{
    cPlay& play = start(QStringLiteral("Klondike"), 3);
    const std::vector<Place> before = table();
    const int16_t top = play.GetTopPicID(0, 6);
    ASSERT_EQ(play.FaceMode(top), cPlay::kFaceUp);
    play.ChangeFaceMode(play.GetTopPicID(1, 0), cPlay::kFaceUp);

    EXPECT_FALSE(play.PlayerMove(top, 0, shared.games.Piles(0))) << "an empty place the game does not have";
    EXPECT_FALSE(play.PlayerMove(top, 0, -1));
    EXPECT_FALSE(play.PlayerMove(top, 5, 0));
    EXPECT_FALSE(play.PlayerMove(top, 1, 0)) << "the stock";
    EXPECT_FALSE(play.PlayerMove(top, 2, 0)) << "the waste";
    EXPECT_FALSE(play.PlayerMove(play.GetTopPicID(1, 0), 0, 0)) << "the stock is dealt by a click";
    EXPECT_FALSE(play.PlayerMove(-1, 0, 0));
    EXPECT_FALSE(play.PlayerMove(play.CardCount(), 0, 0));
    EXPECT_FALSE(play.DropOn(0, 0)) << "no drag";
    EXPECT_FALSE(play.MouseUp());

    play.ChangeFaceMode(play.GetTopPicID(1, 0), cPlay::kFaceDown);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(engine().GetTransTop(), 0);
}

} // namespace
