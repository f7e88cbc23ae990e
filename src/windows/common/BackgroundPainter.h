#pragma once

#include "appearance/Background.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QRect;

// A picture file of the player's, read with a bound on its size.
struct PlayerPicture {
    QImage image;
    // Why it was refused; empty when it was read, and when it could not be
    // (a damaged file is simply not drawn).
    QString refusal;
};

// The most pixels a picture of the player's may have: a phone's photo of
// 100 megapixels is still shown.
inline constexpr qint64 kMostPicturePixels = 100'000'000;

// A picture larger than needed to cover `screen` (by default the largest
// screen) is read made smaller, to just cover it, so that a big photo costs
// no more than the screen it is shown on. A photo's own orientation is
// followed.
PlayerPicture loadPlayerPicture(const QString& path, QSize screen = QSize());

// Paints a background over the area: textures and pictures from the
// program's own set, colours and schemes as gradients, the player's
// `picture` (kinds 4 and 5) tiled or centred. Nothing to draw leaves the
// area dark.
void paintBackground(QPainter& painter, const QRect& area, const BackgroundChoice& choice, const QImage& picture);
