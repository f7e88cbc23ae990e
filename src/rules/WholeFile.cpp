#include "rules/WholeFile.h"

#include <QDir>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// The system's reason for a step that failed. Qt leaves its own text at
// "Unknown error" when a buffered write fails, so the error number the
// system gave comes first.
QString reason(int code, const QFileDevice& file)
{
    return code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
}

} // namespace

FileNotWritten::FileNotWritten(const QString& path, const QString& reason)
    : RunTimeError(
          kPathFileAccess,
          QStringLiteral("The file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(path), reason)),
      path_(path), reason_(reason)
{
}

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
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

QString DecodeFileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QStringDecoder("Windows-1252")(bytes) : text;
}
