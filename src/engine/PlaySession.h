#pragma once

#include "engine/GameNo.h"

#include <QString>

#include <cstdint>

// What the play table and its history need of the game session: whether a
// game is in play, the redeals made so far, where to report a won game, and
// the figures a saved game records.
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

    // The figures written at the head of a saved game.
    virtual const QString& GameName() const = 0;
    virtual const GameNo& gameNo() const = 0;
    virtual int32_t Time() const = 0;
    virtual int16_t Score() const = 0;
    virtual int16_t Percentage() const = 0;
};

// No session: nothing on the table is in play. What a table dealt for a
// preview, a check or the command line reports to.
class NoPlaySession final : public PlaySession {
public:
    int32_t Game_Status() const override { return 0; }
    bool Game_Running() const override { return false; }
    int16_t RedealsComp() const override { return redealsComp_; }
    void setRedealsComp(int16_t value) override { redealsComp_ = value; }
    void GameWon() override {}
    const QString& GameName() const override { return name_; }
    const GameNo& gameNo() const override { return number_; }
    int32_t Time() const override { return 0; }
    int16_t Score() const override { return 0; }
    int16_t Percentage() const override { return 0; }

private:
    int16_t redealsComp_ = 0;
    QString name_;
    GameNo number_;
};
