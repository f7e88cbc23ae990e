#include "windows/frmCardDeck.h"

#include "pictures/CardPictures.h"
#include "pictures/FaceDeck.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

namespace {
// The preview is shown at twice the size of a card on a 96 dpi table.
const QSize kPreviewSize(142, 192);
const QSize kIconSize(18, 24);
constexpr int kKeyRole = Qt::UserRole + 1;
// The faces' preview: a fan of four faces and the deck's back.
const QSize kFaceSize(80, 108);
constexpr int kFanStep = 58;
constexpr int kFanCards = 5;
const QSize kFacesPreviewSize(kFaceSize.width() + (kFanCards - 1) * kFanStep, kFaceSize.height());
// The Ace of spades, King of hearts, Queen of clubs and Ten of diamonds.
constexpr int kPreviewFaces[4] = {1, 13 + 13, 26 + 12, 39 + 10};

QWidget* onFelt(QWidget* parent, QWidget* picture)
{
    // The preview lies on a piece of table felt, as the cards will.
    auto* felt = new QWidget(parent);
    felt->setAutoFillBackground(true);
    QPalette green = felt->palette();
    green.setColor(QPalette::Window, QColor(0x1e, 0x7a, 0x3c));
    felt->setPalette(green);
    auto* feltLayout = new QVBoxLayout(felt);
    feltLayout->setContentsMargins(24, 20, 24, 20);
    feltLayout->addWidget(picture, 0, Qt::AlignCenter);
    return felt;
}
} // namespace

frmCardDeck::frmCardDeck(Shared& shared, CardPictures& pictures, QWidget* parent)
    : QDialog(parent), shared_(shared), pictures_(pictures), drawn_(std::make_unique<CardPictures>())
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

    QWidget* felt = onFelt(this, picDeck_);

    lvFaces_ = new QListWidget(this);
    lvFaces_->setObjectName(QStringLiteral("lvFaces"));
    lvFaces_->setMinimumWidth(240);
    lvFaces_->setFixedHeight(kFacesPreviewSize.height() + 40 + 24);
    picFaces_ = new QLabel(this);
    picFaces_->setObjectName(QStringLiteral("PicFaces"));
    picFaces_->setFixedSize(kFacesPreviewSize);
    picFaces_->setAlignment(Qt::AlignCenter);
    lblFaces_ = new QLabel(this);
    lblFaces_->setObjectName(QStringLiteral("lblFacesName"));
    lblFaces_->setAlignment(Qt::AlignCenter);
    lblFaces_->setWordWrap(true);
    auto* faces = new QGroupBox(tr("Card Faces"), this);
    auto* facesLayout = new QHBoxLayout(faces);
    facesLayout->setSpacing(12);
    facesLayout->addWidget(lvFaces_, 1);
    auto* facesPreview = new QVBoxLayout;
    facesPreview->addWidget(onFelt(this, picFaces_), 0, Qt::AlignHCenter);
    facesPreview->addWidget(lblFaces_);
    facesPreview->addStretch();
    facesLayout->addLayout(facesPreview);

    auto* preview = new QGroupBox(tr("Preview"), this);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(felt, 0, Qt::AlignHCenter);
    previewLayout->addWidget(lblName_);
    previewLayout->addStretch();

    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK_ = cmdOK;
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
    // The faces and backs scroll where the screen is smaller than they
    // need; the buttons stay in sight.
    auto* body = new QVBoxLayout;
    body->setSpacing(12);
    body->addWidget(faces);
    body->addLayout(top, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    QScrollArea* bodyArea = screenFit::scrolling(body, this);
    layout->addWidget(bodyArea, 1);
    layout->addLayout(buttons);

    shared_.services.sounds().raise(SoundEvent::Deck);
    guard::run(shared_.services, [this] {
        fillTree();
        fillFaces();
    });
    guard::connect(shared_.services, tvDecks_, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* current, QTreeWidgetItem*) { nodeChosen(current); });
    guard::connect(shared_.services, tvDecks_, &QTreeWidget::itemClicked, this,
                   [this](QTreeWidgetItem* item, int) { nodeChosen(item); });
    guard::connect(shared_.services, lvFaces_, &QListWidget::currentItemChanged, this,
                   [this](QListWidgetItem* current, QListWidgetItem*) { facesChosen(current); });
    showPreview();
    showFacesPreview();
    screenFit::resizeWithin(*this, screenFit::unscrolled(*this, *bodyArea));
}

