// The card picture library: the cache of pictures drawn so far and the deck
// table's queries. The drawing itself lives in the painting files, one
// subject to a file (Faces, CourtFigures, Backs, Markers, Splash), on the
// helpers of Painting.h.

#include "pictures/CardPictures.h"

#include "pictures/Painting.h"
#include "rules/RunTimeError.h"

#include <QLoggingCategory>
#include <QPainter>

#include <cstring>
#include <utility>

namespace paint = pictures::paint;

namespace {

enum Kind { kFaceKind, kBackKind, kMarkerKind, kSplashKind, kCustomKind };

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

Q_LOGGING_CATEGORY(lcCardPictures, "tablora.decks")

// The category of a face deck's own back.
const QString kOwnBackCategory = QStringLiteral("FaceDeck");

} // namespace

CardPictures::CardPictures() = default;

int16_t CardPictures::drawnDeckCount() { return static_cast<int16_t>(paint::decks().size()); }

int16_t CardPictures::deckCount() const { return static_cast<int16_t>(drawnDeckCount() + (faceDeck_ ? 1 : 0)); }

QList<CardPictures::Category> CardPictures::deckCategories() const
{
    QList<Category> list;
    for (const paint::DeckCategory& c : paint::categories())
        list.append({QString::fromLatin1(c.key), QString::fromLatin1(c.text)});
    if (faceDeck_)
        list.append({kOwnBackCategory, QStringLiteral("Face Deck")});
    return list;
}

QString CardPictures::deckCategory(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    if (deckIndex > drawnDeckCount())
        return kOwnBackCategory;
    return QString::fromLatin1(paint::decks()[static_cast<size_t>(deckIndex - 1)].category);
}

QString CardPictures::deckName(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    if (deckIndex > drawnDeckCount())
        return faceDeck_->name();
    return QString::fromLatin1(paint::decks()[static_cast<size_t>(deckIndex - 1)].name);
}

void CardPictures::setFaceDeck(std::shared_ptr<FaceDeck> deck)
{
    const QByteArray before = faceDeck_ ? faceDeck_->stamp() : QByteArray();
    const QByteArray after = deck ? deck->stamp() : QByteArray();
    faceDeck_ = std::move(deck);
    if (before == after)
        return;
    // Every picture of the table looks different now; restored ones are of
    // the other deck.
    for (auto it = cache_.begin(); it != cache_.end();) {
        const int kind = it.key().kind;
        if (kind == kFaceKind || kind == kBackKind || kind == kMarkerKind)
            it = cache_.erase(it);
        else
            ++it;
    }
    restored_.clear();
    restoredBytes_.clear();
}

QList<FaceDeckEntry> CardPictures::findFaceDecks(const QStringList& folders)
{
    return faceDecks::find(folders, &checkedDecks_);
}

QByteArray CardPictures::deckStamp(const QByteArray& stamp) const
{
    return faceDeck_ ? stamp + ' ' + faceDeck_->stamp().toHex() : stamp;
}

QPixmap CardPictures::face(int16_t pictureNumber, QSize pixelSize)
{
    if (pictureNumber < 1 || pictureNumber > kFaces)
        throw RunTimeError::subscript();
    return cached(kFaceKind, pictureNumber, pixelSize);
}

QPixmap CardPictures::back(int16_t deckIndex, QSize pixelSize)
{
    // Cards dealt with the face deck's own back keep asking for it after a
    // deck that could not be drawn was dropped: they show the default back.
    if (deckIndex == drawnDeckCount() + 1 && !faceDeck_ && faceDeckDropped_)
        deckIndex = kDefaultBack;
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    return cached(kBackKind, deckIndex, pixelSize);
}

QPixmap CardPictures::marker(int16_t markerNumber, QSize pixelSize)
{
    if (markerNumber < 0 || markerNumber >= kMarkers)
        throw RunTimeError::subscript();
    return cached(kMarkerKind, markerNumber, pixelSize);
}

QPixmap CardPictures::splash(QSize pixelSize) { return cached(kSplashKind, 0, pixelSize); }

QImage CardPictures::defaultCustomImage(QSize pixelSize)
{
    return cached(kCustomKind, 0, pixelSize).toImage().convertToFormat(QImage::Format_RGB32);
}

bool CardPictures::saveDefaultCustomImage(const QString& path)
{
    const QImage image = defaultCustomImage();
    return !image.isNull() && image.save(path, "BMP");
}

void CardPictures::prepare()
{
    // Faces and markers are wanted again at the same sizes; backs, the
    // splash and the background picture are wanted once, or for a deck no
    // longer chosen.
    for (auto it = cache_.begin(); it != cache_.end();) {
        if (it.key().kind == kFaceKind || it.key().kind == kMarkerKind)
            ++it;
        else
            it = cache_.erase(it);
    }
}

