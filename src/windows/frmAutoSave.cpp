#include "windows/frmAutoSave.h"

#include "history/mFile.h"
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
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

frmAutoSave::frmAutoSave(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared),
      tabs_(new QTabWidget(this)), models_{new TextTableModel({QStringLiteral("Game"), QStringLiteral("Date Played"),
                                                               QStringLiteral("Time"), QStringLiteral("Perc")},
                                                              this),
                                           new TextTableModel({QStringLiteral("Game "), QStringLiteral("Date Played"),
                                                               QStringLiteral("Time"), QStringLiteral("Score")},
                                                              this)},
      lists_{statList(models_[0], "lvIncomplete", this), statList(models_[1], "lvFinished", this)},
      cmdPlay_(new QPushButton(QStringLiteral("Play"), this)),
      cmdDelete_(new QPushButton(QStringLiteral("Delete"), this)),
      cmdEmpty_{new QPushButton(QStringLiteral("Empty Incomplete Games"), this),
                new QPushButton(QStringLiteral("Empty Finished Games"), this)}
{
    setObjectName(QStringLiteral("frmAutoSave"));
    setWindowTitle(QStringLiteral("Auto Save"));
    setModal(true);
    Services& services = shared_.services;
    tabs_->setObjectName(QStringLiteral("tabAutoSave"));
    tabs_->addTab(lists_[0], QStringLiteral("Incomplete Games"));
    tabs_->addTab(lists_[1], QStringLiteral("Finished Games"));
    cmdPlay_->setObjectName(QStringLiteral("cmdPlay"));
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    cmdEmpty_[0]->setObjectName(QStringLiteral("cmdEmptyIncomplete"));
    cmdEmpty_[1]->setObjectName(QStringLiteral("cmdEmptyFinished"));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QTreeView* list : lists_) {
        list->header()->resizeSection(0, 260);
        list->header()->resizeSection(1, 150);
        guard::connect(services, list, &QTreeView::clicked, this, [this] {
            cmdPlay_->setEnabled(true);
            cmdDelete_->setEnabled(true);
        });
    }
    guard::connect(services, tabs_, &QTabWidget::currentChanged, this, [this] {
        cmdPlay_->setEnabled(false);
        cmdDelete_->setEnabled(false);
    });
    guard::connect(services, cmdPlay_, &QPushButton::clicked, this, [this] { play(); });
    guard::connect(services, cmdDelete_, &QPushButton::clicked, this, [this] { deleteGame(); });
    guard::connect(services, cmdEmpty_[0], &QPushButton::clicked, this, [this] { empty(false); });
    guard::connect(services, cmdEmpty_[1], &QPushButton::clicked, this, [this] { empty(true); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdEmpty_[0]);
    buttons->addWidget(cmdEmpty_[1]);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    resize(760, 440);

    fillBoth();
    tabs_->setCurrentIndex(services.settings().read(settings::kAutoSaveTab) == 1 ? 1 : 0);
    cmdPlay_->setEnabled(false);
    cmdDelete_->setEnabled(false);
    services.sounds().raise(SoundEvent::AutoSave);
}

void frmAutoSave::fillBoth()
{
    fill(false);
    fill(true);
    cmdPlay_->setEnabled(false);
    cmdDelete_->setEnabled(false);
}

void frmAutoSave::fill(bool finished)
{
    const int kind = finished ? 1 : 0;
    files_[kind] = Listings::ListAutoSaved(shared_.data, finished).mid(1);
    tags_[kind].clear();
    std::vector<QStringList> rows;
    for (const QString& file : std::as_const(files_[kind])) {
        const std::optional<mFile::GameSummary> s = pendingList::summaryOf(file);
        if (!s) {
            // Listed, so that it can still be deleted.
            tags_[kind] << QFileInfo(file).fileName();
            rows.push_back(
                {QFileInfo(file).fileName() + QStringLiteral(" (damaged)"), QString(), QString(), QString()});
            continue;
        }
        tags_[kind] << s->gameName + QLatin1String(" - ") + s->gameNo.toString();
        rows.push_back({pendingList::displayName(file), s->fileDate, timeText(s->time),
                        finished ? QString::number(s->score) : QString::number(s->percentage) + QLatin1Char('%')});
    }
    models_[kind]->setRows(std::move(rows));
    cmdEmpty_[kind]->setEnabled(!files_[kind].isEmpty());
}

int frmAutoSave::tab() const { return tabs_->currentIndex() == 1 ? 1 : 0; }

QString frmAutoSave::selectedFile() const
{
    const QModelIndex current = lists_[tab()]->currentIndex();
    return current.isValid() ? files_[tab()].value(current.row()) : QString();
}

void frmAutoSave::play()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    hide();
    shared_.services.settings().write(settings::kAutoSaveTab, tab());
    close();
    shared_.gamePlay.PlayFile(file, true);
}

void frmAutoSave::deleteGame()
{
    const QModelIndex current = lists_[tab()]->currentIndex();
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    if (shared_.services.prompts().message(QStringLiteral("Are you sure you want to delete ") +
                                               tags_[tab()].value(current.row()) + QStringLiteral(" ?"),
                                           Prompts::Icon::Stop, Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
        RemoveFile(file, shared_.data.AutoSaveFolder());
    fillBoth();
}

void frmAutoSave::empty(bool finished)
{
    if (shared_.autoSave.EmptyAutoSaved(finished))
        fillBoth();
}

void frmAutoSave::done(int result)
{
    shared_.services.settings().write(settings::kAutoSaveTab, tab());
    QDialog::done(result);
}
