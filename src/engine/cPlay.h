#pragma once

#include "engine/CardSurface.h"
#include "engine/DragState.h"
#include "engine/GameNo.h"
#include "engine/RuntimeRandom.h"
#include "rules/Card.h"
#include "rules/ClosedCardsSource.h"
#include "rules/RuleCodes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class cGames;
class MoveRecorder;
class Services;

// The play table: every card of the running game, where it lies and whether
// it is face up. It deals a numbered game from the definition in cGames and
// makes every card movement, whoever asks for it. The model changes at once;
// the card surface is told the positions a picture passes through.
class cPlay final : public ClosedCardsSource {
public:
    static constexpr int16_t kCells = Cell::kCount;
    static constexpr int16_t kMaxPiles = 21;
    static constexpr int16_t kFaceUp = -1;
    static constexpr int16_t kFaceDown = 0;

    // Move kinds, as the callers of MoveCard have long named them.
    static constexpr int32_t kMovePlayer = MoveKind::Player;
    static constexpr int32_t kMoveStockDeal = MoveKind::StockDeal;
    static constexpr int32_t kMoveWasteBack = MoveKind::WasteBack;
    static constexpr int32_t kMoveUncovered = MoveKind::Uncovered;
    static constexpr int32_t kMoveHistory = MoveKind::Replayed;

    // Marker pictures.
    static constexpr int16_t kMarkerRun = 13;
    static constexpr int16_t kMarkerEmpty = 14;
    static constexpr int16_t kMarkerNoRedeal = 15;
    static constexpr int16_t kMarkerRedeal = 16;
    // Cards of one suit.
    static constexpr int16_t kRanks = card::kRanks;

    // Deals and plays the definition in `games`, through the services; the
    // definition's layout counts face-down cards on this table.
    cPlay(cGames& games, Services& services);

    // Where moves are recorded; until the move history is attached, they are
    // not.
    void setRecorder(MoveRecorder* recorder) { recorder_ = recorder; }

    // Card queries; a card number outside the game is a subscript error.
    int16_t Num(int16_t mPicID) const { return card(mPicID).Num; }
    int16_t Suit(int16_t mPicID) const { return card(mPicID).Suit; }
    int16_t SuitPile(int16_t mPicID) const { return card(mPicID).SuitPile; }
    int16_t FaceMode(int16_t mPicID) const { return card(mPicID).FaceMode; }
    int16_t Cell(int16_t mPicID) const { return card(mPicID).Cell; }
    int16_t Pile(int16_t mPicID) const { return card(mPicID).Pile; }
    int16_t Pos(int16_t mPicID) const { return card(mPicID).Pos; }
    bool Color(int16_t mPicID) const { return red(card(mPicID)); }

    // Pile queries.
    int16_t GetTop(int16_t mCell, int16_t mPile) const
    {
        if (mCell < 0 || mCell >= kCells || mPile < 0 || mPile >= kMaxPiles)
            outOfRange();
        return top_[static_cast<size_t>(mCell)][static_cast<size_t>(mPile)];
    }
    int16_t GetPicID(int16_t mCell, int16_t mPile, int16_t mPos) const
    {
        if (mCell < 0 || mCell >= kCells)
            outOfRange();
        const Grid& grid = grid_[static_cast<size_t>(mCell)];
        if (mPile < 0 || mPile >= static_cast<int16_t>(grid.size()))
            outOfRange();
        const std::vector<int16_t>& pile = grid[static_cast<size_t>(mPile)];
        if (mPos < 0 || mPos >= static_cast<int16_t>(pile.size()))
            outOfRange();
        return pile[static_cast<size_t>(mPos)];
    }
    int16_t GetTopPicID(int16_t mCell, int16_t mPile) const { return GetPicID(mCell, mPile, GetTop(mCell, mPile)); }
    int16_t ClosedCards(int16_t pile) const override;

    // The game on the table.
    int16_t CardCount() const { return static_cast<int16_t>(cards_.size()); }
    const GameNo& GameNumber() const { return gameNo_; }
    int16_t DeckOrder(int16_t j) const;
    int16_t BaseRank() const { return baseRank_; }
    int16_t DeckIndex() const { return deckIndex_; }

