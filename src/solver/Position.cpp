#include "solver/Position.h"

#include "engine/cPlay.h"
#include "rules/Card.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <random>

namespace solver {
namespace {

uint64_t mix(uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

bool freecellFamily(const QString& tag)
{
    return tag == QLatin1String("Freecell") || tag == QLatin1String("FreecellAK") || tag == QLatin1String("Penguin");
}

// The same random words for every table, so that hashes repeat from run to
// run.
const std::vector<uint64_t>& zobristWords()
{
    static const std::vector<uint64_t> words = [] {
        std::mt19937_64 random(0x7ab1c0a5u);
        std::vector<uint64_t> w(static_cast<size_t>(52 * 2 * kPileCap));
        for (uint64_t& v : w)
            v = random();
        return w;
    }();
    return words;
}

// Where the stock turns one card at a time and redeals without limit,
// whether stock and waste count as one sequence always or only while
// automatic play has nothing of theirs to send up; such piles are then
// hashed as one.
void setTalon(Rules& r, bool oneByOne)
{
    r.talon = oneByOne && !r.autoPlay;
    r.talonStill = oneByOne && r.autoPlay;
    r.unhashed = r.talon ? (uint64_t{1} << r.stock) | (uint64_t{1} << r.waste) : 0;
}

std::vector<uint8_t> pairTable(const cPlay& play, int cards, int32_t code, bool wrap)
{
    std::vector<uint8_t> table(static_cast<size_t>(cards * cards));
    for (int u = 0; u < cards; ++u)
        for (int p = 0; p < cards; ++p)
            table[static_cast<size_t>(u * cards + p)] =
                play.CanBuild(static_cast<int16_t>(u), static_cast<int16_t>(p), code, wrap) ? 1 : 0;
    return table;
}

// What the pair tables are made from, and the tables last made.
struct PairInputs {
    // Rank and suit of each card, by its number.
    std::vector<int16_t> cards;
    std::array<int32_t, 7> codes{};
    bool operator==(const PairInputs&) const = default;
};
struct PairTables {
    PairInputs inputs;
    std::vector<uint8_t> home, run, clear;
    std::array<std::vector<uint8_t>, 4> foundation;
    std::vector<std::vector<uint8_t>> builders;
};

} // namespace

void sortSteps(std::vector<Step>& steps, size_t begin)
{
    for (size_t i = begin + 1; i < steps.size(); ++i) {
        const Step s = steps[i];
        size_t j = i;
        for (; j > begin && steps[j - 1].priority < s.priority; --j)
            steps[j] = steps[j - 1];
        steps[j] = s;
    }
}

std::unique_ptr<Position> Position::of(const cGames& games, const cPlay& play, int16_t redealsMade, bool autoPlay)
{
    auto rules = std::make_shared<Rules>();
    auto position = std::make_unique<Position>();
    Rules& r = *rules;
    const int cards = play.CardCount();
    int piles = 0;
    for (int16_t cell = 0; cell < cPlay::kCells; ++cell)
        piles +=
            cell == Cell::Stock || cell == Cell::Waste ? std::min<int16_t>(games.Piles(cell), 1) : games.Piles(cell);
    r.cards = cards;
    if (cards > kMaxCards || cards <= 0 || piles > kMaxPiles || games.Piles(Cell::Home) > cPlay::kMaxPiles ||
        games.Piles(Cell::Foundation) > cPlay::kMaxPiles || games.Piles(Cell::Reserve) > cPlay::kMaxPiles) {
        r.unsupported = true;
        position->rules_ = std::move(rules);
        return position;
    }

    for (int16_t j = 0; j < cards; ++j) {
        r.rank[static_cast<size_t>(j)] = static_cast<uint8_t>(play.Num(j));
        r.suitPile[static_cast<size_t>(j)] = static_cast<uint8_t>(play.SuitPile(j));
        r.face[static_cast<size_t>(j)] =
            static_cast<uint8_t>((play.Suit(j) % 4) * card::kRanks + play.Num(j) % card::kRanks);
    }

    // Piles in solver order.
    auto addPiles = [&](int16_t cell, int16_t count, PileKind kind) {
        for (int16_t p = 0; p < count; ++p) {
            const auto i = static_cast<size_t>(r.piles++);
            r.kind[i] = kind;
            r.cell[i] = cell;
            r.pileNo[i] = p;
        }
    };
    r.homeBegin = 0;
    r.homeCount = games.Piles(Cell::Home);
    addPiles(Cell::Home, games.Piles(Cell::Home), PileKind::Home);
    if (games.Piles(Cell::Stock) > 0) {
        r.stock = r.piles;
        addPiles(Cell::Stock, 1, PileKind::Stock);
    }
    if (games.Piles(Cell::Waste) > 0) {
        r.waste = r.piles;
        addPiles(Cell::Waste, 1, PileKind::Waste);
    }
    r.foundationBegin = r.piles;
    r.foundationCount = games.Piles(Cell::Foundation);
    addPiles(Cell::Foundation, games.Piles(Cell::Foundation), PileKind::Foundation);
    r.reserveBegin = r.piles;
    r.reserveCount = games.Piles(Cell::Reserve);
    addPiles(Cell::Reserve, games.Piles(Cell::Reserve), PileKind::Reserve);

    r.foundationWrap = games.AK(Cell::Foundation) != 0;
    std::vector<int32_t> orders;
    for (int f = 0; f < r.foundationCount; ++f) {
        const int32_t order = games.Order(Cell::Foundation, static_cast<int16_t>(f));
        auto found = std::find(orders.begin(), orders.end(), order);
        if (found == orders.end()) {
            if (orders.size() == 2) {
                r.unsupported = true;
                break;
            }
            orders.push_back(order);
            found = orders.end() - 1;
        }
        r.foundationClass[static_cast<size_t>(r.foundationBegin + f)] = static_cast<uint8_t>(found - orders.begin());
    }

    // The building orders, by the play table's own rule. They depend only on
    // the cards and the orders, so a table of the same deal (the window
    // looks at it after every change) takes them over from the last one
    // this thread read.
    PairInputs inputs;
    for (int16_t j = 0; j < cards; ++j)
        inputs.cards.push_back(static_cast<int16_t>(play.Num(j) * 4 + play.Suit(j) % 4));
    inputs.codes = {games.Order(Cell::Home, 0),        games.MultiOrder(),       games.Order(Cell::Foundation, 0),
                    games.AK(Cell::Home) != 0 ? 1 : 0, r.foundationWrap ? 1 : 0, orders.empty() ? -1 : orders[0],
                    orders.size() < 2 ? -1 : orders[1]};
    thread_local PairTables last;
    if (!(last.inputs == inputs)) {
        const bool homeWrap = games.AK(Cell::Home) != 0;
        last.inputs = std::move(inputs);
        last.home = pairTable(play, cards, games.Order(Cell::Home, 0), homeWrap);
        last.run = pairTable(play, cards, games.MultiOrder(), homeWrap);
        last.clear = pairTable(play, cards, games.Order(Cell::Foundation, 0), homeWrap);
        last.foundation = {};
        for (size_t c = 0; c < orders.size(); ++c) {
            last.foundation[c * 2] = pairTable(play, cards, orders[c], r.foundationWrap);
            last.foundation[c * 2 + 1] = pairTable(play, cards, orders[c], true);
        }
        last.builders.assign(static_cast<size_t>(cards), {});
        for (int u = 0; u < cards; ++u)
            for (int p = 0; p < cards; ++p)
                if (last.home[static_cast<size_t>(u * cards + p)] != 0)
                    last.builders[static_cast<size_t>(u)].push_back(static_cast<uint8_t>(p));
    }
    r.buildHome = last.home;
    r.buildRun = last.run;
    r.buildClear = last.clear;
    r.buildFoundation = last.foundation;
    r.builders = last.builders;
    r.runsNarrower = r.buildRun != r.buildHome;
    // For each card on a foundation, the cards that may go on it there.
    for (size_t t = 0; t < r.buildFoundation.size(); ++t) {
        const std::vector<uint8_t>& table = r.buildFoundation[t];
        r.nextMask[t].assign(static_cast<size_t>(cards), {});
        if (table.empty())
            continue;
        for (int u = 0; u < cards; ++u)
            for (int p = 0; p < cards; ++p)
                if (table[static_cast<size_t>(u * cards + p)] != 0)
                    r.nextMask[t][static_cast<size_t>(u)][static_cast<size_t>(p >> 6)] |= uint64_t{1} << (p & 63);
    }
    for (int j = 0; j < cards; ++j)
        if (r.rank[static_cast<size_t>(j)] == play.BaseRank())
            r.baseMask[static_cast<size_t>(j >> 6)] |= uint64_t{1} << (j & 63);
    for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f)
        r.foundationPiles |= uint64_t{1} << f;
    r.talonSays = r.foundationPiles;
    if (r.stock >= 0)
        r.talonSays |= uint64_t{1} << r.stock;
    if (r.waste >= 0)
        r.talonSays |= uint64_t{1} << r.waste;
    // A foundation's cards follow from its top card when each card has but
    // one kind of card it may lie on there.
    r.foundationsByTop = true;
    for (const std::vector<uint8_t>& table : r.buildFoundation) {
        if (table.empty())
            continue;
        for (int p = 0; p < cards && r.foundationsByTop; ++p) {
            int under = -1;
            for (int u = 0; u < cards; ++u) {
                if (table[static_cast<size_t>(u * cards + p)] == 0)
                    continue;
                const int f = r.face[static_cast<size_t>(u)];
                if (under >= 0 && under != f) {
                    r.foundationsByTop = false;
                    break;
                }
                under = f;
            }
        }
    }
    {
        std::array<bool, 2 * card::kRanks * 4> seen{};
        r.singleDeck = true;
        for (int j = 0; j < cards; ++j) {
            const uint8_t f = r.face[static_cast<size_t>(j)];
            r.singleDeck = r.singleDeck && !seen[f];
            seen[f] = true;
        }
    }

