#include "session/cGamePlay.h"

#include "data/cData.h"
#include "engine/DealText.h"
#include "engine/ScratchTable.h"
#include "engine/Services.h"
#include "engine/cPlay.h"
#include "history/cEngine.h"
#include "history/mFile.h"
#include "library/PendingList.h"
#include "library/cFunc.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "rules/cGames.h"
#include "rules/mKlondike.h"
#include "scores/cScore.h"
#include "session/SavedGames.h"
#include "solver/SolutionPlay.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <random>
#include <set>

namespace {

// Rounds halves to even into the 16-bit range; figures beyond it (after
// about a day of play) stay at its ends instead of failing every refresh.
int16_t figure(double value)
{
    const double r = int16::roundHalfEven(value);
    return static_cast<int16_t>(
        std::clamp(r, double{std::numeric_limits<int16_t>::min()}, double{std::numeric_limits<int16_t>::max()}));
}

QString dateText(const QDateTime& when) { return QLocale::system().toString(when, QLocale::ShortFormat); }

// A random number is drawn again when the player met its deal among this
// many of their last games, at most this many times.
constexpr int32_t kRecentGames = 1000;
constexpr int kFreshDraws = 64;

// What the number deals in the game: every pile, as the command line prints
// it, without the heading that names the number.
QString dealtCards(const QString& game, const GameNo& number)
{
    ScratchTable table(game);
    table.deal(number);
    const QString text = DealText(table.games, table.play, game, number);
    return text.mid(text.indexOf(QLatin1Char('\n')) + 1);
}

// The deals of the game among the current player's last games.
std::set<QString> dealsMet(Services& services, const cData& data, const cEngine& engine, const QString& game)
{
    std::set<double> numbers;
    try {
        cScore scores(services, data, engine);
        scores.OpenScore(services.settings().read(settings::kCurPlayer));
        const int32_t top = scores.ScoreTop();
        for (int32_t position = top; position >= 1 && position > top - kRecentGames; --position) {
            const ScoreRec& played = scores.GetScore(position);
            if (played.GameName == game)
                numbers.insert(played.gameNo.toNumber());
        }
    } catch (const RunTimeError&) {
        // Without the score file the number is simply drawn.
    }
    std::set<QString> met;
    for (const double number : numbers)
        met.insert(dealtCards(game, GameNo(number)));
    return met;
}

} // namespace

void cGamePlay::StartGame(const QString& cGameName, const GameNo& cGameNo, int32_t cLoadType, int32_t cTime,
                          int16_t cScore, int16_t cRedealsComp)
{
    if (!mKlondike::IsGameName(cGameName))
        throw RunTimeError(RunTimeError::kInvalidCall,
                           QStringLiteral("There is no game called \"%1\".").arg(cGameName));
    // The game being replaced is recorded; should that fail, the new game
    // still starts and the failure is told afterwards.
    std::exception_ptr notRecorded;
    if (status_ == kInProgress) {
        try {
            EndGame(false);
        } catch (...) {
            notRecorded = std::current_exception();
            ClearArea();
        }
    }
    if (status_ == kFinishedOnShow)
        ClearArea();
    wonRecorded_ = false;
    lostRecorded_ = false;

    paused_ = false;
    host_->showPaused(false);
    loadType_ = cLoadType;
    if (services_.settings().read(settings::kWPTimerValue) == 4)
        host_->changeBackground();
    gameName_ = cGameName;
    gameNo_ = cGameNo;
    startTime_ = dateText(services_.clock().now());
    redealsComp_ = cRedealsComp;
    time_ = cTime;
    storedScore_ = cScore;

    games_.setRunningGameName(gameName_);
    mKlondike::LoadGameDefinition(games_, gameName_);
    play_.ClearAll();
    play_.Init(gameNo_);

    switch (loadType_) {
    case kIncompleteFile:
    case kPendingGame:
        engine_.RedoAll(0);
        // The redeals the game has used stay used.
        play_.restoreRedeals(engine_.redealsInEffect());
        break;
    case kFinishedFile:
        status_ = kFinishedOnShow;
        host_->startReplay();
        keeper_->gameChanged();
        if (notRecorded)
            std::rethrow_exception(notRecorded);
        return;
    default:
        engine_.ClearTRANS();
        // Cards that may go home at once do so; the session counts as in
        // play for that.
        status_ = kInProgress;
        play_.AutoMoveCheck();
        break;
    }

    func_.AddtoMRU(cFunc::kPlayedList, gameName_ + QLatin1String(" - ") + gameNo_.toString());
    host_->refreshRecentMenus();
    running_ = true;
    host_->setGameClock(true);
    setLastGName(gameName_);
    status_ = kInProgress;
    keeper_->gameChanged();
    if (notRecorded)
        std::rethrow_exception(notRecorded);
}

