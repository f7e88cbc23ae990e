#include "windows/frmPlayers.h"

#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/common/DialogButton.h"
#include "windows/common/Guard.h"
#include "windows/common/PlayerChooser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMaximumPlayers = QStringLiteral("Maximum 20 Players Only!");
const QString kInvalidName = QStringLiteral("Please Enter a Valid Name");
const QString kPlayerExists = QStringLiteral("Player Exists !");
const QString kBadCharacters = QStringLiteral("Name should not contain these characters : /\\:*?\"<>|");
const QString kLeadingDot = QStringLiteral("Name should not begin with a dot (.)");
const QString kConfirmDelete = QStringLiteral("Are you sure you want to delete this player");

// A small head-and-shoulders figure beside each name; the current player's
// is gold.
QIcon playerIcon(bool current)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = current ? QColor(0xd4, 0x9a, 0x1c) : QColor(0x4a, 0x6f, 0xa5);
    p.setPen(QPen(body.darker(140), 1));
    p.setBrush(body);
    p.drawEllipse(QRectF(6.5, 2.5, 7, 7));
    p.drawRoundedRect(QRectF(3.5, 10.5, 13, 8), 4, 4);
    return QIcon(pixmap);
}

// Makes the name the current player. A game in progress is ended first when
// the player changes, so its result goes to the player who played it.
} // namespace

frmPlayers::frmPlayers(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), players_(shared.services.settings())
{
    setObjectName(QStringLiteral("frmPlayers"));
    setWindowTitle(QStringLiteral("Players"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Players"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    lstPlayers_ = new QListWidget(this);
    lstPlayers_->setObjectName(QStringLiteral("lstPlayers"));
    lstPlayers_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPlayers_->setMinimumSize(220, 260);
    lstPlayers_->setIconSize(QSize(20, 20));

    const auto makeButton = [this](const char* name, const QString& text) { return dialogButton(this, name, text); };
    cmdNew_ = makeButton("cmdNew", QStringLiteral("New"));
    cmdEdit_ = makeButton("cmdEdit", QStringLiteral("Edit"));
    cmdDelete_ = makeButton("cmdDelete", QStringLiteral("Delete"));
    cmdSelect_ = makeButton("cmdSelect", QStringLiteral("Select"));
    cmdCancel_ = makeButton("cmdCancel", QStringLiteral("Cancel"));
    cmdSelect_->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdNew_);
    buttons->addWidget(cmdEdit_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdSelect_);
    buttons->addWidget(cmdCancel_);

    auto* body = new QHBoxLayout;
    body->addWidget(lstPlayers_, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->addWidget(heading);
    layout->addLayout(body);

    Services& services = shared_.services;
    guard::connect(services, cmdNew_, &QPushButton::clicked, this, [this] { newPlayer(); });
    guard::connect(services, cmdEdit_, &QPushButton::clicked, this, [this] { editPlayer(); });
    guard::connect(services, cmdDelete_, &QPushButton::clicked, this, [this] { deletePlayer(); });
    guard::connect(services, cmdSelect_, &QPushButton::clicked, this, [this] { selectPlayer(); });
    guard::connect(services, cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
    guard::connect(services, lstPlayers_, &QListWidget::itemClicked, this, [this] { updateDelete(); });
    guard::connect(services, lstPlayers_, &QListWidget::currentRowChanged, this, [this] { updateDelete(); });
    guard::connect(services, lstPlayers_, &QListWidget::itemDoubleClicked, this, [this] { selectPlayer(); });

    relist();
    shared_.services.sounds().raise(SoundEvent::Players);
}

void frmPlayers::relist()
{
    lstPlayers_->blockSignals(true);
    lstPlayers_->clear();
    const QString current = players_.CurrentPlayer();
    for (int16_t slot = 1; slot <= players_.PlayerCount(); ++slot) {
        const QString name = players_.PlayerName(slot);
        auto* item = new QListWidgetItem(playerIcon(name == current), name, lstPlayers_);
        if (name == current) {
            lstPlayers_->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    lstPlayers_->blockSignals(false);
    // Nobody is chosen yet, so there is nothing to delete.
    cmdDelete_->setEnabled(false);
    cmdEdit_->setEnabled(lstPlayers_->currentItem() != nullptr);
    cmdSelect_->setEnabled(lstPlayers_->count() > 0);
}

QString frmPlayers::selectedName() const
{
    const QListWidgetItem* item = lstPlayers_->currentItem();
    return item != nullptr ? item->text() : QString();
}

void frmPlayers::updateDelete()
{
    const QString name = selectedName();
    cmdDelete_->setEnabled(!name.isEmpty() && name != players_.CurrentPlayer());
    cmdEdit_->setEnabled(!name.isEmpty());
}

bool frmPlayers::nameDialog(const QString& heading, const QString& startingName)
{
    const QString title = shared_.data.ProdName();
    QString proposed = startingName;
    while (const std::optional<QString> typed = shared_.services.prompts().input(heading, title, proposed)) {
        const QString name = *typed;
        proposed = name;
        switch (players_.CheckName(name)) {
        case Players::NameCheck::Empty:
            shared_.services.prompts().message(kInvalidName, Prompts::Icon::Stop, Prompts::Buttons::Ok, title);
            continue;
        case Players::NameCheck::BadCharacters:
            shared_.services.prompts().message(kBadCharacters, Prompts::Icon::Stop, Prompts::Buttons::Ok, title);
            continue;
        case Players::NameCheck::LeadingDot:
            shared_.services.prompts().message(kLeadingDot, Prompts::Icon::Stop, Prompts::Buttons::Ok, title);
            continue;
        case Players::NameCheck::Exists:
            shared_.services.prompts().message(kPlayerExists, Prompts::Icon::Stop, Prompts::Buttons::Ok, title);
            continue;
        case Players::NameCheck::Valid: break;
        }
        if (startingName.isEmpty())
            return players_.AddPlayer(name);
        // Renamed onto scores kept under the new name, the player would take
        // them over and leave their own records behind.
        if (Players::ScoresUnderName(shared_.data, name)) {
            shared_.services.prompts().message(
                QStringLiteral("Scores are kept under the name \"%1\" already. Please choose another name.").arg(name),
                Prompts::Icon::Stop, Prompts::Buttons::Ok, title);
            continue;
        }
        players_.RenamePlayer(startingName, name, shared_.data);
        return true;
    }
    return false;
}

void frmPlayers::newPlayer()
{
    if (players_.PlayerCount() >= Players::kMaxPlayers) {
        shared_.services.prompts().message(kMaximumPlayers, Prompts::Icon::Information, Prompts::Buttons::Ok,
                                           shared_.data.ProdName());
        return;
    }
    nameDialog(QStringLiteral("Add Player"), QString());
    relist();
}

void frmPlayers::editPlayer()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    nameDialog(QStringLiteral("Edit Player"), name);
    relist();
}

void frmPlayers::deletePlayer()
{
    const QString name = selectedName();
    if (name.isEmpty() || name == players_.CurrentPlayer())
        return;
    if (shared_.services.prompts().message(kConfirmDelete, Prompts::Icon::Stop, Prompts::Buttons::YesNo) !=
        Prompts::Answer::Yes)
        return;
    // The player is gone even when their score file would not go (that is
    // told): the list shows it either way.
    try {
        players_.DeletePlayer(name, shared_.data);
    } catch (...) {
        relist();
        throw;
    }
    relist();
}

void frmPlayers::selectPlayer()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        playerChooser::makeCurrent(name, shared_);
    accept();
}
