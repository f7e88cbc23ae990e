// The card picture library. Every picture is painted with QPainter at the
// size it is asked for: faces, backs and markers are drawn in card units
// (1065 x 1440, the card's size in twips) under a scale to the requested
// pixels, so the same drawing serves 50 px and 300 px wide cards alike.

#include "pictures/CardPictures.h"

#include "rules/RunTimeError.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kW = 1065.0;
constexpr double kH = 1440.0;
constexpr double kPi = std::numbers::pi;

enum Kind { kFaceKind, kBackKind, kMarkerKind, kSplashKind, kCustomKind };

const QColor kRedInk(0xc4, 0x12, 0x24);
const QColor kBlackInk(0x1b, 0x1b, 0x1f);
const QColor kGold(0xe2, 0xb0, 0x3a);
const QColor kDarkGold(0x9a, 0x6c, 0x12);
const QColor kSkin(0xf7, 0xd9, 0xb6);
const QColor kCream(0xfd, 0xf7, 0xe6);

// ---------------------------------------------------------------------------
// Drawing helpers

// Units of the drawing per device pixel, so hairlines stay one pixel thick
// whatever the scale.
double pixelUnit(const QPainter& p)
{
    const double scale = std::sqrt(std::abs(p.transform().determinant()));
    return scale > 0 ? 1.0 / scale : 1.0;
}

QFont pictureFont(const QString& family, bool bold)
{
    QFont font(family);
    font.setPixelSize(200);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

QPainterPath textPath(const QString& text, const QFont& font)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Scales a path uniformly so it fits the box and centres it there. With
// `stretch` the path fills the box's height and is squeezed to its width
// only when too wide (a condensed "10").
QPainterPath fitted(const QPainterPath& path, const QRectF& box, bool stretch = false)
{
    const QRectF r = path.boundingRect();
    if (r.isEmpty())
        return path;
    double sy = box.height() / r.height();
    double sx = box.width() / r.width();
    if (stretch) {
        sx = std::min(sx, sy);
    } else {
        sx = sy = std::min(sx, sy);
    }
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(path);
}

QPainterPath roundedRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

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

QPainterPath starPath(QPointF c, double outer, double inner, int points = 5, double turn = -90.0)
{
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const double a = (turn + i * 180.0 / points) * kPi / 180.0;
        const double r = (i % 2 == 0) ? outer : inner;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------------------
// Suit symbols: paths one unit high, centred on the origin.

bool isRed(int suit) { return suit == 1 || suit == 3; }
QColor suitInk(int suit) { return isRed(suit) ? kRedInk : kBlackInk; }

QPainterPath spadePath()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.12, -0.32, 0.5, -0.12, 0.5, 0.12);
    p.cubicTo(0.5, 0.3, 0.37, 0.38, 0.26, 0.38);
    p.cubicTo(0.15, 0.38, 0.07, 0.33, 0.04, 0.26);
    p.cubicTo(0.05, 0.38, 0.11, 0.46, 0.21, 0.5);
    p.lineTo(-0.21, 0.5);
    p.cubicTo(-0.11, 0.46, -0.05, 0.38, -0.04, 0.26);
    p.cubicTo(-0.07, 0.33, -0.15, 0.38, -0.26, 0.38);
    p.cubicTo(-0.37, 0.38, -0.5, 0.3, -0.5, 0.12);
    p.cubicTo(-0.5, -0.12, -0.12, -0.32, 0, -0.5);
    p.closeSubpath();
    return p;
}

QPainterPath heartPath()
{
    QPainterPath p;
    p.moveTo(0, 0.5);
    p.cubicTo(-0.16, 0.3, -0.52, 0.08, -0.52, -0.18);
    p.cubicTo(-0.52, -0.38, -0.38, -0.5, -0.25, -0.5);
    p.cubicTo(-0.12, -0.5, -0.03, -0.42, 0, -0.3);
    p.cubicTo(0.03, -0.42, 0.12, -0.5, 0.25, -0.5);
    p.cubicTo(0.38, -0.5, 0.52, -0.38, 0.52, -0.18);
    p.cubicTo(0.52, 0.08, 0.16, 0.3, 0, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath clubPath()
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    const double r = 0.215;
    p.addEllipse(QPointF(0, -0.275), r, r);
    p.addEllipse(QPointF(-0.265, 0.07), r, r);
    p.addEllipse(QPointF(0.265, 0.07), r, r);
    QPainterPath core;
    core.addEllipse(QPointF(0, 0.0), 0.13, 0.16);
    p.addPath(core);
    QPainterPath stem;
    stem.moveTo(-0.045, 0.05);
    stem.lineTo(0.045, 0.05);
    stem.cubicTo(0.05, 0.3, 0.11, 0.45, 0.21, 0.5);
    stem.lineTo(-0.21, 0.5);
    stem.cubicTo(-0.11, 0.45, -0.05, 0.3, -0.045, 0.05);
    stem.closeSubpath();
    p.addPath(stem);
    return p.simplified();
}

QPainterPath diamondPath()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.quadTo(0.16, -0.2, 0.4, 0);
    p.quadTo(0.16, 0.2, 0, 0.5);
    p.quadTo(-0.16, 0.2, -0.4, 0);
    p.quadTo(-0.16, -0.2, 0, -0.5);
    p.closeSubpath();
    return p;
}

const QPainterPath& suitPath(int suit)
{
    static const std::array<QPainterPath, 4> paths{spadePath(), heartPath(), clubPath(), diamondPath()};
    return paths[static_cast<size_t>(suit)];
}

// A suit symbol `height` units high centred on c, upside down if asked.
QPainterPath pip(int suit, QPointF c, double height, bool inverted = false)
{
    QTransform t;
    t.translate(c.x(), c.y());
    t.scale(height, height);
    if (inverted)
        t.rotate(180);
    return t.map(suitPath(suit));
}

// ---------------------------------------------------------------------------
// The card blank shared by faces and backs.

void paintBlank(QPainter& p, const QColor& fill = Qt::white)
{
    const double px = pixelUnit(p);
    const double pen = std::max(px, 8.0);
    const QRectF r(pen / 2, pen / 2, kW - pen, kH - pen);
    p.setPen(QPen(QColor(0x6e, 0x6e, 0x6e), pen));
    QLinearGradient paper(0, 0, kW, kH);
    paper.setColorAt(0, fill);
    paper.setColorAt(1, fill.darker(104));
    p.setBrush(paper);
    p.drawRoundedRect(r, 70, 70);
}

// ---------------------------------------------------------------------------
// Faces

const std::array<const char*, 13> kRanks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The rank and a small suit in the top left corner; the caller turns the
// card to draw the opposite corner.
void paintIndex(QPainter& p, int suit, int num)
{
    const QColor ink = suitInk(suit);
    const QFont font = pictureFont(QStringLiteral("DejaVu Sans Condensed"), true);
    const QString rank = QString::fromLatin1(kRanks[static_cast<size_t>(num)]);
    const double cx = 112;
    const QRectF rankBox(cx - (num == 9 ? 82 : 70), 52, num == 9 ? 164 : 140, 178);
    QPainterPath text = fitted(textPath(rank, font), rankBox, num == 9);
    p.fillPath(text, ink);
    p.fillPath(pip(suit, QPointF(cx, 334), 128), ink);
}

struct PipPlace {
    double x;
    double y;
};

// Classic pip places for 2 .. 10, in card units; pips below the middle
// are drawn upside down.
std::vector<PipPlace> pipPlaces(int count)
{
    constexpr double l = 336, m = 532.5, r = 729;
    constexpr double top = 272, bottom = 1168;
    const double row = (bottom - top) / 3.0;
    const double r1 = top + row, r2 = top + 2 * row;
    constexpr double mid = 720;
    switch (count) {
    case 2: return {{m, top}, {m, bottom}};
    case 3: return {{m, top}, {m, mid}, {m, bottom}};
    case 4: return {{l, top}, {r, top}, {l, bottom}, {r, bottom}};
    case 5: return {{l, top}, {r, top}, {m, mid}, {l, bottom}, {r, bottom}};
    case 6: return {{l, top}, {r, top}, {l, mid}, {r, mid}, {l, bottom}, {r, bottom}};
    case 7: return {{l, top}, {r, top}, {m, (top + mid) / 2}, {l, mid}, {r, mid}, {l, bottom}, {r, bottom}};
    case 8:
        return {{l, top},    {r, top},   {m, (top + mid) / 2}, {l, mid}, {r, mid}, {m, (mid + bottom) / 2},
                {l, bottom}, {r, bottom}};
    case 9: return {{l, top}, {r, top}, {l, r1}, {r, r1}, {m, mid}, {l, r2}, {r, r2}, {l, bottom}, {r, bottom}};
    case 10:
        return {{l, top}, {r, top}, {m, (top + r1) / 2},    {l, r1},     {r, r1},
                {l, r2},  {r, r2},  {m, (r2 + bottom) / 2}, {l, bottom}, {r, bottom}};
    default: return {};
    }
}

