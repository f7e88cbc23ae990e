#include "windows/MainMenus.h"

#include "library/Listings.h"
#include "library/PendingList.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// Dynamic properties of the list-menu entries.
constexpr const char* kEntryProperty = "tbEntry";
constexpr const char* kEntryKeyProperty = "tbEntryKey";
constexpr const char* kEntryGroupProperty = "tbEntryGroup";
constexpr const char* kEntryTextProperty = "tbEntryText";

// Entries longer than this (long file paths) are shortened in the middle so
// the menu stays a sensible width; the entry keeps its whole text.
constexpr qsizetype kLongestCaption = 90;

QString latin(const char* text) { return QString::fromLatin1(text); }

// A caption shows its text as it is: an ampersand in a file name is not an
// accelerator.
QString entryCaption(const QString& text)
{
    QString shown = text;
    if (shown.size() > kLongestCaption) {
        const qsizetype keep = (kLongestCaption - 3) / 2;
        shown = shown.left(keep) + QStringLiteral("...") + shown.right(keep);
    }
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

bool isEntry(const QAction* action) { return action != nullptr && action->property(kEntryProperty).toBool(); }

// Keys players know from other desktop programs, beside the menu's own
// (which stay the first, shown in the menu): family, index and key.
struct StandardKey {
    const char* family;
    int index;
    const char* key;
};
constexpr StandardKey kStandardKeys[] = {
    {"mFile", 16, "Ctrl+Q"},      // Exit
    {"mGame", 2, "Ctrl+Shift+Z"}, // Redo
    {"mFile", 1, "Ctrl+N"},       // New Game
};

} // namespace

const std::array<std::pair<const char*, const char*>, 9> MainMenus::kMenus{{
    {"mFile", "&File"},
    {"mGame", "&Game"},
    {"mReplay", "&Replay"},
    {"mFav", "Favorites"},
    {"mPend", "Pending List"},
    {"mStat", "Statistics"},
    {"mCust", "Customize"},
    {"mTools", "&Tools"},
    {"mHelp", "&Help"},
}};

