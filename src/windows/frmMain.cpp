#include "windows/frmMain.h"

#include "appearance/Background.h"
#include "data/FileTypes.h"
#include "pictures/Backgrounds.h"
#include "pictures/CardPictures.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/Recovery.h"
#include "session/SavedGames.h"
#include "session/Shared.h"
#include "windows/MainMenus.h"
#include "windows/common/AccessibleNames.h"
#include "windows/common/Guard.h"
#include "windows/frmAbout.h"
#include "windows/frmAddtoFav.h"
#include "windows/frmAnimation.h"
#include "windows/frmAutoSave.h"
#include "windows/frmBackGround.h"
#include "windows/frmCardDeck.h"
#include "windows/frmChoose.h"
#include "windows/frmFinish.h"
#include "windows/frmGameStat.h"
#include "windows/frmHighScore.h"
#include "windows/frmHistory.h"
#include "windows/frmHotGames.h"
#include "windows/frmLogStat.h"
#include "windows/frmOptions.h"
#include "windows/frmOrgFav.h"
#include "windows/frmPending.h"
#include "windows/frmPlayers.h"
#include "windows/frmQuickMove.h"
#include "windows/frmSelect.h"
#include "windows/frmSesStat.h"
#include "windows/frmSounds.h"
#include "windows/frmToolbar.h"
#include "windows/table/KeyboardPlay.h"
#include "windows/table/PlayAdvisor.h"
#include "windows/table/TableAccessible.h"
#include "windows/table/TableView.h"
#include "windows/table/WinCelebration.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <limits>
#include <utility>

Q_LOGGING_CATEGORY(lcMain, "tablora.main")

namespace {
constexpr int kGameClockMs = 1000;

// Runs a piece of start-up work that may fail without harm to the rest: a
// failure is logged and the program goes on.
void tryAtStart(const char* what, const std::function<void()>& action)
{
    try {
        action();
    } catch (const RunTimeError& e) {
        qCWarning(lcMain) << "start-up:" << what << "failed:" << e.description();
    } catch (const std::exception& e) {
        qCWarning(lcMain) << "start-up:" << what << "failed:" << e.what();
    }
}

// Holds back work the window's first frame need not wait for (the
// solver's first look at the deal, which would take a core from drawing
// it) until the watched widget has been painted once; in a window not
// shown, it runs at once. Later calls run at once; a call while held
// replaces the one held.
class AfterFirstFrame final : public QObject {
public:
    AfterFirstFrame(QWidget& painted, Services& services) : QObject(&painted), painted_(painted), services_(services)
    {
        painted_.installEventFilter(this);
    }
    void run(std::function<void()> work)
    {
        if (shown_ || !painted_.isVisible()) {
            work();
            return;
        }
        held_ = std::move(work);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &painted_ && event->type() == QEvent::Paint && !shown_) {
            shown_ = true;
            painted_.removeEventFilter(this);
            // Once this frame is drawn and on the screen.
            QTimer::singleShot(0, this, [this] {
                if (const std::function<void()> work = std::exchange(held_, {}))
                    guard::run(services_, work);
            });
        }
        return false;
    }

private:
    QWidget& painted_;
    Services& services_;
    bool shown_ = false;
    std::function<void()> held_;
};

constexpr int kTitleMs = 500;
constexpr int kCommandStateMs = 100;
constexpr int kReplayMs = 500;
// The game being played goes to the disk at most this often.
constexpr int kRecoveryMs = 1000;
// How often a saved game another start asked for is tried while a dialog
// is open.
constexpr int kRequestsMs = 200;
// Twips to a logical pixel.
constexpr int kTwipsPerPixel = 15;
} // namespace

