#include "windows/table/WinCelebration.h"

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Card.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"
#include "windows/common/Guard.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace {

// The length at the fastest speed, what each step of the card speed adds,
// and the longest it lasts, in frames: 49 frames (under a second) at the
// default speed of 5 steps.
constexpr int kShortest = 24;
constexpr int kPerStep = 5;
constexpr int kLongest = 150;
// The share of the length over which the cards set off; the last one still
// has the rest of it to run out of the window.
constexpr qreal kLaunchShare = 0.5;

// A fixed spread of values in [0, 1) for a card, so that every showing of a
// win looks alike and no random generator is shared.
qreal spread(int16_t id, unsigned salt)
{
    const unsigned mixed = (static_cast<unsigned>(id) + 1u) * 2654435761u ^ salt * 40503u;
    return static_cast<qreal>((mixed >> 8) % 1024u) / 1024.0;
}

} // namespace

WinCelebration::WinCelebration(TableView& table, const cGames& games, const cPlay& play, Services& services,
                               QObject* parent)
    : QObject(parent), table_(table), games_(games), play_(play), services_(services)
{
    timer_.setInterval(TableView::kFrameMs);
    guard::connect(services_, &timer_, &QTimer::timeout, this, [this] { advance(); });
}

WinCelebration::~WinCelebration() { abandon(); }

int WinCelebration::framesFor(int16_t cardSteps)
{
    return std::clamp(kShortest + kPerStep * cardSteps, kShortest, kLongest);
}

void WinCelebration::start(std::function<void()> ended)
{
    if (running_)
        return;
    ended_ = std::move(ended);
    running_ = true;
    planned_ = false;
    frame_ = 0;
    flights_.clear();
    length_ = framesFor(settings::animationSteps(services_.settings().read(settings::kCardSpeed)));
    // Nothing else may end or replace the game until it is recorded.
    busyBefore_ = services_.busy;
    services_.busy = true;
    qApp->installEventFilter(this);
    timer_.start();
}

void WinCelebration::planFlights()
{
    const QRectF shown = table_.shownTable();
    floor_ = shown.bottom() - card::kHeight;
    // The top cards of the foundations go first, pile by pile.
    const int16_t piles = games_.Piles(Cell::Foundation);
    int16_t highest = -1;
    for (int16_t pile = 0; pile < piles; ++pile)
        highest = std::max(highest, play_.GetTop(Cell::Foundation, pile));
    std::vector<int16_t> order;
    for (int16_t pos = highest; pos >= 0; --pos)
        for (int16_t pile = 0; pile < piles; ++pile)
            if (pos <= play_.GetTop(Cell::Foundation, pile))
                order.push_back(play_.GetPicID(Cell::Foundation, pile, pos));
    // The first card reaches the bottom a quarter of the way through.
    const qreal drop = std::max<qreal>(floor_ - shown.top(), card::kHeight);
    const qreal toFloor = std::max(2.0, length_ / 4.0);
    gravity_ = 2 * drop / (toFloor * toFloor);
    const qreal launchFrames = length_ * kLaunchShare;
    for (size_t i = 0; i < order.size(); ++i) {
        const int16_t id = order[i];
        const CardSurface::Point at = table_.cardPosition(id);
        Flight flight{id, static_cast<int>(launchFrames * i / order.size()), QPointF(at.x, at.y), 0, 0};
        // Half run out to each side, all of them gone by the end; each
        // hops a little as it leaves.
        const bool right = spread(id, 1) < 0.5;
        const qreal way = right ? shown.right() - at.x : at.x + card::kWidth - shown.left();
        const qreal frames = std::max(1, length_ - flight.launch);
        flight.across = (right ? 1 : -1) * (way + card::kWidth * spread(id, 2)) / frames;
        flight.down = -gravity_ * (1 + 3 * spread(id, 3));
        flights_.push_back(flight);
    }
    planned_ = true;
}

void WinCelebration::fly(Flight& flight) const
{
    // Each bounce keeps this much of the speed.
    constexpr qreal kBounce = 0.7;
    flight.down += gravity_;
    flight.at += QPointF(flight.across, flight.down);
    if (flight.at.y() > floor_) {
        flight.at.setY(floor_ - (flight.at.y() - floor_) * kBounce);
        flight.down = -flight.down * kBounce;
    }
}

void WinCelebration::advance()
{
    if (!running_)
        return;
    if (!planned_) {
        // The winning card lands first.
        if (table_.animating())
            return;
        planFlights();
    }
    ++frame_;
    for (Flight& flight : flights_) {
        if (frame_ < flight.launch)
            continue;
        if (frame_ == std::max(flight.launch, 1))
            table_.bringToFront(flight.id);
        else
            fly(flight);
        table_.showCardAt(flight.id, flight.at);
    }
    if (frame_ >= length_)
        stop();
}

void WinCelebration::stop() { finish(true); }

void WinCelebration::abandon() { finish(false); }

void WinCelebration::finish(bool tell)
{
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    if (planned_) {
        // Every picture on its foundation again, in the order it lies there.
        table_.putCardsBack();
        for (int16_t pile = 0; pile < games_.Piles(Cell::Foundation); ++pile)
            for (int16_t pos = 0; pos <= play_.GetTop(Cell::Foundation, pile); ++pos)
                table_.bringToFront(play_.GetPicID(Cell::Foundation, pile, pos));
    }
    flights_.clear();
    services_.busy = busyBefore_;
    std::function<void()> ended = std::move(ended_);
    ended_ = nullptr;
    if (tell && ended)
        QTimer::singleShot(0, this, [this, ended] { guard::run(services_, ended); });
}

bool WinCelebration::eventFilter(QObject* watched, QEvent* event)
{
    if (!running_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken here, so that no menu shortcut runs; the key press that
        // follows ends the celebration.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: stop(); return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease: return true;
    default: return QObject::eventFilter(watched, event);
    }
}
