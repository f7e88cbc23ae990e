#include "engine/cPlay.h"

#include "engine/MoveHooks.h"
#include "engine/Services.h"
#include "rules/Int16.h"
#include "rules/cGames.h"

cPlay::cPlay(cGames& games, Services& services) : games_(games), services_(services)
{
    // The layout fans a home pile's face-down cards closer together: it
    // counts them on this table.
    games_.setClosedCardsSource(this);
    for (auto& tops : top_)
        tops.fill(-1);
}

void cPlay::outOfRange() { throw RunTimeError::subscript(); }

int16_t cPlay::ClosedCards(int16_t pile) const
{
    int16_t closed = 0;
    const int16_t top = GetTop(Cell::Home, pile);
    for (int16_t pos = 0; pos <= top; ++pos)
        if (card(GetPicID(Cell::Home, pile, pos)).FaceMode == kFaceDown)
            ++closed;
    return closed;
}

int16_t cPlay::DeckOrder(int16_t j) const
{
    if (j < 0 || j >= static_cast<int16_t>(deckOrder_.size()))
        throw RunTimeError::subscript();
    return deckOrder_[static_cast<size_t>(j)];
}

CardSurface::Point cPlay::cord(int16_t cell, int16_t pile, int16_t pos) const
{
    const cGames::Point p = games_.cord(cell, pile, pos);
    return {p.x, p.y};
}

std::vector<CardSurface::Point> cPlay::StepPositions(CardSurface::Point from, CardSurface::Point to, int16_t steps)
{
    std::vector<CardSurface::Point> path;
    if (steps >= 1) {
        const double dx = std::abs(to.x - from.x) * (to.x < from.x ? -1.0 : 1.0);
        const double dy = std::abs(to.y - from.y) * (to.y < from.y ? -1.0 : 1.0);
        for (int16_t i = 1; i < steps; ++i)
            path.push_back({static_cast<int32_t>(int16::roundHalfEven(from.x + dx * i / steps)),
                            static_cast<int32_t>(int16::roundHalfEven(from.y + dy * i / steps))});
    }
    path.push_back(to);
    return path;
}

void cPlay::notePictureAt(int16_t mPicID, CardSurface::Point at)
{
    if (mPicID < 0)
        return;
    const auto i = static_cast<size_t>(mPicID);
    if (i >= pictures_.size())
        pictures_.resize(i + 1);
    pictures_[i] = at;
}

void cPlay::movePicture(int16_t mPicID, const std::vector<CardSurface::Point>& steps)
{
    if (steps.empty())
        return;
    services_.surface().moveCard(mPicID, steps);
    notePictureAt(mPicID, steps.back());
}

int16_t cPlay::cardSteps() const
{
    if (!services_.surface().drawsCards())
        return 0;
    return settings::animationSteps(services_.settings().read(settings::kCardSpeed));
}

void cPlay::ChangeFaceMode(int16_t mPicID, int16_t FMode)
{
    card(mPicID).FaceMode = FMode;
    services_.surface().showCardFace(mPicID, FMode == kFaceUp);
}

