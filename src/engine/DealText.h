#pragma once

#include <QString>

class cGames;
class cPlay;
class GameNo;

// The table as text: a title line, the suit letters, then one line per pile
// the game has (home, stock, waste, foundation, reserve), cards from bottom
// to top, face-down cards in parentheses. Used by the command line and by
// tests that compare whole tables.
QString DealText(const cGames& games, const cPlay& play, const QString& name, const GameNo& number);

// One card as text: rank and suit letter, e.g. "TH", or "(TH)" face down.
QString CardText(const cPlay& play, int16_t mPicID);
