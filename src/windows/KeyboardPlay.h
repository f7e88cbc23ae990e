#pragma once

#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <utility>
#include <vector>

class CardPointer;
class Shared;
class TableView;

// Play by keyboard on the table. A frame marks a pile: Tab, Shift+Tab and
// the Left and Right arrows move it across the piles in the order they lie
// on the table; Up and Down choose how deep in a face-up run to take. Space
// or Enter picks up there, and a second press drops on the pile then
// marked; a drop the rules refuse goes back, as with the mouse, because the
// keys move the cards through the same pointer. Escape puts a held card
// back. D deals from the stock (or turns the waste back).
class KeyboardPlay {
public:
    KeyboardPlay(Shared& shared, TableView& table, CardPointer& pointer);

    // True when the key was used.
    bool key(int key);

    // The piles the frame visits, in order: (cell, pile).
    std::vector<std::pair<int16_t, int16_t>> places() const;
    std::pair<int16_t, int16_t> place() const;
    int depth() const { return depth_; }
    bool holding() const { return held_ >= 0; }
    void moveTo(size_t index);
    // Frame and state again after the game changed under it.
    void refresh();
    // Sends a face-up top card to a foundation that takes it, through the
    // pointer as a drag would; false when none does.
    bool sendHome(int16_t card);
    // "Click to move": a card picked up by a click is held until the next
    // click, which puts it on the pile there (or back, when the rules
    // refuse, or when the click is on the card itself).
    void holdClicked(int16_t card);
    bool clickHeld() const { return clickHeld_ >= 0; }
    void dropClickedAt(QPointF twips);

private:
    int16_t cardAtFocus() const;
    int faceUpRun() const;
    void pickUp();
    void drop();
    // Puts the card being held over the pile, through the pointer.
    void dropOn(int16_t card, int16_t cell, int16_t pile);
    void cancel();
    void dealStock();

    Shared& shared_;
    TableView& table_;
    CardPointer& pointer_;
    size_t index_ = 0;
    int depth_ = 0;
    int16_t held_ = -1;
    int16_t clickHeld_ = -1;
};
