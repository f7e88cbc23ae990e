#pragma once

// The named moments at which the program plays a sound.
enum class SoundEvent {
    SelectDialog,
    StartGame,
    MoveCard,
    Undo,
    Redo,
    AutoPlay,
    PauseGame,
    CloseGame,
    Win,
    AddFav,
    OrgFav,
    AddPend,
    OrgPend,
    GameStat,
    SessionStat,
    HighScore,
    LogStat,
    Toolbar,
    Sounds,
    Animation,
    Background,
    Deck,
    Players,
    AutoSave,
    Hot,
    History,
    Options,
    Rules,
    Contents,
    About,
};

// Where sound events go. The sound object looks up and plays the event's
// wave file; without one the program is silent.
class SoundEvents {
public:
    virtual ~SoundEvents() = default;
    virtual void raise(SoundEvent event) = 0;
};

class SilentSoundEvents final : public SoundEvents {
public:
    void raise(SoundEvent) override {}
};
