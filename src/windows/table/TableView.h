#pragma once

#include "engine/CardSurface.h"
#include "windows/common/BackgroundPainter.h"

#include <QGraphicsView>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <map>
#include <vector>

class cGames;
class Services;
class cPlay;
class CardPictures;
class CardItem;
class QGraphicsPathItem;
class QGraphicsRectItem;
class MarkerItem;

// The play table on screen: a scene whose units are twips, with one item per
// card picture and per empty-place marker, drawn from the card picture
// library at the screen's own resolution. The model has already moved when a
// placement arrives here; the view plays its step positions one per frame.
// The layout keeps its twip geometry and is scaled to fill the window, with
// room for the piles to grow, up to five times its natural size of 15 twips to a
// pixel.
class TableView final : public QGraphicsView, public CardSurface {
    Q_OBJECT
public:
    // Shows the table `play` deals from the definition in `games`.
    TableView(const cGames& games, cPlay& play, Services& services, CardPictures& pictures, QWidget* parent = nullptr);
    ~TableView() override;

    // CardSurface.
    int16_t deckCount() const override;
    void createCard(int16_t id) override;
    void setCardFace(int16_t id, int16_t pictureNumber) override;
    void setCardBack(int16_t id, int16_t deckIndex) override;
    void showCardFace(int16_t id, bool faceUp) override;
    void bringToFront(int16_t id) override;
    void setCardVisible(int16_t id, bool visible) override;
    void moveCard(int16_t id, const std::vector<Point>& steps) override;
    void setCardSize(int16_t id, int32_t width, int32_t height) override;
    void attachRunCard(int16_t grabbed, int16_t id, Point offset) override;
    void showMarker(Marker kind, int16_t index, int16_t markerNumber, Point at) override;
    void cardsCreated() override;
    void markersShown() override;
    void clearTable() override;

    // Plays every pending step at once, or the next frame's.
    void finishAnimations();
    void advanceFrame();
    bool animating() const { return !tracks_.empty(); }
    // Hands the scene's pending changes to the view at once, so that the
    // next frame paints them all instead of a second frame repeating it.
    void settle();
    // Time between two frames of the animation.
    static constexpr int kFrameMs = 16;
    // A card that travels sets off this many frames after the one placed
    // before it (or when that one arrives, if sooner): the cards of a deal,
    // a run or an auto-play travel one close behind another.
    static constexpr int kFollowFrames = 2;
    // Frames played since the view was made.
    int64_t framesPlayed() const { return clock_; }
    // How long a size must last before the pictures are drawn for it.
    static constexpr int kResizeSettleMs = 150;
    // How long a frame may spend drawing pictures at a new size; the rest
    // are scaled from a size drawn before and drawn in the next frames.
    static constexpr int kPictureBudgetMs = 20;
    // The time a frame may spend drawing pictures (tests give it none).
    void setPictureBudget(std::chrono::milliseconds budget) { pictureBudget_ = budget; }
    // A frame left pictures to draw; the next one is on its way.
    bool drawingOn() const { return drawOnTimer_.isActive(); }

    // Where a card's picture is drawn now (during an animation, where it has
    // got to), in twips.
    QPointF shownPosition(int16_t id) const;
    // Where a card's picture goes (its place once an animation ends), in
    // twips.
    Point cardPosition(int16_t id) const;
    // The view's point over a place on the table, in twips.
    QPoint viewPoint(QPointF twips) const;

    // The piles as a screen reader tells them, in the order they lie:
    // "Home pile 3: seven of clubs, 2 cards face down".
    int pileCount() const;
    QString pileDescription(int index) const;
    // Where the pile lies in the view, in its pixels.
    QRect pileRect(int index) const;

    // What is drawn behind the cards. It is drawn once per window size and
    // kept; a player's picture is read once, here.
    void setBackground(const BackgroundChoice& choice);
    const BackgroundChoice& background() const { return background_; }
    // Why the player's picture is not shown; empty when it is (or there is
    // none).
    const QString& backgroundRefusal() const { return backgroundPicture_.refusal; }

signals:
    // The pointer on a card picture; x and y are its place inside the
    // picture, in twips.
    void cardPressed(int id, double x, double y);
    void cardMoved(int id, double x, double y);
    void cardReleased(int id);
    void stockPlaceClicked();
    // Any press on the table, at its place in twips, before the table
    // handles it; `handled` set means the table does nothing more with it.
    void tablePressed(QPointF twips, bool& handled);
    // The second press of a double click on a card (the press itself is
    // reported too).
    void cardDoubleClicked(int id);
    // A key pressed on the table; `handled` is set when it was used.
    void keyPressed(int key, Qt::KeyboardModifiers modifiers, bool& handled);
    // Cards were placed, turned, shown or cleared away. Told once, after the
    // work that changed them is done, however many cards it moved.
    void tableChanged();

public:
    // The frame that shows the keyboard's place on the table, in twips; an
    // empty rectangle hides it.
    void showFocusFrame(const QRectF& twips);
    QRectF focusFrame() const;

