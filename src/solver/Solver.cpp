#include "solver/Solver.h"

#include "solver/Position.h"
#include "solver/Shorten.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <sys/mman.h>

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

namespace {

// Where the tables of positions seen start: small, as most searches end
// within a few hundred positions.
constexpr size_t kFirstSlots = size_t{1} << 10;

// Under the address checker every table comes from the heap, where each
// byte read out of bounds is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapOnly = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapOnly = true;
#else
constexpr bool kHeapOnly = false;
#endif
#else
constexpr bool kHeapOnly = false;
#endif

// Zeroed memory for the tables of positions seen. Large ones come straight
// from the system, already zero, in large pages where it allows: the
// search looks up places all over them, and in small pages nearly every
// look-up would first have to find its page.
class Zeroed {
public:
    Zeroed() = default;
    explicit Zeroed(size_t bytes) : size_(bytes)
    {
        if (bytes == 0)
            return;
        if (bytes < kLarge || kHeapOnly) {
            base_ = std::calloc(bytes, 1);
            if (base_ == nullptr)
                throw std::bad_alloc();
            data_ = static_cast<uint8_t*>(base_);
            return;
        }
        // A large page must start on its own boundary: some to spare.
        mapped_ = bytes + kLarge;
        base_ = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base_ == MAP_FAILED) {
            base_ = nullptr;
            mapped_ = 0;
            throw std::bad_alloc();
        }
        const auto at = (reinterpret_cast<uintptr_t>(base_) + kLarge - 1) & ~(uintptr_t{kLarge} - 1);
        data_ = reinterpret_cast<uint8_t*>(at);
        madvise(data_, bytes, MADV_HUGEPAGE);
    }
    Zeroed(Zeroed&& other) noexcept { swap(other); }
    Zeroed& operator=(Zeroed&& other) noexcept
    {
        Zeroed gone(std::move(other));
        swap(gone);
        return *this;
    }
    Zeroed(const Zeroed&) = delete;
    Zeroed& operator=(const Zeroed&) = delete;
    ~Zeroed()
    {
        if (mapped_ != 0)
            munmap(base_, mapped_);
        else
            std::free(base_);
    }
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    static constexpr size_t kLarge = size_t{2} << 20;
    void swap(Zeroed& other) noexcept
    {
        std::swap(base_, other.base_);
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(mapped_, other.mapped_);
    }
    void* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;
};

// A table of slots, each a word, all zero to begin with.
class Slots {
public:
    explicit Slots(size_t count = 0) : memory_(count * sizeof(uint64_t)) {}
    uint64_t& operator[](uint64_t i) { return words()[i]; }
    uint64_t operator[](uint64_t i) const { return words()[i]; }
    const uint64_t* at(uint64_t i) const { return words() + i; }
    size_t size() const { return memory_.size() / sizeof(uint64_t); }
    const uint64_t* begin() const { return words(); }
    const uint64_t* end() const { return words() + size(); }

private:
    uint64_t* words() const { return reinterpret_cast<uint64_t*>(memory_.data()); }
    Zeroed memory_;
};

// The positions a quick try has seen, by hash alone: open addressing,
// growing as it fills. A hash shared by two positions only makes a try
// miss one of them, and a try never proves anything.
class HashSet {
public:
    // Starts small again, and gives back what it took.
    void clear()
    {
        slots_ = Slots(kFirstSlots);
        mask_ = slots_.size() - 1;
        count_ = 0;
        recent_.fill(0);
    }
    bool insert(uint64_t key)
    {
        // Most positions met again were met only a few moves before: the
        // last ones are kept in a table that stays in the processor's
        // cache, and found there without a look-up far off in the large
        // one.
        uint64_t& last = recent_[(key >> 20) & (kRecent - 1)];
        if (last == key)
            return false;
        last = key;
        if (count_ * 2 >= slots_.size())
            grow();
        return place(key);
    }
    size_t bytes() const { return slots_.size() * sizeof(uint64_t); }

private:
    static constexpr size_t kRecent = 8192;
    std::array<uint64_t, kRecent> recent_{};
    bool place(uint64_t key)
    {
        uint64_t slot = (key ^ (key >> 29)) & mask_;
        for (;;) {
            const uint64_t held = slots_[slot];
            if (held == key)
                return false;
            if (held == 0)
                break;
            slot = (slot + 1) & mask_;
        }
        slots_[slot] = key;
        ++count_;
        return true;
    }
    void grow()
    {
        Slots old(slots_.size() * 2);
        std::swap(old, slots_);
        mask_ = slots_.size() - 1;
        count_ = 0;
        for (const uint64_t key : old)
            if (key != 0)
                place(key);
    }
    Slots slots_;
    uint64_t mask_ = 0;
    size_t count_ = 0;
};

