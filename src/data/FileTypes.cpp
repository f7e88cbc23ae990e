#include "data/FileTypes.h"

#include "rules/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

const FileTypes::Kind FileTypes::kFinished{"Tablora.Finished", "Tablora Finished Game", ".tb1",
                                           "application/x-tablora-finished"};
const FileTypes::Kind FileTypes::kIncomplete{"Tablora.Incomplete", "Tablora Incomplete Game", ".tb0",
                                             "application/x-tablora-incomplete"};

Q_LOGGING_CATEGORY(lcFileTypes, "tablora.filetypes")

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

QByteArray mimeType(const FileTypes::Kind& kind)
{
    const QString mime = QLatin1String(kind.mimeType);
    QString icon = mime;
    icon.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <icon name=\"%3\"/>\n"
                          "    <glob pattern=\"*%4\"/>\n"
                          "  </mime-type>\n")
        .arg(mime, QLatin1String(kind.description), icon, QLatin1String(kind.extension))
        .toUtf8();
}

QByteArray mimeInfo(const QByteArray& types)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           types + "</mime-info>\n";
}

QByteArray package(const FileTypes::Kind& kind) { return mimeInfo(mimeType(kind)); }

QByteArray desktopEntry(const QString& exec, const QString& icon, const QString& name)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "GenericName=Patience\n"
                          "Comment=Patience games of the Klondike family\n"
                          "Exec=%2 %f\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "Categories=Game;CardGame;\n"
                          "Keywords=solitaire;patience;klondike;spider;cards;\n"
                          "MimeType=%4;%5;\n")
        .arg(name, exec, icon, QLatin1String(FileTypes::kFinished.mimeType),
             QLatin1String(FileTypes::kIncomplete.mimeType))
        .toUtf8();
}

// What software centres show of the program.
QByteArray metainfo()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<component type=\"desktop-application\">\n"
               "  <id>%1</id>\n"
               "  <metadata_license>CC0-1.0</metadata_license>\n"
               "  <project_license>LicenseRef-proprietary</project_license>\n"
               "  <name>Tablora</name>\n"
               "  <summary>Patience games of the Klondike family</summary>\n"
               "  <description>\n"
               "    <p>Tablora plays 62 patience games of the Klondike family, from Klondike, Spiderette and "
               "Klondike Freecell to Canister, Easthaven, Gargantua, King Albert, Raglan and Simple Simon.</p>\n"
               "    <p>Every deal is numbered and can be played again exactly; every move can be undone, "
               "redone and replayed. A hint shows the next move of a winning line, and the status bar tells "
               "whether the deal can still be won.</p>\n"
               "    <p>Games in progress can be saved and taken up later, favourite deals kept, and the scores "
               "and statistics of each player followed in tables and charts.</p>\n"
               "  </description>\n"
               "  <launchable type=\"desktop-id\">%1.desktop</launchable>\n"
               "  <url type=\"homepage\">https://tablora.quellix.com/</url>\n"
               "  <developer_name>Quellix Technologies</developer_name>\n"
               "  <screenshots>\n"
               "    <screenshot type=\"default\">\n"
               "      <caption>A game of Klondike with a hint shown</caption>\n"
               "      <image>https://tablora.quellix.com/screenshots/klondike-hint.png</image>\n"
               "    </screenshot>\n"
               "  </screenshots>\n"
               "  <content_rating type=\"oars-1.1\"/>\n"
               "  <provides>\n"
               "    <binary>tablora</binary>\n"
               "    <mediatype>%2</mediatype>\n"
               "    <mediatype>%3</mediatype>\n"
               "  </provides>\n"
               "  <categories>\n"
               "    <category>Game</category>\n"
               "    <category>CardGame</category>\n"
               "  </categories>\n"
               "  <releases>\n"
               "    <release version=\"6.0\" date=\"2026-12-09\"/>\n"
               "  </releases>\n"
               "</component>\n")
        .arg(QLatin1String(FileTypes::kAppId), QLatin1String(FileTypes::kFinished.mimeType),
             QLatin1String(FileTypes::kIncomplete.mimeType))
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

