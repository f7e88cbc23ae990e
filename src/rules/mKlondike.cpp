#include "rules/mKlondike.h"

#include "rules/BuildOrder.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

#include <array>
#include <vector>

namespace mKlondike {
namespace {

// One game, field by field, under the definition record's own names. A
// field left out of a row takes the value given here, for the layout the
// common one. Codes are named in rules/RuleCodes.h and rules/BuildOrder.h.
struct Row {
    int16_t id;       // 1..62, alphabetical
    const char* name; // exact name, case and blanks matter
    bool original;    // one of the "Original Games"
    int16_t deck;     // 0 half deck, 1 one deck, 2 two decks

    // The home piles (the tableau), cell 0, and the game-wide rules set
    // with them.
    struct {
        int16_t piles = 0;
        int16_t cards = 0; // dealt in turn by the in-turn patterns
        BuildOrder::Code buildOrder = BuildOrder::Nothing;
        int16_t ak = 0; // non-zero: King and Ace are neighbours
        int16_t emptyNum = kAnyRank;
        int16_t multiMove = 0;                             // non-zero: runs may be moved
        BuildOrder::Code multiOrder = BuildOrder::Nothing; // Nothing: as buildOrder
        DealPattern::Code homeType = DealPattern::InTurn;
        SuitCount::Code suitType = SuitCount::Four;
        int16_t cardsOpen = 0;
        int16_t startX = 0, startY = 1640, pileWidth = 1165, posWidth = 250, div = 20, divWidth = 0;
        PileLayout::Code pileOrder = PileLayout::FanDown;
    } home;
    // The foundations, cell 3.
    struct {
        int16_t piles = 0;
        int16_t cards = 0; // foundations given a card before play
        BuildOrder::Code buildOrder = BuildOrder::Nothing;
        FoundationStart::Code goalType = FoundationStart::Ace;
        int16_t ak = 0;
        int16_t startX = 0, startY = 0, pileWidth = 0, div = 20, divWidth = 0;
        PileLayout::Code pileOrder = PileLayout::FanDown;
    } goal;
    // The stock, cell 1: always one pile.
    struct {
        StockMove::Code stockMove = StockMove::None;
        StockType::Code stockType = StockType::Plain;
        Redeal::Code stockNum = Redeal::NoMarker;
        int16_t startX = 0, startY = 0, posWidth = 0;
    } stock;
    // The waste, cell 2: none, or one pile.
    struct {
        int16_t piles = 0;
        int16_t startX = 0, startY = 0;
    } waste;
    // The reserve piles, cell 4; they never build.
    struct {
        int16_t piles = 0;
        int16_t cards = 0; // dealt to the reserve at the start
        int16_t resNum = kReserveTakesOne;
        int16_t startX = 0, startY = 0, pileWidth = 0;
    } res;
    // The whole table.
    struct {
        const char* tag = ""; // rule family: "Spider", "Freecell", ...
        int16_t totalCards = 52;
        int16_t redeals = 0;     // Redeal::kUnlimited (-1): without limit
        int16_t disAutoPlay = 0; // -1: no automatic play
        int16_t goalDiv = 0;
        int16_t baseX = 0, baseY = 200; // layout width, top margin
    } ext;
};

// The same in every game.
constexpr int16_t kWastePosWidth = 30;
constexpr int16_t kPileDiv = 20;

// clang-format off
constexpr std::array<Row, kGameCount> kRows{{
    {.id = 1, .name = "American Canister", .original = false, .deck = 1,
     .home = {.piles = 8, .cards = 52, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 4660, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9220}},
    {.id = 2, .name = "Athena", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameColour, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameColour, .goalType = FoundationStart::AceNoMarker, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.tag = "Spider", .totalCards = 52, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 8055}},
    {.id = 3, .name = "Blind Alleys", .original = false, .deck = 1,
     .home = {.piles = 6, .cards = 18, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 6},
     .goal = {.piles = 4, .cards = 4, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2430, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = -100, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1165},
     .ext = {.totalCards = 52, .redeals = 1, .baseX = 6890}},
    {.id = 4, .name = "British Canister", .original = false, .deck = 1,
     .home = {.piles = 8, .cards = 52, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 0, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 4660, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9220}},
    {.id = 5, .name = "Canister", .original = false, .deck = 1,
     .home = {.piles = 8, .cards = 52, .buildOrder = BuildOrder::UpOrDownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 4660, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9220}},
    {.id = 6, .name = "Canister Plus", .original = true, .deck = 1,
     .home = {.piles = 8, .cards = 52, .buildOrder = BuildOrder::UpOrDownSameColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 4660, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9220}},
    {.id = 7, .name = "Carlton", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 8, .name = "Cone Klondike", .original = true, .deck = 1,
     .home = {.piles = 9, .cards = 32, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Hill, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10385}},
    {.id = 9, .name = "Double Easthaven", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 24, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 8, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10485}},
    {.id = 10, .name = "Double Eclipse", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 45, .buildOrder = BuildOrder::DownSameSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::One},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 11, .name = "Double Excel", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownSameColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 12, .name = "Double Impact", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownOtherSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 13, .name = "Double Klondike", .original = false, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 14, .name = "Double Klondike Freecell", .original = true, .deck = 2,
     .home = {.piles = 9, .cards = 45, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .startX = 1165},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .startY = 1640, .posWidth = 30},
     .waste = {.piles = 1, .startY = 3280},
     .res = {.piles = 2, .pileWidth = 1165},
     .ext = {.tag = "Freecell", .totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 15, .name = "Double Klondike Spider", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 45, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.tag = "Spider", .totalCards = 104, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 11550}},
    {.id = 16, .name = "Double Planet", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownOtherColour, .ak = 1, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 1, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::RandomRank, .ak = 1, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 17, .name = "Double Session", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpAnySuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 18, .name = "Double Simon", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::ReverseTriangle, .suitType = SuitCount::Four},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.tag = "Spider", .totalCards = 104, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 11550}},
    {.id = 19, .name = "Double Spiderette", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 2330, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.tag = "Spider", .totalCards = 104, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 11550}},
    {.id = 20, .name = "Double Statue", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 55, .buildOrder = BuildOrder::DownSameSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Two, .cardsOpen = 10},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 21, .name = "Double Tornado", .original = true, .deck = 2,
     .home = {.piles = 10, .cards = 60, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::InTurnOddRowsUp, .suitType = SuitCount::Four},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2680, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1315},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 22, .name = "Easthaven", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 21, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 23, .name = "Eclipse", .original = true, .deck = 1,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownSameSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::One},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9220}},
    {.id = 24, .name = "Excel", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownSameColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 25, .name = "Fan Klondike", .original = true, .deck = 1,
     .home = {.piles = 10, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7, .startY = 0, .pileWidth = 4000, .posWidth = 180, .div = 2, .divWidth = 1490, .pileOrder = PileLayout::FanRight},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 8000, .startY = 500, .pileWidth = 1540, .pileOrder = PileLayout::FanRightStacked},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 8000, .startY = 500, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 9065, .baseY = 50}},
    {.id = 26, .name = "Gargantua", .original = false, .deck = 2,
     .home = {.piles = 9, .cards = 55, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 10, .startX = 532},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2530, .pileWidth = 1115},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 104, .redeals = 1, .baseX = 11550}},
    {.id = 27, .name = "Giant", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 8, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 28, .name = "Gipsy", .original = true, .deck = 1,
     .home = {.piles = 9, .cards = 32, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurnThreePilesUp, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10385}},
    {.id = 29, .name = "Impact", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 30, .name = "King Albert", .original = false, .deck = 1,
     .home = {.piles = 9, .cards = 52, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 5825, .posWidth = 0},
     .res = {.piles = 7, .cards = 7, .resNum = -5, .startY = 5760, .pileWidth = 1165},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 31, .name = "Klondike", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 32, .name = "Klondike AK", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 4, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceAndKing, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.tag = "KlondikeAK", .totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 33, .name = "Klondike Freecell", .original = true, .deck = 1,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .startX = 1265},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5925, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startY = 1640},
     .res = {.piles = 2, .startX = 1265, .pileWidth = 1165},
     .ext = {.tag = "Freecell", .totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10485}},
    {.id = 34, .name = "Klondike Reversed", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::UpOtherColour, .emptyNum = 0, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 4, .buildOrder = BuildOrder::DownSameSuit, .goalType = FoundationStart::King, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 35, .name = "Klondike Spider", .original = true, .deck = 1,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 4660, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1365},
     .ext = {.tag = "Spider", .totalCards = 52, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 9220}},
    {.id = 36, .name = "Ladder", .original = true, .deck = 2,
     .home = {.piles = 8, .cards = 104, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .startX = 1265, .startY = 0},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpOtherColour, .goalType = FoundationStart::Ace, .startX = 0, .startY = 500, .pileWidth = 1540, .div = 4, .divWidth = 10685, .pileOrder = PileLayout::FanRightStacked},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 0, .startY = 500, .posWidth = 0},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11750}},
    {.id = 37, .name = "Lawn", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownSameSuit, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 38, .name = "Mandate", .original = true, .deck = 2,
     .home = {.piles = 16, .cards = 104, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 16, .startX = 1265, .startY = 0, .posWidth = 200, .div = 8, .divWidth = 4000},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 0, .startY = 500, .pileWidth = 1540, .div = 4, .divWidth = 10685, .pileOrder = PileLayout::FanRightStacked},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 0, .startY = 500, .posWidth = 0},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11750}},
    {.id = 39, .name = "Marathon", .original = true, .deck = 2,
     .home = {.piles = 9, .cards = 104, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .startY = 0},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpOtherColour, .goalType = FoundationStart::Ace, .startX = 10485, .startY = 500, .pileWidth = 0, .div = 1, .divWidth = 1540},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 0},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .goalDiv = 4, .baseX = 11550}},
    {.id = 40, .name = "Milligan Harp", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 55, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 8, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 41, .name = "Morehead", .original = false, .deck = 1,
     .home = {.piles = 10, .cards = 28, .buildOrder = BuildOrder::DownOtherSuit, .emptyNum = kAnyRank, .multiMove = 0, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 3495, .posWidth = 30},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 42, .name = "Old Carlton", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::AnyCard, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 43, .name = "Open Klondike", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste3, .stockType = StockType::TopPlayable, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 44, .name = "Panorama", .original = true, .deck = 2,
     .home = {.piles = 8, .cards = 104, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 24, .startX = 1265, .startY = 0},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpOtherColour, .goalType = FoundationStart::Ace, .startX = 0, .startY = 500, .pileWidth = 1540, .div = 4, .divWidth = 10685, .pileOrder = PileLayout::FanRightStacked},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 0, .startY = 500, .posWidth = 0},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 11750}},
    {.id = 45, .name = "Planet", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .ak = 1, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 1, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::RandomRank, .ak = 1, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 46, .name = "Raglan", .original = false, .deck = 1,
     .home = {.piles = 9, .cards = 45, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 0, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 4, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 5825, .posWidth = 0},
     .res = {.piles = 6, .cards = 6, .resNum = -5, .startX = 3495, .startY = 5760, .pileWidth = 1165},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 47, .name = "Sensation", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::ReverseTriangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 48, .name = "Simple Klondike", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .multiOrder = BuildOrder::AnyCard, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 49, .name = "Simple Simon", .original = false, .deck = 1,
     .home = {.piles = 10, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::ReverseTriangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 6990, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 6990, .posWidth = 0},
     .ext = {.tag = "Spider", .totalCards = 52, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 11550}},
    {.id = 50, .name = "Somerset", .original = false, .deck = 1,
     .home = {.piles = 10, .cards = 52, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 0, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 6990, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::None, .stockNum = Redeal::NoMarker, .startX = 6990, .posWidth = 0},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 51, .name = "Spiderette", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .multiOrder = BuildOrder::DownSameSuit, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::AceNoMarker, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.tag = "Spider", .totalCards = 52, .redeals = Redeal::kUnlimited, .disAutoPlay = -1, .baseX = 8055}},
    {.id = 52, .name = "Splash", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 53, .name = "Steps", .original = false, .deck = 2,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7, .startX = 1798},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 2330, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1165},
     .ext = {.totalCards = 104, .redeals = 1, .baseX = 11550}},
    {.id = 54, .name = "Steve", .original = false, .deck = 2,
     .home = {.piles = 8, .cards = 36, .buildOrder = BuildOrder::DownAnySuit, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .startX = 632},
     .goal = {.piles = 8, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 1265, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::DealToHome, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .ext = {.totalCards = 104, .redeals = Redeal::kUnlimited, .baseX = 10585}},
    {.id = 55, .name = "Stream", .original = true, .deck = 1,
     .home = {.piles = 9, .cards = 32, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Valley, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10385}},
    {.id = 56, .name = "Stripped Klondike", .original = true, .deck = 0,
     .home = {.piles = 5, .cards = 20, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7},
     .goal = {.piles = 2, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 26, .redeals = Redeal::kUnlimited, .baseX = 5725}},
    {.id = 57, .name = "Tornado", .original = true, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = 12, .multiMove = 1, .homeType = DealPattern::InTurnOddRowsUp, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 58, .name = "Traffic", .original = true, .deck = 1,
     .home = {.piles = 9, .cards = 32, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurnEvenPilesUp, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 5825, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 10385}},
    {.id = 59, .name = "Vertical Klondike", .original = true, .deck = 1,
     .home = {.piles = 5, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four, .cardsOpen = 7, .startY = 0, .pileWidth = 1490, .posWidth = 180, .div = 5, .divWidth = 4500, .pileOrder = PileLayout::FanRightStacked},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 4260, .startY = 1990, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::Allowed, .startX = 5325, .startY = 3920, .posWidth = 30},
     .waste = {.piles = 1, .startX = 6590, .startY = 3920},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8820, .baseY = 50}},
    {.id = 60, .name = "Westcliff", .original = false, .deck = 1,
     .home = {.piles = 10, .cards = 30, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four, .cardsOpen = 10},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 6990, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1165},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 11550}},
    {.id = 61, .name = "Whitehead", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 28, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::Triangle, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste, .stockNum = Redeal::NoneLeft, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
    {.id = 62, .name = "Whitehorse", .original = false, .deck = 1,
     .home = {.piles = 7, .cards = 7, .buildOrder = BuildOrder::DownOtherColour, .emptyNum = kAnyRank, .multiMove = 1, .homeType = DealPattern::InTurn, .suitType = SuitCount::Four},
     .goal = {.piles = 4, .cards = 0, .buildOrder = BuildOrder::UpSameSuit, .goalType = FoundationStart::Ace, .startX = 3495, .pileWidth = 1165},
     .stock = {.stockMove = StockMove::TurnToWaste4, .stockNum = Redeal::Allowed, .startX = 0, .posWidth = 30},
     .waste = {.piles = 1, .startX = 1265},
     .ext = {.totalCards = 52, .redeals = Redeal::kUnlimited, .baseX = 8055}},
}};
// clang-format on

