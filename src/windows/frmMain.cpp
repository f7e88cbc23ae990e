#include "windows/frmMain.h"

#include "session/Shared.h"
#include "windows/TableView.h"
#include "history/mFile.h"
#include "pictures/CardPictures.h"
#include "windows/frmAnimation.h"
#include "windows/frmCardDeck.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "windows/frmPlayers.h"
#include "data/FileTypes.h"
#include "windows/MainMenus.h"
#include "windows/frmAbout.h"
#include "windows/frmChoose.h"
#include "windows/frmOptions.h"
#include "windows/frmSelect.h"
#include "windows/frmToolbar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

#include <algorithm>
#include <limits>

namespace {
constexpr int kGameClockMs = 1000;
constexpr int kTitleMs = 500;
constexpr int kCommandStateMs = 100;
constexpr int kReplayMs = 500;
// Twips to a logical pixel.
constexpr int kTwipsPerPixel = 15;
} // namespace

frmMain::frmMain(Shared& shared, CardPictures& pictures, QWidget* parent)
    : QMainWindow(parent), shared_(shared), pictures_(pictures), pointer_(shared)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(shared_.data.ProdName());
    shared_.gamePlay.setHost(this);

    table_ = new TableView(shared_, pictures_, this);
    setCentralWidget(table_);
    shared_.setSurface(table_);
    connect(table_, &TableView::cardPressed, this,
            [this](int id, double x, double y) { guarded([&] { pointer_.press(static_cast<int16_t>(id), x, y); }); });
    connect(table_, &TableView::cardMoved, this,
            [this](int id, double x, double y) { guarded([&] { pointer_.move(static_cast<int16_t>(id), x, y); }); });
    connect(table_, &TableView::cardReleased, this,
            [this](int id) { guarded([&] { pointer_.release(static_cast<int16_t>(id)); }); });
    connect(table_, &TableView::stockPlaceClicked, this, [this] { guarded([&] { pointer_.stockPlaceClicked(); }); });

    menus_ = std::make_unique<MainMenus>(shared_, *this);
    connect(menus_.get(), &MainMenus::command, this, [this](const QString& key) { RunCommand(key); });
    connect(menus_.get(), &MainMenus::entryChosen, this,
            [this](int group, const QString& key, const QString& text) { Menu1_Event9(group, key, text); });

    const std::pair<QTimer*, const char*> timers[] = {{&tmrGame, "tmrGame"},       {&tmrTime, "tmrTime"},
                                                      {&tmrMain, "tmrMain"},       {&tmrWallPaper, "tmrWallPaper"},
                                                      {&tmrForward, "tmrForward"}, {&tmrBackward, "tmrBackward"}};
    for (const auto& [timer, name] : timers)
        timer->setObjectName(QLatin1String(name));
    tmrGame.setInterval(kGameClockMs);
    tmrTime.setInterval(kTitleMs);
    tmrMain.setInterval(kCommandStateMs);
    tmrForward.setInterval(kReplayMs);
    tmrBackward.setInterval(kReplayMs);
    connect(&tmrGame, &QTimer::timeout, this, [this] { guarded([this] { tmrGame_Timer(); }); });
    connect(&tmrTime, &QTimer::timeout, this, [this] { guarded([this] { tmrTime_Timer(); }); });
    connect(&tmrMain, &QTimer::timeout, this, [this] { guarded([this] { tmrMain_Timer(); }); });
    connect(&tmrForward, &QTimer::timeout, this, [this] { guarded([this] { replayStep(true); }); });
    connect(&tmrBackward, &QTimer::timeout, this, [this] { guarded([this] { replayStep(false); }); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        resize(std::min(1180, room.width() * 9 / 10), std::min(820, room.height() * 9 / 10));
        move(room.center() - rect().center());
    } else {
        resize(1180, 820);
    }
}

frmMain::~frmMain()
{
    for (QTimer* timer : {&tmrGame, &tmrTime, &tmrMain, &tmrWallPaper, &tmrForward, &tmrBackward})
        timer->stop();
    shared_.gamePlay.setHost(nullptr);
    shared_.setSurface(nullptr);
}

void frmMain::guarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RunTimeError& e) {
        shared_.prompts().message(e.description(), Prompts::Icon::Stop, Prompts::Buttons::Ok, shared_.data.ProdName());
    } catch (const std::exception& e) {
        shared_.prompts().message(QString::fromLocal8Bit(e.what()), Prompts::Icon::Stop, Prompts::Buttons::Ok,
                                  shared_.data.ProdName());
    }
}

void frmMain::Form_Load(const QString& commandLine)
{
    setWindowTitle(shared_.data.ProdName());
    show();
    // The layout is centred on the screen width, kept in 16-bit twips.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const auto twips = [](int pixels) {
            return static_cast<int32_t>(std::min(pixels * kTwipsPerPixel, int{std::numeric_limits<int16_t>::max()}));
        };
        shared_.values.screenWidthTwips = twips(screen->geometry().width());
        shared_.values.screenHeightTwips = twips(screen->geometry().height());
    }
    InitProgram();
    tmrTime.start();
    tmrMain.start();
    // Ready once the start decision leaves the window idle: after the first
    // game is on the table, or while the selection window waits for the
    // player.
    QTimer::singleShot(0, this, [this] { emit ready(); });
    guarded([&] { StartFirstGame(commandLine); });
}

