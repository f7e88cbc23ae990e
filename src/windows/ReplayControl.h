#pragma once

// What a window that drives the step-by-step replay asks of the one that
// runs it: start it in a direction, stop it, whether it runs, and a table
// with no card left in the middle of an animation.
class ReplayControl {
public:
    virtual ~ReplayControl() = default;
    virtual void runReplay(bool forward) = 0;
    virtual void StopReplay() = 0;
    virtual bool replaying() const = 0;
    virtual void settleTable() = 0;
};
