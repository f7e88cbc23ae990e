#pragma once

#include "rules/BuildOrder.h"
#include "rules/RuleCodes.h"

#include <QString>

#include <array>
#include <cstdint>

class ClosedCardsSource;

// The definition of the game being played: five pile groups addressed by cell
// number (0 home, 1 stock, 2 waste, 3 foundations, 4 reserve) and the
// game-wide rule codes. The catalogue fills it through the six setters before
// every deal; the play table reads it all game long.
class cGames {
public:
    struct Point {
        int16_t x = 0;
        int16_t y = 0;
        bool operator==(const Point&) const = default;
    };

    cGames() = default;
    cGames(const cGames&) = delete;
    cGames& operator=(const cGames&) = delete;

    // What the layout is centred on and laid out for: the screen's width in
    // twips (1024 pixels until the main window measures the real screen),
    // and the name of the game being played ("Petal" fans its home piles
    // differently).
    void setScreenWidth(int32_t twips) { screenWidth_ = twips; }
    int32_t screenWidth() const { return screenWidth_; }
    void setRunningGameName(const QString& name) { runningGameName_ = name; }

    // Supplies the face-down card counts of the home piles for the layout.
    void setClosedCardsSource(const ClosedCardsSource* source) { closedCards_ = source; }
    // Takes another definition's rules and layout whole, as if the same
    // game had been loaded here.
    void copyDefinition(const cGames& other) { d_ = other.d_; }

    // Setters, parameters in the order the catalogue passes them.
    void Home(int16_t piles, int32_t order, int16_t cards, int16_t ak, int16_t emptyNum, int16_t multiMove,
              int16_t startX, int16_t startY, int16_t pileWidth, int16_t posWidth, int16_t div, int16_t divWidth,
              int32_t pileOrder, int32_t cHomeType, int32_t cMultiOrder, int32_t suitType, int16_t cCardsOpen);
    void Stock(int16_t piles, int32_t stockMove, int16_t startX, int16_t startY, int16_t posWidth, int16_t stockNum,
               int32_t stockType);
    void Waste(int16_t piles, int16_t startX, int16_t startY, int16_t pileWidth, int16_t cards, int16_t posWidth);
    void Goal(int16_t piles, int32_t order, int16_t cards, int32_t goalType, int16_t ak, int16_t startX, int16_t startY,
              int16_t pileWidth, int16_t posWidth, int16_t div, int16_t divWidth, int32_t pileOrder);
    void Res(int16_t piles, int16_t cards, int16_t startX, int16_t startY, int16_t pileWidth, int16_t posWidth,
             int16_t div, int16_t divWidth, int32_t pileOrder, int16_t cResNum);
    void Ext(int16_t baseX, int16_t baseY, int16_t cards, int16_t cRedeals, const QString& tag, int16_t cDisAutoPlay,
             int16_t goalDiv);

    // Group getters; a cell outside 0..5 is a subscript-out-of-range error.
    int16_t Piles(int16_t cell) const { return group(cell).piles; }
    int16_t Cards(int16_t cell) const;
    int16_t AK(int16_t cell) const { return group(cell).ak; }
    int32_t Order(int16_t cell, int16_t pile) const
    {
        const Group& g = group(cell);
        // In the Ace-King games the upper half of the foundations builds down.
        if (cell == Cell::Foundation && d_.aceKingFoundations && pile >= g.piles / 2.0)
            return BuildOrder::DownSameSuit;
        return g.order;
    }
    int16_t StartX(int16_t cell) const;
    int16_t StartY(int16_t cell) const;
    int16_t PileWidth(int16_t cell) const;
    int16_t PosWidth(int16_t cell) const;
    int16_t Div(int16_t cell) const;
    int16_t DivWidth(int16_t cell) const;
    int32_t PileOrder(int16_t cell) const;

    // Game-wide getters.
    int32_t GoalType() const { return d_.goalType; }
    int16_t MultiMove() const { return d_.multiMove != 0 ? -1 : 0; }
    int32_t StockType() const { return d_.stockType; }
    int32_t StockMove() const { return d_.stockMove; }
    const QString& Tag() const { return d_.tag; }
    // The tag is "Spider": completed runs are cleared to the foundations.
    bool spiderRules() const { return d_.spiderRules; }
    int32_t HomeType() const { return d_.homeType; }
    int32_t HomePileOrder() const { return d_.groups[Cell::Home].pileOrder; }
    int32_t MultiOrder() const { return d_.multiOrder != 0 ? d_.multiOrder : d_.groups[Cell::Home].order; }
    int32_t SuitType() const { return d_.suitType; }
    int16_t TotalCards() const { return d_.totalCards; }
    int16_t BaseX() const { return d_.baseX; }
    int16_t BaseY() const { return d_.baseY; }
    int16_t DisAutoPlay() const { return d_.disAutoPlay; }
    int16_t EmptyNum() const { return d_.emptyNum; }
    int16_t CardsOpen() const { return d_.cardsOpen; }
    int16_t StockNum() const { return d_.stockNum; }
    int16_t GoalDiv() const { return d_.goalDiv; }
    int16_t ResNum() const { return d_.resNum; }
    int16_t Redeals() const { return d_.redeals; }

    // Rewritten by the engine during play.
    void setEmptyNum(int16_t value) { d_.emptyNum = value; }
    void setStockNum(int16_t value) { d_.stockNum = value; }

    // Where the card at (cell, pile, pos) lies relative to the layout origin,
    // and its left and top edge on the play surface, in twips.
    Point LayoutPos(int16_t cell, int16_t pile, int16_t pos) const;
    int16_t GetCordX(int16_t cell, int16_t pile, int16_t pos) const;
    int16_t GetCordY(int16_t cell, int16_t pile, int16_t pos) const;
    // Both edges at once, from one layout computation.
    Point cord(int16_t cell, int16_t pile, int16_t pos) const;

private:
    struct Group {
        int16_t piles = 0;
        int16_t cards = 0;
        int32_t order = 0;
        int16_t ak = 0;
        int16_t startX = 0;
        int16_t startY = 0;
        int16_t pileWidth = 0;
        int16_t posWidth = 0;
        int16_t div = 0;
        int16_t divWidth = 0;
        int32_t pileOrder = 0;
    };

    const Group& group(int16_t cell) const
    {
        if (cell < 0 || cell >= static_cast<int16_t>(d_.groups.size()))
            outOfRange();
        return d_.groups[static_cast<size_t>(cell)];
    }
    [[noreturn]] static void outOfRange();
    int16_t closedCards(int16_t pile) const;

    int32_t screenWidth_ = 15360;
    QString runningGameName_;
    const ClosedCardsSource* closedCards_ = nullptr;
    // Everything a definition sets; copyDefinition takes it whole.
    struct Definition {
        // Slot 5 is never filled and reads as all zeros.
        std::array<Group, 6> groups{};

        int32_t goalType = 0;
        int16_t emptyNum = 0;
        int16_t resNum = 0;
        int16_t multiMove = 0;
        int16_t redeals = 0;
        int32_t stockType = 0;
        int32_t stockMove = 0;
        int32_t homeType = 0;
        int32_t multiOrder = 0;
        int32_t suitType = 0;
        QString tag;
        // What the tag switches on, worked out once.
        bool aceKingFoundations = false;
        bool spiderRules = false;
        int16_t cardsOpen = 0;
        int16_t totalCards = 0;
        int16_t baseX = 0;
        int16_t baseY = 0;
        int16_t disAutoPlay = 0;
        int16_t stockNum = 0;
        int16_t goalDiv = 0;
    };
    Definition d_;
};
