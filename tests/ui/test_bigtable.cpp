#include "history/cEngine.h"
#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/frmMain.h"
#include "windows/table/KeyboardPlay.h"
#include "windows/table/TableView.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

class BigTableTest : public ::testing::Test {
protected:
    BigTableTest()
    {
        shared.services.setPrompts(&prompts);
        window = std::make_unique<frmMain>(shared, pictures);
        window->show();
    }
    ~BigTableTest() override
    {
        window.reset();
        shared.services.setPrompts(nullptr);
    }

    // A move between two tableau piles the rules allow (or refuse), as
    // (from, to); nothing when the table has none.
    std::optional<std::pair<int16_t, int16_t>> tableauMove(bool legal) const
    {
        const cPlay& play = shared.play;
        for (int16_t from = 0; from < shared.games.Piles(0); ++from)
            for (int16_t to = 0; to < shared.games.Piles(0); ++to)
                if (from != to && play.GetTop(0, from) >= 0 && play.GetTop(0, to) >= 0 &&
                    play.CanDrop(play.GetTopPicID(0, from), 0, 0, to) == legal)
                    return std::pair{from, to};
        return std::nullopt;
    }
    // Klondike from deal 31 on, without automatic play, until a deal
    // offers a legal tableau move.
    void dealWithATableauMove()
    {
        shared.services.settings().write(settings::kAutoPlay, 0);
        for (int number = 31; number < 200; ++number) {
            shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
            if (tableauMove(true))
                break;
        }
        window->table().finishAnimations();
    }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

// The table grows until the layout meets the window's width or height,
// whichever comes first, up to five times the cards' natural size.
TEST_F(BigTableTest, TheLayoutFillsTheWindowUpToFiveTimesItsSize)
{
    for (const char* game : {"Klondike", "Fan Klondike", "Double Klondike"}) {
        shared.gamePlay.PlayNumber(QLatin1String(game), GameNo(9));
        window->table().finishAnimations();
        for (const QSize size : {QSize(640, 480), QSize(1280, 800), QSize(1920, 1080), QSize(3840, 2160)}) {
            window->resize(size);
            QCoreApplication::processEvents();
            TableView& table = window->table();
            const qreal scale = table.transform().m11();
            const QRectF layout = table.sceneRect();
            const QSize room = table.viewport()->size();
            const qreal usedWidth = layout.width() * scale / room.width();
            const qreal usedHeight = layout.height() * scale / room.height();
            SCOPED_TRACE(std::string(game) + " at " + std::to_string(size.width()) + "x" +
                         std::to_string(size.height()));
            EXPECT_LE(usedWidth, 1.0001);
            EXPECT_LE(usedHeight, 1.0001);
            if (scale < 5.0 / 15.0 - 1e-9)
                EXPECT_GT(std::max(usedWidth, usedHeight), 0.999) << "one side of the window is used";
            EXPECT_LE(scale, 5.0 / 15.0 + 1e-9);
        }
        window->resize(3840, 2160);
        QCoreApplication::processEvents();
        EXPECT_GT(window->table().transform().m11(), 2.0 / 15.0) << game << ": larger than the old limit";
    }
}

// However often the window changes size, the pictures of two sizes at most
// are kept.
TEST_F(BigTableTest, ResizingKeepsThePicturesOfTwoSizesAtMost)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Double Klondike"), GameNo(4));
    window->table().finishAnimations();
    const auto showAt = [&](int step) {
        window->resize(700 + step * 23, 500 + step * 17);
        QCoreApplication::processEvents();
        window->table().viewport()->grab();
    };
    showAt(0);
    const qsizetype oneSize = pictures.keptCount();
    ASSERT_GT(oneSize, 10);
    qsizetype most = 0;
    for (int step = 1; step < 40; ++step) {
        showAt(step);
        most = std::max(most, pictures.keptCount());
    }
    EXPECT_LE(most, 2 * oneSize) << "the pictures of the current size and the one before";
}

// A frame draws pictures at a new size for a moment only and scales the
// rest from the size before; the frames after draw on until none is left,
// and the table then looks exactly as one drawn in a single frame.
TEST_F(BigTableTest, ATableDrawnFrameByFrameEndsAsOneDrawnAtOnce)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Double Klondike"), GameNo(4));
    TableView& table = window->table();
    table.finishAnimations();
    window->resize(900, 640);
    QCoreApplication::processEvents();
    table.viewport()->grab();
    window->resize(1300, 900);
    QCoreApplication::processEvents();
    pictures.setQuick(false);
    // No time at all: one picture a frame.
    table.setPictureBudget(std::chrono::milliseconds(0));
    const int before = pictures.renderCount();
    QImage first = table.viewport()->grab().toImage();
    EXPECT_TRUE(table.drawingOn());
    EXPECT_EQ(pictures.renderCount(), before + 1) << "the first picture a frame wants is drawn";
    int frames = 1;
    QImage shown = first;
    while (table.drawingOn() && frames < 500) {
        shown = table.viewport()->grab().toImage();
        ++frames;
    }
    ASSERT_FALSE(table.drawingOn()) << "the frames never finished drawing";
    const int drawn = pictures.renderCount() - before;
    EXPECT_GT(drawn, 10) << "the faces, backs and markers of the new size";
    EXPECT_EQ(frames, drawn) << "one picture a frame";
    EXPECT_NE(first, shown) << "the first frame showed scaled pictures";

    // The same table drawn in one frame.
    pictures.clearCache();
    table.setPictureBudget(std::chrono::milliseconds(TableView::kPictureBudgetMs * 1000));
    const QImage atOnce = table.viewport()->grab().toImage();
    EXPECT_FALSE(table.drawingOn());
    EXPECT_EQ(shown, atOnce);
}

