// What happens outside a drag: dealing from the stock, turning the waste back,
// automatic play to the foundations, clearing completed runs and noticing a
// won game. Every card travels through MoveCard, so all of it is recorded and
// can be undone.

#include "engine/MoveHooks.h"
#include "engine/Services.h"
#include "engine/cPlay.h"
#include "rules/Card.h"
#include "rules/Int16.h"
#include "rules/RuleCodes.h"
#include "rules/cGames.h"

namespace {
// Cards in a completed run.

// Ties the moves made while it lives into one step of undo and redo.
class MoveGroup {
public:
    explicit MoveGroup(MoveRecorder* recorder) : recorder_(recorder)
    {
        if (recorder_ != nullptr)
            recorder_->StartMulti();
    }
    ~MoveGroup()
    {
        if (recorder_ != nullptr)
            recorder_->EndMulti();
    }
    MoveGroup(const MoveGroup&) = delete;
    MoveGroup& operator=(const MoveGroup&) = delete;

private:
    MoveRecorder* recorder_;
};

} // namespace

void cPlay::StockClick()
{
    runAction([&] {
        const cGames& games = games_;
        if (games.StockType() == StockType::TopPlayable || stockEmpty())
            return;
        if (games.StockMove() != StockMove::DealToHome) {
            MoveCard(GetTopPicID(Cell::Stock, 0), 2, 0, int16::add(GetTop(Cell::Waste, 0), 1), kMoveStockDeal,
                     cardSteps(), 0, kFaceUp);
            return;
        }
        // One card to every home pile, empty ones included, as one step.
        MoveGroup group(recorder_);
        for (int16_t pile = 0; pile < games.Piles(Cell::Home) && !stockEmpty(); ++pile)
            MoveCard(GetTopPicID(Cell::Stock, 0), 0, pile, int16::add(GetTop(Cell::Home, pile), 1), kMoveStockDeal,
                     cardSteps(), 0, kFaceUp);
    });
}

void cPlay::EmptyStockClick()
{
    const cGames& games = games_;
    PlaySession& session = services_.session();
    // A finished game replaying itself, or an empty table, is not to be
    // played on: a redeal would cut the replay's moves off the history.
    if (!session.Game_Running() || games.StockNum() != Redeal::Allowed)
        return;
    if (games.Redeals() == Redeal::kUnlimited || session.RedealsComp() < games.Redeals())
        RedealWS();
}

void cPlay::RedealWS()
{
    runAction([&] { redeal(); });
}

void cPlay::redeal()
{
    cGames& games = games_;
    PlaySession& session = services_.session();
    session.setRedealsComp(int16::add(session.RedealsComp(), 1));
    {
        // The waste's top card goes first, so the stock is in its first order
        // again.
        MoveGroup group(recorder_);
        const int16_t count = int16::add(GetTop(Cell::Waste, 0), 1);
        for (int16_t i = 0; i < count; ++i)
            MoveCard(GetTopPicID(Cell::Waste, 0), 1, 0, int16::add(GetTop(Cell::Stock, 0), 1), kMoveWasteBack,
                     cardSteps(), 0, kFaceDown);
    }
    if (session.RedealsComp() == games.Redeals())
        endRedeals();
}

void cPlay::restoreRedeals(int16_t made)
{
    services_.session().setRedealsComp(made);
    if (games_.StockNum() == Redeal::Allowed && games_.Redeals() != Redeal::kUnlimited && made >= games_.Redeals())
        endRedeals();
}

void cPlay::endRedeals()
{
    services_.surface().showMarker(CardSurface::Marker::Stock, 0, kMarkerNoRedeal, cord(Cell::Stock, 0, 0));
    games_.setStockNum(Redeal::NoneLeft);
}

int16_t cPlay::StockMarker() const
{
    return stockEmpty() && GetTop(Cell::Waste, 0) < 0 ? kMarkerNoRedeal : kMarkerRedeal;
}

