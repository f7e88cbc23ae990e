#include "windows/common/CommandIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// Every picture is drawn on a 16 × 16 grid and scaled to the size asked for.
using DrawFn = void (*)(QPainter&);

const QColor kOutline(0x4a, 0x4a, 0x4a);
const QColor kPaper(0xfc, 0xfc, 0xfa);
const QColor kGreen(0x3a, 0x9d, 0x23);
const QColor kBlue(0x2f, 0x6f, 0xbf);
const QColor kGold(0xe0, 0xa8, 0x1c);
const QColor kRed(0xc6, 0x2d, 0x22);

QPen outline(qreal width = 0.8) { return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

QLinearGradient vertical(const QColor& top, const QColor& bottom, qreal y0 = 0, qreal y1 = 16)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A sheet of paper with a folded corner.
void page(QPainter& p, const QRectF& r = QRectF(2.5, 1.5, 10, 13))
{
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(outline());
    p.setBrush(vertical(kPaper, QColor(0xe2, 0xe2, 0xde), r.top(), r.bottom()));
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd0, 0xd0, 0xcc));
    p.drawPath(corner);
}

void textLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal gap = 2.0)
{
    p.setPen(QPen(QColor(0x88, 0x88, 0x88), 0.8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + gap * i), QPointF(right - (i % 2) * 1.5, top + gap * i));
}

// A small round badge in the lower right corner: a plus sign or a clock.
void plusBadge(QPainter& p, const QPointF& c = QPointF(11.5, 11.5))
{
    p.setPen(QPen(QColor(0x1f, 0x63, 0x12), 0.7));
    p.setBrush(kGreen);
    p.drawEllipse(c, 3.6, 3.6);
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 2));
}

void clockFace(QPainter& p, const QPointF& c, qreal r)
{
    p.setPen(outline(0.7));
    p.setBrush(QColor(0xf4, 0xf7, 0xfb));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(kBlue, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x(), c.y() - r * 0.7));
    p.drawLine(c, QPointF(c.x() + r * 0.55, c.y() + r * 0.1));
}

void floppy(QPainter& p, const QRectF& r, const QColor& body)
{
    QPainterPath shape;
    shape.moveTo(r.topLeft());
    shape.lineTo(r.right() - 1.5, r.top());
    shape.lineTo(r.right(), r.top() + 1.5);
    shape.lineTo(r.bottomRight());
    shape.lineTo(r.bottomLeft());
    shape.closeSubpath();
    p.setPen(outline());
    p.setBrush(vertical(body.lighter(125), body.darker(115), r.top(), r.bottom()));
    p.drawPath(shape);
    // Shutter and label.
    p.setBrush(QColor(0xcf, 0xd4, 0xda));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.5, r.height() * 0.33));
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.55, r.width() * 0.7, r.height() * 0.45));
}

void folderShape(QPainter& p, bool open)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.2, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(outline());
    p.setBrush(QColor(0xd9, 0x9a, 0x26));
    p.drawPath(back);
    if (open) {
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 4, 9, 7));
    }
    QPainterPath front;
    if (open) {
        front.moveTo(1.5, 13.5);
        front.lineTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(14.5, 13.5);
    } else {
        front.moveTo(1.5, 13.5);
        front.lineTo(1.5, 6.5);
        front.lineTo(14.5, 6.5);
        front.lineTo(14.5, 13.5);
    }
    front.closeSubpath();
    p.setBrush(vertical(QColor(0xff, 0xd8, 0x6a), QColor(0xf0, 0xb4, 0x30), 6.5, 13.5));
    p.drawPath(front);
}

// A playing card, turned by the given angle about its centre.
void card(QPainter& p, const QPointF& centre, qreal angle, const QString& pip, bool red)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setPen(outline(0.7));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(-3.5, -5, 7, 10), 1, 1);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(6);
    p.setFont(font);
    p.setPen(red ? kRed : QColor(0x1a, 0x1a, 0x1a));
    p.drawText(QRectF(-3.5, -5, 7, 10), Qt::AlignCenter, pip);
    p.restore();
}

QPolygonF arrowHead(const QPointF& tip, qreal angleDegrees, qreal size)
{
    const qreal a = angleDegrees * std::numbers::pi / 180.0;
    const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
    const QPointF side(-std::sin(a) * size * 0.75, std::cos(a) * size * 0.75);
    return QPolygonF({tip, tip + back + side, tip + back - side});
}

