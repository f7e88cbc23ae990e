#pragma once

#include <QString>
#include <QStringList>

class Shared;
class cData;

namespace mFile {
// Whether the path names a finished game (its extension, in any case).
bool IsFinishedFile(const QString& path, const cData& data);
// Count, then the saved games of the saved-games folder.
QStringList ListSavedGames(const cData& data);
// The folder the open and save dialogs start in: the last one used, or the
// saved-games folder when that one is gone.
QString SaveFolder(Shared& shared);
// Asks for a saved game and opens it; a file that is refused is neither
// listed nor remembered as the folder.
void OpenGameDialog(Shared& shared);
// Asks where to save the game on the table, with extension `ext`.
void SaveGameDialog(Shared& shared, const QString& ext);
} // namespace mFile