void cGamePlay::PlayNumber(const QString& gName, const GameNo& gNo) { StartGame(gName, gNo, kNewDeal, 0, 0, 0); }

GameNo cGamePlay::RandomGameNo() const
{
    const int32_t digits = services_.settings().read(settings::kRangeIndex);
    const auto draw = [&] {
        const double r = std::uniform_real_distribution<double>(0.0, 1.0)(services_.random());
        const double n = std::floor(std::pow(10.0, std::clamp(digits, 0, 15)) * r);
        return GameNo(n < 1 ? 1.0 : n);
    };
    // Many numbers deal the same cards: a number whose deal the player met
    // lately in the game on the table (or the last one played) is drawn
    // again, a few times at most, so that a small range still gives one.
    const QString game = status_ != kNoGame ? gameName_ : LastGName();
    if (!mKlondike::IsGameName(game))
        return draw();
    std::set<QString> met = dealsMet(services_, data_, engine_, game);
    if (status_ != kNoGame)
        met.insert(dealtCards(game, gameNo_));
    GameNo number = draw();
    for (int i = 1; i < kFreshDraws && met.count(dealtCards(game, number)) > 0; ++i)
        number = draw();
    return number;
}

void cGamePlay::PlayRandom(const QString& gName)
{
    const QString name = gName.isEmpty() ? LastGName() : gName;
    if (services_.settings().read(settings::kWinnableDeals) != 1 || !mKlondike::IsGameName(name)) {
        StartGame(name, RandomGameNo(), kNewDeal, 0, 0, 0);
        return;
    }
    // Numbers are drawn until the solver wins one; a few seconds at most.
    constexpr uint64_t kBudget = 300'000;
    const solver::WinnableDraw draw = solver::drawWinnable(
        name, [this] { return RandomGameNo(); }, services_.settings().read(settings::kAutoPlay) != 0, winnableWithin_,
        kBudget);
    StartGame(name, draw.number, kNewDeal, 0, 0, 0);
    if (!draw.proven)
        host_->showStatusMessage(
            QStringLiteral("No deal that can be won was found in time; this one may not be winnable."));
}

void cGamePlay::Restart() { StartGame(gameName_, gameNo_, kNewDeal, 0, 0, 0); }

void cGamePlay::PlayString(const QString& gNameNo)
{
    const qsizetype p = gNameNo.indexOf(QLatin1Char('-')) + 1;
    if (p < 2)
        throw RunTimeError(RunTimeError::kInvalidCall,
                           QStringLiteral("\"%1\" is not a game name and number.").arg(gNameNo));
    const QString name = gNameNo.left(p - 2);
    const std::optional<GameNo> number = GameNo::fromText(gNameNo.right(gNameNo.size() - p - 1));
    if (!number)
        throw RunTimeError(RunTimeError::kInvalidCall,
                           QStringLiteral("\"%1\" is not a game name and number.").arg(gNameNo));
    StartGame(name, *number, kNewDeal, 0, 0, 0);
}

