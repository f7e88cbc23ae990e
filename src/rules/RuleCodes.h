#pragma once

#include <cstdint>

// The rule codes of a game definition, by name. Each code keeps the number
// the catalogue, the saved games and the settings have always used, so a
// name converts to that number wherever a number is stored or compared.
// The build-order codes, with their decoder, are in rules/BuildOrder.h.

// The five pile groups, addressed by cell number.
namespace Cell {
enum Code : int16_t {
    Home = 0,
    Stock = 1,
    Waste = 2,
    Foundation = 3,
    Reserve = 4,
};
inline constexpr int16_t kCount = 5;
} // namespace Cell

// Why a card is moved: passed to MoveCard and stored with every recorded
// move (except Replayed, which is never stored).
namespace MoveKind {
enum Code : int32_t {
    Player = 0,    // by the player or by auto-play
    StockDeal = 1, // dealt from the stock by a click, turned face up
    WasteBack = 2, // turned back from the waste onto the stock, face down
    Uncovered = 3, // the move turned up the face-down card beneath it
    Replayed = 4,  // made by the move history itself: neither recorded nor followed by auto-play
};
} // namespace MoveKind

// How the home piles are dealt (HomeType). "In turn" deals the i-th card to
// pile i mod piles at row i div piles.
namespace DealPattern {
enum Code : int32_t {
    InTurn = 0,              // the home group's Cards in turn; CardsOpen last cards up
    Triangle = 1,            // row c from pile c rightwards; the diagonal up or all up
    BySuit = 2,              // 52 cards, each on the pile of its suit
    Hill = 3,                // nine piles, highest in the middle, all up
    HillTopsUp = 4,          // as Hill, only each pile's last card up
    Random = 5,              // the whole stock onto piles drawn at random
    InTurnLowerLeftDown = 6, // in turn; rows 0-2 of piles 0-3 down
    ReverseTriangle = 7,     // row d from pile 0 to P - d - 1
    InTurnOddRowsUp = 8,     // in turn; odd rows up, even rows down
    InTurnEvenPilesUp = 9,   // in turn; even piles up; tops up afterwards
    InTurnAllButFourUp = 10, // in turn; every pile but pile 4 up; tops up afterwards
    InTurnPileFourUp = 11,   // in turn; only pile 4 up; tops up afterwards
    InTurnOuterPilesUp = 12, // in turn; piles 0 and 8 up; tops up afterwards
    InTurnThreePilesUp = 13, // in turn; piles 0, 4 and 8 up; tops up afterwards
    Valley = 14,             // nine piles, lowest in the middle, all up
    ValleyTopsUp = 15,       // as Valley, face down; tops up afterwards
};
} // namespace DealPattern

// How the foundations start (GoalType): the rank an empty foundation takes
// and which cards are placed there before play.
namespace FoundationStart {
enum Code : int32_t {
    Ace = 0,          // Aces; the Aces of the first Cards groups placed
    Two = 1,          // 2s; likewise
    King = 12,        // Kings; likewise
    AceNoMarker = 13, // Aces, the empty foundation shows the run marker
    AceAndKing = 14,  // Aces on the lower half, Kings on the upper half
    RankOfPile = 15,  // the card whose rank is its group number
    RandomRank = 16,  // a rank drawn at the deal (or card 0's rank)
    SuitOfPile = 17,  // a card of the foundation's own suit
};
} // namespace FoundationStart

// What may be done with the stock's cards (StockType).
namespace StockType {
enum Code : int32_t {
    Plain = 0,
    TopPlayable = 1, // the top card may be dragged and auto-played
    TwoSuits = 2,    // only suits 0 and 1 fill the stock
};
} // namespace StockType

// What a click on a stock card does (StockMove). Every code but
// DealToHome turns the stock's top card onto the waste; codes 3 and 4 are
// kept as the catalogue numbers them and play as TurnToWaste. Zero or not,
// the code also shapes the Hill and Valley deal patterns.
namespace StockMove {
enum Code : int32_t {
    None = 0,
    TurnToWaste = 1,
    DealToHome = 2, // one card onto every home pile
    TurnToWaste3 = 3,
    TurnToWaste4 = 4,
};
} // namespace StockMove

// What an empty pile takes: EmptyNum -1 takes any card (another number is
// the one rank it takes); ResNum -1 lets an empty reserve pile take one
// card (any other number takes none).
inline constexpr int16_t kAnyRank = -1;
inline constexpr int16_t kReserveTakesOne = -1;

// The marker on the stock's place, and whether a click there turns the
// waste back (StockNum).
namespace Redeal {
enum Code : int16_t {
    NoMarker = 0,
    NoneLeft = 1, // the no-redeal marker: no redeal
    Allowed = 2,  // the redeal marker: a click on the empty stock redeals
};
// Redeals: the waste may be turned back without limit.
inline constexpr int16_t kUnlimited = -1;
} // namespace Redeal

// How the piles of a group are laid out (PileOrder). Div piles make one
// line; the next line lies DivWidth further on.
namespace PileLayout {
enum Code : int32_t {
    FanDown = 0,         // piles side by side, cards fanned downwards, lines one below another
    FanDownAcross = 1,   // as FanDown, the lines side by side
    FanRight = 2,        // piles side by side, cards fanned rightwards, lines one below another
    FanRightStacked = 3, // piles one below another, cards fanned rightwards, lines side by side
};
} // namespace PileLayout

// How many suits the cards show (SuitType).
namespace SuitCount {
enum Code : int32_t {
    One = 0,
    Two = 1,
    Four = 2,
};
} // namespace SuitCount
