#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

class QChart;
class QChartView;
class QTreeView;
class QWidget;
class Services;

// The dark red of a high score's key cell.
inline const QColor kHighScoreRed(128, 0, 0);
// The dark red of the game still being played.
inline const QColor kRunningRed(120, 0, 0);

// A read-only table of texts for the statistics lists. A whole row may be
// coloured, and single cells shown bold in a colour.
class TextTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextTableModel(const QStringList& headings, QObject* parent = nullptr);

    void setHeadings(const QStringList& headings);
    const QStringList& headings() const { return headings_; }
    void setRows(std::vector<QStringList> rows);
    void setRowColour(int row, const QColor& colour);
    void setCellEmphasis(int row, int column, const QColor& colour);
    // Changes one cell in place, as the running game's figures move on.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headings_;
    std::vector<QStringList> rows_;
    std::map<int, QColor> rowColours_;
    std::map<std::pair<int, int>, QColor> emphasis_;
};

// A report-style list over `model`, named for tests.
QTreeView* statList(QAbstractItemModel* model, const char* name, QWidget* parent);
// From now on the columns of `list` take the width of their widest text or
// heading whenever its rows change; the last one takes the room left.
void fitColumns(QTreeView& list, Services& services);
// Makes `list` tall enough to show `rows` rows without scrolling.
void showRows(QTreeView& list, int rows);

// Two parts, "Won : " + won and "Lost : " + lost.
QChart* wonLostChart(int won, int lost);
// Bars in groups: one group per category, one bar of each set in each
// group; a negative value is a bar below zero. A set is its name and one
// value per category.
QChart* barChart(const QStringList& categories, const std::vector<std::pair<QString, QList<qreal>>>& sets);
// One bar on an axis of its own, for a measure that shares no scale with
// others (a score beside seconds): titled with the measure and `shown`, the
// value as the player reads it; a negative value goes below zero.
QChart* measureChart(const QString& measure, qreal value, const QString& shown);
// A view showing `chart`, named for tests.
QChartView* chartView(QChart* chart, const char* name, QWidget* parent);
// Shows another chart in the view; the one it showed is deleted.
void replaceChart(QChartView* view, QChart* chart);

class Services;
class cScore;
struct ScoreRec;

// Tells the player, once, that lines of the score files could not be read
// when the statistics were loaded.
void tellSkippedLines(Services& services, const cScore& score);

// The text of one column of a record as the statistics lists show it:
// "Game", "Player", "Score", "Time", "Moves", "Status", "Date", "Game No."
// (also "Game No" and "Game Number").
QString recordCell(const ScoreRec& record, const QString& column);

class QComboBox;
class QDialog;
class QHBoxLayout;
class Shared;

// Every game of the catalogue, the one on the table chosen (else the
// first).
void fillGameChooser(QComboBox& chooser, const Shared& shared);
// A row with the window's "Close" button at its right.
QHBoxLayout* closeRow(QDialog& window, Services& services);
