#pragma once

#include "engine/GameNo.h"
#include "engine/PlaySession.h"
#include "session/SessionHooks.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>

class Services;
class cData;
class cEngine;
class cFunc;
class cGames;
class cPlay;

// The game session: starts a game (by number, at random, from a name and
// number, from a file, from the pending list or from a favorite), keeps its
// identity, clock, stored score and redeals, computes its figures, pauses,
// ends it and clears the table, and writes the main window's caption.
class cGamePlay final : public PlaySession {
public:
    // How the game on the table was started.
    static constexpr int32_t kNewDeal = 0;
    static constexpr int32_t kIncompleteFile = 1;
    static constexpr int32_t kFinishedFile = 2;
    static constexpr int32_t kPendingGame = 3;

    // Game_Status.
    static constexpr int32_t kNoGame = 0;
    static constexpr int32_t kInProgress = 1;
    static constexpr int32_t kFinishedOnShow = 2;

    cGamePlay(Services& services, cData& data, cGames& games, cPlay& play, cEngine& engine, cFunc& func)
        : services_(services), data_(data), games_(games), play_(play), engine_(engine), func_(func)
    {
    }

    void setHost(SessionHost* host) { host_ = host != nullptr ? host : &noHost_; }
    void setScoreRecorder(ScoreRecorder* scores) { scores_ = scores != nullptr ? scores : &noScores_; }
    void setArchive(GameArchive* archive) { archive_ = archive != nullptr ? archive : &noArchive_; }
    void setKeeper(GameKeeper* keeper) { keeper_ = keeper != nullptr ? keeper : &noKeeper_; }
    SessionHost& host() { return *host_; }
    // How long a random deal is searched for a winnable one before the last
    // number drawn is dealt anyway. Each number drawn is searched in a fixed
    // number of positions as well.
    void setWinnableSearchTime(std::chrono::milliseconds within) { winnableWithin_ = within; }

    void StartGame(const QString& cGameName, const GameNo& cGameNo, int32_t cLoadType, int32_t cTime, int16_t cScore,
                   int16_t cRedealsComp);
    void PlayNumber(const QString& gName, const GameNo& gNo);
    // Without a name, the last game started.
    void PlayRandom(const QString& gName = QString());
    void Restart();
    // "Klondike - 1234": the number is kept as text.
    void PlayString(const QString& gNameNo);
    // A file that is not a valid game leaves the game on the table as it is
    // and raises an error naming the file and what is wrong with it.
    void PlayFile(const QString& fName, bool bRecent);
    // Plays a pending game; its file stays where it is until the game is
    // won. Nothing happens when it is the pending game being played. The
    // moves come from `progressFile` when it is given: a newer copy of the
    // same game, kept while it was played by a run that did not end
    // normally.
    void PlayPendFile(const QString& fName, const QString& progressFile = QString());
    // Puts the game on the table on the pending list and clears the table;
    // a game that came from the list is there already, which the player is
    // told.
    void AddToPending();
    void PlayFavFile(const QString& fName);
    void PauseGame(bool mEnable);
    bool PauseStatus() const { return paused_; }
    void EndGame(bool bTerminate);
    void ClearArea();
    void Unload();

    // A random game number for the range setting: 1 .. 10^RangeIndex - 1.
    GameNo RandomGameNo() const;

    int32_t Time() const override { return time_; }
    void setTime(int32_t seconds) { time_ = seconds; }
    QString TimeString() const;
    // Hours in full: "61:02:03".
    static QString TimeString(int32_t seconds);
    int16_t Score() const override;
    int16_t Moves() const;
    int16_t Percentage() const override;
    int16_t CardsLeft() const;

    int32_t Game_Status() const override { return status_; }
    bool Game_Running() const override { return running_; }
    void setGame_Running(bool running) { running_ = running; }
    int16_t RedealsComp() const override { return redealsComp_; }
    void setRedealsComp(int16_t value) override { redealsComp_ = value; }
    // Only a game being played is won: not a finished game replaying
    // itself, nor a game whose win is already recorded.
    void GameWon() override
    {
        if (status_ == kInProgress && !wonRecorded_)
            host_->gameWon();
    }
    // The won game on the table has been recorded (and auto-saved): ending
    // it, replacing it or closing the program records nothing more.
    void markWonRecorded()
    {
        wonRecorded_ = true;
        keeper_->gameChanged();
    }
    bool wonRecorded() const { return wonRecorded_; }
    // The game on the table is in the score file already: won, or ended as
    // not won while it stays on the table for the program's end.
    bool recorded() const { return wonRecorded_ || lostRecorded_; }

    const QString& Game_StartTime() const { return startTime_; }
    void setGame_StartTime(const QString& text) { startTime_ = text; }
    const GameNo& gameNo() const override { return gameNo_; }
    void setGameNo(const GameNo& number) { gameNo_ = number; }
    const QString& GameName() const override { return gameName_; }
    void setGameName(const QString& name) { gameName_ = name; }
    bool IsPending() const { return loadType_ == kPendingGame; }
    int32_t Game_LoadingType() const { return loadType_; }
    const QString& pendingFile() const { return pendingFile_; }
    // The file of the pending-list game being played; empty when the game
    // in progress did not come from the list, or none is.
    QString playingPendingFile() const
    {
        return status_ == kInProgress && loadType_ == kPendingGame ? pendingFile_ : QString();
    }

    QString LastGName() const;
    void setLastGName(const QString& name);

    // What the status bar shows: the figures the caption shows (by the same
    // options), the stock left and the redeals left where the game has
    // them, and "Paused" while paused. Nothing without a game.
    QStringList StatusTexts() const;

    // The caption the main window shows, and writing it there.
    QString TitleText() const;
    void Update_Title();

private:
    Services& services_;
    cData& data_;
    cGames& games_;
    cPlay& play_;
    cEngine& engine_;
    cFunc& func_;
    NoSessionHost noHost_;
    NoScoreRecorder noScores_;
    NoGameArchive noArchive_;
    NoGameKeeper noKeeper_;
    SessionHost* host_ = &noHost_;
    ScoreRecorder* scores_ = &noScores_;
    GameArchive* archive_ = &noArchive_;
    GameKeeper* keeper_ = &noKeeper_;
    std::chrono::milliseconds winnableWithin_{3000};

    bool running_ = false;
    QString startTime_;
    int32_t time_ = 0;
    int16_t storedScore_ = 0;
    GameNo gameNo_;
    QString gameName_;
    int16_t redealsComp_ = 0;
    bool paused_ = false;
    int32_t loadType_ = kNewDeal;
    QString pendingFile_;
    int32_t status_ = kNoGame;
    bool wonRecorded_ = false;
    bool lostRecorded_ = false;
};
