#pragma once

#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "support/RecordingSurface.h"

#include <gtest/gtest.h>

// A table with a recording surface, dealing catalogue games.
class DealFixture {
public:
    DealFixture() { shared.services.setSurface(&surface); }

    cPlay& deal(const QString& name, double number)
    {
        shared.games.setRunningGameName(name);
        mKlondike::LoadGameDefinition(shared.games, name);
        shared.play.ClearAll();
        shared.play.Init(GameNo(number));
        return shared.play;
    }

    int16_t pileSize(int16_t cell, int16_t pile) const
    {
        return static_cast<int16_t>(shared.play.GetTop(cell, pile) + 1);
    }

    std::vector<int16_t> homeSizes() const
    {
        std::vector<int16_t> sizes;
        for (int16_t p = 0; p < shared.games.Piles(0); ++p)
            sizes.push_back(pileSize(0, p));
        return sizes;
    }

    RecordingSurface surface;
    Shared shared;
};
