#include "session/Recovery.h"

#include "history/mFile.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "session/Shared.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRecovery, "tablora.recovery")

namespace {
// A pending file's name is short; anything longer is not ours.
constexpr qint64 kMaxMarkBytes = 4096;
} // namespace

QString Recovery::path() const
{
    return QDir(shared_.data.AppDir()).filePath(QLatin1String("Recovery") + shared_.data.IncExt());
}

QString Recovery::pendingMarkPath() const
{
    return QDir(shared_.data.AppDir()).filePath(QStringLiteral("Recovery.pending"));
}

bool Recovery::exists() const { return QFileInfo(path()).isFile(); }

QString Recovery::failureText(const QString& reason)
{
    return QStringLiteral("Tablora keeps the game being played on the disk in case the program does not close "
                          "normally, but the game could not be saved: %1\r\nYou can go on playing.")
        .arg(reason);
}

void Recovery::keep()
{
    if (held_)
        return;
    const cGamePlay& session = shared_.gamePlay;
    if (session.Game_Status() != cGamePlay::kInProgress || session.recorded()) {
        if (!written_.isEmpty() || PathTaken(path()) || PathTaken(pendingMarkPath()))
            remove();
        return;
    }
    const cEngine& engine = shared_.engine;
    const QString pending = session.playingPendingFile();
    const QString state = session.GameName() + QLatin1String(" - ") + session.gameNo().toString() +
                          QStringLiteral(" %1/%2 ").arg(engine.GetTransID()).arg(engine.GetTransTop()) + pending;
    if (state == written_)
        return;
    try {
        write(pending);
        written_ = state;
        failing_ = false;
    } catch (const RunTimeError& e) {
        // Tried again at the next change or tick; told once.
        const auto* notWritten = dynamic_cast<const FileNotWritten*>(&e);
        const QString reason = notWritten != nullptr ? notWritten->reason() : e.description();
        if (!failing_) {
            qCWarning(lcRecovery) << "the game could not be kept:" << e.description();
            if (reporter_)
                reporter_(failureText(reason));
        }
        failing_ = true;
    }
}

void Recovery::write(const QString& pendingFile)
{
    // The mark first: a game file is never there without the mark that
    // belongs to it.
    const QString mark = pendingMarkPath();
    if (pendingFile.isEmpty()) {
        if (PathTaken(mark) && !RemoveFile(mark, shared_.data.AppDir()))
            throw FileNotWritten(mark, QStringLiteral("it could not be removed"));
    } else if (!written_.endsWith(QLatin1Char(' ') + pendingFile)) {
        WriteWholeFile(mark, QFileInfo(pendingFile).fileName().toUtf8());
    }
    shared_.engine.SavetoFile(path());
}

void Recovery::remove()
{
    // The game first, then its mark. A link standing there goes as a link,
    // never what it points to.
    written_.clear();
    try {
        const QString root = shared_.data.AppDir();
        RemoveFile(path(), root);
        RemoveFile(pendingMarkPath(), root);
    } catch (const RunTimeError& e) {
        qCWarning(lcRecovery) << "the kept game could not be removed:" << e.description();
    }
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

QString Recovery::pendingFile() const
{
    QFile mark(pendingMarkPath());
    if (!QFileInfo(mark).isFile() || !mark.open(QIODevice::ReadOnly))
        return {};
    const QString name = QString::fromUtf8(mark.read(kMaxMarkBytes)).trimmed();
    // Only a plain name of a file in the pending folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..") ||
        name.startsWith(QLatin1Char('.')))
        return {};
    const QString file = QDir(shared_.data.PendingFolder()).filePath(name);
    const QFileInfo info(file);
    return info.isFile() && !info.isSymLink() ? file : QString();
}
