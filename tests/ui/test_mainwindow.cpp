#include "history/mFile.h"
#include "library/Favorites.h"
#include "library/Listings.h"
#include "library/PendingList.h"
#include "pictures/CardPictures.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TableText.h"
#include "support/TempHome.h"
#include "windows/MainMenus.h"
#include "windows/frmFinish.h"
#include "windows/frmGameStat.h"
#include "windows/frmMain.h"
#include "windows/frmSelect.h"
#include "windows/frmSplash.h"
#include "windows/table/KeyboardPlay.h"
#include "windows/table/TableView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class RecordingHelp final : public HelpViewer {
public:
    void showContents() override { shown << 0; }
    void showRules(int16_t id) override { shown << id; }
    void closeAll() override { ++closed; }
    QList<int> shown;
    int closed = 0;
};

// The real main window, offscreen, with questions answered by a script.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.setHelp(&help);
        // The game-end dialog comes at once, without the celebration.
        shared.services.settings().write(settings::kCelebrateWin, 0);
        window = std::make_unique<frmMain>(shared, pictures);
    }
    ~MainWindowTest() override
    {
        window.reset();
        shared.services.setPrompts(nullptr);
        shared.services.setHelp(nullptr);
    }

    // A saved game with some moves, as a file of the given name.
    QString savedGame(const QString& name, int actions = 20)
    {
        Shared other;
        other.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(606));
        RandomPlayer player(other, 3);
        for (int i = 0; i < actions && player.step(); ++i) {
        }
        const QString path = home.path(name);
        other.engine.SavetoFile(path);
        return path;
    }
    // Runs the action while answering whatever modal window it opens by
    // closing it; returns that window's class, if one opened.
    QString closingDialog(const std::function<void()>& action)
    {
        QString opened;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        closer.start(0);
        action();
        return opened;
    }
    // Tells the window the game is won and lets `answer` act in the
    // game-end dialog when it comes up (the dialog closes after it); false
    // when no dialog came.
    bool winAndAnswer(const std::function<void(frmFinish&)>& answer)
    {
        bool answered = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<frmFinish*>(QApplication::activeModalWidget())) {
                poll.stop();
                answered = true;
                answer(*dialog);
                dialog->close();
            }
        });
        poll.start();
        shared.gamePlay.GameWon();
        for (int i = 0; i < 400 && !answered; ++i)
            QTest::qWait(5);
        // The dialog's closing and what comes after it.
        QTest::qWait(10);
        return answered;
    }
    QString runClosingDialog(const QString& key)
    {
        return closingDialog([&] { window->RunCommand(key); });
    }
    // Starts the window with no file and no unfinished game: the selection
    // window opens, and is closed here as it comes up; then a deal is
    // started as the selection would start it.
    QString loadAndDeal(double number = 7)
    {
        const QString opened = closingDialog([&] { window->Form_Load(QString()); });
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
        return opened;
    }
    bool enabled(const char* family, int index) const
    {
        return window->menus().item(QLatin1String(family), index)->isEnabled();
    }

    TempHome home;
    Shared shared;
    CardPictures pictures;
    FakePrompts prompts;
    RecordingHelp help;
    std::unique_ptr<frmMain> window;
};

