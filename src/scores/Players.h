#pragma once

#include <QString>

#include <cstdint>

class SettingsStore;
class cData;

// The player list: up to 20 names in slots 1 .. 20 of the "Players"
// settings, kept contiguous from slot 1, and the current player under whose
// name games are recorded. Each player owns a score file named after them.
// A stored name that is not FitName (a settings file edited by hand) is
// ignored where it is read: the slot reads as empty, the settings store is
// told (it tells the player once a run), and at start-up such names are
// dropped from the list.
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
        // It begins with a dot, "." and ".." among them.
        LeadingDot,
        // Some slot holds exactly this name already.
        Exists,
    };

    explicit Players(SettingsStore& settings) : settings_(settings) {}

    int16_t PlayerCount() const;
    QString PlayerName(int16_t slot) const;
    void SetPlayerName(int16_t slot, const QString& name, bool makeCurrent);
    QString CurrentPlayer() const;
    void SetCurrentPlayer(const QString& name);

    // At start-up: names that are not FitName leave the list, which closes
    // up; with nobody registered, "Player1" is created and made current; a
    // current player that is not FitName gives way to the first player.
    void EnsurePlayer();

    // The slot holding exactly this name; 0 when none does.
    int16_t FindPlayer(const QString& name) const;
    NameCheck CheckName(const QString& name) const;
    static bool HasBadCharacters(const QString& name);
    // Whether a name can stand for a player at all, whether typed or read:
    // it names the score file, which must stay in the program's folder. Not
    // empty or blanks only, no "/", "\\" or control character, and no dot
    // at the start (which also keeps out "." and "..").
    static bool FitName(const QString& name);

    // A player's score file: the program folder's path followed directly by
    // the name and ".sre". A name that is not FitName is refused
    // (RunTimeError), so no score file lies anywhere else; only the empty
    // name (nobody current) is let through, as it stays in the folder.
    static QString ScoreFile(const cData& data, const QString& name);

    // Stores a checked name in the first empty slot; false when all 20 are
    // taken.
    bool AddPlayer(const QString& name);
    // Whether a score file (or a link) stands under the name already: a
    // player renamed to it would take over those records and leave their
    // own behind, so such a rename is refused.
    static bool ScoresUnderName(const cData& data, const QString& name);
    // Gives the player holding `oldName` the checked name `newName`: the
    // current player stays current under the new name, and the score file
    // follows when there is one. Raises RunTimeError, changing nothing, when
    // ScoresUnderName(newName) or the score file cannot be moved.
    void RenamePlayer(const QString& oldName, const QString& newName, const cData& data);
    // Empties the first slot holding the name, moves the players after it up
    // one slot, and deletes the player's score file when there is one. The
    // current player is never deleted: false then, and when nobody has the
    // name.
    bool DeletePlayer(const QString& name, const cData& data);

private:
    void closeGap();
    // The stored name, or nothing (and the store told) when it is not fit.
    QString usable(const QString& stored) const;

    SettingsStore& settings_;
};
