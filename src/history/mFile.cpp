#include "history/mFile.h"

#include "engine/ScratchTable.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "rules/mKlondike.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <array>
#include <charconv>
#include <limits>

namespace mFile {
namespace {

constexpr int kHeaderLines = 6;
constexpr int kRecordNumbers = 10;
constexpr QLatin1String kTooManyMoves("it holds more moves than a game can have");

[[noreturn]] void refuse(const QString& path, const QString& what)
{
    throw RunTimeError(RunTimeError::kBadFileFormat,
                       QStringLiteral("The file \"%1\" cannot be opened as a Tablora game: %2.")
                           .arg(QDir::toNativeSeparators(path), what));
}

// Text from a damaged file as a message quotes it: at most 60 characters,
// with control characters and others that cannot be shown escaped.
QString shown(const QString& text)
{
    constexpr qsizetype kShownCharacters = 60;
    const QLatin1String cut("...");
    QStringList pieces;
    qsizetype length = 0;
    for (const char32_t c : text.toUcs4()) {
        pieces << (QChar::isPrint(c) ? QString::fromUcs4(&c, 1)
                   : c < 0x100       ? QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'))
                                     : QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0')));
        length += pieces.last().size();
    }
    if (length <= kShownCharacters)
        return pieces.join(QString());
    QString out;
    for (const QString& piece : pieces) {
        if (out.size() + piece.size() > kShownCharacters - cut.size())
            break;
        out += piece;
    }
    return out + cut;
}

// The file's lines: UTF-8, or Windows-1252 where the bytes are not UTF-8;
// CR LF or LF. Trailing empty lines are dropped. Only an ordinary file of
// at most kMaxFileBytes is read, and no more lines are kept than a game
// can have, so a huge file or a device costs no memory.
QStringList readLines(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RunTimeError(RunTimeError::kFileNotFound,
                           QStringLiteral("The file \"%1\" was not found.").arg(QDir::toNativeSeparators(path)));
    if (info.isDir())
        refuse(path, QStringLiteral("it is a folder"));
    if (!info.isFile())
        refuse(path, QStringLiteral("it is not an ordinary file but a device or a pipe"));
    const QString tooLarge = QStringLiteral("it is larger than any game file can be");
    if (info.size() > kMaxFileBytes)
        refuse(path, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("The file \"%1\" could not be read.").arg(QDir::toNativeSeparators(path)));
    // The file may have grown since its size was asked.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        refuse(path, tooLarge);
    QString text = DecodeFileText(bytes);
    text.remove(QLatin1Char('\r'));
    QStringList lines;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        if (lines.size() < kHeaderLines + cEngine::kMaxRecords)
            lines << line.toString();
        else if (!line.trimmed().isEmpty())
            refuse(path, kTooManyMoves);
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// A text item: up to a comma or the end of the line, leading blanks skipped.
QString textItem(const QString& line)
{
    const QString item = line.section(QLatin1Char(','), 0, 0);
    qsizetype start = 0;
    while (start < item.size() && item[start] == QLatin1Char(' '))
        ++start;
    return item.mid(start);
}

// The numbers of a line: each ends at a blank, a comma or the end.
std::optional<std::vector<int64_t>> numbers(QStringView line)
{
    const auto separator = [](QChar c) { return c == u' ' || c == u',' || c == u'\t'; };
    std::vector<int64_t> out;
    qsizetype i = 0;
    while (i < line.size()) {
        if (separator(line[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && !separator(line[i]))
            ++i;
        bool ok = false;
        const qlonglong v = line.sliced(start, i - start).toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        out.push_back(v);
    }
    return out;
}

template <typename T> std::optional<T> fitting(const std::optional<std::vector<int64_t>>& values)
{
    if (!values || values->size() != 1)
        return std::nullopt;
    const int64_t v = values->front();
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(v);
}

QString fileDate(const QString& path)
{
    const QFileInfo info(path);
    const QDateTime when = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    return QLocale::system().toString(when, QLocale::ShortFormat);
}

GameSummary readHeader(const QString& path, const QStringList& lines)
{
    if (lines.size() < kHeaderLines)
        refuse(path, QStringLiteral("it has %1 of the six header lines").arg(lines.size()));
    GameSummary s;
    s.gameName = textItem(lines[0]);
    if (!mKlondike::IsGameName(s.gameName))
        refuse(path, QStringLiteral("\"%1\" is not the name of a game").arg(shown(s.gameName)));
    const std::optional<GameNo> number = GameNo::fromText(textItem(lines[1]));
    if (!number || number->toNumber() != std::trunc(number->toNumber()))
        refuse(path, QStringLiteral("the game number \"%1\" is not a whole number").arg(shown(lines[1].trimmed())));
    s.gameNo = GameNo(number->toNumber());
    const std::optional<int32_t> time = fitting<int32_t>(numbers(lines[2]));
    const std::optional<int16_t> moves = fitting<int16_t>(numbers(lines[3]));
    const std::optional<int16_t> score = fitting<int16_t>(numbers(lines[4]));
    const std::optional<int16_t> percentage = fitting<int16_t>(numbers(lines[5]));
    if (!time || *time < 0)
        refuse(path, QStringLiteral("line 3 does not hold the time in seconds"));
    if (!moves || *moves < 0)
        refuse(path, QStringLiteral("line 4 does not hold the number of moves"));
    if (!score)
        refuse(path, QStringLiteral("line 5 does not hold the score"));
    if (!percentage)
        refuse(path, QStringLiteral("line 6 does not hold the percentage"));
    s.time = *time;
    s.moves = *moves;
    s.score = *score;
    s.percentage = *percentage;
    s.fileDate = fileDate(path);
    return s;
}

cEngine::Transaction readRecord(const QString& path, const QString& line, int lineNumber)
{
    const auto values = numbers(line);
    if (!values || values->size() != kRecordNumbers)
        refuse(path, QStringLiteral("line %1 does not hold the ten numbers of a move").arg(lineNumber));
    const auto& v = *values;
    for (int i = 0; i < kRecordNumbers; ++i) {
        const bool wide = i == 8;
        if (v[i] < (wide ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int16_t>::min()) ||
            v[i] > (wide ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int16_t>::max()))
            refuse(path, QStringLiteral("line %1 holds a number out of range").arg(lineNumber));
    }
    auto s16 = [&](int i) { return static_cast<int16_t>(v[static_cast<size_t>(i)]); };
    cEngine::Transaction r;
    r.PicID = s16(0);
    r.SCell = s16(1);
    r.SPile = s16(2);
    r.SPos = s16(3);
    r.DCell = s16(4);
    r.DPile = s16(5);
    r.DPos = s16(6);
    r.mCards = s16(7);
    r.tMod = static_cast<int32_t>(v[8]);
    r.Multi = s16(9);
    return r;
}

// Makes the moves again on a table of its own, checking each before it is
// made.
void checkMoves(const QString& path, const GameFile& file)
{
    ScratchTable scratch(file.summary.gameName);
    cPlay& play = scratch.deal(file.summary.gameNo);
    const cGames& games = scratch.games;
    const bool spider = games.spiderRules();

    int lineNumber = kHeaderLines;
    for (const cEngine::Transaction& r : file.records) {
        ++lineNumber;
        auto wrong = [&](const QString& what) {
            refuse(path,
                   QStringLiteral("move %1 (line %2) %3").arg(lineNumber - kHeaderLines).arg(lineNumber).arg(what));
        };
        if (r.PicID < 0 || r.PicID >= play.CardCount())
            wrong(QStringLiteral("names a card the game does not have"));
        if (r.SCell < 0 || r.SCell >= cPlay::kCells || r.DCell < 0 || r.DCell >= cPlay::kCells || r.SPile < 0 ||
            r.SPile >= games.Piles(r.SCell) || r.DPile < 0 || r.DPile >= games.Piles(r.DCell))
            wrong(QStringLiteral("names a pile the game does not have"));
        if (play.Cell(r.PicID) != r.SCell || play.Pile(r.PicID) != r.SPile || play.Pos(r.PicID) != r.SPos)
            wrong(QStringLiteral("takes a card from where it does not lie"));
        if (r.mCards < 0 || play.GetTop(r.SCell, r.SPile) != r.SPos + r.mCards)
            wrong(QStringLiteral("moves a different number of cards than lie there"));
        if (r.SCell == r.DCell && r.SPile == r.DPile)
            wrong(QStringLiteral("puts cards back onto their own pile"));
        if (r.DPos != play.GetTop(r.DCell, r.DPile) + 1)
            wrong(QStringLiteral("puts a card where it cannot lie"));
        if (r.DCell == Cell::Foundation && !spider &&
            play.GetTop(Cell::Foundation, r.DPile) + 2 + r.mCards > play.foundationCapacity())
            wrong(QStringLiteral("puts more cards on a foundation than it holds"));
        if (r.tMod < cPlay::kMovePlayer || r.tMod > cPlay::kMoveUncovered || r.Multi < 0 || r.Multi > 1)
            wrong(QStringLiteral("has an unknown kind of move"));
        if (r.tMod == cPlay::kMoveUncovered && (r.SCell != Cell::Home || r.SPos < 1))
            wrong(QStringLiteral("turns up a card that is not there"));
        cEngine::applyForward(play, r, 0);
    }
}

} // namespace

namespace {
// A number as the file prints it: " 12 " or "-3 ".
void appendNumber(QByteArray& bytes, int64_t n)
{
    std::array<char, 24> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), n).ptr;
    if (n >= 0)
        bytes += ' ';
    bytes.append(digits.data(), end - digits.data());
    bytes += ' ';
}
} // namespace

QString PrintNumber(int64_t n)
{
    QByteArray bytes;
    appendNumber(bytes, n);
    return QString::fromLatin1(bytes);
}

QString PrintGameNo(const GameNo& number)
{
    if (number.isText())
        return number.toString();
    return number.toNumber() < 0 ? number.toString() + QLatin1Char(' ')
                                 : QLatin1Char(' ') + number.toString() + QLatin1Char(' ');
}

GameFile ReadGameFile(const QString& path)
{
    const QStringList lines = readLines(path);
    GameFile file;
    file.summary = readHeader(path, lines);
    for (int i = kHeaderLines; i < lines.size(); ++i)
        file.records.push_back(readRecord(path, lines[i], i + 1));
    if (file.records.size() > static_cast<size_t>(cEngine::kMaxRecords))
        refuse(path, kTooManyMoves);
    if (static_cast<size_t>(file.summary.moves) != file.records.size())
        refuse(path, QStringLiteral("its header counts %1 moves but it holds %2")
                         .arg(file.summary.moves)
                         .arg(file.records.size()));
    checkMoves(path, file);
    return file;
}

GameSummary ReadGameSummary(const QString& path) { return readHeader(path, readLines(path)); }

FavoriteRecord ReadFavoriteFile(const QString& path)
{
    const QStringList lines = readLines(path);
    if (lines.isEmpty())
        refuse(path, QStringLiteral("it is empty"));
    // "name",number or "number","player",#date#
    QStringList items;
    const QString& line = lines.first();
    QString item;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c == QLatin1Char(',') && !quoted) {
            items << item;
            item.clear();
            continue;
        }
        item += c;
    }
    items << item;
    if (items.size() < 4)
        refuse(path, QStringLiteral("it does not hold a game name, game number, player and date"));
    FavoriteRecord record;
    record.gameName = items[0].trimmed();
    const std::optional<GameNo> number = GameNo::fromText(items[1]);
    if (!number)
        refuse(path, QStringLiteral("the game number \"%1\" is not a number").arg(shown(items[1].trimmed())));
    record.gameNo = *number;
    record.player = items[2];
    QString date = items[3].trimmed();
    if (date.startsWith(QLatin1Char('#')) && date.endsWith(QLatin1Char('#')))
        date = date.mid(1, date.size() - 2);
    record.date = date;
    return record;
}

void WriteGameFile(const QString& path, const GameSummary& header, const std::vector<cEngine::Transaction>& records)
{
    QString head;
    const QLatin1String crlf("\r\n");
    head += header.gameName + crlf;
    head += PrintGameNo(header.gameNo) + crlf;
    head += PrintNumber(header.time) + crlf;
    head += PrintNumber(header.moves) + crlf;
    head += PrintNumber(header.score) + crlf;
    head += PrintNumber(header.percentage) + crlf;
    QByteArray bytes = head.toUtf8();
    // The moves are plain ASCII, printed straight into the bytes.
    bytes.reserve(bytes.size() + static_cast<qsizetype>(records.size()) * kRecordNumbers * 4);
    for (const cEngine::Transaction& r : records) {
        for (const int64_t v :
             {int64_t{r.PicID}, int64_t{r.SCell}, int64_t{r.SPile}, int64_t{r.SPos}, int64_t{r.DCell}, int64_t{r.DPile},
              int64_t{r.DPos}, int64_t{r.mCards}, int64_t{r.tMod}, int64_t{r.Multi}})
            appendNumber(bytes, v);
        bytes += "\r\n";
    }
    try {
        WriteWholeFile(path, bytes);
    } catch (const FileNotWritten& e) {
        throw RunTimeError(RunTimeError::kPathFileAccess, QStringLiteral("The game could not be saved to \"%1\": %2")
                                                              .arg(QDir::toNativeSeparators(path), e.reason()));
    }
}

} // namespace mFile
