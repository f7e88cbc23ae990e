#include "windows/table/TableView.h"

#include "engine/cPlay.h"
#include "pictures/CardPictures.h"
#include "rules/Card.h"
#include "rules/RunTimeError.h"
#include "rules/cGames.h"
#include "windows/common/Guard.h"

#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kCardWidth = card::kWidth;
constexpr qreal kCardHeight = card::kHeight;
// One pixel for 15 twips is the table's natural size; the table fills the
// window, up to five times as large.
constexpr qreal kLargestScale = 5.0 / 15.0;
// Room kept below the lowest pile for the piles to grow, in twips: about
// ten more cards in a fan.
constexpr qreal kGrowthRoom = 2500;
// Room around the layout, in twips.
constexpr qreal kMargin = 240;
// The hint's frames are drawn with a pen this wide, in twips, centred this
// far inside the edges of the cards, so that the frames of neighbouring
// piles stay apart.
constexpr qreal kHintPen = 70;
constexpr qreal kHintGap = -15;
const QColor kHintColour(0x2e, 0xd8, 0xff);

// The device pixels a rectangle of the item covers when painted now.
QSize devicePixels(QPainter* painter, const QRectF& rect)
{
    const QRectF mapped = painter->deviceTransform().mapRect(rect);
    return QSize(std::max(1, qRound(mapped.width())), std::max(1, qRound(mapped.height())));
}

// Draws a picture made for the device pixels of `rect` over it. Where the
// table is only scaled, the picture is copied pixel for pixel at the nearest
// whole pixel, which is sharp and many times quicker than resampling it at a
// fraction of a pixel; otherwise it is resampled to fit.
void drawPicture(QPainter* painter, const QRectF& rect, const QPixmap& picture)
{
    const QTransform world = painter->worldTransform();
    if (world.type() <= QTransform::TxScale && painter->device()->devicePixelRatio() == 1 &&
        picture.size() == devicePixels(painter, rect)) {
        const QPointF at = world.map(rect.topLeft());
        painter->save();
        painter->setWorldTransform(QTransform());
        painter->drawPixmap(QPoint(qRound(at.x()), qRound(at.y())), picture);
        painter->restore();
        return;
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(rect, picture, QRectF(picture.rect()));
}

} // namespace

// One card picture: its face and back, which it shows, and where the model
// has put it.
class CardItem final : public QGraphicsItem {
public:
    CardItem(CardPictures& pictures, int16_t id) : pictures_(pictures), id_(id)
    {
        setVisible(false);
        setData(0, QStringLiteral("card"));
    }

    int16_t id() const { return id_; }
    int16_t face = 1;
    int16_t back = 7;
    bool faceUp = false;
    QPointF target;
    QSizeF size{kCardWidth, kCardHeight};

    void resize(QSizeF newSize)
    {
        prepareGeometryChange();
        size = newSize;
    }

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), size); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF card(0, 0, kCardWidth, kCardHeight);
        const QSize pixels = devicePixels(painter, card);
        const QPixmap picture = faceUp ? pictures_.face(face, pixels) : pictures_.back(back, pixels);
        drawPicture(painter, card, picture);
    }

private:
    CardPictures& pictures_;
    int16_t id_;
};

// An empty-place marker beneath the cards.
class MarkerItem final : public QGraphicsItem {
public:
    MarkerItem(CardPictures& pictures, CardSurface::Marker kind) : pictures_(pictures), kind_(kind) { setZValue(-1); }

    CardSurface::Marker kind() const { return kind_; }
    int16_t number = 14;

    QRectF boundingRect() const override { return QRectF(0, 0, kCardWidth, kCardHeight); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF place = boundingRect();
        const QPixmap picture = pictures_.marker(number, devicePixels(painter, place));
        drawPicture(painter, place, picture);
    }

private:
    CardPictures& pictures_;
    CardSurface::Marker kind_;
};

