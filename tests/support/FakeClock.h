#pragma once

#include "engine/Clock.h"

// A clock a test sets and moves on.
class FakeClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    void advance(int seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_{QDate(2026, 12, 8), QTime(10, 0)};
};