    r.multiMove = games.MultiMove() != 0;
    r.freecellLimit = freecellFamily(games.Tag());
    r.emptyNum = games.EmptyNum();
    r.reserveTakes = games.ResNum() == -1;
    r.spider = games.spiderRules();
    r.autoPlay = autoPlay && !r.spider;
    r.stockType = games.StockType();
    r.dealToPiles = games.StockMove() == StockMove::DealToHome;
    r.redeals = games.StockNum() == Redeal::Allowed;
    r.redealLimit = games.Redeals();
    r.baseRank = play.BaseRank();
    r.foundationCapacity = play.foundationCapacity();
    r.goalDiv = games.GoalDiv();
    const bool oneByOne = !r.spider && r.stock >= 0 && r.waste >= 0 && r.stockType != StockType::TopPlayable &&
                          !r.dealToPiles && r.redeals && r.redealLimit == Redeal::kUnlimited;
    setTalon(r, oneByOne);

    r.zobrist = zobristWords();
    std::mt19937_64 salts(0x5eedu);
    for (uint64_t& w : r.cardWord)
        w = salts();
    const uint64_t homeSalt = salts();
    std::array<uint64_t, 2> foundationSalt{salts(), salts()};
    const uint64_t reserveSalt = salts();
    for (int i = 0; i < r.piles; ++i) {
        const auto k = static_cast<size_t>(i);
        r.homeOwnSalt[k] = salts();
        switch (r.kind[k]) {
        case PileKind::Home: r.salt[k] = homeSalt; break;
        case PileKind::Stock:
        case PileKind::Waste: r.salt[k] = r.homeOwnSalt[k]; break;
        case PileKind::Foundation: r.salt[k] = foundationSalt[r.foundationClass[k]]; break;
        case PileKind::Reserve: r.salt[k] = reserveSalt; break;
        }
    }

