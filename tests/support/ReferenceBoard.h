// A plain, literal model of the board, the solver, the generator and undo, for tests.
#pragma once

// CReferenceBoard carries out the rules of the game step by step on the stored 895-byte
// form of a grid, with none of the engine's shortcuts: every search frame holds a copy of
// the whole grid, legality is three scans of nine cells, and lists are plain containers.
// The equivalence tests run it beside CBoard and demand the same results, the same bytes and
// the same random numbers. It is slow on purpose; keep it simple rather than fast.
//
// Where the rules leave a cell of a result open, the model gives what the engine gives:
// code 1 names (0, 0); code 2 names the empty cell without a candidate; code 3 from
// PlaceDigit or the search and code 0 from the search name (0, 0); the hidden-singles pass
// names the last cell it found (0, 0 when none), in both modes. Solve clears the solver's
// working fields of every cell right after the consistency check.

#include <array>
#include <cstdint>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Random.h"

class COptions;

namespace reference {

// A grid in its stored form: cell (x, y) at byte x * 99 + y * 11 (value 8-bit, given 32-bit,
// autoMarks, candCount, marks 16-bit, little-endian), then the empty count at byte 891.
using GridBytes = std::array<uint8_t, 895>;

// Field access on the stored bytes.
class CGridView {
public:
    explicit CGridView(GridBytes& bytes) : m_bytes(bytes) {}

    uint8_t Value(int x, int y) const { return m_bytes[Offset(x, y)]; }
    void SetValue(int x, int y, uint8_t v) { m_bytes[Offset(x, y)] = v; }
    int32_t Given(int x, int y) const { return Get32(Offset(x, y) + 1); }
    void SetGiven(int x, int y, int32_t v) { Put32(Offset(x, y) + 1, v); }
    int16_t AutoMarks(int x, int y) const { return Get16(Offset(x, y) + 5); }
    void SetAutoMarks(int x, int y, int16_t v) { Put16(Offset(x, y) + 5, v); }
    int16_t CandCount(int x, int y) const { return Get16(Offset(x, y) + 7); }
    void SetCandCount(int x, int y, int16_t v) { Put16(Offset(x, y) + 7, v); }
    int16_t Marks(int x, int y) const { return Get16(Offset(x, y) + 9); }
    void SetMarks(int x, int y, int16_t v) { Put16(Offset(x, y) + 9, v); }
    int32_t EmptyCount() const { return Get32(891); }
    void SetEmptyCount(int32_t v) { Put32(891, v); }

private:
    static std::size_t Offset(int x, int y) { return static_cast<std::size_t>(x * 99 + y * 11); }
    int16_t Get16(std::size_t at) const;
    int32_t Get32(std::size_t at) const;
    void Put16(std::size_t at, int16_t v);
    void Put32(std::size_t at, int32_t v);

    GridBytes& m_bytes;
};

// A grid whose digits (81 characters row by row, '.' or '0' for empty) are givens, or player
// entries when `given` is false; all other bytes 0.
GridBytes GridFromText(std::string_view text, bool given = true);

struct SResult {
    int32_t code = 3;
    uint8_t x = 0;
    uint8_t y = 0;
};

struct SAction {
    int32_t x = -1;
    int32_t y = -1;
    int32_t number = 1;
};

// One frame of the search: the whole grid when the frame was made and the untried digits.
struct SolveInfo {
    GridBytes grid{};
    uint8_t cands[9] = {};
    int16_t candCount = 0;
    uint8_t x = 0;
    uint8_t y = 0;
};

class CReferenceBoard {
public:
    // Reads the custom-entry flag and the input mode from `options`, as the engine does, and
    // sets its reserved flag in Reset.
    CReferenceBoard(CRandom& random, COptions& options);

    // Board model and rules.
    void Reset();
    bool SelectCell(int32_t x, int32_t y, bool force);
    void SetNumber(int32_t digit) { m_number = digit; }
    uint16_t LegalMask(int x, int y);
    void UpdateAutoMarks();
    bool PlaceNumber(bool pencil);
    void EraseCell(int x, int y, bool pencil);
    void EraseIllegal();
    void Restart();
    bool IsConsistent();

    // Solver.
    SResult Eliminate(int x, int y, int d);
    SResult PlaceDigit(int x, int y, int d);
    static int HighestBit(uint32_t m);
    static int MaskToDigits(uint32_t m, uint8_t* digits);
    SResult PlaceSingle(int x, int y);
    SResult SinglesPass();
    SResult Search();
    SResult Solve();
    SResult HiddenSingles(bool listOnly);
    bool FindHint(int32_t& x, int32_t& y);
    bool SolveCell();
    bool SolvePuzzle();
    bool CheckInput();
    void ClearSolverFields();

    // Generator.
    bool NewPuzzle(int32_t holes);
    void DigHoles(int32_t holes);
    void ClearCellValue(int x, int y);
    bool ValidateCustom();

    // History.
    void PushAction(int32_t x, int32_t y, int32_t number);
    void Undo();
    bool CanUndo() const { return !m_history.empty(); }
    void ClearHistory();

    // State, for comparison with the engine.
    const GridBytes& Grid() const { return m_grid; }
    void SetGrid(const GridBytes& grid) { m_grid = grid; }
    int32_t SelX() const { return m_selX; }
    int32_t SelY() const { return m_selY; }
    int32_t Number() const { return m_number; }
    std::size_t HistorySize() const { return m_history.size(); }
    std::size_t ActionCount() const { return m_actions.size(); }
    const std::vector<std::pair<int32_t, int32_t>>& List() const { return m_list; }

private:
    CGridView View() { return CGridView(m_grid); }
    bool IsEmpty(int x, int y) { return View().Value(x, y) == 0; }
    bool IsGiven(int x, int y) { return (View().Given(x, y) & 1) != 0; }
    void Record();
    void Append(int x, int y);
    // The first empty cell in row order with the fewest candidates above 0; false if none.
    bool FindBranchCell(int& bx, int& by);
    void PushFrame(int x, int y);

    CRandom& m_random;
    COptions& m_options;
    SolveInfo m_scratch;
    std::vector<std::pair<int32_t, int32_t>> m_list;  // at most 81 entries
    std::deque<GridBytes> m_history;
    std::deque<SolveInfo> m_search;
    GridBytes m_grid{};
    std::deque<SAction> m_actions;
    int32_t m_selX = -1;
    int32_t m_selY = -1;
    int32_t m_number = 1;
};

}  // namespace reference