frmMain::frmMain(Shared& shared, CardPictures& pictures, QWidget* parent)
    : QMainWindow(parent), shared_(shared), pictures_(pictures), pointer_(shared)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(shared_.data.ProdName());
    shared_.gamePlay.setHost(this);
    // A settings file that cannot be written is told once; the program goes
    // on with the values in memory. The message waits until the work that
    // wrote the setting is done.
    shared_.services.settings().setReporter([this](const QString& text) { tellLater(text); });

    installTableAccessibility();
    accessibleNames::install();
    table_ = new TableView(shared_.games, shared_.play, shared_.services, pictures_, this);
    table_->setAccessibleName(QStringLiteral("Card table"));
    setCentralWidget(table_);
    shared_.services.setSurface(table_);
    Services& services = shared_.services;
    keyboard_ = std::make_unique<KeyboardPlay>(shared_, *table_, pointer_);
    celebration_ = std::make_unique<WinCelebration>(*table_, shared_.games, shared_.play, services);
    guard::connect(services, table_, &TableView::cardPressed, this,
                   [this](int id, double x, double y) { pointer_.press(static_cast<int16_t>(id), x, y); });
    guard::connect(services, table_, &TableView::cardMoved, this, [this](int, double x, double y) {
        shared_.play.drag().movedSincePress = true;
        pointer_.move(x, y);
    });
    guard::connect(services, table_, &TableView::tablePressed, this, [this](QPointF twips, bool& handled) {
        // "Click to move": the click that follows a picked-up card puts it
        // down.
        if (keyboard_->clickHeld()) {
            keyboard_->dropClickedAt(twips);
            handled = true;
        }
        shared_.play.drag().movedSincePress = false;
    });
    guard::connect(services, table_, &TableView::cardReleased, this, [this](int id) {
        DragState& drag = shared_.play.drag();
        // "Click to move": a click without a drag holds the card up.
        if (shared_.services.settings().read(settings::kClickToMove) == 1 && !drag.movedSincePress && drag.active) {
            keyboard_->holdClicked(static_cast<int16_t>(id));
            return;
        }
        pointer_.release();
        // The release of a double click, with the option on: home.
        if (drag.doubleClicked == id) {
            drag.doubleClicked = -1;
            keyboard_->sendHome(static_cast<int16_t>(id));
        }
    });
    guard::connect(services, table_, &TableView::stockPlaceClicked, this, [this] { pointer_.stockPlaceClicked(); });
    guard::connect(services, table_, &TableView::cardDoubleClicked, this, [this](int id) { cardDoubleClicked(id); });
    guard::connect(services, table_, &TableView::keyPressed, this,
                   [this](int key, Qt::KeyboardModifiers, bool& handled) { handled = keyboard_->key(key); });

    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setAccessibleName(QStringLiteral("Game figures"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(lblStatus_, 1);
    // Stays in sight while a passing remark covers the figures.
    lblWinnable_ = new QLabel(this);
    lblWinnable_->setObjectName(QStringLiteral("lblWinnable"));
    lblWinnable_->setAccessibleName(QStringLiteral("Can the deal be won"));
    lblWinnable_->setContentsMargins(8, 0, 8, 0);
    statusBar()->addPermanentWidget(lblWinnable_);
    advisor_ = std::make_unique<PlayAdvisor>(
        shared_, *table_, *lblWinnable_, [this](const QString& text) { showStatusMessage(text); },
        [this] { return replaying(); });
    // Every card placed, turned or cleared away: a move, a deal, an undo or
    // redo, a game opened.
    auto* afterFirstFrame = new AfterFirstFrame(*table_->viewport(), services);
    guard::connect(services, table_, &TableView::tableChanged, this, [this, afterFirstFrame] {
        keyboard_->tableChanged();
        afterFirstFrame->run([this] { advisor_->tableChanged(); });
    });
    menus_ = std::make_unique<MainMenus>(shared_, *this);
    buildCommands();
    menus_->setRunnableCommands(commandKeys());
    guard::connect(services, menus_.get(), &MainMenus::command, this, [this](const QString& key) { RunCommand(key); });
    guard::connect(services, menus_.get(), &MainMenus::entryChosen, this,
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
    guard::connect(services, &tmrGame, &QTimer::timeout, this, [this] { tmrGame_Timer(); });
    guard::connect(services, &tmrTime, &QTimer::timeout, this, [this] { tmrTime_Timer(); });
    guard::connect(services, &tmrMain, &QTimer::timeout, this, [this] { tmrMain_Timer(); });
    guard::connect(services, &tmrForward, &QTimer::timeout, this, [this] { replayStep(true); });
    guard::connect(services, &tmrBackward, &QTimer::timeout, this, [this] { replayStep(false); });
    guard::connect(services, &tmrWallPaper, &QTimer::timeout, this, [this] {
        // Not in the middle of the player's move.
        if (!shared_.services.busy)
            changeBackground();
    });
    recovery_ = std::make_unique<Recovery>(shared_);
    // A game the last run left behind stays as it is until the player has
    // been asked about it.
    recovery_->hold(recovery_->exists());
    recovery_->setReporter([this](const QString& text) { tellLater(text); });
    shared_.gamePlay.setKeeper(recovery_.get());
    tmrRequests.setObjectName(QStringLiteral("tmrRequests"));
    tmrRequests.setInterval(kRequestsMs);
    guard::connect(services, &tmrRequests, &QTimer::timeout, this, [this] { openRequestedGames(); });
    tmrRecovery.setObjectName(QStringLiteral("tmrRecovery"));
    tmrRecovery.setInterval(kRecoveryMs);
    guard::connect(services, &tmrRecovery, &QTimer::timeout, this, [this] { recovery_->keep(); });

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
    advisor_->stop();
    for (QTimer* timer :
         {&tmrGame, &tmrTime, &tmrMain, &tmrWallPaper, &tmrForward, &tmrBackward, &tmrRecovery, &tmrRequests})
        timer->stop();
    shared_.gamePlay.setHost(nullptr);
    shared_.gamePlay.setKeeper(nullptr);
    shared_.services.settings().setReporter(nullptr);
    shared_.services.setSurface(nullptr);
}

void frmMain::tellLater(const QString& text)
{
    // Once the work that failed is done, not in the middle of it.
    QTimer::singleShot(0, this, [this, text] {
        shared_.services.prompts().message(text, Prompts::Icon::Exclamation, Prompts::Buttons::Ok,
                                           cData::longProductName());
    });
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
        shared_.games.setScreenWidth(twips(screen->geometry().width()));
    }
    InitProgram();
    tmrTime.start();
    tmrMain.start();
    tmrRecovery.start();
    // Ready once the start decision leaves the window idle: after the first
    // game is on the table, or while the selection window waits for the
    // player.
    QTimer::singleShot(0, this, [this] {
        emit ready();
        // Registering the file types with the desktop can wait until the
        // window stands idle.
        QTimer::singleShot(0, this, [] {
            tryAtStart("the file types",
                       [] { FileTypes().registerFileTypes(QCoreApplication::applicationFilePath()); });
        });
    });
    guard::run(shared_.services, [&] { StartFirstGame(commandLine); });
    table_->settle();
}

void frmMain::InitProgram()
{
    // Each step is tried even when one before it failed.
    tryAtStart("the session's start time", [&] { shared_.data.setSesStartedAt(shared_.services.clock().now()); });
    tryAtStart("the player", [&] { Players(shared_.services.settings()).EnsurePlayer(); });
    tryAtStart("the recent lists", [&] { menus_->refreshRecentMenus(); });
    tryAtStart("the favorites and pending lists", [&] { refreshLibraryMenus(); });
    tryAtStart("the background", [&] {
        shared_.data.CreateDefaultSchemeFile();
        applyBackground();
        // "Session": a new background once a run.
        if (shared_.services.settings().read(settings::kWPTimerValue) == 5)
            changeBackground();
    });
    tryAtStart("the toolbar buttons", [&] { menus_->applyToolbarSettings(); });
    tryAtStart("the toolbar",
               [&] { menus_->toolbar()->setVisible(shared_.services.settings().read(settings::kShowToolbar) != 0); });
}

void frmMain::StartFirstGame(const QString& commandLine)
{
    SettingsStore& store = shared_.services.settings();
    cGamePlay& session = shared_.gamePlay;
    const QString path = commandLine.trimmed();
    const bool unfinished = store.read(settings::kUnFin) == 1;
    if (unfinished)
        store.write(settings::kUnFin, 0);
    // A game the last run left behind comes before anything else.
    if (offerRecovery())
        return;
    // Whether a saved game was to be opened, rather than chosen.
    bool fromFile = !path.isEmpty();

    if (!path.isEmpty()) {
        if (unfinished && shared_.services.prompts().message(
                              QStringLiteral("An unfinished game from previous session exists! If you start this game "
                                             "then you will loose the previous Game.\r\nClick 'Yes' to start this "
                                             "game or 'No' to start the previous game."),
                              Prompts::Icon::Question, Prompts::Buttons::YesNo) == Prompts::Answer::No) {
            guard::run(shared_.services, [&] { session.PlayFile(shared_.data.UnFinFile(), false); });
        } else {
            guard::run(shared_.services, [&] { session.PlayFile(path, true); });
        }
    } else if (unfinished && shared_.services.prompts().message(
                                 QStringLiteral("An unfinished game from previous session exists!\r\nClick 'Yes' to "
                                                "continue this game or 'No' to start a new game."),
                                 Prompts::Icon::Question, Prompts::Buttons::YesNo) == Prompts::Answer::Yes) {
        fromFile = true;
        guard::run(shared_.services, [&] { session.PlayFile(shared_.data.UnFinFile(), false); });
    } else {
        openSelection();
    }
    // A file that could not be opened (missing or damaged) leaves the table
    // empty: the player chooses a game instead.
    if (session.Game_Status() == cGamePlay::kNoGame && fromFile)
        openSelection();
}

bool frmMain::offerRecovery()
{
    // Only what the last run left behind is offered, and only once.
    if (!recovery_->held() || !recovery_->exists()) {
        recovery_->hold(false);
        return false;
    }
    const QString game = recovery_->describe();
    bool resumed = false;
    if (!game.isEmpty() &&
        shared_.services.prompts().message(
            QStringLiteral("Tablora did not close normally last time, while the game %1 was being played.\r\n"
                           "Click 'Yes' to continue that game or 'No' to leave it.")
                .arg(game),
            Prompts::Icon::Question, Prompts::Buttons::YesNo) == Prompts::Answer::Yes) {
        // A game of the pending list comes back as that pending game.
        const QString pending = recovery_->pendingFile();
        guard::run(shared_.services, [&] {
            if (pending.isEmpty())
                shared_.gamePlay.PlayFile(recovery_->path(), false);
            else
                shared_.gamePlay.PlayPendFile(pending, recovery_->path());
        });
        resumed = shared_.gamePlay.Game_Status() == cGamePlay::kInProgress;
    }
    recovery_->hold(false);
    // The game taken up is kept as before; one left goes.
    if (resumed)
        recovery_->keep();
    else
        recovery_->remove();
    return resumed;
}

void frmMain::openFromAnotherStart(const QString& savedGame)
{
    if (shutDown_)
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // The dialog the player is answering comes first.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
    if (savedGame.isEmpty())
        return;
    requestedGames_ << savedGame;
    openRequestedGames();
}

void frmMain::cardDoubleClicked(int id)
{
    if (shared_.services.settings().read(settings::kDoubleClickHome) != 1)
        return;
    DragState& drag = shared_.play.drag();
    // The press picked the card up: it goes home when the pointer comes up.
    if (drag.pressedCard == id) {
        drag.doubleClicked = id;
        return;
    }
    // Under "Click to move" the press put the card the first click held
    // back down: it goes home now, if a home pile takes it.
    keyboard_->sendHome(static_cast<int16_t>(id));
}

void frmMain::openRequestedGames()
{
    // Not over an open dialog nor in the middle of a move: tried again
    // shortly.
    if (shutDown_ || QApplication::activeModalWidget() != nullptr || shared_.services.busy) {
        if (!shutDown_)
            tmrRequests.start();
        return;
    }
    tmrRequests.stop();
    while (!requestedGames_.isEmpty()) {
        const QString path = requestedGames_.takeFirst();
        guard::run(shared_.services, [&] {
            StopReplay();
            shared_.gamePlay.PlayFile(path, true);
        });
    }
}

void frmMain::applyBackground()
{
    table_->setBackground(background::current(shared_.services.settings(), shared_.data));
    const int interval = background::timerInterval(shared_.services.settings().read(settings::kWPTimerValue));
    if (interval > 0)
        tmrWallPaper.start(interval);
    else
        tmrWallPaper.stop();
}

void frmMain::changeBackground()
{
    const std::optional<BackgroundChoice> other = background::randomOfKind(
        table_->background(), backgrounds::textureCount(), backgrounds::colourCount(), backgrounds::pictureCount(),
        shared_.services.settings(), shared_.data, shared_.services.random());
    if (other)
        table_->setBackground(*other);
}

void frmMain::refreshLibraryMenus()
{
    menus_->refreshFavMenu();
    refreshPendingMenu();
}

void frmMain::refreshPendingMenu() { menus_->refreshPendingMenu(shared_.gamePlay.playingPendingFile()); }

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

bool frmMain::RunCommand(const QString& key)
{
    const auto command = commands_.constFind(key);
    if (command == commands_.cend()) {
        qCWarning(lcMain) << "no command has the key" << key;
        return false;
    }
    guard::run(shared_.services, [&] {
        StopReplay();
        (*command)();
    });
    return true;
}

QStringList frmMain::commandKeys() const { return commands_.keys(); }

void frmMain::buildCommands()
{
    cGamePlay& session = shared_.gamePlay;
    cEngine& engine = shared_.engine;
    SettingsStore& store = shared_.services.settings();
    const auto speed = [&store](const NumberSetting& setting) { return settings::animationSteps(store.read(setting)); };
    const auto add = [this](const char* key, std::function<void()> handler) {
        commands_.insert(QLatin1String(key), std::move(handler));
    };

    add("New", [this, &session] {
        // A new number of the last game; before any game was played, the
        // player chooses one.
        if (shared_.data.GetGameID(session.LastGName()) > 0)
            session.PlayRandom();
        else
            openSelection();
    });
    add("Select", [this] { openSelection(); });
    add("SelNum", [this] { openWindow<frmChoose>(shared_); });
    add("Players", [this] { openWindow<frmPlayers>(shared_); });
    add("Options", [this] {
        frmOptions window(
            shared_, [this] { menus_->refreshRecentMenus(); }, this);
        showModal(window);
    });
    add("Restart", [&session] { session.PlayNumber(session.GameName(), session.gameNo()); });
    add("Open", [this] { mFile::OpenGameDialog(shared_); });
    add("Save", [this] { mFile::SaveGameDialog(shared_, shared_.data.IncExt()); });
    add("Close", [this, &session] {
        session.EndGame(false);
        shared_.services.sounds().raise(SoundEvent::CloseGame);
    });
    add("Exit", [this] { close(); });
    add("Undo", [&engine, speed] {
        int16_t s = speed(settings::kUndoSpeed);
        engine.Undo(s);
    });
    add("Redo", [&engine, speed] {
        int16_t s = speed(settings::kUndoSpeed);
        engine.Redo(s);
    });
    add("AutoPlay", [this, &store] {
        if (store.read(settings::kAutoPlay) == 1) {
            store.write(settings::kAutoPlay, 0);
        } else {
            store.write(settings::kAutoPlay, 1);
            shared_.play.AutoMoveCheck();
        }
    });
    add("Hint", [this] { advisor_->hint(); });
    add("UndoAll", [&engine, speed] { engine.UndoAll(speed(settings::kUndoallSpeed)); });
    add("RedoAll", [&engine, speed] { engine.RedoAll(speed(settings::kUndoallSpeed)); });
    add("Pause", [this, &session] {
        session.PauseGame(!session.PauseStatus());
        shared_.services.sounds().raise(SoundEvent::PauseGame);
    });
    add("ViewTool", [this, &store] {
        const int32_t shown = store.read(settings::kShowToolbar) == 1 ? 0 : 1;
        store.write(settings::kShowToolbar, shown);
        menus_->toolbar()->setVisible(shown == 1);
    });
    add("Forward", [this] { tmrForward.start(); });
    add("Back", [this] { tmrBackward.start(); });
    add("ReplayAll", [this, &engine] {
        engine.UndoAll(1);
        tmrForward.start();
    });
    // Stopping the replay, which every command does first, is all it does.
    add("Stop", [] {});
    add("Toolbar", [this] { openWindow<frmToolbar>(shared_, *menus_); });
    add("Animation", [this] { openWindow<frmAnimation>(shared_); });
    add("Deck", [this] { openWindow<frmCardDeck>(shared_, pictures_); });
    add("Rules", [this, &session] {
        if (session.Game_Running())
            shared_.data.ShowRules(session.GameName());
        else
            shared_.data.ShowContents();
    });
    add("Contents", [this] { shared_.data.ShowContents(); });
    add("About", [this] { openWindow<frmAbout>(shared_); });
    std::function<void()> favoritesMenu = [this] { menus_->refreshFavMenu(); };
    std::function<void()> pendingMenu = [this] { refreshPendingMenu(); };
    add("AddFav", [this, favoritesMenu]() mutable {
        // Any deal on the table is filed, a finished game replaying itself
        // too: the menu offers it for every loaded game.
        if (shared_.gamePlay.Game_Status() != cGamePlay::kNoGame)
            openWindow<frmAddtoFav>(shared_, favoritesMenu);
    });
    add("OrgFav", [this, favoritesMenu]() mutable { openWindow<frmOrgFav>(shared_, favoritesMenu); });
    add("AddPend", [&session] { session.AddToPending(); });
    add("OrgPend", [this, pendingMenu]() mutable { openWindow<frmPending>(shared_, pendingMenu); });
    add("AutoSave", [this] { openWindow<frmAutoSave>(shared_); });
    add("MovesMan", [this] {
        // Only a game with moves has anything to browse.
        if (shared_.engine.GetTransTop() > 0) {
            frmQuickMove window(shared_, *this, this);
            showModal(window);
        }
    });
    add("History", [this] { openWindow<frmHistory>(shared_); });
    add("Sounds", [this] { openWindow<frmSounds>(shared_); });
    std::function<void()> backgroundApplied = [this] { applyBackground(); };
    add("Background", [this, backgroundApplied]() mutable { openWindow<frmBackGround>(shared_, backgroundApplied); });
    add("Hot", [this] { openWindow<frmHotGames>(shared_); });
    add("HighScore", [this] { openWindow<frmHighScore>(shared_); });
    add("GameStat", [this] { openWindow<frmGameStat>(shared_); });
    add("SessionStat", [this] { openWindow<frmSesStat>(shared_); });
    add("LogStat", [this] { openWindow<frmLogStat>(shared_); });
}

void frmMain::StopReplay()
{
    menus_->setStopEnabled(false);
    tmrBackward.stop();
    tmrForward.stop();
}

void frmMain::Menu1_Event9(int group, const QString& key, const QString& text)
{
    cGamePlay& session = shared_.gamePlay;
    switch (group) {
    case 202: session.PlayString(text); break;
    case 200:
    case 201: session.PlayFile(text, true); break;
    case 300: session.PlayPendFile(key); break;
    case 400: session.PlayFavFile(key); break;
    default: break;
    }
}

void frmMain::tmrGame_Timer()
{
    // The clock counts the whole seconds since it was started, so a late or
    // missed tick loses no time.
    const qint64 elapsed = clockStarted_.secsTo(shared_.services.clock().now());
    shared_.gamePlay.setTime(static_cast<int32_t>(timeAtStart_ + std::max<qint64>(elapsed, 0)));
}

void frmMain::tmrTime_Timer()
{
    shared_.gamePlay.Update_Title();
    updateStatusBar();
    // Whatever changed the table without moving a card (the automatic-play
    // option, a replay that stopped) is caught here.
    advisor_->tableChanged();
    const cGames& games = shared_.games;
    if (shared_.services.busy || !shared_.gamePlay.Game_Running() || games.StockNum() != 2)
        return;
    table_->showMarker(CardSurface::Marker::Stock, 0, shared_.play.StockMarker(),
                       {games.GetCordX(Cell::Stock, 0, 0), games.GetCordY(Cell::Stock, 0, 0)});
}

void frmMain::tmrMain_Timer()
{
    if (!shared_.services.busy)
        menus_->refreshCommandStates(replaying());
}

void frmMain::replayStep(bool forward)
{
    // Each direction switches the other off.
    (forward ? tmrBackward : tmrForward).stop();
    menus_->setStopEnabled(true);
    int16_t speed = settings::animationSteps(shared_.services.settings().read(settings::kReplaySpeed));
    if (!(forward ? shared_.engine.Redo(speed) : shared_.engine.Undo(speed)))
        StopReplay();
}

void frmMain::setGameClock(bool on)
{
    if (on) {
        clockStarted_ = shared_.services.clock().now();
        timeAtStart_ = shared_.gamePlay.Time();
        tmrGame.start();
    } else if (tmrGame.isActive()) {
        tmrGame_Timer();
        tmrGame.stop();
    }
}

void frmMain::startReplay() { tmrForward.start(); }

void frmMain::settleTable() { table_->finishAnimations(); }

void frmMain::showPaused(bool paused)
{
    menus_->item(QStringLiteral("mGame"), 9)->setChecked(paused);
    if (QAction* button = menus_->button(QStringLiteral("Pause")))
        button->setChecked(paused);
}

void frmMain::updateStatusBar()
{
    const bool shown = shared_.services.settings().read(settings::kShowStatusBar) != 0;
    if (statusBar()->isVisible() != shown)
        statusBar()->setVisible(shown);
    const QString text = shared_.gamePlay.StatusTexts().join(QStringLiteral("      "));
    if (lblStatus_->text() != text)
        lblStatus_->setText(text);
}

void frmMain::showStatusMessage(const QString& text)
{
    statusBar()->showMessage(text, kStatusMessageMs);
    // With the status bar hidden, the remark that no move is left is still
    // told.
    if (shared_.services.settings().read(settings::kShowStatusBar) == 0 && text == PlayAdvisor::kNoMoves)
        shared_.services.prompts().message(text, Prompts::Icon::Information, Prompts::Buttons::Ok);
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
    setGameClock(false);
    // The celebration (and the dialog) begin once the move that won the game
    // has left the stack.
    QTimer::singleShot(0, this, [this] { guard::run(shared_.services, [this] { celebrateWin(); }); });
}

void frmMain::celebrateWin()
{
    cGamePlay& session = shared_.gamePlay;
    if (shutDown_ || session.Game_Status() != cGamePlay::kInProgress || session.wonRecorded())
        return;
    // A table nobody sees is not celebrated.
    if (shared_.services.settings().read(settings::kCelebrateWin) == 0 || !table_->isVisible()) {
        showFinish();
        return;
    }
    celebration_->start([this] { showFinish(); });
}

void frmMain::showFinish()
{
    cGamePlay& session = shared_.gamePlay;
    if (shutDown_ || session.Game_Status() != cGamePlay::kInProgress || session.wonRecorded())
        return;
    table_->finishAnimations();
    frmFinish dialog(shared_, this);
    dialog.exec();
    // The game may have left the pending list or joined the favorites.
    refreshLibraryMenus();
    switch (dialog.next()) {
    case frmFinish::Next::NewDeal: session.PlayRandom(session.GameName()); break;
    case frmFinish::Next::Select: openSelection(); break;
    case frmFinish::Next::Restart: session.Restart(); break;
    case frmFinish::Next::Nothing: break;
    }
}

void frmMain::recordCelebratedWin()
{
    if (!celebration_->running())
        return;
    celebration_->abandon();
    guard::run(shared_.services, [this] { frmFinish recorder(shared_, this); });
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing the window during a win's celebration ends the celebration:
    // the game-end dialog comes and records the win first.
    if (celebration_->running()) {
        celebration_->stop();
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
}

void frmMain::ShutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    StopReplay();
    recordCelebratedWin();
    // The search in the background ends with the window.
    advisor_->stop();
    for (QTimer* timer : {&tmrGame, &tmrTime, &tmrMain, &tmrWallPaper, &tmrRequests})
        timer->stop();
    guard::run(shared_.services, [&] { shared_.gamePlay.Unload(); });
    // A normal end: nothing to recover at the next start, unless the
    // program ends while the player is still being asked about it.
    tmrRecovery.stop();
    if (!recovery_->held())
        recovery_->remove();
    shared_.services.help().closeAll();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}