TEST_F(MainWindowTest, TheFirstGameIsTheCommandLinesOrTheUnfinishedOne)
{
    // No unfinished game and no file: the player chooses a game.
    EXPECT_EQ(loadAndDeal(), QStringLiteral("frmSelect"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Players(shared.services.settings()).PlayerName(1), QStringLiteral("Player1")) << "the first player";

    // A file on the command line while an unfinished game waits: "No"
    // resumes the unfinished game and ignores the file.
    const QString unfinished = savedGame(QStringLiteral("u.tb0"), 12);
    QFile::copy(unfinished, shared.data.UnFinFile());
    const QString other = savedGame(QStringLiteral("other.tb0"), 30);
    shared.services.settings().write(settings::kUnFin, 1);
    prompts.answers.push_back(Prompts::Answer::No);
    window->StartFirstGame(QStringLiteral("  ") + other + QStringLiteral(" "));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("An unfinished game from previous session exists! If you start this game then you will "
                             "loose the previous Game.\r\nClick 'Yes' to start this game or 'No' to start the "
                             "previous game."));
    EXPECT_EQ(shared.gamePlay.Moves(), mFile::ReadGameSummary(unfinished).moves);
    EXPECT_EQ(shared.services.settings().read(settings::kUnFin), 0);
    EXPECT_EQ(shared.func.GetMRUCount(cFunc::kOpenedList), 0) << "the unfinished game is not listed";

    // Without a file: "Yes" continues the unfinished game.
    shared.services.settings().write(settings::kUnFin, 1);
    prompts.answers.push_back(Prompts::Answer::Yes);
    window->StartFirstGame(QString());
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("An unfinished game from previous session exists!\r\nClick "
                                                      "'Yes' to continue this game or 'No' to start a new game."));
    EXPECT_EQ(shared.gamePlay.Moves(), mFile::ReadGameSummary(unfinished).moves);

    // Just a file: it is opened and listed.
    window->StartFirstGame(other);
    EXPECT_EQ(shared.gamePlay.Moves(), mFile::ReadGameSummary(other).moves);
    EXPECT_EQ(shared.func.GetMRU(cFunc::kOpenedList)[1], other);

    // A file that cannot be opened is reported, the game on the table stays,
    // and with an empty table the player chooses a game.
    prompts.messages.clear();
    window->StartFirstGame(home.path(QStringLiteral("missing.tb0")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("missing.tb0")));
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
    window->RunCommand(QStringLiteral("Close"));
    EXPECT_EQ(closingDialog([&] { window->StartFirstGame(home.path(QStringLiteral("missing.tb0"))); }),
              QStringLiteral("frmSelect"));
}

TEST_F(MainWindowTest, AnUnfinishedGameThatCannotBeOpenedLeadsToTheSelection)
{
    // Missing, then damaged: after the message the player chooses a game.
    for (const QByteArray& contents : {QByteArray(), QByteArray("not a saved game\r\n")}) {
        QFile::remove(shared.data.UnFinFile());
        if (!contents.isEmpty()) {
            QFile damaged(shared.data.UnFinFile());
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
            damaged.write(contents);
        }
        prompts.messages.clear();
        shared.services.settings().write(settings::kUnFin, 1);
        prompts.answers.push_back(Prompts::Answer::Yes);
        EXPECT_EQ(closingDialog([&] { window->StartFirstGame(QString()); }), QStringLiteral("frmSelect"))
            << "file contents: " << contents.constData();
        ASSERT_EQ(prompts.messages.size(), 2) << "the question, then what is wrong with the file";
        EXPECT_TRUE(prompts.messages[1].contains(QStringLiteral("Unfin"))) << qPrintable(prompts.messages[1]);
        EXPECT_EQ(shared.services.settings().read(settings::kUnFin), 0);
    }
}

TEST_F(MainWindowTest, ThePauseMarkFollowsTheGameFromStartToEnd)
{
    loadAndDeal();
    cGamePlay& session = shared.gamePlay;
    QAction* item = window->menus().item(QStringLiteral("mGame"), 9);
    QAction* button = window->menus().button(QStringLiteral("Pause"));
    ASSERT_TRUE(item && button);
    const auto pausedThen = [&](const char* what, const std::function<void()>& action) {
        window->RunCommand(QStringLiteral("Pause"));
        ASSERT_TRUE(session.PauseStatus()) << what;
        ASSERT_TRUE(item->isChecked() && button->isChecked()) << what;
        action();
        EXPECT_FALSE(session.PauseStatus()) << what;
        EXPECT_FALSE(item->isChecked()) << what << ": the menu item is unchecked";
        EXPECT_FALSE(button->isChecked()) << what << ": the button is released";
    };
    pausedThen("New", [&] { window->RunCommand(QStringLiteral("New")); });
    pausedThen("Restart", [&] { window->RunCommand(QStringLiteral("Restart")); });
    pausedThen("Select", [&] {
        QTimer::singleShot(0, [] {
            if (auto* select = qobject_cast<frmSelect*>(QApplication::activeModalWidget()))
                select->play();
        });
        window->RunCommand(QStringLiteral("Select"));
        EXPECT_EQ(session.Game_Status(), cGamePlay::kInProgress) << "a game was chosen";
    });
    pausedThen("Close", [&] { window->RunCommand(QStringLiteral("Close")); });

    // The next game is not paused, and the key pauses it.
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(8));
    window->RunCommand(QStringLiteral("Pause"));
    EXPECT_TRUE(session.PauseStatus());
    EXPECT_TRUE(item->isChecked());
}

