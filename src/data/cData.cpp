#include "data/cData.h"

#include "data/DefaultPicture.h"
#include "engine/Services.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "rules/mKlondike.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace {

// Joins two parts of a path with exactly one separator.
QString join(const QString& first, const QString& second)
{
    return first.endsWith(QLatin1Char('/')) ? first + second : first + QLatin1Char('/') + second;
}

// The folder `parent`/`name`, created when it is missing. The program's own
// folders must be real folders: through a link, what it writes, moves and
// deletes would land wherever the link points.
QString folder(const QString& parent, const QString& name)
{
    const QString path = join(parent, name);
    if (QFileInfo(path).isSymLink())
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("Path/File access error: the folder '%1' is a link; Tablora keeps its files "
                                          "only in real folders, and does not follow links out of them")
                               .arg(QDir::toNativeSeparators(path)));
    if (!QFileInfo(path).isDir() && !QDir().mkdir(path))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("Path/File access error: the folder '%1' could not be created")
                               .arg(QDir::toNativeSeparators(path)));
    return path;
}

const char* const kDeckNames[] = {"Half (26 Cards)", "One (52 Cards)", "Two (104 Cards)"};

} // namespace

QString cData::longProductName() { return QLatin1String(kProductName) + QLatin1Char(' ') + QLatin1String(kVersion); }

void cData::InitCD(const QString& cProdName, const QString& cVersion, int16_t cTotalGames, const QString& cHelpFile,
                   const QString& cExt)
{
    prodName_ = cProdName;
    version_ = cVersion;
    totalGames_ = cTotalGames;
    helpFile_ = cHelpFile;
    ext_ = cExt;
    games_.assign(static_cast<size_t>(std::max<int16_t>(cTotalGames, 0)), GameEntry{});
    QCoreApplication::setApplicationName(ProdName());
}

void cData::SetGame(int16_t Gid, const QString& name, bool IsOriginal, int16_t cDeck)
{
    if (Gid < 1 || Gid > totalGames_)
        throw RunTimeError::subscript();
    GameEntry& e = games_[static_cast<size_t>(Gid - 1)];
    e.name = name;
    e.original = IsOriginal;
    e.deck = cDeck >= 0 && cDeck <= 2 ? QString::fromLatin1(kDeckNames[cDeck]) : QString();
}

void cData::RegisterProgramData()
{
    const auto games = mKlondike::GameList();
    InitCD(QLatin1String(kProductName), QLatin1String(kVersion), static_cast<int16_t>(games.size()),
           QLatin1String(kHelpFileName), QLatin1String(kExtensionStem));
    for (const mKlondike::GameListEntry& game : games)
        SetGame(game.Gid, game.gName, game.IsOriginal != 0, game.cDeck);
}

const cData::GameEntry& cData::entry(int16_t Gid) const
{
    if (Gid < 1 || Gid > totalGames_)
        throw RunTimeError::subscript();
    return games_[static_cast<size_t>(Gid - 1)];
}

const cData::GameEntry& cData::entry(const QString& name) const { return entry(GetGameID(name)); }

QString cData::GetGName(int16_t Gid) const { return entry(Gid).name; }

int16_t cData::GetGameID(const QString& name) const
{
    for (int16_t id = 1; id <= totalGames_; ++id)
        if (games_[static_cast<size_t>(id - 1)].name == name)
            return id;
    return 0;
}

bool cData::IsOriginal(const QString& name) const { return entry(name).original; }

QString cData::GetDeck(const QString& name) const { return entry(name).deck; }

namespace {
// A user folder as the platform names it, or `fallback` under the home
// folder; created when missing, since a fresh account may not have it yet.
QString userFolder(QStandardPaths::StandardLocation location, const char* fallback)
{
    QString path = QStandardPaths::writableLocation(location);
    if (path.isEmpty())
        path = QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
    QDir().mkpath(path);
    return path;
}
} // namespace

QString cData::applicationDataPath() { return userFolder(QStandardPaths::GenericDataLocation, ".local/share"); }

QString cData::documentsPath() { return userFolder(QStandardPaths::DocumentsLocation, "Documents"); }

QString cData::AppDir() const
{
    return folder(folder(applicationDataPath(), QStringLiteral("Quellix Technologies")), ProdName());
}

QString cData::FavFolder() const { return folder(AppDir(), QStringLiteral("Favorites")); }
QString cData::SchemeFolder() const { return folder(AppDir(), QStringLiteral("Color Schemes")); }
QString cData::PendingFolder() const { return folder(AppDir(), QStringLiteral("Pending List")); }
QString cData::UnFinFile() const { return join(AppDir(), QLatin1String("Unfin") + IncExt()); }

QString cData::myGamesFolder() const { return folder(folder(documentsPath(), QStringLiteral("My Games")), ProdName()); }

QString cData::SavedFolder() const { return myGamesFolder(); }
QString cData::AutoSaveFolder() const { return folder(myGamesFolder(), QStringLiteral("AutoSave Files")); }

QString cData::DefaultCustImageFile() const
{
    const QString path = join(myGamesFolder(), QStringLiteral("CustomImage.bmp"));
    // A link standing there is not followed: the picture is not written.
    if (!PathTaken(path) && defaultPicture_ != nullptr)
        defaultPicture_->saveDefaultCustomImage(path);
    return path;
}

QString cData::DefaultSchemeFile() const { return join(SchemeFolder(), QStringLiteral("Default Color Scheme")); }

QString cData::SesStartTime() const
{
    return sesStartedAt_.isValid() ? QLocale::system().toString(sesStartedAt_, QLocale::ShortFormat) : QString();
}

QString cData::ProgramFolder()
{
    // Before the application object exists (the command-line tools), the
    // running program's own file tells where it is.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return dataFolderFor(QCoreApplication::instance() != nullptr ? QCoreApplication::applicationDirPath()
                         : self.isEmpty()                        ? QDir::currentPath()
                                                                 : self);
}

QString cData::dataFolderFor(const QString& programDir)
{
    // Installed anywhere (PREFIX/bin/tablora), the data lies relative to the
    // program: the install can move as a whole.
    const QString installed = QDir::cleanPath(programDir + QLatin1String("/../share/tablora"));
    return QFileInfo(programDir).fileName() == QLatin1String("bin") && QFileInfo(installed).isDir() ? installed
                                                                                                    : programDir;
}

void cData::CreateDefaultSchemeFile() const
{
    const QString path = DefaultSchemeFile();
    if (PathTaken(path))
        return;
    try {
        WriteWholeFile(path, " 0  128  0  128  0  0 \r\n");
    } catch (const FileNotWritten& e) {
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("Path/File access error: '%1' could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), e.reason()));
    }
}

void cData::ShowContents()
{
    services_.help().showContents();
    services_.sounds().raise(SoundEvent::Contents);
}

void cData::ShowRules(const QString& name)
{
    // A name that is not a game opens the contents, where every game is.
    const int16_t id = GetGameID(name);
    if (id == 0)
        services_.help().showContents();
    else
        services_.help().showRules(id);
    services_.sounds().raise(SoundEvent::Rules);
}