void cGamePlay::PlayFile(const QString& fName, bool bRecent)
{
    // The whole file is read and checked before the game on the table ends.
    const mFile::GameFile file = mFile::ReadGameFile(fName);
    if (status_ == kInProgress)
        EndGame(false);
    engine_.loadRecords(file.records);
    if (bRecent) {
        func_.AddtoMRU(cFunc::kOpenedList, fName);
        host_->refreshRecentMenus();
    }
    const int32_t type = mFile::IsFinishedFile(fName, data_) ? kFinishedFile : kIncompleteFile;
    StartGame(file.summary.gameName, file.summary.gameNo, type, file.summary.time, file.summary.score, 0);
}

void cGamePlay::PlayPendFile(const QString& fName, const QString& progressFile)
{
    // The pending game being played is on the table already.
    if (playingPendingFile() == fName)
        return;
    const mFile::GameFile file = mFile::ReadGameFile(progressFile.isEmpty() ? fName : progressFile);
    if (status_ == kInProgress)
        EndGame(false);
    pendingFile_ = fName;
    engine_.loadRecords(file.records);
    host_->markPendingPlaying(fName);
    // Its file stays in the pending folder while it is played, so that
    // nothing is lost should the program not end normally; every normal
    // end writes the progress back over it, and winning removes it.
    StartGame(file.summary.gameName, file.summary.gameNo, kPendingGame, file.summary.time, file.summary.score, 0);
}

void cGamePlay::AddToPending()
{
    if (loadType_ == kPendingGame) {
        services_.prompts().message(
            QStringLiteral("This game is already in Pending List. Once added, the game will remain in Pending List "
                           "till you finish it or delete it."),
            Prompts::Icon::Information, Prompts::Buttons::Ok);
        return;
    }
    pendingList::SavePending(services_, data_, engine_);
    host_->refreshPendingMenu();
    ClearArea();
    services_.sounds().raise(SoundEvent::AddPend);
}

void cGamePlay::PlayFavFile(const QString& fName)
{
    const mFile::FavoriteRecord favorite = mFile::ReadFavoriteFile(fName);
    StartGame(favorite.gameName, favorite.gameNo, kNewDeal, 0, 0, 0);
}

void cGamePlay::PauseGame(bool mEnable)
{
    paused_ = mEnable;
    host_->setGameClock(!mEnable);
    host_->showPaused(mEnable);
}

