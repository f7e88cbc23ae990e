#pragma once

#include "engine/PlaySession.h"

#include <functional>

// A game session a test controls: in play and running unless told otherwise,
// counting the won games it is told about.
class FakeSession final : public PlaySession {
public:
    int32_t status = 1;
    bool running = true;
    int16_t redealsComp = 0;
    int wins = 0;
    // Called when the table reports a won game, to look at the table then.
    std::function<void()> onWon;

    int32_t Game_Status() const override { return status; }
    bool Game_Running() const override { return running; }
    int16_t RedealsComp() const override { return redealsComp; }
    void setRedealsComp(int16_t value) override { redealsComp = value; }
    void GameWon() override
    {
        ++wins;
        if (onWon)
            onWon();
    }
    const QString& GameName() const override { return name; }
    const GameNo& gameNo() const override { return number; }
    int32_t Time() const override { return 0; }
    int16_t Score() const override { return 0; }
    int16_t Percentage() const override { return 0; }

    QString name;
    GameNo number;
};
