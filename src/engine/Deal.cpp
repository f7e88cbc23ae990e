// Setting up and dealing a numbered game.

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

namespace {
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
    const int16_t foundations = games.Piles(Cell::Foundation);
    foundationCapacity_ =
        foundations > 0 ? std::max<int16_t>(kRanks, static_cast<int16_t>(games.TotalCards() / foundations)) : kRanks;
    createGrids();
    shuffle();
    createCards();
    startFoundations();
    showSetUpMarkers();
    fillStock();

    for (int16_t w = 0; w < games.Cards(Cell::Waste); ++w)
        dealFromStock(Cell::Waste, w, 0, kFaceUp);
    const int16_t reserves = games.Piles(Cell::Reserve);
    for (int16_t i = 0; i < games.Cards(Cell::Reserve); ++i)
        dealFromStock(Cell::Reserve, int16::rem(i, reserves), int16::quot(i, reserves), kFaceUp);

    services_.sounds().raise(SoundEvent::StartGame);
    dealHome();
}

void cPlay::createGrids()
{
    const cGames& games = games_;
    const int16_t total = games.TotalCards();
    const int16_t homePiles = games.Piles(Cell::Home);

    // The storage of the last game's grids is used again.
    auto make = [this](int16_t cell, int16_t piles, int16_t highestPos) {
        Grid& grid = grid_[static_cast<size_t>(cell)];
        grid = std::move(spareGrids_[static_cast<size_t>(cell)]);
        grid.resize(static_cast<size_t>(piles) + 1);
        for (std::vector<int16_t>& column : grid)
            column.assign(static_cast<size_t>(highestPos) + 1, -1);
    };
    const int16_t homeHighest = homePiles > 0 ? int16::fromReal(static_cast<double>(total) / homePiles + 13) : 13;
    make(Cell::Home, homePiles, homeHighest);
    make(Cell::Stock, games.Piles(Cell::Stock), total);
    make(Cell::Waste, games.Piles(Cell::Waste), total);
    make(Cell::Foundation, games.Piles(Cell::Foundation), foundationCapacity_);
    make(Cell::Reserve, games.Piles(Cell::Reserve), 13);
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
        c.Num = static_cast<int16_t>(e % kRanks);
        c.SuitPile = static_cast<int16_t>(e / kRanks);
        c.Suit = suitType == SuitCount::Four  ? static_cast<int16_t>((e % 52) / 13)
                 : suitType == SuitCount::Two ? static_cast<int16_t>((e % 52) / 26)
                                              : int16_t{0};
        c.FaceMode = kFaceDown;
        surface.setCardBack(j, deckIndex_);
        surface.showCardFace(j, false);
        surface.setCardFace(j, static_cast<int16_t>(c.Suit * kRanks + c.Num + 1));
        surface.bringToFront(j);
    }
    surface.cardsCreated();
}

void cPlay::startFoundations()
{
    const cGames& games = games_;
    const int32_t code = games.GoalType();
    const int16_t g = games.Cards(Cell::Foundation);
    const int16_t piles = games.Piles(Cell::Foundation);
    // The marker each foundation shows; -1 shows none.
    std::vector<int16_t> marker(static_cast<size_t>(std::max<int16_t>(piles, 0)), -1);

    baseRank_ = code == FoundationStart::Two ? 1 : code == FoundationStart::King ? 12 : 0;
    auto place = [&](int16_t j, int16_t f) { PlaceCard(j, 3, f, 0, 0, kFaceUp, false); };

    if (g >= 1) {
        int16_t filled = 0;
        for (int16_t j = 0; j < CardCount(); ++j) {
            const Card& c = cards_[static_cast<size_t>(j)];
            switch (code) {
            case FoundationStart::Ace:
            case FoundationStart::Two:
            case FoundationStart::King:
                if (c.Num == code && c.SuitPile < g)
                    place(j, c.SuitPile);
                break;
            case FoundationStart::AceAndKing:
                if ((c.Num == 0 && c.SuitPile < g / 2.0) || (c.Num == 12 && c.SuitPile >= g / 2.0))
                    place(j, c.SuitPile);
                break;
            case FoundationStart::RankOfPile:
                if (c.SuitPile == c.Num) {
                    place(j, c.SuitPile);
                    marker.at(static_cast<size_t>(c.SuitPile)) = c.Num;
                }
                break;
            case FoundationStart::RandomRank:
                if (j == 0) {
                    baseRank_ = c.Num;
                    place(j, 0);
                    filled = 1;
                } else if (c.Num == baseRank_ && filled < g) {
                    place(j, filled);
                    ++filled;
                }
                break;
            case FoundationStart::SuitOfPile:
                for (int16_t f = 0; f < piles; ++f) {
                    if (GetTop(Cell::Foundation, f) < 0 && c.Suit == f % 4) {
                        place(j, f);
                        marker[static_cast<size_t>(f)] = c.Num;
                        break;
                    }
                }
                break;
            default: break;
            }
        }
    } else if (code == FoundationStart::RandomRank) {
        baseRank_ = static_cast<int16_t>(static_cast<double>(random_.next()) * 12);
    }

    for (int16_t f = 0; f < piles; ++f) {
        int16_t& m = marker[static_cast<size_t>(f)];
        switch (code) {
        case FoundationStart::AceNoMarker: m = kMarkerRun; break;
        case FoundationStart::Ace:
        case FoundationStart::Two:
        case FoundationStart::King: m = static_cast<int16_t>(code); break;
        case FoundationStart::AceAndKing: m = g / 2.0 > f ? 0 : 12; break;
        case FoundationStart::RandomRank: m = baseRank_; break;
        default: break;
        }
        if (m >= 0)
            services_.surface().showMarker(CardSurface::Marker::Right, f, m, cord(Cell::Foundation, f, 0));
    }
}

