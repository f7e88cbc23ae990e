#include "windows/frmSelect.h"

#include "history/mFile.h"
#include "library/Listings.h"
#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/SavedGames.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/DialogButton.h"
#include "windows/common/Guard.h"
#include "windows/common/PlayerChooser.h"
#include "windows/common/ScreenFit.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QColor kCurrentCategory(200, 0, 0);
// The room in which the window has all its widths.
constexpr int kRoomyWidth = 900;

// ---------------------------------------------------------------------------
// Pictures of the categories and the tree.

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawCard(QPainter& p, const QRectF& r, const QString& symbol, const QColor& ink, qreal angle = 0)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF card(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 2.5, 2.5);
    if (!symbol.isEmpty()) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(std::max(6, qRound(r.height() * 0.55)));
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(card, Qt::AlignCenter, symbol);
    }
    p.restore();
}

void drawBack(QPainter& p, const QRectF& r, qreal angle = 0)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF card(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(0x20, 0x30, 0x70), 1));
    p.setBrush(QColor(0x2e, 0x4f, 0xb0));
    p.drawRoundedRect(card, 2.5, 2.5);
    p.setPen(QPen(QColor(0xc8, 0xd4, 0xf4), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(2, 2, -2, -2), 1.5, 1.5);
    p.restore();
}

// A small clock in the lower right corner: the recent lists.
void drawClockBadge(QPainter& p)
{
    const QRectF face(17, 17, 14, 14);
    p.setPen(QPen(QColor(0x1d, 0x4e, 0x89), 1.5));
    p.setBrush(QColor(0xf2, 0xf7, 0xff));
    p.drawEllipse(face);
    p.setPen(QPen(QColor(0x1d, 0x4e, 0x89), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(face.center(), face.center() + QPointF(0, -4.5));
    p.drawLine(face.center(), face.center() + QPointF(3.5, 0));
}

void drawFloppy(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(0x1e, 0x2a, 0x44), 1));
    p.setBrush(QColor(0x35, 0x5c, 0x9c));
    QPainterPath body;
    body.moveTo(r.topLeft());
    body.lineTo(r.right() - r.width() * 0.18, r.top());
    body.lineTo(r.topRight() + QPointF(0, r.height() * 0.18));
    body.lineTo(r.bottomRight());
    body.lineTo(r.bottomLeft());
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.45, r.height() * 0.32));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.5, r.width() * 0.7, r.height() * 0.45));
}

void drawFolder(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(0x9a, 0x6a, 0x0c), 1));
    p.setBrush(QColor(0xe8, 0xb3, 0x3c));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(r.left(), r.top(), r.width() * 0.45, r.height() * 0.3), 1.5, 1.5);
    p.drawPath(tab);
    p.setBrush(QColor(0xf6, 0xcd, 0x5e));
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.18, r.width(), r.height() * 0.82), 1.5, 1.5);
}

void drawStar(QPainter& p, const QPointF& centre, qreal outer, const QColor& fill)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : outer * 0.45;
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    p.setPen(QPen(fill.darker(160), 1));
    p.setBrush(fill);
    p.drawPolygon(star);
}

