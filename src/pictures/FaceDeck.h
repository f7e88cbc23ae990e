#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <future>
#include <memory>

class QPainter;
class QSvgRenderer;

// A deck of card faces drawn from one SVG file (plain or gzip-compressed),
// every card a named element of it: "1_club" .. "king_heart" or
// "club_1" .. "heart_king", and "back". A deck is either such a file or a
// folder holding one, with an index.desktop naming the file and the deck.
//
// Opening a deck only reads its name and the file's size and time; the SVG
// is parsed once, when the first picture is asked for (or beforehand on a
// thread of its own, see `parseSoon`), and kept.
class FaceDeck final {
public:
    // Picture 0 is the deck's back, 1 .. 52 the faces (Suit x 13 + Num + 1;
    // suits 0 spades, 1 hearts, 2 clubs, 3 diamonds; Num 0 is the Ace).
    static constexpr int kPictures = 53;

    // A deck file or folder; RunTimeError (file not found) when there is no
    // SVG file there.
    explicit FaceDeck(const QString& path);
    ~FaceDeck();
    FaceDeck(const FaceDeck&) = delete;
    FaceDeck& operator=(const FaceDeck&) = delete;

    // The path it was opened with, and the SVG file it reads.
    const QString& path() const { return path_; }
    const QString& file() const { return file_; }
    // The index.desktop's Name, else the file's name made readable.
    const QString& name() const { return name_; }
    // Names the file as it is now (its path, size and time): pictures
    // drawn from another version of it are not this deck's.
    const QByteArray& stamp() const { return stamp_; }

    // Parses the SVG if not yet done. False when it cannot be read or lacks
    // a card; `error()` then says why, and no picture is drawn.
    bool parse();
    const QString& error() const { return error_; }
    // Starts parsing the SVG on a thread of its own, so that a large deck is
    // ready by the time its first picture is asked for (while the splash
    // window shows, say); `parse` then waits for it. Does nothing when it
    // is parsed or being parsed already.
    void parseSoon();

    // The card's shape, width over height.
    double aspect();
    // Draws picture 0 .. 52 into `target`, keeping the card's shape,
    // centred. False when the deck cannot be parsed.
    bool paint(QPainter& painter, int picture, const QRectF& target);
    // Picture 0 .. 52 on a transparent image of `pixelSize`.
    QImage picture(int picture, QSize pixelSize);

    // The element id of picture 0 .. 52 in either naming, KDE's first.
    static QStringList elementIds(int picture);
    // The readable name of a deck file: "anglo_modern" -> "Anglo Modern".
    static QString readableName(const QString& file);

private:
    // What parsing the file gave: the renderer with every card's element
    // id and bounds, or why there is none.
    struct Parsed {
        std::unique_ptr<QSvgRenderer> renderer;
        std::array<QString, kPictures> ids;
        std::array<QRectF, kPictures> bounds;
        QString error;
    };
    static Parsed parseFile(const QString& file);

    QString path_;
    QString file_;
    QString name_;
    QByteArray stamp_;
    bool parsed_ = false;
    QString error_;
    std::unique_ptr<QSvgRenderer> renderer_;
    std::array<QString, kPictures> ids_;
    std::array<QRectF, kPictures> bounds_;
    std::future<Parsed> pending_;
};

// A deck found in the deck folders.
struct FaceDeckEntry {
    QString path;
    QString name;
};

namespace faceDecks {
// The folders searched, in order: the player's own
// (<data home>/tablora/decks), then carddecks/ and aisleriot/cards/ under
// every XDG data folder and /usr/share.
QStringList folders();
// Whether the deck at `path` can be read and holds every card and a back,
// without drawing it: an empty text when it can, else the reason.
QString check(const QString& path);
// The decks in `folders` (each a deck file or folder inside one) that pass
// `check`, by name; each one left out is logged with its reason. `checked`,
// when given, keeps the checks' results by deck stamp, so a deck is checked
// again only when its file changed.
QList<FaceDeckEntry> find(const QStringList& folders, QHash<QByteArray, QString>* checked = nullptr);
} // namespace faceDecks