void paintPips(QPainter& p, int suit, int num)
{
    const QColor ink = suitInk(suit);
    if (num == 0) {
        // The ace: one large pip; the ace of spades gets a little more.
        const double size = suit == 0 ? 600 : 520;
        if (suit == 0) {
            p.setPen(QPen(kDarkGold, 10));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(532.5, 720), 380, 380);
            p.setPen(QPen(kGold, 5));
            p.drawEllipse(QPointF(532.5, 720), 355, 355);
        }
        p.fillPath(pip(suit, QPointF(532.5, 720), size), ink);
        if (suit == 0)
            p.fillPath(pip(suit, QPointF(532.5, 690), 170), Qt::white);
        return;
    }
    const double size = suit == 3 ? 206 : 188;
    for (const PipPlace& place : pipPlaces(num + 1))
        p.fillPath(pip(suit, QPointF(place.x, place.y), size, place.y > 721), ink);
}

// Court cards --------------------------------------------------------------

constexpr double kFrameLeft = 212, kFrameRight = kW - 212, kFrameTop = 132, kFrameBottom = kH - 132;

struct CourtColours {
    QColor robe; // the suit's colour
    QColor trim; // the contrasting second colour
    QColor hair;
};

CourtColours courtColours(int suit, int num)
{
    CourtColours c;
    if (isRed(suit)) {
        c.robe = QColor(0xc6, 0x28, 0x28);
        c.trim = QColor(0x24, 0x4f, 0x9e);
    } else {
        c.robe = QColor(0x25, 0x2a, 0x36);
        c.trim = QColor(0xc6, 0x28, 0x28);
    }
    c.hair = num == 12 ? QColor(0xe9, 0xe4, 0xd8) : num == 11 ? QColor(0xe0, 0xa8, 0x3a) : QColor(0x7a, 0x4a, 0x1f);
    return c;
}

