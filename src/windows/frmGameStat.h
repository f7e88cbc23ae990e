#pragma once

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;
class QTabWidget;
class Shared;
class TextTableModel;

// The "Game Statistics" window: totals, averages and rates of every
// player's results, overall, per player, per period and per game, with
// charts and each player's and game's winning streaks; and the buttons that
// clear or export the statistics. The score files are loaded while it is
// open.
class frmGameStat final : public QDialog {
    Q_OBJECT

public:
    explicit frmGameStat(Shared& shared, QWidget* parent = nullptr);
    ~frmGameStat() override;

    void fillGeneral();
    void fillPlayers();
    void showPlayer();
    void fillDates();
    void fillGames();
    void showGame();

private:
    Shared& shared_;
    QTabWidget* tabs_;
    TextTableModel* lvGeneral_;
    QChartView* chGen_;
    QChartView* chGen1_;
    TextTableModel* lvPlayer_;
    QComboBox* imcPlayer_;
    // Played, won, lost, and the streaks.
    QLabel* lblPlayer_[5];
    QChartView* chPlayer_;
    QChartView* chPlayer1_;
    QComboBox* imcDate_;
    TextTableModel* lvDate_;
    QChartView* chDate_;
    QChartView* chDate1_;
    TextTableModel* lvGames_;
    QComboBox* imcGames_;
    QLabel* lblGame_;
    QChartView* chGames_;
    QChartView* chGames1_;
};
