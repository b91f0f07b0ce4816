// CBoard: the game in play: the grid, the rules, the solver, the generator and undo.
#pragma once

// Conventions used throughout the engine:
//
//   x is the column 0..8 from the left, y the row 0..8 from the top; where one number is
//   needed the cell index is y * 9 + x. The box of (x, y) has its top-left cell at
//   (x - x % 3, y - y % 3).
//
//        x=0 1 2   3 4 5   6 7 8
//   y=0   . . . | . . . | . . .
//   y=1   . . . | . . . | . . .      stored grids hold the cells column after column:
//   y=2   . . . | . . . | . . .      cell (x, y) starts at byte x * 99 + y * 11
//        ------+-------+------
//
//   A digit is 1..9, 0 is an empty cell. A set of digits is a mask with bit d - 1 for digit d;
//   0x1FF means all nine.
//
// Scan orders break every tie and are part of the behaviour: the solver's singles pass and
// its search go row by row (y outer, x inner); hints, Solve Cell's choice of cell, Erase
// Illegal, IsConsistent and the choice of a first free cell go column by column (x outer).
//
// The operations are spread over Board.cpp (rules and edits, the state record),
// Solver.cpp (solving, hints), Search.cpp (the solver's backtracking search), Generator.cpp
// (new and custom puzzles) and History.cpp (undo).

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "engine/Random.h"

class COptions;

class CBoard {
public:
    static constexpr int kSize = 9;
    static constexpr uint16_t kAllDigits = 0x1FF;

    // One cell. Its stored form is 11 bytes: value, given (32-bit), autoMarks, candCount,
    // marks (16-bit each), little-endian.
    struct Cell {
        uint8_t value = 0;      // 0 empty, else 1..9
        int32_t given = 0;      // bit 0 set: a given; written as 1 or 0
        int16_t autoMarks = 0;  // legal digits as last computed; stale on filled cells
        int16_t candCount = 0;  // solver working field; 0 outside a solve
        int16_t marks = 0;      // the player's pencil marks; the solver's candidates in a solve
    };

    // A whole board. Its stored form is 895 bytes: the 81 cells column after column, then
    // the empty count as a 32-bit integer. The empty count is kept only by the solver and the
    // generator; the player's edits leave it stale.
    struct Grid {
        static constexpr std::size_t kBytes = 895;
        Cell cells[kSize][kSize]{};  // [x][y]
        int32_t emptyCount = 0;

        void Write(uint8_t* out) const;  // kBytes bytes
        void Read(const uint8_t* in);    // kBytes bytes
        bool operator==(const Grid& other) const;
    };

    struct CellPos {
        int32_t x = 0;
        int32_t y = 0;
    };

    // Result codes of the solver operations.
    enum : int32_t { kSolved = 0, kBreaksRules = 1, kNoCandidate = 2, kNoSolution = 3 };

    struct SolveResult {
        int32_t code = kNoSolution;
        uint8_t x = 0;  // the cell concerned, where the code names one
        uint8_t y = 0;
    };

    // The selection state recorded with each undoable action.
    struct SActionInfo {
        int32_t x = -1;
        int32_t y = -1;
        int32_t number = 1;
    };

    // The state record of a saved game: the board, the second board, the selection, the
    // current number, the level, the custom-entry flag and the elapsed time; 1811 bytes.
    static constexpr std::size_t kStateBytes = 1811;
    using StateRecord = std::array<uint8_t, kStateBytes>;

    CBoard(CRandom& random, COptions& options);
    virtual ~CBoard();
    CBoard(const CBoard&) = delete;
    CBoard& operator=(const CBoard&) = delete;

    // --- Board model and rules (Board.cpp) ---
    void Reset();
    bool SelectCell(int32_t x, int32_t y, bool force);
    void GetSelection(int32_t& x, int32_t& y) const {
        x = m_selX;
        y = m_selY;
    }
    void SetNumber(int32_t digit) { m_number = digit; }
    int32_t GetNumber() const { return m_number; }
    void SetHint(int32_t x, int32_t y);
    void GetHint(int32_t& x, int32_t& y, bool& on) const;
    void ClearHint() { m_hintOn = false; }
    Cell GetCell(int32_t x, int32_t y) const { return m_grid.cells[x][y]; }
    static bool IsGiven(const Cell& cell) { return (cell.given & 1) != 0; }
    uint16_t LegalMask(int32_t x, int32_t y) const;
    void UpdateAutoMarks();
    bool PlaceNumber(bool pencil);
    void EraseCell(int32_t x, int32_t y, bool pencil);
    void EraseIllegal();
    void Restart();
    bool IsConsistent() const;
    // True when every cell holds a digit.
    bool IsFull() const;
    int32_t GetElapsed() const { return m_elapsedMs; }
    void SetElapsed(int32_t ms) { m_elapsedMs = ms; }
    // The clock stops at its largest value (2^31 - 1 ms, about 24.8 days) rather than wrap.
    void AddElapsed(int32_t ms) {
        m_elapsedMs = ms > 0 && m_elapsedMs > INT32_MAX - ms ? INT32_MAX : m_elapsedMs + ms;
    }

