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
#include <array>
#include <bit>
#include <cassert>
#include <utility>

#include "engine/Board.h"
#include "engine/SearchBoard.h"

namespace {

using search::CellSet;
using search::SearchBoard;
using search::Single;

// kPeers[c]: the cells that share a row, a column or a box with cell c, c itself excluded.
constexpr std::array<CellSet, 81> kPeers = [] {
    std::array<CellSet, 81> peers{};
    for (int c = 0; c < 81; ++c) {
        for (int i = 0; i < 81; ++i) {
            const bool sameBox = (i % 9) / 3 == (c % 9) / 3 && (i / 9) / 3 == (c / 9) / 3;
            if (i != c && (i % 9 == c % 9 || i / 9 == c / 9 || sameBox)) {
                peers[static_cast<std::size_t>(c)] = peers[static_cast<std::size_t>(c)] | Single(i);
            }
        }
    }
    return peers;
}();

// The branching cell of the board: in row order, the first empty cell with the fewest
// candidates; -1 when no cell is empty.
//
// The search asks this after every placement, so no count is read cell by cell. A few word
// operations on the count planes give the set of empty cells with exactly n candidates, for
// all 81 cells at once; taken in rising n, the first such set that is not empty holds the
// answer, and its lowest cell is the first in row order. Empty cells have 1..9 candidates (a
// cell left with none ends the try before a branch is chosen): bit 3 is set for 8 and 9 only,
// below 8 bit 2 parts 1..3 from 4..7, and bits 0 and 1 tell the counts of each group apart,
// the group's last count being what is left when the others are empty.
int FindBranch(const SearchBoard& b) {
    const CellSet* s = b.count;
    // Counts 1..3 first (by far the most frequent), then 4..7, then 8 and 9.
    const CellSet upTo7 = b.empty & ~s[3];
    const CellSet upTo3 = upTo7 & ~s[2];
    if (Any(upTo3)) {
        const CellSet one = upTo3 & s[0] & ~s[1];
        if (Any(one)) {
            return First(one);
        }
        const CellSet two = upTo3 & ~s[0] & s[1];
        return First(Any(two) ? two : upTo3);
    }
    const CellSet from4 = upTo7 & s[2];
    if (Any(from4)) {
        const CellSet byCount[] = {from4 & ~s[0] & ~s[1], from4 & s[0] & ~s[1],
                                   from4 & ~s[0] & s[1]};
        for (const CellSet& c : byCount) {
            if (Any(c)) {
                return First(c);
            }
        }
        return First(from4);
    }
    const CellSet eight = b.empty & ~s[0];
    if (Any(eight)) {
        return First(eight);
    }
    return Any(b.empty) ? First(b.empty) : -1;
}

// PlaceDigit on the search board, then the choice of the next branching cell: gives that
// cell, -1 when no cell is left empty, or -2 when a cell is left without a candidate (the
// board is then left as it is: the caller restores it before the next try).
int PlaceOnBoard(SearchBoard& b, int cell, int digit) {
    b.empty = b.empty & ~Single(cell);
    CellSet& cands = b.cands[digit - 1];
    const CellSet lost = cands & kPeers[static_cast<std::size_t>(cell)] & b.empty;
    cands = cands & ~lost;
    // Lower the count of every cell that lost the digit by one, all cells at once: a
    // subtraction done bit plane by bit plane from the lowest, as on paper. `borrow` holds the
    // cells still borrowing at this plane; each flips its bit there, and those whose bit was
    // 0 (now 1) borrow on from the next plane, while those whose bit was 1 are done. Every
    // cell in `lost` had the digit as a candidate, so no count drops below 0 and the borrow
    // is spent by the top plane.
    CellSet borrow = lost;
    for (CellSet& plane : b.count) {
        const CellSet next = borrow & ~plane;
        plane = plane ^ borrow;
        borrow = next;
    }
    if (Any(lost & ~(b.count[0] | b.count[1] | b.count[2] | b.count[3]))) {
        return -2;
    }
    return FindBranch(b);
}

}  // namespace

