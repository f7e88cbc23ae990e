// The program's start: command-line tools run without a window; otherwise
// the shared objects are created, the settings store, pictures and help are
// attached, the splash is shown and then the main window.

#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "session/CommandLine.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "windows/common/FaceDeckChoice.h"
#include "windows/common/Guard.h"
#include "windows/common/HelpWindow.h"
#include "windows/common/PictureFile.h"
#include "windows/common/QtPrompts.h"
#include "windows/common/QtSoundPlayer.h"
#include "windows/common/SingleInstance.h"
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

    // One copy per data folder: a later start hands its saved game to the
    // copy that runs, and touches nothing of its own.
    std::unique_ptr<SingleInstance> instance;
    try {
        instance = std::make_unique<SingleInstance>(shared.services, shared.data.AppDir());
    } catch (const RunTimeError& e) {
        QTextStream(stderr) << "tablora: " << e.description() << "\n";
    }
    if (instance) {
        switch (instance->claim(options.savedGame)) {
        case SingleInstance::Claim::First: break;
        case SingleInstance::Claim::Handed: return 0;
        case SingleInstance::Claim::Unreachable: {
            const QString text = SingleInstance::unreachableText(instance->lockPath());
            QTextStream(stderr) << "tablora: " << text << "\n";
            if (!options.quitWhenReady && !options.quitWhenSplashed)
                QtPrompts().message(text, Prompts::Icon::Stop, Prompts::Buttons::Ok, cData::longProductName());
            return 1;
        }
        case SingleInstance::Claim::NoLock:
            // The folder cannot be written: the program says so where it
            // writes.
            break;
        }
    }

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
    // The face deck chosen is read from its file while the splash window
    // shows, so that a large one is ready for the table.
    faceDeckChoice::apply(shared.services.settings(), pictures);
    if (pictures.faceDeck())
        pictures.faceDeck()->parseSoon();

    std::unique_ptr<frmMain> window;
    // Requests of later starts that came before the window was there wait
    // for it.
    QStringList requested;
    const auto showMain = [&] {
        // The face deck chosen (taken already, unless it changed since),
        // then the table's pictures of the last run (of that deck).
        faceDeckChoice::apply(shared.services.settings(), pictures);
        pictureFile::restore(pictures);
        window = std::make_unique<frmMain>(shared, pictures);
        if (options.quitWhenReady)
            guard::connect(shared.services, window.get(), &frmMain::ready, &app,
                           [] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
        window->Form_Load(options.savedGame);
        for (const QString& game : std::as_const(requested))
            window->openFromAnotherStart(game);
        requested.clear();
    };
    if (instance)
        guard::connect(shared.services, instance.get(), &SingleInstance::requested, &app, [&](const QString& game) {
            if (window)
                window->openFromAnotherStart(game);
            else
                requested << game;
        });
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
