#include "solver/Shorten.h"

#include "rules/RuleCodes.h"
#include "solver/Position.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace solver {
namespace {

// Every card in its place and which way up, pile by pile, and the redeals
// made where their number is limited: two tables with the same layout take
// the same moves to the same tables.
std::string layoutOf(const Position& p)
{
    const Rules& r = p.rules();
    std::string out;
    out.reserve(static_cast<size_t>(r.piles + r.cards + 2));
    for (int i = 0; i < r.piles; ++i) {
        const int n = p.length(i);
        out.push_back(static_cast<char>(n));
        for (int k = 0; k < n; ++k)
            out.push_back(static_cast<char>(p.at(i, k)));
    }
    if (r.redealLimit >= 0) {
        out.push_back(static_cast<char>(p.redealsMade() & 0xff));
        out.push_back(static_cast<char>((p.redealsMade() >> 8) & 0xff));
    }
    return out;
}

// A line kept as the steps that make it and the table after each: point 0
// is the start, point k the table after k steps, the last point a win.
class Shortener {
public:
    Shortener(const Position& start, uint64_t budget, uint64_t& used)
        : start_(start), budget_(budget), used_(used), talon_(start.rules().talon)
    {
        start_.forget();
    }

    // Plays the line; false when a move is refused or the line does not
    // win. Moves after the win are dropped.
    bool load(const std::vector<Move>& line);
    // Cuts out every stretch that comes back to a table met before.
    void cutCycles();
    // From each point in turn, tries every sequence of up to `depth` moves
    // and takes the one that lands furthest on along the line (or wins),
    // when that saves moves. Where the stock turns without limit, the clicks
    // that bring a card up and its drag off the waste count as one of the
    // `depth` moves (and as all their moves in what is saved). True when
    // the line got shorter.
    bool sweep(int depth);
    std::vector<Move> moves() const;
    bool spent() const { return used_ >= budget_; }

private:
    struct Point {
        uint64_t hash;
        std::string layout;
    };
    struct Jump {
        size_t to = 0;
        long gain = 0;
        std::vector<Step> path;
    };

    static Point pointOf(const Position& p) { return Point{p.hash(), layoutOf(p)}; }
    void index();
    void search(Position& pos, size_t from, int left, long spent, std::vector<Step>& path, Jump& best);
    bool splice(Position& pos, size_t from, const Jump& jump);

