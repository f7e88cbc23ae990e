#include "history/cEngine.h"

#include "engine/Services.h"
#include "engine/cPlay.h"
#include "history/mFile.h"
#include "rules/RunTimeError.h"

namespace {

// Sets the program-wide busy flag for one history step, and clears it however
// the step ends.
class BusyStep {
public:
    explicit BusyStep(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyStep() { busy_ = false; }
    BusyStep(const BusyStep&) = delete;
    BusyStep& operator=(const BusyStep&) = delete;

private:
    bool& busy_;
};

// Undo and redo are heard only at the slower animation speeds.
constexpr int16_t kAudibleAbove = 3;
constexpr int16_t kGroupSpeed = 2;

} // namespace

cEngine::cEngine(cPlay& play, Services& services) : play_(play), services_(services) { ClearTRANS(); }

void cEngine::ClearTRANS()
{
    transID_ = 0;
    transTop_ = 0;
    records_.assign(static_cast<size_t>(kCapacityStep) + 1, Transaction{});
    multi_ = 0;
    multiDepth_ = 0;
}

const cEngine::Transaction& cEngine::Record(int16_t i) const
{
    // The array holds up to 32768 records with the dummy, one more than a
    // 16-bit index counts: compare in the size's own type.
    if (i < 0 || static_cast<size_t>(i) >= records_.size())
        throw RunTimeError::subscript();
    return records_[static_cast<size_t>(i)];
}

void cEngine::SaveTrans(int16_t picID, int16_t dCell, int16_t dPile, int16_t dPos, int16_t mCards, int32_t tMod)
{
    if (transID_ >= kMaxRecords)
        throw RunTimeError(
            RunTimeError::kOverflow,
            QStringLiteral("This game has reached the limit of 32767 moves; no more moves can be made."));
    const int16_t id = static_cast<int16_t>(transID_ + 1);
    if (id > Capacity())
        records_.resize(static_cast<size_t>(std::min<int32_t>(Capacity() + kCapacityStep, kMaxRecords)) + 1);

    const cPlay& play = play_;
    records_[static_cast<size_t>(id)] = Transaction{
        picID, play.Cell(picID), play.Pile(picID), play.Pos(picID), dCell, dPile, dPos, mCards, tMod, multi_};
    transID_ = id;
    transTop_ = id;
}

bool cEngine::Undo(int16_t& Speed)
{
    if (services_.busy || transID_ < 1)
        return false;
    cPlay& play = play_;
    while (transID_ >= 1) {
        {
            BusyStep busy(services_.busy);
            const Transaction r = records_[static_cast<size_t>(transID_)];
            if (r.Multi == 1)
                Speed = kGroupSpeed;
            if (Speed > kAudibleAbove)
                services_.sounds().raise(SoundEvent::Undo);
            if (r.tMod == cPlay::kMoveUncovered)
                play.ChangeFaceMode(play.GetPicID(r.SCell, r.SPile, static_cast<int16_t>(r.SPos - 1)),
                                    cPlay::kFaceDown);
            play.MoveCard(r.PicID, r.SCell, r.SPile, r.SPos, cPlay::kMoveHistory, Speed, r.mCards, cPlay::kFaceUp);
            if (r.tMod == cPlay::kMoveStockDeal)
                play.ChangeFaceMode(r.PicID, cPlay::kFaceDown);
            else if (r.tMod == cPlay::kMoveWasteBack)
                play.ChangeFaceMode(r.PicID, cPlay::kFaceUp);
            --transID_;
        }
        if (records_[static_cast<size_t>(transID_)].Multi != 1)
            return true;
    }
    return true;
}

bool cEngine::Redo(int16_t& Speed)
{
    if (services_.busy)
        return false;
    cPlay& play = play_;
    while (transID_ != transTop_) {
        BusyStep busy(services_.busy);
        if (records_[static_cast<size_t>(transID_)].Multi == 1)
            Speed = kGroupSpeed;
        ++transID_;
        const Transaction r = records_[static_cast<size_t>(transID_)];
        if (Speed > kAudibleAbove)
            services_.sounds().raise(SoundEvent::Redo);
        applyForward(play, r, Speed);
        if (r.Multi != 1)
            return true;
    }
    return false;
}

void cEngine::applyForward(cPlay& play, const Transaction& r, int16_t speed)
{
    play.MoveCard(r.PicID, r.DCell, r.DPile, r.DPos, cPlay::kMoveHistory, speed, r.mCards, cPlay::kFaceUp);
    if (r.tMod == cPlay::kMoveUncovered)
        play.ChangeFaceMode(play.GetPicID(r.SCell, r.SPile, static_cast<int16_t>(r.SPos - 1)), cPlay::kFaceUp);
    if (r.tMod == cPlay::kMoveStockDeal)
        play.ChangeFaceMode(r.PicID, cPlay::kFaceUp);
    else if (r.tMod == cPlay::kMoveWasteBack)
        play.ChangeFaceMode(r.PicID, cPlay::kFaceDown);
}

int16_t cEngine::redealsInEffect() const
{
    int16_t redeals = 0;
    for (int32_t i = 1; i <= transID_; ++i)
        if (records_[static_cast<size_t>(i)].tMod == cPlay::kMoveWasteBack &&
            records_[static_cast<size_t>(i - 1)].tMod != cPlay::kMoveWasteBack)
            ++redeals;
    return redeals;
}

std::vector<cEngine::Transaction> cEngine::movesInEffect() const
{
    return {records_.begin() + 1, records_.begin() + 1 + transID_};
}

void cEngine::SavetoFile(const QString& path) const
{
    const PlaySession& session = services_.session();
    mFile::GameSummary header;
    header.gameName = session.GameName();
    header.gameNo = session.gameNo();
    header.time = session.Time();
    header.moves = transID_;
    header.score = session.Score();
    header.percentage = session.Percentage();
    mFile::WriteGameFile(path, header, movesInEffect());
}

void cEngine::LoadFile(const QString& path) { loadRecords(mFile::ReadGameFile(path).records); }

void cEngine::loadRecords(const std::vector<Transaction>& records)
{
    ClearTRANS();
    if (records.size() > static_cast<size_t>(kMaxRecords))
        throw RunTimeError::overflow();
    // Capacity grows in the history's steps of 100.
    const int32_t n = static_cast<int32_t>(records.size());
    const int32_t capacity =
        std::clamp<int32_t>((n + kCapacityStep - 1) / kCapacityStep * kCapacityStep, kCapacityStep, kMaxRecords);
    records_.resize(static_cast<size_t>(capacity) + 1);
    std::copy(records.begin(), records.end(), records_.begin() + 1);
    transTop_ = static_cast<int16_t>(records.size());
    transID_ = 0;
}

void cEngine::UndoAll(int16_t Speed)
{
    while (transID_ >= 1)
        if (!Undo(Speed))
            return;
}

void cEngine::RedoAll(int16_t Speed)
{
    while (transID_ != transTop_)
        if (!Redo(Speed))
            return;
}

void cEngine::MoveTo(int16_t NewTid)
{
    if (NewTid == transID_ || NewTid > transTop_ || NewTid < 0)
        return;
    // A group is always taken whole, so the walk may end beyond NewTid; it
    // never turns back.
    int16_t speed = 0;
    if (NewTid < transID_) {
        while (NewTid < transID_)
            if (!Undo(speed))
                return;
    } else {
        while (transID_ < NewTid)
            if (!Redo(speed))
                return;
    }
}

void cEngine::StartMulti()
{
    ++multiDepth_;
    multi_ = 1;
}

void cEngine::EndMulti()
{
    if (multiDepth_ > 0)
        --multiDepth_;
    if (multiDepth_ > 0)
        return;
    records_[static_cast<size_t>(transID_)].Multi = 0;
    multi_ = 0;
}

int16_t cEngine::TotalGoalCards() const { return play_.GoalCards(); }
