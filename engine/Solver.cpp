// The solver: singles, the randomized backtracking search, hints and the solve commands.
//
// Solve = consistency check, one pass of naked singles in row order, then a depth-first
// search that always branches on the first cell (row order) with the fewest candidates and
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
#include <utility>

#include "engine/Board.h"
#include "engine/Digits.h"
#include "game/Options.h"

namespace {

using digits::BitOf;

constexpr std::array<uint8_t, 512> kBitCount = [] {
    std::array<uint8_t, 512> t{};
    for (unsigned m = 0; m < 512; ++m) {
        t[m] = static_cast<uint8_t>(std::popcount(m));
    }
    return t;
}();

int PopCount(uint32_t mask) {
    return kBitCount[mask & CBoard::kAllDigits];
}

// Digits used in each row, column and box; for an empty cell LegalMask is the complement.
struct SUsed {
    uint16_t rows[9] = {};
    uint16_t cols[9] = {};
    uint16_t boxes[9] = {};
    void Add(int x, int y, int value) {
        const uint16_t bit = BitOf(value);
        rows[y] |= bit;
        cols[x] |= bit;
        boxes[(y / 3) * 3 + x / 3] |= bit;
    }
    uint16_t Free(int x, int y) const {
        return static_cast<uint16_t>(CBoard::kAllDigits &
                                     ~(rows[y] | cols[x] | boxes[(y / 3) * 3 + x / 3]));
    }
};

using CellSet = CBoard::CellSet;
using SearchBoard = CBoard::SearchBoard;

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
int First(CellSet a) {
    return a.lo != 0 ? std::countr_zero(a.lo) : 64 + std::countr_zero(a.hi);
}

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

// kPeerList[c]: the 20 cells that share a row, a column or a box with cell c.
constexpr auto kPeerList = [] {
    std::array<std::array<uint8_t, 20>, 81> list{};
    for (int c = 0; c < 81; ++c) {
        int n = 0;
        for (int i = 0; i < 81; ++i) {
            const bool sameBox = (i % 9) / 3 == (c % 9) / 3 && (i / 9) / 3 == (c / 9) / 3;
            if (i != c && (i % 9 == c % 9 || i / 9 == c / 9 || sameBox)) {
                list[static_cast<std::size_t>(c)][static_cast<std::size_t>(n++)] =
                    static_cast<uint8_t>(i);
            }
        }
    }
    return list;
}();

// The branching cell of the board: in row order, the first empty cell with the fewest
// candidates; -1 when no cell is empty.
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
    // Lower the count of every cell that lost the digit by one.
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

// --- Steps on the full grid ---

CBoard::SolveResult CBoard::Eliminate(int x, int y, int digit) {
    Cell& c = m_grid.cells[x][y];
    const uint16_t bit = BitOf(digit);
    if ((c.marks & bit) != 0) {
        c.marks = static_cast<int16_t>(c.marks & ~bit);
        c.candCount = static_cast<int16_t>(c.candCount - 1);
        if (c.candCount == 0) {
            return {kNoCandidate, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
        }
    }
    return {kSolved, 0, 0};
}

CBoard::SolveResult CBoard::PlaceDigit(int x, int y, int digit) {
    if (digit < 1 || digit > 9) {
        return {kNoSolution, 0, 0};
    }
    Cell& c = m_grid.cells[x][y];
    if (c.value == 0) {
        --m_grid.emptyCount;
    }
    c.value = static_cast<uint8_t>(digit);
    c.candCount = 0;
    c.marks = 0;
    for (int i = 0; i < kSize; ++i) {
        if (Eliminate(i, y, digit).code == kNoCandidate ||
            Eliminate(x, i, digit).code == kNoCandidate) {
            return {kNoSolution, 0, 0};
        }
    }
    const int x0 = x - x % 3;
    const int y0 = y - y % 3;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k) {
            if (Eliminate(x0 + k, y0 + j, digit).code == kNoCandidate) {
                return {kNoSolution, 0, 0};
            }
        }
    }
    return {kSolved, 0, 0};
}

int CBoard::HighestBit(uint32_t mask) {
    return static_cast<int>(std::bit_width(mask));
}

int CBoard::MaskToDigits(uint32_t mask, uint8_t* digits) {
    int n = 0;
    for (mask &= kAllDigits; mask != 0; mask &= mask - 1) {
        digits[n++] = static_cast<uint8_t>(std::countr_zero(mask));
    }
    return n;
}

CBoard::SolveResult CBoard::PlaceSingle(int x, int y) {
    return PlaceDigit(x, y, HighestBit(static_cast<uint16_t>(m_grid.cells[x][y].marks)));
}

