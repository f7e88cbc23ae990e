#pragma once

#include <array>
#include <cstdint>

// Which suit each suit index shows on the card faces. Suits 1 and 3 are red,
// 0 and 2 black; a two-suit game shows spades and hearts, a one-suit game
// spades only.
namespace suits {

inline constexpr int16_t kSpades = 0;
inline constexpr int16_t kHearts = 1;
inline constexpr int16_t kClubs = 2;
inline constexpr int16_t kDiamonds = 3;

inline constexpr std::array<char, 4> kLetters{'S', 'H', 'C', 'D'};
inline constexpr std::array<char, 13> kRankLetters{'A', '2', '3', '4', '5', '6', '7', '8', '9', 'T', 'J', 'Q', 'K'};

// How the player reads a card: "10", "Q"; the suits' own signs.
inline constexpr std::array<const char*, 13> kRankNames{"A", "2", "3",  "4", "5", "6", "7",
                                                        "8", "9", "10", "J", "Q", "K"};
inline constexpr std::array<char16_t, 4> kSigns{u'\u2660', u'\u2665', u'\u2663', u'\u2666'};

inline constexpr bool isRed(int16_t suit) { return suit == kHearts || suit == kDiamonds; }

} // namespace suits
