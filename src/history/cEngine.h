#pragma once

#include "engine/MoveHooks.h"

#include <QString>

#include <cstdint>
#include <vector>

class cPlay;
class Services;

// The move history: one transaction per card (or run) the table moved, with
// a current position that undo and redo move back and forth. Records tied
// into a group are undone and redone as one step. Replayed moves go back
// through cPlay::MoveCard with move kind 4, which is never recorded again.
class cEngine final : public MoveRecorder {
public:
    struct Transaction {
        int16_t PicID = 0;
        int16_t SCell = 0;
        int16_t SPile = 0;
        int16_t SPos = 0;
        int16_t DCell = 0;
        int16_t DPile = 0;
        int16_t DPos = 0;
        int16_t mCards = 0;
        int32_t tMod = 0;
        int16_t Multi = 0;
    };

    static constexpr int16_t kCapacityStep = 100;
    static constexpr int16_t kMaxRecords = 32767;

    // Records the moves made on `play`; saved games take their figures from
    // the services' session.
    cEngine(cPlay& play, Services& services);

    void SaveTrans(int16_t picID, int16_t dCell, int16_t dPile, int16_t dPos, int16_t mCards, int32_t tMod) override;
    bool Undo(int16_t& Speed);
    bool Redo(int16_t& Speed);
    void UndoAll(int16_t Speed);
    void RedoAll(int16_t Speed);
    void MoveTo(int16_t NewTid);
    void ClearTRANS();

    // Makes one recorded move again on the table, with its face changes.
    static void applyForward(cPlay& play, const Transaction& r, int16_t speed);

    // Game files. Saving writes the session's figures and the moves in
    // effect; loading checks the file first (see mFile::ReadGameFile) and
    // leaves every move ready to be redone.
    void SavetoFile(const QString& path) const;
    void LoadFile(const QString& path);
    // The moves of a file that has been read and checked, none yet in
    // effect.
    void loadRecords(const std::vector<Transaction>& records);
    // The redeals among the moves in effect: each turned the waste back as
    // one run of waste-to-stock moves.
    int16_t redealsInEffect() const;
    // The moves in effect, oldest first.
    std::vector<Transaction> movesInEffect() const;

    // Groups nest: only the outermost EndMulti closes the group.
    void StartMulti() override;
    void EndMulti() override;

    int16_t GetTransID() const { return transID_; }
    int16_t GetTransTop() const { return transTop_; }
    bool UndoPossible() const { return transID_ > 0; }
    bool RedoPossible() const { return transID_ < transTop_; }
    bool MoveStarted() const { return transTop_ > 0; }
    int16_t TotalGoalCards() const;

    // Fields of record i (0 is the all-zero dummy).
    const Transaction& Record(int16_t i) const;
    int16_t PicID(int16_t i) const { return Record(i).PicID; }
    int16_t SCell(int16_t i) const { return Record(i).SCell; }
    int16_t SPile(int16_t i) const { return Record(i).SPile; }
    int16_t SPos(int16_t i) const { return Record(i).SPos; }
    int16_t DCell(int16_t i) const { return Record(i).DCell; }
    int16_t DPile(int16_t i) const { return Record(i).DPile; }
    int16_t DPos(int16_t i) const { return Record(i).DPos; }
    int16_t mCards(int16_t i) const { return Record(i).mCards; }
    int32_t tMod(int16_t i) const { return Record(i).tMod; }
    int16_t Multi(int16_t i) const { return Record(i).Multi; }
    int16_t Capacity() const { return static_cast<int16_t>(records_.size() - 1); }

private:
    cPlay& play_;
    Services& services_;
    std::vector<Transaction> records_;
    int16_t transID_ = 0;
    int16_t transTop_ = 0;
    int16_t multi_ = 0;
    int16_t multiDepth_ = 0;
};
