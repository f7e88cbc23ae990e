#include "engine/ScratchTable.h"

#include "rules/mKlondike.h"

ScratchTable::ScratchTable(const QString& name)
{
    mKlondike::LoadGameDefinition(games, name);
    games.setRunningGameName(name);
}

ScratchTable::ScratchTable(const cGames& definition, const QString& name)
{
    games.copyDefinition(definition);
    games.setRunningGameName(name);
}

cPlay& ScratchTable::deal(const GameNo& number)
{
    play.ClearAll();
    play.Init(number);
    return play;
}
