// Dragging cards with the mouse: the press that picks a card (and the run on
// it) up, the moves that carry it, and the release that drops it on the
// first pile that takes it, or returns it. A drop is a player's move like any
// other: it goes through PlayerMove.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Card.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

#include <limits>

namespace {

constexpr int32_t kCardWidth = card::kWidth;
constexpr int32_t kCardHeight = card::kHeight;
// Offsets of the cards of a dragged run inside the grabbed picture.
constexpr int32_t kRunStepDown = 250;
constexpr int32_t kRunStepSideways = 180;

bool fits16(double v) { return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max(); }

CardSurface::Point runOffset(bool sideways, int i)
{
    return sideways ? CardSurface::Point{i * kRunStepSideways, 0} : CardSurface::Point{0, i * kRunStepDown};
}

} // namespace

bool cPlay::PlayerMove(int16_t mPicID, int16_t cell, int16_t pile)
{
    const cGames& games = games_;
    if (mPicID < 0 || mPicID >= CardCount() || cell < 0 || cell >= kCells || pile < 0 || pile >= games.Piles(cell))
        return false;
    // A stock card is dealt by a click, not moved, except where the stock is
    // played from.
    if (Cell(mPicID) == Cell::Stock && games.StockType() != StockType::TopPlayable)
        return false;
    int16_t k = 0;
    if (!CanPickUp(mPicID, k) || !CanDrop(mPicID, k, cell, pile))
        return false;
    // A run goes along onto a home pile only.
    MoveCard(mPicID, cell, pile, int16::add(GetTop(cell, pile), 1), kMovePlayer, cardSteps(),
             cell == Cell::Home ? k : int16_t{0}, kFaceUp);
    return true;
}

void cPlay::MouseDown(int16_t mPicID, double grabX, double grabY)
{
    const cGames& games = games_;
    DragState& drag = drag_;
    if (drag.active)
        return;
    if (Cell(mPicID) == Cell::Stock && games.StockType() != StockType::TopPlayable) {
        StockClick();
        return;
    }
    int16_t k = 0;
    if (!CanPickUp(mPicID, k))
        return;

    CardSurface& surface = services_.surface();
    const CardSurface::Point at = pictureAt(mPicID);
    drag.card = mPicID;
    drag.k = k;
    drag.grabX = grabX;
    drag.grabY = grabY;
    drag.startLeft = at.x;
    drag.startTop = at.y;
    drag.left = at.x;
    drag.top = at.y;
    drag.runCards.clear();
    drag.outOfRange = false;
    drag.sideways =
        games.HomePileOrder() == PileLayout::FanRight || games.HomePileOrder() == PileLayout::FanRightStacked;
    if (Cell(mPicID) == Cell::Home && k > 0) {
        const int16_t pile = Pile(mPicID);
        const int16_t pos = Pos(mPicID);
        for (int16_t i = 1; i <= k; ++i) {
            const int16_t runCard = GetPicID(Cell::Home, pile, int16::add(pos, i));
            const CardSurface::Point offset = runOffset(drag.sideways, i);
            drag.runCards.push_back(runCard);
            surface.attachRunCard(mPicID, runCard, offset);
            notePictureAt(runCard, {at.x + offset.x, at.y + offset.y});
        }
        if (drag.sideways)
            surface.setCardSize(mPicID, kCardWidth + k * kRunStepSideways, kCardHeight);
        else
            surface.setCardSize(mPicID, kCardWidth, kCardHeight + k * kRunStepDown);
    }
    drag.active = true;
    surface.bringToFront(mPicID);
    services_.busy = true;
}

void cPlay::MouseMove(double x, double Y)
{
    DragState& drag = drag_;
    if (!drag.active)
        return;
    // The pointer is at (x, Y) inside the picture where it lies now; the
    // picture follows it, keeping the place where it was grabbed.
    const double left = drag.left + x - drag.grabX;
    const double top = drag.top + Y - drag.grabY;
    if (!fits16(left) || !fits16(top)) {
        // The table's coordinates end here: the drop will be refused.
        drag.outOfRange = true;
        return;
    }
    drag.left = static_cast<int32_t>(left);
    drag.top = static_cast<int32_t>(top);
    movePicture(drag.card, {{drag.left, drag.top}});
    for (size_t i = 0; i < drag.runCards.size(); ++i) {
        const CardSurface::Point offset = runOffset(drag.sideways, static_cast<int>(i) + 1);
        notePictureAt(drag.runCards[i], {drag.left + offset.x, drag.top + offset.y});
    }
}

