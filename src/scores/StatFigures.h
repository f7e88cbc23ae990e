#pragma once

#include "scores/cScore.h"

#include <QDate>
#include <QString>

#include <array>
#include <vector>

// The figures and texts the statistics windows show, worked out from the
// score store.
namespace statFigures {

// "Won", or "Lost" for anything but a won flag of 1.
QString statusText(const ScoreRec& record);
// A record's day in the system's short date form; its text as written when
// it is not a date.
QString dateText(const ScoreRec& record);
// W × 100 / P rounded to 2 decimals (halves to even), "66.67%"; 0 played
// counts as 1.
QString winningPercentage(int32_t won, int32_t played);
// W / P rounded to 2 decimals first, then × 100: "67%" for 2 of 3.
QString playerPercentage(int32_t won, int32_t played);

// Winning streaks: runs of consecutive won records. A streak runs through
// one player's records in the order their file holds them, never from one
// player's file into another's; a lost record ends it, a damaged line (not
// loaded) does not.
struct Streak {
    // The streak still running at the last record: 0 when that one was
    // lost. Over several players, the longest of theirs.
    int32_t current = 0;
    int32_t longest = 0;
};
// The streaks of one player, over every game.
Streak playerStreak(const cScore& score, const QString& player);
// The streaks in one game, over every player.
Streak gameStreak(const cScore& score, const QString& game);

// One line of the general statistics: a label and its value.
struct Line {
    QString label;
    QString value;
};
// Totals, averages and rates of the general statistics.
std::vector<Line> generalLines(const StatRec& stat);

// A choice of periods: the last n days, months or years.
struct PeriodChoice {
    const char* text;
    const char* key;
    // "d", "m" or "yyyy", as StatPeriod takes it.
    const char* unit;
    int periods;
    // The heading of the first column.
    const char* heading;
};
inline constexpr std::array<PeriodChoice, 6> kPeriodChoices{{
    {"Last 5 Days", "5d", "d", 5, "Day"},
    {"Last 10 Days", "10d", "d", 10, "Day"},
    {"Last 30 Days", "30d", "d", 30, "Day"},
    {"Last 5 Months", "5m", "m", 5, "Month"},
    {"Last 10 Months", "10m", "m", 10, "Month"},
    {"Last 5 Years", "5y", "yyyy", 5, "Year"},
}};
// One row per period, oldest first and today's last; periods before the
// first record hold zeros.
std::vector<PeriodStatRec> periodRows(const cScore& score, const QDate& today, const PeriodChoice& choice);

// The log's date filters.
struct LogChoice {
    const char* text;
    // Empty for "Show All".
    const char* key;
};
inline constexpr std::array<LogChoice, 7> kLogChoices{{
    {"Show Today", "t"},
    {"Last 3 Days", "3d"},
    {"Last 7 Days", "7d"},
    {"Last 30 Days", "30d"},
    {"Last 3 Months", "3m"},
    {"Last 5 Months", "5m"},
    {"Show All", ""},
}};
// Whether the log lists the record: an empty player or game takes every
// one; a date key counts calendar days or months back from today, and never
// takes a record dated after today or one without a readable date.
bool logShows(const ScoreRec& record, const QString& player, const QString& game, const QString& dateKey,
              const QDate& today);

} // namespace statFigures
