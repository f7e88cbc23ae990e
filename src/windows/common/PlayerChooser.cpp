#include "windows/common/PlayerChooser.h"

#include "scores/Players.h"
#include "session/Shared.h"

#include <QComboBox>

namespace playerChooser {

void fill(QComboBox& chooser, const Players& players)
{
    chooser.clear();
    const QString current = players.CurrentPlayer();
    for (int16_t slot = 1; slot <= players.PlayerCount(); ++slot)
        chooser.addItem(players.PlayerName(slot));
    const int found = current.isEmpty() ? -1 : chooser.findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    chooser.setCurrentIndex(found >= 0 ? found : (chooser.count() > 0 ? 0 : -1));
}

void apply(const QComboBox& chooser, Shared& shared)
{
    if (chooser.currentIndex() < 0 || chooser.currentText().isEmpty())
        return;
    makeCurrent(chooser.currentText(), shared);
}

void makeCurrent(const QString& name, Shared& shared)
{
    Players players(shared.services.settings());
    if (name == players.CurrentPlayer())
        return;
    if (shared.gamePlay.Game_Status() == cGamePlay::kInProgress)
        shared.gamePlay.EndGame(false);
    players.SetCurrentPlayer(name);
}

} // namespace playerChooser