// A curved arrow over the top, pointing left (undo) or right (redo).
void curvedArrow(QPainter& p, bool left, const QColor& colour)
{
    p.save();
    if (left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(3, 13);
    arc.cubicTo(2, 6, 7, 3.5, 11, 6.5);
    p.setPen(QPen(colour.darker(140), 3.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    p.setPen(outline(0.6));
    p.setBrush(colour);
    p.drawPolygon(arrowHead(QPointF(14.5, 10), 45, 5));
    p.restore();
}

// A straight arrow running into a bar: to the first or last move, or up to
// the foundations.
void arrowToBar(QPainter& p, qreal rotation, const QColor& colour)
{
    p.save();
    p.translate(8, 8);
    p.rotate(rotation);
    p.translate(-8, -8);
    p.setPen(outline(0.6));
    p.setBrush(colour.darker(120));
    p.drawRect(QRectF(12.5, 2.5, 2, 11));
    QPainterPath arrow;
    arrow.moveTo(1.5, 6.5);
    arrow.lineTo(6.5, 6.5);
    arrow.lineTo(6.5, 3);
    arrow.lineTo(11.5, 8);
    arrow.lineTo(6.5, 13);
    arrow.lineTo(6.5, 9.5);
    arrow.lineTo(1.5, 9.5);
    arrow.closeSubpath();
    p.setBrush(vertical(colour.lighter(140), colour, 3, 13));
    p.drawPath(arrow);
    p.restore();
}

enum class MediaSymbol { Pause, Stop, Forward, Back };

void mediaButton(QPainter& p, MediaSymbol symbol)
{
    QRadialGradient face(QPointF(6, 5), 10);
    face.setColorAt(0, QColor(0xfa, 0xfa, 0xfa));
    face.setColorAt(1, QColor(0xb8, 0xbc, 0xc2));
    p.setPen(outline());
    p.setBrush(face);
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x36));
    switch (symbol) {
    case MediaSymbol::Pause:
        p.drawRect(QRectF(5.3, 4.8, 2, 6.4));
        p.drawRect(QRectF(8.7, 4.8, 2, 6.4));
        break;
    case MediaSymbol::Stop: p.drawRect(QRectF(5.2, 5.2, 5.6, 5.6)); break;
    case MediaSymbol::Forward:
        p.drawPolygon(QPolygonF({QPointF(4, 5), QPointF(8, 8), QPointF(4, 11)}));
        p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(12, 8), QPointF(8, 11)}));
        break;
    case MediaSymbol::Back:
        p.drawPolygon(QPolygonF({QPointF(12, 5), QPointF(8, 8), QPointF(12, 11)}));
        p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(4, 8), QPointF(8, 11)}));
        break;
    }
}

QPolygonF starShape(const QPointF& c, qreal outer, qreal inner)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return star;
}

void star(QPainter& p, const QPointF& c, qreal r, const QColor& colour)
{
    p.setPen(QPen(colour.darker(150), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(colour.lighter(130), colour, c.y() - r, c.y() + r));
    p.drawPolygon(starShape(c, r, r * 0.45));
}

void clipboard(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(QColor(0xb0, 0x7a, 0x45));
    p.drawRoundedRect(QRectF(2.5, 2, 10, 13), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 3.5, 7, 10));
    p.setBrush(QColor(0x9a, 0x9e, 0xa4));
    p.drawRoundedRect(QRectF(5.5, 1, 4, 2.5), 0.8, 0.8);
    textLines(p, 5, 10, 6, 4);
}

void gear(QPainter& p, const QPointF& c, qreal r, const QColor& colour)
{
    QPainterPath wheel;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = i * std::numbers::pi / teeth;
        const qreal rr = i % 2 == 0 ? r : r * 0.75;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            wheel.moveTo(pt);
        else
            wheel.lineTo(pt);
    }
    wheel.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, r * 0.32, r * 0.32);
    p.setPen(outline(0.6));
    p.setBrush(vertical(colour.lighter(150), colour, c.y() - r, c.y() + r));
    p.drawPath(wheel.subtracted(hole));
}

void person(QPainter& p, const QPointF& head, qreal scale, const QColor& shirt)
{
    p.setPen(outline(0.6));
    p.setBrush(shirt);
    p.drawChord(QRectF(head.x() - 3.6 * scale, head.y() + 2.2 * scale, 7.2 * scale, 8 * scale), 0, 180 * 16);
    p.setBrush(QColor(0xf2, 0xc6, 0x9c));
    p.drawEllipse(head, 2.2 * scale, 2.2 * scale);
}

