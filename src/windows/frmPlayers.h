#pragma once

#include "scores/Players.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;
class Shared;

// The "Players" window: adds, renames, deletes and selects players. Every
// change is stored at once; "Select" also makes the chosen player current,
// ending a game in progress first when the player changes.
class frmPlayers : public QDialog {
    Q_OBJECT

public:
    explicit frmPlayers(Shared& shared, QWidget* parent = nullptr);

    // The name dialog: asks for a name under the heading until the player
    // gives a valid one or cancels, saying what is wrong with each refused
    // name. An empty starting name adds a player, any other renames that
    // player. True when the list changed.
    bool nameDialog(const QString& heading, const QString& startingName);

    void newPlayer();
    void editPlayer();
    void deletePlayer();
    void selectPlayer();

private:
    void relist();
    QString selectedName() const;
    void updateDelete();

    Shared& shared_;
    Players players_;
    QListWidget* lstPlayers_;
    QPushButton* cmdNew_;
    QPushButton* cmdEdit_;
    QPushButton* cmdDelete_;
    QPushButton* cmdSelect_;
    QPushButton* cmdCancel_;
};
