#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakeSessionHost.h"
#include "support/TempHome.h"
#include "windows/table/CardPointer.h"
#include "windows/table/TableView.h"

#include <QTest>

#include <gtest/gtest.h>
#include <optional>

namespace {

// The table on screen with a running game, the pointer passed on as the main
// window passes it.
class TableViewTest : public ::testing::Test {
protected:
    TableViewTest()
    {
        shared.gamePlay.setHost(&host);
        shared.services.setSurface(&view);
        QObject::connect(&view, &TableView::cardPressed,
                         [this](int id, double x, double y) { pointer.press(static_cast<int16_t>(id), x, y); });
        QObject::connect(&view, &TableView::cardMoved, [this](int, double x, double y) { pointer.move(x, y); });
        QObject::connect(&view, &TableView::cardReleased, [this](int) { pointer.release(); });
        QObject::connect(&view, &TableView::stockPlaceClicked, [this] { pointer.stockPlaceClicked(); });
        view.resize(1280, 800);
        view.show();
        shared.services.settings().write(settings::kAutoPlay, 0);
        shared.gamePlay.PlayNumber(QStringLiteral("Spiderette"), GameNo(31));
        view.finishAnimations();
    }
    ~TableViewTest() override { shared.services.setSurface(nullptr); }

    // The view's point over the middle of a place on the table.
    QPoint over(QPointF corner) const { return view.viewPoint(corner + QPointF(532, 720)); }
    QPointF place(int16_t cell, int16_t pile, int16_t pos) const
    {
        return QPointF(shared.games.GetCordX(cell, pile, pos), shared.games.GetCordY(cell, pile, pos));
    }
    void dragTo(int16_t card, QPointF corner)
    {
        QWidget* surface = view.viewport();
        QTest::mousePress(surface, Qt::LeftButton, {}, over(view.shownPosition(card)));
        QTest::mouseMove(surface, over((view.shownPosition(card) + corner) / 2));
        QTest::mouseMove(surface, over(corner));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, over(corner));
        view.finishAnimations();
    }
    // A home pile's top card and another home pile that does (or does not)
    // take it.
    std::optional<std::pair<int16_t, int16_t>> homeMove(bool legal) const
    {
        const cPlay& play = shared.play;
        for (int16_t from = 0; from < shared.games.Piles(0); ++from)
            for (int16_t to = 0; to < shared.games.Piles(0); ++to) {
                const int16_t top = play.GetTopPicID(0, from);
                if (from != to && play.GetTop(0, to) >= 0 && play.CanDrop(top, 0, 0, to) == legal)
                    return std::pair{top, to};
            }
        return std::nullopt;
    }

    TempHome home;
    Shared shared;
    FakeSessionHost host;
    CardPictures pictures;
    TableView view{shared.games, shared.play, shared.services, pictures};
    CardPointer pointer{shared};
};

TEST_F(TableViewTest, ALegalDragMovesTheCardAndAnIllegalOneReturnsIt)
{
    cPlay& play = shared.play;
    const auto illegal = homeMove(false);
    ASSERT_TRUE(illegal.has_value());
    const auto [refused, wrongPile] = *illegal;
    const QPointF home = view.shownPosition(refused);
    const int16_t pile = play.Pile(refused);
    dragTo(refused, place(0, wrongPile, play.GetTop(0, wrongPile)) + QPointF(0, 250));
    EXPECT_EQ(play.Pile(refused), pile);
    EXPECT_EQ(view.shownPosition(refused), home) << "the card is back where it was";
    EXPECT_EQ(shared.engine.GetTransTop(), 0);
    EXPECT_FALSE(shared.services.busy);

    const auto legal = homeMove(true);
    ASSERT_TRUE(legal.has_value());
    const auto [card, target] = *legal;
    const int16_t onTop = play.GetTop(0, target);
    dragTo(card, place(0, target, onTop) + QPointF(0, 250));
    EXPECT_EQ(play.Pile(card), target);
    EXPECT_EQ(play.Pos(card), onTop + 1);
    EXPECT_EQ(view.shownPosition(card), place(0, target, static_cast<int16_t>(onTop + 1)));
    EXPECT_EQ(shared.engine.GetTransTop(), 1);
    EXPECT_TRUE(host.clock) << "the game clock runs";
}