frmCardDeck::~frmCardDeck() = default;

QString frmCardDeck::selectedFaces() const { return faces_ ? faces_->path() : QString(); }

void frmCardDeck::fillTree()
{
    // The table's face deck, whose own back is the last deck.
    faces_ = pictures_.faceDeck();
    if (faces_)
        opened_.insert(faces_->path(), faces_);
    const int16_t count = CardPictures::drawnDeckCount();
    selected_ = settings::usableDeck(shared_.services.settings().read(settings::kDeckIndex), pictures_.deckCount());
    if (selected_ > pictures_.deckCount())
        selected_ = 1;

    auto* root = new QTreeWidgetItem(tvDecks_, {tr("Card Decks")});
    root->setData(0, kKeyRole, QStringLiteral("Main0"));
    QTreeWidgetItem* currentNode = nullptr;
    for (const CardPictures::Category& category : drawn_->deckCategories()) {
        auto* node = new QTreeWidgetItem(root, {category.text});
        node->setData(0, kKeyRole, category.key);
        for (int16_t i = 1; i <= count; ++i) {
            if (drawn_->deckCategory(i) != category.key)
                continue;
            auto* deck = new QTreeWidgetItem(node, {QStringLiteral("%1. %2").arg(i).arg(drawn_->deckName(i))});
            deck->setData(0, Qt::UserRole, static_cast<int>(i));
            deck->setData(0, kKeyRole, QStringLiteral("Deck%1").arg(i));
            deck->setIcon(0, QIcon(drawn_->back(i, kIconSize)));
            if (i == selected_)
                currentNode = deck;
        }
        node->setExpanded(true);
    }
    root->setExpanded(true);
    showOwnBack();
    if (selected_ > count && ownBack_ != nullptr)
        currentNode = ownBack_->child(0);
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

void frmCardDeck::fillFaces()
{
    const QString stored = shared_.services.settings().read(settings::kFaceDeck);
    auto* drawn = new QListWidgetItem(QStringLiteral("Tablora"), lvFaces_);
    drawn->setData(Qt::UserRole, QString());
    drawn->setToolTip(tr("The cards Tablora draws itself"));
    QListWidgetItem* current = drawn;
    // The first look of a run reads every deck (about a second for the 45
    // decks Debian ships); later looks only those changed.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<FaceDeckEntry> found;
    try {
        found = pictures_.findFaceDecks(faceDecks::folders());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    QHash<QString, int> names;
    for (const FaceDeckEntry& deck : found)
        ++names[deck.name.toLower()];
    for (const FaceDeckEntry& deck : found) {
        // Two decks of one name (a GNOME and a KDE "Paris") are told apart
        // by their folders.
        QString text = deck.name;
        if (names.value(deck.name.toLower()) > 1)
            text += QStringLiteral(" (%1)").arg(QFileInfo(QFileInfo(deck.path).absolutePath()).fileName());
        auto* item = new QListWidgetItem(text, lvFaces_);
        item->setData(Qt::UserRole, deck.path);
        item->setToolTip(deck.path);
        if (!stored.isEmpty() && faces_ && deck.path == faces_->path())
            current = item;
    }
    lvFaces_->setCurrentItem(current);
    lvFaces_->scrollToItem(current, QAbstractItemView::PositionAtCenter);
}

void frmCardDeck::facesChosen(QListWidgetItem* item)
{
    if (item == nullptr)
        return;
    const QString path = item->data(Qt::UserRole).toString();
    std::shared_ptr<FaceDeck> deck;
    if (!path.isEmpty()) {
        deck = opened_.value(path);
        if (!deck) {
            try {
                deck = std::make_shared<FaceDeck>(path);
            } catch (const RunTimeError&) {
                deck = nullptr;
            }
            if (deck)
                opened_.insert(path, deck);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool readable = deck && deck->parse();
        QApplication::restoreOverrideCursor();
        if (!readable) {
            // Gone or damaged since the list was made.
            picFaces_->clear();
            lblFaces_->setText(
                tr("This card deck cannot be read: %1").arg(deck ? deck->error() : tr("it is no longer there")));
            cmdOK_->setEnabled(false);
            return;
        }
    }
    cmdOK_->setEnabled(true);
    faces_ = deck;
    showOwnBack();
    showFacesPreview();
    showPreview();
}

void frmCardDeck::showOwnBack()
{
    const int16_t own = static_cast<int16_t>(CardPictures::drawnDeckCount() + 1);
    delete ownBack_;
    ownBack_ = nullptr;
    if (!faces_) {
        if (selected_ >= own) {
            selected_ = settings::usableDeck(shared_.services.settings().read(settings::kDeckIndex),
                                             CardPictures::drawnDeckCount());
            const QSignalBlocker quiet(tvDecks_);
            for (QTreeWidgetItemIterator it(tvDecks_); *it != nullptr; ++it)
                if ((*it)->data(0, Qt::UserRole).toInt() == selected_)
                    tvDecks_->setCurrentItem(*it);
        }
        return;
    }
    QTreeWidgetItem* root = tvDecks_->topLevelItem(0);
    if (root == nullptr)
        return;
    ownBack_ = new QTreeWidgetItem(root, {QStringLiteral("Face Deck")});
    ownBack_->setData(0, kKeyRole, QStringLiteral("FaceDeck"));
    auto* deck = new QTreeWidgetItem(ownBack_, {QStringLiteral("%1. %2").arg(own).arg(faces_->name())});
    deck->setData(0, Qt::UserRole, static_cast<int>(own));
    deck->setData(0, kKeyRole, QStringLiteral("Deck%1").arg(own));
    deck->setIcon(0, QIcon(backPicture(own, kIconSize)));
    ownBack_->setExpanded(true);
    if (selected_ >= own) {
        const QSignalBlocker quiet(tvDecks_);
        tvDecks_->setCurrentItem(deck);
    }
}

QPixmap frmCardDeck::backPicture(int16_t deck, QSize pixels)
{
    if (deck > CardPictures::drawnDeckCount())
        return faces_ ? QPixmap::fromImage(faces_->picture(0, pixels)) : QPixmap();
    return drawn_->back(deck, pixels);
}

void frmCardDeck::showPreview()
{
    guard::run(shared_.services, [this] {
        const qreal ratio = devicePixelRatioF();
        QPixmap picture = backPicture(selected_, (QSizeF(kPreviewSize) * ratio).toSize());
        picture.setDevicePixelRatio(ratio);
        picDeck_->setPixmap(picture);
        lblName_->setText(selected_ > CardPictures::drawnDeckCount() && faces_ ? faces_->name()
                                                                               : drawn_->deckName(selected_));
    });
}

void frmCardDeck::showFacesPreview()
{
    guard::run(shared_.services, [this] {
        const qreal ratio = devicePixelRatioF();
        QPixmap fan((QSizeF(kFacesPreviewSize) * ratio).toSize());
        fan.fill(Qt::transparent);
        const QSize card = (QSizeF(kFaceSize) * ratio).toSize();
        {
            QPainter p(&fan);
            for (int i = 0; i < kFanCards; ++i) {
                const QPixmap picture = i == kFanCards - 1
                                            ? (faces_ ? backPicture(CardPictures::drawnDeckCount() + 1, card)
                                                      : drawn_->back(selected_, card))
                                        : faces_ ? QPixmap::fromImage(faces_->picture(kPreviewFaces[i], card))
                                                 : drawn_->face(static_cast<int16_t>(kPreviewFaces[i]), card);
                p.drawPixmap(qRound(i * kFanStep * ratio), 0, picture);
            }
        }
        fan.setDevicePixelRatio(ratio);
        picFaces_->setPixmap(fan);
        lblFaces_->setText(faces_ ? faces_->name() : QStringLiteral("Tablora"));
    });
}

void frmCardDeck::accept()
{
    hide();
    guard::run(shared_.services, [this] {
        // The faces first: the deck's own back is a deck only with them.
        shared_.services.settings().write(settings::kFaceDeck, selectedFaces());
        pictures_.setFaceDeck(faces_);
        shared_.services.settings().write(settings::kDeckIndex, selected_);
        shared_.play.ChangeDecks();
        pictures_.prepare();
        // Face-up cards and markers are drawn again in the new faces.
        for (QWidget* window : QApplication::topLevelWidgets())
            window->update();
    });
    QDialog::accept();
}

void frmCardDeck::reject()
{
    pictures_.prepare();
    QDialog::reject();
}
