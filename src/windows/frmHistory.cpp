#include "windows/frmHistory.h"

#include "session/GameHistory.h"
#include "session/Shared.h"
#include "windows/MovesModel.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

frmHistory::frmHistory(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared),
      model_(new MovesModel(shared.engine, shared.gamePlay, MovesModel::Form::History, this)),
      lvHistory_(statList(model_, "lvHistory", this))
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Game History"));
    setModal(true);
    Services& services = shared_.services;
    lvHistory_->setAlternatingRowColors(false);
    lvHistory_->header()->resizeSection(0, 70);
    lvHistory_->header()->resizeSection(1, 230);
    lvHistory_->header()->resizeSection(2, 230);
    auto* cmdExport = new QPushButton(QStringLiteral("Export"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    guard::connect(services, cmdExport, &QPushButton::clicked, this, [this] { gameHistory::Export(shared_); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdExport);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvHistory_, 1);
    layout->addLayout(buttons);
    screenFit::resizeWithin(*this, QSize(680, 480));

    const int current = model_->rowOf(shared_.engine.GetTransID());
    if (current >= 0)
        lvHistory_->scrollTo(model_->index(current, 0), QAbstractItemView::PositionAtCenter);
    services.sounds().raise(SoundEvent::History);
}
