#include "pictures/Backgrounds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <map>
#include <mutex>

namespace backgrounds {

namespace {

constexpr int kTile = 256;
constexpr double kPi = 3.14159265358979323846;

// A repeatable pseudo-random number in [0, 1) for a lattice point.
double hash(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393U + static_cast<uint32_t>(y) * 668265263U +
                 static_cast<uint32_t>(seed) * 2246822519U;
    h = (h ^ (h >> 13)) * 1274126177U;
    h ^= h >> 16;
    return (h & 0xffffff) / static_cast<double>(0x1000000);
}

// Smooth noise that repeats every kTile pixels: `cells` lattice cells across
// the tile, several octaves.
double noise(double x, double y, int cells, int seed, int octaves = 4)
{
    double total = 0.0;
    double weight = 1.0;
    double sum = 0.0;
    for (int o = 0; o < octaves; ++o) {
        const int n = cells << o;
        const double fx = x / kTile * n;
        const double fy = y / kTile * n;
        const int x0 = static_cast<int>(std::floor(fx));
        const int y0 = static_cast<int>(std::floor(fy));
        const double tx = fx - x0;
        const double ty = fy - y0;
        const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
        const auto at = [&](int i, int j) { return hash(((i % n) + n) % n, ((j % n) + n) % n, seed + o); };
        const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * smooth(tx);
        const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * smooth(tx);
        total += (a + (b - a) * smooth(ty)) * weight;
        sum += weight;
        weight *= 0.5;
    }
    return total / sum;
}

QRgb shade(const QColor& base, double light)
{
    const auto channel = [&](int c) { return std::clamp(static_cast<int>(c * light), 0, 255); };
    return qRgb(channel(base.red()), channel(base.green()), channel(base.blue()));
}

enum class Kind { Felt, Wood, Stone, Fabric };

struct TextureInfo {
    const char* name;
    Kind kind;
    QColor base;
    int seed;
};

const std::array<TextureInfo, 12> kTextures{{
    {"Felt", Kind::Felt, QColor(0x1e, 0x6b, 0x3a), 11},
    {"Felt", Kind::Felt, QColor(0x1d, 0x4f, 0x7a), 12},
    {"Felt", Kind::Felt, QColor(0x7a, 0x22, 0x2a), 13},
    {"Wood", Kind::Wood, QColor(0x7a, 0x4e, 0x2c), 21},
    {"Wood", Kind::Wood, QColor(0x4a, 0x30, 0x1f), 22},
    {"Wood", Kind::Wood, QColor(0x9a, 0x74, 0x4c), 23},
    {"Stone", Kind::Stone, QColor(0x6e, 0x6c, 0x66), 31},
    {"Stone", Kind::Stone, QColor(0x5a, 0x62, 0x6e), 32},
    {"Stone", Kind::Stone, QColor(0x7c, 0x6a, 0x55), 33},
    {"Fabric", Kind::Fabric, QColor(0x3c, 0x52, 0x3a), 41},
    {"Fabric", Kind::Fabric, QColor(0x4b, 0x3a, 0x5e), 42},
    {"Fabric", Kind::Fabric, QColor(0x5e, 0x4a, 0x2e), 43},
}};

QImage drawTexture(const TextureInfo& t)
{
    QImage image(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kTile; ++x) {
            double light = 1.0;
            switch (t.kind) {
            case Kind::Felt:
                // Soft mottling and a fine nap.
                light = 0.86 + 0.18 * noise(x, y, 4, t.seed) + 0.07 * (hash(x, y, t.seed) - 0.5);
                break;
            case Kind::Wood: {
                // Rings along the board, bent by the grain.
                const double bend = noise(x, y, 2, t.seed, 3);
                const double ring = std::sin(2 * kPi * (4.0 * y / kTile + 1.6 * bend));
                light = 0.82 + 0.12 * ring + 0.12 * noise(x, y * 0.25, 8, t.seed + 5, 2) +
                        0.05 * (hash(x, y / 3, t.seed) - 0.5);
                break;
            }
            case Kind::Stone: {
                const double n = noise(x, y, 3, t.seed, 5);
                const double vein = std::abs(std::sin(2 * kPi * (2.0 * x / kTile + 2.0 * n)));
                light = 0.78 + 0.3 * n - 0.12 * std::pow(1.0 - vein, 8.0) + 0.05 * (hash(x, y, t.seed) - 0.5);
                break;
            }
            case Kind::Fabric: {
                // Threads over and under.
                const double warp = std::sin(2 * kPi * x / 4.0);
                const double weft = std::sin(2 * kPi * y / 4.0);
                const bool over = ((x / 4) + (y / 4)) % 2 == 0;
                light = 0.88 + 0.06 * (over ? warp : weft) + 0.1 * noise(x, y, 4, t.seed, 2);
                break;
            }
            }
            line[x] = shade(t.base, light);
        }
    }
    return image;
}

struct ColourInfo {
    const char* name;
    QColor value;
};

const std::array<ColourInfo, 16> kColours{{
    {"Midnight Blue", QColor(0x19, 0x2a, 0x4d)},
    {"Royal Blue", QColor(0x2a, 0x4b, 0x8c)},
    {"Steel Blue", QColor(0x3d, 0x62, 0x84)},
    {"Teal", QColor(0x1c, 0x6e, 0x6a)},
    {"Sea Green", QColor(0x2b, 0x7a, 0x5a)},
    {"Emerald", QColor(0x1f, 0x7a, 0x46)},
    {"Casino Green", QColor(0x2a, 0x86, 0x48)},
    {"Forest Green", QColor(0x2d, 0x5a, 0x2d)},
    {"Olive", QColor(0x5c, 0x63, 0x2c)},
    {"Burgundy", QColor(0x6e, 0x1f, 0x2b)},
    {"Crimson", QColor(0x8c, 0x24, 0x2c)},
    {"Plum", QColor(0x5a, 0x2d, 0x5e)},
    {"Chocolate", QColor(0x5a, 0x3a, 0x24)},
    {"Sandstone", QColor(0x8a, 0x6e, 0x4a)},
    {"Slate Grey", QColor(0x4a, 0x52, 0x5a)},
    {"Charcoal", QColor(0x2e, 0x30, 0x33)},
}};

const std::array<const char*, 6> kPictures{{"Dunes", "Hills", "Night Sky", "Calm Sea", "Lattice", "Petals"}};

constexpr int kPictureWidth = 1600;
constexpr int kPictureHeight = 1100;

QImage drawPicture(int number)
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, kPictureWidth, kPictureHeight);
    const auto sky = [&](const QColor& top, const QColor& bottom) {
        QLinearGradient g(0, 0, 0, kPictureHeight);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillRect(all, g);
    };
    // Rolling bands from a height, darker towards the front.
    const auto bands = [&](const QColor& colour, int count, double start, double amplitude, int seed) {
        for (int b = 0; b < count; ++b) {
            QPainterPath path;
            const double base = kPictureHeight * (start + (1.0 - start) * b / count);
            path.moveTo(0, kPictureHeight);
            for (int x = 0; x <= kPictureWidth; x += 8) {
                const double y = base + amplitude * std::sin(2 * kPi * (x / 1400.0 + hash(b, 0, seed))) +
                                 amplitude * 0.4 * std::sin(2 * kPi * (x / 520.0 + hash(b, 1, seed)));
                path.lineTo(x, y);
            }
            path.lineTo(kPictureWidth, kPictureHeight);
            path.closeSubpath();
            p.fillPath(path, colour.darker(100 + 22 * b));
        }
    };
    switch (number) {
    case 1:
        sky(QColor(0x3a, 0x4d, 0x6e), QColor(0xb0, 0x8a, 0x5c));
        bands(QColor(0xa8, 0x7a, 0x48), 4, 0.45, 22, 1);
        break;
    case 2:
        sky(QColor(0x4a, 0x6a, 0x8a), QColor(0x9a, 0xb0, 0xa0));
        bands(QColor(0x4e, 0x7a, 0x3e), 5, 0.4, 26, 2);
        break;
    case 3: {
        sky(QColor(0x08, 0x0e, 0x24), QColor(0x1e, 0x2c, 0x50));
        p.setPen(Qt::NoPen);
        for (int s = 0; s < 800; ++s) {
            const double x = hash(s, 1, 3) * kPictureWidth;
            const double y = hash(s, 2, 3) * kPictureHeight * 0.8;
            const double r = 0.5 + 1.3 * hash(s, 3, 3) * hash(s, 4, 3);
            p.setBrush(QColor(255, 255, 240, 90 + static_cast<int>(120 * hash(s, 5, 3))));
            p.drawEllipse(QPointF(x, y), r, r);
        }
        bands(QColor(0x14, 0x1c, 0x2c), 2, 0.78, 12, 4);
        break;
    }
    case 4:
        sky(QColor(0x5a, 0x7e, 0x9e), QColor(0xa8, 0xbc, 0xc8));
        bands(QColor(0x2a, 0x5a, 0x7a), 6, 0.5, 6, 5);
        break;
    case 5: {
        p.fillRect(all, QColor(0x2e, 0x3b, 0x4a));
        p.setPen(QPen(QColor(0x3e, 0x50, 0x62), 2));
        for (int d = -kPictureHeight; d < kPictureWidth; d += 40) {
            p.drawLine(QPointF(d, 0), QPointF(d + kPictureHeight, kPictureHeight));
            p.drawLine(QPointF(d + kPictureHeight, 0), QPointF(d, kPictureHeight));
        }
        break;
    }
    default: {
        p.fillRect(all, QColor(0x3a, 0x2e, 0x3e));
        p.setPen(Qt::NoPen);
        for (int s = 0; s < 320; ++s) {
            const QPointF at(hash(s, 1, 6) * kPictureWidth, hash(s, 2, 6) * kPictureHeight);
            const double r = 12 + 40 * hash(s, 3, 6);
            QRadialGradient g(at, r);
            g.setColorAt(0, QColor(0x8a, 0x5a, 0x7a, 90));
            g.setColorAt(1, QColor(0x8a, 0x5a, 0x7a, 0));
            p.setBrush(g);
            p.drawEllipse(at, r, r);
        }
        break;
    }
    }
    return image;
}

