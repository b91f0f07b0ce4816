// CGame's layout and the drawing of the game screen: board, marks, palette, hatching, clock.
#include "ui/Game.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "engine/Options.h"
#include "ui/Graphics.h"
#include "ui/Layout.h"

namespace {

// Whether digit index `bit` (digit - 1) is in a set of digits; false for any index outside one.
bool Has(int32_t mask, int32_t bit) {
    return bit >= 0 && bit < 16 && ((static_cast<uint32_t>(mask) >> bit) & 1U) != 0;
}

}  // namespace

CGame::CGame(CRandom& random, COptions& options, DataManager& data, CGraphics& graphics)
    : CBoard(random, options), m_data(data), m_graphics(graphics) {}

void CGame::ApplyLayout() {
    const SScreenSize screen = m_graphics.GetScreenSize();
    const SLayoutValues& v =
        screen.width >= kScreen480x272.width && screen.height >= kScreen480x272.height
            ? kLayout480x272
            : kLayout320x240;
    m_boardX = v.boardX;
    m_boardY = v.boardY;
    m_gridX = v.gridX;
    m_gridY = v.gridY;
    m_paletteX = v.paletteX;
    m_paletteY = v.paletteY;
    m_paletteRef = v.paletteRef;
    m_cell = v.cell;
    m_mark = v.mark;
}

void CGame::SetSkinBitmaps(Bitmap board, Bitmap numbers) {
    m_boardBmp = std::move(board);
    m_numbersBmp = std::move(numbers);
}

void CGame::SetPencilMode(bool on) {
    m_pencil = on;
    Redraw();
}

void CGame::DrawFrame(ICanvas& canvas, bool withClock) {
    const CBackBufferScope scope(m_graphics, canvas);
    DrawBoard();
    if (withClock) {
        DrawClock(true);
    }
}

void CGame::CopyGlyph(int32_t srcX, int32_t srcY, int32_t size, int32_t x, int32_t y) {
    m_graphics.CopyBitmapKeyed(m_numbersBmp, x, y, srcX, srcY, size, size);
}

CGame::SCellLook CGame::CellLook(int32_t x, int32_t y) const {
    const COptions& options = Options();
    const int32_t mode = options.GetInputMode();
    const bool custom = options.GetCustomEntry();
    const bool flagIllegal = options.GetFlagIllegal();
    const bool autoMarks = options.GetAutoPencilmarks();
    int32_t sx = -1;
    int32_t sy = -1;
    GetSelection(sx, sy);
    int32_t hx = -1;
    int32_t hy = -1;
    bool hintOn = false;
    GetHint(hx, hy, hintOn);
    const Cell c = GetCell(x, y);
    SCellLook look;
    // A half selection (one coordinate -1, possible in Key Select) selects nothing.
    look.selected = (mode == kCellSelect || mode == kKeySelect) && x == sx && y == sy;
    look.hint = hintOn && x == hx && y == hy;
    look.value = c.value;
    if (c.value != 0) {
        if (IsGiven(c)) {
            look.style = SCellLook::EStyle::kGiven;
        } else if (flagIllegal && !custom && !Has(LegalMask(x, y), c.value - 1)) {
            look.style = SCellLook::EStyle::kIllegal;
        }
    } else if (!custom) {
        look.marks = (autoMarks ? c.autoMarks : c.marks) & kAllDigits;
        // Marks the player set for digits the cell can no longer hold.
        if (flagIllegal && !autoMarks) {
            look.illegalMarks = look.marks & ~c.autoMarks & kAllDigits;
        }
    }
    return look;
}

CGame::SPaletteLook CGame::PaletteLook(int32_t digit) const {
    const COptions& options = Options();
    const int32_t mode = options.GetInputMode();
    const bool autoMarks = options.GetAutoPencilmarks();
    int32_t sx = -1;
    int32_t sy = -1;
    GetSelection(sx, sy);
    const bool selected = sx >= 0 && sx < kSize && sy >= 0 && sy < kSize;
    const Cell s = selected ? GetCell(sx, sy) : Cell{};
    const int32_t j = digit - 1;
    SPaletteLook look;
    look.notAllowed = options.GetLimitNumbers() && mode == kCellSelect &&
                      !options.GetCustomEntry() && selected && !Has(s.autoMarks, j);
    look.current = mode == kNumberSelect && digit == GetNumber();
    look.candidate =
        mode == kKeySelect && selected && s.value == 0 &&
        ((autoMarks && Has(s.autoMarks, j)) || (!autoMarks && m_pencil && Has(s.marks, j)));
    return look;
}