TableView::TableView(const cGames& games, cPlay& play, Services& services, CardPictures& pictures, QWidget* parent)
    : QGraphicsView(parent), games_(games), play_(play), services_(services), pictures_(pictures)
{
    setObjectName(QStringLiteral("TableView"));
    setScene(&scene_);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setMinimumSize(320, 240);
    frameTimer_.setInterval(kFrameMs);
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(kResizeSettleMs);
    guard::connect(services_, &settleTimer_, &QTimer::timeout, this, [this] {
        pictures_.setQuick(false);
        viewport()->update();
    });
    guard::connect(services_, &frameTimer_, &QTimer::timeout, this, [this] { advanceFrame(); });
    drawOnTimer_.setSingleShot(true);
    drawOnTimer_.setInterval(0);
    guard::connect(services_, &drawOnTimer_, &QTimer::timeout, this, [this] { viewport()->update(); });
    hintTimer_.setSingleShot(true);
    hintTimer_.setInterval(kHintMs);
    guard::connect(services_, &hintTimer_, &QTimer::timeout, this, [this] { hideHint(); });
    // The keyboard plays on the table too; its place shows as a frame.
    setFocusPolicy(Qt::StrongFocus);
    makeFocusFrame();
    makeHintItems();
    makeHoldMarks();
    // Picture 0 is always there; the others come with a game.
    createCard(0);
    fitTable();
}

TableView::~TableView()
{
    // The items belong to the scene, which goes with the view.
    frameTimer_.stop();
    hintTimer_.stop();
}

CardItem* TableView::card(int16_t id) const
{
    const auto it = cards_.find(id);
    if (it == cards_.end())
        throw RunTimeError::subscript();
    return it->second;
}

int16_t TableView::deckCount() const { return pictures_.deckCount(); }

void TableView::createCard(int16_t id)
{
    if (cards_.count(id) != 0)
        return;
    auto* item = new CardItem(pictures_, id);
    scene_.addItem(item);
    cards_[id] = item;
}

void TableView::setCardFace(int16_t id, int16_t pictureNumber)
{
    CardItem* item = card(id);
    item->face = pictureNumber;
    item->update();
    noteChange();
}

void TableView::setCardBack(int16_t id, int16_t deckIndex)
{
    CardItem* item = card(id);
    item->back = deckIndex;
    item->update();
}

void TableView::showCardFace(int16_t id, bool faceUp)
{
    CardItem* item = card(id);
    item->faceUp = faceUp;
    item->update();
    noteChange();
}

void TableView::bringToFront(int16_t id) { card(id)->setZValue(++zCounter_); }

void TableView::setCardVisible(int16_t id, bool visible)
{
    card(id)->setVisible(visible);
    noteChange();
}

CardSurface::Point TableView::cardPosition(int16_t id) const
{
    const QPointF at = card(id)->target;
    return {qRound(at.x()), qRound(at.y())};
}

QPointF TableView::shownPosition(int16_t id) const
{
    const CardItem* item = card(id);
    return item->scenePos();
}

void TableView::moveCard(int16_t id, const std::vector<Point>& steps)
{
    if (steps.empty())
        return;
    CardItem* item = card(id);
    noteChange();
    if (item->parentItem() != nullptr) {
        // A card carried in a dragged run is back on the table.
        const QPointF shown = item->scenePos();
        item->setParentItem(nullptr);
        item->setPos(shown);
    }
    const QPointF destination(steps.back().x, steps.back().y);
    const QPointF moved = destination - item->target;
    item->target = destination;
    for (QGraphicsItem* child : item->childItems())
        if (auto* carried = dynamic_cast<CardItem*>(child))
            carried->target += moved;

    if (steps.size() == 1 && tracks_.empty()) {
        item->setPos(destination);
        return;
    }
    queueTrack(id, steps);
    if (!frameTimer_.isActive())
        frameTimer_.start();
}

void TableView::queueTrack(int16_t id, const std::vector<Point>& steps)
{
    int64_t start = clock_ + 1;
    if (!tracks_.empty()) {
        // A placement without steps of its own lands with the one before it;
        // one that travels sets off a little after it.
        const Track& last = tracks_.back();
        const int64_t follow = std::min<int64_t>(kFollowFrames, static_cast<int64_t>(last.positions.size()));
        start = std::max(start, steps.size() == 1 ? last.end() : last.start + follow);
    }
    // A card's own moves follow one another.
    for (const Track& track : tracks_)
        if (track.id == id)
            start = std::max(start, track.end() + 1);
    Track track{id, {}, start};
    track.positions.reserve(steps.size());
    for (const Point& p : steps)
        track.positions.emplace_back(p.x, p.y);
    tracks_.push_back(std::move(track));
}

