#pragma once

#include "session/SessionHooks.h"
#include "windows/ReplayControl.h"
#include "windows/table/CardPointer.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class Shared;
class CardPictures;
class Recovery;
class KeyboardPlay;
class TableView;
class MainMenus;
class PlayAdvisor;
class QLabel;
class WinCelebration;

// The program's one main window: the play table as its client area, the
// menus and toolbar, and the timers that run the game clock, the caption,
// the command states and the step-by-step replay. Every command, pointer
// event and timer runs inside one guard: a run-time error is shown in a stop
// message box and the program carries on.
class frmMain final : public QMainWindow, public SessionHost, public ReplayControl {
    Q_OBJECT
public:
    frmMain(Shared& shared, CardPictures& pictures, QWidget* parent = nullptr);
    ~frmMain() override;

    // Shows the window, prepares the program and decides the first game:
    // the saved game named on the command line, the unfinished game of the
    // last session, or the player's choice.
    void Form_Load(const QString& commandLine);
    void InitProgram();
    void StartFirstGame(const QString& commandLine);

    // The one command dispatcher: runs the command of the key inside the
    // guard. False for a key no command has (it is logged).
    bool RunCommand(const QString& key);
    // Every key RunCommand knows.
    QStringList commandKeys() const;
    // Keeps or records the running game and closes the help; runs once,
    // however the program ends.
    void ShutDown();
    // ReplayControl.
    void StopReplay() override;
    bool replaying() const override { return tmrForward.isActive() || tmrBackward.isActive(); }
    void runReplay(bool forward) override { (forward ? tmrForward : tmrBackward).start(); }
    void settleTable() override;
    // One step of the replay, forwards or backwards, as its timer makes it.
    void replayStep(bool forward);

    // A later start of the program asked this copy to come to the front
    // and open a saved game (none when empty). The game opens once no
    // dialog is open and no move is being made.
    void openFromAnotherStart(const QString& savedGame);

    TableView& table() { return *table_; }
    KeyboardPlay& keyboard() { return *keyboard_; }
    MainMenus& menus() { return *menus_; }
    PlayAdvisor& advisor() { return *advisor_; }
    WinCelebration& celebration() { return *celebration_; }

    // SessionHost.
    void setGameClock(bool on) override;
    bool gameClockOn() const override { return tmrGame.isActive(); }
    void startReplay() override;
    void showPaused(bool paused) override;
    void setCaption(const QString& caption) override;
    // Another background of the same kind, for a while.
    void changeBackground() override;
    // The background the settings choose, and its automatic change.
    void applyBackground();
    void markPendingPlaying(const QString& fileName) override;
    void refreshRecentMenus() override;
    void refreshPendingMenu() override;
    void gameWon() override;
    // For a few seconds, in place of the game's figures.
    void showStatusMessage(const QString& text) override;
    static constexpr int kStatusMessageMs = 5000;

    QTimer tmrGame;
    QTimer tmrTime;
    QTimer tmrMain;
    QTimer tmrWallPaper;
    QTimer tmrForward;
    QTimer tmrBackward;
    // Keeps the game being played on the disk, at most once a second.
    QTimer tmrRecovery;
    // Opens the saved games later starts asked for, once the window is
    // free.
    QTimer tmrRequests;

signals:
    // The start decision has been taken and the window is idle.
    void ready();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Menu1_Event9(int group, const QString& key, const QString& text);
    void tmrGame_Timer();
    void tmrTime_Timer();
    void tmrMain_Timer();
    // The status bar: shown as the options say, with the game's figures.
    void updateStatusBar();
    void openSelection();
    // The favorites and pending lists in the menus, as the folders hold
    // them now.
    void refreshLibraryMenus();
    // Offers to resume a game the last run left behind when it did not end
    // normally; true when the player took it up.
    bool offerRecovery();
    // The won game's celebration on the table, when the player wants one,
    // then the game-end dialog.
    void celebrateWin();
    // The program ends during the celebration: the win is recorded as the
    // game-end dialog records it, without showing the dialog.
    void recordCelebratedWin();
    // The game-end dialog, and what the player chose to do next.
    void showFinish();
    void showModal(QDialog& dialog);
    // Opens a window of the program, modal to this one.
    template <typename Window, typename... Args> void openWindow(Args&... args)
    {
        Window window(args..., this);
        showModal(window);
    }
    void buildCommands();
    void openRequestedGames();
    // The second click of a double click on a card, with "Double-click
    // sends a card home" on.
    void cardDoubleClicked(int id);
    // A failure to write (the settings, the kept game) is told once the
    // work that wrote is done.
    void tellLater(const QString& text);

    Shared& shared_;
    CardPictures& pictures_;
    TableView* table_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    // Whether the deal can still be won, at the right of the status bar.
    QLabel* lblWinnable_ = nullptr;
    std::unique_ptr<PlayAdvisor> advisor_;
    std::unique_ptr<MainMenus> menus_;
    CardPointer pointer_;
    bool shutDown_ = false;
    // When the game clock was last started, and the game's time then.
    QDateTime clockStarted_;
    int32_t timeAtStart_ = 0;
    QHash<QString, std::function<void()>> commands_;
    std::unique_ptr<Recovery> recovery_;
    std::unique_ptr<KeyboardPlay> keyboard_;
    // Saved games later starts asked to open, oldest first.
    QStringList requestedGames_;
    std::unique_ptr<WinCelebration> celebration_;
};
