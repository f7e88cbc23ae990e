// Setting up and dealing a numbered game.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Int16.h"
#include "rules/cGames.h"

namespace {
// Animation steps of every card dealt from the stock at the start.
constexpr int16_t kDealSteps = 2;
// Shuffles always restart the generator from this value.
constexpr float kShuffleRestart = -10.0f;
} // namespace

int16_t cPlay::chosenDeck() const
{
    return settings::usableDeck(services_.settings().read(settings::kDeckIndex), services_.surface().deckCount());
}

void cPlay::ChangeDecks()
{
    deckIndex_ = chosenDeck();
    // Every card takes the new back, so a card turned down later shows it
    // too; only the face-down ones change now.
    CardSurface& surface = services_.surface();
    for (int16_t j = static_cast<int16_t>(CardCount() - 1); j >= 0; --j)
        surface.setCardBack(j, deckIndex_);
}

void cPlay::Init(const GameNo& cGameNo)
{
    const cGames& games = games_;

    gameNo_ = cGameNo;
    wonPending_ = false;
    wonTold_ = false;
    deckIndex_ = chosenDeck();
    cards_.assign(static_cast<size_t>(std::max<int16_t>(games.TotalCards(), 0)), Card{});

    // Each foundation holds its share of the cards, and never less than a
    // whole suit.
    const int16_t foundations = games.Piles(3);
    foundationCapacity_ =
        foundations > 0 ? std::max<int16_t>(kRanks, static_cast<int16_t>(games.TotalCards() / foundations)) : kRanks;
    createGrids();
    shuffle();
    createCards();
    startFoundations();
    showSetUpMarkers();
    fillStock();

    for (int16_t w = 0; w < games.Cards(2); ++w)
        dealFromStock(2, w, 0, kFaceUp);
    const int16_t reserves = games.Piles(4);
    for (int16_t i = 0; i < games.Cards(4); ++i)
        dealFromStock(4, int16::rem(i, reserves), int16::quot(i, reserves), kFaceUp);

    services_.sounds().raise(SoundEvent::StartGame);
    dealHome();
}

void cPlay::createGrids()
{
    const cGames& games = games_;
    const int16_t total = games.TotalCards();
    const int16_t homePiles = games.Piles(0);

    // The storage of the last game's grids is used again.
    auto make = [this](int16_t cell, int16_t piles, int16_t highestPos) {
        Grid& grid = grid_[static_cast<size_t>(cell)];
        grid = std::move(spareGrids_[static_cast<size_t>(cell)]);
        grid.resize(static_cast<size_t>(piles) + 1);
        for (std::vector<int16_t>& column : grid)
            column.assign(static_cast<size_t>(highestPos) + 1, -1);
    };
    const int16_t homeHighest = homePiles > 0 ? int16::fromReal(static_cast<double>(total) / homePiles + 13) : 13;
    make(0, homePiles, homeHighest);
    make(1, games.Piles(1), total);
    make(2, games.Piles(2), total);
    make(3, games.Piles(3), foundationCapacity_);
    make(4, games.Piles(4), 13);
    for (auto& tops : top_)
        tops.fill(-1);
}

void cPlay::shuffle()
{
    const auto n = static_cast<int16_t>(cards_.size());
    std::vector<int16_t>& t = shuffleScratch_;
    t.resize(cards_.size());
    for (int16_t i = 0; i < n; ++i)
        t[static_cast<size_t>(i)] = i;

    deckOrder_.assign(cards_.size(), 0);
    const double g = gameNo_.toNumber();
    random_.restart(kShuffleRestart);
    for (int16_t j = 0; j < n; ++j) {
        random_.mix(g);
        const int16_t r = static_cast<int16_t>(n - 1 - j);
        const auto k = static_cast<size_t>(random_.nextScaled(r));
        deckOrder_[static_cast<size_t>(j)] = t[k];
        t[k] = t[static_cast<size_t>(r)];
    }
}

void cPlay::createCards()
{
    CardSurface& surface = services_.surface();
    const int32_t suitType = games_.SuitType();
    for (int16_t j = 0; j < CardCount(); ++j) {
        if (j > 0)
            surface.createCard(j);
        const int16_t e = deckOrder_[static_cast<size_t>(j)];
        Card& c = cards_[static_cast<size_t>(j)];
        c.Num = static_cast<int16_t>(e % 13);
        c.SuitPile = static_cast<int16_t>(e / 13);
        c.Suit = suitType == 2   ? static_cast<int16_t>((e % 52) / 13)
                 : suitType == 1 ? static_cast<int16_t>((e % 52) / 26)
                                 : int16_t{0};
        c.FaceMode = kFaceDown;
        surface.setCardBack(j, deckIndex_);
        surface.showCardFace(j, false);
        surface.setCardFace(j, static_cast<int16_t>(c.Suit * 13 + c.Num + 1));
        surface.bringToFront(j);
    }
    surface.cardsCreated();
}

