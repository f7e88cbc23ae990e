// Card faces from an SVG deck file: finding the decks, checking them, and
// drawing their cards.

#include "pictures/FaceDeck.h"

#include "rules/RunTimeError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPainter>
#include <QSet>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTextStream>
#include <QThread>
#include <QXmlStreamReader>

#include <algorithm>
#include <zlib.h>

Q_LOGGING_CATEGORY(lcFaceDecks, "tablora.decks")

namespace {

const char* const kRankNames[13] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
const char* const kSuitNames[4] = {"spade", "heart", "club", "diamond"};

// Larger than any deck: not one.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
constexpr qsizetype kLargestText = 512 * 1024 * 1024;

bool isDeckFile(const QFileInfo& info)
{
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz"));
}

// A KDE deck folder's index.desktop: its Name and SVG values.
struct DeckIndex {
    QString name;
    QString svg;
};

DeckIndex readIndex(const QString& folder)
{
    DeckIndex index;
    QFile file(folder + QStringLiteral("/index.desktop"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > 1024 * 1024)
        return index;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("Name=")))
            index.name = line.mid(5).trimmed();
        else if (line.startsWith(QLatin1String("SVG=")))
            index.svg = line.mid(4).trimmed();
    }
    return index;
}

// The SVG file of a deck folder: the one its index names, else the only
// one in it.
QString folderFile(const QString& folder, const DeckIndex& index)
{
    if (!index.svg.isEmpty()) {
        const QFileInfo named(QDir(folder).filePath(index.svg));
        // The index may not lead out of its folder.
        if (isDeckFile(named) && named.absolutePath() == QFileInfo(folder).absoluteFilePath())
            return named.absoluteFilePath();
    }
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.svg"), QStringLiteral("*.svgz")}, QDir::Files, QDir::Name);
    return files.size() == 1 ? files.first().absoluteFilePath() : QString();
}

// The deck file's text, unpacked when it is compressed; empty with `error`
// set when it cannot be read.
QByteArray readSvg(const QString& file, QString& error)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return {};
    }
    if (in.size() > kLargestFile) {
        error = QStringLiteral("the file is too large to be a card deck");
        return {};
    }
    QByteArray bytes = in.readAll();
    if (bytes.size() < 2 || static_cast<uchar>(bytes[0]) != 0x1f || static_cast<uchar>(bytes[1]) != 0x8b)
        return bytes;
    z_stream z{};
    // 16 + 15: a gzip stream with the largest window.
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
        error = QStringLiteral("the file cannot be unpacked");
        return {};
    }
    QByteArray text;
    z.next_in = reinterpret_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK) {
        const qsizetype at = text.size();
        text.resize(at + 256 * 1024);
        z.next_out = reinterpret_cast<Bytef*>(text.data() + at);
        z.avail_out = 256 * 1024;
        status = inflate(&z, Z_NO_FLUSH);
        text.resize(text.size() - z.avail_out);
        if (text.size() > kLargestText)
            status = Z_MEM_ERROR;
        if (status == Z_BUF_ERROR && z.avail_in == 0)
            break;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) {
        error = QStringLiteral("the compressed file is damaged");
        return {};
    }
    return text;
}

} // namespace

FaceDeck::FaceDeck(const QString& path) : path_(path)
{
    const QFileInfo info(path);
    DeckIndex index;
    if (info.isDir()) {
        index = readIndex(info.absoluteFilePath());
        file_ = folderFile(info.absoluteFilePath(), index);
    } else if (isDeckFile(info)) {
        file_ = info.absoluteFilePath();
    }
    if (file_.isEmpty())
        throw RunTimeError(RunTimeError::kFileNotFound, QStringLiteral("File not found"), path);
    name_ = !index.name.isEmpty() ? index.name : readableName(info.isDir() ? file_ : path);
    const QFileInfo svg(file_);
    stamp_ = file_.toUtf8() + ' ' + QByteArray::number(svg.size()) + ' ' +
             QByteArray::number(svg.lastModified().toMSecsSinceEpoch());
}

FaceDeck::~FaceDeck() = default;

QStringList FaceDeck::elementIds(int picture)
{
    if (picture == 0)
        return {QStringLiteral("back")};
    const int suit = (picture - 1) / 13;
    const int rank = (picture - 1) % 13;
    const QString r = QString::fromLatin1(kRankNames[rank]);
    const QString s = QString::fromLatin1(kSuitNames[suit]);
    return {r + QLatin1Char('_') + s, s + QLatin1Char('_') + r};
}