void strokeFill(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line = kBlackInk,
                double width = 7)
{
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// The upper figure of a court card, drawn in card units above the divider:
// hair, robe with the suit on the chest, head and head-dress, and the item
// held at the right (the king's sword, the queen's flower, the jack's
// halberd).
void paintFigure(QPainter& p, int suit, int num)
{
    const CourtColours c = courtColours(suit, num);
    const double cx = 532.5;
    const bool king = num == 12, queen = num == 11, jack = num == 10;
    QLinearGradient gold(0, 130, 0, 280);
    gold.setColorAt(0, QColor(0xfb, 0xe0, 0x7a));
    gold.setColorAt(1, kGold.darker(112));

    // Hair and veil behind the shoulders.
    if (queen) {
        QPainterPath veil;
        veil.moveTo(cx - 95, 250);
        veil.cubicTo(cx - 190, 300, cx - 200, 460, cx - 215, 560);
        veil.lineTo(cx + 215, 560);
        veil.cubicTo(cx + 200, 460, cx + 190, 300, cx + 95, 250);
        veil.closeSubpath();
        strokeFill(p, veil, c.trim, kBlackInk, 6);
    }
    if (!jack) {
        QPainterPath hair;
        hair.moveTo(cx - 92, 290);
        hair.cubicTo(cx - 130, 380, cx - 125, 460, cx - 160, 520);
        hair.lineTo(cx + 160, 520);
        hair.cubicTo(cx + 125, 460, cx + 130, 380, cx + 92, 290);
        hair.closeSubpath();
        strokeFill(p, hair, c.hair, kBlackInk, 6);
    } else {
        QPainterPath curls;
        for (int side : {-1, 1}) {
            curls.addEllipse(QPointF(cx + side * 88, 350), 40, 52);
            curls.addEllipse(QPointF(cx + side * 100, 410), 38, 44);
        }
        strokeFill(p, curls.simplified(), c.hair, kBlackInk, 5);
    }

    // Robe and sleeves, running on under the divider.
    QPainterPath robe;
    robe.moveTo(cx - 250, 800);
    robe.lineTo(cx - 250, 600);
    robe.cubicTo(cx - 245, 530, cx - 190, 490, cx - 80, 468);
    robe.lineTo(cx + 80, 468);
    robe.cubicTo(cx + 190, 490, cx + 245, 530, cx + 250, 600);
    robe.lineTo(cx + 250, 800);
    robe.closeSubpath();
    strokeFill(p, robe, c.robe, kBlackInk, 7);
    for (int side : {-1, 1}) {
        QPainterPath sleeve;
        sleeve.moveTo(cx + side * 168, 494);
        sleeve.cubicTo(cx + side * 220, 515, cx + side * 246, 550, cx + side * 250, 600);
        sleeve.lineTo(cx + side * 250, 800);
        sleeve.lineTo(cx + side * 180, 800);
        sleeve.cubicTo(cx + side * 176, 640, cx + side * 180, 560, cx + side * 168, 494);
        sleeve.closeSubpath();
        strokeFill(p, sleeve, c.trim, kBlackInk, 5);
        p.setPen(QPen(kGold, 10));
        p.drawLine(QPointF(cx + side * 190, 560), QPointF(cx + side * 190, 800));
        p.setPen(QPen(kGold, 4));
        for (double y = 590; y < 800; y += 50)
            p.drawLine(QPointF(cx + side * 205, y), QPointF(cx + side * 240, y + 18));
    }

    // A broad gold band down the front with the suit on the chest.
    QPainterPath band;
    band.moveTo(cx - 72, 490);
    band.lineTo(cx + 72, 490);
    band.lineTo(cx + 98, 800);
    band.lineTo(cx - 98, 800);
    band.closeSubpath();
    strokeFill(p, band, gold, kBlackInk, 6);
    QPainterPath beads;
    for (double y : {560.0, 690.0})
        for (int side : {-1, 1})
            beads.addEllipse(QPointF(cx + side * 48, y), 11, 11);
    strokeFill(p, beads, c.trim, kBlackInk, 3);
    strokeFill(p, pip(suit, QPointF(cx, 625), 100), suitInk(suit), Qt::white, 6);

    // Collar: ermine for the king, gold for the queen, white lace for the jack.
    QPainterPath collar;
    collar.moveTo(cx - 150, 478);
    collar.cubicTo(cx - 100, 590, cx + 100, 590, cx + 150, 478);
    collar.cubicTo(cx + 90, 512, cx - 90, 512, cx - 150, 478);
    collar.closeSubpath();
    strokeFill(p, collar,
               king    ? QBrush(Qt::white)
               : queen ? QBrush(gold)
                       : QBrush(QColor(0xf7, 0xf5, 0xee)),
               kBlackInk, 5);
    if (king) {
        for (double x : {cx - 85, cx - 28, cx + 28, cx + 85})
            p.fillRect(QRectF(x - 6, 525 + (std::abs(x - cx) < 50 ? 12 : 0), 12, 24), kBlackInk);
    } else if (jack) {
        p.setPen(QPen(kBlackInk, 3));
        for (double x = cx - 110; x <= cx + 110; x += 36)
            p.drawLine(QPointF(x, 512 + std::abs(x - cx) * -0.2),
                       QPointF(x * 0.96 + cx * 0.04, 548 - std::abs(x - cx) * 0.35));
    }

    // Neck and head.
    strokeFill(p, roundedRect(QRectF(cx - 34, 400, 68, 95), 12), kSkin, kBlackInk, 5);
    QPainterPath face;
    face.addEllipse(QPointF(cx, 330), 84, 100);
    strokeFill(p, face, kSkin, kBlackInk, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x8a, 0x8a, 110));
    p.drawEllipse(QPointF(cx - 50, 368), 18, 12);
    p.drawEllipse(QPointF(cx + 50, 368), 18, 12);
    p.setBrush(kBlackInk);
    p.drawEllipse(QPointF(cx - 32, 322), 9, 11);
    p.drawEllipse(QPointF(cx + 32, 322), 9, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlackInk, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(cx - 56, 292, 46, 24), 20 * 16, 140 * 16);
    p.drawArc(QRectF(cx + 10, 292, 46, 24), 20 * 16, 140 * 16);
    QPainterPath nose;
    nose.moveTo(cx - 4, 334);
    nose.cubicTo(cx - 8, 350, cx - 14, 362, cx - 6, 368);
    nose.quadTo(cx + 2, 372, cx + 10, 366);
    p.drawPath(nose);
    if (king) {
        QPainterPath beard;
        beard.moveTo(cx - 84, 345);
        beard.cubicTo(cx - 82, 440, cx - 40, 490, cx, 512);
        beard.cubicTo(cx + 40, 490, cx + 82, 440, cx + 84, 345);
        beard.cubicTo(cx + 60, 395, cx + 30, 380, cx, 382);
        beard.cubicTo(cx - 30, 380, cx - 60, 395, cx - 84, 345);
        beard.closeSubpath();
        strokeFill(p, beard, c.hair, kBlackInk, 5);
        p.setPen(QPen(c.hair.darker(140), 3));
        for (int i = -2; i <= 2; ++i)
            p.drawLine(QPointF(cx + i * 22, 420), QPointF(cx + i * 16, 470));
        QPainterPath moustache;
        moustache.moveTo(cx - 52, 400);
        moustache.cubicTo(cx - 25, 376, cx - 6, 380, cx, 388);
        moustache.cubicTo(cx + 6, 380, cx + 25, 376, cx + 52, 400);
        moustache.cubicTo(cx + 25, 392, cx - 25, 392, cx - 52, 400);
        strokeFill(p, moustache, c.hair.darker(110), kBlackInk, 4);
        p.setPen(QPen(QColor(0xb2, 0x22, 0x22), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx - 12, 404), QPointF(cx + 12, 404));
    } else {
        p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(cx - 24, 378, 48, 24), 200 * 16, 140 * 16);
    }

    // Head-dress.
    if (king) {
        QPainterPath crown;
        crown.moveTo(cx - 92, 262);
        crown.lineTo(cx - 108, 158);
        crown.lineTo(cx - 54, 205);
        crown.lineTo(cx, 132);
        crown.lineTo(cx + 54, 205);
        crown.lineTo(cx + 108, 158);
        crown.lineTo(cx + 92, 262);
        crown.closeSubpath();
        strokeFill(p, crown, gold, kBlackInk, 6);
        strokeFill(p, roundedRect(QRectF(cx - 100, 234, 200, 40), 8), c.robe, kBlackInk, 5);
        QPainterPath pearls;
        pearls.addEllipse(QPointF(cx - 108, 156), 15, 15);
        pearls.addEllipse(QPointF(cx, 130), 16, 16);
        pearls.addEllipse(QPointF(cx + 108, 156), 15, 15);
        strokeFill(p, pearls, Qt::white, kBlackInk, 4);
        QPainterPath gem;
        gem.addEllipse(QPointF(cx, 200), 17, 22);
        strokeFill(p, gem, c.trim, kBlackInk, 4);
        for (double x : {cx - 60, cx + 60}) {
            QPainterPath stone;
            stone.addEllipse(QPointF(x, 254), 11, 11);
            strokeFill(p, stone, kGold, kBlackInk, 3);
        }
        p.fillPath(pip(suit, QPointF(cx, 254), 26), Qt::white);
    } else if (queen) {
        QPainterPath crown;
        crown.moveTo(cx - 90, 262);
        crown.cubicTo(cx - 100, 215, cx - 80, 190, cx - 62, 182);
        crown.cubicTo(cx - 50, 210, cx - 34, 222, cx - 25, 175);
        crown.cubicTo(cx - 17, 150, cx + 17, 150, cx + 25, 175);
        crown.cubicTo(cx + 34, 222, cx + 50, 210, cx + 62, 182);
        crown.cubicTo(cx + 80, 190, cx + 100, 215, cx + 90, 262);
        crown.closeSubpath();
        strokeFill(p, crown, gold, kBlackInk, 6);
        QPainterPath pearls;
        pearls.addEllipse(QPointF(cx - 62, 178), 12, 12);
        pearls.addEllipse(QPointF(cx, 152), 14, 14);
        pearls.addEllipse(QPointF(cx + 62, 178), 12, 12);
        strokeFill(p, pearls, Qt::white, kBlackInk, 4);
        strokeFill(p, roundedRect(QRectF(cx - 94, 236, 188, 30), 10), c.robe, kBlackInk, 4);
        QPainterPath gem;
        gem.addEllipse(QPointF(cx, 212), 13, 16);
        strokeFill(p, gem, c.robe, kBlackInk, 3);
    } else {
        QPainterPath feather;
        feather.moveTo(cx + 50, 236);
        feather.cubicTo(cx + 120, 225, cx + 160, 185, cx + 150, 140);
        feather.cubicTo(cx + 120, 180, cx + 85, 200, cx + 35, 214);
        feather.closeSubpath();
        strokeFill(p, feather, c.trim, kBlackInk, 5);
        p.setPen(QPen(kBlackInk, 3));
        p.drawLine(QPointF(cx + 50, 228), QPointF(cx + 145, 150));
        QPainterPath cap;
        cap.moveTo(cx - 104, 268);
        cap.cubicTo(cx - 125, 185, cx - 40, 160, cx + 20, 166);
        cap.cubicTo(cx + 100, 175, cx + 125, 220, cx + 104, 268);
        cap.closeSubpath();
        strokeFill(p, cap, c.robe, kBlackInk, 6);
        strokeFill(p, roundedRect(QRectF(cx - 108, 236, 216, 38), 16), gold, kBlackInk, 5);
        QPainterPath stud;
        stud.addEllipse(QPointF(cx, 255), 12, 12);
        strokeFill(p, stud, c.trim, kBlackInk, 3);
    }

    // The held item, in front of the right sleeve.
    const double ix = cx + 200;
    if (king) {
        QPainterPath blade;
        blade.moveTo(ix, 150);
        blade.lineTo(ix + 17, 185);
        blade.lineTo(ix + 17, 585);
        blade.lineTo(ix - 17, 585);
        blade.lineTo(ix - 17, 185);
        blade.closeSubpath();
        QLinearGradient steel(ix - 17, 0, ix + 17, 0);
        steel.setColorAt(0, QColor(0xfa, 0xfa, 0xfa));
        steel.setColorAt(1, QColor(0x9a, 0xa3, 0xad));
        strokeFill(p, blade, steel, kBlackInk, 5);
        p.setPen(QPen(QColor(0x9a, 0xa3, 0xad), 4));
        p.drawLine(QPointF(ix, 190), QPointF(ix, 570));
        strokeFill(p, roundedRect(QRectF(ix - 62, 582, 124, 28), 12), gold, kBlackInk, 5);
    } else if (queen) {
        QPainterPath stem;
        stem.moveTo(ix - 5, 650);
        stem.cubicTo(ix, 560, ix + 30, 470, ix + 25, 330);
        p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 12, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
        for (int side : {-1, 1}) {
            QPainterPath leaf;
            const QPointF at(ix + 12, 480 + side * 40);
            leaf.moveTo(at);
            leaf.cubicTo(at + QPointF(side * 40, -40), at + QPointF(side * 70, -40), at + QPointF(side * 85, -70));
            leaf.cubicTo(at + QPointF(side * 50, -70), at + QPointF(side * 15, -45), at);
            strokeFill(p, leaf, QColor(0x43, 0xa0, 0x47), kBlackInk, 4);
        }
        QPainterPath tulip;
        const QPointF top(ix + 25, 250);
        tulip.moveTo(top + QPointF(0, 100));
        tulip.cubicTo(top + QPointF(-55, 95), top + QPointF(-65, 30), top + QPointF(-50, -10));
        tulip.lineTo(top + QPointF(-22, 25));
        tulip.lineTo(top + QPointF(0, -20));
        tulip.lineTo(top + QPointF(22, 25));
        tulip.lineTo(top + QPointF(50, -10));
        tulip.cubicTo(top + QPointF(65, 30), top + QPointF(55, 95), top + QPointF(0, 100));
        tulip.closeSubpath();
        strokeFill(p, tulip, isRed(suit) ? QBrush(gold) : QBrush(QColor(0xc6, 0x28, 0x28)), kBlackInk, 5);
    } else {
        p.setPen(QPen(kBlackInk, 5));
        p.setBrush(QColor(0x8d, 0x5a, 0x2b));
        p.drawRoundedRect(QRectF(ix - 12, 190, 24, 540), 8, 8);
        QPainterPath spear;
        spear.moveTo(ix, 95);
        spear.lineTo(ix + 24, 200);
        spear.lineTo(ix - 24, 200);
        spear.closeSubpath();
        QPainterPath axe;
        axe.moveTo(ix + 12, 175);
        axe.cubicTo(ix + 80, 150, ix + 100, 210, ix + 92, 265);
        axe.cubicTo(ix + 70, 245, ix + 40, 245, ix + 12, 250);
        axe.closeSubpath();
        QLinearGradient steel(ix - 20, 100, ix + 100, 260);
        steel.setColorAt(0, QColor(0xfa, 0xfa, 0xfa));
        steel.setColorAt(1, QColor(0x90, 0x99, 0xa3));
        strokeFill(p, spear, steel, kBlackInk, 5);
        strokeFill(p, axe, steel, kBlackInk, 5);
    }
    // The hand holding it.
    QPainterPath hand;
    hand.addEllipse(QPointF(ix, 632), 42, 34);
    strokeFill(p, hand, kSkin, kBlackInk, 5);
    p.setPen(QPen(kBlackInk, 3));
    for (int i = -1; i <= 1; ++i)
        p.drawLine(QPointF(ix - 28, 632 + i * 14), QPointF(ix - 5, 632 + i * 14));
}

