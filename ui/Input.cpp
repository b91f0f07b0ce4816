// CGame's input: taps and keys, the entry of a number and the end of a game, new games and
// the acceptance of a custom puzzle.
#include <cstdint>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"
#include "ui/Game.h"

namespace {

// With Limit Numbers on and no cell selected, the palette takes its digits from this fixed
// mask: bits 0, 4 and 8 admit 1, 5 and 9 (bit 12 matches no digit), although every digit is
// drawn as allowed.
constexpr int32_t kNoSelectionMask = 0x1111;

bool IsCell(int32_t x, int32_t y) {
    return x >= 0 && x < CBoard::kSize && y >= 0 && y < CBoard::kSize;
}

}  // namespace

bool CGame::FirstFreeCell(int32_t& x, int32_t& y) const {
    for (int32_t cx = 0; cx < kSize; ++cx) {
        for (int32_t cy = 0; cy < kSize; ++cy) {
            if (!IsGiven(GetCell(cx, cy))) {
                x = cx;
                y = cy;
                return true;
            }
        }
    }
    x = -1;
    y = -1;
    return false;
}

void CGame::OnTap(int32_t x, int32_t y) {
    ClearHint();
    // All divisions truncate towards zero, so a point up to one cell left of or above an
    // origin still computes column or row 0; the tests of dx and dy keep such points off the
    // grid. The cell size is never 0 once a layout is applied.
    if (m_cell <= 0) {
        Redraw();
        return;
    }
    const int32_t dx = x - m_gridX;
    const int32_t dy = y - m_gridY;
    const int32_t col = dx / m_cell;
    const int32_t row = dy / m_cell;
    const bool inside = dx >= 0 && dy >= 0;
    const bool onGrid = inside && col <= 8 && row <= 8;
    const int32_t pdx = x - m_paletteX;
    const int32_t pdy = y - m_paletteY;
    const int32_t pcol = pdx / m_cell;
    const int32_t prow = pdy / m_cell;
    const COptions& options = Options();
    const int32_t mode = options.GetInputMode();

    if (m_eraser) {
        if (onGrid) {
            SelectCell(col, row, false);
            EraseCell(col, row, m_pencil);
        }
    } else if (m_pencil && options.GetZonePencilmarks()) {
        if (onGrid && m_cell >= 3) {
            const int32_t zx = (dx - col * m_cell) / (m_cell / 3);
            const int32_t zy = (dy - row * m_cell) / (m_cell / 3);
            if (SelectCell(col, row, false)) {
                SetNumber(zy * 3 + zx + 1);
                EnterNumber();
            }
        }
    } else if (mode == kCellSelect && inside) {
        if (onGrid) {
            SelectCell(col, row, false);
            SetNumber(1);
        } else if (prow == 0 && pdy >= 0 && pdx >= 0 && pcol <= 8) {
            int32_t sx = -1;
            int32_t sy = -1;
            GetSelection(sx, sy);
            const int32_t allowed = IsCell(sx, sy) ? GetCell(sx, sy).autoMarks : kNoSelectionMask;
            if (!options.GetLimitNumbers() || options.GetCustomEntry() ||
                ((allowed >> pcol) & 1) != 0) {
                SetNumber(pcol + 1);
                EnterNumber();
            }
        }
    } else if (mode == kNumberSelect && inside) {
        if (onGrid) {
            if (SelectCell(col, row, false)) {
                EnterNumber();
            }
        } else if (prow == 0 && pdx >= 0 && pcol <= 8) {
            // prow truncates: up to 3 pixels above the palette, in the gap under the grid,
            // still choose a digit here (Cell Select wants pdy of 0 or more).
            SetNumber(pcol + 1);
        }
    }
    Redraw();
}

