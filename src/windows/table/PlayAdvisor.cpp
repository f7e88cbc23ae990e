#include "windows/table/PlayAdvisor.h"

#include "engine/Suits.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/table/TableView.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLoggingCategory>

#include <algorithm>
#include <exception>
#include <utility>

Q_LOGGING_CATEGORY(lcAdvisor, "tablora.advisor")

const QString PlayAdvisor::kChecking = QStringLiteral("Checking\u2026");
const QString PlayAdvisor::kWinnable = QStringLiteral("Winnable");
const QString PlayAdvisor::kNotWinnable = QStringLiteral("Not winnable");
const QString PlayAdvisor::kUnknown = QStringLiteral("Unknown");
const QString PlayAdvisor::kWon = QStringLiteral("Won");
const QString PlayAdvisor::kNoMoves = QStringLiteral("No moves left.");

namespace {

// "7♥", "10♣", "K♠".
QString cardText(const cPlay& play, int16_t card)
{
    const int16_t rank = play.Num(card);
    const int16_t suit = play.Suit(card);
    QString text =
        rank >= 0 && rank < 13 ? QLatin1String(suits::kRankNames[static_cast<size_t>(rank)]) : QStringLiteral("?");
    if (suit >= suits::kSpades && suit <= suits::kDiamonds)
        text += QChar(suits::kSigns[static_cast<size_t>(suit)]);
    return text;
}

// Where a card goes, as the player sees the place now.
QString destinationText(const cPlay& play, int16_t cell, int16_t pile)
{
    switch (cell) {
    case Cell::Foundation: return QStringLiteral("to a foundation");
    case Cell::Reserve: return QStringLiteral("to the reserve");
    case Cell::Waste: return QStringLiteral("to the waste");
    default: break;
    }
    const int16_t top = play.GetTop(cell, pile);
    if (top < 0)
        return QStringLiteral("to an empty pile");
    const int16_t under = play.GetPicID(cell, pile, top);
    if (play.FaceMode(under) != cPlay::kFaceUp)
        return QStringLiteral("to pile %1").arg(pile + 1);
    return QStringLiteral("onto ") + cardText(play, under);
}

} // namespace

PlayAdvisor::PlayAdvisor(Shared& shared, TableView& table, QLabel& indicator, std::function<void(const QString&)> tell,
                         std::function<bool()> held, QObject* parent)
    : QObject(parent), shared_(shared), table_(table), indicator_(indicator), tell_(std::move(tell)),
      held_(std::move(held)), checkLimits_{kNoPositionsCap, kCheckTime, nullptr}, deeperLimits_{kNoPositionsCap,
                                                                                                kDeeperTime, nullptr},
      check_(shared.services, [this](uint64_t, const solver::Result& result) { checked(result); }),
      deeper_(
          shared.services, [this](uint64_t, const solver::Result& result) { searchedDeeper(result); },
          BackgroundSolver::Priority::Low)
{
    indicator_.setToolTip(QStringLiteral("Whether all the cards can still be brought home from here, as far as a "
                                         "search can tell"));
    // As wide as its widest text, in bold: the status bar does not shift as
    // the answer changes.
    QFont bold = indicator_.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (const QString& text : {kChecking, kWinnable, kNotWinnable, kUnknown, kWon})
        widest = std::max(widest, metrics.horizontalAdvance(text));
    // A pixel each side to spare for the rounding of bold text.
    const QMargins margins = indicator_.contentsMargins();
    indicator_.setMinimumWidth(widest + margins.left() + margins.right() + 2);
    indicator_.hide();
}

PlayAdvisor::~PlayAdvisor() { stop(); }

void PlayAdvisor::stop()
{
    stopped_ = true;
    hintWanted_ = false;
    check_.stop();
    deeper_.stop();
}

void PlayAdvisor::setSearchLimits(const solver::Limits& check, const solver::Limits& deeper)
{
    checkLimits_ = check;
    deeperLimits_ = deeper;
}

bool PlayAdvisor::autoPlay() const
{
    return shared_.games.DisAutoPlay() != -1 && shared_.services.settings().read(settings::kAutoPlay) != 0;
}

solver::Table PlayAdvisor::snapshot() const
{
    return solver::Table::of(shared_.games, shared_.play, shared_.gamePlay.RedealsComp(), autoPlay());
}