QPainterPath upperHalf()
{
    // The divider runs slightly diagonally, as on printed court cards;
    // turning the card half a turn maps it onto itself.
    QPolygonF poly;
    poly << QPointF(kFrameLeft, kFrameTop) << QPointF(kFrameRight, kFrameTop) << QPointF(kFrameRight, kH / 2 - 40)
         << QPointF(kFrameLeft, kH / 2 + 40);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void paintCourt(QPainter& p, int suit, int num)
{
    const QColor ink = suitInk(suit);
    const QRectF frame(kFrameLeft, kFrameTop, kFrameRight - kFrameLeft, kFrameBottom - kFrameTop);
    p.setPen(Qt::NoPen);
    p.setBrush(kCream);
    p.drawRect(frame);

    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(kW, kH);
            p.rotate(180);
        }
        p.setClipPath(upperHalf(), Qt::IntersectClip);
        paintFigure(p, suit, num);
        // The rank letter and suit in the frame corner.
        const QFont font = pictureFont(QStringLiteral("DejaVu Serif"), true);
        const QString letter = QString::fromLatin1(kRanks[static_cast<size_t>(num)]);
        p.fillPath(fitted(textPath(letter, font), QRectF(kFrameLeft + 14, kFrameTop + 16, 80, 82)), ink);
        p.fillPath(pip(suit, QPointF(kFrameLeft + 54, kFrameTop + 150), 70), ink);
        p.restore();
    }

    // The divider and the frame.
    p.setPen(QPen(kGold, 14));
    p.drawLine(QPointF(kFrameLeft, kH / 2 + 40), QPointF(kFrameRight, kH / 2 - 40));
    p.setPen(QPen(kBlackInk, 4));
    p.drawLine(QPointF(kFrameLeft, kH / 2 + 47), QPointF(kFrameRight, kH / 2 - 33));
    p.drawLine(QPointF(kFrameLeft, kH / 2 + 33), QPointF(kFrameRight, kH / 2 - 47));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 8));
    p.drawRect(frame);
    p.setPen(QPen(kGold, 4));
    p.drawRect(frame.adjusted(-12, -12, 12, 12));
}

void paintFace(QPainter& p, int pictureNumber)
{
    const int suit = (pictureNumber - 1) / 13;
    const int num = (pictureNumber - 1) % 13;
    paintBlank(p);
    if (num >= 10)
        paintCourt(p, suit, num);
    else
        paintPips(p, suit, num);
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kW, kH);
            p.rotate(180);
        }
        paintIndex(p, suit, num);
        p.restore();
    }
}

// ---------------------------------------------------------------------------
// Backs

struct Deck {
    const char* category;
    const char* name;
};

struct DeckCategory {
    const char* key;
    const char* text;
};

const std::array<DeckCategory, 3> kCategories{{
    {"Classic", "Classic"},
    {"Geometric", "Geometric"},
    {"Scenes", "Nature and Scenes"},
}};

const std::array<Deck, 16> kDecks{{
    {"Classic", "Red Lattice"},
    {"Classic", "Blue Lattice"},
    {"Classic", "Gingham"},
    {"Classic", "Tartan"},
    {"Classic", "Harlequin"},
    {"Classic", "Emerald Quatrefoil"},
    {"Classic", "Royal Rosette"},
    {"Geometric", "Waves"},
    {"Geometric", "Starry Night"},
    {"Geometric", "Honeycomb"},
    {"Geometric", "Rings"},
    {"Geometric", "Sunburst"},
    {"Scenes", "Mountains"},
    {"Scenes", "Moonlit Hills"},
    {"Scenes", "Seaside"},
    {"Scenes", "Pine Forest"},
}};

const QRectF kPanel(58, 58, kW - 116, kH - 116);

void lattice(QPainter& p, const QRectF& r, const QColor& ground, const QColor& line, double step)
{
    p.fillRect(r, ground);
    p.setPen(QPen(line, step / 9));
    const double span = r.width() + r.height();
    for (double d = -span; d < span; d += step) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height(), r.bottom()));
        p.drawLine(QPointF(r.right() - d, r.top()), QPointF(r.right() - d - r.height(), r.bottom()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(line.lighter(130));
    for (double y = r.top(); y < r.bottom() + step; y += step / 2) {
        const bool odd = static_cast<int>(std::lround((y - r.top()) / (step / 2))) % 2 == 1;
        for (double x = r.left() + (odd ? step / 2 : 0); x < r.right() + step; x += step)
            p.drawEllipse(QPointF(x, y), step / 9, step / 9);
    }
}

void medallion(QPainter& p, QPointF c, double rx, double ry, const QColor& fill, const QColor& ink)
{
    p.setPen(QPen(ink, 10));
    p.setBrush(fill);
    p.drawEllipse(c, rx, ry);
    p.setPen(QPen(ink, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, rx - 22, ry - 22);
}

void frameLines(QPainter& p, const QRectF& r, const QColor& c, double inset = 26)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 10));
    p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), 30, 30);
    p.setPen(QPen(c, 4));
    p.drawRoundedRect(r.adjusted(inset + 20, inset + 20, -inset - 20, -inset - 20), 20, 20);
}

void backLattice(QPainter& p, const QRectF& r, const QColor& ground, const QColor& line)
{
    lattice(p, r, ground, line, 74);
    frameLines(p, r, Qt::white);
    medallion(p, r.center(), 170, 220, ground, Qt::white);
    const QColor ink = Qt::white;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        p.fillPath(pip(i,
                       r.center() + QPointF(i % 2 == 0 ? 0 : (i == 1 ? -65 : 65), i == 0   ? -75
                                                                                  : i == 2 ? 75
                                                                                           : 0),
                       80),
                   ink);
}

void backGingham(QPainter& p, const QRectF& r)
{
    p.fillRect(r, Qt::white);
    const double step = 64;
    const QColor stripe(0xc6, 0x28, 0x28, 120);
    int i = 0;
    for (double x = r.left(); x < r.right(); x += step, ++i)
        if (i % 2 == 0)
            p.fillRect(QRectF(x, r.top(), step, r.height()), stripe);
    i = 0;
    for (double y = r.top(); y < r.bottom(); y += step, ++i)
        if (i % 2 == 0)
            p.fillRect(QRectF(r.left(), y, r.width(), step), stripe);
    frameLines(p, r, QColor(0x8e, 0x12, 0x12));
}

void backTartan(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x1b, 0x5e, 0x20));
    const double sett = 300;
    auto bands = [&](bool vertical) {
        for (double o = -sett; o < (vertical ? r.width() : r.height()) + sett; o += sett) {
            auto band = [&](double at, double width, QColor c) {
                c.setAlpha(vertical ? 150 : 120);
                const QRectF b = vertical ? QRectF(r.left() + o + at, r.top(), width, r.height())
                                          : QRectF(r.left(), r.top() + o + at, r.width(), width);
                p.fillRect(b, c);
            };
            band(0, 110, QColor(0x0d, 0x2b, 0x5c));
            band(150, 18, QColor(0xc6, 0x28, 0x28));
            band(200, 50, QColor(0x0a, 0x3d, 0x12));
            band(265, 8, QColor(0xf5, 0xd7, 0x5a));
        }
    };
    bands(true);
    bands(false);
    frameLines(p, r, QColor(0xf5, 0xd7, 0x5a));
}

void backHarlequin(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x6a, 0x0f, 0x2a));
    const double w = 118, h = 170;
    int row = 0;
    for (double y = r.top() - h; y < r.bottom() + h; y += h / 2, ++row) {
        const double shift = (row % 2) * w / 2;
        for (double x = r.left() - w + shift; x < r.right() + w; x += w) {
            QPolygonF d;
            d << QPointF(x, y - h / 2) << QPointF(x + w / 2, y) << QPointF(x, y + h / 2) << QPointF(x - w / 2, y);
            p.setPen(QPen(QColor(0xe2, 0xb0, 0x3a), 3));
            p.setBrush(row % 2 == 0 ? QColor(0x9c, 0x1b, 0x3e) : QColor(0x4a, 0x08, 0x1c));
            p.drawPolygon(d);
        }
    }
    frameLines(p, r, kGold);
}

