#pragma once

#include <memory>

class CardPictures;
class FaceDeck;
class SettingsStore;

// The face deck the player chose, kept as the "FaceDeck" setting: the path
// of a deck file or folder, empty for the drawn faces.
namespace faceDeckChoice {
// The stored deck, opened (it is parsed when first drawn); none for the
// drawn faces, and none, with a line in the log, when the stored deck has
// gone.
std::shared_ptr<FaceDeck> stored(const SettingsStore& settings);
// Gives `pictures` the stored deck, unless it has it already.
void apply(const SettingsStore& settings, CardPictures& pictures);
} // namespace faceDeckChoice
