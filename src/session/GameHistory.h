#pragma once

#include <QString>

class Shared;

// The moves of the game on the table as a text file for the player.
namespace gameHistory {

// The history file: the game's figures, then one line per recorded move,
// lines ended by CR LF.
QString fileText(const Shared& shared);
// Asks where to write the history and writes it; says so when done. A
// folder that does not exist does nothing.
void Export(Shared& shared);

} // namespace gameHistory
