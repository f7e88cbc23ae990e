#pragma once

#include <cstdint>

// The pseudo-random generator every deal is drawn from. Its arithmetic is
// fixed bit for bit so that a game number deals the same cards on every
// machine and every saved game keeps replaying: a 24-bit linear congruential
// state, a restart from a negative number and the mixing-in of a game number.
class RuntimeRandom {
public:
    static constexpr uint32_t kStartState = 0x50000;

    // The next value in [0, 1).
    float next();
    // Puts the generator into a state that depends on n alone (n < 0).
    void restart(float n);
    // Re-seeds the middle 16 bits of the state from g, keeping the rest.
    void mix(double g);

    uint32_t state() const { return x_; }

private:
    void step();

    uint32_t x_ = kStartState;
};