QString FaceDeck::readableName(const QString& file)
{
    QString base = QFileInfo(file).fileName();
    for (const char* suffix : {".svgz", ".svg"})
        if (base.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            base.chop(static_cast<qsizetype>(qstrlen(suffix)));
    base.replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char('-'), QLatin1Char(' '));
    QStringList words = base.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words)
        word[0] = word[0].toUpper();
    return words.isEmpty() ? QFileInfo(file).fileName() : words.join(QLatin1Char(' '));
}

FaceDeck::Parsed FaceDeck::parseFile(const QString& file)
{
    Parsed parsed;
    QString error;
    const QByteArray text = readSvg(file, error);
    if (text.isEmpty()) {
        parsed.error = error.isEmpty() ? QStringLiteral("the file is empty") : error;
        return parsed;
    }
    auto renderer = std::make_unique<QSvgRenderer>(text);
    if (!renderer->isValid()) {
        parsed.error = QStringLiteral("the file is not a picture Tablora can read");
        return parsed;
    }
    for (int n = 0; n < kPictures; ++n) {
        QString& id = parsed.ids[static_cast<size_t>(n)];
        for (const QString& name : elementIds(n))
            if (renderer->elementExists(name)) {
                id = name;
                break;
            }
        if (id.isEmpty()) {
            parsed.error = QStringLiteral("the card \"%1\" is missing").arg(elementIds(n).first());
            return parsed;
        }
        const QRectF bounds = renderer->transformForElement(id).mapRect(renderer->boundsOnElement(id));
        if (!bounds.isValid() || bounds.isEmpty()) {
            parsed.error = QStringLiteral("the card \"%1\" is empty").arg(id);
            return parsed;
        }
        parsed.bounds[static_cast<size_t>(n)] = bounds;
    }
    parsed.renderer = std::move(renderer);
    return parsed;
}

void FaceDeck::parseSoon()
{
    QThread* const main = QCoreApplication::instance() != nullptr ? QCoreApplication::instance()->thread() : nullptr;
    if (parsed_ || pending_.valid() || main == nullptr)
        return;
    pending_ = std::async(std::launch::async, [file = file_, main] {
        Parsed parsed = parseFile(file);
        // The renderer is drawn with on the thread that asked.
        if (parsed.renderer)
            parsed.renderer->moveToThread(main);
        return parsed;
    });
}

bool FaceDeck::parse()
{
    if (parsed_)
        return renderer_ != nullptr;
    parsed_ = true;
    Parsed parsed = pending_.valid() ? pending_.get() : parseFile(file_);
    error_ = parsed.error;
    if (!parsed.renderer)
        return false;
    ids_ = parsed.ids;
    bounds_ = parsed.bounds;
    renderer_ = std::move(parsed.renderer);
    return true;
}

double FaceDeck::aspect()
{
    if (!parse())
        return 1065.0 / 1440.0;
    // The Ace of spades stands for every face; backs are sometimes drawn a
    // little larger.
    const QRectF& ace = bounds_[1];
    return ace.width() / ace.height();
}

bool FaceDeck::paint(QPainter& painter, int picture, const QRectF& target)
{
    if (picture < 0 || picture >= kPictures)
        throw RunTimeError::subscript();
    if (!parse())
        return false;
    const QRectF& bounds = bounds_[static_cast<size_t>(picture)];
    QSizeF size = bounds.size();
    size.scale(target.size(), Qt::KeepAspectRatio);
    const QRectF at(target.center() - QPointF(size.width() / 2, size.height() / 2), size);
    renderer_->render(&painter, ids_[static_cast<size_t>(picture)], at);
    return true;
}

QImage FaceDeck::picture(int picture, QSize pixelSize)
{
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!paint(p, picture, QRectF(QPointF(0, 0), QSizeF(pixelSize))))
        return QImage();
    return image;
}