    Position start_;
    uint64_t budget_;
    uint64_t& used_;
    bool talon_;
    std::vector<Step> steps_;
    std::vector<Point> points_;
    // The points by hash, in line order.
    std::unordered_map<uint64_t, std::vector<uint32_t>> byHash_;
    // Tables met in the search from one point, with the fewest moves that
    // reached them.
    std::unordered_map<uint64_t, size_t> near_;
};

bool Shortener::load(const std::vector<Move>& line)
{
    Position pos = start_;
    points_.push_back(pointOf(pos));
    for (const Move& m : line) {
        if (pos.won())
            break;
        Step step;
        if (!pos.fromMove(m, step))
            return false;
        pos.make(step);
        pos.forget();
        ++used_;
        steps_.push_back(step);
        points_.push_back(pointOf(pos));
    }
    return pos.won();
}

void Shortener::cutCycles()
{
    std::unordered_map<std::string, size_t> at;
    std::vector<Step> steps;
    std::vector<Point> points;
    points.push_back(points_.front());
    at.emplace(points.back().layout, 0);
    for (size_t k = 0; k < steps_.size(); ++k) {
        Point& p = points_[k + 1];
        const auto found = at.find(p.layout);
        if (found != at.end()) {
            // Back where the line stood after `i` moves: what came between
            // goes.
            const size_t i = found->second;
            for (size_t q = i + 1; q < points.size(); ++q)
                at.erase(points[q].layout);
            points.resize(i + 1);
            steps.resize(i);
            continue;
        }
        steps.push_back(steps_[k]);
        points.push_back(std::move(p));
        at.emplace(points.back().layout, points.size() - 1);
    }
    steps_ = std::move(steps);
    points_ = std::move(points);
}

void Shortener::index()
{
    byHash_.clear();
    for (size_t j = 0; j < points_.size(); ++j)
        byHash_[points_[j].hash].push_back(static_cast<uint32_t>(j));
}

void Shortener::search(Position& pos, size_t from, int left, long spent, std::vector<Step>& path, Jump& best)
{
    std::vector<Step> steps;
    pos.allSteps(steps);
    const size_t single = steps.size();
    if (talon_)
        pos.searchSteps(steps, false);
    std::vector<Move> moves;
    const size_t last = steps_.size();
    for (size_t k = 0; k < steps.size(); ++k) {
        const Step& s = steps[k];
        long cost = 1;
        if (k >= single) {
            // Of the search's own steps only a card played off the talon
            // with clicks before it is new here. (The search offers none
            // beside a card that may safely go home; taking every talon
            // card there too made the sweeps slower and the lines no
            // shorter.)
            if (s.kind != Step::Talon)
                continue;
            moves.clear();
            pos.appendMoves(s, moves);
            cost = static_cast<long>(moves.size());
            if (cost <= 1)
                continue;
        }
        if (used_ >= budget_)
            return;
        const size_t mark = pos.make(s);
        ++used_;
        path.push_back(s);
        const long d = spent + cost;
        const uint64_t h = pos.hash();
        if (pos.won()) {
            const long gain = static_cast<long>(last - from) - d;
            if (gain > best.gain)
                best = Jump{last, gain, path};
        } else {
            const auto found = byHash_.find(h);
            if (found != byHash_.end()) {
                std::string layout;
                // The furthest point first: the first that matches is the
                // best this table gives.
                const std::vector<uint32_t>& at = found->second;
                for (auto j = at.rbegin(); j != at.rend(); ++j) {
                    const long gain = static_cast<long>(*j) - static_cast<long>(from) - d;
                    if (gain <= best.gain)
                        break;
                    if (layout.empty())
                        layout = layoutOf(pos);
                    if (points_[*j].layout == layout) {
                        best = Jump{*j, gain, path};
                        break;
                    }
                }
            }
            if (left > 1) {
                const auto moved = static_cast<size_t>(d);
                const auto [seen, fresh] = near_.try_emplace(h, moved);
                if (fresh || seen->second > moved) {
                    seen->second = moved;
                    search(pos, from, left - 1, d, path, best);
                }
            }
        }
        path.pop_back();
        pos.undo(mark);
    }
}

bool Shortener::splice(Position& pos, size_t from, const Jump& jump)
{
    // The line keeps one player's move a step.
    std::vector<Step> single;
    std::vector<Point> fresh;
    std::vector<Move> moves;
    std::optional<size_t> mark;
    bool played = true;
    for (const Step& s : jump.path) {
        moves.clear();
        pos.appendMoves(s, moves);
        for (const Move& m : moves) {
            Step one;
            if (!(played = pos.fromMove(m, one)))
                break;
            const size_t made = pos.make(one);
            if (!mark)
                mark = made;
            single.push_back(one);
            fresh.push_back(pointOf(pos));
        }
        if (!played)
            break;
    }
    if (mark)
        pos.undo(*mark);
    if (!played || static_cast<long>(single.size()) != static_cast<long>(jump.to - from) - jump.gain)
        return false;
    const auto f = static_cast<std::ptrdiff_t>(from);
    const auto to = static_cast<std::ptrdiff_t>(jump.to);
    const bool toEnd = jump.to == steps_.size();
    steps_.erase(steps_.begin() + f, steps_.begin() + to);
    steps_.insert(steps_.begin() + f, single.begin(), single.end());
    // A jump to a point of the line keeps that point; a win ends the line
    // where the jump ends.
    if (toEnd) {
        points_.erase(points_.begin() + f + 1, points_.end());
        points_.insert(points_.end(), fresh.begin(), fresh.end());
    } else {
        points_.erase(points_.begin() + f + 1, points_.begin() + to);
        points_.insert(points_.begin() + f + 1, fresh.begin(), fresh.end() - 1);
    }
    return true;
}

bool Shortener::sweep(int depth)
{
    index();
    Position pos = start_;
    bool shortened = false;
    std::vector<Step> path;
    size_t i = 0;
    while (i + 1 < steps_.size() && used_ < budget_) {
        Jump best;
        path.clear();
        near_.clear();
        near_.emplace(points_[i].hash, 0);
        search(pos, i, depth, 0, path, best);
        if (best.gain > 0 && splice(pos, i, best)) {
            index();
            shortened = true;
            // The line from here changed: look again from the same point.
            continue;
        }
        pos.make(steps_[i]);
        pos.forget();
        ++used_;
        ++i;
    }
    return shortened;
}

std::vector<Move> Shortener::moves() const
{
    Position pos = start_;
    std::vector<Move> out;
    out.reserve(steps_.size());
    for (const Step& s : steps_) {
        out.push_back(pos.toMove(s));
        pos.make(s);
        pos.forget();
    }
    return out;
}

// Where the stock is turned one card at a time onto the waste and may be
// turned back without limit, clicks only bring up the card a drag takes off
// the waste: a line is its drags, each with the fewest clicks before it.
// Going round the stock again for a card passed before costs a click a
// card, so the drags are put in the order that spends the fewest clicks:
// a card played off the waste when it shows, a card left for the next time
// round, a move on the table made sooner or later to suit.
class TalonLine {
public:
    TalonLine(const Position& start, uint64_t budget, uint64_t& used) : start_(start), budget_(budget), used_(used)
    {
        start_.forget();
    }