// The positions the complete search has seen, by their exact keys: no two
// positions are ever taken for one. Each slot holds a few bits of the
// position's hash and where the key's bytes lie; the keys are kept in large
// blocks, each with the hash's low bits, which say where its slot goes when
// the table grows.
class KeySet {
public:
    // Starts small again, and gives back what it took.
    void clear()
    {
        slots_ = Slots(kFirstSlots);
        mask_ = slots_.size() - 1;
        count_ = 0;
        blocks_.clear();
        used_ = kBlock;
        recent_.assign(kRecent, Recent{});
    }
    // Asks for the slot of `hash` early, so that it is on hand by the time
    // the key has been written.
    void prefetch(uint64_t hash) const { __builtin_prefetch(slots_.at(hash & mask_)); }
    bool contains(uint64_t hash, const std::vector<uint8_t>& key) const
    {
        if (recentHas(hash, key))
            return true;
        const uint64_t tag = (hash >> 40) | 1;
        for (uint64_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
            const uint64_t held = slots_[slot];
            if (held == 0)
                return false;
            if ((held >> 40) == tag && same(held & kPlaceMask, key))
                return true;
        }
    }
    // False when the key was there already.
    bool insert(uint64_t hash, const std::vector<uint8_t>& key)
    {
        if (recentHas(hash, key))
            return false;
        if (count_ * 2 >= slots_.size())
            grow();
        const uint64_t tag = (hash >> 40) | 1;
        uint64_t slot = hash & mask_;
        for (;;) {
            const uint64_t held = slots_[slot];
            if (held == 0)
                break;
            if ((held >> 40) == tag && same(held & kPlaceMask, key)) {
                remember(hash, key);
                return false;
            }
            slot = (slot + 1) & mask_;
        }
        slots_[slot] = (tag << 40) | store(hash, key);
        ++count_;
        remember(hash, key);
        return true;
    }
    size_t bytes() const
    {
        return slots_.size() * sizeof(uint64_t) + blocks_.size() * kBlock + recent_.size() * sizeof(Recent);
    }

private:
    // The positions kept last, each with its whole key, in a table small
    // enough to stay in the processor's cache: most positions met again
    // were met only a few moves before (the same moves in another order),
    // and are found here without two look-ups far apart in the large
    // tables. Only positions kept in those are here.
    // Longer keys (two decks) are not kept here.
    static constexpr size_t kRecentBytes = 118;
    struct Recent {
        uint64_t hash = 0;
        uint16_t length = 0;
        std::array<uint8_t, kRecentBytes> bytes{};
    };
    static constexpr size_t kRecent = 4096;
    static size_t recentAt(uint64_t hash) { return (hash >> 24) & (kRecent - 1); }
    bool recentHas(uint64_t hash, const std::vector<uint8_t>& key) const
    {
        if (recent_.empty())
            return false;
        const Recent& e = recent_[recentAt(hash)];
        return e.hash == hash && e.length == key.size() && std::memcmp(e.bytes.data(), key.data(), key.size()) == 0;
    }
    void remember(uint64_t hash, const std::vector<uint8_t>& key)
    {
        if (recent_.empty() || key.size() > kRecentBytes)
            return;
        Recent* e = &recent_[recentAt(hash)];
        e->hash = hash;
        e->length = static_cast<uint16_t>(key.size());
        std::memcpy(e->bytes.data(), key.data(), key.size());
    }

    static constexpr size_t kBlock = size_t{1} << 22;
    static constexpr uint64_t kPlaceMask = (uint64_t{1} << 40) - 1;
    // A key kept: its length in two bytes, the hash's low four bytes, then
    // the key's bytes. Four bytes of the hash place it in tables of up to
    // 2^32 slots, more than the memory a search may take holds.
    static constexpr size_t kHead = 6;