void TableView::setCardSize(int16_t id, int32_t width, int32_t height)
{
    card(id)->resize(QSizeF(width, height));
    noteChange();
}

void TableView::attachRunCard(int16_t grabbed, int16_t id, Point offset)
{
    CardItem* carrier = card(grabbed);
    CardItem* item = card(id);
    item->setParentItem(carrier);
    item->setPos(offset.x, offset.y);
    item->target = carrier->target + QPointF(offset.x, offset.y);
}

void TableView::showMarker(Marker kind, int16_t index, int16_t markerNumber, Point at)
{
    MarkerItem*& item = markers_[{kind, index}];
    if (item == nullptr) {
        item = new MarkerItem(pictures_, kind);
        scene_.addItem(item);
    }
    // The stock marker is set again twice a second; only a change repaints.
    if (item->number != markerNumber) {
        item->number = markerNumber;
        item->update();
    }
    item->setPos(at.x, at.y);
    item->setVisible(true);
}

void TableView::cardsCreated() { pictures_.cardsCreated(); }

void TableView::markersShown()
{
    pictures_.markersShown();
    fitTable();
}

void TableView::clearTable()
{
    tracks_.clear();
    frameTimer_.stop();
    clearGesture();
    scene_.clear();
    cards_.clear();
    markers_.clear();
    makeFocusFrame();
    makeHintItems();
    makeHoldMarks();
    hintTimer_.stop();
    createCard(0);
    zCounter_ = 0;
    noteChange();
}

void TableView::clearGesture()
{
    // Whatever the pointer, the keys or a click held is gone with the cards.
    DragState& drag = play_.drag();
    drag.pressedCard = -1;
    drag.pressedStock = false;
    drag.movedSincePress = false;
    drag.doubleClicked = -1;
    drag.clickHeld = -1;
    drag.keyHeld = -1;
}

void TableView::advanceFrame()
{
    if (tracks_.empty()) {
        frameTimer_.stop();
        fitTable();
        return;
    }
    ++clock_;
    for (const Track& track : tracks_)
        if (track.start <= clock_ && clock_ <= track.end())
            showCardAt(track.id, track.positions[static_cast<size_t>(clock_ - track.start)]);
    std::erase_if(tracks_, [this](const Track& track) { return track.end() <= clock_; });
}

void TableView::finishAnimations()
{
    for (const Track& track : tracks_)
        showCardAt(track.id, track.positions.back());
    tracks_.clear();
    frameTimer_.stop();
}

void TableView::fitTable()
{
    if (play_.drag().active)
        return;
    // The layout as the game describes it, centred on the measured screen
    // width, and everything on it now.
    const cGames& games = games_;
    const qreal layoutLeft = (games.screenWidth() - games.BaseX()) / 2.0;
    QRectF table(layoutLeft, 0, std::max<qreal>(games.BaseX(), 4 * kCardWidth), 4 * kCardHeight);
    for (const auto& [key, item] : markers_)
        if (item->isVisible())
            table |= QRectF(item->pos(), QSizeF(kCardWidth, kCardHeight + kGrowthRoom));
    for (const auto& [id, item] : cards_)
        if (item->isVisible() && item->parentItem() == nullptr)
            table |= QRectF(item->target, QSizeF(kCardWidth, kCardHeight));
    table.adjust(-kMargin, -kMargin, kMargin, kMargin);
    if (table.top() > 0)
        table.setTop(0);
    setSceneRect(table);
    const QSize room = viewport()->size();
    const qreal scale = std::min({kLargestScale, room.width() / table.width(), room.height() / table.height()});
    setTransform(QTransform::fromScale(scale, scale));
}

QPoint TableView::viewPoint(QPointF twips) const { return mapFromScene(twips); }

void TableView::settle() { QCoreApplication::sendPostedEvents(&scene_, QEvent::MetaCall); }

void TableView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    fitTable();
    // While the size keeps changing, the pictures already drawn are scaled;
    // the exact ones are drawn once it has settled.
    pictures_.setQuick(true);
    settleTimer_.start();
}

void TableView::paintEvent(QPaintEvent* event)
{
    pictures_.beginFrame(pictureBudget_);
    QGraphicsView::paintEvent(event);
    if (pictures_.endFrame())
        drawOnTimer_.start();
    else
        drawOnTimer_.stop();
}