    void Init(const GameNo& cGameNo);
    void ClearAll();
    void ChangeFaceMode(int16_t mPicID, int16_t FMode);
    // Takes the back of the deck now chosen in the settings; face-down cards
    // show it at once, face-up ones keep their faces.
    void ChangeDecks();
    void MoveCard(int16_t mPicID, int16_t DCell, int16_t DPile, int16_t DPos, int32_t tMod, int16_t Speed,
                  int16_t mCards, int16_t DFace);

    // A player's move of a card, with the cards lying on it, onto the top of
    // a pile, checked by the move rules: the one way every input makes it
    // (a drop, the keys, a click, a double click, a solution played out).
    // False, with nothing changed, when the rules refuse it.
    bool PlayerMove(int16_t mPicID, int16_t cell, int16_t pile);

    // Outside a drag. A press on a stock card deals from the stock; a click on
    // the empty stock place turns the waste back while redeals are left.
    void StockClick();
    void EmptyStockClick();
    void RedealWS();
    // After a saved game's moves are made again: `made` redeals count as
    // made, and when they are all used the stock place says so, as after the
    // last redeal in play.
    void restoreRedeals(int16_t made);
    // The stock place's picture while redeals are allowed: no card left to
    // redeal, or redeal.
    int16_t StockMarker() const;
    // Sends what may go to the foundations there, card by card, and clears
    // completed runs under the "Spider" tag.
    void AutoMoveCheck();
    // Cards on the foundations.
    int16_t GoalCards() const;

    // Holding a card. The press picks the card up (a press on the stock
    // deals from it instead), grabbed at (grabX, grabY) inside its picture;
    // each move finds the pointer at (x, Y) inside the picture, in twips, and
    // carries the picture along. The release drops the card on the first
    // pile under it that takes it; DropOn drops it on the given pile. Both
    // make the move through PlayerMove and return whether it was made; a
    // refused drop, like CancelDrag, puts the card back where it was picked
    // up. Outside a drag they do nothing.
    void MouseDown(int16_t mPicID, double grabX, double grabY);
    void MouseMove(double x, double Y);
    bool MouseUp();
    bool DropOn(int16_t cell, int16_t pile);
    void CancelDrag();
    DragState& drag() { return drag_; }
    const DragState& drag() const { return drag_; }
    // Where a release now would land the dragged card: the first pile hit
    // by its centre, else the first it overlaps, that takes it; nothing
    // outside a drag, or where the drop would be refused.
    std::optional<std::pair<int16_t, int16_t>> dropTarget() const;

    // Move rules. CanBuild: may `placed` go directly on `under` under the
    // build-order code, King and Ace neighbours when `wrap`.
    bool CanBuild(int16_t under, int16_t placed, int32_t code, bool wrap) const;
    // Are the k cards lying on `mPicID` in its home pile each buildable on
    // the card below them under the run order?
    bool RunInOrder(int16_t mPicID, int16_t k) const;
    // Whether a drag may start on the card, and how many cards lie on it
    // that move along.
    bool CanPickUp(int16_t mPicID, int16_t& k) const;
    bool CanDrop(int16_t mPicID, int16_t k, int16_t cell, int16_t pile) const;
    bool CanGoToFoundation(int16_t mPicID, int16_t pile) const;
    // Cards a foundation holds outside the "Spider" rules: the cards of the
    // game shared among the foundations, at least 13 (26 in Marathon, whose
    // four foundations take two decks).
    int16_t foundationCapacity() const { return foundationCapacity_; }

    // The positions a picture passes through on its way from `from` to `to`
    // in `steps` animation steps; the last one is the destination.
    static std::vector<CardSurface::Point> StepPositions(CardSurface::Point from, CardSurface::Point to, int16_t steps);

private:
    struct Card {
        int16_t Num = 0;
        int16_t Suit = 0;
        int16_t SuitPile = 0;
        int16_t FaceMode = kFaceDown;
        // -1 until the card is first placed.
        int16_t Cell = -1;
        int16_t Pile = 0;
        int16_t Pos = 0;
    };
    using Grid = std::vector<std::vector<int16_t>>;

    // The queries above are inline: the move rules ask them thousands of
    // times per move. A subscript out of range raises the error here.
    [[noreturn]] static void outOfRange();
    // Hearts and diamonds.
    static bool red(const Card& c) { return c.Suit == 1 || c.Suit == 3; }
    const Card& card(int16_t mPicID) const
    {
        if (mPicID < 0 || mPicID >= static_cast<int16_t>(cards_.size()))
            outOfRange();
        return cards_[static_cast<size_t>(mPicID)];
    }
    Card& card(int16_t mPicID) { return const_cast<Card&>(std::as_const(*this).card(mPicID)); }
    CardSurface::Point cord(int16_t cell, int16_t pile, int16_t pos) const;