const std::array<MenuItemInfo, 68> MainMenus::kMenuItems{{
    {"mFile", 1, "&New Game", "New", true, "F2"},
    {"mFile", 2, "&Select Game", "Select", true, "F3"},
    {"mFile", 3, "&Restart Game", "Restart", true, ""},
    {"mFile", 4, "-", "", false, ""},
    {"mFile", 5, "Select a Number", "SelNum", false, ""},
    {"mFile", 6, "-", "", false, ""},
    {"mFile", 7, "Open Game", "Open", true, "Ctrl+O"},
    {"mFile", 8, "Save Game", "Save", true, "Ctrl+S"},
    {"mFile", 9, "-", "", false, ""},
    {"mFile", 10, "&Close Game", "Close", false, ""},
    {"mFile", 11, "-", "", false, ""},
    {"mFile", 12, "Recently Saved", "Recent", true, ""},
    {"mFile", 13, "Recently Opened", "Recent", true, ""},
    {"mFile", 14, "Recently Played", "Recent", true, ""},
    {"mFile", 15, "-", "", false, ""},
    {"mFile", 16, "E&xit", "Exit", false, ""},
    {"mGame", 1, "&Undo", "Undo", true, "Ctrl+Z"},
    {"mGame", 2, "&Redo", "Redo", true, "Ctrl+X"},
    {"mGame", 3, "-", "", false, ""},
    {"mGame", 4, "Autoplay", "AutoPlay", true, "F7"},
    {"mGame", 5, "-", "", false, ""},
    {"mGame", 6, "U&ndo All", "UndoAll", true, "Ctrl+C"},
    {"mGame", 7, "R&edo All", "RedoAll", true, "Ctrl+V"},
    {"mGame", 8, "-", "", false, ""},
    {"mGame", 9, "Pause Game", "Pause", true, "F8"},
    {"mGame", 10, "-", "", false, ""},
    {"mGame", 11, "View Toolbar", "ViewTool", false, ""},
    {"mGame", 12, "-", "", false, ""},
    {"mGame", 13, "&Hint", "Hint", true, "H"},
    {"mReplay", 1, "&Forward", "Forward", true, "Shift+F2"},
    {"mReplay", 2, "&Back", "Back", true, "Shift+F3"},
    {"mReplay", 3, "-", "", false, ""},
    {"mReplay", 4, "Replay &All", "ReplayAll", false, ""},
    {"mReplay", 5, "-", "", false, ""},
    {"mReplay", 6, "Sto&p", "Stop", true, ""},
    {"mReplay", 7, "-", "", false, ""},
    {"mReplay", 8, "Moves Manager", "MovesMan", true, "Ctrl+M"},
    {"mFav", 1, "&Add to Favorites", "AddFav", true, "Ctrl+A"},
    {"mFav", 2, "&Organize Favorites", "OrgFav", true, "Ctrl+F"},
    {"mFav", 3, "-", "", false, ""},
    {"mPend", 1, "Move to Pending List", "AddPend", true, "Ctrl+P"},
    {"mPend", 2, "Organize Pending List", "OrgPend", true, "Ctrl+Y"},
    {"mPend", 3, "-", "", false, ""},
    {"mStat", 1, "&High Scores", "HighScore", true, "F9"},
    {"mStat", 2, "&Log Statistics", "LogStat", false, ""},
    {"mStat", 3, "-", "", false, ""},
    {"mStat", 4, "&Game Statistics", "GameStat", true, "F4"},
    {"mStat", 5, "-", "", false, ""},
    {"mStat", 6, "&Session Statistics", "SessionStat", false, ""},
    {"mCust", 1, "Toolbar", "Toolbar", true, ""},
    {"mCust", 2, "-", "", false, ""},
    {"mCust", 3, "Sounds", "Sounds", true, ""},
    {"mCust", 4, "Animation", "Animation", false, ""},
    {"mCust", 5, "-", "", false, ""},
    {"mCust", 6, "Background", "Background", true, "Ctrl+D"},
    {"mCust", 7, "-", "", false, ""},
    {"mCust", 8, "Card Deck", "Deck", false, ""},
    {"mTools", 1, "&Players", "Players", true, "Ctrl+L"},
    {"mTools", 2, "AutoSave", "AutoSave", true, ""},
    {"mTools", 3, "-", "", false, ""},
    {"mTools", 4, "Hot Games ", "Hot", true, ""},
    {"mTools", 5, "&Game History", "History", true, "Ctrl+H"},
    {"mTools", 6, "-", "", false, ""},
    {"mTools", 7, "Options", "Options", true, ""},
    {"mHelp", 1, "Rules", "Rules", true, "F1"},
    {"mHelp", 2, "Contents", "Contents", true, ""},
    {"mHelp", 3, "-", "", false, ""},
    {"mHelp", 4, "About...", "About", false, ""},
}};

