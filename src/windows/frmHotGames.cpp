#include "windows/frmHotGames.h"

#include "session/Shared.h"
#include "windows/common/Guard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmHotGames::frmHotGames(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), lstGames_(new QListWidget(this)), lstHot_(new QListWidget(this)),
      cmdAdd_(new QPushButton(QStringLiteral(">>"), this)), cmdRemove_(new QPushButton(QStringLiteral("<<"), this))
{
    setObjectName(QStringLiteral("frmHotGames"));
    setWindowTitle(QStringLiteral("Hot Games"));
    setModal(true);
    Services& services = shared_.services;
    lstGames_->setObjectName(QStringLiteral("lstGames"));
    lstHot_->setObjectName(QStringLiteral("lstHot"));
    cmdAdd_->setObjectName(QStringLiteral("cmdAdd"));
    cmdRemove_->setObjectName(QStringLiteral("cmdRemove"));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    const SettingsStore& store = services.settings();
    for (int16_t id = 1; id <= shared_.data.TotalGames(); ++id) {
        const QString name = shared_.data.GetGName(id);
        const bool hot =
            store.readNumber(QLatin1String(settings::kHotGamesSection), name, settings::kHotGameDefault) == 1;
        (hot ? lstHot_ : lstGames_)->addItem(name);
    }
    lstGames_->setCurrentRow(0);
    lstHot_->setCurrentRow(0);
    guard::connect(services, cmdAdd_, &QPushButton::clicked, this, [this] { makeHot(); });
    guard::connect(services, cmdRemove_, &QPushButton::clicked, this, [this] { makeCold(); });
    guard::connect(services, lstGames_, &QListWidget::itemDoubleClicked, this, [this] { makeHot(); });
    guard::connect(services, lstHot_, &QListWidget::itemDoubleClicked, this, [this] { makeCold(); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    // An arrow follows whether its list has a game chosen to move.
    for (QListWidget* list : {lstGames_, lstHot_})
        guard::connect(services, list, &QListWidget::currentItemChanged, this, [this] { updateButtons(); });

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmdAdd_);
    middle->addWidget(cmdRemove_);
    middle->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Games"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Hot Games List"), this), 0, 2);
    grid->addWidget(lstGames_, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(lstHot_, 1, 2);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(closing);
    resize(520, 420);
    updateButtons();
    services.sounds().raise(SoundEvent::Hot);
}

void frmHotGames::move(QListWidget* from, QListWidget* to, int hot)
{
    QListWidgetItem* item = from->currentItem();
    if (item == nullptr)
        return;
    const QString name = item->text();
    shared_.services.settings().writeNumber(QLatin1String(settings::kHotGamesSection), name, hot);
    delete from->takeItem(from->row(item));
    to->addItem(name);
    if (to->currentItem() == nullptr)
        to->setCurrentRow(0);
    updateButtons();
}

void frmHotGames::makeHot() { move(lstGames_, lstHot_, 1); }

void frmHotGames::makeCold() { move(lstHot_, lstGames_, 0); }

void frmHotGames::updateButtons()
{
    cmdAdd_->setEnabled(lstGames_->currentItem() != nullptr);
    cmdRemove_->setEnabled(lstHot_->currentItem() != nullptr);
}
