// Random legal play of many games, then the whole history undone and redone.
// Undo all must give back the table as dealt, and redo all the table as it
// was before the undo, whatever moves, deals, redeals and automatic moves
// were made.

#include "engine/PlayFixture.h"
#include "support/RandomPlayer.h"

namespace {

struct RandomPlayCase {
    QString game;
    int number;
};

void PrintTo(const RandomPlayCase& c, std::ostream* os) { *os << c.game.toStdString() << " " << c.number; }

std::vector<RandomPlayCase> randomPlayCases()
{
    std::vector<RandomPlayCase> cases;
    int number = 1;
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList())
        for (int deal = 0; deal < 2; ++deal)
            cases.push_back({entry.gName, number++ * 7919});
    return cases;
}

class RandomPlayTest : public ::testing::TestWithParam<RandomPlayCase>, public PlayFixture {
protected:
    // Every card is where its record says, and each pile's top is its last
    // card.
    void expectConsistentTable(const char* when)
    {
        const cPlay& play = shared.play;
        for (int16_t j = 0; j < play.CardCount(); ++j)
            ASSERT_EQ(play.GetPicID(play.Cell(j), play.Pile(j), play.Pos(j)), j) << when << ", card " << j;
        for (int16_t cell = 0; cell < cPlay::kCells; ++cell)
            for (int16_t p = 0; p < shared.games.Piles(cell); ++p)
                for (int16_t pos = 0; pos <= play.GetTop(cell, p); ++pos)
                    ASSERT_GE(play.GetPicID(cell, p, pos), 0) << when << ", hole at " << cell << "/" << p << "/" << pos;
    }
};

TEST_P(RandomPlayTest, UndoAllGivesTheDealAndRedoAllThePlayBack)
{
    const RandomPlayCase& c = GetParam();
    cPlay& play = start(c.game, c.number);
    const auto dealt = table();
    play.AutoMoveCheck();

    RandomPlayer player(shared, static_cast<uint32_t>(c.number));
    for (int i = 0; i < 150 && player.step(); ++i) {
    }
    expectConsistentTable("after play");
    const auto played = table();
    const int16_t moves = shared.engine.GetTransTop();

    shared.engine.UndoAll(0);
    EXPECT_EQ(shared.engine.GetTransID(), 0);
    EXPECT_TRUE(table() == dealt) << "undo all after " << moves << " moves";

    shared.engine.RedoAll(0);
    EXPECT_EQ(shared.engine.GetTransID(), moves);
    EXPECT_TRUE(table() == played) << "redo all of " << moves << " moves";
    expectConsistentTable("after redo all");
}

INSTANTIATE_TEST_SUITE_P(AllGames, RandomPlayTest, ::testing::ValuesIn(randomPlayCases()),
                         [](const ::testing::TestParamInfo<RandomPlayCase>& info) {
                             QString name = info.param.game;
                             name.remove(QLatin1Char(' '));
                             return name.toStdString() + "_" + std::to_string(info.param.number);
                         });

} // namespace
