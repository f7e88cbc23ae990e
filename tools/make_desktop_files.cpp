// Writes the files an install of Tablora puts under PREFIX/share into the
// folder given: the desktop entry, the program's icon (scalable, and drawn
// at the usual sizes), the MIME package and icons of the saved games, and
// the AppStream metadata.

#include "data/FileTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "make_desktop_files: %s could not be written: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // No display is needed to draw the icons.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_desktop_files SHARE_FOLDER\n");
        return 2;
    }
    const QString share = QString::fromLocal8Bit(argv[1]);
    for (const auto& [path, bytes] : FileTypes::installedFiles())
        if (!write(share + QLatin1Char('/') + path, bytes))
            return 1;

    QSvgRenderer icon(FileTypes::programIcon());
    if (!icon.isValid()) {
        std::fprintf(stderr, "make_desktop_files: the program's icon does not read as SVG\n");
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        icon.render(&painter);
        painter.end();
        const QString path = share + QStringLiteral("/icons/hicolor/%1x%1/apps/").arg(size) +
                             QLatin1String(FileTypes::kAppId) + QStringLiteral(".png");
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "make_desktop_files: %s could not be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