    // A hint: a frame around the cards to pick up (`from`) and one around
    // the place they go (`to`, empty for a click on the stock), with an
    // arrow between them, shown for kHintMs. Any change on the table takes
    // it away. Rectangles in twips.
    void showHint(const QRectF& from, const QRectF& to);
    void hideHint();
    // The frames shown now: from and to, without the empty ones; none when
    // no hint is shown.
    QList<QRectF> hintFrames() const;
    static constexpr int kHintMs = 1500;
    // Where a card lies now with the cards lying on it in its pile, and
    // where a pile's top card lies (its empty place when it has none), in
    // twips.
    QRectF runRect(int16_t card) const;
    QRectF placeRect(int16_t cell, int16_t pile) const;

    // A card's picture drawn at a place in twips while its place on the
    // table stays as it is (a frame of a move, a won game's celebration);
    // putCardsBack draws every picture at its place again. A card the table
    // does not hold, or one carried on another, is passed over.
    void showCardAt(int16_t id, QPointF twips);
    void putCardsBack();
    // The part of the table the window shows, in twips.
    QRectF shownTable() const;
    // A card held up by the keys or by "Click to move" stands out, lifted
    // with a coloured outline and a shadow, until it is put down or back;
    // while a card is dragged by the pointer, the pile a release would drop
    // it on is outlined, and only when that pile takes it (the drop's own
    // rule decides). Both follow the table's drag record and are brought up
    // to date after every input and change on the table.
    void updateHoldMarks();
    // Outlines a pile the held card would go to (the keys mark the pile
    // they would drop on); an empty rectangle hides the mark. In twips.
    void showDropMark(const QRectF& twips);
    // The marks shown now, in twips: around the held card (with the cards
    // it carries) and around the place it would drop on; empty when hidden.
    QRectF heldMark() const;
    QRectF dropMark() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private:
    // One placement's positions: the first is shown at frame `start`, each
    // next one a frame later.
    struct Track {
        int16_t id;
        std::vector<QPointF> positions;
        int64_t start;
        int64_t end() const { return start + static_cast<int64_t>(positions.size()) - 1; }
    };

    CardItem* card(int16_t id) const;
    void queueTrack(int16_t id, const std::vector<Point>& steps);
    // The card picture at a point of the view, topmost first; -1 for none.
    int16_t cardUnder(QPoint viewPoint) const;
    void fitTable();
    void makeFocusFrame();
    void makeHintItems();
    void makeHoldMarks();
    // Forgets the gesture under way: the table is cleared under it.
    void clearGesture();
    void placeHeldMark(const QRectF& twips, qreal z);
    // Something on the table changed: the hint goes, and tableChanged is
    // told once the work under way is done.
    void noteChange();

    const cGames& games_;
    cPlay& play_;
    Services& services_;
    CardPictures& pictures_;
    QGraphicsScene scene_;
    std::map<int16_t, CardItem*> cards_;
    std::map<std::pair<Marker, int16_t>, MarkerItem*> markers_;
    // In the order placed; a card's tracks never overlap.
    std::vector<Track> tracks_;
    int64_t clock_ = 0;
    QTimer frameTimer_;
    // Runs out once the window has kept its size for a moment.
    QTimer settleTimer_;
    // Set off by a frame that left pictures to draw.
    QTimer drawOnTimer_;
    std::chrono::milliseconds pictureBudget_{kPictureBudgetMs};
    qreal zCounter_ = 0;
    QGraphicsRectItem* focusFrame_ = nullptr;
    QGraphicsRectItem* hintFrom_ = nullptr;
    QGraphicsRectItem* hintTo_ = nullptr;
    QGraphicsPathItem* hintArrow_ = nullptr;
    QTimer hintTimer_;
    QGraphicsPathItem* heldOutline_ = nullptr;
    QGraphicsPathItem* heldShadow_ = nullptr;
    QGraphicsPathItem* dropOutline_ = nullptr;
    QRectF heldRect_;
    QRectF dropRect_;
    bool changeTold_ = false;
    BackgroundChoice background_;
    PlayerPicture backgroundPicture_;
    QPixmap backgroundDrawn_;
};
