#include "windows/frmOrgFav.h"

#include "history/mFile.h"
#include "library/Favorites.h"
#include "library/Listings.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

QString fileDate(const QDateTime& when) { return QLocale().toString(when, QLocale::ShortFormat); }

} // namespace

frmOrgFav::frmOrgFav(Shared& shared, std::function<void()> refreshMenu, QWidget* parent)
    : QDialog(parent), shared_(shared), refreshMenu_(std::move(refreshMenu)), tvFav_(new QTreeWidget(this)),
      icFav_(new QComboBox(this)), fraDetails_(new QGroupBox(this)), lblDetails_{new QLabel(this), new QLabel(this),
                                                                                 new QLabel(this), new QLabel(this)},
      cmdMove_(new QPushButton(QStringLiteral("Move "), this)),
      cmdRename_(new QPushButton(QStringLiteral("Rename"), this)),
      cmdDelete_(new QPushButton(QStringLiteral("Delete"), this)),
      cmdPlay_(new QPushButton(QStringLiteral("Play Now"), this))
{
    setObjectName(QStringLiteral("frmOrgFav"));
    setWindowTitle(QStringLiteral("Organize Favorites"));
    setModal(true);
    Services& services = shared_.services;
    tvFav_->setObjectName(QStringLiteral("tvFav"));
    tvFav_->setHeaderHidden(true);
    icFav_->setObjectName(QStringLiteral("icFav"));
    fraDetails_->setObjectName(QStringLiteral("fraDetails"));
    auto* cmdCreate = new QPushButton(QStringLiteral("Create Folder"), this);
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    const std::pair<QPushButton*, const char*> named[] = {{cmdCreate, "cmdCreate"},  {cmdMove_, "cmdMove"},
                                                          {cmdRename_, "cmdRename"}, {cmdDelete_, "cmdDelete"},
                                                          {cmdPlay_, "cmdPlay"},     {cmdClose, "cmdClose"}};
    for (const auto& [button, name] : named)
        button->setObjectName(QLatin1String(name));
    guard::connect(services, cmdCreate, &QPushButton::clicked, this, [this] { createFolder(); });
    guard::connect(services, cmdMove_, &QPushButton::clicked, this, [this] { moveFavorite(); });
    guard::connect(services, cmdRename_, &QPushButton::clicked, this, [this] { renameEntry(); });
    guard::connect(services, cmdDelete_, &QPushButton::clicked, this, [this] { deleteEntry(); });
    guard::connect(services, cmdPlay_, &QPushButton::clicked, this, [this] { playNow(); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    guard::connect(services, tvFav_, &QTreeWidget::currentItemChanged, this, [this] { showSelection(); });

    auto* details = new QVBoxLayout(fraDetails_);
    for (QLabel* label : lblDetails_) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        details->addWidget(label);
    }
    details->addStretch();
    auto* moving = new QHBoxLayout;
    moving->addWidget(cmdMove_);
    moving->addWidget(new QLabel(QStringLiteral("to"), this));
    moving->addWidget(icFav_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(fraDetails_, 1);
    buttons->addLayout(moving);
    for (QPushButton* button : {cmdCreate, cmdRename_, cmdDelete_, cmdPlay_})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    buttons->addWidget(cmdClose);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tvFav_, 3);
    layout->addLayout(buttons, 2);
    resize(680, 440);

    buildTree();
    services.sounds().raise(SoundEvent::OrgFav);
}

QTreeWidgetItem* frmOrgFav::addNode(QTreeWidgetItem* parent, const QString& text, const QString& path, const char* kind)
{
    auto* node = parent != nullptr ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(tvFav_, {text});
    node->setData(0, kPathRole, path);
    node->setData(0, kKindRole, QLatin1String(kind));
    node->setIcon(0, CommandIcons::icon(QLatin1String(kind == kFavorite ? "Q1" : "Folder")));
    return node;
}

void frmOrgFav::buildTree()
{
    const QString root = shared_.data.FavFolder();
    tvFav_->clear();
    icFav_->clear();
    QTreeWidgetItem* top = addNode(nullptr, QStringLiteral("Favorites"), root, kRoot);
    icFav_->addItem(QStringLiteral("Favorites"), root);
    const QStringList folders = Listings::ListFavFolders(shared_.data);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        const QString name = QFileInfo(folders[i]).fileName();
        QTreeWidgetItem* folder = addNode(top, name, folders[i], kFolder);
        icFav_->addItem(QStringLiteral("    ") + name, folders[i]);
        const QStringList inside = Listings::ListFavFiles(folders[i]);
        for (qsizetype j = 1; j < inside.size(); ++j)
            addNode(folder, QFileInfo(inside[j]).fileName(), inside[j], kFavorite);
    }
    const QStringList files = Listings::ListFavFiles(root);
    for (qsizetype i = 1; i < files.size(); ++i)
        addNode(top, QFileInfo(files[i]).fileName(), files[i], kFavorite);
    top->setExpanded(true);
    tvFav_->setCurrentItem(top);
    showSelection();
}