void frmMain::InitProgram()
{
    // Each step is tried even when one before it failed.
    const auto step = [](const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception&) {
        }
    };
    step([&] {
        shared_.data.setSesStartTime(QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    });
    step([&] { Players(shared_.settings()).EnsurePlayer(); });
    step([&] { menus_->refreshRecentMenus(); });
    step([&] { menus_->applyToolbarSettings(); });
    step([&] { menus_->toolbar()->setVisible(shared_.settings().read(settings::kShowToolbar) != 0); });
    step([&] { FileTypes().registerFileTypes(QCoreApplication::applicationFilePath()); });
}

void frmMain::StartFirstGame(const QString& commandLine)
{
    SettingsStore& store = shared_.settings();
    cGamePlay& session = shared_.gamePlay;
    const QString path = commandLine.trimmed();
    const bool unfinished = store.read(settings::kUnFin) == 1;
    if (unfinished)
        store.write(settings::kUnFin, 0);

    if (!path.isEmpty()) {
        if (unfinished && shared_.prompts().message(
                              QStringLiteral("An unfinished game from previous session exists! If you start this game "
                                             "then you will loose the previous Game.\r\nClick 'Yes' to start this "
                                             "game or 'No' to start the previous game."),
                              Prompts::Icon::Question, Prompts::Buttons::YesNo) == Prompts::Answer::No) {
            guarded([&] { session.PlayFile(shared_.data.UnFinFile(), false); });
        } else {
            guarded([&] { session.PlayFile(path, true); });
        }
    } else if (unfinished && shared_.prompts().message(
                                 QStringLiteral("An unfinished game from previous session exists!\r\nClick 'Yes' to "
                                                "continue this game or 'No' to start a new game."),
                                 Prompts::Icon::Question, Prompts::Buttons::YesNo) == Prompts::Answer::Yes) {
        guarded([&] { session.PlayFile(shared_.data.UnFinFile(), false); });
    } else {
        openSelection();
    }
    // A file that could not be opened leaves the table empty: the player
    // chooses a game instead.
    if (session.Game_Status() == cGamePlay::kNoGame && !path.isEmpty())
        openSelection();
}

void frmMain::openSelection()
{
    frmSelect dialog(shared_, pictures_, this);
    showModal(dialog);
}

void frmMain::showModal(QDialog& dialog)
{
    // Modal to the main window only, so the help window stays usable while
    // a dialog is open (the selection window's Rules button opens it).
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}

void frmMain::RunCommand(const QString& key)
{
    guarded([&] {
        StopReplay();
        cGamePlay& session = shared_.gamePlay;
        cEngine& engine = shared_.engine;
        SettingsStore& store = shared_.settings();
        const auto speed = [&](const NumberSetting& setting) { return static_cast<int16_t>(store.read(setting)); };

        if (key == QLatin1String("New")) {
            // A new number of the last game; before any game was played, the
            // player chooses one.
            if (shared_.data.GetGameID(session.LastGName()) > 0)
                session.PlayRandom();
            else
                openSelection();
        } else if (key == QLatin1String("Select")) {
            openSelection();
        } else if (key == QLatin1String("SelNum")) {
            frmChoose dialog(shared_, this);
            showModal(dialog);
        } else if (key == QLatin1String("Players")) {
            frmPlayers dialog(shared_, this);
            showModal(dialog);
        } else if (key == QLatin1String("Options")) {
            frmOptions dialog(
                shared_, [this] { menus_->refreshRecentMenus(); }, this);
            showModal(dialog);
        } else if (key == QLatin1String("Restart")) {
            session.PlayNumber(session.GameName(), session.gameNo());
        } else if (key == QLatin1String("Open")) {
            mFile::OpenGameDialog(shared_);
        } else if (key == QLatin1String("Save")) {
            mFile::SaveGameDialog(shared_, shared_.data.IncExt());
        } else if (key == QLatin1String("Close")) {
            session.EndGame(false);
            shared_.sounds().raise(SoundEvent::CloseGame);
        } else if (key == QLatin1String("Exit")) {
            close();
        } else if (key == QLatin1String("Undo")) {
            int16_t s = speed(settings::kUndoSpeed);
            engine.Undo(s);
        } else if (key == QLatin1String("Redo")) {
            int16_t s = speed(settings::kUndoSpeed);
            engine.Redo(s);
        } else if (key == QLatin1String("AutoPlay")) {
            if (store.read(settings::kAutoPlay) == 1) {
                store.write(settings::kAutoPlay, 0);
            } else {
                store.write(settings::kAutoPlay, 1);
                shared_.play.AutoMoveCheck();
            }
        } else if (key == QLatin1String("UndoAll")) {
            engine.UndoAll(speed(settings::kUndoallSpeed));
        } else if (key == QLatin1String("RedoAll")) {
            engine.RedoAll(speed(settings::kUndoallSpeed));
        } else if (key == QLatin1String("Pause")) {
            session.PauseGame(!session.PauseStatus());
            shared_.sounds().raise(SoundEvent::PauseGame);
        } else if (key == QLatin1String("ViewTool")) {
            const int32_t shown = store.read(settings::kShowToolbar) == 1 ? 0 : 1;
            store.write(settings::kShowToolbar, shown);
            menus_->toolbar()->setVisible(shown == 1);
        } else if (key == QLatin1String("Forward")) {
            tmrForward.start();
        } else if (key == QLatin1String("Back")) {
            tmrBackward.start();
        } else if (key == QLatin1String("ReplayAll")) {
            engine.UndoAll(1);
            tmrForward.start();
        } else if (key == QLatin1String("Stop")) {
            // Stopping is all it does.
        } else if (key == QLatin1String("Toolbar")) {
            frmToolbar dialog(shared_, *menus_, this);
            showModal(dialog);
        } else if (key == QLatin1String("Animation")) {
            frmAnimation dialog(shared_, this);
            showModal(dialog);
        } else if (key == QLatin1String("Deck")) {
            frmCardDeck dialog(shared_, pictures_, this);
            showModal(dialog);
        } else if (key == QLatin1String("Rules")) {
            if (session.Game_Running())
                shared_.data.ShowRules(session.GameName());
            else
                shared_.data.ShowContents();
        } else if (key == QLatin1String("Contents")) {
            shared_.data.ShowContents();
        } else if (key == QLatin1String("About")) {
            frmAbout dialog(shared_, this);
            showModal(dialog);
        }
        // Every other key belongs to a window that is not part of the
        // program yet, or to no command at all: nothing happens.
    });
}