QIcon categoryIcon(const QString& key)
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QColor red(0xc0, 0x1c, 0x1c);
    const QColor black(0x1a, 0x1a, 0x1a);
    if (key == QLatin1String("All")) {
        drawCard(p, QRectF(3, 6, 15, 21), QStringLiteral("\u2663"), black, -18);
        drawCard(p, QRectF(9, 4, 15, 21), QStringLiteral("\u2665"), red, 0);
        drawCard(p, QRectF(15, 6, 15, 21), QStringLiteral("\u2660"), black, 18);
    } else if (key == QLatin1String("Pend")) {
        // An hourglass: put aside for later.
        p.setPen(QPen(QColor(0x6b, 0x44, 0x1a), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 4), QPointF(24, 4));
        p.drawLine(QPointF(8, 28), QPointF(24, 28));
        QPainterPath glass;
        glass.moveTo(10, 5);
        glass.lineTo(22, 5);
        glass.lineTo(17, 16);
        glass.lineTo(22, 27);
        glass.lineTo(10, 27);
        glass.lineTo(15, 16);
        glass.closeSubpath();
        p.setPen(QPen(QColor(0x60, 0x80, 0xa0), 1));
        p.setBrush(QColor(0xe6, 0xf1, 0xfb));
        p.drawPath(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe0, 0xa8, 0x3a));
        p.drawPolygon(QPolygonF({QPointF(12, 7), QPointF(20, 7), QPointF(16, 14)}));
        p.drawPolygon(QPolygonF({QPointF(16, 21), QPointF(21, 26), QPointF(11, 26)}));
    } else if (key == QLatin1String("Fav")) {
        drawStar(p, QPointF(16, 17), 14, QColor(0xf4, 0xc0, 0x20));
    } else if (key == QLatin1String("Hot")) {
        // The same flame the "Hot Games" command shows.
        p.drawPixmap(QRectF(2, 2, 28, 28), CommandIcons::drawnIcon(QStringLiteral("Hot")).pixmap(28, 28),
                     QRectF(0, 0, 28, 28));
    } else if (key == QLatin1String("Inc") || key == QLatin1String("Fin")) {
        drawFloppy(p, QRectF(3, 3, 22, 22));
        const QRectF badge(15, 15, 16, 16);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(key == QLatin1String("Fin") ? QColor(0x2e, 0x9a, 0x3c) : QColor(0xe0, 0x8a, 0x10));
        p.drawEllipse(badge);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (key == QLatin1String("Fin")) {
            p.drawPolyline(QPolygonF({QPointF(19, 23), QPointF(22, 26), QPointF(27, 20)}));
        } else {
            p.drawLine(QPointF(19, 23), QPointF(27, 23));
        }
    } else if (key == QLatin1String("Std")) {
        drawCard(p, QRectF(7, 3, 19, 26), QStringLiteral("\u2660"), black);
    } else if (key == QLatin1String("Org")) {
        drawCard(p, QRectF(7, 3, 19, 26), QStringLiteral("\u2666"), red);
        drawStar(p, QPointF(24, 8), 7, QColor(0xa0, 0x50, 0xd8));
    } else if (key == QLatin1String("Save")) {
        drawFloppy(p, QRectF(4, 4, 24, 24));
    } else if (key == QLatin1String("rSave")) {
        drawFloppy(p, QRectF(2, 2, 22, 22));
        drawClockBadge(p);
    } else if (key == QLatin1String("rOpen")) {
        drawFolder(p, QRectF(2, 4, 24, 19));
        drawClockBadge(p);
    } else if (key == QLatin1String("rPlay")) {
        drawBack(p, QRectF(4, 3, 16, 22), -10);
        drawCard(p, QRectF(9, 4, 16, 22), QStringLiteral("\u2663"), black, 6);
        drawClockBadge(p);
    }
    return QIcon(pixmap);
}

QIcon folderIcon()
{
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawFolder(p, QRectF(1, 2.5, 14, 11));
    return QIcon(pixmap);
}

// "Game" a face-down card, "Game1" (the selected entry) a face-up one.
QIcon gameIcon()
{
    QPixmap normal = canvas(16);
    {
        QPainter p(&normal);
        p.setRenderHint(QPainter::Antialiasing);
        drawBack(p, QRectF(3, 1.5, 10, 13));
    }
    QPixmap selected = canvas(16);
    {
        QPainter p(&selected);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        drawCard(p, QRectF(3, 1.5, 10, 13), QStringLiteral("\u2665"), QColor(0xc0, 0x1c, 0x1c));
    }
    QIcon icon(normal);
    icon.addPixmap(selected, QIcon::Selected);
    return icon;
}

QIcon bulletIcon()
{
    QPixmap pixmap = canvas(12);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb0, 0x14, 0x14));
    p.drawPolygon(QPolygonF({QPointF(6, 1.5), QPointF(10.5, 6), QPointF(6, 10.5), QPointF(1.5, 6)}));
    return QIcon(pixmap);
}

// A file name without its folder and its extension's four characters.
QString displayName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(std::max<qsizetype>(0, name.size() - 4));
}

QString percentText(int16_t percentage) { return QStringLiteral(" (%1%)").arg(percentage); }

bool isCatalogue(const QString& key)
{
    return key == QLatin1String("All") || key == QLatin1String("Std") || key == QLatin1String("Org") ||
           key == QLatin1String("Hot");
}

} // namespace