TEST_F(BigTableTest, TheStatusBarShowsTheFiguresAsTheOptionsSay)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    shared.gamePlay.setTime(65);
    emit window->tmrTime.timeout({});
    auto* status = window->findChild<QLabel*>(QStringLiteral("lblStatus"));
    ASSERT_NE(status, nullptr);
    const QString text = status->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Time: 0:01:05"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Cards Left: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Stock: ") + QString::number(shared.play.GetTop(1, 0) + 1)));
    EXPECT_TRUE(window->statusBar()->isVisible());

    SettingsStore& store = shared.services.settings();
    store.write(settings::kShowTime, 0);
    store.write(settings::kShowCardsLeft, 0);
    shared.gamePlay.PauseGame(true);
    emit window->tmrTime.timeout({});
    EXPECT_FALSE(status->text().contains(QStringLiteral("Time:")));
    EXPECT_FALSE(status->text().contains(QStringLiteral("Cards Left:")));
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("Paused")));

    store.write(settings::kShowStatusBar, 0);
    emit window->tmrTime.timeout({});
    EXPECT_FALSE(window->statusBar()->isVisible());
}

// The keys move the frame, pick a card up and drop it through the same
// rules as the mouse: a legal drop moves it, a refused one sends it back.
TEST_F(BigTableTest, TheKeyboardPicksUpAndDropsThroughTheRules)
{
    TableView& table = window->table();
    dealWithATableauMove();
    table.setFocus();
    KeyboardPlay& keys = window->keyboard();
    const auto places = keys.places();
    ASSERT_GE(places.size(), 13U);
    EXPECT_EQ(places.front().first, 1) << "the stock, at the top left, comes first";

    const auto indexOf = [&](int16_t cell, int16_t pile) {
        for (size_t i = 0; i < places.size(); ++i)
            if (places[i] == std::pair<int16_t, int16_t>{cell, pile})
                return i;
        return places.size();
    };
    const auto moveWithKeys = [&](int16_t from, int16_t to) {
        keys.moveTo(indexOf(0, from));
        QTest::keyClick(&table, Qt::Key_Space);
        EXPECT_TRUE(keys.holding());
        EXPECT_FALSE(table.focusFrame().isEmpty());
        // Tab across to the target pile.
        while (keys.place() != std::pair<int16_t, int16_t>{0, to})
            QTest::keyClick(&table, Qt::Key_Tab);
        QTest::keyClick(&table, Qt::Key_Return);
        table.finishAnimations();
    };

    const cPlay& play = shared.play;
    const auto legal = tableauMove(true);
    ASSERT_TRUE(legal.has_value());
    const auto refused = tableauMove(false);
    ASSERT_TRUE(refused.has_value());
    const int16_t stays = play.GetTopPicID(0, refused->first);
    moveWithKeys(refused->first, refused->second);
    EXPECT_EQ(play.Pile(stays), refused->first) << "sent back";
    EXPECT_FALSE(keys.holding());
    EXPECT_EQ(shared.engine.GetTransTop(), 0);

    // Escape puts a held card back.
    keys.moveTo(indexOf(0, refused->first));
    QTest::keyClick(&table, Qt::Key_Space);
    QTest::keyClick(&table, Qt::Key_Escape);
    table.finishAnimations();
    EXPECT_FALSE(keys.holding());
    EXPECT_EQ(play.Pile(stays), refused->first);
    EXPECT_EQ(shared.engine.GetTransTop(), 0);

    // D deals from the stock, a recorded move like a click.
    const int16_t stock = play.GetTop(1, 0);
    QTest::keyClick(&table, Qt::Key_D);
    table.finishAnimations();
    EXPECT_LT(play.GetTop(1, 0), stock);
    EXPECT_EQ(shared.engine.GetTransTop(), 1);

    const int16_t card = play.GetTopPicID(0, legal->first);
    moveWithKeys(legal->first, legal->second);
    EXPECT_EQ(play.Pile(card), legal->second);
    EXPECT_EQ(shared.engine.GetTransTop(), 2) << "recorded as the mouse's move";
}

} // namespace

namespace {

// "Double-click sends a card home": off, a double click is two presses and
// the card stays; on, an Ace on top of a pile goes to a foundation.
TEST_F(BigTableTest, ADoubleClickSendsACardHomeOnlyWithTheOptionOn)
{
    shared.services.settings().write(settings::kAutoPlay, 0);
    TableView& table = window->table();
    const cPlay& play = shared.play;
    const auto topAce = [&]() -> int16_t {
        for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
            const int16_t card = play.GetTopPicID(0, pile);
            if (card >= 0 && play.Num(card) == 0)
                return card;
        }
        return -1;
    };
    for (int number = 1; number < 400 && topAce() < 0; ++number)
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
    const int16_t ace = topAce();
    ASSERT_GE(ace, 0) << "no deal with an Ace on top";
    table.finishAnimations();
    const auto doubleClick = [&] {
        const QPoint at = table.viewPoint(table.shownPosition(ace) + QPointF(532, 720));
        // Press, release, the double click's press, release: as a mouse
        // sends them.
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        if (play.drag().active)
            QTest::mouseRelease(table.viewport(), Qt::LeftButton, {}, at);
        table.finishAnimations();
    };

    doubleClick();
    EXPECT_EQ(play.Cell(ace), 0) << "off by default";
    EXPECT_EQ(shared.engine.GetTransTop(), 0);

    shared.services.settings().write(settings::kDoubleClickHome, 1);
    doubleClick();
    EXPECT_EQ(play.Cell(ace), 3) << "home";
    EXPECT_EQ(shared.engine.GetTransTop(), 1) << "recorded as any move";
}

