#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

// The command-line tools of the program, which run without a display.
// Returns the exit code when the arguments asked for a tool, nothing when the
// program should start its window.
std::optional<int> RunCommandLineTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

// How the window starts: the options it knows and the saved game named on
// the command line (the rest of the arguments, blanks around it removed).
struct WindowOptions {
    bool noSplash = false;
    bool quitWhenReady = false;
    bool quitWhenSplashed = false;
    QString savedGame;
};
WindowOptions ReadWindowOptions(const QStringList& arguments);
