#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

class QPainter;
class QRect;

// The table backgrounds the program draws itself, at any size: textures in
// categories, named colours and calm pictures, numbered from 1; and the two
// ways of covering a window with them.
namespace backgrounds {

struct Category {
    QString key;
    QString name;
};

QList<Category> textureCategories();
int textureCount();
// The index in textureCategories() of a texture's category.
int textureCategory(int number);
// A tile that repeats without a seam.
QImage texture(int number);

int colourCount();
QString colourName(int number);
QColor colour(int number);

int pictureCount();
QString pictureName(int number);
QImage picture(int number);

// Fills the rectangle with the picture repeated from its top left corner.
void tile(QPainter& painter, const QRect& area, const QImage& picture);
// From `top` at the top edge to `bottom` at the bottom edge.
void gradient(QPainter& painter, const QRect& area, const QColor& top, const QColor& bottom);

} // namespace backgrounds
