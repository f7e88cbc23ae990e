#pragma once

#include "solver/Solver.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class cGames;
class cPlay;

namespace solver {

inline constexpr int kMaxCards = 127;
inline constexpr int kMaxPiles = 48;
inline constexpr int kPileCap = 128;
// A card lies face down: the high bit of its byte.
inline constexpr uint8_t kDown = 0x80;
inline constexpr uint8_t kIdMask = 0x7f;

enum class PileKind : uint8_t { Home, Stock, Waste, Foundation, Reserve };

// What a game's definition and the dealt cards say about play, worked out
// once per table: the cards' ranks and suits, the piles in solver order
// (home piles, stock, waste, foundations, reserve) and, for every pair of
// cards, whether one may be built on the other under each order the game
// uses. The pair tables are filled by the play table's own rule.
struct Rules {
    int cards = 0;
    std::array<uint8_t, kMaxCards + 1> rank{};
    std::array<uint8_t, kMaxCards + 1> suitPile{};
    // Suit and rank together: cards that look alike play alike.
    std::array<uint8_t, kMaxCards + 1> face{};

    int piles = 0;
    std::array<PileKind, kMaxPiles> kind{};
    std::array<int16_t, kMaxPiles> cell{};
    std::array<int16_t, kMaxPiles> pileNo{};
    int homeBegin = 0, homeCount = 0;
    int stock = -1, waste = -1;
    int foundationBegin = 0, foundationCount = 0;
    int reserveBegin = 0, reserveCount = 0;
    // Which building order each foundation follows (Ace-King games build
    // half of them down).
    std::array<uint8_t, kMaxPiles> foundationClass{};

    // cards x cards, [under * cards + placed].
    std::vector<uint8_t> buildHome, buildRun, buildClear;
    // [class * 2 + wrap].
    std::array<std::vector<uint8_t>, 4> buildFoundation;
    bool foundationWrap = false;
    // The same as bits: [class * 2 + wrap][card on the foundation] holds
    // the cards that may go on it; baseMask the cards that start one.
    std::array<std::vector<std::array<uint64_t, 2>>, 4> nextMask;
    std::array<uint64_t, 2> baseMask{};
    uint64_t foundationPiles = 0;
    // The piles whose cards say whether stock and waste count as one:
    // those two and the foundations.
    uint64_t talonSays = 0;
    // Piles whose own hash is never asked for: stock and waste where they
    // always count as one sequence.
    uint64_t unhashed = 0;
    // Runs move in a narrower order than cards are built in.
    bool runsNarrower = false;
    // A foundation's top card and height say which cards it holds.
    bool foundationsByTop = false;
    // No two cards alike.
    bool singleDeck = true;
    // Cards that may be built on each card in a home pile.
    std::vector<std::vector<uint8_t>> builders;

    bool multiMove = false;
    bool freecellLimit = false;
    int emptyNum = -1;
    bool reserveTakes = false;
    bool spider = false;
    bool autoPlay = false;
    int stockType = 0;
    bool dealToPiles = false;
    bool redeals = false;
    int redealLimit = -1;
    int baseRank = 0;
    int foundationCapacity = 13;
    int goalDiv = 0;
    // One card at a time from the stock to the waste, redeals without
    // limit and no automatic play: every card of stock and waste can be
    // reached by clicks alone, so they count as one sequence, and a card
    // anywhere in it is played in one step (the clicks and the drag).
    bool talon = false;
    // The same with automatic play: stock and waste count as one sequence
    // while none of their cards can go home.
    bool talonStill = false;

    // Hashing: a random word per (face, face down, position), and a salt
    // per pile; piles that play alike share a salt, so that their order
    // does not count.
    std::vector<uint64_t> zobrist;
    std::array<uint64_t, kMaxPiles> salt{};
    std::array<uint64_t, kMaxPiles> homeOwnSalt{};
    // A random word per card, for the cards left in stock and waste where
    // they count as one sequence.
    std::array<uint64_t, kMaxCards + 1> cardWord{};

    bool unsupported = false;