void TableView::makeFocusFrame()
{
    focusFrame_ = scene_.addRect(QRectF(), QPen(QColor(0xff, 0xd2, 0x4a), 60), Qt::NoBrush);
    focusFrame_->setZValue(1e9);
    focusFrame_->setVisible(false);
}

void TableView::makeHintItems()
{
    QPen frame(kHintColour, kHintPen);
    frame.setJoinStyle(Qt::RoundJoin);
    hintFrom_ = scene_.addRect(QRectF(), frame, QColor(0x2e, 0xd8, 0xff, 0x30));
    hintTo_ = scene_.addRect(QRectF(), frame, QColor(0x2e, 0xd8, 0xff, 0x30));
    QPen arrow(QColor(0x2e, 0xd8, 0xff, 0xd0), kHintPen * 1.3);
    arrow.setCapStyle(Qt::RoundCap);
    arrow.setJoinStyle(Qt::RoundJoin);
    hintArrow_ = scene_.addPath(QPainterPath(), arrow, Qt::NoBrush);
    // Above every card and the keyboard's frame.
    for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{hintFrom_, hintTo_, hintArrow_}) {
        item->setZValue(2e9);
        item->setVisible(false);
        item->setData(0, QStringLiteral("hint"));
    }
}

void TableView::noteChange()
{
    hideHint();
    if (changeTold_)
        return;
    changeTold_ = true;
    QTimer::singleShot(0, this, [this] {
        changeTold_ = false;
        guard::run(services_, [this] {
            updateHoldMarks();
            emit tableChanged();
        });
    });
}

QRectF TableView::runRect(int16_t id) const
{
    const int16_t cell = play_.Cell(id);
    const int16_t pile = play_.Pile(id);
    QRectF run(card(id)->target, QSizeF(kCardWidth, kCardHeight));
    if (cell < 0)
        return run;
    for (int16_t pos = static_cast<int16_t>(play_.Pos(id) + 1); pos <= play_.GetTop(cell, pile); ++pos)
        run |= QRectF(card(play_.GetPicID(cell, pile, pos))->target, QSizeF(kCardWidth, kCardHeight));
    return run;
}

QRectF TableView::placeRect(int16_t cell, int16_t pile) const
{
    if (play_.GetTop(cell, pile) >= 0)
        return QRectF(card(play_.GetTopPicID(cell, pile))->target, QSizeF(kCardWidth, kCardHeight));
    const cGames::Point at = games_.cord(cell, pile, 0);
    return QRectF(QPointF(at.x, at.y), QSizeF(kCardWidth, kCardHeight));
}

void TableView::showHint(const QRectF& from, const QRectF& to)
{
    finishAnimations();
    const auto place = [](QGraphicsRectItem* item, const QRectF& rect) {
        item->setRect(rect.adjusted(-kHintGap, -kHintGap, kHintGap, kHintGap));
        item->setVisible(!rect.isEmpty());
    };
    place(hintFrom_, from);
    place(hintTo_, to);
    QPainterPath arrow;
    if (!from.isEmpty() && !to.isEmpty()) {
        // From the middle of the card picked up to the middle of the place,
        // with a head at the place.
        const QPointF start(from.center().x(), from.top() + kCardHeight / 2);
        const QPointF end = to.center();
        const QPointF way = end - start;
        const qreal length = std::hypot(way.x(), way.y());
        if (length > kCardWidth / 2) {
            const QPointF along = way / length;
            const QPointF across(-along.y(), along.x());
            const QPointF tip = end - along * (kCardWidth / 4);
            arrow.moveTo(start + along * (kCardWidth / 4));
            arrow.lineTo(tip);
            arrow.moveTo(tip - along * 260 + across * 200);
            arrow.lineTo(tip);
            arrow.lineTo(tip - along * 260 - across * 200);
        }
    }
    hintArrow_->setPath(arrow);
    hintArrow_->setVisible(!arrow.isEmpty());
    hintTimer_.start();
}

void TableView::hideHint()
{
    hintTimer_.stop();
    for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{hintFrom_, hintTo_, hintArrow_})
        if (item->isVisible())
            item->setVisible(false);
}

