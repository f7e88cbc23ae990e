#include "rules/BuildOrder.h"

#include <gtest/gtest.h>

namespace {

using BuildOrder::accepts;
using BuildOrder::Face;

// Every card of one deck: rank 0..12, suit 0..3.
template <typename F> bool anyPair(F&& f)
{
    for (int16_t u = 0; u < 52; ++u)
        for (int16_t p = 0; p < 52; ++p)
            if (f(Face{static_cast<int16_t>(u % 13), static_cast<int16_t>(u / 13)},
                  Face{static_cast<int16_t>(p % 13), static_cast<int16_t>(p / 13)}))
                return true;
    return false;
}

// The help pages' words and the move rule come from one decoder: a code the
// help describes lets some card be built, and each rank step and suit test
// the words name is the one the rule applies.
TEST(BuildOrderTest, WordsDescribeExactlyWhatTheRuleAccepts)
{
    for (int32_t code = -1; code <= 25; ++code) {
        SCOPED_TRACE(code);
        const QString words = BuildOrder::words(code);
        const bool acceptsAny = anyPair([&](Face u, Face p) { return accepts(code, u, p, false); });
        EXPECT_EQ(acceptsAny, !words.isEmpty());
        if (BuildOrder::ruleOf(code).kind != BuildOrder::Kind::Sequence)
            continue;
        const bool saysDown = words.startsWith(QLatin1String("down")) || words.startsWith(QLatin1String("up or down"));
        const bool saysUp = words.startsWith(QLatin1String("up"));
        EXPECT_EQ(anyPair([&](Face u, Face p) { return p.rank == u.rank - 1 && accepts(code, u, p, false); }),
                  saysDown);
        EXPECT_EQ(anyPair([&](Face u, Face p) { return p.rank == u.rank + 1 && accepts(code, u, p, false); }), saysUp);
        EXPECT_FALSE(anyPair([&](Face u, Face p) { return p.rank == u.rank && accepts(code, u, p, true); }));

        const bool sameSuitOk = anyPair([&](Face u, Face p) { return u.suit == p.suit && accepts(code, u, p, false); });
        const bool sameColourOtherSuitOk = anyPair([&](Face u, Face p) {
            return u.suit != p.suit && (u.suit & 1) == (p.suit & 1) && accepts(code, u, p, false);
        });
        const bool otherColourOk =
            anyPair([&](Face u, Face p) { return (u.suit & 1) != (p.suit & 1) && accepts(code, u, p, false); });
        if (words.endsWith(QLatin1String("in suit"))) {
            EXPECT_TRUE(sameSuitOk && !sameColourOtherSuitOk && !otherColourOk);
        } else if (words.endsWith(QLatin1String("in alternating colours"))) {
            EXPECT_TRUE(!sameSuitOk && !sameColourOtherSuitOk && otherColourOk);
        } else if (words.endsWith(QLatin1String("in the same colour"))) {
            EXPECT_TRUE(sameSuitOk && sameColourOtherSuitOk && !otherColourOk);
        } else if (words.endsWith(QLatin1String("in a different suit"))) {
            EXPECT_TRUE(!sameSuitOk && sameColourOtherSuitOk && otherColourOk);
        } else {
            EXPECT_TRUE(words.endsWith(QLatin1String("regardless of suit")));
            EXPECT_TRUE(sameSuitOk && sameColourOtherSuitOk && otherColourOk);
        }
    }
}

// The codes keep the numbers stored in the catalogue and saved games.
TEST(BuildOrderTest, NamedCodesKeepTheirNumbersAndTheirMeaning)
{
    static_assert(BuildOrder::DownOtherColour == 4 && BuildOrder::AnyCard == 9 && BuildOrder::UpOtherSuit == 19);
    const Face black7{6, 0}, red6{5, 1}, black6{5, 2}, spade6{5, 0};
    EXPECT_TRUE(accepts(BuildOrder::DownOtherColour, black7, red6, false));
    EXPECT_FALSE(accepts(BuildOrder::DownOtherColour, black7, black6, false));
    EXPECT_TRUE(accepts(BuildOrder::DownSameColour, black7, black6, false));
    EXPECT_TRUE(accepts(BuildOrder::DownSameSuit, black7, spade6, false));
    EXPECT_FALSE(accepts(BuildOrder::DownSameSuit, black7, black6, false));
    EXPECT_TRUE(accepts(BuildOrder::SameRank, black7, Face{6, 3}, false));
    EXPECT_TRUE(accepts(BuildOrder::AnyCard, black7, Face{12, 3}, false));
    EXPECT_FALSE(accepts(BuildOrder::Nothing, black7, red6, false));
    EXPECT_FALSE(accepts(11, black7, red6, false));
    EXPECT_FALSE(accepts(1000, black7, red6, false));
}

// King and Ace are neighbours only when the group wraps.
TEST(BuildOrderTest, WrapMakesKingAndAceNeighbours)
{
    const Face ace{0, 0}, king{12, 0};
    EXPECT_FALSE(accepts(BuildOrder::DownSameSuit, ace, king, false));
    EXPECT_TRUE(accepts(BuildOrder::DownSameSuit, ace, king, true));
    EXPECT_TRUE(accepts(BuildOrder::UpSameSuit, king, ace, true));
    EXPECT_FALSE(accepts(BuildOrder::UpSameSuit, ace, king, true));
    EXPECT_TRUE(accepts(BuildOrder::UpOrDownAnySuit, king, ace, true));
    EXPECT_TRUE(accepts(BuildOrder::UpOrDownAnySuit, ace, king, true));
}

} // namespace
