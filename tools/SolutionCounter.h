// An independent solution counter for 9 x 9 boards, used to check puzzles and the engine.
#pragma once

#include <array>
#include <cstdint>

// Counts the solutions of a board by its own backtracking (bit sets per row, column and box,
// the cell with the fewest candidates first), stopping at `limit`. Shares no code with the
// engine's solver, so that the two can check each other. Values are by cell index
// y * 9 + x, 0 for an empty cell; a board that breaks a rule has no solution.
int CountSolutions(const std::array<uint8_t, 81>& values, int limit);
