// Dragging cards with the mouse: the press that picks a card (and the run on
// it) up, the moves that carry it, and the release that drops it on the
// first pile that takes it, or returns it.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

#include <limits>

namespace {

constexpr int32_t kCardWidth = 1065;
constexpr int32_t kCardHeight = 1440;
// Offsets of the cards of a dragged run inside the grabbed picture.
constexpr int32_t kRunStepDown = 250;
constexpr int32_t kRunStepSideways = 180;

bool fits16(double v) { return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max(); }

CardSurface::Point runOffset(bool sideways, int i)
{
    return sideways ? CardSurface::Point{i * kRunStepSideways, 0} : CardSurface::Point{0, i * kRunStepDown};
}

} // namespace

void cPlay::MouseDown(int16_t mPicID, int16_t Cell, int16_t Pile, int16_t Pos)
{
    const cGames& games = games_;
    DragState& drag = drag_;
    if (drag.active)
        return;
    if (Cell == Cell::Stock && games.StockType() != StockType::TopPlayable) {
        StockClick();
        return;
    }
    int16_t k = 0;
    if (!CanPickUp(mPicID, k))
        return;

    CardSurface& surface = services_.surface();
    drag.k = k;
    drag.runCards.clear();
    drag.outOfRange = false;
    drag.sideways =
        games.HomePileOrder() == PileLayout::FanRight || games.HomePileOrder() == PileLayout::FanRightStacked;
    if (Cell == 0 && k > 0) {
        for (int16_t i = 1; i <= k; ++i) {
            const int16_t runCard = GetPicID(0, Pile, int16::add(Pos, i));
            drag.runCards.push_back(runCard);
            surface.attachRunCard(mPicID, runCard, runOffset(drag.sideways, i));
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

void cPlay::MouseMove(int16_t mPicID, int16_t /*Pile*/, int16_t /*Pos*/, double x, double Y)
{
    DragState& drag = drag_;
    if (!drag.active)
        return;
    CardSurface& surface = services_.surface();
    const CardSurface::Point at = surface.cardPosition(mPicID);
    const double left = at.x + x - drag.grabX;
    const double top = at.y + Y - drag.grabY;
    if (!fits16(left) || !fits16(top)) {
        // The table's coordinates end here: the drop will be refused.
        drag.outOfRange = true;
        return;
    }
    surface.moveCard(mPicID, {{static_cast<int32_t>(left), static_cast<int32_t>(top)}});
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

std::optional<std::pair<int16_t, int16_t>> cPlay::dropTarget(int16_t mPicID, int16_t k) const
{
    const cGames& games = games_;
    const CardSurface::Point at = services_.surface().cardPosition(mPicID);
    const bool spider = games.spiderRules();
    for (const bool centre : {true, false}) {
        auto hit = [&](int16_t cell, int16_t pile, int16_t pos) {
            return centre ? hitCentre(at, cell, pile, pos) : hitOverlap(at, cell, pile, pos);
        };
        for (int16_t p = 0; p < games.Piles(0); ++p)
            if (hit(0, p, GetTop(0, p)) && CanDrop(mPicID, k, 0, p))
                return std::pair<int16_t, int16_t>{0, p};
        for (int16_t p = 0; p < games.Piles(4); ++p)
            if (hit(4, p, 0) && CanDrop(mPicID, k, 4, p))
                return std::pair<int16_t, int16_t>{4, p};
        if (!spider)
            for (int16_t p = 0; p < games.Piles(3); ++p)
                if (hit(3, p, 0) && CanDrop(mPicID, k, 3, p))
                    return std::pair<int16_t, int16_t>{3, p};
    }
    return std::nullopt;
}

void cPlay::MouseUp(int16_t mPicID, int16_t /*Cell*/, int16_t /*Pile*/, int16_t /*Pos*/)
{
    DragState& drag = drag_;
    CardSurface& surface = services_.surface();
    services_.busy = false;
    surface.setCardSize(mPicID, kCardWidth, kCardHeight);

    const std::optional<std::pair<int16_t, int16_t>> target =
        drag.outOfRange ? std::nullopt : dropTarget(mPicID, drag.k);
    if (target) {
        const auto [cell, pile] = *target;
        MoveCard(mPicID, cell, pile, int16::add(GetTop(cell, pile), 1), kMovePlayer, 1, cell == 0 ? drag.k : int16_t{0},
                 kFaceUp);
    } else {
        // Back to where the drag began, the run in its fan.
        surface.moveCard(mPicID, {{drag.startLeft, drag.startTop}});
        for (size_t i = 0; i < drag.runCards.size(); ++i) {
            const CardSurface::Point offset = runOffset(drag.sideways, static_cast<int>(i) + 1);
            surface.moveCard(drag.runCards[i], {{drag.startLeft + offset.x, drag.startTop + offset.y}});
        }
    }
    drag.runCards.clear();
    drag.k = 0;
    drag.outOfRange = false;
}