QList<QRectF> TableView::hintFrames() const
{
    QList<QRectF> frames;
    for (const QGraphicsRectItem* item : {hintFrom_, hintTo_})
        if (item->isVisible())
            frames << item->rect().adjusted(kHintGap, kHintGap, -kHintGap, -kHintGap);
    return frames;
}

void TableView::showCardAt(int16_t id, QPointF twips)
{
    const auto it = cards_.find(id);
    if (it != cards_.end() && it->second->parentItem() == nullptr)
        it->second->setPos(twips);
}

void TableView::putCardsBack()
{
    for (const auto& [id, item] : cards_)
        if (item->parentItem() == nullptr)
            item->setPos(item->target);
}

QRectF TableView::shownTable() const { return mapToScene(viewport()->rect()).boundingRect(); }

namespace {

QString cardName(const cPlay& play, int16_t card)
{
    static const char* const kRanks[] = {"ace",   "two",  "three", "four", "five",  "six", "seven",
                                         "eight", "nine", "ten",   "jack", "queen", "king"};
    static const char* const kSuits[] = {"spades", "hearts", "clubs", "diamonds"};
    const int rank = play.Num(card);
    const int suit = play.Suit(card);
    return QLatin1String(rank >= 0 && rank < 13 ? kRanks[rank] : "card") + QLatin1String(" of ") +
           QLatin1String(suit >= 0 && suit < 4 ? kSuits[suit] : "cards");
}

} // namespace

int TableView::pileCount() const
{
    int count = 0;
    for (int16_t cell = 0; cell < 5; ++cell)
        count += std::max<int16_t>(games_.Piles(cell), 0);
    return count;
}

// Index order: stock, waste, home piles, reserve, tableau.
static std::pair<int16_t, int16_t> pileAt(const cGames& games, int index)
{
    for (const int16_t cell : {int16_t{1}, int16_t{2}, int16_t{3}, int16_t{4}, int16_t{0}}) {
        if (index < games.Piles(cell))
            return {cell, static_cast<int16_t>(index)};
        index -= std::max<int16_t>(games.Piles(cell), 0);
    }
    return {-1, -1};
}

QString TableView::pileDescription(int index) const
{
    const auto [cell, pile] = pileAt(games_, index);
    if (cell < 0)
        return {};
    static const char* const kGroups[] = {"Tableau", "Stock", "Waste", "Home", "Reserve"};
    QString text = QLatin1String(kGroups[cell]) + QStringLiteral(" pile %1: ").arg(pile + 1);
    const int16_t top = play_.GetTop(cell, pile);
    if (top < 0)
        return text + QStringLiteral("empty");
    const int16_t card = play_.GetPicID(cell, pile, top);
    int faceDown = 0;
    for (int16_t pos = 0; pos <= top; ++pos)
        if (play_.FaceMode(play_.GetPicID(cell, pile, pos)) != cPlay::kFaceUp)
            ++faceDown;
    text += play_.FaceMode(card) == cPlay::kFaceUp ? cardName(play_, card) : QStringLiteral("a card face down");
    if (play_.FaceMode(card) == cPlay::kFaceUp && faceDown > 0)
        text += QStringLiteral(", %1 card%2 face down").arg(faceDown).arg(faceDown == 1 ? "" : "s");
    else if (play_.FaceMode(card) != cPlay::kFaceUp)
        text += QStringLiteral(", %1 card%2").arg(top + 1).arg(top == 0 ? "" : "s");
    return text;
}

QRect TableView::pileRect(int index) const
{
    const auto [cell, pile] = pileAt(games_, index);
    if (cell < 0)
        return {};
    // The cards as they are drawn (the layout's place of a card lying under
    // face-down cards is not where it is drawn), or the empty place.
    const QRectF twips = play_.GetTop(cell, pile) >= 0 ? runRect(play_.GetPicID(cell, pile, 0)) : placeRect(cell, pile);
    return mapFromScene(twips).boundingRect();
}

void TableView::showFocusFrame(const QRectF& twips)
{
    focusFrame_->setRect(twips.adjusted(-40, -40, 40, 40));
    focusFrame_->setVisible(!twips.isEmpty());
}

