#include "scores/cScore.h"

#include "data/cData.h"
#include "engine/Services.h"
#include "history/cEngine.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "scores/Players.h"
#include "settings/LineReader.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kFields = 7;
constexpr int kZoneWidth = 14;
// Far more than the longest record: a date, a game's name, a game number
// printed in full and four figures.
constexpr qsizetype kLongestLine = 16 * 1024;

void addChecked(int32_t& sum, int32_t value)
{
    if (__builtin_add_overflow(sum, value, &sum))
        throw RunTimeError::overflow();
}

void count(StatRec& stat, const ScoreRec& r)
{
    addChecked(stat.Played, 1);
    if (r.Won == 1)
        addChecked(stat.Won, 1);
    addChecked(stat.Score, r.Score);
    addChecked(stat.Moves, r.Moves);
    addChecked(stat.Time, r.Time);
}

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// A field of a line: its text, and whether it stood in quotes.
struct Field {
    QString text;
    bool quoted = false;
};

// Splits at commas outside double quotes; a doubled quote inside quotes is
// one quote. Nothing when a quote is left open or stray text follows one.
std::optional<std::vector<Field>> splitFields(QStringView line)
{
    std::vector<Field> fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        Field field;
        if (i < n && line[i] == QLatin1Char('"')) {
            field.quoted = true;
            ++i;
            while (true) {
                const qsizetype quote = line.indexOf(QLatin1Char('"'), i);
                if (quote < 0)
                    return std::nullopt;
                field.text += line.mid(i, quote - i);
                i = quote + 1;
                if (i < n && line[i] == QLatin1Char('"')) {
                    field.text += QLatin1Char('"');
                    ++i;
                    continue;
                }
                break;
            }
            if (i < n && line[i] != QLatin1Char(','))
                return std::nullopt;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
            field.text = line.mid(start, i - start).toString();
        }
        fields.push_back(std::move(field));
        if (i >= n)
            return fields;
        ++i; // the comma
        if (fields.size() > kFields)
            return std::nullopt;
    }
}

std::optional<int32_t> wholeNumber(const QString& text)
{
    bool ok = false;
    const int32_t value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int32_t>(value) : std::nullopt;
}

// Two digits at `at`, or -1.
int digits2(QStringView text, qsizetype at)
{
    const QChar a = text[at];
    const QChar b = text[at + 1];
    if (!a.isDigit() || !b.isDigit())
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

// A line of the report in print zones 14 characters wide: `next()` goes on
// at the start of the next zone after the current position.
class ReportLine {
public:
    ReportLine& text(const QString& item)
    {
        line_ += item;
        return *this;
    }
    // A number between a sign place (a blank, or "-") and a blank.
    ReportLine& number(int64_t value) { return signedNumber(value < 0, QString::number(value < 0 ? -value : value)); }
    // A game number: a number is written as every number of the report is,
    // a text as it stands.
    ReportLine& number(const GameNo& value)
    {
        if (value.isText())
            return text(value.toString());
        const double n = value.toNumber();
        return signedNumber(n < 0, GameNo(std::fabs(n)).toString());
    }
    ReportLine& next()
    {
        const qsizetype zoneStart = (line_.size() / kZoneWidth + 1) * kZoneWidth;
        line_ += QString(zoneStart - line_.size(), QLatin1Char(' '));
        return *this;
    }
    // Items each in its own zone.
    ReportLine& zones(std::initializer_list<const char*> items)
    {
        bool first = true;
        for (const char* item : items) {
            if (!first)
                next();
            first = false;
            text(QLatin1String(item));
        }
        return *this;
    }
    void endInto(QString& out)
    {
        out += line_;
        out += QLatin1String("\r\n");
        line_.clear();
    }

private:
    ReportLine& signedNumber(bool negative, const QString& digits)
    {
        line_ += negative ? QLatin1Char('-') : QLatin1Char(' ');
        line_ += digits;
        line_ += QLatin1Char(' ');
        return *this;
    }

    QString line_;
};

void blankLine(QString& out) { out += QLatin1String(" \r\n"); }

void writeLine(QString& out, const QString& text)
{
    out += text;
    out += QLatin1String("\r\n");
}

} // namespace

