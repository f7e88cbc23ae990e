#pragma once

#include "session/SessionHooks.h"

class cEngine;
class cScore;
class AutoSave;

// Where the session's ended games go in the program: the result to the score
// store, the game itself to the auto-save folder, or back to the pending
// list when it came from there.
class GameRecords final : public ScoreRecorder, public GameArchive {
public:
    GameRecords(cScore& score, AutoSave& autoSave, const cEngine& engine)
        : score_(score), autoSave_(autoSave), engine_(engine)
    {
    }

    void AddScore(int16_t won) override;
    void AddSesGame(int16_t won) override;
    void AutoSaveGame(bool finished) override;
    // Writes the game back to the pending file it was started from.
    void SaveBackPending(const QString& fileName) override;

private:
    cScore& score_;
    AutoSave& autoSave_;
    const cEngine& engine_;
};