QRectF TableView::focusFrame() const
{
    return focusFrame_->isVisible() ? focusFrame_->rect().adjusted(40, 40, -40, -40) : QRectF();
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    emit keyPressed(event->key(), event->modifiers(), handled);
    if (handled)
        event->accept();
    else
        QGraphicsView::keyPressEvent(event);
    guard::run(services_, [this] { updateHoldMarks(); });
}

bool TableView::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab move across the piles, not out of the table.
    bool handled = false;
    emit keyPressed(next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier, handled);
    guard::run(services_, [this] { updateHoldMarks(); });
    return handled || QGraphicsView::focusNextPrevChild(next);
}

void TableView::setBackground(const BackgroundChoice& choice)
{
    const bool picture = choice.kind == BackgroundChoice::CustomImage || choice.kind == BackgroundChoice::ImageFolder;
    if (!picture)
        backgroundPicture_ = {};
    else if (choice.file != background_.file || backgroundPicture_.image.isNull())
        backgroundPicture_ = loadPlayerPicture(choice.file);
    background_ = choice;
    backgroundDrawn_ = QPixmap();
    viewport()->update();
}

void TableView::drawBackground(QPainter* painter, const QRectF&)
{
    // Drawn once per size of the window and kept.
    const QSize size = viewport()->size();
    if (backgroundDrawn_.size() != size) {
        backgroundDrawn_ = QPixmap(size);
        QPainter drawing(&backgroundDrawn_);
        paintBackground(drawing, QRect(QPoint(0, 0), size), background_, backgroundPicture_.image);
    }
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawPixmap(0, 0, backgroundDrawn_);
    painter->restore();
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    finishAnimations();
    const QPointF scenePoint = mapToScene(event->position().toPoint());
    bool handled = false;
    emit tablePressed(scenePoint, handled);
    if (handled)
        return;
    DragState& drag = play_.drag();
    for (QGraphicsItem* item : items(event->position().toPoint())) {
        if (auto* cardItem = dynamic_cast<CardItem*>(item)) {
            if (!cardItem->isVisible())
                continue;
            drag.pressedCard = cardItem->id();
            const QPointF inside = cardItem->mapFromScene(scenePoint);
            emit cardPressed(drag.pressedCard, inside.x(), inside.y());
            return;
        }
        if (auto* marker = dynamic_cast<MarkerItem*>(item)) {
            drag.pressedStock = marker->kind() == Marker::Stock;
            return;
        }
    }
}

// A second press soon after the first comes as a double click. It is a
// press like any other: quick clicks on the stock each turn a card, and a
// quick second grab still picks a card up. The card under it is told as
// double-clicked even when the press went elsewhere first (under "Click to
// move" it puts down the card the first click held).
void TableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int16_t under = cardUnder(event->position().toPoint());
    mousePressEvent(event);
    if (play_.drag().pressedCard >= 0)
        emit cardDoubleClicked(play_.drag().pressedCard);
    else if (under >= 0)
        emit cardDoubleClicked(under);
}

int16_t TableView::cardUnder(QPoint viewPoint) const
{
    for (QGraphicsItem* item : items(viewPoint))
        if (auto* cardItem = dynamic_cast<CardItem*>(item); cardItem != nullptr && cardItem->isVisible())
            return cardItem->id();
    return -1;
}

void TableView::mouseMoveEvent(QMouseEvent* event)
{
    const int pressed = play_.drag().pressedCard;
    if (pressed < 0)
        return;
    const auto it = cards_.find(static_cast<int16_t>(pressed));
    if (it == cards_.end())
        return;
    const QPointF inside = it->second->mapFromScene(mapToScene(event->position().toPoint()));
    emit cardMoved(pressed, inside.x(), inside.y());
}

void TableView::mouseReleaseEvent(QMouseEvent* event)
{
    DragState& drag = play_.drag();
    if (drag.pressedCard >= 0) {
        const int id = drag.pressedCard;
        drag.pressedCard = -1;
        emit cardReleased(id);
        fitTable();
        return;
    }
    if (drag.pressedStock) {
        drag.pressedStock = false;
        for (QGraphicsItem* item : items(event->position().toPoint()))
            if (auto* marker = dynamic_cast<MarkerItem*>(item); marker != nullptr && marker->kind() == Marker::Stock) {
                emit stockPlaceClicked();
                return;
            }
    }
}

