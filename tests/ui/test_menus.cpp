#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/MainMenus.h"
#include "windows/common/CommandIcons.h"
#include "windows/frmToolbar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>
#include <set>

namespace {

// The main window's menus and toolbar over a session in a temporary home.
class MenusTest : public ::testing::Test {
protected:
    MenusTest()
    {
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
        // Here every command counts as runnable; which ones the main window
        // runs is its own test.
        QStringList keys;
        for (const MenuItemInfo& info : MainMenus::kMenuItems)
            keys << QLatin1String(info.key);
        menus.setRunnableCommands(keys);
    }

    QAction* item(const char* family, int index) const { return menus.item(QLatin1String(family), index); }
    QAction* button(const char* key) const { return menus.button(QLatin1String(key)); }
    static QStringList keysOf(const QList<QAction*>& actions)
    {
        QStringList keys;
        for (const QAction* action : actions)
            keys << MainMenus::entryKey(action);
        return keys;
    }
    QStringList visibleButtons() const
    {
        QStringList keys;
        for (const ToolbarButtonInfo& info : MainMenus::kToolbarButtons) {
            if (button(info.key)->isVisible())
                keys << QLatin1String(info.key);
        }
        return keys;
    }
    void startGame(const char* name)
    {
        shared.gamePlay.PlayNumber(QLatin1String(name), GameNo(1));
        ASSERT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
    }
    void makeMoves(int count)
    {
        RandomPlayer player(shared, 11);
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(player.step());
    }