namespace faceDecks {

QStringList folders()
{
    QStringList list;
    list << QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tablora/decks");
    QStringList data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (!data.contains(QStringLiteral("/usr/share")))
        data << QStringLiteral("/usr/share");
    for (const QString& folder : std::as_const(data)) {
        list << folder + QStringLiteral("/carddecks");
        list << folder + QStringLiteral("/aisleriot/cards");
    }
    list.removeDuplicates();
    return list;
}

QString check(const QString& path)
{
    QString file;
    try {
        file = FaceDeck(path).file();
    } catch (const RunTimeError&) {
        return QStringLiteral("there is no SVG file");
    }
    QString error;
    const QByteArray text = readSvg(file, error);
    if (text.isEmpty())
        return error.isEmpty() ? QStringLiteral("the file is empty") : error;
    // The card names looked for.
    QSet<QString> cardIds;
    for (int n = 0; n < FaceDeck::kPictures; ++n)
        for (const QString& id : FaceDeck::elementIds(n))
            cardIds.insert(id);
    // Every element id, read as the parser will; the ids of <symbol>
    // elements, which Qt Svg does not draw; and what the cards' <use>
    // elements show, with the card they are in.
    QSet<QString> ids, symbols;
    QList<std::pair<QString, QString>> uses;
    QStringList cards; // the card each open element is in, or empty
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (!cards.isEmpty())
                cards.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString id = attributes.value(QLatin1String("id")).toString();
        if (!id.isEmpty()) {
            ids.insert(id);
            if (xml.name() == QLatin1String("symbol"))
                symbols.insert(id);
        }
        const QString card = cardIds.contains(id) ? id : cards.isEmpty() ? QString() : cards.last();
        cards.append(card);
        if (!card.isEmpty() && xml.name() == QLatin1String("use")) {
            QStringView link = attributes.value(QLatin1String("http://www.w3.org/1999/xlink"), QLatin1String("href"));
            if (link.isEmpty())
                link = attributes.value(QLatin1String("href"));
            if (link.startsWith(QLatin1Char('#')))
                uses.append({link.mid(1).toString(), card});
        }
    }
    if (xml.hasError())
        return QStringLiteral("the file is damaged (%1, line %2)").arg(xml.errorString()).arg(xml.lineNumber());
    for (int n = 0; n < FaceDeck::kPictures; ++n) {
        const QStringList names = FaceDeck::elementIds(n);
        if (std::none_of(names.begin(), names.end(), [&](const QString& id) { return ids.contains(id); }))
            return QStringLiteral("the card \"%1\" is missing").arg(names.first());
    }
    // A card showing a <symbol> would be drawn without it: a card without
    // its pips. (A part that is not there at all no program draws.)
    for (const auto& [link, card] : std::as_const(uses)) {
        if (symbols.contains(link))
            return QStringLiteral("the card \"%1\" is drawn with <symbol> elements, which Tablora cannot draw")
                .arg(card);
    }
    return QString();
}

QList<FaceDeckEntry> find(const QStringList& folders, QHash<QByteArray, QString>* checked)
{
    QList<FaceDeckEntry> found;
    QSet<QString> seen;
    for (const QString& folder : folders) {
        const QFileInfoList entries =
            QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (!entry.isDir() && !isDeckFile(entry))
                continue;
            const QString canonical = entry.canonicalFilePath();
            if (canonical.isEmpty() || seen.contains(canonical))
                continue;
            seen.insert(canonical);
            const QString path = entry.absoluteFilePath();
            std::unique_ptr<FaceDeck> deck;
            try {
                deck = std::make_unique<FaceDeck>(path);
            } catch (const RunTimeError&) {
                deck = nullptr;
            }
            // A folder without a deck file is known by its own time.
            const QByteArray key =
                deck ? deck->stamp()
                     : path.toUtf8() + ' ' + QByteArray::number(entry.lastModified().toMSecsSinceEpoch());
            QString reason;
            bool fresh = true;
            if (checked != nullptr && checked->contains(key)) {
                reason = checked->value(key);
                fresh = false;
            } else {
                reason = deck ? check(path) : QStringLiteral("there is no SVG file");
                if (checked != nullptr)
                    checked->insert(key, reason);
            }
            if (!reason.isEmpty()) {
                // Told once a run, not at every look.
                if (fresh)
                    qCWarning(lcFaceDecks).noquote() << "card deck left out:" << path << "-" << reason;
                continue;
            }
            found.append({path, deck->name()});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const FaceDeckEntry& a, const FaceDeckEntry& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return found;
}

} // namespace faceDecks
