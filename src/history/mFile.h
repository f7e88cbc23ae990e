#pragma once

#include "engine/GameNo.h"
#include "history/cEngine.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Saved games: a text file of six header lines (game name, game number,
// time, moves, score, percentage) and one line of ten numbers per move in
// effect. Numbers are printed with a leading blank (or minus) and a trailing
// blank; lines end with CR LF.
namespace mFile {

struct GameSummary {
    QString gameName;
    GameNo gameNo;
    int32_t time = 0;
    int16_t moves = 0;
    int16_t score = 0;
    int16_t percentage = 0;
    // When the file was created, or last changed where the file system
    // keeps no creation time.
    QString fileDate;
};

struct GameFile {
    GameSummary summary;
    std::vector<cEngine::Transaction> records;
};

struct FavoriteRecord {
    QString gameName;
    GameNo gameNo;
    QString player;
    QString date;
};

// The largest file the readers accept: six header lines and 32767 moves,
// each line allowed 256 bytes. As written a move line takes at most 77
// (nine 16-bit numbers of seven characters, one 32-bit number of twelve,
// CR LF), so a file edited by hand with extra blanks still opens. A larger
// file is refused before it is read.
inline constexpr int64_t kMaxFileBytes = (6 + int64_t{cEngine::kMaxRecords}) * 256;

// " 12 ", "-3 ".
QString PrintNumber(int64_t n);
// A game number as line 2 holds it: printed when it is a number, as it is
// when it is text.
QString PrintGameNo(const GameNo& number);

// Reads a game file whole and checks it: an ordinary file no larger than
// kMaxFileBytes, the header, a catalogue game, a numeric game number, ten
// numbers per move, and moves that fit the deal when made again in order.
// Anything else raises a bad-file-format error whose description names the
// file and what is wrong; text it quotes from the file is cut short and
// shows unprintable characters escaped.
GameFile ReadGameFile(const QString& path);
// The header only, with the file's date.
GameSummary ReadGameSummary(const QString& path);
FavoriteRecord ReadFavoriteFile(const QString& path);
// Writes the file whole: an interrupted or failed write (a full disk)
// leaves any earlier file as it was, and a failure raises a path/file
// access error naming the file and the system's reason.
void WriteGameFile(const QString& path, const GameSummary& header, const std::vector<cEngine::Transaction>& records);

} // namespace mFile
