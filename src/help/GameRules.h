#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class cGames;

// The program's built-in help text. The rules of every game are written from
// its definition in the catalogue, so they say what the table actually does:
// change a definition and its rules change with it. Pages are plain HTML with
// internal links "contents:" and "rules:ID" (ID = the catalogue id, 1..62).
namespace GameRules {

// The long product name the help and the About window show.
QString productName();

// Links between topics.
QString contentsLink();
QString rulesLink(int16_t gameId);

// The contents page: every game, a link to its rules, grouped into the
// standard and the original games and sorted by name within each group.
QString contentsHtml();

// The rules topic of the game with this catalogue id, and its title (the game
// name). An id outside the catalogue is a subscript-out-of-range error.
QString rulesHtml(int16_t gameId);
QString rulesTitle(int16_t gameId);

// What dealing a definition puts on the table before play (game number 1).
struct DealPlan {
    // Each tableau pile's cards, bottom first: true for a face-up card. Empty
    // when the pile sizes depend on the shuffle.
    std::vector<std::vector<bool>> home;
    bool homeVaries = false;
    int16_t foundationCards = 0;
    int16_t wasteCards = 0;
    int16_t reserveCards = 0;
    // Cards left in the stock once everything is dealt.
    int16_t stockCards = 0;
    // Cards one foundation holds.
    int16_t foundationCapacity = 13;
    // False when the deal would need more cards than the stock still holds.
    bool fits = true;
};
DealPlan planDeal(const cGames& games, const QString& name);

// One rules topic written from a loaded definition.
struct Topic {
    QString title;
    QString html;
    // Rules of the definition that the text could not put into words; the
    // page then says so instead of guessing. Empty for every catalogue game.
    QStringList unexplained;
};
Topic describe(const cGames& games, const QString& name, bool original);

} // namespace GameRules