    // The state record. SaveState fills it from the board and the options. LoadState checks
    // every field the program relies on (cell values 0..9, each selection coordinate -1..8,
    // the current number 1..9, the custom-entry flag 0 or 1, a non-negative time) and, only
    // when all of them pass, takes the record: board, second board, selection, number and
    // time into the board, level and custom-entry flag into the options; it then empties the
    // board history. A record that fails a check changes nothing and gives false.
    void SaveState(StateRecord& out) const;
    bool LoadState(std::span<const uint8_t> in);
    static bool IsValidState(std::span<const uint8_t> in);

    // --- Solver (Solver.cpp) ---
    SolveResult Solve();
    SolveResult HiddenSingles(bool listOnly);
    bool FindHint(int32_t& x, int32_t& y);
    bool SolveCell();
    bool SolvePuzzle();
    bool CheckInput();
    void ClearSolverFields();
    void ClearSearchStack() { m_searchDepth = 0; }

    // A hook the backtracking search calls after every kTriesPerHook tries, on the thread
    // that set it, while it is set (a plain function and its context; none by default). It
    // lets a front end without threads keep its page painted through a long solve: the hook
    // may pause and let other work run, but must not touch the board being solved. The
    // search reads no clock: how often to give way is the hook's business. The hook changes
    // nothing of the solve (no draw, no result).
    struct SSearchHook {
        void (*call)(void* context) = nullptr;
        void* context = nullptr;
    };
    static constexpr int kTriesPerHook = 4096;
    static void SetSearchHook(SSearchHook hook);

    // --- Generator (Generator.cpp) ---
    bool NewPuzzle(int32_t holes);
    void DigHoles(int32_t holes);
    void ClearCellValue(int32_t x, int32_t y);
    bool ValidateCustom();

    // --- History (History.cpp) ---
    void PushAction(int32_t x, int32_t y, int32_t number);
    void Undo();
    bool CanUndo() const { return !m_history.empty(); }
    void ClearHistory();

    // Read access for drawing, tools and tests.
    const Grid& GetGrid() const { return m_grid; }
    // Replaces the board as it stands (tools and tests build boards with it).
    void SetGrid(const Grid& grid) { m_grid = grid; }
    std::size_t HistorySize() const { return m_history.size(); }
    std::size_t ActionCount() const { return m_actions.size(); }
    std::span<const CellPos> CellList() const {
        return {m_list.data(), static_cast<std::size_t>(m_listLen)};
    }

protected:
    COptions& Options() const { return m_options; }
    CRandom& Random() const { return m_random; }

private:
    // One frame of the backtracking search. What a frame holds is the search's own business
    // (engine/SearchBoard.h).
    struct SolveInfo;

    // Solver steps on the full grid, exactly as the rules of the search state them.
    SolveResult Eliminate(int x, int y, int digit);
    SolveResult PlaceDigit(int x, int y, int digit);
    SolveResult PlaceSingle(int x, int y);
    SolveResult SinglesPass();
    SolveResult ExactSinglesPass();
    SolveResult Search();
    static int HighestBit(uint32_t mask);
    static int MaskToDigits(uint32_t mask, uint8_t* digits);
    void Record();
    // Pops the top action record and takes the selection and the current number from the
    // record below it, now on top (when there is one).
    void PopAction();
    void AppendToList(int x, int y);

    CRandom& m_random;
    COptions& m_options;

    std::array<CellPos, 81> m_list{};
    int32_t m_listLen = 0;
    std::deque<Grid> m_history;
    std::vector<SolveInfo> m_search;  // the search stack; m_searchDepth frames in use
    std::size_t m_searchDepth = 0;
    Grid m_grid;
    Grid m_reserved;
    std::deque<SActionInfo> m_actions;
    int32_t m_selX = -1;
    int32_t m_selY = -1;
    int32_t m_number = 1;
    int32_t m_hintX = -1;
    int32_t m_hintY = -1;
    bool m_hintOn = false;
    int32_t m_elapsedMs = 0;
};
