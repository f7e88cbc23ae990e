#pragma once

#include <QString>

#include <cstdint>
#include <span>

class cGames;

// The catalogue of the 62 games: the game list registered with the program
// data at start-up, and the loader that fills the definition record before
// every deal.
namespace mKlondike {

// One entry of the game list.
struct GameListEntry {
    int16_t Gid;        // 1..62, alphabetical
    QString gName;      // exact name, case and blanks matter
    int16_t IsOriginal; // True (-1) for the "Original Games"
    int16_t cDeck;      // 0 half deck, 1 one deck, 2 two decks
};

inline constexpr int16_t kGameCount = 62;

// The 62 entries in id order, ready for registration.
std::span<const GameListEntry> GameList();

// Whether the name matches a catalogue game exactly (case-sensitive).
bool IsGameName(const QString& name);

// Fills the definition record with the named game. The reserve and waste
// groups are always reset first; a name that matches no game leaves every
// other group as the previous game set it, so callers check IsGameName
// before they deal.
void LoadGameDefinition(cGames& games, const QString& name);

} // namespace mKlondike