// With "Click to move" on as well, the first click of a double click holds
// the card up and the second sends it home; a card no home pile takes is put
// back where it was.
TEST_F(BigTableTest, ADoubleClickSendsACardHomeWithClickToMoveOnToo)
{
    SettingsStore& store = shared.services.settings();
    store.write(settings::kAutoPlay, 0);
    TableView& table = window->table();
    const cPlay& play = shared.play;
    const auto topCard = [&](bool ace) -> int16_t {
        for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
            const int16_t card = play.GetTopPicID(0, pile);
            if (card >= 0 && (play.Num(card) == 0) == ace)
                return card;
        }
        return -1;
    };
    for (int number = 1; number < 400 && topCard(true) < 0; ++number)
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
    const int16_t ace = topCard(true);
    const int16_t other = topCard(false);
    ASSERT_GE(ace, 0) << "no deal with an Ace on top";
    ASSERT_GE(other, 0);
    table.finishAnimations();
    store.write(settings::kDoubleClickHome, 1);
    store.write(settings::kClickToMove, 1);
    // As a mouse sends it: a click, then the double click's press and its
    // release.
    const auto doubleClick = [&](int16_t card) {
        const QPoint at = table.viewPoint(table.shownPosition(card) + QPointF(532, 720));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        EXPECT_TRUE(window->keyboard().clickHeld()) << "the first click holds the card";
        EXPECT_FALSE(table.heldMark().isEmpty()) << "marked while held";
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(table.viewport(), Qt::LeftButton, {}, at);
        table.finishAnimations();
    };

    const QPointF otherAt = table.shownPosition(other);
    doubleClick(other);
    EXPECT_EQ(play.Cell(other), 0) << "no home pile takes it";
    EXPECT_EQ(table.shownPosition(other), otherAt) << "back where it was";
    EXPECT_FALSE(play.drag().active);
    EXPECT_EQ(shared.engine.GetTransTop(), 0);

    doubleClick(ace);
    EXPECT_EQ(play.Cell(ace), 3) << "home";
    EXPECT_EQ(shared.engine.GetTransTop(), 1);
    EXPECT_FALSE(play.drag().active);
    EXPECT_FALSE(window->keyboard().clickHeld());
    EXPECT_FALSE(shared.services.busy);
    EXPECT_TRUE(table.heldMark().isEmpty());
}

} // namespace

namespace {

// On a screen of two device pixels to the point, the cards are drawn from
// pictures of twice the size, not enlarged.
TEST_F(BigTableTest, CardsAreDrawnAtTheDevicePixelRatio)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(8));
    TableView& table = window->table();
    table.finishAnimations();
    QTest::qWait(TableView::kResizeSettleMs + 50);
    const double logicalWidth = 1065 * table.transform().m11();
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap shot(table.viewport()->size() * ratio);
        shot.setDevicePixelRatio(ratio);
        shot.fill(Qt::black);
        table.viewport()->render(&shot);
        EXPECT_NEAR(pictures.lastFaceSize().width(), logicalWidth * ratio, 1.0) << "ratio " << ratio;
    }
}

} // namespace

namespace {

// "Click to move": off, a click on a card does nothing; on, the click picks
// it up and a click on another pile puts it there, through the rules.
TEST_F(BigTableTest, ClickToMovePicksUpWithOneClickAndDropsWithTheNext)
{
    TableView& table = window->table();
    const cPlay& play = shared.play;
    dealWithATableauMove();
    const auto move = tableauMove(true);
    ASSERT_TRUE(move.has_value());
    const int16_t card = play.GetTopPicID(0, move->first);
    const int16_t target = play.GetTopPicID(0, move->second);
    const auto click = [&](int16_t on) {
        const QPoint at = table.viewPoint(table.shownPosition(on) + QPointF(532, 720));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        table.finishAnimations();
    };

    click(card);
    click(target);
    EXPECT_EQ(play.Pile(card), move->first) << "off by default";
    EXPECT_FALSE(play.drag().active);

    shared.services.settings().write(settings::kClickToMove, 1);
    click(card);
    EXPECT_TRUE(play.drag().active) << "held after one click";
    click(target);
    EXPECT_FALSE(play.drag().active);
    EXPECT_EQ(play.Pile(card), move->second);
    EXPECT_EQ(shared.engine.GetTransTop(), 1) << "recorded as a drag would be";
}

} // namespace

namespace {

// A screen reader finds every pile of the table, named with its top card
// and what lies face down under it.
TEST_F(BigTableTest, ScreenReadersReadEveryPile)
{
    shared.services.settings().write(settings::kAutoPlay, 0);
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    TableView& table = window->table();
    table.finishAnimations();
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->text(QAccessible::Name), QStringLiteral("Card table"));
    ASSERT_EQ(reader->childCount(), 13) << "stock, waste, four home piles, seven tableau piles";
    QStringList names;
    for (int i = 0; i < reader->childCount(); ++i)
        names << reader->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(names[0].startsWith(QStringLiteral("Stock pile 1: a card face down, ")));
    EXPECT_EQ(names[2], QStringLiteral("Home pile 1: empty"));
    // The seventh tableau pile: six cards face down under its top card.
    EXPECT_TRUE(names[12].startsWith(QStringLiteral("Tableau pile 7: ")));
    EXPECT_TRUE(names[12].endsWith(QStringLiteral(", 6 cards face down"))) << names[12].toStdString();
    EXPECT_FALSE(reader->child(12)->rect().isEmpty());
    EXPECT_EQ(reader->indexOfChild(reader->child(12)), 12);
    // Its place is where its cards are drawn, from the first face-down card
    // to the top card.
    const QRect pile = table.pileRect(12);
    const cPlay& play = shared.play;
    EXPECT_NEAR(pile.top(), table.viewPoint(table.shownPosition(play.GetPicID(0, 6, 0))).y(), 1);
    EXPECT_NEAR(pile.bottom(), table.viewPoint(table.shownPosition(play.GetTopPicID(0, 6)) + QPointF(0, 1440)).y(), 1);
}

} // namespace

