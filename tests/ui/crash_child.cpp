// A run of the program that does not end normally: the real main window
// plays a game, says how the table stands once the game is kept on the
// disk, and waits to be killed by the test that started it.
//   crash_child pending SAVED-GAME PENDING-GAME
//       opens the saved game, then plays the pending game
//   crash_child game SAVED-GAME
//       plays the saved game on
//   crash_child newdeal NUMBER-A NUMBER-B
//       plays Klondike A, then deals Klondike B and says "dealt"
//   crash_child lock DATA-FOLDER
//       holds the folder's lock as a running copy does, and answers nobody

#include "history/mFile.h"
#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "session/Recovery.h"
#include "session/Shared.h"
#include "support/RandomPlayer.h"
#include "support/TableText.h"
#include "windows/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QLockFile>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

void say(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

// Calls `then` once the kept file holds every move of the game on the
// table.
void whenKept(Shared& shared, QTimer& poll, std::function<void()> then)
{
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&shared, &poll, then] {
        const Recovery recovery(shared);
        if (!recovery.exists())
            return;
        try {
            if (mFile::ReadGameSummary(recovery.path()).moves != shared.engine.GetTransID())
                return;
        } catch (const RunTimeError&) {
            return;
        }
        poll.stop();
        then();
    });
    poll.start();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    QApplication app(argc, argv);
    if (mode == QLatin1String("lock")) {
        QLockFile lock(QString::fromLocal8Bit(argv[2]) + QLatin1String("/Tablora.lock"));
        if (!lock.tryLock(0))
            return 3;
        say(QStringLiteral("locked"));
        return QApplication::exec();
    }
    Shared shared;
    CardPictures pictures;
    shared.data.setDefaultPicture(&pictures);
    frmMain window(shared, pictures);
    QTimer poll;
    if (mode == QLatin1String("newdeal") && argc == 4) {
        window.show();
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(QString::fromLocal8Bit(argv[2]).toDouble()));
        window.tmrRecovery.start();
        RandomPlayer player(shared, 3);
        for (int i = 0; i < 10 && player.step(); ++i) {
        }
        const GameNo next(QString::fromLocal8Bit(argv[3]).toDouble());
        whenKept(shared, poll, [&shared, next] {
            shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), next);
            say(QStringLiteral("dealt"));
        });
        return QApplication::exec();
    }
    window.Form_Load(QString::fromLocal8Bit(argv[2]));
    if (mode == QLatin1String("pending") && argc == 4)
        shared.gamePlay.PlayPendFile(QString::fromLocal8Bit(argv[3]));
    else if (mode != QLatin1String("game"))
        return 2;
    RandomPlayer player(shared, 9);
    for (int i = 0; i < 15 && player.step(); ++i) {
    }
    whenKept(shared, poll, [&shared] { say(tableText(shared.play)); });
    return QApplication::exec();
}