QString frmOrgFav::selectedPath() const
{
    const QTreeWidgetItem* item = tvFav_->currentItem();
    return item != nullptr ? item->data(0, kPathRole).toString() : QString();
}

QString frmOrgFav::selectedKind() const
{
    const QTreeWidgetItem* item = tvFav_->currentItem();
    return item != nullptr ? item->data(0, kKindRole).toString() : QString();
}

void frmOrgFav::showSelection()
{
    const QString kind = selectedKind();
    const QString path = selectedPath();
    const bool favorite = kind == QLatin1String(kFavorite);
    QStringList lines;
    if (favorite) {
        fraDetails_->setTitle(QStringLiteral("Game Details"));
        try {
            const mFile::FavoriteRecord record = mFile::ReadFavoriteFile(path);
            lines = {QStringLiteral("Game Name : ") + record.gameName,
                     QStringLiteral("Game No : ") + record.gameNo.toString(),
                     QStringLiteral("Added By : ") + record.player, QStringLiteral("Date Created : ") + record.date};
        } catch (const RunTimeError&) {
            // Shown, so that it can still be deleted.
            lines = {QStringLiteral("Game Name : (damaged)"), QStringLiteral("Game No : "),
                     QStringLiteral("Added By : "), QStringLiteral("Date Created : ")};
        }
    } else if (!kind.isEmpty()) {
        const QFileInfo folder(path);
        fraDetails_->setTitle(QStringLiteral("Folder Details"));
        lines = {QStringLiteral("Folder Name : ") +
                     (kind == QLatin1String(kRoot) ? QStringLiteral("Favorites") : folder.fileName()),
                 QStringLiteral("Date Created : ") +
                     fileDate(folder.birthTime().isValid() ? folder.birthTime() : folder.lastModified()),
                 QStringLiteral("Last Accessed : ") + fileDate(folder.lastRead()),
                 QStringLiteral("Last Modified : ") + fileDate(folder.lastModified())};
    }
    for (int i = 0; i < 4; ++i)
        lblDetails_[i]->setText(lines.value(i));
    cmdMove_->setEnabled(favorite);
    icFav_->setEnabled(favorite);
    cmdPlay_->setEnabled(favorite);
    const bool root = kind == QLatin1String(kRoot) || kind.isEmpty();
    cmdRename_->setEnabled(!root);
    cmdDelete_->setEnabled(!root);
}

void frmOrgFav::createFolder()
{
    const std::optional<QString> name =
        shared_.services.prompts().input(QStringLiteral("Please enter a name for the new folder"),
                                         QStringLiteral("Create a Folder"), QStringLiteral("New Folder"));
    const QString root = shared_.data.FavFolder();
    if (!name || !Favorites(shared_.services, shared_.data).ValidFavName(*name, Favorites::Kind::Folder, root))
        return;
    if (!QDir(root).mkdir(*name))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("The folder \"%1\" could not be created.").arg(*name));
    buildTree();
}