namespace {

// One step of a plain Klondike strategy: a card home, a move that turns a
// card up or frees a King onto an empty pile, the waste onto the tableau,
// then the stock. The action as the keyboard will make it.
struct Step {
    int16_t card = -1; // -1: the stock (deal, or turn the waste back)
    int16_t cell = 0;
    int16_t pile = 0;
};

std::optional<Step> nextStep(const Shared& shared, int& stockTurnsWithoutProgress)
{
    const cPlay& play = shared.play;
    const cGames& games = shared.games;
    const auto canMove = [&](int16_t card, int16_t cell, int16_t pile) {
        int16_t k = 0;
        return play.CanPickUp(card, k) && !(play.Cell(card) == cell && play.Pile(card) == pile) &&
               play.CanDrop(card, k, cell, pile);
    };
    std::vector<int16_t> tops;
    for (int16_t p = 0; p < games.Piles(0); ++p)
        if (play.GetTop(0, p) >= 0)
            tops.push_back(play.GetTopPicID(0, p));
    if (play.GetTop(2, 0) >= 0)
        tops.push_back(play.GetTopPicID(2, 0));
    for (const int16_t card : tops)
        for (int16_t f = 0; f < games.Piles(3); ++f)
            if (canMove(card, 3, f)) {
                stockTurnsWithoutProgress = 0;
                return Step{card, 3, f};
            }
    for (int16_t p = 0; p < games.Piles(0); ++p) {
        // The lowest face-up card of the pile, and whether a card lies
        // face down under it.
        int16_t lowest = -1;
        for (int16_t pos = play.GetTop(0, p); pos >= 0; --pos) {
            if (play.FaceMode(play.GetPicID(0, p, pos)) != cPlay::kFaceUp)
                break;
            lowest = pos;
        }
        if (lowest < 0)
            continue;
        const int16_t card = play.GetPicID(0, p, lowest);
        const bool turnsACard = lowest > 0;
        for (int16_t q = 0; q < games.Piles(0); ++q) {
            const bool empty = play.GetTop(0, q) < 0;
            if ((turnsACard || !empty) && (turnsACard || lowest > 0) && canMove(card, 0, q)) {
                stockTurnsWithoutProgress = 0;
                return Step{card, 0, q};
            }
        }
    }
    if (play.GetTop(2, 0) >= 0) {
        const int16_t card = play.GetTopPicID(2, 0);
        for (int16_t q = 0; q < games.Piles(0); ++q)
            if (canMove(card, 0, q)) {
                stockTurnsWithoutProgress = 0;
                return Step{card, 0, q};
            }
    }
    if (play.GetTop(1, 0) >= 0)
        return Step{};
    if (play.GetTop(2, 0) >= 0 && ++stockTurnsWithoutProgress <= 2 &&
        (games.Redeals() == -1 || shared.services.session().RedealsComp() < games.Redeals()))
        return Step{};
    return std::nullopt;
}

// The strategy played on a table of its own: the steps of a deal it wins,
// or nothing.
std::optional<std::vector<Step>> winningSteps(int number)
{
    Shared shared;
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
    std::vector<Step> steps;
    int stockTurns = 0;
    for (int guard = 0; guard < 2000; ++guard) {
        if (shared.engine.TotalGoalCards() == 52)
            return steps;
        const std::optional<Step> step = nextStep(shared, stockTurns);
        if (!step)
            return std::nullopt;
        cPlay& play = shared.play;
        if (step->card < 0) {
            if (play.GetTop(1, 0) >= 0)
                play.StockClick();
            else
                play.EmptyStockClick();
        } else {
            int16_t k = 0;
            play.CanPickUp(step->card, k);
            play.MoveCard(step->card, step->cell, step->pile,
                          static_cast<int16_t>(play.GetTop(step->cell, step->pile) + 1), cPlay::kMovePlayer, 1,
                          step->cell == 0 ? k : int16_t{0}, cPlay::kFaceUp);
        }
        steps.push_back(*step);
    }
    return std::nullopt;
}

// A whole game of Klondike, won with the keyboard alone through the real
// table: the frame, Space and Enter, and D.
TEST_F(BigTableTest, AWholeGameOfKlondikeIsWonByKeyboard)
{
    std::optional<std::vector<Step>> steps;
    int number = 1;
    for (; number < 400 && !steps; ++number)
        steps = winningSteps(number);
    ASSERT_TRUE(steps.has_value()) << "no deal the plain strategy wins";
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number - 1));
    shared.services.settings().write(settings::kCelebrateWin, 0);
    TableView& table = window->table();
    table.finishAnimations();
    table.setFocus();
    KeyboardPlay& keys = window->keyboard();
    const auto places = keys.places();
    const auto go = [&](int16_t cell, int16_t pile) {
        while (keys.place() != std::pair<int16_t, int16_t>{cell, pile})
            QTest::keyClick(&table, Qt::Key_Tab);
    };
    const cPlay& play = shared.play;
    for (const Step& step : *steps) {
        if (step.card < 0) {
            QTest::keyClick(&table, Qt::Key_D);
        } else {
            go(play.Cell(step.card), play.Pile(step.card));
            const int depth = play.GetTop(play.Cell(step.card), play.Pile(step.card)) - play.Pos(step.card);
            for (int d = 0; d < depth; ++d)
                QTest::keyClick(&table, Qt::Key_Up);
            QTest::keyClick(&table, Qt::Key_Space);
            go(step.cell, step.pile);
            QTest::keyClick(&table, Qt::Key_Return);
        }
        table.finishAnimations();
        ASSERT_FALSE(keys.holding());
    }
    EXPECT_EQ(shared.engine.TotalGoalCards(), 52) << "won, deal " << number - 1 << ", " << steps->size() << " steps";
    // The game-end dialog opens once the winning move is done.
    bool finished = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll.stop();
            finished = dialog->objectName() == QStringLiteral("frmFinish");
            dialog->close();
        }
    });
    poll.start();
    for (int i = 0; i < 200 && !finished; ++i)
        QTest::qWait(5);
    EXPECT_TRUE(finished);
}

} // namespace

