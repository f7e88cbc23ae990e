#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstdint>
#include <utility>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class Shared;

// One row of the menu tree: the item `index` (from 1, separators counted) of
// the menu `family`. A caption "-" is a separator.
struct MenuItemInfo {
    const char* family;
    int16_t index;
    const char* caption;
    const char* key;      // command key; empty for separators
    bool icon;            // shows the picture of its key
    const char* shortcut; // empty for none
};

// One toolbar button in left-to-right order. Separators ("Sep1" .. "Sep12")
// have no tooltip and list number 0.
struct ToolbarButtonInfo {
    const char* key;
    const char* tooltip;
    int16_t listNumber; // number in the toolbar settings list, 1 .. 31
    const char* listText;
    int32_t defaultShown; // default of setting Toolbar/key
};

// The main window's menu bar and toolbar. Every menu item and toolbar button
// carries a command key, which `command` reports when it is chosen; the
// entries of the list menus (recent games, pending list, favorites) carry a
// group number, a key and a text, which `entryChosen` reports.
class MainMenus : public QObject {
    Q_OBJECT

public:
    // Groups of the list-menu entries.
    static constexpr int kSavedGroup = 200;
    static constexpr int kOpenedGroup = 201;
    static constexpr int kPlayedGroup = 202;
    static constexpr int kPendingGroup = 300;
    static constexpr int kFavoriteGroup = 400;

    static constexpr int kToolbarListCount = 31;

    // The top-level menus in order: family and caption.
    static const std::array<std::pair<const char*, const char*>, 9> kMenus;
    static const std::array<MenuItemInfo, 68> kMenuItems;
    static const std::array<ToolbarButtonInfo, 43> kToolbarButtons;

    // The button with this number in the toolbar settings list (1 .. 31), or
    // null.
    static const ToolbarButtonInfo* toolbarListEntry(int listNumber);

    MainMenus(Shared& shared, QMainWindow& window);
    ~MainMenus() override;

    // The item `index` of `family` ("mFile", "mGame", ...), separators
    // included; null when there is none.
    QAction* item(const QString& family, int index) const;
    QMenu* menu(const QString& family) const;
    // The submenus of the recent lists: 12 saved, 13 opened, 14 played.
    QMenu* recentMenu(int index) const;
    // A toolbar button or separator by key.
    QAction* button(const QString& key) const;
    QToolBar* toolbar() const { return toolbar_; }

    // Shows each button whose setting Toolbar/key is not 0 and hides the
    // others, then shows each separator after a group with a shown button.
    void applyToolbarSettings();
    // Enables and checks menu items and buttons for the game on the table.
    void refreshCommandStates(bool replaying);
    // The keys the main window has a command for. A menu item or button of
    // any other key stays disabled: nothing the player can press does
    // nothing.
    void setRunnableCommands(const QStringList& keys);
    // Enables or disables "Stop" and its button together.
    void setStopEnabled(bool enabled);

    // List-menu entries, appended after the menu's fixed items. The caption
    // is the text; the entry remembers key, group and text.
    QAction* addEntry(QMenu* menu, const QString& key, int group, const QString& text, const QString& iconKey,
                      bool enabled = true);
    // A submenu entry (a favorites folder) to hold entries of its own.
    QMenu* addSubmenuEntry(QMenu* menu, const QString& key, const QString& text, const QString& iconKey);
    // Removes the list entries of the menu (with their submenus), never its
    // fixed items.
    void clearEntries(QMenu* menu);
    // The list entry of the menu, or of a submenu entry of it, with this key.
    QAction* entry(QMenu* menu, const QString& key) const;
    static int entryGroup(const QAction* entry);
    static QString entryKey(const QAction* entry);
    static QString entryText(const QAction* entry);

    // Fills the three recent submenus from the stored lists.
    void refreshRecentMenus();
    // The favorites after the menu's fixed items: each first-level folder
    // as a submenu of its favorites, then the favorites of the root; at most
    // 100 entries directly in the menu.
    void refreshFavMenu();
    // The pending games with their completion; the one being played
    // (`playing`) is shown so and cannot be chosen.
    void refreshPendingMenu(const QString& playing);
    static constexpr int kMostFavoriteEntries = 100;

signals:
    void command(const QString& key);
    void entryChosen(int group, const QString& key, const QString& text);

private:
    void buildMenus(QMainWindow& window);
    void buildToolbar(QMainWindow& window);
    void markEntry(QAction* action, const QString& key, int group, const QString& text) const;
    void fillRecentMenu(QMenu* menu, int32_t list, int group, bool filesOnly);

    Shared& shared_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QVector<QAction*>> items_;
    QHash<QString, QAction*> buttons_;
    QSet<QString> runnable_;
    void disableUnrunnable();
    QToolBar* toolbar_ = nullptr;
};