    TempHome home;
    Shared shared;
    QMainWindow window;
    MainMenus menus{shared, window};
};

struct ExpectedItem {
    int index;
    const char* caption;
    const char* key;
    const char* shortcut;
    bool icon;
};

struct ExpectedMenu {
    const char* family;
    const char* title;
    std::vector<ExpectedItem> items; // separators left out
    int count;
};

const std::vector<ExpectedMenu>& expectedMenus()
{
    static const std::vector<ExpectedMenu> menus{
        {"mFile",
         "&File",
         {{1, "&New Game", "New", "F2", true},
          {2, "&Select Game", "Select", "F3", true},
          {3, "&Restart Game", "Restart", "", true},
          {5, "Select a Number", "SelNum", "", false},
          {7, "Open Game", "Open", "Ctrl+O", true},
          {8, "Save Game", "Save", "Ctrl+S", true},
          {10, "&Close Game", "Close", "", false},
          {12, "Recently Saved", "Recent", "", true},
          {13, "Recently Opened", "Recent", "", true},
          {14, "Recently Played", "Recent", "", true},
          {16, "E&xit", "Exit", "Ctrl+Q", false}},
         16},
        {"mGame",
         "&Game",
         {{1, "&Undo", "Undo", "Ctrl+Z", true},
          {2, "&Redo", "Redo", "Ctrl+X", true},
          {4, "Autoplay", "AutoPlay", "F7", true},
          {6, "U&ndo All", "UndoAll", "Ctrl+C", true},
          {7, "R&edo All", "RedoAll", "Ctrl+V", true},
          {9, "Pause Game", "Pause", "F8", true},
          {11, "View Toolbar", "ViewTool", "", false},
          {13, "&Hint", "Hint", "H", true}},
         13},
        {"mReplay",
         "&Replay",
         {{1, "&Forward", "Forward", "Shift+F2", true},
          {2, "&Back", "Back", "Shift+F3", true},
          {4, "Replay &All", "ReplayAll", "", false},
          {6, "Sto&p", "Stop", "", true},
          {8, "Moves Manager", "MovesMan", "Ctrl+M", true}},
         8},
        {"mFav",
         "Favorites",
         {{1, "&Add to Favorites", "AddFav", "Ctrl+A", true}, {2, "&Organize Favorites", "OrgFav", "Ctrl+F", true}},
         3},
        {"mPend",
         "Pending List",
         {{1, "Move to Pending List", "AddPend", "Ctrl+P", true},
          {2, "Organize Pending List", "OrgPend", "Ctrl+Y", true}},
         3},
        {"mStat",
         "Statistics",
         {{1, "&High Scores", "HighScore", "F9", true},
          {2, "&Log Statistics", "LogStat", "", false},
          {4, "&Game Statistics", "GameStat", "F4", true},
          {6, "&Session Statistics", "SessionStat", "", false}},
         6},
        {"mCust",
         "Customize",
         {{1, "Toolbar", "Toolbar", "", true},
          {3, "Sounds", "Sounds", "", true},
          {4, "Animation", "Animation", "", false},
          {6, "Background", "Background", "Ctrl+D", true},
          {8, "Card Deck", "Deck", "", false}},
         8},
        {"mTools",
         "&Tools",
         {{1, "&Players", "Players", "Ctrl+L", true},
          {2, "AutoSave", "AutoSave", "", true},
          {4, "Hot Games ", "Hot", "", true},
          {5, "&Game History", "History", "Ctrl+H", true},
          {7, "Options", "Options", "", true}},
         7},
        {"mHelp",
         "&Help",
         {{1, "Rules", "Rules", "F1", true},
          {2, "Contents", "Contents", "", true},
          {4, "About...", "About", "", false}},
         4},
    };
    return menus;
}

const QStringList kDefaultButtons{
    QStringLiteral("New"),      QStringLiteral("Select"),     QStringLiteral("Restart"), QStringLiteral("Open"),
    QStringLiteral("Save"),     QStringLiteral("Undo"),       QStringLiteral("Redo"),    QStringLiteral("AutoPlay"),
    QStringLiteral("Hint"),     QStringLiteral("Pause"),      QStringLiteral("Back"),    QStringLiteral("Stop"),
    QStringLiteral("Forward"),  QStringLiteral("MovesMan"),   QStringLiteral("AddFav"),  QStringLiteral("AddPend"),
    QStringLiteral("GameStat"), QStringLiteral("Background"), QStringLiteral("Options"), QStringLiteral("Rules")};

QStringList withSeparators(const QStringList& buttons)
{
    // Every default group has a shown button, so all twelve separators show.
    QStringList keys;
    for (const ToolbarButtonInfo& info : MainMenus::kToolbarButtons) {
        const QString key = QLatin1String(info.key);
        if (info.listNumber == 0 || buttons.contains(key))
            keys << key;
    }
    return keys;
}

TEST_F(MenusTest, EveryMenuItemHasItsCaptionKeyShortcutAndPicture)
{
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(expectedMenus().size()));
    for (size_t m = 0; m < expectedMenus().size(); ++m) {
        const ExpectedMenu& expected = expectedMenus()[m];
        SCOPED_TRACE(expected.family);
        QMenu* menu = menus.menu(QLatin1String(expected.family));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(bar[static_cast<qsizetype>(m)]->menu(), menu);
        EXPECT_EQ(menu->title(), QLatin1String(expected.title));
        EXPECT_EQ(menu->actions().size(), expected.count);
        EXPECT_EQ(menus.item(QLatin1String(expected.family), expected.count + 1), nullptr);

        std::set<int> named;
        for (const ExpectedItem& e : expected.items) {
            SCOPED_TRACE(e.caption);
            QAction* action = menus.item(QLatin1String(expected.family), e.index);
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(menu->actions().at(e.index - 1), action) << "items in table order";
            EXPECT_EQ(action->text(), QLatin1String(e.caption));
            EXPECT_EQ(action->data().toString(), QLatin1String(e.key));
            EXPECT_EQ(action->objectName(), QStringLiteral("%1_%2").arg(QLatin1String(expected.family)).arg(e.index));
            EXPECT_EQ(action->shortcut(), QKeySequence(QLatin1String(e.shortcut)));
            EXPECT_EQ(!action->icon().isNull(), e.icon);
            named.insert(e.index);
        }
        for (int index = 1; index <= expected.count; ++index) {
            if (named.count(index) == 0) {
                EXPECT_TRUE(menus.item(QLatin1String(expected.family), index)->isSeparator()) << index;
            }
        }
    }
    for (int index = 12; index <= 14; ++index)
        EXPECT_EQ(menus.recentMenu(index), item("mFile", index)->menu()) << index;
    EXPECT_EQ(menus.recentMenu(11), nullptr);
}

