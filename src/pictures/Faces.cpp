// Card faces: the corner indices, the pips of Ace .. 10 and, for the court
// cards, the figures drawn in CourtFigures.cpp.

#include "pictures/Painting.h"

#include <vector>

namespace pictures::paint {

namespace {

const QColor kDarkGold(0x9a, 0x6c, 0x12);

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

} // namespace

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

} // namespace pictures::paint
