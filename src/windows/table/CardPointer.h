#pragma once

#include <cstdint>

class Shared;

// What the main window does with a player's hold on a card, whatever input
// holds it: a press resumes a paused game and starts its clock, then picks
// the card up; moves carry it; the release drops it and sounds the move.
// x and y are the pointer's place inside the picture, in twips. Every move
// is made by the table's one entry for a player's move. Nothing happens
// while no game is running.
class CardPointer {
public:
    explicit CardPointer(Shared& shared) : shared_(shared) {}

    void press(int16_t id, double x, double y);
    void move(double x, double y);
    // The drop where the picture lies now.
    void release();
    // The drop on a pile chosen by the keys or a click.
    void releaseOn(int16_t cell, int16_t pile);
    // The held card back where it was picked up.
    void cancel();
    // A move made at once, without a drag (a double click sends a card
    // home); false when the rules refuse it.
    bool play(int16_t id, int16_t cell, int16_t pile);
    // A click on the stock's empty place: a redeal while redeals are left.
    void stockPlaceClicked();

private:
    // A running game, out of its pause and with its clock on; false without
    // one.
    bool startPlay();

    Shared& shared_;
};