void drawNew(QPainter& p)
{
    page(p);
    textLines(p, 4.5, 10, 5, 3);
    plusBadge(p);
}

void drawSelect(QPainter& p)
{
    card(p, QPointF(6, 8.5), -14, QString(QChar(0x2660)), false);
    card(p, QPointF(10, 8), 12, QString(QChar(0x2665)), true);
}

void drawRestart(QPainter& p)
{
    QPainterPath arc;
    arc.arcMoveTo(QRectF(2.5, 2.5, 11, 11), 80);
    arc.arcTo(QRectF(2.5, 2.5, 11, 11), 80, 280);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGreen.darker(150), 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    p.setPen(QPen(kGreen.lighter(115), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    p.setPen(outline(0.6));
    p.setBrush(kGreen);
    p.drawPolygon(arrowHead(QPointF(12.5, 2.2), 10, 4.5));
}

void drawOpen(QPainter& p) { folderShape(p, true); }
void drawFolder(QPainter& p) { folderShape(p, false); }
void drawSave(QPainter& p) { floppy(p, QRectF(2, 2, 12, 12), kBlue); }

void drawAutoSave(QPainter& p)
{
    floppy(p, QRectF(1, 1, 10, 10), QColor(0x6a, 0x7f, 0x9a));
    floppy(p, QRectF(5, 5, 10, 10), kBlue);
}

void drawRecent(QPainter& p)
{
    page(p, QRectF(1.5, 1, 9.5, 12.5));
    textLines(p, 3.5, 8.5, 4.5, 3);
    clockFace(p, QPointF(11, 11), 4.2);
}

void drawQ1(QPainter& p)
{
    page(p);
    card(p, QPointF(7.6, 9), 0, QString(QChar(0x2663)), false);
}

void drawUndo(QPainter& p) { curvedArrow(p, true, kGold); }
void drawRedo(QPainter& p) { curvedArrow(p, false, kGold); }
void drawUndoAll(QPainter& p) { arrowToBar(p, 180, kBlue); }
void drawRedoAll(QPainter& p) { arrowToBar(p, 0, kBlue); }
void drawAutoPlay(QPainter& p) { arrowToBar(p, -90, kGreen); }
// A light bulb, lit.
void drawHint(QPainter& p)
{
    QPainterPath bulb;
    bulb.moveTo(5.6, 10.5);
    bulb.cubicTo(5.4, 8.8, 3.2, 7.6, 3.2, 5.4);
    bulb.cubicTo(3.2, 2.7, 5.4, 0.8, 8, 0.8);
    bulb.cubicTo(10.6, 0.8, 12.8, 2.7, 12.8, 5.4);
    bulb.cubicTo(12.8, 7.6, 10.6, 8.8, 10.4, 10.5);
    bulb.closeSubpath();
    QRadialGradient glow(QPointF(6.8, 4), 7);
    glow.setColorAt(0, QColor(0xff, 0xfb, 0xd6));
    glow.setColorAt(0.6, QColor(0xff, 0xe0, 0x4a));
    glow.setColorAt(1, kGold);
    p.setPen(QPen(QColor(0x9a, 0x70, 0x0c), 0.8));
    p.setBrush(glow);
    p.drawPath(bulb);
    // The base, in rings.
    p.setPen(outline(0.7));
    p.setBrush(vertical(QColor(0xc8, 0xcc, 0xd2), QColor(0x80, 0x86, 0x90), 10.5, 14));
    p.drawRoundedRect(QRectF(5.4, 10.6, 5.2, 3.2), 0.8, 0.8);
    p.drawLine(QPointF(5.6, 12.2), QPointF(10.4, 12.2));
    p.setBrush(kOutline);
    p.drawRoundedRect(QRectF(6.6, 13.8, 2.8, 1.6), 0.6, 0.6);
    // The filament.
    p.setPen(QPen(QColor(0xc0, 0x6a, 0x00), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath wire;
    wire.moveTo(6.8, 10.4);
    wire.lineTo(6.8, 7.2);
    wire.lineTo(7.6, 6.2);
    wire.lineTo(8.4, 7.2);
    wire.lineTo(9.2, 6.2);
    wire.lineTo(9.2, 10.4);
    p.drawPath(wire);
}

void drawPause(QPainter& p) { mediaButton(p, MediaSymbol::Pause); }
void drawStop(QPainter& p) { mediaButton(p, MediaSymbol::Stop); }
void drawForward(QPainter& p) { mediaButton(p, MediaSymbol::Forward); }
void drawBack(QPainter& p) { mediaButton(p, MediaSymbol::Back); }

void drawMovesMan(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 4.5 + i * 2.5;
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(3, y - 0.7, 1.6, 1.6));
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 0.8));
        p.drawLine(QPointF(6, y + 0.1), QPointF(i % 2 == 0 ? 13 : 11, y + 0.1));
    }
}