void cPlay::PlaceCard(int16_t mPicID, int16_t cell, int16_t pile, int16_t pos, int16_t steps, int16_t face,
                      bool takeOff)
{
    // Refuse a bad destination before anything changes, so the table is
    // never left with a card taken off and put nowhere.
    if (cell < 0 || cell >= kCells || pile < 0 || pos < 0)
        throw RunTimeError::subscript();
    Grid& grid = grid_[static_cast<size_t>(cell)];
    if (pile >= static_cast<int16_t>(grid.size()) || pile >= kMaxPiles)
        throw RunTimeError::subscript();
    // Where the picture goes matters only to a surface that shows it.
    CardSurface& surface = services_.surface();
    if (surface.drawsCards()) {
        const CardSurface::Point to = cord(cell, pile, pos);
        surface.bringToFront(mPicID);
        surface.setCardVisible(mPicID, true);
        movePicture(mPicID, StepPositions(pictureAt(mPicID), to, steps));
    }

    Card& c = card(mPicID);
    if (takeOff) {
        grid_[static_cast<size_t>(c.Cell)][static_cast<size_t>(c.Pile)][static_cast<size_t>(c.Pos)] = -1;
        --top_[static_cast<size_t>(c.Cell)][static_cast<size_t>(c.Pile)];
    }

    auto& column = grid[static_cast<size_t>(pile)];
    if (pos >= static_cast<int16_t>(column.size()))
        column.resize(static_cast<size_t>(pos) + 1, -1);
    column[static_cast<size_t>(pos)] = mPicID;
    ++top_[static_cast<size_t>(cell)][static_cast<size_t>(pile)];

    c.Cell = cell;
    c.Pile = pile;
    c.Pos = pos;
    ChangeFaceMode(mPicID, face);
}

void cPlay::MoveCard(int16_t mPicID, int16_t DCell, int16_t DPile, int16_t DPos, int32_t tMod, int16_t Speed,
                     int16_t mCards, int16_t DFace)
{
    runAction([&] { makeMove(mPicID, DCell, DPile, DPos, tMod, Speed, mCards, DFace); });
}

void cPlay::makeMove(int16_t mPicID, int16_t DCell, int16_t DPile, int16_t DPos, int32_t tMod, int16_t Speed,
                     int16_t mCards, int16_t DFace)
{
    // A foundation holds its share of the cards, except where whole runs are
    // cleared.
    if (DCell == Cell::Foundation && foundationFull(DPile))
        return;

    const Card source = card(mPicID);

    // Uncovering a face-down home card turns it up; the record's kind lets
    // undo turn it down again.
    if (tMod != kMoveHistory && source.Cell == Cell::Home && source.Pos > 0) {
        const int16_t below = GetPicID(Cell::Home, source.Pile, int16::sub(source.Pos, 1));
        if (card(below).FaceMode == kFaceDown) {
            ChangeFaceMode(below, kFaceUp);
            tMod = kMoveUncovered;
        }
    }

    if (tMod != kMoveHistory && recorder_ != nullptr)
        recorder_->SaveTrans(mPicID, DCell, DPile, DPos, mCards, tMod);

    // The cards lying on the moved card, noted before it leaves its place.
    std::vector<int16_t> carried;
    for (int16_t i = 1; i <= mCards; ++i)
        carried.push_back(GetPicID(source.Cell, source.Pile, int16::add(source.Pos, i)));

    PlaceCard(mPicID, DCell, DPile, DPos, Speed, DFace, true);
    for (int16_t i = 1; i <= mCards; ++i)
        PlaceCard(carried[static_cast<size_t>(i - 1)], DCell, DPile, int16::add(DPos, i), Speed, DFace, true);

    if (tMod != kMoveHistory && tMod != kMoveWasteBack)
        AutoMoveCheck();
    if (services_.session().Game_Running())
        endCheck();
}

void cPlay::ClearAll()
{
    // A card still held (a game opened or dealt while the keys or a click
    // hold one) goes with the table: no drag is left behind to keep the
    // table busy, which would stop the next game's moves from being made
    // again and every undo and replay after them.
    if (drag_.active) {
        drag_.active = false;
        drag_.card = -1;
        drag_.k = 0;
        drag_.runCards.clear();
        drag_.outOfRange = false;
        services_.busy = false;
    }
    services_.surface().clearTable();
    // The surface is empty again: every picture is back at its corner.
    pictures_.clear();
    for (size_t cell = 0; cell < grid_.size(); ++cell) {
        spareGrids_[cell] = std::move(grid_[cell]);
        grid_[cell].clear();
    }
    for (auto& tops : top_)
        tops.fill(-1);
    cards_.clear();
    deckOrder_.clear();
    baseRank_ = 0;
    wonPending_ = false;
    wonTold_ = false;
}