    uint64_t z(uint8_t card, int pos) const
    {
        const int key = face[card & kIdMask] * 2 + ((card & kDown) != 0 ? 1 : 0);
        return zobrist[static_cast<size_t>(key * kPileCap + pos)];
    }
    bool canBuildHome(uint8_t under, uint8_t placed) const
    {
        return buildHome[(under & kIdMask) * cards + (placed & kIdMask)] != 0;
    }
    bool canBuildRun(uint8_t under, uint8_t placed) const
    {
        return buildRun[(under & kIdMask) * cards + (placed & kIdMask)] != 0;
    }
};

// A move inside the search: piles in solver order and the number of cards
// that go.
struct Step {
    // Talon: `from` is the card's place in the sequence of waste (bottom
    // first) and stock (top first). Clicks: `from` clicks on the stock,
    // each with what automatic play sends home after it, then the waste's
    // top card onto `to` (kNowhere: left there).
    enum Kind : uint8_t { Drag, Deal, Redeal, Talon, Clicks };
    static constexpr uint8_t kNowhere = 0xff;
    Kind kind = Drag;
    uint8_t from = 0;
    uint8_t to = 0;
    uint8_t count = 0;
    int32_t priority = 0;
};

// Puts the steps from `begin` on in order of priority, highest first, ties
// in the order they came; without allocating, as the lists are short.
void sortSteps(std::vector<Step>& steps, size_t begin);

// A table in bytes, made and unmade move by move. Every card movement is
// logged, so a move and all it set off is taken back in one call.
class Position {
public:
    static std::unique_ptr<Position> of(const cGames& games, const cPlay& play, int16_t redealsMade, bool autoPlay);
    // The same cards with automatic play set the other way.
    Position withAutoPlay(bool on) const;

    const Rules& rules() const { return *rules_; }
    int length(int pile) const { return len_[static_cast<size_t>(pile)]; }
    uint8_t at(int pile, int pos) const { return cards_[static_cast<size_t>(pile)][static_cast<size_t>(pos)]; }
    uint8_t top(int pile) const { return at(pile, length(pile) - 1); }
    int redealsMade() const { return redealsMade_; }
    int cardsHome() const { return cardsHome_; }
    int faceDown() const { return faceDown_; }
    bool won() const { return cardsHome_ == rules_->cards; }

    // Every move the play table accepts here, appended.
    void allSteps(std::vector<Step>& out) const;
    // The moves worth trying, best first, appended; returns their number.
    // Strict: also leaves out moves that only shuffle cards about (a run
    // split off its own sequence for nothing, a card put in a free cell for
    // nothing, a card taken off a foundation), which is faster but may miss
    // a win.
    size_t searchSteps(std::vector<Step>& out, bool strict) const;

    // Makes the step and what it sets off. Returns the undo mark to give
    // back to undo().
    size_t make(const Step& step);
    void undo(size_t mark);
    // For the search that follows every move: a card just put on the table
    // from the talon waits for what it was put there for: only the moves
    // that serve it are offered next (see searchSteps() for why no win is
    // lost).
    // A run split off its own sequence waits likewise: the split is
    // offered only where the card it lays bare can be used at once (see
    // splitMatters()).
    void setDeferring(bool on)
    {
        const Rules& r = *rules_;
        deferring_ = on && !r.autoPlay && !r.spider;
        splitsWait_ = deferring_ && r.multiMove && !r.freecellLimit && !r.runsNarrower && !r.dealToPiles;
    }
    // For the quick tries: where automatic play sends cards home from the
    // talon, so that it cannot count as one sequence, the clicks that
    // bring a card up are made in the step that plays it, and a run of
    // clicks is a step of its own only where something went home on it.
    void setClicking(bool on) { clicking_ = on && rules_->autoPlay && rules_->talonStill; }
    // Whether a card that nothing on the table can still need, and that can
    // go home, is the one move offered: from a pile's top by default, and
    // from anywhere in a talon that counts as one sequence once asked for.
    // The checks of what the search leaves out turn both on, or both off
    // to search every move.
    void setForcing(bool on) { forcing_ = talonForcing_ = on; }
    void setTalonForcing(bool on) { talonForcing_ = on; }
    // Cards on a foundation stay there: for a search without automatic
    // play of a table that has it, where a card taken down goes straight
    // back up.
    void setKeepingHome(bool on) { keepingHome_ = on; }
    // The pile whose top card waits (plus one), or zero.
    int waitingPile() const { return waitPile_; }
    // True when `step` only takes back `last`, made at `mark`: the same
    // cards straight back, where `last` turned nothing over, set nothing
    // off and left nothing waiting. It then gives the position before
    // `last`, so long as that one was settled.
    bool takesBack(const Step& last, size_t mark, const Step& step) const
    {
        return step.kind == Step::Drag && last.kind == Step::Drag && last.from == step.to && last.to == step.from &&
               last.count == step.count && waitPile_ == 0 && log_.size() == mark + 1 && log_.back().flags == 0;
    }
    // Drops the undo log: what was made stays made.
    void forget()
    {
        log_.clear();
        faceLog_.clear();
    }

