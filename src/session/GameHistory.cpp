#include "session/GameHistory.h"

#include "history/MoveTexts.h"
#include "rules/WholeFile.h"
#include "session/SavedGames.h"
#include "session/Shared.h"

#include <QFileInfo>
#include <QLocale>

namespace gameHistory {

namespace {

// A number between a sign place (a blank, or "-") and a blank.
QString number(int64_t value)
{
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(value < 0 ? -value : value) +
           QLatin1Char(' ');
}

} // namespace

QString fileText(const Shared& shared)
{
    const cGamePlay& session = shared.gamePlay;
    const cEngine& engine = shared.engine;
    const GameNo& gameNo = session.gameNo();
    QString out;
    const auto line = [&out](const QString& text) {
        out += text;
        out += QLatin1String("\r\n");
    };
    line(QStringLiteral("Game Name: ") + session.GameName());
    line(QStringLiteral("Game Number: ") +
         (gameNo.isText() ? gameNo.toString() : number(static_cast<int64_t>(gameNo.toNumber()))));
    line(QStringLiteral("Player: ") + shared.services.settings().read(settings::kCurPlayer));
    line(QStringLiteral("Moves: ") + number(session.Moves()));
    line(QStringLiteral("Time: ") + session.TimeString());
    line(QStringLiteral("Score: ") + number(session.Score()));
    line(QStringLiteral("Date :") + QLocale().toString(shared.services.clock().now(), QLocale::ShortFormat));
    line(QStringLiteral("-------Game History-------"));
    for (int16_t n = 1; n <= engine.GetTransTop(); ++n) {
        const cEngine::Transaction& r = engine.Record(n);
        const int cards = moveTexts::cardCount(engine, n);
        line(number(n) + QLatin1String("  ") + moveTexts::placeText(r.SCell, r.SPile, r.SPos, 1) +
             QLatin1String("  ->") + moveTexts::placeText(r.DCell, r.DPile, r.DPos, 1) + QLatin1String("  ") +
             number(cards) + (cards == 1 ? QLatin1String(" Card") : QLatin1String(" Cards")) + QLatin1String(" Moved"));
    }
    return out;
}

void Export(Shared& shared)
{
    const cGamePlay& session = shared.gamePlay;
    Prompts::FileDialog dialog;
    dialog.filter = QStringLiteral(" Game History (*.txt)|*.txt");
    dialog.defaultExtension = QStringLiteral(".txt");
    dialog.fileName = session.GameName() + QLatin1String(" - ") + session.gameNo().toString() + QLatin1String(".txt");
    dialog.initialFolder = mFile::SaveFolder(shared);
    dialog.confirmOverwrite = true;
    const std::optional<QString> path = shared.services.prompts().saveFile(dialog);
    if (!path || path->isEmpty() || !QFileInfo(QFileInfo(*path).absolutePath()).isDir())
        return;
    WriteWholeFile(*path, fileText(shared).toUtf8());
    shared.services.prompts().message(QStringLiteral("Successfully Exported"), Prompts::Icon::Information,
                                      Prompts::Buttons::Ok);
}

} // namespace gameHistory
