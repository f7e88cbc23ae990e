#pragma once

#include "rules/RunTimeError.h"

#include <QByteArray>
#include <QString>

// A file could not be written whole. The file that was there before is
// kept as it was. The description names the file and the system's reason.
class FileNotWritten : public RunTimeError {
public:
    FileNotWritten(const QString& path, const QString& reason);

    const QString& path() const { return path_; }
    // The system's words for the player: "No space left on device".
    const QString& reason() const { return reason_; }

private:
    QString path_;
    QString reason_;
};

// Whether anything stands at `path`: a file, a folder, or a link, even one
// whose target is missing (QFileInfo::exists() follows links and says no).
// A name is free for a new file only when nothing stands there.
bool PathTaken(const QString& path);

// What keeps the program from writing, moving or deleting `path`: "it is a
// link", "the folder "F" is a link" for a folder on the way down from `root`
// to it, or "it lies outside "R"". Empty when nothing does. Without a root
// only the entry itself is looked at. With `entryMayBeLink` the entry itself
// may be a link: it is moved or deleted as an entry, never followed.
QString LinkInTheWay(const QString& path, const QString& root = QString(), bool entryMayBeLink = false);

// Writes `bytes` as the whole new content of `path`: into a temporary file
// beside it, every write checked and flushed to the disk, then renamed over
// the old file. Raises FileNotWritten (kPathFileAccess) when any step fails;
// then the old file is untouched and no temporary file is left behind.
// A link is never written through, since that would put the file wherever
// the link points: a path that is a link (a dangling one too), or that
// passes through a linked folder below `root`, is refused the same way.
// Every file the program writes whole goes through here.
void WriteWholeFile(const QString& path, const QByteArray& bytes, const QString& root = QString());

// Adds `bytes` to the end of `path` (created when missing) in one write,
// flushed to the disk. A link is refused as WriteWholeFile refuses it.
// Raises FileNotWritten.
void AppendToFile(const QString& path, const QByteArray& bytes);

// Deletes the file (or empty folder, or link) at `path`; a link is removed
// as an entry, never followed. Raises RunTimeError (kPathFileAccess) when a
// folder on the way down from `root` is a link or the path lies outside it.
// True when nothing stands at `path` any more, false when the system refused.
bool RemoveFile(const QString& path, const QString& root = QString());

// Moves or renames the entry at `from` to `to` (a link moves as a link).
// Raises RunTimeError (kPathFileAccess) when a folder on either way down
// from `root` is a link, a path lies outside it, or something stands at `to`
// already, a link included. False when the system refused.
bool MoveFile(const QString& from, const QString& to, const QString& root = QString());

// The text of a file's bytes: UTF-8, or Windows-1252 when they are not
// valid UTF-8 (files written by older programs or edited by hand).
QString DecodeFileText(const QByteArray& bytes);