bool PlayAdvisor::won() const
{
    return shared_.gamePlay.wonRecorded() || shared_.play.GoalCards() == shared_.games.TotalCards();
}

void PlayAdvisor::forget()
{
    if (check_.searching())
        check_.cancel();
    if (deeper_.searching())
        deeper_.cancel();
    searchedTable_.reset();
    result_.reset();
    line_.clear();
    unsupported_ = false;
    hintWanted_ = false;
}

void PlayAdvisor::setIndicator(const QString& text)
{
    if (indicator_.text() == text)
        return;
    indicator_.setText(text);
    // A clear answer in colour; no answer in the plain text colour.
    if (text == kWinnable || text == kWon)
        indicator_.setStyleSheet(QStringLiteral("color: #1d7a24; font-weight: bold;"));
    else if (text == kNotWinnable)
        indicator_.setStyleSheet(QStringLiteral("color: #b3261e; font-weight: bold;"));
    else
        indicator_.setStyleSheet(QString());
    emit verdictShown(text);
}

void PlayAdvisor::tableChanged()
{
    if (stopped_)
        return;
    const bool inPlay = shared_.gamePlay.Game_Status() == cGamePlay::kInProgress;
    if (indicator_.isHidden() == inPlay)
        indicator_.setHidden(!inPlay);
    if (!inPlay) {
        forget();
        return;
    }
    // A card in the player's hand, or a history step under way: the table
    // is looked at once it is put down.
    if (shared_.services.busy || shared_.play.drag().active)
        return;
    // The game stays on the table while its end is shown.
    if (won()) {
        forget();
        setIndicator(kWon);
        return;
    }

    const bool withAutoPlay = autoPlay();
    std::optional<solver::Table> now;
    try {
        now.emplace(snapshot());
        readFailed_ = false;
    } catch (const std::exception& e) {
        // Nothing the player did wrong, and nothing to stop play for: the
        // deal goes without a verdict.
        if (!readFailed_)
            qCWarning(lcAdvisor) << "the table could not be read for the solver:" << e.what();
        readFailed_ = true;
        forget();
        setIndicator(kUnknown);
        return;
    }
    // Games alike in their piles deal alike, yet play apart: the game is
    // part of the table.
    const QString& game = shared_.gamePlay.GameName();
    if (searchedTable_ && autoPlaySearched_ == withAutoPlay && gameSearched_ == game) {
        if (searchedTable_->sameLayout(*now))
            return;
        if (followsLine(*now)) {
            searchedTable_ = std::move(now);
            return;
        }
    }

    forget();
    if (held_ && held_()) {
        // Searched when the replay stops.
        setIndicator(kChecking);
        return;
    }
    autoPlaySearched_ = withAutoPlay;
    gameSearched_ = game;
    unsupported_ = now->unsupported();
    searchedTable_ = std::move(now);
    if (unsupported_) {
        setIndicator(kUnknown);
        return;
    }
    // Back to a table already settled: an undo, a redo, or another way to
    // the same layout.
    if (const Proved* proved = kept(*searchedTable_)) {
        const solver::Result known = proved->result;
        keep(*searchedTable_, known);
        answer(known);
        return;
    }
    setIndicator(kChecking);
    ++searchesStarted_;
    check_.start(*searchedTable_, checkLimits_);
}

bool PlayAdvisor::followsLine(const solver::Table& now)
{
    if (!result_ || line_.empty())
        return false;
    solver::Table next = *searchedTable_;
    if (!next.play(line_.front()) || !next.sameLayout(now))
        return false;
    line_.erase(line_.begin());
    result_->verdict = solver::Verdict::Winnable;
    result_->moves = line_;
    result_->bestMove.reset();
    keep(now, *result_);
    setIndicator(kWinnable);
    return true;
}

void PlayAdvisor::checked(const solver::Result& result)
{
    if (!searchedTable_)
        return;
    if (result.verdict != solver::Verdict::Unknown)
        keep(*searchedTable_, result);
    answer(result);
    // The player has not moved yet: a longer search, on a processor nothing
    // else wants, may still settle the deal.
    if (result.verdict == solver::Verdict::Unknown && !result.cancelled && !unsupported_) {
        ++searchesStarted_;
        deeper_.start(*searchedTable_, deeperLimits_);
    }
}

