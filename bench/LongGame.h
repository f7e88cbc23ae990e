#pragma once

// A long game for the benchmarks: 30,000 recorded moves of random legal
// play on a two-deck Spider game.

#include "session/Shared.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"

inline constexpr int16_t kMoves = 30000;
inline const QString kGame = QStringLiteral("Double Spiderette");

// Plays deals of the game at random until one holds kMoves moves.
inline void playLongGame(Shared& shared)
{
    for (int number = 1;; ++number) {
        shared.gamePlay.PlayNumber(kGame, GameNo(number));
        RandomPlayer player(shared, static_cast<uint32_t>(number));
        while (shared.engine.GetTransTop() < kMoves && player.step()) {
        }
        if (shared.engine.GetTransTop() >= kMoves)
            return;
    }
}
