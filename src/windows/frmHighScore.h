#pragma once

#include <QDialog>

class QComboBox;
class QTabWidget;
class Shared;
class TextTableModel;

// The "High Score" window: four top-20 lists over every player's results,
// overall, by game, by player, and of won games by score, moves or time.
// The score files are loaded while it is open.
class frmHighScore final : public QDialog {
    Q_OBJECT

public:
    explicit frmHighScore(Shared& shared, QWidget* parent = nullptr);
    ~frmHighScore() override;

    // Each list filled again from its chooser.
    void fillTop();
    void fillGames();
    void fillPlayer();
    void fillFin();

private:
    Shared& shared_;
    QTabWidget* tabs_;
    QComboBox* imcGames_;
    QComboBox* imcPlayer_;
    QComboBox* imcFin_;
    TextTableModel* lvTop_;
    TextTableModel* lvGames_;
    TextTableModel* lvPlayer_;
    TextTableModel* lvFin_;
};
