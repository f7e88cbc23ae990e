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
    float next()
    {
        step();
        return static_cast<float>(x_) / 16777216.0f;
    }
    // The next value times r, rounded to the nearest whole number, halves to
    // even: exactly what rounding next() * r gives, worked out in whole
    // numbers (r is at most 32767).
    int32_t nextScaled(int32_t r)
    {
        step();
        const uint64_t scaled = static_cast<uint64_t>(x_) * static_cast<uint64_t>(r);
        const uint64_t whole = scaled >> 24;
        const uint64_t rest = scaled & kMask;
        constexpr uint64_t kHalf = uint64_t{1} << 23;
        return static_cast<int32_t>(rest > kHalf || (rest == kHalf && (whole & 1) != 0) ? whole + 1 : whole);
    }
    // Puts the generator into a state that depends on n alone (n < 0).
    void restart(float n);
    // Re-seeds the middle 16 bits of the state from g, keeping the rest.
    void mix(double g);

    uint32_t state() const { return x_; }

private:
    static constexpr uint32_t kMask = 0xFFFFFF;
    static constexpr uint32_t kMultiplier = 0x43FD43FD;
    static constexpr uint32_t kIncrement = 0xC39EC3;

    void step() { x_ = (x_ * kMultiplier + kIncrement) & kMask; }

    uint32_t x_ = kStartState;
};