const Row* findRow(const QString& name)
{
    for (const Row& row : kRows)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

} // namespace

std::span<const GameListEntry> GameList()
{
    static const std::vector<GameListEntry> list = [] {
        std::vector<GameListEntry> entries;
        entries.reserve(kRows.size());
        for (const Row& row : kRows)
            entries.push_back(
                {row.id, QString::fromLatin1(row.name), static_cast<int16_t>(row.original ? -1 : 0), row.deck});
        return entries;
    }();
    return list;
}

bool IsGameName(const QString& name) { return findRow(name) != nullptr; }

void LoadGameDefinition(cGames& games, const QString& name)
{
    // No reserve and no waste unless the game has them.
    games.Res(0, 0, 0, 0, 0, 0, kPileDiv, 0, PileLayout::FanDown, kReserveTakesOne);
    games.Waste(0, 0, 0, 0, 0, kWastePosWidth);

    const Row* row = findRow(name);
    if (row == nullptr)
        return;

    const auto& h = row->home;
    games.Home(h.piles, h.buildOrder, h.cards, h.ak, h.emptyNum, h.multiMove, h.startX, h.startY, h.pileWidth,
               h.posWidth, h.div, h.divWidth, h.pileOrder, h.homeType, h.multiOrder, h.suitType, h.cardsOpen);
    const auto& g = row->goal;
    games.Goal(g.piles, g.buildOrder, g.cards, g.goalType, g.ak, g.startX, g.startY, g.pileWidth, 0, g.div, g.divWidth,
               g.pileOrder);
    const auto& s = row->stock;
    games.Stock(1, s.stockMove, s.startX, s.startY, s.posWidth, s.stockNum, s.stockType);
    const auto& w = row->waste;
    if (w.piles == 1)
        games.Waste(w.piles, w.startX, w.startY, 0, 0, kWastePosWidth);
    const auto& r = row->res;
    if (r.piles > 0)
        games.Res(r.piles, r.cards, r.startX, r.startY, r.pileWidth, 0, kPileDiv, 0, PileLayout::FanDown, r.resNum);
    const auto& e = row->ext;
    games.Ext(e.baseX, e.baseY, e.totalCards, e.redeals, QString::fromLatin1(e.tag), e.disAutoPlay, e.goalDiv);
}

} // namespace mKlondike
