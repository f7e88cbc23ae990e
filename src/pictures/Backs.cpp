// Card backs: the deck table and every back's pattern or scene, drawn on a
// panel inside the card blank.

#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictures::paint {

namespace {

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

// The pattern reaches close to the card's edge: where face-down cards lie
// packed on each other, the strip of each that shows carries the back's
// pattern, not a white margin. Its corners follow the card's.
const QRectF kPanel(12, 12, kW - 24, kH - 24);
constexpr double kPanelCorner = 62;

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

} // namespace

std::span<const Deck> decks() { return kDecks; }

std::span<const DeckCategory> categories() { return kCategories; }

void paintBack(QPainter& p, int deckIndex)
{
    paintBlank(p);
    p.save();
    p.setClipPath(roundedRect(kPanel, kPanelCorner), Qt::IntersectClip);
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
}

} // namespace pictures::paint
