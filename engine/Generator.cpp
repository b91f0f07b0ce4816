// New puzzles by level, and the acceptance of custom puzzles typed in by the player.
//
// A level is nothing but the number of cells emptied. NewPuzzle fills an empty board with a
// random solution, empties that many cells at random and keeps the board when hidden singles
// alone can fill it again; it tries up to ten times and otherwise keeps the tenth board (so
// every Expert puzzle, 16 givens, is a tenth attempt: no such board has a single solution).
#include <algorithm>
#include <array>

#include "engine/Board.h"
#include "engine/Options.h"

bool CBoard::NewPuzzle(int32_t holes) {
    int attempts = 0;
    bool accepted = false;
    while (!accepted && attempts < 10) {
        Reset();
        Solve();
        DigHoles(holes);
        const Grid dug = m_grid;
        accepted = HiddenSingles(false).code == kSolved;
        m_grid = dug;
        ++attempts;
    }
    for (auto& column : m_grid.cells) {
        for (Cell& c : column) {
            if (c.value != 0) {
                c.given = 1;
            }
        }
    }
    UpdateAutoMarks();
    return true;
}

void CBoard::DigHoles(int32_t holes) {
    // Each cell is drawn at most once, independently of the others: no symmetry, no spared
    // cells.
    std::array<uint8_t, 81> cells{};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i] = static_cast<uint8_t>(i);
    }
    std::size_t count = cells.size();
    while (m_grid.emptyCount < holes && count > 0) {
        const auto j = static_cast<std::size_t>(m_random.Next()) % count;
        const int e = cells[j];
        ClearCellValue(e % 9, e / 9);
        for (std::size_t k = j + 1; k < count; ++k) {
            cells[k - 1] = cells[k];
        }
        --count;
    }
}

void CBoard::ClearCellValue(int32_t x, int32_t y) {
    Cell& c = m_grid.cells[x][y];
    if (c.value != 0) {
        ++m_grid.emptyCount;
    }
    c.value = 0;
}

bool CBoard::ValidateCustom() {
    // Accepted: at least one given, no rule broken, and the solver completes the board.
    // Whether the solution is unique is not asked.
    if (!std::any_of(&m_grid.cells[0][0], &m_grid.cells[0][0] + 81,
                     [](const Cell& c) { return c.value != 0; })) {
        return false;
    }
    Record();
    const SolveResult r = Solve();
    m_grid = m_history.back();
    m_history.pop_back();
    PopAction();
    return r.code == kSolved;
}