    Position& pos = *position;
    pos.rules_ = rules;
    pos.redealsMade_ = redealsMade;
    for (int i = 0; i < r.piles; ++i) {
        const auto k = static_cast<size_t>(i);
        const int16_t top = play.GetTop(r.cell[k], r.pileNo[k]);
        if (top + 1 >= kPileCap) {
            rules->unsupported = true;
            return position;
        }
        for (int16_t at = 0; at <= top; ++at) {
            const int16_t id = play.GetPicID(r.cell[k], r.pileNo[k], at);
            if (id < 0 || id >= cards) {
                // A gap in a pile: not a table the solver can read.
                rules->unsupported = true;
                return position;
            }
            const bool down = play.FaceMode(id) != cPlay::kFaceUp;
            pos.push(i, static_cast<uint8_t>(id | (down ? kDown : 0)));
            if (r.kind[k] == PileKind::Foundation) {
                pos.home_[static_cast<size_t>(id)] = true;
                ++pos.cardsHome_;
            }
        }
    }
    pos.settle();
    return position;
}

void Position::settle()
{
    const Rules& r = *rules_;
    pileMask_ = r.piles >= 64 ? ~uint64_t{0} : (uint64_t{1} << r.piles) - 1;
    talonPiles_ = r.talon || r.talonStill ? (uint64_t{1} << r.stock) | (uint64_t{1} << r.waste) : 0;
    for (int i = 0; i < r.homeCount; ++i)
        homeOrder_[static_cast<size_t>(i)] = static_cast<uint8_t>(r.homeBegin + i);
    log_.reserve(4096);
    faceLog_.reserve(4096);
}

Position Position::withAutoPlay(bool on) const
{
    auto rules = std::make_shared<Rules>(*rules_);
    Rules& r = *rules;
    r.autoPlay = on && !r.spider;
    setTalon(r, r.talon || r.talonStill);
    Position out;
    out.rules_ = rules;
    out.redealsMade_ = redealsMade_;
    for (int i = 0; i < r.piles; ++i)
        for (int p = 0; p < length(i); ++p)
            out.push(i, at(i, p));
    out.home_ = home_;
    out.cardsHome_ = cardsHome_;
    out.settle();
    return out;
}

void Position::push(int pile, uint8_t card)
{
    const auto k = static_cast<size_t>(pile);
    const int at = len_[k];
    cards_[k][static_cast<size_t>(at)] = card;
    len_[k] = static_cast<uint8_t>(at + 1);
    dirty_ |= uint64_t{1} << pile;
    if (((rules_->talonSays >> pile) & 1) != 0)
        talonChanged(pile, card, true);
    if (((rules_->unhashed >> pile) & 1) == 0)
        pileHash_[k] ^= rules_->z(card, at);
    if ((card & kDown) != 0)
        ++faceDown_;
}

uint8_t Position::pop(int pile)
{
    const auto k = static_cast<size_t>(pile);
    const int at = len_[k] - 1;
    const uint8_t card = cards_[k][static_cast<size_t>(at)];
    len_[k] = static_cast<uint8_t>(at);
    dirty_ |= uint64_t{1} << pile;
    if (((rules_->talonSays >> pile) & 1) != 0)
        talonChanged(pile, card, false);
    if (((rules_->unhashed >> pile) & 1) == 0)
        pileHash_[k] ^= rules_->z(card, at);
    if ((card & kDown) != 0)
        --faceDown_;
    return card;
}

uint64_t Position::hash() const
{
    const Rules& r = *rules_;
    // Home piles play alike unless the stock still deals one card to each
    // in turn.
    const bool ownHome = r.dealToPiles && r.stock >= 0 && len_[static_cast<size_t>(r.stock)] > 0;
    if (ownHome != ownHome_ || !mixesKnown_) {
        ownHome_ = ownHome;
        mixesKnown_ = true;
        dirty_ = ~uint64_t{0};
    }
    const bool together = talonNow();
    if (together != together_) {
        together_ = together;
        dirty_ = ~uint64_t{0};
    }
    // Only the piles changed since the last hash are mixed again.
    if (together && (dirty_ & talonPiles_) != 0) {
        // Where the stock ends and the waste begins does not count; which
        // cards are left says in what order they lie, as the clicks and the
        // redeals keep the order they were dealt in and a card only ever
        // leaves.
        mixed_[static_cast<size_t>(r.stock)] = mix(talonHash_ + r.salt[static_cast<size_t>(r.stock)]);
        mixed_[static_cast<size_t>(r.waste)] = 0;
        dirty_ &= ~talonPiles_;
    }
    for (uint64_t d = dirty_ & (together ? pileMask_ & ~talonPiles_ : pileMask_); d != 0; d &= d - 1) {
        const auto k = static_cast<size_t>(std::countr_zero(d));
        const uint64_t salt = ownHome && r.kind[k] == PileKind::Home ? r.homeOwnSalt[k] : r.salt[k];
        mixed_[k] = mix(pileHash_[k] + salt);
    }
    dirty_ = 0;
    uint64_t h = r.redealLimit >= 0 ? mix(static_cast<uint64_t>(redealsMade_) + 0x9e37u) : 0;
    for (int i = 0; i < r.piles; ++i)
        h += mixed_[static_cast<size_t>(i)];
    return h == 0 ? 1 : h;
}

void Position::key(std::vector<uint8_t>& out, bool marks) const
{
    const Rules& r = *rules_;
    constexpr uint8_t kEnd = 0xff;
    constexpr uint8_t kWaits = 0xfe;
    // Written in place: at most every card and an end mark per pile, the
    // redeals, and two bytes a foundation; and room for the last copy of
    // a pile to run over.
    out.resize(static_cast<size_t>(r.cards + 3 * r.piles + 32));
    uint8_t* const first = out.data();
    uint8_t* put = first;
    // A card by its looks and which way up it lies.
    auto code = [&](uint8_t card) { return static_cast<uint8_t>(r.face[card & kIdMask] | (card & kDown)); };
    // Piles in the order of their hashes: alike piles hash alike. Two
    // different piles hashing alike could only put alike positions in two
    // orders, so that one is tried twice; never two different ones in one.
    // Sorted as plain numbers: the hash's upper bits, the pile in the
    // lowest byte.
    auto byHash = [&](std::array<uint8_t, kMaxPiles>& piles, int count) {
        std::array<uint64_t, kMaxPiles> tagged; // NOLINT: filled before it is read
        for (int i = 0; i < count; ++i) {
            const uint8_t p = piles[static_cast<size_t>(i)];
            tagged[static_cast<size_t>(i)] = (pileHash_[p] & ~uint64_t{0xff}) | p;
        }
        for (int i = 1; i < count; ++i) {
            const uint64_t v = tagged[static_cast<size_t>(i)];
            int j = i;
            for (; j > 0 && tagged[static_cast<size_t>(j - 1)] > v; --j)
                tagged[static_cast<size_t>(j)] = tagged[static_cast<size_t>(j - 1)];
            tagged[static_cast<size_t>(j)] = v;
        }
        for (int i = 0; i < count; ++i)
            piles[static_cast<size_t>(i)] = static_cast<uint8_t>(tagged[static_cast<size_t>(i)] & 0xff);
    };
    auto addPile = [&](int pile) {
        const uint8_t* cards = cards_[static_cast<size_t>(pile)].data();
        const int n = length(pile);
        if (r.singleDeck) {
            // No two cards alike: a card's own number says as much as its
            // looks. Copied sixteen bytes at a time, the last few past the
            // pile's end overwritten by what comes next (or left past the
            // key's end, inside the room made for them).
            static_assert(kPileCap % 16 == 0);
            for (int i = 0; i < n; i += 16)
                std::memcpy(put + i, cards + i, 16);
            put += n;
        } else {
            for (int i = 0; i < n; ++i)
                *put++ = code(cards[i]);
        }
        // The pile whose top card waits: only the moves that serve it
        // come next.
        if (marks && pile + 1 == waitPile_)
            *put++ = kWaits;
        *put++ = kEnd;
    };
    // Piles that play alike go in one order, whatever their places.
    std::array<uint8_t, kMaxPiles> order; // NOLINT: filled before it is read
    auto addAlike = [&](int begin, int count, bool alike, auto&& add) {
        for (int i = 0; i < count; ++i)
            order[static_cast<size_t>(i)] = static_cast<uint8_t>(begin + i);
        if (alike)
            byHash(order, count);
        for (int i = 0; i < count; ++i)
            add(order[static_cast<size_t>(i)]);
    };
    if (r.redealLimit >= 0)
        *put++ = static_cast<uint8_t>(std::min(redealsMade_, 0xfe));
    const bool ownHome = r.dealToPiles && r.stock >= 0 && length(r.stock) > 0;
    if (ownHome) {
        addAlike(r.homeBegin, r.homeCount, false, addPile);
    } else {
        // Sorted from the order the last key found: a move or two changes
        // only a pile or two, so few are out of place.
        std::copy_n(homeOrder_.begin(), r.homeCount, order.begin());
        byHash(order, r.homeCount);
        std::copy_n(order.begin(), r.homeCount, homeOrder_.begin());
        for (int i = 0; i < r.homeCount; ++i)
            addPile(order[static_cast<size_t>(i)]);
    }
    const bool together = talonNow();
    if (r.talonStill)
        *put++ = together ? 1 : 0;
    if (together) {
        // Where the stock ends and the waste begins does not count, and the
        // cards left say in what order they lie (see hash()): one bit a
        // card.
        // All sixteen bytes written, the unused ones then overwritten.
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(put, talonCards_.data(), 16);
        } else {
            for (int b = 0; b < 16; ++b)
                put[b] = static_cast<uint8_t>(talonCards_[static_cast<size_t>(b / 8)] >> (8 * (b % 8)));
        }
        put += (r.cards + 7) / 8;
    } else {
        if (r.stock >= 0)
            addPile(r.stock);
        if (r.waste >= 0)
            addPile(r.waste);
    }
    for (int c = 0; c < 2; ++c) {
        int count = 0;
        for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f)
            if (r.foundationClass[static_cast<size_t>(f)] == c)
                order[static_cast<size_t>(count++)] = static_cast<uint8_t>(f);
        if (r.foundationsByTop) {
            // The top card and the height say what lies below.
            std::array<uint16_t, kMaxPiles> tops; // NOLINT: filled before it is read
            for (int i = 0; i < count; ++i) {
                const int f = order[static_cast<size_t>(i)];
                tops[static_cast<size_t>(i)] =
                    static_cast<uint16_t>(length(f) == 0 ? 0 : (length(f) << 8) | code(top(f)));
            }
            std::sort(tops.begin(), tops.begin() + count);
            for (int i = 0; i < count; ++i) {
                *put++ = static_cast<uint8_t>(tops[static_cast<size_t>(i)] >> 8);
                *put++ = static_cast<uint8_t>(tops[static_cast<size_t>(i)] & 0xff);
            }
        } else {
            byHash(order, count);
            for (int i = 0; i < count; ++i)
                addPile(order[static_cast<size_t>(i)]);
        }
    }
    addAlike(r.reserveBegin, r.reserveCount, true, addPile);
    out.resize(static_cast<size_t>(put - first));
}

std::array<uint64_t, 2> Position::takes(int f) const
{
    const Rules& r = *rules_;
    const int n = length(f);
    if (n == 0)
        return r.baseMask;
    if (!r.spider && n >= r.foundationCapacity)
        return {};
    const bool wrap = r.foundationWrap || n % card::kRunLength == 0;
    return r.nextMask[r.foundationClass[static_cast<size_t>(f)] * 2u + (wrap ? 1 : 0)][top(f) & kIdMask];
}

bool Position::canGoToFoundation(uint8_t card, int f) const
{
    const unsigned id = card & kIdMask;
    return ((takes(f)[id >> 6] >> (id & 63)) & 1) != 0;
}

std::pair<int, int> Position::emptyPiles() const
{
    const Rules& r = *rules_;
    int home = 0;
    int reserve = 0;
    for (int p = 0; p < r.homeCount; ++p)
        home += length(r.homeBegin + p) == 0 ? 1 : 0;
    for (int p = 0; p < r.reserveCount; ++p)
        reserve += length(r.reserveBegin + p) == 0 ? 1 : 0;
    return {home, reserve};
}

