#include "library/AutoSave.h"

#include "data/cData.h"
#include "engine/Services.h"
#include "history/cEngine.h"
#include "library/Listings.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"

#include <QDir>

QString AutoSave::freePath(const QString& folder, const QString& gameName, const QString& gameNo,
                           const QString& extension)
{
    const QString stem = QDir(folder).filePath(gameName + QLatin1String(" - ") + gameNo);
    QString path = stem + extension;
    // A link there, even one leading nowhere, takes the name: the game is
    // never written through it.
    for (int counter = 1; PathTaken(path); ++counter)
        path = stem + QStringLiteral("-(%1)").arg(counter) + extension;
    return path;
}

QString AutoSave::AutoSaveGame(bool finished)
{
    if (services_.settings().read(finished ? settings::kEnableFin : settings::kEnableInc) == 0)
        return {};
    const PlaySession& session = services_.session();
    const QString path = freePath(data_.AutoSaveFolder(), session.GameName(), session.gameNo().toString(),
                                  finished ? data_.FinExt() : data_.IncExt());
    engine_.SavetoFile(path);
    return path;
}

bool AutoSave::EmptyAutoSaved(bool finished)
{
    if (services_.prompts().message(QStringLiteral("Are you sure you want to delete all Games ?"), Prompts::Icon::Stop,
                                    Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return false;
    const QString folder = data_.AutoSaveFolder();
    const QStringList list = Listings::ListAutoSaved(data_, finished);
    QStringList kept;
    for (qsizetype i = 1; i < list.size(); ++i) {
        try {
            if (!RemoveFile(list[i], folder))
                kept << QStringLiteral("\"%1\"").arg(list[i]);
        } catch (const RunTimeError& e) {
            kept << QStringLiteral("\"%1\" (%2)").arg(list[i], e.description());
        }
    }
    if (!kept.isEmpty())
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("These games could not be deleted: ") + kept.join(QStringLiteral(", ")));
    return true;
}