void backQuatrefoil(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0x12, 0x7a, 0x55));
    g.setColorAt(1, QColor(0x05, 0x3b, 0x29));
    p.fillRect(r, g);
    // A trellis of four-leaved quatrefoils with a small diamond in each.
    const double step = 150, leaf = step / 4;
    const QColor line(0xd8, 0xf0, 0xdf, 190);
    for (double y = r.top(); y < r.bottom() + step; y += step) {
        for (double x = r.left(); x < r.right() + step; x += step) {
            QPainterPath foil;
            foil.setFillRule(Qt::WindingFill);
            for (int k = 0; k < 4; ++k) {
                const double a = k * kPi / 2;
                foil.addEllipse(QPointF(x + leaf * std::cos(a), y + leaf * std::sin(a)), leaf, leaf);
            }
            p.setPen(QPen(line, 6));
            p.setBrush(QColor(0x0b, 0x55, 0x3a));
            p.drawPath(foil.simplified());
            QPolygonF d;
            d << QPointF(x, y - 18) << QPointF(x + 12, y) << QPointF(x, y + 18) << QPointF(x - 12, y);
            p.setPen(Qt::NoPen);
            p.setBrush(kGold);
            p.drawPolygon(d);
            p.setBrush(line);
            p.drawEllipse(QPointF(x + step / 2, y + step / 2), 9, 9);
        }
    }
    medallion(p, r.center(), 190, 240, QColor(0x0b, 0x55, 0x3a), QColor(0xe8, 0xf5, 0xe9));
    p.fillPath(pip(2, r.center(), 230), QColor(0xe8, 0xf5, 0xe9));
    frameLines(p, r, QColor(0xe8, 0xf5, 0xe9));
}

void rosette(QPainter& p, QPointF c, double radius, const QColor& petal, const QColor& ink)
{
    for (int ring = 0; ring < 2; ++ring) {
        const int petals = ring == 0 ? 16 : 8;
        const double len = ring == 0 ? radius : radius * 0.62;
        const double wid = ring == 0 ? radius * 0.2 : radius * 0.24;
        for (int i = 0; i < petals; ++i) {
            p.save();
            p.translate(c);
            p.rotate(360.0 / petals * i + (ring == 1 ? 360.0 / 32 : 0));
            QPainterPath leaf;
            leaf.moveTo(0, 0);
            leaf.cubicTo(wid, -len * 0.35, wid * 0.6, -len * 0.8, 0, -len);
            leaf.cubicTo(-wid * 0.6, -len * 0.8, -wid, -len * 0.35, 0, 0);
            p.setPen(QPen(ink, radius / 60));
            p.setBrush(ring == 0 ? petal : petal.lighter(125));
            p.drawPath(leaf);
            p.restore();
        }
    }
    p.setPen(QPen(ink, radius / 50));
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawEllipse(c, radius * 0.16, radius * 0.16);
    p.setBrush(kGold);
    p.drawEllipse(c, radius * 0.07, radius * 0.07);
}

void backRoyal(QPainter& p, const QRectF& r)
{
    QRadialGradient ground(r.center(), r.height() * 0.7);
    ground.setColorAt(0, QColor(0x2a, 0x4d, 0x9b));
    ground.setColorAt(1, QColor(0x0f, 0x22, 0x55));
    p.fillRect(r, ground);
    // A fine gold trellis with tiny quatrefoils.
    const double step = 96;
    p.setPen(QPen(QColor(0xe2, 0xb0, 0x3a, 110), 4));
    const double span = r.width() + r.height();
    for (double d = -span; d < span; d += step) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height(), r.bottom()));
        p.drawLine(QPointF(r.right() - d, r.top()), QPointF(r.right() - d - r.height(), r.bottom()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf3, 0xd3, 0x7a, 200));
    for (double y = r.top(); y <= r.bottom() + step; y += step / 2) {
        const bool odd = static_cast<int>(std::lround((y - r.top()) / (step / 2))) % 2 == 1;
        for (double x = r.left() + (odd ? step / 2 : 0); x < r.right() + step; x += step) {
            for (int k = 0; k < 4; ++k) {
                const double a = k * kPi / 2;
                p.drawEllipse(QPointF(x + 9 * std::cos(a), y + 9 * std::sin(a)), 7, 7);
            }
        }
    }
    // The oval medallion with its rosette, and quarter rosettes in the corners.
    const QPointF c = r.center();
    QRadialGradient medal(c, 330);
    medal.setColorAt(0, QColor(0x1c, 0x3a, 0x80));
    medal.setColorAt(1, QColor(0x0b, 0x1a, 0x45));
    p.setPen(QPen(kGold, 14));
    p.setBrush(medal);
    p.drawEllipse(c, 300, 380);
    p.setPen(QPen(QColor(0xf3, 0xd3, 0x7a), 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 272, 352);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * kPi / 24;
        p.setPen(Qt::NoPen);
        p.setBrush(kGold);
        p.drawEllipse(QPointF(c.x() + 286 * std::cos(a), c.y() + 366 * std::sin(a)), 7, 7);
    }
    rosette(p, c, 230, kGold, QColor(0x5a, 0x3c, 0x06));
    frameLines(p, r, kGold, 22);
    // Fan ornaments in the corners, inside the frame.
    const std::array<QPointF, 4> corners{r.topLeft() + QPointF(42, 42), r.topRight() + QPointF(-42, 42),
                                         r.bottomRight() + QPointF(-42, -42), r.bottomLeft() + QPointF(42, -42)};
    for (size_t i = 0; i < corners.size(); ++i) {
        const double start = -90.0 * static_cast<double>(i); // degrees, the fan opens into the card
        p.setPen(QPen(QColor(0x5a, 0x3c, 0x06), 4));
        p.setBrush(kGold);
        const QRectF outer(corners[i].x() - 120, corners[i].y() - 120, 240, 240);
        p.drawPie(outer, static_cast<int>(start * 16), -90 * 16);
        p.setBrush(QColor(0x0f, 0x22, 0x55));
        for (int k = 0; k < 3; ++k) {
            const double a0 = start - 8 - k * 28;
            p.drawPie(outer.adjusted(30, 30, -30, -30), static_cast<int>(a0 * 16), -18 * 16);
        }
        p.setBrush(QColor(0xf3, 0xd3, 0x7a));
        p.drawPie(outer.adjusted(85, 85, -85, -85), static_cast<int>(start * 16), -90 * 16);
    }
}

void backWaves(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x00, 0x83, 0x8f));
    g.setColorAt(1, QColor(0x00, 0x4d, 0x57));
    p.fillRect(r, g);
    p.setBrush(Qt::NoBrush);
    const double amp = 28, wave = 180, gap = 62;
    int row = 0;
    for (double y = r.top(); y < r.bottom() + gap; y += gap, ++row) {
        QPainterPath w;
        w.moveTo(r.left() - wave, y);
        for (double x = r.left() - wave; x < r.right() + wave; x += wave) {
            w.cubicTo(x + wave * 0.25, y - amp * 2, x + wave * 0.25, y - amp * 2, x + wave / 2, y);
            w.cubicTo(x + wave * 0.75, y + amp * 2, x + wave * 0.75, y + amp * 2, x + wave, y);
        }
        p.setPen(QPen(row % 3 == 0 ? QColor(0xe0, 0xf7, 0xfa) : QColor(0x80, 0xde, 0xea, 170), row % 3 == 0 ? 10 : 6));
        p.drawPath(w);
    }
    frameLines(p, r, QColor(0xe0, 0xf7, 0xfa));
}

void backStars(QPainter& p, const QRectF& r)
{
    QRadialGradient g(r.center(), r.height() * 0.75);
    g.setColorAt(0, QColor(0x28, 0x22, 0x6e));
    g.setColorAt(1, QColor(0x0a, 0x0a, 0x2a));
    p.fillRect(r, g);
    Scatter rnd(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        const QPointF c(r.left() + rnd.next() * r.width(), r.top() + rnd.next() * r.height());
        const double size = 4 + rnd.next() * rnd.next() * 34;
        QColor col = rnd.next() < 0.3 ? QColor(0xff, 0xe0, 0x82) : QColor(0xff, 0xff, 0xff);
        col.setAlpha(140 + static_cast<int>(rnd.next() * 115));
        if (size > 16)
            p.fillPath(starPath(c, size, size * 0.42), col);
        else {
            p.setBrush(col);
            p.drawEllipse(c, size / 3, size / 3);
        }
    }
    p.fillPath(starPath(r.center(), 190, 80), QColor(0xff, 0xd5, 0x4f));
    p.fillPath(starPath(r.center(), 120, 50), QColor(0xff, 0xf3, 0xc4));
    frameLines(p, r, QColor(0xff, 0xd5, 0x4f));
}

void backHoneycomb(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x8d, 0x4f, 0x00));
    const double s = 62; // side of a hexagon
    const double w = std::sqrt(3.0) * s;
    int row = 0;
    for (double y = r.top() - s; y < r.bottom() + s; y += 1.5 * s, ++row) {
        for (double x = r.left() - w + (row % 2) * w / 2; x < r.right() + w; x += w) {
            QPolygonF hex;
            for (int k = 0; k < 6; ++k) {
                const double a = (60.0 * k - 30.0) * kPi / 180.0;
                hex << QPointF(x + (s - 6) * std::cos(a), y + (s - 6) * std::sin(a));
            }
            QLinearGradient cell(x, y - s, x, y + s);
            cell.setColorAt(0, QColor(0xff, 0xc1, 0x07));
            cell.setColorAt(1, QColor(0xf5, 0x8f, 0x00));
            p.setPen(QPen(QColor(0xff, 0xe0, 0x82), 3));
            p.setBrush(cell);
            p.drawPolygon(hex);
        }
    }
    frameLines(p, r, QColor(0x5d, 0x33, 0x00));
}

