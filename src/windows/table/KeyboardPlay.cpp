#include "windows/table/KeyboardPlay.h"

#include "rules/Card.h"
#include "rules/RuleCodes.h"
#include "session/Shared.h"
#include "windows/table/CardPointer.h"
#include "windows/table/TableView.h"

#include <algorithm>

namespace {

constexpr double kCardWidth = card::kWidth;
constexpr double kCardHeight = card::kHeight;

} // namespace

KeyboardPlay::KeyboardPlay(Shared& shared, TableView& table, CardPointer& pointer)
    : shared_(shared), table_(table), pointer_(pointer)
{
}

std::vector<std::pair<int16_t, int16_t>> KeyboardPlay::places() const
{
    const cGames& games = shared_.games;
    const cPlay& play = shared_.play;
    struct Spot {
        std::pair<int16_t, int16_t> place;
        QPointF at;
    };
    // Where each pile begins: its first card's picture, or its empty place.
    // (The layout's place of a first card lying under face-down cards is
    // not where that card is drawn.)
    std::vector<Spot> spots;
    for (const int16_t cell : {int16_t{1}, int16_t{2}, int16_t{3}, int16_t{4}, int16_t{0}})
        for (int16_t pile = 0; pile < games.Piles(cell); ++pile) {
            QPointF at = table_.placeRect(cell, pile).topLeft();
            if (play.GetTop(cell, pile) >= 0) {
                const CardSurface::Point first = table_.cardPosition(play.GetPicID(cell, pile, 0));
                at = QPointF(first.x, first.y);
            }
            spots.push_back({{cell, pile}, at});
        }
    // As they lie on the table: row by row, top to bottom, each row left to
    // right. A row holds the piles beginning less than half a card below
    // its highest one.
    std::stable_sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.at.y() < b.at.y(); });
    for (auto row = spots.begin(); row != spots.end();) {
        const qreal top = row->at.y();
        const auto end =
            std::find_if(row, spots.end(), [&](const Spot& s) { return s.at.y() - top > kCardHeight / 2; });
        std::stable_sort(row, end, [](const Spot& a, const Spot& b) { return a.at.x() < b.at.x(); });
        row = end;
    }
    std::vector<std::pair<int16_t, int16_t>> all;
    all.reserve(spots.size());
    for (const Spot& spot : spots)
        all.push_back(spot.place);
    return all;
}

std::pair<int16_t, int16_t> KeyboardPlay::place() const
{
    const auto all = places();
    return all.empty() ? std::pair<int16_t, int16_t>{-1, -1} : all[std::min(index_, all.size() - 1)];
}

int KeyboardPlay::faceUpRun() const
{
    // The face-up cards on top of the pile that can be picked up with the
    // cards lying on them, as a press on them would.
    const auto [cell, pile] = place();
    if (cell < 0)
        return 0;
    const cPlay& play = shared_.play;
    int run = 0;
    for (int16_t pos = play.GetTop(cell, pile); pos >= 0; --pos) {
        const int16_t card = play.GetPicID(cell, pile, pos);
        int16_t carried = 0;
        if (play.FaceMode(card) != cPlay::kFaceUp || (run > 0 && !play.CanPickUp(card, carried)))
            break;
        ++run;
    }
    return run;
}

int16_t KeyboardPlay::cardAtFocus() const
{
    const auto [cell, pile] = place();
    if (cell < 0)
        return -1;
    const cPlay& play = shared_.play;
    const int16_t top = play.GetTop(cell, pile);
    if (top < 0)
        return -1;
    return play.GetPicID(cell, pile, static_cast<int16_t>(std::max(0, top - depth_)));
}

void KeyboardPlay::refresh()
{
    const auto all = places();
    if (all.empty() || shared_.gamePlay.Game_Status() == cGamePlay::kNoGame) {
        table_.showFocusFrame(QRectF());
        return;
    }
    index_ = std::min(index_, all.size() - 1);
    depth_ = std::clamp(depth_, 0, std::max(0, faceUpRun() - 1));
    // Around the cards the keys would take, as they are drawn: from the
    // chosen card to the top, or the empty place.
    const auto [cell, pile] = place();
    const cPlay& play = shared_.play;
    const int16_t top = play.GetTop(cell, pile);
    table_.showFocusFrame(top < 0 ? table_.placeRect(cell, pile)
                                  : table_.runRect(play.GetPicID(cell, pile, static_cast<int16_t>(top - depth_))));
    markDropPlace();
}

void KeyboardPlay::tableChanged()
{
    // The cards under the frame changed: the keys take one card again, and
    // a frame in sight follows the cards (one not yet shown stays hidden
    // until a key is used).
    if (holding()) {
        if (!table_.focusFrame().isEmpty())
            refresh();
        return;
    }
    depth_ = 0;
    // A card dragged by the pointer moves the table at every step; the frame
    // waits for the drop.
    if (!table_.focusFrame().isEmpty() && !shared_.play.drag().active)
        refresh();
}