namespace {

// The held card's outline and the drop place's, in twips: pens this wide,
// with corners as round as the cards'.
constexpr qreal kHeldPen = 55;
constexpr qreal kDropPen = 65;
constexpr qreal kMarkCorner = 70;
// A held card's shadow falls this far down and to the right.
constexpr qreal kShadowX = 70;
constexpr qreal kShadowY = 100;
const QColor kHeldColour(0xff, 0x7a, 0x1a);
const QColor kDropColour(0x3d, 0xe0, 0x6a);

QPainterPath roundedPath(const QRectF& rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, kMarkCorner, kMarkCorner);
    return path;
}

} // namespace

void TableView::makeHoldMarks()
{
    heldShadow_ = scene_.addPath(QPainterPath(), Qt::NoPen, QColor(0, 0, 0, 0x70));
    heldOutline_ = scene_.addPath(QPainterPath(), QPen(kHeldColour, kHeldPen), Qt::NoBrush);
    QPen drop(kDropColour, kDropPen);
    drop.setJoinStyle(Qt::RoundJoin);
    dropOutline_ = scene_.addPath(QPainterPath(), drop, QColor(0x3d, 0xe0, 0x6a, 0x38));
    for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{heldShadow_, heldOutline_, dropOutline_}) {
        item->setVisible(false);
        item->setData(0, QStringLiteral("mark"));
        // Marks take no clicks: the card or place under them does.
        item->setAcceptedMouseButtons(Qt::NoButton);
    }
    heldRect_ = QRectF();
    dropRect_ = QRectF();
}

void TableView::placeHeldMark(const QRectF& twips, qreal z)
{
    heldRect_ = twips;
    if (twips.isEmpty()) {
        heldShadow_->setVisible(false);
        heldOutline_->setVisible(false);
        return;
    }
    // The shadow lies just under the held card, above every other card, so
    // the card looks lifted off the pile; the outline is drawn on the card.
    heldShadow_->setPath(roundedPath(twips.translated(kShadowX, kShadowY)));
    heldShadow_->setZValue(z - 0.5);
    heldShadow_->setVisible(true);
    heldOutline_->setPath(roundedPath(twips.adjusted(kHeldPen / 4, kHeldPen / 4, -kHeldPen / 4, -kHeldPen / 4)));
    heldOutline_->setZValue(z + 0.5);
    heldOutline_->setVisible(true);
}

void TableView::showDropMark(const QRectF& twips)
{
    dropRect_ = twips;
    if (twips.isEmpty()) {
        dropOutline_->setVisible(false);
        return;
    }
    dropOutline_->setPath(roundedPath(twips.adjusted(kDropPen / 4, kDropPen / 4, -kDropPen / 4, -kDropPen / 4)));
    // Over the place's cards, under the card held over it.
    const DragState& drag = play_.drag();
    const auto held = cards_.find(drag.card);
    dropOutline_->setZValue(drag.active && held != cards_.end() ? held->second->zValue() - 0.25 : 1.5e9);
    dropOutline_->setVisible(true);
}

void TableView::updateHoldMarks()
{
    if (heldOutline_ == nullptr)
        return;
    const DragState& drag = play_.drag();
    const auto held = drag.active ? cards_.find(drag.card) : cards_.end();
    if (held == cards_.end()) {
        placeHeldMark(QRectF(), 0);
        showDropMark(QRectF());
        return;
    }
    const CardItem* item = held->second;
    const bool heldUp = drag.keyHeld >= 0 || drag.clickHeld >= 0;
    placeHeldMark(heldUp ? QRectF(item->scenePos(), item->size) : QRectF(), item->zValue());
    if (drag.keyHeld >= 0)
        return; // the keys mark the pile they would drop on
    // Where a release now would put the dragged card; "Click to move" drops
    // on the pile clicked next, so nothing is promised in between.
    const auto target = drag.clickHeld >= 0 ? std::nullopt : play_.dropTarget();
    showDropMark(target ? placeRect(target->first, target->second) : QRectF());
}

QRectF TableView::heldMark() const { return heldRect_; }

QRectF TableView::dropMark() const { return dropRect_; }

bool TableView::viewportEvent(QEvent* event)
{
    const bool result = QGraphicsView::viewportEvent(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: guard::run(services_, [this] { updateHoldMarks(); }); break;
    default: break;
    }
    return result;
}
