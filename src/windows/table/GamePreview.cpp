#include "windows/table/GamePreview.h"

#include "engine/ScratchTable.h"
#include "pictures/CardPictures.h"
#include "rules/Card.h"
#include "rules/RunTimeError.h"
#include "rules/mKlondike.h"
#include "windows/table/TableView.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace {

// Room around the cards of a miniature, in twips.
constexpr qreal kTableMargin = 300;

const QColor kFeltLight(0x2f, 0x8a, 0x4c);
const QColor kFeltDark(0x14, 0x5a, 0x2e);

qreal pixelRatio() { return qApp != nullptr ? qApp->devicePixelRatio() : 1.0; }

QPixmap blank(QSize size)
{
    const qreal ratio = pixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void paintFelt(QPainter& p, const QRectF& area)
{
    QRadialGradient felt(area.center(), std::max(area.width(), area.height()) * 0.75);
    felt.setColorAt(0, kFeltLight);
    felt.setColorAt(1, kFeltDark);
    p.fillRect(area, felt);
}

} // namespace

void GamePreview::setDeckIndex(int32_t deckIndex)
{
    deckIndex_ = settings::usableDeck(deckIndex, pictures_.deckCount());
}

int GamePreview::frameBorder(bool maximised) { return maximised ? 10 : 6; }

QPixmap GamePreview::preview(int16_t gameId, QSize size)
{
    if (gameId == 0)
        return noGame(size);
    const auto games = mKlondike::GameList();
    if (gameId < 1 || gameId > static_cast<int16_t>(games.size()))
        throw RunTimeError::subscript();
    const QString key =
        QStringLiteral("game/%1/%2x%3/%4").arg(gameId).arg(size.width()).arg(size.height()).arg(deckIndex_);
    const auto it = cache_.constFind(key);
    if (it != cache_.constEnd())
        return *it;
    QPixmap pixmap = render(games[static_cast<size_t>(gameId - 1)].gName, size);
    cache_.insert(key, pixmap);
    return pixmap;
}

QPixmap GamePreview::render(const QString& gameName, QSize size)
{
    ++renders_;
    // A table of its own: dealing here leaves the game being played alone.
    ScratchTable table(gameName);
    if (deckIndex_ > 0)
        table.services.settings().write(settings::kDeckIndex, deckIndex_);
    QRectF cards;
    QPixmap pixmap = blank(size);
    {
        TableView view(table.games, table.play, table.services, pictures_);
        table.services.setSurface(&view);
        table.deal(GameNo(kPreviewGameNo));
        view.finishAnimations();

        for (const QGraphicsItem* item : view.scene()->items())
            if (item->isVisible())
                cards |= item->sceneBoundingRect();
        cards.adjust(-kTableMargin, -kTableMargin, kTableMargin, kTableMargin);

        QPainter p(&pixmap);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        const QRectF area(QPointF(0, 0), QSizeF(size));
        paintFelt(p, area);
        // The whole table, as large as it fits, in the middle of the picture.
        const qreal scale = std::min(area.width() / cards.width(), area.height() / cards.height());
        QRectF target(QPointF(0, 0), cards.size() * scale);
        target.moveCenter(area.center());
        view.scene()->render(&p, target, cards, Qt::IgnoreAspectRatio);
        table.services.setSurface(nullptr);
    }
    return pixmap;
}

QPixmap GamePreview::noGame(QSize size)
{
    const QString key = QStringLiteral("none/%1x%2/%3").arg(size.width()).arg(size.height()).arg(deckIndex_);
    const auto it = cache_.constFind(key);
    if (it != cache_.constEnd())
        return *it;

    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    paintFelt(p, area);

    // A closed pack, slightly spread, in the middle of the table.
    const qreal cardHeight = area.height() * 0.5;
    const QSizeF card(cardHeight * ::card::kWidth / double{::card::kHeight}, cardHeight);
    const QSize pixels = (card * pixelRatio()).toSize();
    const QPixmap back = pictures_.back(deckIndex_ > 0 ? deckIndex_ : 7, pixels);
    const QPointF centre(area.center().x(), area.height() * 0.44);
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(centre + QPointF(0, card.height() * 0.55));
        p.rotate(-12.0 + 12.0 * i);
        p.drawPixmap(QRectF(QPointF(-card.width() / 2, -card.height()), card), back, QRectF(back.rect()));
        p.restore();
    }

    QFont font = p.font();
    font.setPixelSize(std::max(10, size.height() / 14));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0xf4, 0xf0, 0xd8));
    const QRectF caption(0, area.height() * 0.80, area.width(), area.height() * 0.16);
    p.drawText(caption, Qt::AlignCenter, QStringLiteral("No game chosen"));
    p.end();

    cache_.insert(key, pixmap);
    return pixmap;
}

QPixmap GamePreview::frame(bool maximised, QSize size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    const int border = frameBorder(maximised);
    const QRectF inner = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(border, border, -border, -border);

    QPainterPath ring;
    ring.addRoundedRect(outer, border, border);
    QPainterPath hole;
    hole.addRect(inner);
    ring = ring.subtracted(hole);

    QLinearGradient wood(outer.topLeft(), outer.bottomRight());
    if (maximised) {
        // Polished wood with a gilt edge round the picture.
        wood.setColorAt(0, QColor(0x8a, 0x55, 0x2b));
        wood.setColorAt(0.5, QColor(0x5e, 0x34, 0x17));
        wood.setColorAt(1, QColor(0x3f, 0x21, 0x0d));
    } else {
        wood.setColorAt(0, QColor(0x9a, 0x9a, 0x9a));
        wood.setColorAt(1, QColor(0x62, 0x62, 0x62));
    }
    p.fillPath(ring, wood);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer, border, border);
    p.setPen(QPen(maximised ? QColor(0xe2, 0xb0, 0x3a) : QColor(0xd8, 0xd8, 0xd8), maximised ? 2 : 1));
    p.drawRect(inner.adjusted(-1, -1, 1, 1));
    return pixmap;
}
