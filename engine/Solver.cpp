// The solver: singles, the randomized backtracking search, hints and the solve commands.
//
// Solve = consistency check, one pass of naked singles in row order, then a depth-first
// search (Search.cpp) that always branches on the first cell (row order) with the fewest
// candidates and draws the digit to try at random from the digits not yet tried there.
#include <array>
#include <bit>

#include "engine/Board.h"
#include "engine/Digits.h"
#include "engine/Options.h"

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
