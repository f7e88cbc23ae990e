#pragma once

#include <QString>
#include <QStringList>

class cData;

// The folders of the game library as listing arrays: element 0 holds the
// count, elements 1 .. count the full paths. Entries come in name order,
// letter case aside, the way the folders have always listed on the
// player's desktop.
namespace Listings {

// The first-level folders of the favorites folder.
QStringList ListFavFolders(const cData& data);
// The files of one favorites folder (the root or a first-level folder).
QStringList ListFavFiles(const QString& folder);
// Every file of the pending folder, whatever its extension.
QStringList ListPending(const cData& data);
// The auto-saved games of one kind: finished games (FinExt) or incomplete
// ones (IncExt), the extension compared without regard to case. Other files
// in the folder belong to neither kind.
QStringList ListAutoSaved(const cData& data, bool finished);

} // namespace Listings
