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
// has the rest of it to fall out of the window.
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
    bottom_ = shown.bottom() + card::kHeight / 4.0;
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
    const qreal launchFrames = length_ * kLaunchShare;
    for (size_t i = 0; i < order.size(); ++i) {
        const int16_t id = order[i];
        const CardSurface::Point at = table_.cardPosition(id);
        Flight flight{id, QPointF(at.x, at.y), static_cast<int>(launchFrames * i / order.size()), 0, 0};
        // Half to each side, some further than others; each leaps up a
        // little before it falls.
        const qreal side = spread(id, 1) < 0.5 ? -1.0 : 1.0;
        flight.across = side * (0.12 + 0.38 * spread(id, 2)) * shown.width();
        flight.up = (0.5 + 0.6 * spread(id, 3)) * std::max<qreal>(bottom_ - flight.from.y(), card::kHeight);
        flights_.push_back(flight);
    }
    planned_ = true;
}

QPointF WinCelebration::positionAt(const Flight& flight, int frame) const
{
    const int travel = std::max(1, length_ - flight.launch);
    const qreal t = std::clamp(static_cast<qreal>(frame - flight.launch) / travel, 0.0, 1.0);
    // Up at first, then down, reaching the bottom of the window at the end.
    const qreal fall = bottom_ - flight.from.y() + flight.up;
    return {flight.from.x() + flight.across * t, flight.from.y() - flight.up * t + fall * t * t};
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
    for (const Flight& flight : flights_) {
        if (frame_ < flight.launch)
            continue;
        if (frame_ == std::max(flight.launch, 1))
            table_.bringToFront(flight.id);
        table_.showCardAt(flight.id, positionAt(flight, frame_));
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
