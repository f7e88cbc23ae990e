#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QDialog>

#include <vector>

class QComboBox;
class QTreeView;
class Shared;
class cScore;

// The records of every player the log shows, as a table computed as it is
// drawn: it stays quick with hundreds of thousands of records. Sorting by a
// column keeps equal records in their order; column -1 is the order they
// were recorded in.
class LogModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    LogModel(const cScore& score, QObject* parent = nullptr);

    // Shows the loaded records at these positions (from 1).
    void setPositions(std::vector<int32_t> positions);
    const std::vector<int32_t>& positions() const { return positions_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    const cScore& score_;
    std::vector<int32_t> positions_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// The "Log Statistics" window: every recorded result of every player,
// chosen by player, game and a range of days or months.
class frmLogStat final : public QDialog {
    Q_OBJECT

public:
    explicit frmLogStat(Shared& shared, QWidget* parent = nullptr);
    ~frmLogStat() override;

    void fillLog();
    LogModel& log() { return *model_; }

private:
    Shared& shared_;
    QComboBox* imcGames_;
    QComboBox* imcPlayer_;
    QComboBox* imcDate_;
    LogModel* model_;
    QTreeView* lvLog_;
};
