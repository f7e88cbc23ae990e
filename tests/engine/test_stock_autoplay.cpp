#include "PlayFixture.h"
#include "history/mFile.h"
#include "support/CountingSounds.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

class StockAndAutoPlayTest : public ::testing::Test, public PlayFixture {
protected:
    StockAndAutoPlayTest() { shared.services.setSounds(&sounds); }
    ~StockAndAutoPlayTest() override { shared.services.setSounds(nullptr); }

    int16_t stockSize() const { return pileSize(1, 0); }
    std::vector<int16_t> pileCards(int16_t cell, int16_t pile) const
    {
        std::vector<int16_t> cards;
        for (int16_t pos = 0; pos <= shared.play.GetTop(cell, pile); ++pos)
            cards.push_back(shared.play.GetPicID(cell, pile, pos));
        return cards;
    }
    void setAutoPlay(int32_t on) { shared.services.settings().write(settings::kAutoPlay, on); }
    bool undo()
    {
        int16_t speed = 0;
        return shared.engine.Undo(speed);
    }
    bool redo()
    {
        int16_t speed = 0;
        return shared.engine.Redo(speed);
    }
    // Puts `card` on top of the stock, face down.
    void toStockTop(int16_t card, int16_t dump)
    {
        uncover(card, dump);
        shared.play.MoveCard(card, 1, 0, above(1, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceDown);
    }

    CountingSounds sounds;
    cEngine& engine = shared.engine;
};

TEST_F(StockAndAutoPlayTest, DealingToEveryPileIsOneStepAndReachesEmptyPiles)
{
    cPlay& play = start(QStringLiteral("Double Spiderette"), 1);
    ASSERT_EQ(shared.games.Piles(0), 10);
    stack(3, {}, 4);
    const auto before = table();
    std::vector<int16_t> sizes = homeSizes();
    const int16_t stockTop = play.GetTopPicID(1, 0);

    play.StockClick();

    for (int16_t p = 0; p < 10; ++p) {
        EXPECT_EQ(pileSize(0, p), sizes[static_cast<size_t>(p)] + 1) << "pile " << p;
        EXPECT_EQ(play.FaceMode(play.GetTopPicID(0, p)), cPlay::kFaceUp) << "pile " << p;
    }
    EXPECT_EQ(play.GetTopPicID(0, 0), stockTop) << "the stock's top card goes to the first pile";
    EXPECT_EQ(pileSize(0, 3), 1) << "an empty pile receives a card too";
    EXPECT_EQ(engine.GetTransTop(), 10);
    EXPECT_EQ(engine.tMod(1), cPlay::kMoveStockDeal);

    EXPECT_TRUE(undo());
    EXPECT_EQ(engine.GetTransID(), 0) << "the ten cards go back in one step";
    EXPECT_EQ(table(), before);

    // Deal the stock out: the last click deals what is left.
    int16_t left = stockSize();
    while (left > 10) {
        play.StockClick();
        EXPECT_EQ(stockSize(), left - 10);
        left = stockSize();
    }
    ASSERT_GT(left, 0);
    sizes = homeSizes();
    play.StockClick();
    EXPECT_EQ(stockSize(), 0);
    for (int16_t p = 0; p < 10; ++p)
        EXPECT_EQ(pileSize(0, p), sizes[static_cast<size_t>(p)] + (p < left ? 1 : 0)) << "pile " << p;
}

TEST_F(StockAndAutoPlayTest, OtherGamesTurnOneStockCardOntoTheWaste)
{
    setAutoPlay(0);
    cPlay& play = start(QStringLiteral("Klondike"), 5);
    const int16_t stock = stockSize();
    const int16_t first = play.GetTopPicID(1, 0);
    play.StockClick();
    const int16_t second = play.GetTopPicID(1, 0);
    play.StockClick();

    EXPECT_EQ(stockSize(), stock - 2);
    EXPECT_EQ(pileCards(2, 0), (std::vector<int16_t>{first, second}));
    EXPECT_EQ(play.FaceMode(second), cPlay::kFaceUp);
    EXPECT_EQ(engine.GetTransTop(), 2) << "one card, one step";
    EXPECT_EQ(engine.tMod(2), cPlay::kMoveStockDeal);

    // A stock whose cards are dragged one by one is not clicked.
    cPlay& open = start(QStringLiteral("Open Klondike"), 5);
    const auto before = table();
    open.StockClick();
    EXPECT_EQ(table(), before);
}

TEST_F(StockAndAutoPlayTest, ARedealLimitOfOneTurnsTheWasteBackOnce)
{
    setAutoPlay(0);
    cPlay& play = start(QStringLiteral("Blind Alleys"), 7);
    ASSERT_EQ(shared.games.Redeals(), 1);
    ASSERT_EQ(shared.games.StockNum(), 2);
    const std::vector<int16_t> stock = pileCards(1, 0);
    while (stockSize() > 0)
        play.StockClick();
    EXPECT_EQ(play.StockMarker(), cPlay::kMarkerRedeal);
    const int16_t dealt = engine.GetTransTop();

    play.EmptyStockClick();

    EXPECT_EQ(pileCards(1, 0), stock) << "the stock is back in its first order";
    EXPECT_EQ(pileSize(2, 0), 0);
    for (const int16_t card : stock)
        EXPECT_EQ(play.FaceMode(card), cPlay::kFaceDown);
    EXPECT_EQ(session.redealsComp, 1);
    EXPECT_EQ(shared.games.StockNum(), 1) << "no further redeal";
    EXPECT_EQ((surface.markers[{CardSurface::Marker::Stock, 0}].number), cPlay::kMarkerNoRedeal);
    EXPECT_EQ(engine.GetTransTop(), dealt + static_cast<int16_t>(stock.size()));
    EXPECT_EQ(engine.tMod(engine.GetTransTop()), cPlay::kMoveWasteBack);

    while (stockSize() > 0)
        play.StockClick();
    const auto before = table();
    play.EmptyStockClick();
    EXPECT_EQ(table(), before) << "the redeal is used up";
    EXPECT_EQ(session.redealsComp, 1);

    // The redeal is one step of undo: the waste comes back face up.
    start(QStringLiteral("Blind Alleys"), 7);
    shared.games.setStockNum(2);
    while (stockSize() > 0)
        play.StockClick();
    const auto dealtOut = table();
    play.EmptyStockClick();
    EXPECT_TRUE(undo());
    EXPECT_EQ(table(), dealtOut);
}

TEST_F(StockAndAutoPlayTest, UnlimitedRedealsAndNoneOutsideARunningGame)
{
    setAutoPlay(0);
    cPlay& play = start(QStringLiteral("Klondike"), 3);
    ASSERT_EQ(shared.games.Redeals(), -1);
    const std::vector<int16_t> stock = pileCards(1, 0);
    for (int round = 1; round <= 3; ++round) {
        while (stockSize() > 0)
            play.StockClick();
        play.EmptyStockClick();
        EXPECT_EQ(pileCards(1, 0), stock) << "round " << round;
    }
    EXPECT_EQ(session.redealsComp, 3);
    EXPECT_EQ(shared.games.StockNum(), 2);

    // A finished game replaying itself is not played on.
    while (stockSize() > 0)
        play.StockClick();
    session.running = false;
    const int16_t top = engine.GetTransTop();
    play.EmptyStockClick();
    EXPECT_EQ(engine.GetTransTop(), top);
    EXPECT_EQ(pileSize(1, 0), 0);
}

TEST_F(StockAndAutoPlayTest, TheStockMarkerShowsWhetherAnythingIsLeftToRedeal)
{
    cPlay& play = start(QStringLiteral("Klondike"), 3);
    EXPECT_EQ(play.StockMarker(), cPlay::kMarkerRedeal);
    while (stockSize() > 0)
        play.MoveCard(play.GetTopPicID(1, 0), 0, 6, above(0, 6), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    EXPECT_EQ(play.StockMarker(), cPlay::kMarkerNoRedeal);
}

TEST_F(StockAndAutoPlayTest, AutoPlayCascadesCardByCardAsOneStep)
{
    cPlay& play = start(QStringLiteral("Klondike"), 11);
    const std::vector<int16_t> spades = groupKingToAce(0);
    const int16_t ace = spades[12];
    const int16_t two = spades[11];
    stack(0, {ace}, 6);
    stack(1, {two}, 6);
    EXPECT_EQ(play.Cell(ace), 0) << "moves made by the history are not followed by automatic play";
    const auto before = table();

    play.AutoMoveCheck();

    EXPECT_EQ((std::array{play.Cell(ace), play.Pile(ace), play.Pos(ace)}), (std::array<int16_t, 3>{3, 0, 0}));
    EXPECT_EQ((std::array{play.Cell(two), play.Pile(two), play.Pos(two)}), (std::array<int16_t, 3>{3, 0, 1}));
    EXPECT_EQ(sounds.count(SoundEvent::AutoPlay), engine.GetTransTop());
    EXPECT_TRUE(undo());
    EXPECT_EQ(engine.GetTransID(), 0) << "the whole chain is one step";
    EXPECT_EQ(table(), before);
    EXPECT_TRUE(redo());
    EXPECT_EQ(play.Cell(two), 3);

    // A player's move is followed by automatic play, which is its own step.
    start(QStringLiteral("Klondike"), 11);
    stack(0, {ace}, 6);
    const int16_t target = play.GetTopPicID(0, 1);
    play.MoveCard(ace, 0, 1, above(0, 1), cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);
    EXPECT_EQ(play.Cell(ace), 3) << "it went on up";
    ASSERT_GE(engine.GetTransTop(), 2);
    EXPECT_TRUE(undo());
    EXPECT_EQ((std::array{play.Cell(ace), play.Pile(ace)}), (std::array<int16_t, 2>{0, 1}));
    EXPECT_EQ(play.GetPicID(0, 1, static_cast<int16_t>(play.Pos(ace) - 1)), target);
}

// "Card Moving Speed" is the steps of every card the player sees move: the
// deal, a stock click, a player's move and automatic play. It changes only
// how the pictures travel: the game file is the same at every speed.
TEST_F(StockAndAutoPlayTest, EveryMoveTravelsAtTheCardSpeedAndIsRecordedAlike)
{
    QTemporaryDir dir;
    const auto playAt = [&](int32_t speed) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        const size_t steps = static_cast<size_t>(std::clamp(speed, 1, 50));
        shared.services.settings().write(settings::kCardSpeed, speed);
        surface.cards.clear();
        cPlay& play = start(QStringLiteral("Klondike"), 11);
        // Put into the stock at once, then dealt from it.
        const auto& dealt = surface.cards[play.GetTopPicID(0, 6)].moves;
        EXPECT_EQ(dealt.size(), 2u);
        EXPECT_EQ(dealt.back().size(), steps) << "dealt from the stock";
        setAutoPlay(0);
        const std::vector<int16_t> spades = groupKingToAce(0);
        stack(0, {spades[12]}, 6);
        stack(1, {spades[11]}, 6);
        const int16_t turned = play.GetTopPicID(1, 0);
        play.StockClick();
        EXPECT_EQ(surface.cards[turned].moves.back().size(), steps) << "turned onto the waste";

        setAutoPlay(1);
        EXPECT_TRUE(play.PlayerMove(spades[12], 3, 0));
        EXPECT_EQ(surface.cards[spades[12]].moves.back().size(), steps) << "the player's move";
        EXPECT_EQ(play.Cell(spades[11]), 3);
        EXPECT_EQ(surface.cards[spades[11]].moves.back().size(), steps) << "automatic play";

        const QString file = dir.filePath(QString::number(speed));
        engine.SavetoFile(file);
        QFile saved(file);
        EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
        return saved.readAll();
    };
    const QByteArray instant = playAt(0);
    EXPECT_FALSE(instant.isEmpty());
    EXPECT_EQ(playAt(7), instant);
    EXPECT_EQ(playAt(50), instant);
    EXPECT_EQ(playAt(900), instant) << "held to the slowest";
}

TEST_F(StockAndAutoPlayTest, NothingMovesByItselfWhenAutoPlayIsOffOrNoGameIsInPlay)
{
    cPlay& play = start(QStringLiteral("Klondike"), 11);
    const int16_t ace = groupKingToAce(0)[12];
    stack(0, {ace}, 6);

    setAutoPlay(0);
    play.AutoMoveCheck();
    EXPECT_EQ(play.Cell(ace), 0) << "auto-play off";

    setAutoPlay(1);
    session.status = 2;
    play.AutoMoveCheck();
    EXPECT_EQ(play.Cell(ace), 0) << "a finished game on show";

    session.status = 1;
    mKlondike::LoadGameDefinition(shared.games, QStringLiteral("Klondike"));
    shared.games.Ext(shared.games.BaseX(), shared.games.BaseY(), shared.games.TotalCards(), shared.games.Redeals(),
                     shared.games.Tag(), -1, shared.games.GoalDiv());
    play.AutoMoveCheck();
    EXPECT_EQ(play.Cell(ace), 0) << "a game without automatic play";
    EXPECT_EQ(engine.GetTransTop(), 0);
    EXPECT_EQ(sounds.count(SoundEvent::AutoPlay), 0);
}

TEST_F(StockAndAutoPlayTest, AutoPlayTriesHomeThenReserveThenWaste)
{
    setAutoPlay(0);
    cPlay& play = start(QStringLiteral("Klondike Freecell"), 2);
    ASSERT_GE(shared.games.Piles(4), 1);
    const int16_t spadeAce = groupKingToAce(0)[12];
    const int16_t heartAce = groupKingToAce(1)[12];
    const int16_t clubAce = groupKingToAce(2)[12];
    stack(2, {clubAce}, 6);
    play.MoveCard(clubAce, 2, 0, above(2, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    stack(1, {heartAce}, 6);
    play.MoveCard(heartAce, 4, 0, 0, cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    stack(0, {spadeAce}, 6);
    setAutoPlay(1);

    play.AutoMoveCheck();

    EXPECT_EQ(play.GetPicID(3, 0, 0), spadeAce);
    EXPECT_EQ(play.GetPicID(3, 1, 0), heartAce);
    EXPECT_EQ(play.GetPicID(3, 2, 0), clubAce);
}

TEST_F(StockAndAutoPlayTest, ACompletedSpiderRunGoesToItsGroupsFoundation)
{
    cPlay& play = start(QStringLiteral("Double Spiderette"), 4);
    ASSERT_EQ(shared.games.DisAutoPlay(), -1) << "runs are cleared all the same";
    const std::vector<int16_t> run = groupKingToAce(6);

    // Twelve cards are never examined.
    stack(2, std::vector<int16_t>(run.begin(), run.end() - 1), 9);
    play.AutoMoveCheck();
    EXPECT_EQ(pileSize(0, 2), 12);

    uncover(run[12], 9, 2);
    play.MoveCard(run[12], 0, 2, above(0, 2), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    const auto before = table();
    play.AutoMoveCheck();
    EXPECT_EQ(pileSize(0, 2), 0);
    EXPECT_EQ(pileCards(3, 6), std::vector<int16_t>(run.rbegin(), run.rend())) << "Ace first, King on top";
    EXPECT_EQ(engine.GetTransTop(), 13);
    EXPECT_TRUE(undo());
    EXPECT_EQ(engine.GetTransID(), 0);
    EXPECT_EQ(table(), before);

    // With GoalDiv the foundation is the group's number modulo it.
    shared.games.Ext(shared.games.BaseX(), shared.games.BaseY(), shared.games.TotalCards(), shared.games.Redeals(),
                     shared.games.Tag(), shared.games.DisAutoPlay(), 4);
    play.AutoMoveCheck();
    EXPECT_EQ(pileSize(3, 2), 13);
    EXPECT_EQ(pileSize(3, 6), 0);
}

TEST_F(StockAndAutoPlayTest, ARunClearedByAStockDealStaysInsideTheDealsStep)
{
    cPlay& play = start(QStringLiteral("Double Spiderette"), 4);
    const std::vector<int16_t> run = groupKingToAce(3);
    stack(0, std::vector<int16_t>(run.begin(), run.end() - 1), 9);
    toStockTop(run[12], 9);
    // Laying the run out may have taken cards from the stock.
    const int16_t dealt = std::min<int16_t>(10, stockSize());
    ASSERT_GE(dealt, 2);
    const auto before = table();

    play.StockClick();

    EXPECT_EQ(pileSize(3, 3), 13) << "the dealt Ace completed the run";
    EXPECT_EQ(engine.GetTransTop(), dealt + 13);
    EXPECT_EQ(engine.Multi(static_cast<int16_t>(dealt + 13)), 0);
    EXPECT_TRUE(undo());
    EXPECT_EQ(engine.GetTransID(), 0) << "deal and clearing undo together";
    EXPECT_EQ(table(), before);
    const int16_t pileOneBefore = pileSize(0, 1);
    EXPECT_TRUE(redo());
    EXPECT_EQ(engine.GetTransID(), dealt + 13);
    EXPECT_EQ(pileSize(3, 3), 13);
    EXPECT_EQ(pileSize(0, 1), pileOneBefore + 1) << "the deal went on after the clearing";
}

TEST_F(StockAndAutoPlayTest, AWonGameIsReportedOnceWhenTheLastCardGoesUp)
{
    cPlay& play = start(QStringLiteral("Klondike"), 21);
    std::vector<std::vector<int16_t>> suits;
    for (int16_t g = 0; g < 4; ++g) {
        suits.push_back(groupKingToAce(g));
        stack(g, {suits.back()[0]}, 6);
    }
    // Everything but the Kings goes up, Ace first.
    for (int16_t rank = 12; rank >= 1; --rank)
        for (int16_t g = 0; g < 4; ++g) {
            const int16_t card = suits[static_cast<size_t>(g)][static_cast<size_t>(rank)];
            uncover(card, 5);
            play.MoveCard(card, 3, g, above(3, g), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
        }
    ASSERT_EQ(play.GoalCards(), 48);
    EXPECT_EQ(session.wins, 0);

    bool finishedWhenTold = false;
    session.onWon = [&] {
        finishedWhenTold = play.GoalCards() == 52 && engine.GetTransTop() == 4 && engine.Multi(4) == 0;
    };
    // The player puts one King up; automatic play takes the other three.
    play.MoveCard(suits[3][0], 3, 3, above(3, 3), cPlay::kMovePlayer, 1, 0, cPlay::kFaceUp);

    EXPECT_EQ(play.GoalCards(), 52);
    EXPECT_EQ(session.wins, 1);
    EXPECT_TRUE(finishedWhenTold) << "told after the moves and their step were complete";

    // Taking cards down and putting them back up again does not win the game
    // a second time, step by step or all at once.
    EXPECT_TRUE(undo());
    EXPECT_EQ(play.GoalCards(), 49);
    EXPECT_TRUE(redo());
    EXPECT_EQ(play.GoalCards(), 52);
    engine.UndoAll(0);
    engine.RedoAll(0);
    EXPECT_EQ(play.GoalCards(), 52);
    EXPECT_EQ(session.wins, 1);
}

} // namespace

namespace {

// Marathon's four foundations take its 104 cards: Ace to King in alternate
// colours twice over, the second Ace on the first King. A winning line laid
// out by hand, every card checked by the move rules before it goes up.
TEST_F(StockAndAutoPlayTest, MarathonCanBeWonWithTwentySixCardsOnEachFoundation)
{
    cPlay& play = start(QStringLiteral("Marathon"), 8);
    setAutoPlay(0);
    ASSERT_EQ(play.CardCount(), 104);
    ASSERT_EQ(shared.games.Piles(3), 4);
    EXPECT_EQ(play.foundationCapacity(), 26);

    std::vector<bool> used(104, false);
    for (int16_t f = 0; f < 4; ++f)
        for (int16_t j = 0; j <= play.GetTop(3, f); ++j)
            used[static_cast<size_t>(play.GetPicID(3, f, j))] = true;
    for (int16_t height = 0; height < 26; ++height)
        for (int16_t f = 0; f < 4; ++f) {
            if (play.GetTop(3, f) >= height)
                continue;
            // The next rank, of the other colour than the card below.
            const int16_t rank = static_cast<int16_t>((play.BaseRank() + height) % 13);
            int16_t next = -1;
            for (int16_t j = 0; j < play.CardCount() && next < 0; ++j)
                if (!used[static_cast<size_t>(j)] && play.Num(j) == rank &&
                    (height == 0 || play.Color(j) != play.Color(play.GetTopPicID(3, f))))
                    next = j;
            ASSERT_GE(next, 0) << "no card for foundation " << f << " at " << height;
            used[static_cast<size_t>(next)] = true;
            // What covers the card goes to another home pile, as recorded
            // moves, so the whole line can be saved and opened again.
            while (play.GetTopPicID(play.Cell(next), play.Pile(next)) != next) {
                const int16_t dump = play.Cell(next) == 0 && play.Pile(next) == 0 ? 1 : 0;
                play.MoveCard(play.GetTopPicID(play.Cell(next), play.Pile(next)), 0, dump, above(0, dump),
                              cPlay::kMovePlayer, 0, 0, cPlay::kFaceUp);
            }
            ASSERT_TRUE(play.CanDrop(next, 0, 3, f)) << "foundation " << f << " takes card " << height + 1;
            play.MoveCard(next, 3, f, above(3, f), cPlay::kMovePlayer, 0, 0, cPlay::kFaceUp);
            ASSERT_EQ(play.Cell(next), 3);
        }
    EXPECT_EQ(play.GoalCards(), 104);
    EXPECT_EQ(session.wins, 1);

    // Full: a foundation takes no 27th card.
    EXPECT_FALSE(play.CanGoToFoundation(play.GetPicID(3, 1, 0), 0));

    // The won game is saved and opens again, all 104 cards home.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Marathon-8.tb1"));
    mFile::GameSummary header;
    header.gameName = QStringLiteral("Marathon");
    header.gameNo = GameNo(8);
    header.moves = engine.GetTransID();
    mFile::WriteGameFile(path, header, engine.movesInEffect());
    EXPECT_EQ(mFile::ReadGameFile(path).records.size(), static_cast<size_t>(engine.GetTransID()));
}

// Double Planet: a base card whose first matching foundation is full goes
// on to an empty one instead of staying on the table.
TEST_F(StockAndAutoPlayTest, AutoPlayGoesOnPastAFullFoundation)
{
    cPlay& play = start(QStringLiteral("Double Planet"), 3);
    setAutoPlay(0);
    const int16_t base = play.GetPicID(3, 0, 0);
    const int16_t suit = play.Suit(base);
    // Foundation 0 filled with its suit's whole sequence, by hand.
    for (int16_t step = 1; step < 13; ++step) {
        const int16_t rank = static_cast<int16_t>((play.BaseRank() + step) % 13);
        int16_t card = -1;
        for (int16_t j = 0; j < play.CardCount() && card < 0; ++j)
            if (play.Cell(j) != 3 && play.Num(j) == rank && play.Suit(j) == suit)
                card = j;
        ASSERT_GE(card, 0);
        uncover(card, 0);
        play.MoveCard(card, 3, 0, above(3, 0), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    }
    ASSERT_EQ(play.GetTop(3, 0), 12);
    // The other deck's base card of that suit, on top of a home pile.
    int16_t twin = -1;
    for (int16_t j = 0; j < play.CardCount() && twin < 0; ++j)
        if (play.Cell(j) != 3 && play.Num(j) == play.BaseRank() && play.Suit(j) == suit)
            twin = j;
    ASSERT_GE(twin, 0);
    uncover(twin, 2);
    if (play.Cell(twin) != 0)
        play.MoveCard(twin, 0, 2, above(0, 2), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
    ASSERT_EQ(play.GetTopPicID(0, play.Pile(twin)), twin);

    setAutoPlay(1);
    play.AutoMoveCheck();
    ASSERT_EQ(play.Cell(twin), 3) << "the base card goes home";
    EXPECT_NE(play.Pile(twin), 0);
    EXPECT_EQ(play.Pos(twin), 0) << "to an empty foundation";
    EXPECT_EQ(play.GetTop(3, 0), 12);
}

} // namespace