    uint64_t store(uint64_t hash, const std::vector<uint8_t>& key)
    {
        if (used_ + key.size() + kHead > kBlock) {
            blocks_.emplace_back(kBlock);
            used_ = 0;
        }
        uint8_t* at = blocks_.back().data() + used_;
        at[0] = static_cast<uint8_t>(key.size() & 0xff);
        at[1] = static_cast<uint8_t>(key.size() >> 8);
        const auto low = static_cast<uint32_t>(hash);
        std::memcpy(at + 2, &low, sizeof low);
        std::memcpy(at + kHead, key.data(), key.size());
        const uint64_t place = (blocks_.size() - 1) * kBlock + used_;
        used_ += key.size() + kHead;
        return place;
    }
    const uint8_t* keptAt(uint64_t place) const { return blocks_[place / kBlock].data() + place % kBlock; }
    static size_t keptLength(const uint8_t* at) { return at[0] | (size_t{at[1]} << 8); }
    static uint64_t keptHash(const uint8_t* at)
    {
        uint32_t low = 0;
        std::memcpy(&low, at + 2, sizeof low);
        return low;
    }
    bool same(uint64_t place, const std::vector<uint8_t>& key) const
    {
        const uint8_t* at = keptAt(place);
        return keptLength(at) == key.size() && std::memcmp(at + kHead, key.data(), key.size()) == 0;
    }
    void grow()
    {
        Slots old(slots_.size() * 2);
        std::swap(old, slots_);
        mask_ = slots_.size() - 1;
        for (const uint64_t held : old) {
            if (held == 0)
                continue;
            // The slot keeps only the hash's high bits: the key's own
            // record has the low ones.
            uint64_t slot = keptHash(keptAt(held & kPlaceMask)) & mask_;
            while (slots_[slot] != 0)
                slot = (slot + 1) & mask_;
            slots_[slot] = held;
        }
    }
    Slots slots_;
    uint64_t mask_ = 0;
    size_t count_ = 0;
    std::vector<Zeroed> blocks_;
    size_t used_ = 0;
    std::vector<Recent> recent_;
};

// The best positions a stage of the search by stages reached, each with the
// line to it: the stage's next deal starts from them.
struct Beam {
    struct Kept {
        int score;
        uint64_t hash;
        Position pos;
        // The player's moves to it; while the stage runs, the start it came
        // from and the steps from there instead.
        std::vector<Move> path;
        size_t from = 0;
        std::vector<Step> line;
    };
    size_t width = 1;
    std::vector<Kept> kept;
    // The start the stage's walk set off from.
    size_t from = 0;

