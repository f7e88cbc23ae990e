#pragma once

#include "engine/SoundEvents.h"

#include <QString>

#include <array>

class Services;
class cData;

// What plays a wave file: at once, without waiting for it to end.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the file; a file that cannot be played is silent.
    virtual void play(const QString& path) = 0;
    virtual bool isPlaying() const = 0;
};

// The program's sounds: each event plays the wave file the player assigned
// to it (settings section "Sounds", by the event's tag), or its default file
// from the program folder when nothing is stored; a stored empty text is
// silence. A missing file is silent, and a sound still playing is never cut
// off by the next.
class cSound final : public SoundEvents {
public:
    struct Event {
        SoundEvent event;
        const char* tag;
        // The file in the program folder; empty for none.
        const char* defaultFile;
    };
    static const std::array<Event, 30> kEvents;

    cSound(Services& services, const cData& data) : services_(services), data_(data) {}

    // Where the sounds are played; null for silence (the default), in which
    // case raising an event costs nothing.
    void setPlayer(SoundPlayer* player) { player_ = player != nullptr ? player : &silent_; }

    void raise(SoundEvent event) override;

    QString GetSound(const QString& tag) const;
    QString GetDefault(const QString& fileName) const;
    // An empty path stores silence.
    void SetSound(const QString& tag, const QString& path);
    void Play(const QString& path);

    static const char* tagOf(SoundEvent event);

private:
    class Silent final : public SoundPlayer {
    public:
        void play(const QString&) override {}
        bool isPlaying() const override { return false; }
    };

    Services& services_;
    const cData& data_;
    Silent silent_;
    SoundPlayer* player_ = &silent_;
};
