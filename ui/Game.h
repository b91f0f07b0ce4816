// CGame: the board as the player sees it: screen layout, skin bitmaps, input modes and clock.
#pragma once

// Drawing conventions. Coordinates are pixels of the view's client area, x to the right, y
// downwards, and may be negative (the 320 x 240 layout shows the board picture shifted by
// (-78, -14)). The board picture is drawn at its full size; its grid's top-left corner lies at
// (142, 12) of the picture and the palette (the row of digits 1..9 under the grid) at
// (142, 204). Everything else is copied out of the glyph sheet, magenta being transparent:
//
//          x 0 .. 188 (digit d at (d-1)*21)   x 189 .. 206       x 210 .. 230
//   y  0   digits, player's entry / palette   pencil marks 1-9   -
//   y 21   digits, given                      -                  selection frame
//   y 42   digits, illegal entry              illegal marks 1-9  hint frame
//   y 63   palette digits, not allowed        -                  -
//
// Digits and frames are m_cell (21) square. Pencil marks are m_mark (6) square, three to a row:
// mark d at (189 + (d-1) % 3 * 6, (d-1) / 3 * 6), 42 lower for the illegal ones; in a cell they
// take the same places, one pixel in from its top-left corner.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/Board.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

class CGraphics;
class COptions;

// What the game has done for it by the view above it: the clock's timer, a repaint of the whole
// screen, the clock's tick drawn onto the window. The view serves it.
class IGameHost {
public:
    // Starts timer `id` (the clock) every `periodMs`, replacing a running one; gives the id.
    virtual int SetTimer(int id, int periodMs) = 0;
    virtual void KillTimer(int id) = 0;
    // Repaints the whole view (at the end of the event under way).
    virtual void Invalidate() = 0;
    // Draws the clock's new text onto the window, without a repaint.
    virtual void DrawClockOnWindow() = 0;

protected:
    ~IGameHost() = default;
};
class DataManager;

class CGame : public CBoard {
public:
    // The game draws through `graphics` and reaches files and message boxes through `data`;
    // both must outlive it. Layout members, modes and bitmaps start at zero or none.
    CGame(CRandom& random, COptions& options, DataManager& data, CGraphics& graphics);

    // --- Layout and drawing (Game.cpp) ---

    // Sets the layout members from the screen size. 480 x 272 and 320 x 240 have their own
    // layouts; every other screen at least 480 x 272 takes the 480 x 272 layout, and every
    // smaller one the 320 x 240 layout, so the cell size is never zero.
    void ApplyLayout();
    int32_t GetBoardX() const { return m_boardX; }
    int32_t GetBoardY() const { return m_boardY; }
    int32_t GetGridX() const { return m_gridX; }
    int32_t GetGridY() const { return m_gridY; }
    int32_t GetPaletteX() const { return m_paletteX; }
    int32_t GetPaletteY() const { return m_paletteY; }
    int32_t GetCellSize() const { return m_cell; }
    int32_t GetMarkSize() const { return m_mark; }

    // One whole frame of the game screen onto the canvas, which serves as the back buffer for
    // the length of the call; with the clock when `withClock` (on screen the view draws the
    // clock over each frame, so that a tick can restore what lies under it).
    void DrawFrame(ICanvas& canvas, bool withClock = false);
    // Draws one whole frame of the game screen into the back buffer: board picture, selection
    // and hint frames, digits, pencil marks, palette, crosshatch lines.
    void DrawBoard();
    // What cell (x, y) shows now, as DrawBoard draws it and a screen reader tells it: its digit
    // and that digit's style, or else the pencil marks shown (the automatic ones under Auto
    // Pencilmarks; none during custom entry) and those of them drawn as illegal; the selection
    // frame (Cell Select and Key Select) and the hint frame.
    struct SCellLook {
        enum class EStyle { kEntry, kGiven, kIllegal };
        int32_t value = 0;
        EStyle style = EStyle::kEntry;
        int32_t marks = 0;
        int32_t illegalMarks = 0;
        bool selected = false;
        bool hint = false;
    };
    SCellLook CellLook(int32_t x, int32_t y) const;
    // What palette digit `digit` (1..9) shows now: not allowed (Limit Numbers in Cell Select,
    // outside custom entry, for a digit the selected cell cannot hold), framed as the current
    // number (Number Select), framed as a candidate of the selected empty cell (Key Select).
    struct SPaletteLook {
        bool notAllowed = false;
        bool current = false;
        bool candidate = false;
    };
    SPaletteLook PaletteLook(int32_t digit) const;
    // Two lines through the centre of a cell, across the whole grid (full) or its box only,
    // in the crosshatch colour of the skin.
    void DrawHatchLines(int32_t row, int32_t column, int32_t skin, bool full);
    // The elapsed time as "MM:SS", onto the back buffer or the window surface. Nothing is
    // drawn on the screens that take the 320 x 240 layout.
    void DrawClock(bool toBackBuffer);
    // The rectangle the clock text is drawn in, in the view's client area; empty on the
    // screens without a clock.
    SRect ClockRect() const;
    // "MM:SS" of whole seconds; the minutes stop at 59 while the seconds go on counting.
    static std::string FormatClock(int32_t elapsedMs);

