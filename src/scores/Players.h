#pragma once

#include <QString>

#include <cstdint>

class SettingsStore;
class cData;

// The player list: up to 20 names in slots 1 .. 20 of the "Players"
// settings, kept contiguous from slot 1, and the current player under whose
// name games are recorded. Each player owns a score file named after them.
class Players {
public:
    static constexpr int16_t kMaxPlayers = 20;

    // What is wrong with a name typed for a new or renamed player.
    enum class NameCheck {
        Valid,
        // Empty, or blanks only.
        Empty,
        // A character that cannot stand in a file name: the name becomes
        // part of the score file's path.
        BadCharacters,
        // Some slot holds exactly this name already.
        Exists,
    };

    explicit Players(SettingsStore& settings) : settings_(settings) {}

    int16_t PlayerCount() const;
    QString PlayerName(int16_t slot) const;
    void SetPlayerName(int16_t slot, const QString& name, bool makeCurrent);
    QString CurrentPlayer() const;
    void SetCurrentPlayer(const QString& name);

    // At start-up: with nobody registered, "Player1" is created and made
    // current.
    void EnsurePlayer();

    // The slot holding exactly this name; 0 when none does.
    int16_t FindPlayer(const QString& name) const;
    NameCheck CheckName(const QString& name) const;
    static bool HasBadCharacters(const QString& name);

    // A player's score file: the program folder's path followed directly by
    // the name and ".sre".
    static QString ScoreFile(const cData& data, const QString& name);

    // Stores a checked name in the first empty slot; false when all 20 are
    // taken.
    bool AddPlayer(const QString& name);
    // Gives the player holding `oldName` the checked name `newName`: the
    // current player stays current under the new name, and the score file
    // follows when there is one.
    void RenamePlayer(const QString& oldName, const QString& newName, const cData& data);
    // Empties the first slot holding the name, moves the players after it up
    // one slot, and deletes the player's score file when there is one. The
    // current player is never deleted: false then, and when nobody has the
    // name.
    bool DeletePlayer(const QString& name, const cData& data);

private:
    void closeGap();

    SettingsStore& settings_;
};
