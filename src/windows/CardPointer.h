#pragma once

#include <cstdint>

class Shared;

// What the main window does with the pointer on a card picture: a press
// resumes a paused game and starts its clock, then picks the card up; moves
// carry it; the release drops it and sounds the move. x and y are the
// pointer's place inside the picture, in twips. Nothing happens while no
// game is running.
class CardPointer {
public:
    explicit CardPointer(Shared& shared) : shared_(shared) {}

    void press(int16_t id, double x, double y);
    void move(int16_t id, double x, double y);
    void release(int16_t id);
    // A click on the stock's empty place: a redeal while redeals are left.
    void stockPlaceClicked();

private:
    Shared& shared_;
};