template <typename Head> void Position::eachHead(int pile, int emptyHome, int emptyReserve, Head&& head) const
{
    const Rules& r = *rules_;
    const int n = length(pile);
    if (n == 0)
        return;
    const PileKind kind = r.kind[static_cast<size_t>(pile)];
    if (kind == PileKind::Stock && r.stockType != StockType::TopPlayable)
        return;
    const int limit = r.freecellLimit ? (emptyHome + 1) * (emptyReserve + 1) : n;
    bool runOk = true;
    for (int pos = n - 1; pos >= 0; --pos) {
        const int count = n - pos;
        const uint8_t card = at(pile, pos);
        if (pos < n - 1) {
            // Deeper cards only from a home pile, face up, with the cards
            // on them in order.
            if (kind != PileKind::Home || !r.multiMove)
                break;
            runOk = runOk && r.canBuildRun(card, at(pile, pos + 1));
            if (!runOk || count > limit)
                break;
            if ((card & kDown) != 0)
                continue;
        }
        head(card, count);
    }
}

void Position::dragSteps(int pile, std::vector<Step>* out, int emptyHome, int emptyReserve,
                         const HomeDrops& drops) const
{
    eachHead(pile, emptyHome, emptyReserve, [&](uint8_t card, int count) {
        eachDrop(card, count, pile, drops, [&](int to) {
            out->push_back(
                Step{Step::Drag, static_cast<uint8_t>(pile), static_cast<uint8_t>(to), static_cast<uint8_t>(count), 0});
        });
    });
}

void Position::homeDrops(HomeDrops& drops, int only) const
{
    const Rules& r = *rules_;
    std::fill_n(drops.onTop.begin(), r.cards, 0);
    drops.empty = 0;
    for (int p = 0; p < r.homeCount; ++p) {
        const int pile = r.homeBegin + p;
        if (only >= 0 && pile != only)
            continue;
        if (length(pile) == 0) {
            drops.empty |= uint64_t{1} << p;
            continue;
        }
        for (const uint8_t b : r.builders[top(pile) & kIdMask])
            drops.onTop[b] |= uint64_t{1} << p;
    }
}

template <typename Add>
void Position::eachDrop(uint8_t card, int count, int from, const HomeDrops& drops, Add&& add) const
{
    // The play table's drop rule, one kind of pile at a time.
    const Rules& r = *rules_;
    const size_t id = card & kIdMask;
    const bool emptyTakes = r.emptyNum == -1 || r.rank[id] == r.emptyNum;
    uint64_t homes = drops.onTop[id] | (emptyTakes ? drops.empty : 0);
    if (from >= r.homeBegin && from < r.homeBegin + r.homeCount)
        homes &= ~(uint64_t{1} << (from - r.homeBegin));
    for (; homes != 0; homes &= homes - 1)
        add(r.homeBegin + std::countr_zero(homes));
    if (count != 1)
        return;
    if (r.reserveTakes)
        for (int to = r.reserveBegin; to < r.reserveBegin + r.reserveCount; ++to)
            if (length(to) == 0)
                add(to);
    if (!r.spider && canGoHomeNow(card))
        for (int to = r.foundationBegin; to < r.foundationBegin + r.foundationCount; ++to)
            if (to != from && canGoToFoundation(card, to))
                add(to);
}

void Position::allSteps(std::vector<Step>& out) const
{
    HomeDrops drops; // NOLINT: filled before it is read
    homeDrops(drops);
    allSteps(out, drops, false, false);
}

void Position::allSteps(std::vector<Step>& out, const HomeDrops& drops, bool noWaste, bool noClicks) const
{
    const Rules& r = *rules_;
    const auto [emptyHome, emptyReserve] = emptyPiles();
    for (int pile = 0; pile < r.piles; ++pile)
        if (!noWaste || pile != r.waste)
            dragSteps(pile, &out, emptyHome, emptyReserve, drops);
    if (!noClicks && r.stock >= 0 && r.stockType != StockType::TopPlayable) {
        if (length(r.stock) > 0)
            out.push_back(Step{Step::Deal, static_cast<uint8_t>(r.stock), 0, 0, 0});
        else if (r.redeals && (r.redealLimit == -1 || redealsMade_ < r.redealLimit))
            out.push_back(Step{Step::Redeal, static_cast<uint8_t>(r.stock), 0, 0, 0});
    }
}

void Position::findHomeable() const
{
    const Rules& r = *rules_;
    homeable_ = {};
    for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f) {
        const std::array<uint64_t, 2> next = takes(f);
        homeable_[0] |= next[0];
        homeable_[1] |= next[1];
    }
    homeableKnown_ = true;
}

bool Position::noLongerNeeded(uint8_t card) const
{
    const Rules& r = *rules_;
    // A card on the table is only worth keeping there to hold cards built
    // on it. It can go home for good when each of those is home or could
    // go home now, each card they could hold likewise, and everything that
    // could be built on those is home already: whatever a win would have
    // built on the card can go home instead.
    for (const uint8_t y : r.builders[card & kIdMask]) {
        if (home_[y])
            continue;
        // Two cards alike could both be waiting for one foundation.
        if (!r.singleDeck || !canGoHomeNow(y))
            return false;
        for (const uint8_t z : r.builders[y]) {
            if (home_[z])
                continue;
            if (!r.singleDeck || !canGoHomeNow(z))
                return false;
            for (const uint8_t w : r.builders[z])
                if (!home_[w])
                    return false;
        }
    }
    return true;
}

bool Position::safeHome(int pile, Step& step) const
{
    if (length(pile) == 0)
        return false;
    const uint8_t card = top(pile);
    // The cheap test first: most top cards cannot go home at all.
    if ((card & kDown) != 0 || !canGoHomeNow(card) || !noLongerNeeded(card))
        return false;
    const int f = foundationFor(card);
    if (f < 0)
        return false;
    step = Step{Step::Drag, static_cast<uint8_t>(pile), static_cast<uint8_t>(f), 1, 0};
    return true;
}

int Position::foundationFor(uint8_t card) const
{
    const Rules& r = *rules_;
    for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f)
        if (canGoToFoundation(card, f))
            return f;
    return -1;
}

int32_t Position::spiderPriority(const Step& step) const
{
    // Cards turned up first, then piles emptied and runs lengthened in
    // suit; a run taken off its own suit last.
    const Rules& r = *rules_;
    const int below = length(step.from) - step.count - 1;
    const uint8_t card = at(step.from, below + 1);
    const bool onto = length(step.to) > 0;
    const bool inSuitThere = onto && r.canBuildRun(top(step.to), card);
    int32_t p = 300 + (inSuitThere ? 250 + step.count * 4 : 0) - (onto ? 0 : 200);
    if (below < 0)
        return p + (onto ? 450 : 0);
    const uint8_t exposed = at(step.from, below);
    if ((exposed & kDown) != 0) {
        int hidden = 0;
        for (int i = 0; i <= below && (at(step.from, i) & kDown) != 0; ++i)
            ++hidden;
        return p + 600 - 10 * hidden;
    }
    if (r.canBuildRun(exposed, card))
        p -= 250;
    return p;
}

int32_t Position::priorityOf(const Step& step) const
{
    const Rules& r = *rules_;
    if (step.kind == Step::Deal)
        return 200;
    if (step.kind == Step::Redeal)
        return 100;
    const PileKind from = r.kind[step.from];
    const PileKind to = r.kind[step.to];
    if (r.spider && from == PileKind::Home && to == PileKind::Home)
        return spiderPriority(step);
    const int n = length(step.from);
    const int below = n - step.count - 1;
    const bool reveals = from == PileKind::Home && below >= 0 && (at(step.from, below) & kDown) != 0;
    int hidden = 0;
    if (reveals)
        for (int p = 0; p <= below && (at(step.from, p) & kDown) != 0; ++p)
            ++hidden;
    if (from == PileKind::Foundation)
        return 50;
    if (to == PileKind::Foundation)
        return 1000 + hidden;
    // Where runs move only in a narrower order than they build (Spider),
    // a card put where it lengthens a run that can move is worth more.
    const int runBonus = r.runsNarrower && to == PileKind::Home && length(step.to) > 0 &&
                                 r.canBuildRun(top(step.to), at(step.from, below + 1))
                             ? 100
                             : 0;
    if (reveals)
        return (to == PileKind::Reserve ? 500 : 800) + 10 * hidden + runBonus;
    if (runBonus != 0)
        return (from != PileKind::Home ? 650 : below < 0 ? 700 : 400) + runBonus;
    if (to == PileKind::Reserve)
        return 150;
    if (from != PileKind::Home)
        return length(step.to) > 0 ? 650 : 600;
    if (below < 0)
        return length(step.to) > 0 ? 700 : 10;
    return length(step.to) > 0 ? 400 : 300;
}

