#include "solver/Solver.h"

#include "solver/Position.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

namespace solver {

Table::Table(std::unique_ptr<Position> position) : position_(std::move(position)) {}
Table::Table(const Table& other) : position_(std::make_unique<Position>(*other.position_)) {}
Table& Table::operator=(const Table& other)
{
    if (this != &other)
        position_ = std::make_unique<Position>(*other.position_);
    return *this;
}
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&&) noexcept = default;
Table::~Table() = default;

Table Table::of(const cGames& games, const cPlay& play, int16_t redealsMade, bool autoPlay)
{
    return Table(Position::of(games, play, redealsMade, autoPlay));
}

std::vector<Move> Table::moves() const
{
    std::vector<Move> out;
    if (unsupported())
        return out;
    std::vector<Step> steps;
    position_->allSteps(steps);
    out.reserve(steps.size());
    for (const Step& s : steps)
        out.push_back(position_->toMove(s));
    return out;
}

std::vector<std::vector<Move>> Table::searchLines(bool strict) const
{
    std::vector<std::vector<Move>> out;
    if (unsupported())
        return out;
    std::vector<Step> steps;
    position_->searchSteps(steps, strict);
    for (const Step& s : steps) {
        out.emplace_back();
        position_->appendMoves(s, out.back());
    }
    return out;
}

bool Table::play(const Move& move)
{
    Step step;
    if (unsupported() || !position_->fromMove(move, step))
        return false;
    position_->make(step);
    position_->forget();
    return true;
}

bool Table::won() const { return !unsupported() && position_->won(); }
bool Table::unsupported() const { return position_->rules().unsupported; }
bool Table::sameLayout(const Table& other) const
{
    return !unsupported() && !other.unsupported() && position_->sameLayout(*other.position_);
}

// A depth-first search over the positions the pruned moves reach, each
// position tried once: a hash set of the positions seen, open addressing,
// kept from one search to the next. A strict pass comes first; when it
// finds no win, a full pass follows with what is left of the budget, and
// only a full pass that tries everything proves a table cannot be won.
class Solver::Search {
public:
    Result run(const Table& table, const Limits& limits);

private:
    enum class Outcome { Won, Exhausted, Stopped };
    struct Frame {
        size_t begin;
        size_t end;
        size_t next;
        // The undo mark and the length of the line before the move that
        // led here.
        size_t mark;
        size_t pathMark;
    };
    struct Best {
        int score = -1;
        std::optional<Move> move;
    };
    // Lines longer than this are not followed: a game file holds at most
    // 32767 moves, automatic ones included.
    static constexpr size_t kDeepest = 3000;

    Outcome pass(const Position& root, bool strict, uint32_t restart, uint64_t budget, const Limits& limits,
                 std::chrono::steady_clock::time_point started, Result& result, Best& best);
    // Orders the moves from `begin` on; after the first try, with some
    // chance thrown in, so that each try goes a different way.
    void order(size_t begin, uint32_t restart);
    void prepare(uint64_t budget);
    bool insert(uint64_t key);

    std::vector<uint64_t> seen_;
    uint64_t mask_ = 0;
    // Slots filled by the last search, while they are few enough to clear
    // one by one.
    std::vector<uint32_t> filled_;
    bool filledAll_ = false;
    std::vector<Step> steps_;
    std::vector<Frame> frames_;
    std::vector<Move> path_;
    // A line was cut short at kDeepest.
    bool cut_ = false;
    uint64_t noise_ = 1;
};

void Solver::Search::prepare(uint64_t budget)
{
    constexpr uint64_t kLargest = uint64_t{1} << 26;
    const uint64_t wanted = std::clamp<uint64_t>(std::bit_ceil(std::max<uint64_t>(budget, 1) * 2), 1 << 16, kLargest);
    if (seen_.size() < wanted) {
        seen_.assign(wanted, 0);
    } else if (filledAll_) {
        std::memset(seen_.data(), 0, seen_.size() * sizeof(uint64_t));
    } else {
        for (const uint32_t slot : filled_)
            seen_[slot] = 0;
    }
    filled_.clear();
    filled_.reserve(seen_.size() / 64);
    filledAll_ = false;
    mask_ = seen_.size() - 1;
}

bool Solver::Search::insert(uint64_t key)
{
    uint64_t slot = (key ^ (key >> 29)) & mask_;
    for (;;) {
        const uint64_t held = seen_[slot];
        if (held == key)
            return false;
        if (held == 0)
            break;
        slot = (slot + 1) & mask_;
    }
    seen_[slot] = key;
    if (!filledAll_) {
        if (filled_.size() < filled_.capacity())
            filled_.push_back(static_cast<uint32_t>(slot));
        else
            filledAll_ = true;
    }
    return true;
}