const std::array<ToolbarButtonInfo, 43> MainMenus::kToolbarButtons{{
    {"New", "New Game", 1, "New Game", 1},
    {"Select", "Select Game", 2, "Select Game", 1},
    {"Restart", "Restart Game", 3, "Restart Game", 1},
    {"Sep1", "", 0, "", 0},
    {"Open", "Open a Saved Game", 4, "Open Game", 1},
    {"Save", "Save Game", 5, "Save Game", 1},
    {"Sep2", "", 0, "", 0},
    {"UndoAll", "Undo All", 6, "Undo All", 0},
    {"Undo", "Undo", 7, "Undo", 1},
    {"Redo", "Redo", 8, "Redo", 1},
    {"RedoAll", "Redo All", 9, "Redo All", 0},
    {"Sep3", "", 0, "", 0},
    {"AutoPlay", "AutoPlay", 10, "AutoPlay", 1},
    {"Hint", "Hint", 11, "Hint", 1},
    {"Sep4", "", 0, "", 0},
    {"Pause", "Pause Game", 12, "PauseGame", 1},
    {"Sep5", "", 0, "", 0},
    {"Back", "Replay Back", 13, "Replay Back", 1},
    {"Stop", "Replay Stop", 14, "Replay Stop", 1},
    {"Forward", "Replay Forward", 15, "Replay Forward", 1},
    {"Sep6", "", 0, "", 0},
    {"MovesMan", "Moves Manager", 16, "Moves Manager", 1},
    {"Sep7", "", 0, "", 0},
    {"AddFav", "Add to Favorites", 17, "Add to Favorites", 1},
    {"OrgFav", "Organize Favorites", 18, "Organize Favorites", 0},
    {"Sep8", "", 0, "", 0},
    {"AddPend", "Move to Pending List", 19, "Move to Pending List", 1},
    {"OrgPend", "Organize Pending List", 20, "Organize Pending List", 0},
    {"Sep9", "", 0, "", 0},
    {"HighScore", "High Score", 21, "High Score", 0},
    {"GameStat", "Game Statistics", 22, "Game Statistics", 1},
    {"Sep10", "", 0, "", 0},
    {"Sounds", "Customize Sounds", 23, "Customize Sounds", 0},
    {"Background", "Customize Background", 24, "Customize Backgrounds", 1},
    {"Sep11", "", 0, "", 0},
    {"Players", "Players", 25, "Players", 0},
    {"AutoSave", "AutoSave", 26, "AutoSave", 0},
    {"Hot", "Hot Games", 27, "Hot Games", 0},
    {"History", "Game History", 28, "Game History", 0},
    {"Options", "Options", 29, "Options", 1},
    {"Sep12", "", 0, "", 0},
    {"Rules", "Rules", 30, "Rules", 1},
    {"Contents", "Help Contents", 31, "Help Contents", 0},
}};

const ToolbarButtonInfo* MainMenus::toolbarListEntry(int listNumber)
{
    for (const ToolbarButtonInfo& info : kToolbarButtons) {
        if (info.listNumber != 0 && info.listNumber == listNumber)
            return &info;
    }
    return nullptr;
}

MainMenus::MainMenus(Shared& shared, QMainWindow& window) : QObject(&window), shared_(shared)
{
    setObjectName(QStringLiteral("Menu1"));
    buildMenus(window);
    buildToolbar(window);
}

MainMenus::~MainMenus() = default;

void MainMenus::buildMenus(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    // The menus are fixed: the bar offers no menu of its own to hide them.
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const auto& [family, caption] : kMenus) {
        QMenu* menu = bar->addMenu(latin(caption));
        menu->setObjectName(latin(family));
        menus_.insert(latin(family), menu);
    }

    for (const MenuItemInfo& info : kMenuItems) {
        const QString family = latin(info.family);
        const QString key = latin(info.key);
        QMenu* menu = menus_.value(family);
        QAction* action = nullptr;
        if (qstrcmp(info.caption, "-") == 0) {
            action = menu->addSeparator();
        } else if (key == QLatin1String("Recent")) {
            // The header of a recent list opens its submenu and runs nothing.
            QMenu* list = menu->addMenu(latin(info.caption));
            list->setObjectName(QStringLiteral("%1_%2_list").arg(family).arg(info.index));
            action = list->menuAction();
        } else {
            action = menu->addAction(latin(info.caption));
            guard::connect(shared_.services, action, &QAction::triggered, this, [this, key] { emit command(key); });
        }
        action->setObjectName(QStringLiteral("%1_%2").arg(family).arg(info.index));
        action->setData(key);
        if (info.icon)
            action->setIcon(CommandIcons::icon(key));
        if (info.shortcut[0] != '\0')
            action->setShortcut(QKeySequence(latin(info.shortcut)));
        items_[family].append(action);
    }

    for (const StandardKey& extra : kStandardKeys) {
        QAction* action = item(latin(extra.family), extra.index);
        QList<QKeySequence> keys = action->shortcuts();
        keys << QKeySequence(latin(extra.key));
        action->setShortcuts(keys);
    }

    for (const auto& [family, index] : {std::pair{"mGame", 4}, std::pair{"mGame", 9}, std::pair{"mGame", 11}})
        item(latin(family), index)->setCheckable(true);
    // Stop is enabled only while a replay runs.
    item(QStringLiteral("mReplay"), 6)->setEnabled(false);
}

