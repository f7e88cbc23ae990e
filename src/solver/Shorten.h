#pragma once

#include "solver/Solver.h"

#include <cstdint>
#include <vector>

namespace solver {

// A line that wins from `start` as `line` does, as short as a bounded
// search finds: positions the line comes back to are cut out, and from
// every table on the line a few moves are tried to see whether they reach
// a table further on sooner (or a win). At most `positionBudget` positions
// are made on the way. The result is played through on a copy of `start`
// before it is given back; `line` itself comes back when nothing shorter is
// found, or when `line` does not win from `start`.
std::vector<Move> shortenLine(const Table& start, const std::vector<Move>& line, uint64_t positionBudget);

} // namespace solver