void drawAddFav(QPainter& p)
{
    star(p, QPointF(7, 7.5), 6.3, kGold);
    plusBadge(p, QPointF(12, 12));
}

void drawOrgFav(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 3.5, 9.5, 11));
    textLines(p, 7, 13.5, 6, 4);
    star(p, QPointF(5.5, 6), 4.8, kGold);
}

void drawAddPend(QPainter& p)
{
    clipboard(p);
    plusBadge(p, QPointF(12, 12));
}

void drawOrgPend(QPainter& p)
{
    clipboard(p);
    clockFace(p, QPointF(11.8, 11.8), 3.6);
}

void drawHighScore(QPainter& p)
{
    QPainterPath cup;
    cup.moveTo(3.5, 2);
    cup.lineTo(12.5, 2);
    cup.cubicTo(12.5, 7, 10.5, 9.5, 8, 9.5);
    cup.cubicTo(5.5, 9.5, 3.5, 7, 3.5, 2);
    p.setPen(QPen(kGold.darker(160), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1, 3, 4, 4));
    p.drawEllipse(QRectF(11, 3, 4, 4));
    p.setPen(QPen(kGold.darker(170), 0.7));
    p.setBrush(vertical(QColor(0xff, 0xe0, 0x6e), kGold, 2, 10));
    p.drawPath(cup);
    p.drawRect(QRectF(7, 9.5, 2, 2.5));
    p.drawRoundedRect(QRectF(4.5, 12, 7, 2.5), 0.6, 0.6);
}

void drawGameStat(QPainter& p)
{
    p.setPen(outline(0.7));
    const std::array<std::pair<qreal, QColor>, 3> bars{{{6, kGreen}, {9.5, kGold}, {12.5, kRed}}};
    for (size_t i = 0; i < bars.size(); ++i) {
        const qreal x = 2.5 + static_cast<qreal>(i) * 4;
        p.setBrush(vertical(bars[i].second.lighter(130), bars[i].second, 14 - bars[i].first, 14));
        p.drawRect(QRectF(x, 14 - bars[i].first, 3, bars[i].first));
    }
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
}

void drawToolbar(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(vertical(QColor(0xf2, 0xf2, 0xf2), QColor(0xc8, 0xcc, 0xd2), 4, 12));
    p.drawRoundedRect(QRectF(0.8, 4.5, 14.4, 7), 1, 1);
    const std::array<QColor, 3> colours{kBlue, kGreen, kGold};
    for (size_t i = 0; i < colours.size(); ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(2.5 + static_cast<qreal>(i) * 4.3, 6.3, 2.8, 3.4));
    }
}

void drawSounds(QPainter& p)
{
    QPainterPath speaker;
    speaker.moveTo(1.5, 6);
    speaker.lineTo(4.5, 6);
    speaker.lineTo(8.5, 2.5);
    speaker.lineTo(8.5, 13.5);
    speaker.lineTo(4.5, 10);
    speaker.lineTo(1.5, 10);
    speaker.closeSubpath();
    p.setPen(outline());
    p.setBrush(vertical(QColor(0x9a, 0xa4, 0xb0), QColor(0x4c, 0x55, 0x60), 2, 14));
    p.drawPath(speaker);
    p.setPen(QPen(kBlue, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 5, 6, 6), -50 * 16, 100 * 16);
    p.drawArc(QRectF(6, 2.5, 9.5, 11), -50 * 16, 100 * 16);
}

