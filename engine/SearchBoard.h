// The working types of the solver's backtracking search: sets of cells, the bit-sliced
// search board and the frames of the search stack. Only the engine's sources include this.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/Board.h"

namespace search {

// A set of cells: bit i (cell index y * 9 + x) of the 128 bits lo (cells 0..63), hi (64..80).
struct CellSet {
    uint64_t lo = 0;
    uint64_t hi = 0;
};

constexpr CellSet operator&(CellSet a, CellSet b) {
    return {a.lo & b.lo, a.hi & b.hi};
}
constexpr CellSet operator|(CellSet a, CellSet b) {
    return {a.lo | b.lo, a.hi | b.hi};
}
constexpr CellSet operator^(CellSet a, CellSet b) {
    return {a.lo ^ b.lo, a.hi ^ b.hi};
}
constexpr CellSet operator~(CellSet a) {
    return {~a.lo, ~a.hi};
}
constexpr bool Any(CellSet a) {
    return (a.lo | a.hi) != 0;
}
constexpr CellSet Single(int i) {
    return i < 64 ? CellSet{uint64_t{1} << i, 0} : CellSet{0, uint64_t{1} << (i - 64)};
}
// The lowest cell of a non-empty set: the first in row order.
inline int First(CellSet a) {
    return a.lo != 0 ? std::countr_zero(a.lo) : 64 + std::countr_zero(a.hi);
}

// The search works on candidate sets alone: for each digit index k (digit - 1) the set of
// cells where the digit is still a candidate, the set of empty cells, and the number of
// candidates of every cell, bit-sliced: bit b of cell i's count is bit i of count[b]. Four
// planes hold counts up to 15; a cell has at most 9. Only the entries of empty cells are
// meaningful.
struct SearchBoard {
    CellSet cands[CBoard::kSize];
    CellSet empty;
    CellSet count[4];
};

}  // namespace search

// One frame of the backtracking search: the frame's cell, the digit indices (digit - 1) not
// yet tried there and the search board when the frame was made. The board is kept only in
// frames with two or more candidates: a frame with one candidate is never returned to for a
// second try.
struct CBoard::SolveInfo {
    search::SearchBoard board;
    uint8_t cands[kSize];
    int16_t candCount = 0;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t tried = 0;   // the digit index of the last try
    bool fresh = false;  // no try yet: the search board is still the frame's own
};
