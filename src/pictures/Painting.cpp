// The drawing helpers, suit symbols, card blank and scenery shared by the
// picture files.

#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace pictures::paint {

// ---------------------------------------------------------------------------
// Drawing helpers

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

QPainterPath fitted(const QPainterPath& path, const QRectF& box, bool stretch)
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

QPainterPath starPath(QPointF c, double outer, double inner, int points, double turn)
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

namespace {

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

} // namespace

QPainterPath pip(int suit, QPointF c, double height, bool inverted)
{
    QTransform t;
    t.translate(c.x(), c.y());
    t.scale(height, height);
    if (inverted)
        t.rotate(180);
    return t.map(suitPath(suit));
}

// ---------------------------------------------------------------------------
// The card blank

void paintBlank(QPainter& p, const QColor& fill)
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
// Scenery

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

} // namespace pictures::paint