    // A hash of the key: positions that play alike hash alike.
    uint64_t hash() const;
    // The exact key: the same bytes exactly for positions that play alike
    // (piles that play alike in any order, cards that look alike in each
    // other's places), different bytes for any others.
    void key(std::vector<uint8_t>& out) const { key(out, true); }
    // The same without what waits: the key of the same cards offered every
    // move.
    void layoutKey(std::vector<uint8_t>& out) const { key(out, false); }
    Move toMove(const Step& step) const;
    // The player's moves that make the step, appended.
    void appendMoves(const Step& step, std::vector<Move>& out) const;
    bool fromMove(const Move& move, Step& step) const;
    bool sameLayout(const Position& other) const;

private:
    struct Op {
        uint8_t from;
        uint8_t to;
        uint8_t count;
        uint8_t flags;
    };
    static constexpr uint8_t kTurnedUp = 1;   // the new top of `from` was turned up
    static constexpr uint8_t kSavedFaces = 2; // the cards' bytes before are in faceLog_
    static constexpr uint8_t kRedealCount = 4;
    // What waited before the step: the pile in `from`.
    static constexpr uint8_t kWaiting = 8;
    // `count` cards shifted one by one from `from` to `to`, each turned
    // over (see shiftTalon()).
    static constexpr uint8_t kShifted = 16;

    void key(std::vector<uint8_t>& out, bool marks) const;
    // What follows from the rules and the cards once all are in place.
    void settle();
    // The cards the foundation takes now, as bits by card number.
    std::array<uint64_t, 2> takes(int f) const;
    bool canGoToFoundation(uint8_t card, int f) const;
    // The home piles each card may be put down on here, as bits (home pile
    // 0 lowest): on the top card, or empty.
    struct HomeDrops {
        std::array<uint64_t, kMaxCards + 1> onTop;
        uint64_t empty;
    };
    // Only onto `only`, where it is a home pile.
    void homeDrops(HomeDrops& drops, int only = -1) const;
    // Calls add(pile) for every pile the card (with count - 1 on it) may be
    // put down on.
    template <typename Add> void eachDrop(uint8_t card, int count, int from, const HomeDrops& drops, Add&& add) const;
    // The empty home piles and reserves.
    std::pair<int, int> emptyPiles() const;
    // Calls head(card, count) for every card that may be picked up from
    // the pile, with the count of cards that go with it.
    template <typename Head> void eachHead(int pile, int emptyHome, int emptyReserve, Head&& head) const;
    void dragSteps(int pile, std::vector<Step>* out, int emptyHome, int emptyReserve, const HomeDrops& drops) const;
    int32_t priorityOf(const Step& step) const;
    int32_t spiderPriority(const Step& step) const;
    bool canGoHomeNow(uint8_t card) const
    {
        if (!homeableKnown_)
            findHomeable();
        const unsigned id = card & kIdMask;
        return ((homeable_[id >> 6] >> (id & 63)) & 1) != 0;
    }
    // Which cards some foundation takes, worked out again only after a
    // foundation changed.
    void findHomeable() const;
    // Nothing a win could build on the card needs it off its foundation.
    bool noLongerNeeded(uint8_t card) const;
    bool safeHome(int pile, Step& step) const;
    // The first foundation that takes the card now, or -1.
    int foundationFor(uint8_t card) const;
    bool useful(const Step& step) const;
    // The cards that could be moved onto a card laid bare now: face up on
    // a home pile, on top of any other pile, in a talon that counts as one
    // sequence; as bits.
    std::array<uint64_t, 2> movable() const;
    // What splitMatters() asks of the position: the cards movable() gives,
    // and whether an empty reserve takes cards.
    struct SplitNeeds {
        bool known = false;
        std::array<uint64_t, 2> movable{};
        bool reserveFree = false;
    };
    // False for a run split off its own sequence that can wait.
    bool splitMatters(const Step& step, SplitNeeds& needs) const;
    // Stock and waste count as one sequence here.
    bool talonNow() const
    {
        if (rules_->talon)
            return true;
        if (!rules_->talonStill)
            return false;
        // Clicks through the stock set nothing off while no card of stock
        // or waste can go home: every card of them is then a few clicks
        // away, and where the stock ends does not count.
        if (!homeableKnown_)
            findHomeable();
        return (talonCards_[0] & homeable_[0]) == 0 && (talonCards_[1] & homeable_[1]) == 0;
    }
    // A card put on or taken off stock, waste or a foundation.
    void talonChanged(int pile, uint8_t card, bool added)
    {
        if (((rules_->foundationPiles >> pile) & 1) != 0) {
            homeableKnown_ = false;
            return;
        }
        const unsigned id = card & kIdMask;
        const uint64_t bit = uint64_t{1} << (id & 63);
        talonCards_[id >> 6] = added ? talonCards_[id >> 6] | bit : talonCards_[id >> 6] & ~bit;
        talonHash_ ^= rules_->cardWord[id];
    }
    int talonLength() const { return length(rules_->waste) + length(rules_->stock); }
    // The sequence: the waste bottom first, then the stock top first.
    uint8_t talonCard(int i) const
    {
        const int w = length(rules_->waste);
        return i < w ? at(rules_->waste, i) : at(rules_->stock, length(rules_->stock) - 1 - (i - w));
    }
    // Leaves out, as asked, the drags from the waste and the clicks on the
    // stock.
    void allSteps(std::vector<Step>& out, const HomeDrops& drops, bool noWaste, bool noClicks) const;
    // The priority of a talon card played onto `to` after `clicks` clicks.
    int32_t fromTalon(int to, int clicks) const;
    void talonSteps(std::vector<Step>& out, const HomeDrops& drops) const;
    // The steps of clicks (see setClicking()).
    void clickSteps(std::vector<Step>& out, const HomeDrops& drops) const;
    // One click on the stock: a card dealt, or the waste turned back.
    void click();