void cPlay::startFoundations()
{
    const cGames& games = games_;
    const int32_t code = games.GoalType();
    const int16_t g = games.Cards(3);
    const int16_t piles = games.Piles(3);
    // The marker each foundation shows; -1 shows none.
    std::vector<int16_t> marker(static_cast<size_t>(std::max<int16_t>(piles, 0)), -1);

    baseRank_ = code == 1 ? 1 : code == 12 ? 12 : 0;
    auto place = [&](int16_t j, int16_t f) { PlaceCard(j, 3, f, 0, 0, kFaceUp, false); };

    if (g >= 1) {
        int16_t filled = 0;
        for (int16_t j = 0; j < CardCount(); ++j) {
            const Card& c = cards_[static_cast<size_t>(j)];
            switch (code) {
            case 0:
            case 1:
            case 12:
                if (c.Num == code && c.SuitPile < g)
                    place(j, c.SuitPile);
                break;
            case 14:
                if ((c.Num == 0 && c.SuitPile < g / 2.0) || (c.Num == 12 && c.SuitPile >= g / 2.0))
                    place(j, c.SuitPile);
                break;
            case 15:
                if (c.SuitPile == c.Num) {
                    place(j, c.SuitPile);
                    marker.at(static_cast<size_t>(c.SuitPile)) = c.Num;
                }
                break;
            case 16:
                if (j == 0) {
                    baseRank_ = c.Num;
                    place(j, 0);
                    filled = 1;
                } else if (c.Num == baseRank_ && filled < g) {
                    place(j, filled);
                    ++filled;
                }
                break;
            case 17:
                for (int16_t f = 0; f < piles; ++f) {
                    if (GetTop(3, f) < 0 && c.Suit == f % 4) {
                        place(j, f);
                        marker[static_cast<size_t>(f)] = c.Num;
                        break;
                    }
                }
                break;
            default: break;
            }
        }
    } else if (code == 16) {
        baseRank_ = static_cast<int16_t>(static_cast<double>(random_.next()) * 12);
    }

    for (int16_t f = 0; f < piles; ++f) {
        int16_t& m = marker[static_cast<size_t>(f)];
        switch (code) {
        case 13: m = kMarkerRun; break;
        case 0:
        case 1:
        case 12: m = static_cast<int16_t>(code); break;
        case 14: m = g / 2.0 > f ? 0 : 12; break;
        case 16: m = baseRank_; break;
        default: break;
        }
        if (m >= 0)
            services_.surface().showMarker(CardSurface::Marker::Right, f, m, cord(3, f, 0));
    }
}

void cPlay::showSetUpMarkers()
{
    cGames& games = games_;
    CardSurface& surface = services_.surface();
    for (int16_t p = 0; p < games.Piles(4); ++p)
        surface.showMarker(CardSurface::Marker::Res, p, kMarkerEmpty, cord(4, p, 0));
    if (games.Tag() == QLatin1String("Penguin"))
        games.setEmptyNum(baseRank_ == 0 ? int16_t{12} : static_cast<int16_t>(baseRank_ - 1));
    const int16_t homeMarker = games.EmptyNum() < 0 ? kMarkerEmpty : games.EmptyNum();
    for (int16_t p = 0; p < games.Piles(0); ++p)
        surface.showMarker(CardSurface::Marker::Home, p, homeMarker, cord(0, p, 0));
    if (games.Piles(2) > 0)
        surface.showMarker(CardSurface::Marker::Waste, 0, kMarkerEmpty, cord(2, 0, 0));
    surface.markersShown();
}

void cPlay::fillStock()
{
    const cGames& games = games_;
    const int32_t stockType = games.StockType();
    for (int16_t j = 0; j < CardCount(); ++j) {
        const Card& c = cards_[static_cast<size_t>(j)];
        if (c.Cell == 3 || (stockType == 2 && c.Suit > 1))
            continue;
        PlaceCard(j, 1, 0, int16::add(GetTop(1, 0), 1), 0, stockType == 1 ? kFaceUp : kFaceDown, false);
    }
    if (games.StockNum() > 0)
        services_.surface().showMarker(CardSurface::Marker::Stock, 0, static_cast<int16_t>(games.StockNum() + 14),
                                       cord(1, 0, 0));
}

bool cPlay::stockEmpty() const { return GetTop(1, 0) < 0; }

void cPlay::dealFromStock(int16_t cell, int16_t pile, int16_t pos, int16_t face)
{
    PlaceCard(GetTopPicID(1, 0), cell, pile, pos, kDealSteps, face, true);
}