int32_t Position::fromTalon(int to, int clicks) const
{
    const PileKind kind = rules_->kind[static_cast<size_t>(to)];
    return (kind == PileKind::Foundation ? 1000
            : kind == PileKind::Reserve  ? 150
            : length(to) > 0             ? 650
                                         : 600) -
           std::min(clicks, 40);
}

void Position::talonSteps(std::vector<Step>& out, const HomeDrops& drops) const
{
    const Rules& r = *rules_;
    const int n = talonLength();
    const int w = length(r.waste);
    for (int i = 0; i < n; ++i) {
        const uint8_t card = talonCard(i);
        // Clicks before the card lies on the waste.
        const int clicks = i >= w - 1 ? i - (w - 1) : length(r.stock) + 1 + i + 1;
        eachDrop(card, 1, r.waste, drops, [&](int to) {
            out.push_back(
                Step{Step::Talon, static_cast<uint8_t>(i), static_cast<uint8_t>(to), 1, fromTalon(to, clicks)});
        });
    }
}

void Position::click()
{
    // On a table where nothing can go home, a click changes only the
    // waste's top: automatic play has nothing to do unless that card can
    // go.
    const Rules& r = *rules_;
    if (length(r.stock) == 0) {
        redeal();
        return;
    }
    moveCards(r.stock, r.waste, 1, false);
    if (canGoHomeNow(top(r.waste)))
        automatic();
}

void Position::clickSteps(std::vector<Step>& out, const HomeDrops& drops) const
{
    // Only from a table automatic play has done with (see click()).
    const Rules& r = *rules_;
    auto goes = [&](int pile) { return length(pile) > 0 && canGoHomeNow(top(pile)); };
    for (int p = r.homeBegin; p < r.homeBegin + r.homeCount; ++p)
        if (goes(p))
            return;
    for (int p = r.reserveBegin; p < r.reserveBegin + r.reserveCount; ++p)
        if (goes(p))
            return;
    if (goes(r.waste))
        return;
    // The cards come up in the talon's order from where it is split, the
    // waste turned back once between. Up to the first that can go home,
    // each may be played where it fits; clicking up to that one is a step
    // of its own, and the cards after it are offered from the table it
    // leaves.
    const int n = talonLength();
    const int w = length(r.waste);
    const int turn = n - w + 1;
    for (int j = 1; j <= n && j <= kPileCap; ++j) {
        if (j == turn)
            continue;
        const uint8_t card = talonCard(j < turn ? w + j - 1 : j - turn - 1);
        if (canGoHomeNow(card)) {
            out.push_back(Step{Step::Clicks, static_cast<uint8_t>(j), Step::kNowhere, 1, 500 - std::min(j, 40)});
            return;
        }
        eachDrop(card, 1, r.waste, drops, [&](int to) {
            out.push_back(Step{Step::Clicks, static_cast<uint8_t>(j), static_cast<uint8_t>(to), 1, fromTalon(to, j)});
        });
    }
}

bool Position::useful(const Step& step) const
{
    const Rules& r = *rules_;
    if (step.kind != Step::Drag)
        return true;
    const PileKind from = r.kind[step.from];
    const PileKind to = r.kind[step.to];
    if (from == PileKind::Foundation)
        return false;
    if (from != PileKind::Home || to == PileKind::Foundation)
        return true;
    const int below = length(step.from) - step.count - 1;
    if (below < 0)
        return true;
    const uint8_t exposed = at(step.from, below);
    const uint8_t card = at(step.from, below + 1);
    // Turns a card up, or lays bare a card that was not in sequence.
    if ((exposed & kDown) != 0 || !r.canBuildRun(exposed, card))
        return true;
    // The card laid bare goes home, or takes a card waiting elsewhere.
    for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f)
        if (canGoToFoundation(exposed, f))
            return true;
    for (int p = 0; p < r.piles; ++p) {
        const PileKind kind = r.kind[static_cast<size_t>(p)];
        if (p == step.from || length(p) == 0 || kind == PileKind::Foundation ||
            (kind == PileKind::Stock && r.stockType != StockType::TopPlayable))
            continue;
        if (r.canBuildHome(exposed, top(p)))
            return true;
    }
    if (talonNow())
        for (int i = 0; i < talonLength(); ++i)
            if (r.canBuildHome(exposed, talonCard(i)))
                return true;
    return false;
}

std::array<uint64_t, 2> Position::movable() const
{
    const Rules& r = *rules_;
    std::array<uint64_t, 2> set{};
    auto mark = [&](uint8_t card) {
        const unsigned id = card & kIdMask;
        set[id >> 6] |= uint64_t{1} << (id & 63);
    };
    for (int p = 0; p < r.piles; ++p) {
        const int n = length(p);
        if (n == 0)
            continue;
        const PileKind kind = r.kind[static_cast<size_t>(p)];
        if (kind == PileKind::Home) {
            for (int i = n - 1; i >= 0 && (at(p, i) & kDown) == 0; --i)
                mark(at(p, i));
        } else if (kind != PileKind::Stock || r.stockType == StockType::TopPlayable) {
            mark(top(p));
        }
    }
    if (talonNow()) {
        set[0] |= talonCards_[0];
        set[1] |= talonCards_[1];
    }
    return set;
}

// Runs split off their own sequence (deferring, automatic play off, runs
// of any length moved as they are built, the stock never dealt onto the
// piles). A run R moved off card c of pile A, c in sequence under it, onto
// pile B is worth it only for what it does to c: c goes home, takes a
// card, goes into a reserve or is moved with what lies under it. Take a
// winning line with such a split at move i, and the first later move j that
// touches c or the cards under it. Without move i the line plays the same
// up to j: what it builds on R's end it builds on the same card on A, what
// it takes off R it takes from A, and the top of B that R covered it never
// used. Before move j:
// - j sends c home, builds on it or puts it into a reserve: make the split
//   now, onto B's same top, then j;
// - j moves c, or a card under it, with the cards on it to another pile:
//   move them with R still on c (a run, as each card was built on the one
//   under it), and R lies on c there, the split still to come.
// So some win splits a run only where c can be used at once, and the
// search offers the split only then: where c can go home, where a card
// that could be built on it is face up on a home pile, on top of another
// pile or in a talon that counts as one sequence, or where a reserve that
// takes cards is empty.
bool Position::splitMatters(const Step& step, SplitNeeds& needs) const
{
    const Rules& r = *rules_;
    if (step.kind != Step::Drag || r.kind[step.from] != PileKind::Home || r.kind[step.to] != PileKind::Home)
        return true;
    const int below = length(step.from) - step.count - 1;
    if (below < 0)
        return true;
    const uint8_t exposed = at(step.from, below);
    if ((exposed & kDown) != 0 || !r.canBuildRun(exposed, at(step.from, below + 1)) || canGoHomeNow(exposed))
        return true;
    // Worked out once a position, and only for a split that needs it.
    if (!needs.known) {
        needs.known = true;
        needs.movable = movable();
        for (int p = r.reserveBegin; p < r.reserveBegin + r.reserveCount && r.reserveTakes; ++p)
            needs.reserveFree = needs.reserveFree || length(p) == 0;
    }
    if (needs.reserveFree)
        return true;
    // Not the cards of its own pile: those lie on it or under it.
    for (const uint8_t b : r.builders[exposed & kIdMask]) {
        if (((needs.movable[b >> 6] >> (b & 63)) & 1) == 0)
            continue;
        bool own = false;
        for (int i = 0, n = length(step.from); i < n && !own; ++i)
            own = (at(step.from, i) & kIdMask) == b;
        if (!own)
            return true;
    }
    return false;
}

