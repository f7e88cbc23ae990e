#pragma once

#include "data/DefaultPicture.h"
#include "pictures/FaceDeck.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <memory>

// The card picture library: every card face, card back and empty-place
// marker, the splash picture and the default background picture, drawn by
// the program itself so they are sharp at any size. Pictures are asked for
// at the size in device pixels they will be shown at, and cached: nothing is
// drawn twice at the same size. A card is 1065 x 1440 twips; pictures keep
// that shape.
class QPainter;

class CardPictures final : public DefaultPictureSource {
public:
    static constexpr int kFaces = 52;
    static constexpr int kMarkers = 17;
    // The back shown when a deck asked for is no longer there.
    static constexpr int16_t kDefaultBack = 7;

    struct Category {
        QString key;
        QString text;
    };

    CardPictures();

    // Decks, 1 .. deckCount(), grouped in categories: the drawn backs, and
    // after them the face deck's own back when an SVG face deck is chosen.
    int16_t deckCount() const;
    static int16_t drawnDeckCount();
    QList<Category> deckCategories() const;
    // The key of the deck's category; a deck outside 1 .. deckCount() is a
    // subscript error.
    QString deckCategory(int16_t deckIndex) const;
    QString deckName(int16_t deckIndex) const;

    // Face picture 1 .. 52 (Suit x 13 + Num + 1; suits 0 spades, 1 hearts,
    // 2 clubs, 3 diamonds), a deck's back, marker 0 .. 16 (rank markers
    // Ace .. King, 13 run foundation, 14 empty place, 15 no redeal,
    // 16 redeal). A number out of range is a subscript error.
    QPixmap face(int16_t pictureNumber, QSize pixelSize);
    QPixmap back(int16_t deckIndex, QSize pixelSize);
    QPixmap marker(int16_t markerNumber, QSize pixelSize);
    // The title picture of the splash window.
    QPixmap splash(QSize pixelSize);
    // The picture saved as the default custom background.
    QImage defaultCustomImage(QSize pixelSize = QSize(800, 600));
    bool saveDefaultCustomImage(const QString& path) override;

    // The SVG deck the faces (and markers, and one more back) are drawn
    // from; none for the program's own drawn faces. Pictures of another
    // deck are dropped.
    void setFaceDeck(std::shared_ptr<FaceDeck> deck);
    const std::shared_ptr<FaceDeck>& faceDeck() const { return faceDeck_; }
    // The decks in `folders` (faceDecks::folders() on a real run), each
    // checked once a run.
    QList<FaceDeckEntry> findFaceDecks(const QStringList& folders);

    // Called at start-up and when the deck or background window closes;
    // drops pictures no longer needed.
    void prepare();
    // Notifications at the set-up of a game.
    void cardsCreated() {}
    void markersShown() {}

    // While the window is being resized, a picture of the table not yet
    // drawn at the asked size is given at a size already drawn, for the
    // caller to scale; the exact pictures come once the size settles.
    void setQuick(bool quick) { quick_ = quick; }

    // A frame of the table. Once `budget` has gone by in it, a picture of
    // the table not drawn yet at the asked size is given at a size already
    // drawn (or kept from the last run), for the caller to scale, and the
    // frame is unfinished: the next frame draws on where it stopped. So a
    // deck whose cards are slow to draw never holds the table still for
    // long. A picture with no other size is always drawn, and so is the
    // first one a frame wants, so that every frame draws on.
    void beginFrame(std::chrono::milliseconds budget);
    // Ends the frame: true when some picture was given at another size.
    bool endFrame();

    // Pictures drawn so far, and kept now (for tests and benchmarks).
    int renderCount() const { return renders_; }
    qsizetype keptCount() const { return cache_.size(); }
    // The size, in device pixels, of the last face asked for.
    QSize lastFaceSize() const { return tableSize_; }
    // How many sizes of the table's pictures are kept at the most.
    static constexpr int kTableSizesKept = 2;
    void clearCache();

    // The pictures of the table can be kept between runs: `keptPictures`
    // gives the faces, backs and markers of the size the table last used as
    // bytes, and `restorePictures` takes such bytes back, so those pictures
    // are shown from them instead of drawn again. `stamp` names the build
    // that drew them; bytes of another build, or damaged ones, are ignored,
    // so a picture drawn differently is never shown from older bytes.
    QByteArray keptPictures(const QByteArray& stamp) const;
    void restorePictures(const QByteArray& bytes, const QByteArray& stamp);
    // A picture of the table (a face, back or marker) was drawn since the
    // last restore, and a face has been shown.
    bool drawnSinceRestore() const { return drawnSinceRestore_ && !tableSize_.isEmpty(); }

private:
    // A picture's kind (face, back, marker, splash, background picture),
    // its number within the kind and its size in device pixels.
    struct Key {
        int kind;
        int number;
        int width;
        int height;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& k, size_t seed = 0)
        {
            return qHashMulti(seed, k.kind, k.number, k.width, k.height);
        }
    };

    QPixmap cached(int kind, int number, QSize pixelSize);
    QPixmap render(int kind, int number, QSize pixelSize);
    // Draws with the face deck; false when it cannot be drawn (it is then
    // dropped for the drawn faces).
    bool renderFromDeck(QPainter& p, int kind, int number, QSize pixelSize);
    QByteArray deckStamp(const QByteArray& stamp) const;

    // Drops the table's pictures of all but the sizes used last.
    void keepTableSize(QSize pixelSize);
    // The picture at a size other than `key`'s that is drawn already or
    // kept from the last run, the size in use first; none when there is
    // none.
    QPixmap otherSize(const Key& key) const;
    // The picture whose pixels start at `at` in the restored bytes.
    QPixmap restoredPicture(const Key& key, qsizetype at) const;

    QHash<Key, QPixmap> cache_;
    int renders_ = 0;
    // The sizes of the table's pictures, the one in use first: a window
    // resized again and again keeps the pictures of two sizes only.
    QList<QSize> tableSizes_;
    bool quick_ = false;
    // The frame being drawn: since when, for how long, whether some
    // picture was given at another size.
    bool inFrame_ = false;
    std::chrono::steady_clock::time_point frameStart_;
    std::chrono::milliseconds frameBudget_{0};
    bool frameUnfinished_ = false;
    bool frameDrew_ = false;

    // Restored bytes, and where each picture's pixels start in them (read
    // when the picture is first shown); the size of the last face shown,
    // whose pictures are worth keeping.
    QByteArray restoredBytes_;
    QHash<Key, qsizetype> restored_;
    bool drawnSinceRestore_ = false;
    QSize tableSize_;

    std::shared_ptr<FaceDeck> faceDeck_;
    // A face deck was dropped this run because it could not be drawn.
    bool faceDeckDropped_ = false;
    QHash<QByteArray, QString> checkedDecks_;
};
