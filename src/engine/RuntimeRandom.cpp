#include "engine/RuntimeRandom.h"

#include <bit>

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
