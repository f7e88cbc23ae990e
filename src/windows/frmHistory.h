#pragma once

#include <QDialog>

class MovesModel;
class QTreeView;
class Shared;

// "Game History": every recorded move of the game on the table, the last
// one made in dark red and the undone ones in olive, and their export as
// text.
class frmHistory final : public QDialog {
    Q_OBJECT

public:
    explicit frmHistory(Shared& shared, QWidget* parent = nullptr);

private:
    Shared& shared_;
    MovesModel* model_;
    QTreeView* lvHistory_;
};
