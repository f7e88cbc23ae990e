#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;
class QSlider;
class QTreeView;
class MovesModel;
class Shared;
class ReplayControl;

// The "Moves Manager": browses the moves of the game on the table and takes
// the table to any position, without animation and never into the middle of
// a group; or starts the replay and follows it.
class frmQuickMove final : public QDialog {
    Q_OBJECT

public:
    frmQuickMove(Shared& shared, ReplayControl& replayer, QWidget* parent = nullptr);

    // Takes the table to the position nearest `position` that a group allows.
    void jumpTo(int position);
    void stepBack();
    void stepForward();
    void toggleMore();
    void startReplay(bool forward);
    // Follows a running replay; gives the controls back when it ends.
    void followReplay();

    QTimer tmrReplay;

private:
    // Shows where the table is: slider, current row, the three lines and
    // the caption; and which steps are possible.
    void showPosition();
    void updateButtons();

    Shared& shared_;
    ReplayControl& replay_;
    MovesModel* model_;
    QSlider* Slider1_;
    QPushButton* cmdBack_;
    QPushButton* cmdForward_;
    QPushButton* cmdReplayBack_;
    QPushButton* cmdReplayForward_;
    QPushButton* cmdReplayStop_;
    QPushButton* cmdMore_;
    QTreeView* lvQuick_;
    QLabel* lbText_[3];
    QLabel* Label1_;
    bool expanded_ = false;
    bool jumping_ = false;
};
