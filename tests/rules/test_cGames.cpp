#include "rules/ClosedCardsSource.h"
#include "rules/RunTimeError.h"
#include "rules/cGames.h"

#include <gtest/gtest.h>

namespace {

class FixedClosedCards : public ClosedCardsSource {
public:
    int16_t closed = 0;
    int16_t ClosedCards(int16_t) const override { return closed; }
};

int errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RunTimeError& e) {
        return e.number();
    }
    return 0;
}

class GamesTest : public ::testing::Test {
protected:
    GamesTest() { games.setClosedCardsSource(&closed); }

    // A home group laid out with the given mode, other values plain.
    void home(int32_t pileOrder, int16_t posWidth = 250, int16_t div = 20, int16_t divWidth = 0)
    {
        games.Home(7, 4, 28, 0, 12, 1, 100, 1640, 1165, posWidth, div, divWidth, pileOrder, 1, 0, 2, 7);
    }

    FixedClosedCards closed;
    cGames games;
};

TEST_F(GamesTest, CellOutsideTheSixSlotsIsASubscriptError)
{
    EXPECT_EQ(errorNumber([&] { games.Piles(-1); }), RunTimeError::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { games.Order(6, 0); }), RunTimeError::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { games.GetCordX(7, 0, 0); }), RunTimeError::kSubscriptOutOfRange);
    // Slot 5 exists and is never filled.
    home(0);
    EXPECT_EQ(games.Piles(5), 0);
    EXPECT_EQ(games.Order(5, 0), 0);
}

