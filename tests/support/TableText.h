#pragma once

#include "engine/cPlay.h"

#include <QString>

// Where every card of the table lies and how it faces, as one line of text.
inline QString tableText(const cPlay& play)
{
    QString text;
    for (int16_t j = 0; j < play.CardCount(); ++j)
        text += QStringLiteral("%1:%2/%3/%4/%5 ")
                    .arg(j)
                    .arg(play.Cell(j))
                    .arg(play.Pile(j))
                    .arg(play.Pos(j))
                    .arg(play.FaceMode(j));
    return text;
}
