#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The pictures of the menus, the toolbar and the toolbar list, keyed by
// command key ("New", "Undo", ...), plus "Recent" for the recent-list
// headers, "Q1" for the entries of the list menus and "Folder" for folders.
//
// Pictures come from the Oxygen icon theme when it is installed (Debian
// package oxygen-icon-theme); a name the theme lacks, or a machine without
// the theme, gets a picture drawn here, so every key always has one.
class CommandIcons {
public:
    // The icon theme the program asks for first.
    static constexpr const char* kThemeName = "oxygen";

    // Every key with a picture.
    static QStringList keys();
    static bool hasIcon(const QString& key);

    // The picture of the key; a null icon for a key without one.
    static QIcon icon(const QString& key);
    // The drawn picture of the key, whatever the theme offers; a null icon
    // for a key without one.
    static QIcon drawnIcon(const QString& key);
    // The theme picture of the key, or a null icon when the theme lacks it.
    static QIcon themeIcon(const QString& key);

    // Makes the program's icon theme the current one when it is installed
    // (looking in the system's icon folders even without a desktop session).
    // True when the theme is in use. Safe to call repeatedly.
    static bool useTheme();
};