    // How far the position has come: cards home and turned up, runs in
    // suit, piles empty; where the stock goes once onto a waste, less for
    // each card with a higher card of its own suit and deck somewhere above
    // it in its pile or the waste, as one of the two must be moved aside
    // before the lower can go home.
    static int score(const Position& pos)
    {
        const Rules& r = pos.rules();
        int s = pos.cardsHome() * 40;
        // A card on the waste is one more to be played off it, the others
        // on it first.
        if (r.waste >= 0)
            s -= 30 * pos.length(r.waste);
        // Where the stock goes once onto a waste (but for Spider, whose runs
        // go home whole), cards buried under their own suit's higher cards
        // are what leaves the last of them stuck; and an empty pile that
        // takes only some ranks waits for one of them.
        const bool buried = r.waste >= 0 && !r.spider;
        if (buried)
            s -= 40 * blocked(pos, r.waste);
        const int empty = buried && r.emptyNum >= 0 ? 40 : 150;
        for (int p = r.homeBegin; p < r.homeBegin + r.homeCount; ++p) {
            const int n = pos.length(p);
            if (n == 0) {
                s += empty;
                continue;
            }
            if (buried)
                s -= 40 * blocked(pos, p);
            for (int i = 0; i < n; ++i) {
                const uint8_t c = pos.at(p, i);
                if ((c & kDown) != 0) {
                    s -= 100;
                    continue;
                }
                if (i > 0 && (pos.at(p, i - 1) & kDown) == 0)
                    s += r.canBuildRun(pos.at(p, i - 1), c) ? 20 : r.canBuildHome(pos.at(p, i - 1), c) ? 6 : 0;
            }
        }
        return s;
    }
    // The cards of the pile that have a higher card of the same suit and
    // deck above them, face up or down.
    static int blocked(const Position& pos, int pile)
    {
        const Rules& r = pos.rules();
        std::array<int, kMaxPiles> highest;
        highest.fill(-1);
        int count = 0;
        for (int i = pos.length(pile) - 1; i >= 0; --i) {
            const unsigned id = pos.at(pile, i) & kIdMask;
            int& above = highest[r.suitPile[id]];
            if (above > r.rank[id])
                ++count;
            above = std::max<int>(above, r.rank[id]);
        }
        return count;
    }
    void consider(const Position& pos, const std::vector<Step>& line)
    {
        const int s = score(pos);
        if (kept.size() >= width && s <= kept.back().score)
            return;
        const uint64_t h = pos.hash();
        for (const Kept& k : kept)
            if (k.hash == h)
                return;
        if (kept.size() >= width)
            kept.pop_back();
        auto at = std::find_if(kept.begin(), kept.end(), [s](const Kept& k) { return k.score < s; });
        Kept fresh{s, h, pos, {}, from, line};
        fresh.pos.forget();
        kept.insert(at, std::move(fresh));
    }
};

} // namespace

// Two searches take turns, each given twice as many positions as in the
// last round: quick tries, which follow only the moves likely to matter
// and start afresh each round in a somewhat different order, and a
// complete search, which follows every move, keeps going from where it
// stopped and is the only one that can prove a table cannot be won. Both
// are depth-first, each position tried once. Where they stop depends on
// the limits; the way they go does not.
class Solver::Search {
public:
    Result run(const Table& table, const Limits& limits);

private:
    enum class Outcome { Won, Exhausted, Stopped };
    Result search(const Table& table, const Limits& limits);
    struct Frame {
        size_t begin;
        size_t end;
        size_t next;
        // The undo mark and the length of the line before the move that
        // led here.
        size_t mark;
        size_t lineMark;
    };
    struct Best {
        int score = -1;
        std::optional<Move> move;
    };
    // One depth-first search, stopped and taken up again.
    struct Walk {
        std::optional<Position> pos;
        bool strict = false;
        bool exact = false;
        uint32_t restart = 0;
        uint64_t noise = 1;
        std::vector<Step> steps;
        std::vector<Frame> frames;
        // The way here: the player's moves to where the walk set off, then
        // the steps from there. The steps become moves only when asked for,
        // as most lines are given up.
        std::optional<Position> origin;
        std::vector<Move> prefix;
        std::vector<Step> line;
        HashSet hashes;
        KeySet keys;
        std::vector<uint8_t> key;
        bool started = false;
        bool done = false;
        // Set while a stage of the search by stages runs: no deals, and every
        // new position is offered to it.
        struct Beam* beam = nullptr;
    };
    // What stops both searches: the caller's limits.
    struct Stop {
        const Limits& limits;
        std::chrono::steady_clock::time_point started;
        uint64_t positions = 0;
        bool hit = false;
    };

    // Sets the walk off from `root`; the positions it has seen are left to
    // the caller to clear.
    void begin(Walk& walk, const Position& root, bool strict, bool exact, uint32_t restart);
    size_t expand(Walk& walk);
    Outcome stages(const Position& root, uint32_t round, Stop& stop, Result& result, Best& best);
    Outcome go(Walk& walk, uint64_t slice, Stop& stop, Result& result, Best& best);
    bool seen(Walk& walk);
    static bool undoesLast(const Walk& walk, const Frame& frame, const Step& step);
    void order(Walk& walk, size_t begin);
    size_t memory() const { return quick_.hashes.bytes() + complete_.keys.bytes() + manual_.keys.bytes(); }
    // The player's moves: `prefix`, then those of the steps made from `from`.
    static std::vector<Move> movesAlong(const Position& from, const std::vector<Move>& prefix,
                                        const std::vector<Step>& line);
    static std::vector<Move> pathOf(const Walk& walk);
    // The moves of `line` the table takes, each played as it comes from
    // `from` on: true when they win.
    static bool replayed(const Position& from, const std::vector<Move>& line, std::vector<Move>& out);
    static Move firstMove(const Walk& walk);