    void PlaceCard(int16_t mPicID, int16_t cell, int16_t pile, int16_t pos, int16_t steps, int16_t face, bool takeOff);
    int16_t chosenDeck() const;
    void createGrids();
    void shuffle();
    void createCards();
    void startFoundations();
    void showSetUpMarkers();
    void fillStock();
    bool stockEmpty() const;
    void dealFromStock(int16_t cell, int16_t pile, int16_t pos, int16_t face);
    void dealHome();
    // Deals `count` cards in turn across the home piles; faceUp(pile, row)
    // decides each card's face.
    void dealInTurn(int16_t count, const std::function<bool(int16_t pile, int16_t row)>& faceUp);
    // Deals piles 0..8 pile by pile, pile i to positions 0..heights[i] (never
    // beyond 7); faceUp(pos, last) decides each card's face.
    void dealPiles(const std::array<int16_t, 9>& heights, const std::function<bool(int16_t pos, int16_t last)>& faceUp);
    void turnTopsUp();

    // Ends the drag: the move onto `target`, or the card back.
    bool endDrag(std::optional<std::pair<int16_t, int16_t>> target);
    // Where the table last put a card's picture; the engine keeps it, so it
    // never asks the surface.
    CardSurface::Point pictureAt(int16_t mPicID) const
    {
        const auto i = static_cast<size_t>(mPicID);
        return i < pictures_.size() ? pictures_[i] : CardSurface::Point{};
    }
    void notePictureAt(int16_t mPicID, CardSurface::Point at);
    // Moves a picture on the surface through `steps` and notes where it ends.
    void movePicture(int16_t mPicID, const std::vector<CardSurface::Point>& steps);
    // The steps of a card the player sees move, as "Card Moving Speed" sets
    // them; none where nothing is drawn.
    int16_t cardSteps() const;
    bool hitCentre(CardSurface::Point card, int16_t cell, int16_t pile, int16_t pos) const;
    bool hitOverlap(CardSurface::Point card, int16_t cell, int16_t pile, int16_t pos) const;

    // Stock, auto-play and the end of the game.
    bool autoPlayToFoundation(int16_t mPicID);
    bool foundationFull(int16_t pile) const;
    void clearCompletedRun(int16_t pile);
    void endCheck();
    // Runs one action on the table. A won game is reported when the
    // outermost action has finished, so it is reported once, with the
    // history's groups closed and no move half made.
    template <typename Action> void runAction(Action&& action);
    void finishAction();
    void abandonAction();
    void makeMove(int16_t mPicID, int16_t DCell, int16_t DPile, int16_t DPos, int32_t tMod, int16_t Speed,
                  int16_t mCards, int16_t DFace);
    void redeal();
    // No redeal is left: the stock place shows it and takes no more clicks.
    void endRedeals();

    cGames& games_;
    Services& services_;
    MoveRecorder* recorder_ = nullptr;
    int actionDepth_ = 0;
    // The cards all went up during the running action; told to the session
    // when it ends.
    bool wonPending_ = false;
    // The game on the table has been reported won; only a new deal clears it.
    bool wonTold_ = false;

    std::vector<Card> cards_;
    std::array<Grid, kCells> grid_;
    // The grids of the game last cleared away, whose storage the next deal
    // takes over.
    std::array<Grid, kCells> spareGrids_;
    std::array<std::array<int16_t, kMaxPiles>, kCells> top_{};
    std::vector<int16_t> deckOrder_;
    // The cards not yet drawn while shuffling, kept to spare an allocation
    // per deal.
    std::vector<int16_t> shuffleScratch_;
    int16_t baseRank_ = 0;
    int16_t foundationCapacity_ = kRanks;
    GameNo gameNo_;
    int16_t deckIndex_ = 7;
    RuntimeRandom random_;
    DragState drag_;
    // Each card picture's place on the surface, by card number.
    std::vector<CardSurface::Point> pictures_;
};

template <typename Action> void cPlay::runAction(Action&& action)
{
    ++actionDepth_;
    try {
        action();
    } catch (...) {
        abandonAction();
        throw;
    }
    finishAction();
}
