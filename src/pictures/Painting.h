#pragma once

// The drawing shared by the card picture library's painting files; a private
// header of src/pictures. Every picture is painted with QPainter at the size
// it is asked for: faces, backs and markers are drawn in card units
// (1065 x 1440, the card's size in twips) under a scale to the requested
// pixels, so the same drawing serves 50 px and 300 px wide cards alike.

#include "rules/Card.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <cstdint>
#include <numbers>
#include <span>

namespace pictures::paint {

inline constexpr double kW = card::kWidth;
inline constexpr double kH = card::kHeight;
inline constexpr double kPi = std::numbers::pi;

inline const QColor kRedInk(0xc4, 0x12, 0x24);
inline const QColor kBlackInk(0x1b, 0x1b, 0x1f);
inline const QColor kGold(0xe2, 0xb0, 0x3a);

inline constexpr std::array<const char*, 13> kRanks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// ---------------------------------------------------------------------------
// Drawing helpers

// Units of the drawing per device pixel, so hairlines stay one pixel thick
// whatever the scale.
double pixelUnit(const QPainter& p);

QFont pictureFont(const QString& family, bool bold);
QPainterPath textPath(const QString& text, const QFont& font);

// Scales a path uniformly so it fits the box and centres it there. With
// `stretch` the path fills the box's height and is squeezed to its width
// only when too wide (a condensed "10").
QPainterPath fitted(const QPainterPath& path, const QRectF& box, bool stretch = false);

QPainterPath roundedRect(const QRectF& r, double radius);

// A simple repeatable random sequence for scattered stars and leaves.
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state_(seed) {}
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }

private:
    uint32_t state_;
};

QPainterPath starPath(QPointF c, double outer, double inner, int points = 5, double turn = -90.0);

// ---------------------------------------------------------------------------
// Suit symbols

inline bool isRed(int suit) { return suit == 1 || suit == 3; }
inline QColor suitInk(int suit) { return isRed(suit) ? kRedInk : kBlackInk; }

// A suit symbol `height` units high centred on c, upside down if asked.
QPainterPath pip(int suit, QPointF c, double height, bool inverted = false);

// ---------------------------------------------------------------------------
// The card blank shared by faces and backs.

void paintBlank(QPainter& p, const QColor& fill = Qt::white);

// ---------------------------------------------------------------------------
// Scenery shared by the scene backs and the default background picture.

void hillLayer(QPainter& p, const QRectF& r, double base, double amp, double phase, const QColor& top,
               const QColor& bottom);

// A cloud: overlapping puffs filled as one shape, so the overlaps do not
// show through.
QPainterPath cloud(QPointF at, double scale);

void pine(QPainter& p, QPointF foot, double height, const QColor& c);

// ---------------------------------------------------------------------------
// The pictures, one subject to a file. Faces, backs and markers draw in card
// units; the splash and the background picture are given their size.

// Faces.cpp: face picture 1 .. 52 (Suit x 13 + Num + 1).
void paintFace(QPainter& p, int pictureNumber);

// CourtFigures.cpp: the framed figures of a jack, queen or king (num 10 ..
// 12), drawn over the card blank.
void paintCourt(QPainter& p, int suit, int num);

// Backs.cpp: the deck table and the backs, deck 1 .. decks().size().
struct Deck {
    const char* category;
    const char* name;
};

struct DeckCategory {
    const char* key;
    const char* text;
};

// The decks in the order of their numbers, and their categories.
std::span<const Deck> decks();
std::span<const DeckCategory> categories();

void paintBack(QPainter& p, int deckIndex);

// Markers.cpp: marker 0 .. 16.
void paintMarker(QPainter& p, int number);

// Splash.cpp: the splash window's title picture and the default background
// picture.
void paintSplash(QPainter& p, QSizeF size);
void paintLandscape(QPainter& p, QSizeF size);

} // namespace pictures::paint
