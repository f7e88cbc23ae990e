#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

// The command-line tools of the program, which run without a display.
// Returns the exit code when the arguments asked for a tool, nothing when the
// program should start its window.
std::optional<int> RunCommandLineTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
