#pragma once

#include <QString>

#include <cstdint>

// What the game session asks of the main window: its clocks, its caption,
// the pause button and menu check, and the lists shown in its menus.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    // The game clock that counts the seconds of play.
    virtual void setGameClock(bool on) = 0;
    virtual bool gameClockOn() const = 0;
    // Starts the step-by-step replay of a finished game.
    virtual void startReplay() = 0;
    virtual void showPaused(bool paused) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // A new table background for the new game.
    virtual void changeBackground() = 0;
    // The pending-list entry of the game now on the table is shown as
    // playing.
    virtual void markPendingPlaying(const QString& fileName) = 0;
    virtual void refreshRecentMenus() = 0;
    // The pending list changed.
    virtual void refreshPendingMenu() = 0;
    // Every card is on the foundations: the game-end dialog.
    virtual void gameWon() = 0;
    // A passing remark in the status bar.
    virtual void showStatusMessage(const QString& text) = 0;
};

// Where the result of an ended game goes.
class ScoreRecorder {
public:
    virtual ~ScoreRecorder() = default;
    // Records the game on the table as ended now: 1 won, 0 not.
    virtual void AddScore(int16_t won) = 0;
    // Counts the game in this session's statistics.
    virtual void AddSesGame(int16_t won) = 0;
};

// Where an ended game is kept: the auto-save folders and the pending list.
class GameArchive {
public:
    virtual ~GameArchive() = default;
    virtual void AutoSaveGame(bool finished) = 0;
    virtual void SaveBackPending(const QString& fileName) = 0;
};

// Keeps the game on the table where a program that does not end normally
// cannot lose it.
class GameKeeper {
public:
    virtual ~GameKeeper() = default;
    // A game started or ended, or was recorded in the scores: the copy kept
    // follows at once, so that it never holds a game already recorded.
    virtual void gameChanged() = 0;
};

// Stand-ins until the window, the score store and the library are attached.
class NoSessionHost final : public SessionHost {
public:
    void setGameClock(bool on) override { clock_ = on; }
    bool gameClockOn() const override { return clock_; }
    void startReplay() override {}
    void showPaused(bool) override {}
    void setCaption(const QString&) override {}
    void changeBackground() override {}
    void markPendingPlaying(const QString&) override {}
    void refreshRecentMenus() override {}
    void refreshPendingMenu() override {}
    void gameWon() override {}
    void showStatusMessage(const QString&) override {}

private:
    bool clock_ = false;
};

class NoScoreRecorder final : public ScoreRecorder {
public:
    void AddScore(int16_t) override {}
    void AddSesGame(int16_t) override {}
};

class NoGameKeeper final : public GameKeeper {
public:
    void gameChanged() override {}
};

class NoGameArchive final : public GameArchive {
public:
    void AutoSaveGame(bool) override {}
    void SaveBackPending(const QString&) override {}
};
