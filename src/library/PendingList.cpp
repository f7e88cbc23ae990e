#include "library/PendingList.h"

#include "data/cData.h"
#include "engine/Services.h"
#include "history/cEngine.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace pendingList {

QString freePath(const QString& folder, const QString& gameName, const QString& gameNo, const QString& extension)
{
    const QString stem = QDir(folder).filePath(gameName + QLatin1String(" - ") + gameNo);
    QString path = stem + extension;
    // A link there, even one leading nowhere, takes the name: the game is
    // never written through it.
    for (int counter = 1; PathTaken(path); ++counter)
        path = stem + QLatin1String(" - ") + QString::number(counter) + extension;
    return path;
}

QString SavePending(const Services& services, const cData& data, const cEngine& engine)
{
    const PlaySession& session = services.session();
    const QString path = freePath(data.PendingFolder(), session.GameName(), session.gameNo().toString(), data.IncExt());
    engine.SavetoFile(path);
    return path;
}

QString displayName(const QString& path) { return QFileInfo(path).fileName().chopped(4); }

std::optional<mFile::GameSummary> summaryOf(const QString& path)
{
    try {
        return mFile::ReadGameSummary(path);
    } catch (const RunTimeError&) {
        return std::nullopt;
    }
}

QString menuCaption(const QString& path)
{
    const std::optional<mFile::GameSummary> summary = summaryOf(path);
    if (!summary)
        return QFileInfo(path).fileName() + QStringLiteral(" (damaged)");
    return displayName(path) + QStringLiteral(" (%1% Completed)").arg(summary->percentage);
}

} // namespace pendingList
