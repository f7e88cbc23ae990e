// Markers: translucent outlines on the table felt.

#include "pictures/Painting.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace pictures::paint {

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

} // namespace pictures::paint