void CardPictures::clearCache()
{
    cache_.clear();
    tableSizes_.clear();
}

QPixmap CardPictures::cached(int kind, int number, QSize pixelSize)
{
    if (pixelSize.isEmpty())
        return QPixmap();
    if (kind == kFaceKind)
        tableSize_ = pixelSize;
    const bool table = kind == kFaceKind || kind == kBackKind || kind == kMarkerKind;
    const Key key{kind, number, pixelSize.width(), pixelSize.height()};
    if (table && quick_ && !cache_.contains(key)) {
        for (const QSize& size : std::as_const(tableSizes_))
            if (const auto kept = cache_.constFind(Key{kind, number, size.width(), size.height()});
                kept != cache_.constEnd())
                return *kept;
    }
    if (table && inFrame_ && frameDrew_ && !cache_.contains(key) && !restored_.contains(key) &&
        std::chrono::steady_clock::now() - frameStart_ >= frameBudget_) {
        if (QPixmap other = otherSize(key); !other.isNull()) {
            frameUnfinished_ = true;
            return other;
        }
    }
    if (table)
        keepTableSize(pixelSize);
    const auto it = cache_.constFind(key);
    if (it != cache_.constEnd())
        return *it;
    QPixmap picture;
    if (const auto kept = restored_.constFind(key); kept != restored_.constEnd()) {
        picture = restoredPicture(key, *kept);
        restored_.erase(kept);
    } else {
        picture = render(kind, number, pixelSize);
        frameDrew_ = frameDrew_ || table;
        drawnSinceRestore_ = drawnSinceRestore_ || kind == kFaceKind || kind == kBackKind || kind == kMarkerKind;
    }
    if (!picture.isNull())
        cache_.insert(key, picture);
    return picture;
}

void CardPictures::beginFrame(std::chrono::milliseconds budget)
{
    inFrame_ = true;
    frameStart_ = std::chrono::steady_clock::now();
    frameBudget_ = budget;
    frameUnfinished_ = false;
    frameDrew_ = false;
}

bool CardPictures::endFrame()
{
    inFrame_ = false;
    return std::exchange(frameUnfinished_, false);
}