TEST_F(MainWindowTest, CommandKeysReachTheirActions)
{
    loadAndDeal();
    cGamePlay& session = shared.gamePlay;
    cEngine& engine = shared.engine;
    RandomPlayer player(shared, 5);
    for (int i = 0; i < 12 && player.step(); ++i) {
    }
    const QString game = session.GameName();
    const double number = session.gameNo().toNumber();
    const int16_t moves = engine.GetTransID();
    ASSERT_GT(moves, 2);

    window->RunCommand(QStringLiteral("Undo"));
    EXPECT_LT(engine.GetTransID(), moves);
    window->RunCommand(QStringLiteral("Redo"));
    EXPECT_EQ(engine.GetTransID(), moves);
    window->RunCommand(QStringLiteral("UndoAll"));
    EXPECT_EQ(engine.GetTransID(), 0);
    window->RunCommand(QStringLiteral("RedoAll"));
    EXPECT_EQ(engine.GetTransID(), moves);

    window->RunCommand(QStringLiteral("AutoPlay"));
    EXPECT_EQ(shared.services.settings().read(settings::kAutoPlay), 0);
    window->RunCommand(QStringLiteral("AutoPlay"));
    EXPECT_EQ(shared.services.settings().read(settings::kAutoPlay), 1);

    window->RunCommand(QStringLiteral("Pause"));
    EXPECT_TRUE(session.PauseStatus());
    EXPECT_TRUE(window->menus().item(QStringLiteral("mGame"), 9)->isChecked());
    EXPECT_FALSE(window->tmrGame.isActive());
    window->RunCommand(QStringLiteral("Pause"));
    EXPECT_FALSE(session.PauseStatus());

    window->RunCommand(QStringLiteral("ViewTool"));
    EXPECT_FALSE(window->menus().toolbar()->isVisibleTo(window.get()));
    EXPECT_EQ(shared.services.settings().read(settings::kShowToolbar), 0);
    window->RunCommand(QStringLiteral("ViewTool"));
    EXPECT_TRUE(window->menus().toolbar()->isVisibleTo(window.get()));

    window->RunCommand(QStringLiteral("Rules"));
    window->RunCommand(QStringLiteral("Contents"));
    EXPECT_EQ(help.shown, (QList<int>{shared.data.GetGameID(game), 0}));

    window->RunCommand(QStringLiteral("Open"));
    window->RunCommand(QStringLiteral("Save"));
    ASSERT_EQ(prompts.dialogs.size(), 2u);
    EXPECT_EQ(prompts.dialogs[1].fileName, game + QLatin1Char('-') + session.gameNo().toString() + ".tb0");

    window->RunCommand(QStringLiteral("Restart"));
    EXPECT_EQ(session.gameNo().toNumber(), number);
    window->RunCommand(QStringLiteral("New"));
    EXPECT_EQ(session.GameName(), game);

    window->RunCommand(QStringLiteral("ReplayAll"));
    EXPECT_EQ(engine.GetTransID(), 0);
    EXPECT_TRUE(window->tmrForward.isActive());
    window->RunCommand(QStringLiteral("Stop"));
    EXPECT_FALSE(window->replaying());

    EXPECT_EQ(runClosingDialog(QStringLiteral("About")), QStringLiteral("frmAbout"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Toolbar")), QStringLiteral("frmToolbar"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Deck")), QStringLiteral("frmCardDeck"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Animation")), QStringLiteral("frmAnimation"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Select")), QStringLiteral("frmSelect"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("SelNum")), QStringLiteral("frmChoose"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Players")), QStringLiteral("frmPlayers"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("Options")), QStringLiteral("frmOptions"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("NoSuchKey")), QString());

    window->RunCommand(QStringLiteral("Close"));
    EXPECT_EQ(session.Game_Status(), cGamePlay::kNoGame);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

TEST_F(MainWindowTest, ReplayRunsStepByStepSwitchesDirectionAndStopsByItself)
{
    window->Form_Load(savedGame(QStringLiteral("done.tb1"), 10));
    cEngine& engine = shared.engine;
    ASSERT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kFinishedOnShow);
    EXPECT_TRUE(window->tmrForward.isActive()) << "a finished game replays itself";
    window->menus().refreshCommandStates(window->replaying());
    EXPECT_FALSE(enabled("mGame", 1)) << "no undo while replaying";
    EXPECT_FALSE(enabled("mFile", 8)) << "a finished game is not saved again";
    EXPECT_FALSE(window->menus().button(QStringLiteral("Save"))->isEnabled());
    EXPECT_FALSE(enabled("mReplay", 8)) << "no moves manager while replaying";

    window->replayStep(true);
    window->replayStep(true);
    const int16_t reached = engine.GetTransID();
    EXPECT_GT(reached, 0);
    EXPECT_TRUE(enabled("mReplay", 6)) << "Stop is offered";

    window->RunCommand(QStringLiteral("Back"));
    EXPECT_TRUE(window->tmrBackward.isActive());
    EXPECT_FALSE(window->tmrForward.isActive());
    window->replayStep(false);
    EXPECT_LT(engine.GetTransID(), reached);

    window->RunCommand(QStringLiteral("Forward"));
    for (int i = 0; i < 500 && window->replaying(); ++i)
        window->replayStep(true);
    EXPECT_FALSE(window->replaying()) << "stopped after the last move";
    EXPECT_EQ(engine.GetTransID(), engine.GetTransTop());
    EXPECT_FALSE(enabled("mReplay", 6));
    window->menus().refreshCommandStates(window->replaying());
    EXPECT_TRUE(enabled("mGame", 1));
}

