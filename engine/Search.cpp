// The solver's backtracking search, on bit-sliced candidate sets.
//
// The search always branches on the first cell (row order) with the fewest candidates and
// draws the digit to try at random from the digits not yet tried there. One random number is
// drawn per try, frame by frame, so a given seed always leads to the same solution.
//
// The search does not copy whole grids: it works on candidate sets alone (per digit, the set
// of cells that may still take it, with the candidate counts of all cells kept bit-sliced),
// keeps a copy of them only in frames that have a second digit to try, and derives the values
// from the digits tried along the path. A solved board is written straight into the grid (every
// working field is then 0); after a failure the path is replayed with PlaceDigit, so the
// partial board left behind is the one that trying the digits on whole grids would leave.
#include <bit>
#include <cassert>
#include <cstring>
#include <utility>

#include "engine/Board.h"
#include "engine/SearchBoard.h"

namespace {

using search::Any;
using search::CellSet;
using search::First;
using search::SearchBoard;

// The hook of the searches run on this thread (CBoard::SetSearchHook).
thread_local CBoard::SSearchHook t_searchHook;

// Sets of cells by cell index (plain arrays: the search reads them on every try, and the
// unoptimized builds the sanitizers run would call a function for each look-up otherwise).
struct SCellSets {
    CellSet of[81];
};

// kCell.of[c]: the set of cell c alone.
constexpr SCellSets kCell = [] {
    SCellSets cells{};
    for (int c = 0; c < 81; ++c) {
        cells.of[c] = c < 64 ? CellSet{uint64_t{1} << c, 0} : CellSet{0, uint64_t{1} << (c - 64)};
    }
    return cells;
}();

// kPeers.of[c]: the cells that share a row, a column or a box with cell c, c itself excluded.
constexpr SCellSets kPeers = [] {
    SCellSets peers{};
    for (int c = 0; c < 81; ++c) {
        uint64_t lanes[2] = {};
        for (int i = 0; i < 81; ++i) {
            const bool sameBox = (i % 9) / 3 == (c % 9) / 3 && (i / 9) / 3 == (c / 9) / 3;
            if (i != c && (i % 9 == c % 9 || i / 9 == c / 9 || sameBox)) {
                lanes[i / 64] |= uint64_t{1} << (i % 64);
            }
        }
        peers.of[c] = CellSet{lanes[0], lanes[1]};
    }
    return peers;
}();

// The digit indices of every digit mask, ascending, and their number.
struct SDigitList {
    uint8_t digits[CBoard::kSize];
    uint8_t count;
};
struct SDigitLists {
    SDigitList of[512];
};
constexpr SDigitLists kDigitLists = [] {
    SDigitLists lists{};
    for (unsigned m = 0; m < 512; ++m) {
        SDigitList& list = lists.of[m];
        for (unsigned k = 0; k < CBoard::kSize; ++k) {
            if ((m & (1U << k)) != 0) {
                list.digits[list.count++] = static_cast<uint8_t>(k);
            }
        }
    }
    return lists;
}();

// Among a non-empty group of empty cells whose two high planes are alike, the first cell (row
// order) of the lowest value of the two low planes (inverted: q0, q1).
int Lowest(CellSet group, CellSet q0, CellSet q1) {
    const CellSet upTo1 = group & q1;
    if (Any(upTo1)) {
        const CellSet zero = upTo1 & q0;
        return First(Any(zero) ? zero : upTo1);
    }
    const CellSet two = group & q0;
    return First(Any(two) ? two : group);
}

// The branching cell of the board: in row order, the first empty cell with the fewest
// candidates; -1 when no cell is empty.
//
// The search asks this after every placement, so no count is read cell by cell. A few word
// operations on the count planes give the set of empty cells with a given count, for all 81
// cells at once; taken in rising count, the first such set that is not empty holds the
// answer, and its lowest cell is the first in row order. A cell with one candidate (every
// plane set), by far the most frequent answer, is looked for first.
[[gnu::always_inline]] inline int FindBranch(const SearchBoard& b) {
    const CellSet* q = b.fewer;
    const CellSet upTo3 = b.empty & q[3] & q[2];
    const CellSet one = upTo3 & q[1] & q[0];
    if (Any(one)) {
        return First(one);
    }
    if (Any(upTo3)) {
        return Lowest(upTo3, q[0], q[1]);
    }
    const CellSet upTo7 = b.empty & q[3];
    if (Any(upTo7)) {
        return Lowest(upTo7, q[0], q[1]);
    }
    return Any(b.empty) ? First(b.empty) : -1;  // nine candidates
}

// The candidates of a cell as a digit mask (bit k for digit index k), one bit from each
// digit's set, highest digit first: written out for the nine digits, which the compiler would
// otherwise loop over.
template <std::size_t... K>
[[gnu::always_inline]] inline unsigned GatherBits(const SearchBoard& b, std::size_t lane,
                                                  unsigned shift, std::index_sequence<K...>) {
    unsigned mask = 0;
    ((mask =
          mask * 2 + static_cast<unsigned>((b.cands[CBoard::kSize - 1 - K][lane] >> shift) & 1U)),
     ...);
    return mask;
}
[[gnu::always_inline]] inline unsigned CandidatesOf(const SearchBoard& b, int cell) {
    return GatherBits(b, static_cast<std::size_t>(cell >> 6), static_cast<unsigned>(cell & 63),
                      std::make_index_sequence<CBoard::kSize>{});
}

// PlaceDigit on the search board, then the choice of the next branching cell: gives that
// cell, -1 when no cell is left empty, or -2 when a cell is left without a candidate (the
// board is then left as it is: the caller restores it before the next try).
[[gnu::always_inline]] inline int PlaceOnBoard(SearchBoard& b, int cell, int k) {
    b.empty ^= kCell.of[cell];
    CellSet& cands = b.cands[k];
    const CellSet lost = cands & kPeers.of[cell] & b.empty;
    cands ^= lost;
    // Lower the count of every cell that lost the digit by one, all cells at once: a
    // subtraction done bit plane by bit plane from the lowest, as on paper. The cells still
    // borrowing at a plane each flip their bit there, and those whose bit was 0 (set in the
    // inverted plane) borrow on from the next plane. A cell that borrows out of the top plane
    // had one candidate, and has none now.
    // Written out plane by plane: a loop here is left as a loop, through memory.
    CellSet* q = b.fewer;
    const CellSet borrow1 = lost & q[0];
    q[0] ^= lost;
    const CellSet borrow2 = borrow1 & q[1];
    q[1] ^= borrow1;
    const CellSet borrow3 = borrow2 & q[2];
    q[2] ^= borrow2;
    const CellSet out = borrow3 & q[3];
    q[3] ^= borrow3;
    if (Any(out)) {
        return -2;
    }
    return FindBranch(b);
}

}  // namespace

