#include "rules/cGames.h"
#include "rules/mKlondike.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    cGames& load(const char* name)
    {
        mKlondike::LoadGameDefinition(games, QString::fromLatin1(name));
        return games;
    }
    cGames games;
};

TEST_F(CatalogueTest, GameListHasSixtyTwoGamesInAlphabeticalIdOrder)
{
    const auto list = mKlondike::GameList();
    ASSERT_EQ(list.size(), 62u);
    std::set<QString> names;
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].Gid, static_cast<int16_t>(i + 1));
        if (i > 0) {
            EXPECT_LT(list[i - 1].gName, list[i].gName);
        }
        names.insert(list[i].gName);
        EXPECT_TRUE(list[i].IsOriginal == -1 || list[i].IsOriginal == 0);
    }
    EXPECT_EQ(names.size(), 62u);
    EXPECT_EQ(list[30].gName, QStringLiteral("Klondike"));
    EXPECT_EQ(list[30].IsOriginal, 0);
    EXPECT_EQ(list[1].gName, QStringLiteral("Athena"));
    EXPECT_EQ(list[1].IsOriginal, -1);
}

TEST_F(CatalogueTest, EveryGameIsConsistentWithItsDeckAndCanBeLaidOut)
{
    int spiders = 0;
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList()) {
        SCOPED_TRACE(entry.gName.toStdString());
        mKlondike::LoadGameDefinition(games, entry.gName);
        EXPECT_EQ(games.TotalCards(), 26 << entry.cDeck) << "deck code and cards in play agree";
        EXPECT_EQ(games.Piles(1), 1) << "every game has one stock";
        EXPECT_GE(games.Piles(0), 1);
        EXPECT_LE(games.Piles(0), 20);
        if (games.Tag() == QLatin1String("Spider")) {
            ++spiders;
            EXPECT_EQ(games.DisAutoPlay(), -1);
        }
        // Every pile of every group, fanned well beyond a deal, stays on a
        // 1024-pixel-wide screen's coordinate range.
        for (int16_t cell = 0; cell < 5; ++cell)
            for (int16_t pile = 0; pile < games.Piles(cell); ++pile)
                for (int16_t pos = 0; pos < 30; ++pos)
                    EXPECT_NO_THROW((games.GetCordX(cell, pile, pos), games.GetCordY(cell, pile, pos)));
    }
    EXPECT_EQ(spiders, 7);
}

TEST_F(CatalogueTest, DistinctiveDefinitions)
{
    const cGames& stripped = load("Stripped Klondike");
    EXPECT_EQ(stripped.TotalCards(), 26);
    EXPECT_EQ(stripped.Piles(0), 5);
    EXPECT_EQ(stripped.Piles(3), 2);

    EXPECT_EQ(load("Carlton").StartX(0), 632);
    EXPECT_EQ(games.MultiOrder(), 4);
    EXPECT_EQ(load("Old Carlton").MultiOrder(), 9);
    EXPECT_EQ(load("Gargantua").StartX(0), 532);
    EXPECT_EQ(load("Steps").StartX(0), 1798);

    const cGames& ak = load("Klondike AK");
    EXPECT_EQ(ak.Tag(), QStringLiteral("KlondikeAK"));
    EXPECT_EQ(ak.GoalType(), 14);
    EXPECT_EQ(ak.Order(3, 3), 1);

    EXPECT_EQ(load("Marathon").GoalDiv(), 4);
    EXPECT_EQ(games.Div(3), 1);
    EXPECT_EQ(games.DivWidth(3), 1540);

    const cGames& fan = load("Fan Klondike");
    EXPECT_EQ(fan.HomePileOrder(), 2);
    EXPECT_EQ(fan.StartY(0), 0);
    EXPECT_EQ(fan.PileWidth(0), 4000);
    EXPECT_EQ(fan.PosWidth(0), 180);
    EXPECT_EQ(fan.Div(0), 2);
    EXPECT_EQ(fan.DivWidth(0), 1490);
    EXPECT_EQ(fan.PileOrder(3), 3);
    EXPECT_EQ(fan.StartY(3), 500);
    EXPECT_EQ(fan.StartY(1), 500);
    EXPECT_EQ(fan.BaseY(), 50);
    EXPECT_EQ(fan.Piles(2), 0);

    const cGames& vertical = load("Vertical Klondike");
    EXPECT_EQ(vertical.HomePileOrder(), 3);
    EXPECT_EQ(vertical.StartX(2), 6590);
    EXPECT_EQ(vertical.StartY(2), 3920);

    const cGames& king = load("King Albert");
    EXPECT_EQ(king.Piles(4), 7);
    EXPECT_EQ(king.Cards(4), 7);
    EXPECT_EQ(king.ResNum(), -5);
    EXPECT_EQ(king.StartY(4), 5760);
    EXPECT_EQ(king.Div(4), 20);

    const cGames& klondike = load("Klondike");
    EXPECT_EQ(klondike.Piles(0), 7);
    EXPECT_EQ(klondike.StartY(0), 1640);
    EXPECT_EQ(klondike.PosWidth(0), 250);
    EXPECT_EQ(klondike.StartX(2), 1265);
    EXPECT_EQ(klondike.PosWidth(2), 30);
    EXPECT_EQ(klondike.BaseX(), 8055);
    EXPECT_EQ(klondike.BaseY(), 200);
    EXPECT_EQ(klondike.StockNum(), 2);
    EXPECT_EQ(klondike.Redeals(), -1);
    EXPECT_EQ(klondike.Piles(4), 0);
    EXPECT_EQ(klondike.ResNum(), -1);
}

TEST_F(CatalogueTest, UnknownOrMiscasedNameResetsOnlyWasteAndReserve)
{
    load("Klondike Freecell");
    ASSERT_EQ(games.Piles(4), 2);
    ASSERT_EQ(games.Piles(2), 1);
    EXPECT_FALSE(mKlondike::IsGameName(QStringLiteral("klondike freecell")));
    load("klondike freecell");
    EXPECT_EQ(games.Piles(4), 0);
    EXPECT_EQ(games.Piles(2), 0);
    EXPECT_EQ(games.PosWidth(2), 30);
    EXPECT_EQ(games.Div(4), 20);
    EXPECT_EQ(games.ResNum(), -1);
    EXPECT_EQ(games.Piles(0), 8) << "the home piles keep the previous game";
    EXPECT_EQ(games.Tag(), QStringLiteral("Freecell"));
    EXPECT_TRUE(mKlondike::IsGameName(QStringLiteral("Klondike Freecell")));
}

} // namespace
