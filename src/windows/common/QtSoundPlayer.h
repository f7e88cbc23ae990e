#pragma once

#include "appearance/cSound.h"

#include <memory>

class QSoundEffect;

// Plays wave files through Qt Multimedia. The player is made at the first
// sound, so that the start of the program does not wait for the audio
// system; without an audio device every sound is silent.
class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const QString& path) override;
    bool isPlaying() const override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
