#include "rules/mKlondike.h"

#include "rules/cGames.h"

#include <array>
#include <vector>

namespace mKlondike {
namespace {

// A layout value that differs from the defaults below.
enum Field : uint8_t {
    kNone,
    kHomeStartX,
    kHomeStartY,
    kHomePileWidth,
    kHomePosWidth,
    kHomeDiv,
    kHomeDivWidth,
    kHomePileOrder,
    kGoalStartY,
    kGoalDiv,
    kGoalDivWidth,
    kGoalPileOrder,
    kStockStartY,
    kWasteStartY,
    kResStartX,
    kResStartY,
    kResPileWidth,
    kExtBaseY,
};

struct Override {
    Field field = kNone;
    int16_t value = 0;
};

// One game: its list entry, its rules and the layout values that are not
// defaults. Column order follows the catalogue's own tables.
struct Row {
    int16_t id;
    const char* name;
    bool original;
    int16_t deck;
    struct {
        int16_t piles;
        int32_t order;
        int16_t cards, ak, emptyNum, multiMove;
        int32_t homeType, multiOrder, suitType;
        int16_t cardsOpen;
    } home;
    struct {
        int16_t piles;
        int32_t order;
        int16_t cards;
        int32_t goalType;
        int16_t ak, startX, pileWidth;
    } goal;
    struct {
        int32_t stockMove;
        int16_t stockNum;
        int32_t stockType;
        int16_t startX, posWidth;
    } stock;
    struct {
        int16_t piles, startX;
    } waste;
    struct {
        int16_t piles, cards, resNum;
    } res;
    struct {
        int16_t baseX;
        const char* tag;
        int16_t totalCards, redeals, disAutoPlay, goalDiv;
    } ext;
    std::array<Override, 10> layout;
};

// clang-format off
constexpr std::array<Row, kGameCount> kRows{{
    {1, "American Canister", false, 1,
     {8, 4, 52, 0, -1, 1, 0, 0, 2, 0},
     {4, 2, 0, 0, 0, 4660, 1165},
     {0, 0, 0, 4660, 0}, {0, 0}, {0, 0, -1},
     {9220, "", 52, -1, 0, 0},
     {}},
    {2, "Athena", true, 1,
     {7, 7, 36, 0, -1, 1, 1, 16, 2, 7},
     {4, 17, 0, 13, 0, 3495, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {8055, "Spider", 52, -1, -1, 0},
     {}},
    {3, "Blind Alleys", false, 1,
     {6, 4, 18, 0, -1, 1, 0, 0, 2, 6},
     {4, 2, 4, 0, 0, 2430, 1165},
     {1, 2, 0, -100, 30}, {1, 1165}, {0, 0, -1},
     {6890, "", 52, 1, 0, 0},
     {}},
    {4, "British Canister", false, 1,
     {8, 4, 52, 0, 12, 0, 0, 0, 2, 0},
     {4, 2, 0, 0, 0, 4660, 1165},
     {0, 0, 0, 4660, 0}, {0, 0}, {0, 0, -1},
     {9220, "", 52, -1, 0, 0},
     {}},
    {5, "Canister", false, 1,
     {8, 6, 52, 0, 12, 1, 0, 0, 2, 0},
     {4, 2, 0, 0, 0, 4660, 1165},
     {0, 0, 0, 4660, 0}, {0, 0}, {0, 0, -1},
     {9220, "", 52, -1, 0, 0},
     {}},
    {6, "Canister Plus", true, 1,
     {8, 18, 52, 0, 12, 1, 0, 0, 2, 0},
     {4, 2, 0, 0, 0, 4660, 1165},
     {0, 0, 0, 4660, 0}, {0, 0}, {0, 0, -1},
     {9220, "", 52, -1, 0, 0},
     {}},
    {7, "Carlton", false, 2,
     {8, 4, 36, 0, -1, 1, 1, 0, 2, 0},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10585, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {8, "Cone Klondike", true, 1,
     {9, 4, 32, 0, -1, 1, 3, 0, 2, 0},
     {4, 2, 0, 0, 0, 5825, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {10385, "", 52, -1, 0, 0},
     {}},
    {9, "Double Easthaven", false, 2,
     {8, 4, 24, 0, -1, 1, 0, 0, 2, 8},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10485, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {10, "Double Eclipse", true, 2,
     {10, 1, 45, 0, 12, 1, 1, 0, 0, 0},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 1, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {11, "Double Excel", true, 2,
     {10, 16, 55, 0, 12, 1, 1, 0, 2, 10},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {12, "Double Impact", true, 2,
     {10, 15, 55, 0, 12, 1, 1, 0, 2, 10},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {13, "Double Klondike", false, 2,
     {10, 4, 55, 0, 12, 1, 1, 0, 2, 10},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {14, "Double Klondike Freecell", true, 2,
     {9, 4, 45, 0, -1, 1, 1, 0, 2, 0},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 1, 0, 0, 30}, {1, 0}, {2, 0, -1},
     {11550, "Freecell", 104, -1, 0, 0},
     {{{kHomeStartX, 1165}, {kStockStartY, 1640}, {kWasteStartY, 3280}, {kResPileWidth, 1165}}}},
    {15, "Double Klondike Spider", true, 2,
     {10, 7, 45, 0, -1, 1, 1, 1, 2, 0},
     {8, 2, 0, 13, 0, 2680, 1115},
     {1, 1, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "Spider", 104, -1, -1, 0},
     {}},
    {16, "Double Planet", true, 2,
     {10, 4, 55, 1, -1, 1, 1, 0, 2, 10},
     {8, 2, 1, 16, 1, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {17, "Double Session", true, 2,
     {10, 7, 55, 0, 12, 1, 1, 0, 2, 10},
     {8, 8, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {18, "Double Simon", true, 2,
     {10, 7, 36, 0, -1, 1, 7, 1, 2, 0},
     {8, 2, 0, 13, 0, 2680, 1115},
     {1, 1, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "Spider", 104, -1, -1, 0},
     {}},
    {19, "Double Spiderette", true, 2,
     {10, 7, 36, 0, -1, 1, 1, 1, 2, 7},
     {8, 2, 0, 13, 0, 2330, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {11550, "Spider", 104, -1, -1, 0},
     {}},
    {20, "Double Statue", true, 2,
     {10, 1, 55, 0, 12, 1, 1, 0, 1, 10},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {21, "Double Tornado", true, 2,
     {10, 4, 60, 0, 12, 1, 8, 0, 2, 0},
     {8, 2, 0, 0, 0, 2680, 1115},
     {1, 2, 0, 0, 30}, {1, 1315}, {0, 0, -1},
     {11550, "", 104, -1, 0, 0},
     {}},
    {22, "Easthaven", false, 1,
     {7, 4, 21, 0, -1, 1, 0, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {23, "Eclipse", true, 1,
     {8, 1, 36, 0, 12, 1, 1, 0, 0, 0},
     {4, 2, 0, 0, 0, 4660, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {9220, "", 52, -1, 0, 0},
     {}},
    {24, "Excel", true, 1,
     {7, 16, 28, 0, 12, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {25, "Fan Klondike", true, 1,
     {10, 4, 28, 0, 12, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 8000, 1540},
     {0, 0, 0, 8000, 0}, {0, 0}, {0, 0, -1},
     {9065, "", 52, -1, 0, 0},
     {{{kHomeStartY, 0}, {kHomePileWidth, 4000}, {kHomePosWidth, 180}, {kHomeDiv, 2}, {kHomeDivWidth, 1490}, {kHomePileOrder, 2}, {kGoalStartY, 500}, {kGoalPileOrder, 3}, {kStockStartY, 500}, {kExtBaseY, 50}}}},
    {26, "Gargantua", false, 2,
     {9, 4, 55, 0, 12, 1, 1, 0, 2, 10},
     {8, 2, 0, 0, 0, 2530, 1115},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {11550, "", 104, 1, 0, 0},
     {{{kHomeStartX, 532}}}},
    {27, "Giant", false, 2,
     {8, 4, 8, 0, -1, 1, 0, 0, 2, 0},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10585, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {28, "Gipsy", true, 1,
     {9, 4, 32, 0, -1, 1, 13, 0, 2, 0},
     {4, 2, 0, 0, 0, 5825, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {10385, "", 52, -1, 0, 0},
     {}},
    {29, "Impact", true, 1,
     {7, 15, 28, 0, 12, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {30, "King Albert", false, 1,
     {9, 4, 52, 0, -1, 1, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 5825, 1165},
     {0, 0, 0, 5825, 0}, {0, 0}, {7, 7, -5},
     {10585, "", 52, -1, 0, 0},
     {{{kResStartY, 5760}, {kResPileWidth, 1165}}}},
    {31, "Klondike", false, 1,
     {7, 4, 28, 0, 12, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {32, "Klondike AK", true, 1,
     {7, 4, 28, 0, -1, 1, 1, 0, 2, 7},
     {4, 2, 4, 14, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "KlondikeAK", 52, -1, 0, 0},
     {}},
    {33, "Klondike Freecell", true, 1,
     {8, 4, 36, 0, -1, 1, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 5925, 1165},
     {1, 1, 0, 0, 30}, {1, 0}, {2, 0, -1},
     {10485, "Freecell", 52, -1, 0, 0},
     {{{kHomeStartX, 1265}, {kWasteStartY, 1640}, {kResStartX, 1265}, {kResPileWidth, 1165}}}},
    {34, "Klondike Reversed", false, 1,
     {7, 5, 28, 0, 0, 1, 1, 0, 2, 7},
     {4, 1, 4, 12, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {35, "Klondike Spider", true, 1,
     {8, 7, 36, 0, -1, 1, 1, 1, 2, 0},
     {4, 2, 0, 13, 0, 4660, 1165},
     {1, 1, 0, 0, 30}, {1, 1365}, {0, 0, -1},
     {9220, "Spider", 52, -1, -1, 0},
     {}},
    {36, "Ladder", true, 2,
     {8, 4, 104, 0, -1, 1, 0, 0, 2, 0},
     {8, 5, 0, 0, 0, 0, 1540},
     {0, 0, 0, 0, 0}, {0, 0}, {0, 0, -1},
     {11750, "", 104, -1, 0, 0},
     {{{kHomeStartX, 1265}, {kHomeStartY, 0}, {kGoalStartY, 500}, {kGoalDiv, 4}, {kGoalDivWidth, 10685}, {kGoalPileOrder, 3}, {kStockStartY, 500}}}},
    {37, "Lawn", true, 1,
     {7, 1, 28, 0, 12, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {38, "Mandate", true, 2,
     {16, 4, 104, 0, -1, 1, 0, 0, 2, 16},
     {8, 2, 0, 0, 0, 0, 1540},
     {0, 0, 0, 0, 0}, {0, 0}, {0, 0, -1},
     {11750, "", 104, -1, 0, 0},
     {{{kHomeStartX, 1265}, {kHomeStartY, 0}, {kHomePosWidth, 200}, {kHomeDiv, 8}, {kHomeDivWidth, 4000}, {kGoalStartY, 500}, {kGoalDiv, 4}, {kGoalDivWidth, 10685}, {kGoalPileOrder, 3}, {kStockStartY, 500}}}},
    {39, "Marathon", true, 2,
     {9, 4, 104, 0, -1, 1, 0, 0, 2, 0},
     {4, 5, 0, 0, 0, 10485, 0},
     {2, 1, 0, 0, 0}, {0, 0}, {0, 0, -1},
     {11550, "", 104, -1, 0, 4},
     {{{kHomeStartY, 0}, {kGoalStartY, 500}, {kGoalDiv, 1}, {kGoalDivWidth, 1540}}}},
    {40, "Milligan Harp", false, 2,
     {8, 4, 55, 0, -1, 1, 1, 0, 2, 8},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10585, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {41, "Morehead", false, 1,
     {10, 15, 28, 0, -1, 0, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {0, 0, 0, 3495, 30}, {0, 0}, {0, 0, -1},
     {11550, "", 52, -1, 0, 0},
     {}},
    {42, "Old Carlton", false, 2,
     {8, 4, 36, 0, -1, 1, 1, 9, 2, 0},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10585, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {43, "Open Klondike", true, 1,
     {7, 4, 28, 0, -1, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 3495, 1165},
     {3, 1, 1, 0, 30}, {0, 0}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {44, "Panorama", true, 2,
     {8, 4, 104, 0, -1, 1, 0, 0, 2, 24},
     {8, 5, 0, 0, 0, 0, 1540},
     {0, 0, 0, 0, 0}, {0, 0}, {0, 0, -1},
     {11750, "", 104, -1, 0, 0},
     {{{kHomeStartX, 1265}, {kHomeStartY, 0}, {kGoalStartY, 500}, {kGoalDiv, 4}, {kGoalDivWidth, 10685}, {kGoalPileOrder, 3}, {kStockStartY, 500}}}},
    {45, "Planet", true, 1,
     {7, 4, 28, 1, -1, 1, 1, 0, 2, 7},
     {4, 2, 1, 16, 1, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {46, "Raglan", false, 1,
     {9, 4, 45, 0, -1, 0, 1, 0, 2, 0},
     {4, 2, 4, 0, 0, 5825, 1165},
     {0, 0, 0, 5825, 0}, {0, 0}, {6, 6, -5},
     {10585, "", 52, -1, 0, 0},
     {{{kResStartX, 3495}, {kResStartY, 5760}, {kResPileWidth, 1165}}}},
    {47, "Sensation", true, 1,
     {7, 4, 28, 0, 12, 1, 7, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {48, "Simple Klondike", true, 1,
     {7, 4, 28, 0, 12, 1, 1, 9, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {49, "Simple Simon", false, 1,
     {10, 7, 36, 0, -1, 1, 7, 1, 2, 0},
     {4, 2, 0, 13, 0, 6990, 1165},
     {0, 0, 0, 6990, 0}, {0, 0}, {0, 0, -1},
     {11550, "Spider", 52, -1, -1, 0},
     {}},
    {50, "Somerset", false, 1,
     {10, 4, 52, 0, -1, 0, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 6990, 1165},
     {0, 0, 0, 6990, 0}, {0, 0}, {0, 0, -1},
     {11550, "", 52, -1, 0, 0},
     {}},
    {51, "Spiderette", false, 1,
     {7, 7, 36, 0, -1, 1, 1, 1, 2, 7},
     {4, 2, 0, 13, 0, 3495, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {8055, "Spider", 52, -1, -1, 0},
     {}},
    {52, "Splash", true, 1,
     {7, 4, 28, 0, 12, 1, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {53, "Steps", false, 2,
     {7, 4, 28, 0, -1, 1, 1, 0, 2, 7},
     {8, 2, 0, 0, 0, 2330, 1165},
     {1, 2, 0, 0, 30}, {1, 1165}, {0, 0, -1},
     {11550, "", 104, 1, 0, 0},
     {{{kHomeStartX, 1798}}}},
    {54, "Steve", false, 2,
     {8, 7, 36, 0, -1, 1, 1, 0, 2, 0},
     {8, 2, 0, 0, 0, 1265, 1165},
     {2, 1, 0, 0, 30}, {0, 0}, {0, 0, -1},
     {10585, "", 104, -1, 0, 0},
     {{{kHomeStartX, 632}}}},
    {55, "Stream", true, 1,
     {9, 4, 32, 0, -1, 1, 14, 0, 2, 0},
     {4, 2, 0, 0, 0, 5825, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {10385, "", 52, -1, 0, 0},
     {}},
    {56, "Stripped Klondike", true, 0,
     {5, 4, 20, 0, 12, 1, 1, 0, 2, 7},
     {2, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {5725, "", 26, -1, 0, 0},
     {}},
    {57, "Tornado", true, 1,
     {7, 4, 28, 0, 12, 1, 8, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {58, "Traffic", true, 1,
     {9, 4, 32, 0, -1, 1, 9, 0, 2, 0},
     {4, 2, 0, 0, 0, 5825, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {10385, "", 52, -1, 0, 0},
     {}},
    {59, "Vertical Klondike", true, 1,
     {5, 4, 28, 0, -1, 1, 1, 0, 2, 7},
     {4, 2, 0, 0, 0, 4260, 1165},
     {1, 2, 0, 5325, 30}, {1, 6590}, {0, 0, -1},
     {8820, "", 52, -1, 0, 0},
     {{{kHomeStartY, 0}, {kHomePileWidth, 1490}, {kHomePosWidth, 180}, {kHomeDiv, 5}, {kHomeDivWidth, 4500}, {kHomePileOrder, 3}, {kGoalStartY, 1990}, {kStockStartY, 3920}, {kWasteStartY, 3920}, {kExtBaseY, 50}}}},
    {60, "Westcliff", false, 1,
     {10, 4, 30, 0, -1, 1, 0, 0, 2, 10},
     {4, 2, 0, 0, 0, 6990, 1165},
     {1, 1, 0, 0, 30}, {1, 1165}, {0, 0, -1},
     {11550, "", 52, -1, 0, 0},
     {}},
    {61, "Whitehead", false, 1,
     {7, 4, 28, 0, -1, 1, 1, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {1, 1, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
    {62, "Whitehorse", false, 1,
     {7, 4, 7, 0, -1, 1, 0, 0, 2, 0},
     {4, 2, 0, 0, 0, 3495, 1165},
     {4, 2, 0, 0, 30}, {1, 1265}, {0, 0, -1},
     {8055, "", 52, -1, 0, 0},
     {}},
}};
// clang-format on

// Layout values a game uses unless its row says otherwise.
struct Layout {
    int16_t homeStartX = 0, homeStartY = 1640, homePileWidth = 1165, homePosWidth = 250, homeDiv = 20, homeDivWidth = 0;
    int32_t homePileOrder = 0;
    int16_t goalStartY = 0, goalPosWidth = 0, goalDiv = 20, goalDivWidth = 0;
    int32_t goalPileOrder = 0;
    int16_t stockPiles = 1, stockStartY = 0;
    int16_t wasteStartY = 0, wastePileWidth = 0, wasteCards = 0, wastePosWidth = 30;
    int16_t resStartX = 0, resStartY = 0, resPileWidth = 0, resPosWidth = 0, resDiv = 20, resDivWidth = 0;
    int32_t resPileOrder = 0;
    int16_t baseY = 200;
};

Layout layoutOf(const Row& row)
{
    Layout l;
    for (const Override& o : row.layout) {
        switch (o.field) {
        case kNone: break;
        case kHomeStartX: l.homeStartX = o.value; break;
        case kHomeStartY: l.homeStartY = o.value; break;
        case kHomePileWidth: l.homePileWidth = o.value; break;
        case kHomePosWidth: l.homePosWidth = o.value; break;
        case kHomeDiv: l.homeDiv = o.value; break;
        case kHomeDivWidth: l.homeDivWidth = o.value; break;
        case kHomePileOrder: l.homePileOrder = o.value; break;
        case kGoalStartY: l.goalStartY = o.value; break;
        case kGoalDiv: l.goalDiv = o.value; break;
        case kGoalDivWidth: l.goalDivWidth = o.value; break;
        case kGoalPileOrder: l.goalPileOrder = o.value; break;
        case kStockStartY: l.stockStartY = o.value; break;
        case kWasteStartY: l.wasteStartY = o.value; break;
        case kResStartX: l.resStartX = o.value; break;
        case kResStartY: l.resStartY = o.value; break;
        case kResPileWidth: l.resPileWidth = o.value; break;
        case kExtBaseY: l.baseY = o.value; break;
        }
    }
    return l;
}

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
    const Layout d;
    games.Res(0, 0, d.resStartX, d.resStartY, d.resPileWidth, d.resPosWidth, d.resDiv, d.resDivWidth, d.resPileOrder,
              -1);
    games.Waste(0, 0, d.wasteStartY, d.wastePileWidth, d.wasteCards, d.wastePosWidth);

    const Row* row = findRow(name);
    if (row == nullptr)
        return;

    const Layout l = layoutOf(*row);
    const auto& h = row->home;
    games.Home(h.piles, h.order, h.cards, h.ak, h.emptyNum, h.multiMove, l.homeStartX, l.homeStartY, l.homePileWidth,
               l.homePosWidth, l.homeDiv, l.homeDivWidth, l.homePileOrder, h.homeType, h.multiOrder, h.suitType,
               h.cardsOpen);
    const auto& g = row->goal;
    games.Goal(g.piles, g.order, g.cards, g.goalType, g.ak, g.startX, l.goalStartY, g.pileWidth, l.goalPosWidth,
               l.goalDiv, l.goalDivWidth, l.goalPileOrder);
    const auto& s = row->stock;
    games.Stock(l.stockPiles, s.stockMove, s.startX, l.stockStartY, s.posWidth, s.stockNum, s.stockType);
    if (row->waste.piles == 1)
        games.Waste(row->waste.piles, row->waste.startX, l.wasteStartY, l.wastePileWidth, l.wasteCards,
                    l.wastePosWidth);
    const auto& r = row->res;
    if (r.piles > 0)
        games.Res(r.piles, r.cards, l.resStartX, l.resStartY, l.resPileWidth, l.resPosWidth, l.resDiv, l.resDivWidth,
                  l.resPileOrder, r.resNum);
    const auto& e = row->ext;
    games.Ext(e.baseX, l.baseY, e.totalCards, e.redeals, QString::fromLatin1(e.tag), e.disAutoPlay, e.goalDiv);
}

} // namespace mKlondike
