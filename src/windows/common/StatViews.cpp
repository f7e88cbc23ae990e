#include "windows/common/StatViews.h"

#include "engine/Services.h"
#include "scores/StatFigures.h"
#include "scores/cScore.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Colours of the bar sets, in order, and of the won and lost parts.
const QColor kSetColours[] = {QColor(0x2f, 0x8a, 0x4c), QColor(0x3b, 0x6e, 0xb5), QColor(0xd4, 0x9a, 0x1c),
                              QColor(0x9c, 0x3d, 0x3d)};
const QColor kWonColour(0x2f, 0x8a, 0x4c);
const QColor kLostColour(0xb5, 0x3b, 0x3b);
// Pixels between the widest text of a list's column and the next column.
constexpr int kColumnGap = 12;

QChart* plainChart()
{
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

// Counts are whole: a short axis gets no tick between two whole numbers,
// which would be labelled as one of them again.
void wholeNumbers(QValueAxis& axis)
{
    const qreal low = std::floor(axis.min());
    const qreal high = std::ceil(axis.max());
    if (const int span = static_cast<int>(high - low); span < axis.tickCount() - 1) {
        axis.setRange(low, high);
        axis.setTickCount(span + 1);
    }
}

} // namespace

TextTableModel::TextTableModel(const QStringList& headings, QObject* parent)
    : QAbstractTableModel(parent), headings_(headings)
{
}

void TextTableModel::setHeadings(const QStringList& headings)
{
    headings_ = headings;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(headings_.size()) - 1);
}

void TextTableModel::setRows(std::vector<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    rowColours_.clear();
    emphasis_.clear();
    endResetModel();
}

