#include "data/FileTypes.h"

#include "rules/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

const FileTypes::Kind FileTypes::kFinished{"Tablora.Finished", "Tablora Finished Game", ".tb1",
                                           "application/x-tablora-finished"};
const FileTypes::Kind FileTypes::kIncomplete{"Tablora.Incomplete", "Tablora Incomplete Game", ".tb0",
                                             "application/x-tablora-incomplete"};

namespace {

// Registration tries every file: one that cannot be written leaves the
// others to be tried, and the old file in place.
void writeWhole(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        WriteWholeFile(path, bytes);
    } catch (const FileNotWritten&) {
    }
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray package(const FileTypes::Kind& kind)
{
    const QString mime = QLatin1String(kind.mimeType);
    QString icon = mime;
    icon.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <icon name=\"%3\"/>\n"
                          "    <glob pattern=\"*%4\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(mime, QLatin1String(kind.description), icon, QLatin1String(kind.extension))
        .toUtf8();
}

// A card with a check mark (finished) or with a half-played fan (incomplete).
QByteArray icon(bool finished)
{
    const char* mark = finished ? "<path d='M19 34 l8 8 l16 -18' fill='none' stroke='#1b7f2a' stroke-width='5' "
                                  "stroke-linecap='round' stroke-linejoin='round'/>"
                                : "<circle cx='32' cy='34' r='12' fill='none' stroke='#c0392b' stroke-width='4'/>"
                                  "<path d='M32 26 v8 l6 4' fill='none' stroke='#c0392b' stroke-width='4' "
                                  "stroke-linecap='round'/>";
    return QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64' viewBox='0 0 64 64'>"
                      "<rect x='10' y='4' width='44' height='56' rx='5' fill='#fdfdf8' stroke='#444' "
                      "stroke-width='2'/>"
                      "<text x='16' y='18' font-family='DejaVu Sans' font-size='11' font-weight='bold' "
                      "fill='#b00'>A&#9829;</text>") +
           mark + "</svg>\n";
}

QString iconName(const FileTypes::Kind& kind)
{
    QString name = QLatin1String(kind.mimeType);
    return name.replace(QLatin1Char('/'), QLatin1Char('-'));
}

void runIfInstalled(const char* tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return;
    QProcess process;
    process.start(program, {folder});
    process.waitForFinished(30000);
}

} // namespace

FileTypes::FileTypes(QString dataHome) : dataHome_(std::move(dataHome)) {}

QString FileTypes::defaultDataHome()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return path.isEmpty() ? QDir::homePath() + QLatin1String("/.local/share") : path;
}

QString FileTypes::packageFile(const Kind& kind) const
{
    return dataHome_ + QLatin1String("/mime/packages/") + QLatin1String(kind.id) + QLatin1String(".xml");
}

QString FileTypes::desktopFile() const { return dataHome_ + QLatin1String("/applications/tablora.desktop"); }

QString FileTypes::iconFile(const Kind& kind) const
{
    return dataHome_ + QLatin1String("/icons/hicolor/scalable/mimetypes/") + iconName(kind) + QLatin1String(".svg");
}

QString FileTypes::readAssociation(const QString& key) const
{
    for (const Kind* kind : {&kFinished, &kIncomplete}) {
        const QByteArray content = readWhole(packageFile(*kind));
        if (!content.contains(QByteArray("pattern=\"*") + kind->extension + '"'))
            continue;
        if (key.compare(QLatin1String(kind->extension), Qt::CaseInsensitive) == 0)
            return QLatin1String(kind->id);
        if (key.compare(QLatin1String(kind->id), Qt::CaseInsensitive) == 0)
            return QLatin1String(kind->description);
    }
    return {};
}

bool FileTypes::bothRegistered() const
{
    return !readAssociation(QLatin1String(kIncomplete.extension)).isEmpty() &&
           !readAssociation(QLatin1String(kFinished.extension)).isEmpty();
}

QString FileTypes::desktopExec(const QString& programFile)
{
    // Inside double quotes the shell's special characters are escaped, and
    // the desktop file escapes every backslash once more.
    QString quoted;
    for (const QChar c : programFile) {
        if (c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\\\\\");
        else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1String("\\\\") + c;
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void FileTypes::registerFileTypes(const QString& programFile) const
{
    if (bothRegistered())
        return;
    for (const Kind* kind : {&kFinished, &kIncomplete}) {
        writeWhole(packageFile(*kind), package(*kind));
        writeWhole(iconFile(*kind), icon(kind == &kFinished));
    }
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Tablora 6.0\n"
                                         "Comment=Patience games of the Klondike family\n"
                                         "Exec=%1 %f\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "Categories=Game;CardGame;\n"
                                         "MimeType=%3;%4;\n")
                              .arg(desktopExec(programFile), iconName(kFinished), QLatin1String(kFinished.mimeType),
                                   QLatin1String(kIncomplete.mimeType));
    writeWhole(desktopFile(), entry.toUtf8());
    runIfInstalled("update-mime-database", dataHome_ + QLatin1String("/mime"));
    runIfInstalled("update-desktop-database", dataHome_ + QLatin1String("/applications"));
}