void MainMenus::buildToolbar(QMainWindow& window)
{
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), &window);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(22, 22));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The player shows and hides the toolbar and its buttons through the
    // menus, so the settings always say what is shown.
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar_->toggleViewAction()->setVisible(false);
    window.addToolBar(Qt::TopToolBarArea, toolbar_);

    for (const ToolbarButtonInfo& info : kToolbarButtons) {
        const QString key = latin(info.key);
        QAction* action = nullptr;
        if (info.listNumber == 0) {
            action = toolbar_->addSeparator();
        } else {
            action = toolbar_->addAction(CommandIcons::icon(key), latin(info.tooltip));
            action->setToolTip(latin(info.tooltip));
            guard::connect(shared_.services, action, &QAction::triggered, this, [this, key] { emit command(key); });
        }
        action->setObjectName(key);
        action->setData(key);
        buttons_.insert(key, action);
    }
    button(QStringLiteral("AutoPlay"))->setCheckable(true);
    button(QStringLiteral("Pause"))->setCheckable(true);
    button(QStringLiteral("Stop"))->setEnabled(false);
}

QAction* MainMenus::item(const QString& family, int index) const
{
    const auto it = items_.constFind(family);
    if (it == items_.constEnd() || index < 1 || index > it->size())
        return nullptr;
    return it->at(index - 1);
}

QMenu* MainMenus::menu(const QString& family) const { return menus_.value(family); }

QMenu* MainMenus::recentMenu(int index) const
{
    if (index < 12 || index > 14)
        return nullptr;
    QAction* header = item(QStringLiteral("mFile"), index);
    return header != nullptr ? header->menu() : nullptr;
}

QAction* MainMenus::button(const QString& key) const { return buttons_.value(key); }

void MainMenus::applyToolbarSettings()
{
    SettingsStore& settings = shared_.services.settings();
    const QString section = QLatin1String(settings::kToolbarSection);
    bool groupShown = false;
    for (const ToolbarButtonInfo& info : kToolbarButtons) {
        QAction* action = button(latin(info.key));
        if (info.listNumber == 0) {
            // A separator closes the group of buttons before it.
            action->setVisible(groupShown);
            groupShown = false;
            continue;
        }
        const bool shown = settings.readNumber(section, latin(info.key), info.defaultShown) != 0;
        action->setVisible(shown);
        groupShown = groupShown || shown;
    }
}

