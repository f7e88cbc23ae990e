#include "windows/common/BackgroundPainter.h"

#include "pictures/Backgrounds.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

PlayerPicture loadPlayerPicture(const QString& path)
{
    PlayerPicture loaded;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return loaded;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64{size.width()} * size.height() > kMostPicturePixels) {
        loaded.refusal = QStringLiteral("The picture \"%1\" is too large to be shown (%2 × %3 pixels; at most 64 "
                                        "million pixels).")
                             .arg(QFileInfo(path).fileName())
                             .arg(size.width())
                             .arg(size.height());
        return loaded;
    }
    loaded.image = reader.read();
    return loaded;
}

void paintBackground(QPainter& painter, const QRect& area, const BackgroundChoice& choice, const QImage& picture)
{
    painter.fillRect(area, Qt::black);
    const auto drawPicture = [&](const QImage& image) {
        if (image.isNull())
            return;
        if (choice.tile) {
            backgrounds::tile(painter, area, image);
        } else {
            // Once, in the middle; a larger picture is cut equally on both
            // sides.
            const QPoint at(area.left() + (area.width() - image.width()) / 2,
                            area.top() + (area.height() - image.height()) / 2);
            painter.drawImage(at, image);
        }
    };
    switch (choice.kind) {
    case BackgroundChoice::Texture: backgrounds::tile(painter, area, backgrounds::texture(choice.number)); break;
    case BackgroundChoice::Colour: {
        const QColor colour = backgrounds::colour(choice.number);
        backgrounds::gradient(painter, area, colour, choice.fade ? QColor(Qt::black) : colour);
        break;
    }
    case BackgroundChoice::Picture: drawPicture(backgrounds::picture(choice.number)); break;
    case BackgroundChoice::Scheme: {
        const auto& s = choice.scheme;
        backgrounds::gradient(painter, area, QColor(s[0], s[1], s[2]), QColor(s[3], s[4], s[5]));
        break;
    }
    default: drawPicture(picture); break;
    }
}
