#pragma once

#include <cstdint>

// What every part of the core takes as given about a card.
namespace card {
// Ranks of one suit, Ace (0) to King (12); a complete run, Ace to King,
// has as many cards.
inline constexpr int16_t kRanks = 13;
inline constexpr int16_t kRunLength = kRanks;
inline constexpr int16_t kKing = kRanks - 1;
// A card picture's size on the play surface, in twips.
inline constexpr int16_t kWidth = 1065;
inline constexpr int16_t kHeight = 1440;
} // namespace card
