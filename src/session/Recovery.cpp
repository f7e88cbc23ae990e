#include "session/Recovery.h"

#include "history/mFile.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"

#include <QDir>
#include <QFile>

QString Recovery::path() const
{
    return QDir(shared_.data.AppDir()).filePath(QLatin1String("Recovery") + shared_.data.IncExt());
}

bool Recovery::exists() const { return QFile::exists(path()); }

void Recovery::keep()
{
    const cGamePlay& session = shared_.gamePlay;
    if (session.Game_Status() != cGamePlay::kInProgress || session.wonRecorded()) {
        if (!written_.isEmpty() || exists())
            remove();
        return;
    }
    const cEngine& engine = shared_.engine;
    const QString state = session.GameName() + QLatin1String(" - ") + session.gameNo().toString() +
                          QStringLiteral(" %1/%2").arg(engine.GetTransID()).arg(engine.GetTransTop());
    if (state == written_)
        return;
    engine.SavetoFile(path());
    written_ = state;
}

void Recovery::remove()
{
    QFile::remove(path());
    written_.clear();
}

QString Recovery::describe() const
{
    try {
        const mFile::GameSummary summary = mFile::ReadGameSummary(path());
        return summary.gameName + QLatin1String(" - ") + summary.gameNo.toString();
    } catch (const RunTimeError&) {
        return {};
    }
}