TEST_F(MainWindowTest, APressWhilePausedResumesAndPicksTheCardUp)
{
    loadAndDeal();
    window->table().finishAnimations();
    cPlay& play = shared.play;
    shared.gamePlay.PauseGame(true);
    // The top card of a home pile (automatic play may have emptied some).
    int16_t pile = 0;
    while (play.GetTop(0, pile) < 0)
        ++pile;
    const int16_t card = play.GetTopPicID(0, pile);
    const QPoint at = window->table().viewPoint(window->table().shownPosition(card) + QPointF(500, 700));
    QTest::mousePress(window->table().viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(shared.gamePlay.PauseStatus());
    EXPECT_TRUE(window->tmrGame.isActive());
    EXPECT_TRUE(shared.play.drag().active);
    QTest::mouseRelease(window->table().viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(shared.play.drag().active);
    EXPECT_FALSE(shared.services.busy);
}

TEST_F(MainWindowTest, AnErrorIsShownAndTheGameGoesOn)
{
    loadAndDeal();
    const QString game = shared.gamePlay.GameName();
    shared.func.AddtoMRU(cFunc::kSavedList, home.path(QStringLiteral("gone.tb0")));
    const QString missing = home.path(QStringLiteral("gone.tb0"));
    emit window->menus().entryChosen(200, QStringLiteral("200") + missing, missing);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("was not found")));
    EXPECT_EQ(shared.gamePlay.GameName(), game);
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);

    window->close();
    EXPECT_EQ(help.closed, 1) << "help windows close with the program";
}

TEST_F(MainWindowTest, EveryCommandThePlayerCanPressRunsAndUnknownKeysAreReported)
{
    loadAndDeal();
    window->menus().refreshCommandStates(false);
    const QStringList known = window->commandKeys();
    int checked = 0;
    for (const MenuItemInfo& info : MainMenus::kMenuItems) {
        const QString key = QLatin1String(info.key);
        if (key.isEmpty() || key == QLatin1String("Recent"))
            continue;
        QAction* item = window->menus().item(QLatin1String(info.family), info.index);
        QAction* button = window->menus().button(key);
        if (!known.contains(key)) {
            EXPECT_FALSE(item->isEnabled()) << "nothing happens on " << info.family << " " << info.index;
            if (button != nullptr) {
                EXPECT_FALSE(button->isEnabled()) << key.toStdString();
            }
        } else {
            ++checked;
        }
    }
    EXPECT_EQ(checked, known.size()) << "every command has its menu item";
    EXPECT_TRUE(known.contains(QStringLiteral("About")));
    EXPECT_FALSE(window->RunCommand(QStringLiteral("NoSuchKey")));
    EXPECT_TRUE(window->RunCommand(QStringLiteral("Stop")));
}