QString timeText(int64_t seconds)
{
    if (seconds < 0)
        return QLatin1Char('-') + timeText(-seconds);
    const int64_t s = seconds % 60;
    const int64_t m = (seconds / 60) % 60;
    const int64_t h = seconds / 3600;
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

cScore::cScore(Services& services, const cData& data, const cEngine& engine)
    : services_(services), data_(data), engine_(engine)
{
}

ScoreRec cScore::currentGame(int16_t won) const
{
    const PlaySession& session = services_.session();
    ScoreRec r;
    r.GameName = session.GameName();
    r.gameNo = session.gameNo();
    r.Time = session.Time();
    r.Moves = engine_.GetTransID();
    r.Score = session.Score();
    r.Won = won;
    r.Player = Players(services_.settings()).CurrentPlayer();
    return r;
}

void cScore::AddScore(int16_t won)
{
    ScoreRec r = currentGame(won);
    r.Date = dateText(services_.clock().now());
    const QString path = Players::ScoreFile(data_, r.Player);
    // One write, on the disk before the game is forgotten; never through a
    // link.
    AppendToFile(path, (formatLine(r) + QLatin1String("\r\n")).toUtf8());
}

void cScore::AddSesGame(int16_t won)
{
    if (session_.size() >= static_cast<size_t>(INT16_MAX))
        throw RunTimeError::overflow();
    session_.push_back(currentGame(won));
}

void cScore::OpenScore(const QString& player)
{
    QFile file(Players::ScoreFile(data_, player));
    if (!file.exists())
        return;
    const auto unreadable = [&] {
        return RunTimeError(
            RunTimeError::kPathFileAccess,
            QStringLiteral("The score file \"%1\" could not be read: %2").arg(file.fileName(), file.errorString()));
    };
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable();
    // Line by line, so that a file that is not a score file, or one whose
    // line ends were lost, costs no more memory than a line.
    LineReader lines(file, kLongestLine);
    QString line;
    for (LineReader::Read read; (read = lines.next(line)) != LineReader::Read::End;) {
        if (read == LineReader::Read::TooLong) {
            ++skipped_;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        std::optional<ScoreRec> record = parseLine(line);
        if (!record) {
            ++skipped_;
            continue;
        }
        record->Player = player;
        loaded_.push_back(std::move(*record));
    }
    if (lines.failed())
        throw unreadable();
}

void cScore::OpenAllScore()
{
    loaded_.clear();
    const Players players(services_.settings());
    const int16_t total = players.PlayerCount();
    for (int16_t slot = 1; slot <= total; ++slot)
        OpenScore(players.PlayerName(slot));
}

void cScore::CloseScore()
{
    loaded_.clear();
    top_.fill(ScoreRec{});
    skipped_ = 0;
}

const ScoreRec& cScore::GetScore(int32_t position) const
{
    if (position < 1 || position > ScoreTop())
        throw RunTimeError::subscript();
    return loaded_[static_cast<size_t>(position - 1)];
}

ScoreRec cScore::GetGameScore(const QString& gameName, int32_t n) const
{
    int32_t seen = 0;
    for (const ScoreRec& r : loaded_)
        if (r.GameName == gameName && ++seen == n)
            return r;
    return {};
}

const ScoreRec& cScore::GetTopEntry(int16_t slot) const
{
    if (slot < 0 || slot > kTopSlots)
        throw RunTimeError::subscript();
    return top_[static_cast<size_t>(slot)];
}

const ScoreRec& cScore::GetSesGame(int32_t position) const
{
    if (position < 1 || position > SesTop())
        throw RunTimeError::subscript();
    return session_[static_cast<size_t>(position - 1)];
}

template <typename Match> StatRec cScore::total(const std::vector<ScoreRec>& list, Match match) const
{
    StatRec stat;
    for (const ScoreRec& r : list)
        if (match(r))
            count(stat, r);
    stat.Lost = stat.Played - stat.Won;
    return stat;
}

StatRec cScore::StatAll() const
{
    return total(loaded_, [](const ScoreRec&) { return true; });
}

StatRec cScore::StatGame(const QString& gameName) const
{
    return total(loaded_, [&](const ScoreRec& r) { return r.GameName == gameName; });
}

StatRec cScore::StatPlayer(const QString& player) const
{
    return total(loaded_, [&](const ScoreRec& r) { return r.Player == player; });
}

StatRec cScore::StatSession() const
{
    return total(session_, [](const ScoreRec&) { return true; });
}

PeriodStatRec cScore::StatPeriod(const QDate& reference, const QString& unit) const
{
    PeriodStatRec period;
    const QLocale locale;
    std::function<bool(const QDate&)> same;
    if (unit == QLatin1String("d")) {
        period.Label = locale.toString(reference, QStringLiteral("MMM dd"));
        same = [&](const QDate& day) { return day == reference; };
    } else if (unit == QLatin1String("m")) {
        period.Label = locale.toString(reference, QStringLiteral("MMM yy"));
        same = [&](const QDate& day) { return day.year() == reference.year() && day.month() == reference.month(); };
    } else if (unit == QLatin1String("yyyy")) {
        period.Label = locale.toString(reference, QStringLiteral("yyyy"));
        same = [&](const QDate& day) { return day.year() == reference.year(); };
    } else {
        return period;
    }
    const StatRec stat = total(loaded_, [&](const ScoreRec& r) { return r.day.isValid() && same(r.day); });
    period.Played = stat.Played;
    period.Won = stat.Won;
    period.Lost = stat.Lost;
    period.Score = stat.Score;
    period.Moves = stat.Moves;
    period.Time = stat.Time;
    return period;
}

void cScore::Sort(const QString& gameName, const QString& player, bool wonOnly)
{
    top_.fill(ScoreRec{});
    for (const ScoreRec& r : loaded_) {
        if (r.Score <= 0 || (wonOnly && r.Won == 0) || (!gameName.isEmpty() && r.GameName != gameName) ||
            (!player.isEmpty() && r.Player != player))
            continue;
        for (size_t p = 1; p <= kTopSlots; ++p) {
            if (top_[p].Score <= r.Score) {
                std::move_backward(top_.begin() + static_cast<std::ptrdiff_t>(p), top_.end() - 1, top_.end());
                top_[p] = r;
                break;
            }
        }
    }
}

void cScore::FinSort(bool byTime, bool byMoves)
{
    top_.fill(ScoreRec{});
    if (!byTime && !byMoves)
        return;
    const auto key = [&](const ScoreRec& r) { return byMoves ? r.Moves : r.Time; };
    for (const ScoreRec& r : loaded_) {
        if (r.Won != 1)
            continue;
        const int32_t mine = key(r);
        for (size_t p = 1; p <= kTopSlots; ++p) {
            const int32_t theirs = key(top_[p]);
            if (theirs == 0) {
                // An empty slot takes only a record with something to rank.
                if (mine > 0)
                    top_[p] = r;
                break;
            }
            if (mine <= theirs) {
                std::move_backward(top_.begin() + static_cast<std::ptrdiff_t>(p), top_.end() - 1, top_.end());
                top_[p] = r;
                break;
            }
        }
    }
}

void cScore::ClearStat()
{
    Prompts& prompts = services_.prompts();
    const QString title = data_.ProdName();
    if (prompts.message(QStringLiteral("Are you sure you want to clear the Statistics, High Score and Log for all "
                                       "Players and Games ?"),
                        Prompts::Icon::Question, Prompts::Buttons::YesNo, title) != Prompts::Answer::Yes)
        return;
    const Players players(services_.settings());
    QStringList kept;
    for (int16_t slot = 1; slot <= players.PlayerCount(); ++slot) {
        const QString file = Players::ScoreFile(data_, players.PlayerName(slot));
        if (!RemoveFile(file))
            kept << QStringLiteral("\"%1\"").arg(file);
    }
    if (!kept.isEmpty())
        throw RunTimeError(RunTimeError::kPathFileAccess, QStringLiteral("These score files could not be deleted: ") +
                                                              kept.join(QStringLiteral(", ")));
    prompts.message(QStringLiteral("Statistics, High Score and Log have been Cleared."), Prompts::Icon::Information,
                    Prompts::Buttons::Ok, title);
}

void cScore::ExportStat()
{
    Prompts::FileDialog dialog;
    dialog.filter = QStringLiteral("Text File (*.txt) |*.txt");
    dialog.fileName = QStringLiteral("Scoreboard");
    dialog.defaultExtension = QStringLiteral("txt");
    dialog.confirmOverwrite = true;
    const std::optional<QString> path = services_.prompts().saveFile(dialog);
    if (!path || path->isEmpty())
        return;
    writeReport(*path);
    QString told = QStringLiteral("Statistics Successfully Exported to ") + *path;
    if (lastSkipped_ > 0)
        told += QStringLiteral("\n\n%1 damaged line(s) of the score files could not be read and are not in the "
                               "report. The files were left as they are.")
                    .arg(lastSkipped_);
    services_.prompts().message(told, Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void cScore::writeReport(const QString& path)
{
    // What a statistics window has loaded is put aside and back, so that
    // exporting from it leaves it showing what it showed.
    std::vector<ScoreRec> kept;
    std::swap(kept, loaded_);
    const int32_t keptSkipped = skipped_;
    skipped_ = 0;
    const auto restore = [&] {
        loaded_ = std::move(kept);
        skipped_ = keptSkipped;
    };
    QByteArray bytes;
    try {
        OpenAllScore();
        lastSkipped_ = skipped_;
        bytes = reportText().toUtf8();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    WriteWholeFile(path, bytes);
}

QString cScore::reportText() const
{
    const QLocale locale;
    const Players players(services_.settings());
    QString out;
    ReportLine line;
    writeLine(out, data_.ProdName() + QLatin1String(" Score Board"));
    blankLine(out);
    writeLine(out, QString(25, QLatin1Char('*')));
    blankLine(out);
    line.text(QStringLiteral("Created By")).next().text(players.CurrentPlayer()).endInto(out);
    line.text(QStringLiteral("Created Date"))
        .next()
        .text(locale.toString(services_.clock().now(), QLocale::ShortFormat))
        .endInto(out);
    blankLine(out);
    writeLine(out, QString(34, QLatin1Char('-')));
    blankLine(out);

    const auto figures = [&](const StatRec& s, bool lost) {
        line.number(s.Played).next().number(s.Won).next();
        if (lost)
            line.number(s.Lost).next();
        line.text(timeText(s.Time)).next().number(s.Moves).next().number(s.Score).endInto(out);
    };
    writeLine(out, QStringLiteral("General Statistics"));
    writeLine(out, QString(18, QLatin1Char('-')));
    line.zones({"Played", "Won", "Lost", "Time", "Moves", "Score"}).endInto(out);
    figures(StatAll(), true);
    blankLine(out);
    blankLine(out);

    writeLine(out, QStringLiteral("Player Statistics"));
    writeLine(out, QString(17, QLatin1Char('-')));
    line.zones({"Player", "Played", "Won", "Lost", "Time", "Moves", "Score"}).endInto(out);
    for (int16_t slot = 1; slot <= players.PlayerCount(); ++slot) {
        const QString name = players.PlayerName(slot);
        line.text(name).next();
        figures(StatPlayer(name), true);
    }
    blankLine(out);
    blankLine(out);

    writeLine(out, QStringLiteral("Games Statistics"));
    writeLine(out, QString(16, QLatin1Char('-')));
    line.text(QStringLiteral("Game") + QString(21, QLatin1Char(' ')))
        .text(QStringLiteral("Played"))
        .next()
        .zones({"Won", "Time", "Moves", "Score"})
        .endInto(out);
    for (int16_t id = 1; id <= data_.TotalGames(); ++id) {
        const QString name = data_.GetGName(id);
        line.text(name + QString(std::max<qsizetype>(0, 25 - name.size()), QLatin1Char(' ')));
        figures(StatGame(name), false);
    }
    blankLine(out);
    blankLine(out);

    writeLine(out, QStringLiteral("Full Statistics"));
    writeLine(out, QString(14, QLatin1Char('-')));
    line.zones({"Date", "Game", "Player", "Status", "Score", "Moves", "Time", "Game No"}).endInto(out);
    // Many records share a day: its text is made once.
    QDate shownDay;
    QString shownText;
    for (const ScoreRec& r : loaded_) {
        if (r.day.isValid() && r.day != shownDay) {
            shownDay = r.day;
            shownText = locale.toString(r.day, QLocale::ShortFormat);
        }
        line.text(r.day.isValid() ? shownText : r.Date)
            .next()
            .text(r.GameName.left(12))
            .next()
            .text(r.Player.left(12))
            .next()
            .text(r.Won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost"))
            .next()
            .number(r.Score)
            .next()
            .number(r.Moves)
            .next()
            .text(timeText(r.Time) + QString(5, QLatin1Char(' ')))
            .number(r.gameNo)
            .endInto(out);
    }
    return out;
}

QString cScore::formatLine(const ScoreRec& r)
{
    const QChar comma = QLatin1Char(',');
    return quoted(r.Date) + comma + quoted(r.GameName) + comma +
           (r.gameNo.isText() ? quoted(r.gameNo.toString()) : r.gameNo.toString()) + comma + QString::number(r.Time) +
           comma + QString::number(r.Moves) + comma + QString::number(r.Score) + comma + QString::number(r.Won);
}

std::optional<ScoreRec> cScore::parseLine(QStringView line)
{
    const std::optional<std::vector<Field>> fields = splitFields(line);
    if (!fields || fields->size() != kFields)
        return std::nullopt;
    const std::vector<Field>& f = *fields;
    ScoreRec r;
    r.Date = f[0].text;
    r.GameName = f[1].text;
    if (f[2].quoted) {
        const std::optional<GameNo> number = GameNo::fromText(f[2].text);
        if (!number)
            return std::nullopt;
        r.gameNo = *number;
    } else {
        bool ok = false;
        const double number = f[2].text.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return std::nullopt;
        r.gameNo = GameNo(number);
    }
    const std::optional<int32_t> time = wholeNumber(f[3].text);
    const std::optional<int32_t> moves = wholeNumber(f[4].text);
    const std::optional<int32_t> score = wholeNumber(f[5].text);
    const std::optional<int32_t> won = wholeNumber(f[6].text);
    if (!time || !moves || !score || !won || *won < INT16_MIN || *won > INT16_MAX || r.GameName.isEmpty())
        return std::nullopt;
    // The game counts its moves and score in 16 bits and its clock only
    // forwards: figures beyond that are damage, not a game.
    if (*time < 0 || *time > kLongestTime || *moves < 0 || *moves > INT16_MAX || *score < INT16_MIN ||
        *score > INT16_MAX)
        return std::nullopt;
    r.Time = *time;
    r.Moves = *moves;
    r.Score = *score;
    r.Won = static_cast<int16_t>(*won);
    r.day = readDate(r.Date);
    return r;
}

QString cScore::dateText(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

QDate cScore::readDate(const QString& text)
{
    const QStringView t = QStringView(text).trimmed();
    // The program's own form, read by hand: a score file holds many.
    if (t.size() >= 10 && t[4] == QLatin1Char('-') && t[7] == QLatin1Char('-')) {
        const int century = digits2(t, 0);
        const int year = digits2(t, 2);
        const int month = digits2(t, 5);
        const int day = digits2(t, 8);
        if (century >= 0 && year >= 0 && month >= 0 && day >= 0) {
            const QDate date(century * 100 + year, month, day);
            if (date.isValid())
                return date;
        }
    }
    const QLocale locale;
    for (const QLocale::FormatType form : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDateTime when = locale.toDateTime(t.toString(), form);
        if (when.isValid())
            return when.date();
        const QDate date = locale.toDate(t.toString(), form);
        if (date.isValid())
            return date;
    }
    return {};
}
