#pragma once

#include "DealFixture.h"
#include "support/FakeSession.h"

#include <vector>

// A dealt game in play: a session that is running, the move history cleared,
// and helpers that set cards out on the table the way a test needs them.
class PlayFixture : public DealFixture {
public:
    PlayFixture() { shared.setSession(&session); }
    ~PlayFixture() { shared.setSession(nullptr); }

    cPlay& start(const QString& name, double number)
    {
        cPlay& play = deal(name, number);
        shared.engine.ClearTRANS();
        session.redealsComp = 0;
        return play;
    }

    // Lays `cards` out on home pile `pile`, first card lowest, face up, after
    // moving what lay there onto home pile `dump`. Moves are made as the
    // history makes them: neither recorded nor followed by automatic play.
    void stack(int16_t pile, const std::vector<int16_t>& cards, int16_t dump)
    {
        cPlay& play = shared.play;
        while (play.GetTop(0, pile) >= 0)
            moveTop(0, pile, dump);
        for (const int16_t card : cards) {
            uncover(card, dump, pile);
            play.MoveCard(card, 0, pile, above(0, pile), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
        }
    }

    // Moves what covers `card` onto home pile `dump`, or onto a neighbour of
    // it (never `keep`) when the card lies in the dump itself.
    void uncover(int16_t card, int16_t dump, int16_t keep = -1)
    {
        cPlay& play = shared.play;
        const bool inDump = play.Cell(card) == 0 && play.Pile(card) == dump;
        int16_t to = dump;
        if (inDump)
            to = static_cast<int16_t>(dump > 0 && dump - 1 != keep ? dump - 1 : dump + 1 != keep ? dump + 1 : dump + 2);
        while (play.GetTopPicID(play.Cell(card), play.Pile(card)) != card)
            moveTop(play.Cell(card), play.Pile(card), to);
    }

    // The cards of one 13-card group, King first, Ace last.
    std::vector<int16_t> groupKingToAce(int16_t group) const
    {
        std::vector<int16_t> run(13, -1);
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            if (shared.play.SuitPile(j) == group)
                run[static_cast<size_t>(12 - shared.play.Num(j))] = j;
        return run;
    }

    cEngine& engine() { return shared.engine; }

    int16_t above(int16_t cell, int16_t pile) const { return static_cast<int16_t>(shared.play.GetTop(cell, pile) + 1); }

    // Where every card lies and how it faces.
    struct Place {
        int16_t cell, pile, pos, face;
        bool operator==(const Place&) const = default;
    };
    std::vector<Place> table() const
    {
        std::vector<Place> places;
        for (int16_t j = 0; j < shared.play.CardCount(); ++j)
            places.push_back({shared.play.Cell(j), shared.play.Pile(j), shared.play.Pos(j), shared.play.FaceMode(j)});
        return places;
    }

    FakeSession session;

private:
    void moveTop(int16_t cell, int16_t pile, int16_t dump)
    {
        shared.play.MoveCard(shared.play.GetTopPicID(cell, pile), 0, dump, above(0, dump), cPlay::kMoveHistory, 0, 0,
                             cPlay::kFaceUp);
    }
};