TEST_F(MenusTest, ChoosingAnItemOrAButtonReportsItsCommandKey)
{
    QSignalSpy spy(&menus, &MainMenus::command);
    for (const ExpectedMenu& expected : expectedMenus()) {
        for (const ExpectedItem& e : expected.items) {
            QAction* action = menus.item(QLatin1String(expected.family), e.index);
            action->setEnabled(true);
            spy.clear();
            action->trigger();
            if (qstrcmp(e.key, "Recent") == 0) {
                EXPECT_EQ(spy.count(), 0) << "the recent headers run nothing";
            } else {
                ASSERT_EQ(spy.count(), 1) << e.caption;
                EXPECT_EQ(spy.at(0).at(0).toString(), QLatin1String(e.key));
            }
        }
    }

    QToolBar* toolbar = menus.toolbar();
    EXPECT_EQ(toolbar->objectName(), QStringLiteral("Toolbar1"));
    ASSERT_EQ(toolbar->actions().size(), 43);
    for (qsizetype i = 0; i < toolbar->actions().size(); ++i) {
        const ToolbarButtonInfo& info = MainMenus::kToolbarButtons[static_cast<size_t>(i)];
        QAction* action = toolbar->actions().at(i);
        EXPECT_EQ(button(info.key), action) << info.key;
        EXPECT_EQ(action->isSeparator(), info.listNumber == 0) << info.key;
        if (info.listNumber == 0)
            continue;
        EXPECT_EQ(action->toolTip(), QLatin1String(info.tooltip));
        EXPECT_FALSE(action->icon().isNull()) << info.key;
        action->setEnabled(true);
        spy.clear();
        action->trigger();
        ASSERT_EQ(spy.count(), 1) << info.key;
        EXPECT_EQ(spy.at(0).at(0).toString(), QLatin1String(info.key));
    }
    EXPECT_EQ(button("Sep13"), nullptr);
}

TEST_F(MenusTest, ShortcutKeysRunTheirCommands)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy spy(&menus, &MainMenus::command);
    item("mReplay", 1)->setEnabled(true);
    item("mReplay", 2)->setEnabled(true);

    QTest::keyClick(&window, Qt::Key_F2);
    QTest::keyClick(&window, Qt::Key_F2, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    menus.refreshCommandStates(false); // no game: Moves Manager off
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    QStringList keys;
    for (const QList<QVariant>& call : spy)
        keys << call.at(0).toString();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("New"), QStringLiteral("Forward"), QStringLiteral("Back"),
                                 QStringLiteral("MovesMan")}));
}