// The favorites and pending menus follow the folders: a pending game put
// aside is listed with its completion, the one being played is marked and
// cannot be chosen, and each list's separator hides when it is empty.
TEST_F(MainWindowTest, TheLibraryMenusListFavoritesAndPendingGames)
{
    loadAndDeal(21);
    QMenu* favorites = window->menus().menu(QStringLiteral("mFav"));
    QMenu* pending = window->menus().menu(QStringLiteral("mPend"));
    EXPECT_FALSE(window->menus().item(QStringLiteral("mFav"), 3)->isVisible());
    EXPECT_FALSE(window->menus().item(QStringLiteral("mPend"), 3)->isVisible());

    EXPECT_EQ(closingDialog([&] { window->RunCommand(QStringLiteral("AddFav")); }), QStringLiteral("frmAddtoFav"));
    Favorites(shared.services, shared.data).AddFavorite();
    window->menus().refreshFavMenu();
    const QString favorite = QDir(shared.data.FavFolder()).filePath(QStringLiteral("Klondike - 21"));
    ASSERT_NE(window->menus().entry(favorites, favorite), nullptr);
    EXPECT_TRUE(window->menus().item(QStringLiteral("mFav"), 3)->isVisible());

    window->RunCommand(QStringLiteral("AddPend"));
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame) << "put aside";
    const QString file = QDir(shared.data.PendingFolder()).filePath(QStringLiteral("Klondike - 21.tb0"));
    QAction* entry = window->menus().entry(pending, file);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->text().startsWith(QStringLiteral("Klondike - 21 (")));
    EXPECT_TRUE(entry->text().endsWith(QStringLiteral("% Completed)")));
    entry->trigger();
    entry = window->menus().entry(pending, file);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->text().endsWith(QStringLiteral(" - (Now Playing)")));
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_TRUE(shared.gamePlay.IsPending());

    // Won: the game leaves the list.
    EXPECT_TRUE(winAndAnswer([](frmFinish&) {}));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(window->menus().entry(pending, file), nullptr);
}

// Leaving a pending game by any command puts it back on the list as a game
// that can be chosen again, with its progress.
TEST_F(MainWindowTest, APendingGameLeftIsNoLongerMarkedAsPlaying)
{
    loadAndDeal(21);
    window->RunCommand(QStringLiteral("AddPend"));
    QMenu* pending = window->menus().menu(QStringLiteral("mPend"));
    const QString file = QDir(shared.data.PendingFolder()).filePath(QStringLiteral("Klondike - 21.tb0"));
    for (const char* leaving : {"New", "Restart", "Close"}) {
        SCOPED_TRACE(leaving);
        QAction* entry = window->menus().entry(pending, file);
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        ASSERT_TRUE(shared.gamePlay.IsPending());
        entry = window->menus().entry(pending, file);
        ASSERT_NE(entry, nullptr);
        ASSERT_FALSE(entry->isEnabled()) << "marked while played";

        window->RunCommand(QLatin1String(leaving));
        EXPECT_FALSE(shared.gamePlay.IsPending());
        entry = window->menus().entry(pending, file);
        ASSERT_NE(entry, nullptr) << "still on the list";
        EXPECT_TRUE(entry->isEnabled());
        EXPECT_FALSE(entry->text().contains(QStringLiteral("Now Playing"))) << entry->text().toStdString();
        EXPECT_TRUE(entry->text().endsWith(QStringLiteral("% Completed)"))) << entry->text().toStdString();
        EXPECT_TRUE(QFile::exists(file));
    }
}

// A finished game replaying itself is on the table too: "Add to Favorites"
// is offered, and by its menu item, button and key it opens its window.
TEST_F(MainWindowTest, AFinishedGameCanBeAddedToTheFavorites)
{
    window->Form_Load(savedGame(QStringLiteral("done.tb1"), 10));
    ASSERT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kFinishedOnShow);
    window->StopReplay();
    window->menus().refreshCommandStates(window->replaying());
    EXPECT_TRUE(enabled("mFav", 1));
    EXPECT_TRUE(window->menus().button(QStringLiteral("AddFav"))->isEnabled());
    EXPECT_EQ(runClosingDialog(QStringLiteral("AddFav")), QStringLiteral("frmAddtoFav"));
    EXPECT_EQ(closingDialog([&] { window->menus().button(QStringLiteral("AddFav"))->trigger(); }),
              QStringLiteral("frmAddtoFav"));
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(closingDialog([&] { QTest::keyClick(&window->table(), Qt::Key_A, Qt::ControlModifier); }),
              QStringLiteral("frmAddtoFav"));

    // With nothing on the table there is nothing to file.
    window->RunCommand(QStringLiteral("Close"));
    EXPECT_EQ(runClosingDialog(QStringLiteral("AddFav")), QString());
}