// Waiting cards (deferring, automatic play off). A card put on the table
// from the talon (one card at a time, redeals without limit: every talon
// card can be played at any time, whichever others are left) is worth
// putting there only to hold what is built on it. So some win, if there is
// one, puts such a card down only just before a card is built on it:
//
// Take a winning line and a card c put down at move i onto pile q, and the
// first later move j that builds on c or moves c. Between i and j nothing
// touches c or the top of q under it; so the same line without move i
// plays the same up to j, the one difference being that c is still in the
// talon. Then, before move j:
// - j builds on c: play c onto q now, as at move i (the top of q is the
//   same card), then j;
// - j moves c alone (onto a pile, or home): play it from the talon
//   straight there instead, which is again a card put down, taken further;
// - j moves a run from lower in q that carries c: play the run without c,
//   and c onto the run's end afterwards, taken further likewise.
// A card put into a reserve from the talon holds nothing, and is never
// worth it. No line gets longer and every card put down is taken further
// or settled, so a line of that form exists. The search offers, while a
// card waits, only the moves onto its pile; the key tells a waiting
// position from the same cards not waiting, as they are offered different
// moves. Forced safe moves are not made while a card waits: the moves
// offered then are those of some winning line as it stands. (Cards taken
// down from a foundation are not made to wait: the same argument misses a
// case for them, and a check over small tables found a win it lost in a
// game where any card may go on an empty pile. A like rule for a run moved
// from one pile to another, offering next only the moves that use what it
// did, was tried too: the same check found wins it lost, in Excel and
// Stripped Klondike among others.)

size_t Position::searchSteps(std::vector<Step>& out, bool strict) const
{
    const Rules& r = *rules_;
    const size_t begin = out.size();
    const bool waiting = waitPile_ != 0;
    const int waitPile = waitPile_ - 1;
    if (forcing_ && !waiting && !r.autoPlay && !r.spider && r.foundationCount > 0) {
        Step safe;
        for (int pile = 0; pile < r.piles; ++pile) {
            const PileKind kind = r.kind[static_cast<size_t>(pile)];
            if (kind == PileKind::Foundation || (kind == PileKind::Stock && r.stockType != StockType::TopPlayable))
                continue;
            if (safeHome(pile, safe)) {
                safe.priority = 2000;
                out.push_back(safe);
                return 1;
            }
        }
        // Where stock and waste count as one sequence, any of their cards
        // can be played at any time and taking one out leaves the others
        // as easy to reach: one that can go home for good goes as one on
        // top of a pile would.
        if (talonForcing_ && talonNow()) {
            if (!homeableKnown_)
                findHomeable();
            const bool some = (talonCards_[0] & homeable_[0]) != 0 || (talonCards_[1] & homeable_[1]) != 0;
            for (int i = 0, n = some ? talonLength() : 0; i < n; ++i) {
                const uint8_t card = talonCard(i);
                const int f = canGoHomeNow(card) && noLongerNeeded(card) ? foundationFor(card) : -1;
                if (f >= 0) {
                    out.push_back(Step{Step::Talon, static_cast<uint8_t>(i), static_cast<uint8_t>(f), 1, 2000});
                    return 1;
                }
            }
        }
    }
    // Where stock and waste count as one sequence, their cards are played
    // by talonSteps() instead.
    const bool together = talonNow();
    const bool clicks = clicking_ && !together && r.stock >= 0 && r.waste >= 0;
    // While a card waits, only the moves onto its pile are kept: the
    // others are not looked for.
    HomeDrops drops; // NOLINT: filled before it is read
    homeDrops(drops, waiting ? waitPile : -1);
    allSteps(out, drops, together, together || clicks);
    const bool homesAlike = !(r.dealToPiles && r.stock >= 0 && length(r.stock) > 0);
    // For the complete search, of the empty piles that play alike only the
    // first takes cards: the others would make the same positions (the key
    // does not count the order of such piles), and waiting positions are
    // not looked up among those seen.
    int firstEmptyHome = -1, firstEmptyReserve = -1;
    if (deferring_) {
        for (int p = r.homeBegin; p < r.homeBegin + r.homeCount && homesAlike && firstEmptyHome < 0; ++p)
            firstEmptyHome = length(p) == 0 ? p : -1;
        for (int p = r.reserveBegin; p < r.reserveBegin + r.reserveCount && firstEmptyReserve < 0; ++p)
            firstEmptyReserve = length(p) == 0 ? p : -1;
    }
    auto spareEmpty = [&](int to) {
        if (length(to) != 0)
            return false;
        const PileKind kind = r.kind[static_cast<size_t>(to)];
        return (kind == PileKind::Home && firstEmptyHome >= 0 && to != firstEmptyHome) ||
               (kind == PileKind::Reserve && firstEmptyReserve >= 0 && to != firstEmptyReserve);
    };
    SplitNeeds splitNeeds;
    size_t kept = begin;
    for (size_t i = begin; i < out.size(); ++i) {
        Step s = out[i];
        if (waiting && (s.kind != Step::Drag || s.to != waitPile))
            continue;
        if (s.kind == Step::Drag && spareEmpty(s.to))
            continue;
        if (s.kind == Step::Redeal && (r.waste < 0 || length(r.waste) == 0))
            continue;
        if (together && (s.kind != Step::Drag || s.from == r.waste))
            continue;
        if (strict && !useful(s))
            continue;
        if (splitsWait_ && !splitMatters(s, splitNeeds))
            continue;
        if (s.kind == Step::Drag) {
            const PileKind from = r.kind[s.from];
            const PileKind to = r.kind[s.to];
            // Taken down, it would go straight back up; or nothing could
            // need it on the table.
            if (from == PileKind::Foundation && (r.autoPlay || keepingHome_ || noLongerNeeded(top(s.from))))
                continue;
            // A whole pile moved to an empty one of the same kind changes
            // nothing.
            if (from == to && length(s.to) == 0 && s.count == length(s.from) &&
                (from == PileKind::Reserve || (from == PileKind::Home && homesAlike)))
                continue;
        }
        s.priority = priorityOf(s);
        out[kept++] = s;
    }
    out.resize(kept);
    if (clicks)
        clickSteps(out, drops);
    if (together) {
        talonSteps(out, drops);
        if (deferring_) {
            // From the talon nothing goes into a reserve; a card waiting
            // takes the talon's cards that build on it; and a card goes
            // onto a home pile only when some card that could be built on
            // it could be moved there next (a win puts it down for that
            // alone): the head of a run that can be picked up from another
            // pile, a foundation's top the search takes down, a reserve's
            // top, or a card of the talon that could wait in its turn.
            // That last is asked loosely: some card that could be built on
            // it lies face up on a home pile, in the talon, on a
            // foundation's top or in a reserve.
            std::array<uint64_t, 2> loose{};
            std::array<uint64_t, 2> firm{};
            // The home pile a firm card lies on, or none.
            std::array<int8_t, kMaxCards + 1> onPile; // NOLINT: read only for firm cards
            auto mark = [](std::array<uint64_t, 2>& set, uint8_t card) {
                const unsigned id = card & kIdMask;
                set[id >> 6] |= uint64_t{1} << (id & 63);
            };
            auto in = [](const std::array<uint64_t, 2>& set, unsigned id) {
                return ((set[id >> 6] >> (id & 63)) & 1) != 0;
            };
            const auto [emptyHome, emptyReserve] = emptyPiles();
            for (int p = 0; p < r.piles; ++p) {
                const PileKind kind = r.kind[static_cast<size_t>(p)];
                if (kind == PileKind::Home) {
                    for (int i = length(p) - 1; i >= 0 && (at(p, i) & kDown) == 0; --i)
                        mark(loose, at(p, i));
                    eachHead(p, emptyHome, emptyReserve, [&](uint8_t card, int) {
                        mark(firm, card);
                        onPile[card & kIdMask] = static_cast<int8_t>(p);
                    });
                } else if (length(p) > 0 && kind != PileKind::Stock && kind != PileKind::Waste) {
                    mark(loose, top(p));
                    if (kind != PileKind::Foundation || !noLongerNeeded(top(p))) {
                        mark(firm, top(p));
                        onPile[top(p) & kIdMask] = -1;
                    }
                }
            }
            for (int i = 0, n = talonLength(); i < n; ++i)
                mark(loose, talonCard(i));
            auto looseHeld = [&](unsigned id) {
                for (const uint8_t b : r.builders[id])
                    if (in(loose, b) && b != id)
                        return true;
                return false;
            };
            auto held = [&](uint8_t card, int onto) {
                const unsigned id = card & kIdMask;
                for (const uint8_t b : r.builders[id]) {
                    if (b == id)
                        continue;
                    if (in(firm, b) && onPile[b] != onto)
                        return true;
                    if (in(talonCards_, b) && looseHeld(b))
                        return true;
                }
                return false;
            };
            out.erase(std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(kept), out.end(),
                                     [&](const Step& s) {
                                         const PileKind kind = r.kind[s.to];
                                         return kind == PileKind::Reserve || (waiting && s.to != waitPile) ||
                                                spareEmpty(s.to) ||
                                                (kind == PileKind::Home && !held(talonCard(s.from), s.to));
                                     }),
                      out.end());
        }
    }
    sortSteps(out, begin);
    return out.size() - begin;
}

