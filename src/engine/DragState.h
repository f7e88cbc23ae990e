#pragma once

#include <cstdint>
#include <vector>

// A drag of a card (and the run lying on it) from press to release.
struct DragState {
    // From an accepted press until the release.
    bool active = false;
    // Cards lying on the grabbed card that move with it.
    int16_t k = 0;
    // Pointer position inside the grabbed picture at the press, in twips.
    double grabX = 0;
    double grabY = 0;
    // The grabbed picture's place at the press.
    int32_t startLeft = 0;
    int32_t startTop = 0;
    // The run's cards, bottom to top.
    std::vector<int16_t> runCards;
    // The home piles fan sideways.
    bool sideways = false;
    // The drag went beyond the table's coordinates; it will be refused.
    bool outOfRange = false;
};
