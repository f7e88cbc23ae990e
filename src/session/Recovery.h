#pragma once

#include "session/SessionHooks.h"

#include <QString>

#include <cstdint>
#include <functional>

class Shared;

// The game being played, kept on the disk while it is played, so that it
// survives a program that does not end normally (a crash, a power cut, a
// killed process). A normal end removes the file; finding it at start-up
// means the last run did not end normally. A game from the pending list is
// kept with the name of its pending file beside it, so that it comes back
// as that pending game.
class Recovery final : public GameKeeper {
public:
    explicit Recovery(Shared& shared) : shared_(shared) {}

    QString path() const;
    bool exists() const;
    // Writes the running game whole when it has changed since the last
    // write; with no game in progress, or one already recorded, removes the
    // file. A failed write is told once through the reporter (until a
    // write succeeds again) and the game goes on; nothing is thrown.
    void keep();
    void remove();
    // A start or end of a game is kept at once.
    void gameChanged() override { keep(); }
    // While the file is offered to the player, nothing writes or removes
    // it.
    void hold(bool held) { held_ = held; }
    bool held() const { return held_; }
    // "Klondike - 1234", or nothing when the file cannot be read.
    QString describe() const;
    // The pending-list file the kept game was played from, when it still
    // is on the list; empty otherwise.
    QString pendingFile() const;

    // Tells the player a reason a write failed.
    void setReporter(std::function<void(const QString&)> reporter) { reporter_ = std::move(reporter); }
    static QString failureText(const QString& reason);

private:
    QString pendingMarkPath() const;
    void write(const QString& pendingFile);

    Shared& shared_;
    // What was last written: the game, its history's position and its
    // pending file.
    QString written_;
    bool held_ = false;
    // A failed write has been told; told again only after one succeeded.
    bool failing_ = false;
    std::function<void(const QString&)> reporter_;
};
