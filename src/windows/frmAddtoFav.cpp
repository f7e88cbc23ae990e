#include "windows/frmAddtoFav.h"

#include "library/Favorites.h"
#include "library/Listings.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmAddtoFav::frmAddtoFav(Shared& shared, std::function<void()> refreshMenu, QWidget* parent)
    : QDialog(parent), shared_(shared), refreshMenu_(std::move(refreshMenu)), tvFav_(new QTreeWidget(this)),
      txFav_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmAddtoFav"));
    setWindowTitle(QStringLiteral("Add to Favorites"));
    setModal(true);
    Services& services = shared_.services;
    tvFav_->setObjectName(QStringLiteral("tvFav"));
    tvFav_->setHeaderHidden(true);
    txFav_->setObjectName(QStringLiteral("txFav"));

    auto* cmdNewFolder = new QPushButton(QStringLiteral("New Folder"), this);
    cmdNewFolder->setObjectName(QStringLiteral("cmdNewFolder"));
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    guard::connect(services, cmdNewFolder, &QPushButton::clicked, this, [this] { newFolder(); });
    guard::connect(services, cmdOK, &QPushButton::clicked, this, [this] { addFavorite(); });
    guard::connect(services, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Name :"), this));
    name->addWidget(txFav_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNewFolder);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addWidget(new QLabel(QStringLiteral("Create in :"), this));
    layout->addWidget(tvFav_, 1);
    layout->addLayout(buttons);
    resize(420, 380);

    buildTree();
    tvFav_->setCurrentItem(tvFav_->topLevelItem(0));
    refreshMenu_();
    const cGamePlay& session = shared_.gamePlay;
    txFav_->setText(session.GameName() + QLatin1String(" - ") + session.gameNo().toString());
    services.sounds().raise(SoundEvent::AddFav);
}

void frmAddtoFav::buildTree()
{
    tvFav_->clear();
    auto* root = new QTreeWidgetItem(tvFav_, {QStringLiteral("Favorites")});
    root->setIcon(0, CommandIcons::icon(QStringLiteral("Folder")));
    root->setData(0, Qt::UserRole, shared_.data.FavFolder());
    const QStringList folders = Listings::ListFavFolders(shared_.data);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        auto* folder = new QTreeWidgetItem(root, {QFileInfo(folders[i]).fileName()});
        folder->setIcon(0, CommandIcons::icon(QStringLiteral("Folder")));
        folder->setData(0, Qt::UserRole, folders[i]);
    }
    root->setExpanded(true);
}

QString frmAddtoFav::selectedFolder() const
{
    const QTreeWidgetItem* item = tvFav_->currentItem();
    return item != nullptr ? item->data(0, Qt::UserRole).toString() : shared_.data.FavFolder();
}

void frmAddtoFav::newFolder()
{
    const std::optional<QString> name = shared_.services.prompts().input(QStringLiteral("Please Enter a Folder Name"),
                                                                         windowTitle(), QStringLiteral("New Folder"));
    const QString root = shared_.data.FavFolder();
    Favorites favorites(shared_.services, shared_.data);
    if (!name || !favorites.ValidFavName(*name, Favorites::Kind::Folder, root))
        return;
    if (!QDir(root).mkdir(*name))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("The folder \"%1\" could not be created.").arg(*name));
    buildTree();
    // The new folder is chosen to file the game in.
    QTreeWidgetItem* top = tvFav_->topLevelItem(0);
    const QString made = QDir(root).filePath(*name);
    tvFav_->setCurrentItem(top);
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->data(0, Qt::UserRole).toString() == made)
            tvFav_->setCurrentItem(top->child(i));
}

void frmAddtoFav::addFavorite()
{
    const QString folder = selectedFolder();
    const QString name = txFav_->text();
    Favorites favorites(shared_.services, shared_.data);
    if (!favorites.ValidFavName(name, Favorites::Kind::Favorite, folder))
        return;
    favorites.AddFavorite(QDir(folder).filePath(name));
    refreshMenu_();
    accept();
}