void MainMenus::refreshCommandStates(bool replaying)
{
    const int32_t status = shared_.gamePlay.Game_Status();
    const bool inPlay = status == cGamePlay::kInProgress;
    const bool loaded = status != cGamePlay::kNoGame;
    const bool free = loaded && !replaying;
    const cEngine& engine = shared_.engine;

    const auto enable = [this](const char* family, int index, bool enabled) {
        item(latin(family), index)->setEnabled(enabled);
    };
    enable("mFile", 3, inPlay);
    enable("mFile", 8, inPlay);
    enable("mGame", 9, inPlay);
    enable("mFile", 10, loaded);
    enable("mGame", 1, free && engine.UndoPossible());
    enable("mGame", 2, free && engine.RedoPossible());
    enable("mGame", 6, free && engine.UndoPossible());
    enable("mGame", 7, free && engine.RedoPossible());
    enable("mReplay", 1, free && engine.RedoPossible());
    enable("mReplay", 2, free && engine.UndoPossible());
    enable("mReplay", 4, free && engine.MoveStarted());
    enable("mReplay", 8, free && engine.MoveStarted());
    enable("mFav", 1, loaded);
    enable("mPend", 1, inPlay);
    enable("mTools", 5, free && engine.MoveStarted());
    enable("mGame", 4, shared_.games.DisAutoPlay() == 0);
    enable("mGame", 13, inPlay && !replaying);

    const int32_t autoPlay = shared_.services.settings().read(settings::kAutoPlay);
    item(QStringLiteral("mGame"), 4)->setChecked(autoPlay != 0);
    item(QStringLiteral("mGame"), 11)->setChecked(shared_.services.settings().read(settings::kShowToolbar) != 0);

    disableUnrunnable();
    // Each button follows the menu item of its key.
    for (const MenuItemInfo& info : kMenuItems) {
        QAction* action = button(latin(info.key));
        if (action != nullptr && info.key[0] != '\0')
            action->setEnabled(item(latin(info.family), info.index)->isEnabled());
    }
    button(QStringLiteral("AutoPlay"))->setChecked(autoPlay != 0);
}

void MainMenus::setRunnableCommands(const QStringList& keys)
{
    runnable_ = QSet<QString>(keys.begin(), keys.end());
    disableUnrunnable();
    for (auto it = buttons_.cbegin(); it != buttons_.cend(); ++it)
        if (!runnable_.contains(it.key()))
            it.value()->setEnabled(false);
}

void MainMenus::disableUnrunnable()
{
    for (const MenuItemInfo& info : kMenuItems) {
        const QString key = latin(info.key);
        if (!key.isEmpty() && key != QLatin1String("Recent") && !runnable_.contains(key))
            item(latin(info.family), info.index)->setEnabled(false);
    }
}

void MainMenus::setStopEnabled(bool enabled)
{
    item(QStringLiteral("mReplay"), 6)->setEnabled(enabled);
    button(QStringLiteral("Stop"))->setEnabled(enabled);
}

void MainMenus::markEntry(QAction* action, const QString& key, int group, const QString& text) const
{
    action->setProperty(kEntryProperty, true);
    action->setProperty(kEntryKeyProperty, key);
    action->setProperty(kEntryGroupProperty, group);
    action->setProperty(kEntryTextProperty, text);
    action->setData(key);
}

QAction* MainMenus::addEntry(QMenu* menu, const QString& key, int group, const QString& text, const QString& iconKey,
                             bool enabled)
{
    if (menu == nullptr)
        return nullptr;
    auto* action = new QAction(entryCaption(text), menu);
    if (!iconKey.isEmpty())
        action->setIcon(CommandIcons::icon(iconKey));
    action->setEnabled(enabled);
    markEntry(action, key, group, text);
    guard::connect(shared_.services, action, &QAction::triggered, this,
                   [this, action] { emit entryChosen(entryGroup(action), entryKey(action), entryText(action)); });
    menu->addAction(action);
    return action;
}

QMenu* MainMenus::addSubmenuEntry(QMenu* menu, const QString& key, const QString& text, const QString& iconKey)
{
    if (menu == nullptr)
        return nullptr;
    auto* submenu = new QMenu(entryCaption(text), menu);
    if (!iconKey.isEmpty())
        submenu->setIcon(CommandIcons::icon(iconKey));
    markEntry(submenu->menuAction(), key, 0, text);
    menu->addMenu(submenu);
    return submenu;
}

void MainMenus::clearEntries(QMenu* menu)
{
    if (menu == nullptr)
        return;
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (!isEntry(action))
            continue;
        menu->removeAction(action);
        // An entry may be going away from inside its own click (choosing a
        // recent game refreshes the recent menus), so it is deleted later.
        if (QMenu* submenu = action->menu())
            submenu->deleteLater();
        else
            action->deleteLater();
    }
}