// Ctrl+N, Ctrl+Shift+Z and Ctrl+Q pressed on the table run New Game, Redo
// and Exit, as F2 and Ctrl+X still do.
TEST_F(MainWindowTest, StandardKeysOnTheTableReachTheirCommands)
{
    loadAndDeal(31);
    RandomPlayer player(shared, 4);
    for (int i = 0; i < 8 && player.step(); ++i) {
    }
    window->table().finishAnimations();
    const int16_t moves = shared.engine.GetTransID();
    ASSERT_GT(moves, 1);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* table = &window->table();
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        window->menus().refreshCommandStates(window->replaying());
        QTest::keyClick(table, key, modifiers);
        window->table().finishAnimations();
    };

    press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(shared.engine.GetTransID(), moves - 1);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shared.engine.GetTransID(), moves) << "Ctrl+Shift+Z redoes";
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(shared.engine.GetTransID(), moves) << "Ctrl+X still redoes";

    // A new deal of the same game; the cards it may send home at once are
    // its only moves.
    const auto dealtAnew = [&](const char* key, const QString& before) {
        EXPECT_NE(shared.gamePlay.gameNo().toString(), before) << key;
        EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Klondike")) << key;
        EXPECT_EQ(shared.gamePlay.Moves(), shared.engine.GetTransTop()) << key;
    };
    QString before = shared.gamePlay.gameNo().toString();
    press(Qt::Key_N, Qt::ControlModifier);
    dealtAnew("Ctrl+N", before);
    before = shared.gamePlay.gameNo().toString();
    press(Qt::Key_F2, {});
    dealtAnew("F2", before);

    ASSERT_TRUE(window->isVisible());
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible()) << "Ctrl+Q ends the program";
}

TEST_F(MainWindowTest, TheGameClockCountsClockTimeAndStopsOnAWin)
{
    FakeClock clock;
    shared.services.setClock(&clock);
    loadAndDeal();
    ASSERT_TRUE(window->tmrGame.isActive());
    clock.advance(5);
    emit window->tmrGame.timeout({});
    EXPECT_EQ(shared.gamePlay.Time(), 5);
    clock.advance(3);
    emit window->tmrGame.timeout({});
    EXPECT_EQ(shared.gamePlay.Time(), 8) << "whole seconds since the start, however often it ticks";

    clock.advance(2);
    EXPECT_TRUE(winAndAnswer([&](frmFinish&) {
        EXPECT_FALSE(window->tmrGame.isActive()) << "the clock stops with the last card home";
        EXPECT_EQ(shared.gamePlay.Time(), 10);
    }));
    shared.services.setClock(nullptr);
}