    // --- Skin bitmaps (Skin.cpp) ---

    // Loads the board picture and glyph sheet of the skin in the options, replaces the current
    // ones and applies the layout again. When either file fails to load, the player is told
    // that files are missing and the application is asked to close.
    void ReloadSkin();
    // Replaces both skin bitmaps (a null Bitmap for none).
    void SetSkinBitmaps(Bitmap board, Bitmap numbers);
    const Bitmap& GetBoardBitmap() const { return m_boardBmp; }
    const Bitmap& GetNumbersBitmap() const { return m_numbersBmp; }

    // --- Input (Input.cpp) ---

    // Virtual-key codes of the keys the game reads.
    static constexpr uint32_t kKeyEnter = 0x0D;
    static constexpr uint32_t kKeyLeft = 0x25;
    static constexpr uint32_t kKeyUp = 0x26;
    static constexpr uint32_t kKeyRight = 0x27;
    static constexpr uint32_t kKeyDown = 0x28;
    static constexpr uint32_t kKey0 = 0x30;     // 0x31..0x39 are the digits 1..9
    static constexpr uint32_t kKeyStar = 0x77;  // the star key, the platform's F8 code

    // One stylus tap at a client point of the view: selects, enters, erases or toggles a mark
    // by the input mode and the pencil, eraser and zone modes; then redraws.
    //
    // Hit geometry, with all divisions truncating towards zero: the grid column is
    // (x - gridX) / cell and the row (y - gridY) / cell, on the grid when x - gridX and
    // y - gridY are 0 or more and both are at most 8; the palette digit is
    // (x - paletteX) / cell + 1 in palette row (y - paletteY) / cell = 0, which Number Select
    // takes up to 3 pixels above the palette (the gap under the grid) and Cell Select does not;
    // the zone of a cell is ((x - cell left) / (cell / 3), (y - cell top) / (cell / 3)), digit
    // zy * 3 + zx + 1, in the places of the pencil marks.
    void OnTap(int32_t x, int32_t y);
    // A key went down in the view; the next key-up is then handled.
    void NoteKeyDown() { m_keyDown = true; }
    // A key came up in the view. Without a key-down seen before it, nothing happens. In Key
    // Select the arrows move the selection with wrap-around, digits enter, 0 erases and the
    // star key toggles pencil mode (or accepts a custom puzzle); every key re-selects with force.
    void OnKey(uint32_t key);
    // Places the current number in the selected cell (or toggles its mark in pencil mode); when
    // the board is then full, checks it, counts a solved board once and offers a new game.
    void EnterNumber();
    // A new game at the level of the options, or custom entry for level 6. The first start
    // (no saved game to resume) keeps the pencil and eraser modes and does not redraw.
    void StartNewGame(bool firstStart);
    // Ends custom entry when the givens make a puzzle with a solution; else says why and stays.
    // The first cell that is not a given, column by column, is selected; none when all 81 are
    // givens.
    void AcceptCustomPuzzle();

    // --- Modes ---

