#pragma once

#include <QAbstractTableModel>

class cEngine;
class cGamePlay;

// The recorded moves of the game on the table as a list computed as it is
// drawn, quick with tens of thousands of moves. The moves manager's form
// starts with a "Start" row for the deal and shows the places as the table
// counts them (from 0), moves inside a group in grey; the history's form
// counts places from 1 and shows undone moves in olive. Either way the row
// of the current position is bold and dark red.
class MovesModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Form { MovesManager, History };

    MovesModel(const cEngine& engine, const cGamePlay& session, Form form, QObject* parent = nullptr);

    // The row of a position (0 the deal) and the position of a row.
    int rowOf(int position) const;
    int positionOf(int row) const;
    // The moves or the position changed: the list is read again.
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(int row, int column) const;

    const cEngine& engine_;
    const cGamePlay& session_;
    Form form_;
    int rows_ = 0;
    int current_ = 0;
};
