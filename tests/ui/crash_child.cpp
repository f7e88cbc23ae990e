// A run of the program that does not end normally: the real main window
// opens a saved game, plays a game from the pending list, makes some moves,
// says how the table stands once the game is kept on the disk, and waits to
// be killed by the test that started it.
//   crash_child SAVED-GAME PENDING-GAME

#include "pictures/CardPictures.h"
#include "session/Recovery.h"
#include "session/Shared.h"
#include "support/RandomPlayer.h"
#include "support/TableText.h"
#include "windows/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    QApplication app(argc, argv);
    Shared shared;
    CardPictures pictures;
    shared.data.setDefaultPicture(&pictures);
    frmMain window(shared, pictures);
    window.Form_Load(QString::fromLocal8Bit(argv[1]));
    shared.gamePlay.PlayPendFile(QString::fromLocal8Bit(argv[2]));
    RandomPlayer player(shared, 9);
    for (int i = 0; i < 15 && player.step(); ++i) {
    }
    const Recovery recovery(shared);
    QTimer told;
    told.setInterval(50);
    QObject::connect(&told, &QTimer::timeout, [&] {
        if (!recovery.exists())
            return;
        told.stop();
        std::printf("%s\n", qPrintable(tableText(shared.play)));
        std::fflush(stdout);
    });
    told.start();
    return QApplication::exec();
}