void PlayAdvisor::searchedDeeper(const solver::Result& result)
{
    if (!searchedTable_ || !result_)
        return;
    if (result.verdict == solver::Verdict::Unknown) {
        // Still no answer; the longer search came closer, if anywhere.
        if (result.bestMove)
            result_->bestMove = result.bestMove;
        return;
    }
    keep(*searchedTable_, result);
    answer(result);
}

bool PlayAdvisor::Proved::settles(const solver::Table& table, const QString& gameNow, bool autoPlayNow) const
{
    return autoPlay == autoPlayNow && game == gameNow && this->table.sameLayout(table);
}

void PlayAdvisor::keep(const solver::Table& table, const solver::Result& result)
{
    for (auto it = proved_.begin(); it != proved_.end(); ++it) {
        if (it->settles(table, gameSearched_, autoPlaySearched_)) {
            proved_.erase(it);
            break;
        }
    }
    proved_.push_front(Proved{gameSearched_, autoPlaySearched_, table, result});
    if (proved_.size() > kProvedKept)
        proved_.pop_back();
}

const PlayAdvisor::Proved* PlayAdvisor::kept(const solver::Table& table) const
{
    for (const Proved& proved : proved_)
        if (proved.settles(table, gameSearched_, autoPlaySearched_))
            return &proved;
    return nullptr;
}

void PlayAdvisor::answer(const solver::Result& result)
{
    result_ = result;
    if (result.verdict == solver::Verdict::Winnable)
        line_ = result.moves;
    else
        line_.clear();
    switch (result.verdict) {
    case solver::Verdict::Winnable: setIndicator(kWinnable); break;
    case solver::Verdict::NotWinnable: setIndicator(kNotWinnable); break;
    case solver::Verdict::Unknown: setIndicator(kUnknown); break;
    }
    if (hintWanted_) {
        hintWanted_ = false;
        showHint(result);
    }
}

void PlayAdvisor::hint()
{
    // Nothing to hint at with a card in the player's hand.
    if (stopped_ || shared_.gamePlay.Game_Status() != cGamePlay::kInProgress || shared_.services.busy ||
        shared_.play.drag().active)
        return;
    tableChanged();
    if (!searchedTable_) {
        // A replay running.
        if (!readFailed_)
            return;
        tell_(QStringLiteral("No hint: the table could not be read."));
        return;
    }
    if (unsupported_) {
        tell_(QStringLiteral("No hint: this table is too large to be searched."));
        return;
    }
    if (result_) {
        showHint(*result_);
        return;
    }
    hintWanted_ = true;
    tell_(QStringLiteral("Hint: looking for a move\u2026"));
}

void PlayAdvisor::showHint(const solver::Result& result)
{
    std::optional<solver::Move> move;
    if (result.verdict == solver::Verdict::Winnable && !result.moves.empty())
        move = result.moves.front();
    else
        move = result.bestMove;
    ++hintsGiven_;
    lastHint_ = move;
    if (!move) {
        table_.hideHint();
        tell_(kNoMoves);
        return;
    }
    if (move->kind == solver::Move::Kind::Drag)
        table_.showHint(table_.runRect(move->card), table_.placeRect(move->toCell, move->toPile));
    else
        table_.showHint(table_.placeRect(1, 0), QRectF());
    tell_(describe(shared_, *move));
}

QString PlayAdvisor::describe(const Shared& shared, const solver::Move& move)
{
    const cPlay& play = shared.play;
    switch (move.kind) {
    case solver::Move::Kind::Deal: return QStringLiteral("Hint: deal from the stock");
    case solver::Move::Kind::Redeal: return QStringLiteral("Hint: turn the waste back into the stock");
    case solver::Move::Kind::Drag: break;
    }
    QString text = QStringLiteral("Hint: move ") + cardText(play, move.card);
    if (move.carried == 1)
        text += QStringLiteral(" and the card on it");
    else if (move.carried > 1)
        text += QStringLiteral(" and the %1 cards on it").arg(move.carried);
    return text + QLatin1Char(' ') + destinationText(play, move.toCell, move.toPile);
}
