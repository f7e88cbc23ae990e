#include "windows/frmPending.h"

#include "library/Listings.h"
#include "library/PendingList.h"
#include "rules/WholeFile.h"
#include "scores/cScore.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/StatViews.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

frmPending::frmPending(Shared& shared, std::function<void()> refreshMenu, QWidget* parent)
    : QDialog(parent), shared_(shared), refreshMenu_(std::move(refreshMenu)),
      model_(new TextTableModel({QStringLiteral("Game (% Completed)"), QStringLiteral("Time"), QStringLiteral("Moves"),
                                 QStringLiteral("Score")},
                                this)),
      lvPending_(statList(model_, "lvPending", this)), cmdPlay_(new QPushButton(QStringLiteral("Play Now"), this)),
      cmdDelete_(new QPushButton(QStringLiteral("Delete "), this))
{
    setObjectName(QStringLiteral("frmPending"));
    setWindowTitle(QStringLiteral("Pending List Manager"));
    setModal(true);
    Services& services = shared_.services;
    lvPending_->header()->resizeSection(0, 300);
    cmdPlay_->setObjectName(QStringLiteral("cmdPlay"));
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    guard::connect(services, cmdPlay_, &QPushButton::clicked, this, [this] { playNow(); });
    guard::connect(services, cmdDelete_, &QPushButton::clicked, this, [this] { deleteGame(); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    guard::connect(services, lvPending_, &QTreeView::doubleClicked, this, [this] { playNow(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvPending_, 1);
    layout->addLayout(buttons);
    resize(620, 380);

    fill();
    services.sounds().raise(SoundEvent::OrgPend);
}

void frmPending::fill()
{
    const QStringList listed = Listings::ListPending(shared_.data);
    files_ = listed.mid(1);
    std::vector<QStringList> rows;
    for (const QString& file : std::as_const(files_)) {
        if (const std::optional<mFile::GameSummary> s = pendingList::summaryOf(file))
            rows.push_back({pendingList::displayName(file) + QStringLiteral(" (%1%)").arg(s->percentage),
                            timeText(s->time), QString::number(s->moves), QString::number(s->score)});
        else
            rows.push_back(
                {QFileInfo(file).fileName() + QStringLiteral(" (damaged)"), QString(), QString(), QString()});
    }
    model_->setRows(std::move(rows));
    const qsizetype playing = files_.indexOf(shared_.gamePlay.playingPendingFile());
    if (playing >= 0) {
        model_->setCell(static_cast<int>(playing), 0,
                        model_->cell(static_cast<int>(playing), 0) + QStringLiteral(" - (Now Playing)"));
        model_->setRowColour(static_cast<int>(playing), Qt::gray);
    }
    if (!files_.isEmpty())
        lvPending_->setCurrentIndex(model_->index(0, 0));
    cmdPlay_->setEnabled(!files_.isEmpty());
    cmdDelete_->setEnabled(!files_.isEmpty());
}

QString frmPending::selectedFile() const
{
    const QModelIndex current = lvPending_->currentIndex();
    return current.isValid() ? files_.value(current.row()) : QString();
}

void frmPending::playNow()
{
    const QString file = selectedFile();
    // The game being played is on the table already.
    if (file.isEmpty() || file == shared_.gamePlay.playingPendingFile())
        return;
    hide();
    close();
    shared_.gamePlay.PlayPendFile(file);
}

void frmPending::deleteGame()
{
    const QString file = selectedFile();
    // The game being played goes back to its file when it ends: it stays.
    if (file.isEmpty() || file == shared_.gamePlay.playingPendingFile())
        return;
    // The first row is chosen on opening: one click must not delete a game
    // the player did not pick.
    if (shared_.services.prompts().message(QStringLiteral("Are you sure you want to delete ") +
                                               pendingList::displayName(file) + QStringLiteral(" ?"),
                                           Prompts::Icon::Stop, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;
    RemoveFile(file, shared_.data.PendingFolder());
    fill();
    lvPending_->setFocus();
    refreshMenu_();
}