TEST_F(GamesTest, SettersFillTheirGroupsAndGameWideFields)
{
    home(0);
    games.Res(4, 2, 10, 20, 30, 40, 5, 60, 1, -5);
    EXPECT_EQ(games.Order(4, 0), 0) << "reserve piles never build";
    EXPECT_EQ(games.AK(4), 0);
    EXPECT_EQ(games.ResNum(), -5);
    EXPECT_EQ(games.Div(4), 5);

    games.Stock(1, 2, 11, 12, 30, 2, 1);
    EXPECT_EQ(games.StockMove(), 2);
    EXPECT_EQ(games.StockNum(), 2);
    EXPECT_EQ(games.StockType(), 1);
    EXPECT_EQ(games.PosWidth(1), 30);

    games.Home(7, 4, 28, 0, 12, 5, 0, 1640, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_EQ(games.MultiMove(), -1) << "non-zero reads as True";
    EXPECT_EQ(games.MultiOrder(), 4) << "MultiOrder 0 reads as the home Order";
    games.Home(7, 4, 28, 0, 12, 0, 0, 1640, 1165, 250, 20, 0, 2, 1, 9, 2, 7);
    EXPECT_EQ(games.MultiMove(), 0);
    EXPECT_EQ(games.MultiOrder(), 9);
    EXPECT_EQ(games.HomePileOrder(), 2);
}

TEST_F(GamesTest, AceKingTagsTurnTheUpperFoundationsDownwards)
{
    home(0);
    games.Goal(4, 2, 4, 14, 0, 3495, 0, 1165, 0, 20, 0, 0);
    games.Ext(8055, 200, 52, -1, QStringLiteral("KlondikeAK"), 0, 0);
    EXPECT_EQ(games.Order(3, 0), 2);
    EXPECT_EQ(games.Order(3, 1), 2);
    EXPECT_EQ(games.Order(3, 2), 1);
    EXPECT_EQ(games.Order(3, 3), 1);
    EXPECT_EQ(games.Order(0, 3), 4) << "only the foundations are affected";

    // An odd count compares as a real number: 3 piles, 1.5 is the half.
    games.Goal(3, 2, 0, 0, 0, 0, 0, 1165, 0, 20, 0, 0);
    games.Ext(8055, 200, 52, -1, QStringLiteral("FreecellAK"), 0, 0);
    EXPECT_EQ(games.Order(3, 1), 2);
    EXPECT_EQ(games.Order(3, 2), 1);

    games.Ext(8055, 200, 52, -1, QString(), 0, 0);
    EXPECT_EQ(games.Order(3, 2), 2);
}

TEST_F(GamesTest, StockAndWasteGrowUpAndLeftBySquareRootSteps)
{
    games.Stock(1, 1, 500, 400, 30, 2, 0);
    const struct {
        int16_t pos;
        int16_t steps;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {12, 1}, {13, 2}, {30, 2}, {31, 3}, {56, 3}, {57, 4}};
    for (const auto& c : cases) {
        const cGames::Point p = games.LayoutPos(1, 9, c.pos);
        EXPECT_EQ(p,
                  (cGames::Point{static_cast<int16_t>(500 - 30 * c.steps), static_cast<int16_t>(400 - 30 * c.steps)}))
            << "position " << c.pos;
    }
}

TEST_F(GamesTest, FaceDownHomeCardsArePacked60Apart)
{
    home(0, 250, 3, 4000);
    closed.closed = 3;
    EXPECT_EQ(games.LayoutPos(0, 1, 3).y, 1640 + 180);
    EXPECT_EQ(games.LayoutPos(0, 1, 4).y, 1640 + 430);
    EXPECT_EQ(games.LayoutPos(0, 1, 1).y, 1640 + 180 - 500) << "positions below the run follow the same formula";
    // Pile 4 wraps into the second row: r = 1, q = 1.
    EXPECT_EQ(games.LayoutPos(0, 4, 3), (cGames::Point{100 + 1165, 1640 + 180 + 4000}));
    closed.closed = 0;
    EXPECT_EQ(games.LayoutPos(0, 4, 3), (cGames::Point{100 + 1165, 1640 + 750 + 4000}));
    // Other groups never pack.
    games.Goal(4, 2, 0, 0, 0, 3495, 0, 1165, 250, 20, 0, 0);
    closed.closed = 3;
    EXPECT_EQ(games.LayoutPos(3, 1, 2), (cGames::Point{3495 + 1165, 500}));
}

TEST_F(GamesTest, PileOrderModesOneToThree)
{
    home(1, 250, 2, 3000);
    EXPECT_EQ(games.LayoutPos(0, 3, 2), (cGames::Point{100 + 1165 + 3000, 1640 + 500}));

    home(2, 180, 2, 1490);
    closed.closed = 2;
    EXPECT_EQ(games.LayoutPos(0, 3, 4), (cGames::Point{100 + 1165 + 120 + 2 * 180, 1640 + 1490}));
    closed.closed = 0;
    EXPECT_EQ(games.LayoutPos(0, 3, 4), (cGames::Point{100 + 1165 + 4 * 180, 1640 + 1490}));

    home(3, 180, 5, 4500);
    EXPECT_EQ(games.LayoutPos(0, 6, 2), (cGames::Point{100 + 360 + 4500, 1640 + 1165}));

    home(4);
    EXPECT_EQ(games.LayoutPos(0, 6, 2), (cGames::Point{0, 0}));
}

TEST_F(GamesTest, RaisedFoundationsInPetalAndStala)
{
    games.Goal(4, 2, 0, 0, 0, 3495, 0, 1165, 0, 20, 0, 0);
    games.Ext(8055, 200, 52, -1, QString(), 0, 0);
    EXPECT_EQ(games.LayoutPos(3, 0, 1).y, 0);
    games.setRunningGameName(QStringLiteral("Petal"));
    EXPECT_EQ(games.LayoutPos(3, 0, 0).y, 0) << "the bottom card stays";
    EXPECT_EQ(games.LayoutPos(3, 0, 1).y, 250);
    games.setRunningGameName(QStringLiteral("Klondike"));
    games.Ext(8055, 200, 52, -1, QStringLiteral("Stala"), 0, 0);
    EXPECT_EQ(games.LayoutPos(3, 2, 5).y, 250);
}

TEST_F(GamesTest, CoordinatesCentreOnTheScreenWidthRoundingHalvesToEven)
{
    home(0);
    games.Home(7, 4, 28, 0, 12, 1, 0, 1640, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    games.Ext(8055, 200, 52, -1, QString(), 0, 0);
    games.setScreenWidth(15360);
    EXPECT_EQ(games.GetCordX(0, 0, 0), 3652) << "3652.5 rounds to even";
    games.setScreenWidth(15362);
    EXPECT_EQ(games.GetCordX(0, 0, 0), 3654) << "3653.5 rounds to even";
    EXPECT_EQ(games.GetCordY(0, 0, 0), 1640 + 200 + 360);
}

TEST_F(GamesTest, LayoutArithmeticOverflowsAndDivisionByZeroAreErrors)
{
    home(0, 250);
    games.Home(7, 4, 28, 0, 12, 1, 0, 32000, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_EQ(games.LayoutPos(0, 0, 3).y, 32750);
    EXPECT_EQ(errorNumber([&] { games.LayoutPos(0, 0, 4); }), RunTimeError::kOverflow);
    EXPECT_EQ(errorNumber([&] { games.GetCordY(0, 0, 2); }), RunTimeError::kOverflow) << "margin pushes it over";
    // An intermediate product overflows even when the sum would fit.
    games.Home(7, 4, 28, 0, 12, 1, 0, -30000, 1165, 30000, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_EQ(errorNumber([&] { games.LayoutPos(0, 0, 2); }), RunTimeError::kOverflow);
    games.setScreenWidth(100000);
    games.Home(7, 4, 28, 0, 12, 1, 0, 0, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_EQ(errorNumber([&] { games.GetCordX(0, 0, 0); }), RunTimeError::kOverflow);

    home(0, 250, 0);
    EXPECT_EQ(errorNumber([&] { games.LayoutPos(0, 1, 0); }), RunTimeError::kDivisionByZero);
}

} // namespace