// The preview picture inside its frame: the full frame around a game's
// miniature, the plain one around the no-game picture.
class frmSelect::PreviewArea final : public QWidget {
public:
    PreviewArea(GamePreview& previews, QWidget* parent) : QWidget(parent), previews_(previews)
    {
        setObjectName(QStringLiteral("PicPreview"));
        const int border = GamePreview::frameBorder(true);
        setFixedSize(GamePreview::kPreviewSize + QSize(2 * border, 2 * border));
    }

    void show(const QPixmap& picture, bool maximised)
    {
        picture_ = picture;
        maximised_ = maximised;
        update();
    }
    bool maximised() const { return maximised_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        // The plain frame sits a little inside the full one's place.
        const int inset = maximised_ ? 0 : GamePreview::frameBorder(true) - GamePreview::frameBorder(false);
        const QRect outer = rect().adjusted(inset, inset, -inset, -inset);
        const int border = GamePreview::frameBorder(maximised_);
        const QRect inner = outer.adjusted(border, border, -border, -border);
        if (!picture_.isNull())
            p.drawPixmap(inner, picture_);
        p.drawPixmap(outer, previews_.frame(maximised_, outer.size()));
    }

private:
    GamePreview& previews_;
    QPixmap picture_;
    bool maximised_ = false;
};

const std::vector<frmSelect::Category>& frmSelect::categories()
{
    static const std::vector<Category> list = {
        {"All", "All Games"},        {"Pend", "Pending List"},       {"Fav", "Favorites"},
        {"Hot", "Hot Games"},        {"Inc", "Incomplete AutoSave"}, {"Fin", "Finished AutoSave"},
        {"Std", "Standard Games"},   {"Org", "Original Games"},      {"Save", "Saved Games"},
        {"rSave", "Recently Saved"}, {"rOpen", "Recently Opened"},   {"rPlay", "Recently Played"},
    };
    return list;
}