void cPlay::showSetUpMarkers()
{
    cGames& games = games_;
    CardSurface& surface = services_.surface();
    for (int16_t p = 0; p < games.Piles(Cell::Reserve); ++p)
        surface.showMarker(CardSurface::Marker::Res, p, kMarkerEmpty, cord(Cell::Reserve, p, 0));
    if (games.Tag() == QLatin1String("Penguin"))
        games.setEmptyNum(baseRank_ == 0 ? int16_t{12} : static_cast<int16_t>(baseRank_ - 1));
    const int16_t homeMarker = games.EmptyNum() < 0 ? kMarkerEmpty : games.EmptyNum();
    for (int16_t p = 0; p < games.Piles(Cell::Home); ++p)
        surface.showMarker(CardSurface::Marker::Home, p, homeMarker, cord(Cell::Home, p, 0));
    if (games.Piles(Cell::Waste) > 0)
        surface.showMarker(CardSurface::Marker::Waste, 0, kMarkerEmpty, cord(Cell::Waste, 0, 0));
    surface.markersShown();
}

void cPlay::fillStock()
{
    const cGames& games = games_;
    const int32_t stockType = games.StockType();
    for (int16_t j = 0; j < CardCount(); ++j) {
        const Card& c = cards_[static_cast<size_t>(j)];
        if (c.Cell == Cell::Foundation || (stockType == StockType::TwoSuits && c.Suit > 1))
            continue;
        PlaceCard(j, 1, 0, int16::add(GetTop(Cell::Stock, 0), 1), 0,
                  stockType == StockType::TopPlayable ? kFaceUp : kFaceDown, false);
    }
    if (games.StockNum() > 0)
        services_.surface().showMarker(CardSurface::Marker::Stock, 0, static_cast<int16_t>(games.StockNum() + 14),
                                       cord(Cell::Stock, 0, 0));
}

bool cPlay::stockEmpty() const { return GetTop(Cell::Stock, 0) < 0; }

void cPlay::dealFromStock(int16_t cell, int16_t pile, int16_t pos, int16_t face)
{
    PlaceCard(GetTopPicID(Cell::Stock, 0), cell, pile, pos, cardSteps(), face, true);
}

void cPlay::dealInTurn(int16_t count, const std::function<bool(int16_t pile, int16_t row)>& faceUp)
{
    const int16_t piles = games_.Piles(Cell::Home);
    for (int16_t i = 0; i < count; ++i) {
        const int16_t pile = int16::rem(i, piles);
        const int16_t row = int16::quot(i, piles);
        dealFromStock(Cell::Home, pile, row, faceUp(pile, row) ? kFaceUp : kFaceDown);
    }
}

