#pragma once

#include <QDialog>
#include <QTimer>

class QChartView;
class QLabel;
class QTabWidget;
class Shared;
class TextTableModel;

// The "Session Statistics" window: the games ended since the program
// started, the game being played (its row in dark red) and a chart of the
// session. A timer keeps the running figures current.
class frmSesStat final : public QDialog {
    Q_OBJECT

public:
    explicit frmSesStat(Shared& shared, QWidget* parent = nullptr);

    void fillSummary();
    void fillSession();
    void fillThisGame();
    // The chart tab's list and chart, built again ("Refresh Chart").
    void fillChart();
    // What the timer does on every tick.
    void tick();

    QTimer tmrRefresh;

private:
    bool gameRunning() const;
    QString elapsed() const;

    Shared& shared_;
    QTabWidget* tabs_;
    QLabel* lblSummary_[7];
    QChartView* chSummary_;
    TextTableModel* lvSession_;
    QLabel* lblGame_[7];
    TextTableModel* lvSesChart_;
    QChartView* chChart_;
};