TEST_F(TableViewTest, ThePlacementsStepsArePlayedOnePerFrame)
{
    cPlay& play = shared.play;
    const int16_t stockTop = play.GetTopPicID(1, 0);
    const QPointF from = view.shownPosition(stockTop);
    play.StockClick();
    EXPECT_TRUE(view.animating()) << "the deal to every pile is under way";
    EXPECT_EQ(view.shownPosition(stockTop), from) << "the model moved, the picture has not yet";
    view.advanceFrame();
    const QPointF halfway = view.shownPosition(stockTop);
    EXPECT_NE(halfway, from);
    EXPECT_NE(halfway, place(0, 0, play.Pos(stockTop))) << "a step between";
    view.finishAnimations();
    EXPECT_EQ(view.shownPosition(stockTop), place(0, 0, play.Pos(stockTop)));

    // A placement without steps shows no position in between.
    const int16_t top = play.GetTopPicID(0, 1);
    play.MoveCard(top, 0, 2, static_cast<int16_t>(play.GetTop(0, 2) + 1), cPlay::kMovePlayer, 0, 0, cPlay::kFaceUp);
    EXPECT_FALSE(view.animating());
    EXPECT_EQ(view.shownPosition(top), place(0, 2, play.Pos(top)));
}

// "Card Moving Speed" is the steps of every move a player sees, one a frame:
// the slowest takes many frames, the fastest none.
TEST_F(TableViewTest, AMoveTakesTheFramesItsSpeedSays)
{
    cPlay& play = shared.play;
    const auto framesOfAMove = [&](int32_t speed) {
        shared.services.settings().write(settings::kCardSpeed, speed);
        const auto legal = homeMove(true);
        EXPECT_TRUE(legal.has_value());
        if (!legal)
            return -1;
        const auto [card, target] = *legal;
        EXPECT_TRUE(play.PlayerMove(card, 0, target));
        int frames = 0;
        for (; view.animating() && frames < 1000; ++frames)
            view.advanceFrame();
        EXPECT_EQ(view.shownPosition(card), place(0, target, play.Pos(card))) << "speed " << speed;
        int16_t back = 0;
        shared.engine.Undo(back);
        return frames;
    };
    const int slowest = framesOfAMove(settings::kSlowestSteps);
    const int usual = framesOfAMove(settings::kCardSpeed.defaultValue);
    const int fastest = framesOfAMove(0);
    EXPECT_EQ(slowest, 50);
    EXPECT_EQ(usual, 5);
    EXPECT_EQ(fastest, 0) << "speed 0 puts the card there at once";
    EXPECT_GE(slowest * TableView::kFrameMs, 800);
    EXPECT_EQ(framesOfAMove(5000), slowest) << "a speed beyond the slowest is the slowest";
}

// The cards of one deal set off one close behind another; a click while they
// travel puts them in their places and is played at once.
TEST_F(TableViewTest, ADealTravelsTogetherAndAClickMeanwhileIsNotLost)
{
    cPlay& play = shared.play;
    const int16_t piles = shared.games.Piles(0);
    shared.services.settings().write(settings::kCardSpeed, 10);
    play.StockClick();
    int frames = 0;
    for (; view.animating() && frames < 1000; ++frames)
        view.advanceFrame();
    EXPECT_EQ(frames, 10 + (piles - 1) * TableView::kFollowFrames) << "not one card after the other";

    shared.services.settings().write(settings::kCardSpeed, settings::kSlowestSteps);
    const int16_t stock = play.GetTop(1, 0);
    play.StockClick();
    view.advanceFrame();
    ASSERT_TRUE(view.animating());
    const int16_t dealt = play.GetTopPicID(0, 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, over(view.shownPosition(play.GetTopPicID(1, 0))));
    EXPECT_EQ(play.GetTop(1, 0), stock - 2 * piles) << "the click dealt again";
    EXPECT_EQ(view.shownPosition(dealt), place(0, 0, play.Pos(dealt))) << "the deal under way is in its place";
    EXPECT_TRUE(view.animating()) << "the next one is on its way";
}

