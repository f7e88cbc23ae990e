#include "windows/frmSounds.h"

#include "appearance/cSound.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTagRole = Qt::UserRole;

struct Group {
    const char* name;
    const char* picture;
    std::initializer_list<std::pair<const char*, const char*>> events;
};

const Group kGroups[] = {
    {"Game",
     "New",
     {{"Select Dialog", "Select"},
      {"Start", "Start"},
      {"Move Card", "Move"},
      {"Undo", "Undo"},
      {"Redo", "Redo"},
      {"AutoPlay", "AutoPlay"},
      {"Pause Game", "Pause"},
      {"Close Game", "Close"},
      {"Win", "Win"}}},
    {"Favorites", "AddFav", {{"Add to Favorites", "AddFav"}, {"Organize Favorites", "OrgFav"}}},
    {"Pending List", "AddPend", {{"Move to Pending List", "AddPend"}, {"Organize Pending List", "OrgPend"}}},
    {"Statistics",
     "GameStat",
     {{"Game Statistics", "GameStat"},
      {"Session Statistics", "SessionStat"},
      {"High Score", "HighScore"},
      {"Log Statistics", "LogStat"}}},
    {"Customize",
     "Options",
     {{"Toolbar", "Toolbar"},
      {"Sounds", "Sounds"},
      {"Animation", "Animation"},
      {"Background", "Background"},
      {"Deck", "Deck"}}},
    {"Tools",
     "Players",
     {{"Players", "Players"},
      {"AutoSave", "AutoSave"},
      {"Hot Games", "Hot"},
      {"Game History", "History"},
      {"Options", "Options"}}},
    {"Help", "Contents", {{"Rules", "Rules"}, {"Contents", "Contents"}, {"About", "About"}}},
};

// A small loudspeaker, with sound waves when a file is assigned and a
// cross when none is.
QIcon speaker(bool assigned)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(assigned ? QColor(0x2f, 0x8a, 0x4c) : QColor(0x9a, 0x9a, 0x9a));
    p.drawPolygon(
        QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2.5), QPointF(9, 13.5), QPointF(5, 10), QPointF(2, 10)}));
    if (assigned) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x2f, 0x8a, 0x4c), 1.3));
        p.drawArc(QRectF(7, 4.5, 5, 7), -50 * 16, 100 * 16);
        p.drawArc(QRectF(7, 2.5, 8, 11), -50 * 16, 100 * 16);
    } else {
        p.setPen(QPen(QColor(0xb5, 0x3b, 0x3b), 1.6));
        p.drawLine(QPointF(11, 6), QPointF(15, 10));
        p.drawLine(QPointF(15, 6), QPointF(11, 10));
    }
    return QIcon(pixmap);
}

} // namespace

