#pragma once

#include "windows/table/GamePreview.h"

#include <QDialog>
#include <QIcon>
#include <QStringList>

#include <cstdint>
#include <vector>

class CardPictures;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Shared;

// "Select a Game": twelve categories (the catalogue in four ways, the
// library folders and the recent lists), a tree of the games or files of the
// chosen one, the details and a miniature of the chosen entry, and the
// player to play it. The last category and, per category, the last entry
// chosen are remembered in the "Select" settings.
class frmSelect : public QDialog {
    Q_OBJECT

public:
    struct Category {
        const char* key;
        const char* caption;
    };
    // In list order.
    static const std::vector<Category>& categories();

    // Tree items keep their node key and tag here.
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kTagRole = Qt::UserRole + 1;

    frmSelect(Shared& shared, CardPictures& pictures, QWidget* parent = nullptr);
    ~frmSelect() override;

    // As if the category (by key) or the tree node were clicked.
    void openCategory(const QString& key);
    void openNode(QTreeWidgetItem* node);
    // The "Play" area: starts the selected entry and closes the window.
    // False when there is nothing to play or it could not be started (the
    // window then stays open, having said why).
    bool play();
    void showRules();

    const QString& currentCategory() const { return categoryKey_; }
    const QString& currentNodeKey() const { return nodeKey_; }
    // The tag of the selected node: its game name; empty for the root and
    // folders.
    const QString& currentGameName() const { return gameName_; }
    // The game whose miniature is shown; 0 for the no-game picture.
    int16_t previewGameId() const { return previewGameId_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    class PreviewArea;

    QTreeWidgetItem* addRoot(const QString& text, const QString& key);
    QTreeWidgetItem* addEntry(QTreeWidgetItem* parent, const QString& key, const QString& text, const QString& tag);
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& key, const QString& text);
    void fillCatalogue(QTreeWidgetItem* root, const QString& key);
    void fillFiles(QTreeWidgetItem* root, const QStringList& paths, const QString& key);
    void fillFavorites(QTreeWidgetItem* root);
    void fillRecentlyPlayed(QTreeWidgetItem* root);
    void showDetails(QTreeWidgetItem* node);
    void showNoGame();
    void addDetail(const QString& line);
    bool isHot(const QString& name) const;
    void reportUnreadable();

    Shared& shared_;
    GamePreview previews_;
    QIcon folderIcon_;
    QIcon gameIcon_;
    QIcon bulletIcon_;

    QListWidget* lvCategory_;
    QTreeWidget* tvGames_;
    QListWidget* lvDetails_;
    QLabel* lblTitle_;
    PreviewArea* picPreview_;
    QComboBox* imcPlayer_;
    QPushButton* cmdPlay_;
    QPushButton* cmdRules_;
    QPushButton* cmdCancel_;

    QString categoryKey_;
    QString nodeKey_;
    QString gameName_;
    int16_t previewGameId_ = 0;
    // Files of the category being filled that could not be read.
    QStringList unreadable_;
};
