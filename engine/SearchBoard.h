// The working types of the solver's backtracking search: sets of cells, the bit-sliced
// search board and the frames of the search stack. Only the engine's sources include this.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/Board.h"

namespace search {

// The helpers below are forced inline: the search calls them on every try, also in the
// unoptimized builds the sanitizers run.
//
// A set of cells: bit i (cell index y * 9 + x) of the two 64-bit lanes, lane 0 for cells
// 0..63, lane 1 for 64..80. A vector of the compiler's: &, |, ^ and ~ are one instruction
// each on the 128 bits where the machine has such registers, and plain word operations
// elsewhere.
typedef uint64_t CellSet __attribute__((vector_size(16)));

[[gnu::always_inline]] inline bool Any(CellSet a) {
    return (a[0] | a[1]) != 0;
}
// The lowest cell of a non-empty set: the first in row order.
[[gnu::always_inline]] inline int First(CellSet a) {
    return a[0] != 0 ? std::countr_zero(a[0]) : 64 + std::countr_zero(a[1]);
}

// The search works on candidate sets alone: for each digit index k (digit - 1) the set of
// cells where the digit is still a candidate, the set of empty cells, and the number of
// candidates of every empty cell, less one, bit-sliced and inverted: bit b of that number for
// cell i is the complement of bit i of `fewer[b]`. Four planes hold 0..15; a cell has 1..9
// candidates, so 0..8. Only the entries of empty cells are meaningful.
//
// Counting from one candidate at 0 makes "one candidate" the cells with every plane set,
// and a cell that loses its last candidate borrows out of the top plane; keeping the planes
// inverted makes a subtraction two operations a plane.
struct SearchBoard {
    CellSet cands[CBoard::kSize];
    CellSet empty;
    CellSet fewer[4];
};

}  // namespace search

// One frame of the backtracking search: the frame's cell, the digit indices (digit - 1) not
// yet tried there and the search board when the frame was made. The board is kept only in
// frames with two or more candidates: a frame with one candidate is never returned to for a
// second try.
struct CBoard::SolveInfo {
    uint8_t cands[kSize];
    int8_t candCount = 0;
    uint8_t cell = 0;   // y * 9 + x
    uint8_t tried = 0;  // the digit index of the last try
    search::SearchBoard board;
};