// The program's own icon: two cards fanned on green baize, no text, so that
// it draws the same everywhere.
const char* const kProgramIcon =
    "<svg xmlns='http://www.w3.org/2000/svg' width='256' height='256' viewBox='0 0 256 256'>"
    "<defs><linearGradient id='baize' x1='0' y1='0' x2='0' y2='1'>"
    "<stop offset='0' stop-color='#2f9a55'/><stop offset='1' stop-color='#146236'/></linearGradient></defs>"
    "<rect x='8' y='8' width='240' height='240' rx='44' fill='url(#baize)'/>"
    "<g transform='rotate(-14 100 150)'>"
    "<rect x='44' y='52' width='104' height='148' rx='12' fill='#fdfdf8' stroke='#2b2b2b' stroke-width='5'/>"
    "<path d='M96 86 C96 86 66 112 66 132 C66 148 84 154 94 142 L86 170 L106 170 L98 142 C108 154 126 148 126 132 "
    "C126 112 96 86 96 86 Z' fill='#222'/></g>"
    "<g transform='rotate(12 156 150)'>"
    "<rect x='108' y='56' width='104' height='148' rx='12' fill='#fdfdf8' stroke='#2b2b2b' stroke-width='5'/>"
    "<path d='M160 174 C160 174 128 146 128 124 C128 106 150 100 160 118 C170 100 192 106 192 124 "
    "C192 146 160 174 160 174 Z' fill='#c62828'/></g>"
    "</svg>\n";

// The desktop's cache tools take long enough to be felt at a first start,
// so they run on their own: the program does not wait for them, and they
// finish even when it ends first. Started detached, they are the system's
// children, never left as the program's zombies. What they say about a
// failure goes to the program's error output.
void runIfInstalled(const char* tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!process.startDetached())
        qCWarning(lcFileTypes) << tool << "could not be started:" << process.errorString();
}

} // namespace

FileTypes::FileTypes(QString dataHome, QStringList systemDirs)
    : dataHome_(std::move(dataHome)), systemDirs_(std::move(systemDirs))
{
}

QStringList FileTypes::defaultSystemDirs()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // The first is the user's own.
    if (!dirs.isEmpty())
        dirs.removeFirst();
    return dirs;
}

QByteArray FileTypes::programIcon() { return kProgramIcon; }

std::vector<std::pair<QString, QByteArray>> FileTypes::installedFiles()
{
    const QString id = QLatin1String(kAppId);
    std::vector<std::pair<QString, QByteArray>> files;
    files.emplace_back(QStringLiteral("applications/") + id + QStringLiteral(".desktop"),
                       desktopEntry(QStringLiteral("tablora"), id, QStringLiteral("Tablora")));
    files.emplace_back(QStringLiteral("icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg"), programIcon());
    QByteArray types;
    for (const Kind* kind : {&kFinished, &kIncomplete}) {
        types += mimeType(*kind);
        files.emplace_back(QStringLiteral("icons/hicolor/scalable/mimetypes/") + iconName(*kind) +
                               QStringLiteral(".svg"),
                           icon(kind == &kFinished));
    }
    files.emplace_back(QStringLiteral("mime/packages/tablora.xml"), mimeInfo(types));
    files.emplace_back(QStringLiteral("metainfo/") + id + QStringLiteral(".metainfo.xml"), metainfo());
    return files;
}

bool FileTypes::installedSystemWide() const
{
    const QString entry = QStringLiteral("/applications/") + QLatin1String(kAppId) + QStringLiteral(".desktop");
    for (const QString& dir : systemDirs_)
        if (QFileInfo(dir) != QFileInfo(dataHome_) && QFileInfo::exists(dir + entry) &&
            QFileInfo::exists(dir + QStringLiteral("/mime/packages/tablora.xml")))
            return true;
    return false;
}

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
    if (bothRegistered() || installedSystemWide())
        return;
    for (const Kind* kind : {&kFinished, &kIncomplete}) {
        writeWhole(packageFile(*kind), package(*kind));
        writeWhole(iconFile(*kind), icon(kind == &kFinished));
    }
    const QByteArray entry = desktopEntry(desktopExec(programFile), iconName(kFinished), QStringLiteral("Tablora 6.0"));
    writeWhole(desktopFile(), entry);
    runIfInstalled("update-mime-database", dataHome_ + QLatin1String("/mime"));
    runIfInstalled("update-desktop-database", dataHome_ + QLatin1String("/applications"));
}