void cPlay::AutoMoveCheck()
{
    runAction([&] {
        if (services_.session().Game_Status() != 1)
            return;
        const cGames& games = games_;
        if (games.spiderRules()) {
            for (int16_t pile = 0; pile < games.Piles(Cell::Home); ++pile)
                clearCompletedRun(pile);
            return;
        }
        if (games.DisAutoPlay() == -1 || services_.settings().read(settings::kAutoPlay) == 0)
            return;

        // The first card that goes up ends this pass; its own move runs the
        // next one.
        for (int16_t pile = 0; pile < games.Piles(Cell::Home); ++pile)
            if (GetTop(Cell::Home, pile) >= 0 && autoPlayToFoundation(GetTopPicID(Cell::Home, pile)))
                return;
        for (int16_t pile = 0; pile < games.Piles(Cell::Reserve); ++pile)
            if (GetTop(Cell::Reserve, pile) >= 0 && autoPlayToFoundation(GetTopPicID(Cell::Reserve, pile)))
                return;
        if (GetTop(Cell::Waste, 0) >= 0 && autoPlayToFoundation(GetTopPicID(Cell::Waste, 0)))
            return;
        if (games.StockType() == StockType::TopPlayable && !stockEmpty())
            autoPlayToFoundation(GetTopPicID(Cell::Stock, 0));
    });
}

bool cPlay::autoPlayToFoundation(int16_t mPicID)
{
    // A full foundation takes nothing: the card goes on to the next one that
    // matches.
    for (int16_t f = 0; f < games_.Piles(Cell::Foundation); ++f) {
        if (!CanGoToFoundation(mPicID, f))
            continue;
        services_.sounds().raise(SoundEvent::AutoPlay);
        // The chain of moves this starts is one step of undo, however deep
        // it goes.
        MoveGroup group(recorder_);
        MoveCard(mPicID, Cell::Foundation, f, int16::add(GetTop(Cell::Foundation, f), 1), kMovePlayer, cardSteps(), 0,
                 kFaceUp);
        return true;
    }
    return false;
}

void cPlay::clearCompletedRun(int16_t pile)
{
    const cGames& games = games_;
    const int16_t t = GetTop(Cell::Home, pile);
    if (t < card::kRunLength - 1)
        return;
    // A run is cleared with its foundation base rank on top.
    const int16_t topCard = GetPicID(Cell::Home, pile, t);
    if (Num(topCard) != baseRank_)
        return;
    const int32_t order = games.Order(Cell::Foundation, 0);
    const bool wrap = games.AK(Cell::Home) != 0;
    // Walk down while each card below is buildable on the one above it.
    for (int16_t c = t; c > 0; --c) {
        if (!CanBuild(GetPicID(Cell::Home, pile, c), GetPicID(Cell::Home, pile, int16::sub(c, 1)), order, wrap))
            return;
        if (t - c != card::kRunLength - 2)
            continue;
        int16_t d = SuitPile(topCard);
        if (games.GoalDiv() != 0)
            d = int16::rem(d, games.GoalDiv());
        MoveGroup group(recorder_);
        for (int16_t i = 0; i < card::kRunLength && services_.session().Game_Running(); ++i)
            MoveCard(GetTopPicID(Cell::Home, pile), 3, d, int16::add(GetTop(Cell::Foundation, d), 1), kMovePlayer,
                     cardSteps(), 0, kFaceUp);
        return;
    }
}

int16_t cPlay::GoalCards() const
{
    int16_t total = 0;
    for (int16_t pile = 0; pile < 8; ++pile)
        total = int16::add(total, int16::add(GetTop(Cell::Foundation, pile), 1));
    return total;
}

void cPlay::endCheck()
{
    // A game is won once: cards taken down and put back up again (undo and
    // redo) do not win it a second time.
    if (GoalCards() != games_.TotalCards() || wonTold_)
        return;
    wonTold_ = true;
    wonPending_ = true;
}

void cPlay::finishAction()
{
    if (--actionDepth_ > 0 || !wonPending_)
        return;
    wonPending_ = false;
    services_.session().GameWon();
}

void cPlay::abandonAction()
{
    if (--actionDepth_ > 0)
        return;
    // Nothing is reported from a move that failed half-way; the next
    // completed move checks again.
    if (wonPending_) {
        wonPending_ = false;
        wonTold_ = false;
    }
}
