#pragma once

#include "engine/cPlay.h"
#include "rules/cGames.h"
#include "solver/SolutionPlay.h"
#include "solver/Solver.h"

#include <vector>

// Puts the card on top of the pile the way the history moves cards: not
// recorded, no automatic play.
inline void putOnTop(cPlay& play, int16_t card, int16_t cell, int16_t pile, int16_t face = cPlay::kFaceUp)
{
    play.MoveCard(card, cell, pile, static_cast<int16_t>(play.GetTop(cell, pile) + 1), cPlay::kMoveHistory, 0, 0, face);
}

// Every move the play table takes from a player here, found by asking its
// rules about every card a player could grab and every pile it could go to.
inline std::vector<solver::Move> tableMoves(solver::PlayedTable& t)
{
    const cPlay& play = t.cards();
    const cGames& games = t.games();
    using solver::Move;
    std::vector<Move> moves;
    for (int16_t cell = 0; cell < cPlay::kCells; ++cell) {
        for (int16_t pile = 0; pile < games.Piles(cell); ++pile) {
            const int16_t top = play.GetTop(cell, pile);
            for (int16_t pos = 0; pos <= top; ++pos) {
                // Elsewhere than a home pile only the top card shows; a
                // press on the stock deals unless its cards are played.
                if ((cell != 0 && pos != top) || (cell == 1 && games.StockType() != 1))
                    continue;
                const int16_t card = play.GetPicID(cell, pile, pos);
                int16_t k = 0;
                if (!play.CanPickUp(card, k))
                    continue;
                for (const int16_t to : {int16_t{0}, int16_t{3}, int16_t{4}}) {
                    if (to == 3 && games.spiderRules())
                        continue;
                    for (int16_t p = 0; p < games.Piles(to); ++p)
                        if (play.CanDrop(card, k, to, p))
                            moves.push_back(Move{Move::Kind::Drag, card, k, cell, pile, to, p});
                }
            }
        }
    }
    if (games.Piles(1) > 0 && games.StockType() != 1) {
        Move click{Move::Kind::Deal, -1, 0, 1, 0, 1, 0};
        if (play.GetTop(1, 0) >= 0) {
            moves.push_back(click);
        } else if (games.StockNum() == 2 && (games.Redeals() == -1 || t.redealsMade() < games.Redeals())) {
            click.kind = Move::Kind::Redeal;
            moves.push_back(click);
        }
    }
    return moves;
}