    // Takes the line's drags; false when the line does not win with them.
    bool load(const std::vector<Move>& line);
    // Moves drags about while that makes the line shorter. True when it did.
    bool reorder();
    const std::vector<Move>& moves() const { return line_; }

private:
    static constexpr size_t kFails = ~size_t{0};
    // A card that showed on the waste before the drag `before`.
    struct Shown {
        size_t before;
        int16_t card;
    };
    // Plays the drags from `from` on, from the table kept before that
    // drag; the line's length, or kFails when a drag is refused, the end is
    // not a win or the line grows to `bound`.
    // `refused` tells the drag refused, kFails when the line failed
    // otherwise.
    size_t expandFrom(const std::vector<Move>& drags, size_t from, size_t bound, size_t* refused = nullptr);
    // Plays all the drags and keeps the line, the tables before each drag
    // and the cards shown on the way.
    bool expandAll();
    bool tryMove(size_t from, size_t to);
    // Plays the card's later drag off the waste before drag `at`, with the
    // drags between that make its place ready.
    bool pullForward(size_t at, size_t later);

    Position start_;
    uint64_t budget_;
    uint64_t& used_;
    std::vector<Move> drags_;
    std::vector<Move> line_;
    std::vector<Shown> shown_;
    std::vector<Position> before_;
    std::vector<size_t> lineBefore_;
    std::vector<Move> candidate_;
};

size_t TalonLine::expandFrom(const std::vector<Move>& drags, size_t from, size_t bound, size_t* refused)
{
    if (refused != nullptr)
        *refused = kFails;
    const bool keep = from == 0 && bound == kFails;
    Position pos = from == 0 ? start_ : before_[from];
    const Rules& r = pos.rules();
    size_t length = from == 0 ? 0 : lineBefore_[from];
    if (keep) {
        line_.clear();
        shown_.clear();
        before_.clear();
        lineBefore_.clear();
    }
    for (size_t k = from; k < drags.size(); ++k) {
        const Move& m = drags[k];
        if (keep) {
            before_.push_back(pos);
            lineBefore_.push_back(length);
        }
        if (m.fromCell == Cell::Waste) {
            // Once round stock and waste at most.
            int clicks = pos.length(r.stock) + pos.length(r.waste) + 2;
            while (pos.length(r.waste) == 0 || (pos.top(r.waste) & kIdMask) != m.card) {
                if (clicks-- == 0 && refused != nullptr)
                    *refused = k;
                if (clicks < 0 || used_ >= budget_ || ++length >= bound)
                    return kFails;
                const Step click{pos.length(r.stock) > 0 ? Step::Deal : Step::Redeal, static_cast<uint8_t>(r.stock), 0,
                                 0, 0};
                if (keep)
                    line_.push_back(pos.toMove(click));
                pos.make(click);
                pos.forget();
                ++used_;
                if (keep && pos.length(r.waste) > 0)
                    shown_.push_back(Shown{k, static_cast<int16_t>(pos.top(r.waste) & kIdMask)});
            }
        }
        Step step;
        if (used_ >= budget_ || ++length >= bound)
            return kFails;
        if (!pos.fromMove(m, step)) {
            if (refused != nullptr)
                *refused = k;
            return kFails;
        }
        if (keep)
            line_.push_back(m);
        pos.make(step);
        pos.forget();
        ++used_;
        if (pos.won())
            return length;
    }
    return kFails;
}

bool TalonLine::expandAll() { return expandFrom(drags_, 0, kFails) != kFails; }

bool TalonLine::load(const std::vector<Move>& line)
{
    for (const Move& m : line)
        if (m.kind == Move::Kind::Drag)
            drags_.push_back(m);
    return expandAll();
}

bool TalonLine::tryMove(size_t from, size_t to)
{
    if (from == to || from >= drags_.size() || to >= drags_.size())
        return false;
    candidate_ = drags_;
    const Move m = candidate_[from];
    candidate_.erase(candidate_.begin() + static_cast<std::ptrdiff_t>(from));
    candidate_.insert(candidate_.begin() + static_cast<std::ptrdiff_t>(to), m);
    if (expandFrom(candidate_, std::min(from, to), line_.size()) == kFails)
        return false;
    std::swap(drags_, candidate_);
    expandAll();
    return true;
}

bool TalonLine::pullForward(size_t at, size_t later)
{
    constexpr size_t kMostHelpers = 8;
    std::vector<size_t> pulled{later};
    auto touches = [](const Move& m, int16_t cell, int16_t pile) {
        return (m.toCell == cell && m.toPile == pile) || (m.fromCell == cell && m.fromPile == pile);
    };
    for (;;) {
        candidate_.assign(drags_.begin(), drags_.begin() + static_cast<std::ptrdiff_t>(at));
        for (const size_t j : pulled)
            candidate_.push_back(drags_[j]);
        for (size_t j = at; j < drags_.size(); ++j)
            if (std::find(pulled.begin(), pulled.end(), j) == pulled.end())
                candidate_.push_back(drags_[j]);
        size_t refused = kFails;
        if (expandFrom(candidate_, at, line_.size(), &refused) != kFails) {
            std::swap(drags_, candidate_);
            expandAll();
            return true;
        }
        if (refused < at || refused >= at + pulled.size() || pulled.size() > kMostHelpers)
            return false;
        // The refused drag waits for a change to one of its piles: the
        // last drag before the card's that makes one comes along.
        const Move& m = candidate_[refused];
        size_t helper = kFails;
        for (size_t j = later; j-- > at;)
            if (std::find(pulled.begin(), pulled.end(), j) == pulled.end() &&
                (touches(drags_[j], m.toCell, m.toPile) ||
                 (m.fromCell != Cell::Waste && touches(drags_[j], m.fromCell, m.fromPile)))) {
                helper = j;
                break;
            }
        if (helper == kFails)
            return false;
        pulled.push_back(helper);
        std::sort(pulled.begin(), pulled.end());
    }
}

bool TalonLine::reorder()
{
    bool shorter = false;
    bool again = true;
    while (again && used_ < budget_) {
        again = false;
        // A card played off the waste where it shows before its drag.
        std::set<std::pair<size_t, int16_t>> tried;
        const std::vector<Shown> shown = shown_;
        for (const Shown& s : shown) {
            if (!tried.insert({s.before, s.card}).second)
                continue;
            size_t later = s.before + 1;
            while (later < drags_.size() && (drags_[later].card != s.card || drags_[later].fromCell != Cell::Waste))
                ++later;
            if (later < drags_.size() && pullForward(s.before, later)) {
                shorter = again = true;
                break;
            }
        }
        if (again || used_ >= budget_)
            continue;
        // Any drag, waste drags first, sooner or later.
        for (int pass = 0; pass < 2 && !again && used_ < budget_; ++pass)
            for (size_t a = 0; a < drags_.size() && !again && used_ < budget_; ++a) {
                if ((drags_[a].fromCell == Cell::Waste) != (pass == 0))
                    continue;
                for (size_t b = 0; b < drags_.size() && used_ < budget_; ++b)
                    if (tryMove(a, b)) {
                        shorter = again = true;
                        break;
                    }
            }
    }
    return shorter;
}

// The tables of two layers of a search below, kept from one search to the
// next: a table is large, and copied into a place already made it costs
// no allocation.
struct BeamState {
    Position pos;
    uint32_t node = 0;
    size_t moves = 0;
};
struct BeamSpace {
    std::vector<BeamState> layer, next;
};

// A search for a short win from the start where the stock turns without
// limit: the tables that look closest to a win for the moves spent so far
// are kept, a few hundred at a time, and each is taken one search step
// further (a drag, or the clicks and the drag that play a card off the
// waste). How close a table looks: the moves spent, a move for each card
// still to go home and each card in the stock, half a move for each card
// under the waste's top (it comes back only after the stock is turned
// again, but may be played off the waste before), and `downWeight` half
// moves for each card face down on the table. Finds a win of fewer than
// `bound` moves within `budget` positions, or nothing.
std::vector<Move> beamLine(const Position& start, size_t bound, long downWeight, uint64_t budget, uint64_t& used,
                           BeamSpace& space)
{
    struct Node {
        uint32_t parent;
        Step step;
    };
    struct Child {
        long score;
        uint32_t state;
        Step step;
        size_t moves;
        uint64_t hash;
    };
    constexpr uint32_t kRoot = ~uint32_t{0};
    const Rules& r = start.rules();
    // Kept per layer: as many as the budget gives for a line of the
    // bound's length, but not so few that the search runs dry at once.
    const size_t width = std::clamp<size_t>(budget / 12 / std::max<size_t>(bound / 2, 1), 20, 400);

    std::vector<Node> nodes;
    std::vector<BeamState>& layer = space.layer;
    std::vector<BeamState>& next = space.next;
    if (layer.empty())
        layer.push_back(BeamState{start, kRoot, 0});
    else
        layer.front() = BeamState{start, kRoot, 0};
    layer.front().pos.forget();
    size_t layerSize = 1;
    std::unordered_map<uint64_t, size_t> seen;
    seen.emplace(start.hash(), 0);
    std::vector<Step> steps;
    std::vector<Move> scratch;
    std::vector<Child> children;
    uint32_t winNode = kRoot;
    size_t winMoves = bound;

    const uint64_t limit = used + budget;
    while (layerSize > 0 && used < limit) {
        children.clear();
        for (uint32_t b = 0; b < layerSize && used < limit; ++b) {
            Position& pos = layer[b].pos;
            steps.clear();
            pos.searchSteps(steps, false);
            for (const Step& st : steps) {
                scratch.clear();
                pos.appendMoves(st, scratch);
                const size_t moves = layer[b].moves + scratch.size();
                if (moves >= winMoves)
                    continue;
                const size_t mark = pos.make(st);
                ++used;
                if (pos.won()) {
                    nodes.push_back(Node{layer[b].node, st});
                    winNode = static_cast<uint32_t>(nodes.size() - 1);
                    winMoves = moves;
                } else {
                    const int stockDown = r.stock >= 0 ? pos.length(r.stock) : 0;
                    const int waste = r.waste >= 0 ? pos.length(r.waste) : 0;
                    const long twice = 2 * ((r.cards - pos.cardsHome()) + stockDown) + std::max(waste - 1, 0) +
                                       static_cast<long>(pos.faceDown() - stockDown) * downWeight;
                    children.push_back(Child{static_cast<long>(moves) + twice / 2, b, st, moves, pos.hash()});
                }
                pos.undo(mark);
            }
        }
        std::stable_sort(children.begin(), children.end(),
                         [](const Child& a, const Child& c) { return a.score < c.score; });
        size_t nextSize = 0;
        for (const Child& c : children) {
            if (nextSize == width)
                break;
            if (c.moves >= winMoves)
                continue;
            const auto [at, fresh] = seen.try_emplace(c.hash, c.moves);
            if (!fresh) {
                if (at->second <= c.moves)
                    continue;
                at->second = c.moves;
            }
            nodes.push_back(Node{layer[c.state].node, c.step});
            if (nextSize == next.size())
                next.push_back(layer[c.state]);
            else
                next[nextSize] = layer[c.state];
            BeamState& kept = next[nextSize++];
            kept.node = static_cast<uint32_t>(nodes.size() - 1);
            kept.moves = c.moves;
            kept.pos.make(c.step);
            kept.pos.forget();
        }
        std::swap(layer, next);
        layerSize = nextSize;
    }
    std::vector<Move> out;
    if (winNode == kRoot)
        return out;
    std::vector<Step> path;
    for (uint32_t n = winNode; n != kRoot; n = nodes[n].parent)
        path.push_back(nodes[n].step);
    Position pos = start;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        pos.appendMoves(*it, out);
        pos.make(*it);
        pos.forget();
    }
    return out;
}

