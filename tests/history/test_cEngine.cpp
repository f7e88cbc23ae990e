#include "engine/DealFixture.h"
#include "engine/DealText.h"
#include "rules/RunTimeError.h"
#include "support/CountingSounds.h"

namespace {

class HistoryTest : public ::testing::Test, public DealFixture {
protected:
    HistoryTest() { shared.services.setSounds(&sounds); }
    ~HistoryTest() override { shared.services.setSounds(nullptr); }

    cPlay& start(const char* name, double number)
    {
        cPlay& play = deal(QString::fromLatin1(name), number);
        shared.engine.ClearTRANS();
        sounds.events.clear();
        return play;
    }
    QString table() const { return DealText(shared.games, shared.play, QString(), GameNo()); }
    int16_t above(int16_t cell, int16_t pile) const { return static_cast<int16_t>(shared.play.GetTop(cell, pile) + 1); }
    // A stock card dealt to the waste as a click would.
    void turnStock()
    {
        shared.play.MoveCard(shared.play.GetTopPicID(1, 0), 2, 0, above(2, 0), cPlay::kMoveStockDeal, 0, 0,
                             cPlay::kFaceUp);
    }

    CountingSounds sounds;
    cEngine& engine = shared.engine;
};

TEST_F(HistoryTest, UndoTurnsTheUncoveredCardDownAndRedoUp)
{
    cPlay& play = start("Klondike", 1);
    const QString dealt = table();
    const int16_t moved = play.GetTopPicID(0, 3);
    const int16_t under = play.GetPicID(0, 3, 2);
    play.MoveCard(moved, 3, 0, 0, cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);
    ASSERT_EQ(engine.GetTransID(), 1);
    EXPECT_EQ(engine.tMod(1), cPlay::kMoveUncovered);
    const QString moved1 = table();

    int16_t speed = 5;
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_EQ(play.FaceMode(under), 0);
    EXPECT_EQ(play.GetTopPicID(0, 3), moved);
    EXPECT_EQ(table(), dealt);
    EXPECT_EQ(sounds.events, std::vector<SoundEvent>{SoundEvent::Undo});
    EXPECT_FALSE(engine.Undo(speed)) << "nothing left to undo";

    EXPECT_TRUE(engine.Redo(speed));
    EXPECT_EQ(play.FaceMode(under), -1);
    EXPECT_EQ(table(), moved1);
    EXPECT_FALSE(engine.Redo(speed));
    EXPECT_EQ(engine.GetTransTop(), 1) << "replayed moves are not recorded again";

    speed = 2;
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_EQ(sounds.events, (std::vector<SoundEvent>{SoundEvent::Undo, SoundEvent::Redo}))
        << "quiet at speed 2 or less";
}

TEST_F(HistoryTest, StockCardsAndRedealsTurnBackOnUndo)
{
    cPlay& play = start("Klondike", 2);
    const QString dealt = table();
    turnStock();
    turnStock();
    const int16_t first = play.GetPicID(2, 0, 0);
    engine.StartMulti();
    while (play.GetTop(2, 0) >= 0)
        play.MoveCard(play.GetTopPicID(2, 0), 1, 0, above(1, 0), cPlay::kMoveWasteBack, 2, 0, cPlay::kFaceDown);
    engine.EndMulti();
    EXPECT_EQ(play.GetTopPicID(1, 0), first);
    EXPECT_EQ(play.FaceMode(first), 0);

    int16_t speed = 5;
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_EQ(speed, 2) << "a group is undone at speed 2";
    EXPECT_EQ(play.GetTop(2, 0), 1);
    EXPECT_EQ(play.FaceMode(first), -1);
    engine.UndoAll(5);
    EXPECT_EQ(table(), dealt);
    engine.RedoAll(5);
    EXPECT_EQ(play.GetTop(2, 0), -1);
    EXPECT_EQ(play.GetTopPicID(1, 0), first);
}

TEST_F(HistoryTest, GroupsNestAndAreUndoneWhole)
{
    cPlay& play = start("Double Klondike", 3);
    play.MoveCard(play.GetTopPicID(0, 9), 0, 0, above(0, 0), cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);
    const QString beforeDeal = table();

    engine.StartMulti();
    for (int16_t i = 0; i < 10; ++i) {
        play.MoveCard(play.GetTopPicID(1, 0), 0, i, above(0, i), cPlay::kMoveStockDeal, 2, 0, cPlay::kFaceUp);
        if (i == 4) {
            // A group opened and closed inside the deal must not end it.
            engine.StartMulti();
            turnStock();
            engine.EndMulti();
        }
    }
    engine.EndMulti();
    ASSERT_EQ(engine.GetTransID(), 12);
    for (int16_t r = 2; r <= 11; ++r)
        EXPECT_EQ(engine.Multi(r), 1) << "record " << r;
    EXPECT_EQ(engine.Multi(12), 0);

    int16_t speed = 5;
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_EQ(engine.GetTransID(), 1) << "all eleven moves in one step";
    EXPECT_EQ(table(), beforeDeal);
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_EQ(engine.GetTransID(), 0);

    // MoveTo into the group lands on its far side.
    engine.MoveTo(5);
    EXPECT_EQ(engine.GetTransID(), 12);
    engine.MoveTo(3);
    EXPECT_EQ(engine.GetTransID(), 1);
    engine.MoveTo(-1);
    engine.MoveTo(13);
    EXPECT_EQ(engine.GetTransID(), 1) << "out of range does nothing";
    engine.MoveTo(0);
    EXPECT_FALSE(engine.UndoPossible());
    EXPECT_TRUE(engine.RedoPossible());
    EXPECT_TRUE(engine.MoveStarted());
}

TEST_F(HistoryTest, ANewMoveDropsTheRedoableOnesAndCapacityGrows)
{
    cPlay& play = start("Klondike", 4);
    const QString dealt = table();
    std::vector<cEngine::Transaction> first;
    for (int i = 0; i < 150; ++i) {
        if (play.GetTop(1, 0) < 0)
            while (play.GetTop(2, 0) >= 0)
                play.MoveCard(play.GetTopPicID(2, 0), 1, 0, above(1, 0), cPlay::kMoveWasteBack, 0, 0, cPlay::kFaceDown);
        turnStock();
    }
    const int16_t top = engine.GetTransTop();
    ASSERT_GT(top, 150);
    EXPECT_EQ(engine.Capacity(), (top + 99) / 100 * 100);
    // The first records survive the growth of the array.
    EXPECT_EQ(engine.SCell(1), 1);
    EXPECT_EQ(engine.DCell(1), 2);
    EXPECT_EQ(engine.DPos(1), 0);
    EXPECT_EQ(engine.DPos(2), 1);
    EXPECT_EQ(engine.tMod(100), engine.DCell(100) == 2 ? cPlay::kMoveStockDeal : cPlay::kMoveWasteBack);
    engine.UndoAll(0);
    EXPECT_EQ(table(), dealt);
    engine.MoveTo(top);
    engine.MoveTo(10);
    turnStock();
    EXPECT_EQ(engine.GetTransTop(), 11);
    EXPECT_FALSE(engine.RedoPossible());
}

TEST_F(HistoryTest, AFullHistoryKeepsEveryRecordReadable)
{
    std::vector<cEngine::Transaction> records(cEngine::kMaxRecords);
    for (size_t i = 0; i < records.size(); ++i)
        records[i] = {static_cast<int16_t>(i % 52), 0, 1, 2, 3, 0, 4, 0, 1, 0};
    records.back().PicID = 51;
    records.back().DPos = 9;
    engine.loadRecords(records);
    ASSERT_EQ(engine.GetTransTop(), cEngine::kMaxRecords);
    EXPECT_EQ(engine.PicID(1), 0);
    EXPECT_EQ(engine.DPos(cEngine::kMaxRecords), 9);
    EXPECT_EQ(engine.PicID(cEngine::kMaxRecords), 51);
    EXPECT_THROW(engine.Record(-1), RunTimeError);

    // Filled move by move up to the limit, the last record is read too.
    cPlay& play = start("Klondike", 7);
    const int16_t card = play.GetTopPicID(1, 0);
    for (int32_t i = 1; i <= cEngine::kMaxRecords; ++i)
        engine.SaveTrans(card, 2, 0, static_cast<int16_t>(i % 24), 0, cPlay::kMoveStockDeal);
    EXPECT_EQ(engine.Capacity(), cEngine::kMaxRecords);
    EXPECT_EQ(engine.SCell(cEngine::kMaxRecords), 1);
    EXPECT_EQ(engine.DPos(cEngine::kMaxRecords), cEngine::kMaxRecords % 24);
    EXPECT_THROW(engine.SaveTrans(card, 2, 0, 0, 0, cPlay::kMoveStockDeal), RunTimeError) << "no move beyond the limit";
}

TEST_F(HistoryTest, NothingReplaysWhileBusy)
{
    cPlay& play = start("Klondike", 5);
    turnStock();
    shared.services.busy = true;
    int16_t speed = 5;
    EXPECT_FALSE(engine.Undo(speed));
    EXPECT_EQ(play.GetTop(2, 0), 0);
    shared.services.busy = false;
    EXPECT_TRUE(engine.Undo(speed));
    EXPECT_FALSE(shared.services.busy) << "cleared after the step";
    EXPECT_FALSE(engine.Undo(speed));
    shared.services.busy = true;
    EXPECT_FALSE(engine.Redo(speed));
    shared.services.busy = false;
}

TEST_F(HistoryTest, GoalCardsCountEveryFoundation)
{
    cPlay& play = start("Gargantua", 6);
    EXPECT_EQ(engine.TotalGoalCards(), 0);
    for (int16_t f = 0; f < 8; ++f)
        play.MoveCard(play.GetTopPicID(1, 0), 3, f, 0, cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_EQ(engine.TotalGoalCards(), 8);
    start("Klondike AK", 6);
    EXPECT_EQ(engine.TotalGoalCards(), 4);
}

} // namespace
