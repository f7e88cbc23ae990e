#pragma once

#include "session/Shared.h"

#include <QLatin1String>

#include <cstdint>
#include <random>
#include <vector>

// Plays a game at random the way a player could: drags the move rules allow
// (a card or a run from where it may be picked up onto a pile that accepts
// it), clicks on the stock, and clicks on the empty stock place while
// redeals are left. The same seed plays the same game.
class RandomPlayer {
public:
    RandomPlayer(Shared& shared, uint32_t seed) : shared_(shared), random_(seed) {}

    // Makes one action; false when none is possible.
    bool step()
    {
        collect();
        if (actions_.empty())
            return false;
        std::uniform_int_distribution<size_t> pick(0, actions_.size() - 1);
        const Action a = actions_[pick(random_)];
        cPlay& play = shared_.play;
        switch (a.kind) {
        case Kind::Drag:
            play.MoveCard(a.card, a.cell, a.pile, static_cast<int16_t>(play.GetTop(a.cell, a.pile) + 1),
                          cPlay::kMovePlayer, 1, a.cell == 0 ? a.carried : int16_t{0}, cPlay::kFaceUp);
            break;
        case Kind::Stock: play.StockClick(); break;
        case Kind::EmptyStock: play.EmptyStockClick(); break;
        }
        return true;
    }

private:
    enum class Kind { Drag, Stock, EmptyStock };
    struct Action {
        Kind kind;
        int16_t card = -1, carried = 0, cell = 0, pile = 0;
    };

    void collect()
    {
        actions_.clear();
        const cGames& games = shared_.games;
        const cPlay& play = shared_.play;
        for (int16_t p = 0; p < games.Piles(0); ++p)
            for (int16_t pos = 0; pos <= play.GetTop(0, p); ++pos)
                addDrags(play.GetPicID(0, p, pos));
        for (const int16_t cell : {int16_t{3}, int16_t{4}})
            for (int16_t p = 0; p < games.Piles(cell); ++p)
                if (play.GetTop(cell, p) >= 0)
                    addDrags(play.GetTopPicID(cell, p));
        if (play.GetTop(2, 0) >= 0)
            addDrags(play.GetTopPicID(2, 0));

        const bool stockEmpty = play.GetTop(1, 0) < 0;
        if (!stockEmpty && games.StockType() == 1)
            addDrags(play.GetTopPicID(1, 0));
        if (!stockEmpty && games.StockType() != 1)
            actions_.push_back({Kind::Stock});
        if (stockEmpty && play.GetTop(2, 0) >= 0 && games.StockNum() == 2 &&
            (games.Redeals() == -1 || shared_.services.session().RedealsComp() < games.Redeals()))
            actions_.push_back({Kind::EmptyStock});
    }

    void addDrags(int16_t card)
    {
        const cGames& games = shared_.games;
        const cPlay& play = shared_.play;
        int16_t k = 0;
        if (!play.CanPickUp(card, k))
            return;
        const bool spider = games.Tag() == QLatin1String("Spider");
        for (const int16_t cell : {int16_t{0}, int16_t{4}, int16_t{3}}) {
            if (cell == 3 && spider)
                continue;
            for (int16_t p = 0; p < games.Piles(cell); ++p) {
                if (cell == play.Cell(card) && p == play.Pile(card))
                    continue;
                if (play.CanDrop(card, k, cell, p))
                    actions_.push_back({Kind::Drag, card, k, cell, p});
            }
        }
    }

    Shared& shared_;
    std::mt19937 random_;
    std::vector<Action> actions_;
};