int CBoard::MaskToDigits(uint32_t mask, uint8_t* digits) {
    int n = 0;
    for (mask &= kAllDigits; mask != 0; mask &= mask - 1) {
        digits[n++] = static_cast<uint8_t>(std::countr_zero(mask));
    }
    return n;
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
        const CellSet bit = Single(i);
        board.empty = board.empty | bit;
        for (unsigned rest = m; rest != 0; rest &= rest - 1) {
            CellSet& cands = board.cands[std::countr_zero(rest)];
            cands = cands | bit;
        }
    }
    // The counts, one bit plane at a time, by adding up the nine candidate sets.
    for (const CellSet& c : board.cands) {
        CellSet carry = c;
        for (CellSet& plane : board.count) {
            const CellSet next = plane & carry;
            plane = plane ^ carry;
            carry = next;
        }
    }
    const auto remaining = static_cast<std::size_t>(m_grid.emptyCount);

    // Rebuilds the board a failed search leaves behind: the last tries of the first `depth`
    // frames, placed on the grid the search started from; gives the last PlaceDigit's result.
    auto replay = [&](std::size_t depth) {
        SolveResult r{kSolved, 0, 0};
        for (std::size_t j = 0; j < depth; ++j) {
            const SolveInfo& f = m_search[j];
            r = PlaceDigit(f.x, f.y, f.tried + 1);
        }
        return r;
    };
    auto push = [&](int cell) {
        SolveInfo& f = m_search[m_searchDepth++];
        f.x = static_cast<uint8_t>(cell % 9);
        f.y = static_cast<uint8_t>(cell / 9);
        const bool high = cell >= 64;
        const auto shift = static_cast<unsigned>(high ? cell - 64 : cell);
        unsigned mask = 0;
        for (unsigned k = 0; k < kSize; ++k) {
            const uint64_t word = high ? board.cands[k].hi : board.cands[k].lo;
            mask |= static_cast<unsigned>((word >> shift) & 1U) << k;
        }
        f.candCount = static_cast<int16_t>(MaskToDigits(mask, f.cands));
        if (f.candCount > 1) {
            f.board = board;
        }
        f.fresh = true;
    };

    m_searchDepth = 0;
    const int first = FindBranch(board);
    if (first < 0) {
        return {kNoSolution, 0, 0};
    }
    push(first);
    std::size_t lastFailDepth = 0;
    while (m_searchDepth > 0) {
        SolveInfo& f = m_search[m_searchDepth - 1];
        if (f.candCount == 0) {
            --m_searchDepth;
            continue;
        }
        if (!f.fresh) {
            board = f.board;
        }
        f.fresh = false;
        const int draw = m_random.Next();
        const int last = f.candCount - 1;
        if (last > 0) {
            const int i = draw % f.candCount;
            if (i != last) {
                std::swap(f.cands[i], f.cands[last]);
            }
        }
        f.tried = f.cands[last];
        f.candCount = static_cast<int16_t>(last);
        const int next = PlaceOnBoard(board, f.y * 9 + f.x, f.tried + 1);
        if (next == -2) {
            lastFailDepth = m_searchDepth;
            continue;
        }
        if (m_searchDepth == remaining) {
            // Every cell is filled now. PlaceDigit leaves a cell it fills with no candidates
            // and a count of 0, and cells filled before had none: the board is the solution's
            // values with clear working fields.
            for (std::size_t j = 0; j < m_searchDepth; ++j) {
                m_grid.cells[m_search[j].x][m_search[j].y].value =
                    static_cast<uint8_t>(m_search[j].tried + 1);
            }
            for (auto& column : m_grid.cells) {
                for (Cell& c : column) {
                    c.candCount = 0;
                    c.marks = 0;
                }
            }
            m_grid.emptyCount = 0;
            m_searchDepth = 0;
            return {kSolved, 0, 0};
        }
        assert(next >= 0);  // an empty cell is left, and every empty cell has a candidate
        push(next);
    }
    // Exhausted: the board is the one the last, failed try left behind.
    return replay(lastFailDepth);
}
