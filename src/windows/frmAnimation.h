#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QSlider;
class Shared;

// The animation window: how many steps a card takes when it moves, for
// the player's moves, undo and redo, undo all and redo all, and replay.
class frmAnimation : public QDialog {
    Q_OBJECT

public:
    explicit frmAnimation(Shared& shared, QWidget* parent = nullptr);

private:
    void accept() override;

    struct Speed {
        QSlider* slider = nullptr;
        QGroupBox* frame = nullptr;
        QString label;
    };

    Shared& shared_;
    std::array<Speed, 4> speeds_;
};