frmSelect::frmSelect(Shared& shared, CardPictures& pictures, QWidget* parent)
    : QDialog(parent), shared_(shared), previews_(pictures), folderIcon_(folderIcon()), gameIcon_(gameIcon()),
      bulletIcon_(bulletIcon())
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Select a Game"));
    setModal(true);
    previews_.setDeckIndex(shared_.services.settings().read(settings::kDeckIndex));

    lvCategory_ = new QListWidget(this);
    lvCategory_->setObjectName(QStringLiteral("lvCategory"));
    lvCategory_->setIconSize(QSize(32, 32));
    lvCategory_->setSpacing(1);
    lvCategory_->setFixedWidth(200);
    lvCategory_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The current category is the selected row: its text stays red on a
    // light ground.
    QPalette categoryColours = lvCategory_->palette();
    categoryColours.setColor(QPalette::Highlight, QColor(0xdc, 0xe6, 0xf4));
    categoryColours.setColor(QPalette::HighlightedText, kCurrentCategory);
    lvCategory_->setPalette(categoryColours);

    tvGames_ = new QTreeWidget(this);
    tvGames_->setObjectName(QStringLiteral("tvGames"));
    tvGames_->setHeaderHidden(true);
    tvGames_->setColumnCount(1);
    // On a small screen (a laptop at 200 %) the game list gives up some
    // width, so that the categories and the preview keep theirs.
    const bool smallScreen = screenFit::room(*this).width() < kRoomyWidth;
    tvGames_->setMinimumWidth(smallScreen ? 200 : 270);
    tvGames_->setIconSize(QSize(16, 16));
    tvGames_->setExpandsOnDoubleClick(false);

    lblTitle_ = new QLabel(this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblTitle_->setAlignment(Qt::AlignCenter);
    lblTitle_->setMinimumHeight(QFontMetrics(titleFont).height() + 4);

    picPreview_ = new PreviewArea(previews_, this);

    lvDetails_ = new QListWidget(this);
    lvDetails_->setObjectName(QStringLiteral("lvDetails"));
    lvDetails_->setSelectionMode(QAbstractItemView::NoSelection);
    lvDetails_->setFocusPolicy(Qt::NoFocus);
    lvDetails_->setIconSize(QSize(12, 12));
    lvDetails_->setFixedWidth(picPreview_->width());
    lvDetails_->setFixedHeight(7 * (QFontMetrics(lvDetails_->font()).height() + 4) + 8);
    lvDetails_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    imcPlayer_ = new QComboBox(this);
    imcPlayer_->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer_->setMinimumWidth(150);
    auto* lblPlayer = new QLabel(QStringLiteral("Player :"), this);
    lblPlayer->setObjectName(QStringLiteral("lblPlayer"));
    lblPlayer->setBuddy(imcPlayer_);

    const auto makeButton = [this](const char* name, const QString& text) { return dialogButton(this, name, text); };
    cmdPlay_ = makeButton("cmdPlay", QStringLiteral("Play"));
    cmdRules_ = makeButton("cmdRules", QStringLiteral("Rules"));
    cmdCancel_ = makeButton("cmdCancel", QStringLiteral("Cancel"));
    cmdPlay_->setDefault(true);

    auto* right = new QVBoxLayout;
    right->addWidget(lblTitle_);
    right->addWidget(picPreview_, 0, Qt::AlignHCenter);
    right->addWidget(lvDetails_, 0, Qt::AlignHCenter);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(lvCategory_);
    body->addWidget(tvGames_, 1);
    body->addLayout(right);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblPlayer);
    bottom->addWidget(imcPlayer_);
    bottom->addStretch();
    bottom->addWidget(cmdPlay_);
    bottom->addWidget(cmdRules_);
    bottom->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    const int margin = smallScreen ? 8 : 12;
    layout->setContentsMargins(margin, margin, margin, margin);
    // Should the screen be smaller still, the lists and the preview scroll
    // and the buttons stay in sight.
    layout->addWidget(screenFit::scrolling(body, this), 1);
    layout->addLayout(bottom);

    Services& services = shared_.services;
    guard::connect(services, lvCategory_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(categories().size()))
            openCategory(QLatin1String(categories()[static_cast<size_t>(row)].key));
    });
    guard::connect(services, tvGames_, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* node, QTreeWidgetItem*) { openNode(node); });
    guard::connect(services, tvGames_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node, int) {
        if (node != nullptr && !node->data(0, kTagRole).toString().isEmpty())
            play();
    });
    guard::connect(services, cmdPlay_, &QPushButton::clicked, this, [this] { play(); });
    guard::connect(services, cmdRules_, &QPushButton::clicked, this, [this] { showRules(); });
    guard::connect(services, cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });

    // Opening: the frames, the players, the categories, then the category
    // last played from.
    showNoGame();
    playerChooser::fill(*imcPlayer_, Players(shared_.services.settings()));
    lvCategory_->blockSignals(true);
    for (const Category& category : categories()) {
        auto* item = new QListWidgetItem(categoryIcon(QLatin1String(category.key)), QLatin1String(category.caption),
                                         lvCategory_);
        item->setData(kKeyRole, QLatin1String(category.key));
        item->setForeground(Qt::black);
        item->setSizeHint(QSize(0, 38));
    }
    lvCategory_->blockSignals(false);
    shared_.services.sounds().raise(SoundEvent::SelectDialog);
    // A stored key that names no category opens none.
    openCategory(shared_.services.settings().read(settings::kSelectMainKey));

    screenFit::resizeWithin(*this, sizeHint().expandedTo(QSize(960, 600)));
}

frmSelect::~frmSelect() = default;

void frmSelect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The tree has its real size only now: show the root above the entry
    // when there is room for both.
    tvGames_->scrollToTop();
    if (tvGames_->currentItem() != nullptr)
        tvGames_->scrollToItem(tvGames_->currentItem());
}

void frmSelect::done(int result)
{
    previews_.release();
    QDialog::done(result);
}

QTreeWidgetItem* frmSelect::addRoot(const QString& text, const QString& key)
{
    auto* root = new QTreeWidgetItem(tvGames_, QStringList(text));
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    root->setIcon(0, folderIcon_);
    root->setData(0, kKeyRole, key);
    root->setData(0, kTagRole, QString());
    return root;
}

QTreeWidgetItem* frmSelect::addEntry(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                     const QString& tag)
{
    auto* node = new QTreeWidgetItem(parent, QStringList(text));
    node->setIcon(0, gameIcon_);
    node->setData(0, kKeyRole, key);
    node->setData(0, kTagRole, tag);
    return node;
}