namespace {

// One move, an Ace from the top of a home pile to the first foundation, made
// by each input a player has: every one ends in the same table with the same
// history, and a move the rules refuse changes nothing through any of them.
class OneMoveTest : public BigTableTest {
protected:
    OneMoveTest()
    {
        shared.services.settings().write(settings::kAutoPlay, 0);
        for (number_ = 1; number_ < 400 && topAce() < 0; ++number_)
            shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number_));
        --number_;
    }

    int16_t topAce() const
    {
        const cPlay& play = shared.play;
        for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
            const int16_t card = play.GetTopPicID(0, pile);
            if (card >= 0 && play.Num(card) == 0)
                return card;
        }
        return -1;
    }
    // A face-up top card of a home pile that is no Ace.
    int16_t topOther() const
    {
        const cPlay& play = shared.play;
        for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
            const int16_t card = play.GetTopPicID(0, pile);
            if (card >= 0 && play.Num(card) != 0)
                return card;
        }
        return -1;
    }
    void dealAgain()
    {
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number_));
        window->table().finishAnimations();
        ASSERT_EQ(shared.engine.GetTransTop(), 0);
    }
    QPoint over(QPointF corner) const { return window->table().viewPoint(corner + QPointF(532, 720)); }
    QPointF place(int16_t cell, int16_t pile) const
    {
        return QPointF(shared.games.GetCordX(cell, pile, 0), shared.games.GetCordY(cell, pile, 0));
    }

    size_t indexOf(int16_t cell, int16_t pile) const
    {
        const auto places = window->keyboard().places();
        return static_cast<size_t>(std::find(places.begin(), places.end(), std::pair<int16_t, int16_t>{cell, pile}) -
                                   places.begin());
    }

    // Each input, given a card to send to the first foundation.
    std::vector<std::pair<const char*, std::function<void(int16_t)>>> inputs()
    {
        return {
            {"drag",
             [this](int16_t card) {
                 QWidget* surface = window->table().viewport();
                 const QPointF from = window->table().shownPosition(card);
                 QTest::mousePress(surface, Qt::LeftButton, {}, over(from));
                 QTest::mouseMove(surface, over((from + place(3, 0)) / 2));
                 QTest::mouseMove(surface, over(place(3, 0)));
                 QTest::mouseRelease(surface, Qt::LeftButton, {}, over(place(3, 0)));
             }},
            {"keys",
             [this](int16_t card) {
                 TableView& table = window->table();
                 KeyboardPlay& keys = window->keyboard();
                 table.setFocus();
                 keys.moveTo(indexOf(0, shared.play.Pile(card)));
                 QTest::keyClick(&table, Qt::Key_Space);
                 keys.moveTo(indexOf(3, 0));
                 QTest::keyClick(&table, Qt::Key_Return);
             }},
            {"click to move",
             [this](int16_t card) {
                 QWidget* surface = window->table().viewport();
                 shared.services.settings().write(settings::kClickToMove, 1);
                 QTest::mouseClick(surface, Qt::LeftButton, {}, over(window->table().shownPosition(card)));
                 QTest::mouseClick(surface, Qt::LeftButton, {}, over(place(3, 0)));
                 shared.services.settings().write(settings::kClickToMove, 0);
             }},
            {"double click",
             [this](int16_t card) {
                 QWidget* surface = window->table().viewport();
                 shared.services.settings().write(settings::kDoubleClickHome, 1);
                 const QPoint at = over(window->table().shownPosition(card));
                 QTest::mouseDClick(surface, Qt::LeftButton, {}, at);
                 if (shared.play.drag().active)
                     QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
                 shared.services.settings().write(settings::kDoubleClickHome, 0);
             }},
        };
    }

    struct Seen {
        std::vector<std::array<int16_t, 4>> cards;
        std::vector<std::array<int32_t, 6>> history;
        bool operator==(const Seen&) const = default;
    };
    Seen seen() const
    {
        Seen s;
        const cPlay& play = shared.play;
        for (int16_t j = 0; j < play.CardCount(); ++j)
            s.cards.push_back({play.Cell(j), play.Pile(j), play.Pos(j), play.FaceMode(j)});
        for (int16_t i = 1; i <= shared.engine.GetTransTop(); ++i) {
            const cEngine::Transaction& r = shared.engine.Record(i);
            s.history.push_back({r.PicID, r.SCell, r.DCell, r.DPile, r.mCards, r.tMod});
        }
        return s;
    }
    // Nothing held, by any input.
    void expectNothingHeld()
    {
        EXPECT_FALSE(shared.play.drag().active);
        EXPECT_FALSE(window->keyboard().holding());
        EXPECT_FALSE(window->keyboard().clickHeld());
        EXPECT_FALSE(shared.services.busy);
    }

    int number_ = 1;
};

TEST_F(OneMoveTest, EveryInputSendsTheAceHomeAlike)
{
    ASSERT_GE(topAce(), 0) << "no deal with an Ace on top";
    std::optional<Seen> first;
    for (const auto& [name, input] : inputs()) {
        SCOPED_TRACE(name);
        dealAgain();
        const int16_t ace = topAce();
        input(ace);
        window->table().finishAnimations();
        EXPECT_EQ(shared.play.Cell(ace), 3);
        ASSERT_EQ(shared.engine.GetTransTop(), 1) << "one move recorded";
        EXPECT_EQ(window->table().shownPosition(ace), place(3, 0)) << "its picture on the foundation";
        expectNothingHeld();
        if (!first)
            first = seen();
        else
            EXPECT_TRUE(seen() == *first) << "the same table and history as by drag";
    }
}

