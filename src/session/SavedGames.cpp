#include "session/SavedGames.h"

#include "session/Shared.h"

#include <QDir>
#include <QFileInfo>

namespace mFile {

bool IsFinishedFile(const QString& path, const cData& data)
{
    return path.right(4).toUpper() == data.FinExt().toUpper();
}

QStringList ListSavedGames(const cData& data)
{
    QStringList games;
    const QString inc = data.IncExt().toUpper();
    const QString fin = data.FinExt().toUpper();
    for (const QString& name : QDir(data.SavedFolder()).entryList(QDir::Files, QDir::Unsorted)) {
        const QString ext = name.right(4).toUpper();
        if (ext == inc || ext == fin)
            games << name;
    }
    return QStringList{QString::number(games.size())} + games;
}

QString SaveFolder(Shared& shared)
{
    const QString stored = shared.services.settings().readText(QLatin1String(settings::kSaveInitDir.section),
                                                               QLatin1String(settings::kSaveInitDir.name), QString());
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    return shared.data.SavedFolder();
}

namespace {
void storeSaveFolder(Shared& shared, const QString& folder)
{
    shared.services.settings().writeText(QLatin1String(settings::kSaveInitDir.section),
                                         QLatin1String(settings::kSaveInitDir.name), folder);
}
} // namespace

void OpenGameDialog(Shared& shared)
{
    const cData& data = shared.data;
    Prompts::FileDialog dialog;
    dialog.title = QStringLiteral("Open Game");
    dialog.filter = data.ProdName() + QLatin1String(" InComplete Game (*") + data.IncExt() + QLatin1String(")|*") +
                    data.IncExt() + QLatin1Char('|') + data.ProdName() + QLatin1String(" Finished Game (*") +
                    data.FinExt() + QLatin1String(")|*") + data.FinExt();
    dialog.initialFolder = SaveFolder(shared);
    const std::optional<QString> path = shared.services.prompts().openFile(dialog);
    if (!path || !QFileInfo(*path).isFile())
        return;
    // Opening checks the file first and adds it to the recently opened list;
    // a file that is refused is neither listed nor remembered as the folder.
    shared.gamePlay.PlayFile(*path, true);
    storeSaveFolder(shared, QFileInfo(*path).absolutePath());
}

void SaveGameDialog(Shared& shared, const QString& ext)
{
    const cData& data = shared.data;
    Prompts::FileDialog dialog;
    dialog.title = QStringLiteral("Save Game");
    dialog.filter = ext == data.IncExt()
                        ? QLatin1String(" InComplete Game (*") + data.IncExt() + QLatin1String(")|*") + data.IncExt()
                        : QLatin1String(" Finished Game (*") + data.FinExt() + QLatin1String(")|*") + data.FinExt();
    dialog.defaultExtension = ext;
    dialog.fileName = shared.gamePlay.GameName() + QLatin1Char('-') + shared.gamePlay.gameNo().toString() + ext;
    dialog.initialFolder = SaveFolder(shared);
    dialog.confirmOverwrite = true;
    const std::optional<QString> path = shared.services.prompts().saveFile(dialog);
    if (!path || !QFileInfo(QFileInfo(*path).absolutePath()).isDir())
        return;
    storeSaveFolder(shared, QFileInfo(*path).absolutePath());
    // A save that fails is not listed among the recently saved games.
    shared.engine.SavetoFile(*path);
    shared.func.AddtoMRU(cFunc::kSavedList, *path);
    shared.gamePlay.host().refreshRecentMenus();
}

} // namespace mFile
