#pragma once

#include <QDateTime>

// The current date and time, as the program reads it for the game clock and
// the start times it records. Tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