TEST_F(OneMoveTest, AMoveTheRulesRefuseChangesNothingThroughAnyInput)
{
    ASSERT_GE(topAce(), 0);
    for (const auto& [name, input] : inputs()) {
        SCOPED_TRACE(name);
        dealAgain();
        const int16_t card = topOther();
        ASSERT_GE(card, 0);
        const Seen before = seen();
        const QPointF lies = window->table().shownPosition(card);
        input(card);
        window->table().finishAnimations();
        EXPECT_TRUE(seen() == before);
        EXPECT_EQ(window->table().shownPosition(card), lies) << "its picture back in its place";
        expectNothingHeld();
    }
}

} // namespace

namespace {

// The keyboard's frame as a player sees it: around the cards the keys would
// take, where they are drawn.
class KeyboardFrameTest : public BigTableTest {
protected:
    KeyboardPlay& keys() { return window->keyboard(); }
    TableView& table() { return window->table(); }
    void deal(const char* game, int number)
    {
        shared.services.settings().write(settings::kAutoPlay, 0);
        shared.gamePlay.PlayNumber(QLatin1String(game), GameNo(number));
        table().finishAnimations();
        table().setFocus();
    }
    // Plays `moves` random moves, so that piles hold runs and empty places.
    void playAtRandom(uint32_t seed, int moves)
    {
        RandomPlayer player(shared, seed);
        for (int i = 0; i < moves && player.step(); ++i) {
        }
        table().finishAnimations();
    }
    // Where a pile begins on the table: its first card as drawn, or its
    // empty place.
    QPointF base(std::pair<int16_t, int16_t> place) const
    {
        const cPlay& play = shared.play;
        if (play.GetTop(place.first, place.second) < 0)
            return window->table().placeRect(place.first, place.second).topLeft();
        return window->table().shownPosition(play.GetPicID(place.first, place.second, 0));
    }
    // The deepest card the keys can take from a pile: of the face-up cards
    // on its top, as deep as a press could pick them up. The top card when
    // it is face down, -1 for an empty pile.
    int16_t deepestFaceUp(std::pair<int16_t, int16_t> place) const
    {
        const cPlay& play = shared.play;
        const auto [cell, pile] = place;
        int16_t pos = play.GetTop(cell, pile);
        if (pos < 0)
            return -1;
        int16_t carried = 0;
        while (pos > 0 && play.FaceMode(play.GetPicID(cell, pile, pos)) == cPlay::kFaceUp) {
            const int16_t under = play.GetPicID(cell, pile, static_cast<int16_t>(pos - 1));
            if (play.FaceMode(under) != cPlay::kFaceUp || !play.CanPickUp(under, carried))
                break;
            --pos;
        }
        return play.GetPicID(cell, pile, pos);
    }
    // The frame shown is around the top card of the pile (its empty place).
    void expectFrameOnTop(std::pair<int16_t, int16_t> place, const std::string& what)
    {
        EXPECT_EQ(table().focusFrame(), table().placeRect(place.first, place.second))
            << what << ": pile (" << place.first << ", " << place.second << ")";
    }
};

// Tab goes round the piles as they lie, row by row and left to right, and
// Left or Shift+Tab from the first pile comes to the last one: in Klondike
// the seventh tableau pile, at the bottom right.
TEST_F(KeyboardFrameTest, TheFrameGoesRoundThePilesAsTheyLie)
{
    for (const char* game : {"Klondike", "Double Klondike", "Fan Klondike", "Klondike Freecell"}) {
        SCOPED_TRACE(game);
        deal(game, 12);
        playAtRandom(5, 10);
        const size_t count = keys().places().size();
        ASSERT_GT(count, 3U);
        keys().moveTo(0);
        std::vector<std::pair<int16_t, int16_t>> seen{keys().place()};
        expectFrameOnTop(seen.back(), "first");
        qreal rowTop = base(seen.back()).y();
        for (size_t i = 1; i < count; ++i) {
            const QPointF before = base(seen.back());
            QTest::keyClick(&table(), Qt::Key_Tab);
            seen.push_back(keys().place());
            expectFrameOnTop(seen.back(), "tab " + std::to_string(i));
            const QPointF at = base(seen.back());
            if (at.y() - rowTop > card::kHeight / 2) {
                rowTop = at.y(); // the next row
            } else {
                // (A game without a stock keeps its place under a home pile.)
                EXPECT_GE(at.x(), before.x()) << "tab " << i << ": to the right in the same row";
                EXPECT_GT(at.y(), rowTop - card::kHeight / 2) << "tab " << i << ": never back up to a row left";
                rowTop = std::min(rowTop, at.y());
            }
        }
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end()) << "every pile once";
        const auto last = keys().place();
        QTest::keyClick(&table(), Qt::Key_Tab);
        EXPECT_EQ(keys().place(), keys().places().front()) << "Tab from the last pile comes to the first";
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Left, Qt::NoModifier}, std::pair{Qt::Key_Backtab, Qt::ShiftModifier}}) {
            keys().moveTo(0);
            QTest::keyClick(&table(), key, modifiers);
            EXPECT_EQ(keys().place(), last);
            expectFrameOnTop(last, key == Qt::Key_Left ? "Left from the first" : "Shift+Tab from the first");
        }
    }
    deal("Klondike", 3);
    keys().moveTo(0);
    QTest::keyClick(&table(), Qt::Key_Left);
    EXPECT_EQ(table().focusFrame(), table().placeRect(0, 6)) << "Klondike: the seventh tableau pile";
}