void TextTableModel::setRowColour(int row, const QColor& colour)
{
    rowColours_[row] = colour;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TextTableModel::setCellEmphasis(int row, int column, const QColor& colour)
{
    emphasis_[{row, column}] = colour;
    emit dataChanged(index(row, column), index(row, column));
}

void TextTableModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= rows_[static_cast<size_t>(row)].size())
        return;
    rows_[static_cast<size_t>(row)][column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

QString TextTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return rows_[static_cast<size_t>(row)].value(column);
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto emphasis = emphasis_.find({index.row(), index.column()});
    switch (role) {
    case Qt::DisplayRole: return cell(index.row(), index.column());
    case Qt::ForegroundRole:
        if (emphasis != emphasis_.end())
            return emphasis->second;
        if (const auto row = rowColours_.find(index.row()); row != rowColours_.end())
            return row->second;
        return {};
    case Qt::FontRole:
        if (emphasis != emphasis_.end()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headings_.value(section);
    return {};
}

QTreeView* statList(QAbstractItemModel* model, const char* name, QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setStretchLastSection(true);
    view->header()->setDefaultSectionSize(90);
    return view;
}

void fitColumns(QTreeView& list, Services& services)
{
    QTreeView* view = &list;
    const auto fit = [view] {
        const int columns = view->model()->columnCount();
        for (int column = 0; column + 1 < columns; ++column) {
            view->resizeColumnToContents(column);
            // Room between one column's text and the next.
            view->setColumnWidth(column, view->columnWidth(column) + kColumnGap);
        }
    };
    QAbstractItemModel* model = view->model();
    guard::connect(services, model, &QAbstractItemModel::modelReset, view, fit);
    guard::connect(services, model, &QAbstractItemModel::layoutChanged, view, fit);
    guard::connect(services, model, &QAbstractItemModel::headerDataChanged, view, fit);
    // A running game's figures grow as it goes on.
    guard::connect(services, model, &QAbstractItemModel::dataChanged, view, fit);
    fit();
}

void showRows(QTreeView& list, int rows)
{
    // A row as the list draws it; without one, a line of text and its
    // margins.
    const int measured = list.model()->rowCount() > 0 ? list.sizeHintForRow(0) : -1;
    const int rowHeight = measured > 0 ? measured : list.fontMetrics().height() + 6;
    // Room for a scroll bar across, should the columns be wider than the
    // window.
    const int across = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    list.setMinimumHeight(list.header()->sizeHint().height() + rows * rowHeight + 2 * list.frameWidth() + across);
}

QChart* wonLostChart(int won, int lost)
{
    auto* series = new QPieSeries;
    QPieSlice* wonPart = series->append(QStringLiteral("Won : ") + QString::number(won), std::max(won, 0));
    QPieSlice* lostPart = series->append(QStringLiteral("Lost : ") + QString::number(lost), std::max(lost, 0));
    wonPart->setColor(kWonColour);
    lostPart->setColor(kLostColour);
    // The legend names both parts; a part with games in it carries its name
    // beside it too, outside the pie, where a narrow part cannot cut it off.
    for (QPieSlice* part : {wonPart, lostPart}) {
        // A part that is the whole pie, or none of it, has no edge to draw.
        if (part->value() == 0 || part->value() == series->sum())
            part->setPen(QPen(Qt::NoPen));
        else
            part->setBorderColor(Qt::white);
        part->setLabelPosition(QPieSlice::LabelOutside);
        part->setLabelArmLengthFactor(0.08);
        QFont font = part->labelFont();
        font.setBold(true);
        part->setLabelFont(font);
        part->setLabelVisible(part->value() > 0);
    }
    series->setPieSize(0.55);
    QChart* chart = plainChart();
    chart->addSeries(series);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart* barChart(const QStringList& categories, const std::vector<std::pair<QString, QList<qreal>>>& sets)
{
    auto* series = new QBarSeries;
    qreal highest = 1;
    size_t colour = 0;
    qreal lowest = 0;
    for (const auto& [name, values] : sets) {
        auto* set = new QBarSet(name);
        for (const qreal value : values) {
            *set << value;
            highest = std::max(highest, value);
            lowest = std::min(lowest, value);
        }
        set->setColor(kSetColours[colour++ % std::size(kSetColours)]);
        set->setLabelColor(Qt::black);
        series->append(set);
    }
    QChart* chart = plainChart();
    chart->addSeries(series);
    if (categories.size() > 12)
        chart->setTitle(categories.first() + QStringLiteral(" to ") + categories.last());
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    if (categories.size() > 12) {
        // Too many groups to name each: the axis says which they are.
        axisX->setLabelsVisible(false);
        axisX->setGridLineVisible(false);
    }
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setRange(lowest * 1.1, highest * 1.1);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->applyNiceNumbers();
    wholeNumbers(*axisY);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    // A legend only says something when there is more than one set.
    chart->legend()->setVisible(sets.size() > 1);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // With few bars, each carries its value.
    if (categories.size() * static_cast<qsizetype>(sets.size()) <= 12) {
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    }
    return chart;
}

QChart* measureChart(const QString& measure, qreal value, const QString& shown)
{
    auto* set = new QBarSet(measure);
    *set << value;
    set->setColor(value < 0 ? kLostColour : kSetColours[0]);
    auto* series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.5);
    QChart* chart = plainChart();
    chart->addSeries(series);
    chart->setTitle(measure + QStringLiteral(" : ") + shown);
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->setVisible(false);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(measure);
    axisX->setLabelsVisible(false);
    axisX->setGridLineVisible(false);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    // Zero is always on the axis, and a bar of nothing still has a scale.
    const qreal top = std::max<qreal>(value, 0);
    const qreal bottom = std::min<qreal>(value, 0);
    axisY->setRange(bottom * 1.1, top == 0 && bottom == 0 ? 1 : top * 1.1);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->applyNiceNumbers();
    wholeNumbers(*axisY);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    return chart;
}

QChartView* chartView(QChart* chart, const char* name, QWidget* parent)
{
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(240, 180);
    return view;
}

void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

void tellSkippedLines(Services& services, const cScore& score)
{
    if (const int32_t skipped = score.skippedLines(); skipped > 0)
        services.prompts().message(
            QStringLiteral("%1 damaged line(s) of the score files could not be read and are left out of the "
                           "statistics. The files were left as they are.")
                .arg(skipped),
            Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
}

QString recordCell(const ScoreRec& r, const QString& column)
{
    if (column == QLatin1String("Game"))
        return r.GameName;
    if (column == QLatin1String("Player"))
        return r.Player;
    if (column == QLatin1String("Score"))
        return QString::number(r.Score);
    if (column == QLatin1String("Time"))
        return timeText(r.Time);
    if (column == QLatin1String("Moves"))
        return QString::number(r.Moves);
    if (column == QLatin1String("Status"))
        return statFigures::statusText(r);
    if (column == QLatin1String("Date"))
        return statFigures::dateText(r);
    if (column.startsWith(QLatin1String("Game N")))
        return r.gameNo.toString();
    return {};
}

void fillGameChooser(QComboBox& chooser, const Shared& shared)
{
    chooser.setObjectName(QStringLiteral("imcGames"));
    for (int16_t id = 1; id <= shared.data.TotalGames(); ++id)
        chooser.addItem(shared.data.GetGName(id));
    const int playing = chooser.findText(shared.gamePlay.GameName());
    chooser.setCurrentIndex(shared.gamePlay.Game_Status() != cGamePlay::kNoGame && playing >= 0 ? playing : 0);
}

QHBoxLayout* closeRow(QDialog& window, Services& services)
{
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), &window);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    guard::connect(services, cmdClose, &QPushButton::clicked, &window, [&window] { window.close(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdClose);
    return row;
}