void Position::moveCards(int from, int to, int count, bool down)
{
    const Rules& r = *rules_;
    Op op{static_cast<uint8_t>(from), static_cast<uint8_t>(to), static_cast<uint8_t>(count), 0};
    if (count == 1) {
        const uint8_t card = pop(from);
        if (((card & kDown) != 0) != down) {
            op.flags |= kSavedFaces;
            faceLog_.push_back(card);
        }
        const uint8_t id = card & kIdMask;
        push(to, static_cast<uint8_t>(id | (down ? kDown : 0)));
        const bool toFoundation = r.kind[static_cast<size_t>(to)] == PileKind::Foundation;
        if (toFoundation != (r.kind[static_cast<size_t>(from)] == PileKind::Foundation)) {
            home_[id] = toFoundation;
            cardsHome_ += toFoundation ? 1 : -1;
        }
        turnUp(from, op);
        log_.push_back(op);
        return;
    }
    const int n = length(from);
    const int first = n - count;
    bool faceChanges = false;
    for (int i = first; i < n; ++i)
        faceChanges = faceChanges || (((at(from, i) & kDown) != 0) != down);
    if (faceChanges) {
        op.flags |= kSavedFaces;
        for (int i = first; i < n; ++i)
            faceLog_.push_back(at(from, i));
    }
    // Take the cards off, then lay them in the same order.
    std::array<uint8_t, kPileCap> moving; // NOLINT: filled before it is read
    for (int i = count - 1; i >= 0; --i)
        moving[static_cast<size_t>(i)] = pop(from);
    const bool toFoundation = r.kind[static_cast<size_t>(to)] == PileKind::Foundation;
    const bool fromFoundation = r.kind[static_cast<size_t>(from)] == PileKind::Foundation;
    for (int i = 0; i < count; ++i) {
        const uint8_t id = moving[static_cast<size_t>(i)] & kIdMask;
        push(to, static_cast<uint8_t>(id | (down ? kDown : 0)));
        if (toFoundation != fromFoundation) {
            home_[id] = toFoundation;
            cardsHome_ += toFoundation ? 1 : -1;
        }
    }
    turnUp(from, op);
    log_.push_back(op);
}

void Position::shiftTalon(int from, int to, int count, bool down)
{
    if (count <= 0)
        return;
    // Where stock and waste always count as one, their cards keep no hash
    // of their own and stay in the sequence: a shift of cards between them,
    // each turned over, is taken back by the shift the other way, so long
    // as each card lay the other way up before.
    bool plain = rules_->talon;
    for (int i = 0, n = length(from); plain && i < count; ++i)
        plain = ((at(from, n - 1 - i) & kDown) != 0) != down;
    if (!plain) {
        for (int i = 0; i < count; ++i)
            moveCards(from, to, 1, down);
        return;
    }
    shift(from, to, count, down);
    log_.push_back(Op{static_cast<uint8_t>(from), static_cast<uint8_t>(to), static_cast<uint8_t>(count), kShifted});
}

void Position::shift(int from, int to, int count, bool down)
{
    const auto f = static_cast<size_t>(from);
    const auto t = static_cast<size_t>(to);
    int n = len_[f];
    int m = len_[t];
    for (int i = 0; i < count; ++i) {
        const uint8_t card = cards_[f][static_cast<size_t>(--n)];
        cards_[t][static_cast<size_t>(m++)] =
            down ? static_cast<uint8_t>(card | kDown) : static_cast<uint8_t>(card & kIdMask);
    }
    len_[f] = static_cast<uint8_t>(n);
    len_[t] = static_cast<uint8_t>(m);
    faceDown_ += down ? count : -count;
    dirty_ |= (uint64_t{1} << from) | (uint64_t{1} << to);
}

void Position::turnUp(int pile, Op& op)
{
    // Uncovering a face-down home card turns it up.
    if (rules_->kind[static_cast<size_t>(pile)] == PileKind::Home && length(pile) > 0 && (top(pile) & kDown) != 0) {
        const uint8_t card = pop(pile);
        push(pile, static_cast<uint8_t>(card & kIdMask));
        op.flags |= kTurnedUp;
    }
}

bool Position::clearRun(int pile)
{
    const Rules& r = *rules_;
    const int n = length(pile);
    if (n < card::kRunLength)
        return false;
    const uint8_t topCard = top(pile);
    if (r.rank[topCard & kIdMask] != r.baseRank)
        return false;
    for (int c = n - 1; c > n - card::kRunLength; --c)
        if (r.buildClear[static_cast<size_t>((at(pile, c) & kIdMask) * r.cards + (at(pile, c - 1) & kIdMask))] == 0)
            return false;
    int d = r.suitPile[topCard & kIdMask];
    if (r.goalDiv != 0)
        d %= r.goalDiv;
    if (d >= r.foundationCount)
        return false;
    for (int i = 0; i < card::kRunLength; ++i)
        moveCards(pile, r.foundationBegin + d, 1, false);
    return true;
}

bool Position::playUp(int pile)
{
    const Rules& r = *rules_;
    if (length(pile) == 0)
        return false;
    const uint8_t card = top(pile);
    if (!canGoHomeNow(card))
        return false;
    for (int f = r.foundationBegin; f < r.foundationBegin + r.foundationCount; ++f)
        if (canGoToFoundation(card, f)) {
            moveCards(pile, f, 1, false);
            return true;
        }
    return false;
}

void Position::automatic()
{
    const Rules& r = *rules_;
    if (r.spider) {
        bool cleared = true;
        while (cleared) {
            cleared = false;
            for (int p = 0; p < r.homeCount && !cleared; ++p)
                cleared = clearRun(r.homeBegin + p);
        }
        return;
    }
    if (!r.autoPlay)
        return;
    // The first card that can go up goes, and the search starts again, in
    // the play table's order.
    for (;;) {
        bool moved = false;
        for (int p = 0; p < r.homeCount && !moved; ++p)
            moved = playUp(r.homeBegin + p);
        for (int p = 0; p < r.reserveCount && !moved; ++p)
            moved = playUp(r.reserveBegin + p);
        if (!moved && r.waste >= 0)
            moved = playUp(r.waste);
        if (!moved && r.stockType == StockType::TopPlayable && r.stock >= 0)
            moved = playUp(r.stock);
        if (!moved)
            return;
    }
}