// The game-end dialog over the real window: the result shown, the game
// recorded once, the game saved where the player said, then a new deal of
// the same game.
TEST_F(MainWindowTest, AWonGameIsRecordedOnceSavedAndFollowedByANewDeal)
{
    FakeClock clock;
    shared.services.setClock(&clock);
    loadAndDeal(31);
    RandomPlayer player(shared, 5);
    for (int i = 0; i < 8 && player.step(); ++i) {
    }
    clock.advance(65);
    emit window->tmrGame.timeout({});
    shared.services.settings().write(settings::kFinishSaveFile, 1);
    const QString scoreFile = Players::ScoreFile(shared.data, QStringLiteral("Player1"));
    const QString saved = home.path(QStringLiteral("won") + shared.data.FinExt());
    const QString moves = QString::number(shared.gamePlay.Moves());

    EXPECT_TRUE(winAndAnswer([&](frmFinish& dialog) {
        QStringList result;
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstResult"));
        for (int row = 0; list != nullptr && row < list->count(); ++row)
            result << list->item(row)->text();
        EXPECT_EQ(result, (QStringList{QStringLiteral(" Game : 31"), QStringLiteral(" Player : Player1"),
                                       QStringLiteral(" Time : 0:01:05"), QStringLiteral(" Moves : ") + moves,
                                       QStringLiteral(" Score : ") + QString::number(shared.gamePlay.Score())}));
        // The statistics open over the dialog and already count the game.
        QString won;
        EXPECT_EQ(closingDialog([&] {
                      QTimer::singleShot(0, [&] {
                          if (auto* stats = qobject_cast<frmGameStat*>(QApplication::activeModalWidget()))
                              won = stats->findChild<QTreeView*>(QStringLiteral("lvGeneral"))
                                        ->model()
                                        ->index(1, 0)
                                        .data()
                                        .toString();
                      });
                      dialog.findChild<QAction*>(QStringLiteral("GameStat"))->trigger();
                  }),
                  QStringLiteral("frmGameStat"));
        EXPECT_EQ(won, QStringLiteral("Games Won : 1"));
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        QFile scores(scoreFile);
        ASSERT_TRUE(scores.open(QIODevice::ReadOnly));
        EXPECT_EQ(scores.readAll().count("\r\n"), 1) << "recorded as the dialog opened";
        EXPECT_EQ(Listings::ListAutoSaved(shared.data, true)[0], QStringLiteral("1"));
        EXPECT_EQ(shared.score.SesTop(), 1);
        dialog.findChild<QLineEdit*>(QStringLiteral("txtSave"))->setText(saved);
        dialog.findChild<QAction*>(QStringLiteral("New"))->trigger();
    }));

    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(shared.func.GetMRU(cFunc::kSavedList)[1], saved);
    EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress) << "a new deal";
    EXPECT_EQ(shared.gamePlay.Moves(), shared.engine.GetTransID());
    window->ShutDown();
    QFile scores(scoreFile);
    ASSERT_TRUE(scores.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = scores.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3) << "the won game once, then the new one ended at exit";
    EXPECT_TRUE(lines[0].endsWith(",1\r"));
    EXPECT_TRUE(lines[1].endsWith(",0\r"));
    shared.services.setClock(nullptr);
}

TEST(SplashTest, AKeyOrTheTimerOpensTheMainWindowOnce)
{
    CardPictures pictures;
    Services services;
    int opened = 0;
    QPointer<frmSplash> splash = new frmSplash(services, pictures, QStringLiteral("6.0"), [&] { ++opened; });
    splash->show();
    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lblversion"))->text(), QStringLiteral("Version : 6.0"));
    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_EQ(opened, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()) << "the splash is gone";

    // The timer calls UnloadSplash; a key pressed at the same moment does too.
    QPointer<frmSplash> waiting = new frmSplash(services, pictures, QStringLiteral("6.0"), [&] { ++opened; });
    waiting->show();
    waiting->UnloadSplash();
    waiting->UnloadSplash();
    EXPECT_EQ(opened, 2) << "once, however often it is asked";
}

} // namespace