QTreeWidgetItem* frmSelect::addFolder(QTreeWidgetItem* parent, const QString& key, const QString& text)
{
    auto* node = new QTreeWidgetItem(parent, QStringList(text));
    node->setIcon(0, folderIcon_);
    node->setData(0, kKeyRole, key);
    node->setData(0, kTagRole, QString());
    return node;
}

bool frmSelect::isHot(const QString& name) const
{
    return shared_.services.settings().readNumber(QLatin1String(settings::kHotGamesSection), name,
                                                  settings::kHotGameDefault) == 1;
}

void frmSelect::fillCatalogue(QTreeWidgetItem* root, const QString& key)
{
    for (int16_t id = 1; id <= shared_.data.TotalGames(); ++id) {
        const QString name = shared_.data.GetGName(id);
        const bool original = shared_.data.IsOriginal(name);
        if ((key == QLatin1String("Std") && original) || (key == QLatin1String("Org") && !original) ||
            (key == QLatin1String("Hot") && !isHot(name)))
            continue;
        addEntry(root, name, name, name);
    }
}

void frmSelect::fillFiles(QTreeWidgetItem* root, const QStringList& paths, const QString& key)
{
    for (const QString& path : paths) {
        mFile::GameSummary summary;
        try {
            summary = mFile::ReadGameSummary(path);
        } catch (const RunTimeError& e) {
            unreadable_ << e.description();
            continue;
        }
        QString text;
        if (key == QLatin1String("Pend") || key == QLatin1String("Inc"))
            text = displayName(path) + percentText(summary.percentage);
        else if (key == QLatin1String("Fin"))
            text = displayName(path);
        else
            text =
                summary.gameName + QLatin1String(" - ") + summary.gameNo.toString() + percentText(summary.percentage);
        addEntry(root, path, text, summary.gameName);
    }
}

void frmSelect::fillFavorites(QTreeWidgetItem* root)
{
    // A favorite is named "game - number" unless the player renamed it; its
    // game is the one the file records.
    auto addFavorites = [this](QTreeWidgetItem* parent, const QString& folder) {
        const QStringList files = Listings::ListFavFiles(folder);
        for (qsizetype i = 1; i < files.size(); ++i) {
            const QString name = QFileInfo(files[i]).fileName();
            QString game = name.section(QLatin1String(" - "), 0, 0);
            try {
                game = mFile::ReadFavoriteFile(files[i]).gameName;
            } catch (const RunTimeError& e) {
                unreadable_ << e.description();
                continue;
            }
            addEntry(parent, files[i], name, game);
        }
    };
    const QStringList folders = Listings::ListFavFolders(shared_.data);
    for (qsizetype i = 1; i < folders.size(); ++i)
        addFavorites(addFolder(root, folders[i], QFileInfo(folders[i]).fileName()), folders[i]);
    addFavorites(root, shared_.data.FavFolder());
}

void frmSelect::fillRecentlyPlayed(QTreeWidgetItem* root)
{
    const QStringList recent = shared_.func.GetMRU(cFunc::kPlayedList);
    for (qsizetype i = 1; i < recent.size(); ++i)
        if (!recent[i].isEmpty())
            addEntry(root, recent[i], recent[i], recent[i].section(QLatin1String(" - "), 0, 0));
}