    Walk quick_;
    Walk complete_;
    // The complete search of the same table with automatic play off, where
    // that is the stronger one (see search()).
    Walk manual_;
};

void Solver::Search::begin(Walk& walk, const Position& root, bool strict, bool exact, uint32_t restart)
{
    walk.pos.emplace(root);
    walk.origin.emplace(root);
    // The complete search leaves out what cannot matter (see
    // Position::searchSteps): a card put down from the talon waits for
    // what it was put there for. Every other quick try does the same:
    // where the talon holds the key cards it finds wins sooner so, with
    // fewer ways to lose itself; the tries between keep every order.
    walk.pos->setDeferring(exact || restart % 2 == 0);
    // So too a talon card that can go home for good goes there alone: a
    // try on a lost table then runs out of moves sooner, and the complete
    // search gets the rounds' positions; the tries between keep every move
    // and find some wins those miss.
    walk.pos->setTalonForcing(exact || restart % 2 == 0);
    // The tries between, with automatic play, reach a card deep in the
    // stock in one step where the talon cannot count as one sequence; the
    // first keeps to single clicks, which find short lines for the easy
    // deals (see Position::setClicking()).
    walk.pos->setClicking(!exact && restart % 2 == 1);
    walk.strict = strict;
    walk.exact = exact;
    walk.restart = restart;
    walk.noise = 0x9e3779b97f4a7c15ULL * (restart + 1);
    walk.steps.clear();
    walk.frames.clear();
    walk.prefix.clear();
    walk.line.clear();
    walk.started = false;
    walk.done = false;
}

bool Solver::Search::undoesLast(const Walk& walk, const Frame& frame, const Step& step)
{
    // Moving the cards just moved straight back gives the position before,
    // which is on the way here and so seen already; the table of positions
    // seen would say so, at the price of the move, the look-up and the
    // undo. Only where the position before was made by a move of this
    // walk, and so settled.
    return walk.line.size() >= 2 && walk.pos->takesBack(walk.line.back(), frame.mark, step);
}

bool Solver::Search::seen(Walk& walk)
{
    // A waiting position is offered other moves than the same cards not
    // waiting: the two are told apart.
    if (!walk.exact)
        return !walk.hashes.insert(walk.pos->hash() + 0x9e3779b97f4a7c15ULL * walk.pos->waitingPile());
    // Positions that play alike hash alike, with or without what waits.
    const uint64_t hash = walk.pos->hash();
    walk.keys.prefetch(hash);
    if (walk.pos->waitingPile() != 0) {
        // Offered fewer moves than the same cards with nothing waiting:
        // where those have been seen, nothing is left to find here, as a
        // win from here is a win from them.
        walk.pos->layoutKey(walk.key);
        if (walk.keys.contains(hash, walk.key))
            return true;
        // A card waiting is not kept, which only saves memory: it is
        // reached, but for rare repeats, only from the position it was put
        // down from (the same cards with it back in the talon), which is
        // tried once; the moves from it lead to positions that are kept.
        return false;
    }
    walk.pos->key(walk.key);
    return !walk.keys.insert(hash, walk.key);
}

void Solver::Search::order(Walk& walk, size_t begin)
{
    // The first try goes in the order of the moves' worth; later ones with
    // some chance thrown in, so that each goes a different way.
    if (walk.restart == 0 || walk.steps.size() - begin < 2)
        return;
    for (size_t i = begin; i < walk.steps.size(); ++i) {
        walk.noise ^= walk.noise << 13;
        walk.noise ^= walk.noise >> 7;
        walk.noise ^= walk.noise << 17;
        walk.steps[i].priority += static_cast<int32_t>(walk.noise % 400);
    }
    sortSteps(walk.steps, begin);
}

