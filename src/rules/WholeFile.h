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

// Writes `bytes` as the whole new content of `path`: into a temporary file
// beside it, every write checked and flushed to the disk, then renamed over
// the old file. Raises FileNotWritten (kPathFileAccess) when any step fails;
// then the old file is untouched and no temporary file is left behind.
// Every file the program writes whole goes through here.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// The text of a file's bytes: UTF-8, or Windows-1252 when they are not
// valid UTF-8 (files written by older programs or edited by hand).
QString DecodeFileText(const QByteArray& bytes);
