#pragma once

#include "engine/CardSurface.h"
#include "engine/Clock.h"
#include "engine/FallbackSettingsStore.h"
#include "engine/HelpViewer.h"
#include "engine/PlaySession.h"
#include "engine/Prompts.h"
#include "engine/SettingsStore.h"
#include "engine/SoundEvents.h"

#include <optional>
#include <random>

// What the core asks of the outside world, in one record: the card surface,
// the settings store, sounds, the game session, help, prompts, the clock,
// the generator of random game numbers and the busy flag. Every seam starts
// as a harmless default (a surface that draws nothing, settings in memory,
// silence, no session, no help, no one to ask, the system clock); the
// program's windows replace them at run time, tests with fakes. Passing null
// to a setter restores the default.
class Services {
public:
    Services() = default;
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    CardSurface& surface() const { return *surface_; }
    // Always the same object: writes that fail are kept in memory (see
    // FallbackSettingsStore), whichever store is attached.
    FallbackSettingsStore& settings() { return settings_; }
    const FallbackSettingsStore& settings() const { return settings_; }
    SoundEvents& sounds() const { return *sounds_; }
    PlaySession& session() const { return *session_; }
    HelpViewer& help() const { return *help_; }
    Prompts& prompts() const { return *prompts_; }
    const Clock& clock() const { return *clock_; }
    // Seeded from the clock and the system's entropy when first used, unless
    // a test seeded it first.
    std::mt19937_64& random();
    void seedRandom(uint64_t seed) { random_.emplace(seed); }

    void setSurface(CardSurface* surface) { surface_ = surface != nullptr ? surface : &nullSurface_; }
    void setSettings(SettingsStore* store) { settings_.attach(store != nullptr ? *store : memorySettings_); }
    void setSounds(SoundEvents* sounds) { sounds_ = sounds != nullptr ? sounds : &silence_; }
    void setSession(PlaySession* session) { session_ = session != nullptr ? session : &noSession_; }
    void setHelp(HelpViewer* help) { help_ = help != nullptr ? help : &noHelp_; }
    void setPrompts(Prompts* prompts) { prompts_ = prompts != nullptr ? prompts : &noPrompts_; }
    void setClock(const Clock* clock) { clock_ = clock != nullptr ? clock : &systemClock_; }

    // Set while a card is being dragged or a history step replays; undo,
    // redo and the timers' background work wait while it is set.
    bool busy = false;

private:
    NullCardSurface nullSurface_;
    MemorySettingsStore memorySettings_;
    SilentSoundEvents silence_;
    NoPlaySession noSession_;
    NullHelpViewer noHelp_;
    NoPrompts noPrompts_;
    SystemClock systemClock_;

    CardSurface* surface_ = &nullSurface_;
    FallbackSettingsStore settings_{memorySettings_};
    SoundEvents* sounds_ = &silence_;
    PlaySession* session_ = &noSession_;
    HelpViewer* help_ = &noHelp_;
    Prompts* prompts_ = &noPrompts_;
    const Clock* clock_ = &systemClock_;
    std::optional<std::mt19937_64> random_;
};
