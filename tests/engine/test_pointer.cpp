#include "PlayFixture.h"

#include <optional>

namespace {

class PointerTest : public ::testing::Test, public PlayFixture {
protected:
    using Point = CardSurface::Point;

    // Presses on the card, carries its picture's corner to (left, top) and
    // releases it, as the main window passes the events on.
    void drag(int16_t card, int32_t left, int32_t top)
    {
        cPlay& play = shared.play;
        const Point start = surface.cardPosition(card);
        play.MouseDown(card, 100, 100);
        if (!play.drag().active)
            return;
        play.MouseMove(100.0 + left - start.x, 100.0 + top - start.y);
        play.MouseUp();
    }
    Point place(int16_t cell, int16_t pile, int16_t pos) const
    {
        return {shared.games.GetCordX(cell, pile, pos), shared.games.GetCordY(cell, pile, pos)};
    }
    // The groups' cards of one rank.
    int16_t card(int16_t group, int16_t num) const { return groupKingToAce(group)[static_cast<size_t>(12 - num)]; }
};

TEST_F(PointerTest, AGrabbedRunIsCarriedInOnePictureAndReturnsWhenRefused)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    ASSERT_NE(shared.games.HomePileOrder(), 2);
    // King, Queen, Jack, Ten of one suit, grabbed at the Queen.
    const std::vector<int16_t> run = {card(0, 12), card(0, 11), card(0, 10), card(0, 9)};
    stack(1, run, 6);
    const int16_t queen = run[1];
    const Point queenAt = surface.cardPosition(queen);
    const DragState& d = shared.play.drag();
    play.MouseDown(queen, 0, 0);

    ASSERT_TRUE(d.active);
    EXPECT_TRUE(shared.services.busy);
    EXPECT_EQ(d.k, 2);
    EXPECT_EQ(surface.cards[queen].height, 1440 + 2 * 250) << "2190 for a run of three";
    EXPECT_EQ(surface.cards[run[2]].carriedBy, queen);
    EXPECT_EQ(surface.cards[run[3]].offset, (Point{0, 500}));

    // Carried off the table into empty space and let go.
    play.MouseMove(0, 30000);
    EXPECT_EQ(surface.cards[run[3]].at.y, surface.cards[queen].at.y + 500) << "the run travels with it";
    EXPECT_EQ((Point{d.left, d.top}), surface.cards[queen].at) << "the drag record follows the picture";
    EXPECT_FALSE(play.MouseUp());
    EXPECT_FALSE(d.active);

    EXPECT_FALSE(shared.services.busy);
    EXPECT_EQ(surface.cards[queen].height, 1440);
    EXPECT_EQ(surface.cards[queen].at, queenAt);
    EXPECT_EQ(surface.cards[run[2]].at, (Point{queenAt.x, queenAt.y + 250}));
    EXPECT_EQ(surface.cards[run[3]].at, (Point{queenAt.x, queenAt.y + 500}));
    EXPECT_EQ(surface.cards[run[3]].carriedBy, -1);
    EXPECT_EQ(play.Pile(queen), 1);
    EXPECT_EQ(engine().GetTransTop(), 0) << "nothing recorded";
}

TEST_F(PointerTest, ALegalDropMovesTheRunAndIsRecorded)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    const std::vector<int16_t> run = {card(0, 11), card(0, 10)};
    stack(1, run, 6);
    stack(2, {card(1, 12)}, 6);
    const Point target = place(0, 2, 0);

    drag(run[0], target.x + 30, target.y + 200);

    EXPECT_EQ(play.Pile(run[0]), 2);
    EXPECT_EQ(play.Pos(run[0]), 1);
    EXPECT_EQ(play.Pile(run[1]), 2);
    EXPECT_EQ(surface.cards[run[1]].at, place(0, 2, 2)) << "the run is laid out on its new pile";
    ASSERT_EQ(engine().GetTransTop(), 1);
    EXPECT_EQ(engine().mCards(1), 1);
    EXPECT_EQ(pileSize(0, 1), 0);
}