// Up takes one more card of the face-up run at a time, as deep as the run
// can be picked up and never a face-down card under it, and the frame shows
// just the cards taken; Down gives them back. A drop leaves the frame on one
// card again.
TEST_F(KeyboardFrameTest, UpTakesFaceUpCardsOnlyAndADropTakesOneAgain)
{
    int runs = 0;
    for (uint32_t round = 0; round < 8; ++round) {
        const char* const games[] = {"Klondike", "Fan Klondike", "Klondike Freecell", "Double Klondike"};
        SCOPED_TRACE(games[round % 4]);
        deal(games[round % 4], static_cast<int>(12 + round));
        playAtRandom(round + 1, 25);
        const auto places = keys().places();
        for (size_t i = 0; i < places.size(); ++i) {
            const int16_t deepest = deepestFaceUp(places[i]);
            if (deepest < 0 || shared.play.FaceMode(deepest) != cPlay::kFaceUp)
                continue;
            SCOPED_TRACE("pile (" + std::to_string(places[i].first) + ", " + std::to_string(places[i].second) + ")");
            keys().moveTo(i);
            for (int up = 0; up < 20; ++up)
                QTest::keyClick(&table(), Qt::Key_Up);
            EXPECT_EQ(table().focusFrame(), table().runRect(deepest)) << "the whole face-up run, no more";
            runs += deepest != shared.play.GetTopPicID(places[i].first, places[i].second) ? 1 : 0;
            QTest::keyClick(&table(), Qt::Key_Space);
            ASSERT_TRUE(keys().holding()) << "what the frame shows is picked up";
            EXPECT_EQ(shared.play.drag().card, deepest) << "the run picked up from its deepest card";
            QTest::keyClick(&table(), Qt::Key_Escape);
            table().finishAnimations();
            for (int down = 0; down < 20; ++down)
                QTest::keyClick(&table(), Qt::Key_Down);
            expectFrameOnTop(places[i], "down again");
        }
    }
    EXPECT_GT(runs, 0) << "some pile held a run of two cards or more";

    // A run taken from deep in a pile and dropped: the frame lies around
    // one card again, whoever made the move. First the mouse drops the run
    // the keys had framed, then the keys drop one.
    for (uint32_t seed = 10; seed < 60; ++seed) {
        deal("Klondike", static_cast<int>(seed));
        playAtRandom(seed, 40);
        const auto places = keys().places();
        const cPlay& play = shared.play;
        for (size_t from = 0; from < places.size(); ++from) {
            // Named apart: a lambda below takes them.
            const int16_t cell = places[from].first;
            const int16_t pile = places[from].second;
            const int16_t deepest = deepestFaceUp(places[from]);
            if (cell != 0 || deepest < 0 || play.FaceMode(deepest) != cPlay::kFaceUp ||
                deepest == play.GetTopPicID(cell, pile))
                continue;
            const auto to = std::find_if(places.begin(), places.end(), [&](const auto& place) {
                return place != places[from] &&
                       play.CanDrop(deepest, static_cast<int16_t>(play.GetTop(cell, pile) - play.Pos(deepest)),
                                    place.first, place.second);
            });
            if (to == places.end())
                continue;
            keys().moveTo(from);
            for (int up = 0; up < 20; ++up)
                QTest::keyClick(&table(), Qt::Key_Up);
            ASSERT_EQ(table().focusFrame(), table().runRect(deepest));
            // The mouse takes the run by the strip of its deepest card that
            // shows, and drops it on the other pile.
            QWidget* surface = table().viewport();
            const QPointF grip = table().shownPosition(deepest) + QPointF(card::kWidth / 2, 100);
            const QPointF onto = table().placeRect(to->first, to->second).center() + QPointF(0, 250);
            QTest::mousePress(surface, Qt::LeftButton, {}, table().viewPoint(grip));
            QTest::mouseMove(surface, table().viewPoint((grip + onto) / 2));
            QTest::mouseMove(surface, table().viewPoint(onto));
            QTest::mouseRelease(surface, Qt::LeftButton, {}, table().viewPoint(onto));
            table().finishAnimations();
            QCoreApplication::processEvents();
            ASSERT_EQ(play.Pile(deepest), to->second) << "the mouse moved the run";
            EXPECT_EQ(keys().depth(), 0);
            expectFrameOnTop(places[from], "after the mouse's drop");
            QTest::keyClick(&table(), Qt::Key_Space);
            ASSERT_TRUE(keys().holding()) << "the top card left is picked up";
            EXPECT_EQ(play.drag().card, play.GetTopPicID(cell, pile));
            EXPECT_EQ(play.FaceMode(play.drag().card), cPlay::kFaceUp);
            QTest::keyClick(&table(), Qt::Key_Escape);
            table().finishAnimations();

            // The keys take the run back from deep in the pile it went to,
            // and drop it where the rules take it.
            const size_t onIndex = static_cast<size_t>(to - places.begin());
            const int16_t k = static_cast<int16_t>(play.GetTop(to->first, to->second) - play.Pos(deepest));
            const auto back = std::find_if(places.begin(), places.end(), [&](const auto& place) {
                return place != *to && play.CanDrop(deepest, k, place.first, place.second);
            });
            if (back == places.end())
                return;
            keys().moveTo(onIndex);
            for (int up = 0; up < k; ++up)
                QTest::keyClick(&table(), Qt::Key_Up);
            QTest::keyClick(&table(), Qt::Key_Space);
            ASSERT_TRUE(keys().holding());
            keys().moveTo(static_cast<size_t>(back - places.begin()));
            QTest::keyClick(&table(), Qt::Key_Return);
            table().finishAnimations();
            QCoreApplication::processEvents();
            ASSERT_EQ(play.Pile(deepest), back->second) << "the keys moved the run";
            EXPECT_EQ(keys().depth(), 0);
            expectFrameOnTop(*back, "after the keys' drop");
            QTest::keyClick(&table(), Qt::Key_Up);
            EXPECT_EQ(table().focusFrame(),
                      table().runRect(play.GetPicID(back->first, back->second,
                                                    static_cast<int16_t>(play.GetTop(back->first, back->second) - 1))))
                << "Up takes one more";
            return;
        }
    }
    ADD_FAILURE() << "no deal offered a run to move";
}

} // namespace

