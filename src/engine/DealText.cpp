#include "engine/DealText.h"

#include "engine/Suits.h"
#include "engine/cPlay.h"
#include "rules/cGames.h"

QString CardText(const cPlay& play, int16_t mPicID)
{
    QString text;
    text += QLatin1Char(suits::kRankLetters.at(static_cast<size_t>(play.Num(mPicID))));
    text += QLatin1Char(suits::kLetters.at(static_cast<size_t>(play.Suit(mPicID))));
    return play.FaceMode(mPicID) == cPlay::kFaceUp ? text : QLatin1Char('(') + text + QLatin1Char(')');
}

QString DealText(const cGames& games, const cPlay& play, const QString& name, const GameNo& number)
{
    static const char* const kGroupWords[cPlay::kCells] = {"home", "stock", "waste", "foundation", "reserve"};

    QString text = name + QStringLiteral(" - ") + number.toString() + QLatin1Char('\n');
    text += QStringLiteral("suits: ");
    for (char letter : suits::kLetters)
        text += QLatin1Char(letter);
    text += QLatin1Char('\n');

    for (int16_t cell = 0; cell < cPlay::kCells; ++cell) {
        for (int16_t pile = 0; pile < games.Piles(cell); ++pile) {
            text += QLatin1String(kGroupWords[cell]) + QLatin1Char(' ') + QString::number(pile) + QLatin1Char(':');
            for (int16_t pos = 0; pos <= play.GetTop(cell, pile); ++pos)
                text += QLatin1Char(' ') + CardText(play, play.GetPicID(cell, pile, pos));
            text += QLatin1Char('\n');
        }
    }
    return text;
}