size_t Solver::Search::expand(Walk& walk)
{
    const size_t begin = walk.steps.size();
    walk.pos->searchSteps(walk.steps, walk.strict);
    if (walk.beam != nullptr)
        walk.steps.erase(std::remove_if(walk.steps.begin() + static_cast<std::ptrdiff_t>(begin), walk.steps.end(),
                                        [](const Step& s) { return s.kind == Step::Deal; }),
                         walk.steps.end());
    order(walk, begin);
    return walk.steps.size() - begin;
}

Solver::Search::Outcome Solver::Search::stages(const Position& root, uint32_t round, Stop& stop, Result& result,
                                               Best& best)
{
    // A stage plays what it can without dealing, from each of the best
    // positions the last stage reached; the best it reaches are dealt on
    // and start the next stage. Wider and longer each round; narrower
    // where the stock turns a card at a time onto a waste, as a stage
    // there lasts but one card. Many short stages soon, rather than a few
    // long ones, settle the most deals in the time.
    const size_t width = size_t{root.rules().waste >= 0 ? 8u : 16u} << std::min<uint32_t>(round, 10);
    const uint64_t perStage = uint64_t{500} << std::min<uint32_t>(round, 30);
    const int stock = root.rules().stock;
    std::vector<Beam::Kept> starts;
    starts.push_back(Beam::Kept{0, 0, root, {}, 0, {}});
    Beam beam;
    beam.width = width;
    for (;;) {
        beam.kept.clear();
        quick_.hashes.clear();
        // The starts of a stage share what they have seen.
        for (size_t i = 0; i < starts.size(); ++i) {
            const Beam::Kept& start = starts[i];
            Walk& walk = quick_;
            begin(walk, start.pos, true, false, round);
            walk.prefix = start.path;
            walk.beam = &beam;
            beam.from = i;
            beam.consider(*walk.pos, walk.line);
            const bool last = stock < 0 || walk.pos->length(stock) == 0;
            const Outcome outcome = go(walk, last ? perStage * 4 : perStage, stop, result, best);
            walk.beam = nullptr;
            if (outcome == Outcome::Won || stop.hit)
                return outcome;
        }
        if (stock < 0)
            return Outcome::Exhausted;
        // The lines to the positions kept, as moves: played from their
        // starts.
        for (Beam::Kept& k : beam.kept) {
            const Beam::Kept& start = starts[k.from];
            k.path = movesAlong(start.pos, start.path, k.line);
            k.line.clear();
        }
        starts.clear();
        for (Beam::Kept& k : beam.kept) {
            if (k.pos.length(stock) == 0)
                continue;
            std::vector<Step> steps;
            k.pos.allSteps(steps);
            for (const Step& step : steps)
                if (step.kind == Step::Deal) {
                    k.pos.appendMoves(step, k.path);
                    k.pos.make(step);
                    k.pos.forget();
                    if (k.pos.won()) {
                        result.moves = k.path;
                        return Outcome::Won;
                    }
                    starts.push_back(std::move(k));
                    break;
                }
        }
        if (starts.empty())
            return Outcome::Exhausted;
    }
}

