#pragma once

#include "app/ProgramValues.h"
#include "session/cGamePlay.h"
#include "engine/SoundEvents.h"
#include "engine/CardSurface.h"
#include "engine/PlaySession.h"
#include "engine/cPlay.h"
#include "history/cEngine.h"
#include "library/cFunc.h"
#include "rules/cGames.h"
#include "engine/HelpViewer.h"
#include "engine/Prompts.h"
#include "engine/SettingsStore.h"
#include "data/cData.h"

// The objects that live for the whole run, created in their fixed order, and
// the program-wide values. Windows and engine classes receive this (or the
// members they need); there is no global state, so a test builds its own.
// The outside world (picture surface, settings store, sound) is reached
// through seams that start as harmless defaults and are replaced by the
// program's real implementations at start-up.
class Shared {
public:
    Shared();
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    ProgramValues values;
    cData data{*this};
    cGames games{values};
    cEngine engine{*this};
    cFunc func{*this};
    cGamePlay gamePlay{*this};
    cPlay play{*this};

    CardSurface& surface() { return *surface_; }
    SettingsStore& settings() { return *settings_; }
    SoundEvents& sounds() { return *sounds_; }
    PlaySession& session() { return *session_; }
    HelpViewer& help() { return *help_; }
    Prompts& prompts() { return *prompts_; }

    // Passing null restores the default.
    void setSurface(CardSurface* surface) { surface_ = surface != nullptr ? surface : &nullSurface_; }
    void setSettings(SettingsStore* store) { settings_ = store != nullptr ? store : &memorySettings_; }
    void setSounds(SoundEvents* sounds) { sounds_ = sounds != nullptr ? sounds : &silence_; }
    // The game session the play table reports to; null restores the
    // program's own.
    void setSession(PlaySession* session) { session_ = session != nullptr ? session : &gamePlay; }
    void setHelp(HelpViewer* help) { help_ = help != nullptr ? help : &noHelp_; }
    void setPrompts(Prompts* prompts) { prompts_ = prompts != nullptr ? prompts : &noPrompts_; }

private:
    NullCardSurface nullSurface_;
    MemorySettingsStore memorySettings_;
    SilentSoundEvents silence_;
    NullHelpViewer noHelp_;
    NoPrompts noPrompts_;
    CardSurface* surface_ = &nullSurface_;
    SettingsStore* settings_ = &memorySettings_;
    SoundEvents* sounds_ = &silence_;
    PlaySession* session_ = &gamePlay;
    HelpViewer* help_ = &noHelp_;
    Prompts* prompts_ = &noPrompts_;
};