TEST_F(TableViewTest, AClickOnTheEmptyStockPlaceTurnsTheWasteBack)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(31));
    cPlay& play = shared.play;
    const int16_t stock = static_cast<int16_t>(play.GetTop(1, 0) + 1);
    while (play.GetTop(1, 0) >= 0)
        play.StockClick();
    view.finishAnimations();
    ASSERT_EQ(play.GetTop(2, 0) + 1, stock);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, over(place(1, 0, 0)));
    EXPECT_EQ(play.GetTop(1, 0) + 1, stock) << "the waste is the stock again";
    EXPECT_EQ(play.GetTop(2, 0), -1);
    EXPECT_EQ(shared.gamePlay.RedealsComp(), 1);
}

TEST_F(TableViewTest, AQuickSecondPressIsAPressToo)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(31));
    view.finishAnimations();
    cPlay& play = shared.play;
    QWidget* surface = view.viewport();
    const int16_t stock = play.GetTop(1, 0);
    const int16_t waste = play.GetTop(2, 0);
    ASSERT_GE(stock, 1);

    // Two clicks on the stock within the double-click time: the window
    // system sends the second press as a double click.
    const QPoint onStock = over(view.shownPosition(play.GetTopPicID(1, 0)));
    QTest::mouseClick(surface, Qt::LeftButton, {}, onStock);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, onStock);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, onStock);
    view.finishAnimations();
    EXPECT_EQ(play.GetTop(1, 0), stock - 2) << "each click turns a card";
    EXPECT_EQ(play.GetTop(2, 0), waste + 2);
    EXPECT_EQ(shared.engine.GetTransTop(), 2);

    // A quick second press on a card picks it up as the first did.
    const int16_t card = play.GetTopPicID(2, 0);
    const QPoint onCard = over(view.shownPosition(card));
    QTest::mouseClick(surface, Qt::LeftButton, {}, onCard);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, onCard);
    EXPECT_TRUE(play.drag().active) << "the second press starts a drag";
    QTest::mouseRelease(surface, Qt::LeftButton, {}, onCard);
    EXPECT_FALSE(play.drag().active);
    EXPECT_EQ(play.Cell(card), 2) << "dropped where it was";
    EXPECT_EQ(shared.engine.GetTransTop(), 2);
}

} // namespace

// The picture of every face-up top card is on screen pixel for pixel, at
// its place on the table to the nearest pixel, at any window size.
TEST_F(TableViewTest, CardPicturesAreCopiedPixelForPixelWhereTheCardsLie)
{
    const cPlay& play = shared.play;
    for (const QSize size : {QSize(1280, 800), QSize(917, 611)}) {
        view.resize(size);
        // The exact pictures are drawn once the size has settled.
        QTest::qWait(TableView::kResizeSettleMs + 50);
        QImage shot = view.viewport()->grab().toImage();
        // A frame draws for a moment only (on a busy machine, not every
        // picture); the frames after it draw the rest.
        for (int frame = 0; view.drawingOn() && frame < 200; ++frame)
            shot = view.viewport()->grab().toImage();
        EXPECT_FALSE(view.drawingOn());
        shot = shot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        int compared = 0;
        for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
            const int16_t top = play.GetTopPicID(0, pile);
            if (top < 0 || play.FaceMode(top) != cPlay::kFaceUp)
                continue;
            const QPointF corner = view.shownPosition(top);
            const QRectF onScreen = view.viewportTransform().mapRect(QRectF(corner, QSizeF(1065, 1440)));
            const QSize pixels(qRound(onScreen.width()), qRound(onScreen.height()));
            const QImage picture = pictures.face(static_cast<int16_t>(play.Suit(top) * 13 + play.Num(top) + 1), pixels)
                                       .toImage()
                                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QPoint at(qRound(onScreen.x()), qRound(onScreen.y()));
            EXPECT_LE(std::abs(at.x() - onScreen.x()), 0.5);
            // The rounded corners let the felt through: compare the inside.
            const QRect inside = picture.rect().adjusted(8, 8, -8, -8);
            EXPECT_EQ(shot.copy(inside.translated(at)), picture.copy(inside))
                << "card " << top << " at " << size.width() << "x" << size.height();
            ++compared;
        }
        EXPECT_GE(compared, 3) << "too few cards to compare";
    }
}