void drawBackground(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(vertical(QColor(0x8c, 0xc4, 0xf2), QColor(0xd8, 0xee, 0xfc), 2, 10));
    p.drawRect(QRectF(1, 2.5, 14, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x3c));
    p.drawEllipse(QPointF(11.5, 5.5), 1.6, 1.6);
    QPainterPath hills;
    hills.moveTo(1.4, 13.1);
    hills.lineTo(1.4, 10);
    hills.quadTo(5, 6.5, 8.5, 10);
    hills.quadTo(11.5, 8, 14.6, 10);
    hills.lineTo(14.6, 13.1);
    hills.closeSubpath();
    p.setBrush(kGreen);
    p.drawPath(hills);
}

void drawPlayers(QPainter& p)
{
    person(p, QPointF(10.5, 4.5), 0.95, QColor(0x8a, 0x5c, 0xb8));
    person(p, QPointF(5.8, 6.2), 1.05, kBlue);
}

void drawHot(QPainter& p)
{
    QPainterPath flame;
    flame.moveTo(8, 15);
    flame.cubicTo(3, 15, 2, 10.5, 4.5, 7.5);
    flame.cubicTo(4.5, 9.5, 5.8, 10, 6.2, 9.5);
    flame.cubicTo(5, 6, 7.5, 3, 9, 1);
    flame.cubicTo(9.3, 4, 14, 6.5, 12.6, 11.5);
    flame.cubicTo(12, 14, 10, 15, 8, 15);
    QLinearGradient fire(0, 1, 0, 15);
    fire.setColorAt(0, QColor(0xff, 0xc8, 0x2e));
    fire.setColorAt(1, QColor(0xe0, 0x3c, 0x14));
    p.setPen(QPen(QColor(0xa0, 0x24, 0x0a), 0.7));
    p.setBrush(fire);
    p.drawPath(flame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe9, 0x8a));
    p.drawEllipse(QRectF(6.3, 10, 3.4, 4.2));
}

void drawHistory(QPainter& p)
{
    clockFace(p, QPointF(8, 8), 6.5);
    p.setPen(QPen(kOutline, 0.6));
    for (int i = 0; i < 12; i += 3) {
        const qreal a = i * std::numbers::pi / 6;
        p.drawLine(QPointF(8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a)),
                   QPointF(8 + 6.1 * std::cos(a), 8 + 6.1 * std::sin(a)));
    }
}

void drawOptions(QPainter& p)
{
    gear(p, QPointF(6.3, 6.3), 5.4, QColor(0x7d, 0x86, 0x92));
    gear(p, QPointF(11.5, 11.5), 3.8, kBlue);
}

void helpCircle(QPainter& p, const QPointF& c, qreal r)
{
    p.setPen(QPen(kBlue.darker(140), 0.7));
    QRadialGradient ball(c - QPointF(r / 3, r / 3), r * 1.4);
    ball.setColorAt(0, kBlue.lighter(160));
    ball.setColorAt(1, kBlue);
    p.setBrush(ball);
    p.drawEllipse(c, r, r);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(r * 1.6));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QStringLiteral("?"));
}

void drawRules(QPainter& p)
{
    card(p, QPointF(5.5, 7), -8, QString(QChar(0x2666)), true);
    helpCircle(p, QPointF(10.5, 10.5), 4.5);
}

void drawContents(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 2.5, 11, 12));
    p.setBrush(vertical(kRed.lighter(120), kRed.darker(110), 1.5, 13.5));
    p.drawRoundedRect(QRectF(1.5, 1.5, 11, 12), 0.8, 0.8);
    p.setPen(QPen(QColor(0xf5, 0xe6, 0xb8), 0.8));
    p.drawLine(QPointF(4, 4.5), QPointF(10, 4.5));
    p.drawLine(QPointF(4, 6.3), QPointF(8.5, 6.3));
    helpCircle(p, QPointF(11, 11), 3.8);
}

struct Picture {
    const char* key;
    std::array<const char*, 2> themeNames; // the first one the theme has wins
    DrawFn draw;
};

