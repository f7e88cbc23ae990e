#pragma once

#include "appearance/cSound.h"
#include "data/cData.h"
#include "engine/Services.h"
#include "engine/cPlay.h"
#include "history/cEngine.h"
#include "library/AutoSave.h"
#include "library/cFunc.h"
#include "rules/cGames.h"
#include "scores/cScore.h"
#include "session/GameRecords.h"
#include "session/cGamePlay.h"

// The objects that live for the whole run, created in their fixed order, and
// the services they reach the outside world through. Core classes take only
// the members they use; windows receive this whole. There is no global
// state, so a test builds its own.
class Shared {
public:
    Shared();
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    Services services;
    cData data{services};
    cGames games;
    // Declared in the order they are built: each is built after what it
    // holds on to.
    cPlay play{games, services};
    cEngine engine{play, services};
    cFunc func{services.settings()};
    cGamePlay gamePlay{services, data, games, play, engine, func};
    cScore score{services, data, engine};
    AutoSave autoSave{services, data, engine};
    // Where the session's ended games go.
    GameRecords records{score, autoSave, engine};
    // The program's sounds, silent until a player is attached.
    cSound sound{services, data};

    // The game session the play table reports to; null restores the
    // program's own.
    void setSession(PlaySession* session) { services.setSession(session != nullptr ? session : &gamePlay); }
};
