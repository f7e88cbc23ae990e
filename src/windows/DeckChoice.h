#pragma once

#include "engine/SettingsStore.h"

#include <cstdint>

// The deck a stored deck number stands for. A number that names no deck of
// the library (a settings file edited by hand, or one written when there
// were more decks) means the default deck, as it does on the table.
inline int16_t usableDeck(int32_t deckIndex, int16_t deckCount)
{
    if (deckIndex >= 1 && deckIndex <= deckCount)
        return static_cast<int16_t>(deckIndex);
    return static_cast<int16_t>(settings::kDeckIndex.defaultValue);
}
