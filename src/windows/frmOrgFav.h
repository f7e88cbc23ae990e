#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Shared;

// "Organize Favorites": the favorites folder and its first-level folders as
// a tree; folders are made, favorites moved, and either renamed, deleted or
// (a favorite) played. The details of the chosen entry are shown beside.
class frmOrgFav final : public QDialog {
    Q_OBJECT

public:
    frmOrgFav(Shared& shared, std::function<void()> refreshMenu, QWidget* parent = nullptr);

    void createFolder();
    void moveFavorite();
    void renameEntry();
    void deleteEntry();
    void playNow();
    // Shows the chosen entry's details and enables the buttons for it.
    void showSelection();

    // Node kinds, as each node's tag.
    static constexpr const char* kRoot = "RFLD";
    static constexpr const char* kFolder = "FLD";
    static constexpr const char* kFavorite = "FL";

protected:
    void done(int result) override;

private:
    void buildTree();
    // Runs a change of the folders, then rebuilds the tree from them, also
    // when the change raised an error (which goes on to the guard).
    void rebuildAfter(const std::function<void()>& change);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& text, const QString& path, const char* kind);
    QString selectedPath() const;
    QString selectedKind() const;

    Shared& shared_;
    std::function<void()> refreshMenu_;
    QTreeWidget* tvFav_;
    QComboBox* icFav_;
    QGroupBox* fraDetails_;
    QLabel* lblDetails_[4];
    QPushButton* cmdMove_;
    QPushButton* cmdRename_;
    QPushButton* cmdDelete_;
    QPushButton* cmdPlay_;
};
