// Splash and the default background picture.

#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <array>

namespace pictures::paint {

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

} // namespace pictures::paint
