// The card picture library: the cache of pictures drawn so far and the deck
// table's queries. The drawing itself lives in the painting files, one
// subject to a file (Faces, CourtFigures, Backs, Markers, Splash), on the
// helpers of Painting.h.

#include "pictures/CardPictures.h"

#include "pictures/Painting.h"
#include "rules/RunTimeError.h"

#include <QPainter>

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

} // namespace

CardPictures::CardPictures() = default;

int16_t CardPictures::deckCount() const { return static_cast<int16_t>(paint::decks().size()); }

QList<CardPictures::Category> CardPictures::deckCategories() const
{
    QList<Category> list;
    for (const paint::DeckCategory& c : paint::categories())
        list.append({QString::fromLatin1(c.key), QString::fromLatin1(c.text)});
    return list;
}

QString CardPictures::deckCategory(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    return QString::fromLatin1(paint::decks()[static_cast<size_t>(deckIndex - 1)].category);
}

QString CardPictures::deckName(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    return QString::fromLatin1(paint::decks()[static_cast<size_t>(deckIndex - 1)].name);
}

QPixmap CardPictures::face(int16_t pictureNumber, QSize pixelSize)
{
    if (pictureNumber < 1 || pictureNumber > kFaces)
        throw RunTimeError::subscript();
    return cached(kFaceKind, pictureNumber, pixelSize);
}

QPixmap CardPictures::back(int16_t deckIndex, QSize pixelSize)
{
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

void CardPictures::clearCache() { cache_.clear(); }

QPixmap CardPictures::cached(int kind, int number, QSize pixelSize)
{
    if (pixelSize.isEmpty())
        return QPixmap();
    const Key key{kind, number, pixelSize.width(), pixelSize.height()};
    const auto it = cache_.constFind(key);
    if (it != cache_.constEnd())
        return *it;
    const QPixmap picture = render(kind, number, pixelSize);
    if (!picture.isNull())
        cache_.insert(key, picture);
    return picture;
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