void backRings(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x4a, 0x14, 0x8c));
    p.setBrush(Qt::NoBrush);
    const double rad = 90;
    const double dy = rad * std::sqrt(3.0) / 2;
    int row = 0;
    for (double y = r.top(); y < r.bottom() + rad; y += dy, ++row) {
        for (double x = r.left() + (row % 2) * rad / 2; x < r.right() + rad; x += rad) {
            p.setPen(QPen(QColor(0xd1, 0xc4, 0xe9, 150), 5));
            p.drawEllipse(QPointF(x, y), rad, rad);
        }
    }
    p.setPen(QPen(QColor(0xf3, 0xe5, 0xf5), 12));
    p.setBrush(QColor(0x4a, 0x14, 0x8c));
    p.drawEllipse(r.center(), 210, 210);
    p.setPen(QPen(QColor(0xf3, 0xe5, 0xf5), 6));
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3;
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.center() + QPointF(90 * std::cos(a), 90 * std::sin(a)), 90, 90);
    }
    frameLines(p, r, QColor(0xf3, 0xe5, 0xf5));
}

void backSunburst(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0xe6, 0x51, 0x00));
    const QPointF c = r.center();
    const int rays = 36;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < rays; i += 2) {
        const double a0 = i * 2 * kPi / rays, a1 = (i + 1) * 2 * kPi / rays;
        QPolygonF ray;
        ray << c << c + QPointF(2000 * std::cos(a0), 2000 * std::sin(a0))
            << c + QPointF(2000 * std::cos(a1), 2000 * std::sin(a1));
        p.setBrush(QColor(0xff, 0xa7, 0x26));
        p.drawPolygon(ray);
    }
    QRadialGradient glow(c, 700);
    glow.setColorAt(0, QColor(0xff, 0xf1, 0x76, 230));
    glow.setColorAt(0.3, QColor(0xff, 0xd5, 0x4f, 120));
    glow.setColorAt(1, QColor(0xbf, 0x36, 0x0c, 150));
    p.fillRect(r, glow);
    p.setPen(QPen(QColor(0xbf, 0x36, 0x0c), 10));
    p.setBrush(QColor(0xff, 0xeb, 0x3b));
    p.drawEllipse(c, 150, 150);
    p.setBrush(QColor(0xff, 0xf5, 0x9d));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 95, 95);
    frameLines(p, r, QColor(0xff, 0xf8, 0xe1));
}

void hillLayer(QPainter& p, const QRectF& r, double base, double amp, double phase, const QColor& top,
               const QColor& bottom)
{
    QPainterPath hill;
    hill.moveTo(r.left(), r.bottom());
    for (double x = r.left(); x <= r.right() + 10; x += 20) {
        const double t = (x - r.left()) / r.width();
        const double y = base - amp * (0.6 * std::sin(t * 5.0 + phase) + 0.4 * std::sin(t * 11.0 + phase * 2));
        hill.lineTo(x, y);
    }
    hill.lineTo(r.right(), r.bottom());
    hill.closeSubpath();
    QLinearGradient g(0, base - amp, 0, r.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(hill, g);
}

// A cloud: overlapping puffs filled as one shape, so the overlaps do not
// show through.
QPainterPath cloud(QPointF at, double scale)
{
    QPainterPath puffs;
    puffs.setFillRule(Qt::WindingFill);
    puffs.addEllipse(at, 90 * scale, 42 * scale);
    puffs.addEllipse(at + QPointF(-55, -18) * scale, 50 * scale, 42 * scale);
    puffs.addEllipse(at + QPointF(35, -30) * scale, 58 * scale, 48 * scale);
    puffs.addEllipse(at + QPointF(85, 5) * scale, 55 * scale, 32 * scale);
    puffs.addEllipse(at + QPointF(-90, 10) * scale, 45 * scale, 26 * scale);
    return puffs.simplified();
}

QPainterPath mountain(const QRectF& r, double base, const std::vector<QPointF>& peaks)
{
    QPainterPath m;
    m.moveTo(r.left(), base);
    for (const QPointF& pk : peaks)
        m.lineTo(r.left() + pk.x() * r.width(), r.top() + pk.y() * r.height());
    m.lineTo(r.right(), base);
    m.lineTo(r.right(), r.bottom());
    m.lineTo(r.left(), r.bottom());
    m.closeSubpath();
    return m;
}

void backMountains(QPainter& p, const QRectF& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x5d, 0x9c, 0xec));
    sky.setColorAt(0.55, QColor(0xff, 0xd5, 0x9e));
    sky.setColorAt(1, QColor(0xff, 0xcc, 0x80));
    p.fillRect(r, sky);
    QRadialGradient sun(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.3), 160);
    sun.setColorAt(0, QColor(0xff, 0xfd, 0xe7));
    sun.setColorAt(0.45, QColor(0xff, 0xf1, 0x76));
    sun.setColorAt(1, QColor(0xff, 0xf1, 0x76, 0));
    p.fillRect(r, sun);
    const double base = r.top() + r.height() * 0.62;
    QLinearGradient far(0, r.top() + r.height() * 0.3, 0, base);
    far.setColorAt(0, QColor(0x8e, 0x9e, 0xc6));
    far.setColorAt(1, QColor(0x6a, 0x7b, 0xa8));
    p.fillPath(mountain(r, base, {{0.0, 0.45}, {0.18, 0.33}, {0.35, 0.44}, {0.55, 0.28}, {0.75, 0.42}, {1.0, 0.36}}),
               far);
    QPainterPath near = mountain(r, base, {{0.0, 0.52}, {0.28, 0.36}, {0.5, 0.54}, {0.78, 0.4}, {1.0, 0.55}});
    QLinearGradient rock(0, r.top() + r.height() * 0.36, 0, base);
    rock.setColorAt(0, QColor(0x4e, 0x5d, 0x84));
    rock.setColorAt(1, QColor(0x33, 0x40, 0x63));
    p.fillPath(near, rock);
    // Snow caps.
    for (const QPointF& pk : {QPointF(0.28, 0.36), QPointF(0.78, 0.4)}) {
        const QPointF t(r.left() + pk.x() * r.width(), r.top() + pk.y() * r.height());
        QPainterPath snow;
        snow.moveTo(t);
        snow.lineTo(t + QPointF(80, 70));
        snow.lineTo(t + QPointF(40, 60));
        snow.lineTo(t + QPointF(10, 85));
        snow.lineTo(t + QPointF(-30, 60));
        snow.lineTo(t + QPointF(-75, 72));
        snow.closeSubpath();
        p.fillPath(snow, QColor(0xf5, 0xf7, 0xff));
    }
    // The lake with a band of reflection, and the near shore.
    QLinearGradient lake(0, base, 0, r.bottom());
    lake.setColorAt(0, QColor(0x7f, 0xb3, 0xd5));
    lake.setColorAt(1, QColor(0x2e, 0x6d, 0x9a));
    p.fillRect(QRectF(r.left(), base, r.width(), r.bottom() - base), lake);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 120), 6));
    for (int i = 0; i < 6; ++i) {
        const double y = base + 30 + i * 34;
        const double x = r.left() + r.width() * (0.55 + 0.05 * (i % 3));
        p.drawLine(QPointF(x, y), QPointF(x + 120 - i * 10, y));
    }
    hillLayer(p, r, r.bottom() - 110, 40, 1.3, QColor(0x55, 0x8b, 0x2f), QColor(0x33, 0x69, 0x1e));
    frameLines(p, r, Qt::white);
}

void pine(QPainter& p, QPointF foot, double height, const QColor& c)
{
    QPainterPath tree;
    const double w = height * 0.38;
    for (int tier = 0; tier < 3; ++tier) {
        const double top = foot.y() - height + tier * height * 0.22;
        const double bottom = foot.y() - height * 0.06 - (2 - tier) * height * 0.18;
        const double half = w * (0.55 + tier * 0.22);
        QPolygonF tri;
        tri << QPointF(foot.x(), top) << QPointF(foot.x() + half, bottom) << QPointF(foot.x() - half, bottom);
        tree.addPolygon(tri);
        tree.closeSubpath();
    }
    tree.addRect(QRectF(foot.x() - height * 0.035, foot.y() - height * 0.08, height * 0.07, height * 0.08));
    tree.setFillRule(Qt::WindingFill);
    p.fillPath(tree, c);
}

