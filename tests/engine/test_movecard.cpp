#include "DealFixture.h"
#include "engine/MoveHooks.h"

namespace {

struct Record {
    int16_t picID, dCell, dPile, dPos, mCards;
    int32_t tMod;
    // Where the card lay when the move was recorded.
    int16_t sCell, sPile, sPos;
};

class Hooks : public MoveRecorder {
public:
    explicit Hooks(const cPlay& play) : play_(play) {}
    void SaveTrans(int16_t picID, int16_t dCell, int16_t dPile, int16_t dPos, int16_t mCards, int32_t tMod) override
    {
        records.push_back(
            {picID, dCell, dPile, dPos, mCards, tMod, play_.Cell(picID), play_.Pile(picID), play_.Pos(picID)});
    }
    void StartMulti() override {}
    void EndMulti() override {}

    std::vector<Record> records;

private:
    const cPlay& play_;
};

class MoveCardTest : public ::testing::Test, public DealFixture {
protected:
    MoveCardTest() { shared.play.setRecorder(&hooks); }
    ~MoveCardTest() override { shared.play.setRecorder(nullptr); }
    int16_t above(int16_t cell, int16_t pile) const { return static_cast<int16_t>(shared.play.GetTop(cell, pile) + 1); }

    Hooks hooks{shared.play};
};

TEST_F(MoveCardTest, UncoveringTurnsTheCardUpAndRecordsKindThree)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 1);
    const int16_t moved = play.GetTopPicID(0, 3);
    const int16_t under = play.GetPicID(0, 3, 2);
    ASSERT_EQ(play.FaceMode(under), 0);

    play.MoveCard(moved, 3, 0, 0, cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);

    EXPECT_EQ(play.FaceMode(under), -1);
    EXPECT_TRUE(surface.cards[under].faceUp);
    EXPECT_EQ(play.GetTop(0, 3), 2);
    EXPECT_EQ(play.GetTopPicID(3, 0), moved);
    EXPECT_EQ(play.Cell(moved), 3);
    ASSERT_EQ(hooks.records.size(), 1u);
    const Record& r = hooks.records[0];
    EXPECT_EQ(r.tMod, cPlay::kMoveUncovered);
    EXPECT_EQ(r.picID, moved);
    EXPECT_EQ((std::array{r.dCell, r.dPile, r.dPos, r.mCards}), (std::array<int16_t, 4>{3, 0, 0, 0}));
    EXPECT_EQ((std::array{r.sCell, r.sPile, r.sPos}), (std::array<int16_t, 3>{0, 3, 3})) << "recorded before it leaves";
}

