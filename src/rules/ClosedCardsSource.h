#pragma once

#include <cstdint>

// What the layout needs of the play table: how many face-down cards a home
// pile holds, so that face-down cards can be packed closer together.
class ClosedCardsSource {
public:
    virtual ~ClosedCardsSource() = default;
    virtual int16_t ClosedCards(int16_t pile) const = 0;
};