// Theme names follow the freedesktop naming; the second name is what other
// themes call a picture the first theme names its own way.
const std::array<Picture, 35> kPictures{{
    {"New", {"document-new", nullptr}, drawNew},
    {"Select", {"applications-games", nullptr}, drawSelect},
    {"Restart", {"view-refresh", nullptr}, drawRestart},
    {"Open", {"document-open", nullptr}, drawOpen},
    {"Save", {"document-save", nullptr}, drawSave},
    {"Recent", {"document-open-recent", nullptr}, drawRecent},
    {"Undo", {"edit-undo", nullptr}, drawUndo},
    {"Redo", {"edit-redo", nullptr}, drawRedo},
    {"AutoPlay", {"go-top", "go-up"}, drawAutoPlay},
    {"Hint", {"help-hint", nullptr}, drawHint},
    {"UndoAll", {"go-first", nullptr}, drawUndoAll},
    {"RedoAll", {"go-last", nullptr}, drawRedoAll},
    {"Pause", {"media-playback-pause", nullptr}, drawPause},
    {"Forward", {"media-seek-forward", nullptr}, drawForward},
    {"Back", {"media-seek-backward", nullptr}, drawBack},
    {"Stop", {"media-playback-stop", nullptr}, drawStop},
    {"MovesMan", {"view-list-details", nullptr}, drawMovesMan},
    {"AddFav", {"bookmark-new", nullptr}, drawAddFav},
    {"OrgFav", {"bookmarks-organize", nullptr}, drawOrgFav},
    {"AddPend", {"appointment-new", nullptr}, drawAddPend},
    {"OrgPend", {"view-pim-tasks-pending", nullptr}, drawOrgPend},
    {"HighScore", {"games-highscores", nullptr}, drawHighScore},
    {"GameStat", {"view-statistics", nullptr}, drawGameStat},
    {"Toolbar", {"configure-toolbars", nullptr}, drawToolbar},
    {"Sounds", {"preferences-desktop-sound", "audio-volume-high"}, drawSounds},
    {"Background", {"games-config-background", "preferences-desktop-wallpaper"}, drawBackground},
    {"Players", {"system-users", nullptr}, drawPlayers},
    {"AutoSave", {"document-save-all", nullptr}, drawAutoSave},
    {"Hot", {"get-hot-new-stuff", nullptr}, drawHot},
    {"History", {"view-history", nullptr}, drawHistory},
    {"Options", {"games-config-options", "preferences-system"}, drawOptions},
    {"Rules", {"help-contextual", "help-browser"}, drawRules},
    {"Contents", {"help-contents", nullptr}, drawContents},
    {"Q1", {"x-office-document", "text-x-generic"}, drawQ1},
    {"Folder", {"folder", nullptr}, drawFolder},
}};

const Picture* findPicture(const QString& key)
{
    for (const Picture& picture : kPictures) {
        if (key == QLatin1String(picture.key))
            return &picture;
    }
    return nullptr;
}

// The folders icon themes are installed in, whether or not a desktop
// session told Qt about them.
QStringList iconFolders()
{
    QStringList folders = QIcon::themeSearchPaths();
    QStringList dataDirs = QString::fromLocal8Bit(qgetenv("XDG_DATA_DIRS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    dataDirs << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    for (const QString& dir : dataDirs) {
        const QString folder = QDir::cleanPath(dir + QStringLiteral("/icons"));
        if (!folders.contains(folder) && QFileInfo(folder).isDir())
            folders << folder;
    }
    return folders;
}

} // namespace

QStringList CommandIcons::keys()
{
    QStringList list;
    for (const Picture& picture : kPictures)
        list << QLatin1String(picture.key);
    return list;
}

bool CommandIcons::hasIcon(const QString& key) { return findPicture(key) != nullptr; }

bool CommandIcons::useTheme()
{
    const QString wanted = QLatin1String(kThemeName);
    if (QIcon::themeName() == wanted)
        return true;
    const QStringList folders = iconFolders();
    for (const QString& folder : folders) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + wanted + QStringLiteral("/index.theme"))) {
            if (QIcon::themeSearchPaths() != folders)
                QIcon::setThemeSearchPaths(folders);
            QIcon::setThemeName(wanted);
            return true;
        }
    }
    return false;
}

QIcon CommandIcons::themeIcon(const QString& key)
{
    const Picture* picture = findPicture(key);
    if (picture == nullptr)
        return {};
    useTheme();
    for (const char* name : picture->themeNames) {
        if (name != nullptr && QIcon::hasThemeIcon(QLatin1String(name)))
            return QIcon::fromTheme(QLatin1String(name));
    }
    return {};
}

QIcon CommandIcons::drawnIcon(const QString& key)
{
    const Picture* picture = findPicture(key);
    if (picture == nullptr)
        return {};
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(size / 16.0, size / 16.0);
        picture->draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon CommandIcons::icon(const QString& key)
{
    QIcon themed = themeIcon(key);
    return themed.isNull() ? drawnIcon(key) : themed;
}
