#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class Shared;

// "Hot Games": the games the player marks as hot, which the game selection
// shows on their own.
class frmHotGames final : public QDialog {
    Q_OBJECT

public:
    explicit frmHotGames(Shared& shared, QWidget* parent = nullptr);

    // Moves the chosen game across and stores its mark.
    void makeHot();
    void makeCold();

private:
    void move(QListWidget* from, QListWidget* to, int hot);
    void updateButtons();

    Shared& shared_;
    QListWidget* lstGames_;
    QListWidget* lstHot_;
    QPushButton* cmdAdd_;
    QPushButton* cmdRemove_;
};
