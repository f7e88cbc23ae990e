#pragma once

#include <QString>

#include <cstdint>

class cEngine;

// How the moves of the history are described to the player.
namespace moveTexts {

// "Tableau", "Stock", "Waste", "Foundation", "Reserve"; empty for any other
// group.
QString groupName(int16_t cell);
// "Tableau (Pile 2, Card 5)"; pile and card counted from `base` (0 as the
// table stores them, 1 as a player counts).
QString placeText(int16_t cell, int16_t pile, int16_t pos, int base);
// The source and destination of move n (1 .. the last recorded), joined by
// " -> ".
QString moveDescription(const cEngine& engine, int16_t n);
// How many cards move n took.
int cardCount(const cEngine& engine, int16_t n);

} // namespace moveTexts
