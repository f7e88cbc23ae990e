#pragma once

#include "solver/Solver.h"

#include <cstdint>
#include <vector>

namespace solver {

// A line that wins from `start` as `line` does, as short as a bounded
// search finds: tables the line comes back to are cut out, and from every
// table on the line a few moves are tried to see whether they reach a table
// further on sooner (or a win). Where the stock is turned one card at a time
// without limit, a search of its own for a short win comes first, and the
// drags are put in the order that spends the fewest clicks on the stock.
// At most `positionBudget` positions are made on the way (some ten to
// twenty in a hundred of the search's own, a few hundred thousand at most,
// is plenty). The result is played through on a copy of `start`
// before it is given back; `line` itself comes back when nothing shorter is
// found, or when `line` does not win from `start`.
std::vector<Move> shortenLine(const Table& start, const std::vector<Move>& line, uint64_t positionBudget);

} // namespace solver
