#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The build-order codes (a group's Order, the run order MultiOrder): which
// card may be put directly on another. This is the one decoder of them; the
// move rules, the solver and the help pages all read the codes here.
namespace BuildOrder {
enum Code : int32_t {
    Nothing = 0, // also 11, 13, 14 and above 19: no card is accepted
    DownSameSuit = 1,
    UpSameSuit = 2,
    UpOrDownSameSuit = 3,
    DownOtherColour = 4,
    UpOtherColour = 5,
    UpOrDownOtherColour = 6,
    DownAnySuit = 7,
    UpAnySuit = 8,
    AnyCard = 9, // any card on any card, no test
    SameRank = 10,
    UpOrDownAnySuit = 12,
    DownOtherSuit = 15,
    DownSameColour = 16,
    UpSameColour = 17,
    UpOrDownSameColour = 18,
    UpOtherSuit = 19,
};

// What a code compares: a rank step and a suit test, or one of the codes
// that need no step.
enum class Kind : uint8_t { Nothing, Sequence, AnyCard, SameRank };
enum class Rank : uint8_t { Down, Up, Either };
enum class Suit : uint8_t { Same, Other, SameColour, OtherColour, Any };

struct Rule {
    Kind kind = Kind::Nothing;
    Rank rank = Rank::Down;
    Suit suit = Suit::Any;
};

namespace detail {
inline constexpr int32_t kLastCode = 19;
inline constexpr std::array<Rule, kLastCode + 1> kRules = [] {
    std::array<Rule, kLastCode + 1> r{};
    const auto seq = [](Rank rank, Suit suit) { return Rule{Kind::Sequence, rank, suit}; };
    r[DownSameSuit] = seq(Rank::Down, Suit::Same);
    r[UpSameSuit] = seq(Rank::Up, Suit::Same);
    r[UpOrDownSameSuit] = seq(Rank::Either, Suit::Same);
    r[DownOtherColour] = seq(Rank::Down, Suit::OtherColour);
    r[UpOtherColour] = seq(Rank::Up, Suit::OtherColour);
    r[UpOrDownOtherColour] = seq(Rank::Either, Suit::OtherColour);
    r[DownAnySuit] = seq(Rank::Down, Suit::Any);
    r[UpAnySuit] = seq(Rank::Up, Suit::Any);
    r[AnyCard] = Rule{Kind::AnyCard, Rank::Down, Suit::Any};
    r[SameRank] = Rule{Kind::SameRank, Rank::Down, Suit::Any};
    r[UpOrDownAnySuit] = seq(Rank::Either, Suit::Any);
    r[DownOtherSuit] = seq(Rank::Down, Suit::Other);
    r[DownSameColour] = seq(Rank::Down, Suit::SameColour);
    r[UpSameColour] = seq(Rank::Up, Suit::SameColour);
    r[UpOrDownSameColour] = seq(Rank::Either, Suit::SameColour);
    r[UpOtherSuit] = seq(Rank::Up, Suit::Other);
    return r;
}();
} // namespace detail

// The rule of a code; any code outside the table accepts nothing.
constexpr Rule ruleOf(int32_t code)
{
    return code >= 0 && code <= detail::kLastCode ? detail::kRules[static_cast<size_t>(code)] : Rule{};
}

// One card as the rules see it: rank 0 (Ace) to 12 (King), suit 0 to 3;
// suits 1 and 3 are red.
struct Face {
    int16_t rank;
    int16_t suit;
};

// May `placed` go directly on `under` under the code? With `wrap`, a King
// and an Ace count as neighbours. The suit test is made only when the rank
// step holds.
constexpr bool accepts(int32_t code, Face under, Face placed, bool wrap)
{
    const Rule rule = ruleOf(code);
    switch (rule.kind) {
    case Kind::Nothing: return false;
    case Kind::AnyCard: return true;
    case Kind::SameRank: return under.rank == placed.rank;
    case Kind::Sequence: break;
    }
    const bool down = under.rank == placed.rank + 1 || (wrap && under.rank == 0 && placed.rank == 12);
    const bool up = placed.rank == under.rank + 1 || (wrap && under.rank == 12 && placed.rank == 0);
    const bool rankOk = rule.rank == Rank::Down ? down : rule.rank == Rank::Up ? up : (down || up);
    if (!rankOk)
        return false;
    const bool sameColour = (under.suit & 1) == (placed.suit & 1);
    switch (rule.suit) {
    case Suit::Same: return under.suit == placed.suit;
    case Suit::Other: return under.suit != placed.suit;
    case Suit::SameColour: return sameColour;
    case Suit::OtherColour: return !sameColour;
    case Suit::Any: return true;
    }
    return false;
}

// The help pages' words for a code: "down in alternating colours", "with
// any card on any card"; empty for a code that accepts nothing.
QString words(int32_t code);
// The words of a rank step ("down", "up", "up or down") and of a suit test
// ("in suit", "regardless of suit").
QString rankWords(Rank rank);
QString suitWords(Suit suit);

} // namespace BuildOrder