void backMoonlit(QPainter& p, const QRectF& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x0b, 0x10, 0x3a));
    sky.setColorAt(1, QColor(0x3a, 0x3f, 0x8f));
    p.fillRect(r, sky);
    Scatter rnd(23);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF c(r.left() + rnd.next() * r.width(), r.top() + rnd.next() * r.height() * 0.6);
        p.setBrush(QColor(0xff, 0xff, 0xff, 120 + static_cast<int>(rnd.next() * 135)));
        const double s = 2 + rnd.next() * 6;
        p.drawEllipse(c, s, s);
    }
    const QPointF moon(r.left() + r.width() * 0.3, r.top() + r.height() * 0.22);
    QRadialGradient halo(moon, 260);
    halo.setColorAt(0, QColor(0xff, 0xf8, 0xe1, 160));
    halo.setColorAt(1, QColor(0xff, 0xf8, 0xe1, 0));
    p.fillRect(r, halo);
    QPainterPath disc;
    disc.addEllipse(moon, 110, 110);
    QPainterPath bite;
    bite.addEllipse(moon + QPointF(55, -30), 100, 100);
    p.fillPath(disc.subtracted(bite), QColor(0xff, 0xf5, 0xc4));
    hillLayer(p, r, r.top() + r.height() * 0.68, 60, 0.4, QColor(0x28, 0x35, 0x6e), QColor(0x1a, 0x23, 0x4d));
    hillLayer(p, r, r.top() + r.height() * 0.8, 50, 2.2, QColor(0x14, 0x1c, 0x3c), QColor(0x0a, 0x0e, 0x22));
    for (double x : {0.12, 0.2, 0.76, 0.86})
        pine(p, QPointF(r.left() + r.width() * x, r.top() + r.height() * (0.84 - (x > 0.5 ? 0.02 : 0))), 160 + 60 * x,
             QColor(0x05, 0x08, 0x18));
    frameLines(p, r, QColor(0xff, 0xf5, 0xc4));
}

void backSeaside(QPainter& p, const QRectF& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x4f, 0xc3, 0xf7));
    sky.setColorAt(0.5, QColor(0xe1, 0xf5, 0xfe));
    p.fillRect(r, sky);
    const double horizon = r.top() + r.height() * 0.55;
    QRadialGradient sun(QPointF(r.left() + r.width() * 0.72, horizon - 150), 120);
    sun.setColorAt(0, QColor(0xff, 0xee, 0x58));
    sun.setColorAt(0.6, QColor(0xff, 0xca, 0x28));
    sun.setColorAt(1, QColor(0xff, 0xca, 0x28, 0));
    p.fillRect(r, sun);
    // Clouds.
    for (const QPointF& c : {QPointF(0.25, 0.14), QPointF(0.6, 0.24)}) {
        const QPointF at(r.left() + c.x() * r.width(), r.top() + c.y() * r.height());
        p.fillPath(cloud(at, 1.0), QColor(0xff, 0xff, 0xff, 235));
    }
    QLinearGradient sea(0, horizon, 0, r.bottom());
    sea.setColorAt(0, QColor(0x01, 0x57, 0x9b));
    sea.setColorAt(1, QColor(0x29, 0xb6, 0xf6));
    p.fillRect(QRectF(r.left(), horizon, r.width(), r.bottom() - horizon), sea);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 140), 5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 8; ++i) {
        const double y = horizon + 40 + i * 45;
        const double x = r.left() + std::fmod(i * 137.0, r.width() - 200) + 40;
        p.drawArc(QRectF(x, y, 60, 20), 0, 180 * 16);
        p.drawArc(QRectF(x + 60, y, 60, 20), 0, 180 * 16);
    }
    // A sailing boat.
    const QPointF boat(r.left() + r.width() * 0.36, horizon + 70);
    QPainterPath hull;
    hull.moveTo(boat + QPointF(-130, 0));
    hull.lineTo(boat + QPointF(130, 0));
    hull.lineTo(boat + QPointF(95, 45));
    hull.lineTo(boat + QPointF(-95, 45));
    hull.closeSubpath();
    p.fillPath(hull, QColor(0x6d, 0x3b, 0x16));
    p.fillRect(QRectF(boat.x() - 5, boat.y() - 330, 10, 330), QColor(0x4e, 0x34, 0x2e));
    QPainterPath sail;
    sail.moveTo(boat + QPointF(10, -320));
    sail.quadTo(boat + QPointF(140, -150), boat + QPointF(120, -20));
    sail.lineTo(boat + QPointF(10, -20));
    sail.closeSubpath();
    p.fillPath(sail, Qt::white);
    QPainterPath jib;
    jib.moveTo(boat + QPointF(-10, -290));
    jib.lineTo(boat + QPointF(-10, -25));
    jib.lineTo(boat + QPointF(-120, -25));
    jib.closeSubpath();
    p.fillPath(jib, QColor(0xef, 0x53, 0x50));
    // Beach.
    QPainterPath sand;
    sand.moveTo(r.left(), r.bottom() - 150);
    sand.cubicTo(r.left() + r.width() * 0.4, r.bottom() - 200, r.left() + r.width() * 0.7, r.bottom() - 90, r.right(),
                 r.bottom() - 120);
    sand.lineTo(r.right(), r.bottom());
    sand.lineTo(r.left(), r.bottom());
    sand.closeSubpath();
    p.fillPath(sand, QColor(0xff, 0xe0, 0xa3));
    // Gulls.
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), 6, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF& g : {QPointF(0.2, 0.32), QPointF(0.3, 0.28), QPointF(0.8, 0.1)}) {
        const QPointF at(r.left() + g.x() * r.width(), r.top() + g.y() * r.height());
        QPainterPath wing;
        wing.moveTo(at + QPointF(-30, 0));
        wing.quadTo(at + QPointF(-15, -18), at);
        wing.quadTo(at + QPointF(15, -18), at + QPointF(30, 0));
        p.drawPath(wing);
    }
    frameLines(p, r, Qt::white);
}

void backForest(QPainter& p, const QRectF& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0xff, 0xe0, 0xb2));
    sky.setColorAt(0.5, QColor(0xe8, 0xf5, 0xe9));
    p.fillRect(r, sky);
    const std::array<QColor, 4> shades{QColor(0xa5, 0xd6, 0xa7), QColor(0x66, 0xbb, 0x6a), QColor(0x2e, 0x7d, 0x32),
                                       QColor(0x1b, 0x45, 0x1e)};
    Scatter rnd(5);
    for (size_t layer = 0; layer < shades.size(); ++layer) {
        const double depth = static_cast<double>(layer);
        const double foot = r.top() + r.height() * (0.5 + 0.14 * depth);
        const double spacing = 90 + 35 * depth;
        for (double x = r.left() - 40 + rnd.next() * 60; x < r.right() + 60; x += spacing * (0.7 + rnd.next() * 0.6))
            pine(p, QPointF(x, foot + rnd.next() * 30), 220 + 70 * depth + rnd.next() * 80, shades[layer]);
        hillLayer(p, r, foot + 20, 18, depth * 1.7, shades[layer], shades[layer]);
        // Mist between the layers.
        if (layer + 1 < shades.size()) {
            QLinearGradient mist(0, foot - 120, 0, foot + 40);
            mist.setColorAt(0, QColor(0xff, 0xff, 0xff, 0));
            mist.setColorAt(1, QColor(0xff, 0xff, 0xff, 55));
            p.fillRect(QRectF(r.left(), foot - 120, r.width(), 160), mist);
        }
    }
    frameLines(p, r, QColor(0xf1, 0xf8, 0xe9));
}

void paintBack(QPainter& p, int deckIndex)
{
    paintBlank(p);
    p.save();
    p.setClipPath(roundedRect(kPanel, 40), Qt::IntersectClip);
    const QRectF& r = kPanel;
    switch (deckIndex) {
    case 1: backLattice(p, r, QColor(0xb7, 0x1c, 0x1c), QColor(0xef, 0x9a, 0x9a)); break;
    case 2: backLattice(p, r, QColor(0x0d, 0x47, 0xa1), QColor(0x90, 0xca, 0xf9)); break;
    case 3: backGingham(p, r); break;
    case 4: backTartan(p, r); break;
    case 5: backHarlequin(p, r); break;
    case 6: backQuatrefoil(p, r); break;
    case 7: backRoyal(p, r); break;
    case 8: backWaves(p, r); break;
    case 9: backStars(p, r); break;
    case 10: backHoneycomb(p, r); break;
    case 11: backRings(p, r); break;
    case 12: backSunburst(p, r); break;
    case 13: backMountains(p, r); break;
    case 14: backMoonlit(p, r); break;
    case 15: backSeaside(p, r); break;
    default: backForest(p, r); break;
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), std::max(pixelUnit(p), 4.0)));
    p.drawRoundedRect(kPanel, 40, 40);
}

// ---------------------------------------------------------------------------
// Markers: translucent outlines on the table felt.

