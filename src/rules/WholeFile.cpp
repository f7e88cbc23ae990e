#include "rules/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The system's reason for a step that failed. Qt leaves its own text at
// "Unknown error" when a buffered write fails, so the error number the
// system gave comes first.
QString reason(int code, const QFileDevice& file)
{
    return code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString absoluteClean(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// Raised by moves and deletes that LinkInTheWay stops.
RunTimeError refused(const QString& path, const QString& what, const QString& why)
{
    return RunTimeError(RunTimeError::kPathFileAccess,
                        QStringLiteral("\"%1\" was not %2: %3; Tablora does not follow links out of its folders.")
                            .arg(shown(path), what, why));
}

QString writeRefusal(const QString& why) { return why + QStringLiteral(", and Tablora does not write through links"); }

} // namespace

bool PathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString LinkInTheWay(const QString& path, const QString& root, bool entryMayBeLink)
{
    const QString target = absoluteClean(path);
    if (!root.isEmpty()) {
        // Below the root every name is a real folder (that is what is
        // checked), so the path read as text is where it leads.
        const QString top = absoluteClean(root);
        const QString prefix = top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/');
        if (!target.startsWith(prefix))
            return QStringLiteral("it lies outside \"%1\"").arg(shown(top));
        for (qsizetype slash = target.indexOf(QLatin1Char('/'), prefix.size()); slash >= 0;
             slash = target.indexOf(QLatin1Char('/'), slash + 1)) {
            const QString folder = target.left(slash);
            if (QFileInfo(folder).isSymLink())
                return QStringLiteral("the folder \"%1\" is a link").arg(shown(folder));
        }
    }
    if (!entryMayBeLink && QFileInfo(target).isSymLink())
        return QStringLiteral("it is a link");
    return {};
}

FileNotWritten::FileNotWritten(const QString& path, const QString& reason)
    : RunTimeError(
          kPathFileAccess,
          QStringLiteral("The file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(path), reason)),
      path_(path), reason_(reason)
{
}

void WriteWholeFile(const QString& path, const QByteArray& bytes, const QString& root)
{
    // QSaveFile would follow a link, a dangling one too, and write where it
    // points.
    if (const QString why = LinkInTheWay(path, root); !why.isEmpty())
        throw FileNotWritten(path, writeRefusal(why));
    // QSaveFile::commit() renames the temporary file over the old one and
    // reports success even after a buffered write failed (a full disk, a
    // size limit). So every step is checked before the commit; on a failure
    // `file` discards the temporary file as it goes.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw FileNotWritten(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        throw FileNotWritten(path, reason(errno, file));
    errno = 0;
    if (::fsync(file.handle()) != 0)
        throw FileNotWritten(path, reason(errno, file));
    if (!file.commit())
        throw FileNotWritten(path, file.errorString());
}

void AppendToFile(const QString& path, const QByteArray& bytes)
{
    // O_NOFOLLOW: a link put in the file's place between a check and the
    // opening is refused as well.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int code = errno;
        throw FileNotWritten(path, code == ELOOP ? writeRefusal(QStringLiteral("it is a link"))
                                                 : QString::fromLocal8Bit(std::strerror(code)));
    }
    const auto fail = [&] {
        const int code = errno;
        ::close(fd);
        throw FileNotWritten(path, QString::fromLocal8Bit(std::strerror(code != 0 ? code : EIO)));
    };
    errno = 0;
    // One write, so that a line is never split by another program writing
    // the same file.
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail();
        done += written;
    }
    if (::fsync(fd) != 0)
        fail();
    if (::close(fd) != 0)
        throw FileNotWritten(path, QString::fromLocal8Bit(std::strerror(errno)));
}

bool RemoveFile(const QString& path, const QString& root)
{
    if (const QString why = LinkInTheWay(path, root, true); !why.isEmpty())
        throw refused(path, QStringLiteral("deleted"), why);
    if (!PathTaken(path))
        return true;
    // QFile::remove unlinks a link itself; QDir::rmdir takes an empty folder.
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() ? QDir().rmdir(path) : QFile::remove(path);
}

bool MoveFile(const QString& from, const QString& to, const QString& root)
{
    const QString what = QStringLiteral("moved to \"%1\"").arg(shown(to));
    for (const QString& end : {from, to})
        if (const QString why = LinkInTheWay(end, root, true); !why.isEmpty())
            throw refused(from, what, end == from ? why : QStringLiteral("there %1").arg(why));
    if (PathTaken(to))
        throw RunTimeError(
            RunTimeError::kPathFileAccess,
            QStringLiteral("\"%1\" was not %2: something of that name is there already.").arg(shown(from), what));
    return QDir().rename(from, to);
}

QString DecodeFileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QStringDecoder("Windows-1252")(bytes) : text;
}
