#include "windows/common/BackgroundPainter.h"

#include "pictures/Backgrounds.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QtMath>

#include <algorithm>

namespace {

QSize largestScreen()
{
    QSize largest;
    for (const QScreen* screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->size());
    return largest;
}

// The size that covers `screen` with the picture, keeping its proportions;
// the picture's own size when it is no larger.
QSize coveringSize(QSize picture, QSize screen)
{
    if (screen.isEmpty() || (picture.width() <= screen.width() && picture.height() <= screen.height()))
        return picture;
    const double factor =
        std::max(double(screen.width()) / picture.width(), double(screen.height()) / picture.height());
    if (factor >= 1)
        return picture;
    return QSize(std::max(1, qCeil(picture.width() * factor)), std::max(1, qCeil(picture.height() * factor)));
}

// Qt refuses pictures above a bound of memory (128 MB by default, less than a
// 36-megapixel photo needs). A picture within the program's own bound may
// need its whole size while it is read, before it is made smaller.
class ReadingRoom {
public:
    explicit ReadingRoom(qint64 bytes) : before_(QImageReader::allocationLimit())
    {
        const qint64 megabytes = bytes / (1024 * 1024) + 1;
        if (before_ > 0 && megabytes > before_)
            QImageReader::setAllocationLimit(static_cast<int>(megabytes));
    }
    ~ReadingRoom() { QImageReader::setAllocationLimit(before_); }
    ReadingRoom(const ReadingRoom&) = delete;
    ReadingRoom& operator=(const ReadingRoom&) = delete;

private:
    int before_;
};

} // namespace

PlayerPicture loadPlayerPicture(const QString& path, QSize screen)
{
    PlayerPicture loaded;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return loaded;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    const qint64 pixels = size.isValid() ? qint64{size.width()} * size.height() : 0;
    if (pixels > kMostPicturePixels) {
        loaded.refusal = QStringLiteral("The picture \"%1\" is too large to be shown (%2 × %3 pixels; at most 100 "
                                        "million pixels).")
                             .arg(QFileInfo(path).fileName())
                             .arg(size.width())
                             .arg(size.height());
        return loaded;
    }
    if (pixels > 0) {
        // The screen as the picture stands in the file, before it is turned.
        if (screen.isEmpty())
            screen = largestScreen();
        if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
            screen.transpose();
        const QSize wanted = coveringSize(size, screen);
        if (wanted != size)
            reader.setScaledSize(wanted);
    }
    // A format read whole before it is made smaller needs its full size
    // for a moment; 64-bit colour at worst.
    const int bits = reader.imageFormat() != QImage::Format_Invalid
                         ? QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel()
                         : 64;
    const ReadingRoom room(pixels * std::max(32, bits) / 8);
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