CBoard::SolveResult CBoard::SinglesPass() {
    // Only cells that have a single candidate when they are visited are placed; one that
    // drops to a single candidate later in the pass is left to the search.
    //
    // The pass runs on plain arrays and writes its outcome to the grid at the end. A board on
    // which it meets a contradiction is passed again, on the grid itself, step by step: the
    // partial board a contradiction leaves behind depends on the order of the eliminations.
    uint8_t value[81];
    uint16_t marks[81] = {};
    int8_t count[81] = {};
    SUsed used;
    for (int i = 0; i < 81; ++i) {
        value[i] = m_grid.cells[i % 9][i / 9].value;
        used.Add(i % 9, i / 9, value[i]);
    }
    int32_t empty = 0;
    for (int i = 0; i < 81; ++i) {
        if (value[i] != 0) {
            continue;
        }
        ++empty;
        const uint16_t m = used.Free(i % 9, i / 9);
        const int n = PopCount(m);
        if (n != 1) {
            if (n == 0) {
                return ExactSinglesPass();
            }
            marks[i] = m;
            count[i] = static_cast<int8_t>(n);
            continue;
        }
        const int digit = HighestBit(m);
        value[i] = static_cast<uint8_t>(digit);
        used.Add(i % 9, i / 9, digit);
        --empty;
        for (uint8_t p : kPeerList[i]) {
            if ((marks[p] & m) != 0) {
                marks[p] = static_cast<uint16_t>(marks[p] ^ m);
                if (--count[p] == 0) {
                    return ExactSinglesPass();
                }
            }
        }
    }
    for (int i = 0; i < 81; ++i) {
        Cell& c = m_grid.cells[i % 9][i / 9];
        c.value = value[i];
        c.marks = static_cast<int16_t>(marks[i]);
        c.candCount = count[i];
    }
    m_grid.emptyCount = empty;
    return {empty != 0 ? kNoSolution : kSolved, 0, 0};
}

CBoard::SolveResult CBoard::ExactSinglesPass() {
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Cell& c = m_grid.cells[x][y];
            if (c.value != 0) {
                continue;
            }
            ++m_grid.emptyCount;
            const uint16_t m = LegalMask(x, y);
            c.marks = static_cast<int16_t>(m);
            const int n = PopCount(m);
            if (n == 1) {
                if (PlaceSingle(x, y).code != kSolved) {
                    return {kBreaksRules, 0, 0};
                }
            } else if (n == 0) {
                return {kNoCandidate, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
            } else {
                c.candCount = static_cast<int16_t>(n);
            }
        }
    }
    return {m_grid.emptyCount != 0 ? kNoSolution : kSolved, 0, 0};
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

// --- Solve and its callers ---

void CBoard::ClearSolverFields() {
    for (auto& column : m_grid.cells) {
        for (Cell& c : column) {
            c.candCount = 0;
            c.marks = 0;
        }
    }
}

CBoard::SolveResult CBoard::Solve() {
    m_searchDepth = 0;
    if (!IsConsistent()) {
        return {kBreaksRules, 0, 0};
    }
    // The working fields must start clear (the callers clear them, and boards being made or
    // typed in have none); clearing them here keeps stray pencil marks of a loaded file from
    // being taken for candidates.
    ClearSolverFields();
    m_grid.emptyCount = 0;
    SolveResult r = SinglesPass();
    if (r.code == kNoSolution) {
        m_searchDepth = 0;
        r = Search();
    }
    return r;
}

void CBoard::AppendToList(int x, int y) {
    // The list holds 81 entries; further finds are not listed.
    if (m_listLen < static_cast<int32_t>(m_list.size())) {
        m_list[static_cast<std::size_t>(m_listLen++)] = CellPos{x, y};
    }
}

