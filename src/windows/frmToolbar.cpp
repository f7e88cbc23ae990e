#include "windows/frmToolbar.h"

#include "session/Shared.h"
#include "windows/MainMenus.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kKeyRole = Qt::UserRole;

QString section() { return QLatin1String(settings::kToolbarSection); }

} // namespace

frmToolbar::frmToolbar(Shared& shared, MainMenus& menus, QWidget* parent)
    : QDialog(parent), shared_(shared), menus_(menus)
{
    setObjectName(QStringLiteral("frmToolbar"));
    setWindowTitle(tr("Customize Toolbar"));
    setWindowIcon(CommandIcons::icon(QStringLiteral("Toolbar")));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(CommandIcons::icon(QStringLiteral("Toolbar")).pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop);
    auto* lblInfo = new QLabel(tr("Choose the buttons the toolbar shows. Each change takes effect at once."), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(picture);
    header->addWidget(lblInfo, 1);

    lvTool_ = new QListWidget(this);
    lvTool_->setObjectName(QStringLiteral("lvTool"));
    lvTool_->setIconSize(QSize(16, 16));
    lvTool_->setUniformItemSizes(true);
    lvTool_->setSpacing(1);
    lvTool_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvTool_->setMinimumSize(250, 330);
    fillList();
    guard::connect(shared_.services, lvTool_, &QListWidget::itemChanged, this,
                   [this](QListWidgetItem* item) { itemChanged(item); });

    auto* cmdSelectAll = new QPushButton(tr("Select All"), this);
    cmdSelectAll->setObjectName(QStringLiteral("cmdSelectAll"));
    auto* cmdDefaults = new QPushButton(tr("Load Defaults"), this);
    cmdDefaults->setObjectName(QStringLiteral("cmdDefaults"));
    auto* cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    for (QPushButton* cmd : {cmdSelectAll, cmdDefaults, cmdClose}) {
        cmd->setAutoDefault(cmd == cmdClose);
        cmd->setMinimumWidth(104);
    }
    guard::connect(shared_.services, cmdSelectAll, &QPushButton::clicked, this, [this] { selectAll(); });
    guard::connect(shared_.services, cmdDefaults, &QPushButton::clicked, this, [this] { loadDefaults(); });
    guard::connect(shared_.services, cmdClose, &QPushButton::clicked, this, [this] { accept(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdSelectAll);
    buttons->addWidget(cmdDefaults);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    body->addWidget(lvTool_, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addLayout(body, 1);
    screenFit::resizeWithin(*this, sizeHint().expandedTo(QSize(400, 480)));

    lvTool_->setCurrentRow(0);
    shared_.services.sounds().raise(SoundEvent::Toolbar);
}

void frmToolbar::fillList()
{
    loading_ = true;
    for (int number = 1; number <= MainMenus::kToolbarListCount; ++number) {
        const ToolbarButtonInfo* info = MainMenus::toolbarListEntry(number);
        const QString key = QLatin1String(info->key);
        auto* entry = new QListWidgetItem(QString::fromLatin1(info->listText), lvTool_);
        entry->setData(kKeyRole, key);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const QAction* button = menus_.button(key);
        entry->setIcon(button != nullptr ? button->icon() : CommandIcons::icon(key));
    }
    loading_ = false;
    loadChecks();
}

void frmToolbar::loadChecks()
{
    loading_ = true;
    const SettingsStore& store = shared_.services.settings();
    for (int row = 0; row < lvTool_->count(); ++row) {
        QListWidgetItem* entry = lvTool_->item(row);
        const ToolbarButtonInfo* info = MainMenus::toolbarListEntry(row + 1);
        // Checked exactly when the button is shown.
        const bool shown = store.readNumber(section(), entry->data(kKeyRole).toString(), info->defaultShown) != 0;
        entry->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    }
    loading_ = false;
}

void frmToolbar::itemChanged(QListWidgetItem* entry)
{
    if (loading_)
        return;
    shared_.services.settings().writeNumber(section(), entry->data(kKeyRole).toString(),
                                            entry->checkState() == Qt::Checked ? 1 : 0);
    menus_.applyToolbarSettings();
}

void frmToolbar::selectAll()
{
    for (int number = 1; number <= MainMenus::kToolbarListCount; ++number)
        shared_.services.settings().writeNumber(section(), QLatin1String(MainMenus::toolbarListEntry(number)->key), 1);
    loadChecks();
    menus_.applyToolbarSettings();
}

void frmToolbar::loadDefaults()
{
    for (int number = 1; number <= MainMenus::kToolbarListCount; ++number) {
        const ToolbarButtonInfo* info = MainMenus::toolbarListEntry(number);
        shared_.services.settings().writeNumber(section(), QLatin1String(info->key), info->defaultShown);
    }
    loadChecks();
    menus_.applyToolbarSettings();
}
