#pragma once

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/cGames.h"

#include <QString>

// A table of its own for one game and number: a definition, default
// services and a play table. Dealing here leaves the game being played and
// everything process-wide alone. Previews, the game-file check, the rules
// pages and the command line deal through it; callers may attach a surface
// or settings to `services` before dealing.
class ScratchTable {
public:
    // The catalogue's game `name`.
    explicit ScratchTable(const QString& name);
    // A definition given whole, laid out as the game `name`.
    ScratchTable(const cGames& definition, const QString& name);
    ScratchTable(const ScratchTable&) = delete;
    ScratchTable& operator=(const ScratchTable&) = delete;

    // Clears the table and deals the number.
    cPlay& deal(const GameNo& number);

    Services services;
    cGames games;
    cPlay play{games, services};
};
