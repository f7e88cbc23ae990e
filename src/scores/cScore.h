#pragma once

#include "engine/GameNo.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class Services;
class cData;
class cEngine;

// One played game as the score files keep it.
struct ScoreRec {
    // When the game ended, as written in the file.
    QString Date;
    QString GameName;
    // A number, or a text when the game was started from a name and number.
    GameNo gameNo;
    int32_t Time = 0;
    int32_t Moves = 0;
    int32_t Score = 0;
    // 1 won, 0 not.
    int16_t Won = 0;
    // Not in the file: the owner of the file it was read from, or the
    // current player for a game of this session.
    QString Player;
    // The calendar day of Date; invalid when Date cannot be read as a date.
    QDate day;

    bool isEmpty() const { return GameName.isEmpty() && Date.isEmpty() && Player.isEmpty(); }
};

// Totals over some of the records.
struct StatRec {
    int32_t Played = 0;
    int32_t Won = 0;
    int32_t Lost = 0;
    int32_t Score = 0;
    int32_t Moves = 0;
    int32_t Time = 0;
};

// Totals over one day, month or year, with a label for it.
struct PeriodStatRec {
    int32_t Played = 0;
    int32_t Won = 0;
    int32_t Lost = 0;
    QString Label;
    int32_t Score = 0;
    int32_t Moves = 0;
    int32_t Time = 0;
};

// Time in seconds as the program shows it everywhere: hours in full, then
// minutes and seconds with two digits ("0:01:05", "61:02:03").
QString timeText(int64_t seconds);

// The results of played games. Each game that ends is appended to the
// current player's score file, and counted in the session list while the
// program runs. The statistics load the files into memory (the loaded list),
// ask for totals and for ranked top-20 lists (the top list), then close them.
// It also clears every statistic and writes the statistics report.
class cScore {
public:
    static constexpr int16_t kTopSlots = 20;
    // The longest time in seconds a record may hold: a year of play. No
    // game runs that long, and the 32-bit totals hold 67 of them.
    static constexpr int32_t kLongestTime = 366 * 24 * 3600;

    // The game's figures come from the session of `services` and the move
    // count of `engine`.
    cScore(Services& services, const cData& data, const cEngine& engine);

    // The current game, ended now, appended to the current player's score
    // file in one write that is flushed to the disk. A file that cannot be
    // written raises FileNotWritten; the file keeps what it had.
    void AddScore(int16_t won);
    // The current game counted in this session's list.
    void AddSesGame(int16_t won);

    // Adds the records of a player's score file to the loaded list. Lines
    // that cannot be read, lines far longer than a record and records with
    // figures no game can have are skipped and counted; a missing file adds
    // nothing. Lines may end with CR LF, LF or CR.
    void OpenScore(const QString& player);
    // Loads the files of every player, in the player list's order.
    void OpenAllScore();
    void CloseScore();
    // Lines skipped as unreadable since the list was last closed.
    int32_t skippedLines() const { return skipped_; }

    int32_t ScoreTop() const { return static_cast<int32_t>(loaded_.size()); }
    int16_t SesTop() const { return static_cast<int16_t>(session_.size()); }
    // Positions count from 1; outside the list is an error.
    const ScoreRec& GetScore(int32_t position) const;
    // The n-th loaded record of that game; an empty record when there are
    // fewer.
    ScoreRec GetGameScore(const QString& gameName, int32_t n) const;
    // Slots 0 .. 20; slot 0 is always empty.
    const ScoreRec& GetTopEntry(int16_t slot) const;
    const ScoreRec& GetSesGame(int32_t position) const;

    StatRec StatAll() const;
    StatRec StatGame(const QString& gameName) const;
    StatRec StatPlayer(const QString& player) const;
    StatRec StatSession() const;
    // The records of the same calendar day ("d"), month ("m") or year
    // ("yyyy") as `reference`.
    PeriodStatRec StatPeriod(const QDate& reference, const QString& unit) const;

    // The top list by score, highest first; a later record ranks above an
    // earlier one with the same score. Empty names select every game or
    // player.
    void Sort(const QString& gameName, const QString& player, bool wonOnly);
    // The top list of won games by least time or least moves (moves when
    // both are asked for; nothing when neither is).
    void FinSort(bool byTime, bool byMoves);

    // Asks, then deletes every player's score file.
    void ClearStat();
    // Asks for a file and writes the statistics report there.
    void ExportStat();
    // Writes the report of every player's file to `path` whole; the loaded
    // list is left as it was. Raises FileNotWritten when it cannot be
    // written.
    void writeReport(const QString& path);
    // Lines the last report left out because they could not be read.
    int32_t reportSkippedLines() const { return lastSkipped_; }
    // The report of the loaded list, lines ended by CR LF.
    QString reportText() const;

    // The file form of a record: one line without its ending.
    static QString formatLine(const ScoreRec& record);
    // Nothing when the line is not a record, or its time, moves or score
    // are none a game can have.
    static std::optional<ScoreRec> parseLine(QStringView line);
    // How a record's date is written: "2026-12-08 17:05:09", local time.
    static QString dateText(const QDateTime& when);
    // The day of a record's date, in the form above or in the system's own
    // short or long form (files written before); invalid when it is none
    // of these.
    static QDate readDate(const QString& text);

private:
    ScoreRec currentGame(int16_t won) const;
    template <typename Match> StatRec total(const std::vector<ScoreRec>& list, Match match) const;

    Services& services_;
    const cData& data_;
    const cEngine& engine_;
    std::vector<ScoreRec> loaded_;
    std::vector<ScoreRec> session_;
    std::array<ScoreRec, kTopSlots + 1> top_{};
    int32_t skipped_ = 0;
    int32_t lastSkipped_ = 0;
};
