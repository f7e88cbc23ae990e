#include "windows/common/PictureFile.h"

#include "pictures/CardPictures.h"
#include "rules/WholeFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcPictureFile, "tablora.pictures")

namespace pictureFile {
namespace {

// Larger than the pictures of any table: not ours.
constexpr qint64 kLargest = 64 * 1024 * 1024;

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/card pictures");
}

// The build: the program file's size and time, which change with every
// build of it.
QByteArray buildStamp()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return QByteArray::number(program.size()) + ' ' + QByteArray::number(program.lastModified().toMSecsSinceEpoch());
}

} // namespace

void restore(CardPictures& pictures)
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargest)
        return;
    pictures.restorePictures(file.readAll(), buildStamp());
}

void keep(const CardPictures& pictures)
{
    if (!pictures.drawnSinceRestore())
        return;
    try {
        const QString file = path();
        QDir().mkpath(QFileInfo(file).absolutePath());
        WriteWholeFile(file, pictures.keptPictures(buildStamp()));
    } catch (const RunTimeError& e) {
        qCWarning(lcPictureFile) << "the card pictures could not be kept:" << e.description();
    }
}

} // namespace pictureFile