    // Pencil-mark mode; setting it redraws the screen at once.
    void SetPencilMode(bool on);
    bool GetPencilMode() const { return m_pencil; }
    void SetEraserMode(bool on) { m_eraser = on; }
    bool GetEraserMode() const { return m_eraser; }

    // --- Life cycle (Life.cpp) ---

    static constexpr int kClockTimer = 10;
    static constexpr int kClockPeriodMs = 1000;

    // Once, when the document is built: the clock at 0, no skin bitmaps, the options read from
    // options.cfg, the layout applied, the modes off. The view, if any, stays.
    void InitGame();
    // The view that owns the clock timer and paints the screen; set when the view is built.
    void SetHost(IGameHost* host) { m_host = host; }
    const IGameHost* GetHost() const { return m_host; }
    // Starts the clock timer again from now and sets the elapsed time to 0. Without a view only
    // the time is reset.
    void RestartClock();
    // Starts the clock timer again from now, keeping the elapsed time: after a saved game has
    // been read, the clock continues from the time read.
    void ContinueClock();
    // After a saved game has been read (resumed or loaded): the clock continues, and the board
    // counts as already counted in the statistics only when it is complete and right.
    void OnGameRead();
    // One second of play: adds 1000 ms and draws the clock onto the window (the view restores
    // the clock's rectangle from its last frame first, then the text goes on top).
    void TickClock();
    // After each paint of the game screen: the custom-entry notice once after a new game, and
    // the first run is over.
    void AfterPaint();
    // Repaints the whole screen through the view: at once, or at the end of the event under way
    // (CSudokuView::Invalidate); nothing happens while there is no view.
    void Redraw();
    // Reads a saved game of the data folder (the autosave). Gives kNoFile when the file is
    // missing or empty, kRefused (with the reason) when it is not a whole saved game; the game
    // in play is unchanged in both cases. After a load the clock continues from the time read.
    enum class ELoad { kLoaded, kNoFile, kRefused };
    ELoad LoadGameFile(std::string_view name, std::string* why = nullptr);
    // When the program ends: the autosave, the skin bitmaps released, options.cfg written.
    void SaveOnExit();
    // The autosave and options.cfg written as SaveOnExit writes them, the game going on (a
    // browser's page hidden or left). False when there is no data folder or a file was not
    // written (each named on the standard error).
    bool SaveFiles();

protected:
    DataManager& Data() const { return m_data; }
    CGraphics& Graphics() const { return m_graphics; }

private:
    // The first cell that is not a given, column by column (x outer); false, and (-1, -1), when
    // every cell is a given.
    bool FirstFreeCell(int32_t& x, int32_t& y) const;
    // Where the clock text goes in the layout in use; false for the 320 x 240 layout, which has
    // no clock.
    bool ClockPlace(int32_t& x, int32_t& y, uint32_t& colour) const;
    // A glyph of the sheet, keyed, to (x, y).
    void CopyGlyph(int32_t srcX, int32_t srcY, int32_t size, int32_t x, int32_t y);

    DataManager& m_data;
    CGraphics& m_graphics;

    Bitmap m_boardBmp;    // board picture of the current skin; null when absent
    Bitmap m_numbersBmp;  // glyph sheet of the current skin; null when absent
    int32_t m_boardX = 0;
    int32_t m_boardY = 0;
    int32_t m_gridX = 0;  // top-left corner of cell (0, 0)
    int32_t m_gridY = 0;
    int32_t m_paletteX = 0;  // top-left corner of palette digit 1
    int32_t m_paletteY = 0;
    int32_t m_paletteRef = 0;  // constant of the palette's vertical adjustment
    int32_t m_cell = 0;        // side of a cell and of a digit glyph
    int32_t m_mark = 0;        // side of a pencil-mark glyph
    bool m_pencil = false;
    bool m_eraser = false;
    bool m_started = false;    // a game has just started; its first paint is still to come
    bool m_keyDown = false;    // a key went down in the view; its key-up is still to come
    bool m_statsDone = false;  // the board in play has been counted in the statistics
    IGameHost* m_host = nullptr;
    int m_timerId = 0;  // the running clock timer, 0 when none
};