QAction* MainMenus::entry(QMenu* menu, const QString& key) const
{
    if (menu == nullptr)
        return nullptr;
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (!isEntry(action))
            continue;
        if (entryKey(action) == key)
            return action;
        if (QAction* inner = entry(action->menu(), key))
            return inner;
    }
    return nullptr;
}

int MainMenus::entryGroup(const QAction* entry) { return entry->property(kEntryGroupProperty).toInt(); }
QString MainMenus::entryKey(const QAction* entry) { return entry->property(kEntryKeyProperty).toString(); }
QString MainMenus::entryText(const QAction* entry) { return entry->property(kEntryTextProperty).toString(); }

void MainMenus::refreshRecentMenus()
{
    fillRecentMenu(recentMenu(12), cFunc::kSavedList, kSavedGroup, true);
    fillRecentMenu(recentMenu(13), cFunc::kOpenedList, kOpenedGroup, true);
    fillRecentMenu(recentMenu(14), cFunc::kPlayedList, kPlayedGroup, false);
}

void MainMenus::fillRecentMenu(QMenu* menu, int32_t list, int group, bool filesOnly)
{
    clearEntries(menu);
    const QString prefix = QString::number(group);
    const QStringList stored = shared_.func.GetMRU(list);
    int shown = 0;
    for (qsizetype i = 1; i < stored.size(); ++i) {
        const QString& text = stored.at(i);
        // A file deleted since stays in the list (it may come back) but is
        // not offered.
        if (text.isEmpty() || (filesOnly && !QFileInfo::exists(text)))
            continue;
        addEntry(menu, prefix + text, group, text, QStringLiteral("Q1"));
        ++shown;
    }
    if (shown == 0)
        addEntry(menu, prefix + QStringLiteral("None"), group, QStringLiteral("None"), QString(), false);
}

void MainMenus::refreshFavMenu()
{
    QMenu* favorites = menu(QStringLiteral("mFav"));
    clearEntries(favorites);
    const cData& data = shared_.data;
    const QStringList folders = Listings::ListFavFolders(data);
    const QStringList files = Listings::ListFavFiles(data.FavFolder());
    int added = 0;
    for (qsizetype i = 1; i < folders.size() && added < kMostFavoriteEntries; ++i, ++added) {
        QMenu* folder =
            addSubmenuEntry(favorites, folders[i], QFileInfo(folders[i]).fileName(), QStringLiteral("Folder"));
        const QStringList inside = Listings::ListFavFiles(folders[i]);
        for (qsizetype j = 1; j < inside.size(); ++j)
            addEntry(folder, inside[j], kFavoriteGroup, QFileInfo(inside[j]).fileName(), QStringLiteral("Q1"));
    }
    for (qsizetype i = 1; i < files.size() && added < kMostFavoriteEntries; ++i, ++added)
        addEntry(favorites, files[i], kFavoriteGroup, QFileInfo(files[i]).fileName(), QStringLiteral("Q1"));
    if (QAction* separator = item(QStringLiteral("mFav"), 3))
        separator->setVisible(added > 0);
}

void MainMenus::refreshPendingMenu(const QString& playing)
{
    QMenu* pending = menu(QStringLiteral("mPend"));
    clearEntries(pending);
    const QStringList files = Listings::ListPending(shared_.data);
    for (qsizetype i = 1; i < files.size(); ++i) {
        const bool now = files[i] == playing;
        QString caption = pendingList::menuCaption(files[i]);
        if (now)
            caption += QStringLiteral(" - (Now Playing)");
        addEntry(pending, files[i], kPendingGroup, caption, QStringLiteral("Q1"), !now);
    }
    if (QAction* separator = item(QStringLiteral("mPend"), 3))
        separator->setVisible(files.size() > 1);
}
