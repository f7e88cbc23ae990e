#include "windows/frmCardDeck.h"

#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

namespace {
// The preview is shown at twice the size of a card on a 96 dpi table.
const QSize kPreviewSize(142, 192);
const QSize kIconSize(18, 24);
constexpr int kKeyRole = Qt::UserRole + 1;
} // namespace

frmCardDeck::frmCardDeck(Shared& shared, CardPictures& pictures, QWidget* parent)
    : QDialog(parent), shared_(shared), pictures_(pictures)
{
    setObjectName(QStringLiteral("frmCardDeck"));
    setWindowTitle(tr("Customize Card Deck"));

    tvDecks_ = new QTreeWidget(this);
    tvDecks_->setObjectName(QStringLiteral("tvDecks"));
    tvDecks_->setHeaderHidden(true);
    tvDecks_->setColumnCount(1);
    tvDecks_->setIconSize(kIconSize);
    tvDecks_->setMinimumSize(240, 320);
    tvDecks_->setUniformRowHeights(true);

    picDeck_ = new QLabel(this);
    picDeck_->setObjectName(QStringLiteral("PicDeck"));
    picDeck_->setFixedSize(kPreviewSize);
    picDeck_->setAlignment(Qt::AlignCenter);
    lblName_ = new QLabel(this);
    lblName_->setObjectName(QStringLiteral("lblDeckName"));
    lblName_->setAlignment(Qt::AlignCenter);

    // The preview lies on a piece of table felt, as the cards will.
    auto* felt = new QWidget(this);
    felt->setAutoFillBackground(true);
    QPalette green = felt->palette();
    green.setColor(QPalette::Window, QColor(0x1e, 0x7a, 0x3c));
    felt->setPalette(green);
    auto* feltLayout = new QVBoxLayout(felt);
    feltLayout->setContentsMargins(24, 20, 24, 20);
    feltLayout->addWidget(picDeck_, 0, Qt::AlignCenter);

    auto* preview = new QGroupBox(tr("Preview"), this);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(felt, 0, Qt::AlignHCenter);
    previewLayout->addWidget(lblName_);
    previewLayout->addStretch();

    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    guard::connect(shared_.services, cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    guard::connect(shared_.services, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(tvDecks_, 1);
    top->addWidget(preview);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    shared_.services.sounds().raise(SoundEvent::Deck);
    guard::run(shared_.services, [this] { fillTree(); });
    guard::connect(shared_.services, tvDecks_, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* current, QTreeWidgetItem*) { nodeChosen(current); });
    guard::connect(shared_.services, tvDecks_, &QTreeWidget::itemClicked, this,
                   [this](QTreeWidgetItem* item, int) { nodeChosen(item); });
    showPreview();
}

void frmCardDeck::fillTree()
{
    const int16_t count = pictures_.deckCount();
    selected_ = settings::usableDeck(shared_.services.settings().read(settings::kDeckIndex), count);
    if (selected_ > count)
        selected_ = 1;

    auto* root = new QTreeWidgetItem(tvDecks_, {tr("Card Decks")});
    root->setData(0, kKeyRole, QStringLiteral("Main0"));
    QTreeWidgetItem* currentNode = nullptr;
    for (const CardPictures::Category& category : pictures_.deckCategories()) {
        auto* node = new QTreeWidgetItem(root, {category.text});
        node->setData(0, kKeyRole, category.key);
        for (int16_t i = 1; i <= count; ++i) {
            if (pictures_.deckCategory(i) != category.key)
                continue;
            auto* deck = new QTreeWidgetItem(node, {QStringLiteral("%1. %2").arg(i).arg(pictures_.deckName(i))});
            deck->setData(0, Qt::UserRole, static_cast<int>(i));
            deck->setData(0, kKeyRole, QStringLiteral("Deck%1").arg(i));
            deck->setIcon(0, QIcon(pictures_.back(i, kIconSize)));
            if (i == selected_)
                currentNode = deck;
        }
        node->setExpanded(true);
    }
    root->setExpanded(true);
    if (currentNode != nullptr) {
        tvDecks_->setCurrentItem(currentNode);
        tvDecks_->scrollToItem(currentNode);
    }
}

void frmCardDeck::nodeChosen(QTreeWidgetItem* node)
{
    if (node == nullptr)
        return;
    const QVariant index = node->data(0, Qt::UserRole);
    // Only deck nodes carry an index; the root and categories change nothing.
    if (!index.isValid())
        return;
    selected_ = static_cast<int16_t>(index.toInt());
    showPreview();
}

void frmCardDeck::showPreview()
{
    guard::run(shared_.services, [this] {
        const qreal ratio = devicePixelRatioF();
        QPixmap picture = pictures_.back(selected_, (QSizeF(kPreviewSize) * ratio).toSize());
        picture.setDevicePixelRatio(ratio);
        picDeck_->setPixmap(picture);
        lblName_->setText(pictures_.deckName(selected_));
    });
}

void frmCardDeck::accept()
{
    hide();
    guard::run(shared_.services, [this] {
        shared_.services.settings().write(settings::kDeckIndex, selected_);
        shared_.play.ChangeDecks();
        pictures_.prepare();
    });
    QDialog::accept();
}

void frmCardDeck::reject()
{
    pictures_.prepare();
    QDialog::reject();
}
