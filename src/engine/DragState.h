#pragma once

#include <cstdint>
#include <vector>

// The player's hold on a card, from the press that picks it up (with the run
// lying on it) until it is let go, whatever input holds it: the mouse, the
// keyboard or a click. The engine keeps the grabbed picture's place here as
// the pointer moves, so a drop is decided from this record alone. The
// windows note here how the gesture goes (a click, a double click, a card
// held by the keys); the engine leaves those fields alone.
struct DragState {
    // From an accepted press until the release.
    bool active = false;
    // The grabbed card; -1 outside a drag.
    int16_t card = -1;
    // Cards lying on the grabbed card that move with it.
    int16_t k = 0;
    // Pointer position inside the grabbed picture at the press, in twips.
    double grabX = 0;
    double grabY = 0;
    // The grabbed picture's place at the press.
    int32_t startLeft = 0;
    int32_t startTop = 0;
    // The grabbed picture's place now, in twips.
    int32_t left = 0;
    int32_t top = 0;
    // The run's cards, bottom to top.
    std::vector<int16_t> runCards;
    // The home piles fan sideways.
    bool sideways = false;
    // The drag went beyond the table's coordinates; it will be refused.
    bool outOfRange = false;

    // Kept by the windows.
    // The card the pointer went down on, until it comes up; -1 for none.
    int pressedCard = -1;
    // The pointer went down on the stock's empty place.
    bool pressedStock = false;
    // The pointer moved the card since it went down: the release is a drop,
    // not a click.
    bool movedSincePress = false;
    // The card whose double click sends it home when the pointer comes up;
    // -1 for none.
    int doubleClicked = -1;
    // "Click to move": the card a click picked up, until the next click; -1
    // for none.
    int16_t clickHeld = -1;
    // The card the keys picked up, until they drop it; -1 for none.
    int16_t keyHeld = -1;
};