void CBoard::SetSearchHook(SSearchHook hook) {
    t_searchHook = hook;
}

int CBoard::MaskToDigits(uint32_t mask, uint8_t* digits) {
    // Every frame asks this: a table lookup and a fixed copy, where a loop over the bits would
    // end at a different point each time.
    const SDigitList& list = kDigitLists.of[mask & kAllDigits];
    std::memcpy(digits, list.digits, sizeof list.digits);
    return list.count;
}

CBoard::SolveResult CBoard::Search() {
    // The search reads the grid once and leaves it alone until it ends.
    SearchBoard board{};
    for (int i = 0; i < 81; ++i) {
        const auto m = static_cast<uint16_t>(
            static_cast<uint16_t>(m_grid.cells[i % 9][i / 9].marks) & kAllDigits);
        if (m == 0) {
            continue;
        }
        const CellSet bit = kCell.of[i];
        board.empty |= bit;
        for (unsigned rest = m; rest != 0; rest &= rest - 1) {
            board.cands[std::countr_zero(rest)] |= bit;
        }
    }
    // The counts, one bit plane at a time, by adding up the nine candidate sets; then one
    // less for every empty cell (each has a candidate), and the planes inverted.
    CellSet count[4] = {};
    for (const CellSet& c : board.cands) {
        CellSet carry = c;
        for (CellSet& plane : count) {
            const CellSet next = plane & carry;
            plane ^= carry;
            carry = next;
        }
    }
    CellSet borrow = board.empty;
    for (CellSet& plane : count) {
        const CellSet next = borrow & ~plane;
        plane ^= borrow;
        borrow = next;
    }
    for (std::size_t b = 0; b < 4; ++b) {
        board.fewer[b] = ~count[b];
    }
    const auto remaining = static_cast<std::size_t>(m_grid.emptyCount);

    // The loop keeps the stack, its depth and the generator in locals (the generator is
    // written back when the search ends): stores into the frames could otherwise be taken to
    // change them, and every try would read them again.
    SolveInfo* const stack = m_search.data();
    std::size_t depth = 0;
    CRandom random = m_random;

    // Every cell is filled: PlaceDigit leaves a cell it fills with no candidates and a count
    // of 0, and cells filled before had none, so the board is the solution's values with clear
    // working fields.
    auto solved = [&]() -> SolveResult {
        for (std::size_t j = 0; j < depth; ++j) {
            m_grid.cells[stack[j].cell % 9][stack[j].cell / 9].value =
                static_cast<uint8_t>(stack[j].tried + 1);
        }
        for (auto& column : m_grid.cells) {
            for (Cell& c : column) {
                c.candCount = 0;
                c.marks = 0;
            }
        }
        m_grid.emptyCount = 0;
        return {kSolved, 0, 0};
    };
    // The search is exhausted: the board is the one the last, failed try left behind, the
    // last tries of its first `frames` frames placed on the grid the search started from. The
    // result is the last PlaceDigit's.
    auto exhausted = [&](std::size_t frames) {
        SolveResult r{kSolved, 0, 0};
        for (std::size_t j = 0; j < frames; ++j) {
            r = PlaceDigit(stack[j].cell % 9, stack[j].cell / 9, stack[j].tried + 1);
        }
        return r;
    };
    // Takes the digit of the next try of a frame from those not yet tried there, by the
    // draw: the one at the drawn place is swapped to the end of the list and dropped from it.
    auto pick = [](SolveInfo& f, int draw) {
        const int last = f.candCount - 1;
        if (last > 0) {
            // Two candidates are by far the most frequent case; draws are never negative. The
            // swap is made even when the drawn place is the last: a branch there would be
            // mispredicted every other time.
            const int i = last == 1 ? draw & 1 : draw % f.candCount;
            std::swap(f.cands[i], f.cands[last]);
        }
        f.candCount = static_cast<int8_t>(last);
        return static_cast<int>(f.cands[last]);
    };
    // One pass of the outer loop per frame pushed, one of the inner loop per try. A try that
    // fails goes back to the nearest frame with a digit left to try, whose board it restores.
    // A cell with one candidate, most of the frames, takes its digit straight from the mask:
    // its draw decides nothing, and it keeps neither a list nor a board.
    // With kHook the hook is called before every kTriesPerHook-th try; without, the loop
    // is the same less that count.
    const SSearchHook hook = t_searchHook;
    int untilHook = kTriesPerHook;
    auto run = [&]<bool kHook>() -> SolveResult {
        int cell = FindBranch(board);
        if (cell < 0) {
            return {kNoSolution, 0, 0};
        }
        for (;;) {
            SolveInfo* f = &stack[depth++];
            f->cell = static_cast<uint8_t>(cell);
            const unsigned mask = CandidatesOf(board, cell);
            const int draw = random.Next();
            int k = 0;
            if ((mask & (mask - 1)) == 0) {
                k = std::countr_zero(mask);
                f->candCount = 0;
            } else {
                f->candCount = static_cast<int8_t>(MaskToDigits(mask, f->cands));
                f->board = board;
                k = pick(*f, draw);
            }
            for (;;) {
                if constexpr (kHook) {
                    if (--untilHook == 0) {
                        untilHook = kTriesPerHook;
                        hook.call(hook.context);
                    }
                }
                f->tried = static_cast<uint8_t>(k);
                cell = PlaceOnBoard(board, f->cell, k);
                if (cell != -2) {
                    break;
                }
                const std::size_t failDepth = depth;
                while (f->candCount == 0) {
                    if (--depth == 0) {
                        return exhausted(failDepth);
                    }
                    f = &stack[depth - 1];
                }
                board = f->board;
                k = pick(*f, random.Next());
            }
            if (depth == remaining) {
                return solved();
            }
            assert(cell >= 0);  // an empty cell is left, and every empty cell has a candidate
        }
    };
    const SolveResult r =
        hook.call != nullptr ? run.template operator()<true>() : run.template operator()<false>();
    m_random = random;
    m_searchDepth = 0;
    return r;
}