QPixmap CardPictures::restoredPicture(const Key& key, qsizetype at) const
{
    // Copied out of the bytes, which may be dropped while it is shown.
    const QImage pixels(reinterpret_cast<const uchar*>(restoredBytes_.constData() + at), key.width, key.height,
                        qsizetype{key.width} * 4, QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(pixels.copy());
}

QPixmap CardPictures::otherSize(const Key& key) const
{
    for (const QSize& size : std::as_const(tableSizes_))
        if (const auto kept = cache_.constFind(Key{key.kind, key.number, size.width(), size.height()});
            kept != cache_.constEnd())
            return *kept;
    // Kept from the last run, at the size of that run's table.
    for (auto it = restored_.cbegin(); it != restored_.cend(); ++it) {
        const Key& k = it.key();
        if (k.kind != key.kind || k.number != key.number)
            continue;
        return restoredPicture(k, it.value());
    }
    return QPixmap();
}

void CardPictures::keepTableSize(QSize pixelSize)
{
    if (!tableSizes_.isEmpty() && tableSizes_.first() == pixelSize)
        return;
    tableSizes_.removeAll(pixelSize);
    tableSizes_.prepend(pixelSize);
    while (tableSizes_.size() > kTableSizesKept) {
        const QSize dropped = tableSizes_.takeLast();
        for (auto it = cache_.begin(); it != cache_.end();) {
            const Key& k = it.key();
            const bool table = k.kind == kFaceKind || k.kind == kBackKind || k.kind == kMarkerKind;
            if (table && k.width == dropped.width() && k.height == dropped.height())
                it = cache_.erase(it);
            else
                ++it;
        }
    }
}

namespace {

// Kept pictures: a first line naming the format and the build, then one
// entry per picture: kind, number, width, height (32-bit each, in the
// machine's order) and the premultiplied pixels, row by row. The pixels are
// kept as drawn, so a picture read back shows exactly as one drawn afresh.
const QByteArray kPictureFileHead("Tablora card pictures 1 ");

struct EntryHead {
    int32_t kind;
    int32_t number;
    int32_t width;
    int32_t height;
};

} // namespace

void CardPictures::restorePictures(const QByteArray& bytes, const QByteArray& stamp)
{
    restored_.clear();
    restoredBytes_.clear();
    drawnSinceRestore_ = false;
    const QByteArray head = kPictureFileHead + deckStamp(stamp) + '\n';
    if (!bytes.startsWith(head))
        return;
    QHash<Key, qsizetype> read;
    qsizetype at = head.size();
    while (at < bytes.size()) {
        EntryHead e{};
        if (bytes.size() - at < static_cast<qsizetype>(sizeof e))
            return;
        std::memcpy(&e, bytes.constData() + at, sizeof e);
        at += static_cast<qsizetype>(sizeof e);
        constexpr int32_t kLargestSide = 4096;
        if (e.width <= 0 || e.height <= 0 || e.width > kLargestSide || e.height > kLargestSide)
            return;
        const qsizetype rowBytes = qsizetype{e.width} * 4;
        if ((bytes.size() - at) / rowBytes < e.height)
            return;
        read.insert(Key{e.kind, e.number, e.width, e.height}, at);
        at += rowBytes * e.height;
    }
    restored_ = std::move(read);
    restoredBytes_ = bytes;
}

QByteArray CardPictures::keptPictures(const QByteArray& stamp) const
{
    QByteArray bytes = kPictureFileHead + deckStamp(stamp) + '\n';
    const auto keep = [&](const Key& k, const uchar* pixels) {
        const EntryHead e{k.kind, k.number, k.width, k.height};
        bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
        bytes.append(reinterpret_cast<const char*>(pixels), qsizetype{k.width} * 4 * k.height);
    };
    const auto ofTable = [this](const Key& k) {
        return (k.kind == kFaceKind || k.kind == kBackKind || k.kind == kMarkerKind) &&
               QSize(k.width, k.height) == tableSize_;
    };
    for (auto it = cache_.cbegin(); it != cache_.cend(); ++it) {
        if (!ofTable(it.key()))
            continue;
        // Rows of 32-bit pixels lie packed, as the entry is read back.
        const QImage image = it.value().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        keep(it.key(), image.constBits());
    }
    // Kept pictures this run did not show stay kept.
    for (auto it = restored_.cbegin(); it != restored_.cend(); ++it)
        if (ofTable(it.key()))
            keep(it.key(), reinterpret_cast<const uchar*>(restoredBytes_.constData() + it.value()));
    return bytes;
}

QPixmap CardPictures::render(int kind, int number, QSize pixelSize)
{
    QImage image = blankImage(pixelSize);
    if (image.isNull())
        return QPixmap();
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
        const QSizeF size(pixelSize);
        switch (kind) {
        case kSplashKind: paint::paintSplash(p, size); break;
        case kCustomKind: paint::paintLandscape(p, size); break;
        default:
            if (faceDeck_ && renderFromDeck(p, kind, number, pixelSize))
                break;
            p.scale(size.width() / paint::kW, size.height() / paint::kH);
            if (kind == kFaceKind)
                paint::paintFace(p, number);
            else if (kind == kBackKind)
                paint::paintBack(p, number);
            else
                paint::paintMarker(p, number);
            break;
        }
    }
    ++renders_;
    return QPixmap::fromImage(std::move(image));
}

bool CardPictures::renderFromDeck(QPainter& p, int kind, int number, QSize pixelSize)
{
    const QRectF whole(QPointF(0, 0), QSizeF(pixelSize));
    if (!faceDeck_->parse()) {
        // A deck that was there at the start and has gone or been damaged
        // since: the drawn faces stand in for the rest of the run.
        qCWarning(lcCardPictures).noquote() << "card deck" << faceDeck_->path()
                                            << "cannot be drawn:" << faceDeck_->error() << "- the drawn faces are used";
        setFaceDeck(nullptr);
        faceDeckDropped_ = true;
        // The pictures already drawn from it were dropped; what is on the
        // table is drawn again.
        drawnSinceRestore_ = true;
        return false;
    }
    if (kind == kFaceKind)
        return faceDeck_->paint(p, number, whole);
    if (kind == kBackKind && number > drawnDeckCount())
        return faceDeck_->paint(p, 0, whole);
    // Drawn backs and markers take the shape of the deck's cards, so that a
    // card turned over keeps its size and an empty pile lines up with the
    // cards put on it; a rank marker shows the deck's own card of that rank,
    // faint.
    QSizeF shape(faceDeck_->aspect(), 1.0);
    shape.scale(whole.size(), Qt::KeepAspectRatio);
    const QRectF place(whole.center() - QPointF(shape.width() / 2, shape.height() / 2), shape);
    if (kind == kBackKind) {
        p.translate(place.topLeft());
        p.scale(place.width() / paint::kW, place.height() / paint::kH);
        paint::paintBack(p, number);
        return true;
    }
    if (number <= 12) {
        p.save();
        p.setOpacity(0.28);
        faceDeck_->paint(p, number + 1, place);
        p.restore();
    }
    p.save();
    p.translate(place.topLeft());
    p.scale(place.width() / paint::kW, place.height() / paint::kH);
    paint::paintMarker(p, number);
    p.restore();
    return true;
}