void CGame::OnKey(uint32_t key) {
    if (!m_keyDown) {
        // The key went down in another window (a closing dialog, a menu).
        return;
    }
    if (key != kKeyEnter) {
        ClearHint();
    }
    if (Options().GetInputMode() == kKeySelect) {
        int32_t x = -1;
        int32_t y = -1;
        GetSelection(x, y);
        // Arrows wrap around. From a half selection (-1) left and up go to 8, right and down
        // to 0, so that the selection never leaves the board.
        switch (key) {
            case kKeyLeft:
                x = x <= 0 ? 8 : x - 1;
                break;
            case kKeyUp:
                y = y <= 0 ? 8 : y - 1;
                break;
            case kKeyRight:
                x = x >= 8 || x < 0 ? 0 : x + 1;
                break;
            case kKeyDown:
                y = y >= 8 || y < 0 ? 0 : y + 1;
                break;
            case kKeyStar:
                if (Options().GetCustomEntry()) {
                    AcceptCustomPuzzle();
                } else {
                    m_pencil = !m_pencil;
                }
                break;
            case kKey0:
                if (IsCell(x, y) && !IsGiven(GetCell(x, y))) {
                    EraseCell(x, y, m_pencil);
                }
                break;
            default:
                if (key > kKey0 && key <= kKey0 + 9) {
                    SetNumber(static_cast<int32_t>(key - kKey0));
                    EnterNumber();
                }
                break;
        }
        // Every key re-selects with force: in this mode a given can be selected.
        SelectCell(x, y, true);
    }
    Redraw();
    m_keyDown = false;
}

void CGame::EnterNumber() {
    PlaceNumber(m_pencil);
    if (!IsFull()) {
        return;
    }
    Redraw();
    if (!CheckInput()) {
        ShowGameMessage(Data(), Options(), MessageId::kInvalidSolution, MsgStyle::kOk);
        return;
    }
    if (!m_statsDone) {
        RecordSolvedGame(Options(), Options().GetLevel(), GetElapsed() / 1000 + 1);
        m_statsDone = true;
    }
    if (ShowGameMessage(Data(), Options(), MessageId::kSolvedStartNew, MsgStyle::kYesNo) ==
        kIdYes) {
        StartNewGame(false);
    }
}

void CGame::StartNewGame(bool firstStart) {
    m_statsDone = false;
    m_started = true;
    Reset();
    COptions& options = Options();
    // A level outside the six codes (a damaged options.cfg, or a saved game's level) would make
    // a board with no givens or no empty cell: the new game is made at the default level.
    if (!level::IsLevelCode(options.GetLevel())) {
        options.SetLevel(level::kBeginner);
    }
    if (options.GetLevel() == level::kCustom) {
        options.SetCustomEntry(true);
    }
    if (!firstStart) {
        SetPencilMode(false);
        SetEraserMode(false);
    }
    const int32_t mode = options.GetInputMode();
    if (options.GetCustomEntry()) {
        if (mode == kCellSelect || mode == kKeySelect) {
            SelectCell(0, 0, false);
            PushAction(0, 0, 1);
        } else if (mode == kNumberSelect) {
            SetNumber(1);
        }
    } else {
        NewPuzzle(options.GetLevel());
        if (mode == kCellSelect) {
            // A level that empties no cell leaves nothing to select.
            int32_t x = -1;
            int32_t y = -1;
            FirstFreeCell(x, y);
            SelectCell(x, y, false);
            PushAction(x, y, 1);
        } else if (mode == kNumberSelect) {
            SetNumber(1);
        } else if (mode == kKeySelect) {
            SelectCell(0, 0, true);
            PushAction(0, 0, 1);
        }
    }
    RestartClock();
    if (!firstStart) {
        Redraw();
    }
}

void CGame::AcceptCustomPuzzle() {
    if (!ValidateCustom()) {
        ShowGameMessage(Data(), Options(), MessageId::kCustomInvalid, MsgStyle::kOk);
        return;
    }
    Options().SetCustomEntry(false);
    ClearHistory();
    // Givens in all 81 cells leave nothing to select.
    int32_t x = -1;
    int32_t y = -1;
    FirstFreeCell(x, y);
    SelectCell(x, y, false);
    ShowGameMessage(Data(), Options(), MessageId::kCustomValid, MsgStyle::kInfo);
    UpdateAutoMarks();
}