Solver::Search::Outcome Solver::Search::go(Walk& walk, uint64_t slice, Stop& stop, Result& result, Best& best)
{
    Position& pos = *walk.pos;
    if (!walk.started) {
        walk.started = true;
        seen(walk);
        const size_t count = expand(walk);
        walk.frames.push_back(Frame{0, count, 0, 0, 0});
    }
    uint64_t positions = 0;
    for (;;) {
        Frame& frame = walk.frames.back();
        if (frame.next == frame.end) {
            const Frame done = frame;
            walk.steps.resize(done.begin);
            walk.frames.pop_back();
            if (walk.frames.empty()) {
                walk.done = true;
                return Outcome::Exhausted;
            }
            pos.undo(done.mark);
            walk.line.resize(done.lineMark);
            continue;
        }
        if (positions >= slice)
            return Outcome::Stopped;
        const Step step = walk.steps[frame.next++];
        if (undoesLast(walk, frame, step))
            continue;
        const size_t lineMark = walk.line.size();
        walk.line.push_back(step);
        const size_t mark = pos.make(step);
        ++result.movesMade;
        if (pos.won()) {
            result.moves = pathOf(walk);
            // Taken back, so that a walk whose line another table refuses
            // can go on.
            pos.undo(mark);
            walk.line.resize(lineMark);
            return Outcome::Won;
        }
        if (seen(walk)) {
            pos.undo(mark);
            walk.line.resize(lineMark);
            continue;
        }
        ++positions;
        ++result.positions;
        ++stop.positions;
        if (walk.beam != nullptr)
            walk.beam->consider(pos, walk.line);
        const int score = pos.cardsHome() * 3 + (pos.rules().cards - pos.faceDown());
        if (score > best.score) {
            best.score = score;
            best.move = firstMove(walk);
        }
        if (stop.positions >= stop.limits.positions) {
            stop.hit = true;
            return Outcome::Stopped;
        }
        if ((stop.positions & 4095) == 0) {
            if (stop.limits.cancel != nullptr && stop.limits.cancel->load(std::memory_order_relaxed)) {
                result.cancelled = true;
                stop.hit = true;
                return Outcome::Stopped;
            }
            if (memory() >= stop.limits.memory) {
                result.memoryFull = true;
                stop.hit = true;
                return Outcome::Stopped;
            }
            if (stop.limits.time.count() > 0 && std::chrono::steady_clock::now() - stop.started >= stop.limits.time) {
                stop.hit = true;
                return Outcome::Stopped;
            }
        }
        const size_t begin = walk.steps.size();
        expand(walk);
        walk.frames.push_back(Frame{begin, walk.steps.size(), begin, mark, lineMark});
    }
}

std::vector<Move> Solver::Search::movesAlong(const Position& from, const std::vector<Move>& prefix,
                                             const std::vector<Step>& line)
{
    std::vector<Move> out = prefix;
    Position p = from;
    for (const Step& s : line) {
        p.appendMoves(s, out);
        p.make(s);
    }
    return out;
}

bool Solver::Search::replayed(const Position& from, const std::vector<Move>& line, std::vector<Move>& out)
{
    Position p = from;
    out.clear();
    for (const Move& m : line) {
        Step step;
        if (!p.fromMove(m, step))
            continue;
        p.make(step);
        p.forget();
        out.push_back(m);
        if (p.won())
            return true;
    }
    return false;
}

std::vector<Move> Solver::Search::pathOf(const Walk& walk) { return movesAlong(*walk.origin, walk.prefix, walk.line); }

Move Solver::Search::firstMove(const Walk& walk)
{
    if (!walk.prefix.empty())
        return walk.prefix.front();
    return walk.origin->toMove(walk.line.front());
}

Result Solver::Search::run(const Table& table, const Limits& limits)
{
    Result result = search(table, limits);
    // The line found is what the hints follow: made as short as a small
    // search finds, detours and needless clicks on the stock taken out.
    constexpr uint64_t kShortening = 1'800'000;
    if (limits.shorten && result.verdict == Verdict::Winnable && !result.moves.empty() &&
        !(limits.cancel != nullptr && limits.cancel->load(std::memory_order_relaxed))) {
        result.moves = shortenLine(table, result.moves, kShortening);
        result.bestMove = result.moves.front();
    }
    // What the search held goes back now, not at the next search.
    quick_.hashes.clear();
    complete_.keys.clear();
    manual_.keys.clear();
    return result;
}

