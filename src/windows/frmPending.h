#pragma once

#include <QDialog>

#include <functional>

class QPushButton;
class QTreeView;
class Shared;
class TextTableModel;

// The "Pending List Manager": the games put aside, with their completion,
// time, moves and score, to play or delete.
class frmPending final : public QDialog {
    Q_OBJECT

public:
    frmPending(Shared& shared, std::function<void()> refreshMenu, QWidget* parent = nullptr);

    void fill();
    void playNow();
    void deleteGame();

private:
    // The file of the chosen row; empty with none chosen.
    QString selectedFile() const;

    Shared& shared_;
    std::function<void()> refreshMenu_;
    TextTableModel* model_;
    QTreeView* lvPending_;
    QStringList files_;
    QPushButton* cmdPlay_;
    QPushButton* cmdDelete_;
};