void frmMain::StopReplay()
{
    menus_->setStopEnabled(false);
    tmrBackward.stop();
    tmrForward.stop();
}

void frmMain::Menu1_Event9(int group, const QString& key, const QString& text)
{
    guarded([&] {
        cGamePlay& session = shared_.gamePlay;
        switch (group) {
        case 202: session.PlayString(text); break;
        case 200:
        case 201: session.PlayFile(text, true); break;
        case 300: session.PlayPendFile(key); break;
        case 400: session.PlayFavFile(key); break;
        default: break;
        }
    });
}

void frmMain::tmrGame_Timer() { shared_.gamePlay.setTime(shared_.gamePlay.Time() + 1); }

void frmMain::tmrTime_Timer()
{
    shared_.gamePlay.Update_Title();
    const cGames& games = shared_.games;
    if (shared_.values.busy || !shared_.gamePlay.Game_Running() || games.StockNum() != 2)
        return;
    table_->showMarker(CardSurface::Marker::Stock, 0, shared_.play.StockMarker(),
                       {games.GetCordX(1, 0, 0), games.GetCordY(1, 0, 0)});
}

void frmMain::tmrMain_Timer()
{
    if (!shared_.values.busy)
        menus_->refreshCommandStates(replaying());
}

void frmMain::replayStep(bool forward)
{
    // Each direction switches the other off.
    (forward ? tmrBackward : tmrForward).stop();
    menus_->setStopEnabled(true);
    int16_t speed = static_cast<int16_t>(shared_.settings().read(settings::kReplaySpeed));
    if (!(forward ? shared_.engine.Redo(speed) : shared_.engine.Undo(speed)))
        StopReplay();
}

void frmMain::setGameClock(bool on)
{
    if (on)
        tmrGame.start();
    else
        tmrGame.stop();
}

void frmMain::startReplay() { tmrForward.start(); }

void frmMain::showPaused(bool paused)
{
    menus_->item(QStringLiteral("mGame"), 9)->setChecked(paused);
    if (QAction* button = menus_->button(QStringLiteral("Pause")))
        button->setChecked(paused);
}

void frmMain::setCaption(const QString& caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void frmMain::markPendingPlaying(const QString& fileName)
{
    if (QAction* entry = menus_->entry(menus_->menu(QStringLiteral("mPend")), fileName)) {
        entry->setText(entry->text() + QStringLiteral(" - (Now Playing)"));
        entry->setEnabled(false);
    }
}

void frmMain::refreshRecentMenus() { menus_->refreshRecentMenus(); }

void frmMain::gameWon()
{
    // The clock stops with the last card home.
    tmrGame.stop();
    shared_.sounds().raise(SoundEvent::Win);
    table_->finishAnimations();
    shared_.prompts().message(
        QStringLiteral("Congratulations! You have won this game of %1.").arg(shared_.gamePlay.GameName()),
        Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    ShutDown();
    event->accept();
}

void frmMain::ShutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    StopReplay();
    for (QTimer* timer : {&tmrGame, &tmrTime, &tmrMain, &tmrWallPaper})
        timer->stop();
    guarded([&] { shared_.gamePlay.Unload(); });
    shared_.help().closeAll();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}
