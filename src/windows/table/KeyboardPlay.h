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
// keys hold and drop the cards through the same pointer. Escape puts a held
// card back. D deals from the stock (or turns the waste back). The card held
// is noted in the table's drag record.
class KeyboardPlay {
public:
    KeyboardPlay(Shared& shared, TableView& table, CardPointer& pointer);

    // True when the key was used.
    bool key(int key);

    // The piles the frame visits, in order: (cell, pile).
    std::vector<std::pair<int16_t, int16_t>> places() const;
    std::pair<int16_t, int16_t> place() const;
    int depth() const { return depth_; }
    bool holding() const;
    void moveTo(size_t index);
    // Frame and state again after the game changed under it.
    void refresh();
    // The cards moved (by any input, an undo, a replay): a frame shown
    // follows them.
    void tableChanged();
    // Sends a face-up top card to a foundation that takes it, as a drag
    // there would; false when none does.
    bool sendHome(int16_t card);
    // "Click to move": a card picked up by a click is held until the next
    // click, which puts it on the pile there (or back, when the rules
    // refuse, or when the click is on the card itself).
    void holdClicked(int16_t card);
    bool clickHeld() const;
    void dropClickedAt(QPointF twips);

private:
    int16_t cardAtFocus() const;
    int faceUpRun() const;
    void markDropPlace();
    void pickUp();
    void drop();
    void cancel();
    void dealStock();

    Shared& shared_;
    TableView& table_;
    CardPointer& pointer_;
    size_t index_ = 0;
    int depth_ = 0;
};
