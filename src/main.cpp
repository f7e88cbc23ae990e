// The program's start: command-line tools run without a window; otherwise
// the shared objects are created, the settings store, pictures and help are
// attached, the splash is shown and then the main window.

#include "pictures/CardPictures.h"
#include "session/CommandLine.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "windows/Guard.h"
#include "windows/HelpWindow.h"
#include "windows/PictureFile.h"
#include "windows/QtPrompts.h"
#include "windows/QtSoundPlayer.h"
#include "windows/frmMain.h"
#include "windows/frmSplash.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const std::optional<int> code = RunCommandLineTool(arguments, out, err))
            return *code;
    }
    const WindowOptions options = ReadWindowOptions(arguments);

    QApplication app(argc, argv);
    Shared shared;

    cRegistry registry(cRegistry::defaultFilePath());
    RegistrySettingsStore store(registry);
    shared.services.setSettings(&store);
    CardPictures pictures;
    shared.data.setDefaultPicture(&pictures);
    LazyHelpViewer help(shared.services);
    shared.services.setHelp(&help);
    QtPrompts prompts;
    shared.services.setPrompts(&prompts);
    QtSoundPlayer player;
    shared.sound.setPlayer(&player);
    pictures.prepare();

    std::unique_ptr<frmMain> window;
    const auto showMain = [&] {
        // The table's pictures of the last run, read while the splash shows.
        pictureFile::restore(pictures);
        window = std::make_unique<frmMain>(shared, pictures);
        if (options.quitWhenReady)
            guard::connect(shared.services, window.get(), &frmMain::ready, &app,
                           [] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
        window->Form_Load(options.savedGame);
    };
    if (options.noSplash) {
        QTimer::singleShot(0, &app, [&] { guard::run(shared.services, showMain); });
    } else {
        auto* splash = new frmSplash(shared.services, pictures, shared.data.Version(), showMain);
        splash->show();
        if (options.quitWhenSplashed)
            QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    }
    // However the program ends, the game on the table is kept or recorded.
    guard::connect(shared.services, &app, &QCoreApplication::aboutToQuit, &app, [&] {
        if (window)
            window->ShutDown();
    });
    const int code = QApplication::exec();
    window.reset();
    pictureFile::keep(pictures);
    shared.sound.setPlayer(nullptr);
    shared.services.setPrompts(nullptr);
    shared.services.setHelp(nullptr);
    shared.services.setSettings(nullptr);
    return code;
}
