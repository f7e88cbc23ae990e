#pragma once

#include "engine/GameNo.h"
#include "engine/PlaySession.h"
#include "engine/ScratchTable.h"
#include "history/cEngine.h"
#include "solver/Solver.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

class cGames;
class cPlay;

namespace solver {

// Makes the move on the play table the way a player's drag or click makes
// it, automatic moves and all; false when the rules refuse it.
bool playOnTable(cPlay& play, const cGames& games, const PlaySession& session, const Move& move);

// A table of its own, dealt as the program deals a new game (cards that may
// go home at once go home) and played as a player plays it, every move
// recorded. The command line, the random deals and the tests play on it.
class PlayedTable {
public:
    // `autoPlay`: the player's option of automatic play to the foundations.
    PlayedTable(const QString& name, bool autoPlay);
    ~PlayedTable();
    PlayedTable(const PlayedTable&) = delete;
    PlayedTable& operator=(const PlayedTable&) = delete;

    void deal(const GameNo& number);
    // The solver's view of the table now.
    Table table() const;
    bool play(const Move& move);
    bool won() const;
    int16_t redealsMade() const { return session_.redeals; }
    // Writes the moves made as a finished game file.
    void save(const QString& path) const;

    cGames& games() { return scratch_.games; }
    cPlay& cards() { return scratch_.play; }
    cEngine& history() { return engine_; }
    bool autoPlay() const { return autoPlay_; }

private:
    class Session final : public PlaySession {
    public:
        int32_t Game_Status() const override { return 1; }
        bool Game_Running() const override { return true; }
        int16_t RedealsComp() const override { return redeals; }
        void setRedealsComp(int16_t value) override { redeals = value; }
        void GameWon() override {}
        const QString& GameName() const override { return name; }
        const GameNo& gameNo() const override { return number; }
        int32_t Time() const override { return 0; }
        int16_t Score() const override { return 0; }
        int16_t Percentage() const override { return 100; }

        QString name;
        GameNo number;
        int16_t redeals = 0;
    };

    Session session_;
    ScratchTable scratch_;
    cEngine engine_;
    bool autoPlay_;
};

// Deals the game afresh, plays the winning line on it and writes it as a
// finished game file that replays to the end. Raises the writer's error
// when the file cannot be written, and a bad-call error when the line does
// not win the deal.
void saveSolution(const QString& gameName, const GameNo& number, const std::vector<Move>& moves, bool autoPlay,
                  const QString& path);

// Draws game numbers until the solver finds a win in one within `budget`
// positions each, or `within` has passed; the last number drawn is kept
// then.
struct WinnableDraw {
    GameNo number;
    bool proven = false;
    int drawn = 0;
};
WinnableDraw drawWinnable(const QString& gameName, const std::function<GameNo()>& draw, bool autoPlay,
                          std::chrono::milliseconds within, uint64_t budget);

} // namespace solver