TEST_F(PointerTest, TheCentreBeatsAnEarlierOverlapAndHomeBeatsFoundation)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    stack(0, {card(0, 6)}, 6);
    stack(1, {card(1, 6)}, 6);
    const int16_t six = card(2, 5);
    stack(4, {six}, 6);
    const Point p0 = place(0, 0, 0);
    const Point p1 = place(0, 1, 0);
    ASSERT_GT(p1.x - p0.x, 532) << "piles far enough apart to overlap one and centre on the next";

    // Overlapping pile 0, centred on pile 1.
    drag(six, p1.x - 400, p1.y);
    EXPECT_EQ(play.Pile(six), 1);

    // Klondike: an Ace overlapping an accepting home pile and an empty
    // foundation, its centre over neither, goes to the home pile (and stays
    // there with automatic play off).
    shared.services.settings().write(settings::kAutoPlay, 0);
    start(QStringLiteral("Klondike"), 3);
    const int16_t ace = card(0, 0);
    const int16_t twoOfHearts = card(1, 1);
    stack(3, {twoOfHearts}, 6);
    stack(5, {ace}, 6);
    const Point home = place(0, 3, 0);
    const Point found = place(3, 0, 0);
    std::optional<Point> spot;
    for (int32_t t = found.y; t <= home.y && !spot; t += 15)
        for (int32_t l = std::min(home.x, found.x) - 1065; l <= std::max(home.x, found.x) + 1065 && !spot; l += 15) {
            const bool overHome = home.y < t + 1440 && t < home.y + 1440 && home.x < l + 1065 && l < home.x + 1065;
            const bool overFound = found.y < t + 1440 && t < found.y + 1440 && found.x < l + 1065 && l < found.x + 1065;
            const double cx = l + 532.5, cy = t + 720;
            const bool centred = (home.x < cx && cx < home.x + 1065 && home.y < cy && cy < home.y + 1440) ||
                                 (found.x < cx && cx < found.x + 1065 && found.y < cy && cy < found.y + 1440);
            if (overHome && overFound && !centred)
                spot = Point{l, t};
        }
    ASSERT_TRUE(spot.has_value()) << "the layout has a place overlapping both";
    drag(ace, spot->x, spot->y);
    EXPECT_EQ((std::array{play.Cell(ace), play.Pile(ace)}), (std::array<int16_t, 2>{0, 3}));
}

TEST_F(PointerTest, SpiderFoundationsTakeNoDroppedCardAndTheStockIsClicked)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    const int16_t ace = card(0, 0);
    stack(2, {ace}, 6);
    const Point foundation = place(3, 0, 0);
    drag(ace, foundation.x, foundation.y);
    EXPECT_EQ(play.Cell(ace), 0);
    EXPECT_EQ(engine().GetTransTop(), 0);

    // A press on the stock deals; no drag begins.
    shared.services.settings().write(settings::kAutoPlay, 0);
    start(QStringLiteral("Klondike"), 3);
    const int16_t stockTop = play.GetTopPicID(1, 0);
    play.MouseDown(stockTop, 0, 0);
    EXPECT_FALSE(shared.play.drag().active);
    EXPECT_FALSE(shared.services.busy);
    EXPECT_EQ(play.Cell(stockTop), 2);
}

TEST_F(PointerTest, ACardDroppedOnTheTopOfATallPileLandsThere)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    // King down to Four on pile 2: its top card lies far below where the
    // pile begins, so only a hit test on the top card finds it.
    std::vector<int16_t> tall;
    for (int16_t num = 12; num >= 3; --num)
        tall.push_back(card(0, num));
    stack(2, tall, 6);
    const int16_t three = card(1, 2);
    stack(1, {three}, 6);
    const Point top = place(0, 2, play.GetTop(0, 2));
    ASSERT_GT(top.y - place(0, 2, 0).y, 1440) << "the top card does not overlap the pile's first place";

    drag(three, top.x + 30, top.y + 200);
    EXPECT_EQ(play.Pile(three), 2);
    EXPECT_EQ(play.Pos(three), 10);
    EXPECT_EQ(engine().GetTransTop(), 1);
}

TEST_F(PointerTest, ADragBeyondTheTablesCoordinatesIsRefused)
{
    cPlay& play = start(QStringLiteral("Spiderette"), 3);
    const int16_t six = card(2, 5);
    stack(4, {six}, 6);
    stack(1, {card(1, 6)}, 6);
    const Point from = surface.cardPosition(six);
    const Point target = place(0, 1, 0);
    play.MouseDown(six, 0, 0);
    play.MouseMove(70000, 0);
    // Back over an accepting pile: still refused.
    play.MouseMove(target.x - from.x, target.y - from.y);
    EXPECT_FALSE(play.MouseUp());
    EXPECT_EQ(play.Pile(six), 4);
    EXPECT_EQ(surface.cards[six].at, from);
    EXPECT_EQ(engine().GetTransTop(), 0);
}

TEST_F(PointerTest, ANewDeckTurnsTheBacksOfFaceDownCardsOnly)
{
    cPlay& play = start(QStringLiteral("Klondike"), 3);
    const auto before = surface.cards;
    shared.services.settings().write(settings::kDeckIndex, 3);
    play.ChangeDecks();
    for (int16_t j = 0; j < play.CardCount(); ++j) {
        const auto& now = surface.cards[j];
        EXPECT_EQ(now.faceUp, before.at(j).faceUp) << j;
        if (play.FaceMode(j) == cPlay::kFaceDown)
            EXPECT_EQ(now.back, 3) << j;
        else
            EXPECT_EQ(now.face, before.at(j).face) << j;
    }
    shared.services.settings().write(settings::kDeckIndex, 99);
    play.ChangeDecks();
    EXPECT_EQ(play.DeckIndex(), 7) << "a deck that does not exist gives the default";
}

} // namespace
