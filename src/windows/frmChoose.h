#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Shared;

// "Select a Game Number": starts the chosen game with a number the player
// types, for the chosen player.
class frmChoose : public QDialog {
    Q_OBJECT

public:
    explicit frmChoose(Shared& shared, QWidget* parent = nullptr);

    // The largest random game number of a range setting: 10 ^ rangeIndex - 1
    // (rangeIndex taken within 0 .. 15).
    static int64_t RangeMaximum(int32_t rangeIndex);

    // "Select": starts the game when the number is valid, otherwise says
    // which numbers are and puts "0" in the box. True when a game started.
    bool selectGame();

private:
    Shared& shared_;
    int64_t maximum_;
    QLineEdit* txtGameNo_;
    QLabel* lblRange_;
    QComboBox* imcGames_;
    QComboBox* imcPlayer_;
    QPushButton* cmdSelect_;
    QPushButton* cmdCancel_;
};
