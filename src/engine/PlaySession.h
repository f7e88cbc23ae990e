#pragma once

#include <cstdint>

// What the play table needs of the game session: whether a game is in play,
// the redeals made so far, and where to report a won game.
class PlaySession {
public:
    virtual ~PlaySession() = default;

    // 0 nothing on the table, 1 a game in progress, 2 a finished game on show.
    virtual int32_t Game_Status() const = 0;
    // A playable game is on the table.
    virtual bool Game_Running() const = 0;
    virtual int16_t RedealsComp() const = 0;
    virtual void setRedealsComp(int16_t value) = 0;
    // Every card is on the foundations. Told once, after the player's action
    // that completed the game (with its automatic moves) has finished.
    virtual void GameWon() = 0;
};
