#pragma once

#include <cstdint>

// Where a card move is recorded: the move history appends one transaction per
// move that the history itself did not make.
class MoveRecorder {
public:
    virtual ~MoveRecorder() = default;
    virtual void SaveTrans(int16_t picID, int16_t dCell, int16_t dPile, int16_t dPos, int16_t mCards, int32_t tMod) = 0;
};

// What follows a move on the table: automatic play to the foundations (not
// after moves made by the history or turning the waste back), and the check
// whether the game has been won.
class MoveFollowUp {
public:
    virtual ~MoveFollowUp() = default;
    virtual void runAutoPlay() = 0;
    virtual void runEndCheck() = 0;
};
