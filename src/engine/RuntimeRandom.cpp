#include "engine/RuntimeRandom.h"

#include <bit>

namespace {
constexpr uint32_t kMask = 0xFFFFFF;
constexpr uint32_t kMultiplier = 0x43FD43FD;
constexpr uint32_t kIncrement = 0xC39EC3;
} // namespace

void RuntimeRandom::step() { x_ = (x_ * kMultiplier + kIncrement) & kMask; }

float RuntimeRandom::next()
{
    step();
    return static_cast<float>(x_) / 16777216.0f;
}

void RuntimeRandom::restart(float n)
{
    const uint32_t b = std::bit_cast<uint32_t>(n);
    x_ = (b + (b >> 24)) & kMask;
    step();
}

void RuntimeRandom::mix(double g)
{
    const auto hi = static_cast<uint32_t>(std::bit_cast<uint64_t>(g) >> 32);
    const uint32_t folded = ((hi & 0xFFFF) ^ (hi >> 16)) & 0xFFFF;
    x_ = (x_ & 0xFF0000FF) | (folded << 8);
}