    void moveCards(int from, int to, int count, bool down);
    // Cards dealt from stock to waste, or put back, one by one.
    void shiftTalon(int from, int to, int count, bool down);
    void shift(int from, int to, int count, bool down);
    void redeal();
    void turnUp(int pile, Op& op);
    void push(int pile, uint8_t card);
    uint8_t pop(int pile);
    void automatic();
    bool clearRun(int pile);
    bool playUp(int pile);

    std::shared_ptr<const Rules> rules_;
    std::array<uint8_t, kMaxPiles> len_{};
    std::array<std::array<uint8_t, kPileCap>, kMaxPiles> cards_{};
    std::array<uint64_t, kMaxPiles> pileHash_{};
    // Each pile's share of the hash, kept from one hash to the next; the
    // piles changed since are marked in dirty_.
    mutable std::array<uint64_t, kMaxPiles> mixed_{};
    mutable uint64_t dirty_ = ~uint64_t{0};
    mutable bool ownHome_ = false;
    // The home piles in the order of their hashes when the last key was
    // written.
    mutable std::array<uint8_t, kMaxPiles> homeOrder_{};
    mutable bool together_ = false;
    // The cards in stock and waste, as bits by card number.
    std::array<uint64_t, 2> talonCards_{};
    uint64_t talonHash_ = 0;
    // The cards some foundation takes now, while known.
    mutable std::array<uint64_t, 2> homeable_{};
    mutable bool homeableKnown_ = false;
    mutable bool mixesKnown_ = false;
    // The piles hashed one by one, and stock and waste where they are
    // hashed as one sequence.
    uint64_t pileMask_ = 0;
    uint64_t talonPiles_ = 0;
    // Which cards lie on a foundation.
    std::array<bool, kMaxCards + 1> home_{};
    int redealsMade_ = 0;
    bool deferring_ = false;
    bool splitsWait_ = false;
    bool keepingHome_ = false;
    bool clicking_ = false;
    bool forcing_ = true;
    bool talonForcing_ = false;
    // The pile whose top card waits (plus one, zero for none).
    uint8_t waitPile_ = 0;
    int cardsHome_ = 0;
    int faceDown_ = 0;
    std::vector<Op> log_;
    std::vector<uint8_t> faceLog_;
};

} // namespace solver