bool cPlay::hitCentre(CardSurface::Point card, int16_t cell, int16_t pile, int16_t pos) const
{
    const cGames& games = games_;
    const int32_t x = games.GetCordX(cell, pile, pos);
    const int32_t y = games.GetCordY(cell, pile, pos);
    const double cx = int16::roundHalfEven(card.x + kCardWidth / 2.0);
    const double cy = int16::roundHalfEven(card.y + kCardHeight / 2.0);
    return x < cx && cx < x + kCardWidth && y < cy && cy < y + kCardHeight;
}

bool cPlay::hitOverlap(CardSurface::Point card, int16_t cell, int16_t pile, int16_t pos) const
{
    const cGames& games = games_;
    const int32_t x = games.GetCordX(cell, pile, pos);
    const int32_t y = games.GetCordY(cell, pile, pos);
    return y < card.y + kCardHeight && card.y < y + kCardHeight && x < card.x + kCardWidth && card.x < x + kCardWidth;
}

std::optional<std::pair<int16_t, int16_t>> cPlay::dropTarget() const
{
    const cGames& games = games_;
    const DragState& drag = drag_;
    if (!drag.active || drag.outOfRange)
        return std::nullopt;
    const CardSurface::Point at{drag.left, drag.top};
    const int16_t mPicID = drag.card;
    const int16_t k = drag.k;
    const bool spider = games.spiderRules();
    for (const bool centre : {true, false}) {
        auto hit = [&](int16_t cell, int16_t pile, int16_t pos) {
            return centre ? hitCentre(at, cell, pile, pos) : hitOverlap(at, cell, pile, pos);
        };
        for (int16_t p = 0; p < games.Piles(Cell::Home); ++p)
            if (hit(Cell::Home, p, GetTop(Cell::Home, p)) && CanDrop(mPicID, k, Cell::Home, p))
                return std::pair<int16_t, int16_t>{Cell::Home, p};
        for (int16_t p = 0; p < games.Piles(Cell::Reserve); ++p)
            if (hit(Cell::Reserve, p, 0) && CanDrop(mPicID, k, Cell::Reserve, p))
                return std::pair<int16_t, int16_t>{Cell::Reserve, p};
        if (!spider)
            for (int16_t p = 0; p < games.Piles(Cell::Foundation); ++p)
                if (hit(Cell::Foundation, p, 0) && CanDrop(mPicID, k, Cell::Foundation, p))
                    return std::pair<int16_t, int16_t>{Cell::Foundation, p};
    }
    return std::nullopt;
}

bool cPlay::MouseUp()
{
    if (!drag_.active)
        return false;
    const auto target = dropTarget();
    drag_.active = false;
    return endDrag(target);
}

bool cPlay::DropOn(int16_t cell, int16_t pile)
{
    if (!drag_.active)
        return false;
    drag_.active = false;
    return endDrag(std::pair<int16_t, int16_t>{cell, pile});
}

void cPlay::CancelDrag()
{
    if (!drag_.active)
        return;
    drag_.active = false;
    endDrag(std::nullopt);
}

bool cPlay::endDrag(std::optional<std::pair<int16_t, int16_t>> target)
{
    // The record is cleared first, so a move that fails leaves no drag
    // behind.
    DragState& drag = drag_;
    const int16_t mPicID = drag.card;
    const CardSurface::Point start{drag.startLeft, drag.startTop};
    const std::vector<int16_t> run = std::move(drag.runCards);
    const bool sideways = drag.sideways;
    drag.runCards.clear();
    drag.card = -1;
    drag.k = 0;
    drag.outOfRange = false;
    services_.busy = false;
    services_.surface().setCardSize(mPicID, kCardWidth, kCardHeight);

    const bool made = target && PlayerMove(mPicID, target->first, target->second);
    if (!made) {
        // Back to where the drag began, the run in its fan, sliding there
        // as a move would.
        const int16_t steps = cardSteps();
        movePicture(mPicID, StepPositions(pictureAt(mPicID), start, steps));
        for (size_t i = 0; i < run.size(); ++i) {
            const CardSurface::Point offset = runOffset(sideways, static_cast<int>(i) + 1);
            movePicture(run[i], StepPositions(pictureAt(run[i]), {start.x + offset.x, start.y + offset.y}, steps));
        }
    }
    return made;
}