namespace {

// A saved game opened while the keys hold a card up: the held card goes with
// the table it lay on, the game's moves are made again, and Undo, Redo and
// the keys work on it as on any game.
TEST_F(MainWindowTest, ASavedGameOpenedWhileTheKeysHoldACardIsPlayedOn)
{
    const QString path = savedGame(QStringLiteral("held.tb0"), 15);
    const int16_t moves = mFile::ReadGameSummary(path).moves;
    ASSERT_GT(moves, 0);
    Shared opened;
    opened.gamePlay.PlayFile(path, false);

    window->show();
    shared.services.settings().write(settings::kAutoPlay, 0);
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    TableView& table = window->table();
    table.finishAnimations();
    table.setFocus();
    KeyboardPlay& keys = window->keyboard();
    const auto places = keys.places();
    keys.moveTo(static_cast<size_t>(std::find(places.begin(), places.end(), std::pair<int16_t, int16_t>{0, 6}) -
                                    places.begin()));
    QTest::keyClick(&table, Qt::Key_Space);
    ASSERT_TRUE(keys.holding());
    ASSERT_FALSE(table.heldMark().isEmpty()) << "the held card is marked";

    shared.gamePlay.PlayFile(path, true);
    table.finishAnimations();
    QCoreApplication::processEvents();
    EXPECT_FALSE(keys.holding());
    EXPECT_FALSE(shared.play.drag().active);
    EXPECT_FALSE(shared.services.busy);
    EXPECT_TRUE(table.heldMark().isEmpty());
    EXPECT_EQ(tableText(shared.play).toStdString(), tableText(opened.play).toStdString())
        << "the game's moves are made again";
    EXPECT_EQ(shared.gamePlay.Moves(), moves);

    ASSERT_TRUE(window->RunCommand(QStringLiteral("Undo")));
    table.finishAnimations();
    EXPECT_TRUE(shared.engine.RedoPossible()) << "a move was undone";
    ASSERT_TRUE(window->RunCommand(QStringLiteral("Redo")));
    table.finishAnimations();
    EXPECT_EQ(tableText(shared.play).toStdString(), tableText(opened.play).toStdString());

    keys.moveTo(static_cast<size_t>(std::find(places.begin(), places.end(), std::pair<int16_t, int16_t>{0, 6}) -
                                    places.begin()));
    QTest::keyClick(&table, Qt::Key_Space);
    if (shared.play.GetTop(0, 6) >= 0 && shared.play.FaceMode(shared.play.GetTopPicID(0, 6)) == cPlay::kFaceUp) {
        EXPECT_TRUE(keys.holding()) << "the keys pick up again";
        QTest::keyClick(&table, Qt::Key_Escape);
    }
}

// A foundation shows only its top card: the keys take that one however deep
// Up asks, and the cards under it stay where they lie.
TEST_F(MainWindowTest, TheKeysTakeOnlyTheTopCardOfAFoundation)
{
    window->show();
    shared.services.settings().write(settings::kAutoPlay, 0);
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    TableView& table = window->table();
    table.finishAnimations();
    cPlay& play = shared.play;
    solver::Solver search;
    solver::Limits limits;
    limits.shorten = false;
    const solver::Result found =
        search.solve(solver::Table::of(shared.games, play, shared.gamePlay.RedealsComp(), false), limits);
    ASSERT_EQ(found.verdict, solver::Verdict::Winnable);
    auto foundation = [&] {
        for (int16_t f = 0; f < shared.games.Piles(Cell::Foundation); ++f)
            if (play.GetTop(Cell::Foundation, f) >= 1)
                return f;
        return int16_t{-1};
    };
    for (size_t i = 0; i < found.moves.size() && foundation() < 0; ++i)
        ASSERT_TRUE(solver::playOnTable(play, shared.games, shared.gamePlay, found.moves[i]));
    table.finishAnimations();
    const int16_t f = foundation();
    ASSERT_GE(f, 0);
    const int16_t top = play.GetTopPicID(Cell::Foundation, f);
    const int16_t under =
        play.GetPicID(Cell::Foundation, f, static_cast<int16_t>(play.GetTop(Cell::Foundation, f) - 1));
    const QString before = tableText(play);

    table.setFocus();
    KeyboardPlay& keys = window->keyboard();
    const auto places = keys.places();
    keys.moveTo(static_cast<size_t>(
        std::find(places.begin(), places.end(), std::pair<int16_t, int16_t>{Cell::Foundation, f}) - places.begin()));
    ASSERT_EQ(keys.place(), (std::pair<int16_t, int16_t>{Cell::Foundation, f}));
    QTest::keyClick(&table, Qt::Key_Up);
    QTest::keyClick(&table, Qt::Key_Up);
    EXPECT_EQ(keys.depth(), 0) << "a foundation has no run to go deeper in";
    QTest::keyClick(&table, Qt::Key_Space);
    ASSERT_TRUE(keys.holding());
    EXPECT_EQ(play.drag().card, top);
    QTest::keyClick(&table, Qt::Key_Escape);
    table.finishAnimations();
    EXPECT_EQ(tableText(play).toStdString(), before.toStdString());

    // Nor does a press or a hinted line take the card under the top.
    int16_t k = -1;
    EXPECT_FALSE(play.CanPickUp(under, k));
    for (int16_t p = 0; p < shared.games.Piles(Cell::Home); ++p)
        EXPECT_FALSE(
            solver::playOnTable(play, shared.games, shared.gamePlay,
                                solver::Move{solver::Move::Kind::Drag, under, 0, Cell::Foundation, f, Cell::Home, p}));
    EXPECT_EQ(tableText(play).toStdString(), before.toStdString());
}

} // namespace
