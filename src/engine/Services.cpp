#include "engine/Services.h"

std::mt19937_64& Services::random()
{
    if (!random_)
        random_.emplace(static_cast<uint64_t>(clock_->now().toMSecsSinceEpoch()) ^ std::random_device{}());
    return *random_;
}