void frmOrgFav::moveFavorite()
{
    if (selectedKind() != QLatin1String(kFavorite))
        return;
    const QFileInfo favorite(selectedPath());
    const QString destination = icFav_->currentData().toString();
    Prompts& prompts = shared_.services.prompts();
    // Letter case matters: "Abc" and "abc" are two folders.
    if (QDir(favorite.absolutePath()).absolutePath() == QDir(destination).absolutePath()) {
        prompts.message(QStringLiteral("Same Source and Destination Folders !"), Prompts::Icon::Stop,
                        Prompts::Buttons::Ok);
        return;
    }
    const QString target = QDir(destination).filePath(favorite.fileName());
    if (PathTaken(target)) {
        prompts.message(QStringLiteral("Game Already Exists in the destination Folder."), Prompts::Icon::Stop,
                        Prompts::Buttons::Ok);
        return;
    }
    // Neither end may pass through a linked folder: the move would take a
    // file from elsewhere, or put one there.
    if (!MoveFile(favorite.filePath(), target, shared_.data.FavFolder()))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("The favorite \"%1\" could not be moved.").arg(favorite.fileName()));
    buildTree();
}

void frmOrgFav::renameEntry()
{
    const QString kind = selectedKind();
    if (kind != QLatin1String(kFavorite) && kind != QLatin1String(kFolder))
        return;
    const bool favorite = kind == QLatin1String(kFavorite);
    const QFileInfo entry(selectedPath());
    const std::optional<QString> name = shared_.services.prompts().input(
        (favorite ? QStringLiteral("Please enter a new name for the game:")
                  : QStringLiteral("Please enter a new name for the folder:")) +
            QLatin1Char('\n') + entry.fileName(),
        favorite ? QStringLiteral("Rename Game") : QStringLiteral("Rename Folder"), entry.fileName());
    if (!name ||
        !Favorites(shared_.services, shared_.data)
             .ValidFavName(*name, favorite ? Favorites::Kind::Favorite : Favorites::Kind::Folder, entry.absolutePath()))
        return;
    // A rename that fails leaves the tree as the folder holds it; one through
    // a linked folder is refused and told.
    rebuildAfter(
        [&] { MoveFile(entry.filePath(), QDir(entry.absolutePath()).filePath(*name), shared_.data.FavFolder()); });
}

void frmOrgFav::deleteEntry()
{
    const QString kind = selectedKind();
    if (kind != QLatin1String(kFavorite) && kind != QLatin1String(kFolder))
        return;
    const bool favorite = kind == QLatin1String(kFavorite);
    const QFileInfo entry(selectedPath());
    if (shared_.services.prompts().message(
            favorite
                ? QStringLiteral("Are you sure you want to delele the Game ") + entry.fileName() + QStringLiteral(" ?")
                : QStringLiteral("Are you sure you want to remove the Folder ") + entry.fileName() +
                      QStringLiteral(" and all its contents ?"),
            Prompts::Icon::Stop, Prompts::Buttons::YesNo,
            favorite ? QStringLiteral("Delete Game") : QStringLiteral("Delete Folder")) != Prompts::Answer::Yes)
        return;
    const Favorites favorites(shared_.services, shared_.data);
    // A failure is ignored; a favorite in a linked folder is refused and told.
    rebuildAfter([&] {
        if (favorite)
            RemoveFile(entry.filePath(), shared_.data.FavFolder());
        else
            favorites.deleteFolder(entry.filePath());
    });
}

void frmOrgFav::rebuildAfter(const std::function<void()>& change)
{
    try {
        change();
    } catch (...) {
        buildTree();
        throw;
    }
    buildTree();
}

void frmOrgFav::playNow()
{
    if (selectedKind() != QLatin1String(kFavorite))
        return;
    const QString path = selectedPath();
    hide();
    close();
    shared_.gamePlay.PlayFavFile(path);
}

void frmOrgFav::done(int result)
{
    refreshMenu_();
    QDialog::done(result);
}
