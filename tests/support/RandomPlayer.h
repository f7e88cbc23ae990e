#pragma once

#include "session/Shared.h"

#include <array>
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
            // The action was found legal: the player's move is made.
            if (!play.PlayerMove(a.card, a.cell, a.pile))
                return false;
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
        // The piles each rank could go to, in the order they are tried.
        for (std::vector<Place>& places : byRank_)
            places.clear();
        for (const int16_t cell : kDestinations) {
            if (cell == 3 && games.spiderRules())
                continue;
            for (int16_t p = 0; p < games.Piles(cell); ++p) {
                const uint16_t ranks = possibleRanks(cell, p);
                for (size_t rank = 0; rank < byRank_.size(); ++rank)
                    if ((ranks >> rank & 1) != 0)
                        byRank_[rank].push_back({cell, p});
            }
        }
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
        const cPlay& play = shared_.play;
        int16_t k = 0;
        if (!play.CanPickUp(card, k))
            return;
        const int16_t fromCell = play.Cell(card);
        const int16_t fromPile = play.Pile(card);
        for (const Place& to : byRank_[static_cast<size_t>(play.Num(card))])
            if (!(to.cell == fromCell && to.pile == fromPile) && play.CanDrop(card, k, to.cell, to.pile))
                actions_.push_back({Kind::Drag, card, k, to.cell, to.pile});
    }

    // The ranks a pile could take at all: every rank on an empty pile, none
    // on a reserve that holds a card, and otherwise the neighbours of its
    // top card (or any or the same rank, for the codes that say so). Only
    // for those does the player ask the move rules, which decide; the list
    // of moves is the same as asking about every pile, found with far fewer
    // questions.
    uint16_t possibleRanks(int16_t cell, int16_t pile) const
    {
        constexpr uint16_t kAll = 0x1FFF;
        const cPlay& play = shared_.play;
        if (play.GetTop(cell, pile) < 0)
            return kAll;
        if (cell == 4)
            return 0;
        const int16_t n = play.Num(play.GetTopPicID(cell, pile));
        const int32_t code = shared_.games.Order(cell, pile);
        if (code == 9)
            return kAll;
        if (code == 10)
            return static_cast<uint16_t>(1u << n);
        return static_cast<uint16_t>(1u << (n + 1) % 13 | 1u << (n + 12) % 13);
    }

    static constexpr std::array<int16_t, 3> kDestinations{0, 4, 3};

    Shared& shared_;
    struct Place {
        int16_t cell, pile;
    };
    std::array<std::vector<Place>, 13> byRank_;
    std::mt19937 random_;
    std::vector<Action> actions_;
};