// Drawn once each, when first asked for.
QImage cached(int kind, int number, QImage (*make)(int))
{
    static std::mutex lock;
    static std::map<std::pair<int, int>, QImage> made;
    const std::lock_guard<std::mutex> hold(lock);
    QImage& image = made[{kind, number}];
    if (image.isNull())
        image = make(number);
    return image;
}

int bounded(int number, int count) { return std::clamp(number, 1, count); }

} // namespace

QList<Category> textureCategories()
{
    return {{QStringLiteral("felt"), QStringLiteral("Felt")},
            {QStringLiteral("wood"), QStringLiteral("Wood")},
            {QStringLiteral("stone"), QStringLiteral("Stone")},
            {QStringLiteral("fabric"), QStringLiteral("Fabric")}};
}

int textureCount() { return static_cast<int>(kTextures.size()); }

int textureCategory(int number)
{
    return static_cast<int>(kTextures[static_cast<size_t>(bounded(number, textureCount()) - 1)].kind);
}

QImage texture(int number)
{
    return cached(0, bounded(number, textureCount()),
                  [](int n) { return drawTexture(kTextures[static_cast<size_t>(n - 1)]); });
}

int colourCount() { return static_cast<int>(kColours.size()); }

QString colourName(int number)
{
    return QLatin1String(kColours[static_cast<size_t>(bounded(number, colourCount()) - 1)].name);
}

QColor colour(int number) { return kColours[static_cast<size_t>(bounded(number, colourCount()) - 1)].value; }

int pictureCount() { return static_cast<int>(kPictures.size()); }

QString pictureName(int number)
{
    return QLatin1String(kPictures[static_cast<size_t>(bounded(number, pictureCount()) - 1)]);
}

QImage picture(int number) { return cached(1, bounded(number, pictureCount()), &drawPicture); }

void tile(QPainter& painter, const QRect& area, const QImage& picture)
{
    if (picture.isNull())
        return;
    painter.drawTiledPixmap(area, QPixmap::fromImage(picture), QPoint(0, 0));
}

void gradient(QPainter& painter, const QRect& area, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    painter.fillRect(area, g);
}

} // namespace backgrounds
