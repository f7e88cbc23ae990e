#pragma once

#include "history/mFile.h"

#include <QString>

#include <optional>

class Services;
class cData;
class cEngine;

// The pending list: unfinished games put aside, each an incomplete-game file
// of the pending folder, named "name - number" and, when that is taken,
// "name - number - 1", " - 2", ...
namespace pendingList {

// Saves the game on the table under the first free name; gives its path.
QString SavePending(const Services& services, const cData& data, const cEngine& engine);
// The first free path for a game in `folder`.
QString freePath(const QString& folder, const QString& gameName, const QString& gameNo, const QString& extension);
// A pending file's name without its folder and last four characters.
QString displayName(const QString& path);
// The summary of a pending file; nothing when the file cannot be read.
std::optional<mFile::GameSummary> summaryOf(const QString& path);
// The menu caption: "Klondike - 42 (35% Completed)", or the display name
// and "(damaged)" for a file that cannot be read.
QString menuCaption(const QString& path);

} // namespace pendingList
