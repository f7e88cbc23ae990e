#pragma once

#include <QString>

#include <cstdint>

class Shared;

// The game being played, kept on the disk while it is played, so that it
// survives a program that does not end normally (a crash, a power cut, a
// killed process). A normal end removes the file; finding it at start-up
// means the last run did not end normally.
class Recovery {
public:
    explicit Recovery(Shared& shared) : shared_(shared) {}

    QString path() const;
    bool exists() const;
    // Writes the running game whole when it has changed since the last
    // write; with no game in progress, removes the file.
    void keep();
    void remove();
    // "Klondike - 1234", or nothing when the file cannot be read.
    QString describe() const;

private:
    Shared& shared_;
    // What was last written: the game and its history's position.
    QString written_;
};
