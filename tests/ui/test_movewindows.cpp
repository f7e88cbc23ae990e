#include "history/MoveTexts.h"
#include "pictures/CardPictures.h"
#include "session/GameHistory.h"
#include "session/Shared.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/frmHistory.h"
#include "windows/frmHotGames.h"
#include "windows/frmMain.h"
#include "windows/frmQuickMove.h"
#include "windows/frmSelect.h"
#include "windows/table/TableView.h"

#include <QFile>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A Klondike game of some forty random moves, automatic moves to the
// foundations grouped with the move that freed them, in the real window.
class MoveWindowsTest : public ::testing::Test {
protected:
    MoveWindowsTest()
    {
        QLocale::setDefault(QLocale::c());
        shared.services.setPrompts(&prompts);
        shared.services.setClock(&clock);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
        window = std::make_unique<frmMain>(shared, pictures);
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(606));
        RandomPlayer player(shared, 3);
        for (int i = 0; i < 40 && player.step(); ++i) {
        }
        window->table().finishAnimations();
    }
    ~MoveWindowsTest() override
    {
        window.reset();
        shared.services.setClock(nullptr);
        shared.services.setPrompts(nullptr);
        QLocale::setDefault(QLocale::system());
    }
    template <typename T> static T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TempHome home;
    FakePrompts prompts;
    FakeClock clock;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

