// Court cards: the jack, queen and king, a figure in each half of a frame.

#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPolygonF>

#include <cmath>

namespace pictures::paint {

namespace {

const QColor kSkin(0xf7, 0xd9, 0xb6);
const QColor kCream(0xfd, 0xf7, 0xe6);

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

} // namespace

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

} // namespace pictures::paint