void cPlay::dealPiles(const std::array<int16_t, 9>& heights,
                      const std::function<bool(int16_t pos, int16_t last)>& faceUp)
{
    constexpr int16_t kHighestPos = 7;
    for (int16_t i = 0; i < 9; ++i) {
        const int16_t last = std::min(heights[static_cast<size_t>(i)], kHighestPos);
        for (int16_t pos = 0; pos <= last; ++pos)
            dealFromStock(Cell::Home, i, pos, faceUp(pos, last) ? kFaceUp : kFaceDown);
    }
}

void cPlay::turnTopsUp()
{
    for (int16_t p = 0; p < games_.Piles(Cell::Home); ++p)
        if (GetTop(Cell::Home, p) >= 0)
            ChangeFaceMode(GetTopPicID(Cell::Home, p), kFaceUp);
}

void cPlay::dealHome()
{
    const cGames& games = games_;
    const int16_t piles = games.Piles(Cell::Home);
    const int16_t count = games.Cards(Cell::Home);
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
    case DealPattern::InTurn:
        dealInTurn(count, [&](int16_t pile, int16_t row) {
            return open <= 0 || int16::add(int16::mul(row, piles), pile) >= count - open;
        });
        break;
    case DealPattern::Triangle:
        for (int16_t c = 0; c < piles && !stockEmpty(); ++c)
            for (int16_t p = c; p < piles && !stockEmpty(); ++p)
                dealFromStock(Cell::Home, p, c, open == 0 || p == c ? kFaceUp : kFaceDown);
        turnTopsUp();
        break;
    case DealPattern::BySuit:
        for (int16_t i = 0; i < 52; ++i) {
            const int16_t suit = Suit(GetTopPicID(Cell::Stock, 0));
            dealFromStock(Cell::Home, suit, int16::add(GetTop(Cell::Home, suit), 1), kFaceUp);
        }
        break;
    case DealPattern::Hill:
    case DealPattern::HillTopsUp: {
        const int16_t g = games.StockMove() != StockMove::None ? 1 : 3;
        const bool lastOnly = games.HomeType() == DealPattern::HillTopsUp;
        dealPiles(pyramid(g, kPeak), [&](int16_t pos, int16_t last) { return !lastOnly || pos == last; });
        break;
    }
    case DealPattern::Random:
        while (!stockEmpty()) {
            const auto pile =
                static_cast<int16_t>(int16::roundHalfEven(static_cast<double>(random_.next()) * int16::sub(piles, 1)));
            dealFromStock(Cell::Home, pile, int16::add(GetTop(Cell::Home, pile), 1), kFaceUp);
        }
        break;
    case DealPattern::InTurnLowerLeftDown:
        dealInTurn(count, [](int16_t pile, int16_t row) { return row > 2 || pile > 3; });
        break;
    case DealPattern::ReverseTriangle:
        for (int16_t d = 0; d < piles && !stockEmpty(); ++d)
            for (int16_t p = 0; p < piles - d && !stockEmpty(); ++p)
                dealFromStock(Cell::Home, p, d, open == 0 || p == 0 ? kFaceUp : kFaceDown);
        break;
    case DealPattern::InTurnOddRowsUp: dealInTurn(count, [](int16_t, int16_t row) { return row % 2 == 1; }); break;
    case DealPattern::InTurnEvenPilesUp:
    case DealPattern::InTurnAllButFourUp:
    case DealPattern::InTurnPileFourUp:
    case DealPattern::InTurnOuterPilesUp:
    case DealPattern::InTurnThreePilesUp: {
        const int32_t type = games.HomeType();
        dealInTurn(count, [type](int16_t pile, int16_t) {
            switch (type) {
            case DealPattern::InTurnEvenPilesUp: return pile % 2 == 0;
            case DealPattern::InTurnAllButFourUp: return pile != 4;
            case DealPattern::InTurnPileFourUp: return pile == 4;
            case DealPattern::InTurnOuterPilesUp: return pile == 0 || pile == 8;
            default: return pile == 0 || pile == 4 || pile == 8;
            }
        });
        turnTopsUp();
        break;
    }
    case DealPattern::Valley:
    case DealPattern::ValleyTopsUp: {
        const int16_t g = games.StockMove() == StockMove::None ? 3 : 0;
        const bool up = games.HomeType() == DealPattern::Valley;
        dealPiles(pyramid(g, kValley), [up](int16_t, int16_t) { return up; });
        if (!up)
            turnTopsUp();
        break;
    }
    default: break;
    }
}
