#pragma once

#include <cstdint>

// Where card moves are recorded: the move history appends one transaction per
// move that the history itself did not make, and ties the moves made between
// StartMulti and EndMulti into one step of undo and redo. Pairs nest; only the
// outermost EndMulti closes the group.
class MoveRecorder {
public:
    virtual ~MoveRecorder() = default;
    virtual void SaveTrans(int16_t picID, int16_t dCell, int16_t dPile, int16_t dPos, int16_t mCards, int32_t tMod) = 0;
    virtual void StartMulti() = 0;
    virtual void EndMulti() = 0;
};
