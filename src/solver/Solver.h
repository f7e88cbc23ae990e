#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class cGames;
class cPlay;

// Looks for a way to bring every card home from a table of any game of the
// catalogue, under the same rules as play: what may be picked up and put
// down, runs and the free-cell limit, dealing from the stock, redeal limits,
// completed runs cleared in the "Spider" games and, where the player has it
// on, automatic play to the foundations. It only reads the table it is
// given.
namespace solver {

// One action of a player.
struct Move {
    enum class Kind : uint8_t {
        // A card (and the cards lying on it) picked up and put down.
        Drag,
        // A click on the stock.
        Deal,
        // A click on the empty stock place: the waste goes back.
        Redeal,
    };
    Kind kind = Kind::Drag;
    // Drag only: the card picked up, where it lies and where it goes, and
    // how many cards lying on it go along.
    int16_t card = -1;
    int16_t carried = 0;
    int16_t fromCell = 0;
    int16_t fromPile = 0;
    int16_t toCell = 0;
    int16_t toPile = 0;
    bool operator==(const Move&) const = default;
};

enum class Verdict {
    // A winning line was found.
    Winnable,
    // Every position reachable was tried.
    NotWinnable,
    // The budget ran out (or the search was cancelled) first.
    Unknown,
};

struct Limits {
    // Positions tried before giving up.
    uint64_t positions = 1'000'000;
    // Time before giving up; zero is no limit.
    std::chrono::milliseconds time{0};
    // Set from another thread to stop the search; it answers Unknown.
    const std::atomic<bool>* cancel = nullptr;
    // The memory the search may take for the positions it has seen, in
    // bytes; it stops (Unknown) when they fill it.
    uint64_t memory = uint64_t{1} << 30;
    // A winning line found is made shorter before it is given: a few
    // hundred thousand positions more.
    bool shorten = true;
};

struct Result {
    Verdict verdict = Verdict::Unknown;
    // A winning line when the table is winnable, in the order to play it.
    std::vector<Move> moves;
    // The first move of the line that came closest to a win, when no win
    // was found; empty when no move is possible at all.
    std::optional<Move> bestMove;
    uint64_t positions = 0;
    // Moves made (and taken back) while searching; a move's automatic
    // moves and the stock clicks that bring a card up count with it.
    uint64_t movesMade = 0;
    bool cancelled = false;
    // Stopped because the positions seen filled the memory allowed.
    bool memoryFull = false;
};

class Position;

// A table as the solver sees it: every card, where it lies and which way up,
// and the rules it is played under. It is copied out of the play table, so
// it can be searched on another thread while play goes on.
class Table {
public:
    // The table being played. `redealsMade` are the redeals the session has
    // counted; `autoPlay` is whether cards go to the foundations by
    // themselves (the player's option, where the game allows it).
    static Table of(const cGames& games, const cPlay& play, int16_t redealsMade, bool autoPlay);

    Table(const Table& other);
    Table& operator=(const Table& other);
    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;
    ~Table();

    // Every move the play table accepts here.
    std::vector<Move> moves() const;
    // What the search tries here, best first, each as the player's moves
    // that make it (a card deep in the stock is played with the clicks that
    // bring it up). A card that can only help on its foundation is sent
    // there as the only choice. Strict leaves out moves that only shuffle
    // cards about.
    std::vector<std::vector<Move>> searchLines(bool strict) const;
    // Makes a move from moves(), with the automatic moves it sets off;
    // false (and nothing changes) for any other.
    bool play(const Move& move);
    bool won() const;
    // Too large for the solver (more cards or piles than it holds).
    bool unsupported() const;
    // The same cards in the same places, the same way up, the same redeals
    // made.
    bool sameLayout(const Table& other) const;

    const Position& position() const { return *position_; }

private:
    explicit Table(std::unique_ptr<Position> position);
    std::unique_ptr<Position> position_;
};

// Searches tables; keeps its memory from one search to the next. One
// solver serves one thread.
class Solver {
public:
    Solver();
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    Result solve(const Table& table, const Limits& limits);

private:
    class Search;
    std::unique_ptr<Search> search_;
};

} // namespace solver