void cGamePlay::EndGame(bool bTerminate)
{
    // Every step is taken even when one before it failed; the first failure
    // is raised once they are all done.
    std::exception_ptr failure;
    const auto step = [&](const auto& action) {
        try {
            action();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    bool leftPending = false;
    if (wonRecorded_) {
        // Recorded, and kept, when it was won.
    } else if (loadType_ == kPendingGame) {
        step([&] { archive_->SaveBackPending(pendingFile_); });
        leftPending = true;
    } else {
        step([&] {
            scores_->AddScore(0);
            lostRecorded_ = true;
        });
        // Recorded: no copy kept for a crash may bring it back to be
        // recorded again.
        step([&] { keeper_->gameChanged(); });
        if (!bTerminate)
            step([&] { scores_->AddSesGame(0); });
        step([&] { archive_->AutoSaveGame(false); });
    }
    if (!bTerminate)
        ClearArea();
    // Once the table is cleared, the list no longer marks the game as the
    // one being played.
    if (leftPending)
        step([&] { host_->refreshPendingMenu(); });
    if (failure)
        std::rethrow_exception(failure);
}

void cGamePlay::ClearArea()
{
    host_->setGameClock(false);
    running_ = false;
    status_ = kNoGame;
    pendingFile_.clear();
    play_.ClearAll();
    time_ = 0;
    storedScore_ = 0;
    redealsComp_ = 0;
    paused_ = false;
    host_->showPaused(false);
    loadType_ = kNewDeal;
    wonRecorded_ = false;
    lostRecorded_ = false;
    keeper_->gameChanged();
}

void cGamePlay::Unload()
{
    services_.settings().write(settings::kUnFin, 0);
    if (status_ != kInProgress || wonRecorded_)
        return;
    if (loadType_ == kPendingGame) {
        EndGame(true);
    } else if (services_.settings().read(settings::kGameSave) == 1) {
        engine_.SavetoFile(data_.UnFinFile());
        services_.settings().write(settings::kUnFin, 1);
    } else {
        EndGame(true);
    }
}

QString cGamePlay::TimeString(int32_t seconds) { return timeText(seconds); }

QString cGamePlay::TimeString() const { return TimeString(time_); }

int16_t cGamePlay::Score() const
{
    if (!running_)
        return storedScore_;
    const double g = engine_.TotalGoalCards();
    return figure(g * 10.0 - (time_ / 3.0 + Moves() / 2.0));
}

int16_t cGamePlay::Moves() const { return engine_.GetTransID(); }

int16_t cGamePlay::Percentage() const
{
    const int16_t total = games_.TotalCards();
    if (total <= 0)
        return 0;
    return figure(engine_.TotalGoalCards() * 100.0 / total);
}

int16_t cGamePlay::CardsLeft() const { return static_cast<int16_t>(games_.TotalCards() - engine_.TotalGoalCards()); }

QString cGamePlay::LastGName() const { return services_.settings().read(settings::kLastGName); }

void cGamePlay::setLastGName(const QString& name) { services_.settings().write(settings::kLastGName, name); }

QString cGamePlay::TitleText() const
{
    const QString title = data_.ProdName();
    if (status_ == kNoGame)
        return title;
    SettingsStore& store = services_.settings();
    QString caption = title + QLatin1String(" [") + gameName_ + QLatin1String(" - ") + gameNo_.toString() +
                      QLatin1String("] [") + store.read(settings::kCurPlayer) + QLatin1Char(']');
    QString figures;
    if (store.read(settings::kShowTime) == 1)
        figures += QLatin1String("Time:") + TimeString() + QLatin1Char(' ');
    if (store.read(settings::kShowScore) == 1)
        figures += QLatin1String("Score:") + QString::number(Score()) + QLatin1Char(' ');
    if (store.read(settings::kShowMoves) == 1)
        figures += QLatin1String("Moves:") + QString::number(Moves()) + QLatin1Char(' ');
    if (store.read(settings::kShowCardsLeft) == 1)
        figures += QLatin1String("Cards Left:") + QString::number(CardsLeft()) + QLatin1Char(' ');
    if (!figures.isEmpty()) {
        figures.chop(1);
        caption += QLatin1String(" [") + figures + QLatin1Char(']');
    }
    if (loadType_ == kPendingGame)
        caption += QLatin1String(" [Pending List Game]");
    if (loadType_ == kFinishedFile)
        caption += QLatin1String(" [Finished Game]");
    if (paused_)
        caption += QLatin1String(" [Game Paused]");
    return caption;
}

void cGamePlay::Update_Title() { host_->setCaption(TitleText()); }

QStringList cGamePlay::StatusTexts() const
{
    if (status_ == kNoGame)
        return {};
    const SettingsStore& store = services_.settings();
    QStringList texts;
    if (store.read(settings::kShowTime) == 1)
        texts << QStringLiteral("Time: ") + TimeString();
    if (store.read(settings::kShowScore) == 1)
        texts << QStringLiteral("Score: ") + QString::number(Score());
    if (store.read(settings::kShowMoves) == 1)
        texts << QStringLiteral("Moves: ") + QString::number(Moves());
    if (store.read(settings::kShowCardsLeft) == 1)
        texts << QStringLiteral("Cards Left: ") + QString::number(CardsLeft());
    if (games_.Piles(Cell::Stock) > 0)
        texts << QStringLiteral("Stock: ") + QString::number(play_.GetTop(Cell::Stock, 0) + 1);
    if (games_.StockNum() == 2 && games_.Redeals() >= 0)
        texts << QStringLiteral("Redeals Left: ") + QString::number(std::max(0, games_.Redeals() - redealsComp_));
    if (paused_)
        texts << QStringLiteral("Paused");
    return texts;
}