void Position::redeal()
{
    const Rules& r = *rules_;
    log_.push_back(Op{0, 0, 0, kRedealCount});
    ++redealsMade_;
    if (r.waste >= 0)
        shiftTalon(r.waste, r.stock, length(r.waste), true);
}

size_t Position::make(const Step& step)
{
    const Rules& r = *rules_;
    const size_t mark = log_.size();
    switch (step.kind) {
    case Step::Drag:
        moveCards(step.from, step.to, step.count, false);
        automatic();
        break;
    case Step::Deal:
        if (r.dealToPiles) {
            for (int p = 0; p < r.homeCount && length(r.stock) > 0; ++p) {
                moveCards(r.stock, r.homeBegin + p, 1, false);
                automatic();
            }
        } else if (r.waste >= 0) {
            moveCards(r.stock, r.waste, 1, false);
            automatic();
        }
        break;
    case Step::Redeal: redeal(); break;
    case Step::Clicks:
        for (int k = 0; k < step.from; ++k)
            click();
        if (step.to != Step::kNowhere) {
            moveCards(r.waste, step.to, 1, false);
            automatic();
        }
        break;
    case Step::Talon: {
        // A card under the waste's top: the player deals out the rest of
        // the stock, turns the waste back and deals up to the card. That
        // leaves the sequence as it was, split just above the card, as
        // putting the waste's upper cards back on the stock does in fewer
        // card moves.
        if (step.from < length(r.waste) - 1) {
            // The shortcut takes the cards to lie as the clicks leave them:
            // those staying on the waste face up, the stock face down.
            bool asDealt = true;
            for (int i = 0; i <= step.from && asDealt; ++i)
                asDealt = (at(r.waste, i) & kDown) == 0;
            for (int i = 0, n = length(r.stock); i < n && asDealt; ++i)
                asDealt = (at(r.stock, i) & kDown) != 0;
            if (asDealt) {
                log_.push_back(Op{0, 0, 0, kRedealCount});
                ++redealsMade_;
                shiftTalon(r.waste, r.stock, length(r.waste) - (step.from + 1), true);
            } else {
                shiftTalon(r.stock, r.waste, length(r.stock), false);
                redeal();
            }
        }
        shiftTalon(r.stock, r.waste, step.from + 1 - length(r.waste), false);
        moveCards(r.waste, step.to, 1, false);
        automatic();
        break;
    }
    }
    if (deferring_) {
        // What waits after the step: a card from the talon on a home pile.
        uint8_t pile = 0;
        const PileKind to = r.kind[step.to];
        if (step.kind == Step::Talon && to == PileKind::Home)
            pile = static_cast<uint8_t>(step.to + 1);
        if (pile != waitPile_) {
            log_.push_back(Op{waitPile_, 0, 0, kWaiting});
            waitPile_ = pile;
        }
    }
    return mark;
}

void Position::undo(size_t mark)
{
    const Rules& r = *rules_;
    while (log_.size() > mark) {
        const Op op = log_.back();
        log_.pop_back();
        if ((op.flags & kRedealCount) != 0) {
            --redealsMade_;
            continue;
        }
        if ((op.flags & kWaiting) != 0) {
            waitPile_ = op.from;
            continue;
        }
        if ((op.flags & kShifted) != 0) {
            shift(op.to, op.from, op.count, op.from == r.stock);
            continue;
        }
        if ((op.flags & kTurnedUp) != 0) {
            const uint8_t card = pop(op.from);
            push(op.from, static_cast<uint8_t>(card | kDown));
        }
        std::array<uint8_t, kPileCap> moving; // NOLINT: filled before it is read
        for (int i = op.count - 1; i >= 0; --i)
            moving[static_cast<size_t>(i)] = pop(op.to);
        if ((op.flags & kSavedFaces) != 0) {
            for (int i = op.count - 1; i >= 0; --i) {
                moving[static_cast<size_t>(i)] = faceLog_.back();
                faceLog_.pop_back();
            }
        }
        const bool toFoundation = r.kind[op.to] == PileKind::Foundation;
        const bool fromFoundation = r.kind[op.from] == PileKind::Foundation;
        for (int i = 0; i < op.count; ++i) {
            const uint8_t card = moving[static_cast<size_t>(i)];
            push(op.from, card);
            if (toFoundation != fromFoundation) {
                home_[card & kIdMask] = fromFoundation;
                cardsHome_ += fromFoundation ? 1 : -1;
            }
        }
    }
}

Move Position::toMove(const Step& step) const
{
    const Rules& r = *rules_;
    Move m;
    switch (step.kind) {
    case Step::Clicks:
    case Step::Talon: {
        std::vector<Move> line;
        appendMoves(step, line);
        return line.front();
    }
    case Step::Deal: m.kind = Move::Kind::Deal; break;
    case Step::Redeal: m.kind = Move::Kind::Redeal; break;
    case Step::Drag:
        m.kind = Move::Kind::Drag;
        m.card = static_cast<int16_t>(at(step.from, length(step.from) - step.count) & kIdMask);
        m.carried = static_cast<int16_t>(step.count - 1);
        m.fromCell = r.cell[step.from];
        m.fromPile = r.pileNo[step.from];
        m.toCell = r.cell[step.to];
        m.toPile = r.pileNo[step.to];
        break;
    }
    if (m.kind != Move::Kind::Drag && r.stock >= 0) {
        m.fromCell = Cell::Stock;
        m.toCell = Cell::Stock;
    }
    return m;
}

void Position::appendMoves(const Step& step, std::vector<Move>& out) const
{
    const Rules& r = *rules_;
    if (step.kind == Step::Clicks) {
        // Clicked through on a copy, to see which card comes up.
        Position p = *this;
        p.forget();
        Move click;
        click.fromCell = Cell::Stock;
        click.toCell = Cell::Stock;
        for (int k = 0; k < step.from; ++k) {
            click.kind = p.length(r.stock) > 0 ? Move::Kind::Deal : Move::Kind::Redeal;
            out.push_back(click);
            p.click();
        }
        if (step.to != Step::kNowhere) {
            Move drag;
            drag.card = static_cast<int16_t>(p.top(r.waste) & kIdMask);
            drag.fromCell = Cell::Waste;
            drag.fromPile = 0;
            drag.toCell = r.cell[step.to];
            drag.toPile = r.pileNo[step.to];
            out.push_back(drag);
        }
        return;
    }
    if (step.kind != Step::Talon) {
        out.push_back(toMove(step));
        return;
    }
    const int w = length(r.waste);
    Move click;
    click.fromCell = Cell::Stock;
    click.toCell = Cell::Stock;
    int clicks = step.from - (w - 1);
    if (step.from < w - 1) {
        click.kind = Move::Kind::Deal;
        for (int i = 0; i < length(r.stock); ++i)
            out.push_back(click);
        click.kind = Move::Kind::Redeal;
        out.push_back(click);
        clicks = step.from + 1;
    }
    click.kind = Move::Kind::Deal;
    for (int i = 0; i < clicks; ++i)
        out.push_back(click);
    Move drag;
    drag.card = static_cast<int16_t>(talonCard(step.from) & kIdMask);
    drag.fromCell = Cell::Waste;
    drag.fromPile = 0;
    drag.toCell = r.cell[step.to];
    drag.toPile = r.pileNo[step.to];
    out.push_back(drag);
}

bool Position::fromMove(const Move& move, Step& step) const
{
    std::vector<Step> steps;
    allSteps(steps);
    for (const Step& s : steps)
        if (toMove(s) == move) {
            step = s;
            return true;
        }
    return false;
}

bool Position::sameLayout(const Position& other) const
{
    const Rules& r = *rules_;
    if (r.piles != other.rules_->piles || redealsMade_ != other.redealsMade_)
        return false;
    for (int i = 0; i < r.piles; ++i) {
        const auto k = static_cast<size_t>(i);
        if (len_[k] != other.len_[k])
            return false;
        for (int p = 0; p < len_[k]; ++p)
            if (cards_[k][static_cast<size_t>(p)] != other.cards_[k][static_cast<size_t>(p)])
                return false;
    }
    return true;
}

} // namespace solver
