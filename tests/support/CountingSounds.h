#pragma once

#include "engine/SoundEvents.h"

#include <algorithm>
#include <vector>

// Sound events a test can count.
class CountingSounds final : public SoundEvents {
public:
    void raise(SoundEvent e) override { events.push_back(e); }
    long count(SoundEvent e) const { return std::count(events.begin(), events.end(), e); }
    std::vector<SoundEvent> events;
};