void KeyboardPlay::markDropPlace()
{
    // The pile the frame is on, when a drop there now would be made: the
    // move's own rule decides, as the drop does. A card the pointer drags
    // has its mark from the table.
    if (!holding())
        return;
    const DragState& drag = shared_.play.drag();
    const cPlay& play = shared_.play;
    const auto [cell, pile] = place();
    const bool takes = drag.active && drag.card >= 0 &&
                       !(cell == play.Cell(drag.card) && pile == play.Pile(drag.card)) &&
                       play.CanDrop(drag.card, drag.k, cell, pile);
    table_.showDropMark(takes ? table_.placeRect(cell, pile) : QRectF());
}

void KeyboardPlay::moveTo(size_t index)
{
    index_ = index;
    depth_ = 0;
    refresh();
}

bool KeyboardPlay::key(int key)
{
    if (shared_.gamePlay.Game_Status() != cGamePlay::kInProgress)
        return false;
    const size_t count = places().size();
    if (count == 0)
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Right: moveTo((index_ + 1) % count); return true;
    case Qt::Key_Backtab:
    case Qt::Key_Left: moveTo((index_ + count - 1) % count); return true;
    case Qt::Key_Up:
        if (!holding())
            ++depth_;
        refresh();
        return true;
    case Qt::Key_Down:
        if (!holding())
            depth_ = std::max(0, depth_ - 1);
        refresh();
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (holding())
            drop();
        else
            pickUp();
        refresh();
        return true;
    case Qt::Key_Escape:
        if (!holding())
            return false;
        cancel();
        refresh();
        return true;
    case Qt::Key_D:
        if (!holding())
            dealStock();
        refresh();
        return true;
    default: return false;
    }
}

void KeyboardPlay::pickUp()
{
    const auto [cell, pile] = place();
    if (cell == Cell::Stock) {
        dealStock();
        return;
    }
    const int16_t card = cardAtFocus();
    if (card < 0)
        return;
    table_.finishAnimations();
    pointer_.press(card, kCardWidth / 2, kCardHeight / 2);
    if (shared_.play.drag().active)
        shared_.play.drag().keyHeld = card;
}

void KeyboardPlay::drop()
{
    const auto [cell, pile] = place();
    shared_.play.drag().keyHeld = -1;
    pointer_.releaseOn(cell, pile);
    depth_ = 0;
}

bool KeyboardPlay::holding() const { return shared_.play.drag().keyHeld >= 0; }

void KeyboardPlay::holdClicked(int16_t card) { shared_.play.drag().clickHeld = card; }

bool KeyboardPlay::clickHeld() const { return shared_.play.drag().clickHeld >= 0; }

void KeyboardPlay::dropClickedAt(QPointF twips)
{
    DragState& drag = shared_.play.drag();
    const int16_t card = drag.clickHeld;
    drag.clickHeld = -1;
    if (card < 0)
        return;
    // The pile whose cards (or empty place) lie under the click.
    const cPlay& play = shared_.play;
    for (const auto& [cell, pile] : places()) {
        const QRectF lies =
            play.GetTop(cell, pile) >= 0 ? table_.runRect(play.GetPicID(cell, pile, 0)) : table_.placeRect(cell, pile);
        if (lies.contains(twips) && !(cell == play.Cell(card) && pile == play.Pile(card))) {
            pointer_.releaseOn(cell, pile);
            return;
        }
    }
    // Nowhere, or on the card's own pile: it goes back.
    pointer_.cancel();
}

void KeyboardPlay::cancel()
{
    shared_.play.drag().keyHeld = -1;
    pointer_.cancel();
}

void KeyboardPlay::dealStock()
{
    const cPlay& play = shared_.play;
    const int16_t top = play.GetTop(Cell::Stock, 0);
    if (shared_.games.Piles(Cell::Stock) == 0)
        return;
    if (top >= 0)
        pointer_.press(play.GetPicID(Cell::Stock, 0, top), kCardWidth / 2, kCardHeight / 2);
    else
        pointer_.stockPlaceClicked();
}

bool KeyboardPlay::sendHome(int16_t card)
{
    const cPlay& play = shared_.play;
    const cGames& games = shared_.games;
    if (card < 0 || play.FaceMode(card) != cPlay::kFaceUp ||
        play.GetTopPicID(play.Cell(card), play.Pile(card)) != card || play.Cell(card) == Cell::Foundation)
        return false;
    for (int16_t f = 0; f < games.Piles(Cell::Foundation); ++f) {
        if (!play.CanDrop(card, 0, Cell::Foundation, f))
            continue;
        table_.finishAnimations();
        return pointer_.play(card, 3, f);
    }
    return false;
}
