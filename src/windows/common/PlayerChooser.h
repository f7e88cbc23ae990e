#pragma once

#include <QString>

class QComboBox;
class Players;
class Shared;

// The player choosers of the windows that start a game or show scores.
namespace playerChooser {

// One entry per player in slot order, the current player chosen (else the
// first).
void fill(QComboBox& chooser, const Players& players);
// Makes the player shown in a chooser the current player.
void apply(const QComboBox& chooser, Shared& shared);
// Makes `name` the current player. A game in progress is ended first when
// the player changes, so its result goes to the player who played it.
void makeCurrent(const QString& name, Shared& shared);

} // namespace playerChooser
