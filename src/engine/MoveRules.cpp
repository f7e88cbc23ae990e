// Which cards may be picked up, and where they may be put down.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/BuildOrder.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

namespace {

bool isFreecellFamily(const QString& tag)
{
    return tag == QLatin1String("Freecell") || tag == QLatin1String("FreecellAK") || tag == QLatin1String("Penguin");
}

} // namespace

bool cPlay::CanBuild(int16_t under, int16_t placed, int32_t code, bool wrap) const
{
    const Card& u = card(under);
    const Card& p = card(placed);
    return BuildOrder::accepts(code, {u.Num, u.Suit}, {p.Num, p.Suit}, wrap);
}

bool cPlay::foundationFull(int16_t pile) const
{
    return !games_.spiderRules() && GetTop(Cell::Foundation, pile) + 1 >= foundationCapacity_;
}

bool cPlay::RunInOrder(int16_t mPicID, int16_t k) const
{
    const int16_t pile = Pile(mPicID);
    const int16_t s = Pos(mPicID);
    const int32_t order = games_.MultiOrder();
    const bool wrap = games_.AK(Cell::Home) != 0;
    for (int16_t q = s; q < s + k; ++q)
        if (!CanBuild(GetPicID(Cell::Home, pile, q), GetPicID(Cell::Home, pile, static_cast<int16_t>(q + 1)), order,
                      wrap))
            return false;
    return true;
}

bool cPlay::CanPickUp(int16_t mPicID, int16_t& k) const
{
    const cGames& games = games_;
    const int16_t cell = Cell(mPicID);
    const int16_t top = GetTop(cell, Pile(mPicID));
    k = 0;
    switch (cell) {
    case Cell::Home: {
        if (Pos(mPicID) == top)
            return true;
        k = static_cast<int16_t>(top - Pos(mPicID));
        if (FaceMode(mPicID) != kFaceUp || games.MultiMove() == 0 || !RunInOrder(mPicID, k))
            return false;
        if (isFreecellFamily(games.Tag())) {
            int16_t emptyHome = 0;
            int16_t emptyReserve = 0;
            for (int16_t p = 0; p < games.Piles(Cell::Home); ++p)
                emptyHome = static_cast<int16_t>(emptyHome + (GetTop(Cell::Home, p) < 0));
            for (int16_t p = 0; p < games.Piles(Cell::Reserve); ++p)
                emptyReserve = static_cast<int16_t>(emptyReserve + (GetTop(Cell::Reserve, p) < 0));
            if (k > (emptyHome + 1) * (emptyReserve + 1) - 1)
                return false;
        }
        return true;
    }
    case Cell::Stock: return games.StockType() == StockType::TopPlayable && Pos(mPicID) == top;
    case Cell::Waste: return Pos(mPicID) == top;
    // Only the top card: one taken from under others would leave a gap in
    // its pile.
    case Cell::Foundation:
    case Cell::Reserve: return Pos(mPicID) == top;
    default: return false;
    }
}

bool cPlay::CanDrop(int16_t mPicID, int16_t k, int16_t cell, int16_t pile) const
{
    const cGames& games = games_;
    const int16_t top = GetTop(cell, pile);
    switch (cell) {
    case Cell::Home:
        if (top < 0)
            return games.EmptyNum() == -1 || Num(mPicID) == games.EmptyNum();
        if (Cell(mPicID) == Cell::Home && Pile(mPicID) == pile)
            return false;
        return CanBuild(GetTopPicID(Cell::Home, pile), mPicID, games.Order(Cell::Home, pile),
                        games.AK(Cell::Home) != 0);
    case Cell::Reserve: return top < 0 && k == 0 && games.ResNum() == -1;
    case Cell::Foundation:
        if (games.spiderRules() || k != 0)
            return false;
        return CanGoToFoundation(mPicID, pile);
    default: return false;
    }
}

bool cPlay::CanGoToFoundation(int16_t mPicID, int16_t pile) const
{
    const int16_t top = GetTop(Cell::Foundation, pile);
    if (top < 0)
        return Num(mPicID) == baseRank_;
    if (foundationFull(pile))
        return false;
    // A foundation that holds more than one suit's worth goes on from the
    // end of each whole sequence to its start, in the same building order.
    const bool wrap = games_.AK(Cell::Foundation) != 0 || (top + 1) % kRanks == 0;
    return CanBuild(GetTopPicID(Cell::Foundation, pile), mPicID, games_.Order(Cell::Foundation, pile), wrap);
}