TEST_F(MoveCardTest, MovesByTheHistoryNeitherTurnNorRecord)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 1);
    const int16_t moved = play.GetTopPicID(0, 4);
    const int16_t under = play.GetPicID(0, 4, 3);
    play.MoveCard(moved, 0, 0, above(0, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_EQ(play.FaceMode(under), 0);
    EXPECT_TRUE(hooks.records.empty());

    const int16_t stockTop = play.GetTopPicID(1, 0);
    play.MoveCard(stockTop, 2, 0, 0, cPlay::kMoveStockDeal, 1, 0, cPlay::kFaceUp);
    play.MoveCard(stockTop, 1, 0, above(1, 0), cPlay::kMoveWasteBack, 2, 0, cPlay::kFaceDown);
    ASSERT_EQ(hooks.records.size(), 2u);
    EXPECT_EQ(hooks.records[0].tMod, cPlay::kMoveStockDeal);
    EXPECT_EQ(hooks.records[1].tMod, cPlay::kMoveWasteBack);
    EXPECT_EQ(play.FaceMode(stockTop), 0);
}

TEST_F(MoveCardTest, CardsLyingOnTheMovedCardTravelWithIt)
{
    cPlay& play = deal(QStringLiteral("Simple Simon"), 3); // every card face up
    const int16_t base = play.GetPicID(0, 0, 5);
    const int16_t run1 = play.GetPicID(0, 0, 6);
    const int16_t run2 = play.GetPicID(0, 0, 7);
    const int16_t dest = above(0, 9);
    play.MoveCard(base, 0, 9, dest, cPlay::kMovePlayer, 3, 2, cPlay::kFaceUp);

    EXPECT_EQ(play.GetTop(0, 0), 4);
    EXPECT_EQ(play.GetTop(0, 9), dest + 2);
    EXPECT_EQ(play.GetPicID(0, 9, dest), base);
    EXPECT_EQ(play.GetPicID(0, 9, dest + 1), run1);
    EXPECT_EQ(play.GetPicID(0, 9, dest + 2), run2);
    EXPECT_EQ(play.Pos(run2), dest + 2);
    EXPECT_EQ(play.GetPicID(0, 0, 6), -1) << "emptied slots hold -1";
    // The carried cards travel with the moved one, in as many steps.
    EXPECT_EQ(surface.cards[base].moves.back().size(), 3u);
    EXPECT_EQ(surface.cards[run1].moves.back().size(), 3u);
    EXPECT_EQ(surface.cards[run2].at,
              (CardSurface::Point{shared.games.GetCordX(0, 9, dest + 2), shared.games.GetCordY(0, 9, dest + 2)}));
    EXPECT_GT(surface.cards[run2].z, surface.cards[base].z) << "placed cards come to the front in order";
    ASSERT_EQ(hooks.records.size(), 1u);
    EXPECT_EQ(hooks.records[0].mCards, 2);
}

TEST_F(MoveCardTest, AFullFoundationTakesNoFourteenthCardExceptUnderSpider)
{
    for (const char* name : {"Klondike", "Spiderette"}) {
        SCOPED_TRACE(name);
        cPlay& play = deal(QString::fromLatin1(name), 2);
        for (int i = 0; i < 13; ++i)
            play.MoveCard(play.GetTopPicID(1, 0), 3, 0, above(3, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
        ASSERT_EQ(play.GetTop(3, 0), 12);
        const int16_t next = play.GetTopPicID(1, 0);
        const bool spider = shared.games.Tag() == QLatin1String("Spider");
        play.MoveCard(next, 3, 0, 13, cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);
        EXPECT_EQ(play.GetTop(3, 0), spider ? 13 : 12);
        EXPECT_EQ(play.Cell(next), spider ? 3 : 1);
        EXPECT_EQ(hooks.records.size(), spider ? 1u : 0u) << "a refused move is not recorded";
        hooks.records.clear();
    }
}

TEST_F(MoveCardTest, GridsGrowForPilesLongerThanPlanned)
{
    cPlay& play = deal(QStringLiteral("Klondike"), 4);
    // Home piles are planned for 52/7 + 13 = 20 positions; stack the whole stock on pile 0.
    while (play.GetTop(1, 0) >= 0)
        play.MoveCard(play.GetTopPicID(1, 0), 0, 0, above(0, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_EQ(play.GetTop(0, 0), 24);
    EXPECT_EQ(play.Pos(play.GetTopPicID(0, 0)), 24);
}

TEST(StepPositions, StepsLeadEvenlyToTheDestination)
{
    const CardSurface::Point from{1000, 2000};
    const CardSurface::Point to{1300, 1600};
    EXPECT_EQ(cPlay::StepPositions(from, to, 0), (std::vector<CardSurface::Point>{to})) << "no intermediate position";
    EXPECT_EQ(cPlay::StepPositions(from, to, 1), (std::vector<CardSurface::Point>{to}));
    EXPECT_EQ(cPlay::StepPositions(from, to, 4),
              (std::vector<CardSurface::Point>{{1075, 1900}, {1150, 1800}, {1225, 1700}, to}));
    EXPECT_EQ(cPlay::StepPositions(from, {1001, 2000}, 2),
              (std::vector<CardSurface::Point>{{1000, 2000}, {1001, 2000}}))
        << "half a twip rounds to even";
}

} // namespace