frmSounds::frmSounds(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), sound_(shared.sound), tvSound_(new QTreeWidget(this)),
      txtFile_(new QLineEdit(this)), cmdBrowse_(new QPushButton(QStringLiteral("Browse"), this)),
      cmdPlay_(new QPushButton(QStringLiteral("Play"), this)),
      cmdApply_(new QPushButton(QStringLiteral("Apply"), this)),
      cmdRemove_(new QPushButton(QStringLiteral("Remove"), this))
{
    setObjectName(QStringLiteral("frmSounds"));
    setWindowTitle(QStringLiteral("Sounds"));
    setModal(true);
    Services& services = shared_.services;
    tvSound_->setObjectName(QStringLiteral("tvSound"));
    tvSound_->setHeaderHidden(true);
    txtFile_->setObjectName(QStringLiteral("txtFile"));
    const std::pair<QPushButton*, const char*> named[] = {
        {cmdBrowse_, "cmdBrowse"}, {cmdPlay_, "cmdPlay"}, {cmdApply_, "cmdApply"}, {cmdRemove_, "cmdRemove"}};
    for (const auto& [button, name] : named)
        button->setObjectName(QLatin1String(name));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* root = new QTreeWidgetItem(tvSound_, {QStringLiteral("Sound Schemes")});
    root->setIcon(0, CommandIcons::icon(QStringLiteral("Sounds")));
    for (const Group& group : kGroups) {
        auto* node = new QTreeWidgetItem(root, {QLatin1String(group.name)});
        node->setIcon(0, CommandIcons::icon(QLatin1String(group.picture)));
        for (const auto& [caption, tag] : group.events) {
            auto* event = new QTreeWidgetItem(node, {QLatin1String(caption)});
            event->setData(0, kTagRole, QLatin1String(tag));
            markAssigned(event);
        }
    }
    root->setExpanded(true);
    tvSound_->setCurrentItem(root);

    guard::connect(services, tvSound_, &QTreeWidget::currentItemChanged, this, [this] { showSelection(); });
    guard::connect(services, cmdBrowse_, &QPushButton::clicked, this, [this] { browse(); });
    guard::connect(services, cmdPlay_, &QPushButton::clicked, this, [this] { playChosen(); });
    guard::connect(services, cmdApply_, &QPushButton::clicked, this, [this] { apply(); });
    guard::connect(services, cmdRemove_, &QPushButton::clicked, this, [this] { remove(); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    guard::connect(services, txtFile_, &QLineEdit::textEdited, this, [this] {
        cmdApply_->setEnabled(!selectedTag().isEmpty());
        cmdPlay_->setEnabled(!txtFile_->text().isEmpty());
    });

    auto* file = new QHBoxLayout;
    file->addWidget(txtFile_, 1);
    file->addWidget(cmdBrowse_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdPlay_, cmdApply_, cmdRemove_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tvSound_, 1);
    layout->addLayout(file);
    layout->addLayout(buttons);
    screenFit::resizeWithin(*this, QSize(460, 520));

    showSelection();
    services.sounds().raise(SoundEvent::Sounds);
}

QString frmSounds::selectedTag() const
{
    const QTreeWidgetItem* item = tvSound_->currentItem();
    return item != nullptr ? item->data(0, kTagRole).toString() : QString();
}

void frmSounds::markAssigned(QTreeWidgetItem* node)
{
    node->setIcon(0, speaker(!sound_.GetSound(node->data(0, kTagRole).toString()).isEmpty()));
}

void frmSounds::showSelection()
{
    const QString tag = selectedTag();
    txtFile_->setText(tag.isEmpty() ? QString() : sound_.GetSound(tag));
    cmdBrowse_->setEnabled(!tag.isEmpty());
    cmdPlay_->setEnabled(!txtFile_->text().isEmpty());
    cmdRemove_->setEnabled(!txtFile_->text().isEmpty());
    cmdApply_->setEnabled(false);
}

void frmSounds::browse()
{
    Prompts::FileDialog dialog;
    dialog.filter = QStringLiteral("Sound Files (*.wav)|*.wav");
    const std::optional<QString> file = shared_.services.prompts().openFile(dialog);
    if (!file || !QFileInfo(*file).isFile())
        return;
    txtFile_->setText(*file);
    cmdApply_->setEnabled(true);
    cmdPlay_->setEnabled(true);
}

void frmSounds::playChosen() { sound_.Play(txtFile_->text()); }

void frmSounds::apply()
{
    const QString tag = selectedTag();
    if (!tag.isEmpty() && QFileInfo(txtFile_->text()).isFile()) {
        sound_.SetSound(tag, txtFile_->text());
        markAssigned(tvSound_->currentItem());
    }
    cmdApply_->setEnabled(false);
}

void frmSounds::remove()
{
    const QString tag = selectedTag();
    if (tag.isEmpty())
        return;
    txtFile_->clear();
    sound_.SetSound(tag, QString());
    markAssigned(tvSound_->currentItem());
    cmdRemove_->setEnabled(false);
    cmdPlay_->setEnabled(false);
}
