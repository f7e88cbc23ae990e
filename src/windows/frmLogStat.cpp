#include "windows/frmLogStat.h"

#include "scores/Players.h"
#include "scores/StatFigures.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QStringList kLogColumns{QStringLiteral("Date"),   QStringLiteral("Player"),     QStringLiteral("Game"),
                              QStringLiteral("Score"),  QStringLiteral("Time"),       QStringLiteral("Moves"),
                              QStringLiteral("Status"), QStringLiteral("Game Number")};

// Orders two records by a column: numbers as numbers, dates as days.
bool before(const ScoreRec& a, const ScoreRec& b, int column)
{
    switch (column) {
    case 0: return a.day != b.day ? a.day < b.day : a.Date < b.Date;
    case 1: return a.Player < b.Player;
    case 2: return a.GameName < b.GameName;
    case 3: return a.Score < b.Score;
    case 4: return a.Time < b.Time;
    case 5: return a.Moves < b.Moves;
    case 6: return (a.Won == 1) < (b.Won == 1);
    default: return a.gameNo.toNumber() < b.gameNo.toNumber();
    }
}

} // namespace

LogModel::LogModel(const cScore& score, QObject* parent) : QAbstractTableModel(parent), score_(score) {}

void LogModel::setPositions(std::vector<int32_t> positions)
{
    beginResetModel();
    positions_ = std::move(positions);
    endResetModel();
    if (sortColumn_ >= 0)
        sort(sortColumn_, sortOrder_);
}

int LogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(positions_.size());
}

int LogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kLogColumns.size());
}

QVariant LogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount())
        return {};
    return recordCell(score_.GetScore(positions_[static_cast<size_t>(index.row())]), kLogColumns.value(index.column()));
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return kLogColumns.value(section);
    return {};
}

void LogModel::sort(int column, Qt::SortOrder order)
{
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged();
    if (column < 0) {
        std::sort(positions_.begin(), positions_.end());
    } else {
        std::stable_sort(positions_.begin(), positions_.end(), [&](int32_t a, int32_t b) {
            const ScoreRec& first = score_.GetScore(a);
            const ScoreRec& second = score_.GetScore(b);
            return order == Qt::AscendingOrder ? before(first, second, column) : before(second, first, column);
        });
    }
    emit layoutChanged();
}

frmLogStat::frmLogStat(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), imcGames_(new QComboBox(this)), imcPlayer_(new QComboBox(this)),
      imcDate_(new QComboBox(this)), model_(new LogModel(shared.score, this)), lvLog_(statList(model_, "lvLog", this))
{
    setObjectName(QStringLiteral("frmLogStat"));
    setWindowTitle(QStringLiteral("Log Statistics"));
    setModal(true);
    Services& services = shared_.services;
    services.sounds().raise(SoundEvent::LogStat);
    shared_.score.OpenAllScore();

    imcGames_->setObjectName(QStringLiteral("imcGames"));
    imcGames_->addItem(QStringLiteral("All Games"));
    for (int16_t id = 1; id <= shared_.data.TotalGames(); ++id)
        imcGames_->addItem(shared_.data.GetGName(id));
    imcPlayer_->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer_->addItem(QStringLiteral("All Players"));
    const Players players(services.settings());
    for (int16_t slot = 1; slot <= players.PlayerCount(); ++slot)
        imcPlayer_->addItem(players.PlayerName(slot));
    imcDate_->setObjectName(QStringLiteral("imcDate"));
    for (const statFigures::LogChoice& choice : statFigures::kLogChoices)
        imcDate_->addItem(QLatin1String(choice.text), QLatin1String(choice.key));
    imcDate_->setCurrentIndex(imcDate_->count() - 1);

    // Recorded order first; a click on a heading sorts by that column.
    lvLog_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    lvLog_->setSortingEnabled(true);

    auto* choosers = new QHBoxLayout;
    for (const auto& [label, chooser] :
         {std::pair{QStringLiteral("Game :"), imcGames_}, std::pair{QStringLiteral("Player :"), imcPlayer_},
          std::pair{QStringLiteral("Date :"), imcDate_}}) {
        choosers->addWidget(new QLabel(label, this));
        choosers->addWidget(chooser, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choosers);
    layout->addWidget(lvLog_, 1);
    layout->addLayout(closeRow(*this, services));
    screenFit::resizeWithin(*this, QSize(860, 560));

    for (QTreeView* list : findChildren<QTreeView*>())
        fitColumns(*list, shared_.services);
    fillLog();
    for (QComboBox* chooser : {imcGames_, imcPlayer_, imcDate_})
        guard::connect(services, chooser, &QComboBox::currentIndexChanged, this, [this] { fillLog(); });
    tellSkippedLines(services, shared_.score);
}

frmLogStat::~frmLogStat() { shared_.score.CloseScore(); }

void frmLogStat::fillLog()
{
    const QString game = imcGames_->currentIndex() > 0 ? imcGames_->currentText() : QString();
    const QString player = imcPlayer_->currentIndex() > 0 ? imcPlayer_->currentText() : QString();
    const QString dateKey = imcDate_->currentData().toString();
    const QDate today = shared_.services.clock().now().date();
    const cScore& score = shared_.score;
    std::vector<int32_t> shown;
    shown.reserve(static_cast<size_t>(score.ScoreTop()));
    for (int32_t position = 1; position <= score.ScoreTop(); ++position)
        if (statFigures::logShows(score.GetScore(position), player, game, dateKey, today))
            shown.push_back(position);
    model_->setPositions(std::move(shown));
}
