#pragma once

#include "appearance/cSound.h"

#include <QObject>
#include <QString>

#include <memory>

class QSoundEffect;

// Plays wave files through Qt Multimedia. The player is made at the first
// sound, so that the start of the program does not wait for the audio
// system; without an audio device every sound is silent. A sound asked for
// before any window has been drawn (the first deal's) waits for that first
// frame, and is counted as playing meanwhile.
class QtSoundPlayer final : public QObject, public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const QString& path) override;
    bool isPlaying() const override;
    // What plays the sounds; null until the first is played.
    QSoundEffect* effect() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start(const QString& path);

    std::unique_ptr<QSoundEffect> effect_;
    bool framed_ = false;
    QString held_;
};
