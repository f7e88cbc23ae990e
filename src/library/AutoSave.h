#pragma once

#include <QString>

class Services;
class cData;
class cEngine;

// Every game that ends is kept in the auto-save folder: a won game as a
// finished game, a game ended unfinished as an incomplete one, each under
// "name - number" and, when that is taken, "name - number-(1)", "-(2)", ...
class AutoSave {
public:
    AutoSave(Services& services, const cData& data, const cEngine& engine)
        : services_(services), data_(data), engine_(engine)
    {
    }

    // Saves the game on the table and gives the path it went to; nothing
    // (an empty path) when the player has switched that kind off in the
    // options.
    QString AutoSaveGame(bool finished);
    // Asks, then deletes every auto-saved game of the kind; false when the
    // player said No.
    bool EmptyAutoSaved(bool finished);

    // The first free path for a game in `folder`.
    static QString freePath(const QString& folder, const QString& gameName, const QString& gameNo,
                            const QString& extension);

private:
    Services& services_;
    const cData& data_;
    const cEngine& engine_;
};