TEST_F(MoveWindowsTest, TheMovesManagerJumpsAndNeverStopsInsideAGroup)
{
    cEngine& engine = shared.engine;
    const int16_t top = engine.GetTransTop();
    ASSERT_GT(top, 10);
    int16_t inside = 0;
    for (int16_t n = 1; n < top && inside == 0; ++n)
        if (engine.Multi(n) == 1)
            inside = n;
    ASSERT_GT(inside, 0) << "no group to jump into";

    frmQuickMove manager(shared, *window);
    auto* slider = child<QSlider>(manager, "Slider1");
    auto* list = child<QTreeView>(manager, "lvQuick");
    EXPECT_EQ(slider->maximum(), top);
    EXPECT_EQ(list->model()->rowCount(), top + 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("Start"));
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), QStringLiteral("Name :Klondike"));
    EXPECT_EQ(list->model()->index(inside, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(150, 150, 150));
    EXPECT_FALSE(child<QPushButton>(manager, "cmdForward")->isEnabled()) << "at the last move";

    // The "Start" row: the deal.
    emit list->clicked(list->model()->index(0, 0));
    EXPECT_EQ(engine.GetTransID(), 0);
    EXPECT_EQ(child<QLabel>(manager, "lbText1")->text(), QStringLiteral("Game Name : Klondike - Game No.: 606"));
    EXPECT_EQ(manager.windowTitle(), QStringLiteral("Move: 0 - Game Name : Klondike - Game No.: 606"));
    EXPECT_FALSE(child<QPushButton>(manager, "cmdBack")->isEnabled());
    manager.stepBack();
    EXPECT_EQ(engine.GetTransID(), 0);

    // Into a group: the far side of it.
    emit list->clicked(list->model()->index(inside, 0));
    const int16_t landed = engine.GetTransID();
    EXPECT_GT(landed, inside);
    EXPECT_EQ(engine.Multi(landed), 0);
    EXPECT_EQ(slider->value(), landed);
    EXPECT_EQ(list->currentIndex().row(), landed);
    EXPECT_EQ(list->model()->index(landed, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
    EXPECT_TRUE(list->model()->index(landed, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(child<QLabel>(manager, "lbText1")->text(), moveTexts::moveDescription(engine, landed));
    EXPECT_EQ(child<QLabel>(manager, "lbText3")->text(),
              QStringLiteral("Cards Moved : ") + QString::number(engine.mCards(landed) + 1));

    // Past the end: the last move, nothing more.
    manager.jumpTo(top + 5);
    EXPECT_EQ(engine.GetTransID(), landed) << "a position beyond the moves is refused";
    slider->setValue(top);
    EXPECT_EQ(engine.GetTransID(), top);
    manager.stepForward();
    EXPECT_EQ(engine.GetTransID(), top);

    // A jump while an animated undo still runs leaves every card where it
    // now lies, not where the animation had got to.
    int16_t speed = 5;
    ASSERT_TRUE(engine.Undo(speed));
    ASSERT_TRUE(window->table().animating());
    manager.jumpTo(top);
    EXPECT_FALSE(window->table().animating());
    for (int16_t card = 0; card < shared.play.CardCount(); ++card) {
        const CardSurface::Point lies = window->table().cardPosition(card);
        EXPECT_EQ(window->table().shownPosition(card), QPointF(lies.x, lies.y)) << "card " << card;
    }

    // Following a replay: only "stop" can be pressed, and clicks go nowhere.
    manager.startReplay(false);
    manager.followReplay();
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(child<QPushButton>(manager, "cmdBack")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(manager, "cmdReplayStop")->isEnabled());
    emit list->clicked(list->model()->index(0, 0));
    EXPECT_EQ(engine.GetTransID(), top);
    window->StopReplay();
    manager.followReplay();
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_FALSE(child<QPushButton>(manager, "cmdReplayStop")->isEnabled());
}

TEST_F(MoveWindowsTest, TheHistoryMarksTheCurrentMoveAndTheUndoneOnes)
{
    cEngine& engine = shared.engine;
    // Three single steps back, whatever the groups.
    int16_t speed = 0;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(engine.Undo(speed));
    const int16_t current = engine.GetTransID();
    const int16_t top = engine.GetTransTop();

    frmHistory history(shared);
    QAbstractItemModel* rows = child<QTreeView>(history, "lvHistory")->model();
    ASSERT_EQ(rows->rowCount(), top);
    EXPECT_EQ(rows->index(current - 1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
    EXPECT_TRUE(rows->index(current - 1, 0).data(Qt::FontRole).value<QFont>().bold());
    for (int row = current; row < top; ++row)
        EXPECT_EQ(rows->index(row, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 0)) << row;
    EXPECT_FALSE(rows->index(current - 2, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(rows->index(0, 1).data().toString(),
              moveTexts::placeText(engine.SCell(1), engine.SPile(1), engine.SPos(1), 1))
        << "places counted from 1";
}

TEST_F(MoveWindowsTest, TheHistoryFileListsEveryMoveWithItsCards)
{
    cEngine& engine = shared.engine;
    shared.gamePlay.setTime(65);
    const QStringList lines = gameHistory::fileText(shared).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.mid(0, 8), (QStringList{"Game Name: Klondike", "Game Number:  606 ", "Player: Player1",
                                            QStringLiteral("Moves:  %1 ").arg(engine.GetTransID()), "Time: 0:01:05",
                                            QStringLiteral("Score: ") + (shared.gamePlay.Score() < 0 ? "" : " ") +
                                                QString::number(shared.gamePlay.Score()) + " ",
                                            "Date :8 Dec 2026 10:00:00", "-------Game History-------"}));
    ASSERT_EQ(lines.size(), 8 + engine.GetTransTop() + 1);
    EXPECT_EQ(lines.last(), QString());
    bool one = false;
    bool several = false;
    for (int16_t n = 1; n <= engine.GetTransTop(); ++n) {
        const QString& line = lines[7 + n];
        const int cards = engine.mCards(n) + 1;
        EXPECT_TRUE(line.startsWith(QStringLiteral(" %1   ").arg(n))) << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral("  ->"))) << line.toStdString();
        EXPECT_TRUE(line.endsWith(cards == 1 ? QStringLiteral("   1  Card Moved")
                                             : QStringLiteral("   %1  Cards Moved").arg(cards)))
            << line.toStdString();
        one = one || cards == 1;
        several = several || cards > 1;
    }
    EXPECT_TRUE(one && several) << "the game has moves of one card and of several";
    // One line exactly, as the player reads it.
    const cEngine::Transaction& first = engine.Record(1);
    EXPECT_EQ(lines[8], QStringLiteral(" 1   ") + moveTexts::groupName(first.SCell) +
                            QStringLiteral(" (Pile %1, Card %2)  ->").arg(first.SPile + 1).arg(first.SPos + 1) +
                            moveTexts::groupName(first.DCell) +
                            QStringLiteral(" (Pile %1, Card %2)   %3  ")
                                .arg(first.DPile + 1)
                                .arg(first.DPos + 1)
                                .arg(first.mCards + 1) +
                            (first.mCards == 0 ? QStringLiteral("Card Moved") : QStringLiteral("Cards Moved")));

    // Exported where the player chose; a folder that is not there does
    // nothing.
    const QString path = home.path(QStringLiteral("history.txt"));
    prompts.files = {home.path(QStringLiteral("nowhere/h.txt")), path};
    gameHistory::Export(shared);
    EXPECT_TRUE(prompts.messages.isEmpty());
    gameHistory::Export(shared);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), gameHistory::fileText(shared));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Successfully Exported")});
    EXPECT_EQ(prompts.dialogs.back().fileName, QStringLiteral("Klondike - 606.txt"));
}

TEST_F(MoveWindowsTest, HotGamesMoveBothWaysAndTheSelectionShowsThem)
{
    {
        frmHotGames hot(shared);
        auto* games = child<QListWidget>(hot, "lstGames");
        auto* hotList = child<QListWidget>(hot, "lstHot");
        EXPECT_EQ(games->count(), shared.data.TotalGames());
        EXPECT_FALSE(child<QPushButton>(hot, "cmdRemove")->isEnabled());
        for (const char* name : {"Raglan", "Klondike", "Canister"}) {
            games->setCurrentItem(games->findItems(QLatin1String(name), Qt::MatchExactly).first());
            child<QPushButton>(hot, "cmdAdd")->click();
        }
        EXPECT_EQ(hotList->item(2)->text(), QStringLiteral("Canister")) << "appended at the end";
        hotList->setCurrentRow(1);
        child<QPushButton>(hot, "cmdRemove")->click();
        EXPECT_EQ(games->item(games->count() - 1)->text(), QStringLiteral("Klondike"));
        EXPECT_EQ(hotList->count(), 2);
    }
    frmHotGames again(shared);
    QStringList stored;
    auto* hotList = child<QListWidget>(again, "lstHot");
    for (int i = 0; i < hotList->count(); ++i)
        stored << hotList->item(i)->text();
    EXPECT_EQ(stored, (QStringList{"Canister", "Raglan"})) << "in game order when read back";

    frmSelect select(shared, pictures);
    select.openCategory(QStringLiteral("Hot"));
    QStringList shown;
    auto* tree = select.findChild<QTreeWidget*>(QStringLiteral("tvGames"));
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItemIterator it(tree);
    for (; *it != nullptr; ++it)
        shown << (*it)->text(0);
    EXPECT_TRUE(shown.contains(QStringLiteral("Raglan")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Canister")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Klondike")));
}

// An arrow is offered exactly when its list has a game chosen to move: each
// press of an offered arrow moves one game, through a list emptied and
// filled again.
TEST_F(MoveWindowsTest, HotGameArrowsAreOfferedOnlyWithAGameToMove)
{
    frmHotGames hot(shared);
    hot.show();
    auto* games = child<QListWidget>(hot, "lstGames");
    auto* hotList = child<QListWidget>(hot, "lstHot");
    auto* add = child<QPushButton>(hot, "cmdAdd");
    auto* remove = child<QPushButton>(hot, "cmdRemove");
    const int total = shared.data.TotalGames();
    const auto offeredAsItWorks = [&](const char* when) {
        EXPECT_EQ(add->isEnabled(), games->currentItem() != nullptr) << when;
        EXPECT_EQ(remove->isEnabled(), hotList->currentItem() != nullptr) << when;
        EXPECT_EQ(games->count() + hotList->count(), total) << when;
    };
    const auto pressUntilOff = [&](QPushButton* arrow, QListWidget* from) {
        for (int presses = 0; arrow->isEnabled() && presses <= total; ++presses) {
            const int before = from->count();
            arrow->click();
            ASSERT_EQ(from->count(), before - 1) << "an offered arrow moves a game";
            offeredAsItWorks("moving");
        }
    };

    pressUntilOff(add, games);
    EXPECT_EQ(hotList->count(), total) << "every game made hot";
    EXPECT_FALSE(add->isEnabled());
    pressUntilOff(remove, hotList);
    EXPECT_EQ(games->count(), total) << "and every one back";
    EXPECT_FALSE(remove->isEnabled());

    // A list with games but none chosen offers no arrow until one is.
    games->setCurrentItem(nullptr);
    offeredAsItWorks("none chosen");
    EXPECT_FALSE(add->isEnabled());
    add->click();
    EXPECT_EQ(hotList->count(), 0);
    games->setCurrentRow(3);
    EXPECT_TRUE(add->isEnabled());
    const QString chosen = games->item(3)->text();
    add->click();
    ASSERT_EQ(hotList->count(), 1);
    EXPECT_EQ(hotList->item(0)->text(), chosen);
    offeredAsItWorks("one hot again");
}

} // namespace