// The keys of other desktop programs come after the described ones, which
// the menu shows; no key runs two commands.
TEST_F(MenusTest, StandardKeysSitBesideTheDescribedOnesAndNoKeyIsTakenTwice)
{
    EXPECT_EQ(item("mFile", 16)->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Q"))}));
    EXPECT_EQ(item("mGame", 2)->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+X")),
                                                                  QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_EQ(item("mFile", 1)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("F2")), QKeySequence(QStringLiteral("Ctrl+N"))}));

    QHash<QKeySequence, QString> owners;
    for (const MenuItemInfo& info : MainMenus::kMenuItems) {
        for (const QKeySequence& keys : item(info.family, info.index)->shortcuts()) {
            const QString owner = QStringLiteral("%1 %2").arg(QLatin1String(info.family)).arg(info.index);
            EXPECT_FALSE(owners.contains(keys)) << keys.toString().toStdString() << " runs "
                                                << owners.value(keys).toStdString() << " and " << owner.toStdString();
            owners.insert(keys, owner);
        }
    }
    // The table's own keys, which take no modifier, are free of the menus.
    for (const Qt::Key key : {Qt::Key_D, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Left,
                              Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        EXPECT_FALSE(owners.contains(QKeySequence(key))) << QKeySequence(key).toString().toStdString();
}

TEST_F(MenusTest, WithNoGameOnTheTableOnlyGameFreeCommandsAreEnabled)
{
    menus.refreshCommandStates(false);
    for (const auto& [family, index] : std::vector<std::pair<const char*, int>>{{"mFile", 3},
                                                                                {"mFile", 8},
                                                                                {"mGame", 9},
                                                                                {"mFile", 10},
                                                                                {"mGame", 1},
                                                                                {"mGame", 2},
                                                                                {"mGame", 6},
                                                                                {"mGame", 7},
                                                                                {"mReplay", 1},
                                                                                {"mReplay", 2},
                                                                                {"mReplay", 4},
                                                                                {"mReplay", 8},
                                                                                {"mFav", 1},
                                                                                {"mPend", 1},
                                                                                {"mTools", 5},
                                                                                {"mGame", 13},
                                                                                {"mReplay", 6}})
        EXPECT_FALSE(item(family, index)->isEnabled()) << family << " " << index;
    for (const char* key : {"Restart", "Save", "Pause", "Undo", "Redo", "UndoAll", "RedoAll", "Forward", "Back",
                            "MovesMan", "AddFav", "AddPend", "History", "Stop", "Hint"})
        EXPECT_FALSE(button(key)->isEnabled()) << key;
    for (const char* key : {"New", "Select", "Open", "AutoPlay", "OrgFav", "OrgPend", "GameStat", "Options", "Rules"})
        EXPECT_TRUE(button(key)->isEnabled()) << key;
    EXPECT_TRUE(item("mFile", 1)->isEnabled());
    EXPECT_TRUE(item("mFile", 16)->isEnabled());
}

TEST_F(MenusTest, MovesEnableTheHistoryCommandsUnlessAReplayRuns)
{
    shared.services.settings().write(settings::kAutoPlay, 0); // no aces played off at the deal
    startGame("Klondike");
    ASSERT_FALSE(shared.engine.MoveStarted());
    menus.refreshCommandStates(false);
    for (const auto& [family, index] : std::vector<std::pair<const char*, int>>{
             {"mFile", 3}, {"mFile", 8}, {"mGame", 9}, {"mFile", 10}, {"mFav", 1}, {"mPend", 1}, {"mGame", 13}})
        EXPECT_TRUE(item(family, index)->isEnabled()) << family << " " << index;
    for (const char* key : {"Undo", "Redo", "UndoAll", "RedoAll", "Forward", "Back", "MovesMan", "History"})
        EXPECT_FALSE(button(key)->isEnabled()) << "no move yet: " << key;
    EXPECT_FALSE(item("mReplay", 4)->isEnabled());

    makeMoves(3);
    int16_t speed = 1;
    ASSERT_TRUE(shared.engine.Undo(speed));
    menus.refreshCommandStates(false);
    for (const char* key : {"Undo", "Redo", "UndoAll", "RedoAll", "Forward", "Back", "MovesMan", "History"})
        EXPECT_TRUE(button(key)->isEnabled()) << key;
    EXPECT_TRUE(item("mReplay", 4)->isEnabled());
    EXPECT_TRUE(item("mTools", 5)->isEnabled());

    menus.refreshCommandStates(true);
    for (const auto& [family, index] : std::vector<std::pair<const char*, int>>{{"mGame", 1},
                                                                                {"mGame", 2},
                                                                                {"mGame", 6},
                                                                                {"mGame", 7},
                                                                                {"mReplay", 1},
                                                                                {"mReplay", 2},
                                                                                {"mReplay", 4},
                                                                                {"mReplay", 8},
                                                                                {"mTools", 5},
                                                                                {"mGame", 13}})
        EXPECT_FALSE(item(family, index)->isEnabled()) << "replaying: " << family << " " << index;
    for (const char* key : {"Undo", "Redo", "UndoAll", "RedoAll", "Forward", "Back", "MovesMan", "History", "Hint"})
        EXPECT_FALSE(button(key)->isEnabled()) << "replaying: " << key;
    EXPECT_TRUE(button("Restart")->isEnabled());
    EXPECT_TRUE(button("Save")->isEnabled());

    // Stop belongs to the replay; the refresh only copies it to its button.
    menus.setStopEnabled(true);
    menus.refreshCommandStates(true);
    EXPECT_TRUE(item("mReplay", 6)->isEnabled());
    EXPECT_TRUE(button("Stop")->isEnabled());
    item("mReplay", 6)->setEnabled(false);
    menus.refreshCommandStates(false);
    EXPECT_FALSE(item("mReplay", 6)->isEnabled());
    EXPECT_FALSE(button("Stop")->isEnabled());
}

TEST_F(MenusTest, AutoplayAndViewToolbarShowTheirSettings)
{
    startGame("Klondike");
    QAction* autoplay = item("mGame", 4);
    ASSERT_TRUE(autoplay->isCheckable());
    menus.refreshCommandStates(false);
    EXPECT_TRUE(autoplay->isEnabled());
    EXPECT_TRUE(autoplay->isChecked()) << "on by default";
    EXPECT_TRUE(button("AutoPlay")->isChecked());
    EXPECT_TRUE(item("mGame", 11)->isChecked());

    shared.services.settings().write(settings::kAutoPlay, 0);
    shared.services.settings().write(settings::kShowToolbar, 0);
    menus.refreshCommandStates(false);
    EXPECT_FALSE(autoplay->isChecked());
    EXPECT_FALSE(button("AutoPlay")->isChecked());
    EXPECT_FALSE(item("mGame", 11)->isChecked());

    // A game without auto-play greys the command out but keeps showing the
    // player's choice.
    shared.services.settings().write(settings::kAutoPlay, 1);
    startGame("Spiderette");
    ASSERT_NE(shared.games.DisAutoPlay(), 0);
    menus.refreshCommandStates(false);
    EXPECT_FALSE(autoplay->isEnabled());
    EXPECT_FALSE(button("AutoPlay")->isEnabled());
    EXPECT_TRUE(autoplay->isChecked());
    EXPECT_TRUE(button("AutoPlay")->isChecked());
}

TEST_F(MenusTest, ToolbarShowsTheStoredButtonsAndTheirSeparators)
{
    menus.applyToolbarSettings();
    EXPECT_EQ(visibleButtons(), withSeparators(kDefaultButtons));

    const QString section = QLatin1String(settings::kToolbarSection);
    for (const char* key : {"New", "Select", "Restart"})
        shared.services.settings().writeNumber(section, QLatin1String(key), 0);
    menus.applyToolbarSettings();
    EXPECT_FALSE(button("Sep1")->isVisible());
    EXPECT_TRUE(button("Sep2")->isVisible());
    shared.services.settings().writeNumber(section, QStringLiteral("Select"), 1);
    menus.applyToolbarSettings();
    EXPECT_TRUE(button("Sep1")->isVisible());

    // A group shown only through a button that is off by default.
    for (const char* key : {"HighScore", "GameStat"})
        shared.services.settings().writeNumber(section, QLatin1String(key), 0);
    menus.applyToolbarSettings();
    EXPECT_FALSE(button("Sep10")->isVisible());
    shared.services.settings().writeNumber(section, QStringLiteral("HighScore"), 1);
    menus.applyToolbarSettings();
    EXPECT_TRUE(button("HighScore")->isVisible());
    EXPECT_TRUE(button("Sep10")->isVisible());
}

TEST_F(MenusTest, CustomizeToolbarChangesTheToolbarAtOnce)
{
    CountingSounds sounds;
    shared.services.setSounds(&sounds);
    menus.applyToolbarSettings();
    frmToolbar dialog(shared, menus, &window);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Customize Toolbar"));
    EXPECT_EQ(sounds.count(SoundEvent::Toolbar), 1);

    auto* lvTool = dialog.findChild<QListWidget*>(QStringLiteral("lvTool"));
    auto* cmdSelectAll = dialog.findChild<QPushButton*>(QStringLiteral("cmdSelectAll"));
    auto* cmdDefaults = dialog.findChild<QPushButton*>(QStringLiteral("cmdDefaults"));
    auto* cmdClose = dialog.findChild<QPushButton*>(QStringLiteral("cmdClose"));
    ASSERT_TRUE(lvTool && cmdSelectAll && cmdDefaults && cmdClose);
    ASSERT_EQ(lvTool->count(), 31);
    const QStringList texts{QStringLiteral("New Game"),
                            QStringLiteral("Select Game"),
                            QStringLiteral("Restart Game"),
                            QStringLiteral("Open Game"),
                            QStringLiteral("Save Game"),
                            QStringLiteral("Undo All"),
                            QStringLiteral("Undo"),
                            QStringLiteral("Redo"),
                            QStringLiteral("Redo All"),
                            QStringLiteral("AutoPlay"),
                            QStringLiteral("Hint"),
                            QStringLiteral("PauseGame"),
                            QStringLiteral("Replay Back"),
                            QStringLiteral("Replay Stop"),
                            QStringLiteral("Replay Forward"),
                            QStringLiteral("Moves Manager"),
                            QStringLiteral("Add to Favorites"),
                            QStringLiteral("Organize Favorites"),
                            QStringLiteral("Move to Pending List"),
                            QStringLiteral("Organize Pending List"),
                            QStringLiteral("High Score"),
                            QStringLiteral("Game Statistics"),
                            QStringLiteral("Customize Sounds"),
                            QStringLiteral("Customize Backgrounds"),
                            QStringLiteral("Players"),
                            QStringLiteral("AutoSave"),
                            QStringLiteral("Hot Games"),
                            QStringLiteral("Game History"),
                            QStringLiteral("Options"),
                            QStringLiteral("Rules"),
                            QStringLiteral("Help Contents")};
    for (int row = 0; row < lvTool->count(); ++row) {
        QListWidgetItem* entry = lvTool->item(row);
        EXPECT_EQ(entry->text(), texts.at(row));
        EXPECT_FALSE(entry->icon().isNull()) << row;
        const QString key = QLatin1String(MainMenus::toolbarListEntry(row + 1)->key);
        EXPECT_EQ(entry->checkState() == Qt::Checked, kDefaultButtons.contains(key)) << row;
    }

    QTest::mouseClick(cmdSelectAll, Qt::LeftButton);
    EXPECT_EQ(visibleButtons().size(), 43);
    for (int row = 0; row < lvTool->count(); ++row)
        EXPECT_EQ(lvTool->item(row)->checkState(), Qt::Checked) << row;

    QTest::mouseClick(cmdDefaults, Qt::LeftButton);
    EXPECT_EQ(visibleButtons(), withSeparators(kDefaultButtons));

    // Unchecking the first group hides it with its separator, and the
    // choice is stored.
    for (int row = 0; row < 3; ++row)
        lvTool->item(row)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(button("New")->isVisible());
    EXPECT_FALSE(button("Sep1")->isVisible());
    EXPECT_EQ(
        shared.services.settings().readNumber(QLatin1String(settings::kToolbarSection), QStringLiteral("Restart"), 1),
        0);
    lvTool->item(2)->setCheckState(Qt::Checked);
    EXPECT_TRUE(button("Restart")->isVisible());
    EXPECT_TRUE(button("Sep1")->isVisible());

    dialog.show();
    QTest::mouseClick(cmdClose, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    shared.services.setSounds(nullptr);
}

TEST_F(MenusTest, RecentMenusOfferTheStoredGames)
{
    menus.refreshRecentMenus();
    const std::array<std::pair<int, const char*>, 3> empty{{{12, "200None"}, {13, "201None"}, {14, "202None"}}};
    for (const auto& [index, key] : empty) {
        QMenu* recent = menus.recentMenu(index);
        ASSERT_EQ(recent->actions().size(), 1) << index;
        QAction* none = recent->actions().first();
        EXPECT_EQ(none->text(), QStringLiteral("None"));
        EXPECT_FALSE(none->isEnabled());
        EXPECT_EQ(MainMenus::entryKey(none), QLatin1String(key));
    }

    const QString kept = home.path(QStringLiteral("Tom & Jerry.tb0"));
    const QString gone = home.path(QStringLiteral("gone.tb0"));
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    shared.func.AddtoMRU(cFunc::kSavedList, gone);
    shared.func.AddtoMRU(cFunc::kSavedList, kept);
    shared.func.AddtoMRU(cFunc::kOpenedList, gone);
    shared.func.AddtoMRU(cFunc::kPlayedList, QStringLiteral("Klondike - 12"));
    shared.func.AddtoMRU(cFunc::kPlayedList, QStringLiteral("Spider - 345"));
    menus.refreshRecentMenus();
    menus.refreshRecentMenus(); // a second refresh replaces, never adds

    QMenu* saved = menus.recentMenu(12);
    ASSERT_EQ(saved->actions().size(), 1) << "the deleted file is left out";
    QAction* entry = saved->actions().first();
    EXPECT_EQ(MainMenus::entryKey(entry), QStringLiteral("200") + kept);
    EXPECT_EQ(MainMenus::entryText(entry), kept);
    EXPECT_EQ(entry->text(), QString(kept).replace(QStringLiteral("&"), QStringLiteral("&&")))
        << "an ampersand in a name is no accelerator";
    EXPECT_FALSE(entry->icon().isNull());
    EXPECT_EQ(keysOf(menus.recentMenu(13)->actions()), QStringList{QStringLiteral("201None")})
        << "nothing left to offer";
    EXPECT_EQ(keysOf(menus.recentMenu(14)->actions()),
              (QStringList{QStringLiteral("202Spider - 345"), QStringLiteral("202Klondike - 12")}));

    QSignalSpy chosen(&menus, &MainMenus::entryChosen);
    // Choosing a recent game refreshes the lists from inside the click.
    QObject::connect(&menus, &MainMenus::entryChosen, &menus, [this] { menus.refreshRecentMenus(); });
    menus.entry(menus.recentMenu(14), QStringLiteral("202Klondike - 12"))->trigger();
    entry->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(0),
              (QList<QVariant>{202, QStringLiteral("202Klondike - 12"), QStringLiteral("Klondike - 12")}));
    EXPECT_EQ(chosen.at(1), (QList<QVariant>{200, QStringLiteral("200") + kept, kept}));
    EXPECT_EQ(menus.recentMenu(14)->actions().size(), 2);
}

TEST_F(MenusTest, ListEntriesComeAndGoWithoutTouchingTheFixedItems)
{
    QMenu* pending = menus.menu(QStringLiteral("mPend"));
    QMenu* favorites = menus.menu(QStringLiteral("mFav"));
    menus.addEntry(pending, QStringLiteral("/p/a.tb0"), 300, QStringLiteral("Klondike - 1 (10% Completed)"),
                   QStringLiteral("Q1"));
    QMenu* folder =
        menus.addSubmenuEntry(favorites, QStringLiteral("/f/Easy"), QStringLiteral("Easy"), QStringLiteral("Folder"));
    ASSERT_NE(folder, nullptr);
    EXPECT_FALSE(folder->icon().isNull());
    menus.addEntry(folder, QStringLiteral("/f/Easy/k.tbf"), 400, QStringLiteral("k"), QStringLiteral("Q1"));
    EXPECT_EQ(pending->actions().size(), 4);
    ASSERT_NE(menus.entry(favorites, QStringLiteral("/f/Easy/k.tbf")), nullptr) << "found inside a folder";
    EXPECT_EQ(MainMenus::entryGroup(menus.entry(pending, QStringLiteral("/p/a.tb0"))), 300);
    EXPECT_EQ(menus.entry(pending, QStringLiteral("/p/missing.tb0")), nullptr);

    QSignalSpy chosen(&menus, &MainMenus::entryChosen);
    menus.entry(favorites, QStringLiteral("/f/Easy/k.tbf"))->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 400);

    menus.clearEntries(pending);
    menus.clearEntries(favorites);
    EXPECT_EQ(pending->actions().size(), 3);
    EXPECT_EQ(favorites->actions().size(), 3);
    EXPECT_EQ(favorites->actions().at(0), item("mFav", 1));
    EXPECT_EQ(menus.entry(favorites, QStringLiteral("/f/Easy/k.tbf")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The drawn pictures stand in for whatever the icon theme lacks, so each
// must be a real picture of its own.
TEST(CommandIconsTest, EveryKeyHasADrawnPictureOfItsOwn)
{
    const QStringList keys = CommandIcons::keys();
    for (const char* key : {"Q1", "Folder", "Recent", "New", "Contents"})
        EXPECT_TRUE(keys.contains(QLatin1String(key))) << key;
    EXPECT_TRUE(CommandIcons::icon(QStringLiteral("Exit")).isNull());

    std::vector<QImage> pictures;
    for (const QString& key : keys) {
        EXPECT_FALSE(CommandIcons::icon(key).isNull()) << key.toStdString();
        const QImage image =
            CommandIcons::drawnIcon(key).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(16, 16)) << key.toStdString();
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                painted += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
        EXPECT_GT(painted, 30) << key.toStdString();
        for (size_t i = 0; i < pictures.size(); ++i)
            EXPECT_NE(pictures[i], image)
                << key.toStdString() << " looks like " << keys.at(static_cast<qsizetype>(i)).toStdString();
        pictures.push_back(image);
    }
}

} // namespace