void Solver::Search::order(size_t begin, uint32_t restart)
{
    if (restart == 0 || steps_.size() - begin < 2)
        return;
    for (size_t i = begin; i < steps_.size(); ++i) {
        noise_ ^= noise_ << 13;
        noise_ ^= noise_ >> 7;
        noise_ ^= noise_ << 17;
        steps_[i].priority += static_cast<int32_t>(noise_ % 400);
    }
    sortSteps(steps_, begin);
}

Solver::Search::Outcome Solver::Search::pass(const Position& root, bool strict, uint32_t restart, uint64_t budget,
                                             const Limits& limits, std::chrono::steady_clock::time_point started,
                                             Result& result, Best& best)
{
    Position pos = root;
    prepare(budget);
    // The set never holds more than half its slots, so probing ends.
    const uint64_t cap = (mask_ + 1) / 2;
    insert(pos.hash());
    steps_.clear();
    frames_.clear();
    path_.clear();
    noise_ = 0x9e3779b97f4a7c15ULL * (restart + 1);
    const size_t rootCount = pos.searchSteps(steps_, strict);
    order(0, restart);
    frames_.push_back(Frame{0, rootCount, 0, 0, 0});
    uint64_t positions = 0;
    Outcome outcome = Outcome::Stopped;

    for (;;) {
        Frame& frame = frames_.back();
        if (frame.next == frame.end) {
            const Frame done = frame;
            steps_.resize(done.begin);
            frames_.pop_back();
            if (frames_.empty()) {
                outcome = Outcome::Exhausted;
                break;
            }
            pos.undo(done.mark);
            path_.resize(done.pathMark);
            continue;
        }
        const Step step = steps_[frame.next++];
        const size_t pathMark = path_.size();
        pos.appendMoves(step, path_);
        const size_t mark = pos.make(step);
        ++result.movesMade;
        if (pos.won()) {
            result.moves = path_;
            outcome = Outcome::Won;
            break;
        }
        if (!insert(pos.hash())) {
            pos.undo(mark);
            path_.resize(pathMark);
            continue;
        }
        ++positions;
        ++result.positions;
        const int score = pos.cardsHome() * 3 + (pos.rules().cards - pos.faceDown());
        if (score > best.score) {
            best.score = score;
            best.move = path_.front();
        }
        if (positions >= budget || positions >= cap)
            break;
        if ((positions & 4095) == 0) {
            if (limits.cancel != nullptr && limits.cancel->load(std::memory_order_relaxed)) {
                result.cancelled = true;
                break;
            }
            if (limits.time.count() > 0 && std::chrono::steady_clock::now() - started >= limits.time)
                break;
        }
        if (frames_.size() >= kDeepest) {
            cut_ = true;
            pos.undo(mark);
            path_.resize(pathMark);
            continue;
        }
        const size_t begin = steps_.size();
        pos.searchSteps(steps_, strict);
        order(begin, restart);
        frames_.push_back(Frame{begin, steps_.size(), begin, mark, pathMark});
    }
    return outcome;
}

Result Solver::Search::run(const Table& table, const Limits& limits)
{
    Result result;
    if (table.unsupported())
        return result;
    Position root = table.position();
    root.forget();
    if (root.won()) {
        result.verdict = Verdict::Winnable;
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    const uint64_t budget = std::max<uint64_t>(limits.positions, 1);
    Best best;
    cut_ = false;

    // Strict tries, each twice as long as the one before and each ordered
    // a little differently: a try that went a bad way early is dropped
    // rather than followed to its end.
    auto stopped = [&] {
        return result.cancelled ||
               (limits.time.count() > 0 && std::chrono::steady_clock::now() - started >= limits.time);
    };
    const uint64_t strictBudget = std::max<uint64_t>(budget * 3 / 5, 1);
    uint64_t slice = std::max<uint64_t>(strictBudget / 16, 2000);
    Outcome outcome = Outcome::Stopped;
    for (uint32_t restart = 0; result.positions < strictBudget && !stopped(); ++restart, slice *= 2) {
        outcome =
            pass(root, true, restart, std::min(slice, strictBudget - result.positions), limits, started, result, best);
        if (outcome != Outcome::Stopped)
            break;
    }
    if (outcome != Outcome::Won && !stopped() && result.positions < budget) {
        cut_ = false;
        outcome = pass(root, false, 0, budget - result.positions, limits, started, result, best);
        if (outcome == Outcome::Exhausted && !cut_)
            result.verdict = Verdict::NotWinnable;
    }
    if (outcome == Outcome::Won) {
        result.verdict = Verdict::Winnable;
        result.bestMove = result.moves.front();
        return result;
    }
    if (best.move) {
        result.bestMove = best.move;
    } else {
        // Nothing new could be reached: the first move worth making, if
        // there is one.
        const std::vector<std::vector<Move>> lines = table.searchLines(false);
        if (!lines.empty())
            result.bestMove = lines.front().front();
    }
    return result;
}

Solver::Solver() : search_(std::make_unique<Search>()) {}
Solver::~Solver() = default;

Result Solver::solve(const Table& table, const Limits& limits) { return search_->run(table, limits); }

} // namespace solver