void cPlay::dealInTurn(int16_t count, const std::function<bool(int16_t pile, int16_t row)>& faceUp)
{
    const int16_t piles = games_.Piles(0);
    for (int16_t i = 0; i < count; ++i) {
        const int16_t pile = int16::rem(i, piles);
        const int16_t row = int16::quot(i, piles);
        dealFromStock(0, pile, row, faceUp(pile, row) ? kFaceUp : kFaceDown);
    }
}

void cPlay::dealPiles(const std::array<int16_t, 9>& heights,
                      const std::function<bool(int16_t pos, int16_t last)>& faceUp)
{
    constexpr int16_t kHighestPos = 7;
    for (int16_t i = 0; i < 9; ++i) {
        const int16_t last = std::min(heights[static_cast<size_t>(i)], kHighestPos);
        for (int16_t pos = 0; pos <= last; ++pos)
            dealFromStock(0, i, pos, faceUp(pos, last) ? kFaceUp : kFaceDown);
    }
}

void cPlay::turnTopsUp()
{
    for (int16_t p = 0; p < games_.Piles(0); ++p)
        if (GetTop(0, p) >= 0)
            ChangeFaceMode(GetTopPicID(0, p), kFaceUp);
}

void cPlay::dealHome()
{
    const cGames& games = games_;
    const int16_t piles = games.Piles(0);
    const int16_t count = games.Cards(0);
    const int16_t open = games.CardsOpen();

    auto pyramid = [](int16_t g, const std::array<int16_t, 9>& shape) {
        std::array<int16_t, 9> h{};
        for (size_t i = 0; i < h.size(); ++i)
            h[i] = static_cast<int16_t>(g + shape[i]);
        return h;
    };
    constexpr std::array<int16_t, 9> kPeak{0, 1, 2, 3, 4, 3, 2, 1, 0};
    constexpr std::array<int16_t, 9> kValley{4, 3, 2, 1, 0, 1, 2, 3, 4};

    switch (games.HomeType()) {
    case 0:
        dealInTurn(count, [&](int16_t pile, int16_t row) {
            return open <= 0 || int16::add(int16::mul(row, piles), pile) >= count - open;
        });
        break;
    case 1:
        for (int16_t c = 0; c < piles && !stockEmpty(); ++c)
            for (int16_t p = c; p < piles && !stockEmpty(); ++p)
                dealFromStock(0, p, c, open == 0 || p == c ? kFaceUp : kFaceDown);
        turnTopsUp();
        break;
    case 2:
        for (int16_t i = 0; i < 52; ++i) {
            const int16_t suit = Suit(GetTopPicID(1, 0));
            dealFromStock(0, suit, int16::add(GetTop(0, suit), 1), kFaceUp);
        }
        break;
    case 3:
    case 4: {
        const int16_t g = games.StockMove() != 0 ? 1 : 3;
        const bool lastOnly = games.HomeType() == 4;
        dealPiles(pyramid(g, kPeak), [&](int16_t pos, int16_t last) { return !lastOnly || pos == last; });
        break;
    }
    case 5:
        while (!stockEmpty()) {
            const auto pile =
                static_cast<int16_t>(int16::roundHalfEven(static_cast<double>(random_.next()) * int16::sub(piles, 1)));
            dealFromStock(0, pile, int16::add(GetTop(0, pile), 1), kFaceUp);
        }
        break;
    case 6: dealInTurn(count, [](int16_t pile, int16_t row) { return row > 2 || pile > 3; }); break;
    case 7:
        for (int16_t d = 0; d < piles && !stockEmpty(); ++d)
            for (int16_t p = 0; p < piles - d && !stockEmpty(); ++p)
                dealFromStock(0, p, d, open == 0 || p == 0 ? kFaceUp : kFaceDown);
        break;
    case 8: dealInTurn(count, [](int16_t, int16_t row) { return row % 2 == 1; }); break;
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: {
        const int32_t type = games.HomeType();
        dealInTurn(count, [type](int16_t pile, int16_t) {
            switch (type) {
            case 9: return pile % 2 == 0;
            case 10: return pile != 4;
            case 11: return pile == 4;
            case 12: return pile == 0 || pile == 8;
            default: return pile == 0 || pile == 4 || pile == 8;
            }
        });
        turnTopsUp();
        break;
    }
    case 14:
    case 15: {
        const int16_t g = games.StockMove() == 0 ? 3 : 0;
        const bool up = games.HomeType() == 14;
        dealPiles(pyramid(g, kValley), [up](int16_t, int16_t) { return up; });
        if (!up)
            turnTopsUp();
        break;
    }
    default: break;
    }
}