// Plays the first `at` moves of `line` and searches for a win from there
// that is shorter than the rest of the line: the whole line it makes, or
// nothing.
std::vector<Move> beamFrom(const Position& start, const std::vector<Move>& line, size_t at, long downWeight,
                           uint64_t budget, uint64_t& used, BeamSpace& space)
{
    Position pos = start;
    for (size_t k = 0; k < at; ++k) {
        Step step;
        if (!pos.fromMove(line[k], step))
            return {};
        pos.make(step);
        pos.forget();
        if (pos.won())
            return {};
    }
    std::vector<Move> rest = beamLine(pos, line.size() - at, downWeight, budget, used, space);
    if (rest.empty())
        return {};
    std::vector<Move> out(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(at));
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

// The searches of their own where the stock turns without limit, each
// given `each` positions. Each weight of the cards face down leads the
// search another way, and one way may run into a dead end where another
// wins: a few are tried from the start. Then, from tables an eighth, two
// eighths and so on along the best line, which is known to win from each
// of them, searches with less ahead of them look for a shorter rest.
std::vector<Move> beamLines(const Position& start, std::vector<Move> line, uint64_t each, uint64_t& used,
                            BeamSpace& space)
{
    constexpr std::array<long, 4> kWeights{6, 3, 9, 2};
    constexpr int kParts = 8;
    auto take = [&](std::vector<Move> won) {
        if (!won.empty() && won.size() < line.size())
            line = std::move(won);
    };
    for (const long weight : kWeights)
        take(beamLine(start, line.size(), weight, each, used, space));
    for (int part = 1; part < kParts; ++part)
        take(beamFrom(start, line, line.size() * static_cast<size_t>(part) / kParts, kWeights[0], each, used, space));
    return line;
}

} // namespace