CBoard::SolveResult CBoard::HiddenSingles(bool listOnly) {
    // Groups: the columns (x = 0..8, cells top to bottom), the rows (y = 0..8, cells left to
    // right), then the boxes down the left column of boxes first, each box column by column.
    static constexpr auto kGroups = [] {
        std::array<std::array<uint8_t, 9>, 27> g{};
        for (int k = 0; k < 9; ++k) {
            for (int i = 0; i < 9; ++i) {
                g[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)] =
                    static_cast<uint8_t>(i * 9 + k);
                g[static_cast<std::size_t>(9 + k)][static_cast<std::size_t>(i)] =
                    static_cast<uint8_t>(k * 9 + i);
                const int x = 3 * (k / 3) + i / 3;
                const int y = 3 * (k % 3) + i % 3;
                g[static_cast<std::size_t>(18 + k)][static_cast<std::size_t>(i)] =
                    static_cast<uint8_t>(y * 9 + x);
            }
        }
        return g;
    }();

    m_listLen = 0;
    int lastX = 0;
    int lastY = 0;
    bool found = true;
    SUsed used;
    const auto recount = [&] {
        used = SUsed{};
        for (int x = 0; x < kSize; ++x) {
            for (int y = 0; y < kSize; ++y) {
                used.Add(x, y, m_grid.cells[x][y].value);
            }
        }
    };
    recount();
    while (found) {
        found = false;
        for (const auto& group : kGroups) {
            uint16_t once = 0;
            uint16_t twice = 0;
            uint8_t cellOf[kSize] = {};
            for (uint8_t idx : group) {
                const int x = idx % 9;
                const int y = idx / 9;
                if (m_grid.cells[x][y].value != 0) {
                    continue;
                }
                const uint16_t m = used.Free(x, y);
                twice = static_cast<uint16_t>(twice | (once & m));
                once = static_cast<uint16_t>(once | m);
                for (int k = 0; k < kSize; ++k) {
                    if ((m & (1U << k)) != 0) {
                        cellOf[k] = idx;
                    }
                }
            }
            const auto unique = static_cast<uint16_t>(~twice & kAllDigits & once);
            for (int k = 0; k < kSize; ++k) {
                if ((unique & (1U << k)) == 0) {
                    continue;
                }
                found = true;
                lastX = cellOf[k] % 9;
                lastY = cellOf[k] / 9;
                if (listOnly) {
                    AppendToList(lastX, lastY);
                } else {
                    const bool wasEmpty = m_grid.cells[lastX][lastY].value == 0;
                    PlaceDigit(lastX, lastY, k + 1);
                    if (wasEmpty) {
                        used.Add(lastX, lastY, k + 1);
                    } else {
                        recount();  // a value replaced: rare, on boards without a solution
                    }
                }
            }
        }
        if (listOnly) {
            UpdateAutoMarks();
            return {m_listLen == 0 ? kNoSolution : kSolved, static_cast<uint8_t>(lastX),
                    static_cast<uint8_t>(lastY)};
        }
    }
    UpdateAutoMarks();
    return {m_grid.emptyCount == 0 ? kSolved : kNoSolution, static_cast<uint8_t>(lastX),
            static_cast<uint8_t>(lastY)};
}

bool CBoard::FindHint(int32_t& x, int32_t& y) {
    m_listLen = 0;
    for (int cx = 0; cx < kSize; ++cx) {
        for (int cy = 0; cy < kSize; ++cy) {
            const Cell& c = m_grid.cells[cx][cy];
            if (c.value == 0 && PopCount(static_cast<uint16_t>(c.autoMarks)) == 1) {
                AppendToList(cx, cy);
            }
        }
    }
    if (m_listLen == 0) {
        HiddenSingles(true);
    }
    if (m_listLen == 0) {
        return false;
    }
    const CellPos& p = m_list[static_cast<std::size_t>(m_listLen / 2)];
    x = p.x;
    y = p.y;
    return true;
}

bool CBoard::SolveCell() {
    int32_t tx = m_selX;
    int32_t ty = m_selY;
    if (m_options.GetInputMode() == kNumberSelect) {
        m_listLen = 0;
        for (int cx = 0; cx < kSize; ++cx) {
            for (int cy = 0; cy < kSize; ++cy) {
                if (m_grid.cells[cx][cy].value == 0) {
                    AppendToList(cx, cy);
                }
            }
        }
        if (m_listLen > 0) {
            const CellPos& p = m_list[static_cast<std::size_t>(m_listLen / 2)];
            tx = p.x;
            ty = p.y;
        }
    }
    if (tx == -1 || ty == -1) {
        return true;
    }
    // Solve works on the board itself; a copy keeps the board as it was, and only the target
    // cell's digit is taken from the solution.
    const Grid board = m_grid;
    ClearSolverFields();
    const SolveResult r = Solve();
    const uint8_t digit = m_grid.cells[tx][ty].value;
    m_grid = board;
    if (r.code != kSolved) {
        return false;
    }
    m_grid.cells[tx][ty].value = digit;
    UpdateAutoMarks();
    return true;
}

bool CBoard::SolvePuzzle() {
    // Solve works on the board itself; a copy keeps the board as it was (givens, pencil
    // marks), and only the values are taken from the solution.
    Grid board = m_grid;
    ClearSolverFields();
    if (Solve().code != kSolved) {
        m_grid = board;
        return false;
    }
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            board.cells[x][y].value = m_grid.cells[x][y].value;
        }
    }
    m_grid = board;
    UpdateAutoMarks();
    return true;
}

bool CBoard::CheckInput() {
    Record();
    ClearSolverFields();
    const SolveResult r = Solve();
    m_grid = m_history.back();
    m_history.pop_back();
    // The record just pushed holds the selection and number as they stand, and Solve moves
    // neither: dropping it leaves everything as before.
    m_actions.pop_back();
    return r.code == kSolved;
}