void CGame::DrawBoard() {
    const COptions& options = Options();
    const int32_t mode = options.GetInputMode();
    const int32_t n = GetNumber();
    const int32_t frameX = 10 * m_cell;

    // 1. The board picture: background, grid lines, palette background.
    m_graphics.CopyBitmap(m_boardBmp, m_boardX, m_boardY);

    // 2. The cells, row by row.
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            const SCellLook look = CellLook(x, y);
            const int32_t px = x * m_cell + m_gridX;
            const int32_t py = y * m_cell + m_gridY;
            if (look.selected) {
                CopyGlyph(frameX, m_cell, m_cell, px, py + 1);
            }
            if (look.hint) {
                CopyGlyph(frameX, 2 * m_cell, m_cell, px, py + 1);
            }
            if (look.value != 0) {
                const int32_t style = look.style == SCellLook::EStyle::kGiven     ? kStyleGiven
                                      : look.style == SCellLook::EStyle::kIllegal ? kStyleIllegal
                                                                                  : kStyleEntry;
                CopyGlyph((look.value - 1) * m_cell, style * m_cell, m_cell, px, py);
                continue;
            }
            for (int32_t k = 0; k < kSize; ++k) {
                if (!Has(look.marks, k)) {
                    continue;
                }
                const bool illegal = Has(look.illegalMarks, k);
                CopyGlyph(9 * m_cell + (k % 3) * m_mark,
                          (illegal ? 2 * m_cell : 0) + (k / 3) * m_mark, m_mark,
                          px + (k % 3) * m_mark + 1, py + (k / 3) * m_mark + 1);
            }
        }
    }

    // 3. The palette.
    for (int32_t j = 0; j < kSize; ++j) {
        const SPaletteLook look = PaletteLook(j + 1);
        const int32_t px = j * m_cell + m_paletteX;
        const int32_t py = m_paletteY;
        if (look.current) {
            CopyGlyph(frameX, m_cell, m_cell, px + 1, py);
        }
        if (look.candidate) {
            CopyGlyph(frameX, 2 * m_cell, m_cell, px, py);
        }
        CopyGlyph(j * m_cell, (look.notAllowed ? kStyleNotAllowed : kStyleEntry) * m_cell, m_cell,
                  px, py - ((m_cell / 2 - m_paletteRef) * 3 / 4));
    }

    // 4. Crosshatching of the current number: every row and column holding it, and the empty
    // cells of every box holding it.
    if (options.GetCrosshatching() && mode == kNumberSelect && n >= 1 && n <= kSize) {
        const int32_t skin = options.GetSkin();
        for (int32_t y = 0; y < kSize; ++y) {
            for (int32_t x = 0; x < kSize; ++x) {
                if (GetCell(x, y).value != n) {
                    continue;
                }
                DrawHatchLines(y, x, skin, true);
                const int32_t bx = x - x % 3;
                const int32_t by = y - y % 3;
                for (int32_t yy = by; yy < by + 3; ++yy) {
                    for (int32_t xx = bx; xx < bx + 3; ++xx) {
                        if (GetCell(xx, yy).value == 0) {
                            DrawHatchLines(yy, xx, skin, false);
                        }
                    }
                }
            }
        }
    }
}

void CGame::DrawHatchLines(int32_t row, int32_t column, int32_t skin, bool full) {
    const uint32_t colour = kHatchColour[static_cast<std::size_t>(SkinColumn(skin))];
    const int32_t cx = m_gridX + column * m_cell + m_cell / 2;
    const int32_t cy = m_gridY + row * m_cell + m_cell / 2;
    if (full) {
        m_graphics.DrawLine(m_gridX, cy, m_gridX + 9 * m_cell, cy, colour);
        m_graphics.DrawLine(cx, m_gridY, cx, m_gridY + 9 * m_cell, colour);
        return;
    }
    const int32_t bx = column - column % 3;
    const int32_t by = row - row % 3;
    m_graphics.DrawLine(m_gridX + bx * m_cell, cy, m_gridX + (bx + 3) * m_cell, cy, colour);
    m_graphics.DrawLine(cx, m_gridY + by * m_cell, cx, m_gridY + (by + 3) * m_cell, colour);
}

std::string CGame::FormatClock(int32_t elapsedMs) {
    const int32_t s = std::max(elapsedMs, 0) / 1000;
    const int32_t minutes = std::min(s / 60, 59);
    const int32_t seconds = s % 60;
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d", static_cast<int>(minutes),
                  static_cast<int>(seconds));
    return text.data();
}

bool CGame::ClockPlace(int32_t& x, int32_t& y, uint32_t& colour) const {
    // The clock follows the layout in use: a screen of any size that takes the 320 x 240
    // layout has its board where the 480 x 272 layout keeps the clock.
    if (m_gridX != kLayout480x272.gridX || m_gridY != kLayout480x272.gridY) {
        return false;
    }
    x = kClockX;
    y = kClockY;
    colour = kClockColour;
    return true;
}

SRect CGame::ClockRect() const {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t colour = 0;
    if (!ClockPlace(x, y, colour)) {
        return {};
    }
    return {x, y, x + m_graphics.GetScreenSize().width, y + ICanvas::kTextBoxHeight};
}

void CGame::DrawClock(bool toBackBuffer) {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t colour = 0;
    if (ClockPlace(x, y, colour)) {
        m_graphics.DrawTextAt(x, y, FormatClock(GetElapsed()), toBackBuffer, colour);
    }
}
