#include "rules/cGames.h"

#include "rules/ClosedCardsSource.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"

#include <cmath>

namespace {
// Face-down cards of a fanned pile lie this far apart, whatever the fan.
constexpr int16_t kClosedStep = 60;
// Foundation cards above the bottom one are drawn this much lower in the
// raised-foundation games.
constexpr int16_t kRaise = 250;
// Top margin above every layout.
constexpr int16_t kTopMargin = 360;
} // namespace

void cGames::Home(int16_t piles, int32_t order, int16_t cards, int16_t ak, int16_t emptyNum, int16_t multiMove,
                  int16_t startX, int16_t startY, int16_t pileWidth, int16_t posWidth, int16_t div, int16_t divWidth,
                  int32_t pileOrder, int32_t cHomeType, int32_t cMultiOrder, int32_t suitType, int16_t cCardsOpen)
{
    d_.groups[Cell::Home] =
        Group{piles, cards, order, ak, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder};
    d_.emptyNum = emptyNum;
    d_.multiMove = multiMove;
    d_.homeType = cHomeType;
    d_.multiOrder = cMultiOrder;
    d_.suitType = suitType;
    d_.cardsOpen = cCardsOpen;
}

void cGames::Stock(int16_t piles, int32_t stockMove, int16_t startX, int16_t startY, int16_t posWidth, int16_t stockNum,
                   int32_t stockType)
{
    Group& g = d_.groups[Cell::Stock];
    g.piles = piles;
    g.startX = startX;
    g.startY = startY;
    g.posWidth = posWidth;
    d_.stockMove = stockMove;
    d_.stockNum = stockNum;
    d_.stockType = stockType;
}

void cGames::Waste(int16_t piles, int16_t startX, int16_t startY, int16_t pileWidth, int16_t cards, int16_t posWidth)
{
    Group& g = d_.groups[Cell::Waste];
    g.piles = piles;
    g.startX = startX;
    g.startY = startY;
    g.pileWidth = pileWidth;
    g.cards = cards;
    g.posWidth = posWidth;
}

void cGames::Goal(int16_t piles, int32_t order, int16_t cards, int32_t goalType, int16_t ak, int16_t startX,
                  int16_t startY, int16_t pileWidth, int16_t posWidth, int16_t div, int16_t divWidth, int32_t pileOrder)
{
    d_.groups[Cell::Foundation] =
        Group{piles, cards, order, ak, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder};
    d_.goalType = goalType;
}

void cGames::Res(int16_t piles, int16_t cards, int16_t startX, int16_t startY, int16_t pileWidth, int16_t posWidth,
                 int16_t div, int16_t divWidth, int32_t pileOrder, int16_t cResNum)
{
    // Reserve piles never build: their order and wrapping stay 0.
    d_.groups[Cell::Reserve] = Group{piles, cards, 0, 0, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder};
    d_.resNum = cResNum;
}

void cGames::Ext(int16_t baseX, int16_t baseY, int16_t cards, int16_t cRedeals, const QString& tag,
                 int16_t cDisAutoPlay, int16_t goalDiv)
{
    d_.baseX = baseX;
    d_.baseY = baseY;
    d_.totalCards = cards;
    d_.redeals = cRedeals;
    d_.tag = tag;
    d_.aceKingFoundations = tag == QLatin1String("KlondikeAK") || tag == QLatin1String("FreecellAK");
    d_.spiderRules = tag == QLatin1String("Spider");
    d_.disAutoPlay = cDisAutoPlay;
    d_.goalDiv = goalDiv;
}

void cGames::outOfRange() { throw RunTimeError::subscript(); }

int16_t cGames::Cards(int16_t cell) const { return group(cell).cards; }
int16_t cGames::StartX(int16_t cell) const { return group(cell).startX; }
int16_t cGames::StartY(int16_t cell) const { return group(cell).startY; }
int16_t cGames::PileWidth(int16_t cell) const { return group(cell).pileWidth; }
int16_t cGames::PosWidth(int16_t cell) const { return group(cell).posWidth; }
int16_t cGames::Div(int16_t cell) const { return group(cell).div; }
int16_t cGames::DivWidth(int16_t cell) const { return group(cell).divWidth; }
int32_t cGames::PileOrder(int16_t cell) const { return group(cell).pileOrder; }

int16_t cGames::closedCards(int16_t pile) const
{
    return closedCards_ != nullptr ? closedCards_->ClosedCards(pile) : 0;
}

cGames::Point cGames::LayoutPos(int16_t cell, int16_t pile, int16_t pos) const
{
    using namespace int16;
    const Group& g = group(cell);
    Point p;

    if (cell == Cell::Stock || cell == Cell::Waste) {
        // A thick stock or waste grows towards the upper left in few steps.
        if (pos < 0)
            throw RunTimeError(RunTimeError::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
        const int16_t k = quot(fromReal(std::sqrt(static_cast<double>(pos))), 2);
        p.x = sub(g.startX, mul(k, g.posWidth));
        p.y = sub(g.startY, mul(k, g.posWidth));
        return p;
    }

    const int16_t r = rem(pile, g.div);
    const int16_t q = quot(pile, g.div);
    switch (g.pileOrder) {
    case PileLayout::FanDown: {
        p.x = add(g.startX, mul(r, g.pileWidth));
        const int16_t c = cell == Cell::Home ? closedCards(pile) : int16_t{0};
        if (c >= 1)
            p.y = add(add(add(g.startY, mul(c, kClosedStep)), mul(sub(pos, c), g.posWidth)), mul(q, g.divWidth));
        else
            p.y = add(add(g.startY, mul(pos, g.posWidth)), mul(q, g.divWidth));
        break;
    }
    case PileLayout::FanDownAcross:
        p.x = add(add(g.startX, mul(r, g.pileWidth)), mul(q, g.divWidth));
        p.y = add(g.startY, mul(pos, g.posWidth));
        break;
    case PileLayout::FanRight: {
        const int16_t c = closedCards(pile);
        const int16_t left = add(g.startX, mul(r, g.pileWidth));
        if (c >= 1)
            p.x = add(add(left, mul(c, kClosedStep)), mul(sub(pos, c), g.posWidth));
        else
            p.x = add(left, mul(pos, g.posWidth));
        p.y = add(g.startY, mul(q, g.divWidth));
        break;
    }
    case PileLayout::FanRightStacked:
        p.x = add(add(g.startX, mul(pos, g.posWidth)), mul(q, g.divWidth));
        p.y = add(g.startY, mul(r, g.pileWidth));
        break;
    default: break;
    }

    if (cell == Cell::Foundation && pos >= 1 &&
        (runningGameName_ == QLatin1String("Petal") || d_.tag == QLatin1String("Stala")))
        p.y = add(p.y, kRaise);
    return p;
}

int16_t cGames::GetCordX(int16_t cell, int16_t pile, int16_t pos) const { return cord(cell, pile, pos).x; }

int16_t cGames::GetCordY(int16_t cell, int16_t pile, int16_t pos) const { return cord(cell, pile, pos).y; }

cGames::Point cGames::cord(int16_t cell, int16_t pile, int16_t pos) const
{
    const Point p = LayoutPos(cell, pile, pos);
    // Centred on the screen width measured when the main window loaded:
    // (width - base) / 2 + x, rounded halves to even.
    const int64_t twiceX = int64_t{screenWidth_} - d_.baseX + 2 * int64_t{p.x};
    return {int16::half(twiceX), int16::add(int16::add(p.y, d_.baseY), kTopMargin)};
}
