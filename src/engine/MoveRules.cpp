// Which cards may be picked up, and where they may be put down.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/cGames.h"

namespace {

enum class Rank { Down, Up, Either };
enum class SuitRule { Same, Other, SameColour, OtherColour, Any };

struct BuildRule {
    Rank rank;
    SuitRule suit;
};

// The build-order codes that compare rank and suit; 9 and 10 are handled
// before, every other code accepts nothing.
std::optional<BuildRule> ruleOf(int32_t code)
{
    switch (code) {
    case 1: return BuildRule{Rank::Down, SuitRule::Same};
    case 2: return BuildRule{Rank::Up, SuitRule::Same};
    case 3: return BuildRule{Rank::Either, SuitRule::Same};
    case 4: return BuildRule{Rank::Down, SuitRule::OtherColour};
    case 5: return BuildRule{Rank::Up, SuitRule::OtherColour};
    case 6: return BuildRule{Rank::Either, SuitRule::OtherColour};
    case 7: return BuildRule{Rank::Down, SuitRule::Any};
    case 8: return BuildRule{Rank::Up, SuitRule::Any};
    case 12: return BuildRule{Rank::Either, SuitRule::Any};
    case 15: return BuildRule{Rank::Down, SuitRule::Other};
    case 16: return BuildRule{Rank::Down, SuitRule::SameColour};
    case 17: return BuildRule{Rank::Up, SuitRule::SameColour};
    case 18: return BuildRule{Rank::Either, SuitRule::SameColour};
    case 19: return BuildRule{Rank::Up, SuitRule::Other};
    default: return std::nullopt;
    }
}

bool isFreecellFamily(const QString& tag)
{
    return tag == QLatin1String("Freecell") || tag == QLatin1String("FreecellAK") || tag == QLatin1String("Penguin");
}

} // namespace

bool cPlay::CanBuild(int16_t under, int16_t placed, int32_t code, bool wrap) const
{
    const Card& underCard = card(under);
    const Card& placedCard = card(placed);
    const int16_t u = underCard.Num;
    const int16_t p = placedCard.Num;
    if (code == 9)
        return true;
    if (code == 10)
        return u == p;
    const std::optional<BuildRule> rule = ruleOf(code);
    if (!rule)
        return false;

    const bool down = u == p + 1 || (wrap && u == 0 && p == 12);
    const bool up = p == u + 1 || (wrap && u == 12 && p == 0);
    const bool rankOk = rule->rank == Rank::Down ? down : rule->rank == Rank::Up ? up : (down || up);
    if (!rankOk)
        return false;

    switch (rule->suit) {
    case SuitRule::Same: return underCard.Suit == placedCard.Suit;
    case SuitRule::Other: return underCard.Suit != placedCard.Suit;
    case SuitRule::SameColour: return red(underCard) == red(placedCard);
    case SuitRule::OtherColour: return red(underCard) != red(placedCard);
    case SuitRule::Any: return true;
    }
    return false;
}

bool cPlay::foundationFull(int16_t pile) const
{
    return !games_.spiderRules() && GetTop(3, pile) + 1 >= foundationCapacity_;
}

bool cPlay::RunInOrder(int16_t mPicID, int16_t k) const
{
    const int16_t pile = Pile(mPicID);
    const int16_t s = Pos(mPicID);
    const int32_t order = games_.MultiOrder();
    const bool wrap = games_.AK(0) != 0;
    for (int16_t q = s; q < s + k; ++q)
        if (!CanBuild(GetPicID(0, pile, q), GetPicID(0, pile, static_cast<int16_t>(q + 1)), order, wrap))
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
    case 0: {
        if (Pos(mPicID) == top)
            return true;
        k = static_cast<int16_t>(top - Pos(mPicID));
        if (FaceMode(mPicID) != kFaceUp || games.MultiMove() == 0 || !RunInOrder(mPicID, k))
            return false;
        if (isFreecellFamily(games.Tag())) {
            int16_t emptyHome = 0;
            int16_t emptyReserve = 0;
            for (int16_t p = 0; p < games.Piles(0); ++p)
                emptyHome = static_cast<int16_t>(emptyHome + (GetTop(0, p) < 0));
            for (int16_t p = 0; p < games.Piles(4); ++p)
                emptyReserve = static_cast<int16_t>(emptyReserve + (GetTop(4, p) < 0));
            if (k > (emptyHome + 1) * (emptyReserve + 1) - 1)
                return false;
        }
        return true;
    }
    case 1: return games.StockType() == 1 && Pos(mPicID) == top;
    case 2: return Pos(mPicID) == top;
    case 3:
    case 4: return true;
    default: return false;
    }
}

bool cPlay::CanDrop(int16_t mPicID, int16_t k, int16_t cell, int16_t pile) const
{
    const cGames& games = games_;
    const int16_t top = GetTop(cell, pile);
    switch (cell) {
    case 0:
        if (top < 0)
            return games.EmptyNum() == -1 || Num(mPicID) == games.EmptyNum();
        if (Cell(mPicID) == 0 && Pile(mPicID) == pile)
            return false;
        return CanBuild(GetTopPicID(0, pile), mPicID, games.Order(0, pile), games.AK(0) != 0);
    case 4: return top < 0 && k == 0 && games.ResNum() == -1;
    case 3:
        if (games.spiderRules() || k != 0)
            return false;
        return CanGoToFoundation(mPicID, pile);
    default: return false;
    }
}

bool cPlay::CanGoToFoundation(int16_t mPicID, int16_t pile) const
{
    const int16_t top = GetTop(3, pile);
    if (top < 0)
        return Num(mPicID) == baseRank_;
    if (foundationFull(pile))
        return false;
    // A foundation that holds more than one suit's worth goes on from the
    // end of each whole sequence to its start, in the same building order.
    const bool wrap = games_.AK(3) != 0 || (top + 1) % kRanks == 0;
    return CanBuild(GetTopPicID(3, pile), mPicID, games_.Order(3, pile), wrap);
}