Result Solver::Search::search(const Table& table, const Limits& limits)
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
    Stop stop{limits, std::chrono::steady_clock::now()};
    // Cancelled before it began: nothing is searched, not even a table
    // small enough to be gone through before the flag is next read.
    if (limits.cancel != nullptr && limits.cancel->load(std::memory_order_relaxed)) {
        result.cancelled = true;
        stop.hit = true;
    }
    Best best;
    Outcome outcome = Outcome::Stopped;
    complete_.keys.clear();
    begin(complete_, root, false, true, 0);
    constexpr uint64_t kFirstSlice = 20'000;
    bool quickDone = false;
    const bool spider = root.rules().spider;
    std::optional<Position> manual;
    bool manualDone = false;
    if (root.rules().autoPlay && root.rules().talonStill) {
        manual.emplace(root.withAutoPlay(false));
        manual->setKeepingHome(true);
    }
    // Automatic play only makes for the player moves he could make
    // himself: a table that cannot be won with it off cannot be won with it
    // on. Where the talon counts as one sequence with it off, the complete
    // search there goes through far fewer positions, and so proves sooner
    // what the search with it on cannot; a win it finds counts where the
    // table with automatic play takes its moves.
    manual_.keys.clear();
    const bool manualComplete = manual.has_value();
    if (manualComplete)
        begin(manual_, *manual, false, true, 0);
    // A line found with automatic play off, played on the table: true where
    // it wins there, its moves the table took then in `result`.
    auto wonOnTable = [&] {
        const std::vector<Move> line = std::move(result.moves);
        if (replayed(root, line, result.moves))
            return true;
        result.moves.clear();
        return false;
    };
    // Where the stock deals onto the piles, or goes through but once onto
    // the waste, a table between two deals can be played out in many ways
    // that cannot be taken back, and the stages keep the best of them to
    // deal on.
    const bool staged =
        root.rules().dealToPiles || (root.rules().stock >= 0 && root.rules().waste >= 0 && !root.rules().redeals);
    for (uint32_t round = 0; !stop.hit; ++round) {
        const uint64_t slice = kFirstSlice << std::min<uint32_t>(round, 40);
        if (!spider && !quickDone) {
            quick_.hashes.clear();
            // In the games of one deck, every other try after the first
            // also makes the moves that only shift cards about, which the
            // strict tries leave out: some wins need them (Canister, which
            // deals every card at the start, most of all). With two decks
            // there are so many of them that they only slowed the tries.
            const bool strict = !root.rules().singleDeck || round % 2 == 0;
            begin(quick_, root, strict, false, round);
            outcome = go(quick_, slice, stop, result, best);
            if (outcome == Outcome::Won || stop.hit)
                break;
            // A quick try that ran out of moves proves nothing, as it left
            // some out or took two positions for one by their hash; another
            // order would only go through them again.
            quickDone = outcome == Outcome::Exhausted;
        }
        // With automatic play on, a line found with it off often wins too:
        // the cards it sends up go up by themselves, and the rest of its
        // moves are played as they stand. The tries with it on miss many
        // such wins. Where the talon counts as one sequence the search
        // with it off is the stronger one, and every round looks for such
        // a line there, until it has nothing left to try.
        if (manual && !manualDone) {
            quick_.hashes.clear();
            begin(quick_, *manual, true, false, round);
            Best ignored;
            const Outcome found = go(quick_, slice, stop, result, ignored);
            if (found == Outcome::Won && wonOnTable()) {
                outcome = Outcome::Won;
                break;
            }
            if (stop.hit) {
                outcome = Outcome::Stopped;
                break;
            }
            manualDone = found == Outcome::Exhausted;
        }
        // In the games of the stages every other round goes on stages too,
        // after the quick try; in the Spider games the stages are all.
        if ((spider || (staged && round % 2 == 1)) && !quickDone) {
            outcome = stages(root, round, stop, result, best);
            if (outcome == Outcome::Won || stop.hit)
                break;
        }
        // In the Spider games, and in the games of the stages with two
        // decks, a complete search is hopeless but for the smallest tables:
        // the stages get the most of the time.
        const bool hopeless = spider || (staged && !root.rules().singleDeck);
        // With one deck and a talon that counts as one sequence it gets
        // the most: a lost table there is proved in reach, and the quick
        // tries find most wins in their share.
        const bool provable = root.rules().singleDeck && root.rules().talon;
        const uint64_t share = hopeless ? slice / 4 : provable ? slice * 3 : slice;
        outcome = go(complete_, share, stop, result, best);
        if (outcome != Outcome::Stopped)
            break;
        if (manualComplete && !stop.hit) {
            Best ignored;
            outcome = go(manual_, slice, stop, result, ignored);
            if (outcome == Outcome::Exhausted || (outcome == Outcome::Won && wonOnTable()))
                break;
            outcome = Outcome::Stopped;
        }
    }
    if (outcome == Outcome::Won) {
        result.verdict = Verdict::Winnable;
        result.bestMove = result.moves.front();
        return result;
    }
    if (outcome == Outcome::Exhausted && (complete_.done || (manualComplete && manual_.done)))
        result.verdict = Verdict::NotWinnable;
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
