#pragma once

#include <QString>

class Services;
class cData;

// Favorites: bookmarks of deals, each a one-line file naming a game, its
// number, who added it and when, in the favorites folder or one of its
// first-level folders.
class Favorites {
public:
    // What a name typed for a favorite or a folder may not be.
    enum class NameCheck { Valid, Empty, BadCharacters, LeadingDot, Exists };
    enum class Kind { Favorite = 1, Folder = 2 };

    Favorites(Services& services, const cData& data) : services_(services), data_(data) {}

    // Writes a favorite of the deal on the table to `path`, replacing one
    // there; without a path, into the favorites folder under "name -
    // number". Gives the path written. A path outside the favorites folder,
    // or through a link in it, is refused.
    QString AddFavorite(const QString& path = QString());

    // Checks a name typed for a favorite or folder in `parent`, and tells
    // the player what is wrong with it; an empty name fails silently.
    bool ValidFavName(const QString& name, Kind kind, const QString& parent);
    NameCheck checkName(const QString& name, Kind kind, const QString& parent) const;
    // A name that cannot stand as a file name of its own: one of the nine
    // reserved characters, a control character, "." or "..", a blank or dot
    // at its end, or more than 200 characters.
    static bool unfitForFileName(const QString& name);
    // A name beginning with a dot makes a hidden file, which no list shows.
    static bool hiddenName(const QString& name);
    static QString hiddenNameText();

    // Deletes a folder of favorites with everything in it, only when it lies
    // inside the favorites folder; a link is removed, never followed. False
    // when nothing was deleted.
    bool deleteFolder(const QString& folder) const;
    // Whether the path lies inside the favorites folder, links resolved.
    bool insideFavorites(const QString& path) const;

private:
    Services& services_;
    const cData& data_;
};
