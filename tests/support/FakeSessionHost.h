#pragma once

#include "session/SessionHooks.h"

#include <QStringList>

#include <functional>

// The main window, the score store and the library as a test sees them:
// everything the session asked of them, in order.
class FakeSessionHost final : public SessionHost, public ScoreRecorder, public GameArchive {
public:
    bool clock = false;
    int replays = 0;
    bool paused = false;
    QString caption;
    int wins = 0;
    QStringList calls;
    // Called when a score is recorded, to look at the session then.
    std::function<void()> onAddScore;

    void setGameClock(bool on) override { clock = on; }
    bool gameClockOn() const override { return clock; }
    void startReplay() override
    {
        ++replays;
        calls << QStringLiteral("startReplay");
    }
    void showPaused(bool p) override { paused = p; }
    void setCaption(const QString& c) override { caption = c; }
    void changeBackground() override { calls << QStringLiteral("changeBackground"); }
    void markPendingPlaying(const QString& f) override { calls << QStringLiteral("markPendingPlaying ") + f; }
    void refreshRecentMenus() override {}
    void refreshPendingMenu() override { calls << QStringLiteral("refreshPendingMenu"); }
    void gameWon() override { ++wins; }
    void showStatusMessage(const QString& text) override { calls << QStringLiteral("status ") + text; }

    void AddScore(int16_t won) override
    {
        calls << (won != 0 ? QStringLiteral("AddScore won") : QStringLiteral("AddScore"));
        if (onAddScore)
            onAddScore();
    }
    void AddSesGame(int16_t won) override
    {
        calls << (won != 0 ? QStringLiteral("AddSesGame won") : QStringLiteral("AddSesGame"));
    }
    void AutoSaveGame(bool finished) override { calls << QStringLiteral("AutoSaveGame %1").arg(finished); }
    void SaveBackPending(const QString& f) override { calls << QStringLiteral("SaveBackPending ") + f; }
};