namespace {

// While a card is dragged, the pile it would drop on is marked, and only
// when it would take it: over every pile of several positions, the mark
// shown before the release is exactly where the release puts the card, and
// no mark means the card goes back. The keys' mark keeps the same promise.
TEST_F(KeyboardFrameTest, TheDropMarkIsWhereTheReleasePutsTheCard)
{
    const cPlay& play = shared.play;
    int accepted = 0;
    int refused = 0;
    const auto undo = [&] {
        int16_t speed = 0;
        shared.engine.Undo(speed);
        table().finishAnimations();
    };
    for (const char* game : {"Klondike", "Klondike Freecell", "Double Klondike"}) {
        for (uint32_t round = 0; round < 3; ++round) {
            SCOPED_TRACE(std::string(game) + ", round " + std::to_string(round));
            deal(game, static_cast<int>(20 + round));
            playAtRandom(round + 7, 15 + 10 * static_cast<int>(round));
            const auto places = keys().places();
            // The cards a player may take: each pile's top card, and the
            // deepest of a face-up run.
            std::vector<int16_t> cards;
            for (const auto& place : places) {
                if (place.first == 1 || play.GetTop(place.first, place.second) < 0)
                    continue;
                int16_t k = 0;
                for (const int16_t card : {play.GetTopPicID(place.first, place.second), deepestFaceUp(place)})
                    if (play.FaceMode(card) == cPlay::kFaceUp && play.CanPickUp(card, k) &&
                        std::find(cards.begin(), cards.end(), card) == cards.end())
                        cards.push_back(card);
            }
            ASSERT_FALSE(cards.empty());
            QWidget* surface = table().viewport();
            for (const int16_t card : cards) {
                const std::pair<int16_t, int16_t> from{play.Cell(card), play.Pile(card)};
                const bool top = play.GetTopPicID(from.first, from.second) == card;
                for (const auto& to : places) {
                    if (to == from)
                        continue;
                    // The mouse: the card's middle carried over the pile's top card.
                    const QPointF corner = table().shownPosition(card);
                    const QPointF grip = corner + QPointF(card::kWidth / 2, top ? card::kHeight / 2 : 100);
                    const QPointF delta = table().placeRect(to.first, to.second).center() -
                                          (corner + QPointF(card::kWidth / 2, card::kHeight / 2));
                    QTest::mousePress(surface, Qt::LeftButton, {}, table().viewPoint(grip));
                    QTest::mouseMove(surface, table().viewPoint(grip + delta / 2));
                    QTest::mouseMove(surface, table().viewPoint(grip + delta));
                    // What the table tells of the moves is done, as between
                    // a player's moves of the mouse.
                    QCoreApplication::processEvents();
                    ASSERT_TRUE(play.drag().active);
                    EXPECT_TRUE(table().heldMark().isEmpty()) << "a drag is no hold";
                    const QRectF mark = table().dropMark();
                    const auto target = play.dropTarget();
                    QTest::mouseRelease(surface, Qt::LeftButton, {}, table().viewPoint(grip + delta));
                    table().finishAnimations();
                    EXPECT_TRUE(table().dropMark().isEmpty()) << "the mark goes with the release";
                    const bool moved = std::pair(play.Cell(card), play.Pile(card)) != from;
                    EXPECT_EQ(!mark.isEmpty(), moved)
                        << "card " << card << " over (" << to.first << ", " << to.second << ")";
                    if (moved) {
                        ASSERT_TRUE(target.has_value());
                        EXPECT_EQ(std::pair(play.Cell(card), play.Pile(card)), *target);
                        undo();
                        EXPECT_EQ(mark, table().placeRect(target->first, target->second)) << "around its top card";
                    } else {
                        EXPECT_EQ(std::pair(play.Cell(card), play.Pile(card)), from) << "back";
                    }
                    (moved ? accepted : refused) += 1;

                    // The keys: the frame on the pile, and the drop.
                    keys().moveTo(static_cast<size_t>(std::find(places.begin(), places.end(), from) - places.begin()));
                    for (int up = play.Pos(card); up < play.GetTop(from.first, from.second); ++up)
                        QTest::keyClick(&table(), Qt::Key_Up);
                    QTest::keyClick(&table(), Qt::Key_Space);
                    ASSERT_TRUE(keys().holding());
                    EXPECT_EQ(table().heldMark(), table().runRect(card)) << "the held cards are marked";
                    EXPECT_EQ(play.drag().card, card);
                    // Still over its own pile, where a drop puts it back.
                    EXPECT_TRUE(table().dropMark().isEmpty()) << "card " << card << ": no mark on its own pile";
                    keys().moveTo(static_cast<size_t>(std::find(places.begin(), places.end(), to) - places.begin()));
                    const bool keyMark = !table().dropMark().isEmpty();
                    QTest::keyClick(&table(), Qt::Key_Return);
                    table().finishAnimations();
                    EXPECT_TRUE(table().heldMark().isEmpty()) << "put down or back";
                    const bool keyMoved = std::pair(play.Cell(card), play.Pile(card)) != from;
                    EXPECT_EQ(keyMark, keyMoved)
                        << "keys: card " << card << " onto (" << to.first << ", " << to.second << ")";
                    if (keyMoved)
                        undo();
                }
            }
        }
    }
    EXPECT_GT(accepted, 10);
    EXPECT_GT(refused, 10);
}

} // namespace
