#include "scores/StatFigures.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace statFigures {

namespace {

// A number rounded to 2 decimals, halves to even, written without trailing
// zeros: "66.67", "12.5", "0".
QString twoDecimals(double value)
{
    const double hundredths = std::nearbyint(value * 100.0);
    QString text = QString::number(hundredths / 100.0, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

int64_t atLeastOne(int64_t value) { return value == 0 ? 1 : value; }

// T / P to the nearest whole number, halves to even.
int64_t roundedQuotient(int64_t total, int64_t count)
{
    return static_cast<int64_t>(std::nearbyint(static_cast<double>(total) / static_cast<double>(count)));
}

// The streaks over the loaded records that `match` takes, counted apart for
// each player.
template <typename Match> Streak streakOf(const cScore& score, Match match)
{
    QHash<QString, int32_t> running;
    Streak streak;
    for (int32_t position = 1; position <= score.ScoreTop(); ++position) {
        const ScoreRec& r = score.GetScore(position);
        if (!match(r))
            continue;
        int32_t& run = running[r.Player];
        run = r.Won == 1 ? run + 1 : 0;
        streak.longest = std::max(streak.longest, run);
    }
    for (const int32_t run : std::as_const(running))
        streak.current = std::max(streak.current, run);
    return streak;
}

} // namespace

Streak playerStreak(const cScore& score, const QString& player)
{
    return streakOf(score, [&](const ScoreRec& r) { return r.Player == player; });
}

Streak gameStreak(const cScore& score, const QString& game)
{
    return streakOf(score, [&](const ScoreRec& r) { return r.GameName == game; });
}

QString statusText(const ScoreRec& record) { return record.Won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost"); }

QString dateText(const ScoreRec& record)
{
    return record.day.isValid() ? QLocale().toString(record.day, QLocale::ShortFormat) : record.Date;
}

QString winningPercentage(int32_t won, int32_t played)
{
    return twoDecimals(won * 100.0 / static_cast<double>(atLeastOne(played))) + QLatin1Char('%');
}

QString playerPercentage(int32_t won, int32_t played)
{
    const double ratio = std::nearbyint(won / static_cast<double>(atLeastOne(played)) * 100.0) / 100.0;
    return twoDecimals(ratio * 100.0) + QLatin1Char('%');
}

std::vector<Line> generalLines(const StatRec& s)
{
    const int64_t played = atLeastOne(s.Played);
    const int64_t seconds = atLeastOne(s.Time);
    const auto number = [](int64_t n) { return QString::number(n); };
    return {
        {QStringLiteral("Games Played : "), number(s.Played)},
        {QStringLiteral("Games Won : "), number(s.Won)},
        {QStringLiteral("Games Lost : "), number(s.Lost)},
        {QStringLiteral("Total Moves : "), number(s.Moves)},
        {QStringLiteral("Total Score : "), number(s.Score)},
        {QStringLiteral("Total Time : "), timeText(s.Time)},
        {QStringLiteral("Moves Per Game : "), number(s.Moves / played)},
        {QStringLiteral("Score Per Game : "), number(s.Score / played)},
        {QStringLiteral("Time Per Game : "), timeText(roundedQuotient(s.Time, played))},
        {QStringLiteral("Games Per Hour : "), number(int64_t{s.Played} * 3600 / seconds)},
        {QStringLiteral("Moves Per Hour : "), number(int64_t{s.Moves} * 3600 / seconds)},
        {QStringLiteral("Score Per Hour : "), number(int64_t{s.Score} * 3600 / seconds)},
        {QStringLiteral("Winning Percentage : "), winningPercentage(s.Won, s.Played)},
    };
}

std::vector<PeriodStatRec> periodRows(const cScore& score, const QDate& today, const PeriodChoice& choice)
{
    const QString unit = QLatin1String(choice.unit);
    std::vector<PeriodStatRec> rows;
    for (int k = -(choice.periods - 1); k <= 0; ++k) {
        const QDate reference = unit == QLatin1String("d")   ? today.addDays(k)
                                : unit == QLatin1String("m") ? today.addMonths(k)
                                                             : today.addYears(k);
        rows.push_back(score.StatPeriod(reference, unit));
    }
    return rows;
}

bool logShows(const ScoreRec& record, const QString& player, const QString& game, const QString& dateKey,
              const QDate& today)
{
    if (!player.isEmpty() && record.Player != player)
        return false;
    if (!game.isEmpty() && record.GameName != game)
        return false;
    if (dateKey.isEmpty())
        return true;
    if (!record.day.isValid())
        return false;
    const int64_t days = record.day.daysTo(today);
    if (days < 0)
        return false;
    const int months = (today.year() - record.day.year()) * 12 + today.month() - record.day.month();
    if (dateKey == QLatin1String("t"))
        return days == 0;
    if (dateKey.endsWith(QLatin1Char('d')))
        return days <= dateKey.chopped(1).toInt();
    if (dateKey.endsWith(QLatin1Char('m')))
        return months <= dateKey.chopped(1).toInt();
    return true;
}

} // namespace statFigures