std::vector<Move> shortenLine(const Table& start, const std::vector<Move>& line, uint64_t positionBudget)
{
    if (start.unsupported() || start.won() || line.empty())
        return line;
    uint64_t used = 0;
    const bool talon = start.position().rules().talon;
    std::vector<Move> shorter = line;
    // Where the stock turns without limit, most of the budget goes on
    // searches of their own for a shorter win, eleven of them; after them
    // the sweeps below seldom find much, and keep a twentieth (more of a
    // small budget). Elsewhere the sweeps are all: a seventh.
    const uint64_t kept =
        talon ? std::max(positionBudget / 20, std::min<uint64_t>(positionBudget / 2, 50'000)) : positionBudget / 7;
    if (talon) {
        BeamSpace space;
        shorter = beamLines(start.position(), shorter, (positionBudget - kept) / 11, used, space);
    }
    const uint64_t sweepBudget = std::min(positionBudget, used + kept);
    // Each way of shortening opens chances for the other: round again while
    // the line gets shorter.
    for (int round = 0;; ++round) {
        std::vector<Move> next = shorter;
        if (talon) {
            // The cheap reordering first, so that the searches below do not
            // leave it without budget.
            TalonLine drags(start.position(), sweepBudget, used);
            if (drags.load(next) && drags.reorder() && drags.moves().size() < next.size())
                next = drags.moves();
        }
        Shortener shortener(start.position(), sweepBudget, used);
        if (!shortener.load(next))
            return line;
        shortener.cutCycles();
        // Short looks along the whole line first, deeper ones with what the
        // budget leaves.
        for (int depth = 1; depth <= 3 && !shortener.spent(); ++depth)
            while (!shortener.spent() && shortener.sweep(depth))
                shortener.cutCycles();
        next = shortener.moves();
        const bool progress = next.size() < shorter.size();
        shorter = std::move(next);
        if (!progress || used >= sweepBudget || round == 8)
            break;
    }
    if (shorter.size() >= line.size())
        return line;
    // Played through once more the way the table plays a player's moves.
    Table check = start;
    for (const Move& m : shorter)
        if (!check.play(m))
            return line;
    return check.won() ? shorter : line;
}

} // namespace solver