void paintMarker(QPainter& p, int number)
{
    const double px = pixelUnit(p);
    const double pen = std::max(1.6 * px, 16.0);
    const QRectF place(pen, pen, kW - 2 * pen, kH - 2 * pen);
    p.setPen(QPen(QColor(255, 255, 255, 150), pen));
    p.setBrush(QColor(255, 255, 255, 26));
    p.drawRoundedRect(place, 70, 70);
    p.setPen(QPen(QColor(255, 255, 255, 60), std::max(px, 6.0)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(place.adjusted(40, 40, -40, -40), 44, 44);

    const QColor faint(255, 255, 255, 120);
    const QFont serif = pictureFont(QStringLiteral("DejaVu Serif"), true);
    if (number <= 12) {
        const QString rank = QString::fromLatin1(kRanks[static_cast<size_t>(number)]);
        p.fillPath(fitted(textPath(rank, serif), QRectF(kW / 2 - 300, kH / 2 - 240, 600, 480)), faint);
    } else if (number == 13) {
        // A run from King down to Ace.
        p.fillPath(fitted(textPath(QStringLiteral("K"), serif), QRectF(kW / 2 - 150, 250, 300, 300)), faint);
        p.fillPath(fitted(textPath(QStringLiteral("A"), serif), QRectF(kW / 2 - 150, kH - 550, 300, 300)), faint);
        QPainterPath arrow;
        arrow.moveTo(kW / 2 - 22, 600);
        arrow.lineTo(kW / 2 + 22, 600);
        arrow.lineTo(kW / 2 + 22, 780);
        arrow.lineTo(kW / 2 + 80, 780);
        arrow.lineTo(kW / 2, 870);
        arrow.lineTo(kW / 2 - 80, 780);
        arrow.lineTo(kW / 2 - 22, 780);
        arrow.closeSubpath();
        p.fillPath(arrow, faint);
    } else if (number == 15) {
        const QPointF c(kW / 2, kH / 2);
        p.setPen(QPen(QColor(0xe5, 0x39, 0x35, 210), 70, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 280, 280);
        p.drawLine(c + QPointF(-198, -198), c + QPointF(198, 198));
    } else if (number == 16) {
        const QPointF c(kW / 2, kH / 2);
        const double radius = 270;
        p.setPen(QPen(QColor(0x4c, 0xd9, 0x64, 220), 70, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 120 * 16, 290 * 16);
        // The arrow head at the end of the arc (at 50 degrees).
        const double a = 50.0 * kPi / 180.0;
        const QPointF end(c.x() + radius * std::cos(a), c.y() - radius * std::sin(a));
        const QPointF along(-std::sin(a), -std::cos(a)); // direction of travel, anticlockwise
        const QPointF out(std::cos(a), -std::sin(a));
        QPolygonF head;
        head << end + out * 120 << end - out * 120 << end + along * -150;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4c, 0xd9, 0x64, 220));
        p.drawPolygon(head);
    }
}

// ---------------------------------------------------------------------------
// Splash and the default background picture

void paintSplash(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    QRadialGradient felt(QPointF(w * 0.5, h * 0.45), std::max(w, h) * 0.75);
    felt.setColorAt(0, QColor(0x2f, 0x9e, 0x52));
    felt.setColorAt(0.7, QColor(0x16, 0x6b, 0x34));
    felt.setColorAt(1, QColor(0x0c, 0x40, 0x1f));
    p.fillRect(QRectF(0, 0, w, h), felt);
    p.setPen(QPen(QColor(0xe2, 0xb0, 0x3a), std::max(2.0, h / 120)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(h / 40, h / 40, w - h / 20, h - h / 20));

    // Work in a 480 x 300 frame scaled into the picture.
    const double scale = std::min(w / 480.0, h / 300.0);
    p.translate((w - 480 * scale) / 2, (h - 300 * scale) / 2);
    p.scale(scale, scale);

    // A fan of five cards.
    const std::array<int, 5> fan{1, 13 + 13, 26 + 12, 39 + 11, 10 + 13};
    const double cardW = 84, cardH = cardW * kH / kW;
    const QPointF pivot(134, 270);
    for (size_t i = 0; i < fan.size(); ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(-32.0 + 16.0 * static_cast<double>(i));
        p.translate(-cardW / 2, -cardH - 36);
        // Shadow under each card.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(QRectF(3, 4, cardW, cardH), 6, 6);
        p.scale(cardW / kW, cardH / kH);
        paintFace(p, fan[i]);
        p.restore();
    }

    // The title.
    QFont titleFont = pictureFont(QStringLiteral("DejaVu Serif"), true);
    titleFont.setItalic(true);
    const QPainterPath title = fitted(textPath(QStringLiteral("Tablora"), titleFont), QRectF(246, 92, 216, 70));
    p.fillPath(title.translated(3, 4), QColor(0, 0, 0, 110));
    QLinearGradient gold(0, 92, 0, 162);
    gold.setColorAt(0, QColor(0xff, 0xf1, 0xb0));
    gold.setColorAt(0.5, QColor(0xf2, 0xc1, 0x4e));
    gold.setColorAt(1, QColor(0xb8, 0x80, 0x1a));
    p.setPen(QPen(QColor(0x5a, 0x3c, 0x06), 1.2));
    p.setBrush(gold);
    p.drawPath(title);

    const QFont sans = pictureFont(QStringLiteral("DejaVu Sans"), false);
    p.fillPath(fitted(textPath(QStringLiteral("62 games of patience"), sans), QRectF(262, 176, 184, 20)),
               QColor(0xf1, 0xf8, 0xe9));
    for (int s = 0; s < 4; ++s)
        p.fillPath(pip(s, QPointF(309 + s * 30, 218), 18),
                   isRed(s) ? QColor(0xff, 0x6b, 0x6b) : QColor(0x10, 0x10, 0x10));
}

void paintLandscape(QPainter& p, QSizeF size)
{
    p.scale(size.width() / 800.0, size.height() / 600.0);
    const QRectF r(0, 0, 800, 600);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(0x8e, 0xc5, 0xfc));
    sky.setColorAt(0.55, QColor(0xfd, 0xe2, 0xc4));
    sky.setColorAt(1, QColor(0xf8, 0xc3, 0x9d));
    p.fillRect(r, sky);
    QRadialGradient sun(QPointF(560, 250), 180);
    sun.setColorAt(0, QColor(0xff, 0xfb, 0xe6));
    sun.setColorAt(0.25, QColor(0xff, 0xe8, 0x9a, 230));
    sun.setColorAt(1, QColor(0xff, 0xe8, 0x9a, 0));
    p.fillRect(r, sun);
    for (const QPointF& c : {QPointF(180, 110), QPointF(420, 80), QPointF(680, 140)})
        p.fillPath(cloud(c, 0.7), QColor(0xff, 0xff, 0xff, 170));
    hillLayer(p, r, 360, 50, 0.3, QColor(0xa3, 0xb8, 0xd6), QColor(0xc2, 0xcf, 0xe0));
    hillLayer(p, r, 420, 45, 1.7, QColor(0x9c, 0xcc, 0x65), QColor(0x7c, 0xb3, 0x42));
    hillLayer(p, r, 490, 40, 3.1, QColor(0x68, 0x9f, 0x38), QColor(0x55, 0x8b, 0x2f));
    hillLayer(p, r, 565, 30, 4.4, QColor(0x43, 0x7a, 0x22), QColor(0x33, 0x69, 0x1e));
    for (const QPointF& t : {QPointF(120, 500), QPointF(150, 510), QPointF(640, 470), QPointF(700, 485)})
        pine(p, t, 90, QColor(0x2e, 0x5d, 0x1e));
}

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

} // namespace

CardPictures::CardPictures() = default;

int16_t CardPictures::deckCount() const { return static_cast<int16_t>(kDecks.size()); }

QList<CardPictures::Category> CardPictures::deckCategories() const
{
    QList<Category> list;
    for (const DeckCategory& c : kCategories)
        list.append({QString::fromLatin1(c.key), QString::fromLatin1(c.text)});
    return list;
}

QString CardPictures::deckCategory(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    return QString::fromLatin1(kDecks[static_cast<size_t>(deckIndex - 1)].category);
}

QString CardPictures::deckName(int16_t deckIndex) const
{
    if (deckIndex < 1 || deckIndex > deckCount())
        throw RunTimeError::subscript();
    return QString::fromLatin1(kDecks[static_cast<size_t>(deckIndex - 1)].name);
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
        case kSplashKind: paintSplash(p, size); break;
        case kCustomKind: paintLandscape(p, size); break;
        default:
            p.scale(size.width() / kW, size.height() / kH);
            if (kind == kFaceKind)
                paintFace(p, number);
            else if (kind == kBackKind)
                paintBack(p, number);
            else
                paintMarker(p, number);
            break;
        }
    }
    ++renders_;
    return QPixmap::fromImage(std::move(image));
}