void frmSelect::openCategory(const QString& key)
{
    const auto& list = categories();
    const auto found =
        std::find_if(list.begin(), list.end(), [&key](const Category& c) { return key == QLatin1String(c.key); });
    if (found == list.end())
        return;
    const int row = static_cast<int>(found - list.begin());

    for (int i = 0; i < lvCategory_->count(); ++i)
        lvCategory_->item(i)->setForeground(i == row ? QBrush(kCurrentCategory) : QBrush(Qt::black));
    if (lvCategory_->currentRow() != row) {
        lvCategory_->blockSignals(true);
        lvCategory_->setCurrentRow(row);
        lvCategory_->blockSignals(false);
    }

    categoryKey_ = key;
    unreadable_.clear();
    tvGames_->blockSignals(true);
    tvGames_->clear();
    QTreeWidgetItem* root = nullptr;
    try {
        if (key == QLatin1String("Fav")) {
            root = addRoot(QStringLiteral("Favorites"), shared_.data.FavFolder());
            fillFavorites(root);
        } else {
            root = addRoot(QLatin1String(found->caption), QString());
            if (isCatalogue(key)) {
                fillCatalogue(root, key);
            } else if (key == QLatin1String("Pend")) {
                fillFiles(root, Listings::ListPending(shared_.data).mid(1), key);
            } else if (key == QLatin1String("Inc") || key == QLatin1String("Fin")) {
                fillFiles(root, Listings::ListAutoSaved(shared_.data, key == QLatin1String("Fin")).mid(1), key);
            } else if (key == QLatin1String("Save")) {
                const QStringList names = mFile::ListSavedGames(shared_.data).mid(1);
                const QString folder = shared_.data.SavedFolder();
                QStringList paths;
                for (const QString& name : names)
                    paths << QDir(folder).filePath(name);
                // In name order, as the other folders list.
                std::sort(paths.begin(), paths.end(),
                          [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
                fillFiles(root, paths, key);
            } else if (key == QLatin1String("rSave") || key == QLatin1String("rOpen")) {
                // Files gone since they were listed are left out.
                const QStringList recent =
                    shared_.func.GetMRU(key == QLatin1String("rSave") ? cFunc::kSavedList : cFunc::kOpenedList);
                QStringList paths;
                for (qsizetype i = 1; i < recent.size(); ++i)
                    if (!recent[i].isEmpty() && QFileInfo(recent[i]).isFile())
                        paths << recent[i];
                fillFiles(root, paths, key);
            } else if (key == QLatin1String("rPlay")) {
                fillRecentlyPlayed(root);
            }
        }
    } catch (const RunTimeError& e) {
        // A folder that cannot be read: the tree shows what was found.
        unreadable_ << e.description();
    }

    // The first entry, or the one last chosen in this category if it is
    // still there.
    QTreeWidgetItem* selected = nullptr;
    const QString stored = shared_.services.settings().readText(QLatin1String(settings::kSelectSection), key,
                                                                QLatin1String(settings::kSelectEntryDefault));
    for (QTreeWidgetItemIterator it(tvGames_); *it != nullptr; ++it) {
        QTreeWidgetItem* node = *it;
        if (selected == nullptr && !node->data(0, kTagRole).toString().isEmpty())
            selected = node;
        if (!stored.isEmpty() && node->data(0, kKeyRole).toString() == stored) {
            selected = node;
            break;
        }
    }
    if (selected == nullptr)
        selected = root;
    if (root != nullptr && root->childCount() > 0)
        root->setExpanded(true);
    tvGames_->setCurrentItem(selected);
    tvGames_->blockSignals(false);
    if (selected != nullptr)
        tvGames_->scrollToItem(selected);
    openNode(selected);
    reportUnreadable();
}

void frmSelect::reportUnreadable()
{
    if (unreadable_.isEmpty())
        return;
    const QString first = unreadable_.first();
    const qsizetype more = unreadable_.size() - 1;
    unreadable_.clear();
    QString text = first;
    if (more > 0)
        text += QStringLiteral("\n\n%1 more file%2 could not be listed either.").arg(more).arg(more > 1 ? "s" : "");
    shared_.services.prompts().message(text, Prompts::Icon::Stop, Prompts::Buttons::Ok);
}

void frmSelect::showNoGame()
{
    lvDetails_->clear();
    lvDetails_->setVisible(false);
    nodeKey_.clear();
    gameName_.clear();
    lblTitle_->clear();
    previewGameId_ = 0;
    picPreview_->show(previews_.noGame(), false);
    cmdPlay_->setVisible(false);
    cmdRules_->setVisible(false);
}

void frmSelect::openNode(QTreeWidgetItem* node)
{
    const QString tag = node != nullptr ? node->data(0, kTagRole).toString() : QString();
    if (tag.isEmpty()) {
        showNoGame();
        return;
    }
    gameName_ = tag;
    nodeKey_ = node->data(0, kKeyRole).toString();
    shared_.services.settings().writeText(QLatin1String(settings::kSelectSection), categoryKey_, nodeKey_);
    lblTitle_->setText(tag);

    previewGameId_ = shared_.data.GetGameID(tag);
    try {
        picPreview_->show(previews_.preview(previewGameId_), true);
    } catch (const RunTimeError&) {
        // The table of a game that cannot be dealt here: no miniature.
        previewGameId_ = 0;
        picPreview_->show(previews_.noGame(), true);
    }
    cmdPlay_->setVisible(true);
    cmdRules_->setVisible(true);
    showDetails(node);
}

void frmSelect::addDetail(const QString& line) { new QListWidgetItem(bulletIcon_, line, lvDetails_); }

void frmSelect::showDetails(QTreeWidgetItem* node)
{
    lvDetails_->clear();
    lvDetails_->setVisible(true);
    const QString key = node->data(0, kKeyRole).toString();
    try {
        if (isCatalogue(categoryKey_) || categoryKey_ == QLatin1String("rPlay")) {
            const QString number = categoryKey_ == QLatin1String("rPlay")
                                       ? key.mid(key.indexOf(QLatin1String("- ")) + 2)
                                       : QStringLiteral("Random");
            addDetail(QStringLiteral("Game Name : ") + gameName_);
            addDetail(QStringLiteral("Game Number : ") + number);
            if (shared_.data.GetGameID(gameName_) != 0) {
                addDetail(QStringLiteral("Game Type :") + (shared_.data.IsOriginal(gameName_)
                                                               ? QStringLiteral("Original")
                                                               : QStringLiteral("Standard")));
                addDetail(QStringLiteral("No of Decks :") + shared_.data.GetDeck(gameName_));
            }
            addDetail(QStringLiteral("Hot Game :") + (isHot(gameName_) ? QStringLiteral("Yes") : QStringLiteral("No")));
        } else if (categoryKey_ == QLatin1String("Fav")) {
            const mFile::FavoriteRecord favorite = mFile::ReadFavoriteFile(key);
            addDetail(QStringLiteral("Game Name :") + favorite.gameName);
            addDetail(QStringLiteral("Game Number :") + favorite.gameNo.toString().trimmed());
            addDetail(QStringLiteral("Date Added :") + favorite.date);
            addDetail(QStringLiteral("Added By :") + favorite.player);
        } else {
            const mFile::GameSummary summary = mFile::ReadGameSummary(key);
            addDetail(QStringLiteral("Game Name :") + summary.gameName);
            addDetail(QStringLiteral("Game Number :") + summary.gameNo.toString());
            addDetail(QStringLiteral("Date Played :") + summary.fileDate);
            addDetail(QStringLiteral("Total Moves :") + QString::number(summary.moves));
            addDetail(QStringLiteral("Score Achieved :") + QString::number(summary.score));
            addDetail(QStringLiteral("Time Taken : ") + cGamePlay::TimeString(summary.time));
            if (categoryKey_ != QLatin1String("Fin"))
                addDetail(QStringLiteral("Percentage Completed :") + QString::number(summary.percentage) +
                          QLatin1Char('%'));
        }
    } catch (const RunTimeError& e) {
        // Changed or removed since the tree was filled.
        addDetail(e.description());
    }
}

bool frmSelect::play()
{
    if (gameName_.isEmpty())
        return false;
    const QString key = nodeKey_;
    const bool started = guard::run(shared_.services, [&] {
        // The entry is read whole before anything changes: a file that cannot
        // be played leaves the game on the table and the player as they were.
        if (categoryKey_ == QLatin1String("Fav"))
            mFile::ReadFavoriteFile(key);
        else if (!isCatalogue(categoryKey_) && categoryKey_ != QLatin1String("rPlay"))
            mFile::ReadGameFile(key);
        playerChooser::apply(*imcPlayer_, shared_);

        cGamePlay& session = shared_.gamePlay;
        if (isCatalogue(categoryKey_))
            session.PlayNumber(gameName_, session.RandomGameNo());
        else if (categoryKey_ == QLatin1String("Pend"))
            session.PlayPendFile(key);
        else if (categoryKey_ == QLatin1String("Fav"))
            session.PlayFavFile(key);
        else if (categoryKey_ == QLatin1String("rPlay"))
            session.PlayString(key);
        else
            session.PlayFile(key, true);
    });
    if (!started)
        return false;
    shared_.services.settings().write(settings::kSelectMainKey, categoryKey_);
    accept();
    return true;
}

void frmSelect::showRules()
{
    if (!gameName_.isEmpty())
        shared_.data.ShowRules(gameName_);
}
