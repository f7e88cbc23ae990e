#include "windows/MovesModel.h"

#include "history/MoveTexts.h"
#include "history/cEngine.h"
#include "session/cGamePlay.h"

#include <QColor>
#include <QFont>

namespace {

const QColor kCurrent(128, 0, 0);
const QColor kInGroup(150, 150, 150);
const QColor kUndone(128, 128, 0);

} // namespace

MovesModel::MovesModel(const cEngine& engine, const cGamePlay& session, Form form, QObject* parent)
    : QAbstractTableModel(parent), engine_(engine), session_(session), form_(form)
{
    refresh();
}

int MovesModel::rowOf(int position) const { return form_ == Form::MovesManager ? position : position - 1; }

int MovesModel::positionOf(int row) const { return form_ == Form::MovesManager ? row : row + 1; }

void MovesModel::refresh()
{
    const int rows = engine_.GetTransTop() + (form_ == Form::MovesManager ? 1 : 0);
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        current_ = engine_.GetTransID();
        endResetModel();
        return;
    }
    current_ = engine_.GetTransID();
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

int MovesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int MovesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QString MovesModel::text(int row, int column) const
{
    const auto n = static_cast<int16_t>(positionOf(row));
    if (form_ == Form::MovesManager && n == 0) {
        switch (column) {
        case 0: return QStringLiteral("Start");
        case 1: return QStringLiteral("Name :") + session_.GameName();
        case 2: return QStringLiteral("Game No.:") + session_.gameNo().toString();
        default: return {};
        }
    }
    const int base = form_ == Form::MovesManager ? 0 : 1;
    const cEngine::Transaction& r = engine_.Record(n);
    switch (column) {
    case 0: return QString::number(n);
    case 1: return moveTexts::placeText(r.SCell, r.SPile, r.SPos, base);
    case 2: return moveTexts::placeText(r.DCell, r.DPile, r.DPos, base);
    default: return QString::number(moveTexts::cardCount(engine_, n));
    }
}

QVariant MovesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_)
        return {};
    const int position = positionOf(index.row());
    const bool current = position == current_;
    switch (role) {
    case Qt::DisplayRole: return text(index.row(), index.column());
    case Qt::ForegroundRole:
        if (current)
            return kCurrent;
        if (form_ == Form::MovesManager && position > 0 && engine_.Multi(static_cast<int16_t>(position)) == 1)
            return kInGroup;
        if (form_ == Form::History && position > current_)
            return kUndone;
        return {};
    case Qt::FontRole:
        if (current) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant MovesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kHeadings[] = {"Moves", "Source", "Destination", "Cards"};
    return section >= 0 && section < 4 ? QLatin1String(kHeadings[section]) : QString();
}
