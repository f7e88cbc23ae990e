#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QTreeWidget;
class Shared;

// "Add to Favorites": files the deal on the table under a name in the
// favorites folder or one of its folders, and makes new folders.
class frmAddtoFav final : public QDialog {
    Q_OBJECT

public:
    // `refreshMenu` rebuilds the main window's favorites menu.
    frmAddtoFav(Shared& shared, std::function<void()> refreshMenu, QWidget* parent = nullptr);

    void newFolder();
    void addFavorite();

private:
    void buildTree();
    QString selectedFolder() const;

    Shared& shared_;
    std::function<void()> refreshMenu_;
    QTreeWidget* tvFav_;
    QLineEdit* txFav_;
};
